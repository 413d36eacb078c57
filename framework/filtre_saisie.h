// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules of text entry in edit fields and combo boxes: typed letters become capitals by the
// code page rule (capitals-only fields), the text limit counts stored bytes, and a character the
// code page cannot hold is refused. A refused entry (typed, pasted or dropped) changes nothing
// and beeps: nothing is ever truncated or replaced silently.

#include <QString>
#include <QValidator>

#include <optional>

class QLineEdit;

namespace velquor {

struct ReglesSaisie {
  bool majuscules = false;
  int limite = 0;  // in stored bytes; 0: none
};

// The text a single-line field would hold after an edit that produced texte: nothing when the
// edit must be refused, else the text with the capitals rule applied.
std::optional<QString> TexteAccepte(const QString& texte, const ReglesSaisie& regles);

// The check of QLineEdit (edits and the edit field of combo boxes): validate() refuses with a
// beep what TexteAccepte refuses, so that QLineEdit undoes the edit.
class ValidateurCp1252 : public QValidator {
  Q_OBJECT

 public:
  ValidateurCp1252(ReglesSaisie regles, QObject* parent);
  State validate(QString& texte, int& position) const override;
  const ReglesSaisie& Regles() const { return regles_; }
  void DefinirRegles(const ReglesSaisie& regles) { regles_ = regles; }

 private:
  ReglesSaisie regles_;
};

// The last line behind the entry rules of a single-line field: whatever way a change came (the
// accessibility interface's text calls, for one, set the text without the validator), a text
// holding a character the code page cannot hold is put back as it was, with the beep. The
// program's own text always passes: it comes from stored bytes.
void GarderCp1252(QLineEdit* champ);

}  // namespace velquor
