#pragma once
// What the search windows' tests share: the collections (trace_crochets.h) and the state of
// the lists and controls.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QString>
#include <QTest>

#include <string>
#include <vector>

#include "framework/dialogue.h"
#include "framework/liste.h"
#include "search/defile_dlg.h"
#include "support_ui/repondeur_scripte.h"
#include "trace_crochets.h"

namespace velquor::test {

// The entries of a list, in display order.
inline std::vector<std::string> Entrees(const PListe& liste) {
  std::vector<std::string> entrees;
  for (int i = 0; i < liste.NbElements(); ++i)
    entrees.push_back(liste.Chaine(i));
  return entrees;
}

// The entries of a list in display order, the selected one in brackets.
inline std::vector<std::string> Contenu(const PListe& liste) {
  std::vector<std::string> entrees = Entrees(liste);
  if (const int i = liste.IndexSelection(); i >= 0) entrees[i] = "[" + entrees[i] + "]";
  return entrees;
}

// The message boxes shown, one line each: the icon (x stop, ? question, ! exclamation,
// i information), the buttons (Ok or OuiNon) and the text.
inline std::vector<std::string> Boites(const RepondeurScripte& repondeur) {
  std::vector<std::string> boites;
  for (const BoiteAffichee& b : repondeur.boites) {
    const char* icone = b.icone == IconeMessage::Arret         ? "x"
                        : b.icone == IconeMessage::Question    ? "?"
                        : b.icone == IconeMessage::Exclamation ? "!"
                        : b.icone == IconeMessage::Information ? "i"
                                                               : "-";
    const char* boutons = b.boutons == BoutonsMessage::Ok       ? "Ok"
                          : b.boutons == BoutonsMessage::OuiNon ? "OuiNon"
                                                                : "autres";
    boites.push_back(std::string(icone) + " " + boutons + " " + b.texte.toStdString());
  }
  return boites;
}

// Clicks "Arrêter" as soon as a progress dialog shows, as the user would: the click is heard
// while the messages of the first step are processed. Notes the dialog's caption and whether it
// and the window under it were enabled at that moment.
class ClicArret : public QObject {
 public:
  explicit ClicArret(QWidget* fenetre) : fenetre_(fenetre) { qApp->installEventFilter(this); }
  ~ClicArret() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* objet, QEvent* evenement) override {
    auto* defile = qobject_cast<DefileDlg*>(objet);
    if (defile && evenement->type() == QEvent::Show) {
      ++vus;
      titre = defile->windowTitle();
      QMetaObject::invokeMethod(
          defile,
          [this, defile] {
            fenetreActive = fenetre_->isEnabled();
            defileActif = defile->isEnabled();
            QTest::mouseClick(defile->Controle<QPushButton>(2), Qt::LeftButton);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

  int vus = 0;
  QString titre;
  bool fenetreActive = true;
  bool defileActif = false;

 private:
  QWidget* fenetre_;
};

}  // namespace velquor::test
