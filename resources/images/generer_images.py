#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures and writes them beside this script.

    python3 resources/images/generer_images.py

- the toolbar glyphs 101 to 110 and the divider 1: 26 x 26, 16 colours (BMP, 4 bits a pixel);
- the logo 999: 255 x 145, 16 colours (BMP, 4 bits a pixel);
- the icons 1001 (main window) and 1002 (views), 32 x 32 and 16 x 16 (BMP, 4 bits a pixel;
  the light grey of their background is what the program makes transparent);
- the glyphs and the logo again at twice their size (NNN@2x.bmp, the same drawings), which
  the program shows on screens of high density;
- the desktop's icon of the program, the glass of icon 1001, at the theme's sizes (PNG with
  true colours and transparency) and as an SVG picture, in installation/icones/.

Every picture uses the standard 16-colour palette in its usual order, so that the program can
map its colours on the colour table: light grey (192, 192, 192) is the button face, dark grey
(128, 128, 128) the button shadow, black the button text, white (entry 15) the highlight.
Standard library only: a small rasteriser (polygons, strokes, ellipses, super-sampled) and a
BMP writer.
"""

import math
import os
import struct
import zlib

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NOIR, BORDEAUX, VERT, OLIVE, MARINE, POURPRE, SARCELLE, GRIS_CLAIR = range(8)
GRIS_FONCE, ROUGE, VERT_VIF, JAUNE, BLEU, MAGENTA, CYAN, BLANC = range(8, 16)


# ---- rasteriser ------------------------------------------------------------------------------

class Toile:
    """A picture drawn in palette indices on a super-sampled grid (ss x ss samples a pixel).
    Coordinates are in pixels (floats); pixel (i, j) covers [i, i + 1) x [j, j + 1)."""

    def __init__(self, largeur, hauteur, fond=GRIS_CLAIR, ss=4, echelle=1):
        # echelle: the picture is drawn in the same coordinates, echelle times larger (the
        # pictures for high-density screens).
        self.l, self.h = largeur * echelle, hauteur * echelle
        self.ss = ss * echelle
        self.L, self.H = self.l * ss, self.h * ss
        self.ss_pixel = ss
        self.ech = [fond] * (self.L * self.H)

    def polygone(self, contours, couleur):
        """Fills one or several closed contours (even-odd rule)."""
        if contours and isinstance(contours[0][0], (int, float)):
            contours = [contours]
        aretes = []
        for pts in contours:
            for k in range(len(pts)):
                (x0, y0), (x1, y1) = pts[k], pts[(k + 1) % len(pts)]
                if y0 != y1:
                    aretes.append((x0 * self.ss, y0 * self.ss, x1 * self.ss, y1 * self.ss))
        if not aretes:
            return
        ymin = max(0, int(math.floor(min(min(a[1], a[3]) for a in aretes))))
        ymax = min(self.H - 1, int(math.ceil(max(max(a[1], a[3]) for a in aretes))))
        for j in range(ymin, ymax + 1):
            y = j + 0.5
            xs = []
            for x0, y0, x1, y1 in aretes:
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            base = j * self.L
            for k in range(0, len(xs) - 1, 2):
                i0 = max(0, int(math.ceil(xs[k] - 0.5)))
                i1 = min(self.L - 1, int(math.ceil(xs[k + 1] - 0.5)) - 1)
                for i in range(i0, i1 + 1):
                    self.ech[base + i] = couleur

    def rect(self, x0, y0, x1, y1, couleur):
        self.polygone([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], couleur)

    def ellipse(self, cx, cy, rx, ry, couleur, a0=0, a1=360, n=72):
        """A filled ellipse, or a pie slice from angle a0 to a1 (degrees, y pointing down)."""
        if a1 - a0 >= 360:
            pts = arc(cx, cy, rx, ry, 0, 360, n)[:-1]
        else:
            pts = [(cx, cy)] + arc(cx, cy, rx, ry, a0, a1, n)
        self.polygone(pts, couleur)

    def trait(self, pts, epaisseur, couleur, bouts_ronds=True):
        """A polyline of that width, with round joins (and round ends unless told otherwise)."""
        r = epaisseur / 2.0
        for k in range(len(pts) - 1):
            (x0, y0), (x1, y1) = pts[k], pts[k + 1]
            dx, dy = x1 - x0, y1 - y0
            n = math.hypot(dx, dy)
            if n == 0:
                continue
            nx, ny = -dy / n * r, dx / n * r
            self.polygone([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                           (x0 - nx, y0 - ny)], couleur)
        rondes = pts if bouts_ronds else pts[1:-1]
        if r >= 0.6:
            for x, y in rondes:
                self.ellipse(x, y, r, r, couleur, n=24)

    def point(self, x, y, couleur):
        """One whole pixel."""
        self.rect(x, y, x + 1, y + 1, couleur)

    def pixels(self, mode="majorite"):
        """The picture at its real size: each pixel takes the colour most of its samples have
        ("majorite", crisp), or the palette colour nearest to their average ("melange")."""
        ss, res = self.ss_pixel, []
        for j in range(self.h):
            for i in range(self.l):
                compte = {}
                for b in range(ss):
                    base = (j * ss + b) * self.L + i * ss
                    for a in range(ss):
                        c = self.ech[base + a]
                        compte[c] = compte.get(c, 0) + 1
                if mode == "majorite" or len(compte) == 1:
                    res.append(max(compte.items(), key=lambda kv: kv[1])[0])
                else:
                    n = ss * ss
                    moy = [sum(PALETTE[c][k] * m for c, m in compte.items()) / n for k in range(3)]
                    res.append(plus_proche(moy, compte))
        return res


def plus_proche(rgb, presentes):
    """The palette colour nearest to rgb. Light grey is the background that the program
    re-colours: an edge pixel only takes it when most of its samples are background."""
    meilleur, dist = None, None
    for k, c in enumerate(PALETTE):
        if k == GRIS_CLAIR and presentes.get(GRIS_CLAIR, 0) * 2 < sum(presentes.values()):
            continue
        d = sum((rgb[m] - c[m]) ** 2 for m in range(3))
        if dist is None or d < dist:
            meilleur, dist = k, d
    return meilleur


def arc(cx, cy, rx, ry, a0, a1, n=48):
    """Points of an elliptical arc from angle a0 to a1 in degrees (0 = right, 90 = down)."""
    pas = max(2, int(n * abs(a1 - a0) / 360) + 1)
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / pas)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / pas))) for k in range(pas + 1)]


def bezier(p0, p1, p2, p3, n=24):
    pts = []
    for k in range(n + 1):
        t = k / n
        u = 1 - t
        pts.append((u ** 3 * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t ** 3 * p3[0],
                    u ** 3 * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t ** 3 * p3[1]))
    return pts


# ---- BMP writer --------------------------------------------------------------------------------

def ecrire_bmp(chemin, largeur, hauteur, pixels):
    """A 4-bit palette BMP (BITMAPINFOHEADER, 16-entry colour table, rows bottom-up)."""
    octets_ligne = ((largeur * 4 + 31) // 32) * 4
    lignes = []
    for j in range(hauteur - 1, -1, -1):
        ligne = bytearray(octets_ligne)
        for i in range(largeur):
            v = pixels[j * largeur + i]
            if i % 2 == 0:
                ligne[i // 2] |= v << 4
            else:
                ligne[i // 2] |= v
        lignes.append(bytes(ligne))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    donnees = b"".join(lignes)
    decalage = 14 + 40 + len(table)
    entete = struct.pack("<2sIHHI", b"BM", decalage + len(donnees), 0, 0, decalage)
    info = struct.pack("<IiiHHIIiiII", 40, largeur, hauteur, 1, 4, 0, len(donnees), 3780, 3780,
                       16, 16)
    with open(chemin, "wb") as f:
        f.write(entete + info + table + donnees)


# ---- lettering ---------------------------------------------------------------------------------
# A small stroke alphabet for the logo, in units where the x-height is 10 and the capitals 14,
# y pointing up from the baseline. Each letter: its strokes and its advance.

def farc(cx, cy, rx, ry, a0, a1, n=40):
    """An arc in letter units: angles in degrees, 0 = right, 90 = up."""
    pas = max(2, int(n * abs(a1 - a0) / 360) + 1)
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * k / pas)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * k / pas))) for k in range(pas + 1)]


def _o(cx=4.5):
    return farc(cx, 5, 4.5, 5, 0, 360)


LETTRES = {
    "L": ([[(0, 14), (0, 0), (8, 0)]], 9.5),
    "V": ([[(0, 14), (5, 0), (10, 14)]], 11),
    "R": ([[(0, 0), (0, 14), (4.5, 14)] + farc(4.5, 10.5, 3.5, 3.5, 90, -90)[1:] + [(0, 7)],
           [(3.5, 7), (8.5, 0)]], 10),
    "o": ([_o()], 10),
    "e": ([[(0.2, 5), (9, 5)] + farc(4.5, 5, 4.5, 5, 0, 315)[1:]], 10),
    "c": ([farc(4.5, 5, 4.5, 5, 45, 315)], 9),
    "a": ([_o(), [(9, 10), (9, 0)]], 10.5),
    "d": ([_o(), [(9, 15), (9, 0)]], 10.5),
    "q": ([_o(), [(9, 10), (9, -5)]], 10.5),
    "u": ([[(0, 10), (0, 4.5)] + farc(4.5, 4.5, 4.5, 4.5, 180, 360)[1:] + [(9, 10)],
           [(9, 10), (9, 0)]], 10.5),
    "r": ([[(0, 10), (0, 0)], farc(5.5, 4, 5.5, 6, 180, 75)], 7.5),
    "l": ([[(0, 15), (0, 0)]], 3),
    "i": ([[(0, 10), (0, 0)], [(0, 13.2), (0, 13.4)]], 3),
    "t": ([[(1.5, 13.5), (1.5, 2)] + farc(4, 2, 2.5, 2, 180, 300)[1:], [(0, 10), (5, 10)]], 6),
    "s": ([farc(4, 7.5, 3.8, 2.5, 30, 270) + farc(4, 2.5, 4, 2.5, 90, -150)[1:]], 8.5),
    "k": ([[(0, 15), (0, 0)], [(7.5, 10), (0, 3.5)], [(2.8, 5.8), (8, 0)]], 8.5),
    " ": ([], 4),
}


def largeur_texte(chaine, espace=2.2):
    return sum(LETTRES[c][1] + espace for c in chaine) - espace


def texte(toile, chaine, x, base, k, epaisseur, couleur, penche=0.2, espace=2.2):
    """Writes chaine with its baseline at base (pixels), k pixels a unit, slanted."""
    for c in chaine:
        traits, avance = LETTRES[c]
        for t in traits:
            toile.trait([(x + (u + penche * v) * k, base - v * k) for u, v in t], epaisseur, couleur)
        x += (avance + espace) * k
    return x


# ---- toolbar glyphs (26 x 26) ------------------------------------------------------------------

def feuille(t, x0, y0, x1, y1, coin=5, lignes=True):
    """A white sheet with a folded top-right corner and lines of text."""
    t.polygone([(x0, y0), (x1 - coin, y0), (x1, y0 + coin), (x1, y1), (x0, y1)], NOIR)
    t.polygone([(x0 + 1, y0 + 1), (x1 - coin - 0.4, y0 + 1), (x1 - 1, y0 + coin + 0.4),
                (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)], BLANC)
    t.polygone([(x1 - coin, y0), (x1 - coin, y0 + coin), (x1, y0 + coin)], NOIR)
    t.polygone([(x1 - coin + 1, y0 + 1.6), (x1 - coin + 1, y0 + coin - 1), (x1 - 1.6, y0 + coin - 1)],
               GRIS_CLAIR)
    if lignes:
        y = y0 + coin + 3
        while y < y1 - 2:
            t.rect(x0 + 3, y, x1 - 3, y + 1, GRIS_FONCE)
            y += 3


def verre(t, cx, haut, demi, bas_coupe, bas_pied, pied, trait=1.0, echelle=1.0):
    """A cocktail glass: a cone of red drink, a stem, a foot and an olive on its pick."""
    s = echelle
    t.polygone([(cx - demi, haut), (cx + demi, haut), (cx, bas_coupe)], NOIR)
    interieur = [(cx - demi + 2.2 * trait, haut + trait), (cx + demi - 2.2 * trait, haut + trait),
                 (cx, bas_coupe - 2.2 * trait)]
    t.polygone(interieur, ROUGE)
    # the glass above the drink, and a highlight on its left side
    h = (bas_coupe - haut) * 0.28
    t.polygone([interieur[0], interieur[1],
                (interieur[1][0] - h * demi / (bas_coupe - haut), haut + trait + h),
                (interieur[0][0] + h * demi / (bas_coupe - haut), haut + trait + h)], CYAN)
    t.trait([(cx - demi * 0.62, haut + h + 2.2 * trait), (cx - demi * 0.25, bas_coupe - (bas_coupe - haut) * 0.38)],
            1.0 * trait, BLANC)
    t.trait([(cx, bas_coupe - 0.5), (cx, bas_pied)], 1.6 * trait, NOIR)
    t.ellipse(cx, bas_pied, pied, 1.6 * s, NOIR)
    t.ellipse(cx, bas_pied - 0.4 * s, pied - 1.5 * trait, 0.7 * s, GRIS_FONCE)
    # the olive on its pick
    ox, oy = cx + demi * 0.32, haut + (bas_coupe - haut) * 0.42
    t.trait([(ox + demi * 0.42, haut - (bas_coupe - haut) * 0.22), (ox - demi * 0.05, oy + 1.5 * s)],
            1.0 * trait, OLIVE)
    t.ellipse(ox, oy, 2.4 * s, 2.2 * s, NOIR)
    t.ellipse(ox, oy, 2.4 * s - trait, 2.2 * s - trait, VERT)
    t.ellipse(ox - 0.7 * s, oy - 0.7 * s, 0.7 * s, 0.6 * s, VERT_VIF)


def glyphe_cocktails(t):
    verre(t, 13, 5, 10, 15, 22.5, 6)


def glyphe_ingredients(t):
    corps = [(7, 24), (7, 12.5), (10.5, 8.5), (10.5, 3.5), (15.5, 3.5), (15.5, 8.5), (19, 12.5),
             (19, 24)]
    t.polygone(corps, NOIR)
    t.polygone([(8, 23), (8, 12.9), (11.5, 8.9), (11.5, 4.5), (14.5, 4.5), (14.5, 8.9), (18, 12.9),
                (18, 23)], VERT)
    t.rect(10.5, 1.5, 15.5, 4.5, NOIR)
    t.rect(11.5, 2.5, 14.5, 4, OLIVE)
    t.rect(9, 13, 10, 22, VERT_VIF)
    t.rect(8, 15, 18, 21, NOIR)
    t.rect(9, 16, 17, 20, BLANC)
    t.rect(10, 17, 16, 18, ROUGE)


def dossier(t, x, y, l, h, couleur, ombre):
    t.polygone([(x, y), (x, y - 3), (x + 6, y - 3), (x + 8, y), (x + l, y), (x + l, y + h),
                (x, y + h)], NOIR)
    t.polygone([(x + 1, y + 0.5), (x + 1, y - 2), (x + 5.6, y - 2), (x + 7.4, y + 1), (x + l - 1, y + 1),
                (x + l - 1, y + h - 1), (x + 1, y + h - 1)], couleur)
    t.rect(x + 1, y + 1, x + l - 1, y + 3, ombre)


def glyphe_familles(t):
    dossier(t, 6, 7, 18, 12, OLIVE, OLIVE)
    dossier(t, 2, 11, 18, 12, JAUNE, BLANC)
    # a tag hanging on the front folder
    t.polygone([(13, 15), (19, 15), (21, 17.5), (19, 20), (13, 20)], NOIR)
    t.polygone([(14, 16), (18.6, 16), (19.8, 17.5), (18.6, 19), (14, 19)], ROUGE)
    t.point(15, 17, BLANC)


def loupe(t, cx, cy, r, manche):
    (x1, y1) = manche
    t.trait([(cx + r * 0.7, cy + r * 0.7), (x1, y1)], 4, NOIR)
    t.trait([(cx + r * 0.85, cy + r * 0.85), (x1 - 0.5, y1 - 0.5)], 2, BORDEAUX)
    t.ellipse(cx, cy, r, r, NOIR)
    t.ellipse(cx, cy, r - 1.5, r - 1.5, CYAN)
    t.trait(arc(cx, cy, r - 3, r - 3, 195, 255, 12), 1.2, BLANC)


def glyphe_resultat(t):
    feuille(t, 2, 2, 18, 24, coin=4, lignes=False)
    for k, y in enumerate(range(7, 22, 3)):
        t.rect(5, y, 6, y + 1, NOIR)
        t.rect(7, y, 15 if k % 2 else 13, y + 1, MARINE)
    loupe(t, 16.5, 15.5, 5, (24, 23))


def etoile(t, cx, cy, r1, r2, couleur, n=8):
    pts = []
    for k in range(2 * n):
        r = r1 if k % 2 == 0 else r2
        a = math.pi * k / n - math.pi / 2
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    t.polygone(pts, couleur)


def glyphe_nouveau(t):
    feuille(t, 6, 2, 22, 24)
    etoile(t, 7, 7, 6.5, 2.5, NOIR)
    etoile(t, 7, 7, 5.2, 1.6, JAUNE)


def glyphe_renommer(t):
    t.rect(1, 13, 21, 23, NOIR)
    t.rect(2, 14, 20, 22, BLANC)
    t.rect(4, 16, 5, 20, NOIR)       # the caret, then "ab" as strokes
    t.rect(7, 18, 11, 20, MARINE)
    t.rect(12, 16, 13, 20, MARINE)
    t.rect(13, 18, 15, 20, MARINE)
    # the pencil, from its point at the bottom left to its eraser at the top right
    def le_long(u, v):
        # u along the pencil from the point, v across it
        return (9 + u * 0.7071 + v * 0.7071, 19 - u * 0.7071 + v * 0.7071)
    t.polygone([le_long(0, 0), le_long(4, -2.6), le_long(19, -2.6), le_long(19, 2.6), le_long(4, 2.6)], NOIR)
    t.polygone([le_long(5, -1.6), le_long(15, -1.6), le_long(15, 1.6), le_long(5, 1.6)], JAUNE)
    t.polygone([le_long(5, -1.6), le_long(15, -1.6), le_long(15, -0.4), le_long(5, -0.4)], OLIVE)
    t.polygone([le_long(1.2, 0), le_long(4.4, -1.6), le_long(4.4, 1.6)], GRIS_CLAIR)
    t.polygone([le_long(15.9, -1.6), le_long(18.2, -1.6), le_long(18.2, 1.6), le_long(15.9, 1.6)], ROUGE)
    t.polygone([le_long(0, 0), le_long(1.6, -0.9), le_long(1.6, 0.9)], NOIR)


def glyphe_dupliquer(t):
    feuille(t, 2, 2, 16, 19, coin=4)
    feuille(t, 9, 7, 23, 24, coin=4)


def glyphe_supprimer(t):
    for (a, b) in (((5, 5), (21, 21)), ((21, 5), (5, 21))):
        t.trait([a, b], 6, NOIR)
    for (a, b) in (((5, 5), (21, 21)), ((21, 5), (5, 21))):
        t.trait([a, b], 3.6, ROUGE)


def glyphe_recherche(t):
    loupe(t, 10.5, 10.5, 7.5, (23, 23))


def glyphe_affiner(t):
    entonnoir = [(2, 4), (24, 4), (15.5, 13), (15.5, 21), (10.5, 24), (10.5, 13)]
    t.polygone(entonnoir, NOIR)
    t.polygone([(4.5, 5), (21.5, 5), (14.5, 12.6), (14.5, 20.5), (11.5, 22.3), (11.5, 12.6)], BLEU)
    t.polygone([(4.5, 5), (21.5, 5), (19.6, 7), (6.4, 7)], CYAN)
    t.rect(12.2, 13, 13.2, 21, CYAN)


def glyphe_diviseur(t):
    t.rect(12, 1, 13, 25, GRIS_FONCE)
    t.rect(13, 1, 14, 25, BLANC)


GLYPHES = {
    101: glyphe_ingredients,
    102: glyphe_familles,
    103: glyphe_cocktails,
    104: glyphe_nouveau,
    105: glyphe_supprimer,
    106: glyphe_renommer,
    107: glyphe_dupliquer,
    108: glyphe_recherche,
    109: glyphe_affiner,
    110: glyphe_resultat,
    1: glyphe_diviseur,
}


# ---- logo (255 x 145) ----------------------------------------------------------------------------

def logo(echelle=1):
    t = Toile(255, 145, ss=4, echelle=echelle)
    # the glass on the left
    verre(t, 42, 30, 32, 78, 122, 22, trait=2.0, echelle=3.0)
    # the name, with its shadow, then a swash and the subtitle centred under it
    k = 2.0
    x0 = 85
    largeur = largeur_texte("Velquor") * k
    for dx, couleur in ((2, GRIS_FONCE), (0, MARINE)):
        texte(t, "Le", x0 + 6 + dx, 52 + dx, k, 4.0, couleur)
        texte(t, "Velquor", x0 + dx, 96 + dx, k, 4.8, couleur)
    t.trait(bezier((x0 + 2, 109), (x0 + 50, 102), (x0 + 100, 117), (x0 + largeur + 6, 105)), 2.6,
            BORDEAUX)
    k2 = 0.8
    sous_titre = "Recettes de cocktails"
    texte(t, sous_titre, x0 + (largeur + 6 - largeur_texte(sous_titre, 2.4) * k2) / 2, 132, k2, 1.5,
          NOIR, espace=2.4)
    return t


# ---- icons -------------------------------------------------------------------------------------

def dessiner_icone_programme(t, taille):
    e = taille / 32.0
    verre(t, 16 * e, 5 * e, 14 * e, 19 * e, 28.5 * e, 8 * e, trait=max(1.0, e), echelle=e * 1.2)


def icone_programme(taille, fond=GRIS_CLAIR):
    t = Toile(taille, taille, fond=fond, ss=4)
    dessiner_icone_programme(t, taille)
    return t


def icone_vue(taille):
    t = Toile(taille, taille, ss=4)
    e = taille / 32.0
    if taille < 32:
        # too small for a glass: a sheet with a red title line and lines of text
        feuille(t, 2, 1, 14, 15, coin=4, lignes=False)
        t.rect(4, 6, 10, 7, ROUGE)
        for y in (9, 11, 13):
            t.rect(4, y, 12, y + 1, GRIS_FONCE)
        return t
    feuille(t, 4 * e, 1 * e, 27 * e, 31 * e, coin=7 * e)
    verre(t, 17 * e, 13 * e, 8 * e, 22 * e, 28 * e, 5 * e, trait=1.0, echelle=e)
    return t


# ---- the desktop's icons (installation/icones/) ----------------------------------------------

TAILLES_THEME = (16, 22, 24, 32, 48, 64, 128, 256)


def pixels_rgba(toile):
    """The picture with true colours: each pixel the average of its samples' colours, its
    opacity the share of samples that are not background (None)."""
    ss, res = toile.ss_pixel, []
    for j in range(toile.h):
        for i in range(toile.l):
            somme, n = [0, 0, 0], 0
            for b in range(ss):
                base = (j * ss + b) * toile.L + i * ss
                for a in range(ss):
                    c = toile.ech[base + a]
                    if c is not None:
                        n += 1
                        for k in range(3):
                            somme[k] += PALETTE[c][k]
            if n == 0:
                res.append((0, 0, 0, 0))
            else:
                res.append(tuple(round(v / n) for v in somme) + (round(255 * n / (ss * ss)),))
    return res


def ecrire_png(chemin, largeur, hauteur, pixels):
    """An 8-bit RGBA PNG."""
    brut = b"".join(b"\0" + bytes(v for p in pixels[j * largeur:(j + 1) * largeur] for v in p)
                    for j in range(hauteur))

    def bloc(genre, donnees):
        return (struct.pack(">I", len(donnees)) + genre + donnees +
                struct.pack(">I", zlib.crc32(genre + donnees) & 0xFFFFFFFF))

    with open(chemin, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" +
                bloc(b"IHDR", struct.pack(">IIBBBBB", largeur, hauteur, 8, 6, 0, 0, 0)) +
                bloc(b"IDAT", zlib.compress(brut, 9)) + bloc(b"IEND", b""))


class ToileSvg(Toile):
    """The same drawing calls, kept as vector paths (the theme's scalable icon)."""

    def __init__(self, largeur, hauteur):
        self.l, self.h, self.chemins = largeur, hauteur, []

    def polygone(self, contours, couleur):
        if contours and isinstance(contours[0][0], (int, float)):
            contours = [contours]
        d = " ".join("M" + " L".join("%.3f,%.3f" % p for p in pts) + " Z" for pts in contours if pts)
        if d:
            self.chemins.append('<path fill="#%02x%02x%02x" fill-rule="evenodd" d="%s"/>'
                                % (PALETTE[couleur] + (d,)))

    def ecrire(self, chemin):
        with open(chemin, "w") as f:
            f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                    '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
                    'viewBox="0 0 %d %d">\n' % (self.l, self.h, self.l, self.h))
            f.write("\n".join(self.chemins) + "\n</svg>\n")


