// The program's frame around test views: one view at a time in the client area, the commands'
// enabling, the About box, the help window, the toolbar buttons and the read-only field.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QEnterEvent>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <filesystem>

#include <gtest/gtest.h>

#include "framework/barre_controle.h"
#include "framework/dialogue.h"
#include "framework/liste.h"
#include "framework/routeur.h"
#include "framework/service_messages.h"
#include "framework/verrou_commandes.h"
#include "shell/about_dlg.h"
#include "shell/bitmaps.h"
#include "shell/btn_aff_bmp.h"
#include "shell/fenetre_aide.h"
#include "shell/my_gadget_btn.h"
#include "shell/pstatic_multi.h"
#include "store/collections.h"
#include "support_shell.h"
#include "support_ui/clavier.h"
#include "support_ui/couture.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor::test {
namespace {

using Commandes = std::map<int, bool>;
using Etat = MyGadgetBtn::Etat;

// The client area: one view at a time, maximised, the new search, the help context and the view
// buttons that follow what is open.
class ClientMDI : public ApplicationShell {
 protected:
  // The states of the view buttons (cocktails, ingredients, families, result).
  std::vector<Etat> EtatsBoutonsVues() const {
    return {app_.BtnCocktails->EtatBouton(), app_.BtnIngredients->EtatBouton(),
            app_.BtnFamilles->EtatBouton(), app_.BtnResultat->EtatBouton()};
  }
  // Every view button Up, but the one at that place Down (none for -1).
  static std::vector<Etat> SeulEnBas(int place) {
    std::vector<Etat> etats(4, Etat::Haut);
    if (place >= 0) etats[place] = Etat::Bas;
    return etats;
  }
  int VuesOuvertes() const {
    int n = 0;
    for (TypeVue t :
         {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails, TypeVue::Resultat})
      n += Client()->VueDeType(t) != nullptr;
    return n;
  }
};

TEST_F(ClientMDI, UneVueRemplaceLAutreQuiEstFermeeEtDetruiteDAbord) {
  Montrer();
  const struct {
    int commande;
    TypeVue type;
    int bouton;
  } kCas[] = {{103, TypeVue::Cocktails, 0},
              {103, TypeVue::Cocktails, 0},  // the same view again: a fresh one
              {101, TypeVue::Ingredients, 1},
              {102, TypeVue::Familles, 2}};
  QPointer<TVueEssai> avant;
  for (const auto& c : kCas) {
    SCOPED_TRACE(c.commande);
    ASSERT_TRUE(Envoyer(c.commande));
    TVueEssai* vue = VueOuverte();
    ASSERT_NE(vue, nullptr);
    EXPECT_TRUE(avant.isNull());
    EXPECT_EQ(Client()->VueDeType(c.type), vue);
    EXPECT_EQ(VuesOuvertes(), 1);
    EXPECT_EQ(Client()->findChildren<PVue*>().size(), 1u);
    EXPECT_FALSE(vue->isWindow());  // no frame, no close box of its own
    // The focus is in the view, so that its commands are on the chain.
    EXPECT_TRUE(vue->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(c.bouton));
    avant = vue;
  }
  EXPECT_EQ(TVueEssai::detruites,
            (std::vector<QString>{"Gestion des cocktails", "Gestion des cocktails",
                                  "Gestion des ingrédients"}));
}

TEST_F(ClientMDI, LesBoutonsOkEtEscDesVuesRestentSousLaPartieVisible) {
  Montrer();
  Envoyer(103);
  PDialogue* dialogue = VueOuverte()->Client();
  for (int id : {1, 2}) {
    QWidget* bouton = dialogue->ControleParId(id);
    ASSERT_NE(bouton, nullptr);
    EXPECT_GE(bouton->mapTo(Client(), QPoint(0, 0)).y(), Client()->height()) << id;
  }
  // The list above them shows whole.
  QWidget* liste = dialogue->ControleParId(501);
  EXPECT_LE(liste->mapTo(Client(), QPoint(0, liste->height())).y(), Client()->height());
}

TEST_F(ClientMDI, FermeVuesPoseLaQuestionPuisDetruitMemeUneVueQuiRefuse) {
  Montrer();
  Envoyer(101);
  QPointer<TVueEssai> garde(VueOuverte());
  garde->accepteFermeture = false;
  TVueEssai::questions = 0;
  Client()->FermeVues();
  EXPECT_EQ(TVueEssai::questions, 1);
  EXPECT_TRUE(garde.isNull());
  EXPECT_EQ(Client()->Vue(), nullptr);
  EXPECT_EQ(VuesOuvertes(), 0);
  EXPECT_EQ(Cadre()->windowTitle(), QStringLiteral("Le Velquor"));
}

TEST_F(ClientMDI, NouvelleRechercheFermeLaVueEtRemetLesBoutonsEnHautAvantLeDialogue) {
  Montrer();
  Envoyer(103);
  pendantRecherche_ = [this](QWidget* parent) {
    EXPECT_EQ(parent, Client());
    EXPECT_EQ(Client()->Vue(), nullptr);
    EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(-1));
  };
  ASSERT_TRUE(Envoyer(108));  // cancelled: no view
  EXPECT_EQ(recherches_, 1);
  EXPECT_EQ(Client()->Vue(), nullptr);
  EXPECT_EQ(Cadre()->windowTitle(), QStringLiteral("Le Velquor"));
  reponseRecherche_ = 1;
  ASSERT_TRUE(Envoyer(108));
  ASSERT_NE(Client()->VueResultat(), nullptr);
  EXPECT_EQ(EtatsBoutonsVues(), SeulEnBas(3));
}

