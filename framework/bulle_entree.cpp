// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/bulle_entree.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace velquor {

namespace {

class BulleEntree : public QObject {
 public:
  explicit BulleEntree(QAbstractItemView* vue) : QObject(vue), vue_(vue) {
    vue->viewport()->installEventFilter(this);
  }

  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() != QEvent::ToolTip || objet != vue_->viewport()) return false;
    const auto* aide = static_cast<QHelpEvent*>(evenement);
    const QModelIndex index = vue_->indexAt(aide->pos());
    const QString texte = index.data(Qt::DisplayRole).toString();
    const QRect montre = vue_->visualRect(index) & vue_->viewport()->rect();
    if (index.isValid() && !texte.isEmpty() && Largeur(index) > montre.width())
      QToolTip::showText(aide->globalPos(), texte, vue_->viewport(), montre);
    else
      QToolTip::hideText();
    return true;
  }

 private:
  // The width the entry needs to be drawn whole, as its delegate measures it.
  int Largeur(const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(vue_->viewport());
    option.font = vue_->font();
    option.fontMetrics = vue_->fontMetrics();
    option.rect = vue_->visualRect(index);
    QAbstractItemDelegate* delegue = vue_->itemDelegateForIndex(index);
    return delegue ? delegue->sizeHint(option, index).width() : 0;
  }

  QAbstractItemView* vue_;
};

class BulleChamp : public QObject {
 public:
  explicit BulleChamp(QLineEdit* champ) : QObject(champ), champ_(champ) {
    champ->installEventFilter(this);
  }

  bool eventFilter(QObject* objet, QEvent* evenement) override {
    if (evenement->type() != QEvent::ToolTip || objet != champ_) return false;
    const QString texte = champ_->text();
    QStyleOptionFrame option;
    option.initFrom(champ_);
    const QRect place =
        champ_->style()->subElementRect(QStyle::SE_LineEditContents, &option, champ_);
    // The field's own margins for the cursor: Qt leaves a few pixels at each end.
    if (!texte.isEmpty() && champ_->fontMetrics().horizontalAdvance(texte) + 4 > place.width())
      QToolTip::showText(static_cast<QHelpEvent*>(evenement)->globalPos(), texte, champ_);
    else
      QToolTip::hideText();
    return true;
  }

 private:
  QLineEdit* champ_;
};

}  // namespace

void BullesEntreesCoupees(QAbstractItemView* vue) {
  if (vue) new BulleEntree(vue);
}

void BulleTexteCoupe(QLineEdit* champ) {
  if (champ) new BulleChamp(champ);
}

}  // namespace velquor