def main():
    ici = os.path.dirname(os.path.abspath(__file__))
    # Each picture of the toolbar and the logo at its size, and twice as large for the screens
    # of high density (the same drawing, not an enlargement).
    for echelle, suffixe in ((1, ""), (2, "@2x")):
        for numero, dessin in GLYPHES.items():
            t = Toile(26, 26, echelle=echelle)
            dessin(t)
            ecrire_bmp(os.path.join(ici, "%d%s.bmp" % (numero, suffixe)), t.l, t.h, t.pixels())
        t = logo(echelle)
        ecrire_bmp(os.path.join(ici, "999%s.bmp" % suffixe), t.l, t.h, t.pixels("melange"))
    for taille in (16, 32):
        for numero, dessin in ((1001, icone_programme), (1002, icone_vue)):
            ecrire_bmp(os.path.join(ici, "%d-%d.bmp" % (numero, taille)), taille, taille,
                       dessin(taille).pixels("melange" if taille == 32 else "majorite"))
    # The program's icon for the desktop: the glass of icon 1001, drawn at every size of the
    # theme on a transparent background, and as a vector picture.
    icones = os.path.join(os.path.dirname(os.path.dirname(ici)), "installation", "icones")
    os.makedirs(icones, exist_ok=True)
    for taille in TAILLES_THEME:
        t = icone_programme(taille, fond=None)
        ecrire_png(os.path.join(icones, "%d.png" % taille), taille, taille, pixels_rgba(t))
    t = ToileSvg(32, 32)
    dessiner_icone_programme(t, 32)
    t.ecrire(os.path.join(icones, "scalable.svg"))


if __name__ == "__main__":
    main()
