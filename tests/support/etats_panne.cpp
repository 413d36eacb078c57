#include "support/etats_panne.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <set>

#include "support/dossier_temporaire.h"

namespace velquor::test {

namespace fs = std::filesystem;

namespace {

std::string Parent(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? "." : chemin.substr(0, barre);
}

bool Sous(const std::string& chemin, const std::string& dossier) {
  return chemin.size() > dossier.size() && chemin.compare(0, dossier.size(), dossier) == 0 &&
         chemin[dossier.size()] == '/';
}

bool ChangeUnNom(char type) {
  return std::string_view("CDRLUX").find(type) != std::string_view::npos;
}

}  // namespace

Arbre LireArbre(const fs::path& dossier) {
  Arbre arbre;
  for (const auto& e : fs::recursive_directory_iterator(dossier)) {
    const std::string chemin = fs::relative(e.path(), dossier).generic_string();
    arbre[chemin] = e.is_directory() ? std::nullopt : std::optional(LireTexte(e.path()));
  }
  return arbre;
}

void EcrireArbre(const Arbre& arbre, const fs::path& dossier) {
  fs::remove_all(dossier);
  fs::create_directories(dossier);
  for (const auto& [chemin, octets] : arbre) {  // a folder sorts before what it holds
    if (!octets) {
      fs::create_directories(dossier / chemin);
    } else {
      std::ofstream(dossier / chemin, std::ios::binary) << *octets;
    }
  }
}

EtatsPanne::EtatsPanne(const fs::path& dossier) : avant_(LireArbre(dossier)) {
  for (const auto& [chemin, octets] : avant_) {
    struct stat s;
    if (!octets || ::stat((dossier / chemin).c_str(), &s) != 0) continue;
    noms_[chemin] = static_cast<long long>(s.st_ino);
    contenus_[static_cast<long long>(s.st_ino)] = *octets;
  }
}

bool EtatsPanne::LireJournal(const fs::path& journal) {
  const std::string j = LireTexte(journal);
  std::size_t i = 0;
  const auto nombre = [&] {
    long long n = 0;
    if (i + 8 <= j.size()) std::memcpy(&n, j.data() + i, 8);
    i += 8;
    return n;
  };
  const auto texte = [&] {
    const auto n = static_cast<std::size_t>(nombre());
    std::string t = i + n <= j.size() ? j.substr(i, n) : std::string();
    i += n;
    return t;
  };
  // Inode numbers are reused: each file created gets an identity of its own.
  std::map<long long, long long> identite;
  for (const auto& [chemin, ino] : noms_)
    identite[ino] = ino;
  long long suivante = 1LL << 62;
  while (i < j.size()) {
    Op op;
    op.type = j[i++];
    if (std::string_view("CDYRLUX").find(op.type) != std::string_view::npos) op.a = texte();
    if (op.type == 'R' || op.type == 'L') op.b = texte();
    if (op.type == 'C') identite[nombre()] = op.id = suivante++;
    if (op.type == 'W' || op.type == 'T' || op.type == 'S') {
      const long long ino = nombre();
      op.id = identite.contains(ino) ? identite[ino] : -1;
    }
    if (op.type == 'W' || op.type == 'T') op.pos = nombre();
    if (op.type == 'W') op.octets = texte();
    if (i > j.size()) return false;
    ops_.push_back(std::move(op));
  }
  return true;
}

// A write or a cut is on the disk once its file is flushed after it; a name change once its
// folder is, and then, when names keep their order, every earlier one too.
std::vector<bool> EtatsPanne::Durables(std::size_t k, bool ordre) const {
  std::vector<bool> durable(k, false);
  std::map<long long, std::size_t> vidage;
  std::size_t prefixe = 0;
  for (std::size_t y = 0; y < k; ++y) {
    if (ops_[y].type == 'S') vidage[ops_[y].id] = y;
    if (ops_[y].type != 'Y') continue;
    for (std::size_t i = 0; i < y; ++i) {
      const Op& o = ops_[i];
      if (!ChangeUnNom(o.type) ||
          (Parent(o.a) != ops_[y].a && (o.b.empty() || Parent(o.b) != ops_[y].a)))
        continue;
      durable[i] = true;
      if (ordre) prefixe = std::max(prefixe, i + 1);
    }
  }
  for (std::size_t i = 0; i < k; ++i) {
    const Op& o = ops_[i];
    if (ChangeUnNom(o.type)) durable[i] = durable[i] || i < prefixe;
    if (o.type == 'W' || o.type == 'T') durable[i] = vidage.contains(o.id) && vidage.at(o.id) > i;
  }
  return durable;
}

Arbre EtatsPanne::Construire(std::size_t k, const Choix& choix) const {
  std::map<std::string, long long> noms = noms_;
  std::map<long long, std::string> contenus = contenus_;
  std::set<std::string> dossiers;
  for (const auto& [chemin, octets] : avant_)
    if (!octets) dossiers.insert(chemin);
  for (std::size_t i = 0; i < k; ++i) {
    const Op& o = ops_[i];
    if (!choix.garde[i]) continue;
    switch (o.type) {
      case 'C':
        noms[o.a] = o.id;
        contenus[o.id];
        break;
      case 'D':
        dossiers.insert(o.a);
        break;
      case 'W': {
        if (o.id < 0) break;
        std::string& c = contenus[o.id];
        const bool dechire = static_cast<long long>(i) == choix.dechire;
        const long long debut = dechire ? choix.debut : 0;
        const long long n = dechire ? choix.garde_octets : static_cast<long long>(o.octets.size());
        if (static_cast<long long>(c.size()) < o.pos + debut + n)
          c.resize(static_cast<std::size_t>(o.pos + debut + n), '\0');
        c.replace(static_cast<std::size_t>(o.pos + debut), static_cast<std::size_t>(n), o.octets,
                  static_cast<std::size_t>(debut), static_cast<std::size_t>(n));
        break;
      }
      case 'T':
        if (o.id >= 0) contenus[o.id].resize(static_cast<std::size_t>(o.pos), '\0');
        break;
      case 'R':  // of files only: the writers rename no folder
        if (noms.contains(o.a)) {
          noms[o.b] = noms[o.a];
          noms.erase(o.a);
        }
        break;
      case 'L':
        if (noms.contains(o.a)) noms[o.b] = noms[o.a];
        break;
      case 'U':
        noms.erase(o.a);
        break;
      case 'X':
        if (std::none_of(noms.begin(), noms.end(),
                         [&](const auto& n) { return Sous(n.first, o.a); }))
          dossiers.erase(o.a);
        break;
    }
  }
  Arbre arbre;
  for (const std::string& d : dossiers)
    arbre[d] = std::nullopt;
  for (const auto& [nom, id] : noms) {
    if (Parent(nom) == "." || dossiers.contains(Parent(nom))) arbre[nom] = contenus[id];
  }
  return arbre;
}

void EtatsPanne::Parcourir(
    bool ordre, int hasard, unsigned graine, std::set<std::size_t>& vus,
    const std::function<bool(const Arbre&, const std::string&)>& visiter) const {
  std::mt19937 alea(graine);
  for (std::size_t k = 0; k <= ops_.size(); ++k) {
    const std::vector<bool> durable = Durables(k, ordre);
    std::vector<std::size_t> noms, donnees;  // what a power cut may still lose
    for (std::size_t i = 0; i < k; ++i) {
      if (durable[i]) continue;
      if (ChangeUnNom(ops_[i].type)) noms.push_back(i);
      if (ops_[i].type == 'W' || ops_[i].type == 'T') donnees.push_back(i);
    }
    const auto essayer = [&](Choix c, const std::string& quoi) {
      const Arbre arbre = Construire(k, c);
      std::string empreinte;
      for (const auto& [chemin, octets] : arbre)
        empreinte += chemin + '\0' + octets.value_or("/") + '\0';
      if (!vus.insert(std::hash<std::string>()(empreinte)).second) return true;
      const Op& o = ops_[k == 0 ? 0 : k - 1];
      return visiter(arbre, "after call " + std::to_string(k) + " (" + std::string(1, o.type) +
                                " " + o.a + " " + o.b + "), " + quoi);
    };
    Choix tout{std::vector<bool>(k, true)}, sur{durable};
    if (!essayer(tout, "a kill") || !essayer(sur, "only what was flushed")) return;
    for (std::size_t n = 0; n < noms.size(); ++n) {
      Choix c = tout;
      for (std::size_t m = ordre ? n : 0; m < noms.size(); ++m)
        c.garde[noms[m]] = !ordre && m != n;
      if (!essayer(c, ordre ? "names up to call " + std::to_string(noms[n]) + " lost"
                            : "name change " + std::to_string(noms[n]) + " lost"))
        return;
    }
    for (std::size_t w : donnees) {
      Choix seul = sur, perdu = tout;
      seul.garde[w] = true;
      perdu.garde[w] = false;
      if (!essayer(seul, "only write " + std::to_string(w)) ||
          !essayer(perdu, "write " + std::to_string(w) + " lost"))
        return;
      const Op& o = ops_[w];
      for (long long secteur : {512LL, 4096LL}) {
        const long long coupe = (o.pos / secteur + 1) * secteur - o.pos;
        const auto n = static_cast<long long>(o.octets.size());
        if (o.type != 'W' || coupe >= n) continue;
        Choix tete = tout, queue = tout;
        tete.dechire = queue.dechire = static_cast<long long>(w);
        tete.garde_octets = coupe;
        queue.debut = (o.pos + n - 1) / secteur * secteur - o.pos;
        queue.garde_octets = n - queue.debut;
        if (!essayer(tete, "write " + std::to_string(w) + " torn after its first sector") ||
            !essayer(queue, "write " + std::to_string(w) + " torn, its last sector alone"))
          return;
      }
    }
    for (int h = 0; h < hasard && !(noms.empty() && donnees.empty()); ++h) {
      Choix c = sur;
      const std::size_t coupe = std::uniform_int_distribution<std::size_t>(0, noms.size())(alea);
      for (std::size_t m = 0; m < noms.size(); ++m)
        c.garde[noms[m]] = ordre ? m < coupe : alea() % 2 == 0;
      for (std::size_t w : donnees)
        c.garde[w] = alea() % 2 == 0;
      if (!essayer(c, "mix " + std::to_string(h) + " of seed " + std::to_string(graine))) return;
    }
  }
}

}  // namespace velquor::test
