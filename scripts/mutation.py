#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures how many planted faults the tests catch.

Two sources of faults:
- drawn mechanically (--tirage N): N single-point faults drawn at random, with a fixed seed,
  over the C++ of the core, the companion and the exports (scripts/mutateurs.py lists the
  operators), on the build without the windows;
- the hand-picked list scripts/mutants.txt: a file, a piece of its text that must occur exactly
  once, what it becomes, and what the fault is; on the whole build.

The committed tree (HEAD) is copied into build/mutation/ and built there once without the
sanitizers (faster; the planted faults are faults of logic), with the standard library's own
checks of indexes and iterators (_GLIBCXX_ASSERTIONS), which stand in for the sanitizers of the
test build. Then, for each fault in turn, the file is changed, the build brought up to date, and
the tests run, quickest first, until the first failure. A fault that makes a test fail (or run
past its time) is caught; one that passes every test survived; one that does not build is left
out of the score, as are the drawn faults marked equivalent in scripts/equivalents.txt (a fault
that changes nothing the program does, with the reason).

    scripts/mutation.py --tirage 300 --graine 29 --source COMMIT -j 2
        300 faults drawn with seed 29 over the sources of COMMIT (default HEAD), planted in HEAD
        (a fault whose lines HEAD no longer has is reported and left out); the results are kept
        in build/mutation/, so that a run stopped half-way goes on where it stopped
    scripts/mutation.py --tirage 300 --graine 29 --montrer
        only prints the faults drawn
    scripts/mutation.py                 every fault of the hand-picked list
    scripts/mutation.py 3 7             only faults 3 and 7 (numbered from 1), of either source
    scripts/mutation.py --liste F       another list
    scripts/mutation.py --sans-fenetres the list on the build without the windows (their faults
                                        left out), in build/mutation/liste-sans-fenetres/
    scripts/mutation.py -j 2 -E REGEX   two build and test jobs; tests matching REGEX left out
    scripts/mutation.py -R REGEX        only the tests matching REGEX
    scripts/mutation.py -L 'store|cli'  only the tests of these folders (their label)
    scripts/mutation.py -t test_store   build only these targets (with -L or -R: far faster)

The copy is brought up to HEAD file by file: files that did not change keep their dates, so a
second run rebuilds only what changed since the first.

