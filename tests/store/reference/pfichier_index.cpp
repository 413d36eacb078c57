// The name index: walks and updates of the tree of 47-byte nodes in the index file.
//
// A damaged file (truncated, hand-edited, links out of the file or in a cycle) must never make a
// walk loop or read out of bounds. Every walk is bounded by the number of nodes the index file
// can hold, and a link is only followed when the node it reaches names its origin back (a child's
// parent link, a parent's child link): the tree's own writes always keep both directions in
// step, so this changes nothing on a sound file, and on a damaged one a broken link ends the
// walk as a short read does. No link ever leads back to the root slot at offset 0.

#include <limits>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/reference/pfichier.h"

namespace velquor::reference {

// Counts the steps of one walk; a walk that takes more steps than there are nodes is in a cycle.
class PFichier::Parcours {
 public:
  explicit Parcours(std::int64_t limite) : restant_(limite) {}
  bool Pas() { return restant_-- > 0; }

 private:
  std::int64_t restant_;
};

std::int64_t PFichier::LimitePas() const {
  std::int64_t taille = index_.Taille();
  return taille < 0 ? 0 : taille / static_cast<std::int64_t>(NoeudIndex::Taille) + 1;
}

bool PFichier::LireNoeud(std::int32_t pos, NoeudIndex& noeud) const {
  unsigned char octets[NoeudIndex::Taille];
  if (pos < 0 || index_.LireA(pos, octets, sizeof octets) < sizeof octets) return false;
  noeud = NoeudIndex::DepuisOctets(octets);
  return true;
}

bool PFichier::EcrireNoeud(std::int32_t pos, const NoeudIndex& noeud) {
  unsigned char octets[NoeudIndex::Taille];
  noeud.VersOctets(octets);
  return index_.EcrireA(pos, octets, sizeof octets);
}

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

void PFichier::Positionner(std::int32_t pos, const NoeudIndex& noeud) {
  PtrEnreg = pos;
  noeud_ = noeud;
  Lire();
}

bool PFichier::Extremite(bool versDroite) {
  LireEntete();
  if (NbEnreg < 1) return false;
  NoeudIndex noeud;
  if (!LireNoeud(0, noeud)) return false;
  std::int32_t pos = 0;
  Parcours parcours(LimitePas());
  Descendre(pos, noeud, versDroite, parcours);
  Positionner(pos, noeud);
  return true;
}

bool PFichier::Premier() {
  return Extremite(false);
}

bool PFichier::Dernier() {
  return Extremite(true);
}

// The next name is the least of the greater subtree when there is one; otherwise the first
// ancestor reached from its lesser side. Climbing follows the links rather than comparing names
// again, which gives the same node on a sound tree and still visits every name once in a pair
// whose order was built by a slightly different collation.
bool PFichier::Suivant() {
  LireEntete();
  if (NbEnreg < 1) return false;
  if (PtrEnreg < 0) {
    Erreur(401);
    return false;
  }
  NoeudIndex noeud;
  if (!LireNoeud(PtrEnreg, noeud)) return false;
  std::int32_t pos = PtrEnreg;
  Parcours parcours(LimitePas());
  NoeudIndex enfant;
  if (LienVers(noeud, true) != AucunLien && LireEnfant(pos, noeud.Droite, enfant)) {
    pos = noeud.Droite;
    noeud = enfant;
    Descendre(pos, noeud, false, parcours);
  } else {
    for (;;) {
      if (pos == 0 || noeud.Pere == AucunLien) {
        // Came up from the greater side of the root: no next name.
        Dernier();
        return false;
      }
      NoeudIndex parent;
      if (!parcours.Pas() || !LireParent(pos, noeud, parent)) return false;
      bool depuisDroite = parent.Droite == pos;
      pos = noeud.Pere;
      noeud = parent;
      if (!depuisDroite) break;
    }
  }
  Positionner(pos, noeud);
  return true;
}

bool PFichier::Precedent() {
  LireEntete();
  if (NbEnreg < 1) return false;
  if (PtrEnreg < 0) {
    Erreur(401);
    return false;
  }
  NoeudIndex noeud;
  if (!LireNoeud(PtrEnreg, noeud)) return false;
  std::int32_t pos = PtrEnreg;
  Parcours parcours(LimitePas());
  NoeudIndex enfant;
  if (LienVers(noeud, false) != AucunLien && LireEnfant(pos, noeud.Gauche, enfant)) {
    pos = noeud.Gauche;
    noeud = enfant;
    Descendre(pos, noeud, true, parcours);
  } else {
    for (;;) {
      if (pos == 0 || noeud.Pere == AucunLien) {
        Premier();
        return false;
      }
      NoeudIndex parent;
      if (!parcours.Pas() || !LireParent(pos, noeud, parent)) return false;
      bool depuisDroite = parent.Droite == pos;
      pos = noeud.Pere;
      noeud = parent;
      if (depuisDroite) break;
    }
  }
  Positionner(pos, noeud);
  return true;
}

bool PFichier::Chercher(std::string_view nom) {
  LireEntete();
  if (NbEnreg < 1) return false;
  PtrEnreg = AucunLien;
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
  Lire();
  return trouve;
}

bool PFichier::Ajouter(std::string_view nom) {
  // A key keeps its terminator within its 31 bytes; a longer name is refused, never cut.
  if (nom.size() >= TailleNom || !EstOuvert()) return false;

  std::int32_t posParent = AucunLien;
  NoeudIndex parent;
  bool arbreVide = true;
  if (LireNoeud(0, parent)) {
    LireEntete();
    if (NbEnreg > 0) {
      arbreVide = false;
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

  // An empty tree starts again at offset 0, whatever dead nodes the file still holds.
  std::int64_t finIndex = arbreVide ? 0 : index_.Taille();
  std::int64_t finDonnees = donnees_.Taille();
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
  if (!donnees_.EcrireA(finDonnees, OctetsEnreg(), tailleEnreg_)) return false;
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
  return true;
}

bool PFichier::Supprimer() {
  LireEntete();
  if (NbEnreg < 1) return false;
  if (PtrEnreg < 0) {
    Erreur(301);
    return true;
  }
  NoeudIndex noeud;
  if (!LireNoeud(PtrEnreg, noeud) || !Delier(PtrEnreg, noeud)) return false;
  if (!MajEntete('S')) return false;
  PtrEnreg = AucunLien;
  return true;
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
bool PFichier::Delier(std::int32_t n, const NoeudIndex& noeud) {
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
  Descendre(m, noeudM, remplaceParG, parcours);
  if ((remplaceParG ? noeudM.Droite : noeudM.Gauche) != AucunLien) return false;  // broken link

  if (racine) {
    // The lesser child moves into the root slot; the greater subtree hangs under its greatest.
    for (std::int32_t lien : {noeudG.Droite, noeudG.Gauche}) {
      NoeudIndex petitEnfant;
      if (lien != AucunLien && !LireEnfant(g, lien, petitEnfant)) return false;
    }
    if (m == g) m = 0;
    if (!ChangerPere(g, AucunLien, 0)) return false;
    if (noeudG.Gauche != AucunLien && !ChangerPere(noeudG.Gauche, 0, noeudG.Gauche)) return false;
    if (noeudG.Droite != AucunLien && !ChangerPere(noeudG.Droite, 0, noeudG.Droite)) return false;
    return FixerLien(m, true, d) && ChangerPere(d, m, d);
  }

  if (remplaceParG) {
    // n was its parent's greater child: g takes its place, d hangs under g's greatest node.
    return ChangerLien(p, n, g) && ChangerPere(g, p, g) && FixerLien(m, true, d) &&
           ChangerPere(d, m, d);
  }
  // n was its parent's lesser child: d takes its place, g hangs under d's least node.
  return ChangerLien(p, n, d) && ChangerPere(d, p, d) && FixerLien(m, false, g) &&
         ChangerPere(g, m, g);
}

}  // namespace velquor::reference
