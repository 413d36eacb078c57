#include "framework/constructeur_dialogue.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/boutons.h"
#include "framework/combo.h"
#include "framework/dialogue.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/onglets.h"
#include "framework/unites_dialogue.h"

namespace velquor {
namespace {

TEST(UnitesDialogue, ConversionAvecLesUnitesDeBaseDeLaPoliceDOrigine) {
  // x = dlu * 6 / 4 and y = dlu * 13 / 8, rounded to the nearest, halves away from zero.
  EXPECT_EQ(DluVersPixelsX(215), 323);  // 322.5
  EXPECT_EQ(DluVersPixelsX(-3), -5);    // -4.5
  EXPECT_EQ(DluVersPixelsY(58), 94);    // 94.25
  EXPECT_EQ(DluVersPixelsY(14), 23);    // 22.75
  EXPECT_EQ(DluVersPixelsY(1), 2);      // 1.625
  EXPECT_EQ(DluVersPixelsY(4), 7);      // 6.5
  EXPECT_EQ(DluVersPixels({82, 39, 50, 14}), QRect(123, 63, 75, 23));
}

TEST(Dialogue206, ControlesNommesParLeurIdEtJaugeAjoutee) {
  PDialogue dialogue(206);
  dialogue.show();
  auto* arreter = dialogue.Controle<QPushButton>(2);
  ASSERT_NE(arreter, nullptr);
  EXPECT_EQ(arreter->objectName(), QStringLiteral("2"));
  // The lookup is typed: a label is not a button, and a missing id is nothing.
  EXPECT_EQ(dialogue.Controle<QPushButton>(102), nullptr);
  EXPECT_EQ(dialogue.ControleParId(999), nullptr);

  // As the progress dialog adds its gauge once shown.
  auto* jauge = dynamic_cast<QProgressBar*>(
      dialogue.AjouterControle({Genre::Jauge, 999, "", {}}, QRect(5, 41, 280, 16)));
  ASSERT_NE(jauge, nullptr);
  EXPECT_EQ(dialogue.Controle<QProgressBar>(999), jauge);
  EXPECT_EQ(jauge->geometry(), QRect(5, 41, 280, 16));
  EXPECT_TRUE(jauge->isVisible());
}

// A template of every kind and style, for the builder.
constexpr ModeleControle kControlesEssai[] = {
    {Genre::Cadre, 10, "Mode", {5, 5, 200, 40}},
    {Genre::Radio, 11, "&Un", {8, 14, 60, 12}, st::Groupe},
    {Genre::Radio, 12, "&Deux", {8, 26, 60, 12}},
    {Genre::Radio, 13, "&Trois", {80, 14, 60, 12}, st::Groupe},
    {Genre::Radio, 14, "&Quatre", {80, 26, 60, 12}},
    {Genre::Texte, 20, "&Nom:", {5, 50, 40, 8}},
    {Genre::Edition, 21, "", {50, 48, 100, 12}, st::Majuscules, 30},
    {Genre::Edition, 22, "", {50, 62, 100, 40}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Liste, 23, "", {5, 105, 80, 60}, st::Trie},
    {Genre::Liste, 24, "", {90, 105, 80, 60}},
    {Genre::ComboSaisie, 25, "", {5, 170, 80, 60}, st::Trie | st::Majuscules, 30},
    {Genre::ComboListe, 26, "", {90, 170, 80, 60}},
    {Genre::Case, 27, "Ca&se", {5, 185, 60, 12}, st::Desactive},
    {Genre::Bouton, 28, "Caché", {70, 185, 50, 14}, st::Cache},
    {Genre::Bouton, 1, "Ok", {130, 185, 50, 14}},
    {Genre::Bouton, 29, "Défaut", {185, 185, 50, 14}, st::Defaut},
    {Genre::Texte, 30, "Total && fin", {5, 200, 100, 8}, st::Centre},
    {Genre::Trait, -1, "", {0, 210, 240, 1}},
    {Genre::Onglets, 31, "Un|Deux|Trois", {0, 212, 240, 30}},
    {Genre::Jauge, 32, "", {0, 245, 240, 8}},
    {Genre::BoutonDessine, 33, "", {0, 255, 20, 20}},
    {Genre::Perso, 34, "", {30, 255, 20, 20}},
};
constexpr ModeleDialogue kModeleEssai{9001, "Essai", {0, 0, 240, 280}, sd::Titre, kControlesEssai};

class Constructeur : public ::testing::Test {
 protected:
  void SetUp() override { controles_ = ConstruireControles(kModeleEssai, &parent_); }
  template <class T>
  T* Par(int id) {
    return parent_.findChild<T*>(QString::number(id), Qt::FindDirectChildrenOnly);
  }
  QWidget parent_;
  std::vector<QWidget*> controles_;
};

TEST_F(Constructeur, ChaqueGenreDonneSaClasseEtSesStyles) {
  ASSERT_EQ(controles_.size(), std::size(kControlesEssai));
  const std::pair<int, const QWidget*> classes[] = {
      {10, Par<QGroupBox>(10)},     {11, Par<PRadio>(11)},         {21, Par<PEdition>(21)},
      {22, Par<PEditionMulti>(22)}, {23, Par<PListe>(23)},         {25, Par<PCombo>(25)},
      {27, Par<QCheckBox>(27)},     {28, Par<QPushButton>(28)},    {31, Par<POnglets>(31)},
      {32, Par<QProgressBar>(32)},  {33, Par<PBoutonDessine>(33)}, {34, Par<QWidget>(34)}};
  for (const auto& [id, controle] : classes)
    EXPECT_NE(controle, nullptr) << id;
  EXPECT_TRUE(Par<PCombo>(25)->isEditable());
  EXPECT_FALSE(Par<PCombo>(26)->isEditable());
  EXPECT_EQ(Par<POnglets>(31)->NbOnglets(), 3);
  EXPECT_EQ(Par<QProgressBar>(32)->maximum(), 100);

  // The edit rules of a one-line field: see Dialogue.ClassePropreLieeAUnId.
  EXPECT_EQ(Par<PEditionMulti>(22)->Regles().limite, 250);
  EXPECT_EQ(Par<PEditionMulti>(22)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_TRUE(Par<PListe>(23)->EstTrie());
  EXPECT_FALSE(Par<PListe>(24)->EstTrie());
  EXPECT_TRUE(Par<PCombo>(25)->EstTrie());
  EXPECT_FALSE(Par<QCheckBox>(27)->isEnabled());
  EXPECT_TRUE(Par<QPushButton>(28)->isHidden());
  EXPECT_FALSE(Par<QPushButton>(1)->isHidden());
  // Tab stops: what the user acts on; a radio where its group starts.
  EXPECT_EQ(Par<PEdition>(21)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(Par<PRadio>(11)->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(Par<PRadio>(12)->focusPolicy(), Qt::ClickFocus);
  EXPECT_EQ(Par<QLabel>(20)->focusPolicy(), Qt::NoFocus);
}

TEST_F(Constructeur, LesGroupesDeRadiosCommencentAuStyleGroupe) {
  auto* un = Par<PRadio>(11);
  auto* deux = Par<PRadio>(12);
  auto* trois = Par<PRadio>(13);
  ASSERT_NE(un->group(), nullptr);
  EXPECT_EQ(un->group(), deux->group());
  EXPECT_EQ(trois->group(), Par<PRadio>(14)->group());
  EXPECT_NE(un->group(), trois->group());

  // The program's checks change one button only, as on the legacy platform.
  un->setChecked(true);
  trois->setChecked(true);
  deux->setChecked(true);
  EXPECT_TRUE(un->isChecked());
  // A click checks the button and unchecks the others of its group only; clicking a checked
  // radio keeps it checked.
  deux->click();
  deux->click();
  EXPECT_FALSE(un->isChecked());
  EXPECT_TRUE(deux->isChecked());
  EXPECT_TRUE(trois->isChecked());
}

TEST_F(Constructeur, OrdreDePileTabulationEtMnemoniques) {
  // The first control lies on top: where the group box and its radio overlap, the radio gets
  // the mouse because the group box lets it through; the tab order follows the template.
  EXPECT_EQ(parent_.childAt(Par<PRadio>(11)->geometry().center()), Par<PRadio>(11));
  // Qt keeps its children bottom to top: the first control of the template comes last.
  const QList<QWidget*> pile =
      parent_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
  ASSERT_FALSE(pile.isEmpty());
  EXPECT_EQ(pile.back(), Par<QGroupBox>(10));
  EXPECT_EQ(pile.front(), Par<QWidget>(34));
  EXPECT_EQ(Par<PEdition>(21)->nextInFocusChain(), Par<PEditionMulti>(22));

  // A static's mnemonic gives the focus to the next control that can take it.
  EXPECT_EQ(Par<QLabel>(20)->buddy(), Par<PEdition>(21));
  EXPECT_EQ(Par<QLabel>(20)->text(), QStringLiteral("&Nom:"));
  // Without a mnemonic the text is shown as it is (no stray ampersand marking).
  EXPECT_EQ(Par<QLabel>(30)->buddy(), nullptr);
  EXPECT_EQ(Par<QLabel>(30)->text(), QStringLiteral("Total & fin"));
  EXPECT_EQ(Par<QLabel>(30)->textFormat(), Qt::PlainText);
}

TEST_F(Constructeur, UnComboEstCreeFermeEtSaListeOuvertePrendLeResteDuRectangle) {
  // {5, 170, 80, 60}: 98 pixels high with the open list; closed, one line of the dialog's font.
  for (int id : {25, 26}) {
    auto* combo = Par<PCombo>(id);
    const int fermee = HauteurComboFermee(combo->font());
    EXPECT_EQ(combo->geometry(), QRect(DluVersPixelsX(id == 25 ? 5 : 90), 276, 120, fermee));
    EXPECT_LT(fermee, 30);
    EXPECT_EQ(combo->HauteurListe(), 98 - fermee) << id;
  }
  // The open list shows as many whole entries as fit under the box, fewer when there are fewer.
  auto* combo = Par<PCombo>(26);
  parent_.resize(400, 420);
  parent_.show();
  for (int i = 0; i < 30; ++i)
    combo->AjouterChaine("ENTREE " + std::to_string(i));
  const int ligne = combo->view()->sizeHintForRow(0);
  combo->showPopup();
  EXPECT_EQ(combo->maxVisibleItems(), (combo->HauteurListe() - 2) / ligne);
  EXPECT_LE(combo->view()->height(), combo->HauteurListe());
  EXPECT_GE(combo->view()->height(), combo->HauteurListe() - ligne - 4);
  combo->hidePopup();
  parent_.hide();
}

TEST(ModelesDialogues, LesTextesSurUneLigneNeSontPasCoupesParLaPoliceDeRemplacement) {
  // A text wider in the stand-in face than its legacy rectangle takes the room beside it.
  static constexpr ModeleControle kTextes[] = {
      {Genre::Radio, 1, "Alcoolisé &et non alcoolisé", {7, 6, 40, 12}, st::Groupe},
      {Genre::Texte, 2, "Sélection des &ingrédients contenant: ", {60, 30, 40, 8}, st::Droite},
      {Genre::Edition, 3, "", {102, 28, 30, 12}},
      {Genre::Texte, 4, "Court", {7, 50, 60, 8}},
  };
  static constexpr ModeleDialogue kModele{9402, "Essai", {0, 0, 140, 70}, sd::Titre, kTextes};
  PDialogue essai(kModele);
  ASSERT_TRUE(essai.Creer());
  auto* radio = essai.Controle<PRadio>(1);
  EXPECT_GE(radio->width(), radio->sizeHint().width());
  EXPECT_EQ(radio->x(), DluVersPixelsX(7));
  auto* droite = essai.Controle<QLabel>(2);  // right-aligned: widened to the left
  EXPECT_EQ(droite->geometry().right(), QRect(DluVersPixels({60, 30, 40, 8})).right());
  EXPECT_LT(droite->x(), DluVersPixelsX(60));
  EXPECT_EQ(essai.Controle<QLabel>(4)->geometry(), DluVersPixels({7, 50, 60, 8}));  // it fits
}

TEST(ModelesDialogues, NiTexteCoupeNiComboFermeSurLaLigneSuivante) {
  // The program's dialogs, their rectangles as the legacy layouts drew them. The cocktail
  // editor's rows are 13 units apart; the refine dialog's two boxes 20.
  for (int id : {201, 202, 203, 204, 205, 206, 207, 208, 209}) {
    SCOPED_TRACE(id);
    PDialogue dialogue(id);
    ASSERT_TRUE(dialogue.Creer());
    for (QWidget* w : dialogue.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      // Against an edge of the dialog there is no more room to give.
      if (w->x() <= 0 || w->geometry().right() >= dialogue.width() - 1) continue;
      if (qobject_cast<QCheckBox*>(w) || dynamic_cast<PRadio*>(w)) {
        EXPECT_GE(w->width(), w->sizeHint().width()) << w->objectName().toStdString();
      } else if (auto* l = qobject_cast<QLabel*>(w); l && l->height() <= DluVersPixelsY(10)) {
        QString texte = l->text();
        if (l->buddy()) texte.remove(QLatin1Char('&'));
        EXPECT_GE(l->width(), l->fontMetrics().horizontalAdvance(texte)) << texte.toStdString();
      }
    }
    const QList<PCombo*> combos = dialogue.findChildren<PCombo*>();
    for (const PCombo* a : combos) {
      EXPECT_LE(a->height(), DluVersPixelsY(13));
      for (const PCombo* b : combos)
        EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()));
    }
  }
  // The refine dialog's lower combo box ends above the option group under it.
  PDialogue affiner(208);
  affiner.Creer();
  EXPECT_LT(affiner.Controle<PCombo>(102)->geometry().bottom(), DluVersPixelsY(56));
}

}  // namespace
}  // namespace velquor
