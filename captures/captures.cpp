// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures for people to look at, not tests: the main window, each view and each dialog the
// program opens, on the collections of the current directory, saved as PNG at 100 % and at
// 200 % (drawn with a device pixel ratio of 2) into the folder given as the only argument.
// scripts/captures.sh runs it on the demo recipes into build/screenshots/.

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTest>

#include <cstdio>

#include "framework/dialogue.h"
#include "framework/service_messages.h"
#include "search/defile_dlg.h"
#include "search/new_rech.h"
#include "shell/aide.h"
#include "shell/fenetre_aide.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"

namespace {

using namespace velquor;

QDir sortie;
int ecrites = 0;
int manquees = 0;

void Capturer(QWidget* fenetre, const QString& nom) {
  QCoreApplication::processEvents();
  QPixmap double_(fenetre->size() * 2);
  double_.setDevicePixelRatio(2);
  double_.fill(Qt::transparent);
  fenetre->render(&double_);
  const bool ok = fenetre->grab().save(sortie.filePath(nom + QStringLiteral(".png")), "PNG") &&
                  double_.save(sortie.filePath(nom + QStringLiteral("_200.png")), "PNG");
  ++(ok ? ecrites : manquees);
}

// Every box answers its first button (OK, Yes) and is not shown.
class ServiceSansBoites : public ServiceMessagesQt {
 public:
  int Boite(const QString&, const QString&, unsigned style) override {
    for (int r : {int{ReponseOk}, int{ReponseOui}, int{ReponseReessayer}})
      if (ReponsePossible(BoutonsDuStyle(style), r)) return r;
    return ReponseAnnuler;
  }
  void Bip() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || !QDir().mkpath(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "usage: velquor-captures FOLDER (run in a folder of collections)\n");
    return 2;
  }
  sortie = QDir(QString::fromLocal8Bit(argv[1]));
  TVelquorApp app(argc, argv, EnregistrerVuesProgramme);
  ServiceSansBoites service;
  InstallerServiceMessages(&service);
  app.CreerFenetrePrincipale();
  QWidget* cadre = app.FenetrePrincipale();
  cadre->show();
  if (!QTest::qWaitForWindowExposed(cadre)) return 1;
  Capturer(cadre, QStringLiteral("principale"));

  // Each dialog run modally: its picture, the search dialog's three pages, then cancelled (the
  // search dialog confirmed on its first page, so that the result view opens on every cocktail).
  DefinirCoutureModale([](PDialogue& d) {
    const QString nom = QStringLiteral("dialogue_%1").arg(d.IdModele());
    Capturer(&d, nom);
    if (auto* recherche = dynamic_cast<NewRech*>(&d)) {
      auto* barre = recherche->findChild<QTabBar*>();
      for (int page = 1; barre && page < barre->count(); ++page) {
        QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(page).center());
        Capturer(&d, nom + QStringLiteral("_page%1").arg(page + 1));
      }
      if (barre) QTest::mouseClick(barre, Qt::LeftButton, {}, barre->tabRect(0).center());
      // OK on the first page with no text: every cocktail's name contains it, so the search
      // finds them all and the result view has something to show.
      if (QWidget* ok = d.ControleParId(CmIdOk))
        QTest::mouseClick(ok, Qt::LeftButton);
      else
        d.FermerDialogue(CmIdOk);
      return;
    }
    d.FermerDialogue(2);
  });
  const std::pair<int, const char*> kEtapes[] = {
      {102, "vue_familles"}, {101, "vue_ingredients"}, {103, "vue_cocktails"}, {104, nullptr},
      {2009, nullptr},       {108, "vue_resultat"},    {109, nullptr}};
  for (const auto& [commande, nom] : kEtapes) {
    app.Routeur().Envoyer(commande);
    if (nom) Capturer(cadre, QString::fromLatin1(nom));
  }
  // The progress window at its end, on a name of 30 characters.
  {
    DefileDlg defile(cadre);
    defile.MettreAJour("ABSINTHE DU DERNIER INSPECTEUR", 1, 1);
    defile.show();
    if (QTest::qWaitForWindowExposed(&defile)) Capturer(&defile, QStringLiteral("dialogue_206"));
  }
  AfficherAide(AideIndex);
  if (FenetreAide() && QTest::qWaitForWindowExposed(FenetreAide()))
    Capturer(FenetreAide(), QStringLiteral("aide"));
  FermerAide();
  InstallerServiceMessages(nullptr);
  std::printf("%d pictures in %s\n", 2 * ecrites, argv[1]);
  return manquees == 0 && ecrites > 0 ? 0 : 1;
}
