// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/lecteur_csv.h"

namespace velquor::outils {

namespace {

class Lecteur {
 public:
  explicit Lecteur(std::string_view texte) : texte_(texte) {
    if (texte_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
  }

  ContenuCsv Lire() {
    while (pos_ < texte_.size()) {
      if (FinDeLigne()) {  // a blank line
        SauterFinDeLigne();
        continue;
      }
      EnregistrementCsv enr{ligne_, {}};
      std::string erreur = LireEnregistrement(enr.champs);
      if (erreur.empty()) {
        contenu_.enregistrements.push_back(std::move(enr));
      } else {
        contenu_.erreurs.push_back({enr.ligne, std::move(erreur)});
        AllerALaLigneSuivante();
      }
    }
    return std::move(contenu_);
  }

 private:
  bool Fin() const { return pos_ >= texte_.size(); }
  bool FinDeLigne() const {
    return texte_[pos_] == '\n' || texte_.substr(pos_).starts_with("\r\n");
  }
  void SauterFinDeLigne() {
    pos_ += texte_[pos_] == '\r' ? 2 : 1;
    ++ligne_;
  }
  void AllerALaLigneSuivante() {
    while (!Fin() && texte_[pos_] != '\n')
      ++pos_;
    if (!Fin()) {
      ++pos_;
      ++ligne_;
    }
  }

  // Reads fields up to the end of the record; a French description of the fault, or "".
  std::string LireEnregistrement(std::vector<std::string>& champs) {
    for (;;) {
      std::string champ;
      std::string erreur =
          !Fin() && texte_[pos_] == '"' ? LireChampCite(champ) : LireChampSimple(champ);
      if (!erreur.empty()) return erreur;
      champs.push_back(std::move(champ));
      if (Fin()) return {};
      if (texte_[pos_] == ',') {
        ++pos_;
        continue;
      }
      if (FinDeLigne()) {
        SauterFinDeLigne();
        return {};
      }
      return "caractère inattendu après un champ entre guillemets";
    }
  }

  std::string LireChampSimple(std::string& champ) {
    while (!Fin() && texte_[pos_] != ',' && !FinDeLigne()) {
      char c = texte_[pos_];
      if (c == '"') return "guillemet dans un champ qui ne commence pas par un guillemet";
      if (c == '\r') return "retour chariot isolé hors d'un champ entre guillemets";
      champ += c;
      ++pos_;
    }
    return {};
  }

  std::string LireChampCite(std::string& champ) {
    ++pos_;  // the opening quote
    for (;;) {
      if (Fin()) return "guillemet ouvert jamais refermé";
      char c = texte_[pos_++];
      if (c == '"') {
        if (Fin() || texte_[pos_] != '"') return {};
        ++pos_;
      } else if (c == '\n') {
        ++ligne_;
      }
      champ += c;
    }
  }

  std::string_view texte_;
  std::size_t pos_ = 0;
  int ligne_ = 1;
  ContenuCsv contenu_;
};

}  // namespace

ContenuCsv LireCsv(std::string_view texte) {
  return Lecteur(texte).Lire();
}

}  // namespace velquor::outils
