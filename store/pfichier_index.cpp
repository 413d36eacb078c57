// SPDX-License-Identifier: GPL-3.0-or-later
// The name index: walks and updates of the tree of 47-byte nodes in the index file.
//
// A damaged file (truncated, hand-edited, links out of the file or in a cycle) must never make a
// walk loop or read out of bounds. Every walk is bounded by the number of nodes the index file
// can hold, and a link is only followed when the node it reaches names its origin back (a child's
// parent link, a parent's child link): the tree's own writes always keep both directions in
// step, so this changes nothing on a sound file, and on a damaged one a broken link ends the
// walk as a short read does. No link ever leads back to the root slot at offset 0.
//
// Nodes are read from the pair's mirror of the index file (see etat_paire.h). When the tree is
// sound, the ordered view of its names answers each operation with the node the walk would
// reach, in O(log N) rather than the depth of a tree that sorted additions make a chain; the
// writes are the same either way. A damaged tree, or an object standing on a node that is no
// longer in the tree, takes the node-by-node walk.

#include <iterator>
#include <limits>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/etat_paire.h"
#include "store/garde_ecriture.h"
#include "store/pfichier.h"

namespace velquor {

// Counts the steps of one walk; a walk that takes more steps than there are nodes is in a cycle.
class PFichier::Parcours {
 public:
  explicit Parcours(std::int64_t limite) : restant_(limite) {}
  bool Pas() { return restant_-- > 0; }

 private:
  std::int64_t restant_;
};

std::int64_t PFichier::LimitePas() const {
  return etat_ ? etat_->TailleIndex() / static_cast<std::int64_t>(NoeudIndex::Taille) + 1 : 0;
}

bool PFichier::LireNoeud(std::int32_t pos, NoeudIndex& noeud) const {
  return etat_ && etat_->LireNoeud(pos, noeud);
}

bool PFichier::EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud) {
  return etat_ && etat_->EcrireNoeud(pos, noeud);
}

namespace {

// The view's entry for the node at pos, or end() when that node is not in the tree (an object
// left on a node that another object has since deleted or moved).
VueOrdonnee::iterator EntreeDe(VueOrdonnee& vue, std::int32_t pos, const NoeudIndex& noeud) {
  auto it = vue.find(Texte(noeud.Cle));
  return it != vue.end() && it->second == pos ? it : vue.end();
}

}  // namespace

// A lookup by name goes down any child link that leads to a node: after a stop in the middle of
// a relinking, a child may not yet name its new parent, and the names below it must still be
// found. Walks in name order, which climb back through the parent links, follow only links that
// agree both ways.
bool PFichier::LireDescendant(std::int32_t posEnfant, NoeudIndex& enfant) const {
  return posEnfant > 0 && LireNoeud(posEnfant, enfant);
}

bool PFichier::LireEnfant(std::int32_t posParent, std::int32_t posEnfant,
                          NoeudIndex& enfant) const {
  return posEnfant > 0 && LireNoeud(posEnfant, enfant) && enfant.Pere == posParent;
}

bool PFichier::LireParent(std::int32_t posEnfant, const NoeudIndex& enfant,
                          NoeudIndex& parent) const {
  return enfant.Pere >= 0 && enfant.Pere != posEnfant && LireNoeud(enfant.Pere, parent) &&
         (parent.Droite == posEnfant || parent.Gauche == posEnfant);
}

// A node whose two links name one child is damaged: walks in name order take that child as its
// greater one only (as the climb back up does), so that it is never visited twice.
namespace {

std::int32_t LienVers(const NoeudIndex& noeud, bool versDroite) {
  if (versDroite) return noeud.Droite;
  return noeud.Gauche == noeud.Droite ? AucunLien : noeud.Gauche;
}

}  // namespace

void PFichier::Descendre(std::int32_t& pos, NoeudIndex& noeud, bool versDroite,
                         Parcours& parcours) const {
  NoeudIndex enfant;
  for (;;) {
    std::int32_t lien = LienVers(noeud, versDroite);
    if (lien == AucunLien || !parcours.Pas() || !LireEnfant(pos, lien, enfant)) return;
    pos = lien;
    noeud = enfant;
  }
}

