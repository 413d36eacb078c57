// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Misuse of the record store (an operation that needs a current record while none is set) is
// reported by the store itself in a box captioned "Vantor" with the stop icon and one OK
// button. The application installs the box; tests install a recorder.

#include <string_view>

namespace velquor {

class PRapporteurVantor {
 public:
  virtual ~PRapporteurVantor() = default;
  // texte is UTF-8; the caption is always "Vantor", the style StyleArret.
  virtual void Afficher(std::string_view texte) = 0;
};

// Installs the reporter used by every record file; nullptr restores the default, which writes
// the text to standard error.
void DefinirRapporteurVantor(PRapporteurVantor* rapporteur);
PRapporteurVantor& RapporteurVantor();

// The text of a store error code (201, 301, 401, 501), or nullptr for any other code.
const char* TexteErreurStore(int code);

}  // namespace velquor
