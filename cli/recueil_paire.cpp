// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/recueil_paire.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <unordered_map>

#include "cli/console.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/noeud_index.h"

namespace velquor::outils {

namespace {

constexpr std::int64_t TailleNoeud = NoeudIndex::Taille;
constexpr std::size_t RemarquesGardees = 200;

std::string Cite(std::string_view cp1252) {
  return "« " + TexteAffichable(cp1252) + " »";
}

std::string Octet(std::int64_t pos) {
  return "l'octet " + std::to_string(pos);
}

class Recueillir {
 public:
  Recueillir(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
             const std::vector<unsigned char>& donnees)
      : paire_(paire),
        index_(index),
        donnees_(donnees),
        taille_(static_cast<std::int64_t>(paire.tailleEnreg)),
        nbNoeuds_(static_cast<std::int64_t>(index.size()) / TailleNoeud),
        atteint_(static_cast<std::size_t>(nbNoeuds_), false),
        vivant_(static_cast<std::size_t>(nbNoeuds_), Inconnu) {}

  Recueil Executer() {
    r_.entete = donnees_.size() >= static_cast<std::size_t>(TailleEntete);
    r_.nbEnreg = r_.entete ? LireMot(donnees_.data()) : 0;
    IndexerDonnees();
    // A count of 0 over a root without children is an emptied collection: its nodes are dead.
    const bool videe = nbNoeuds_ > 0 && r_.entete && r_.nbEnreg == 0 &&
                       Noeud(0).Gauche == AucunLien && Noeud(0).Droite == AucunLien;
    if (nbNoeuds_ > 0 && !videe) {
      Parcourir();
      Apparier(Vivants());
    }
    LaisserDeCote();
    std::stable_sort(r_.enregs.begin(), r_.enregs.end(),
                     [](const auto& a, const auto& b) { return ComparerNoms(a.cle, b.cle) < 0; });
    return std::move(r_);
  }

 private:
  enum Vie : unsigned char { Inconnu, EnCours, Mort, Vivant };

  NoeudIndex Noeud(std::int64_t i) const {
    return NoeudIndex::DepuisOctets(index_.data() + i * TailleNoeud);
  }
  bool SurUnNoeud(std::int32_t lien) const {
    return lien > 0 && lien % TailleNoeud == 0 && lien / TailleNoeud < nbNoeuds_;
  }
  static std::string Cle(const NoeudIndex& noeud) {
    return std::string(Texte(noeud.Cle).substr(0, TailleNom - 1));
  }
  // The record at pos when pos is a record boundary inside the data file, else nullptr.
  const unsigned char* Enreg(std::int64_t pos) const {
    if (pos < TailleEntete || (pos - TailleEntete) % taille_ != 0 ||
        pos + taille_ > static_cast<std::int64_t>(donnees_.size()))
      return nullptr;
    return donnees_.data() + pos;
  }
  // The name a record carries, or nothing when its field holds no terminated, non-empty text.
  static std::optional<std::string_view> NomPropre(const unsigned char* enreg) {
    const auto* texte = reinterpret_cast<const char*>(enreg);
    const std::size_t n = ::strnlen(texte, TailleNom);
    if (n == 0 || n == TailleNom) return std::nullopt;
    return std::string_view(texte, n);
  }
  // Whether the record carries the key: its name, or a name field without terminator that
  // begins with it.
  static bool PorteLaCle(const unsigned char* enreg, std::string_view cle) {
    const std::string_view champ(reinterpret_cast<const char*>(enreg),
                                 ::strnlen(reinterpret_cast<const char*>(enreg), TailleNom));
    return !cle.empty() && (champ == cle || (champ.size() == TailleNom && champ.starts_with(cle)));
  }

  void Remarquer(std::string texte) {
    ++r_.nbRemarques;
    if (r_.remarques.size() < RemarquesGardees) r_.remarques.push_back(std::move(texte));
  }

  // Every record on a record boundary that carries a name, by name, in the order written.
  void IndexerDonnees() {
    for (std::int64_t pos = TailleEntete; Enreg(pos); pos += taille_) {
      if (auto nom = NomPropre(Enreg(pos))) parNom_[std::string(*nom)].push_back(pos);
    }
  }