bool PFichier::Positionner(std::int32_t pos, const NoeudIndex& noeud) {
  PtrEnreg = pos;
  noeud_ = noeud;
  return LireEnreg();
}

bool PFichier::Extremite(bool versDroite) {
  LireEntete();
  if (NbEnreg < 1) return false;
  NoeudIndex noeud;
  if (VueOrdonnee* vue = etat_->VueSiConstruite(); vue && !vue->empty()) {
    const auto entree = versDroite ? std::prev(vue->end()) : vue->begin();
    if (!LireNoeud(entree->second, noeud)) return false;
    RetenirCurseur(entree);
    return Positionner(entree->second, noeud);
  }
  if (!LireNoeud(0, noeud)) return false;
  std::int32_t pos = 0;
  Parcours parcours(LimitePas());
  Descendre(pos, noeud, versDroite, parcours);
  return Positionner(pos, noeud);
}

bool PFichier::Premier() {
  return Extremite(false);
}

bool PFichier::Dernier() {
  return Extremite(true);
}

// The next name is the least of the greater subtree when there is one; otherwise the first
// ancestor reached from its lesser side (the previous name: the mirror image). Climbing follows
// the links rather than comparing names again, which gives the same node on a sound tree and
// still visits every name once in a pair whose order was built by a slightly different
// collation.
bool PFichier::Voisin(bool suivant) {
  LireEntete();
  if (NbEnreg < 1) return false;
  if (PtrEnreg < 0) {
    Erreur(401);
    return false;
  }
  if (VueOrdonnee* vue = etat_->VueSiConstruite()) {
    bool resultat;
    if (VoisinDansVue(*vue, suivant, resultat)) return resultat;
  }
  NoeudIndex noeud;
  if (!LireNoeud(PtrEnreg, noeud)) return false;
  std::int32_t pos = PtrEnreg;
  switch (PasVoisin(pos, noeud, suivant)) {
    case Pas::Fait:
      break;
    case Pas::Fin:
      // The object stands on the greatest (or least) name.
      suivant ? Dernier() : Premier();
      return false;
    case Pas::Echec:
      return false;
  }
  if (suivant) Eclairer(PtrEnreg, pos, noeud);
  return Positionner(pos, noeud);
}

PFichier::Pas PFichier::PasVoisin(std::int32_t& pos, NoeudIndex& noeud, bool suivant) const {
  Parcours parcours(LimitePas());
  NoeudIndex enfant;
  const std::int32_t sousArbre = LienVers(noeud, suivant);
  if (sousArbre != AucunLien && LireEnfant(pos, sousArbre, enfant)) {
    pos = sousArbre;
    noeud = enfant;
    Descendre(pos, noeud, !suivant, parcours);
    return Pas::Fait;
  }
  for (;;) {
    // Came up to the root from the side we walk away from: no further name.
    if (pos == 0 || noeud.Pere == AucunLien) return Pas::Fin;
    NoeudIndex parent;
    if (!parcours.Pas() || !LireParent(pos, noeud, parent)) return Pas::Echec;
    const bool depuisDroite = parent.Droite == pos;
    pos = noeud.Pere;
    noeud = parent;
    if (depuisDroite != suivant) return Pas::Fait;
  }
}

void PFichier::Eclairer(std::int32_t depuis, std::int32_t vers, const NoeudIndex& noeud) {
  // Far enough ahead to cover the wait for memory, near enough to stay in the cache.
  constexpr int Distance = 8;
  if (!etat_->Anticipe()) return;
  Eclaireur& e = eclaireur_;
  if (e.origine == depuis && e.avance > 1) {
    --e.avance;
  } else {
    e = {vers, vers, noeud, 0, false};
  }
  e.origine = vers;
  while (e.avance < Distance && !e.auBout) {
    if (PasVoisin(e.pos, e.noeud, true) != Pas::Fait) {
      e.auBout = true;  // the last names, or a damaged link: the walk meets it on its own
      break;
    }
    ++e.avance;
    etat_->AnticiperEnreg(e.noeud.PosEnreg, tailleEnreg_);
    etat_->AnticiperNoeud(e.noeud.Droite);
  }
}

