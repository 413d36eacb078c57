// SPDX-License-Identifier: GPL-3.0-or-later
// A record file pair from any bytes, driven through the store's operations.
//
// Input: one byte of choices (bits 0-1: family, ingredient, cocktail or result collection;
// bit 2: no index file; bit 3: no data file; bit 4: opened by OuvrirCollection), the index
// file's length on two bytes (little-endian) and its bytes, the data file's length and its bytes,
// then operations, one byte each followed by their arguments, on two objects that have the same
// pair open: opening again, both walks, Chercher, Ajouter, Supprimer, Modifier, Lire, lots.
//
// On any pair: no fault under the sanitizers; a walk from one end never visits more names than
// the index can hold (a longer one is a loop); a closed collection finds nothing; a name just
// added is found; the data file grows only by the records written.
//
// When the pair starts empty (no file, or a header counting no record), every result is also
// checked against a model of the collection (its names in order with their records): what each
// operation returns, where it leaves the object and which record it loads, both walks; at the end
// the pair is read again from the files, and the companion's check finds it sound.

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "cli/verification_paire.h"
#include "fuzz/support_fuzz.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "store/messages.h"
#include "store/noeud_index.h"
#include "store/ouverture.h"
#include "store/rapport_vantor.h"
#include "store/vue_ordonnee.h"

using namespace velquor;

namespace {

constexpr std::size_t MaxOperations = 256;
constexpr std::size_t MaxLots = 3;
constexpr std::size_t MaxNomsConnus = 64;

class VantorMuet : public PRapporteurVantor {
 public:
  void Afficher(std::string_view) override { ++nombre; }
  int nombre = 0;
};

class MessagesMuets : public PMessages {
 public:
  int AffMessage(int, std::string_view, unsigned) override { return ReponseOk; }
};

// VELQUOR_FUZZ_TRACE=1: each operation on standard error, to read a finding.
bool Tracer() {
  static const bool tracer = std::getenv("VELQUOR_FUZZ_TRACE") != nullptr;
  return tracer;
}

VantorMuet& Vantor() {
  static VantorMuet v;
  return v;
}

// Where the model says an object stands.
struct Position {
  enum Etat { Aucune, Connue, Inconnue } etat = Aucune;
  std::string nom;  // when Connue
};

template <class Fic>
class Session {
  using Enr = decltype(Fic::Enreg);
  using Octets = std::vector<unsigned char>;

 public:
  Session(std::string_view base, const outils::DescriptionPaire& description, fuzz::Flux& flux)
      : base_(base), description_(description), flux_(flux) {}

  void Executer(const std::uint8_t choix, std::int64_t noeudsIndex, std::int64_t tailleDonnees,
                bool modele, bool sain) {
    modeleValide_ = modele;
    noeudsIndex_ = noeudsIndex;
    tailleDonnees_ = std::max<std::int64_t>(tailleDonnees, TailleEntete);
    const bool parCollection = choix & 16;
    for (std::unique_ptr<Fic>& objet : objets_) {
      objet = std::make_unique<Fic>(base_);
      if (parCollection) {
        MessagesMuets messages;
        const bool ouvert = OuvrirCollection(*objet, messages);
        FUZZ_EXIGER(ouvert == objet->EstOuvert(), "OuvrirCollection answered wrong");
      } else {
        objet->Ouvrir();
      }
    }
    if (modeleValide_) {
      FUZZ_EXIGER(objets_[0]->EstOuvert() && objets_[1]->EstOuvert(),
                  "an empty pair could not be opened");
    }
    for (std::size_t n = 0; n < MaxOperations && !flux_.Vide(); ++n)
      Operation();
    while (!lots_.empty())
      FinLot();
    for (std::unique_ptr<Fic>& objet : objets_)
      objet.reset();
    VerifierTailleDonnees();
    if (modeleValide_) Relire(sain);
  }

