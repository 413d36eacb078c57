#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the hand-made seeds of fuzz/corpus/paire and fuzz/corpus/verifier: sound pairs built
as the store builds them (a binary tree of 47-byte nodes, records after an 8-byte header), and
damaged ones (cycles, wrong parent links, keys without terminator, records out of the file,
truncated nodes, negative counts, names out of order or twice), with a few operation streams for
the store harness. Run from anywhere; it rewrites only its own seed files (graine_*)."""

import os
import struct

ICI = os.path.dirname(os.path.abspath(__file__))
TAILLES = [282, 283, 833, 833]  # family, ingredient, cocktail, result records
AUCUN = -1


def noeud(pos_enreg, cle, droite=AUCUN, gauche=AUCUN, pere=AUCUN):
    cle = cle[:31].ljust(31, b"\0")
    return struct.pack("<i", pos_enreg) + cle + struct.pack("<iii", droite, gauche, pere)


class Paire:
    """A pair built by additions in the given order, as the store's Ajouter writes it."""

    def __init__(self, genre, noms=()):
        self.genre = genre
        self.noeuds = []  # [pos_enreg, cle, droite, gauche, pere]
        self.enregs = []
        for nom in noms:
            self.ajouter(nom)

    def ajouter(self, nom):
        taille = TAILLES[self.genre]
        pos_enreg = 8 + len(self.enregs) * taille
        self.enregs.append(nom[:31].ljust(taille, b"\0"))
        pos = len(self.noeuds) * 47
        pere = AUCUN
        if self.noeuds:
            i = 0
            while True:
                n = self.noeuds[i]
                cote = 2 if n[1] < nom else 3
                if n[cote] == AUCUN:
                    n[cote] = pos
                    pere = i * 47
                    break
                i = n[cote] // 47
        self.noeuds.append([pos_enreg, nom, AUCUN, AUCUN, pere])

    def index(self):
        return b"".join(noeud(*n) for n in self.noeuds)

    def donnees(self, compte=None):
        compte = len(self.enregs) if compte is None else compte
        return struct.pack("<iI", compte, 0) + b"".join(self.enregs)


def entree_verifier(choix, index, donnees):
    return bytes([choix]) + struct.pack("<H", len(index)) + index + donnees


def entree_paire(choix, index, donnees, operations=b""):
    return (bytes([choix]) + struct.pack("<H", len(index)) + index +
            struct.pack("<H", len(donnees)) + donnees + operations)


# Operation codes of fuzz_paire.cpp (bit 7: the second object).
PREMIER, DERNIER, SUIVANT, PRECEDENT, AVANT, ARRIERE = 0, 1, 2, 3, 4, 5
CHERCHER, AJOUTER, SUPPRIMER, MODIFIER, LIRE, LOT, FIN_LOT, ROUVRIR = 6, 8, 10, 11, 12, 13, 14, 15
B = 0x80


def nom(texte):
    return bytes([len(texte) * 4]) + texte


def ajouter(texte, objet=0):
    return bytes([AJOUTER | objet]) + nom(texte) + bytes([1, 0])


def chercher(texte, objet=0):
    return bytes([CHERCHER | objet]) + nom(texte)


def connu(indice, objet=0, code=CHERCHER):
    return bytes([code | objet, 1, indice])


def modifier(octets, objet=0):
    return bytes([MODIFIER | objet, 1 | len(octets) << 2, 10]) + octets


NOMS = [b"MOJITO", b"BELLINI", b"NEGRONI", b"DAIQUIRI", b"ZOMBIE", b"AMERICANO", b"SPRITZ"]


