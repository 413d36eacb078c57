// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the companion speaks: French lines in UTF-8 on standard error; data (the lists) on
// standard output. The core's messages arrive through ConsoleMessages.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/messages.h"

namespace velquor::outils {

enum CodeSortie : int { SortieSucces = 0, SortieProbleme = 1, SortieUsage = 2 };

inline constexpr std::string_view NomProgramme = "velquor-outils";

// "velquor-outils : <texte>" on standard error.
void DireErreur(std::string_view texte);
// A plain report line on standard error.
void Dire(std::string_view texte);

// A stored text (code page 1252) as the companion prints it: UTF-8, but every control character
// (C0, DEL, and the five bytes the code page leaves undefined, 0x81 0x8D 0x8F 0x90 0x9D, whose
// code points are C1 controls that a terminal would obey: 0x90 opens a device control string,
// 0x9D an operating system command) written as \xHH, the stored byte. A name so stays on its
// line, visible, and nothing in a damaged or hostile file can drive the user's terminal.
std::string TexteAffichable(std::string_view cp1252);

// The same for text read as UTF-8 from outside (an import file): a control character (C0, DEL,
// C1) or a byte that is not part of valid UTF-8 is written as \xHH for each of its bytes.
std::string TexteAffichableUtf8(std::string_view utf8);

// "1 famille", "3 familles".
std::string Compter(std::int64_t n, std::string_view singulier, std::string_view pluriel);

// Shows the string table's texts with their argument (code page 1252) on standard error. There
// is nobody to answer a question: a Yes/No question is answered No, so nothing is ever erased
// on the user's behalf.
class ConsoleMessages : public PMessages {
 public:
  int AffMessage(int idChaine, std::string_view argument, unsigned style) override;
  int NbMessages() const { return nbMessages_; }

 private:
  int nbMessages_ = 0;
};

}  // namespace velquor::outils