 private:
  void Operation() {
    const std::uint8_t code = flux_.Octet();
    const int k = code >> 7;  // the object
    Fic& f = *objets_[k];
    if (Tracer()) {
      struct stat etat {};
      ::stat((base_ + ".DAT").c_str(), &etat);
      std::fprintf(stderr, "op %d on %d at node %d (record %d), data file %lld bytes\n", code % 16,
                   k, f.PtrEnreg, f.Noeud().PosEnreg, static_cast<long long>(etat.st_size));
    }
    switch (code % 16) {
      case 0:
        return Extremite(k, false);
      case 1:
        return Extremite(k, true);
      case 2:
        return Voisin(k, true);
      case 3:
        return Voisin(k, false);
      case 4:
        return Parcourir(k, true);
      case 5:
        return Parcourir(k, false);
      case 6:
      case 7:
        return Chercher(k, Nom());
      case 8:
      case 9:
        return Ajouter(k, Nom());
      case 10:
        return Supprimer(k);
      case 11:
        Modifier(k);
        return VerifierTailleDonnees();
      case 12:
        return Lire(k);
      case 13:
        if (lots_.size() < MaxLots) lots_.push_back(std::make_unique<LotFichier>(f));
        return;
      case 14:
        if (!lots_.empty()) FinLot();
        return;
      default:
        return Rouvrir(k);
    }
  }

  // ---- Arguments taken from the input.

  // A name the pair already knows (or nearly), or new bytes.
  std::string Nom() {
    const std::uint8_t a = flux_.Octet();
    if (a % 4 != 0 && !connus_.empty()) {
      std::string nom = connus_[flux_.Octet() % connus_.size()];
      if (a % 4 == 3) {
        const std::uint8_t b = flux_.Octet();
        if (nom.empty() || b % 2) {
          nom.push_back(static_cast<char>(flux_.Octet()));
        } else {
          nom[b % nom.size()] = static_cast<char>(flux_.Octet());
        }
      }
      return SansNul(nom);
    }
    return SansNul(std::string(flux_.Texte(a / 4 % 34)));
  }

  // The program's names never hold a NUL (the text boxes cannot): a NUL ends the name.
  static std::string SansNul(std::string nom) {
    nom.resize(::strnlen(nom.c_str(), nom.size()));
    return nom;
  }

  // The record to write: zero, or the name, then a few bytes of the input at a place it chooses.
  void RemplirEnreg(Fic& f, std::string_view nom) {
    std::memset(&f.Enreg, 0, sizeof f.Enreg);
    const std::uint8_t a = flux_.Octet();
    if (a & 1) CopierTexte(f.Enreg.Nom, nom);
    const std::size_t debut = flux_.Octet() * 7 % sizeof(Enr);
    std::size_t n;
    const std::uint8_t* octets =
        flux_.Octets(std::min<std::size_t>(a >> 2, sizeof(Enr) - debut), &n);
    std::memcpy(reinterpret_cast<unsigned char*>(&f.Enreg) + debut, octets, n);
  }

  static Octets OctetsDe(const Enr& enr) {
    const auto* p = reinterpret_cast<const unsigned char*>(&enr);
    return Octets(p, p + sizeof enr);
  }

  static Octets Normalise(Enr enr) {
    Normaliser(enr);
    return OctetsDe(enr);
  }

  void Connaitre(std::string_view nom) {
    if (connus_.size() < MaxNomsConnus &&
        std::find(connus_.begin(), connus_.end(), nom) == connus_.end())
      connus_.emplace_back(nom);
  }

  // ---- Checks of where an object stands.

  // The object stands on the name nom of the model, with its record loaded.
  void SurNom(int k, const std::string& nom, const char* quoi) {
    Fic& f = *objets_[k];
    FUZZ_EXIGER(f.PtrEnreg >= 0 && Texte(f.Noeud().Cle) == nom, quoi);
    FUZZ_EXIGER(OctetsDe(f.Enreg) == modele_.at(nom), "the record loaded is not the name's");
    position_[k] = {Position::Connue, nom};
  }

  void Apres(int k) {
    Fic& f = *objets_[k];
    if (f.PtrEnreg >= 0) Connaitre(Texte(f.Noeud().Cle));
  }

  // Another object deleted a name: nodes may have moved under every other object.
  void Perdre(int sauf) {
    for (int j = 0; j < 2; ++j)
      if (j != sauf && position_[j].etat == Position::Connue)
        position_[j].etat = Position::Inconnue;
  }

  bool Ferme(int k, bool resultat, const char* quoi) {
    if (objets_[k]->EstOuvert()) return false;
    FUZZ_EXIGER(!resultat, quoi);
    return true;
  }

  // ---- The operations.

  void Extremite(int k, bool dernier) {
    Fic& f = *objets_[k];
    const bool r = dernier ? f.Dernier() : f.Premier();
    Apres(k);
    if (Ferme(k, r, "a closed collection found a first or last name")) return;
    if (!modeleValide_) return;
    FUZZ_EXIGER(r == !modele_.empty(), "Premier/Dernier answered wrong");
    if (r)
      SurNom(k, dernier ? modele_.rbegin()->first : modele_.begin()->first,
             "Premier/Dernier stands on the wrong name");
  }

