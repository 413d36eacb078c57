// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The common design of the three record editors (families, ingredients, cocktails): on the left
// the sorted list 501 of every record name of the collection, on the right the fields of the
// record selected in it, under the bold title 502. The selected entry is the current record:
// Afficher shows it, Enregistrer writes the fields into it when one was changed (on leaving the
// changed field, or on the ok command), and the commands new (104), duplicate (107), rename (106)
// and delete (105) act on it, the last three only while the list is not empty. Escape and a close
// request only beep: a view ends when the client area replaces it.
//
// Each editor supplies its collection, its fields and its messages through the virtual hooks;
// the family and ingredient editors also carry their renames and deletions into the cocktails.
//
// A write never puts back what the window did not change: only the fields the user changed are
// taken from the window, onto the record as it stands in the file at that moment. So another
// program's change to the same record since it was shown survives (the window then shows it), and
// when both changed one field the user chooses which stays. A field that cannot be stored as it
// stands (a character the code page cannot hold, a text too long) stops the whole write, and the
// user is told which field: the record keeps its former bytes.

#include <QFont>

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editors/ecriture_editeur.h"
#include "editors/enreg_dlg.h"
#include "framework/dialogue.h"
#include "search/rapporteur_progression.h"

namespace velquor {

class PFichier;
class PListe;

class PEditeurDlg : public PDialogue {
  Q_OBJECT

 public:
  static constexpr int IdListe = 501;
  static constexpr int IdTitre = 502;
  static constexpr int IdCommentaire = 503;

  enum CommandeEditeur : int {
    CmSupprimerFiche = 105,
    CmRenommerFiche = 106,
    CmDupliquerFiche = 107,
    CmNouvelleFiche = 104,
  };

  // The caption of the progress window of the consistency passes.
  static const QString& LegendeCoherence();

  PEditeurDlg(int idModele, QWidget* parent);

  // Shows the selected record in the detail controls.
  void Afficher();
  // Writes the detail controls into the selected record when a field was changed.
  void Enregistrer();
  // Enables or disables the detail controls.
  virtual void ActiverDetail(bool actif) = 0;

  void CmNouveau();
  void CmDupliquer();
  void CmRenommer();
  void CmSupprimer();

  // A change still pending in the focused field is written, exactly as leaving the field would
  // write it. The view calls it when it closes, the commands before they act.
  void ValiderSaisieEnCours() { Enregistrer(); }
  bool Modifie() const { return modifie_; }

  PListe* Liste() const;
  // The selected entry's name (at most 30 bytes), empty when there is none.
  std::string NomSelectionne() const;

 protected:
  void SetupWindow() override;
  void CmOk() override;
  void CmCancel() override;
  void EvClose() override;

  // The edited collection, and the opening of every collection the editor owns, in the order
  // cocktails, ingredients, families.
  virtual PFichier& Collection() = 0;
  virtual void OuvrirCollections() = 0;
  // Connects the notifications of the editor's own controls (the comment edit 503 is common).
  virtual void LierNotifications() {}
  // Fills the combo boxes (before the list), if any.
  virtual void RemplirCombos() {}

  // The record buffer of the edited collection.
  virtual std::string_view NomEnreg() const = 0;
  virtual void DonnerNomEnreg(std::string_view nom) = 0;
  virtual std::span<unsigned char> OctetsEnreg() = 0;
  // A new record: the name, every other field empty or zero.
  virtual void PreparerNouveau(std::string_view nom) = 0;

