#!/usr/bin/env python3
"""Writes the committed seed corpora of the fuzz targets (fuzz/corpus/<name>/).

Each target reads its input with easel_fuzz::ByteReader (little-endian ints,
zero past the end); the layouts are described in the target sources. Run this
again only to change the seeds: the files are committed, and the fuzzers add
their own finds under build/fuzz/corpus/.
"""

import os
import struct
import sys
import zlib

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
import bmpfiles  # noqa: E402
sys.path.insert(0, os.path.join(here, "..", "..", "scripts"))
import crafted_images  # noqa: E402


def write(target, seeds):
    folder = os.path.join(here, "..", "corpus", target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


# icon_fuzz.cpp: width index, height index, flags (bit 0 raw; bits 6-7 the
# source: 0 memory, 1 file, 2 file made sparse to 2 GiB, 3 FIFO), then a BMP.
SIZE_25 = 8  # index of 25 in the target's size table
FILE, SPARSE, FIFO = 1 << 6, 2 << 6, 3 << 6


def gap_before_pixels(image, gap):
    masks = struct.pack("<III", 0xFF, 0xFF00, 0xFF0000) * (gap // 12 + 1)
    offset = struct.unpack("<I", image[10:14])[0]
    header = image[:10] + struct.pack("<I", offset + gap) + image[14:offset]
    return header + masks[:gap] + image[offset:]


def with_info_size(image, size):
    return image[:14] + struct.pack("<I", size) + image[18:]


def icon_seeds():
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
        "compression_99": (SIZE_25, SIZE_25, 0, bmpfiles.bmp(5, 5, 24, compression=99)),
        "file_rgb24_25x25": (SIZE_25, SIZE_25, FILE, bmpfiles.bmp(25, 25, 24)),
        "fifo": (SIZE_25, SIZE_25, FIFO | 1, b""),
        # A 54-byte header announcing 16383 x 32767 pixels at 32 bits, which
        # the sparse file's 2 GiB would hold.
        "sparse_huge_header": (SIZE_25, SIZE_25, SPARSE,
                               bmpfiles.bmp(1, 1, 32, width_field=16383,
                                            height_field=32767)[:54]),
        "sparse_small_image": (SIZE_25, SIZE_25, SPARSE | 1, bmpfiles.bmp(3, 3, 24)),
        # 12 bytes that read as swapped colour masks between the header and
        # the pixels of an uncompressed 32-bit image.
        "rgb32_gap_raw": (SIZE_25, SIZE_25, 1, gap_before_pixels(bmpfiles.bmp(5, 5, 32), 12)),
        # A 24-bit image whose info header claims the 64 bytes of OS/2 2.x.
        "os2_v2_header": (SIZE_25, SIZE_25, 0,
                          with_info_size(bmpfiles.bmp(5, 5, 24), 64)),
    }
    return {name: bytes((w, h, raw)) + data for name, (w, h, raw, data) in seeds.items()}


# text_fuzz.cpp: operation count, then per operation: kind (0 text, 1 char,
# 2 int, 3 unsigned, 4 real), x and y (selector byte, int), foreground,
# background flag, background, and then the character; or the minimum length
# and either the text length (u16) and text, or the sign-column flag, the
# value and (for a real) the decimals.
def text_op(sel_x, x, sel_y, y, min_length, text, background=1, char_only=0):
    out = bytes((char_only, sel_x)) + struct.pack("<i", x) + bytes((sel_y,)) + struct.pack("<i", y)
    out += struct.pack("<iii", 0, 0, 0) + bytes((background,)) + struct.pack("<iii", 255, 255, 255)
    if char_only:
        return out + struct.pack("<i", ord(text[0]) if text else 219)
    return out + struct.pack("<iH", min_length, len(text)) + text.encode("latin-1")


def number_op(kind, sel_x, x, value_bytes, decimals=None, sign_column=1, min_length=0):
    out = bytes((kind, sel_x)) + struct.pack("<i", x) + bytes((200,)) + struct.pack("<i", 100)
    out += struct.pack("<iii", 0, 0, 0) + bytes((1,)) + struct.pack("<iii", 255, 255, 255)
    out += struct.pack("<i", min_length) + bytes((sign_column,)) + value_bytes
    return out + (struct.pack("<i", decimals) if decimals is not None else b"")


def text_seeds():
    one = struct.pack("<I", 0)
    return {
        "label": one + text_op(200, 300, 200, 10, 0, "Selected Color:", 0),
        "wrap_right": one + text_op(200, 496, 200, 0, 0, "AB"),
        "wrap_bottom": one + text_op(200, 0, 200, 495, 0, "xyz"),
        "pad_only": one + text_op(200, 40, 200, 40, 3, ""),
        "long_line": one + text_op(200, 0, 200, 0, 0, "".join(chr(32 + i % 95) for i in range(200))),
        "int_max": one + text_op(15, 0, 15, 0, 5, "edge"),
        "int_min": one + text_op(0, 0, 0, 0, 5, "edge"),
        "negative": one + text_op(200, -3, 200, -20, 2, "neg"),
        "char_block": one + text_op(200, 498, 200, 498, 0, "\xdb", char_only=1),
        "char_min": one + text_op(0, 0, 15, 0, 0, "A", char_only=1),
        "high_bytes": one + text_op(200, 100, 200, 100, 0, "".join(chr(c) for c in range(128, 256))),
        "int_min_at_int_max": one + number_op(2, 15, 0, struct.pack("<i", -2 ** 31)),
        "unsigned_max": one + number_op(3, 200, 300, struct.pack("<I", 2 ** 32 - 1)),
        "real_huge_fixed": one + number_op(4, 200, 0, struct.pack("<d", 1e308), decimals=15),
        "real_nan": one + number_op(4, 200, 0, struct.pack("<d", float("nan")), decimals=-1),
        "real_negative_zero": one + number_op(4, 14, 0, struct.pack("<d", -0.0), decimals=3),
    }


# raster_fuzz.cpp: per call, the operation (u32), four ints and a colour.
def raster_op(op, a, b, c, d, colour=(255, 0, 0)):
    return struct.pack("<I4i3i", op, a, b, c, d, *colour)


def raster_seeds():
    big, small = 2 ** 31 - 1, -2 ** 31
    return {
        "circle_edges": raster_op(3, 10, 10, 10, 0) + raster_op(3, 9, 10, 10, 0)
        + raster_op(3, 489, 250, 10, 0) + raster_op(3, 250, 250, -1, 0),
        "disc_clipped": raster_op(4, -3, 100, 5, 0) + raster_op(4, -6, 100, 5, 0)
        + raster_op(4, 250, 250, big, 0) + raster_op(4, 0, 0, small, 0),
        "rect_wrap": raster_op(5, 20, 5, 19, 8) + raster_op(5, 10, 20, 10, 20)
        + raster_op(5, 0, 0, 499, 499) + raster_op(5, 400, 400, 3, 3),
        "clip_cases": raster_op(6, 600, -100, -100, 600) + raster_op(6, 0, 0, 100, 1000)
        + raster_op(6, small, small, big, big) + raster_op(6, -20, 5, -1, 50),
    }


# colour_fuzz.cpp: seven ints per round (two colours and a factor).
def colour_seeds():
    return {
        "zeros": bytes(56),
        "extremes": struct.pack("<7i", -2 ** 31, 2 ** 31 - 1, -1, 2 ** 31 - 1, -2 ** 31, 256, -1)
        + struct.pack("<7i", 255, 255, 255, 0, 0, 0, 0) + struct.pack("<7i", 7, -7, 9, 2, 2, 2, 2),
        "blend": struct.pack("<7i", 0, 0, 0, 255, 255, 255, 128)
        + struct.pack("<7i", 18, 52, 86, 255, 0, 0, 16),
    }


# field_fuzz.cpp: field kind (u32: 0 text, 1 number, 2 char), x and y (i16),
# for a text field its length + 2 (u32), the background flag byte; then per
# pass a count byte (0-3) and that many key indices, each toggling that key.
KEYS = {"a": 0, "b": 1, "m": 2, "z": 3, "0": 4, "1": 5, "2": 6, "5": 7, "9": 8, "-": 11,
        ".": 12, "kp7": 21, "kp.": 23, "kp-": 26, "space": 29, "shift": 30, "caps": 32,
        "bs": 33, "enter": 35, "kpenter": 36}


def typed(*names):
    """Press then release each key, one pass each, then Enter."""
    out = b""
    for name in names + ("enter",):
        out += bytes((1, KEYS[name])) + bytes((1, KEYS[name]))
    return out


def field_header(kind, x=0, y=200, length=None, background=1):
    out = struct.pack("<Ihh", kind, x, y)
    if length is not None:
        out += struct.pack("<I", length + 2)
    return out + bytes((background,))


def field_seeds():
    seeds = {
        "text_overwrite_last": field_header(0, length=4) + typed("a", "b", "m", "z", "5", "bs", "bs"),
        "text_one_slot": field_header(0, length=1) + typed("a", "b", "bs", "z"),
        "text_refused": field_header(0, length=0) + typed("a"),
        "text_shifted": field_header(0, x=490, y=495, length=20)
        + bytes((1, KEYS["shift"])) + typed("2", "9", "-"),
        "number_point": field_header(1) + typed("1", "2", ".", "5"),
        "number_minus": field_header(1) + typed("-", "kp7", "kp.", "9", "bs", "bs", "bs", "bs"),
        "number_full": field_header(1, x=-20) + typed(*(["9"] * 258 + ["."] + ["1"] * 3)),
        "char_caps": field_header(2) + bytes((1, KEYS["caps"])) + typed("b", "space"),
        "char_enter_held": field_header(2) + bytes((2, KEYS["enter"], KEYS["a"])) + typed("m"),
    }
    return seeds


# camera_fuzz.cpp: per step an operation (u32) and its doubles.
def camera_op(op, *values):
    return struct.pack("<I", op) + struct.pack("<%dd" % len(values), *values)


def camera_seeds():
    project = 15
    inf, nan = float("inf"), float("nan")
    return {
        "look_and_project": camera_op(1, 0, 0, -10) + camera_op(6, 0, 0, 0)
        + camera_op(project, 0, 0, 0) + camera_op(project, 1, 1, 0) + camera_op(project, -1, 2, 5),
        "turns": camera_op(7, 0.5) + camera_op(8, -0.25) + camera_op(9, 3.0)
        + camera_op(2, 0, 1, 0, 1.0) + camera_op(project, 0, 0, 5) + camera_op(project, 3, -2, 9),
        "extremes": camera_op(3, 1e-300) + camera_op(project, 1e300, -1e300, 1e-300)
        + camera_op(5, 0.0) + camera_op(project, inf, nan, 1) + camera_op(12, -inf)
        + camera_op(project, 0, 0, -1e-9) + camera_op(10, nan) + camera_op(11)
        + camera_op(project, 1, 1, 1),
    }


# pass_fuzz.cpp: per step a kind byte (7: drawPanel with the int that follows;
# otherwise a pass), then x and y (a byte, 24 or more for a window point as
# u16 + 10, else an int) and a buttons byte (1 left, 2 right).
def pointer(x, y, buttons):
    def coordinate(v):
        if -10 <= v < 510:
            return bytes((200,)) + struct.pack("<H", v + 10)
        return bytes((0,)) + struct.pack("<i", v)
    return bytes((0,)) + coordinate(x) + coordinate(y) + bytes((buttons,))


def pass_seeds():
    def click(x, y):
        return pointer(x, y, 1) + pointer(x, y, 0)

    def drag(points):
        return b"".join(pointer(x, y, 1) for x, y in points) + pointer(*points[-1], 0)

    return {
        "pencil_drag": drag([(100, 200), (150, 260), (400, 499), (499, 128)]),
        "brush_drag": click(312, 87) + drag([(50, 300), (60, 310), (200, 150), (10, 20)]),
        "ink_fill": click(412, 62) + click(200, 300) + click(250, 100) + click(250, 63),
        "picks": click(255, 127) + click(256, 0) + click(271, 127) + click(272, 0)
        + click(100, 50) + pointer(300, 250, 3),
        "clear_then_pencil": click(412, 87) + click(250, 300) + click(312, 62) + click(5, 495),
        "far_away": drag([(2 ** 31 - 1, -2 ** 31), (-2 ** 31, 2 ** 31 - 1), (250, 250)])
        + click(312, 87) + drag([(2 ** 31 - 1, 300), (-2 ** 31, 300)]),
        "panels": bytes((7,)) + struct.pack("<i", 0) + bytes((7,)) + struct.pack("<i", -2 ** 31)
        + bytes((7,)) + struct.pack("<i", 2),
    }


# fill_fuzz.cpp: shape count (u32), per shape its kind and palette index
# (u32 each) and x0, y0, x1, y1 (u16); then the fill count - 1 (u32) and per
# fill: a byte (below 32: x and y are ints; else u16 values of x + 1, y + 1),
# the new colour's palette index and the old colour's (u32; 6 takes the pixel
# under the start point).
def fill_shape(kind, colour, x0, y0, x1, y1):
    return struct.pack("<IIHHHH", kind, colour, x0, y0, x1, y1)


def fill_at(x, y, new, old, any_point=False):
    if any_point:
        return bytes((0,)) + struct.pack("<iiII", x, y, new, old)
    return bytes((200,)) + struct.pack("<HHII", x + 1, y + 1, new, old)


def fill_seeds():
    count = lambda n: struct.pack("<I", n)  # noqa: E731
    return {
        "empty_canvas": count(0) + count(0) + fill_at(250, 300, 1, 6),
        "closed_loop": count(4) + fill_shape(1, 1, 100, 150, 300, 150)
        + fill_shape(1, 1, 300, 150, 200, 400) + fill_shape(1, 1, 200, 400, 100, 150)
        + fill_shape(0, 2, 0, 0, 499, 63) + count(1) + fill_at(200, 250, 2, 6)
        + fill_at(10, 70, 4, 6),
        "top_byte": count(2) + fill_shape(0, 3, 50, 100, 150, 200) + fill_shape(2, 0, 60, 120, 30, 0)
        + count(2) + fill_at(60, 130, 5, 6) + fill_at(70, 110, 2, 1),
        "off_screen": count(1) + fill_shape(0, 1, 0, 60, 499, 70) + count(3)
        + fill_at(-1, 200, 1, 6, True) + fill_at(2 ** 31 - 1, -2 ** 31, 2, 0, True)
        + fill_at(250, 63, 2, 6) + fill_at(250, 64, 2, 6),
    }


# image_fuzz.cpp: a flag byte (1: named .tga), x and y (i16), then the file.
def png(width, height, pixel=lambda x, y: ((x * 40) & 255, (y * 70) & 255, 128)):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    rows = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width))
                    for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def image_seeds():
    images = os.path.join(here, "..", "..", "tests", "data", "images")

    def data(name):
        with open(os.path.join(images, name), "rb") as f:
            return f.read()

    at = lambda tga, x, y: bytes((tga,)) + struct.pack("<hh", x, y)  # noqa: E731
    return {
        "png_7x5": at(0, 10, 10) + png(7, 5),
        "png_over_corner": at(0, -3, 497) + png(9, 9),
        "png_too_wide": at(0, 0, 0) + png(1, 1)[:16] + struct.pack(">II", 5000, 1) + png(1, 1)[24:],
        "bmp_24": at(0, 495, -2) + bmpfiles.bmp(11, 6, 24),
        "bmp_8": at(0, 0, 0) + bmpfiles.bmp(6, 6, 8),
        "bmp_huge_header": at(0, 0, 0) + bmpfiles.bmp(2, 2, 24, width_field=40000, height_field=40000),
        "gif": at(0, 100, 100) + data("corners_5x3.gif"),
        "jpeg": at(0, 250, 250) + data("corners_5x3.jpg"),
        "pnm": at(0, -100, -100) + data("corners_5x3.ppm"),
        "tga": at(1, 499, 499) + data("corners_5x3.tga"),
        "truncated_png": at(0, 0, 0) + png(20, 20)[:60],
        "empty": at(1, 0, 0),
    }