  void Voisin(int k, bool suivant) {
    Fic& f = *objets_[k];
    const bool r = suivant ? f.Suivant() : f.Precedent();
    Apres(k);
    if (Ferme(k, r, "a closed collection found a next or previous name")) return;
    if (!modeleValide_) return;
    Position& p = position_[k];
    if (modele_.empty() || p.etat == Position::Aucune) {
      FUZZ_EXIGER(!r, "Suivant/Precedent found a name without a current one");
      return;
    }
    if (p.etat == Position::Inconnue) {
      return;  // the object stood on a node another object moved: any node of the tree will do
    }
    auto it = modele_.find(p.nom);
    if (suivant) {
      ++it;
      FUZZ_EXIGER(r == (it != modele_.end()), "Suivant answered wrong");
      SurNom(k, r ? it->first : modele_.rbegin()->first, "Suivant stands on the wrong name");
    } else {
      FUZZ_EXIGER(r == (it != modele_.begin()), "Precedent answered wrong");
      SurNom(k, r ? std::prev(it)->first : modele_.begin()->first,
             "Precedent stands on the wrong name");
    }
  }

  // A whole walk from one end. It may not visit more names than the index can hold.
  void Parcourir(int k, bool versAvant) {
    Fic& f = *objets_[k];
    const std::int64_t limite = noeudsIndex_ + ajouts_ + 1;
    std::vector<std::string> vus;
    bool r = versAvant ? f.Premier() : f.Dernier();
    while (r) {
      vus.emplace_back(Texte(f.Noeud().Cle));
      if (modeleValide_) {
        auto it = modele_.find(vus.back());
        FUZZ_EXIGER(it != modele_.end() && OctetsDe(f.Enreg) == it->second,
                    "a walk loaded another record than the name's");
      }
      FUZZ_EXIGER(static_cast<std::int64_t>(vus.size()) <= limite,
                  "a walk visits more names than the index can hold");
      r = versAvant ? f.Suivant() : f.Precedent();
    }
    for (const std::string& nom : vus)
      Connaitre(nom);
    if (Ferme(k, !vus.empty(), "a closed collection has names")) return;
    if (!modeleValide_) return;
    std::vector<std::string> attendus;
    for (const auto& [nom, enreg] : modele_)
      attendus.push_back(nom);
    if (!versAvant) std::reverse(attendus.begin(), attendus.end());
    FUZZ_EXIGER(vus == attendus, "a walk does not give the names in order");
    if (!vus.empty())
      SurNom(k, versAvant ? modele_.rbegin()->first : modele_.begin()->first,
             "a walk ends on the wrong name");
  }

  void Chercher(int k, const std::string& nom) {
    Fic& f = *objets_[k];
    const bool r = f.Chercher(nom);
    Apres(k);
    if (Ferme(k, r, "a closed collection found a name")) return;
    if (!modeleValide_) return;
    if (modele_.empty()) {
      FUZZ_EXIGER(!r, "Chercher found a name in an empty collection");
      return;
    }
    auto it = modele_.lower_bound(nom);
    FUZZ_EXIGER(r == (it != modele_.end() && it->first == nom), "Chercher answered wrong");
    if (it == modele_.end()) --it;
    SurNom(k, it->first, "Chercher stands on the wrong name");
  }

  void Ajouter(int k, const std::string& nom) {
    Fic& f = *objets_[k];
    RemplirEnreg(f, nom);
    const Octets attendu = Normalise(f.Enreg);
    const bool r = f.Ajouter(nom);
    if (Ferme(k, r, "a closed collection took a name")) return;
    if (r) {
      ++ajouts_;
      Connaitre(nom);
      // Found at once, on any pair: the name hangs where a lookup goes.
      FUZZ_EXIGER(f.Chercher(nom), "a name just added is not found");
      FUZZ_EXIGER(Texte(f.Noeud().Cle) == nom, "a name just added is found on another node");
    }
    if (!modeleValide_) return;
    const bool attendue = nom.size() < TailleNom && modele_.count(nom) == 0;
    FUZZ_EXIGER(r == attendue, "Ajouter answered wrong");
    if (!r) return;
    modele_.emplace(nom, attendu);
    SurNom(k, nom, "Ajouter leaves the object elsewhere");
  }

