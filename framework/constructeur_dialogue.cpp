// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/constructeur_dialogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtGlobal>

#include <algorithm>

#include "framework/boutons.h"
#include "framework/cadre_groupe.h"
#include "framework/combo.h"
#include "framework/edition.h"
#include "framework/etiquette.h"
#include "framework/liste.h"
#include "framework/noms_accessibles.h"
#include "framework/onglets.h"
#include "framework/unites_dialogue.h"

namespace velquor {

namespace {

bool A(const ModeleControle& m, unsigned bit) {
  return (m.style & bit) != 0;
}

QString Texte(const ModeleControle& m) {
  return QString::fromUtf8(m.texte ? m.texte : "");
}

// Whether the text holds a mnemonic: one '&' not doubled.
bool AMnemonique(const QString& texte) {
  for (qsizetype i = 0; i < texte.size(); ++i) {
    if (texte[i] != '&') continue;
    if (i + 1 < texte.size() && texte[i + 1] == '&') {
      ++i;
      continue;
    }
    return i + 1 < texte.size();
  }
  return false;
}

bool EstStatique(Genre g) {
  return g == Genre::Texte || g == Genre::Cadre || g == Genre::Trait;
}

// Tab stop by default: what the user acts on. Radio buttons are a tab stop where their group
// starts; the arrows move within the group.
bool TabulationParDefaut(const ModeleControle& m) {
  switch (m.genre) {
    case Genre::Bouton:
    case Genre::Case:
    case Genre::Edition:
    case Genre::Liste:
    case Genre::ComboSaisie:
    case Genre::ComboListe:
    case Genre::Onglets:
    case Genre::BoutonDessine:
      return true;
    case Genre::Radio:
      return A(m, st::Groupe);
    default:
      return false;
  }
}

bool PeutAvoirFocus(Genre g) {
  return !EstStatique(g) && g != Genre::Jauge && g != Genre::Perso;
}

QWidget* WidgetDuGenre(const ModeleControle& m, QWidget* parent) {
  switch (m.genre) {
    case Genre::Texte:
      return new PEtiquette(parent);
    case Genre::Cadre:
      return new PCadreGroupe(parent);
    case Genre::Trait:
      return new QFrame(parent);
    case Genre::Bouton:
      return new QPushButton(parent);
    case Genre::Radio:
      return new PRadio(parent);
    case Genre::Case:
      return new QCheckBox(parent);
    case Genre::Edition:
      if (A(m, st::MultiLigne)) return new PEditionMulti(parent);
      return new PEdition(parent);
    case Genre::Liste:
      return new PListe(parent);
    case Genre::ComboSaisie:
    case Genre::ComboListe:
      return new PCombo(parent);
    case Genre::Onglets:
      return new POnglets(parent);
    case Genre::Jauge:
      return new QProgressBar(parent);
    case Genre::BoutonDessine:
      return new PBoutonDessine(parent);
    case Genre::Perso:
      return new QWidget(parent);
  }
  return new QWidget(parent);
}

void AppliquerGenre(const ModeleControle& m, QWidget* w) {
  const QString texte = Texte(m);
  const ReglesSaisie regles{A(m, st::Majuscules), m.limite};
  switch (m.genre) {
    case Genre::Texte:
      if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setTextFormat(Qt::PlainText);
        l->setWordWrap(true);
        Qt::Alignment h = A(m, st::Centre)   ? Qt::AlignHCenter
                          : A(m, st::Droite) ? Qt::AlignRight
                                             : Qt::AlignLeft;
        l->setAlignment(h | Qt::AlignTop);
        l->setText(texte);  // the mnemonic is settled once the buddy is known
      }
      break;
    case Genre::Cadre:
      if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(texte);
      break;
    case Genre::Trait:
      if (auto* f = qobject_cast<QFrame*>(w)) {
        if (m.rect.cy <= 1)
          f->setFrameShape(QFrame::HLine);
        else if (m.rect.cx <= 1)
          f->setFrameShape(QFrame::VLine);
        else
          f->setFrameShape(QFrame::Box);
        f->setFrameShadow(QFrame::Sunken);
      }
      break;
    case Genre::Bouton:
      if (auto* b = qobject_cast<QPushButton*>(w)) {
        b->setText(texte);
        b->setAutoDefault(true);
        b->setDefault(A(m, st::Defaut));
      }
      break;
    case Genre::Radio:
    case Genre::Case:
    case Genre::BoutonDessine:
      if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(texte);
      break;
    case Genre::Edition:
      if (auto* e = dynamic_cast<PEdition*>(w)) {
        e->DefinirRegles(regles);
        e->setText(texte);
        e->setReadOnly(A(m, st::LectureSeule));
      } else if (auto* e = dynamic_cast<PEditionMulti*>(w)) {
        e->DefinirRegles(regles);
        e->DefinirVeutRetour(A(m, st::VeutRetour));
        e->DefinirTexte(texte);
        e->setReadOnly(A(m, st::LectureSeule));
        e->setLineWrapMode(A(m, st::DefilHorizontal) ? QPlainTextEdit::NoWrap
                                                     : QPlainTextEdit::WidgetWidth);
        e->setVerticalScrollBarPolicy(A(m, st::DefilVertical) ? Qt::ScrollBarAlwaysOn
                                                              : Qt::ScrollBarAlwaysOff);
        e->setHorizontalScrollBarPolicy(A(m, st::DefilHorizontal) ? Qt::ScrollBarAsNeeded
                                                                  : Qt::ScrollBarAlwaysOff);
      }
      break;
    case Genre::Liste:
      if (auto* l = dynamic_cast<PListe*>(w)) l->DefinirTrie(A(m, st::Trie));
      break;
    case Genre::ComboSaisie:
    case Genre::ComboListe:
      if (auto* c = dynamic_cast<PCombo*>(w)) {
        c->DefinirTrie(A(m, st::Trie));
        if (m.genre == Genre::ComboSaisie) c->DefinirSaisie(regles);
      }
      break;
    case Genre::Onglets:
      if (auto* o = dynamic_cast<POnglets*>(w)) {
        if (!texte.isEmpty()) {
          for (const QString& titre : texte.split(QChar('|')))
            o->AjouterOnglet(titre);
        }
      }
      break;
    case Genre::Jauge:
      if (auto* j = qobject_cast<QProgressBar*>(w)) {
        j->setRange(0, 100);
        j->setValue(0);
        j->setTextVisible(false);
      }
      break;
    case Genre::Perso:
      break;
  }
}

}  // namespace

