// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/verification_paire.h"

#include <cstddef>
#include <cstring>
#include <set>
#include <unordered_set>

#include "cli/console.h"
#include "cli/fichier_lecture.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/cp1252.h"
#include "store/enregistrements.h"
#include "store/lignes_composition.h"
#include "store/pfichier.h"

namespace velquor::outils {

namespace {

constexpr std::size_t DefautsGardes = 200;
constexpr std::int64_t TailleNoeud = NoeudIndex::Taille;

std::vector<ChampTexteEnreg> ChampsCocktail() {
  std::vector<ChampTexteEnreg> champs = {{offsetof(EnrCocktail, Nom), TailleNom, "nom"}};
  for (int i = 0; i < NbLignesComposition; ++i) {
    champs.push_back(
        {offsetof(EnrCocktail, Quantite) + i * TailleQuantite, TailleQuantite, "quantité"});
    champs.push_back({offsetof(EnrCocktail, Ingredient) + i * TailleNom, TailleNom, "ingrédient"});
  }
  champs.push_back({offsetof(EnrCocktail, Famille), TailleNom, "famille"});
  champs.push_back({offsetof(EnrCocktail, Remarques), TailleCommentaire, "remarques"});
  return champs;
}

std::string Cite(std::string_view cp1252) {
  return "« " + TexteAffichable(cp1252) + " »";
}

std::string Nombre(std::int64_t n) {
  return std::to_string(n);
}

class Verification {
 public:
  Verification(const DescriptionPaire& paire, const VisiteurEnreg& visiteur, RapportPaire& r)
      : paire_(paire), visiteur_(visiteur), r_(r), enreg_(paire.tailleEnreg) {}

  void Verifier() {
    std::string base(paire_.base);
    const std::string nomIndex = base + ".NDX", nomDonnees = base + ".DAT";
    if (!index_.Ouvrir(nomIndex)) return r_.Defaut("impossible de lire " + nomIndex);
    if (!donnees_.Ouvrir(nomDonnees)) return r_.Defaut("impossible de lire " + nomDonnees);
    if (!LireEntete(nomDonnees)) return;
    // A header that counts no record makes an empty collection, whatever the index still holds
    // (a stop may leave nodes written ahead of the header that would count them): the readers
    // see none, and the next addition starts a new tree at the root's place.
    if (r_.nbEnreg == 0 && donnees_.Taille() >= 8) return;
    if (index_.Taille() % TailleNoeud != 0)
      r_.Defaut(nomIndex + " : " + Nombre(index_.Taille()) +
                " octets, pas un multiple de 47 (nœud tronqué à la fin)");
    VerifierTailleDonnees(nomIndex, nomDonnees);
    if (r_.nbEnreg == 0) return;  // a new data file, without its header yet
    if (index_.Taille() < TailleNoeud)
      return r_.Defaut("l'en-tête annonce " + Nombre(r_.nbEnreg) + " enregistrements mais " +
                       nomIndex + " n'a pas de racine");
    atteint_.assign(static_cast<std::size_t>(index_.Taille() / TailleNoeud), false);
    Parcourir();
    if (r_.nbAtteints != r_.nbEnreg)
      r_.Defaut("l'en-tête annonce " + Nombre(r_.nbEnreg) + " enregistrements, l'index en relie " +
                Nombre(r_.nbAtteints));
    if (nomsDifferents_ >= 2 && nomsDifferents_ * 2 > r_.nbAtteints) {
      // The verdict first: the faults of each record say the same thing over and over.
      r_.depareillee = true;
      ++r_.nbDefauts;
      r_.defauts.insert(
          r_.defauts.begin(),
          nomIndex + " et " + nomDonnees + " ne vont pas ensemble : " + Nombre(nomsDifferents_) +
              " des " + Nombre(r_.nbAtteints) +
              " enregistrements atteints portent un autre nom que leur clé (un index et des "
              "données de deux versions différentes ?)");
    }
  }