  void Supprimer(int k) {
    Fic& f = *objets_[k];
    const Position avant = position_[k];
    const int signales = Vantor().nombre;
    const bool r = f.Supprimer();
    if (Ferme(k, r, "a closed collection deleted a name")) return;
    if (!modeleValide_) return;
    if (modele_.empty()) {
      FUZZ_EXIGER(!r, "Supprimer succeeded on an empty collection");
      return;
    }
    switch (avant.etat) {
      case Position::Aucune:
        // Reported to the user as misuse, nothing deleted.
        FUZZ_EXIGER(Vantor().nombre == signales + 1,
                    "Supprimer without a current name not reported");
        return;
      case Position::Inconnue:
        modeleValide_ = false;  // some node was deleted, which one is the store's business
        return;
      case Position::Connue:
        FUZZ_EXIGER(r, "Supprimer failed on a sound tree");
        FUZZ_EXIGER(f.PtrEnreg == AucunLien, "Supprimer leaves the object on a node");
        modele_.erase(avant.nom);
        position_[k] = {};
        Perdre(k);
        return;
    }
  }

  void Modifier(int k) {
    Fic& f = *objets_[k];
    const Position avant = position_[k];
    RemplirEnreg(f, avant.nom);
    const Octets attendu = Normalise(f.Enreg);
    ++modifications_;
    const bool r = f.Modifier();
    if (Ferme(k, r, "a closed collection changed a record")) return;
    if (!modeleValide_) return;
    if (modele_.empty()) {
      FUZZ_EXIGER(!r, "Modifier succeeded on an empty collection");
      return;
    }
    switch (avant.etat) {
      case Position::Aucune:
        return;  // reported as misuse, nothing written
      case Position::Inconnue:
        modeleValide_ = false;
        return;
      case Position::Connue:
        FUZZ_EXIGER(r, "Modifier failed on a sound tree");
        modele_.at(avant.nom) = attendu;
        return;
    }
  }

  void Lire(int k) {
    Fic& f = *objets_[k];
    const Octets avant = OctetsDe(f.Enreg);
    f.Lire();
    if (!modeleValide_ || !f.EstOuvert()) return;
    if (position_[k].etat == Position::Aucune) {
      FUZZ_EXIGER(OctetsDe(f.Enreg) == avant, "Lire without a current name changed the record");
    } else if (position_[k].etat == Position::Connue) {
      FUZZ_EXIGER(OctetsDe(f.Enreg) == modele_.at(position_[k].nom),
                  "Lire loaded another record than the name's");
    }
  }

  // The data file grows by the records written, never more: a record offset read from a damaged
  // node must not send a write far past the end of the file (nor a lot's copy of it in memory).
  void VerifierTailleDonnees() {
    struct stat etat;
    if (::stat((base_ + ".DAT").c_str(), &etat) != 0) return;
    const auto permise =
        tailleDonnees_ + (ajouts_ + modifications_) * static_cast<std::int64_t>(sizeof(Enr));

    FUZZ_EXIGER(etat.st_size <= permise, "a write went far past the end of the data file");
  }

  void FinLot() {
    const bool ok = lots_.back()->Terminer();
    lots_.pop_back();
    if (modeleValide_) FUZZ_EXIGER(ok, "a lot could not write what it kept");
  }

  void Rouvrir(int k) {
    Fic& f = *objets_[k];
    const bool etaitOuvert = f.EstOuvert();
    f.Fermer();
    FUZZ_EXIGER(!f.EstOuvert() && f.PtrEnreg == AucunLien, "Fermer leaves the object open");
    position_[k] = {};
    const bool r = f.Ouvrir();
    if (modeleValide_) FUZZ_EXIGER(r && etaitOuvert, "the pair could not be opened again");
  }

