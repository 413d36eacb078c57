// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reorganisation.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <set>

#include "cli/fichier_lecture.h"
#include "store/champ_texte.h"
#include "store/enregistrements.h"
#include "store/fichier_brut.h"
#include "store/noeud_index.h"
#include "store/systeme_fichiers.h"

namespace velquor::outils {

namespace {

namespace fs = std::filesystem;

// A file's bytes, read without opening it for writing; false when it cannot be read whole.
bool LireTout(const std::string& chemin, std::vector<unsigned char>& octets) {
  FichierLecture fichier;
  if (!fichier.Ouvrir(chemin)) return false;
  octets.resize(static_cast<std::size_t>(fichier.Taille()));
  return octets.empty() || fichier.LireA(0, octets.data(), octets.size());
}

// The record as the program writes it: zero after each text's terminator.
template <class Enr>
void NormaliserOctets(std::vector<unsigned char>& octets) {
  Enr enr;
  std::memcpy(&enr, octets.data(), sizeof enr);
  Normaliser(enr);
  std::memcpy(octets.data(), &enr, sizeof enr);
}

void NormaliserOctets(std::vector<unsigned char>& octets) {
  switch (octets.size()) {
    case sizeof(EnrFamille):
      return NormaliserOctets<EnrFamille>(octets);
    case sizeof(EnrIngredient):
      return NormaliserOctets<EnrIngredient>(octets);
    default:
      return NormaliserOctets<EnrCocktail>(octets);
  }
}

struct NouvellePaire {
  std::vector<unsigned char> index, donnees;
};

// The bytes that the tree's additions write when the names come middle first, breadth first:
// node k and record k in the k-th place, each node hung under the middle of its range.
NouvellePaire Construire(const DescriptionPaire& paire,
                         const std::vector<EnregistrementRecueilli>& enregs) {
  NouvellePaire p;
  const std::size_t n = enregs.size();
  p.index.resize(n * NoeudIndex::Taille);
  p.donnees.resize(static_cast<std::size_t>(TailleEntete) + n * paire.tailleEnreg);
  EcrireMot(p.donnees.data(), static_cast<std::int32_t>(n));
  EcrireMot(p.donnees.data() + 4, 0);
  std::vector<NoeudIndex> noeuds(n);
  struct Tranche {
    std::size_t debut, fin;
    std::int32_t pere;
    bool droite;
  };
  std::deque<Tranche> tranches{{0, n, AucunLien, false}};
  std::size_t k = 0;
  while (!tranches.empty()) {
    const Tranche t = tranches.front();
    tranches.pop_front();
    if (t.debut >= t.fin) continue;
    const std::size_t milieu = t.debut + (t.fin - t.debut) / 2;
    const auto pos = static_cast<std::int32_t>(k * NoeudIndex::Taille);
    NoeudIndex& noeud = noeuds[k];
    noeud.PosEnreg = static_cast<std::int32_t>(TailleEntete + k * paire.tailleEnreg);
    CopierTexte(noeud.Cle, enregs[milieu].cle);
    noeud.Pere = t.pere;
    if (t.pere != AucunLien) {
      NoeudIndex& pere = noeuds[static_cast<std::size_t>(t.pere) / NoeudIndex::Taille];
      (t.droite ? pere.Droite : pere.Gauche) = pos;
    }
    std::vector<unsigned char> enreg = enregs[milieu].octets;
    NormaliserOctets(enreg);
    std::copy(enreg.begin(), enreg.end(), p.donnees.begin() + noeud.PosEnreg);
    tranches.push_back({t.debut, milieu, pos, false});
    tranches.push_back({milieu + 1, t.fin, pos, true});
    ++k;
  }
  for (std::size_t i = 0; i < n; ++i) {
    unsigned char octets[NoeudIndex::Taille];
    noeuds[i].VersOctets(octets);
    std::copy(octets, octets + NoeudIndex::Taille, p.index.begin() + i * NoeudIndex::Taille);
  }
  return p;
}

bool Ecrire(FichierBrut& fichier, const std::string& chemin,
            const std::vector<unsigned char>& octets) {
  return fichier.CreerOuVider(chemin) &&
         (octets.empty() || fichier.EcrireA(0, octets.data(), octets.size())) &&
         fichier.Synchroniser();
}

int ProfondeurEquilibree(std::int64_t n) {
  int p = 0;
  while (n > 0) {
    ++p;
    n /= 2;
  }
  return p;
}

std::string NomSauvegarde(const std::string& fichier, int numero) {
  return fichier + ".bak" + (numero > 1 ? std::to_string(numero) : "");
}

// The numbers of the backups there are: 1 for BASE.NDX.bak, n for BASE.NDX.bakn.
std::set<int> NumerosSauvegardes(const std::string& ndx, const std::string& dat) {
  std::set<int> numeros;
  std::error_code e;
  for (fs::directory_iterator it(".", e), fin; !e && it != fin; it.increment(e)) {
    const std::string nom = it->path().filename().string();
    for (const std::string& fichier : {ndx, dat}) {
      const std::string prefixe = fichier + ".bak";
      if (!nom.starts_with(prefixe)) continue;
      const std::string suite = nom.substr(prefixe.size());
      if (suite.empty()) {
        numeros.insert(1);
      } else if (suite.size() < 6 && std::all_of(suite.begin(), suite.end(), ::isdigit) &&
                 suite[0] != '0' && suite != "1") {
        numeros.insert(std::stoi(suite));
      }
    }
  }
  return numeros;
}

// Whether every record of the backup is in the pair, byte for byte, and the backup is whole.
bool Contenue(const DescriptionPaire& paire, const std::string& ndx, const std::string& dat,
              const std::map<std::string, const std::vector<unsigned char>*>& dansLaPaire) {
  std::vector<unsigned char> index, donnees;
  if (!LireTout(ndx, index) || !LireTout(dat, donnees)) return false;
  const Recueil sauvegarde = RecueillirPaire(paire, index, donnees);
  if (!sauvegarde.Sain()) return false;
  for (const auto& enreg : sauvegarde.enregs) {
    auto it = dansLaPaire.find(enreg.cle);
    if (it == dansLaPaire.end() || *it->second != enreg.octets) return false;
  }
  return true;
}

// Where the old pair goes: the first backup it may replace, else the next free number.
void ChoisirSauvegarde(const DescriptionPaire& paire, const std::string& ndx,
                       const std::string& dat, const Recueil& vivant, BilanReorganisation& bilan) {
  std::map<std::string, const std::vector<unsigned char>*> dansLaPaire;
  for (const auto& e : vivant.enregs)
    dansLaPaire.emplace(e.cle, &e.octets);
  const std::set<int> numeros = NumerosSauvegardes(ndx, dat);
  int choisi = numeros.empty() ? 1 : *numeros.rbegin() + 1;
  for (int numero : numeros) {
    if (Contenue(paire, NomSauvegarde(ndx, numero), NomSauvegarde(dat, numero), dansLaPaire)) {
      choisi = numero;
      break;
    }
    ++bilan.sauvegardesGardees;
  }
  bilan.sauvegardeIndex = NomSauvegarde(ndx, choisi);
  bilan.sauvegardeDonnees = NomSauvegarde(dat, choisi);
}

// The lock of the pair's index, taken without waiting, on the file the name gives now.
bool Verrouiller(FichierBrut& verrou, const std::string& ndx, BilanReorganisation& bilan) {
  for (int essai = 0; essai < 3; ++essai) {
    verrou.Fermer();
    if (!verrou.OuvrirExistant(ndx)) {
      bilan.erreur = "impossible d'ouvrir " + ndx;
      return false;
    }
    if (!verrou.VerrouillerExclusifSansAttendre()) {
      bilan.verrouillee = true;
      return false;
    }
    if (verrou.EstToujours(ndx)) return true;
  }
  bilan.erreur = ndx + " change sans cesse : un autre programme le remplace";
  return false;
}

void OublierNouvellePaire(const std::string& base) {
  std::error_code e;
  fs::remove(CheminNouveau(base, "NDX"), e);
  fs::remove(CheminNouveau(base, "DAT"), e);
  fs::remove(DossierRemplacement, e);  // only when empty
}

}  // namespace

BilanReorganisation ReorganiserPaire(const DescriptionPaire& paire) {
  BilanReorganisation bilan;
  const std::string base(paire.base);
  const std::string ndx = base + ".NDX", dat = base + ".DAT";

  // An interrupted rebuild of this pair is finished (then the pair is the new one, and its lock
  // is taken again) or undone first.
  FichierBrut verrou;
  for (;;) {
    if (!Verrouiller(verrou, ndx, bilan)) return bilan;
    RepriseRemplacement reprise;
    if (!ReprendreRemplacement(base, reprise)) break;
    bilan.reprise = true;
    bilan.repriseFaite = reprise;
    if (reprise.issue == RepriseRemplacement::Issue::Echec) {
      bilan.erreur =
          "la réorganisation interrompue n'a pas pu être menée à terme : " + reprise.erreur;
      return bilan;
    }
    if (reprise.issue == RepriseRemplacement::Issue::Abandonnee) break;
  }

  std::vector<unsigned char> index, donnees;
  if (!LireTout(ndx, index) || !LireTout(dat, donnees)) {
    bilan.erreur = "impossible de lire " + ndx + " et " + dat + " en entier ; rien n'a été modifié";
    return bilan;
  }
  bilan.avant.octetsIndex = static_cast<std::int64_t>(index.size());
  bilan.avant.octetsDonnees = static_cast<std::int64_t>(donnees.size());
  bilan.recueil = RecueillirPaire(paire, index, donnees);
  const Recueil& recueil = bilan.recueil;
  bilan.avant.nbEnreg = recueil.nbEnreg;
  bilan.avant.profondeur = recueil.profondeur;
  if (recueil.Depareillee()) {
    bilan.erreur = ndx + " et " + dat +
                   " ne vont pas ensemble : " + std::to_string(recueil.nomsDifferents) + " des " +
                   std::to_string(recueil.atteints) +
                   " nœuds de l'arbre désignent un enregistrement d'un autre nom (un index et des "
                   "données de deux versions différentes ?). Rien n'a été modifié ; remettez la "
                   "paire d'origine en place, d'une sauvegarde par exemple.";
    return bilan;
  }
  if (recueil.atteints > 0 && recueil.AucuneRecette()) {
    bilan.erreur = dat + " ne contient aucun des enregistrements que " + ndx +
                   " désigne : rien à reconstruire. Rien n'a été modifié.";
    return bilan;
  }
  ChoisirSauvegarde(paire, ndx, dat, recueil, bilan);

  const NouvellePaire nouvelle = Construire(paire, recueil.enregs);
  std::error_code e;
  fs::create_directory(DossierRemplacement, e);
  FichierBrut nouvelIndex, nouvellesDonnees;
  // The new index is locked before it takes the old one's place, so that the pair stays locked
  // while it is replaced.
  if (!Ecrire(nouvellesDonnees, CheminNouveau(base, "DAT"), nouvelle.donnees) ||
      !Ecrire(nouvelIndex, CheminNouveau(base, "NDX"), nouvelle.index) ||
      !nouvelIndex.VerrouillerExclusifSansAttendre()) {
    OublierNouvellePaire(base);
    bilan.erreur = "l'écriture de la nouvelle paire a échoué ; l'ancienne est intacte";
    return bilan;
  }
  nouvellesDonnees.Fermer();
  if (!RemplacerPaire(base, bilan.sauvegardeIndex, bilan.sauvegardeDonnees, bilan.erreur)) {
    return bilan;
  }
  // Where an open file cannot go at once (Windows), the old index left the working directory
  // only now that its handle is closed: the directory goes with it.
  nouvelIndex.Fermer();
  verrou.Fermer();
  systeme::SupprimerDossier(DossierRemplacement);

  bilan.fait = true;
  bilan.apres.octetsIndex = static_cast<std::int64_t>(nouvelle.index.size());
  bilan.apres.octetsDonnees = static_cast<std::int64_t>(nouvelle.donnees.size());
  bilan.apres.nbEnreg = static_cast<std::int64_t>(recueil.enregs.size());
  bilan.apres.profondeur = ProfondeurEquilibree(bilan.apres.nbEnreg);
  return bilan;
}

std::string TexteReprise(const RepriseRemplacement& reprise) {
  switch (reprise.issue) {
    case RepriseRemplacement::Issue::Achevee:
      return reprise.base + " : la réorganisation interrompue a été menée à terme ; l'ancienne " +
             "paire est gardée dans " + reprise.sauvegardeIndex + " et " +
             reprise.sauvegardeDonnees + ".";
    case RepriseRemplacement::Issue::Abandonnee:
      return reprise.base +
             " : la réorganisation interrompue a été abandonnée ; la paire est celle d'avant.";
    case RepriseRemplacement::Issue::Echec:
      break;
  }
  return reprise.base +
         " : la réorganisation interrompue n'a pas pu être menée à terme : " + reprise.erreur;
}

}  // namespace velquor::outils
