#!/usr/bin/env python3
"""Generates easel/text/font_data.cpp, the 8x8 code page 437 glyph table.

The glyphs come from the console fonts FullGreek-VGA8 and, for the few
positions it lacks, Uni2-VGA8, both of Debian's package console-setup-linux
(scripts/deps.sh font installs it). Each code page 437 position is looked up
through the fonts' Unicode tables, in that order: positions 1-31 and
127 as the PC pictographs, the rest through Python's 'cp437' codec. A few
glyphs are then replaced or adjusted (see OWN_GLYPHS and the shifts below):

- glyphs both fonts lack (16, 17, 158, 169, 236, 239, 240) and glyphs that
  they draw wrongly under their Unicode names (the Greek letters 224-238)
  are drawn here;
- glyphs 0-6, 48-57, 65, 103, 176, 219 and 255 are fixed by the library's
  contract and set here byte for byte;
- every letter and digit keeps to the left seven columns and the top seven
  rows (descenders in row 7), so that adjacent cells stay apart: the font's Q
  has its tail in row 7 and is redrawn; glyphs other than pictographs,
  box-drawing pieces, shades and blocks that touch column 7 are shifted one
  column left when column 0 is free, or redrawn narrower.

Usage: scripts/make_font.py [FONT.psf.gz...] > easel/text/font_data.cpp
"""
import gzip
import struct
import sys

SOURCES = [
    "/usr/share/consolefonts/FullGreek-VGA8.psf.gz",
    "/usr/share/consolefonts/Uni2-VGA8.psf.gz",
]

# The PC pictographs of positions 1-31, then 127.
PICTOGRAPHS = "☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼"
HOUSE = "⌂"

# Glyphs set by the library's contract, row 0 first, column 0 = bit 7.
CONTRACT = {
    0: "00 00 00 00 00 00 00 00",
    1: "7E 81 A5 81 BD 99 81 7E",
    2: "7E FF DB FF C3 E7 FF 7E",
    3: "6C FE FE FE 7C 38 10 00",
    4: "10 38 7C FE 7C 38 10 00",
    5: "38 7C 38 FE FE D6 10 38",
    6: "10 10 38 7C FE 7C 10 38",
    48: "78 CC DC FC EC CC 78 00",
    49: "30 F0 30 30 30 30 FC 00",
    50: "78 CC 0C 38 60 CC FC 00",
    51: "78 CC 0C 38 0C CC 78 00",
    52: "1C 3C 6C CC FE 0C 0C 00",
    53: "FC C0 F8 0C 0C CC 78 00",
    54: "38 60 C0 F8 CC CC 78 00",
    55: "FC CC 0C 18 30 60 60 00",
    56: "78 CC CC 78 CC CC 78 00",
    57: "78 CC CC 7C 0C 18 70 00",
    65: "30 78 CC CC FC CC CC 00",
    103: "00 00 76 CC CC 7C 0C F8",
    176: "22 88 22 88 22 88 22 88",
    219: "FF FF FF FF FF FF FF FF",
    255: "00 00 00 00 00 00 00 00",
}

# Glyphs drawn here: missing from the font, drawn wrongly by it, or redrawn
# to keep within seven columns and rows.
OWN_GLYPHS = {
    16: "80 E0 F8 FE F8 E0 80 00",   # right-pointing triangle
    17: "02 0E 3E FE 3E 0E 02 00",   # left-pointing triangle
    42: "00 6C 38 FE 38 6C 00 00",   # asterisk, seven columns
    81: "7C C6 C6 C6 D6 CC 7A 00",   # Q, tail kept above row 7
    95: "00 00 00 00 00 00 00 FE",   # underscore, seven columns
    158: "F0 D8 F4 CE C4 C4 C6 00",  # peseta sign
    169: "00 00 00 FE C0 C0 00 00",  # reversed not sign
    174: "00 36 6C D8 6C 36 00 00",  # left guillemet
    175: "00 D8 6C 36 6C D8 00 00",  # right guillemet
    224: "00 00 76 DC C8 DC 76 00",  # alpha
    226: "FE C6 C0 C0 C0 C0 C0 00",  # Gamma
    227: "00 FE 6C 6C 6C 6C 6C 00",  # pi
    228: "FE C6 60 30 60 C6 FE 00",  # Sigma
    229: "00 00 7E D8 D8 D8 70 00",  # sigma
    231: "00 76 DC 18 18 18 18 00",  # tau
    232: "10 7C D6 D6 D6 7C 10 00",  # Phi
    233: "38 6C C6 FE C6 6C 38 00",  # Theta
    234: "38 6C C6 C6 6C 6C EE 00",  # Omega
    235: "1C 30 18 7C CC CC 78 00",  # delta
    236: "00 00 6C D6 D6 6C 00 00",  # infinity
    237: "06 0C 7C D6 D6 7C 60 C0",  # phi
    238: "38 60 C0 F8 C0 60 38 00",  # epsilon
    239: "00 7C C6 C6 C6 C6 C6 00",  # intersection
    240: "00 FE 00 FE 00 FE 00 00",  # identical to
    251: "1E 10 10 90 50 30 10 00",  # square root, seven columns
}