TEST_F(ClientMDI, UneSorteDeVueSansFabriqueNeSOuvrePas) {
  TVelquorMDIClient client;
  EXPECT_EQ(client.OuvrirVue(TypeVue::Familles), nullptr);
  EXPECT_FALSE(client.ReglerActivation(102).value_or(true));
  EXPECT_FALSE(client.ReglerActivation(108).value_or(true));
  client.DefinirFabrique(TypeVue::Familles, [](QWidget* p) {
    return new TVueEssai(QStringLiteral("Gestion des familles"), {}, p);
  });
  EXPECT_TRUE(client.ReglerActivation(102).value_or(false));
  EXPECT_NE(client.OuvrirVue(TypeVue::Familles), nullptr);
  EXPECT_EQ(ContexteAide, 4);
  ContexteAide = 0;
}

TEST_F(ClientMDI, LeLogoEstCentreSurLaCouleurDesBoutons) {
  Montrer();
  Client()->resize(530, 340);
  QImage image = Client()->grab().toImage();
  const QImage logo = ChargerBitmap(999);
  ASSERT_FALSE(logo.isNull());
  const int x = (530 - logo.width()) / 2;
  const int y = (340 - logo.height()) / 2;
  const QRgb face = Client()->palette().color(QPalette::Button).rgb();
  // The logo's light-grey corner shows the button face; outside it, the workspace.
  EXPECT_EQ(image.pixel(x + 1, y + 1), face);
  EXPECT_EQ(image.pixel(x + logo.width() - 2, y + logo.height() - 2), face);
  EXPECT_EQ(image.pixel(x - 2, y + 1), Client()->palette().color(QPalette::Dark).rgb());
  // Its other colours are the bitmap's own: the name is written in navy somewhere.
  bool marine = false;
  for (int j = 0; j < logo.height() && !marine; ++j)
    for (int i = 0; i < logo.width() && !marine; ++i)
      marine = image.pixelColor(x + i, y + j) == QColor(0, 0, 128);
  EXPECT_TRUE(marine);
  // Covered by an open view.
  Envoyer(103);
  image = Cadre()->grab().toImage();
  const QPoint centre = Client()->mapTo(Cadre(), Client()->rect().center());
  EXPECT_NE(image.pixelColor(centre), QColor(0, 0, 128));
}

// The command table of the main frame: which commands are enabled in each state, the menu bar,
// the frame's size and place, and the commands that no menu offers.
const std::vector<int> kToutes = {101, 102, 103,  104,   105, 106, 107, 108, 109,
                                  110, 199, 2009, 24310, 901, 902, 903, 904};

class CommandesShell : public ApplicationShell {
 protected:
  Commandes Etat() {
    Commandes etat;
    for (int c : kToutes)
      etat[c] = Active(c);
    return etat;
  }
  static Commandes Attendu(bool editeur, bool resultat, bool paireResultat) {
    Commandes etat;
    for (int c : kToutes)
      etat[c] = true;
    for (int c : {104, 105, 106, 107})
      etat[c] = editeur;
    etat[109] = resultat;
    etat[110] = paireResultat;
    return etat;
  }
};

TEST_F(CommandesShell, ActivationDeChaqueCommandeSelonLaVueOuverte) {
  Montrer();
  EXPECT_EQ(Etat(), Attendu(false, false, false)) << "aucune vue";
  for (TypeVue editeur : {TypeVue::Familles, TypeVue::Ingredients, TypeVue::Cocktails}) {
    ASSERT_NE(Client()->OuvrirVue(editeur), nullptr);
    EXPECT_EQ(Etat(), Attendu(true, false, false)) << "éditeur " << CommandeVue(editeur);
  }
  // The result view opens whether or not the pair exists: its command is what follows the disk.
  ASSERT_NE(Client()->OuvrirVue(TypeVue::Resultat), nullptr);
  EXPECT_EQ(Etat(), Attendu(false, true, false)) << "vue du résultat";
  Client()->FermeVues();
  EXPECT_EQ(Etat(), Attendu(false, false, false)) << "vues fermées";
}

TEST_F(CommandesShell, VoirLaDerniereRechercheSuitLaPaireResultatSurLeDisque) {
  Montrer();
  MyGadgetBtn* bouton = app_.BtnResultat;
  ASSERT_NE(bouton, nullptr);
  EXPECT_FALSE(Active(110));
  EXPECT_FALSE(bouton->Actif());
  EXPECT_FALSE(std::filesystem::exists("RESURECH.DAT"));  // testing does not create it
  CreerCollection<FicCocktail>(BaseResultat);
  app_.PasseInactive();
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(bouton->Actif());
  EXPECT_TRUE(Envoyer(110));
  EXPECT_EQ(Client()->Vue()->windowTitle(), QStringLiteral("Résultat de la recherche"));

  // The pair removed (a new search that found nothing): off again at the next pass.
  Client()->FermeVues();
  std::filesystem::remove("RESURECH.NDX");
  app_.PasseInactive();
  EXPECT_FALSE(Active(110));
  EXPECT_FALSE(bouton->Actif());
}