  // From the root, down every link that starts on a node boundary inside the file and leads to
  // a node not reached yet; a link that does not is broken. A child that does not name its
  // parent back is still followed (a stop in the middle of a relinking can leave one), but the
  // link counts as broken.
  void Parcourir() {
    std::vector<std::pair<std::int64_t, int>> pile{{0, 1}};
    atteint_[0] = true;
    while (!pile.empty()) {
      const auto [i, profondeur] = pile.back();
      pile.pop_back();
      ordre_.push_back(i);
      r_.profondeur = std::max(r_.profondeur, profondeur);
      const NoeudIndex noeud = Noeud(i);
      for (int cote = 0; cote < 2; ++cote) {
        const std::int32_t lien = cote ? noeud.Droite : noeud.Gauche;
        if (lien == AucunLien) continue;
        // A node whose two links name one child has it as its greater child only.
        const bool casse = (cote == 0 && noeud.Gauche == noeud.Droite) || !SurUnNoeud(lien) ||
                           atteint_[static_cast<std::size_t>(lien / TailleNoeud)];
        if (!casse) {
          atteint_[static_cast<std::size_t>(lien / TailleNoeud)] = true;
          pile.emplace_back(lien / TailleNoeud, profondeur + 1);
        }
        if (casse || Noeud(lien / TailleNoeud).Pere != i * TailleNoeud) ++r_.liensCasses;
      }
    }
    r_.atteints = static_cast<std::int64_t>(ordre_.size());
  }

  static int Ecart(std::int32_t a, std::int32_t b) {
    int n = 0;
    for (int octet = 0; octet < 4; ++octet)
      n += ((static_cast<std::uint32_t>(a) ^ static_cast<std::uint32_t>(b)) >> (8 * octet) &
            0xFF) != 0;
    return n;
  }

  // Whether the link on that side of a live node may have led to the node at pos before it was
  // damaged: it does, or it leads to a node that belongs to another parent (that parent leads
  // to it too), or it leads nowhere and its value is nearer pos than "none" (fewer bytes
  // differ: a damaged byte or two).
  bool MenaitA(std::int64_t p, int cote, std::int32_t pos) const {
    const NoeudIndex parent = Noeud(p);
    const std::int32_t lien = cote ? parent.Droite : parent.Gauche;
    if (lien == pos) return true;
    if (lien == AucunLien) return false;
    if (SurUnNoeud(lien)) {
      const NoeudIndex enfant = Noeud(lien / TailleNoeud);
      if (enfant.Pere == p * TailleNoeud || !EstUnNoeud(enfant.Pere)) return false;
      const NoeudIndex autre = Noeud(enfant.Pere / TailleNoeud);
      if (autre.Gauche == lien || autre.Droite == lien) return true;
    }
    return Ecart(lien, pos) <= Ecart(lien, AucunLien);
  }

  bool EstUnNoeud(std::int32_t lien) const { return lien == 0 || SurUnNoeud(lien); }

  // Whether every child a node links to names it back: a deleted node's children have left it.
  bool Coherent(std::int64_t i) const {
    const NoeudIndex noeud = Noeud(i);
    for (std::int32_t lien : {noeud.Gauche, noeud.Droite}) {
      if (lien != AucunLien &&
          (!SurUnNoeud(lien) || Noeud(lien / TailleNoeud).Pere != i * TailleNoeud))
        return false;
    }
    return true;
  }

  // The unreached node that the link on that side of a live node led to: of those that name it
  // as their parent, stand on that side by name and may have been its target, the one whose own
  // children name it back, then the nearest to the damaged value, then the latest. A side has
  // one child: the others were deleted, or moved away.
  std::int64_t Elu(std::int64_t p, int cote) {
    auto [it, nouveau] = elus_.try_emplace(p * 2 + cote, -1);
    if (!nouveau) return it->second;
    const NoeudIndex parent = Noeud(p);
    const std::int32_t lien = cote ? parent.Droite : parent.Gauche;
    std::tuple<bool, int, std::int64_t> meilleur{false, 0, 0};
    for (std::int64_t c : orphelins_[p]) {
      const int ordre = ComparerNoms(Texte(parent.Cle), Texte(Noeud(c).Cle));
      if ((cote == 0 ? ordre < 0 : ordre > 0) ||
          !MenaitA(p, cote, static_cast<std::int32_t>(c * TailleNoeud)))
        continue;
      const std::tuple<bool, int, std::int64_t> score{
          Coherent(c), -Ecart(lien, static_cast<std::int32_t>(c * TailleNoeud)), c};
      if (it->second < 0 || score > meilleur) {
        meilleur = score;
        elus_[p * 2 + cote] = c;
      }
    }
    return elus_[p * 2 + cote];
  }

