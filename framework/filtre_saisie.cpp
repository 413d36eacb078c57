// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/filtre_saisie.h"

#include <QLineEdit>

#include <algorithm>
#include <memory>

#include "framework/service_messages.h"
#include "framework/texte_qt.h"

namespace velquor {

std::optional<QString> TexteAccepte(const QString& texte, const ReglesSaisie& regles) {
  if (!EstRepresentableCp1252(texte)) return std::nullopt;
  // One stored byte per character once every character is representable.
  if (regles.limite > 0 && texte.size() > regles.limite) return std::nullopt;
  return regles.majuscules ? MajusculesQString(texte) : texte;
}

ValidateurCp1252::ValidateurCp1252(ReglesSaisie regles, QObject* parent)
    : QValidator(parent), regles_(regles) {}

QValidator::State ValidateurCp1252::validate(QString& texte, int& position) const {
  (void)position;
  std::optional<QString> accepte = TexteAccepte(texte, regles_);
  if (!accepte) {
    ServiceMessages().Bip();
    return Invalid;
  }
  texte = *accepte;  // same length: the cursor stays where it is
  return Acceptable;
}

void GarderCp1252(QLineEdit* champ) {
  auto valide = std::make_shared<QString>(champ->text());
  QObject::connect(champ, &QLineEdit::textChanged, champ, [champ, valide](const QString& texte) {
    if (EstRepresentableCp1252(texte)) {
      *valide = texte;
      return;
    }
    ServiceMessages().Bip();
    const int curseur = champ->cursorPosition();
    champ->setText(*valide);  // its own change passes the check above
    champ->setCursorPosition(std::min(curseur, static_cast<int>(valide->size())));
  });
}

}  // namespace velquor