QString SansMnemonique(const QString& texte) {
  QString resultat;
  for (qsizetype i = 0; i < texte.size(); ++i) {
    if (texte[i] == '&' && i + 1 < texte.size()) ++i;
    resultat.append(texte[i]);
  }
  return resultat;
}

QFont PoliceDialogue() {
  QFont police;
  police.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("DejaVu Sans")});
  police.setStyleHint(QFont::SansSerif);
  police.setPixelSize(11);
  return police;
}

QWidget* CreerControle(const ModeleControle& m, QWidget* parent, const Fabrique& fabrique) {
  QWidget* w = fabrique ? fabrique(parent) : nullptr;
  if (!w) w = WidgetDuGenre(m, parent);
  if (w->parentWidget() != parent) w->setParent(parent);
  if (m.id != -1) w->setObjectName(QString::number(m.id));
  AppliquerGenre(m, w);

  if (EstStatique(m.genre)) {
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    w->setFocusPolicy(Qt::NoFocus);
  } else if (PeutAvoirFocus(m.genre)) {
    bool tabulation = TabulationParDefaut(m);
    if (A(m, st::Tabulation)) tabulation = true;
    if (A(m, st::SansTabulation)) tabulation = false;
    w->setFocusPolicy(tabulation ? Qt::StrongFocus : Qt::ClickFocus);
  }
  if (auto* bouton = qobject_cast<QAbstractButton*>(w)) MnemoniqueImmediat(bouton);
  if (A(m, st::Desactive)) w->setEnabled(false);
  if (A(m, st::Cache)) w->hide();
  return w;
}

int HauteurComboFermee(const QFont& police) {
  // The legacy combo box: the text's height, 2 pixels above and below it in the selection
  // field, and a 2-pixel border around the field.
  return QFontMetrics(police).height() + 8;
}

