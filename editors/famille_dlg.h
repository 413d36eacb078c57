// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The family editor (template 201): the list of the cocktail families and the comment of the
// selected one. A rename or a deletion is carried into the cocktails' family field.

#include "editors/editeur_dlg.h"
#include "editors/vue_editeur.h"
#include "store/collections.h"

namespace velquor {

class PEditionMulti;

class TFamilleDlg : public PEditeurDlg {
  Q_OBJECT

 public:
  static constexpr int IdModele = 201;

  explicit TFamilleDlg(QWidget* parent = nullptr);

  void ActiverDetail(bool actif) override;

 protected:
  PFichier& Collection() override { return familles_; }
  void OuvrirCollections() override;
  std::string_view NomEnreg() const override;
  void DonnerNomEnreg(std::string_view nom) override;
  std::span<unsigned char> OctetsEnreg() override;
  void PreparerNouveau(std::string_view nom) override;
  std::vector<ChampDetail> ChampsDetail() override;
  void ApresEnregistrer() override;
  bool FocusListeApresOk() const override { return false; }
  int IdMessageExiste() const override;
  int IdQuestionSuppression() const override;
  void Propager(std::string_view ancien, std::string_view nouveau) override;

 private:
  PEditionMulti* Commentaire() const;

  FicFamille familles_;
};

// The family view, titled "Gestion des familles".
class TFamChild : public PVueEditeur {
  Q_OBJECT

 public:
  explicit TFamChild(QWidget* parent = nullptr,
                     const QString& titre = QStringLiteral("Gestion des familles"),
                     TFamilleDlg* client = nullptr);
};

}  // namespace velquor
