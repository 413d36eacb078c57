// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/journal_paire.h"

#include <cstring>

#include "store/fichier_brut.h"

namespace velquor {

namespace {

constexpr std::string_view Magie = "VELQUOR JOURNAL\n";
constexpr std::uint32_t Version = 2;
constexpr std::uint64_t BaseFnv = 14695981039346656037ull;
constexpr std::uint64_t PremierFnv = 1099511628211ull;

// The checksum of a journal. Version 1 is one FNV-1a sum, which waits on a multiplication per
// byte; version 2 keeps eight such sums over the bytes taken in turn, which the processor runs
// side by side (a large pass journals megabytes), and folds them into one. Journals of version 1
// are still read: one left by an earlier build must still put its pair back.
std::uint64_t Somme(std::uint64_t version, const unsigned char* octets, std::size_t n) {
  std::uint64_t h[8] = {BaseFnv, BaseFnv, BaseFnv, BaseFnv, BaseFnv, BaseFnv, BaseFnv, BaseFnv};
  const std::size_t voies = version == 1 ? 1 : 8;
  std::size_t i = 0;
  if (voies == 8) {
    for (; i + 8 <= n; i += 8) {
      for (std::size_t k = 0; k < 8; ++k)
        h[k] = (h[k] ^ octets[i + k]) * PremierFnv;
    }
  }
  for (; i < n; ++i)
    h[i % voies] = (h[i % voies] ^ octets[i]) * PremierFnv;
  if (voies == 1) return h[0];
  std::uint64_t somme = BaseFnv;
  for (std::uint64_t voie : h)
    somme = (somme ^ voie) * PremierFnv;
  return somme;
}

}  // namespace

std::uint64_t SommeOctets(const unsigned char* octets, std::size_t n) {
  return Somme(Version, octets, n);
}

namespace {

void Ajouter(std::vector<unsigned char>& v, std::uint64_t valeur, int octets) {
  for (int i = 0; i < octets; ++i)
    v.push_back(static_cast<unsigned char>(valeur >> (8 * i)));
}

class Lecteur {
 public:
  Lecteur(const unsigned char* debut, std::size_t n) : p_(debut), reste_(n) {}
  bool Entier(std::uint64_t& valeur, int octets) {
    if (reste_ < static_cast<std::size_t>(octets)) return false;
    valeur = 0;
    for (int i = 0; i < octets; ++i)
      valeur |= static_cast<std::uint64_t>(p_[i]) << (8 * i);
    p_ += octets;
    reste_ -= static_cast<std::size_t>(octets);
    return true;
  }
  bool Octets(std::size_t n, std::vector<unsigned char>& sortie) {
    if (reste_ < n) return false;
    sortie.assign(p_, p_ + n);
    p_ += n;
    reste_ -= n;
    return true;
  }
  bool Fini() const { return reste_ == 0; }

