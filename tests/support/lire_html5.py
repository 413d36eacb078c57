#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a page with a real HTML5 parser (html5lib), strictly: the first parse error fails.

Prints, one a line, what a reader of the page sees, in document order:
    encodage<TAB>the encoding the parser read the bytes with
    TAG<TAB>text<TAB>href
for every title, h1, h2, h3, li and p element (href: that of the link inside, or empty). In the
text a <br> is a line break; backslashes are doubled and line breaks written \\n, so that each
item stays on its line. Exits 1 when the page is not valid HTML5.
"""
import sys

import html5lib

XHTML = "{http://www.w3.org/1999/xhtml}"


def texte(element):
    morceaux = [element.text or ""]
    for enfant in element:
        morceaux.append("\n" if enfant.tag == XHTML + "br" else texte(enfant))
        morceaux.append(enfant.tail or "")
    return "".join(morceaux)


def main():
    with open(sys.argv[1], "rb") as f:
        octets = f.read()
    analyseur = html5lib.HTMLParser(strict=True)
    try:
        document = analyseur.parse(octets)
    except html5lib.html5parser.ParseError as erreur:
        print(f"{sys.argv[1]}: {erreur} at {analyseur.errors[:1]}", file=sys.stderr)
        return 1
    sortie = [f"encodage\t{analyseur.documentEncoding}"]
    for element in document.iter():
        if not isinstance(element.tag, str):
            continue
        nom = element.tag.replace(XHTML, "")
        if nom not in ("title", "h1", "h2", "h3", "li", "p"):
            continue
        lien = element.find(XHTML + "a")
        adresse = lien.get("href", "") if lien is not None else ""
        contenu = texte(element).replace("\\", "\\\\").replace("\n", "\\n")
        sortie.append(f"{nom}\t{contenu}\t{adresse}")
    sys.stdout.buffer.write(("\n".join(sortie) + "\n").encode("utf-8"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
