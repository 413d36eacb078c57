#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Asks the platform's own name comparison for the order of names, and writes its answers as the
test data of Le Velquor's name order (tests/store/ordre_plateforme.txt).

The index files were built with lstrcmpA in a French user locale over code page 1252, and the
list boxes sort with lstrcmpiA. This script builds interroger.cpp with MinGW-w64, runs it under
Wine in a private prefix whose ANSI code page is 1252 and whose user locale is French (France),
and lets it sort groups of names with those functions and check every ordered pair of each group,
both with the function itself and with CompareStringA for LOCALE 0x040C. The groups:

  - every one-byte name 0x20-0xFF;
  - families of near-equal names: accents at different places, case, hyphens and apostrophes at
    different places, ligatures and the letters they stand for, digits, punctuation inside
    words, prefixes, names of 30 bytes, and random variations of random names;
  - names of recipes, ingredients and families (the demo recipes and a list of French ones);
  - a few thousand random names that the name fields can hold.

It stops without writing anything if the prefix is not French and 1252, if CompareStringA ever
answers otherwise than the function, or if the answers are not a consistent order.

Needs wine64 (or wine), g++-mingw-w64-x86-64 and localedef (Debian packages wine64,
g++-mingw-w64-x86-64, locales); everything else happens in a temporary folder.
Python 3 standard library only.

