// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/velquor_app.h"

#include <QString>

#include "framework/barre_controle.h"
#include "framework/service_messages.h"
#include "resources/menus.h"
#include "shell/about_dlg.h"
#include "shell/bitmaps.h"
#include "shell/cadre_velquor.h"
#include "shell/client_mdi.h"
#include "shell/my_gadget_btn.h"

namespace velquor {

namespace {

const QString kNomApplication = QStringLiteral("Le Velquor");
constexpr int kCmAPropos = 2009;
constexpr int kIdIconeProgramme = 1001;
constexpr int kIdDiviseur = 1;
constexpr int kPositionTavisk = 1;  // the second popup of menu 100

// The toolbar, left to right: glyph, command, type.
struct BoutonBarre {
  int glyphe;
  int commande;
  MyGadgetBtn::Type type;
};
constexpr BoutonBarre kBarreOutils[] = {
    {103, 103, MyGadgetBtn::Type::Exclusif},        {101, 101, MyGadgetBtn::Type::Exclusif},
    {102, 102, MyGadgetBtn::Type::Exclusif},        {110, 110, MyGadgetBtn::Type::Exclusif},
    {kIdDiviseur, -1, MyGadgetBtn::Type::Commande}, {104, 104, MyGadgetBtn::Type::Commande},
    {106, 106, MyGadgetBtn::Type::Commande},        {107, 107, MyGadgetBtn::Type::Commande},
    {105, 105, MyGadgetBtn::Type::Commande},        {kIdDiviseur, -1, MyGadgetBtn::Type::Commande},
    {108, 108, MyGadgetBtn::Type::Commande},        {109, 109, MyGadgetBtn::Type::Commande},
};

// The menu text of a command, as a tooltip: without its mnemonic and its key.
QString TexteDuMenu(const std::vector<ElementMenu>& elements, int commande) {
  for (const ElementMenu& e : elements) {
    if (e.commande == commande && !e.separateur) {
      QString texte = QString::fromUtf8(e.texte.c_str()).section(QLatin1Char('\t'), 0, 0);
      return texte.remove(QLatin1Char('&'));
    }
    if (!e.sousMenu.empty()) {
      QString texte = TexteDuMenu(e.sousMenu, commande);
      if (!texte.isEmpty()) return texte;
    }
  }
  return {};
}

}  // namespace

TVelquorApp::TVelquorApp(int& argc, char** argv, Configuration configuration)
    : PApplication(kNomApplication, argc, argv), configuration_(std::move(configuration)) {
  Declarer();
}

TVelquorApp::TVelquorApp(Configuration configuration)
    : PApplication(kNomApplication), configuration_(std::move(configuration)) {
  Declarer();
}

TVelquorApp::~TVelquorApp() {
  // The frame goes first: its client area removes the help route and closes the help window.
  delete cadre_.data();
}

TVelquorApp* TVelquorApp::Courante() {
  return dynamic_cast<TVelquorApp*>(PApplication::Courante());
}

TCadreVelquor* TVelquorApp::Cadre() const {
  return cadre_.data();
}

void TVelquorApp::Declarer() {
  Commande(kCmAPropos, [this] { AProposDe(); });
}

void TVelquorApp::InitMainWindow() {
  CreerFenetrePrincipale();
}

void TVelquorApp::CreerFenetrePrincipale() {
  if (cadre_) return;
  ClientMDI = new TVelquorMDIClient;  // installs the F1 help
  if (configuration_) configuration_(*ClientMDI);

  cadre_ = new TCadreVelquor(Nom());
  cadre_->DefinirZoneVues(ClientMDI);
  cadre_->setWindowIcon(ChargerIcone(kIdIconeProgramme));
  cadre_->DefinirAccelerateurs(Accelerateurs100());
  ConstruireBarreOutils();
  DefinirFenetrePrincipale(cadre_);
  // The export popup is in the menu's data, but the program does not offer it.
  cadre_->DefinirMenu(Menu100());
  cadre_->SupprimerPopup(kPositionTavisk);
  cadre_->Centrer();

  connect(ClientMDI, &TVelquorMDIClient::marqueVue, this, &TVelquorApp::MarqueVue);
}

void TVelquorApp::ConstruireBarreOutils() {
  PBarreControle* barre = cadre_->AjouterBarreControle(QStringLiteral("Outils"));
  for (const BoutonBarre& b : kBarreOutils) {
    auto* bouton = new MyGadgetBtn(b.glyphe, b.commande, b.type, false, MyGadgetBtn::Etat::Haut);
    bouton->setToolTip(TexteDuMenu(Menu100().popups, b.commande));
    bouton->AjouterA(*barre);
    switch (b.commande) {
      case 103:
        BtnCocktails = bouton;
        break;
      case 101:
        BtnIngredients = bouton;
        break;
      case 102:
        BtnFamilles = bouton;
        break;
      case 110:
        BtnResultat = bouton;
        break;
      default:
        break;
    }
  }
}

int TVelquorApp::AffMessage(int idChaine, std::string_view argumentCp1252, unsigned style) {
  return ServiceMessages().AffMessage(idChaine, argumentCp1252, style);
}

void TVelquorApp::MarqueVue(int commande) {
  MyGadgetBtn* bouton = nullptr;
  switch (commande) {
    case 0:
      for (MyGadgetBtn* b : {BtnCocktails, BtnIngredients, BtnFamilles, BtnResultat}) {
        if (b) b->RemetHaut();
      }
      return;
    case 103:
      bouton = BtnCocktails;
      break;
    case 101:
      bouton = BtnIngredients;
      break;
    case 102:
      bouton = BtnFamilles;
      break;
    case 110:
      bouton = BtnResultat;
      break;
    default:
      return;
  }
  if (bouton) {
    bouton->DefinirEtat(MyGadgetBtn::Etat::Bas);
    bouton->update();
  }
}

void TVelquorApp::AProposDe() {
  TVelquorAboutDlg dialogue(FenetrePrincipale());
  dialogue.Executer();
}

}  // namespace velquor