 private:
  bool LireEntete(const std::string& nomDonnees) {
    const std::int64_t taille = donnees_.Taille();
    if (taille == 0) return true;  // a new file: the program writes its header on opening
    unsigned char entete[8];
    if (taille < 8 || !donnees_.LireA(0, entete, 8)) {
      r_.Defaut(nomDonnees + " : en-tête incomplet (" + Nombre(taille) + " octets)");
      return false;
    }
    auto nb = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(entete[0]) | static_cast<std::uint32_t>(entete[1]) << 8 |
        static_cast<std::uint32_t>(entete[2]) << 16 | static_cast<std::uint32_t>(entete[3]) << 24);
    r_.nbEnreg = nb;
    if (nb < 0) {
      r_.Defaut(nomDonnees + " : nombre d'enregistrements négatif dans l'en-tête (" + Nombre(nb) +
                ")");
      return false;
    }
    if (nb > 0 && (taille - 8) % static_cast<std::int64_t>(paire_.tailleEnreg) != 0)
      r_.Defaut(nomDonnees + " : " + Nombre(taille) + " octets, pas 8 + un multiple de " +
                Nombre(static_cast<std::int64_t>(paire_.tailleEnreg)) +
                " (enregistrement tronqué à la fin)");
    return true;
  }

  // Every node, reached or dead, points to a record that the data file holds: records are
  // written before their nodes and the data file never shrinks. A data file cut short (or
  // emptied of its header too) beside its index is found here.
  void VerifierTailleDonnees(const std::string& nomIndex, const std::string& nomDonnees) {
    const std::int64_t nbNoeuds = index_.Taille() / TailleNoeud;
    std::vector<unsigned char> octets(static_cast<std::size_t>(nbNoeuds * TailleNoeud));
    if (octets.empty() || !index_.LireA(0, octets.data(), octets.size())) return;
    const auto taille = static_cast<std::int64_t>(paire_.tailleEnreg);
    std::int64_t auDela = 0;
    for (std::int64_t i = 0; i < nbNoeuds; ++i) {
      const std::int64_t pos = LireMot(octets.data() + i * TailleNoeud);
      if (pos >= 8 && pos + taille > donnees_.Taille()) ++auDela;
    }
    if (auDela > 0)
      r_.Defaut(nomDonnees + " : " + Nombre(donnees_.Taille()) +
                " octets, trop court pour son index : " + Nombre(auDela) + " des " +
                Nombre(nbNoeuds) + " nœuds de " + nomIndex +
                " désignent un enregistrement au-delà de sa fin");
  }

  bool LireNoeud(std::int32_t pos, NoeudIndex& noeud) const {
    unsigned char octets[NoeudIndex::Taille];
    if (!index_.LireA(pos, octets, sizeof octets)) return false;
    noeud = NoeudIndex::DepuisOctets(octets);
    return true;
  }

  // The child a link leads to, when the link is sound; every fault of the link is reported.
  bool Suivre(std::int32_t posParent, std::int32_t lien, std::string_view cote,
              NoeudIndex& enfant) {
    if (lien == AucunLien) return false;
    std::string depuis =
        "nœud " + Nombre(posParent) + ", lien " + std::string(cote) + " " + Nombre(lien) + " : ";
    if (lien < 0 || lien % TailleNoeud != 0 || lien + TailleNoeud > index_.Taille()) {
      r_.Defaut(depuis + "hors de l'index ou pas sur un début de nœud");
      return false;
    }
    if (lien == 0 || atteint_[static_cast<std::size_t>(lien / TailleNoeud)]) {
      r_.Defaut(depuis + "mène à un nœud déjà atteint (cycle ou nœud partagé)");
      return false;
    }
    if (!LireNoeud(lien, enfant)) {
      r_.Defaut(depuis + "nœud illisible");
      return false;
    }
    if (enfant.Pere != posParent)
      r_.Defaut(depuis + "le nœud désigne " + Nombre(enfant.Pere) + " comme père au lieu de " +
                Nombre(posParent));
    return true;
  }