Usage: python3 scripts/ordre_plateforme/generer.py [OUTPUT]
"""

import csv
import itertools
import os
import random
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

ICI = Path(__file__).resolve().parent
RACINE = ICI.parent.parent
SORTIE_PAR_DEFAUT = RACINE / "tests" / "store" / "ordre_plateforme.txt"
RECETTES_DEMO = RACINE / "demo" / "cocktails-iba.csv"

MAX_NOM = 30
TROUS = {0x81, 0x8D, 0x8F, 0x90, 0x9D}  # bytes the code page leaves undefined

# What a name field can hold: the code page's characters from the space on (no controls, no
# undefined byte). Typed letters become capitals, but stored names may hold small letters too.
TAPABLES = bytes(c for c in range(0x20, 0x100) if c != 0x7F and c not in TROUS)
CAPITALES = "ABCDEFGHIJKLMNOPQRSTUVWXYZÀÂÄÇÈÉÊËÎÏÔÖÙÛÜŸŒÆ0123456789 '-&.,"

# Names of drinks and ingredients as a French user types them.
RECETTES_FRANCAISES = """
ABSINTHE VERTE|AMER PICON|AMER PICON BIÈRE|ANISETTE|APÉRITIF À LA GENTIANE|ARMAGNAC|B&B|B-52
BAILEY'S|BELLINI À LA PÊCHE|BÉNÉDICTINE D.O.M.|BLUE LAGOON|BŒUF SUR LE TOIT|BRANDY ALEXANDER
CAFÉ BRÛLOT|CAFÉ CALVA|CAFE CREME|CAFÉ CRÈME|CAFÉ-CRÈME|CAÏPIROSKA|CALVADOS PAYS D'AUGE
CASSIS DE DIJON|CHAMPAGNE ROSÉ|CHARTREUSE V.E.P.|CHÂTEAU D'YQUEM|CHOCOLAT CHAUD|CIDRE BRUT
CIDRE DOUX|CITRON PRESSÉ|CITRONNADE|COCA-COLA|COGNAC V.S.O.P.|COINTREAU & CITRON|CÔTE-RÔTIE
COTE ROTIE|CÔTES DU RHÔNE|CRÈME BRÛLÉE|CRÈME DE BANANE|CRÈME DE FRAISE DES BOIS|CRÈME DE PÊCHE
CRÈME DE MÛRE SAUVAGE|CRÈME FRAÎCHE|CUBA LIBRE À L'ANCIENNE|CURAÇAO BLEU|DAIQUIRI FRAISE
DIABOLO MENTHE|DIABOLO-MENTHE|DUBONNET|EAU DE SELTZ|EAU-DE-VIE DE MIRABELLE|EAU-DE-VIE DE POIRE
EAU-DE-VIE DE FRAMBOISE|EAU DE VIE|ÉCLAT DE LUNE|ÉCUME DES JOURS|ÉLIXIR DE GARUS|ÉPICES
FEUILLE DE MENTHE|FINE CHAMPAGNE|FLEUR D'ORANGER|FRAISE|FRAISES ÉCRASÉES|FRAMBOISE|GÉNÉPI
GENTIANE|GIN & TONIC|GIN (TONIC)|GIN-TONIC|GIN TONIC|GIN, TONIC|GIN. TONIC|GIN/TONIC|GIN;TONIC
GINGER-ALE|GLAÇONS|GLACE PILÉE|GRAND MARNIER CORDON ROUGE|GRENADINE|GROSEILLE|GUIGNOLET
HYDROMEL|HYPOCRAS|IRISH COFFEE À L'ANCIENNE|JUS D'ABRICOT|JUS DE GROSEILLE|JUS DE LITCHI
JUS DE MANGUE|JUS DE POMME|JUS DE RAISIN|KIR ROYAL|KIR-ROYAL|KIR BRETON|KIR NORMAND|KUMMEL
LAIT D'AMANDE|LAIT DE COCO|LIMONADE|LIQUEUR DE CHÂTAIGNE|LIQUEUR DE NOIX|L'ŒIL-DE-BŒUF
MANDARINE IMPÉRIALE|MARC DE BOURGOGNE|MAZAGRAN|MENTHE À L'EAU|MENTHE-À-L'EAU|MIDORI|MIEL D'ACACIA
MOJITO À LA FRAISE|MONACO|MOSCOW MULE ÉPICÉ|MUSCAT DE FRONTIGNAN|NOILLY PRAT|NOIX DE COCO
NOIX DE MUSCADE|ORANGEADE|ORANGINA|ŒUF|OEUF|ŒUF ENTIER|ORGEAT|PANACHÉ|PASTIS|PASTIS 51
PÊCHE DE VIGNE|PÉCHÉ MIGNON|PERRIER-JOUËT|PETIT-LAIT|PIMM'S N°1|PIÑA COLADA|PINEAU DES CHARENTES
POIRE WILLIAMS|POMMEAU|PONCHE À L'ORANGE|PORTO|PORTO-FLIP|PRUNEAU|PUNCH COCO|PUNCH PLANTEUR
QUETSCH|RATAFIA|RHUM ARRANGÉ|RHUM AGRICOLE|RHUM-COCA|RICARD|RIVESALTES|ROSÉ PAMPLEMOUSSE
SAINT-RAPHAËL|SANGRIA|SAUTERNES|SCHWEPPES AGRUMES|SEVEN UP|7 UP|7-UP|7UP|SIROP D'ÉRABLE
SIROP DE CITRON|SIROP DE FRAISE|SIROP DE PÊCHE|SIROP DE VIOLETTE|SLOE GIN|SODA À L'ORANGE
SOUPE DE CHAMPAGNE|SUZE|SUZE-TONIC|TEQUILA PAF|THÉ GLACÉ|THE GLACE|THÉ À LA MENTHE|TI' PUNCH
TI'PUNCH|TI-PUNCH|TI PUNCH|TONIC|TRIPLE SEC|VERVEINE DU VELAY|VIN CHAUD|VIN D'ORANGE|VIN DE NOIX
VIN JAUNE|VODKA-POMME|WHISKY-COCA|WHISKY & SODA|YELLOW|ZESTE D'ORANGE|ZESTE DE CITRON|ZUBRÓWKA
½ CITRON|¼ DE CITRON|1/2 CITRON|1 CITRON|10 CL|1,5 CL|1.5 CL|2 CL|20 CL|2 CL ½|3 GOUTTES|A&W
A.W.|AÉROPOSTALE|ÆGIR|AEGIR|ŒNOLOGUE|OENOLOGUE|STRAßE|STRASSE|ÞOR|THOR|MÄRZEN|MÜNCHNER|SØDA
"""


def Majuscules(texte):
    """Capitals by the code page rule: each character alone, kept when the code page holds it."""
    sortie = []
    for c in texte:
        haut = c.upper()
        try:
            if len(haut) == 1 and c != "ß":
                haut.encode("cp1252")
                c = haut
        except UnicodeEncodeError:
            pass
        sortie.append(c)
    return "".join(sortie)


def Octets(texte):
    """Code page 1252 bytes of a text; U+0081 and the like stand for the undefined bytes."""
    return b"".join(bytes([ord(c)]) if ord(c) in TROUS else c.encode("cp1252") for c in texte)


def Recettes():
    noms = set()
    with open(RECETTES_DEMO, encoding="utf-8", newline="") as f:
        for rangee in csv.DictReader(f):
            for champ in ("cocktail", "famille", "ingredient"):
                if rangee[champ]:
                    noms.add(Octets(Majuscules(rangee[champ])))
    for nom in RECETTES_FRANCAISES.replace("\n", "|").split("|"):
        if nom:
            noms.add(Octets(nom))
    return sorted(n for n in noms if len(n) <= MAX_NOM)


def Accentuations(mot, accents, alea=None, nombre=None):
    """The word with every choice of accent (or none) on each of the given positions, or with
    `nombre` of those choices drawn at random."""
    positions = sorted(accents)
    noms = []
    for choix in itertools.product(*(accents[p] for p in positions)):
        lettres = list(mot)
        for p, c in zip(positions, choix):
            lettres[p] = c
        noms.append("".join(lettres))
    return sorted(alea.sample(noms, nombre)) if nombre else noms


def Marques(mot, marques, nombre):
    """The word with `nombre` marks put at every choice of places."""
    noms = set()
    for places in itertools.combinations_with_replacement(range(len(mot) + 1), nombre):
        for kinds in itertools.product(marques, repeat=nombre):
            lettres = list(mot)
            for p, m in sorted(zip(places, kinds), key=lambda x: -x[0]):
                lettres.insert(p, m)
            noms.add("".join(lettres))
    return sorted(noms)


def Casses(mot):
    """Every mix of capitals and small letters of a short word."""
    return ["".join(c) for c in itertools.product(*((l.lower(), l) for l in mot))]


def FamillesVoisines():
    """Hand-made families of names that differ by little."""
    alea = random.Random(1)
    E = "EÉÈÊË"
    familles = {
        "accents, one word": Accentuations("PECHE", {1: E, 4: E}),
        "accents, two words": Accentuations("COTE COTE", {1: "OÔ", 3: "EÉ", 6: "OÔ", 8: "EÉ"}),
        "accents and case": Accentuations("Eclat", {0: "EÉeé", 2: "lL", 4: "tT"}) + ["ECLATS"],
        "accents, every letter": Accentuations("AOUIYNC", {0: "AÀÂÄÁÃÅ", 1: "OÔÖÓÒÕØ", 2: "UÙÛÜ",
                                                           3: "IÎÏ", 4: "YŸÝ", 5: "NÑ", 6: "CÇ"},
                                               alea, 200),
        "hyphens and apostrophes, one": Marques("COOP", "'-–—’\u00ad", 1),
        "hyphens and apostrophes, two": Marques("LOR", "'-", 2),
        "hyphens, apostrophes and accents": [
            "L'ORANGE", "L-ORANGE", "LORANGE", "L’ORANGE", "L ORANGE", "L'ÔRANGE", "LÔ-RANGE",
            "L'orange", "l'ORANGE", "L'ORANGES", "L''ORANGE", "L'-ORANGE", "L-'ORANGE",
            "L'ORANGE-", "-L'ORANGE", "EAU-DE-VIE", "EAU DE VIE", "EAU-DE VIE", "EAU DE-VIE",
            "EAUDEVIE", "EAU'DE'VIE", "EAU-DE-VIÉ", "ÉAU-DE-VIE", "EAU--DE-VIE", "EAU-DE--VIE"],
        "case": Casses("GIN") + Casses("ŒIL") + Casses("ÉTÉ") + ["GIN ", "GINA", "gina"],
        "ligatures": [
            "ŒUF", "OEUF", "OeUF", "œUF", "oeuf", "ŒUFS", "OEUFS", "ÔEUF", "ŒÛF", "OEÛF", "OE UF",
            "OE-UF", "O-EUF", "Œ-UF", "ŒEUF", "OEEUF", "OFUF", "ODUF", "BŒUF", "BOEUF", "B'ŒUF",
            "ÆGIR", "AEGIR", "ÆGIS", "AEGIS", "ÀEGIR", "æGIR", "AFGIR", "ADGIR",
            "STRASSE", "STRAßE", "STRASE", "STRASSEN", "STRAßEN",
            "STRAŠSE", "STRAST", "ßA", "SSA", "ssA", "ß", "SS", "ss", "S",
            "ÞOR", "THOR", "þOR", "THOr", "TIOR", "TGOR", "TH", "Þ", "ÞA", "THA",
            "TM", "™", "TMA", "TZZ", "T™", "™A", "U"],
        "digits": [
            "0", "00", "01", "1", "¹", "1 ", "1A", "¹A", "10", "1 0", "1.0", "1,0", "1-0", "1'0",
            "½", "½A", "¼", "¾", "1/2", "1½", "11", "12", "2", "²", "3", "³", "9", "9A", "A9",
            "A10", "A1", "A¹", "A²", "A½", "7 UP", "7UP", "7-UP", "N°1", "Nº1", "NO1", "Nª1",
            "2 CL", "2CL", "20 CL", "2,5 CL", "2.5 CL", "2½ CL", "^1", "^¹", "ˆ1", "ˆ¹", "OE²",
            "Œ2", "CO2", "CO²", "Co²", "ÇO2"],
        "ordinals and letters with a stroke or a hook": [
            "ÀA", "Aª", "AA", "aª", "ÀO", "Aº", "ÒO", "Oº", "OÒ", "ºO", "NO1", "Nº1", "NÒ1", "NÓ1",
            "Nª1", "1ª", "1A", "1º", "ÀD", "AÐ", "Að", "ÐA", "DÀ", "ÀF", "Aƒ", "ƒA", "FÀ", "ÀO",
            "AØ", "Aø", "ØA", "OÀ", "ÕA", "AÕ"],
        "punctuation inside words": [
            "GIN & TONIC", "GIN (TONIC)", "GIN, TONIC", "GIN. TONIC", "GIN/TONIC", "GIN;TONIC",
            "GIN:TONIC", "GIN!TONIC", "GIN?TONIC", "GIN\"TONIC", "GIN*TONIC", "GIN+TONIC",
            "GIN TONIC", "GINTONIC", "GIN-TONIC", "GIN_TONIC", "GIN@TONIC", "GIN#TONIC",
            "GIN%TONIC", "GIN€TONIC", "GIN$TONIC", "GIN£TONIC", "GIN…TONIC", "GIN...TONIC",
            "GIN·TONIC", "GIN«TONIC»", "GIN“TONIC”", "GIN‘TONIC", "A&W", "A.W.", "A W", "AW",
            "A&B", "A.B", "A,B", "A(B", "A)B", "A/B", "A\\B", "A;B", "A:B", "A B", "A\xa0B",
            "A  B", " AB", "AB ", "A^B", "AˆB", "A~B", "A˜B", "A`B", "A´B", "A¨B", "A¸B",
            "A¯B", "A§B", "A¶B", "A•B", "A†B", "A‡B", "A‰B", "A%B", "A×B", "A÷B", "A±B",
            "A<B", "A=B", "A>B", "A¬B", "A|B", "A¦B", "A©B", "A®B", "A°B", "AµB", "A¤B",
            "A¢B", "A¥B", "A¿B", "A¡B", "A‹B", "A›B", "A„B", "A‚B"],
        "prefixes": [
            "GIN", "GIN ", "GIN  ", "GIN FIZZ", "GIN-FIZZ", "GIN'FIZZ", "GINFIZZ", "GINA", "GI",
            "G", "", " ", "GIN FIZZ ", "GIN FIZZY", "GIN FIZZ 2", "GIN FIZ", "GIN-", "GIN'",
            "GIN.", "GINE", "GINÉ", "GINÈS", "GÎN", "GIN\xa0"],
    }
    # Bytes no name field holds, for the sake of damaged files: the undefined bytes, controls.
    familles["undefined bytes and controls"] = [
        "A", "À", "AA", "ÀA", "A‰", "A0"] + [
        p + c + q for c in "\x81\x8d\x8f\x90\x9d" for p, q in (("A", ""), ("À", ""), ("", "A"),
                                                                ("", "À"))] + [
        "A" + c + "B" for c in "\x01\x08\x09\x0a\x0b\x0c\x0d\x0e\x1b\x1f\x7f -'"] + [
        "AB\x01", "\x01AB", "AB\x7f", "\x7fAB", "A\x01\x01B", "A\x01-B", "A-\x01B", "A\x09\x01B"]
    longs = ["CRÈME DE FRAMBOISE SAUVAGE XXX", "CRÈME DE FRAMBOISE SAUVAGE XXY",
             "CRÈME DE FRAMBOISE SAUVAGE XX", "CRÈME DE FRAMBOISE SAUVAGE XXÝ",
             "CRÈME DE FRAMBOISE SAUVAGE XX-", "CRÈME DE FRAMBOISE SAUVAGE X-X",
             "CRÈME DE FRAMBOISE SAUVAGE XX'", "CRÈME DE FRAMBOISE SAUVAGE XXx",
             "CRÈME DE FRAMBOISE SAUVAGÉ XXX", "CREME DE FRAMBOISE SAUVAGE XXX",
             "CRÉME DE FRAMBOISE SAUVAGE XXX", "CRÈME DE FRAMBOISE SAUVAGE ŒX",
             "CRÈME DE FRAMBOISE SAUVAGE OEX", "CRÈME-DE-FRAMBOISE-SAUVAGE-XX",
             "CRÈME DE FRAMBOISE SAUVAGEXXXX", "CRÈME DE FRAMBOISE SAUVAGE XX ",
             "CRÈME DE FRAMBOISE SAUVAGE XX\xa0", "CRÈME DE FRAMBOISES SAUVAGE XX"]
    familles["names of 30 bytes"] = longs
    return {t: [Octets(n) for n in noms] for t, noms in familles.items()}


def Muter(alea, nom, alphabet):
    """The name with one to four characters changed, added or removed."""
    lettres = bytearray(nom)
    for _ in range(alea.randint(1, 4)):
        ou = alea.randint(0, len(lettres))
        operation = alea.randint(0, 2)
        if operation == 0 and ou < len(lettres):
            lettres[ou] = alea.choice(alphabet)
        elif operation == 1:
            lettres.insert(ou, alea.choice(alphabet))
        elif ou < len(lettres):
            del lettres[ou]
    return bytes(lettres[:MAX_NOM])


def FamillesAleatoires(alea, nombre, taille):
    """Random names, each with random variations drawn mostly from characters that weigh alike
    at the first levels, so that the later levels decide."""
    voisins = Octets("AaÀàÁÂÄÆæªEeÉéÈÊOoºŒœÔÖØøSsßŠšTtHhÞþYÿŸÝDdÐðFfƒ1¹2²½ \xa0-'’.…\xad^ˆ–—")
    familles = {}
    for k in range(nombre):
        base = bytes(alea.choice(voisins) for _ in range(alea.randint(0, 14)))
        noms = {base}
        while len(noms) < taille:
            alphabet = voisins if alea.random() < 0.8 else TAPABLES
            noms.add(Muter(alea, base, alphabet))
        familles["random variations %d" % (k + 1)] = sorted(noms)
    return familles


def NomsAleatoires(alea, nombre):
    """Random names of 1 to 30 bytes: a third over every character a field can hold, the rest
    over capitals, digits and the usual punctuation, so that many share their beginnings."""
    capitales = Octets(CAPITALES)
    noms = set()
    while len(noms) < nombre:
        alphabet = TAPABLES if len(noms) % 3 == 0 else capitales
        longueur = alea.randint(1, MAX_NOM)
        noms.add(bytes(alea.choice(alphabet) for _ in range(longueur)))
    return sorted(noms)


def Groupes():
    alea = random.Random(1252)
    groupes = [("lstrcmpA", "one-byte names", [bytes([c]) for c in range(0x20, 0x100)]),
               ("lstrcmpiA", "one-byte names", [bytes([c]) for c in range(0x20, 0x100)])]
    voisines = FamillesVoisines()
    for titre, noms in voisines.items():
        groupes.append(("lstrcmpA", titre, noms))
    for titre in ("accents and case", "case", "ligatures", "hyphens, apostrophes and accents",
                  "digits", "ordinals and letters with a stroke or a hook"):
        groupes.append(("lstrcmpiA", titre, voisines[titre]))
    for titre, noms in FamillesAleatoires(alea, 50, 30).items():
        groupes.append(("lstrcmpA", titre, noms))
    for titre, noms in FamillesAleatoires(alea, 10, 30).items():
        groupes.append(("lstrcmpiA", titre, noms))
    recettes = Recettes()
    groupes.append(("lstrcmpA", "recipes", recettes))
    groupes.append(("lstrcmpiA", "recipes", recettes))
    groupes.append(("lstrcmpA", "random names", NomsAleatoires(alea, 2000)))
    return groupes


def Outil(*noms):
    """The first of the programs found, by name in PATH or by absolute path."""
    for nom in noms:
        chemin = shutil.which(nom)
        if chemin:
            return chemin
    sys.exit("generer.py: %s not found" % " or ".join(noms))


def Interroger(groupes, dossier):
    """Builds the Windows program, prepares the French prefix and runs it; returns its output."""
    compilateur = Outil("x86_64-w64-mingw32-g++-posix", "x86_64-w64-mingw32-g++")
    wine = Outil("wine64", "wine", "/usr/lib/wine/wine64")
    localedef = Outil("localedef")
    exe = dossier / "interroger.exe"
    subprocess.run([compilateur, "-std=c++17", "-O2", "-static", "-Wall", "-Wextra", "-o",
                    str(exe), str(ICI / "interroger.cpp")], check=True)
    # A French locale of our own, so that Wine's user locale is French whatever the machine has.
    locales = dossier / "locales"
    locales.mkdir()
    subprocess.run([localedef, "-i", "fr_FR", "-f", "UTF-8", str(locales / "fr_FR.UTF-8")],
                   check=True)
    entree = dossier / "entree.txt"
    with open(entree, "w", encoding="ascii") as f:
        for fonction, titre, noms in groupes:
            f.write("G %s %s\n" % (fonction, titre))
            for nom in noms:
                f.write("N %s\n" % (nom.hex().upper() or "-"))
    env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "WINE", "DISPLAY"))}
    # No display: nothing to show. No Mono or Gecko: the prefix needs neither.
    env.update(WINEPREFIX=str(dossier / "prefixe"), WINEDEBUG="-all",
               WINEDLLOVERRIDES="mscoree,mshtml=", LOCPATH=str(locales), LANG="fr_FR.UTF-8",
               LC_ALL="fr_FR.UTF-8")
    sortie = dossier / "sortie.txt"
    subprocess.run([wine, str(exe), str(entree), str(sortie)], env=env, check=True,
                   stdout=subprocess.DEVNULL, timeout=3600)
    subprocess.run([Outil("wineserver64", "wineserver", "/usr/lib/wine/wineserver64"), "-w"],
                   env=env, check=False)
    return sortie.read_text(encoding="ascii").splitlines()


def Ecrire(nom):
    """A name as a data line shows it: UTF-8, with \\xHH for the bytes one cannot see or that
    the test reads specially (controls, undefined bytes, no-break space, soft hyphen,
    backslash, a space at either end)."""
    sortie = []
    for i, c in enumerate(nom):
        visible = 0x20 <= c and c != 0x7F and c not in TROUS and c not in (0xA0, 0xAD, 0x5C)
        if c == 0x20 and (i == 0 or i == len(nom) - 1):
            visible = False
        sortie.append(bytes([c]).decode("cp1252") if visible else "\\x%02X" % c)
    return "".join(sortie)


def main():
    destination = Path(sys.argv[1]) if len(sys.argv) > 1 else SORTIE_PAR_DEFAUT
    groupes = Groupes()
    with tempfile.TemporaryDirectory(prefix="ordre-plateforme-") as temporaire:
        lignes = Interroger(groupes, Path(temporaire))

    infos = [l[2:] for l in lignes if l.startswith("I ")]
    attendu = {"GetACP 1252", "GetUserDefaultLCID 040C", "GetThreadLocale 040C"}
    if not attendu <= set(infos) or lignes[-1:] != ["E"]:
        sys.exit("generer.py: the prefix is not French with code page 1252, or the program "
                 "stopped:\n" + "\n".join(infos + lignes[-1:]))
    contre = [l for l in lignes if l.startswith(("X ", "C "))]
    if contre:
        sys.exit("generer.py: answers against the order, or CompareStringA answering otherwise:\n"
                 + "\n".join(contre[:40]))
    paires = sum(int(l.split()[1]) for l in lignes if l.startswith("F "))

    texte = [
        "# The order of names asked of the platform: written by",
        "# scripts/ordre_plateforme/generer.py (see the README); do not edit. Each group lists its",
        "# names as the named function orders them: '<' after the name before, '=' equal to it",
        "# (a marker alone: the empty name). Names are code page 1252 text shown in UTF-8; \\xHH",
        "# is the byte HH. T lines: a byte, its character, its CharUpperBuffA and CharLowerBuffA.",
    ]
    texte += ["I " + i for i in infos]
    texte.append("I CompareStringA(0x040C) answered as lstrcmpA, and with NORM_IGNORECASE as "
                 "lstrcmpiA, on all %d ordered pairs of every group" % paires)
    for l in lignes:
        if l.startswith(("T ", "G ")):
            texte.append(l)
        elif l.startswith(("< ", "= ")):
            nom = b"" if l[2:] == "-" else bytes.fromhex(l[2:])
            texte.append(l[0] + (" " + Ecrire(nom) if nom else ""))
    destination.write_text("\n".join(texte) + "\n", encoding="utf-8")
    print("%s: %d groups, %d ordered pairs asked" % (destination, len(groupes), paires))


if __name__ == "__main__":
    main()