TEST_F(CommandesShell, LaBarreDeMenusNOffrePasLesExportations) {
  // No item anywhere reaches the export commands.
  for (const QAction* popup : Cadre()->menuBar()->actions()) {
    ASSERT_NE(popup->menu(), nullptr);
    for (const QAction* a : popup->menu()->actions()) {
      EXPECT_FALSE(a->data().toInt() >= 901 && a->data().toInt() <= 904) << a->text().toStdString();
    }
  }
}

TEST(CadreVelquor, PositionDeDepartSurUnEcranDe640Sur480) {
  EXPECT_EQ(PositionInitialeCadre({0, 0, 640, 480}), (RectEcran{52, 15, 588, 465}));
  // A screen smaller than the frame: kept on it from the right and the bottom.
  EXPECT_EQ(PositionInitialeCadre({0, 0, 500, 400}), (RectEcran{-36, -50, 500, 400}));
}

TEST_F(CommandesShell, LesExportationsTourneAvecLeCurseurDAttente) {
  std::filesystem::create_directory("Web");
  std::filesystem::create_directory("Tux");
  std::filesystem::create_directory("web");
  CreerCollection<FicIngredient>(BaseIngredient, {"GIN"});
  CreerCollection<FicCocktail>(BaseCocktail, {"MARTINI"});
  for (int c : {901, 902, 903, 904}) {
    repondeur_.curseurs.clear();
    EXPECT_TRUE(Envoyer(c)) << c;
    EXPECT_EQ(repondeur_.curseurs, (std::vector<Curseur>{Curseur::Attente, Curseur::Fleche})) << c;
  }
  EXPECT_GT(std::filesystem::file_size("Web/INGRED.WEB"), 0u);
  EXPECT_TRUE(std::filesystem::exists("Web/FAMILLE.WEB"));
  EXPECT_GT(std::filesystem::file_size("Tux/COCKTAIL.SQL"), 0u);
  EXPECT_TRUE(std::filesystem::exists("web/recet001.html"));
  EXPECT_TRUE(repondeur_.boites.empty());
}

