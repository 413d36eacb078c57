#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window program driven from outside, as a user at the keyboard drives it.

Starts the program (any command: the Linux build, or velquor.exe under Wine) in a folder on the
X display of $DISPLAY (a window manager running), and sends real key presses through XTest with
xdotool: it creates a family with a comment, an alcoholic ingredient and a cocktail whose second
row names a new ingredient (the program asks, the answer is yes), then quits by the menu. It
reads nothing of the program but what the X server shows: the active window's title, and the
top-level windows that a menu opening maps. Every step waits on such a condition, with a
deadline, never on a fixed delay. The files the program leaves are the result.

    scenario-fenetres.py FOLDER [--capture FILE.png] -- COMMAND [ARG...]

Exits 0 when the scenario ran through and the program ended by itself, 1 otherwise (naming
the step, with a picture of the screen beside --capture when one was asked for).
"""

import argparse
import os
import subprocess
import sys
import time

DELAI = 60.0  # seconds; Wine's first window can be slow on a loaded machine
PRINCIPALE = "Le Velquor"
NOUVELLE = "Créer une nouvelle fiche"


class Echec(Exception):
    pass


def xdotool(*args, verifier=True):
    r = subprocess.run(["xdotool", *args], capture_output=True, text=True)
    if verifier and r.returncode != 0:
        raise Echec(f"xdotool {' '.join(args)}: {r.stderr.strip()}")
    return r.stdout.strip()


def attendre(condition, quoi, programme):
    fin = time.monotonic() + DELAI
    while time.monotonic() < fin:
        if programme.poll() is not None:
            raise Echec(f"{quoi}: the program ended (status {programme.returncode})")
        if condition():
            return
        time.sleep(0.05)
    raise Echec(f"{quoi}: still not there after {DELAI:.0f} s "
                f"(active window: « {titre_actif()} »)")


def titre_actif():
    fenetre = xdotool("getactivewindow", verifier=False)
    return xdotool("getwindowname", fenetre, verifier=False) if fenetre else ""


def fenetres_visibles():
    sortie = xdotool("search", "--onlyvisible", "--maxdepth", "1", "--name", "", verifier=False)
    return len(sortie.split())


class Scenario:
    def __init__(self, programme):
        self.programme = programme

    def titre(self, titre):
        attendre(lambda: titre_actif() == titre, f"the window « {titre} »", self.programme)

    def touches(self, *touches):
        xdotool("key", "--clearmodifiers", *touches)

    def taper(self, texte):
        xdotool("type", "--delay", "20", texte)

    def menu(self, ouvrir, lettre):
        """Opens a menu by the keyboard, waits for it on screen, picks the item by its letter."""
        avant = fenetres_visibles()
        self.touches(*ouvrir.split())
        attendre(lambda: fenetres_visibles() > avant, f"the menu of {ouvrir}", self.programme)
        self.touches(lettre)

    def vue(self, lettre, nom):
        self.menu("F10 Down", lettre)
        self.titre(f"{PRINCIPALE} - [{nom}]")

    def fiche(self, nom, vue):
        self.menu("alt+e", "n")
        self.titre(NOUVELLE)
        self.touches("ctrl+a")
        self.taper(nom)
        self.touches("Return")
        self.titre(f"{PRINCIPALE} - [{vue}]")

    def derouler(self):
        self.titre(PRINCIPALE)
        # A family with a comment, written when the comment loses the focus.
        self.vue("f", "Gestion des familles")
        self.fiche("flips", "Gestion des familles")
        self.touches("Tab")
        self.taper("Oeuf entier, secoue fort")
        self.touches("Tab")
        # An alcoholic ingredient.
        self.vue("i", "Gestion des ingrédients")
        self.fiche("genievre", "Gestion des ingrédients")
        self.touches("alt+a")
        # A cocktail: a known ingredient, then one the collection lacks, which the program
        # offers to create; its family and a remark.
        self.vue("c", "Gestion des cocktails")
        self.fiche("flip au genievre", "Gestion des cocktails")
        self.touches("Tab")
        self.taper("4 cl\tGENIEVRE\t1\tjaune d'oeuf\t")
        attendre(lambda: titre_actif() not in ("", f"{PRINCIPALE} - [Gestion des cocktails]"),
                 "the question on the new ingredient", self.programme)
        self.touches("alt+o")
        self.titre(f"{PRINCIPALE} - [Gestion des cocktails]")
        self.touches("alt+f")
        self.taper("FLIPS\tSecouer sur glace.\t")
        # Quit by the menu: what the fields hold is written, and the program ends.
        self.menu("F10 Down", "q")
        fin = time.monotonic() + DELAI
        while self.programme.poll() is None:
            if time.monotonic() > fin:
                raise Echec(f"the program did not end after Quitter "
                            f"(active window: « {titre_actif()} »)")
            time.sleep(0.05)
        if self.programme.returncode != 0:
            raise Echec(f"the program ended with status {self.programme.returncode}")


def capturer(fichier, fenetre="root"):
    subprocess.run(["import", "-frame", "-window", fenetre, fichier], capture_output=True)


def couleurs(fichier):
    r = subprocess.run(["identify", "-format", "%k", fichier], capture_output=True, text=True)
    return int(r.stdout) if r.stdout.strip().isdigit() else 0


def capturer_dessinee(fichier, programme):
    """A picture of the active window once it is drawn: its colours many, and the same in two
    pictures in a row."""
    fenetre = xdotool("getactivewindow")
    precedent = None

    def stable():
        nonlocal precedent
        capturer(fichier, fenetre)
        octets = open(fichier, "rb").read() if os.path.exists(fichier) else b""
        pret = couleurs(fichier) > 16 and octets == precedent
        precedent = octets
        return pret

    attendre(stable, "the main window drawn", programme)


def main():
    analyse = argparse.ArgumentParser()
    analyse.add_argument("dossier")
    analyse.add_argument("--capture", help="picture of the main window once it is up")
    if "--" not in sys.argv[1:]:
        analyse.error("the program's command comes after --")
    separation = sys.argv.index("--")
    options = analyse.parse_args(sys.argv[1:separation])
    commande = sys.argv[separation + 1:]
    programme = subprocess.Popen(commande, cwd=options.dossier, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
    scenario = Scenario(programme)
    # The pointer out of the way: no tooltip comes up under it to pass for a menu.
    xdotool("mousemove", "0", "0", verifier=False)
    try:
        if options.capture:
            scenario.titre(PRINCIPALE)
            capturer_dessinee(options.capture, programme)
        scenario.derouler()
    except Echec as e:
        if options.capture:
            capturer(os.path.splitext(options.capture)[0] + "-echec.png")
        programme.kill()
        programme.wait()
        print(f"scenario: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
