#!/usr/bin/env python3
"""Writes the field fuzz target's seed corpus (fuzz/corpus/field/).

Layout (see field_fuzz.cpp): field kind (u32: 0 text, 1 number, 2 char),
x and y (i16 each), for a text field its length + 2 (u32), the background
flag byte; then one record per pass: a count byte (0-3) and that many key
indices into the target's key table, each toggling that key.
"""

import os
import struct

KEYS = {"a": 0, "b": 1, "m": 2, "z": 3, "0": 4, "1": 5, "2": 6, "5": 7, "9": 8, "-": 11,
        ".": 12, "kp7": 21, "kp.": 23, "kp-": 26, "space": 29, "shift": 30, "caps": 32,
        "bs": 33, "enter": 35, "kpenter": 36}


def typed(*names):
    """Press then release each key, one pass each, then Enter."""
    out = b""
    for name in names + ("enter",):
        out += bytes((1, KEYS[name])) + bytes((1, KEYS[name]))
    return out


def header(kind, x=0, y=200, length=None, background=1):
    out = struct.pack("<Ihh", kind, x, y)
    if length is not None:
        out += struct.pack("<I", length + 2)
    return out + bytes((background,))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "corpus", "field")
    os.makedirs(out, exist_ok=True)
    seeds = {
        "text_overwrite_last": header(0, length=4) + typed("a", "b", "m", "z", "5", "bs", "bs"),
        "text_one_slot": header(0, length=1) + typed("a", "b", "bs", "z"),
        "text_refused": header(0, length=0) + typed("a"),
        "text_shifted": header(0, x=490, y=495, length=20)
        + bytes((1, KEYS["shift"])) + typed("2", "9", "-"),
        "number_point": header(1) + typed("1", "2", ".", "5"),
        "number_minus": header(1) + typed("-", "kp7", "kp.", "9", "bs", "bs", "bs", "bs"),
        "number_full": header(1, x=-20) + typed(*(["9"] * 258 + ["."] + ["1"] * 3)),
        "char_caps": header(2) + bytes((1, KEYS["caps"])) + typed("b", "space"),
        "char_enter_held": header(2) + bytes((2, KEYS["enter"], KEYS["a"])) + typed("m"),
    }
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
