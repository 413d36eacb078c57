# SPDX-License-Identifier: GPL-3.0-or-later
"""Single-point faults drawn mechanically over C++ sources, for scripts/mutation.py.

Each operator finds its places in a file's code (comments, string and character literals and
preprocessor lines are masked, so they are never taken for code) and gives, for each place, the
piece of text it changes and what that becomes:

    relation     < <= > >= shifted by one (< becomes <=, >= becomes >, ...)
    egalite      == and != swapped
    logique      && and || swapped
    condition    the condition of an if or a while negated
    entier       an integer constant plus or minus one
    booleen      return true and return false swapped
    retour       an early return of the function's failure value (false, nullopt, nullptr, 1, -1
                 or a bare return, as the function itself returns it) before one of its
                 statements
    appel        a statement that is only a call deleted
    table        one entry of a constant table changed (a number plus one, a text or character
                 changed, true and false swapped, a name replaced by another of the table)

A fault is a dict: fichier, ligne (1-based line of its first character), avant (the text
replaced, which may span lines), apres, operateur, and its signature, which does not depend on
line numbers, so that a fault drawn at one commit is found again at a later one (see Appliquer).
"""

import random
import re

OPERATEURS = ["relation", "egalite", "logique", "condition", "entier", "booleen", "retour",
              "appel", "table"]


def masquer(texte):
    """The text with comments, literals and preprocessor lines blanked (line breaks and every
    offset kept), and the spans of the string and character literals."""
    sortie = list(texte)
    litteraux = []
    i, n = 0, len(texte)
    debut_ligne = True
    while i < n:
        c = texte[i]
        if debut_ligne and c == "#":
            # A preprocessor line, with its continuations.
            j = i
            while j < n and (texte[j] != "\n" or texte[j - 1] == "\\"):
                j += 1
            for k in range(i, j):
                if sortie[k] != "\n":
                    sortie[k] = " "
            i = j
            continue
        if c == "\n":
            debut_ligne = True
            i += 1
            continue
        if c not in " \t":
            debut_ligne = False
        if texte.startswith("//", i):
            j = texte.find("\n", i)
            j = n if j < 0 else j
            for k in range(i, j):
                sortie[k] = " "
            i = j
        elif texte.startswith("/*", i):
            j = texte.find("*/", i + 2)
            j = n if j < 0 else j + 2
            for k in range(i, j):
                if sortie[k] != "\n":
                    sortie[k] = " "
            i = j
        elif c == 'R' and texte.startswith('R"', i) and (i == 0 or not texte[i - 1].isalnum()):
            fin = texte.index("(", i)
            delim = ")" + texte[i + 2:fin] + '"'
            j = texte.index(delim, fin) + len(delim)
            litteraux.append((i, j))
            for k in range(i + 1, j - 1):
                if sortie[k] != "\n":
                    sortie[k] = " "
            i = j
        elif c in "\"'" and not (c == "'" and i > 0 and texte[i - 1].isalnum()):
            # (a ' after a digit or letter is a digit separator, as in 1'000)
            j = i + 1
            while j < n and texte[j] != c:
                j += 2 if texte[j] == "\\" else 1
            j += 1
            litteraux.append((i, j))
            for k in range(i + 1, j - 1):
                sortie[k] = " "
            i = j
        else:
            i += 1
    return "".join(sortie), litteraux


def apparier(masque, depart, pas, ouvrantes, fermantes):
    """The offset of the bracket matching the one at `depart`, walking by `pas` (1 or -1)."""
    paires = dict(zip(ouvrantes, fermantes))
    pile = []
    fin = len(masque) if pas > 0 else -1
    for i in range(depart, fin, pas):
        c = masque[i]
        if c in paires:
            pile.append(paires[c])
        elif c in fermantes:
            if not pile or pile.pop() != c:
                return -1
            if not pile:
                return i
    return -1


def fermante(masque, ouvrante):
    """The offset of the bracket closing the one at `ouvrante`."""
    return apparier(masque, ouvrante, 1, "([{", ")]}")


def ouvrante(masque, fermee):
    """The offset of the bracket opening the one at `fermee`."""
    return apparier(masque, fermee, -1, ")]}", "([{")


MOTS_CONTROLE = {"if", "for", "while", "switch", "catch", "return", "sizeof", "decltype",
                 "alignof", "static_assert", "requires", "noexcept", "defined"}