bool PFichier::Suivant() {
  return Voisin(true);
}

bool PFichier::Precedent() {
  return Voisin(false);
}

bool PFichier::Chercher(std::string_view nom) {
  LireEntete();
  if (NbEnreg < 1) return false;
  PtrEnreg = AucunLien;
  if (VueOrdonnee* vue = etat_->Vue(); vue && !vue->empty()) return ChercherDansVue(*vue, nom);
  // A tree built in another order, or a damaged one: a name is found wherever it hangs.
  if (const auto* noms = etat_->NomsExacts()) {
    NoeudIndex noeud;
    if (auto it = noms->find(std::string(nom));
        it != noms->end() && LireNoeud(it->second, noeud) && Texte(noeud.Cle) == nom) {
      return Positionner(it->second, noeud);
    }
  }
  NoeudIndex noeud;
  if (!LireNoeud(0, noeud)) return false;  // damaged index: nothing to stand on
  std::int32_t pos = 0;
  Parcours parcours(LimitePas());
  bool trouve = false;
  NoeudIndex enfant;
  for (;;) {
    int c = ComparerNoms(Texte(noeud.Cle), nom);
    if (c == 0) {
      trouve = true;
      break;
    }
    std::int32_t lien = c < 0 ? noeud.Droite : noeud.Gauche;
    if (lien == AucunLien || !parcours.Pas() || !LireDescendant(lien, enfant)) break;
    pos = lien;
    noeud = enfant;
  }
  PtrEnreg = pos;
  noeud_ = noeud;
  // Not found on a lesser name: the least greater name is the next one.
  if (!trouve && ComparerNoms(Texte(noeud.Cle), nom) < 0) Suivant();
  const bool lu = LireEnreg();
  return trouve && lu;
}

bool PFichier::Ajouter(std::string_view nom) {
  // A key keeps its terminator within its 31 bytes; a longer name is refused, never cut.
  if (nom.size() >= TailleNom || !EstOuvert()) return false;
  GardeEcriture garde(EtatPourEcrire());
  if (!garde) return false;

  // Files that cannot be read are never taken for an empty tree to start again.
  if (!LireEnteteSure()) return false;
  std::int32_t posParent = AucunLien;
  NoeudIndex parent;
  bool arbreVide = true;
  VueOrdonnee* vue = etat_->Vue();
  bool parVue = false;
  if (LireNoeud(0, parent) && NbEnreg > 0) {
    arbreVide = false;
    if (vue) {
      const int r = ParentDansVue(*vue, nom, posParent);
      if (r < 0) return false;
      parVue = r > 0;
    } else if (const auto* noms = etat_->NomsExacts(); noms && noms->contains(std::string(nom))) {
      return false;  // wherever the walk down would go, the name is there
    }
    if (!parVue) {
      std::int32_t pos = 0;
      Parcours parcours(LimitePas());
      NoeudIndex enfant;
      for (;;) {
        int c = ComparerNoms(Texte(parent.Cle), nom);
        if (c == 0) return false;
        std::int32_t lien = c < 0 ? parent.Droite : parent.Gauche;
        if (lien == AucunLien) break;
        // A broken link would hang the new node over a subtree that still holds names: refuse.
        if (!parcours.Pas() || !LireDescendant(lien, enfant)) return false;
        pos = lien;
        parent = enfant;
      }
      posParent = pos;
    }
  }

  // An empty tree starts again at offset 0, whatever dead nodes the file still holds. A node
  // cut short at the end of a damaged file stays behind as dead bytes: the new one starts on
  // the next node boundary, where links can reach it.
  constexpr auto taille = static_cast<std::int64_t>(NoeudIndex::Taille);
  std::int64_t finIndex = arbreVide ? 0 : (etat_->TailleIndex() + taille - 1) / taille * taille;
  std::int64_t finDonnees = etat_->TailleDonnees();
  constexpr std::int64_t limite = std::numeric_limits<std::int32_t>::max();
  if (finIndex < 0 || finIndex > limite - static_cast<std::int64_t>(NoeudIndex::Taille) ||
      finDonnees < 0 || finDonnees > limite - static_cast<std::int64_t>(tailleEnreg_)) {
    return false;
  }
  if (finDonnees < TailleEntete) finDonnees = TailleEntete;

  NoeudIndex nouveau;
  CopierTexte(nouveau.Cle, nom);
  nouveau.PosEnreg = static_cast<std::int32_t>(finDonnees);
  nouveau.Pere = posParent;
  const auto posNouveau = static_cast<std::int32_t>(finIndex);

  NormaliserEnreg();
  if (!etat_->EcrireDonnees(finDonnees, OctetsEnreg(), tailleEnreg_)) return false;
  if (!MajEntete('A')) return false;
  PtrEnreg = posNouveau;
  noeud_ = nouveau;
  if (!EcrireNoeud(posNouveau, nouveau)) return false;
  if (posParent != AucunLien) {
    if (!LireNoeud(posParent, parent)) return false;
    if (ComparerNoms(Texte(parent.Cle), nom) < 0) {
      parent.Droite = posNouveau;
    } else {
      parent.Gauche = posNouveau;
    }
    if (!EcrireNoeud(posParent, parent)) return false;
  }
  // The views follow the addition when they can; otherwise they are built again.
  if (parVue) {
    const bool apresTous = vue->empty() || ComparerNoms(std::prev(vue->end())->first, nom) < 0;
    vue->emplace_hint(apresTous ? vue->end() : vue->lower_bound(nom), nom, posNouveau);
  } else if (vue) {
    etat_->OublierVue();
  } else {
    etat_->NoteAjout(std::string(nom), posNouveau);
  }
  return garde.Fin(true);
}

