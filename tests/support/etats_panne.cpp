// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/etats_panne.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include "support/dossier_temporaire.h"

namespace velquor::test {

namespace fs = std::filesystem;

namespace {

std::string Parent(const std::string& chemin) {
  const std::size_t barre = chemin.rfind('/');
  return barre == std::string::npos ? "." : chemin.substr(0, barre);
}

bool ChangeUnNom(char type) {
  return std::string_view("CDRLUX").find(type) != std::string_view::npos;
}

}  // namespace

Arbre LireArbre(const fs::path& dossier) {
  Arbre arbre;
  for (const auto& e : fs::recursive_directory_iterator(dossier)) {
    if (e.is_regular_file()) arbre[fs::relative(e.path(), dossier).string()] = LireTexte(e.path());
  }
  return arbre;
}

void EcrireArbre(const Arbre& arbre, const fs::path& dossier) {
  fs::remove_all(dossier);
  for (const auto& [chemin, octets] : arbre) {
    fs::create_directories((dossier / chemin).parent_path());
    std::ofstream(dossier / chemin, std::ios::binary) << octets;
  }
}

EtatsPanne::EtatsPanne(const fs::path& dossier)
    : racine_(fs::absolute(dossier).lexically_normal().string()), avant_(LireArbre(dossier)) {
  if (racine_.ends_with('/')) racine_.pop_back();
  for (const auto& [chemin, octets] : avant_) {
    noms_[chemin] = static_cast<long long>(contenus_.size());
    contenus_[noms_[chemin]] = octets;
  }
}

std::vector<std::string> EtatsPanne::Tracer(const fs::path& journal) {
  if (journal.empty()) return {};
  static const char* const appels =
      "trace=open,openat,creat,pwrite64,ftruncate,fsync,fdatasync,rename,renameat,renameat2,link,"
      "linkat,unlink,unlinkat,rmdir,mkdir,mkdirat";
  return {"-f", "-qq", "-z", "-xx", "-y", "-s", "100000000", "-e", appels, "-o", journal.string()};
}

namespace {

// The bytes of a text strace wrote with every byte as \xHH, between the delimiters.
std::string Octets(const std::string& arg, char ouvrant, char fermant) {
  std::string octets;
  const std::size_t debut = arg.find(ouvrant), fin = arg.rfind(fermant);
  for (std::size_t i = debut + 1; debut != std::string::npos && i + 4 <= fin; i += 4)
    octets += static_cast<char>(std::stoi(arg.substr(i + 2, 2), nullptr, 16));
  return octets;
}

// A call's name, arguments and result, from "name(a, b) = r": texts and paths have no raw
// comma, every byte of them being written \xHH.
struct Appel {
  std::string nom, resultat;
  std::vector<std::string> args;
};
Appel Decouper(const std::string& ligne) {
  const std::size_t ouvrante = ligne.find('('), fermante = ligne.rfind(") = ");
  Appel a{ligne.substr(0, ouvrante), ligne.substr(fermante + 4), {}};
  std::istringstream args(ligne.substr(ouvrante + 1, fermante - ouvrante - 1));
  for (std::string arg; std::getline(args >> std::ws, arg, ',');)
    a.args.push_back(arg);
  return a;
}

}  // namespace

// The path relative to the followed folder, "." for itself, empty outside it.
std::string EtatsPanne::Relatif(const std::string& absolu) const {
  std::string propre = fs::path(absolu).lexically_normal().string();
  if (propre.ends_with('/')) propre.pop_back();
  if (propre == racine_) return ".";
  return propre.starts_with(racine_ + "/") ? propre.substr(racine_.size() + 1) : std::string();
}

bool EtatsPanne::LireStrace(const fs::path& journal) {
  std::istringstream lignes(LireTexte(journal));
  std::map<std::string, long long> identites = noms_;  // each file, by its name of the moment
  std::map<int, std::string> enCours;                  // calls a thread has not finished
  long long suivante = static_cast<long long>(contenus_.size());
  for (std::string ligne; std::getline(lignes, ligne);) {
    const std::size_t espace = ligne.find(' ');
    const int fil = std::stoi(ligne.substr(0, espace));
    ligne = ligne.substr(ligne.find_first_not_of(' ', espace));
    if (const auto pos = ligne.find(" <unfinished ...>"); pos != std::string::npos) {
      enCours[fil] = ligne.substr(0, pos);
      continue;
    }
    if (ligne.starts_with("<... ")) ligne = enCours[fil] + ligne.substr(ligne.find('>') + 1);
    const Appel a = Decouper(ligne);
    const bool at2 = (a.nom.ends_with("at") && a.nom != "creat") || a.nom == "renameat2";
    // The n-th path argument, and the path behind the descriptor of argument 0.
    const auto chemin = [&](std::size_t n) {
      const std::size_t i = at2 ? 2 * n + 1 : n;
      const std::string p = Octets(a.args[i], '"', '"');
      return Relatif(
          p.starts_with('/') ? p : (at2 ? Octets(a.args[2 * n], '<', '>') : racine_) + "/" + p);
    };
    const std::string fd = a.args.empty() ? "" : Relatif(Octets(a.args[0], '<', '>'));
    Op op;
    if (a.nom.starts_with("open") || a.nom == "creat") {
      op.a = chemin(0);
      const std::string drapeaux = a.nom == "creat" ? "O_CREAT|O_TRUNC" : a.args[at2 ? 2 : 1];
      if (drapeaux.find("O_CREAT") != std::string::npos && !identites.contains(op.a)) {
        op.type = 'C';
        identites[op.a] = op.id = suivante++;
      } else if (drapeaux.find("O_TRUNC") != std::string::npos && identites.contains(op.a)) {
        op.type = 'T';
        op.id = identites[op.a];
      }
    } else if (a.nom == "pwrite64" || a.nom == "ftruncate") {
      op.type = a.nom == "ftruncate" ? 'T' : 'W';
      op.id = identites.contains(fd) ? identites[fd] : -1;
      op.pos = std::stoull(a.args.back());
      if (op.type == 'W') op.octets = Octets(a.args[1], '"', '"').substr(0, std::stoul(a.resultat));
    } else if (a.nom == "fsync" || a.nom == "fdatasync") {
      op.type = identites.contains(fd) ? 'S' : 'Y';
      op.id = op.type == 'S' ? identites[fd] : -1;
      op.a = fd;
    } else if (a.nom.starts_with("rename") || a.nom.starts_with("link")) {
      op.type = a.nom[0] == 'r' ? 'R' : 'L';
      op.a = chemin(0);
      op.b = chemin(1);
      if (identites.contains(op.a)) identites[op.b] = identites[op.a];
      if (op.type == 'R') identites.erase(op.a);
    } else if (a.nom.starts_with("unlink") || a.nom == "rmdir" || a.nom.starts_with("mkdir")) {
      const bool dossier =
          a.nom == "rmdir" || a.args.back().find("AT_REMOVEDIR") != std::string::npos;
      op.type = a.nom.starts_with("mkdir") ? 'D' : dossier ? 'X' : 'U';
      op.a = chemin(0);
      identites.erase(op.a);
    }
    // Calls on files outside the folder are left out.
    if (op.type != 0 &&
        (op.type == 'W' || op.type == 'T' || op.type == 'S' ? op.id >= 0 : !op.a.empty()))
      ops_.push_back(std::move(op));
  }
  return !ops_.empty();
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
  std::set<std::string> perdus;  // folders made by the writer, their making not kept
  for (std::size_t i = 0; i < k; ++i) {
    const Op& o = ops_[i];
    if (o.type == 'D' && choix.garde[i]) perdus.erase(o.a);
    if (o.type == 'D' && !choix.garde[i]) perdus.insert(o.a);
    if (!choix.garde[i]) continue;
    switch (o.type) {
      case 'C':
        noms[o.a] = o.id;
        contenus[o.id];
        break;
      case 'W': {  // a torn write keeps the bytes from `debut` on, `garde_octets` of them
        const bool dechire = static_cast<long long>(i) == choix.dechire;
        const std::size_t debut = dechire ? choix.debut : 0;
        const std::size_t n = dechire ? choix.garde_octets : o.octets.size();
        std::string& c = contenus[o.id];
        c.resize(std::max(c.size(), o.pos + debut + n), '\0');
        c.replace(o.pos + debut, n, o.octets, debut, n);
        break;
      }
      case 'T':
        contenus[o.id].resize(o.pos, '\0');
        break;
      case 'R':  // of files only: the writers rename no folder
      case 'L':
        if (noms.contains(o.a)) noms[o.b] = noms[o.a];
        if (o.type == 'R') noms.erase(o.a);
        break;
      case 'U':
        noms.erase(o.a);
        break;
    }
  }
  Arbre arbre;
  for (const auto& [nom, id] : noms) {
    if (!perdus.contains(Parent(nom))) arbre[nom] = contenus[id];
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
        empreinte += chemin + '\0' + octets + '\0';
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
      // Torn at a sector: its first part alone, or its last sector alone.
      const Op& o = ops_[w];
      for (std::size_t secteur : {512, 4096}) {
        const std::size_t coupe = (o.pos / secteur + 1) * secteur - o.pos, n = o.octets.size();
        if (o.type != 'W' || coupe >= n) continue;
        Choix tete = tout, queue = tout;
        tete.dechire = queue.dechire = static_cast<long long>(w);
        tete.garde_octets = coupe;
        queue.debut = (o.pos + n - 1) / secteur * secteur - o.pos;
        queue.garde_octets = n - queue.debut;
        if (!essayer(tete, "write " + std::to_string(w) + " torn, its first part alone") ||
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