def test_image(name):
    with open(os.path.join(here, "..", "..", "tests", "data", "images", name), "rb") as f:
        return f.read()


# png_fuzz.cpp, jpeg_fuzz.cpp, gif_fuzz.cpp, bmp_fuzz.cpp: the file's bytes
# alone, given to one decoder; the crafted cases are among the seeds.
def decoder_seeds():
    small = crafted_images.small_cases()
    grey_alpha = png(3, 3)[:24] + b"\x08\x04" + png(3, 3)[26:]  # a damaged IHDR CRC
    return {
        "png": {
            "rgb_7x5": png(7, 5),
            "text_then_end": small["png_text_then_end.png"],
            "ztxt_1": crafted_images.png_ztxt(1),
            "truncated": png(20, 20)[:60],
            "bad_ihdr_crc": grey_alpha,
            "too_wide": png(1, 1)[:16] + struct.pack(">II", 5000, 1) + png(1, 1)[24:],
        },
        "jpeg": {
            "corners_5x3": test_image("corners_5x3.jpg"),
            "scans_40": crafted_images.progressive_jpeg(64, 64, 1, 40),
            "scans_20": crafted_images.progressive_jpeg(64, 48, 3, 20),
            "cmyk_16x16": crafted_images.progressive_jpeg(16, 16, 4, 2, adobe=True),
            "cmyk_8192": small["jpeg_cmyk_progressive.jpg"],
        },
        "gif": {
            "corners_5x3": test_image("corners_5x3.gif"),
            "one_pixel": small["gif_1x1.gif"],
            "cut_short": test_image("corners_5x3.gif")[:-3],
            "empty_control_block": (b"GIF89a\x05\x00\x03\x00\x00\x00\x00!\xf9\x00\x0b,"
                                    b"\x00\x00\x00\x00\x05\x00\x03\x00\x00\x02\x02\x44\x01"
                                    b"\x00,\x00\x00\x00\x00\x8c\x8c\x8c\x8c\x00\x02\x02\x44"
                                    b"\x01\x00;"),
        },
        "bmp": {
            "rgb24_11x6": bmpfiles.bmp(11, 6, 24),
            "rgb32_5x5_topdown": bmpfiles.bmp(5, -5, 32),
            "bitfields": bmpfiles.bmp(5, 5, 32, compression=bmpfiles.BI_BITFIELDS),
            "pal8_6x6": bmpfiles.bmp(6, 6, 8),
            "rle8_refused": bmpfiles.bmp(6, 6, 8, compression=1),
            # Runs, an odd absolute stretch with its pad, delta, end of line
            # and of bitmap; the same in RLE4; a run past the row's end; cut short.
            "rle8_escapes": bmpfiles.rle_bmp(5, 4, 8, bytes([3, 1, 0, 3, 4, 5, 6, 0, 0, 0, 0, 2,
                                                             1, 1, 1, 9, 0, 0, 2, 7, 0, 1])),
            "rle4_escapes": bmpfiles.rle_bmp(5, 3, 4, bytes([5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0,
                                                             0, 0, 5, 0x67, 0x89, 0xA0, 0, 0,
                                                             1])),
            "rle8_past_row_end": bmpfiles.rle_bmp(2, 2, 8, bytes([12, 3, 0, 0, 1, 4, 0, 1])),
            "rle4_cut_short": bmpfiles.rle_bmp(4, 1, 4, bytes([0, 4, 0x12])),
            "huge_header": bmpfiles.bmp(2, 2, 24, width_field=40000, height_field=40000),
            "truncated": bmpfiles.bmp(25, 25, 24)[:700],
        },
    }


def main():
    write("icon", icon_seeds())
    write("image", image_seeds())
    for target, seeds in decoder_seeds().items():
        write(target, seeds)
    write("fill", fill_seeds())
    write("pass", pass_seeds())
    write("camera", camera_seeds())
    write("text", text_seeds())
    write("raster", raster_seeds())
    write("colour", colour_seeds())
    write("field", field_seeds())


if __name__ == "__main__":
    main()
