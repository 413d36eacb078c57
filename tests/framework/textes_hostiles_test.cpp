// The hostile records as a second data set for the boxes, lists and fields: every stored name
// ("%s", "%d", "%", "<&>", quotes, the bytes 0x80 to 0x9F with the five holes, 30 bytes long) is
// shown as its characters, put literally in place of a message's "%s", sorted by the case-blind
// name order and found again by the entry the user clicks.

#include <QTest>

#include <gtest/gtest.h>

#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "jeu_hostile.h"
#include "resources/chaines.h"
#include "store/collation.h"
#include "support_ui/repondeur_scripte.h"

namespace velquor {
namespace {

// The characters of code page 1252 at 0x80 to 0x9F, as the code page's table gives them; its
// five holes keep the control code points of the same value. Every other byte is the Latin-1
// character of the same value.
constexpr char16_t kTable80[32] = {
    u'€', u'\u0081', u'‚',      u'ƒ', u'„',      u'…',      u'†', u'‡',      u'ˆ', u'‰', u'Š',
    u'‹', u'Œ',      u'\u008D', u'Ž', u'\u008F', u'\u0090', u'‘', u'’',      u'“', u'”', u'•',
    u'–', u'—',      u'˜',      u'™', u'š',      u'›',      u'œ', u'\u009D', u'ž', u'Ÿ'};

QString Montre(std::string_view cp1252) {
  QString texte;
  for (unsigned char c : cp1252)
    texte += c >= 0x80 && c < 0xA0 ? QChar(kTable80[c - 0x80]) : QChar(char16_t{c});
  return texte;
}

std::vector<std::string> TousLesNoms() {
  std::vector<std::string> noms;
  for (const auto& f : test::Jeu().familles)
    noms.push_back(f.nom);
  for (const auto& i : test::Jeu().ingredients)
    noms.push_back(i.nom);
  for (const auto& c : test::Jeu().cocktails)
    noms.push_back(c.nom);
  return noms;
}

TEST(TextesHostiles, LaQuestionNommeLeNomTelQuel) {
  test::RepondeurScripte repondeur;
  for (const std::string& nom : TousLesNoms()) {
    repondeur.boites.clear();
    repondeur.reponses = {ReponseNon};
    EXPECT_EQ(
        ServiceMessages().AffMessage(ChaineSuppressionFamille, nom, StyleQuestion | StyleOuiNon),
        ReponseNon);
    ASSERT_EQ(repondeur.boites.size(), 1u);
    EXPECT_EQ(repondeur.boites[0].texte,
              QStringLiteral("Suppression de la famille ") + Montre(nom) + QStringLiteral(" ?"));
  }
  // The table written out for two names: the holes keep their control code points.
  EXPECT_EQ(Montre(test::Famille80),
            QStringLiteral("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F FAMILLE######"));
  EXPECT_EQ(Montre(test::Ingredient90), QStringLiteral("\u0090‘’“”•–—˜™š›œ\u009DžŸ JUS##########"));
}

TEST(TextesHostiles, ChaqueEntreeMontreSonNomEtLeClicLaSelectionne) {
  PListe liste;
  liste.DefinirTrie(true);
  const std::vector<std::string> noms = TousLesNoms();
  for (const std::string& nom : noms)
    liste.AjouterChaine(nom);
  liste.resize(300, 120);
  liste.show();
  ASSERT_EQ(liste.NbElements(), static_cast<int>(noms.size()));
  for (int i = 0; i < liste.NbElements(); ++i) {
    EXPECT_EQ(liste.item(i)->text(), Montre(liste.Chaine(i))) << i;
    if (i > 0) {
      EXPECT_LE(ComparerNomsSansCasse(liste.Chaine(i - 1), liste.Chaine(i)), 0) << i;
    }
  }
  for (const std::string& nom : noms) {
    const int index = liste.ChercherExact(nom);
    ASSERT_GE(index, 0);
    liste.scrollToItem(liste.item(index));
    QTest::mouseClick(liste.viewport(), Qt::LeftButton, {},
                      liste.visualItemRect(liste.item(index)).center());
    EXPECT_EQ(liste.Chaine(liste.IndexSelection()), nom);
  }
}

TEST(TextesHostiles, UnCommentaireALaLimiteRevientOctetPourOctet) {
  for (const std::string& texte : {test::Remarque250, test::Remarque125Sauts}) {
    PEditionMulti champ;
    champ.DefinirRegles({false, 250});
    champ.DefinirTexteCp1252(texte);
    EXPECT_EQ(champ.toPlainText(),
              Montre(texte).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    EXPECT_EQ(champ.TexteCp1252(), texte);
  }
}

}  // namespace
}  // namespace velquor
