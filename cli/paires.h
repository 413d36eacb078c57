// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The record file pairs of the working directory, as the companion names them to the user.

#include <string>
#include <string_view>

namespace velquor::outils {

enum class EtatPaire { Absente, Incomplete, Presente };

// Whether BASE.NDX and BASE.DAT are both there, one of them, or neither.
EtatPaire EtatDePaire(std::string_view base);

// "Aucun fichier des cocktails (COCKTAIL.NDX, COCKTAIL.DAT) dans ce dossier." and the like,
// for a pair that is not Presente; pluriel is UTF-8.
std::string TexteSansPaire(std::string_view base, std::string_view pluriel, EtatPaire etat);

// Whether the pair is there and can be read without writing to it (a data file shorter than its
// header would get one at opening); otherwise says why, after "<titre> : ", and returns false.
bool PaireLisible(std::string_view titre, std::string_view base, std::string_view pluriel);

}  // namespace velquor::outils
