#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Refreshes a committed corpus from a run: fuzz/reduire_corpus.py CIBLE [DOSSIER...] [--max N]

Runs the fuzzing build's harness (build-fuzz/fuzz/fuzz_CIBLE) in merge mode over the committed
corpus fuzz/corpus/CIBLE and the given directories (by default build-fuzz/travail/CIBLE), then
keeps a small set of inputs: every edge any input reaches, chosen greedily (the input that adds
most first, smaller first among equals), then more inputs for the rarer hit counts as long as
they add some, up to N files in all (200 by default). Hand-made seeds and findings (files whose
name is not a hash) always stay; the kept inputs are named by their SHA-1, as libFuzzer names
them, and the others of that kind are removed."""

import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile

ICI = os.path.dirname(os.path.abspath(__file__))
RACINE = os.path.dirname(ICI)
HACHE = re.compile(r"^[0-9a-f]{40}$")


def main():
    args = sys.argv[1:]
    maximum = 200
    if "--max" in args:
        i = args.index("--max")
        maximum = int(args[i + 1])
        del args[i:i + 2]
    cible = args[0]
    corpus = os.path.join(ICI, "corpus", cible)
    sources = [os.path.abspath(d) for d in args[1:]] or [
        os.path.join(RACINE, "build-fuzz", "travail", cible)]
    harnais = os.path.join(RACINE, "build-fuzz", "fuzz", "fuzz_" + cible)

    with tempfile.TemporaryDirectory() as tmp:
        controle = os.path.join(tmp, "controle")
        vide = os.path.join(tmp, "vide")
        os.mkdir(vide)
        subprocess.run([harnais, "-merge=1", "-merge_control_file=" + controle, vide, corpus] +
                       sources, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        with open(controle) as f:
            lignes = f.read().splitlines()
        n = int(lignes[0])
        fichiers = lignes[2:2 + n]
        traits = {}
        for ligne in lignes[2 + n:]:
            mots = ligne.split()
            if mots and mots[0] == "FT":
                traits[int(mots[1])] = set(int(t) for t in mots[2:])

    gardes = [i for i, chemin in enumerate(fichiers)
              if os.path.dirname(chemin) == corpus and not HACHE.match(os.path.basename(chemin))]
    taille = {i: os.path.getsize(fichiers[i]) for i in traits}

    def glouton(couverts, cle):
        restants = {i: {cle(t) for t in traits[i]} - couverts for i in traits if i not in gardes}
        while len(gardes) < maximum:
            meilleur = max(restants, key=lambda i: (len(restants[i]), -taille[i]), default=None)
            if meilleur is None or not restants[meilleur]:
                break
            couverts |= restants.pop(meilleur)
            gardes.append(meilleur)
            for i in restants:
                restants[i] -= couverts

    # Edges first (a feature of an 8-bit counter is its index times 8 plus its hit bucket).
    aretes = set()
    for i in gardes:
        aretes |= {t // 8 for t in traits.get(i, ())}
    glouton(aretes, lambda t: t // 8)
    vus = set()
    for i in gardes:
        vus |= traits.get(i, set())
    glouton(vus, lambda t: t)

    for nom in os.listdir(corpus):
        if HACHE.match(nom):
            os.remove(os.path.join(corpus, nom))
    for i in gardes:
        chemin = fichiers[i]
        if os.path.dirname(chemin) == corpus and not HACHE.match(os.path.basename(chemin)):
            continue
        with open(chemin, "rb") as f:
            nom = hashlib.sha1(f.read()).hexdigest()
        shutil.copyfile(chemin, os.path.join(corpus, nom))
    total = sum(os.path.getsize(os.path.join(corpus, nom)) for nom in os.listdir(corpus))
    print(f"{cible}: {len(os.listdir(corpus))} files, {total} bytes, "
          f"{len({t // 8 for i in gardes for t in traits.get(i, ())})} edges kept of "
          f"{len({t // 8 for s in traits.values() for t in s})}")


main()
