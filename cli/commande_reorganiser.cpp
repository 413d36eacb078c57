// SPDX-License-Identifier: GPL-3.0-or-later
// reorganiser: rebuilds a collection (or all of them) into a balanced tree and a compact data
// file, keeping the old pair as .bak. Refused while the program has the pair open.

#include <iostream>
#include <string>

#include "cli/commandes.h"
#include "cli/paires.h"
#include "cli/rapport_verification.h"
#include "cli/reorganisation.h"

namespace velquor::outils {

namespace {

struct Cible {
  std::string_view nom;
  const DescriptionPaire& (*paire)();
};

constexpr Cible Cibles[] = {{"familles", &PaireFamille},
                            {"ingredients", &PaireIngredient},
                            {"cocktails", &PaireCocktail},
                            {"resultats", &PaireResultat}};

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.size() != 1)
    return "reorganiser attend un argument : familles, ingredients, "
           "cocktails, resultats ou tout";
  if (operandes[0] == "tout") return {};
  for (const Cible& c : Cibles) {
    if (operandes[0] == c.nom) return {};
  }
  return "reorganiser : collection inconnue : " + operandes[0];
}

std::string Mesure(const MesurePaire& m) {
  return Compter(m.nbEnreg, "enregistrement", "enregistrements") + ", index " +
         std::to_string(m.octetsIndex) + " octets, données " + std::to_string(m.octetsDonnees) +
         " octets, profondeur " + std::to_string(m.profondeur);
}

// Where the records of the new pair come from, and what was left out.
void DireRecueil(const Recueil& r) {
  struct Source {
    Origine origine;
    std::string_view singulier, pluriel;
  };
  static constexpr Source Sources[] = {
      {Origine::Arbre, "atteint par l'arbre", "atteints par l'arbre"},
      {Origine::HorsArbre, "retrouvé hors de l'arbre", "retrouvés hors de l'arbre"},
      {Origine::Donnees, "retrouvé dans les données par son nom",
       "retrouvés dans les données par leur nom"},
      {Origine::NomAbime, "au nom illisible, gardé sous sa clé",
       "au nom illisible, gardés sous leur clé"},
      {Origine::NomEnreg, "gardé sous son nom, sa clé étant abîmée",
       "gardés sous leur nom, leur clé étant abîmée"},
      {Origine::DeuxNoms, "gardé sous sa clé et sous son nom, presque semblables",
       "gardés sous leur clé et sous leur nom, presque semblables"},
      {Origine::SansRecette, "nom gardé sans sa recette", "noms gardés sans leur recette"},
  };
  std::string origine;
  for (const Source& s : Sources) {
    if (r.Gardes(s.origine) == 0 && s.origine != Origine::Arbre) continue;
    origine += (origine.empty() ? "" : ", ") + Compter(r.Gardes(s.origine), s.singulier, s.pluriel);
  }
  Dire("  récupérés : " + origine);
  std::vector<std::string> laisses;
  if (r.morts > 0)
    laisses.push_back(Compter(r.morts, "nœud mort (nom supprimé)", "nœuds morts (noms supprimés)"));
  if (r.doublons > 0) laisses.push_back(Compter(r.doublons, "nom en double", "noms en double"));
  if (r.laisses > 0)
    laisses.push_back(Compter(r.laisses, "enregistrement du fichier de données",
                              "enregistrements du fichier de données"));
  for (std::size_t i = 0; i < laisses.size(); ++i)
    Dire((i == 0 ? "  laissés de côté : " : "    ") + laisses[i]);
  if (r.liensCasses > 0)
    Dire("  " + Compter(r.liensCasses, "lien de l'arbre cassé", "liens de l'arbre cassés"));
  for (const std::string& nom : r.sansRecette)
    Dire("  - " + nom);
  for (const std::string& remarque : r.remarques)
    Dire("  - " + remarque);
  const auto autres = r.nbRemarques - static_cast<std::int64_t>(r.remarques.size());
  if (autres > 0) Dire("  … et " + std::to_string(autres) + " autres (l'ancienne paire les garde)");
}

// Rebuilds one pair and says how it went; false on a problem.
bool Traiter(const DescriptionPaire& paire, bool siPresente) {
  const std::string base(paire.base);
  if (EtatPaire etat = EtatDePaire(paire.base); etat != EtatPaire::Presente) {
    if (siPresente && etat == EtatPaire::Absente) return true;
    DireErreur(TexteSansPaire(paire.base, paire.pluriel, etat));
    return false;
  }
  const BilanReorganisation bilan = ReorganiserPaire(paire);
  if (bilan.reprise) Dire(TexteReprise(bilan.repriseFaite));
  if (bilan.verrouillee) {
    DireErreur(base +
               " est ouvert par un autre programme (Le Velquor ?) : fermez-le, puis "
               "recommencez. Rien n'a été modifié.");
    return false;
  }
  if (!bilan.fait) {
    DireErreur(base + " : " + bilan.erreur);
    return false;
  }
  Dire(base + " réorganisé.");
  Dire("  avant : " + Mesure(bilan.avant));
  Dire("  après : " + Mesure(bilan.apres));
  DireRecueil(bilan.recueil);
  std::string sauvegarde =
      "  ancienne paire gardée dans " + bilan.sauvegardeIndex + " et " + bilan.sauvegardeDonnees;
  if (bilan.sauvegardesGardees > 0)
    sauvegarde += " (" +
                  Compter(bilan.sauvegardesGardees, "sauvegarde plus ancienne gardée",
                          "sauvegardes plus anciennes gardées") +
                  (bilan.sauvegardesGardees > 1 ? " : cette paire ne les contient pas entières)"
                                                : " : cette paire ne la contient pas entière)");
  Dire(sauvegarde);
  return true;
}

int Executer(const Operandes& operandes, ConsoleMessages&) {
  bool ok = true;
  bool recettes = false;  // a pair the cocktails' references depend on was rebuilt
  for (const Cible& c : Cibles) {
    if (operandes[0] == "tout" || operandes[0] == c.nom) {
      ok = Traiter(c.paire(), operandes[0] == "tout") && ok;
      recettes = recettes || &c.paire() != &PaireResultat();
    }
  }
  // A rebuild keeps what it can tie to a name: say whether every family and ingredient the
  // cocktails name is still there.
  if (recettes && EtatDePaire(PaireCocktail().base) == EtatPaire::Presente)
    ok = RapporterReferences(std::cerr, VerifierBase().references) == 0 && ok;
  return ok ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeReorganiser{"reorganiser", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
