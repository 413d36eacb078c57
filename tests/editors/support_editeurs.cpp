#include "support_editeurs.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "editors/cocktail_dlg.h"
#include "editors/enreg_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/texte_qt.h"
#include "search/defile_dlg.h"
#include "store/champ_texte.h"
#include "store/cp1252.h"
#include "support_ui/clavier.h"

namespace velquor::test {

namespace {

template <class Fic>
bool OuvrirOuCreer(Fic& f) {
  return f.Ouvrir() || (f.Creer() && f.Ouvrir());
}

template <class Fic>
auto Lire(std::string_view nom) -> std::optional<decltype(Fic{}.Enreg)> {
  Fic f;
  if (!f.Ouvrir() || !f.Chercher(nom)) return std::nullopt;
  return f.Enreg;
}

template <class Fic>
std::vector<std::string> NomsDe() {
  std::vector<std::string> noms;
  Fic f;
  if (!f.Ouvrir()) return noms;
  if (f.Premier()) {
    do
      noms.emplace_back(Texte(f.Enreg.Nom));
    while (f.Suivant());
  }
  return noms;
}

}  // namespace

std::string Cp(std::string_view utf8) {
  std::optional<std::string> texte = Utf8VersCp1252(utf8);
  EXPECT_TRUE(texte.has_value()) << utf8;
  return texte.value_or("");
}

void CreerFamilles(std::initializer_list<Famille> familles) {
  FicFamille f;
  ASSERT_TRUE(OuvrirOuCreer(f));
  for (const Famille& famille : familles) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, Cp(famille.nom));
    CopierTexte(f.Enreg.Commentaire, Cp(famille.commentaire));
    ASSERT_TRUE(f.Ajouter(Cp(famille.nom))) << famille.nom;
  }
}

void CreerIngredients(std::initializer_list<Ingredient> ingredients) {
  FicIngredient f;
  ASSERT_TRUE(OuvrirOuCreer(f));
  for (const Ingredient& ingredient : ingredients) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, Cp(ingredient.nom));
    f.Enreg.Alcool = ingredient.alcool ? 1 : 0;
    CopierTexte(f.Enreg.Commentaire, Cp(ingredient.commentaire));
    ASSERT_TRUE(f.Ajouter(Cp(ingredient.nom))) << ingredient.nom;
  }
}

std::optional<EnrFamille> LireFamille(std::string_view nom) {
  return Lire<FicFamille>(nom);
}
std::optional<EnrIngredient> LireIngredient(std::string_view nom) {
  return Lire<FicIngredient>(nom);
}
std::optional<EnrCocktail> LireCocktail(std::string_view nom) {
  return Lire<FicCocktail>(nom);
}
std::vector<std::string> NomsFamilles() {
  return NomsDe<FicFamille>();
}
std::vector<std::string> NomsIngredients() {
  return NomsDe<FicIngredient>();
}
std::vector<std::string> NomsCocktails() {
  return NomsDe<FicCocktail>();
}

std::vector<std::string> Entrees(const PListe* liste) {
  std::vector<std::string> entrees;
  for (int i = 0; liste && i < liste->NbElements(); ++i)
    entrees.push_back(liste->Chaine(i));
  return entrees;
}

std::vector<std::string> Entrees(const PCombo* combo) {
  std::vector<std::string> entrees;
  for (int i = 0; combo && i < combo->NbElements(); ++i)
    entrees.push_back(combo->Chaine(i));
  return entrees;
}

ZoneEssai::ZoneEssai() {
  Commande(101, [this] {
    FermerVue();
    Heberger(new TIngChild(this));
    ++ouvertures;
  });
  Commande(102, [this] {
    FermerVue();
    Heberger(new TFamChild(this));
    ++ouvertures;
  });
  Commande(103, [this] {
    FermerVue();
    Heberger(new TCockChild(this));
    ++ouvertures;
  });
}

EditeursTest::EditeursTest()
    : cadre_(std::make_unique<PFenetreCadre>(QStringLiteral("Le Velquor"))) {
  zone_ = new ZoneEssai;
  cadre_->DefinirZoneVues(zone_);
  cadre_->resize(536, 450);
  app_.DefinirFenetrePrincipale(cadre_.get());
  cadre_->show();
  cadre_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(cadre_.get()));
}

EditeursTest::~EditeursTest() {
  cadre_.reset();
}

bool EditeursTest::Envoyer(int commande) {
  return app_.Routeur().Envoyer(commande);
}

bool EditeursTest::EstActive(int commande) {
  return app_.Routeur().EstActive(commande);
}

PEditeurDlg* EditeursTest::Ouvrir(int commande) {
  EXPECT_TRUE(Envoyer(commande));
  return Editeur();
}

PVueEditeur* EditeursTest::Vue() const {
  return dynamic_cast<PVueEditeur*>(zone_->Vue());
}

PEditeurDlg* EditeursTest::Editeur() const {
  PVueEditeur* vue = Vue();
  return vue ? vue->Editeur() : nullptr;
}

void EditeursTest::Focaliser(QWidget* controle) {
  ASSERT_NE(controle, nullptr);
  controle->setFocus(Qt::OtherFocusReason);
  QCoreApplication::processEvents();
  ASSERT_TRUE(controle->hasFocus());
}

CoutureModale RepondreNom(const QString& texte, std::vector<DialogueNom>* vus) {
  return [texte, vus](PDialogue& d) {
    ASSERT_EQ(d.IdModele(), EnregDlg::IdModele);
    auto* ancien = d.Controle<PEdition>(EnregDlg::IdAncienNom);
    auto* nouveau = d.Controle<PEdition>(EnregDlg::IdNouveauNom);
    ASSERT_TRUE(ancien && nouveau);
    if (vus) vus->push_back({d.windowTitle(), ancien->text(), !ancien->isHidden()});
    nouveau->clear();
    Taper(nouveau, texte);
    QTest::keyClick(nouveau, Qt::Key_Return);
  };
}

ObservateurPasse::ObservateurPasse(QWidget* editeur, std::function<void()> pendant)
    : editeur_(editeur), pendant_(std::move(pendant)) {
  Programmer();
}

void ObservateurPasse::Programmer() {
  // A queued call that queues itself again: each dispatch of the posted events runs it once.
  QMetaObject::invokeMethod(
      &relais_,
      [this] {
        Observer();
        Programmer();
      },
      Qt::QueuedConnection);
}

void ObservateurPasse::Observer() {
  for (QWidget* fenetre : QApplication::topLevelWidgets()) {
    auto* defile = qobject_cast<DefileDlg*>(fenetre);
    if (!defile || !defile->isVisible()) continue;
    ++observations;
    legende = defile->windowTitle();
    auto* arret = defile->ControleParId(2);
    arretVisible = arret && arret->isVisible();
    editeurActif = editeur_ && editeur_->isEnabled();
    if (observations == 1 && pendant_) pendant_();
  }
}

}  // namespace velquor::test