  // In name order without recursion: a chain of thousands of nodes is a sound tree too.
  void Parcourir() {
    NoeudIndex racine;
    if (!LireNoeud(0, racine)) return r_.Defaut("racine illisible");
    if (racine.Pere != AucunLien)
      r_.Defaut("la racine désigne " + Nombre(racine.Pere) + " comme père au lieu de -1");
    std::vector<std::pair<std::int32_t, NoeudIndex>> pile;
    auto descendre = [&](std::int32_t pos, NoeudIndex noeud) {
      for (;;) {
        atteint_[static_cast<std::size_t>(pos / TailleNoeud)] = true;
        pile.emplace_back(pos, noeud);
        NoeudIndex gauche;
        if (!Suivre(pos, noeud.Gauche, "gauche", gauche)) return;
        pos = noeud.Gauche;
        noeud = gauche;
      }
    };
    descendre(0, racine);
    while (!pile.empty()) {
      auto [pos, noeud] = pile.back();
      pile.pop_back();
      Visiter(pos, noeud);
      NoeudIndex droite;
      if (Suivre(pos, noeud.Droite, "droit", droite)) descendre(noeud.Droite, droite);
    }
  }

  void Visiter(std::int32_t pos, const NoeudIndex& noeud) {
    ++r_.nbAtteints;
    std::string_view cle = Texte(noeud.Cle);
    std::string ici = "nœud " + Nombre(pos) + " " + Cite(cle) + " : ";
    if (cle.size() == TailleNom) r_.Defaut(ici + "clé sans terminateur");
    if (r_.nbAtteints > 1) {
      int ordre = ComparerNoms(precedent_, cle);
      if (ordre == 0) r_.Defaut(ici + "nom en double dans l'index");
      if (ordre > 0)
        r_.HorsOrdre(ici + "placé après " + Cite(precedent_) +
                     " qu'il précède dans l'ordre des noms");
    }
    precedent_.assign(cle);

    const std::int64_t debut = noeud.PosEnreg;
    const auto taille = static_cast<std::int64_t>(paire_.tailleEnreg);
    if (debut < 8 || (debut - 8) % taille != 0 || debut + taille > donnees_.Taille()) {
      return r_.Defaut(ici + "enregistrement à l'octet " + Nombre(debut) +
                       ", hors du fichier de données ou pas au début d'un enregistrement");
    }
    if (!positions_.insert(noeud.PosEnreg).second)
      r_.Defaut(ici + "enregistrement déjà désigné par un autre nœud");
    if (!donnees_.LireA(debut, enreg_.data(), enreg_.size()))
      return r_.Defaut(ici + "enregistrement illisible");
    for (const ChampTexteEnreg& champ : paire_.champs) {
      const char* octets = reinterpret_cast<const char*>(enreg_.data()) + champ.offset;
      if (::strnlen(octets, champ.taille) == champ.taille)
        r_.Defaut(ici + "champ « " + std::string(champ.nom) + " » sans terminateur");
    }
    std::string_view nom(reinterpret_cast<const char*>(enreg_.data()),
                         ::strnlen(reinterpret_cast<const char*>(enreg_.data()), TailleNom));
    if (nom != cle) {
      ++nomsDifferents_;
      r_.Defaut(ici + "l'enregistrement porte le nom " + Cite(nom));
    }
    if (visiteur_) visiteur_(cle, enreg_.data());
  }

  const DescriptionPaire& paire_;
  const VisiteurEnreg& visiteur_;
  RapportPaire& r_;
  FichierLecture index_;
  FichierLecture donnees_;
  std::vector<bool> atteint_;
  std::unordered_set<std::int32_t> positions_;
  std::vector<unsigned char> enreg_;
  std::string precedent_;
  std::int64_t nomsDifferents_ = 0;
};

}  // namespace

void RapportPaire::Defaut(std::string texte) {
  ++nbDefauts;
  if (defauts.size() < DefautsGardes) defauts.push_back(std::move(texte));
}

void RapportPaire::HorsOrdre(std::string texte) {
  ++nbHorsOrdre;
  if (horsOrdre.size() < DefautsGardes) horsOrdre.push_back(std::move(texte));
}

const DescriptionPaire& PaireFamille() {
  static const DescriptionPaire p{
      "FAMILLE",
      "famille",
      "familles",
      sizeof(EnrFamille),
      {{offsetof(EnrFamille, Nom), TailleNom, "nom"},
       {offsetof(EnrFamille, Commentaire), TailleCommentaire, "commentaire"}},
      "familles"};
  return p;
}

