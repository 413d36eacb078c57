#include "cli/recueil_paire.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

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

class Recueillir {
 public:
  Recueillir(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
             const std::vector<unsigned char>& donnees)
      : paire_(paire),
        index_(index),
        donnees_(donnees),
        nbNoeuds_(static_cast<std::int64_t>(index.size()) / TailleNoeud),
        atteint_(static_cast<std::size_t>(nbNoeuds_), false),
        casse_(static_cast<std::size_t>(nbNoeuds_), {false, false}),
        vivant_(static_cast<std::size_t>(nbNoeuds_), Inconnu) {}

  Recueil Executer() {
    r_.entete = donnees_.size() >= static_cast<std::size_t>(TailleEntete);
    r_.nbEnreg = r_.entete ? LireMot(donnees_.data()) : 0;
    if (nbNoeuds_ == 0) return std::move(r_);
    // A count of 0 over a root without children is an emptied collection: its nodes are dead.
    const NoeudIndex racine = Noeud(0);
    if (r_.entete && r_.nbEnreg == 0 && racine.Gauche == AucunLien && racine.Droite == AucunLien)
      return std::move(r_);
    Parcourir();
    Orphelins();
    Assembler();
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

  void Remarquer(std::string texte) {
    if (r_.remarques.size() < RemarquesGardees) r_.remarques.push_back(std::move(texte));
  }

  // The record the node ties to its name, or nothing; a reached node that ties nothing is
  // reported.
  bool Lier(std::int64_t i, const NoeudIndex& noeud, bool atteint, EnregistrementRecueilli& e) {
    const std::string_view cle = Texte(noeud.Cle);
    const std::string ici = "nœud " + std::to_string(i * TailleNoeud) + " " + Cite(cle) + " : ";
    const std::int64_t debut = noeud.PosEnreg;
    const auto taille = static_cast<std::int64_t>(paire_.tailleEnreg);
    if (debut < TailleEntete || (debut - TailleEntete) % taille != 0 ||
        debut + taille > static_cast<std::int64_t>(donnees_.size())) {
      if (atteint) {
        ++r_.horsDonnees;
        Remarquer(ici + "enregistrement à l'octet " + std::to_string(debut) +
                  ", hors du fichier de données : laissé de côté");
      }
      return false;
    }
    const auto* octets = donnees_.data() + debut;
    const std::string_view nom(reinterpret_cast<const char*>(octets),
                               ::strnlen(reinterpret_cast<const char*>(octets), TailleNom));
    if (cle.empty() || nom != cle) {
      if (atteint) {
        ++r_.nomsDifferents;
        Remarquer(ici + "l'enregistrement porte le nom " + Cite(nom) + " : laissé de côté");
      }
      return false;
    }
    e.cle.assign(cle);
    e.octets.assign(octets, octets + taille);
    e.noeud = static_cast<std::int32_t>(i * TailleNoeud);
    // Every text of the new pair ends inside its field, the name included.
    for (const ChampTexteEnreg& champ : paire_.champs) {
      unsigned char* debutChamp = e.octets.data() + champ.offset;
      if (std::find(debutChamp, debutChamp + champ.taille, 0) == debutChamp + champ.taille) {
        debutChamp[champ.taille - 1] = 0;
        if (atteint) {
          ++r_.coupes;
          Remarquer(ici + "champ « " + std::string(champ.nom) + " » sans fin, coupé");
        }
      }
    }
    if (e.cle.size() >= TailleNom) e.cle.resize(TailleNom - 1);
    return true;
  }

  // From the root, down every link that starts on a node boundary inside the file and leads to
  // a node not reached yet; a link that does not is broken. A child that does not name its
  // parent back is still followed (a stop in the middle of a relinking can leave one), but the
  // link counts as broken: something below may have been cut off.
  void Parcourir() {
    std::vector<std::pair<std::int64_t, int>> pile{{0, 1}};
    atteint_[0] = true;
    while (!pile.empty()) {
      const auto [i, profondeur] = pile.back();
      pile.pop_back();
      ++r_.atteints;
      r_.profondeur = std::max(r_.profondeur, profondeur);
      const NoeudIndex noeud = Noeud(i);
      EnregistrementRecueilli e;
      if (Lier(i, noeud, true, e)) {
        if (cles_.insert(e.cle).second) {
          trouves_.push_back(std::move(e));
        } else {
          ++r_.doublons;
          Remarquer(Cite(e.cle) + " atteint deux fois : gardé une fois");
        }
      }
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
        if (casse || Noeud(lien / TailleNoeud).Pere != i * TailleNoeud) {
          casse_[static_cast<std::size_t>(i)][cote] = true;
          ++r_.liensCasses;
        }
      }
    }
  }

