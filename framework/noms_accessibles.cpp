// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/noms_accessibles.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <climits>

#include "framework/constructeur_dialogue.h"

namespace velquor {

namespace {

// How far a label may stand from the control it names, in dialog units: above it, and before it
// on its line.
constexpr int kEcartDessus = 3;
constexpr int kEcartAvant = 8;

// The hidden label that carries a combo box's name.
constexpr char kPorteNom[] = "porte_nom";

bool SeChevauchent(int debutA, int longueurA, int debutB, int longueurB) {
  return debutA < debutB + longueurB && debutB < debutA + longueurA;
}

// The distance from the label to the control when it stands right above it or right before it;
// INT_MAX when it does neither.
int Ecart(const RectDlu& etiquette, const RectDlu& controle) {
  const int dessus = controle.y - (etiquette.y + etiquette.cy);
  if (dessus >= 0 && dessus <= kEcartDessus &&
      SeChevauchent(etiquette.x, etiquette.cx, controle.x, controle.cx))
    return dessus;
  const int avant = controle.x - (etiquette.x + etiquette.cx);
  if (avant >= 0 && avant <= kEcartAvant &&
      SeChevauchent(etiquette.y, etiquette.cy, controle.y, controle.cy))
    return avant;
  return INT_MAX;
}

bool EstNommeParSonTexte(Genre genre) {
  return genre == Genre::Bouton || genre == Genre::Radio || genre == Genre::Case ||
         genre == Genre::Onglets;
}

bool EstNommable(Genre genre) {
  return genre == Genre::Edition || genre == Genre::Liste || genre == Genre::ComboSaisie ||
         genre == Genre::ComboListe;
}

}  // namespace

QString NomDEtiquette(const QString& texte) {
  QString nom = SansMnemonique(texte).trimmed();
  while (nom.endsWith(QLatin1Char(':')))
    nom = nom.chopped(1).trimmed();
  return nom;
}

void NommerControle(QWidget* controle, const QString& nom) {
  if (!controle) return;
  controle->setAccessibleName(nom);
  QWidget* parent = controle->parentWidget();
  if (!qobject_cast<QComboBox*>(controle) || !parent) return;
  for (QLabel* etiquette : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (etiquette->buddy() != controle) continue;
    if (etiquette->objectName() == QLatin1String(kPorteNom)) etiquette->setText(nom);
    return;
  }
  auto* etiquette = new QLabel(nom, parent);
  etiquette->setObjectName(QLatin1String(kPorteNom));
  etiquette->setBuddy(controle);
  etiquette->hide();
}

void NommerParEtiquettes(const ModeleDialogue& modele, const std::vector<QWidget*>& controles) {
  const auto& m = modele.controles;
  std::vector<bool> nomme(controles.size(), false);
  std::vector<bool> libre(controles.size(), false);  // a label that names no control yet
  for (std::size_t i = 0; i < controles.size(); ++i) {
    auto* etiquette = qobject_cast<QLabel*>(controles[i]);
    if (!etiquette || m[i].genre != Genre::Texte || !m[i].texte || !*m[i].texte) continue;
    QWidget* compagnon = etiquette->buddy();
    libre[i] = !compagnon;
    for (std::size_t k = 0; compagnon && k < controles.size(); ++k) {
      if (controles[k] != compagnon) continue;
      NommerControle(compagnon, NomDEtiquette(etiquette->text()));
      nomme[k] = true;
    }
  }
  for (std::size_t k = 0; k < controles.size(); ++k) {
    if (nomme[k] || !EstNommable(m[k].genre) || EstNommeParSonTexte(m[k].genre)) continue;
    std::size_t meilleure = controles.size();
    int plusPres = INT_MAX;
    for (std::size_t i = 0; i < controles.size(); ++i) {
      if (!libre[i]) continue;
      const int ecart = Ecart(m[i].rect, m[k].rect);
      if (ecart < plusPres) {
        plusPres = ecart;
        meilleure = i;
      }
    }
    if (meilleure < controles.size())
      NommerControle(controles[k], NomDEtiquette(QString::fromUtf8(m[meilleure].texte)));
  }
}

}  // namespace velquor
