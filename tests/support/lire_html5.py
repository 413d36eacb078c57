#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a page with a real HTML5 parser (html5lib), strictly: the first parse error fails.

Prints the encoding the parser read the bytes with. Exits 1 when the page is not valid HTML5.
"""
import sys

import html5lib


def main():
    with open(sys.argv[1], "rb") as f:
        octets = f.read()
    analyseur = html5lib.HTMLParser(strict=True)
    try:
        analyseur.parse(octets)
    except html5lib.html5parser.ParseError as erreur:
        print(f"{sys.argv[1]}: {erreur} at {analyseur.errors[:1]}", file=sys.stderr)
        return 1
    print(analyseur.documentEncoding)
    return 0


if __name__ == "__main__":
    sys.exit(main())
