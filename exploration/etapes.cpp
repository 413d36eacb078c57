// SPDX-License-Identifier: GPL-3.0-or-later
#include "exploration/etapes.h"

#include <array>
#include <sstream>
#include <string_view>
#include <utility>

namespace velquor::exploration {

namespace {

// Each kind's word, and which of the id, the number and the text its line carries.
struct Forme {
  Genre genre;
  std::string_view mot;
  bool id, n, texte;
};

constexpr std::array<Forme, 8> kFormes{{
    {Genre::Vue, "vue", true, false, false},
    {Genre::Clic, "clic", true, false, false},
    {Genre::Entree, "entree", true, false, false},
    {Genre::Taper, "taper", false, false, true},
    {Genre::Touches, "touches", false, false, true},
    {Genre::Coller, "coller", true, false, true},
    {Genre::Milieu, "milieu", true, false, true},
    {Genre::Molette, "molette", true, true, false},
}};

}  // namespace

std::string Ecrire(const Etape& etape) {
  for (const Forme& f : kFormes) {
    if (f.genre != etape.genre) continue;
    std::string ligne(f.mot);
    if (f.id) ligne += ' ' + std::to_string(etape.id);
    if (f.n) ligne += ' ' + std::to_string(etape.n);
    if (f.texte) ligne += ' ' + etape.texte;
    return ligne;
  }
  return {};
}

std::optional<Etape> Lire(const std::string& ligne) {
  std::istringstream flux(ligne);
  std::string mot;
  flux >> mot;
  for (const Forme& f : kFormes) {
    if (f.mot != mot) continue;
    Etape etape{f.genre};
    if (f.id && !(flux >> etape.id)) return std::nullopt;
    if (f.n && !(flux >> etape.n)) return std::nullopt;
    if (f.texte) {
      // The text is the rest of the line after the one blank that separates it.
      const auto debut = static_cast<std::size_t>(flux.tellg());
      if (flux.fail() || debut + 1 > ligne.size()) return std::nullopt;
      etape.texte = ligne.substr(debut + 1);
    }
    return etape;
  }
  return std::nullopt;
}

}  // namespace velquor::exploration
