// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/new_rech.h"

#include <QPointer>
#include <QPushButton>

#include <span>
#include <string>

#include "framework/application.h"
#include "framework/boutons.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "framework/placement.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"
#include "resources/chaines.h"
#include "search/rapporteur_defile.h"
#include "search/recherche.h"
#include "search/sel_multi.h"
#include "search/selection.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "store/ouverture.h"

namespace velquor {

namespace {

enum : int {
  IdOnglets = 101,
  IdTexteCherche = 102,
  IdNomContient = 103,
  IdNomNeContientPas = 104,
  IdAjouteFamille = 201,
  IdFamilleSelectionnee = 202,
  IdFamillesDisponibles = 203,
  IdEnleveToutFamilles = 204,
  IdEnleveFamille = 205,
  IdFamilleNonSelectionnee = 209,
  IdFamillesChoisies = 210,
  IdAjouteToutFamilles = 211,
  IdAjouteIngredient = 301,
  IdSelectMulti = 302,
  IdIngredientsDisponibles = 303,
  IdEnleveToutIngredients = 304,
  IdEnleveIngredient = 305,
  IdInformations = 306,
  IdAjouteToutIngredients = 310,
  IdIngredientsChoisis = 311,
  IdTousChoisis = 312,
  IdAucunChoisi = 313,
  IdAuMoinsUnChoisi = 314,
};

// The controls of each page, in the order in which they are shown; the first takes the focus.
constexpr int kPage1[] = {IdTexteCherche, 106, IdNomContient, IdNomNeContientPas, 105, 107};
constexpr int kPage2[] = {IdFamillesDisponibles,
                          208,
                          IdFamilleSelectionnee,
                          IdFamilleNonSelectionnee,
                          206,
                          IdAjouteFamille,
                          IdAjouteToutFamilles,
                          IdEnleveFamille,
                          IdEnleveToutFamilles,
                          207,
                          IdFamillesChoisies};
constexpr int kPage3[] = {IdIngredientsDisponibles,
                          309,
                          IdTousChoisis,
                          IdAucunChoisi,
                          IdAuMoinsUnChoisi,
                          307,
                          IdAjouteIngredient,
                          IdEnleveIngredient,
                          IdSelectMulti,
                          IdEnleveToutIngredients,
                          IdInformations,
                          IdAjouteToutIngredients,
                          308,
                          IdIngredientsChoisis};
constexpr std::span<const int> kPages[] = {kPage1, kPage2, kPage3};

std::vector<std::string> Entrees(const PListe& liste) {
  std::vector<std::string> entrees;
  entrees.reserve(static_cast<std::size_t>(liste.NbElements()));
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// Every name of a collection, in name order, into a list.
template <class Fic>
void AjouterNoms(Fic& fichier, PListe& liste) {
  LotFichier lot(fichier);  // the walk reads from memory
  if (!fichier.Premier()) return;
  do
    liste.AjouterChaine(Texte(fichier.Enreg.Nom));
  while (fichier.Suivant());
}

}  // namespace

NewRech::NewRech(QWidget* parent) : PDialogue(205, parent) {
  for (int id : {IdAjouteFamille, IdAjouteIngredient})
    Commande(id, [this] { Ajoute(); });
  for (int id : {IdEnleveFamille, IdEnleveIngredient})
    Commande(id, [this] { Enleve(); });
  for (int id : {IdAjouteToutFamilles, IdAjouteToutIngredients})
    Commande(id, [this] { AjouteTout(); });
  for (int id : {IdEnleveToutFamilles, IdEnleveToutIngredients})
    Commande(id, [this] { EnleveTout(); });
  Commande(IdInformations, [this] { Informations(); });
  Commande(IdSelectMulti, [this] { SelectionMultiple(); });
}

void NewRech::SetupWindow() {
  auto* onglets = Controle<POnglets>(IdOnglets);
  for (const char* titre :
       {"Recherche par nom", "Recherche par famille", "Recherche par ingrédients"})
    onglets->AjouterOnglet(QString::fromUtf8(titre));
  onglets->Selectionner(0);
  connect(onglets, &POnglets::ongletChange, this, [this](int index) { ChangerPage(index + 1); });

  for (int id : {IdFamillesDisponibles, IdIngredientsDisponibles})
    connect(Controle<PListe>(id), &PListe::doubleClic, this, [this] { Ajoute(); });
  for (int id : {IdFamillesChoisies, IdIngredientsChoisis})
    connect(Controle<PListe>(id), &PListe::doubleClic, this, [this] { Enleve(); });
  connect(Controle<PListe>(IdIngredientsDisponibles), &PListe::focusRecu, this,
          [this] { ChoisirCible('D'); });
  connect(Controle<PListe>(IdIngredientsChoisis), &PListe::focusRecu, this,
          [this] { ChoisirCible('S'); });

  Controle<PRadio>(IdNomContient)->setChecked(true);
  Controle<PRadio>(IdFamilleSelectionnee)->setChecked(true);
  Controle<PRadio>(IdTousChoisis)->setChecked(true);
  Controle<PRadio>(IdAucunChoisi)->setChecked(false);
  Controle<PRadio>(IdAuMoinsUnChoisi)->setChecked(false);

  ChangerPage(1);
  CentreSurParent(this);
}

void NewRech::ChangerPage(int page) {
  if (page < 1 || page > 3) return;
  if (ongletCourant_ >= 1) {
    for (int id : kPages[ongletCourant_ - 1]) {
      if (QWidget* w = ControleParId(id)) {
        w->hide();
        w->setEnabled(false);
      }
    }
  }
  Charger(page);
  for (int id : kPages[page - 1]) {
    if (QWidget* w = ControleParId(id)) {
      w->setEnabled(true);
      w->show();
    }
  }
  // The page is current before its first control takes the focus, whose handlers (the
  // ingredient lists') pick their lists by the current page.
  ongletCourant_ = page;
  if (page >= 2) MajBoutons();
  if (QWidget* premier = ControleParId(kPages[page - 1].front())) premier->setFocus();
}

void NewRech::Charger(int page) {
  if (page == 2 && famillesChargees_) return;
  if (page == 3 && ingredientsCharges_) return;
  if (page != 2 && page != 3) return;

  PServiceMessages& service = ServiceMessages();
  PListe* disponibles =
      Controle<PListe>(page == 2 ? IdFamillesDisponibles : IdIngredientsDisponibles);
  PListe* choisis = Controle<PListe>(page == 2 ? IdFamillesChoisies : IdIngredientsChoisis);
  if (page == 2) {
    FicFamille familles;
    OuvrirCollection(familles, service);
    service.CurseurAttente();
    AjouterNoms(familles, *disponibles);
    famillesChargees_ = true;
  } else {
    FicIngredient ingredients;
    OuvrirCollection(ingredients, service);
    service.CurseurAttente();
    AjouterNoms(ingredients, *disponibles);
    ingredientsCharges_ = true;
  }
  disponibles->SelectionnerIndex(0);

  // The names chosen last time move across; those that no longer exist, and repeats, are
  // dropped without a word.
  for (const std::string& nom :
       LireSelection(page == 2 ? CheminSelectionFamilles : CheminSelectionIngredients)) {
    const int index = disponibles->ChercherExact(nom);
    if (index >= 0) {
      disponibles->SelectionnerIndex(index);
      Deplacer(disponibles, choisis);
    } else {
      disponibles->SelectionnerIndex(-1);
    }
  }
  disponibles->SelectionnerIndex(0);
  choisis->SelectionnerIndex(0);
  service.CurseurFleche();
}

PListe* NewRech::Disponibles() const {
  return Controle<PListe>(ongletCourant_ == 2 ? IdFamillesDisponibles : IdIngredientsDisponibles);
}

PListe* NewRech::Choisis() const {
  return Controle<PListe>(ongletCourant_ == 2 ? IdFamillesChoisies : IdIngredientsChoisis);
}

bool NewRech::Deplacer(PListe* source, PListe* destination) {
  const int index = source->IndexSelection();
  if (index < 0) {
    ServiceMessages().Bip();
    Disponibles()->setFocus();
    return false;
  }
  std::string nom = source->Chaine(index);
  if (nom.size() > TailleNom - 1) nom.resize(TailleNom - 1);
  source->SupprimerChaine(index);
  destination->SelectionnerIndex(destination->AjouterChaine(nom));
  source->SelectionnerIndex(index > 0 ? index - 1 : 0);
  return true;
}

void NewRech::Ajoute() {
  Deplacer(Disponibles(), Choisis());
  MajBoutons();
}

void NewRech::Enleve() {
  Deplacer(Choisis(), Disponibles());
  MajBoutons();
}

void NewRech::ToutDeplacer(PListe* source, PListe* destination) {
  PServiceMessages& service = ServiceMessages();
  service.CurseurAttente();
  if (source->NbElements() == 0) {
    service.Bip();
  } else {
    source->SuspendreDessin(true);
    destination->SuspendreDessin(true);
    while (source->NbElements() > 0) {
      const std::string nom = source->Chaine(0);
      source->SupprimerChaine(0);
      destination->AjouterChaine(nom);
    }
    destination->SelectionnerIndex(0);
    source->SuspendreDessin(false);
    destination->SuspendreDessin(false);
  }
  MajBoutons();
  service.CurseurFleche();
}

void NewRech::AjouteTout() {
  ToutDeplacer(Disponibles(), Choisis());
}

void NewRech::EnleveTout() {
  ToutDeplacer(Choisis(), Disponibles());
}

void NewRech::MajBoutons() {
  const auto activer = [this](int id, bool actif) {
    if (QWidget* w = ControleParId(id)) w->setEnabled(actif);
  };
  // Each state is read when it is set: disabling the focused button moves the focus on, which
  // may land in an ingredient list and change the Informations target meanwhile.
  if (ongletCourant_ == 2) {
    activer(IdAjouteFamille, Controle<PListe>(IdFamillesDisponibles)->NbElements() > 0);
    activer(IdAjouteToutFamilles, Controle<PListe>(IdFamillesDisponibles)->NbElements() > 0);
    activer(IdEnleveFamille, Controle<PListe>(IdFamillesChoisies)->NbElements() > 0);
    activer(IdEnleveToutFamilles, Controle<PListe>(IdFamillesChoisies)->NbElements() > 0);
    return;
  }
  auto* disponibles = Controle<PListe>(IdIngredientsDisponibles);
  auto* choisis = Controle<PListe>(IdIngredientsChoisis);
  activer(IdAjouteIngredient, disponibles->NbElements() > 0);
  activer(IdAjouteToutIngredients, disponibles->NbElements() > 0);
  activer(IdEnleveIngredient, choisis->NbElements() > 0);
  activer(IdEnleveToutIngredients, choisis->NbElements() > 0);
  const bool versDisponibles = cibleInformations_ == 'D';
  Controle<QPushButton>(IdInformations)
      ->setText(versDisponibles ? QStringLiteral("< &Informations")
                                : QStringLiteral("&Informations >"));
  activer(IdInformations, (versDisponibles ? disponibles : choisis)->NbElements() > 0);
}

void NewRech::ChoisirCible(char cible) {
  cibleInformations_ = cible;
  MajBoutons();
}

void NewRech::Informations() {
  PServiceMessages& service = ServiceMessages();
  PListe* liste =
      Controle<PListe>(cibleInformations_ == 'D' ? IdIngredientsDisponibles : IdIngredientsChoisis);
  std::string nom = liste->Chaine(liste->IndexSelection());
  if (nom.size() > TailleNom - 1) nom.resize(TailleNom - 1);

  FicIngredient ingredients;
  if (!ingredients.Ouvrir()) {
    service.Bip();
    return;
  }
  // No selection gives an empty name, which names no ingredient.
  if (nom.empty() || !ingredients.Chercher(nom)) {
    service.Bip();
    return;
  }
  const std::string_view commentaire = Texte(ingredients.Enreg.Commentaire);
  if (!commentaire.empty()) {
    service.Boite(Cp1252VersQString(Texte(ingredients.Enreg.Nom)),
                  Cp1252VersTexteMulti(commentaire), StyleOk | StyleInformation);
  } else {
    service.AffMessage(ChaineAucuneInformation, nom, StyleOk | StyleInformation);
  }
}

void NewRech::SelectionMultiple() {
  auto* disponibles = Controle<PListe>(IdIngredientsDisponibles);
  auto* choisis = Controle<PListe>(IdIngredientsChoisis);
  std::string motif;
  const int resultat = SelMulti(this, motif, ControleParId(IdAjouteIngredient)->isEnabled(),
                                ControleParId(IdEnleveIngredient)->isEnabled())
                           .Executer();
  DemanderActivation(this);  // back from the modal dialog, whatever the window system does
  if (resultat != SelMulti::Selection && resultat != SelMulti::Deselection) return;

  PListe* source = resultat == SelMulti::Selection ? disponibles : choisis;
  PListe* destination = resultat == SelMulti::Selection ? choisis : disponibles;
  PServiceMessages& service = ServiceMessages();
  service.CurseurAttente();
  disponibles->SuspendreDessin(true);
  choisis->SuspendreDessin(true);
  DeplacerContenant(*source, *destination, motif);
  disponibles->SuspendreDessin(false);
  choisis->SuspendreDessin(false);
  destination->setFocus();
  MajBoutons();
  service.CurseurFleche();
}

std::optional<CriteresRecherche> NewRech::Criteres() const {
  CriteresRecherche criteres;
  criteres.TypeRecherche = ongletCourant_;
  criteres.SensNom =
      Controle<PRadio>(IdNomNeContientPas)->isChecked() ? NomNeContientPas : NomContient;
  std::optional<std::string> chaine = Controle<PEdition>(IdTexteCherche)->TexteCp1252();
  if (!chaine) return std::nullopt;
  criteres.Chaine = std::move(*chaine);
  criteres.SensFamille = Controle<PRadio>(IdFamilleNonSelectionnee)->isChecked()
                             ? FamilleNonSelectionnee
                             : FamilleSelectionnee;
  criteres.FamillesChoisies = Entrees(*Controle<PListe>(IdFamillesChoisies));
  criteres.SensIngredients = Controle<PRadio>(IdAucunChoisi)->isChecked()       ? AucunChoisi
                             : Controle<PRadio>(IdAuMoinsUnChoisi)->isChecked() ? AuMoinsUnChoisi
                                                                                : TousChoisis;
  criteres.IngredientsChoisis = Entrees(*Controle<PListe>(IdIngredientsChoisis));
  return criteres;
}

void NewRech::CmOk() {
  PServiceMessages& service = ServiceMessages();
  // A search text the code page cannot hold searches nothing (the field refuses such text).
  const std::optional<CriteresRecherche> criteres = Criteres();
  if (!criteres) {
    service.Bip();
    return;
  }
  // Disabling the dialog for the run takes the focus away; it goes back where it was.
  QPointer<QWidget> focus = focusWidget();
  RapporteurDefile progression(this);
  EcrituresRecherche ecrit;
  const bool trouve =
      ExecuterRecherche(*criteres,
                        {.ConfirmerEffacement =
                             [&service] {
                               return service.AffMessage(ChaineResultatExistant, "",
                                                         StyleOuiNon | StyleQuestion) == ReponseOui;
                             },
                         .Messages = service,
                         .Progression = progression,
                         .TraiterMessagesEnAttente = [] { TraiterMessagesEnAttente(); }},
                        &ecrit);
  // A result or a selection that could not be written is said, never shown as found: the
  // result pair keeps what it held before the run.
  if (!ecrit.resultat || !ecrit.selection) {
    service.Boite(service.Titre(),
                  !ecrit.resultat
                      ? QStringLiteral("Le résultat de la recherche n'a pas pu être écrit dans "
                                       "RESURECH : il garde ce qu'il contenait.")
                      : QStringLiteral("La sélection de la recherche n'a pas pu être écrite."),
                  StyleArret | StyleOk);
  }
  if (trouve && ecrit.resultat) {
    FermerDialogue(CmIdOk);
    return;
  }
  // Nothing matched (string 3010 has been shown), or the result could not be written: the dialog
  // stays open with its criteria.
  DemanderActivation(this);
  if (focus && focus->isVisible() && focus->isEnabled())
    focus->setFocus();
  else if (QWidget* premier = ControleParId(kPages[ongletCourant_ - 1].front()))
    premier->setFocus();
}

}  // namespace velquor
