#!/usr/bin/env python3
"""Measures how many planted faults the tests catch.

Each line of scripts/mutants.txt plants one fault: a file, a piece of its text that must occur
exactly once, what it becomes, and what the fault is. The committed tree (HEAD) is copied to
build/mutation/src and built there once without the sanitizers (faster; the planted faults are
faults of logic); then, for each fault in turn, the file is changed, the build brought up to
date, and the whole suite run until its first failure. A fault that makes a test fail is caught;
one that passes every test survived; one that does not build is left out of the score.

    scripts/mutation.py                 every fault of the list
    scripts/mutation.py 3 7             only faults 3 and 7 (numbered from 1)
    scripts/mutation.py --liste F       another list
    scripts/mutation.py -j 2 -E REGEX   two build and test jobs; tests matching REGEX left out
    scripts/mutation.py -R REGEX        only the tests matching REGEX (ctest -R)
    scripts/mutation.py -L 'store|cli'  only the tests of these folders (ctest -L)
    scripts/mutation.py -t test_store   build only these targets (with -L or -R: far faster)

The copy is brought up to HEAD file by file: files that did not change keep their dates, so a
second run rebuilds only what changed since the first.

Line format of the list (blank lines and lines starting with # are ignored):
    file | text | replacement | description
In text and replacement, \\n stands for a line break and \\| for a bar.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys
import time

RACINE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DOSSIER = os.path.join(RACINE, "build", "mutation")
SOURCES = os.path.join(DOSSIER, "src")
CONSTRUCTION = os.path.join(DOSSIER, "build")


def decoder(texte):
    return texte.strip().replace("\\|", "|").replace("\\n", "\n")


def lire_liste(chemin):
    mutants = []
    with open(chemin, encoding="utf-8") as f:
        for numero, ligne in enumerate(f, 1):
            ligne = ligne.rstrip("\n")
            if not ligne.strip() or ligne.lstrip().startswith("#"):
                continue
            parties = re.split(r"(?<!\\)\|", ligne)
            if len(parties) != 4:
                sys.exit(f"{chemin}:{numero}: four fields expected")
            fichier, avant, apres, description = parties
            mutants.append((fichier.strip(), decoder(avant), decoder(apres), description.strip()))
    return mutants


def executer(commande, cwd, delai=None):
    try:
        r = subprocess.run(commande, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                           text=True, timeout=delai)
        return r.returncode, r.stdout
    except subprocess.TimeoutExpired:
        return -1, "timeout"


def fichiers(dossier):
    return {os.path.relpath(os.path.join(d, f), dossier)
            for d, _, noms in os.walk(dossier) for f in noms}


def preparer():
    # HEAD is unpacked beside the copy, and only the files that differ are copied over.
    neuf = SOURCES + ".neuf"
    if os.path.isdir(neuf):
        shutil.rmtree(neuf)
    os.makedirs(neuf)
    os.makedirs(SOURCES, exist_ok=True)
    archive = subprocess.run(["git", "archive", "HEAD"], cwd=RACINE, stdout=subprocess.PIPE,
                             check=True).stdout
    subprocess.run(["tar", "-x", "-C", neuf], input=archive, check=True)
    anciens, nouveaux = fichiers(SOURCES), fichiers(neuf)
    for chemin in anciens - nouveaux:
        os.remove(os.path.join(SOURCES, chemin))
    for chemin in nouveaux:
        source, cible = os.path.join(neuf, chemin), os.path.join(SOURCES, chemin)
        if chemin in anciens:
            with open(source, "rb") as a, open(cible, "rb") as b:
                if a.read() == b.read():
                    continue
        os.makedirs(os.path.dirname(cible), exist_ok=True)
        shutil.copy2(source, cible)
        os.utime(cible, None)
    shutil.rmtree(neuf)
    options = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug", "-DVELQUOR_TESTS=ON",
               "-DVELQUOR_SANITIZE=OFF"]
    if shutil.which("ccache"):
        options.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    code, sortie = executer(["cmake", "-S", SOURCES, "-B", CONSTRUCTION] + options, RACINE)
    if code != 0:
        sys.exit("configure failed:\n" + sortie)


def construire(jobs, cibles):
    commande = ["cmake", "--build", CONSTRUCTION, "-j", str(jobs)]
    for cible in cibles or []:
        commande += ["--target", cible]
    return executer(commande, RACINE, 3600)[0] == 0


def tester(jobs, inclus, exclus, etiquettes):
    env_ctest = ["ctest", "--test-dir", CONSTRUCTION, "--stop-on-failure", "-j", str(jobs),
                 "--timeout", "300"]
    if inclus:
        env_ctest += ["-R", inclus]
    if exclus:
        env_ctest += ["-E", exclus]
    if etiquettes:
        env_ctest += ["-L", etiquettes]
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    code, sortie = executer(env_ctest, RACINE, 3600)
    echecs = [l.strip() for l in sortie.splitlines() if "***Failed" in l or "(Failed)" in l]
    return code == 0, echecs[:1]


def main():
    analyse = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    analyse.add_argument("numeros", nargs="*", type=int)
    analyse.add_argument("--liste", default=os.path.join(RACINE, "scripts", "mutants.txt"))
    analyse.add_argument("-j", "--jobs", type=int, default=os.cpu_count() or 2)
    analyse.add_argument("-R", dest="inclus", help="only the tests matching this (ctest -R)")
    analyse.add_argument("-E", dest="exclus", help="leave out the tests matching this (ctest -E)")
    analyse.add_argument("-L", dest="etiquettes", help="only the tests of these folders (ctest -L)")
    analyse.add_argument("-t", dest="cibles", action="append", help="build only this target")
    args = analyse.parse_args()
    suite = (args.jobs, args.inclus, args.exclus, args.etiquettes)
    mutants = lire_liste(args.liste)
    choisis = args.numeros or list(range(1, len(mutants) + 1))

    preparer()
    if not construire(args.jobs, args.cibles):
        sys.exit("the unchanged tree does not build")
    reussi, echecs = tester(*suite)
    if not reussi:
        sys.exit("the unchanged tree fails its tests: " + " ".join(echecs))

    attrapes, survivants, ecartes = [], [], []
    for n in choisis:
        fichier, avant, apres, description = mutants[n - 1]
        chemin = os.path.join(SOURCES, fichier)
        with open(chemin, encoding="utf-8") as f:
            original = f.read()
        if original.count(avant) != 1:
            print(f"{n:3} ?  {fichier}: the text occurs {original.count(avant)} times: {description}")
            ecartes.append(n)
            continue
        debut = time.time()
        with open(chemin, "w", encoding="utf-8") as f:
            f.write(original.replace(avant, apres))
        try:
            if not construire(args.jobs, args.cibles):
                print(f"{n:3} -  does not build: {description}", flush=True)
                ecartes.append(n)
                continue
            reussi, echecs = tester(*suite)
        finally:
            with open(chemin, "w", encoding="utf-8") as f:
                f.write(original)
            # The restored file must look changed to the build.
            os.utime(chemin, None)
        duree = time.time() - debut
        if reussi:
            survivants.append(n)
            print(f"{n:3} SURVIVED ({duree:.0f} s) {fichier}: {description}", flush=True)
        else:
            attrapes.append(n)
            print(f"{n:3} caught   ({duree:.0f} s) {fichier}: {description} [{' '.join(echecs)}]",
                  flush=True)
    construire(args.jobs, args.cibles)
    total = len(attrapes) + len(survivants)
    if total:
        print(f"\nScore: {len(attrapes)}/{total} caught ({100 * len(attrapes) / total:.0f} %); "
              f"survived: {survivants or 'none'}; left out: {ecartes or 'none'}")


if __name__ == "__main__":
    main()
