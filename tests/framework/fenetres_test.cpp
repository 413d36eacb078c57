// SPDX-License-Identifier: GPL-3.0-or-later
// The command chain from the focus to the application: the first window that handles a command
// runs it, and its own rule decides whether the command is enabled (an accelerator key on an
// empty list does nothing).

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/edition.h"
#include "framework/routeur.h"

namespace velquor {
namespace {

class FenetreCible : public QWidget, public PCibleTable {
 public:
  using QWidget::QWidget;
};

TEST(Routage, LePremierQuiTraiteDecideEtLaCommandeNeTombePasPlusLoin) {
  PApplication app(QStringLiteral("Le Velquor"));
  FenetreCible cadre;  // frame > dialog > edit
  FenetreCible dialogue(&cadre);
  PEdition edition(&dialogue);
  auto* autre = new QLineEdit(&cadre);
  app.DefinirFenetrePrincipale(&cadre);
  edition.setFocus();
  std::map<std::string, int> compte;
  bool listeNonVide = false;
  dialogue.Commande(
      105, [&] { ++compte["dialogue"]; }, [&] { return listeNonVide; });
  cadre.Commande(105, [&] { ++compte["cadre"]; });
  app.Commande(2009, [&] { ++compte["app"]; });

  EXPECT_FALSE(app.Routeur().EstActive(105));
  EXPECT_FALSE(app.Routeur().Envoyer(105));
  EXPECT_EQ(compte["dialogue"] + compte["cadre"], 0);
  listeNonVide = true;
  EXPECT_TRUE(app.Routeur().Envoyer(105));
  EXPECT_EQ(compte["dialogue"], 1);
  EXPECT_TRUE(app.Routeur().Envoyer(2009));
  EXPECT_EQ(compte["app"], 1);
  EXPECT_FALSE(app.Routeur().Envoyer(4242));  // handled nowhere
  // From a widget outside the dialog the chain no longer passes the dialog.
  autre->setFocus();
  EXPECT_TRUE(app.Routeur().Envoyer(105));
  EXPECT_EQ(compte["cadre"], 1);
}

}  // namespace
}  // namespace velquor