  // One detail field: the name the user knows it by (also its control's name for assistive
  // technology), its control, where it lies in the record, and how the window shows and reads it.
  // A text field is NUL-terminated in taille bytes; the other kind is one byte (the alcoholic
  // flag), read and shown as a string of that one byte.
  struct ChampDetail {
    QString libelle;
    QWidget* controle = nullptr;
    std::size_t offset = 0;
    std::size_t taille = 0;
    bool texte = true;
    // What the window holds, as stored bytes; nothing when it cannot be stored.
    std::function<std::optional<std::string>()> lire;
    std::function<void(std::string_view)> montrer;
  };
  // The editor's detail fields, asked for once its controls exist.
  virtual std::vector<ChampDetail> ChampsDetail() = 0;
  // A text field of the record shown in an edit field (PEdition or PEditionMulti).
  template <class Edition>
  static ChampDetail ChampEdition(QString libelle, std::size_t offset, std::size_t taille,
                                  Edition* edition) {
    return {std::move(libelle),
            edition,
            offset,
            taille,
            true,
            [edition] { return edition ? edition->TexteCp1252() : std::optional<std::string>(); },
            [edition](std::string_view valeur) {
              if (edition) edition->DefinirTexteCp1252(valeur);
            }};
  }
  template <class Enr>
  static std::span<unsigned char> Octets(Enr& enreg) {
    return {reinterpret_cast<unsigned char*>(&enreg), sizeof enreg};
  }
  // Just before the record buffer, merged from the window's changes, is written (the cocktail
  // editor creates the ingredients and the family it names).
  virtual void AvantEcriture() {}
  // After a successful write attempt (the family editor moves the focus to the list).
  virtual void ApresEnregistrer() {}
  // Whether the ok command puts the focus on the list after Enregistrer.
  virtual bool FocusListeApresOk() const { return true; }

  // The editor's "exists" message and "delete" question.
  virtual int IdMessageExiste() const = 0;
  virtual int IdQuestionSuppression() const = 0;

  // The consistency pass after a rename (ancien, nouveau) or a deletion (ancien, ""): none by
  // default.
  virtual void Propager(std::string_view ancien, std::string_view nouveau) {
    (void)ancien;
    (void)nouveau;
  }
  // A pass says whether every cocktail was carried over; the editor beeps when one was not, as
  // for any operation the store refused.
  using Passe = std::function<bool(RapporteurProgression&, const CrochetMessagesEnAttente&)>;
  // Runs a pass with the progress window over this editor, captioned for the consistency
  // check, its stop button hidden, this editor disabled and every command locked meanwhile.
  void LancerPasseCoherence(const Passe& passe);

  void MarquerModifie() { modifie_ = true; }
  void EffacerModifie() { modifie_ = false; }

 private:
  // The value of a field in a record's bytes: a text up to its terminator, or its one byte.
  static std::string Valeur(const ChampDetail& champ, std::span<const unsigned char> enreg);
  // The record buffer into the detail fields, where they show something else; then remembered as
  // what the window shows.
  void MontrerChamps();
  void ViderChamps();
  // The window's changes onto the record buffer, which holds the record as the file has it now.
  // False, with the user told and nothing to write, when a changed field cannot be stored.
  bool FusionnerSaisie(std::string_view nom);
  // The list again from the collection when a name it shows has gone or one it lacks was added
  // (another program renamed, deleted or created it); the selection stays on `nom` if it is
  // still there, else on the entry at its place. True when the list changed.
  bool RafraichirListe(std::string_view nom);
  // The collection's names in its order, and the list filled with them.
  std::vector<std::string> LireNoms();
  void RemplirListe(const std::vector<std::string>& noms);
  // A store operation on a name found nothing, or was refused: the beep, and the list brought
  // back in line with the collection (a name another program removed is no phantom here).
  void Refus(std::string_view nom);

  // Selects the list entry of that name: the entry equal to it, else the first that begins with
  // it (case ignored), as the list box's own string selection does.
  int SelectionnerNom(std::string_view nom);
  // The "exists" message when the name is taken; true when it is.
  bool NomExiste(std::string_view nom);
  // Asks for a new name for the selected record and adds a copy of it under that name (the
  // first half of a duplication and of a rename), in the command's write, begun once the name
  // is known; false, with nothing added, when the user cancels or the store refuses.
  bool CopierSousNouveauNom(EnregDlg::ModeNom mode, std::string& ancien, std::string& nouveau,
                            std::optional<EcritureEditeur>& ecriture);
  bool ListeNonVide() const;
  bool PeutAgir() const;

  bool modifie_ = false;
  QFont policeTitre_;
  std::vector<ChampDetail> champs_;
  std::vector<unsigned char> affiche_;           // the record shown; empty when none is
  std::vector<std::optional<std::string>> vus_;  // each field as the window showed it
};

// The editors' title font: "Ms Sans Serif" (or the nearest sans face), bold, in lines of 20
// pixels (the legacy font's cell height).
QFont PoliceTitre();

}  // namespace velquor
