// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's check and rebuild of a record file pair, on any pair.
//
// Input: one byte (bits 0-1: family, ingredient, cocktail or result pair; bit 2: no index file;
// bit 3: no data file), the index file's length on two bytes (little-endian), its bytes, then
// the data file's bytes.
//
// Besides running clean under the sanitizers:
//  - the check reaches at most as many records as the index has nodes;
//  - the rebuild of a present pair is done, unless its index and data do not belong together or
//    the data file holds none of the records the tree points to (then it says why and changes
//    nothing); it keeps the old files as .bak, and leaves a pair that the check finds without
//    fault and in order, holding every name the first check reached whose record carries that
//    name, and that the store walks in the same order;
//  - a pair the first check found sound comes back with the same names and the same records
//    (the bytes after each text's terminator aside), in the same order when they were in ours.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/reorganisation.h"
#include "cli/verification_paire.h"
#include "fuzz/support_fuzz.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/enregistrements.h"
#include "store/noeud_index.h"

using namespace velquor;
using namespace velquor::outils;

namespace {

using Visite = std::vector<std::pair<std::string, std::vector<unsigned char>>>;

template <class Enr>
void NormaliserOctets(std::vector<unsigned char>& octets) {
  Enr enr;
  std::memcpy(&enr, octets.data(), sizeof enr);
  Normaliser(enr);
  std::memcpy(octets.data(), &enr, sizeof enr);
}

// The records a check reaches, in its order, each with its texts cleaned as a write cleans them.
RapportPaire Verifier(const DescriptionPaire& paire, Visite& visite) {
  return VerifierPaire(paire, [&](std::string_view cle, const unsigned char* enreg) {
    std::vector<unsigned char> octets(enreg, enreg + paire.tailleEnreg);
    switch (paire.tailleEnreg) {
      case sizeof(EnrFamille):
        NormaliserOctets<EnrFamille>(octets);
        break;
      case sizeof(EnrIngredient):
        NormaliserOctets<EnrIngredient>(octets);
        break;
      default:
        NormaliserOctets<EnrCocktail>(octets);
    }
    visite.emplace_back(std::string(cle), std::move(octets));
  });
}

std::string Contenu(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// The names of the pair in the store's own walk.
template <class Fic>
std::vector<std::string> NomsDuStore(std::string_view base) {
  Fic f(base);
  std::vector<std::string> noms;
  if (!f.Ouvrir()) return {"(pair not opened)"};
  for (bool r = f.Premier(); r && noms.size() <= 70000; r = f.Suivant())
    noms.emplace_back(Texte(f.Noeud().Cle));
  return noms;
}

std::vector<std::string> NomsDuStore(const DescriptionPaire& paire) {
  switch (paire.tailleEnreg) {
    case sizeof(EnrFamille):
      return NomsDuStore<FicFamille>(paire.base);
    case sizeof(EnrIngredient):
      return NomsDuStore<FicIngredient>(paire.base);
    default:
      return NomsDuStore<FicCocktail>(paire.base);
  }
}

const DescriptionPaire& Description(int choix) {
  switch (choix) {
    case 0:
      return PaireFamille();
    case 1:
      return PaireIngredient();
    case 2:
      return PaireCocktail();
    default:
      return PaireResultat();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EntrerDossierFuzz();
  fuzz::ViderDossier();
  fuzz::Flux flux(data, size);
  const std::uint8_t choix = flux.Octet();
  const DescriptionPaire& paire = Description(choix & 3);
  const bool sansIndex = choix & 4, sansDonnees = choix & 8;
  std::size_t nIndex, nDonnees;
  const std::uint8_t* index = flux.Octets(flux.Mot16(), &nIndex);
  const std::uint8_t* donnees = flux.Octets(flux.Reste(), &nDonnees);
  const std::string base(paire.base), ndx = base + ".NDX", dat = base + ".DAT";
  if (!sansIndex) fuzz::EcrireFichier(ndx, index, nIndex);
  if (!sansDonnees) fuzz::EcrireFichier(dat, donnees, nDonnees);

  Visite avant;
  const RapportPaire premier = Verifier(paire, avant);
  FUZZ_EXIGER(premier.nbAtteints <= static_cast<std::int64_t>(nIndex / NoeudIndex::Taille),
              "the check reached more records than the index has nodes");
  FUZZ_EXIGER(premier.nbAtteints >= static_cast<std::int64_t>(avant.size()),
              "the check visited more records than it counted");
  FUZZ_EXIGER(premier.nbDefauts >= static_cast<std::int64_t>(premier.defauts.size()),
              "the check kept more faults than it counted");
  FUZZ_EXIGER((premier.etat == outils::EtatPaire::Presente) == (!sansIndex && !sansDonnees),
              "the check saw the pair's files wrong");
  if (sansIndex) return 0;

  const std::string ancienIndex = Contenu(ndx), anciennesDonnees = Contenu(dat);
  const BilanReorganisation bilan = ReorganiserPaire(paire);
  if (!bilan.fait) {
    const Recueil& r = bilan.recueil;
    FUZZ_EXIGER(premier.etat != outils::EtatPaire::Presente || r.Depareillee() ||
                    (r.atteints > 0 && r.AucuneRecette()),
                "the rebuild of a present pair failed");
    FUZZ_EXIGER(!bilan.erreur.empty(), "a failed rebuild without a reason");
    FUZZ_EXIGER(Contenu(ndx) == ancienIndex && Contenu(dat) == anciennesDonnees,
                "a failed rebuild changed the pair");
    return 0;
  }
  FUZZ_EXIGER(Contenu(ndx + ".bak") == ancienIndex, "the rebuild did not keep the old index");
  if (!sansDonnees) {
    FUZZ_EXIGER(Contenu(dat + ".bak") == anciennesDonnees,
                "the rebuild did not keep the old data file");
  }
  FUZZ_EXIGER(!std::filesystem::exists(".velquor-reorganisation"),
              "the rebuild left its working directory");

  Visite apres;
  const RapportPaire second = Verifier(paire, apres);
  FUZZ_EXIGER(second.etat == outils::EtatPaire::Presente, "the rebuilt pair is not complete");
  if (second.nbDefauts != 0) {
    for (const std::string& defaut : second.defauts)
      std::fprintf(stderr, "  %s\n", defaut.c_str());
  }
  FUZZ_EXIGER(second.nbDefauts == 0, "the rebuilt pair has faults");
  FUZZ_EXIGER(second.nbHorsOrdre == 0, "the rebuilt pair is not in our name order");
  FUZZ_EXIGER(second.nbAtteints == bilan.apres.nbEnreg,
              "the rebuilt pair holds another number of records than the rebuild says");
  std::vector<std::string> ordre;
  for (const auto& [cle, enreg] : apres)
    ordre.push_back(cle);
  FUZZ_EXIGER(NomsDuStore(paire) == ordre, "the store walks the rebuilt pair in another order");
  const std::set<std::string> noms(ordre.begin(), ordre.end());
  // A key that fills its whole field is cut to 30 bytes by the rebuild. A record that carries
  // another name than its key is not tied to it, and stays in the backup only.
  for (const auto& [cle, enreg] : avant) {
    const char* nom = reinterpret_cast<const char*>(enreg.data());
    if (std::string_view(nom, ::strnlen(nom, TailleNom)) != cle) continue;
    FUZZ_EXIGER(noms.count(cle.substr(0, TailleNom - 1)) == 1,
                "a name reached before the rebuild is lost");
  }
  if (premier.etat == outils::EtatPaire::Presente && premier.nbDefauts == 0) {
    Visite tries = avant;
    if (premier.nbHorsOrdre > 0) {
      std::stable_sort(tries.begin(), tries.end(), [](const auto& a, const auto& b) {
        return ComparerNoms(a.first, b.first) < 0;
      });
    }
    FUZZ_EXIGER(apres == tries, "the rebuild of a sound pair changed its names or records");
  }
  return 0;
}