def mot_avant(masque, i):
    """The word that ends just before offset i, blanks skipped."""
    j = i - 1
    while j >= 0 and masque[j] in " \t\n":
        j -= 1
    fin = j + 1
    while j >= 0 and (masque[j].isalnum() or masque[j] == "_"):
        j -= 1
    return masque[j + 1:fin]


def blocs(masque):
    """Every brace block: (opening offset, closing offset, kind), kind being fonction (a function
    or lambda body), controle (the body of if, for, while, else, do, switch, try), portee (a
    namespace, class, struct, enum or union) or valeur (an initializer)."""
    resultat = []
    for m in re.finditer(r"\{", masque):
        o = m.start()
        f = fermante(masque, o)
        if f < 0:
            continue
        avant = masque[:o].rstrip()
        genre = "valeur"
        if re.search(r"\b(namespace|class|struct|enum|union)\b[^;{}()]*$", avant):
            genre = "portee"
        elif re.search(r"\b(else|do|try)$", avant):
            genre = "controle"
        else:
            queue = re.sub(r"(\s*\b(const|override|noexcept|final|mutable)\b|\s*->\s*[\w:<>,\s*&]+)*$",
                           "", avant)
            if queue.endswith(")"):
                p = ouvrante(masque, len(queue) - 1)
                mot = mot_avant(masque, p) if p >= 0 else ""
                if mot in ("if", "for", "while", "switch", "catch"):
                    genre = "controle"
                elif p >= 0 and masque[:p].rstrip().endswith("constexpr") and \
                        mot_avant(masque, p) == "constexpr":
                    genre = "controle"
                else:
                    genre = "fonction"
            elif queue.endswith("]"):
                genre = "fonction"  # a lambda without parameters
        resultat.append((o, f, genre))
    return resultat


def debut_instruction(masque, i):
    """Whether a statement may start at offset i (after ;, { or }, or the ) of a control
    statement without braces, or else)."""
    j = i - 1
    while j >= 0 and masque[j] in " \t\n":
        j -= 1
    if j < 0:
        return False
    if masque[j] in ";{}":
        return True
    if masque[j] == ":" and masque[j - 1] != ":":
        return re.search(r"\b(case\b[^;:]*|default|public|private|protected)$",
                         masque[:j].rstrip()) is not None
    if masque[j] == ")":
        p = ouvrante(masque, j)
        return p >= 0 and mot_avant(masque, p) in ("if", "for", "while")
    return masque[:j + 1].endswith("else")


def fin_instruction(masque, i):
    """The offset of the ; that ends the statement starting at i (-1 when brackets interfere)."""
    j = i
    while j < len(masque):
        c = masque[j]
        if c in "([{":
            j = fermante(masque, j)
            if j < 0:
                return -1
        elif c in ")]}":
            return -1
        elif c == ";":
            return j
        j += 1
    return -1


def dans(intervalles, o):
    return any(a <= o < b for a, b in intervalles)


