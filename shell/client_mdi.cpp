// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/client_mdi.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

#include "export/exports_listes.h"
#include "export/recettes_html.h"
#include "framework/application.h"
#include "framework/service_messages.h"
#include "shell/aide.h"
#include "shell/bitmaps.h"
#include "store/collections.h"

namespace velquor {

namespace {

enum CommandeClient : int {
  CmIngredients = 101,
  CmFamilles = 102,
  CmCocktails = 103,
  CmNouvelleRecherche = 108,
  CmDerniereRecherche = 110,
  CmAide = 199,
  CmExporterIngredients = 901,
  CmExporterFamilles = 902,
  CmExporterCocktails = 903,
  CmRecettesHtml = 904,
};

constexpr int kIdLogo = 999;
constexpr int kIdIconeVue = 1002;

std::size_t Indice(TypeVue type) {
  return static_cast<std::size_t>(type);
}

// The order in which the views are closed.
constexpr TypeVue kTypes[] = {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails,
                              TypeVue::Resultat};

// The result pair is there when it opens (opening also gives a new data file its header).
bool PaireResultatPresente() {
  FicCocktail resultat(BaseResultat);
  return resultat.Ouvrir();
}

}  // namespace

int CommandeVue(TypeVue type) {
  switch (type) {
    case TypeVue::Familles:
      return CmFamilles;
    case TypeVue::Ingredients:
      return CmIngredients;
    case TypeVue::Cocktails:
      return CmCocktails;
    case TypeVue::Resultat:
      return CmDerniereRecherche;
  }
  return 0;
}

int ContexteAideVue(TypeVue type) {
  switch (type) {
    case TypeVue::Familles:
      return AideFamilles;
    case TypeVue::Ingredients:
      return AideIngredients;
    case TypeVue::Cocktails:
      return AideCocktails;
    case TypeVue::Resultat:
      return AideResultat;
  }
  return AideIndex;
}

TVelquorMDIClient::TVelquorMDIClient(QWidget* parent) : PZoneVues(parent) {
  setAutoFillBackground(false);
  // A kind of view opens only when its part of the program has registered it.
  auto enregistree = [this](TypeVue type) {
    return [this, type] { return bool(fabriques_[Indice(type)]); };
  };
  Commande(
      CmIngredients, [this] { OuvrirVue(TypeVue::Ingredients); },
      enregistree(TypeVue::Ingredients));
  Commande(
      CmFamilles, [this] { OuvrirVue(TypeVue::Familles); }, enregistree(TypeVue::Familles));
  Commande(
      CmCocktails, [this] { OuvrirVue(TypeVue::Cocktails); }, enregistree(TypeVue::Cocktails));
  Commande(
      CmNouvelleRecherche, [this] { NouvelleRecherche(); },
      [this] { return bool(lanceurRecherche_); });
  // Re-evaluated at every enabling pass: the command follows the result pair on disk.
  Commande(
      CmDerniereRecherche, [this] { OuvrirVue(TypeVue::Resultat); },
      [this] { return fabriques_[Indice(TypeVue::Resultat)] && PaireResultatPresente(); });
  // Help: an F1 key press posted to this window, which then shows the same help as the key
  // pressed in the frame.
  Commande(CmAide, [this] {
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
  });
  for (int commande :
       {CmExporterIngredients, CmExporterFamilles, CmExporterCocktails, CmRecettesHtml}) {
    Commande(commande, [this, commande] { ExporterAvecAttente(commande); });
  }

  // F1 anywhere but in a message box shows the help of the current context.
  InstallerAideF1();
}

TVelquorMDIClient::~TVelquorMDIClient() {
  RetirerAideF1();
  FermerAide();
  // The hosted view goes with the document area.
}

void TVelquorMDIClient::DefinirFabrique(TypeVue type, FabriqueVue fabrique) {
  fabriques_[Indice(type)] = std::move(fabrique);
}

void TVelquorMDIClient::DefinirLanceurRecherche(LanceurRecherche lanceur) {
  lanceurRecherche_ = std::move(lanceur);
}

PVue* TVelquorMDIClient::VueDeType(TypeVue type) const {
  return vues_[Indice(type)].data();
}

PVue* TVelquorMDIClient::OuvrirVue(TypeVue type) {
  FermeVues();
  const FabriqueVue fabrique = fabriques_[Indice(type)];
  PVue* vue = fabrique ? fabrique(this) : nullptr;
  if (!vue) {
    emit marqueVue(0);
    ContexteAide = AideIndex;
    return nullptr;
  }
  vues_[Indice(type)] = vue;
  vue->setWindowIcon(ChargerIcone(kIdIconeVue));
  vue->setAutoFillBackground(true);  // the view covers the logo
  Heberger(vue);  // maximised in the area, with no frame of its own: it cannot be closed or moved
  emit marqueVue(CommandeVue(type));
  ContexteAide = ContexteAideVue(type);
  return vue;
}

void TVelquorMDIClient::FermeVues() {
  for (TypeVue type : kTypes) {
    QPointer<PVue>& emplacement = vues_[Indice(type)];
    if (!emplacement) continue;
    PVue* vue = emplacement.data();
    emplacement = nullptr;
    if (vue == Vue()) {
      FermerVue();  // the close query, then the view goes whatever the answer
    } else {
      vue->close();
      delete vue;
    }
  }
}

void TVelquorMDIClient::NouvelleRecherche() {
  FermeVues();
  emit marqueVue(0);
  ContexteAide = AideRecherche;
  const int resultat = lanceurRecherche_ ? lanceurRecherche_(this) : CmIdAnnuler;
  if (resultat == CmIdOk) {
    OuvrirVue(TypeVue::Resultat);
  } else {
    ContexteAide = AideIndex;
  }
}

void TVelquorMDIClient::ExporterAvecAttente(int commande) {
  PServiceMessages& messages = ServiceMessages();
  messages.CurseurAttente();
  switch (commande) {
    case CmExporterIngredients:
      ExporterIngredients(messages);
      break;
    case CmExporterFamilles:
      ExporterFamilles(messages);
      break;
    case CmExporterCocktails:
      ExporterCocktails(messages);
      break;
    case CmRecettesHtml:
      ExporterRecettesHtml(messages);
      break;
    default:
      break;
  }
  messages.CurseurFleche();
}

void TVelquorMDIClient::paintEvent(QPaintEvent*) {
  QPainter peintre(this);
  // The workspace colour, then the logo centred on a rectangle of the button face.
  peintre.fillRect(rect(), palette().color(QPalette::Dark));
  if (Vue()) return;  // covered by the view
  QImage logo = ChargerBitmap(kIdLogo, devicePixelRatioF());
  if (logo.isNull()) return;
  RemplacerPremiereCouleur(logo, kGrisClair, palette().color(QPalette::Button).rgb());
  const QSize taille = logo.deviceIndependentSize().toSize();
  const int x = (width() - taille.width()) / 2;
  const int y = (height() - taille.height()) / 2;
  peintre.drawImage(x, y, logo);
}

}  // namespace velquor
