#include "framework/filtre_saisie.h"

#include "framework/service_messages.h"
#include "framework/texte_qt.h"

namespace velquor {

std::optional<QString> TexteAccepte(const QString& texte, const ReglesSaisie& regles) {
  for (QChar c : texte) {
    if (!EstRepresentableCp1252(c)) return std::nullopt;
  }
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

}  // namespace velquor
