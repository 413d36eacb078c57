// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/recherche.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "resources/chaines.h"
#include "search/selection.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/fichier_brut.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"
#include "store/remplacement_paire.h"
#include "store/systeme_fichiers.h"

namespace velquor {

namespace {

GenreRecherche Genre(int typeRecherche) {
  if (typeRecherche == RechercheNom) return RechercheNom;
  if (typeRecherche == RechercheFamille) return RechercheFamille;
  return RechercheIngredients;
}

// The criteria made ready for many cocktails: the chosen names sorted once, so that each name
// of a cocktail is looked up rather than compared with every chosen name.
class Selecteur {
 public:
  explicit Selecteur(const CriteresRecherche& criteres)
      : criteres_(criteres), genre_(Genre(criteres.TypeRecherche)) {
    if (genre_ == RechercheFamille) Preparer(criteres.FamillesChoisies);
    if (genre_ == RechercheIngredients) Preparer(criteres.IngredientsChoisis);
  }

  bool operator()(const EnrCocktail& cocktail) const {
    switch (genre_) {
      case RechercheNom:
        return ParNom(cocktail);
      case RechercheFamille:
        return ParFamille(cocktail);
      case RechercheIngredients:
        break;
    }
    return ParIngredients(cocktail);
  }

 private:
  void Preparer(const std::vector<std::string>& noms) {
    choisis_.assign(noms.begin(), noms.end());
    std::sort(choisis_.begin(), choisis_.end());
  }

  // Exact, case-sensitive equality of the whole name. An empty field names nothing.
  bool EstChoisi(std::string_view nom) const {
    return !nom.empty() && std::binary_search(choisis_.begin(), choisis_.end(), nom);
  }

  bool ParNom(const EnrCocktail& cocktail) const {
    // The empty string is in every name; a string longer than the name is in none.
    bool contient = Texte(cocktail.Nom).find(criteres_.Chaine) != std::string_view::npos;
    return contient == (criteres_.SensNom == NomContient);
  }

  bool ParFamille(const EnrCocktail& cocktail) const {
    bool choisie = EstChoisi(Texte(cocktail.Famille));
    return choisie == (criteres_.SensFamille == FamilleSelectionnee);
  }

  bool ParIngredients(const EnrCocktail& cocktail) const {
    int remplis = 0;
    int choisis = 0;
    for (const auto& slot : cocktail.Ingredient) {
      std::string_view nom = Texte(slot);
      if (nom.empty()) continue;
      ++remplis;
      if (EstChoisi(nom)) ++choisis;
    }
    if (choisis == 0) return criteres_.SensIngredients == AucunChoisi;
    if (criteres_.SensIngredients == AuMoinsUnChoisi) return true;
    return criteres_.SensIngredients == TousChoisis && choisis == remplis;
  }

  const CriteresRecherche& criteres_;
  GenreRecherche genre_;
  std::vector<std::string_view> choisis_;
};

void SupprimerResultat(const PFichier& resultat) {
  FichierBrut::Supprimer(resultat.NomFichierIndex());
  FichierBrut::Supprimer(resultat.NomFichierDonnees());
}

// A search that clears the last result writes the new one aside, where a replacement is
// prepared (store/remplacement_paire.h): the old result stays until the new one is whole.
std::string BaseNouveauResultat() {
  return std::string(DossierRemplacement) + "/" + std::string(BaseResultat);
}

// Makes the place of the new result ready: no new files of an earlier search (a replacement a
// stop left is finished first, which needs the folder and may remove it), and the folder.
void PreparerNouveauResultat() {
  std::error_code erreur;
  std::filesystem::create_directory(DossierRemplacement, erreur);
  RepriseRemplacement reprise;
  ReprendreRemplacement(std::string(BaseResultat), reprise);
  std::filesystem::create_directory(DossierRemplacement, erreur);
}

// The new result takes the old one's place, whole. An empty one clears it: its header first
// counts no record (a result that counts none is no result, whatever a stop leaves behind),
// then both files go. False when the old result stays as it was.
bool MettreEnPlace(const FicCocktail& nouveau, bool vide) {
  if (!vide) {
    std::string erreur;
    return RemplacerPaire(std::string(BaseResultat), "", "", erreur);
  }
  SupprimerResultat(nouveau);
  FicCocktail ancien(BaseResultat);
  FichierBrut donnees;
  const unsigned char zero[4] = {};
  if (!donnees.OuvrirExistant(ancien.NomFichierDonnees()) || !donnees.EcrireA(0, zero, 4) ||
      !donnees.Synchroniser())
    return false;
  SupprimerResultat(ancien);
  return true;
}

// Whether the result pair holds no record and may go. A pair that could not be opened is
// looked at on disk: it goes only when its data file counts no record, or when neither of its
// files is there, so that a result the run could not open (a protected or damaged pair, an index
// whose data file is lost) is never thrown away unseen.
bool ResultatVide(PFichier& resultat) {
  if (resultat.EstOuvert()) {
    resultat.LireEntete();
    return resultat.NbEnreg <= 0;
  }
  std::error_code erreur;
  if (!std::filesystem::exists(resultat.NomFichierDonnees(), erreur)) {
    return !erreur && !std::filesystem::exists(resultat.NomFichierIndex(), erreur) && !erreur;
  }
  FichierBrut donnees;
  if (!donnees.OuvrirExistant(resultat.NomFichierDonnees())) return false;
  unsigned char entete[4] = {};
  if (donnees.LireA(0, entete, sizeof entete) < sizeof entete) return true;
  auto nombre = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(entete[0]) | static_cast<std::uint32_t>(entete[1]) << 8 |
      static_cast<std::uint32_t>(entete[2]) << 16 | static_cast<std::uint32_t>(entete[3]) << 24);
  return nombre <= 0;
}

}  // namespace

