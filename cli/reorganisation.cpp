#include "cli/reorganisation.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <deque>
#include <filesystem>
#include <set>

#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "store/fichier_brut.h"
#include "store/lot_fichier.h"

namespace velquor::outils {

namespace {

namespace fs = std::filesystem;

constexpr const char* DossierTravail = ".velquor-reorganisation";

std::vector<unsigned char> LireTout(const std::string& chemin) {
  FichierBrut fichier;
  std::vector<unsigned char> octets;
  if (!fichier.OuvrirExistant(chemin)) return octets;
  octets.resize(static_cast<std::size_t>(std::max<std::int64_t>(fichier.Taille(), 0)));
  octets.resize(fichier.LireA(0, octets.data(), octets.size()));
  return octets;
}

struct Enregistrement {
  std::string cle;
  std::vector<unsigned char> octets;
};

// Every node the root's child links reach, whether or not its parent link agrees (a stop in the
// middle of a deletion can leave one behind), each once; with the depth of the deepest.
std::vector<Enregistrement> Recueillir(const DescriptionPaire& paire,
                                       const std::vector<unsigned char>& index,
                                       const std::vector<unsigned char>& donnees,
                                       BilanReorganisation& bilan) {
  std::vector<Enregistrement> trouves;
  const std::int32_t nbEnreg = donnees.size() >= 8 ? LireMot(donnees.data()) : 0;
  if (nbEnreg < 1 || index.size() < NoeudIndex::Taille) return trouves;
  std::set<std::int32_t> vus;
  std::vector<std::pair<std::int32_t, int>> pile{{0, 1}};
  while (!pile.empty()) {
    const auto [pos, profondeur] = pile.back();
    pile.pop_back();
    if (!vus.insert(pos).second) continue;
    const NoeudIndex noeud = NoeudIndex::DepuisOctets(index.data() + pos);
    bilan.avant.profondeur = std::max(bilan.avant.profondeur, profondeur);
    for (std::int32_t lien : {noeud.Gauche, noeud.Droite}) {
      if (lien > 0 && static_cast<std::size_t>(lien) + NoeudIndex::Taille <= index.size()) {
        pile.emplace_back(lien, profondeur + 1);
      }
    }
    Enregistrement e{std::string(Texte(noeud.Cle)),
                     std::vector<unsigned char>(paire.tailleEnreg, 0)};
    const std::int64_t debut = noeud.PosEnreg;
    if (debut >= TailleEntete &&
        static_cast<std::size_t>(debut) + paire.tailleEnreg <= donnees.size()) {
      std::memcpy(e.octets.data(), donnees.data() + debut, paire.tailleEnreg);
    } else {
      bilan.remarques.push_back("« " + Cp1252VersUtf8(e.cle) +
                                " » : enregistrement hors du fichier de données, gardé vide");
    }
    // Every text of the new pair ends inside its field, the key included: a longer one is cut.
    if (e.cle.size() >= TailleNom) {
      e.cle.resize(TailleNom - 1);
      bilan.remarques.push_back("« " + Cp1252VersUtf8(e.cle) +
                                " » : nom sans fin, coupé à 30 octets");
    }
    for (const ChampTexteEnreg& champ : paire.champs) {
      unsigned char* debutChamp = e.octets.data() + champ.offset;
      if (std::find(debutChamp, debutChamp + champ.taille, 0) == debutChamp + champ.taille) {
        debutChamp[champ.taille - 1] = 0;
        bilan.remarques.push_back("« " + Cp1252VersUtf8(e.cle) + " » : " + std::string(champ.nom) +
                                  " sans fin, coupé");
      }
    }
    // The key is the name: a record whose name field says otherwise takes the key's.
    char nom[TailleNom];
    std::memcpy(nom, e.octets.data(), TailleNom);
    if (Texte(nom) != e.cle) {
      if (!Texte(nom).empty() || debut >= TailleEntete) {
        bilan.remarques.push_back("« " + Cp1252VersUtf8(e.cle) +
                                  " » : nom de l'enregistrement remis à celui de l'index");
      }
      CopierTexte(nom, e.cle);
      std::memcpy(e.octets.data(), nom, TailleNom);
    }
    trouves.push_back(std::move(e));
  }
  std::stable_sort(trouves.begin(), trouves.end(),
                   [](const auto& a, const auto& b) { return ComparerNoms(a.cle, b.cle) < 0; });
  auto fin = std::unique(trouves.begin(), trouves.end(), [&](const auto& a, const auto& b) {
    if (a.cle != b.cle) return false;
    bilan.remarques.push_back("« " + Cp1252VersUtf8(a.cle) +
                              " » présent deux fois : gardé une fois");
    return true;
  });
  trouves.erase(fin, trouves.end());
  return trouves;
}

// Writes the records into a new pair of the current directory, middle name first, so that the
// tree's additions build a balanced tree.
template <class Fic>
bool EcrireEquilibre(std::string_view base, const std::vector<Enregistrement>& enregs) {
  Fic fichier(base);
  if (!fichier.Creer() || !fichier.Ouvrir()) return false;
  LotFichier lot(fichier);
  std::deque<std::pair<std::size_t, std::size_t>> tranches{{0, enregs.size()}};
  bool ok = true;
  while (!tranches.empty()) {
    const auto [debut, fin] = tranches.front();
    tranches.pop_front();
    if (debut >= fin) continue;
    const std::size_t milieu = debut + (fin - debut) / 2;
    std::memcpy(&fichier.Enreg, enregs[milieu].octets.data(), sizeof fichier.Enreg);
    ok = fichier.Ajouter(enregs[milieu].cle) && ok;
    tranches.emplace_back(debut, milieu);
    tranches.emplace_back(milieu + 1, fin);
  }
  return lot.Terminer() && ok;
}

bool EcrireNouvellePaire(const DescriptionPaire& paire, const std::vector<Enregistrement>& enregs) {
  switch (paire.tailleEnreg) {
    case sizeof(EnrFamille):
      return EcrireEquilibre<FicFamille>(paire.base, enregs);
    case sizeof(EnrIngredient):
      return EcrireEquilibre<FicIngredient>(paire.base, enregs);
    default:
      return EcrireEquilibre<FicCocktail>(paire.base, enregs);
  }
}

bool Synchroniser(const std::string& chemin) {
  FichierBrut fichier;
  return fichier.OuvrirExistant(chemin) && fichier.Synchroniser();
}

void SynchroniserDossier() {
  int fd = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int ProfondeurEquilibree(std::int64_t n) {
  int p = 0;
  while (n > 0) {
    ++p;
    n /= 2;
  }
  return p;
}

// Makes a directory the current one for as long as it lives.
class DansDossier {
 public:
  explicit DansDossier(const fs::path& dossier) : retour_(fs::current_path(erreur_)) {
    if (!erreur_) fs::current_path(dossier, erreur_);
  }
  ~DansDossier() {
    std::error_code e;
    fs::current_path(retour_, e);
  }
  bool Ok() const { return !erreur_; }

 private:
  std::error_code erreur_;
  fs::path retour_;
};

}  // namespace

BilanReorganisation ReorganiserPaire(const DescriptionPaire& paire) {
  BilanReorganisation bilan;
  const std::string base(paire.base);
  const std::string ndx = base + ".NDX", dat = base + ".DAT";

  FichierBrut verrou;
  if (!verrou.OuvrirExistant(ndx)) {
    bilan.erreur = "impossible d'ouvrir " + ndx;
    return bilan;
  }
  if (!verrou.VerrouillerExclusifSansAttendre()) {
    bilan.verrouillee = true;
    return bilan;
  }

  const std::vector<unsigned char> index = LireTout(ndx), donnees = LireTout(dat);
  bilan.avant.octetsIndex = static_cast<std::int64_t>(index.size());
  bilan.avant.octetsDonnees = static_cast<std::int64_t>(donnees.size());
  const std::vector<Enregistrement> enregs = Recueillir(paire, index, donnees, bilan);
  bilan.avant.nbEnreg = donnees.size() >= 8 ? LireMot(donnees.data()) : 0;

  std::error_code e;
  fs::remove_all(DossierTravail, e);
  if (!fs::create_directory(DossierTravail, e)) {
    bilan.erreur = "impossible de créer le dossier de travail " + std::string(DossierTravail);
    return bilan;
  }
  bool ecrit;
  {
    DansDossier dans(DossierTravail);
    ecrit =
        dans.Ok() && EcrireNouvellePaire(paire, enregs) && Synchroniser(ndx) && Synchroniser(dat);
  }
  if (!ecrit) {
    fs::remove_all(DossierTravail, e);
    bilan.erreur = "l'écriture de la nouvelle paire a échoué ; l'ancienne est intacte";
    return bilan;
  }
  SynchroniserDossier();

  // The old files stay as .bak; each new file replaces its old one in a single rename.
  for (const std::string& nom : {dat, ndx}) {
    const std::string sauvegarde = nom + ".bak";
    fs::remove(sauvegarde, e);
    if (fs::exists(nom, e) && ::link(nom.c_str(), sauvegarde.c_str()) != 0) {
      bilan.erreur = "impossible de garder " + nom + " en " + sauvegarde;
      return bilan;
    }
    fs::rename(fs::path(DossierTravail) / nom, nom, e);
    if (e) {
      bilan.erreur = "impossible de remplacer " + nom + " (l'ancien est dans " + sauvegarde + ")";
      return bilan;
    }
  }
  SynchroniserDossier();
  fs::remove_all(DossierTravail, e);

  bilan.fait = true;
  bilan.apres.octetsIndex = static_cast<std::int64_t>(fs::file_size(ndx, e));
  bilan.apres.octetsDonnees = static_cast<std::int64_t>(fs::file_size(dat, e));
  bilan.apres.nbEnreg = static_cast<std::int64_t>(enregs.size());
  bilan.apres.profondeur = ProfondeurEquilibree(bilan.apres.nbEnreg);
  return bilan;
}

}  // namespace velquor::outils
