#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Weighs tests against the rest of the suite: which faults only they catch.

For the tests named by a regular expression (the candidates), the committed tree (HEAD) is copied
into build/redondance/src and built there once with line coverage; each candidate runs alone with
a coverage folder of its own, which gives the product lines it runs. Faults are then drawn with a
fixed seed among those lines (the operators of scripts/mutateurs.py, over the product's C++, the
windows included) and planted one at a time: the candidates run; when one of them fails, every
other test runs (the same pool as scripts/mutation.py, quickest first, until the first failure).

A fault the candidates catch and no other test catches is a reason to keep the candidate that
caught it; a candidate that catches no such fault in a fair sample is weight the suite can lose.
A sample is evidence, not proof: plant the fault each candidate was written for as well.

    scripts/redondance.py 'FichiersAbimesTest|IndexTest' --fautes 24 --graine 5 -j 2
    scripts/redondance.py 'CoherenceTest' --fichiers editors/coherence.cpp --exclus 'entree_reelle'

Real-input tests need the X server of scripts/test.sh (VELQUOR_AFFICHAGE_REEL); without one,
leave them out with --exclus.
"""

import argparse
import collections
import glob
import json
import os
import random
import re
import shutil
import subprocess
import sys

import mutateurs
import mutation

PRODUIT = ("store", "search", "editors", "export", "framework", "shell", "cli", "app")
TRAVAIL = os.path.join(mutation.RACINE, "build", "redondance")


def preparer(sources, construction):
    mutation.preparer("HEAD", sources, construction, True)
    options = ["-DCMAKE_CXX_FLAGS=--coverage -D_GLIBCXX_ASSERTIONS",
               "-DCMAKE_EXE_LINKER_FLAGS=--coverage"]
    code, sortie = mutation.executer(["cmake", "-S", sources, "-B", construction] + options,
                                     mutation.RACINE)
    if code != 0:
        sys.exit("configure failed:\n" + sortie)


def couverture(suite, sources, construction):
    """{(file, line)} of the product that the candidates run, each candidate alone."""
    return set().union(*couverture_par_test(suite, sources, construction).values())


def couverture_par_test(suite, sources, construction):
    """{test: {(file, line)}} of the product that each test runs alone."""
    par_test = {}
    for t in suite.tests:
        lignes = par_test[t["nom"]] = set()
        dossier = os.path.join(TRAVAIL, "gcov", t["nom"].replace("/", "_"))
        shutil.rmtree(dossier, ignore_errors=True)
        env = dict(t["env"], GCOV_PREFIX=dossier)
        subprocess.run(t["commande"], cwd=t["dossier"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=1800)
        par_dossier = collections.defaultdict(list)
        for gcda in glob.glob(dossier + "/**/*.gcda", recursive=True):
            gcno = gcda[len(dossier):-5] + ".gcno"
            if os.path.exists(gcno) and not os.path.exists(gcda[:-5] + ".gcno"):
                os.symlink(gcno, gcda[:-5] + ".gcno")
            par_dossier[os.path.dirname(gcda)].append(gcda)
        for ici, gcdas in par_dossier.items():
            sortie = subprocess.run(["gcov", "--json-format", "--stdout", "-o", ici] + gcdas,
                                    cwd=ici, stdout=subprocess.PIPE,
                                    stderr=subprocess.DEVNULL).stdout
            for ligne in sortie.splitlines():
                try:
                    donnees = json.loads(ligne)
                except ValueError:
                    continue
                for f in donnees.get("files", []):
                    chemin = os.path.relpath(f["file"], sources)
                    if chemin.split("/")[0] not in PRODUIT:
                        continue
                    lignes.update((chemin, l["line_number"]) for l in f["lines"] if l["count"])
    return par_test


def uniques(suite, noms, sources, construction):
    """Prints each test with the product lines it runs and those no other test runs, fewest
    first: a test that runs nothing of its own is the first to weigh with faults."""
    par_test = couverture_par_test(suite, sources, construction)
    compte = collections.Counter(l for lignes in par_test.values() for l in lignes)
    rangs = sorted(par_test, key=lambda t: sum(compte[l] == 1 for l in par_test[t]))
    for t in (t for t in rangs if t in noms):
        seuls = sorted(l for l in par_test[t] if compte[l] == 1)
        fichiers = collections.Counter(f for f, _ in seuls)
        detail = ", ".join(f"{f} {n}" for f, n in fichiers.most_common(3))
        print(f"{len(seuls):5} of {len(par_test[t]):5}  {t}  {detail}", flush=True)


def reussit(test):
    try:
        return subprocess.run(test["commande"], cwd=test["dossier"], env=test["env"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=300).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("candidats", help="regular expression of the tests weighed (as ctest -R)")
    p.add_argument("--fautes", type=int, default=20, help="faults drawn (20)")
    p.add_argument("--graine", type=int, default=1, help="seed of the draw (1)")
    p.add_argument("--fichiers", help="draw only in these files (a regular expression)")
    p.add_argument("--exclus", default="^installation|Exploration",
                   help="tests never run (a regular expression)")
    p.add_argument("-j", "--jobs", type=int, default=2)
    p.add_argument("--uniques", action="store_true",
                   help="only list the candidates by the product lines no other test runs")
    args = p.parse_args()

    sources = os.path.join(TRAVAIL, "src")
    construction = os.path.join(TRAVAIL, "build")
    # Outside the coverage runs, the counters go to a folder emptied before each run, so that the
    # coverage runtime never complains on a program's error output (which cases compare) of
    # counters left by a build before the fault.
    os.environ["GCOV_ERROR_FILE"] = os.devnull
    os.environ["GCOV_PREFIX"] = os.path.join(TRAVAIL, "gcov-jete")
    preparer(sources, construction)
    print("building the copy with coverage ...", flush=True)
    if not mutation.construire(construction, args.jobs, None):
        sys.exit("the copy of HEAD does not build")
    candidats = mutation.Suite(construction, args.jobs, args.candidats, args.exclus, None)
    autres = mutation.Suite(construction, args.jobs, None,
                            f"{args.candidats}|{args.exclus}", None)
    if not candidats.tests:
        sys.exit("no test matches " + args.candidats)
    if args.uniques:
        tous = mutation.Suite(construction, args.jobs, None, args.exclus, None)
        uniques(tous, {t["nom"] for t in candidats.tests}, sources, construction)
        return
    echec = autres.lancer()
    if echec:
        sys.exit(f"{echec} fails without any fault: fix it or leave it out (--exclus)")
    lignes = couverture(candidats, sources, construction)
    fichiers = sorted({f for f, _ in lignes})
    if args.fichiers:
        fichiers = [f for f in fichiers if re.search(args.fichiers, f)]
    textes = {}
    for f in fichiers:
        with open(os.path.join(sources, f), encoding="utf-8") as entree:
            textes[f] = entree.read()
    fautes = [x for x in mutateurs.toutes(textes) if (x["fichier"], x["ligne"]) in lignes]
    random.Random(args.graine).shuffle(fautes)
    print(f"{len(candidats.tests)} candidates, {len(fautes)} faults on the lines they run;"
          f" {min(args.fautes, len(fautes))} drawn", flush=True)

    seuls = collections.defaultdict(list)
    for n, x in enumerate(fautes[:args.fautes], 1):
        chemin = os.path.join(sources, x["fichier"])
        original = mutation.planter(chemin, x)
        try:
            if not mutation.construire(construction, args.jobs, None):
                print(f"{n:3} does not build")
                continue
            tueurs = [t["nom"] for t in candidats.tests if not reussit(t)]
            if not tueurs:
                verdict = "not caught by the candidates"
            else:
                autre = autres.lancer(x["fichier"])
                verdict = f"also caught by {autre}" if autre else "ONLY by " + ", ".join(tueurs)
                if not autre:
                    for t in tueurs:
                        seuls[t].append(n)
            print(f"{n:3} {verdict}\n      {x['signature']}", flush=True)
        finally:
            with open(chemin, "w", encoding="utf-8") as sortie:
                sortie.write(original)
            os.utime(chemin, None)
    mutation.construire(construction, args.jobs, None)
    print("\nfaults only a candidate catches:")
    for t in candidats.tests:
        print(f"  {t['nom']}: {seuls.get(t['nom']) or 'none'}")


if __name__ == "__main__":
    main()
