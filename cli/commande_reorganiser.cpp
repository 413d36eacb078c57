// reorganiser: rebuilds a collection (or all of them) into a balanced tree and a compact data
// file, keeping the old pair as .bak. Refused while the program has the pair open.

#include <string>

#include "cli/commandes.h"
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

// Rebuilds one pair and says how it went; false on a problem.
bool Traiter(const DescriptionPaire& paire, bool siPresente) {
  const std::string base(paire.base);
  if (EtatPaire etat = EtatDePaire(paire.base); etat != EtatPaire::Presente) {
    if (siPresente && etat == EtatPaire::Absente) return true;
    DireErreur(TexteSansPaire(paire.base, paire.pluriel, etat));
    return false;
  }
  const BilanReorganisation bilan = ReorganiserPaire(paire);
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
  Dire("  ancienne paire gardée dans " + base + ".NDX.bak et " + base + ".DAT.bak");
  for (const std::string& r : bilan.remarques)
    Dire("  - " + r);
  return true;
}

int Executer(const Operandes& operandes, ConsoleMessages&) {
  bool ok = true;
  for (const Cible& c : Cibles) {
    if (operandes[0] == "tout" || operandes[0] == c.nom) {
      ok = Traiter(c.paire(), operandes[0] == "tout") && ok;
    }
  }
  return ok ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeReorganiser{"reorganiser", &VerifierOperandes, &Executer};

}  // namespace velquor::outils
