// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/resu_dlg.h"

#include <QLabel>

#include "framework/application.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"
#include "resources/chaines.h"
#include "search/filtre_rech.h"
#include "search/ligne_composition.h"
#include "search/rapporteur_defile.h"
#include "shell/aide.h"
#include "shell/pstatic_multi.h"
#include "store/champ_texte.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"

namespace velquor {

namespace {

enum : int {
  IdListe = 501,
  IdTitre = 502,
  IdRemarques = 503,
  IdComposition = 504,
  IdFamille = 505,
  IdTotaux = 555,
};

}  // namespace

TResuDlg::TResuDlg(QWidget* parent) : PDialogue(207, parent) {
  Lier(IdRemarques, [](QWidget* p) { return new PStaticMulti(p); });
  Commande(CmAffinerRecherche, [this] { AffinerResultat(); });
}

TResuDlg::~TResuDlg() = default;

void TResuDlg::SetupWindow() {
  // The title: "Ms Sans Serif", bold, 20 pixels of cell height (about 17 of character height).
  QFont titre = font();
  titre.setPixelSize(17);
  titre.setBold(true);
  Controle<QLabel>(IdTitre)->setFont(titre);

  auto* liste = Controle<PListe>(IdListe);
  // The focus given to the view goes to its list, as to a dialog's first control.
  setFocusProxy(liste);
  connect(liste, &PListe::selectionChangee, this, [this] { AfficherCocktail(); });

  PServiceMessages& service = ServiceMessages();
  OuvrirCollection(resultat_, service);
  service.CurseurAttente();
  resultat_.LireEntete();
  total_ = resultat_.NbEnreg;
  bool premier = false;
  {
    LotFichier lot(resultat_);  // the walk reads from memory
    premier = resultat_.Premier();
    if (premier) {
      do
        liste->AjouterChaine(Texte(resultat_.Enreg.Nom));
      while (resultat_.Suivant());
    }
  }
  if (premier) {
    liste->SelectionnerIndex(0);
    AfficherCocktail();
  }
  AfficherTotaux();
  service.CurseurFleche();
}

void TResuDlg::AfficherCocktail() {
  auto* titre = Controle<QLabel>(IdTitre);
  auto* composition = Controle<PListe>(IdComposition);
  auto* famille = Controle<QLabel>(IdFamille);
  auto* remarques = Controle<PEditionMulti>(IdRemarques);
  titre->clear();
  composition->Vider();
  famille->clear();
  remarques->DefinirTexteCp1252("");

  auto* liste = Controle<PListe>(IdListe);
  const int index = liste->IndexSelection();
  if (index < 0) return;
  std::string nom = liste->Chaine(index);
  if (nom.size() > TailleNom - 1) nom.resize(TailleNom - 1);
  if (!resultat_.Chercher(nom)) {
    ServiceMessages().Bip();
    return;
  }
  const EnrCocktail& cocktail = resultat_.Enreg;
  titre->setText(Cp1252VersQString(Texte(cocktail.Nom)));
  // The first empty ingredient ends the composition.
  for (int i = 0; i < NbLignesComposition && !Texte(cocktail.Ingredient[i]).empty(); ++i)
    composition->AjouterChaine(
        LigneComposition(Texte(cocktail.Quantite[i]), Texte(cocktail.Ingredient[i])));
  famille->setText(Cp1252VersQString(Texte(cocktail.Famille)));
  remarques->DefinirTexteCp1252(Texte(cocktail.Remarques));
}

void TResuDlg::AfficherTotaux() {
  Controle<QLabel>(IdTotaux)->setText(QStringLiteral("Total %1 / Selection %2")
                                          .arg(total_)
                                          .arg(Controle<PListe>(IdListe)->NbElements()));
}

bool TResuDlg::PasseLesFiltres(const EnrCocktail& cocktail, FicIngredient& ingredients) const {
  if (!filtreFamille_.empty() && Texte(cocktail.Famille) != filtreFamille_) return false;
  if (!filtreIngredient_.empty()) {
    bool present = false;
    for (const auto& ingredient : cocktail.Ingredient)
      present = present || Texte(ingredient) == filtreIngredient_;
    if (!present) return false;
  }
  if (filtreAlcool_ != "A" && filtreAlcool_ != "N") return true;
  // An ingredient missing from the collection (or a collection that did not open) counts as
  // not alcoholic.
  int alcoolises = 0;
  for (const auto& ingredient : cocktail.Ingredient) {
    const std::string_view nom = Texte(ingredient);
    if (!nom.empty() && ingredients.Chercher(nom) && ingredients.Enreg.Alcool == 1) ++alcoolises;
  }
  return filtreAlcool_ == "A" ? alcoolises > 0 : alcoolises == 0;
}

void TResuDlg::AffinerResultat() {
  ContexteAide = AideAffinerRech;
  const int reponse = FiltreRech(this, filtreIngredient_, filtreFamille_, filtreAlcool_).Executer();
  if (reponse == CmIdOk) {
    PServiceMessages& service = ServiceMessages();
    service.CurseurAttente();
    auto* liste = Controle<PListe>(IdListe);
    liste->SuspendreDessin(true);
    liste->Vider();
    if (!resultat_.Premier()) {
      liste->SuspendreDessin(false);
    } else {
      FicIngredient ingredients;
      ingredients.Ouvrir();  // a failure is not reported: nothing then counts as alcoholic
      // Both collections are only read: from memory for the whole pass.
      LotFichier lotResultat(resultat_);
      LotFichier lotIngredients(ingredients);
      // The progress dialog is owned by this dialog; the whole main window is disabled.
      QWidget* principale =
          PApplication::Courante() ? PApplication::Courante()->FenetrePrincipale() : nullptr;
      RapporteurDefile progression(this, principale ? principale : window());
      progression.Debut();
      const std::int64_t total = resultat_.NbEnreg;
      std::int64_t ordinal = 0;
      bool arret = false;
      do {
        // A copy: the messages processed below may move the collection's current record.
        const EnrCocktail cocktail = resultat_.Enreg;
        arret = progression.MettreAJour(Texte(cocktail.Nom), total, ++ordinal);
        TraiterMessagesEnAttente();
        if (PasseLesFiltres(cocktail, ingredients)) liste->AjouterChaine(Texte(cocktail.Nom));
      } while (resultat_.Suivant() && !arret);
      progression.Fin();
      ingredients.Fermer();
      if (liste->NbElements() == 0)
        service.AffMessage(ChaineAucunCocktail, "", StyleOk | StyleInformation);
      liste->SuspendreDessin(false);
      liste->SelectionnerIndex(0);
      AfficherCocktail();
    }
    AfficherTotaux();
    service.CurseurFleche();
  }
  ContexteAide = AideResultat;
}

void TResuDlg::CmOk() {
  // Enter: the view stays as it is, and so does the focus.
}

void TResuDlg::CmCancel() {
  ServiceMessages().Bip();
}

void TResuDlg::EvClose() {
  ServiceMessages().Bip();
}

}  // namespace velquor
