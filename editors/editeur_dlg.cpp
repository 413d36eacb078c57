#include "editors/editeur_dlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

#include "editors/ecriture_editeur.h"
#include "editors/enreg_dlg.h"
#include "framework/application.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/service_messages.h"
#include "framework/texte_qt.h"
#include "framework/verrou_commandes.h"
#include "search/rapporteur_defile.h"
#include "store/enregistrements.h"
#include "store/lot_fichier.h"
#include "store/pfichier.h"

namespace velquor {

QFont PoliceTitre() {
  QFont police;
  police.setFamilies({QStringLiteral("Ms Sans Serif"), QStringLiteral("MS Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("DejaVu Sans")});
  police.setStyleHint(QFont::SansSerif);
  police.setWeight(QFont::Bold);
  // The legacy height is the cell height: the largest pixel size whose line still fits 20.
  for (int taille = 20; taille > 8; --taille) {
    police.setPixelSize(taille);
    if (QFontMetrics(police).height() <= 20) break;
  }
  return police;
}

const QString& PEditeurDlg::LegendeCoherence() {
  static const QString legende = QStringLiteral("Contrôle de cohérence dans la base des recettes");
  return legende;
}

PEditeurDlg::PEditeurDlg(int idModele, QWidget* parent) : PDialogue(idModele, parent) {
  Commande(
      CmNouvelleFiche, [this] { CmNouveau(); }, [this] { return PeutAgir(); });
  Commande(
      CmDupliquerFiche, [this] { CmDupliquer(); }, [this] { return PeutAgir() && ListeNonVide(); });
  Commande(
      CmRenommerFiche, [this] { CmRenommer(); }, [this] { return PeutAgir() && ListeNonVide(); });
  Commande(
      CmSupprimerFiche, [this] { CmSupprimer(); }, [this] { return PeutAgir() && ListeNonVide(); });
}

PListe* PEditeurDlg::Liste() const {
  return Controle<PListe>(IdListe);
}

bool PEditeurDlg::ListeNonVide() const {
  PListe* liste = Liste();
  return liste && liste->NbElements() > 0;
}

bool PEditeurDlg::PeutAgir() const {
  return !CommandesVerrouillees();
}

std::string PEditeurDlg::NomSelectionne() const {
  PListe* liste = Liste();
  if (!liste) return {};
  const int index = liste->IndexSelection();
  if (index < 0) return {};
  std::string nom = liste->Chaine(index);
  if (nom.size() > TailleNom - 1) nom.resize(TailleNom - 1);
  return nom;
}

void PEditeurDlg::SetupWindow() {
  policeTitre_ = PoliceTitre();
  if (auto* titre = Controle<QLabel>(IdTitre)) titre->setFont(policeTitre_);
  PListe* liste = Liste();
  // The focus given to the editor goes to its list, as to a dialog's first control.
  if (liste) setFocusProxy(liste);
  if (auto* commentaire = Controle<PEditionMulti>(IdCommentaire)) {
    connect(commentaire, &PEditionMulti::changement, this, [this] { MarquerModifie(); });
    connect(commentaire, &PEditionMulti::focusPerdu, this, [this] { Enregistrer(); });
  }
  LierNotifications();

  OuvrirCollections();
  ServiceMessages().CurseurAttente();
  RemplirCombos();
  if (liste) {
    connect(liste, &PListe::selectionChangee, this, [this] { Afficher(); });
    liste->SuspendreDessin(true);
    {
      PFichier& collection = Collection();
      LotFichier lot(collection);  // the walk reads from memory
      if (collection.Premier()) {
        do {
          // A damaged record's name may fill its whole field with no terminator: the entry
          // keeps what an index key can hold, so that picking it finds the record.
          liste->AjouterChaine(NomEnreg().substr(0, TailleNom - 1));
        } while (collection.Suivant());
      }
    }
    liste->SuspendreDessin(false);
    if (liste->NbElements() > 0) {
      liste->SelectionnerIndex(0);
      Afficher();
    } else {
      ActiverDetail(false);
    }
  }
  ServiceMessages().CurseurFleche();
}

void PEditeurDlg::Afficher() {
  const std::string nom = NomSelectionne();
  if (nom.empty()) return;
  auto* titre = Controle<QLabel>(IdTitre);
  if (Collection().Chercher(nom)) {
    if (titre) titre->setText(Cp1252VersQString(NomEnreg()));
    MontrerEnreg();
  } else {
    ServiceMessages().Bip();
    if (titre) titre->clear();
    ViderDetail();
  }
  // Filling single-line fields raises the same notifications as typing.
  modifie_ = false;
}

void PEditeurDlg::Enregistrer() {
  if (!modifie_) return;
  modifie_ = false;
  const std::string nom = NomSelectionne();
  if (nom.empty()) {
    ServiceMessages().Bip();
    return;
  }
  PFichier& collection = Collection();
  EcritureEditeur ecriture(collection, false);
  if (!collection.Chercher(nom)) {
    ServiceMessages().Bip();
    return;
  }
  LireDetail();
  DonnerNomEnreg(nom);
  if (!collection.Modifier() || !ecriture.Terminer()) ServiceMessages().Bip();
  ApresEnregistrer();
}

void PEditeurDlg::CmOk() {
  Enregistrer();
  if (FocusListeApresOk()) {
    if (PListe* liste = Liste()) liste->setFocus(Qt::OtherFocusReason);
  }
}

void PEditeurDlg::CmCancel() {
  ServiceMessages().Bip();
}

void PEditeurDlg::EvClose() {
  ServiceMessages().Bip();
}

int PEditeurDlg::SelectionnerNom(std::string_view nom) {
  PListe* liste = Liste();
  if (!liste) return -1;
  int index = liste->ChercherExact(nom);
  if (index < 0) index = liste->ChercherPrefixe(nom);
  if (index >= 0) liste->SelectionnerIndex(index);
  return index;
}

bool PEditeurDlg::NomExiste(std::string_view nom) {
  if (!Collection().Chercher(nom)) return false;
  ServiceMessages().AffMessage(IdMessageExiste(), nom, StyleExclamation | StyleOk);
  return true;
}

void PEditeurDlg::CmNouveau() {
  if (!PeutAgir()) return;
  ValiderSaisieEnCours();
  std::string nom;
  if (EnregDlg(this, nom, EnregDlg::ModeNom::Creer).Executer() != CmIdOk) return;
  if (NomExiste(nom)) return;
  PreparerNouveau(nom);
  EcritureEditeur ecriture(Collection(), false);
  if (!Collection().Ajouter(nom) || !ecriture.Terminer()) {
    ServiceMessages().Bip();
    return;
  }
  PListe* liste = Liste();
  if (!liste) return;
  liste->AjouterChaine(nom);
  SelectionnerNom(nom);
  Afficher();
  if (liste->NbElements() == 1) ActiverDetail(true);
}

bool PEditeurDlg::CopierSousNouveauNom(EnregDlg::ModeNom mode, std::string& ancien,
                                       std::string& nouveau,
                                       std::optional<EcritureEditeur>& ecriture) {
  if (!PeutAgir()) return false;
  ValiderSaisieEnCours();
  ancien = NomSelectionne();
  if (ancien.empty()) {
    ServiceMessages().Bip();
    return false;
  }
  nouveau = ancien;
  if (EnregDlg(this, nouveau, mode).Executer() != CmIdOk) return false;
  if (NomExiste(nouveau)) return false;
  PFichier& collection = Collection();
  ecriture.emplace(collection, mode == EnregDlg::ModeNom::Renommer);
  if (!collection.Chercher(ancien)) {
    ServiceMessages().Bip();
    return false;
  }
  DonnerNomEnreg(nouveau);  // the copy carries every other field of the old record
  if (!collection.Ajouter(nouveau)) {
    ServiceMessages().Bip();
    return false;
  }
  return true;
}

void PEditeurDlg::CmDupliquer() {
  std::string ancien, nouveau;
  std::optional<EcritureEditeur> ecriture;
  if (!CopierSousNouveauNom(EnregDlg::ModeNom::Dupliquer, ancien, nouveau, ecriture)) return;
  if (!ecriture->Terminer()) {
    ServiceMessages().Bip();
    return;
  }
  if (PListe* liste = Liste()) liste->AjouterChaine(nouveau);
  SelectionnerNom(nouveau);
  Afficher();
}

void PEditeurDlg::CmRenommer() {
  std::string ancien, nouveau;
  std::optional<EcritureEditeur> ecriture;
  if (!CopierSousNouveauNom(EnregDlg::ModeNom::Renommer, ancien, nouveau, ecriture)) return;
  PFichier& collection = Collection();
  // A copy under the new key, then the old key deleted and the cocktails carried over, all
  // written out together.
  const bool supprime = collection.Chercher(ancien) && collection.Supprimer();
  if (supprime) Propager(ancien, nouveau);
  const bool ecrit = ecriture->Terminer();
  if (!supprime || !ecrit) ServiceMessages().Bip();
  if (PListe* liste = Liste(); liste && ecrit) {
    liste->AjouterChaine(nouveau);
    const int index = supprime ? SelectionnerNom(ancien) : -1;
    if (index >= 0) liste->SupprimerChaine(index);
  }
  SelectionnerNom(nouveau);
  Afficher();
}

void PEditeurDlg::CmSupprimer() {
  if (!PeutAgir()) return;
  ValiderSaisieEnCours();
  const std::string nom = NomSelectionne();
  if (nom.empty()) return;
  if (ServiceMessages().AffMessage(IdQuestionSuppression(), nom, StyleQuestion | StyleOuiNon) !=
      ReponseOui)
    return;
  PFichier& collection = Collection();
  EcritureEditeur ecriture(collection, true);
  if (!collection.Chercher(nom) || !collection.Supprimer()) {
    ServiceMessages().Bip();
    return;
  }
  Propager(nom, "");
  if (!ecriture.Terminer()) {
    ServiceMessages().Bip();
    return;
  }
  PListe* liste = Liste();
  if (!liste) return;
  const int index = liste->IndexSelection();
  liste->SupprimerChaine(index);
  liste->SelectionnerIndex(index <= 0 ? 0 : index - 1);
  Afficher();
  if (liste->NbElements() == 0) ActiverDetail(false);
}

void PEditeurDlg::LancerPasseCoherence(const Passe& passe) {
  // Disabling the editor takes the focus away; it comes back where it was when the editor's
  // window is active again, as when the progress window's owner is reactivated.
  QPointer<QWidget> focus = QApplication::focusWidget();
  if (!focus || !isAncestorOf(focus)) focus = Liste();
  bool reussie = true;
  {
    VerrouCommandes verrou(VerrouCommandes::Saisie::Bloquee);
    RapporteurDefile progression(this);
    progression.DefinirLegende(LegendeCoherence());
    progression.CacherArret();
    reussie = passe(progression, [] { TraiterMessagesEnAttente(); });
  }
  if (!reussie) ServiceMessages().Bip();
  if (!isVisible()) return;
  if (!QApplication::activeWindow()) DemanderActivation(this);
  if (focus && focus->isEnabled() && !QApplication::focusWidget())
    focus->setFocus(Qt::ActiveWindowFocusReason);
}

}  // namespace velquor
