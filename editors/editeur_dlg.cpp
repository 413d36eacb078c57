// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/editeur_dlg.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

#include <algorithm>
#include <cstring>

#include "editors/ecriture_editeur.h"
#include "editors/enreg_dlg.h"
#include "framework/application.h"
#include "framework/edition.h"
#include "framework/liste.h"
#include "framework/noms_accessibles.h"
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
  champs_ = ChampsDetail();
  for (const ChampDetail& champ : champs_) {
    NommerControle(champ.controle, champ.libelle);
  }

  OuvrirCollections();
  ServiceMessages().CurseurAttente();
  RemplirCombos();
  if (liste) {
    connect(liste, &PListe::selectionChangee, this, [this] { Afficher(); });
    RemplirListe(LireNoms());
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
    MontrerChamps();
  } else {
    if (titre) titre->clear();
    ViderChamps();
    Refus(nom);
  }
  // Filling single-line fields raises the same notifications as typing.
  modifie_ = false;
}

std::string PEditeurDlg::Valeur(const ChampDetail& champ, std::span<const unsigned char> enreg) {
  if (champ.offset + champ.taille > enreg.size()) return {};
  const char* debut = reinterpret_cast<const char*>(enreg.data() + champ.offset);
  return std::string(debut, champ.texte ? ::strnlen(debut, champ.taille) : champ.taille);
}

void PEditeurDlg::MontrerChamps() {
  const std::span<unsigned char> enreg = OctetsEnreg();
  affiche_.assign(enreg.begin(), enreg.end());
  vus_.clear();
  for (const ChampDetail& champ : champs_) {
    const std::string valeur = Valeur(champ, enreg);
    // A field that already shows the value is left alone: its cursor and selection stay.
    if (champ.lire() != valeur) champ.montrer(valeur);
    vus_.push_back(champ.lire());
  }
}

void PEditeurDlg::ViderChamps() {
  affiche_.clear();
  vus_.clear();
  for (const ChampDetail& champ : champs_) {
    champ.montrer({});
    vus_.push_back(champ.lire());
  }
}

bool PEditeurDlg::FusionnerSaisie(std::string_view nom) {
  const std::span<unsigned char> enreg = OctetsEnreg();
  // What the window showed; all zero when it showed no record.
  std::vector<unsigned char> montre = affiche_;
  montre.resize(enreg.size(), 0);
  struct Changement {
    const ChampDetail* champ;
    std::string valeur;
  };
  std::vector<Changement> changements;
  for (std::size_t i = 0; i < champs_.size(); ++i) {
    const ChampDetail& champ = champs_[i];
    const std::optional<std::string> saisi = champ.lire();
    if (i < vus_.size() && saisi == vus_[i]) continue;
    const std::size_t place = champ.texte ? champ.taille - 1 : champ.taille;
    if (!saisi || saisi->size() > place || (!champ.texte && saisi->size() != place)) {
      const QString raison =
          !saisi ? QStringLiteral(
                       "contient un caractère que les fichiers de recettes ne peuvent "
                       "pas contenir")
                 : QStringLiteral("dépasse %1 caractères").arg(place);
      ServiceMessages().Boite(
          ServiceMessages().Titre(),
          QStringLiteral("La fiche %1 n'a pas été enregistrée : le champ « %2 » %3.\n\nElle garde "
                         "ce qu'elle contenait. Corrigez le champ, puis quittez-le pour "
                         "l'enregistrer.")
              .arg(Cp1252VersQString(nom), champ.libelle, raison),
          StyleExclamation | StyleOk);
      return false;
    }
    changements.push_back({&champ, *saisi});
  }
  for (const Changement& c : changements) {
    const ChampDetail& champ = *c.champ;
    const std::string avant = Valeur(champ, montre);
    const std::string actuel = Valeur(champ, enreg);
    // Changed on both sides, to two different values: the user chooses.
    if (actuel != avant && actuel != c.valeur) {
      const int reponse = ServiceMessages().Boite(
          ServiceMessages().Titre(),
          QStringLiteral("La fiche %1 a été modifiée par un autre programme depuis que vous l'avez "
                         "affichée.\n\nChamp « %2 »\n- votre saisie : %3\n- l'autre programme : "
                         "%4\n\nGarder votre saisie ? (Non garde celle de l'autre programme.)")
              .arg(Cp1252VersQString(nom), champ.libelle, Cp1252VersQString(c.valeur),
                   Cp1252VersQString(actuel)),
          StyleQuestion | StyleOuiNon);
      if (reponse != ReponseOui) continue;
    }
    unsigned char* debut = enreg.data() + champ.offset;
    std::memset(debut, 0, champ.taille);
    std::memcpy(debut, c.valeur.data(), c.valeur.size());
  }
  // A damaged text without its terminator, shown whole, goes back cut to what its field holds:
  // every text the program writes ends inside its field.
  for (const ChampDetail& champ : champs_) {
    if (champ.texte) enreg[champ.offset + champ.taille - 1] = 0;
  }
  return true;
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
  const std::span<unsigned char> enreg = OctetsEnreg();
  // The questions (a field changed on both sides, a new ingredient) are asked before the write
  // takes the pair's lock, so that no other program waits on the user. Under the lock the
  // record is read again: when another program changed it during the questions, the merge is
  // made again from what it wrote.
  for (int essai = 0; essai < 3; ++essai) {
    if (!collection.Chercher(nom)) {
      Refus(nom);
      return;
    }
    const std::vector<unsigned char> lu(enreg.begin(), enreg.end());
    if (!FusionnerSaisie(nom)) {
      modifie_ = true;  // still to be written, once the field is right
      return;
    }
    DonnerNomEnreg(nom);
    AvantEcriture();
    const std::vector<unsigned char> fusion(enreg.begin(), enreg.end());
    bool ecrit = false;
    {
      EcritureEditeur ecriture(collection, false);
      if (!collection.Chercher(nom)) {
        ecriture.Terminer();
        Refus(nom);
        return;
      }
      if (!std::equal(enreg.begin(), enreg.end(), lu.begin())) continue;
      std::copy(fusion.begin(), fusion.end(), enreg.begin());
      ecrit = collection.Modifier() && ecriture.Terminer();
    }
    if (!ecrit) {
      ServiceMessages().Bip();
      modifie_ = true;
    } else {
      MontrerChamps();   // what another program changed meanwhile, and where rows moved
      modifie_ = false;  // the fields just filled notify as typing does
    }
    ApresEnregistrer();
    return;
  }
  // Changed by another program at every try: still to be written.
  ServiceMessages().Bip();
  modifie_ = true;
}