bool PFichier::Supprimer() {
  GardeEcriture garde(EtatPourEcrire());
  LireEntete();
  if (NbEnreg < 1 || !garde) return false;
  if (PtrEnreg < 0) {
    Erreur(301);
    return garde.Fin(true);
  }
  NoeudIndex noeud;
  if (!LireNoeud(PtrEnreg, noeud)) return false;
  // Another object or program changed the tree since this one stood on its name (a deletion of
  // the root moves another name into its slot): the name here is not the one to delete.
  if (Texte(noeud.Cle) != Texte(noeud_.Cle) || noeud.PosEnreg != noeud_.PosEnreg) return false;
  VueOrdonnee* vue = etat_->Vue();
  const auto entree = vue ? EntreeDe(*vue, PtrEnreg, noeud) : VueOrdonnee::iterator();
  const bool parVue = vue && entree != vue->end();
  std::int32_t deplace = AucunLien;
  const bool delie = Delier(PtrEnreg, noeud, parVue ? &*vue : nullptr, entree, deplace);
  if (!delie || !MajEntete('S')) return false;
  NoeudIndex racine;
  const bool racineDeplacee = deplace != AucunLien && LireNoeud(0, racine);
  if (parVue) {
    // The name leaves the view; a node whose content moved into the root slot is now at 0.
    if (racineDeplacee) (*vue)[std::string(Texte(racine.Cle))] = 0;
    etat_->EffacerDeLaVue(entree);
  } else if (vue) {
    etat_->OublierVue();
  } else {
    etat_->NoteSuppression(std::string(Texte(noeud.Cle)), racineDeplacee ? 0 : AucunLien,
                           racineDeplacee ? std::string(Texte(racine.Cle)) : std::string());
  }
  PtrEnreg = AucunLien;
  return garde.Fin(true);
}

// Reads the node at pos, sets its parent link and writes it at posEcriture.
bool PFichier::ChangerPere(std::int32_t pos, std::int32_t pere, std::int32_t posEcriture) {
  NoeudIndex noeud;
  if (!LireNoeud(pos, noeud)) return false;
  noeud.Pere = pere;
  return EcrireNoeud(posEcriture, noeud);
}

