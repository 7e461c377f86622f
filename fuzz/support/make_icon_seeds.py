#!/usr/bin/env python3
"""Writes the icon fuzz target's seed corpus (fuzz/corpus/icon/).

Each seed is three bytes (destination width index, height index, raw flag;
see icon_fuzz.cpp) followed by a BMP file: good images of every depth, both
row orders and a few sizes, and the bad ones the loader must refuse safely.
Run it again only to change the seeds; the files are committed.
"""

import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
import bmpfiles  # noqa: E402

SIZE_25 = 8  # index of 25 in icon_fuzz.cpp's size table


def main():
    out = os.path.join(here, "..", "corpus", "icon")
    os.makedirs(out, exist_ok=True)
    seeds = {
        "rgb24_25x25": (SIZE_25, SIZE_25, 0, bmpfiles.bmp(25, 25, 24)),
        "rgb24_40x10_raw": (SIZE_25, SIZE_25, 1, bmpfiles.bmp(40, 10, 24)),
        "rgb32_9x7_topdown": (4, 6, 0, bmpfiles.bmp(9, -7, 32)),
        "rgb32_3x3_raw": (9, 3, 1, bmpfiles.bmp(3, 3, 32)),
        "rgb32_bitfields": (SIZE_25, SIZE_25, 0,
                            bmpfiles.bmp(5, 5, 32, compression=bmpfiles.BI_BITFIELDS)),
        "rgb16_5x5": (SIZE_25, SIZE_25, 0, bmpfiles.bmp(5, 5, 16)),
        "pal8_6x6": (SIZE_25, SIZE_25, 0, bmpfiles.bmp(6, 6, 8)),
        "pal4_7x3": (2, 2, 1, bmpfiles.bmp(7, 3, 4)),
        "pal1_9x2": (0, SIZE_25, 0, bmpfiles.bmp(9, 2, 1)),
        "truncated": (SIZE_25, SIZE_25, 0, bmpfiles.bmp(25, 25, 24)[:700]),
        "huge_header": (SIZE_25, SIZE_25, 0,
                        bmpfiles.bmp(2, 2, 24, width_field=40000, height_field=40000)),
        "negative_width": (SIZE_25, SIZE_25, 1, bmpfiles.bmp(2, 2, 24, width_field=-5)),
        "empty": (SIZE_25, SIZE_25, 0, b""),
        "not_bmp": (SIZE_25, SIZE_25, 0, b"GIF89a\x01\x00\x01\x00"),
    }
    for name, (w, h, raw, data) in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(bytes((w, h, raw)) + data)


if __name__ == "__main__":
    main()