Line format of the hand-picked list (blank lines and lines starting with # are ignored):
    file | text | replacement | description
In text and replacement, \\n stands for a line break and \\| for a bar.
Line format of the equivalents: the signature the sampler prints for the fault, then " || " and
the reason.
"""

import argparse
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

import mutateurs

RACINE = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MUTATION = os.path.join(RACINE, "build", "mutation")

# The product's code the faults are drawn over: what the build without the windows compiles.
DOSSIERS_TIRAGE = ["store", "search", "editors", "export", "cli"]
HORS_TIRAGE = re.compile(
    r"^store/fichier_brut_windows\.cpp$"  # built for Windows only
    r"|^search/(?!(recherche|selection|ligne_composition|criteres_recherche"
    r"|rapporteur_progression)\.)"  # the search windows
    r"|^editors/(?!(coherence|ecriture_editeur)\.)")  # the editors' windows


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
            mutants.append({"fichier": fichier.strip(), "avant": decoder(avant),
                            "apres": decoder(apres), "description": description.strip()})
    return mutants


def lire_equivalents(chemin):
    equivalents = {}
    if os.path.exists(chemin):
        with open(chemin, encoding="utf-8") as f:
            for ligne in f:
                if ligne.strip() and not ligne.startswith("#") and " || " in ligne:
                    signature, raison = ligne.rstrip("\n").rsplit(" || ", 1)
                    equivalents[signature.strip()] = raison.strip()
    return equivalents


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


def dans_le_tirage(chemin):
    return chemin.split("/")[0] in DOSSIERS_TIRAGE and not HORS_TIRAGE.search(chemin)


def sources_de(commit):
    """The product files the faults are drawn over, as committed in `commit`: {path: text}."""
    noms = subprocess.run(["git", "ls-tree", "-r", "--name-only", commit, "--"] + DOSSIERS_TIRAGE,
                          cwd=RACINE, stdout=subprocess.PIPE, text=True, check=True).stdout.split()
    sources = {}
    for nom in noms:
        if nom.endswith((".cpp", ".h")) and dans_le_tirage(nom):
            sources[nom] = subprocess.run(["git", "show", f"{commit}:{nom}"], cwd=RACINE,
                                          stdout=subprocess.PIPE, check=True).stdout.decode("utf-8")
    return sources


def preparer(commit, sources, construction, fenetres):
    # The commit is unpacked beside the copy, and only the files that differ are copied over.
    neuf = sources + ".neuf"
    if os.path.isdir(neuf):
        shutil.rmtree(neuf)
    os.makedirs(neuf)
    os.makedirs(sources, exist_ok=True)
    archive = subprocess.run(["git", "archive", commit], cwd=RACINE, stdout=subprocess.PIPE,
                             check=True).stdout
    subprocess.run(["tar", "-x", "-C", neuf], input=archive, check=True)
    anciens, nouveaux = fichiers(sources), fichiers(neuf)
    for chemin in anciens - nouveaux:
        os.remove(os.path.join(sources, chemin))
    for chemin in nouveaux:
        source, cible = os.path.join(neuf, chemin), os.path.join(sources, chemin)
        if chemin in anciens:
            with open(source, "rb") as a, open(cible, "rb") as b:
                if a.read() == b.read():
                    continue
        os.makedirs(os.path.dirname(cible), exist_ok=True)
        shutil.copy2(source, cible)
        os.utime(cible, None)
    shutil.rmtree(neuf)
    options = ["-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug", "-DVELQUOR_TESTS=ON",
               "-DVELQUOR_SANITIZE=OFF", "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS",
               "-DVELQUOR_UI=" + ("ON" if fenetres else "OFF")]
    if shutil.which("ccache"):
        options.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    code, sortie = executer(["cmake", "-S", sources, "-B", construction] + options, RACINE)
    if code != 0:
        sys.exit("configure failed:\n" + sortie)


def construire(construction, jobs, cibles):
    commande = ["cmake", "--build", construction, "-j", str(jobs)]
    for cible in cibles or []:
        commande += ["--target", cible]
    return executer(commande, RACINE, 3600)[0] == 0


class Suite:
    """The tests ctest knows, run directly, in a pool, quickest first, until the first failure."""

    def __init__(self, construction, jobs, inclus, exclus, etiquettes):
        self.jobs = jobs
        commande = ["ctest", "--test-dir", construction, "--show-only=json-v1"]
        for option, valeur in (("-R", inclus), ("-E", exclus), ("-L", etiquettes)):
            if valeur:
                commande += [option, valeur]
        code, sortie = executer(commande, RACINE)
        if code != 0:
            sys.exit("ctest cannot list the tests:\n" + sortie)
        self.tests = []
        for t in json.loads(sortie)["tests"]:
            proprietes = {p["name"]: p["value"] for p in t.get("properties", [])}
            env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
            for entree in proprietes.get("ENVIRONMENT", []):
                nom, _, valeur = entree.partition("=")
                env[nom] = valeur
            self.tests.append({"nom": t["name"], "commande": t["command"], "env": env,
                               "dossier": proprietes.get("WORKING_DIRECTORY", construction),
                               "verrous": set(proprietes.get("RESOURCE_LOCK", []))})
        self.durees = {}
        self.tueurs = {}  # by file: how many faults each test caught

    def lancer(self, fichier=None):
        """Runs the tests, those that caught faults of this file first, then the quickest. The
        name of the first test that failed, or None when all passed."""
        deja = self.tueurs.get(fichier, {})
        ordre = sorted(self.tests, key=lambda t: (-deja.get(t["nom"], 0),
                                                  self.durees.get(t["nom"], 0)))
        en_cours = {}
        echec = None
        try:
            while (ordre or en_cours) and echec is None:
                # Tests that share a resource (the one X server) never run at once, as in ctest.
                pris = set().union(*(t["verrous"] for t, _, _ in en_cours.values()))
                libres = [t for t in ordre if not t["verrous"] & pris]
                while libres and len(en_cours) < self.jobs:
                    t = libres.pop(0)
                    ordre.remove(t)
                    pris |= t["verrous"]
                    libres = [u for u in libres if not u["verrous"] & pris]
                    p = subprocess.Popen(t["commande"], cwd=t["dossier"], env=t["env"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                         start_new_session=True)
                    delai = max(60, 10 * self.durees.get(t["nom"], 60))
                    en_cours[p] = (t, time.time(), delai)
                time.sleep(0.02)
                for p, (t, debut, delai) in list(en_cours.items()):
                    code = p.poll()
                    duree = time.time() - debut
                    if code is None and duree < delai:
                        continue
                    if code is None:
                        self.tuer(p)
                    del en_cours[p]
                    if code == 0:
                        self.durees.setdefault(t["nom"], duree)
                    elif echec is None:
                        echec = t["nom"] + (" (time)" if code is None else "")
                        if fichier is not None:
                            tueurs = self.tueurs.setdefault(fichier, {})
                            tueurs[t["nom"]] = tueurs.get(t["nom"], 0) + 1
        finally:
            for p in en_cours:
                self.tuer(p)
        return echec

    @staticmethod
    def tuer(p):
        try:
            os.killpg(p.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        p.wait()


def planter(chemin, faute):
    """Plants the fault; the original text, or None when it cannot be planted."""
    with open(chemin, encoding="utf-8") as f:
        original = f.read()
    if "signature" in faute:
        change = mutateurs.appliquer(original, faute)
    elif original.count(faute["avant"]) == 1:
        change = original.replace(faute["avant"], faute["apres"])
    else:
        change = None
    if change is None:
        return None
    with open(chemin, "w", encoding="utf-8") as f:
        f.write(change)
    return original


# Why a fault is left out of the score.
ECARTS = {"fenetres": "-  code of the windows", "absent": "?  not in HEAD any more",
          None: "-  does not build"}


def decrire(faute):
    if "signature" in faute:
        return (f"{faute['fichier']}:{faute['ligne']} {faute['operateur']}\n"
                f"      - {faute['avant_ligne'].strip()}\n      + {faute['apres_ligne'].strip()}")
    return f"{faute['fichier']}: {faute['description']}"


def main():
    analyse = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    analyse.add_argument("numeros", nargs="*", type=int)
    analyse.add_argument("--liste", default=os.path.join(RACINE, "scripts", "mutants.txt"))
    analyse.add_argument("--tirage", type=int, help="draw this many faults mechanically")
    analyse.add_argument("--graine", type=int, default=29, help="the seed of the draw")
    analyse.add_argument("--source", default="HEAD", help="the commit the faults are drawn over")
    analyse.add_argument("--montrer", action="store_true", help="only print the faults drawn")
    analyse.add_argument("--sans-fenetres", action="store_true",
                         help="the hand-picked list on the build without the windows (the faults "
                              "of the windows' files left out)")
    analyse.add_argument("--equivalents",
                         default=os.path.join(RACINE, "scripts", "equivalents.txt"))
    analyse.add_argument("-j", "--jobs", type=int, default=os.cpu_count() or 2)
    analyse.add_argument("-R", dest="inclus", help="only the tests matching this")
    analyse.add_argument("-E", dest="exclus", help="leave out the tests matching this")
    analyse.add_argument("-L", dest="etiquettes", help="only the tests of these folders")
    analyse.add_argument("-t", dest="cibles", action="append", help="build only this target")
    args = analyse.parse_args()

    equivalents = {}
    if args.tirage:
        source = subprocess.run(["git", "rev-parse", args.source], cwd=RACINE,
                                stdout=subprocess.PIPE, text=True, check=True).stdout.strip()
        mutants = mutateurs.tirer(mutateurs.toutes(sources_de(source)), args.tirage, args.graine)
        equivalents = lire_equivalents(args.equivalents)
        print(f"{len(mutants)} faults drawn with seed {args.graine} over {source[:12]}")
        dossier = os.path.join(MUTATION, "sans-fenetres")
    else:
        mutants = lire_liste(args.liste)
        dossier = os.path.join(MUTATION, "liste-sans-fenetres") if args.sans_fenetres else MUTATION
    choisis = args.numeros or list(range(1, len(mutants) + 1))
    if args.montrer:
        for n in choisis:
            f = mutants[n - 1]
            print(f"{n:3} {decrire(f)}\n      [{f.get('signature', '')}]")
        return

    tete = subprocess.run(["git", "rev-parse", "HEAD"], cwd=RACINE, stdout=subprocess.PIPE,
                          text=True, check=True).stdout.strip()
    sources, construction = os.path.join(dossier, "src"), os.path.join(dossier, "build")
    fenetres = not args.tirage and not args.sans_fenetres
    preparer(tete, sources, construction, fenetres)
    if not construire(construction, args.jobs, args.cibles):
        sys.exit("the unchanged tree does not build")
    suite = Suite(construction, args.jobs, args.inclus, args.exclus, args.etiquettes)
    echec = suite.lancer()
    if echec:
        sys.exit("the unchanged tree fails its tests: " + echec)

    # What a run stopped half-way already measured, for this tree and these tests.
    arbre = subprocess.run(["git", "rev-parse", tete + "^{tree}"], cwd=RACINE,
                           stdout=subprocess.PIPE, text=True, check=True).stdout.strip()
    cle_suite = f"{arbre} {args.inclus} {args.exclus} {args.etiquettes} {args.cibles}"
    journal = os.path.join(dossier, "resultats.jsonl")
    connus = {}
    if args.tirage and os.path.exists(journal):
        with open(journal, encoding="utf-8") as f:
            for ligne in f:
                r = json.loads(ligne)
                if r["suite"] == cle_suite:
                    connus[r["signature"]] = r

    attrapes, survivants, ecartes, equivalents_vus = [], [], [], []
    # The faults of one file one after the other: the file is built again once per fault.
    for n in sorted(choisis, key=lambda n: (mutants[n - 1]["fichier"], n)):
        faute = mutants[n - 1]
        signature = faute.get("signature")
        if signature in equivalents:
            equivalents_vus.append(n)
            print(f"{n:3} equivalent: {decrire(faute)}\n      ({equivalents[signature]})",
                  flush=True)
            continue
        if not fenetres and not dans_le_tirage(faute["fichier"]):
            statut, duree, test = "fenetres", 0, ""
        elif signature in connus:
            r = connus[signature]
            statut, duree, test = r["statut"], r["duree"], r["test"]
        else:
            chemin = os.path.join(sources, faute["fichier"])
            debut = time.time()
            original = planter(chemin, faute)
            if original is None:
                statut, duree, test = "absent", 0, ""
            else:
                try:
                    if not construire(construction, args.jobs, args.cibles):
                        statut, test = "non construit", ""
                    else:
                        test = suite.lancer(faute["fichier"])
                        statut = "attrape" if test else "survit"
                finally:
                    with open(chemin, "w", encoding="utf-8") as f:
                        f.write(original)
                    # The restored file must look changed to the build.
                    os.utime(chemin, None)
                duree = time.time() - debut
            if signature:
                with open(journal, "a", encoding="utf-8") as f:
                    f.write(json.dumps({"suite": cle_suite, "signature": signature,
                                        "statut": statut, "duree": duree, "test": test},
                                       ensure_ascii=False) + "\n")
        if statut == "attrape":
            attrapes.append(n)
            print(f"{n:3} caught   ({duree:.0f} s) {decrire(faute)}\n      [{test}]", flush=True)
        elif statut == "survit":
            survivants.append(n)
            print(f"{n:3} SURVIVED ({duree:.0f} s) {decrire(faute)}", flush=True)
        else:
            ecartes.append(n)
            print(f"{n:3} {ECARTS.get(statut, ECARTS[None])}: {decrire(faute)}", flush=True)
    construire(construction, args.jobs, args.cibles)
    total = len(attrapes) + len(survivants)
    if total:
        print(f"\nScore: {len(attrapes)}/{total} caught ({100 * len(attrapes) / total:.1f} %); "
              f"survived: {sorted(survivants) or 'none'}; equivalent: "
              f"{sorted(equivalents_vus) or 'none'}; left out: {len(ecartes)} "
              f"({sorted(ecartes) or 'none'})")


if __name__ == "__main__":
    main()
