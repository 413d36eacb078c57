// SPDX-License-Identifier: GPL-3.0-or-later
// rechercher nom|familles|ingredients: the search of the search dialog, from the command line.
// The criteria are those of the dialog's three pages; the names chosen must be names of the
// collection, as the dialog's lists only hold those; the search engine does the rest, writing
// RESURECH and the selection file exactly as the dialog does.

#include <algorithm>
#include <iostream>
#include <optional>
#include <set>

#include "cli/choix_par_mot.h"
#include "cli/commandes.h"
#include "cli/fichier_lecture.h"
#include "cli/paires.h"
#include "search/criteres_recherche.h"
#include "search/rapporteur_progression.h"
#include "search/recherche.h"
#include "search/selection.h"
#include "store/champ_texte.h"
#include "store/collation.h"
#include "store/collections.h"
#include "store/cp1252.h"
#include "store/lot_fichier.h"

namespace velquor::outils {

namespace {

constexpr std::string_view OptionFichier = "--fichier";
constexpr std::string_view OptionAjouter = "--ajouter";
constexpr std::string_view OptionContenant = "--contenant";
// The names a message lists at most for one word: a screenful.
constexpr std::size_t NomsMontres = 20;

// The modes, each with the kind of search it belongs to.
struct Mode {
  std::string_view option;
  GenreRecherche genre;
  int valeur;
};
const Mode Modes[] = {
    {"--contient", RechercheNom, NomContient},
    {"--ne-contient-pas", RechercheNom, NomNeContientPas},
    {"--selectionnees", RechercheFamille, FamilleSelectionnee},
    {"--non-selectionnees", RechercheFamille, FamilleNonSelectionnee},
    {"--tous", RechercheIngredients, TousChoisis},
    {"--aucun", RechercheIngredients, AucunChoisi},
    {"--au-moins-un", RechercheIngredients, AuMoinsUnChoisi},
};

const OptionCommande Options[] = {
    {OptionFichier, true},
    {OptionAjouter, false},
    {OptionContenant, true},
    {"--contient", false},
    {"--ne-contient-pas", false},
    {"--selectionnees", false},
    {"--non-selectionnees", false},
    {"--tous", false},
    {"--aucun", false},
    {"--au-moins-un", false},
};

struct Genre {
  std::string_view operande;
  GenreRecherche genre;
  std::string_view base;  // the collection the names are chosen from
  std::string_view singulier;
  std::string_view pluriel;
  std::string_view aucun;
};
const Genre Genres[] = {
    {"nom", RechercheNom, "", "", "", ""},
    {"familles", RechercheFamille, BaseFamille, "famille", "familles", "aucune famille"},
    {"ingredients", RechercheIngredients, BaseIngredient, "ingrédient", "ingrédients",
     "aucun ingrédient"},
};

const Genre* TrouverGenre(std::string_view operande) {
  for (const Genre& g : Genres) {
    if (g.operande == operande) return &g;
  }
  return nullptr;
}

const Mode* TrouverMode(std::string_view option) {
  for (const Mode& m : Modes) {
    if (m.option == option) return &m;
  }
  return nullptr;
}

bool Ajouter(const Operandes& operandes) {
  return std::any_of(operandes.options.begin(), operandes.options.end(),
                     [](const OptionDonnee& o) { return o.nom == OptionAjouter; });
}

std::string VerifierOperandes(const Operandes& operandes) {
  if (operandes.empty())
    return "rechercher attend le genre de la recherche : nom, familles ou ingredients";
  const Genre* genre = TrouverGenre(operandes[0]);
  if (genre == nullptr)
    return "genre de recherche inconnu : " + operandes[0] + " (nom, familles ou ingredients)";
  const Mode* choisi = nullptr;
  for (const OptionDonnee& o : operandes.options) {
    if ((o.nom == OptionFichier || o.nom == OptionContenant) && genre->genre == RechercheNom)
      return "l'option " + o.nom +
             " ne vaut que pour une recherche par familles ou par ingrédients";
    if (o.nom == OptionFichier && o.valeur.empty()) return "l'option --fichier attend un fichier";
    if (o.nom == OptionContenant && o.valeur.find_first_not_of(" \t") == std::string::npos)
      return "l'option --contenant attend un mot";
    if (o.nom == OptionContenant && !Utf8VersCp1252(o.valeur))
      return "le mot « " + TexteAffichableUtf8(o.valeur) +
             " » contient un caractère que les noms ne peuvent pas contenir";
    const Mode* mode = TrouverMode(o.nom);
    if (mode == nullptr) continue;
    if (mode->genre != genre->genre)
      return "l'option " + o.nom + " ne vaut pas pour une recherche par " + operandes[0];
    if (choisi != nullptr && choisi != mode)
      return "les options " + std::string(choisi->option) + " et " + o.nom + " s'excluent";
    choisi = mode;
  }
  if (genre->genre == RechercheNom && operandes.size() > 2)
    return "rechercher nom attend une seule chaîne (entre guillemets si elle contient des "
           "espaces)";
  return {};
}

// The names of a pair in index order; nothing when it is absent. False when it cannot be read.
bool NomsDe(std::string_view base, std::vector<std::string>& noms) {
  noms.clear();
  if (EtatDePaire(base) == EtatPaire::Absente) return true;
  FicCocktail collection(base);  // only the index is walked: any collection will do
  if (!collection.OuvrirEnLecture()) return false;
  LotFichier lot(collection);
  if (collection.Premier()) {
    do
      noms.emplace_back(Texte(collection.Noeud().Cle));
    while (collection.Suivant());
  }
  return collection.ErreursES() == 0;
}

// The names given on the line and in the files (UTF-8, one a line, blank lines skipped), in
// that order; false after saying what could not be read.
bool NomsDonnes(const Operandes& operandes, std::vector<std::string>& noms) {
  noms.assign(operandes.begin() + 1, operandes.end());
  for (const OptionDonnee& o : operandes.options) {
    if (o.nom != OptionFichier) continue;
    std::string contenu;
    if (!LireContenu(o.valeur, contenu)) {
      DireErreur("impossible de lire le fichier « " + TexteAffichableUtf8(o.valeur) + " »");
      return false;
    }
    if (contenu.starts_with("\xEF\xBB\xBF")) contenu.erase(0, 3);  // a byte order mark
    std::size_t debut = 0;
    while (debut < contenu.size()) {
      std::size_t fin = contenu.find('\n', debut);
      if (fin == std::string::npos) fin = contenu.size();
      std::string ligne = contenu.substr(debut, fin - debut);
      if (ligne.ends_with('\r')) ligne.pop_back();
      if (ligne.find_first_not_of(" \t") != std::string::npos) noms.push_back(ligne);
      debut = fin + 1;
    }
  }
  return true;
}

std::string SansBlancsAutour(std::string_view texte) {
  const std::size_t debut = texte.find_first_not_of(" \t");
  if (debut == std::string_view::npos) return {};
  return std::string(texte.substr(debut, texte.find_last_not_of(" \t") - debut + 1));
}

// The stored name a given name stands for: itself, or in capitals as the program's name fields
// type it, or so without the blanks around it. Nothing when the collection has none of them.
std::optional<std::string> Resoudre(const std::string& utf8, const std::set<std::string>& noms) {
  const std::optional<std::string> texte = Utf8VersCp1252(utf8);
  if (!texte) return std::nullopt;
  for (const std::string& candidat :
       {*texte, MajusculesCp1252(*texte), MajusculesCp1252(SansBlancsAutour(*texte))}) {
    if (noms.contains(candidat)) return candidat;
  }
  return std::nullopt;
}

// The option that chooses every name containing the word, as the user can type it again.
std::string OptionPour(const std::string& mot) {
  const std::string affiche = TexteAffichableUtf8(mot);
  const bool guillemets = affiche.find_first_of(" \t'\"\\$`!*?;&|<>()") != std::string::npos;
  return std::string(OptionContenant) + " " + (guillemets ? "\"" + affiche + "\"" : affiche);
}

// The names, one a line after the text, a screenful at most.
std::string AvecLesNoms(std::string texte, const std::vector<std::string>& noms) {
  for (std::size_t i = 0; i < noms.size() && i < NomsMontres; ++i)
    texte += "\n  " + TexteAffichable(noms[i]);
  if (noms.size() > NomsMontres)
    texte += "\n  … et " + std::to_string(noms.size() - NomsMontres) + " autres";
  return texte;
}

// The chosen list as the dialog's sorted list box holds it when the names are added one by one:
// each inserted before the first entry that does not sort before it, case ignored; a name
// already there is not added again.
std::vector<std::string> ListeChoisie(const std::vector<std::string>& noms) {
  std::vector<std::string> liste;
  for (const std::string& nom : noms) {
    if (std::find(liste.begin(), liste.end(), nom) != liste.end()) continue;
    const auto place = std::lower_bound(
        liste.begin(), liste.end(), nom,
        [](const std::string& a, const std::string& b) { return ComparerNomsSansCasse(a, b) < 0; });
    liste.insert(place, nom);
  }
  return liste;
}

int Executer(const Operandes& operandes, ConsoleMessages& messages) {
  const Genre& genre = *TrouverGenre(operandes[0]);
  CriteresRecherche criteres;
  criteres.TypeRecherche = genre.genre;
  for (const OptionDonnee& o : operandes.options) {
    const Mode* mode = TrouverMode(o.nom);
    if (mode == nullptr) continue;
    if (mode->genre == RechercheNom) criteres.SensNom = static_cast<ModeNom>(mode->valeur);
    if (mode->genre == RechercheFamille)
      criteres.SensFamille = static_cast<ModeFamille>(mode->valeur);
    if (mode->genre == RechercheIngredients)
      criteres.SensIngredients = static_cast<ModeIngredients>(mode->valeur);
  }

  if (genre.genre == RechercheNom) {
    // The dialog's field turns typed letters into capitals and holds 30 characters.
    const std::string donnee = operandes.size() > 1 ? operandes[1] : std::string();
    const std::optional<std::string> chaine = Utf8VersCp1252(donnee);
    if (!chaine)
      return ErreurUsage("la chaîne « " + TexteAffichableUtf8(donnee) +
                         " » contient un caractère que les noms ne peuvent pas contenir");
    if (chaine->size() > TailleNom - 1)
      return ErreurUsage("la chaîne cherchée dépasse " + std::to_string(TailleNom - 1) +
                         " caractères");
    criteres.Chaine = MajusculesCp1252(*chaine);
  } else {
    std::vector<std::string> donnes;
    if (!NomsDonnes(operandes, donnes)) return SortieProbleme;
    std::vector<std::string> mots;
    for (const OptionDonnee& o : operandes.options) {
      if (o.nom == OptionContenant) mots.push_back(o.valeur);
    }
    std::vector<std::string> existants;
    if (!donnes.empty() || !mots.empty()) {
      if (!PaireLisible("Recherche", genre.base, genre.pluriel)) return SortieProbleme;
      if (!NomsDe(genre.base, existants)) {
        DireErreur("lecture impossible du fichier des " + std::string(genre.pluriel));
        return SortieProbleme;
      }
    }
    const std::set<std::string> noms(existants.begin(), existants.end());
    std::vector<std::string> choisis;
    std::vector<std::string> inconnus;
    std::vector<std::string> indices;  // what each unknown name may have meant
    std::vector<std::string> notes;    // exact names that longer names contain too
    const auto contenant = [&](const std::string& utf8) {
      const std::optional<std::string> mot = Utf8VersCp1252(SansBlancsAutour(utf8));
      return mot && !mot->empty() ? NomsContenant(existants, *mot) : std::vector<std::string>();
    };
    for (const std::string& donne : donnes) {
      std::vector<std::string> contiennent = contenant(donne);
      if (std::optional<std::string> nom = Resoudre(donne, noms)) {
        choisis.push_back(*nom);
        std::erase(contiennent, *nom);
        if (!contiennent.empty())
          notes.push_back(TexteAffichable(*nom) + " : choisi seul ; " +
                          Compter(static_cast<std::int64_t>(contiennent.size()),
                                  "autre nom le contient", "autres noms le contiennent") +
                          " (" + OptionPour(donne) + " les choisit tous)");
        continue;
      }
      inconnus.push_back("« " + TexteAffichableUtf8(donne) + " »");
      if (!contiennent.empty())
        indices.push_back(
            AvecLesNoms("« " + TexteAffichableUtf8(donne) + " » se trouve dans " +
                            Compter(static_cast<std::int64_t>(contiennent.size()),
                                    std::string(genre.singulier), std::string(genre.pluriel)) +
                            " (" + OptionPour(donne) + " les choisit tous) :",
                        contiennent));
    }
    if (!inconnus.empty()) {
      std::string liste;
      for (const std::string& i : inconnus)
        liste += (liste.empty() ? "" : ", ") + i;
      DireErreur(std::string(inconnus.size() > 1 ? genre.pluriel : genre.singulier) +
                 (inconnus.size() > 1 ? " inconnus : " : " inconnu : ") + liste +
                 " ; rien n'a été cherché (velquor-outils lister " + std::string(genre.operande) +
                 " donne les noms)");
      for (const std::string& indice : indices)
        Dire(indice);
      return SortieUsage;
    }
    for (const std::string& mot : mots) {
      const std::vector<std::string> trouves = contenant(mot);
      if (trouves.empty()) {
        DireErreur(std::string(genre.aucun) + " ne contient « " + TexteAffichableUtf8(mot) +
                   " » ; rien n'a été cherché (velquor-outils lister " +
                   std::string(genre.operande) + " donne les noms)");
        return SortieUsage;
      }
      notes.push_back(
          AvecLesNoms(OptionPour(mot) + " : " +
                          Compter(static_cast<std::int64_t>(trouves.size()),
                                  std::string(genre.singulier), std::string(genre.pluriel)),
                      trouves));
      choisis.insert(choisis.end(), trouves.begin(), trouves.end());
    }
    for (const std::string& note : notes)
      Dire(note);
    (genre.genre == RechercheFamille ? criteres.FamillesChoisies : criteres.IngredientsChoisis) =
        ListeChoisie(choisis);
  }

  // Never create the cocktails where there are none, as the other commands.
  if (!PaireLisible("Recherche", BaseCocktail, "cocktails")) return SortieProbleme;
  const bool ajouter = Ajouter(operandes);
  std::vector<std::string> avant;
  if (ajouter && !NomsDe(BaseResultat, avant)) avant.clear();

  SansProgression progression;
  EcrituresRecherche ecrit;
  // The answer to "Un fichier de résultat existe déjà ! ... effacer ?": --ajouter keeps it.
  const bool trouve = ExecuterRecherche(criteres,
                                        {.ConfirmerEffacement = [ajouter] { return !ajouter; },
                                         .Messages = messages,
                                         .Progression = progression},
                                        &ecrit);
  // What could not be written is said, never counted as done.
  if (!ecrit.selection)
    DireErreur("impossible d'écrire " +
               std::string(genre.genre == RechercheFamille ? CheminSelectionFamilles
                                                           : CheminSelectionIngredients)
                   .substr(2) +
               ", qui garde les noms choisis pour la recherche suivante");
  if (!ecrit.resultat) {
    DireErreur(
        "le résultat n'a pas pu être écrit en entier dans RESURECH.NDX et RESURECH.DAT "
        "(velquor-outils verifier dit ce qu'il en est)");
    return SortieProbleme;
  }
  if (!trouve) return SortieProbleme;  // the engine has said that nothing matched

  std::vector<std::string> resultat;
  if (!NomsDe(BaseResultat, resultat)) {
    DireErreur("lecture impossible du fichier des résultats (RESURECH.NDX, RESURECH.DAT)");
    return SortieProbleme;
  }
  for (const std::string& nom : resultat)
    std::cout << TexteAffichable(nom) << '\n';
  std::cout.flush();
  const auto total = static_cast<std::int64_t>(resultat.size());
  if (ajouter)
    Dire("Recherche : " +
         Compter(total - static_cast<std::int64_t>(avant.size()), "cocktail ajouté",
                 "cocktails ajoutés") +
         " au résultat, qui en compte " + std::to_string(total));
  else
    Dire("Recherche : " + Compter(total, "cocktail trouvé", "cocktails trouvés"));
  return std::cout && ecrit.selection ? SortieSucces : SortieProbleme;
}

}  // namespace

const Commande CommandeRechercher{"rechercher", &VerifierOperandes, &Executer, Options};

}  // namespace velquor::outils