 private:
  const unsigned char* p_;
  std::size_t reste_;
};

}  // namespace

std::vector<unsigned char> EncoderJournal(const JournalPaire& journal) {
  std::size_t taille = Magie.size() + 4 + 4 + journal.groupe.size() + 8 + 8 + 4 + 8;
  for (const auto& e : journal.extraits)
    taille += 1 + 8 + 4 + e.octets.size();
  std::vector<unsigned char> v;
  v.reserve(taille);
  v.assign(Magie.begin(), Magie.end());
  Ajouter(v, Version, 4);
  Ajouter(v, journal.groupe.size(), 4);
  v.insert(v.end(), journal.groupe.begin(), journal.groupe.end());
  Ajouter(v, static_cast<std::uint64_t>(journal.tailleDonnees), 8);
  Ajouter(v, static_cast<std::uint64_t>(journal.tailleIndex), 8);
  Ajouter(v, journal.extraits.size(), 4);
  for (const auto& e : journal.extraits) {
    v.push_back(e.index ? 1 : 0);
    Ajouter(v, static_cast<std::uint64_t>(e.pos), 8);
    Ajouter(v, e.octets.size(), 4);
    v.insert(v.end(), e.octets.begin(), e.octets.end());
  }
  Ajouter(v, Somme(Version, v.data(), v.size()), 8);
  return v;
}

std::optional<JournalPaire> DecoderJournal(const std::vector<unsigned char>& octets) {
  if (octets.size() < Magie.size() + 4 + 8 ||
      std::memcmp(octets.data(), Magie.data(), Magie.size()) != 0) {
    return std::nullopt;
  }
  const std::size_t corps = octets.size() - 8;
  Lecteur l(octets.data() + Magie.size(), corps - Magie.size());
  std::uint64_t version, somme;
  Lecteur fin(octets.data() + corps, 8);
  if (!l.Entier(version, 4) || (version != 1 && version != Version) || !fin.Entier(somme, 8) ||
      somme != Somme(version, octets.data(), corps)) {
    return std::nullopt;
  }

  JournalPaire j;
  std::uint64_t n, donnees, index, nbExtraits;
  std::vector<unsigned char> groupe;
  if (!l.Entier(n, 4) || !l.Octets(n, groupe) || !l.Entier(donnees, 8) || !l.Entier(index, 8) ||
      !l.Entier(nbExtraits, 4)) {
    return std::nullopt;
  }
  j.groupe.assign(groupe.begin(), groupe.end());
  j.tailleDonnees = static_cast<std::int64_t>(donnees);
  j.tailleIndex = static_cast<std::int64_t>(index);
  if (j.tailleDonnees < 0 || j.tailleIndex < 0) return std::nullopt;
  for (std::uint64_t i = 0; i < nbExtraits; ++i) {
    JournalPaire::Extrait e;
    std::uint64_t fichier, pos;
    if (!l.Entier(fichier, 1) || fichier > 1 || !l.Entier(pos, 8) || !l.Entier(n, 4) ||
        !l.Octets(n, e.octets)) {
      return std::nullopt;
    }
    e.index = fichier == 1;
    e.pos = static_cast<std::int64_t>(pos);
    if (e.pos < 0) return std::nullopt;
    j.extraits.push_back(std::move(e));
  }
  if (!l.Fini()) return std::nullopt;
  return j;
}

std::string NomJournal(std::string_view nomDonnees) {
  std::string nom(nomDonnees);
  const std::size_t point = nom.rfind('.');
  const std::size_t barre = nom.rfind('/');
  if (point != std::string::npos && (barre == std::string::npos || point > barre)) {
    nom.resize(point);
  }
  return nom + ".JNL";
}

bool AnnulerSelonJournal(const JournalPaire& journal, FichierBrut& index, FichierBrut& donnees) {
  bool ok = true;
  for (const auto& e : journal.extraits) {
    FichierBrut& f = e.index ? index : donnees;
    ok = f.EcrireA(e.pos, e.octets.data(), e.octets.size()) && ok;
  }
  ok = donnees.Tronquer(journal.tailleDonnees) && ok;
  ok = index.Tronquer(journal.tailleIndex) && ok;
  donnees.Horodater();
  index.Horodater();
  return donnees.Synchroniser() && index.Synchroniser() && ok;
}

Reprise ReprendreJournal(const std::string& cheminJournal, FichierBrut& index,
                         FichierBrut& donnees) {
  // A journal being replaced when its writer stopped: the one it was to replace still holds.
  const std::string provisoire = cheminJournal + ".tmp";
  if (FichierBrut::Existe(provisoire)) FichierBrut::Supprimer(provisoire);
  if (!FichierBrut::Existe(cheminJournal)) return Reprise::Aucune;
  std::vector<unsigned char> octets;
  if (!FichierBrut::LireTout(cheminJournal, octets)) return Reprise::Impossible;
  const std::optional<JournalPaire> journal = DecoderJournal(octets);
  Reprise reprise = Reprise::Ecartee;
  if (journal) {
    bool enVigueur = journal->groupe.empty();
    if (!enVigueur) {
      const std::size_t barre = cheminJournal.rfind('/');
      const std::string dossier =
          barre == std::string::npos ? std::string() : cheminJournal.substr(0, barre + 1);
      enVigueur = FichierBrut::Existe(dossier + journal->groupe);
    }
    if (enVigueur) {
      if (!AnnulerSelonJournal(*journal, index, donnees)) return Reprise::Impossible;
      reprise = Reprise::Annulee;
    }
  }
  // The pair is as it was before the lot, or as the lot left it when it had landed: either way
  // the journal has nothing more to say.
  if (!FichierBrut::Supprimer(cheminJournal)) return Reprise::Impossible;
  FichierBrut::SynchroniserDossierDe(cheminJournal);
  return reprise;
}

}  // namespace velquor