  // Whether an unreached node hangs from the damage (see recueil_paire.h): its parent is live
  // (reached, or hanging from the damage itself) and it is the child that parent's link on its
  // side led to.
  bool EstVivant(std::int64_t i) {
    Vie& vie = vivant_[static_cast<std::size_t>(i)];
    if (vie == EnCours) return false;  // a cycle of parent links leads nowhere
    if (vie != Inconnu) return vie == Vivant;
    vie = EnCours;
    const NoeudIndex noeud = Noeud(i);
    const auto pos = static_cast<std::int32_t>(i * TailleNoeud);
    bool vivant = false;
    if (EstUnNoeud(noeud.Pere) && noeud.Pere != pos) {
      const std::int64_t p = noeud.Pere / TailleNoeud;
      if (atteint_[static_cast<std::size_t>(p)] || EstVivant(p))
        vivant = Elu(p, 0) == i || Elu(p, 1) == i;
    }
    vivant_[static_cast<std::size_t>(i)] = vivant ? Vivant : Mort;
    return vivant;
  }

  // The live nodes: those the tree reaches, in the walk's order, then those that hang from the
  // damage, the latest first (of two nodes of one name, the one appended last wins). With every
  // link sound, nothing was cut off: what the tree does not reach was deleted.
  std::vector<std::int64_t> Vivants() {
    for (std::int64_t i = 0; i < nbNoeuds_; ++i) {
      if (const auto* e = Enreg(Noeud(i).PosEnreg)) designes_.insert(e - donnees_.data());
      const std::int32_t pere = Noeud(i).Pere;
      if (i == 0) continue;
      if (!atteint_[static_cast<std::size_t>(i)] && EstUnNoeud(pere))
        orphelins_[pere / TailleNoeud].push_back(i);
    }
    for (const auto& [nom, positions] : parNom_) {
      for (std::int64_t pos : positions) {
        if (!designes_.contains(pos)) sansNoeud_.push_back(pos);
      }
    }
    // What a live node links to lives as well, as for the walk from the root.
    std::vector<std::int64_t> pile;
    for (std::int64_t i = 1; i < nbNoeuds_; ++i) {
      if (!atteint_[static_cast<std::size_t>(i)] && r_.liensCasses > 0 && EstVivant(i))
        pile.push_back(i);
    }
    while (!pile.empty()) {
      const NoeudIndex noeud = Noeud(pile.back());
      pile.pop_back();
      for (std::int32_t lien : {noeud.Gauche, noeud.Droite}) {
        const auto c = static_cast<std::size_t>(lien / TailleNoeud);
        if (SurUnNoeud(lien) && !atteint_[c] && vivant_[c] != Vivant) {
          vivant_[c] = Vivant;
          pile.push_back(lien / TailleNoeud);
        }
      }
    }
    std::vector<std::int64_t> vivants = ordre_;
    for (std::int64_t i = nbNoeuds_ - 1; i > 0; --i) {
      if (atteint_[static_cast<std::size_t>(i)]) continue;
      if (vivant_[static_cast<std::size_t>(i)] == Vivant) {
        vivants.push_back(i);
      } else if (Enreg(Noeud(i).PosEnreg)) {
        ++r_.morts;
      }
    }
    return vivants;
  }

  // Each live node yields one name and its record, in the order of recueil_paire.h.
  void Apparier(const std::vector<std::int64_t>& vivants) {
    std::set<std::string> cles;
    for (std::int64_t i : vivants) {
      cles.insert(Cle(Noeud(i)));
      if (const auto* e = Enreg(Noeud(i).PosEnreg)) pointes_.insert(e - donnees_.data());
    }
    std::vector<std::int64_t> restants;
    for (std::int64_t i : vivants) {
      const NoeudIndex noeud = Noeud(i);
      const std::string cle = Cle(noeud);
      const unsigned char* enreg = Enreg(noeud.PosEnreg);
      const bool atteint = atteint_[static_cast<std::size_t>(i)];
      if (enreg && !utilises_.contains(enreg - donnees_.data()) && PorteLaCle(enreg, cle)) {
        Garder(cle, enreg, i, atteint ? Origine::Arbre : Origine::HorsArbre);
        continue;
      }
      if (atteint) ++(enreg ? r_.nomsDifferents : r_.horsDonnees);
      restants.push_back(i);
    }
    for (std::int64_t i : restants) {
      const NoeudIndex noeud = Noeud(i);
      const std::string cle = Cle(noeud);
      const unsigned char* enreg = Enreg(noeud.PosEnreg);
      if (enreg && utilises_.contains(enreg - donnees_.data())) enreg = nullptr;
      const auto propre = enreg ? NomPropre(enreg) : std::nullopt;
      if (gardes_.contains(cle)) {
        Garder(cle, nullptr, i, Origine::SansRecette);  // a name kept already: a double
      } else if (const unsigned char* retrouve = Retrouver(cle)) {
        Garder(cle, retrouve, i, Origine::Donnees);
      } else if (enreg && !cle.empty() && !propre) {
        Garder(cle, enreg, i, Origine::NomAbime);
      } else if (propre && !cles.contains(std::string(*propre)) &&
                 !gardes_.contains(std::string(*propre))) {
        // A key and a record name a byte or two apart: one of them was hit. A control character
        // tells which; without one, nothing does, and the record is kept under both names.
        const std::string nom(*propre);
        const bool proches = Proches(cle, nom);
        if (proches && AControle(nom) && !AControle(cle)) {
          Garder(cle, enreg, i, Origine::NomAbime);
        } else if (proches && !AControle(cle) && !AControle(nom)) {
          Garder(nom, enreg, i, Origine::DeuxNoms);
          Garder(cle, enreg, i, Origine::DeuxNoms);
        } else {
          Garder(nom, enreg, i, Origine::NomEnreg);
        }
      } else if (const auto [voisin, nom] = Voisin(cle, cles); voisin) {
        Garder(nom, voisin, i, Origine::NomEnreg);
      } else if (!cle.empty()) {
        Garder(cle, nullptr, i, Origine::SansRecette);
      } else {
        Remarquer("nœud " + std::to_string(i * TailleNoeud) +
                  " sans clé, son enregistrement ne dit pas de nom : laissé de côté");
      }
    }
  }