def graines_verifier():
    g = {}
    sain = Paire(0, NOMS)
    g["sain_famille"] = entree_verifier(0, sain.index(), sain.donnees())
    cocktails = Paire(2, NOMS[:3])
    g["sain_cocktail"] = entree_verifier(2, cocktails.index(), cocktails.donnees())
    chaine = Paire(1, sorted(NOMS))
    g["chaine_ingredient"] = entree_verifier(1, chaine.index(), chaine.donnees())
    g["vide_resultat"] = entree_verifier(3, b"", b"")
    g["sans_index"] = entree_verifier(4, b"", sain.donnees())
    g["sans_donnees"] = entree_verifier(8, sain.index(), b"")

    cycle = Paire(0, NOMS[:3])
    cycle.noeuds[1][2] = 47  # a node its own greater child
    g["cycle"] = entree_verifier(0, cycle.index(), cycle.donnees())
    retour = Paire(0, NOMS[:3])
    retour.noeuds[2][3] = 0  # a link back to the root
    g["lien_racine"] = entree_verifier(0, retour.index(), retour.donnees())
    pere = Paire(0, NOMS)
    pere.noeuds[3][4] = 47 * 5
    g["pere_faux"] = entree_verifier(0, pere.index(), pere.donnees())
    longue = Paire(0, [b"A" * 31, b"B" * 30, b"C"])
    g["cle_sans_terminateur"] = entree_verifier(0, longue.index(), longue.donnees())
    hors = Paire(2, NOMS[:4])
    hors.noeuds[2][0] = 8 + 833 * 9
    hors.noeuds[3][0] = 3
    g["enreg_hors_fichier"] = entree_verifier(2, hors.index(), hors.donnees())
    g["compte_negatif"] = entree_verifier(0, sain.index(), sain.donnees(-3))
    g["compte_trop_grand"] = entree_verifier(0, sain.index(), sain.donnees(1000))
    g["noeud_tronque"] = entree_verifier(0, sain.index()[:-20], sain.donnees()[:-100])
    double = Paire(0, NOMS[:4])
    double.noeuds[3][1] = NOMS[1]
    g["nom_double"] = entree_verifier(0, double.index(), double.donnees())
    desordre = Paire(0, NOMS)
    desordre.noeuds[0][1], desordre.noeuds[1][1] = desordre.noeuds[1][1], desordre.noeuds[0][1]
    g["desordre"] = entree_verifier(0, desordre.index(), desordre.donnees())
    g["lien_desaligne"] = entree_verifier(
        0, noeud(8, b"M", 50) + b"\0" * 3 + noeud(8, b"Z", pere=0), Paire(0, [b"M"]).donnees(2))
    return g


def graines_paire():
    g = {}
    # A new pair (no files, OuvrirCollection), filled and emptied again by both objects.
    ops = b"".join(ajouter(n) for n in NOMS)
    ops += bytes([AVANT, ARRIERE | B])
    ops += chercher(b"NEGRONI") + bytes([SUPPRIMER]) + chercher(b"PUNCH", B) + bytes([SUIVANT | B])
    ops += connu(2, B) + modifier(b"REMARQUE", B) + bytes([LIRE | B, PRECEDENT | B])
    ops += bytes([LOT]) + ajouter(b"COSMOPOLITAN") + ajouter(b"ALEXANDER", B) + bytes([AVANT | B])
    ops += bytes([PREMIER, SUPPRIMER, FIN_LOT, ROUVRIR, AVANT, DERNIER | B, SUPPRIMER | B, ARRIERE])
    g["nouvelle_famille"] = entree_paire(4 | 8 | 16, b"", b"", ops)
    g["nouvelle_cocktail"] = entree_paire(2 | 4 | 8 | 16, b"", b"",
                                          ops + bytes([PREMIER, SUPPRIMER] * 8 + [AVANT]))
    # A header that counts no record, over dead nodes and records.
    morte = Paire(1, NOMS)
    g["vide_sur_mortes"] = entree_paire(1, morte.index(), morte.donnees(0),
                                        ajouter(b"GIN") + ajouter(b"VODKA", B) + bytes([AVANT]))
    # Sound and damaged pairs, walked and changed.
    parcours = bytes([AVANT, ARRIERE | B]) + connu(1) + bytes([SUPPRIMER]) + connu(4, B)
    parcours += bytes([SUPPRIMER | B]) + ajouter(b"PUNCH") + bytes([AVANT, PREMIER, SUPPRIMER])
    parcours += bytes([LOT | B]) + ajouter(b"ROB ROY", B) + bytes([ARRIERE, FIN_LOT])
    for nom_graine, entree in graines_verifier().items():
        choix = entree[0]
        longueur = struct.unpack("<H", entree[1:3])[0]
        index, donnees = entree[3:3 + longueur], entree[3 + longueur:]
        g[nom_graine] = entree_paire(choix | 16, index, donnees, parcours)
    return g


def ecrire(dossier, graines):
    chemin = os.path.join(ICI, "corpus", dossier)
    os.makedirs(chemin, exist_ok=True)
    for nom_graine, octets in graines.items():
        with open(os.path.join(chemin, "graine_" + nom_graine), "wb") as f:
            f.write(octets)


ecrire("verifier", graines_verifier())
ecrire("paire", graines_paire())