TEST_F(CommandesShell, PendantUnePasseAucuneCommandeNAgitEtToutesSontDesactivees) {
  Montrer();
  Client()->OuvrirVue(TypeVue::Cocktails);
  CreerCollection<FicCocktail>(BaseResultat);
  QPointer<TVueEssai> vue = VueOuverte();
  const QList<MyGadgetBtn*> boutons = Cadre()->BarreControle()->findChildren<MyGadgetBtn*>();
  ASSERT_FALSE(boutons.empty());
  const int recherches = recherches_;
  {
    VerrouCommandes verrou(VerrouCommandes::Saisie::Bloquee);
    app_.PasseInactive();
    for (MyGadgetBtn* bouton : boutons)
      EXPECT_FALSE(bouton->isEnabled());
    for (int c : kToutes) {
      EXPECT_FALSE(Active(c)) << c;
      EXPECT_FALSE(Envoyer(c)) << c;
    }
    // Posted meanwhile (a menu item, a toolbar button): dropped, not run once the pass is over.
    app_.Routeur().Poster(101);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(vue, VueOuverte());  // still the cocktail view: nothing opened or closed it
  EXPECT_TRUE(vue->executees.empty());
  EXPECT_EQ(recherches_, recherches);
  EXPECT_TRUE(Cadre()->isVisible());
  EXPECT_FALSE(std::filesystem::exists("Web"));
  // Afterwards everything is as before.
  app_.PasseInactive();
  EXPECT_TRUE(Active(101));
  EXPECT_TRUE(Active(110));
  EXPECT_TRUE(Envoyer(104));
  EXPECT_EQ(vue->executees[104], 1);
}

// The About box: the logo and the counts read from the data headers when it opens.
struct Lignes {
  QString ingredients;
  QString cocktails;
  bool logoPlat = false;
};

class APropos : public ApplicationShell {
 protected:
  // Opens the box with command 2009 and reads it.
  Lignes Ouvrir() {
    Lignes lignes;
    int ouvertures = 0;
    PiloteModal pilote([&](PDialogue& d) {
      ++ouvertures;
      EXPECT_EQ(d.IdModele(), 22000);
      auto& apropos = dynamic_cast<TVelquorAboutDlg&>(d);
      lignes.ingredients = apropos.LigneIngredients()->text();
      lignes.cocktails = apropos.LigneCocktails()->text();
      lignes.logoPlat = apropos.Logo() && apropos.Logo()->Plat();
      d.FermerDialogue(1);
    });
    EXPECT_TRUE(Envoyer(2009));
    EXPECT_EQ(ouvertures, 1);
    return lignes;
  }
};

TEST_F(APropos, SansFichiersLesComptesSontNulsEtLaBoiteNeChangeNiLaVueNiLeContexte) {
  Montrer();
  Envoyer(103);
  QPointer<TVueEssai> vue = VueOuverte();
  const Lignes l = Ouvrir();
  EXPECT_EQ(l.ingredients, QStringLiteral("0 Ingrédients définis"));
  EXPECT_EQ(l.cocktails, QStringLiteral("0 Cocktails définis"));
  EXPECT_TRUE(l.logoPlat);
  EXPECT_TRUE(repondeur_.boites.empty());  // missing files are not reported
  EXPECT_EQ(VueOuverte(), vue.data());
  EXPECT_EQ(ContexteAide, 2);
  EXPECT_EQ(app_.BtnCocktails->EtatBouton(), MyGadgetBtn::Etat::Bas);
}

TEST_F(APropos, LesComptesSuiventLesAjoutsEtLesSuppressions) {
  FicCocktail cocktails;
  ASSERT_TRUE(cocktails.Creer());
  ASSERT_TRUE(cocktails.Ouvrir());
  ASSERT_TRUE(cocktails.Ajouter("MARTINI"));
  EXPECT_EQ(Ouvrir().cocktails, QStringLiteral("1 Cocktails définis"));  // no singular form
  ASSERT_TRUE(cocktails.Ajouter("NEGRONI"));
  ASSERT_TRUE(cocktails.Ajouter("MOJITO"));
  EXPECT_EQ(Ouvrir().cocktails, QStringLiteral("3 Cocktails définis"));
  ASSERT_TRUE(cocktails.Chercher("NEGRONI"));
  ASSERT_TRUE(cocktails.Supprimer());
  Lignes l = Ouvrir();
  EXPECT_EQ(l.cocktails, QStringLiteral("2 Cocktails définis"));
  EXPECT_EQ(l.ingredients, QStringLiteral("0 Ingrédients définis"));

  CreerCollection<FicIngredient>(BaseIngredient, {"GIN"});
  EXPECT_EQ(Ouvrir().ingredients, QStringLiteral("1 Ingrédients définis"));
}

TEST(Ressources, LesIconesOntUnFondTransparentEtSeulLaPremiereCouleurEstRemplacee) {
  for (int id : {1001, 1002}) {
    const QIcon icone = ChargerIcone(id);
    ASSERT_FALSE(icone.isNull()) << id;
    EXPECT_EQ(qAlpha(icone.pixmap(32, 32).toImage().pixel(0, 31)), 0) << id;
  }
  EXPECT_TRUE(ChargerBitmap(4242).isNull());
  QImage image(2, 1, QImage::Format_Indexed8);
  image.setColorTable({kGrisClair, kGrisClair, kNoir});
  EXPECT_TRUE(RemplacerPremiereCouleur(image, kGrisClair, qRgb(1, 2, 3)));
  EXPECT_EQ(image.colorTable(), (QList<QRgb>{qRgb(1, 2, 3), kGrisClair, kNoir}));
  EXPECT_FALSE(RemplacerPremiereCouleur(image, kBlanc, qRgb(1, 2, 3)));
}

TEST(BtnAffBmp, LeLogoPrendLesCouleursDesBoutonsEtSeDessineDecale) {
  BtnAffBmp bouton(999, nullptr, true);
  QPalette palette = bouton.palette();
  palette.setColor(QPalette::Button, QColor(1, 2, 3));
  palette.setColor(QPalette::Light, QColor(4, 5, 6));
  palette.setColor(QPalette::Dark, QColor(7, 8, 9));
  bouton.setPalette(palette);
  EXPECT_EQ(bouton.sizeHint(), QSize(255, 145));
  const QImage logo = ChargerBitmap(999);
  const QImage affichee = bouton.ImageAffichee();
  ASSERT_EQ(logo.colorCount(), 16);
  ASSERT_EQ(affichee.colorCount(), logo.colorCount());
  for (int i = 0; i < logo.colorCount(); ++i) {
    QColor attendue = QColor::fromRgb(logo.color(i));
    if (i == 15)
      attendue = QColor(4, 5, 6);  // entry 15: the highlight, whatever it held
    else if (logo.color(i) == kGrisClair)
      attendue = QColor(1, 2, 3);
    else if (logo.color(i) == kGrisFonce)
      attendue = QColor(7, 8, 9);
    EXPECT_EQ(QColor::fromRgb(affichee.color(i)), attendue) << i;
  }
  // Drawn one pixel right and down, on the face, without a border.
  bouton.resize(258, 146);
  const QImage image = bouton.grab().toImage();
  EXPECT_EQ(image.pixelColor(0, 0), QColor(1, 2, 3));
  for (int y = 0; y < logo.height(); y += 7) {
    for (int x = 0; x < logo.width(); x += 5) {
      ASSERT_EQ(image.pixel(x + 1, y + 1), affichee.pixel(x, y)) << x << "," << y;
    }
  }
}

// F1 and the help window: the topic of the current context by every route, the index for 0,
// nothing over a message box, and the help window closed with the program.
constexpr ModeleControle kControlesDialogue[] = {
    {Genre::Edition, 102, "", {20, 20, 100, 12}},
    {Genre::Bouton, 1, "Ok", {20, 40, 50, 14}, st::Defaut},
    {Genre::Bouton, 2, "Annuler", {80, 40, 50, 14}},
};
constexpr ModeleDialogue kModeleDialogue{9302,
                                         "Lancement d'une recherche",
                                         {0, 0, 160, 70},
                                         sd::Titre | sd::CadreModal,
                                         kControlesDialogue};

class Aide : public ApplicationShell {
 protected:
  ~Aide() override { FermerAide(); }
  // The page the help window shows, or an empty string when it is not shown.
  static QString PageMontree() {
    TFenetreAide* fenetre = FenetreAide();
    if (!fenetre || !fenetre->isVisible()) return {};
    return fenetre->PageCourante().fileName();
  }
  static void F1(QWidget* cible) { QTest::keyClick(cible, Qt::Key_F1); }
};

TEST_F(Aide, ChaqueContexteASaPageEtSesLiensMenentADesPagesQuiExistent) {
  const std::map<int, QString> pages{
      {0, "index.html"},     {2, "cocktails.html"}, {3, "ingredients.html"}, {4, "familles.html"},
      {5, "recherche.html"}, {9, "resultat.html"},  {10, "affiner.html"},    {7, "index.html"}};
  for (const auto& [contexte, page] : pages) {
    SCOPED_TRACE(contexte);
    AfficherAide(contexte);
    EXPECT_EQ(PageMontree(), page);
    EXPECT_FALSE(FenetreAide()->Navigateur()->documentTitle().isEmpty());
    QTextDocument* document = FenetreAide()->Navigateur()->document();
    for (QTextBlock b = document->begin(); b != document->end(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        QUrl cible;
        if (format.isAnchor())
          cible = FenetreAide()->PageCourante().resolved(QUrl(format.anchorHref()));
        else if (format.isImageFormat())
          cible = QUrl(format.toImageFormat().name());
        else
          continue;
        EXPECT_TRUE(QFile::exists(QStringLiteral(":") + cible.path()))
            << cible.toString().toStdString();
      }
    }
  }
}

TEST_F(Aide, F1EtLaCommandeDAideMontrentLeSommaireSansVueEtSinonLaPageDeLaVue) {
  Montrer();
  F1(Cadre());
  EXPECT_EQ(PageMontree(), QStringLiteral("index.html"));
  Envoyer(103);
  QWidget* liste = VueOuverte()->Client()->ControleParId(501);
  liste->setFocus();
  F1(liste);
  EXPECT_EQ(PageMontree(), QStringLiteral("cocktails.html"));
  Envoyer(101);
  F1(QApplication::focusWidget());
  EXPECT_EQ(PageMontree(), QStringLiteral("ingredients.html"));
  Envoyer(102);
  EXPECT_TRUE(Envoyer(199));
  QCoreApplication::processEvents();  // the F1 key press the command posts
  EXPECT_EQ(PageMontree(), QStringLiteral("familles.html"));
}

TEST_F(Aide, F1DansUnMenuOuvertMontreLeContexteCourantEtDansUneBoiteDeMessageRien) {
  Montrer();
  Envoyer(103);
  QMenu* menu = Cadre()->menuBar()->actions()[0]->menu();
  menu->popup(Cadre()->mapToGlobal(QPoint(0, 20)));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
  F1(menu);
  EXPECT_EQ(PageMontree(), QStringLiteral("cocktails.html"));
  menu->close();
  FermerAide();

  PBoiteMessage boite(QMessageBox::Question, QStringLiteral("Le Velquor"),
                      QStringLiteral("Suppression du cocktail MARTINI ?"),
                      QMessageBox::Yes | QMessageBox::No, Cadre());
  boite.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
  F1(&boite);
  F1(boite.button(QMessageBox::Yes));
  EXPECT_EQ(PageMontree(), QString());
  EXPECT_TRUE(boite.isVisible());
  EXPECT_EQ(repondeur_.bips, 0);
}

TEST_F(Aide, F1DansLeDialogueDeRechercheMontreSaPageDansUneFenetreQuiResteUtilisable) {
  Montrer();
  QString pendant;
  bool bloquee = true;
  pendantRecherche_ = [&](QWidget* parent) {
    PDialogue dialogue(kModeleDialogue, parent);
    PiloteModal pilote([&](PDialogue& d) {
      F1(d.ControleParId(102));
      pendant = PageMontree();
      // The help window stays usable while the modal dialog runs.
      bloquee = FenetreAide()->parentWidget() != &d;
      d.FermerDialogue(2);
    });
    dialogue.Executer();
  };
  Envoyer(108);
  EXPECT_EQ(pendant, QStringLiteral("recherche.html"));
  EXPECT_FALSE(bloquee);
  // Cancelled: the help stays open, a window of its own again.
  EXPECT_EQ(FenetreAide()->parentWidget(), nullptr);
  EXPECT_TRUE(FenetreAide()->isVisible());
}

TEST(AideFin, FermerLeProgrammeFermeLAide) {
  test::DossierTemporaire dossier;
  QPointer<TFenetreAide> fenetre;
  {
    TVelquorApp app;
    app.CreerFenetrePrincipale();
    AfficherAide(AideIndex);
    fenetre = FenetreAide();
    ASSERT_TRUE(fenetre && fenetre->isVisible());
    // Closing the main window ends the run even with the help open.
    EXPECT_FALSE(fenetre->testAttribute(Qt::WA_QuitOnClose));
  }
  EXPECT_TRUE(fenetre.isNull());
  // F1 goes nowhere once the program's frame is gone.
  PApplication autre(QStringLiteral("Le Velquor"));
  QWidget w;
  w.show();
  QTest::keyClick(&w, Qt::Key_F1);
  EXPECT_EQ(FenetreAide(), nullptr);
}

// The toolbar buttons: hot border, press and drag, the exclusive group of the view buttons,
// the dividers, MarqueVue, and the glyph colours.
void Souris(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton bouton,
            Qt::MouseButtons boutons) {
  QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), bouton, boutons, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}