def places(texte):
    """Every fault of every operator in the text: (operator, offset, text before, text after)."""
    masque, litteraux = masquer(texte)
    tous_blocs = blocs(masque)
    fonctions = [(o, f) for o, f, g in tous_blocs if g == "fonction"]
    resultat = []

    # Constant tables: the initializer of a const or constexpr array or std::array.
    tables = []
    for m in re.finditer(r"\b(const|constexpr)\b[^;{}()=]*?(\]|\b\w+)\s*=\s*\{", masque):
        decl = m.group(0)
        if "[" not in decl and "std::array" not in decl:
            continue
        o = m.end() - 1
        f = fermante(masque, o)
        if f > 0:
            tables.append((o, f))

    def ajouter(operateur, debut, avant, apres):
        resultat.append((operateur, debut, avant, apres))

    # relation, egalite, logique: binary operators written with a blank on each side.
    echanges = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "==",
                "&&": "||", "||": "&&"}
    for m in re.finditer(r"(?<=[^\s<>=!&|+\-*/%^]) (<=|>=|==|!=|&&|\|\||<|>) (?=[^\s=<>])", masque):
        op = m.group(1)
        debut = m.start(1)
        if op in ("<", ">") and mot_avant(masque, debut) in ("template", "operator"):
            continue
        operateur = "relation" if op in "<<=>>=" else "egalite" if op in ("==", "!=") else "logique"
        ajouter(operateur, debut, op, echanges[op])

    # condition: if (...) and while (...), negated.
    for m in re.finditer(r"\b(if|while)\s*\(", masque):
        o = m.end() - 1
        f = fermante(masque, o)
        if f < 0 or masque[m.start():m.end()].startswith("if") and \
                re.match(r"if\s+constexpr", masque[m.start():]):
            continue
        interieur = texte[o + 1:f]
        if ";" in masque[o + 1:f]:
            continue  # an if with an initializer
        ajouter("condition", o + 1, interieur, "!(" + interieur + ")")

    # entier: integer literals outside the tables.
    for m in re.finditer(r"(?<![\w.'])(0[xX][0-9a-fA-F']+|\d[\d']*)([uUlL]*)(?![\w.'])", masque):
        if dans(tables, m.start()):
            continue
        chiffres = m.group(1)
        brut = chiffres.replace("'", "")
        octal = len(brut) > 1 and brut[0] == "0" and brut[1] not in "xX"
        valeur = int(brut, 8 if octal else 0)
        plus = random.Random(m.start() * 7919 + len(texte)).random() < 0.5 or valeur == 0
        nouvelle = valeur + 1 if plus else valeur - 1
        ecrite = hex(nouvelle).upper().replace("0X", "0x") if brut.lower().startswith("0x") \
            else "0" + format(nouvelle, "o") if octal else str(nouvelle)
        ajouter("entier", m.start(), m.group(0), ecrite + m.group(2))

    # booleen
    for m in re.finditer(r"\breturn (true|false);", masque):
        ajouter("booleen", m.start(), m.group(0),
                "return " + ("false" if m.group(1) == "true" else "true") + ";")

    # retour: before each statement of a function body that returns a failure value somewhere.
    for o, f in fonctions:
        corps = masque[o + 1:f]
        echec = None
        for valeur in ("false", "std::nullopt", "nullptr", "1", "-1"):
            if re.search(r"\breturn " + re.escape(valeur) + r";", corps):
                echec = "return " + valeur + ";"
                break
        if echec is None and re.search(r"\breturn;", corps):
            echec = "return;"
        if echec is None:
            continue
        # The statements directly in the body (not in a nested block).
        i = o + 1
        while i < f:
            c = masque[i]
            if c in " \t\n":
                i += 1
                continue
            if c == "}":
                break
            fin = fin_instruction(masque, i)
            bloc = re.match(r"(if|for|while|switch|do|try)\b", masque[i:])
            if not masque[i:].startswith(("case", "default", "public", "private", "protected")):
                # Inserted at the start of the statement's line, before its text.
                ligne = texte.rfind("\n", 0, i) + 1
                if texte[ligne:i].strip() == "":
                    ajouter("retour", i, "", echec + " ")
            if bloc or fin < 0:
                # Skip to the end of the compound statement: the next brace block ending at depth 1.
                acc = masque.find("{", i)
                if acc < 0 or acc > f:
                    break
                fin = fermante(masque, acc)
                if fin < 0:
                    break
                while True:
                    suite = re.match(r"\s*(else\b|catch\b|while\b)", masque[fin + 1:])
                    if not suite:
                        break
                    if suite.group(1) == "while":
                        fin = masque.find(";", fin + 1)
                        break
                    acc = masque.find("{", fin + 1)
                    if acc < 0 or acc > f:
                        break
                    fin = fermante(masque, acc)
            i = fin + 1

    # appel: a statement that is only a call (or a chain of calls), its value unused.
    for m in re.finditer(r"(?m)^[ \t]*((::)?[A-Za-z_][\w:]*(\s*(\.|->)\s*[A-Za-z_]\w*)*"
                         r"(<[\w:,\s*&]*>)?\s*\()", masque):
        i = m.start(1)
        mot = re.match(r"\w+", masque[i:].lstrip(":")).group(0)
        if mot in MOTS_CONTROLE or mot in ("delete", "new", "throw", "case", "else", "do", "goto"):
            continue
        if not debut_instruction(masque, i) or not dans(fonctions, i):
            continue
        fin = fin_instruction(masque, i)
        if fin < 0:
            continue
        instruction = masque[i:fin]
        # Only a call: the first bracket closes just before the end (or a chain of calls), and
        # nothing is assigned or declared at the top level.
        niveau0 = re.sub(r"\([^()]*\)", "()", instruction)
        while re.search(r"\([^()]*\)", niveau0.replace("()", "")):
            niveau0 = re.sub(r"\(([^()]|\(\))*\)", "()", niveau0)
        if "=" in niveau0.replace("==", "").replace("!=", "") or not niveau0.rstrip().endswith(")"):
            continue
        if re.search(r"[A-Za-z_]\w*\s+[A-Za-z_]\w*\s*\(", niveau0.split("(")[0] + "("):
            continue  # a declaration with constructor arguments
        if "<<" in niveau0 or "?" in niveau0:
            continue
        ajouter("appel", i, texte[i:fin + 1], ";")

    # table: one entry of a constant table changed.
    for o, f in tables:
        noms = []
        for a, b in litteraux:
            if o < a < f:
                lit = texte[a:b]
                if lit.startswith("'"):
                    contenu = lit[1:-1]
                    if len(contenu) == 1 and contenu.isalnum():
                        ajouter("table", a, lit, "'" + chr(ord(contenu) + 1) + "'")
                elif lit.startswith('"'):
                    contenu = lit[1:-1]
                    if contenu == "":
                        ajouter("table", a, lit, '"x"')
                    elif not contenu.endswith("\\"):
                        dernier = contenu[-1]
                        change = "y" if dernier != "y" else "z"
                        ajouter("table", a, lit, '"' + contenu[:-1] + change + '"')
        zone = masque[o:f]
        for m in re.finditer(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)(?![\w.'])", zone):
            v = int(m.group(1), 0)
            ecrite = hex(v + 1).upper().replace("0X", "0x") if m.group(1).lower().startswith("0x") \
                else str(v + 1)
            ajouter("table", o + m.start(), m.group(1), ecrite)
        for m in re.finditer(r"\b(true|false)\b", zone):
            ajouter("table", o + m.start(), m.group(1), "false" if m.group(1) == "true" else "true")
        for m in re.finditer(r"(?<=[{,])\s*(&?[A-Za-z_][\w:]*)\s*(?=[,}])", zone):
            noms.append((o + m.start(1), m.group(1)))
        distincts = sorted({n for _, n in noms})
        for position, nom in noms:
            if nom in ("true", "false"):
                continue
            autres = [n for n in distincts if n != nom and n not in ("true", "false")]
            if autres:
                autre = autres[random.Random(position).randrange(len(autres))]
                ajouter("table", position, nom, autre)
    return resultat


def signature(faute):
    """What identifies a fault whatever the lines around it."""
    return "{} | {} | {} | {}".format(faute["fichier"], faute["operateur"],
                                      " ".join(faute["avant_ligne"].split()),
                                      " ".join(faute["apres_ligne"].split()))


def faute(fichier, texte, operateur, debut, avant, apres):
    ligne = texte.count("\n", 0, debut) + 1
    # The whole lines the fault touches, before and after: what a reader sees, and the signature.
    d = texte.rfind("\n", 0, debut) + 1
    f = texte.find("\n", debut + len(avant))
    f = len(texte) if f < 0 else f
    avant_ligne = texte[d:f]
    apres_ligne = texte[d:debut] + apres + texte[debut + len(avant):f]
    resultat = {"fichier": fichier, "ligne": ligne, "operateur": operateur, "avant": avant,
                "apres": apres, "avant_ligne": avant_ligne, "apres_ligne": apres_ligne}
    resultat["signature"] = signature(resultat)
    return resultat


def toutes(sources):
    """Every fault of the sources ({path: text}), in a fixed order."""
    fautes = []
    for fichier in sorted(sources):
        texte = sources[fichier]
        vues = set()
        for operateur, debut, avant, apres in places(texte):
            f = faute(fichier, texte, operateur, debut, avant, apres)
            if f["signature"] in vues or avant == apres:
                continue  # the same change of the same lines: one fault
            vues.add(f["signature"])
            fautes.append(f)
    return fautes


def tirer(fautes, nombre, graine):
    """`nombre` faults drawn at random with the seed, each place of each operator equally
    likely."""
    return random.Random(graine).sample(fautes, min(nombre, len(fautes)))


def appliquer(texte, faute):
    """The text with the fault planted, or None when its lines are no longer there. The lines are
    looked for whole; of several places, the one nearest the line it was drawn at."""
    avant = faute["avant_ligne"]
    places_trouvees = []
    debut = 0
    while True:
        i = texte.find(avant, debut)
        if i < 0:
            break
        if (i == 0 or texte[i - 1] == "\n") and (i + len(avant) == len(texte) or
                                                 texte[i + len(avant)] == "\n"):
            places_trouvees.append(i)
        debut = i + 1
    if not places_trouvees:
        return None
    i = min(places_trouvees, key=lambda p: abs(texte.count("\n", 0, p) + 1 - faute["ligne"]))
    return texte[:i] + faute["apres_ligne"] + texte[i + len(avant):]