  // Whether an unreached node hangs from the damage (see recueil_paire.h).
  bool EstVivant(std::int64_t i) {
    Vie& vie = vivant_[static_cast<std::size_t>(i)];
    if (vie == EnCours) return false;  // a cycle of parent links leads nowhere
    if (vie != Inconnu) return vie == Vivant;
    vie = EnCours;
    const NoeudIndex noeud = Noeud(i);
    bool vivant;
    if (!SurUnNoeud(noeud.Pere) || noeud.Pere == i * TailleNoeud) {
      vivant = true;
    } else {
      const std::int64_t p = noeud.Pere / TailleNoeud;
      const NoeudIndex parent = Noeud(p);
      if (atteint_[static_cast<std::size_t>(p)]) {
        const int ordre = ComparerNoms(Texte(parent.Cle), Texte(noeud.Cle));
        const auto& casse = casse_[static_cast<std::size_t>(p)];
        vivant = ordre < 0 ? casse[1] : ordre > 0 ? casse[0] : casse[0] || casse[1];
      } else {
        const std::int32_t pos = static_cast<std::int32_t>(i * TailleNoeud);
        vivant = (parent.Gauche == pos || parent.Droite == pos) && EstVivant(p);
      }
    }
    vivant_[static_cast<std::size_t>(i)] = vivant ? Vivant : Mort;
    return vivant;
  }

  // Unreached nodes that tie a record to a name the tree does not have: the latest node of each
  // name, when it hangs from the damage.
  void Orphelins() {
    std::map<std::string, EnregistrementRecueilli> retenus;
    for (std::int64_t i = 1; i < nbNoeuds_; ++i) {
      if (atteint_[static_cast<std::size_t>(i)]) continue;
      EnregistrementRecueilli e;
      if (!Lier(i, Noeud(i), false, e) || cles_.contains(e.cle)) continue;
      // With every link sound, nothing was cut off: what the tree does not reach was deleted.
      if (r_.liensCasses == 0 || !EstVivant(i)) {
        ++r_.morts;
        continue;
      }
      e.horsArbre = true;
      auto [it, nouveau] = retenus.try_emplace(e.cle);
      if (!nouveau) ++r_.morts;  // an older node of the same name
      it->second = std::move(e);
    }
    for (auto& [cle, e] : retenus) {
      Remarquer(Cite(cle) + " retrouvé hors de l'arbre (nœud " + std::to_string(e.noeud) +
                ") : s'il avait été supprimé, supprimez-le de nouveau");
      trouves_.push_back(std::move(e));
    }
  }

  void Assembler() {
    for (const auto& e : trouves_)
      ++(e.horsArbre ? r_.horsArbre : r_.parArbre);
    std::stable_sort(trouves_.begin(), trouves_.end(),
                     [](const auto& a, const auto& b) { return ComparerNoms(a.cle, b.cle) < 0; });
    r_.enregs = std::move(trouves_);
  }

  const DescriptionPaire& paire_;
  const std::vector<unsigned char>& index_;
  const std::vector<unsigned char>& donnees_;
  const std::int64_t nbNoeuds_;
  std::vector<bool> atteint_;
  std::vector<std::array<bool, 2>> casse_;  // per reached node: its lesser, greater link broken
  std::vector<Vie> vivant_;
  std::set<std::string> cles_;  // names reached
  std::vector<EnregistrementRecueilli> trouves_;
  Recueil r_;
};

}  // namespace

bool Recueil::Sain() const {
  return entete && liensCasses == 0 && nomsDifferents == 0 && horsDonnees == 0 && horsArbre == 0 &&
         doublons == 0 && coupes == 0 && nbEnreg == parArbre;
}

bool Recueil::Depareillee() const {
  return atteints >= 2 && nomsDifferents * 2 > atteints;
}

Recueil RecueillirPaire(const DescriptionPaire& paire, const std::vector<unsigned char>& index,
                        const std::vector<unsigned char>& donnees) {
  return Recueillir(paire, index, donnees).Executer();
}

}  // namespace velquor::outils