# Positions that draw edge to edge by design: pictographs, shades, box
# drawing pieces and blocks, and the fractions, whose glyphs fill the cell.
FULL_WIDTH = set(range(1, 32)) | {127, 171, 172} | set(range(176, 224))


def load_psf(path):
    """Returns (glyphs, unicode -> first glyph index) of a PSF1 font."""
    data = gzip.open(path).read()
    if data[:2] != b"\x36\x04":
        sys.exit("make_font.py: %s is not a PSF1 font" % path)
    mode, height = data[2], data[3]
    if height != 8:
        sys.exit("make_font.py: %s is not 8 pixels high" % path)
    count = 512 if mode & 1 else 256
    glyphs = [data[4 + i * 8 : 4 + (i + 1) * 8] for i in range(count)]
    if not mode & 6:
        sys.exit("make_font.py: %s has no Unicode table" % path)
    table = {}
    pos = 4 + count * 8
    for index in range(count):
        in_sequence = False
        while True:
            (code,) = struct.unpack("<H", data[pos : pos + 2])
            pos += 2
            if code == 0xFFFF:
                break
            if code == 0xFFFE:
                in_sequence = True
                continue
            if not in_sequence:
                table.setdefault(code, index)
    return glyphs, table


def cp437_unicode(position):
    if position == 0:
        return None
    if position < 32:
        return ord(PICTOGRAPHS[position - 1])
    if position == 127:
        return ord(HOUSE)
    return ord(bytes([position]).decode("cp437"))


def parse(text):
    return [int(v, 16) for v in text.split()]


def lookup(fonts, code):
    for glyphs, table in fonts:
        if code in table:
            return list(glyphs[table[code]])
    return None


def build(paths):
    fonts = [load_psf(path) for path in paths]
    font = []
    for position in range(256):
        code = cp437_unicode(position)
        if position in CONTRACT:
            rows = parse(CONTRACT[position])
        elif position in OWN_GLYPHS:
            rows = parse(OWN_GLYPHS[position])
        else:
            rows = lookup(fonts, code) if code is not None else None
            if rows is None:
                sys.exit("make_font.py: no glyph for position %d" % position)
        if position not in FULL_WIDTH and position not in CONTRACT:
            if any(r & 1 for r in rows) and not any(r & 0x80 for r in rows):
                rows = [r << 1 & 0xFF for r in rows]
            if any(r & 1 for r in rows):
                sys.exit("make_font.py: glyph %d uses column 7" % position)
        font.append(rows)
    return font


def emit(font, paths):
    out = []
    out.append("// Generated by scripts/make_font.py; do not edit by hand.")
    out.append("//")
    out.append("// Code page 437 in the PC's 8x8 text-mode style, one byte per pixel.")
    names = " and ".join(path.split("/")[-1] for path in paths)
    out.append("// Source: %s from Debian's package" % names)
    out.append("// console-setup-linux (public domain, see docs/font-source.md), with the")
    out.append("// adjustments listed in scripts/make_font.py.")
    out.append('#include "easel/text/font.h"')
    out.append("")
    out.append("namespace easel {")
    out.append("")
    out.append("// clang-format off")
    out.append("const std::uint8_t Font8x8[256 * 64] = {")
    for position, rows in enumerate(font):
        out.append("    // %d: %s" % (position, " ".join("%02X" % r for r in rows)))
        for r in rows:
            bits = ", ".join("1" if r & (0x80 >> c) else "0" for c in range(8))
            out.append("    %s," % bits)
    out.append("};")
    out.append("// clang-format on")
    out.append("")
    out.append("}  // namespace easel")
    return "\n".join(out) + "\n"


def main():
    paths = sys.argv[1:] if len(sys.argv) > 1 else SOURCES
    sys.stdout.write(emit(build(paths), paths))


if __name__ == "__main__":
    main()
