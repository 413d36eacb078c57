// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the core speaks to the user: the application implements these small interfaces (message
// boxes in the window program, French lines on stderr in the companion, recorders in tests).

#include <string_view>

namespace velquor {

// Message-box style bits and answers, with the values the legacy program passes.
enum StyleMessage : unsigned {
  StyleOk = 0,
  StyleOuiNon = 4,
  StyleArret = 16,
  StyleQuestion = 32,
  StyleExclamation = 48,
  StyleInformation = 64,
};
enum ReponseMessage : int { ReponseOk = 1, ReponseOui = 6, ReponseNon = 7 };

// Shows a string of the string table with its one argument in place of its "%s" and returns
// the button pressed. The argument is stored text: code page 1252 bytes.
class PMessages {
 public:
  virtual ~PMessages() = default;
  virtual int AffMessage(int idChaine, std::string_view argument, unsigned style) = 0;
};

}  // namespace velquor