bool Correspond(const CriteresRecherche& criteres, const EnrCocktail& cocktail) {
  return Selecteur(criteres)(cocktail);
}

bool ExecuterRecherche(const CriteresRecherche& criteres, const CrochetsRecherche& crochets,
                       EcrituresRecherche* ecritures) {
  EcrituresRecherche ecrit;
  const GenreRecherche genre = Genre(criteres.TypeRecherche);
  if (genre == RechercheFamille)
    ecrit.selection = EcrireSelection(CheminSelectionFamilles, criteres.FamillesChoisies);
  if (genre == RechercheIngredients)
    ecrit.selection = EcrireSelection(CheminSelectionIngredients, criteres.IngredientsChoisis);

  bool trouve = false;
  {
    FicCocktail cocktails(BaseCocktail);
    // The run goes on whatever the opening gives: a closed collection finds nothing.
    OuvrirCollection(cocktails, crochets.Messages);

    bool remplacer = false;
    if (FicCocktail ancien(BaseResultat); ancien.Ouvrir()) {
      ancien.Fermer();
      remplacer = crochets.ConfirmerEffacement && crochets.ConfirmerEffacement();
    }
    if (remplacer) PreparerNouveauResultat();
    FicCocktail resultat(remplacer ? BaseNouveauResultat() : std::string(BaseResultat));
    ecrit.resultat = OuvrirCollection(resultat, crochets.Messages);
    const long erreursResultat = resultat.ErreursES();
    // The run reads the cocktails once and writes the result out together when it ends; no other
    // program writes the result while it runs.
    LotFichier lotCocktails(cocktails);
    LotFichier lotResultat(resultat, LotFichier::Usage::Ecriture);

    const Selecteur correspond(criteres);
    resultat.LireEntete();
    const bool resultatVide = resultat.NbEnreg <= 0;
    if (cocktails.Premier()) {
      const std::int64_t total = cocktails.NbEnreg;
      std::int64_t ordinal = 0;
      crochets.Progression.Debut();
      for (;;) {
        // A damaged record's name may fill its field with no terminator: it is keyed by what an
        // index key can hold, as the store always cut a name too long for a key.
        const std::string nom(Texte(cocktails.Enreg.Nom).substr(0, TailleNom - 1));
        ++ordinal;
        // The answer is the stop request as it stood when this step was shown; a click on the
        // stop button is heard in the message processing below, so the next step reports it.
        const bool arret = crochets.Progression.MettreAJour(nom, total, ordinal);
        if (crochets.TraiterMessagesEnAttente) crochets.TraiterMessagesEnAttente();

        // Names already in the result (stored by earlier runs) are not examined again; this
        // run's own matches are all distinct names of the cocktail index, so a result that
        // started empty needs no lookup.
        if ((resultatVide || !resultat.Chercher(nom)) && correspond(cocktails.Enreg)) {
          trouve = true;  // stays set even if the store refuses the addition
          resultat.Enreg = cocktails.Enreg;
          resultat.Ajouter(nom);
        }

        if (!cocktails.Suivant() || arret) break;
      }
      crochets.Progression.Fin();
    }

    lotCocktails.Terminer();
    // A new result that could not be made whole leaves the old one as it was.
    ecrit.resultat = lotResultat.Terminer() && ecrit.resultat && resultat.EstOuvert() &&
                     resultat.ErreursES() == erreursResultat;
    const bool vide = ResultatVide(resultat);
    cocktails.Fermer();
    resultat.Fermer();
    if (remplacer && ecrit.resultat) {
      ecrit.resultat = MettreEnPlace(resultat, vide);
    } else if (remplacer || vide) {
      SupprimerResultat(resultat);
    }
    if (remplacer) systeme::SupprimerDossier(DossierRemplacement);  // only when empty
  }

  if (!trouve) crochets.Messages.AffMessage(ChaineAucunCocktail, "", StyleInformation);
  if (ecritures) *ecritures = ecrit;
  return trouve;
}

}  // namespace velquor