void Appuyer(QWidget* w, QPoint pos = {5, 5}) {
  Souris(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}
void Glisser(QWidget* w, QPoint pos) {
  Souris(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
}
void Relacher(QWidget* w, QPoint pos = {5, 5}) {
  Souris(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}
void Entrer(QWidget* w) {
  QEnterEvent e(QPointF(5, 5), QPointF(5, 5), QPointF(w->mapToGlobal(QPoint(5, 5))));
  QApplication::sendEvent(w, &e);
}
void Sortir(QWidget* w) {
  QEvent e(QEvent::Leave);
  QApplication::sendEvent(w, &e);
}

class Gadgets : public ApplicationShell {
 protected:
  Gadgets() : executees_(&app_.Routeur(), &PRouteurCommandes::commandeExecutee) { Montrer(); }
  MyGadgetBtn* Bouton(int position) {
    PBarreControle* barre = Cadre()->BarreControle();
    return qobject_cast<MyGadgetBtn*>(barre->widgetForAction(barre->actions()[position]));
  }
  // The commands run since the last call.
  std::vector<int> Executees() {
    QCoreApplication::processEvents();
    std::vector<int> ids;
    for (const QList<QVariant>& s : executees_)
      ids.push_back(s[0].toInt());
    executees_.clear();
    return ids;
  }
  QSignalSpy executees_;
};

TEST_F(Gadgets, LaBordureNApparaitQuAuSurvolDUnBoutonActif) {
  MyGadgetBtn* recherche = Bouton(10);
  ASSERT_EQ(recherche->Commande(), 108);
  const QImage plat = recherche->grab().toImage();
  Entrer(recherche);
  EXPECT_TRUE(recherche->Survol());
  const QImage survole = recherche->grab().toImage();
  EXPECT_NE(survole, plat);
  // The raised border: highlight on the top edge, shadow on the bottom edge.
  EXPECT_EQ(survole.pixel(10, 0), recherche->palette().color(QPalette::Light).rgb());
  EXPECT_EQ(survole.pixel(10, survole.height() - 1),
            recherche->palette().color(QPalette::Dark).rgb());
  Sortir(recherche);
  EXPECT_FALSE(recherche->Survol());
  EXPECT_EQ(recherche->grab().toImage(), plat);  // the border is gone, the face is clean

  MyGadgetBtn* affiner = Bouton(11);  // 109: no result view
  ASSERT_FALSE(affiner->Actif());
  const QImage grise = affiner->grab().toImage();
  Entrer(affiner);
  EXPECT_FALSE(affiner->Survol());
  EXPECT_EQ(affiner->grab().toImage(), grise);
}

TEST_F(Gadgets, RelacherHorsDuBoutonNePostePasEtYRevenirAvantDeRelacherPoste) {
  MyGadgetBtn* recherche = Bouton(10);
  Appuyer(recherche);
  EXPECT_TRUE(recherche->Enfonce());
  Glisser(recherche, {60, 5});
  EXPECT_FALSE(recherche->Enfonce());
  Relacher(recherche, {60, 5});
  EXPECT_TRUE(Executees().empty());

  Appuyer(recherche);
  Glisser(recherche, {60, 5});
  Glisser(recherche, {6, 6});
  EXPECT_TRUE(recherche->Enfonce());
  const QImage enfonce = recherche->grab().toImage();
  Relacher(recherche, {6, 6});
  EXPECT_FALSE(recherche->Enfonce());
  EXPECT_NE(recherche->grab().toImage(), enfonce);
  EXPECT_EQ(Executees(), std::vector<int>{108});
  EXPECT_EQ(recherches_, 1);  // posted: run once the click is over
}

TEST_F(Gadgets, LeGroupeExclusifDesBoutonsDeVues) {
  MyGadgetBtn* cocktails = Bouton(0);
  MyGadgetBtn* ingredients = Bouton(1);
  Appuyer(cocktails);
  Relacher(cocktails);
  EXPECT_EQ(cocktails->EtatBouton(), Etat::Bas);
  EXPECT_EQ(Executees(), std::vector<int>{103});

  Entrer(ingredients);
  Appuyer(ingredients);
  Relacher(ingredients);
  // Down at once, before the posted command runs; the cocktail button Up.
  EXPECT_EQ(ingredients->EtatBouton(), Etat::Bas);
  EXPECT_EQ(cocktails->EtatBouton(), Etat::Haut);
  EXPECT_FALSE(cocktails->Survol());
  EXPECT_EQ(Executees(), std::vector<int>{101});

  // Clicked again while Down: the command again (a fresh view), still Down.
  Appuyer(ingredients);
  Relacher(ingredients);
  EXPECT_EQ(Executees(), std::vector<int>{101});
  EXPECT_EQ(ingredients->EtatBouton(), Etat::Bas);
}

TEST_F(Gadgets, LeGroupeSArreteAuPremierBoutonDUnAutreType) {
  PBarreControle barre(QStringLiteral("Essai"), app_.Routeur());
  auto* a = new MyGadgetBtn(103, 103, MyGadgetBtn::Type::Exclusif);
  auto* b = new MyGadgetBtn(101, 101, MyGadgetBtn::Type::Exclusif);
  auto* commande = new MyGadgetBtn(104, 104, MyGadgetBtn::Type::Commande);
  auto* c = new MyGadgetBtn(102, 102, MyGadgetBtn::Type::Exclusif);
  auto* d = new MyGadgetBtn(110, 110, MyGadgetBtn::Type::Exclusif);
  for (MyGadgetBtn* g : {a, b, commande, c, d})
    g->AjouterA(barre);
  a->DefinirEtat(Etat::Bas);
  c->DefinirEtat(Etat::Bas);
  EXPECT_EQ(a->EtatBouton(), Etat::Bas);  // another group
  b->DefinirEtat(Etat::Bas);
  EXPECT_EQ(a->EtatBouton(), Etat::Haut);
  EXPECT_EQ(c->EtatBouton(), Etat::Bas);
  d->DefinirEtat(Etat::Bas);
  EXPECT_EQ(c->EtatBouton(), Etat::Haut);
  EXPECT_EQ(b->EtatBouton(), Etat::Bas);
  // Outside a bar, a button goes Down on its own.
  MyGadgetBtn seul(103, 103, MyGadgetBtn::Type::Exclusif);
  seul.VerificationExclusive();
  EXPECT_EQ(seul.EtatBouton(), Etat::Bas);
}

TEST_F(Gadgets, UnBoutonInactifNEstNiSurvoleNiEnfonceEtNePosteRien) {
  for (int position : {4, 9}) {
    MyGadgetBtn* diviseur = Bouton(position);
    ASSERT_EQ(diviseur->Commande(), -1);
    EXPECT_FALSE(diviseur->Actif());
    Entrer(diviseur);
    EXPECT_FALSE(diviseur->Survol());
    // A disabled widget gets no click from Qt: sent all the same, nothing is posted.
    Appuyer(diviseur);
    Relacher(diviseur);
  }
  // Made inactive while hovered and pressed.
  MyGadgetBtn* recherche = Bouton(10);
  Entrer(recherche);
  Appuyer(recherche);
  recherche->DefinirActif(false);
  EXPECT_FALSE(recherche->Survol());
  EXPECT_FALSE(recherche->Enfonce());
  Relacher(recherche);
  EXPECT_TRUE(Executees().empty());
}

TEST_F(Gadgets, MarqueVueAvecZeroRemetToutEnHautEtAvecUneAutreCommandeNeChangeRien) {
  app_.MarqueVue(110);
  app_.MarqueVue(104);
  EXPECT_EQ(app_.BtnResultat->EtatBouton(), Etat::Bas);
  Entrer(app_.BtnCocktails);
  ASSERT_TRUE(app_.BtnCocktails->Survol());
  app_.MarqueVue(0);
  for (MyGadgetBtn* b :
       {app_.BtnCocktails, app_.BtnIngredients, app_.BtnFamilles, app_.BtnResultat}) {
    EXPECT_EQ(b->EtatBouton(), Etat::Haut);
    EXPECT_FALSE(b->Survol());
    EXPECT_FALSE(b->Enfonce());
  }
}

TEST_F(Gadgets, LeGlypheGardeLesCouleursDuSystemeQuIlAvaitALaConstruction) {
  MyGadgetBtn bouton(108, 108);
  QPalette palette = bouton.palette();
  palette.setColor(QPalette::Button, QColor(10, 20, 30));
  palette.setColor(QPalette::ButtonText, QColor(40, 50, 60));
  bouton.setPalette(palette);
  const QImage glyphe = bouton.Glyphe();
  ASSERT_EQ(glyphe.size(), QSize(26, 26));
  EXPECT_EQ(bouton.sizeHint(), QSize(30, 30));
  EXPECT_EQ(glyphe.pixelColor(0, 0), QColor(10, 20, 30));  // light grey -> face
  bool texte = false;
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < 26; ++x)
      texte |= glyphe.pixelColor(x, y) == QColor(40, 50, 60);
  EXPECT_TRUE(texte);  // black -> button text
  // A later colour change leaves the glyph as it was built.
  palette.setColor(QPalette::Button, QColor(200, 0, 0));
  bouton.setPalette(palette);
  EXPECT_EQ(bouton.Glyphe().pixelColor(0, 0), QColor(10, 20, 30));
  // The glyph is centred in the button.
  bouton.resize(40, 34);
  QResizeEvent e(QSize(40, 34), QSize(30, 30));
  QApplication::sendEvent(&bouton, &e);
  EXPECT_EQ(bouton.OrigineGlyphe(), QPoint(2 + (36 - 26) / 2, 2 + (30 - 26) / 2));
}

// The read-only multi-line field: typing beeps and changes nothing, navigation keys move and
// scroll, nothing else gets in.
constexpr ModeleControle kControles[] = {
    {Genre::Edition, 503, "", {130, 151, 216, 64}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
};
constexpr ModeleDialogue kModele{9303, "Résultat", {0, 0, 350, 250}, sd::Titre, kControles};

class StaticMulti : public ::testing::Test {
 protected:
  StaticMulti() : dialogue_(kModele) {
    dialogue_.Lier(503, [](QWidget* p) { return new PStaticMulti(p); });
    dialogue_.Commande(1, [this] { ++oks_; });
    dialogue_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialogue_));
    champ_ = dialogue_.Controle<PStaticMulti>(503);
    std::string texte;
    for (int i = 1; i <= 40; ++i)
      texte += "Ligne " + std::to_string(i) + "\r\n";
    texte += "Cr\xE8me de cassis";
    champ_->DefinirTexteCp1252(texte);
    champ_->setFocus();
    texte_ = champ_->TexteCp1252();
  }
  RepondeurScripte repondeur_;
  PDialogue dialogue_;
  PStaticMulti* champ_ = nullptr;
  std::string texte_;
  int oks_ = 0;
};

TEST_F(StaticMulti, LaSaisieBipeEtNeChangeRienEtEntreeVaAuDialogue) {
  ASSERT_NE(champ_, nullptr);
  Taper(champ_, QStringLiteral("ab é"));
  EXPECT_EQ(repondeur_.bips, 4);
  QTest::keyClick(champ_, Qt::Key_Backspace);
  QTest::keyClick(champ_, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(champ_, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(repondeur_.bips, 7);
  QTest::keyClick(champ_, Qt::Key_F5);
  EXPECT_EQ(repondeur_.bips, 7);  // no character: dropped without a sound
  QTest::keyClick(champ_, Qt::Key_Return);
  EXPECT_EQ(oks_, 1);  // Enter goes to the dialog
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
}

TEST_F(StaticMulti, LesTouchesDeDeplacementDeplacentEtFontDefiler) {
  QTextCursor curseur = champ_->textCursor();
  curseur.movePosition(QTextCursor::Start);
  champ_->setTextCursor(curseur);
  QTest::keyClick(champ_, Qt::Key_Down);
  QTest::keyClick(champ_, Qt::Key_Right);
  EXPECT_EQ(champ_->textCursor().blockNumber(), 1);
  EXPECT_EQ(champ_->textCursor().positionInBlock(), 1);
  QTest::keyClick(champ_, Qt::Key_End);
  EXPECT_EQ(champ_->textCursor().positionInBlock(), 7);  // the end of "Ligne 2"
  QTest::keyClick(champ_, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(champ_->textCursor().selectedText(), QStringLiteral("Ligne 2"));
  QTest::keyClick(champ_, Qt::Key_PageDown);
  QTest::keyClick(champ_, Qt::Key_PageDown);
  EXPECT_GT(champ_->verticalScrollBar()->value(), 0);
  QTest::keyClick(champ_, Qt::Key_Up);
  QTest::keyClick(champ_, Qt::Key_PageUp);
  QTest::keyClick(champ_, Qt::Key_Left);
  EXPECT_EQ(repondeur_.bips, 0);
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
}

TEST_F(StaticMulti, LesCommandesDuPressePapiersNeCopientQue) {
  QApplication::clipboard()->setText(QStringLiteral("COLLE"));
  champ_->selectAll();
  for (int commande : {CmCouper, CmColler, CmEffacer, CmAnnulerSaisie}) {
    ASSERT_TRUE(champ_->TraiteCommande(commande));
    champ_->ExecuteCommande(commande);
  }
  EXPECT_EQ(champ_->TexteCp1252(), texte_);
  champ_->ExecuteCommande(CmCopier);
  EXPECT_TRUE(QApplication::clipboard()->text().startsWith(QStringLiteral("Ligne 1")));
  EXPECT_FALSE(champ_->acceptDrops());
  // The program changes the text without a notification.
  int changements = 0;
  QObject::connect(champ_, &PEditionMulti::changement, [&] { ++changements; });
  champ_->DefinirTexteCp1252("SUCRE DE CANNE");
  EXPECT_EQ(champ_->TexteCp1252(), "SUCRE DE CANNE");
  EXPECT_EQ(changements, 0);
}

}  // namespace
}  // namespace velquor::test