  // The files read again by a fresh object, and checked by the companion.
  void Relire(bool sain) {
    Fic f(base_);
    FUZZ_EXIGER(f.Ouvrir(), "the pair could not be opened at the end");
    std::vector<std::string> vus;
    for (bool r = f.Premier(); r; r = f.Suivant()) {
      FUZZ_EXIGER(vus.size() < modele_.size(), "the files hold more names than were added");
      vus.emplace_back(Texte(f.Noeud().Cle));
      FUZZ_EXIGER(modele_.count(vus.back()) == 1 && OctetsDe(f.Enreg) == modele_.at(vus.back()),
                  "the files hold another record than was written");
    }
    FUZZ_EXIGER(vus.size() == modele_.size(), "the files lost names");
    f.LireEntete();
    // A negative count, left as it is until the first addition, reads as an empty collection.
    FUZZ_EXIGER(f.NbEnreg == static_cast<std::int32_t>(modele_.size()) ||
                    (modele_.empty() && f.NbEnreg < 0),
                "the header count is wrong");
    f.Fermer();
    // The companion also holds each record to its key's name and to terminated texts, which
    // this harness's records need not keep.
    for (const auto& [nom, enreg] : modele_) {
      for (const outils::ChampTexteEnreg& champ : description_.champs) {
        const char* texte = reinterpret_cast<const char*>(enreg.data()) + champ.offset;
        const std::size_t longueur = ::strnlen(texte, champ.taille);
        if (longueur == champ.taille) return;
        if (champ.offset == 0 && std::string_view(texte, longueur) != nom) return;
      }
    }
    if (!sain) return;
    const outils::RapportPaire rapport = outils::VerifierPaire(description_);
    for (const std::string& defaut : rapport.defauts)
      std::fprintf(stderr, "  %s\n", defaut.c_str());
    FUZZ_EXIGER(rapport.nbDefauts == 0, "the companion finds faults in a pair the store wrote");
    FUZZ_EXIGER(rapport.nbAtteints == static_cast<std::int64_t>(modele_.size()),
                "the companion reaches another number of records");
  }

  std::string base_;
  const outils::DescriptionPaire& description_;
  fuzz::Flux& flux_;
  std::array<std::unique_ptr<Fic>, 2> objets_;
  std::vector<std::unique_ptr<LotFichier>> lots_;
  std::array<Position, 2> position_;
  std::map<std::string, Octets, OrdreDesNoms> modele_;
  bool modeleValide_ = false;
  std::int64_t noeudsIndex_ = 0;
  std::int64_t ajouts_ = 0;
  std::int64_t modifications_ = 0;
  std::int64_t tailleDonnees_ = 0;
  std::vector<std::string> connus_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EntrerDossierFuzz();
  fuzz::ViderDossier();
  DefinirRapporteurVantor(&Vantor());
  fuzz::Flux flux(data, size);
  const std::uint8_t choix = flux.Octet();
  const bool sansIndex = choix & 4, sansDonnees = choix & 8, parCollection = choix & 16;
  std::size_t nIndex, nDonnees;
  const std::uint8_t* index = flux.Octets(flux.Mot16(), &nIndex);
  const std::uint8_t* donnees = flux.Octets(flux.Mot16(), &nDonnees);

  const std::string_view bases[] = {BaseFamille, BaseIngredient, BaseCocktail, BaseResultat};
  const outils::DescriptionPaire* descriptions[] = {
      &outils::PaireFamille(), &outils::PaireIngredient(), &outils::PaireCocktail(),
      &outils::PaireResultat()};
  const std::string base(bases[choix & 3]);
  if (!sansIndex) fuzz::EcrireFichier(base + ".NDX", index, sansIndex ? 0 : nIndex);
  if (!sansDonnees) fuzz::EcrireFichier(base + ".DAT", donnees, nDonnees);

  // The model holds when the collection starts empty: both files new, or a header that counts
  // no record (whatever dead nodes and records the files still hold). The companion's check
  // also applies when the files hold whole nodes and records only.
  const std::size_t tailleEnreg = descriptions[choix & 3]->tailleEnreg;
  const bool nouvelle = sansIndex && sansDonnees && parCollection;
  const bool vide =
      !sansIndex && !sansDonnees && (nDonnees < TailleEntete || LireMot(donnees) <= 0);
  // (A negative count is a fault for the companion, an empty collection for the store.)
  const bool sain =
      nouvelle || (vide && nIndex % NoeudIndex::Taille == 0 &&
                   (nDonnees < TailleEntete ||
                    (LireMot(donnees) == 0 && (nDonnees - TailleEntete) % tailleEnreg == 0)));
  const std::int64_t noeuds = static_cast<std::int64_t>(nIndex / NoeudIndex::Taille);
  switch (choix & 3) {
    case 0:
      Session<FicFamille>(base, *descriptions[0], flux)
          .Executer(choix, noeuds, nDonnees, nouvelle || vide, sain);
      break;
    case 1:
      Session<FicIngredient>(base, *descriptions[1], flux)
          .Executer(choix, noeuds, nDonnees, nouvelle || vide, sain);
      break;
    default:
      Session<FicCocktail>(base, *descriptions[choix & 3], flux)
          .Executer(choix, noeuds, nDonnees, nouvelle || vide, sain);
  }
  DefinirRapporteurVantor(nullptr);
  return 0;
}