const DescriptionPaire& PaireIngredient() {
  static const DescriptionPaire p{
      "INGRED",
      "ingrédient",
      "ingrédients",
      sizeof(EnrIngredient),
      {{offsetof(EnrIngredient, Nom), TailleNom, "nom"},
       {offsetof(EnrIngredient, Commentaire), TailleCommentaire, "commentaire"}},
      "ingredients"};
  return p;
}

const DescriptionPaire& PaireCocktail() {
  static const DescriptionPaire p{"COCKTAIL",          "cocktail",       "cocktails",
                                  sizeof(EnrCocktail), ChampsCocktail(), "cocktails"};
  return p;
}

const DescriptionPaire& PaireResultat() {
  static const DescriptionPaire p{"RESURECH",          "résultat",       "résultats",
                                  sizeof(EnrCocktail), ChampsCocktail(), "resultats"};
  return p;
}

RapportPaire VerifierPaire(const DescriptionPaire& paire, const VisiteurEnreg& visiteur) {
  RapportPaire rapport;
  rapport.etat = EtatDePaire(paire.base);
  if (rapport.etat == EtatPaire::Presente) Verification(paire, visiteur, rapport).Verifier();
  if (rapport.etat == EtatPaire::Incomplete)
    rapport.Defaut(TexteSansPaire(paire.base, paire.pluriel, rapport.etat));
  return rapport;
}

namespace {

// The rows of the cocktail that no display shows, named after the row that hides them.
void VerifierLignes(std::string_view genre, std::string_view cle, const EnrCocktail& c,
                    RapportPaire& rapport) {
  const std::vector<int> cachees = LignesCachees(c);
  if (cachees.empty()) return;
  std::string texte = std::string(genre) + " " + Cite(cle) + " : ligne " +
                      Nombre(NbLignesAffichees(c) + 1) + " sans ingrédient, qui cache la suite :";
  for (std::size_t k = 0; k < cachees.size(); ++k)
    texte += (k == 0 ? " ligne " : ", ligne ") + Nombre(cachees[k] + 1) + " " +
             Cite(Texte(c.Ingredient[cachees[k]]));
  rapport.Defaut(std::move(texte));
}

}  // namespace

RapportBase VerifierBase() {
  RapportBase base;
  std::set<std::string> familles, ingredients;
  auto recueillir = [](std::set<std::string>& noms) -> VisiteurEnreg {
    return [&noms](std::string_view cle, const unsigned char*) { noms.emplace(cle); };
  };
  base.familles = VerifierPaire(PaireFamille(), recueillir(familles));
  base.ingredients = VerifierPaire(PaireIngredient(), recueillir(ingredients));
  auto controler = [&](std::string_view cle, const unsigned char* octets) {
    EnrCocktail c;
    std::memcpy(&c, octets, sizeof c);
    std::string_view famille = Texte(c.Famille);
    if (!famille.empty() && !familles.contains(std::string(famille)))
      base.references.Defaut("le cocktail " + Cite(cle) + " nomme la famille " + Cite(famille) +
                             ", absente");
    for (const auto& champ : c.Ingredient) {
      std::string_view ingredient = Texte(champ);
      if (!ingredient.empty() && !ingredients.contains(std::string(ingredient)))
        base.references.Defaut("le cocktail " + Cite(cle) + " nomme l'ingrédient " +
                               Cite(ingredient) + ", absent");
    }
    VerifierLignes("le cocktail", cle, c, base.lignesCocktails);
  };
  base.cocktails = VerifierPaire(PaireCocktail(), controler);
  // A result is the copy of a cocktail as it was when the search ran: its names may have gone
  // since, but its rows are shown as the cocktail's are.
  base.resultats =
      VerifierPaire(PaireResultat(), [&](std::string_view cle, const unsigned char* octets) {
        EnrCocktail c;
        std::memcpy(&c, octets, sizeof c);
        VerifierLignes("le résultat", cle, c, base.lignesResultats);
      });
  return base;
}

}  // namespace velquor::outils