  // For a key whose record is lost: a record that no node points to (its node's position was
  // damaged) and whose name differs from the key in a byte or two (so was the key, or its own
  // name), with the name to keep it under: its own, unless only it holds a control character.
  std::pair<const unsigned char*, std::string> Voisin(const std::string& cle,
                                                      const std::set<std::string>& cles) {
    for (std::int64_t pos : sansNoeud_) {
      const std::string nom(*NomPropre(donnees_.data() + pos));
      if (utilises_.contains(pos) || cles.contains(nom) || gardes_.contains(nom)) continue;
      if (Proches(cle, nom))
        return {donnees_.data() + pos, AControle(nom) && !AControle(cle) ? cle : nom};
    }
    return {nullptr, {}};
  }

  // Two names that differ in a byte or two: one name, damaged on one side.
  static bool Proches(std::string_view a, std::string_view b) {
    int differences = 0;
    for (std::size_t k = 0; k < TailleNom - 1; ++k)
      differences += (k < a.size() ? a[k] : 0) != (k < b.size() ? b[k] : 0);
    return differences <= 2;
  }

  static bool AControle(std::string_view t) {
    return std::any_of(t.begin(), t.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
  }

  // The record that carries the name: the one a live node points to, else the last written.
  const unsigned char* Retrouver(const std::string& cle) {
    auto it = parNom_.find(cle);
    if (cle.empty() || it == parNom_.end()) return nullptr;
    std::int64_t choisi = -1;
    for (std::int64_t pos : it->second) {
      if (utilises_.contains(pos)) continue;
      if (choisi < 0 || !pointes_.contains(choisi)) choisi = pos;
    }
    return choisi < 0 ? nullptr : donnees_.data() + choisi;
  }

  void Garder(const std::string& cle, const unsigned char* enreg, std::int64_t i, Origine origine) {
    const std::string noeud = "nœud " + std::to_string(i * TailleNoeud);
    if (gardes_.contains(cle)) {
      ++r_.doublons;
      Remarquer(Cite(cle) + " (" + noeud + ") : un autre nœud vivant porte ce nom, gardé une fois");
      return;
    }
    gardes_.insert(cle);
    ++r_.parOrigine[static_cast<int>(origine)];
    EnregistrementRecueilli e;
    e.cle = cle;
    e.noeud = static_cast<std::int32_t>(i * TailleNoeud);
    e.origine = origine;
    e.octets.assign(paire_.tailleEnreg, 0);
    const std::int64_t pos = enreg ? enreg - donnees_.data() : 0;
    const std::int32_t posNoeud = Noeud(i).PosEnreg;
    switch (origine) {
      case Origine::Arbre:
        break;
      case Origine::HorsArbre:
        Remarquer(Cite(cle) + " retrouvé hors de l'arbre (" + noeud +
                  ") : s'il avait été supprimé, supprimez-le de nouveau");
        break;
      case Origine::Donnees:
        Remarquer(Cite(cle) + " (" + noeud + ") : son enregistrement retrouvé à " + Octet(pos) +
                  ", le nœud désignait " + Octet(posNoeud));
        break;
      case Origine::NomAbime:
        Remarquer(Cite(cle) + " (" + noeud + ") : l'enregistrement à " + Octet(pos) +
                  " a un nom illisible, gardé sous la clé");
        break;
      case Origine::NomEnreg:
        Remarquer(noeud + ", clé " + Cite(Texte(Noeud(i).Cle)) + " abîmée : l'enregistrement à " +
                  Octet(pos) + " gardé sous son nom " + Cite(cle));
        break;
      case Origine::DeuxNoms:
        if (cle != *NomPropre(enreg))
          Remarquer(
              Cite(cle) + " (" + noeud + ") : l'enregistrement à " + Octet(pos) + " se nomme " +
              Cite(*NomPropre(enreg)) +
              ", l'un des deux noms abîmé : la recette gardée sous les deux, supprimez le faux");
        break;
      case Origine::SansRecette:
        r_.sansRecette.push_back(Cite(cle) + " (" + noeud + ") : nom gardé, recette perdue");
        break;
    }
    if (enreg) {
      utilises_.insert(pos);
      e.octets.assign(enreg, enreg + taille_);
    }
    // Every text of the new pair ends inside its field, the name (the key) included.
    std::fill(e.octets.begin(), e.octets.begin() + TailleNom, 0);
    std::copy(cle.begin(), cle.end(), e.octets.begin());
    for (const ChampTexteEnreg& champ : paire_.champs) {
      unsigned char* debut = e.octets.data() + champ.offset;
      if (std::find(debut, debut + champ.taille, 0) == debut + champ.taille) {
        debut[champ.taille - 1] = 0;
        ++r_.coupes;
        Remarquer(Cite(cle) + " : champ « " + std::string(champ.nom) + " » sans fin, coupé");
      }
    }
    r_.enregs.push_back(std::move(e));
  }

  // Every record of the data file that no name took, with the reason.
  void LaisserDeCote() {
    for (std::int64_t pos = TailleEntete; Enreg(pos); pos += taille_) {
      if (utilises_.contains(pos)) continue;
      ++r_.laisses;
      const auto nom = NomPropre(Enreg(pos));
      const std::string ici = "enregistrement à " + Octet(pos) + " : ";
      if (!nom) {
        Remarquer(ici + "sans nom lisible, laissé de côté");
      } else if (gardes_.contains(std::string(*nom))) {
        Remarquer(ici + Cite(*nom) + ", un autre enregistrement de ce nom gardé, laissé de côté");
      } else {
        Remarquer(ici + Cite(*nom) +
                  ", aucun nœud vivant ne le désigne : supprimé, laissé de côté");
      }
    }
    const auto reste = static_cast<std::int64_t>(donnees_.size()) - TailleEntete;
    if (reste > 0 && reste % taille_ != 0) {
      ++r_.laisses;
      Remarquer("fin du fichier de données : enregistrement tronqué de " +
                std::to_string(reste % taille_) + " octets, laissé de côté");
    }
  }

  const DescriptionPaire& paire_;
  const std::vector<unsigned char>& index_;
  const std::vector<unsigned char>& donnees_;
  const std::int64_t taille_;
  const std::int64_t nbNoeuds_;
  std::vector<bool> atteint_;
  std::vector<Vie> vivant_;
  std::vector<std::int64_t> ordre_;  // the reached nodes, in the walk's order
  std::map<std::int64_t, std::vector<std::int64_t>> orphelins_;  // unreached nodes by parent
  std::map<std::int64_t, std::int64_t> elus_;  // per reached node and side, the child elected
  std::unordered_map<std::string, std::vector<std::int64_t>> parNom_;  // records by name
  std::set<std::int64_t> pointes_;       // records live nodes point to
  std::set<std::int64_t> designes_;      // records any node points to
  std::vector<std::int64_t> sansNoeud_;  // named records no node points to
  std::set<std::int64_t> utilises_;      // records kept
  std::set<std::string> gardes_;         // names kept
  Recueil r_;
};

}  // namespace

bool Recueil::Sain() const {
  return entete && liensCasses == 0 && nomsDifferents == 0 && horsDonnees == 0 && doublons == 0 &&
         coupes == 0 && nbEnreg == Gardes(Origine::Arbre) &&
         static_cast<std::int64_t>(enregs.size()) == Gardes(Origine::Arbre);
}

bool Recueil::Depareillee() const {
  return atteints >= 2 && nomsDifferents * 2 > atteints;
}

bool Recueil::AucuneRecette() const {
  return static_cast<std::int64_t>(enregs.size()) == Gardes(Origine::SansRecette);
}

Recueil RecueillirPaire(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
                        const std::vector<unsigned char>& donnees) {
  return Recueillir(paire, index, donnees).Executer();
}

}  // namespace velquor::outils