// Reads the node at pos, turns each of its child links equal to ancien into nouveau, writes it.
bool PFichier::ChangerLien(std::int32_t pos, std::int32_t ancien, std::int32_t nouveau) {
  NoeudIndex noeud;
  if (!LireNoeud(pos, noeud)) return false;
  if (noeud.Droite == ancien) noeud.Droite = nouveau;
  if (noeud.Gauche == ancien) noeud.Gauche = nouveau;
  return EcrireNoeud(pos, noeud);
}

// Reads the node at pos, sets one of its child links, writes it.
bool PFichier::FixerLien(std::int32_t pos, bool droite, std::int32_t valeur) {
  NoeudIndex noeud;
  if (!LireNoeud(pos, noeud)) return false;
  (droite ? noeud.Droite : noeud.Gauche) = valeur;
  return EcrireNoeud(pos, noeud);
}

// Unlinks node n from the tree. Every node the relinking will touch is read and checked
// first; on a damaged tree nothing is written and the deletion is refused, so that a broken
// link can never cost the names hanging under it.
bool PFichier::Delier(std::int32_t n, const NoeudIndex& noeud, VueOrdonnee* vue,
                      VueOrdonnee::iterator entree, std::int32_t& deplace) {
  const std::int32_t p = noeud.Pere;
  const std::int32_t g = noeud.Gauche;
  const std::int32_t d = noeud.Droite;
  const bool racine = p == AucunLien;
  if (racine != (n == 0)) return false;
  if (g != AucunLien && g == d) return false;

  NoeudIndex parent, noeudG, noeudD;
  if (!racine && !LireParent(n, noeud, parent)) return false;
  if (g != AucunLien && !LireEnfant(n, g, noeudG)) return false;
  if (d != AucunLien && !LireEnfant(n, d, noeudD)) return false;
  Parcours parcours(LimitePas());

  if (g == AucunLien && d == AucunLien) {
    // A root without children: the header alone makes the tree empty.
    return racine || ChangerLien(p, n, AucunLien);
  }

  if (g == AucunLien || d == AucunLien) {
    const std::int32_t c = g == AucunLien ? d : g;
    const NoeudIndex& enfant = g == AucunLien ? noeudD : noeudG;
    if (!racine) return ChangerLien(p, n, c) && ChangerPere(c, p, c);
    // The child's content moves into the root slot; its own children now hang from 0.
    NoeudIndex petitEnfant;
    for (std::int32_t lien : {enfant.Droite, enfant.Gauche}) {
      if (lien != AucunLien && !LireEnfant(c, lien, petitEnfant)) return false;
    }
    deplace = c;
    if (!ChangerPere(c, AucunLien, 0)) return false;
    for (std::int32_t lien : {enfant.Droite, enfant.Gauche}) {
      if (lien != AucunLien && !ChangerPere(lien, 0, lien)) return false;
    }
    return true;
  }

  // Both children. Find, before writing, the node under which the other subtree will hang.
  const bool remplaceParG = racine || parent.Droite == n;
  std::int32_t m = remplaceParG ? g : d;
  NoeudIndex noeudM = remplaceParG ? noeudG : noeudD;
  if (vue) {
    // In a sound tree that node is the name just before n (or just after it).
    m = remplaceParG ? std::prev(entree)->second : std::next(entree)->second;
    if (!LireNoeud(m, noeudM)) return false;
  } else {
    Descendre(m, noeudM, remplaceParG, parcours);
  }
  if ((remplaceParG ? noeudM.Droite : noeudM.Gauche) != AucunLien) return false;  // broken link

  if (racine) {
    // The lesser child moves into the root slot; the greater subtree hangs under its greatest.
    for (std::int32_t lien : {noeudG.Droite, noeudG.Gauche}) {
      NoeudIndex petitEnfant;
      if (lien != AucunLien && !LireEnfant(g, lien, petitEnfant)) return false;
    }
    deplace = g;
    // The greater subtree is hung under its new node before the lesser child leaves its place,
    // so that a stop between two writes never leaves a name out of the tree. When g has no
    // greater child, it takes d in the same write that moves it into the root slot.
    if (m == g) {
      NoeudIndex racine = noeudG;
      racine.Pere = AucunLien;
      racine.Droite = d;
      if (!EcrireNoeud(0, racine)) return false;
      m = 0;
    } else if (!FixerLien(m, true, d) || !ChangerPere(g, AucunLien, 0)) {
      return false;
    }
    if (noeudG.Gauche != AucunLien && !ChangerPere(noeudG.Gauche, 0, noeudG.Gauche)) return false;
    if (noeudG.Droite != AucunLien && !ChangerPere(noeudG.Droite, 0, noeudG.Droite)) return false;
    return ChangerPere(d, m, d);
  }

  // The other subtree is hung first, then the replacement takes n's place: at every step each
  // name hangs somewhere in the tree.
  if (remplaceParG) {
    // n was its parent's greater child: g takes its place, d hangs under g's greatest node.
    return FixerLien(m, true, d) && ChangerLien(p, n, g) && ChangerPere(g, p, g) &&
           ChangerPere(d, m, d);
  }
  // n was its parent's lesser child: d takes its place, g hangs under d's least node.
  return FixerLien(m, false, g) && ChangerLien(p, n, d) && ChangerPere(d, p, d) &&
         ChangerPere(g, m, g);
}

