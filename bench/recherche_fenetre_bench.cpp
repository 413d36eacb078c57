// SPDX-License-Identifier: GPL-3.0-or-later
// The search of every cocktail ("contains" the empty string) into an empty result, started from
// the search dialog as the user starts it: the program's frame with its toolbar, the dialog
// NewRech run modally over the client area, its Ok button, the progress window over it and the
// waiting events dispatched after every cocktail. Against the engine alone with silent hooks, on
// the same generated recipes, runs interleaved, medians and their ratio printed in one run.
//
// Usage: bench_recherche_fenetre [N [repetitions]]   (default 10000 cocktails, 7 repetitions)
// Works offscreen (it sets QT_QPA_PLATFORM itself) in a temporary directory.

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "donnees_bench.h"
#include "framework/application.h"
#include "framework/dialogue.h"
#include "framework/service_messages.h"
#include "search/new_rech.h"
#include "search/rapporteur_defile.h"
#include "search/recherche.h"
#include "shell/client_mdi.h"
#include "shell/velquor_app.h"
#include "shell/vues_programme.h"
#include "store/champ_texte.h"
#include "store/collections.h"
#include "store/lot_fichier.h"
#include "support_bench.h"

namespace velquor::bench {
namespace {

using Horloge = std::chrono::steady_clock;

double Mediane(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// No box may wait for a user: every message is answered at once (and counted, to be reported).
class ServiceSilencieux : public PServiceMessages {
 public:
  int Boite(const QString&, const QString&, unsigned) override {
    ++boites;
    return ReponseOui;
  }
  void Bip() override {}
  void DefinirCurseur(Curseur) override {}
  int boites = 0;
};

void EcrireCocktails(const std::vector<CocktailGenere>& cocktails) {
  FicCocktail f;
  f.Creer();
  f.Ouvrir();
  LotFichier lot(f);
  for (const CocktailGenere& c : cocktails) {
    f.Enreg = {};
    CopierTexte(f.Enreg.Nom, c.nom);
    CopierTexte(f.Enreg.Famille, c.famille);
    CopierTexte(f.Enreg.Remarques, c.remarques);
    for (int i = 0; i < 10; ++i) {
      CopierTexte(f.Enreg.Quantite[i], c.quantite[i]);
      CopierTexte(f.Enreg.Ingredient[i], c.ingredient[i]);
    }
    f.Ajouter(c.nom);
  }
}

void EffacerResultat() {
  std::error_code e;
  std::filesystem::remove("RESURECH.NDX", e);
  std::filesystem::remove("RESURECH.DAT", e);
}

std::int64_t TailleResultat() {
  FicCocktail resultat(BaseResultat);
  if (!resultat.Ouvrir()) return -1;
  resultat.LireEntete();
  return resultat.NbEnreg;
}

double Millisecondes(Horloge::time_point debut) {
  return std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
}

int Executer(int& argc, char** argv, int n, int repetitions) {
  DossierBench dossier;
  EcrireCocktails(GenererCocktails(n));

  ServiceSilencieux service;
  InstallerServiceMessages(&service);
  TVelquorApp application(argc, argv, EnregistrerVuesProgramme);
  application.CreerFenetrePrincipale();
  QWidget* cadre = application.FenetrePrincipale();
  cadre->show();
  cadre->activateWindow();

  // The search dialog's Ok, pressed as soon as its modal run starts.
  DefinirCoutureModale([](PDialogue& d) {
    if (d.IdModele() == 205) d.CommandeControle(CmIdOk);
  });

  std::vector<double> moteur, fenetre;
  const CriteresRecherche tout;  // by name, "contains" the empty string
  Muet muet;
  for (int r = 0; r < repetitions; ++r) {
    EffacerResultat();
    auto debut = Horloge::now();
    ExecuterRecherche(tout, {.Messages = muet, .Progression = muet});
    moteur.push_back(Millisecondes(debut));
    if (TailleResultat() != n) {
      std::fprintf(stderr, "the engine found %lld of %d\n",
                   static_cast<long long>(TailleResultat()), n);
      return 1;
    }

    EffacerResultat();
    debut = Horloge::now();
    const int resultat = NewRech(application.ClientMDI).Executer();
    fenetre.push_back(Millisecondes(debut));
    if (resultat != CmIdOk || TailleResultat() != n) {
      std::fprintf(stderr, "the search dialog ended with %d, %lld of %d found\n", resultat,
                   static_cast<long long>(TailleResultat()), n);
      return 1;
    }
  }
  DefinirCoutureModale({});

  // What one step of the dialog's hooks costs, each part alone, inside the search dialog's modal
  // run (the frame blocked behind it), with its progress window shown, as during the run; and
  // the dialog opened and cancelled.
  std::vector<std::pair<const char*, double>> parts;
  DefinirCoutureModale([&](PDialogue& d) {
    if (d.IdModele() != 205) return;
    RapporteurDefile progression(&d);
    progression.Debut();
    auto mesurer = [&](const char* quoi, const std::function<void(int)>& pas) {
      const auto debut = Horloge::now();
      for (int i = 1; i <= n; ++i)
        pas(i);
      parts.emplace_back(quoi, Millisecondes(debut) * 1000.0 / n);
    };
    mesurer("progress step (RapporteurDefile::MettreAJour)",
            [&](int i) { progression.MettreAJour("COCKTAIL", n, i); });
    mesurer("TraiterMessagesEnAttente", [](int) { TraiterMessagesEnAttente(); });
    mesurer("  its posted events (QCoreApplication::sendPostedEvents)",
            [](int) { QCoreApplication::sendPostedEvents(); });
    mesurer("  its idle pass", [&](int) { application.PasseInactive(); });
    mesurer("  a read of the window system's queue (QCoreApplication::processEvents)",
            [](int) { QCoreApplication::processEvents(QEventLoop::AllEvents); });
    progression.Fin();
    d.CommandeControle(CmIdAnnuler);
  });
  NewRech(application.ClientMDI).Executer();
  std::vector<double> ouvertures;
  DefinirCoutureModale([](PDialogue& d) { d.CommandeControle(CmIdAnnuler); });
  for (int r = 0; r < repetitions; ++r) {
    const auto debut = Horloge::now();
    NewRech(application.ClientMDI).Executer();
    ouvertures.push_back(Millisecondes(debut));
  }
  DefinirCoutureModale({});
  const double ouverture = Mediane(ouvertures);

  const double m = Mediane(moteur);
  const double f = Mediane(fenetre);
  std::printf("| work | N | engine alone (ms) | from the search dialog (ms) | ratio | target |\n");
  std::printf("|---|---|---|---|---|---|\n");
  std::printf("| search all into an empty result | %d | %.1f | %.1f | %.2f | <= 1.5 |\n", n, m, f,
              f / m);
  std::printf("(medians of %d runs of each, interleaved; %d message boxes answered)\n", repetitions,
              service.boites);
  std::printf("\n| one step of the hooks | microseconds per record |\n|---|---|\n");
  for (const auto& [quoi, us] : parts)
    std::printf("| %s | %.2f |\n", quoi, us);
  std::printf("\nThe search dialog opened and cancelled: %.1f ms (median).\n", ouverture);
  return 0;
}

}  // namespace
}  // namespace velquor::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int repetitions = argc > 2 ? std::atoi(argv[2]) : 7;
  if (n <= 0 || repetitions <= 0) {
    std::fprintf(stderr, "usage: %s [N [repetitions]]\n", argv[0]);
    return 2;
  }
  int argcQt = 1;
  return velquor::bench::Executer(argcQt, argv, n, repetitions);
}
