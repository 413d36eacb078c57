// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/texte_qt.h"

#include "store/cp1252.h"

namespace velquor {

QString Cp1252VersQString(std::string_view texte) {
  QString resultat(static_cast<qsizetype>(texte.size()), Qt::Uninitialized);
  QChar* sortie = resultat.data();
  for (unsigned char octet : texte)
    *sortie++ = QChar(static_cast<char16_t>(Cp1252VersUnicode(octet)));
  return resultat;
}

std::optional<std::string> QStringVersCp1252(const QString& texte) {
  std::string resultat;
  resultat.reserve(static_cast<std::size_t>(texte.size()));
  for (QChar c : texte) {
    // A surrogate half is never representable, so characters beyond the basic plane fail here.
    auto octet = UnicodeVersCp1252(c.unicode());
    if (!octet || c.isSurrogate()) return std::nullopt;
    resultat.push_back(static_cast<char>(*octet));
  }
  return resultat;
}

bool EstRepresentableCp1252(QChar c) {
  return !c.isSurrogate() && UnicodeVersCp1252(c.unicode()).has_value();
}

bool EstRepresentableCp1252(const QString& texte) {
  for (QChar c : texte) {
    if (!EstRepresentableCp1252(c)) return false;
  }
  return true;
}

QString MajusculesQString(const QString& texte) {
  QString resultat = texte;
  for (QChar& c : resultat) {
    if (c.isSurrogate()) continue;
    if (auto octet = UnicodeVersCp1252(c.unicode()))
      c = QChar(static_cast<char16_t>(Cp1252VersUnicode(MajusculeCp1252(*octet))));
  }
  return resultat;
}

QString Cp1252VersTexteMulti(std::string_view texte) {
  QString resultat = Cp1252VersQString(texte);
  resultat.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return resultat;
}

std::optional<std::string> TexteMultiVersCp1252(const QString& texte) {
  QString avecCr = texte;
  avecCr.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  avecCr.replace(QChar('\n'), QStringLiteral("\r\n"));
  return QStringVersCp1252(avecCr);
}

int LongueurStockeeMulti(const QString& texte) {
  qsizetype sauts = texte.count(QChar('\n')) - texte.count(QStringLiteral("\r\n"));
  return static_cast<int>(texte.size() + sauts);
}

}  // namespace velquor