bool PFichier::ChercherDansVue(VueOrdonnee& vue, std::string_view nom) {
  auto it = vue.lower_bound(nom);
  const bool trouve = it != vue.end() && it->first == nom;
  if (it == vue.end()) it = std::prev(vue.end());  // beyond the greatest: on the greatest
  NoeudIndex noeud;
  if (!LireNoeud(it->second, noeud)) return false;
  RetenirCurseur(it);
  return Positionner(it->second, noeud) && trouve;
}

// Suivant and Precedent from a node of the tree. False when the object stands on a node that is
// not in the tree: the walk then goes node by node from it, as it always did.
bool PFichier::VoisinDansVue(VueOrdonnee& vue, bool suivant, bool& resultat) {
  NoeudIndex noeud;
  auto it = vue.end();
  if (generationCurseur_ == etat_->GenerationVue() && curseurVue_->second == PtrEnreg) {
    it = curseurVue_;
  } else {
    if (!LireNoeud(PtrEnreg, noeud)) return false;
    it = EntreeDe(vue, PtrEnreg, noeud);
  }
  if (it == vue.end()) return false;
  resultat = suivant ? std::next(it) != vue.end() : it != vue.begin();
  // At either end the object stays on the greatest or the least name, its record reloaded.
  const std::int32_t depuis = it->second;
  if (resultat) it = suivant ? std::next(it) : std::prev(it);
  if (!LireNoeud(it->second, noeud)) return false;
  if (suivant && resultat) Eclairer(depuis, it->second, noeud);
  RetenirCurseur(it);
  if (!Positionner(it->second, noeud)) resultat = false;
  return true;
}

void PFichier::RetenirCurseur(VueOrdonnee::iterator entree) {
  curseurVue_ = entree;
  generationCurseur_ = etat_->GenerationVue();
}

// The node under which a walk down the tree would hang nom: the name just before it when that
// node has no greater child, else the name just after it, which then has no lesser child.
// -1 when the name is already there, 0 when the view cannot tell, 1 with the parent's offset.
int PFichier::ParentDansVue(VueOrdonnee& vue, std::string_view nom, std::int32_t& parent) {
  // Names often come in order (a search result, an import of a sorted list): one comparison
  // with the greatest tells that the new name goes after it.
  const bool apresTous = !vue.empty() && ComparerNoms(std::prev(vue.end())->first, nom) < 0;
  auto it = apresTous ? vue.end() : vue.lower_bound(nom);
  if (it != vue.end() && it->first == nom) return -1;
  NoeudIndex noeud;
  if (it != vue.begin()) {
    auto avant = std::prev(it);
    if (!LireNoeud(avant->second, noeud)) return 0;
    if (noeud.Droite == AucunLien) {
      parent = avant->second;
      return 1;
    }
  }
  if (it == vue.end() || !LireNoeud(it->second, noeud) || noeud.Gauche != AucunLien) return 0;
  parent = it->second;
  return 1;
}

}  // namespace velquor
