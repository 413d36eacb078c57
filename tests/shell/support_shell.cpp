#include "support_shell.h"

#include <QApplication>
#include <QTest>

#include "framework/dialogue.h"
#include "framework/modele_dialogue.h"

namespace velquor::test {

namespace {

constexpr ModeleControle kControlesVue[] = {
    {Genre::Trait, -1, "", {128, 4, 220, 215}},
    {Genre::Texte, -1, "&Liste des cocktails:", {7, 6, 93, 8}},
    {Genre::Liste, 501, "", {5, 16, 119, 204}, st::Trie | st::DefilVertical},
    {Genre::Texte, 502, "", {136, 11, 200, 14}, st::Centre},
    {Genre::Texte, -1, "&Commentaires:", {136, 99, 60, 8}},
    {Genre::Edition, 503, "", {136, 108, 204, 68}, st::MultiLigne | st::DefilVertical, 250},
    {Genre::Bouton, 1, "ok", {292, 228, 50, 14}},
    {Genre::Bouton, 2, "esc", {235, 229, 50, 14}},
};
constexpr ModeleDialogue kModeleVue{9301, "", {0, 0, 350, 250}, sd::Enfant, kControlesVue};

}  // namespace

std::vector<QString> TVueEssai::detruites;
int TVueEssai::questions = 0;

TVueEssai::TVueEssai(const QString& titre, std::set<int> commandes, QWidget* parent)
    : PVue(titre, parent) {
  auto* dialogue = new PDialogue(kModeleVue);
  for (int commande : commandes) {
    dialogue->Commande(commande, [this, commande] { ++executees[commande]; });
  }
  DefinirClient(dialogue);
}

TVueEssai::~TVueEssai() {
  detruites.push_back(windowTitle());
}

bool TVueEssai::PeutFermer() {
  ++questions;
  return accepteFermeture;
}

ApplicationShell::ApplicationShell()
    : app_([this](TVelquorMDIClient& client) {
        const std::pair<TypeVue, QString> kVues[] = {
            {TypeVue::Familles, QStringLiteral("Gestion des familles")},
            {TypeVue::Ingredients, QStringLiteral("Gestion des ingrédients")},
            {TypeVue::Cocktails, QStringLiteral("Gestion des cocktails")},
            {TypeVue::Resultat, QStringLiteral("Résultat de la recherche")}};
        for (const auto& vue : kVues) {
          // An editor's record commands, or the result's refine command.
          const std::set<int> commandes = vue.first == TypeVue::Resultat
                                              ? std::set<int>{109}
                                              : std::set<int>{104, 105, 106, 107};
          client.DefinirFabrique(vue.first, [titre = vue.second, commandes](QWidget* p) {
            return new TVueEssai(titre, commandes, p);
          });
        }
        client.DefinirLanceurRecherche([this](QWidget* parent) {
          ++recherches_;
          if (pendantRecherche_) pendantRecherche_(parent);
          return reponseRecherche_;
        });
      }) {
  ContexteAide = AideIndex;
  TVueEssai::detruites.clear();
  app_.CreerFenetrePrincipale();
}

ApplicationShell::~ApplicationShell() {
  ContexteAide = AideIndex;
}

void ApplicationShell::Montrer() {
  Cadre()->show();
  QApplication::setActiveWindow(Cadre());
  EXPECT_TRUE(QTest::qWaitForWindowActive(Cadre()));
  app_.PasseInactive();
}

TVueEssai* ApplicationShell::VueOuverte() const {
  return qobject_cast<TVueEssai*>(Client()->Vue());
}

}  // namespace velquor::test
