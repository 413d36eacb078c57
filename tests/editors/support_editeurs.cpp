#include "support_editeurs.h"

#include <QApplication>
#include <QTest>

#include "editors/cocktail_dlg.h"
#include "editors/enreg_dlg.h"
#include "editors/famille_dlg.h"
#include "editors/ingredient_dlg.h"
#include "framework/edition.h"
#include "search/defile_dlg.h"
#include "store/champ_texte.h"
#include "support_ui/clavier.h"

namespace velquor::test {

namespace {

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

ZoneEssai::ZoneEssai() {
  Commande(101, [this] {
    FermerVue();
    Heberger(new TIngChild(this));
  });
  Commande(102, [this] {
    FermerVue();
    Heberger(new TFamChild(this));
  });
  Commande(103, [this] {
    FermerVue();
    Heberger(new TCockChild(this));
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