std::vector<std::string> PEditeurDlg::LireNoms() {
  std::vector<std::string> noms;
  PFichier& collection = Collection();
  LotFichier lot(collection);  // the walk reads from memory
  if (collection.Premier()) {
    do {
      // A damaged record's name may fill its whole field with no terminator: the entry keeps
      // what an index key can hold, so that picking it finds the record.
      noms.emplace_back(NomEnreg().substr(0, TailleNom - 1));
    } while (collection.Suivant());
  }
  return noms;
}

void PEditeurDlg::RemplirListe(const std::vector<std::string>& noms) {
  PListe* liste = Liste();
  liste->SuspendreDessin(true);
  liste->Vider();
  liste->AjouterChaines(noms);
  liste->SuspendreDessin(false);
}

bool PEditeurDlg::RafraichirListe(std::string_view nom) {
  PListe* liste = Liste();
  if (!liste) return false;
  const std::vector<std::string> noms = LireNoms();
  // The list sorts as the collection walks; the same names in the same order are the same list.
  bool pareille = static_cast<int>(noms.size()) == liste->NbElements();
  for (std::size_t i = 0; pareille && i < noms.size(); ++i)
    pareille = liste->Chaine(static_cast<int>(i)) == noms[i];
  if (pareille) return false;
  const int place = std::max(0, liste->IndexSelection());
  RemplirListe(noms);
  if (liste->NbElements() == 0) {
    ActiverDetail(false);
    return true;
  }
  int index = liste->ChercherExact(nom);
  if (index < 0) index = std::min(place, liste->NbElements() - 1);
  liste->SelectionnerIndex(index);
  Afficher();
  return true;
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
  // Another program added it since the list was filled.
  if (PListe* liste = Liste(); liste && liste->ChercherExact(nom) < 0)
    RafraichirListe(NomSelectionne());
  return true;
}

void PEditeurDlg::Refus(std::string_view nom) {
  ServiceMessages().Bip();
  RafraichirListe(nom);
}

void PEditeurDlg::CmNouveau() {
  if (!PeutAgir()) return;
  ValiderSaisieEnCours();
  std::string nom;
  if (EnregDlg(this, nom, EnregDlg::ModeNom::Creer).Executer() != CmIdOk) return;
  if (NomExiste(nom)) return;
  PreparerNouveau(nom);
  bool ajoute = false;
  {
    EcritureEditeur ecriture(Collection(), false);
    ajoute = Collection().Ajouter(nom) && ecriture.Terminer();
  }
  if (!ajoute) {
    Refus(NomSelectionne());
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
  bool copie = collection.Chercher(ancien);
  if (copie) {
    DonnerNomEnreg(nouveau);  // the copy carries every other field of the old record
    copie = collection.Ajouter(nouveau);
  }
  if (!copie) {
    ecriture.reset();
    Refus(ancien);
  }
  return copie;
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
  ecriture.reset();
  if (!supprime || !ecrit) ServiceMessages().Bip();
  if (PListe* liste = Liste(); liste && ecrit) {
    liste->AjouterChaine(nouveau);
    const int index = supprime ? SelectionnerNom(ancien) : -1;
    if (index >= 0) liste->SupprimerChaine(index);
  }
  if (!supprime) RafraichirListe(nouveau);
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
  bool trouve = false, ecrit = false;
  {
    // The deletion and the pass over the cocktails, written out together.
    EcritureEditeur ecriture(collection, true);
    trouve = collection.Chercher(nom);
    if (trouve && collection.Supprimer()) {
      Propager(nom, "");
      ecrit = ecriture.Terminer();
    }
  }
  if (!trouve) {
    Refus(nom);
    return;
  }
  if (!ecrit) {
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