void PlacerControle(const ModeleControle& m, QWidget* w, const QRect& pixels) {
  if (m.genre != Genre::ComboSaisie && m.genre != Genre::ComboListe) {
    w->setGeometry(pixels);
    return;
  }
  // A combo box's rectangle holds its open list: closed, the box is one line high, and the
  // list that drops below it takes the rest of the rectangle.
  const int fermee = HauteurComboFermee(w->font());
  w->setGeometry(pixels.x(), pixels.y(), pixels.width(), fermee);
  if (auto* combo = dynamic_cast<PCombo*>(w)) combo->DefinirHauteurListe(pixels.height() - fermee);
}

namespace {

// Whether the control shows one line of text that the face could clip: a radio button, a check
// box, or a label one line high.
bool TexteSurUneLigne(const ModeleControle& m) {
  switch (m.genre) {
    case Genre::Radio:
    case Genre::Case:
      return true;
    case Genre::Texte:
      return m.rect.cy <= 10;
    default:
      return false;
  }
}

}  // namespace

void AjusterAuTexte(const ModeleControle& m, QWidget* w, int largeurParent) {
  if (!TexteSurUneLigne(m) || !m.texte || !*m.texte) return;
  int besoin = 0;
  if (auto* etiquette = qobject_cast<QLabel*>(w)) {
    QString texte = etiquette->text();
    if (etiquette->buddy()) texte = SansMnemonique(texte);
    besoin = QFontMetrics(w->font()).horizontalAdvance(texte) + 2;
  } else {
    besoin = w->sizeHint().width();
  }
  const QRect r = w->geometry();
  if (besoin <= r.width()) return;
  // Widened over the empty space beside it, on the side its text runs to, within the dialog.
  int gauche = r.left();
  int droite = r.left() + r.width();
  if (A(m, st::Droite)) {
    gauche = droite - besoin;
  } else {
    if (A(m, st::Centre)) gauche -= (besoin - r.width()) / 2;
    droite = gauche + besoin;
  }
  gauche = std::max(0, gauche);
  if (largeurParent > 0) droite = std::min(droite, largeurParent);
  if (droite - gauche > r.width()) w->setGeometry(gauche, r.top(), droite - gauche, r.height());
}

std::vector<QWidget*> ConstruireControles(const ModeleDialogue& modele, QWidget* parent,
                                          const std::map<int, Fabrique>& fabriques) {
  std::vector<QWidget*> controles;
  controles.reserve(modele.controles.size());
  QButtonGroup* groupe = nullptr;
  for (const ModeleControle& m : modele.controles) {
    auto f = fabriques.find(m.id);
    QWidget* w = CreerControle(m, parent, f != fabriques.end() ? f->second : Fabrique{});
    PlacerControle(m, w, DluVersPixels(m.rect));
    // A radio group runs from one control marked st::Groupe to the next.
    if (A(m, st::Groupe)) groupe = nullptr;
    if (auto* radio = dynamic_cast<PRadio*>(w)) {
      if (!groupe) {
        groupe = new QButtonGroup(parent);
        groupe->setExclusive(false);  // PRadio unchecks the others on a click only
      }
      groupe->addButton(radio);
    }
    controles.push_back(w);
  }

  for (std::size_t i = 0; i < controles.size(); ++i) {
    const ModeleControle& m = modele.controles[i];
    // The legacy stacking: the first control on top.
    controles[i]->lower();
    // A static text's mnemonic gives the focus to the next control that can take it.
    auto* etiquette = qobject_cast<QLabel*>(controles[i]);
    if (!etiquette || m.genre != Genre::Texte) continue;
    QWidget* compagnon = nullptr;
    if (AMnemonique(etiquette->text())) {
      for (std::size_t k = i + 1; k < controles.size() && !compagnon; ++k) {
        if (PeutAvoirFocus(modele.controles[k].genre)) compagnon = controles[k];
      }
    }
    if (compagnon)
      etiquette->setBuddy(compagnon);
    else
      etiquette->setText(SansMnemonique(etiquette->text()));
  }
  // The texts settled (mnemonics known), those the face would clip get room.
  for (std::size_t i = 0; i < controles.size(); ++i)
    AjusterAuTexte(modele.controles[i], controles[i], parent->width());
  NommerParEtiquettes(modele, controles);
  return controles;
}

}  // namespace velquor
