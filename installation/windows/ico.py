#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a Windows icon (.ico) holding the given PNG pictures as they are (the PNG form of the
icon entries, which Windows reads since Vista).

    ico.py OUT.ico 16.png 32.png 48.png 256.png
"""
import struct
import sys


def taille(png):
    if png[:8] != b"\x89PNG\r\n\x1a\n" or png[12:16] != b"IHDR":
        raise SystemExit("not a PNG picture")
    return struct.unpack(">II", png[16:24])


def main():
    sortie, *entrees = sys.argv[1:]
    images = [open(chemin, "rb").read() for chemin in entrees]
    entete = struct.pack("<HHH", 0, 1, len(images))
    repertoire = b""
    position = 6 + 16 * len(images)
    for png in images:
        largeur, hauteur = taille(png)
        # 256 is written 0; 32 bits a pixel, one plane.
        repertoire += struct.pack("<BBBBHHII", largeur % 256, hauteur % 256, 0, 0, 1, 32,
                                  len(png), position)
        position += len(png)
    with open(sortie, "wb") as f:
        f.write(entete + repertoire + b"".join(images))


if __name__ == "__main__":
    main()
