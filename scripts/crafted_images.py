#!/usr/bin/env python3
"""Writes the crafted picture files that loaders have failed on: a few bytes
each (or sparse), made to cost a careless decoder minutes or gigabytes.

Usage: scripts/crafted_images.py FOLDER [--large]

Without --large only the small cases are written (the unit tests' data in
tests/data/images/crafted/ and the fuzz seeds come from small_cases()); with
it also the 100,000-scan JPEG, the 771 KB PNG, the sparse 256 MiB GIF, the
8192 x 8192 pictures for loads under `ulimit -v 400000` (those need
ImageMagick's convert) and the slowest PNG of each kind at the largest size
its kind may have. The measurements in docs/image_loading.md load each one
with bench/load_one_main.cpp under /usr/bin/time -v.
"""
import os
import struct
import subprocess
import sys
import zlib


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def png_ihdr(width, height, colour_type=2):
    return png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))


def png_text_then_end():
    """Signature, IHDR, one tEXt chunk, end of file: 48 bytes."""
    return PNG_SIGNATURE + png_ihdr(1, 1) + png_chunk(b"tEXt", b"a\0b")


def png_ztxt(count):
    """A 1 x 1 PNG with count zTXt chunks, each inflating to 7.7 MB of text."""
    bomb = png_chunk(b"zTXt", b"k\0\0" + zlib.compress(b"a" * 7700000, 9))
    pixel = png_chunk(b"IDAT", zlib.compress(b"\0\0\0\0", 9))
    return PNG_SIGNATURE + png_ihdr(1, 1) + bomb * count + pixel + png_chunk(b"IEND", b"")


ADAM7 = ((0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2))


def png_paeth(path, width, height, depth, colour_type, interlace=0):
    """The slowest PNG to decode for its size and kind: every row of every
    pass Paeth-filtered (the costliest filter to undo), all residuals zero, so
    that even 64 Mpx compress to well under 16 MiB. Written row by row."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    passes = [(width, height)]
    if interlace:
        passes = [((width - x0 + dx - 1) // dx, (height - y0 + dy - 1) // dy)
                  for x0, y0, dx, dy in ADAM7 if width > x0 and height > y0]
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace)
    deflate = zlib.compressobj(6)
    with open(path, "wb") as f:
        f.write(PNG_SIGNATURE + png_chunk(b"IHDR", header))
        if colour_type == 3:
            f.write(png_chunk(b"PLTE", bytes(range(256)) * 3))
        pending = b""
        for pass_width, pass_height in passes:
            row = b"\x04" + bytes((pass_width * channels * depth + 7) // 8)
            for _ in range(pass_height):
                pending += deflate.compress(row)
                if len(pending) >= 1 << 20:
                    f.write(png_chunk(b"IDAT", pending))
                    pending = b""
        f.write(png_chunk(b"IDAT", pending + deflate.flush()) + png_chunk(b"IEND", b""))


# The PNG kinds whose pixels cost more to decode, each 8192 pixels wide and as
# tall as the loader's pixel limit for its kind allows (128 Mi divided by the
# bytes a pixel is stored in, plus 1, plus 1 for 16-bit samples, plus 2 when
# interlaced): name, depth, colour type, interlaced.
PNG_KINDS = (("grey8", 8, 0, 0), ("palette8", 8, 3, 0), ("rgb8", 8, 2, 0), ("rgba8", 8, 6, 0),
             ("grey16", 16, 0, 0), ("rgb16", 16, 2, 0), ("rgba16", 16, 6, 0),
             ("grey8_interlaced", 8, 0, 1), ("rgba16_interlaced", 16, 6, 1))


def png_limit_height(depth, colour_type, interlace, width=8192):
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    weight = max(1, channels * depth // 8) + 1 + (depth == 16) + 2 * interlace
    return min(8192, (128 << 20) // weight // width)


def bmp_rle8_runs(width, height):
    """An RLE8 BMP of runs of 255 pixels, row after row: 64 Mpx in half a MB."""
    row = b"".join(bytes([min(255, width - x), x // 255 % 256]) for x in range(0, width, 255))
    data = (row + b"\0\0") * height + b"\0\1"
    palette = b"".join(bytes([i, i, 255 - i, 0]) for i in range(256))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + info + palette + data


def jpeg_segment(marker, payload):
    return b"\xff" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload


def progressive_jpeg(width, height, components, empty_scans, adobe=False):
    """A progressive JPEG whose scans carry no data: a DC scan, then
    empty_scans AC scans of 10 bytes each, every one of which a decoder
    walks over the whole picture for."""
    out = b"\xff\xd8"
    if adobe:  # Adobe marker, no transform: the four channels are CMYK
        out += jpeg_segment(0xEE, b"Adobe" + struct.pack(">HHHB", 100, 0, 0, 0))
    out += jpeg_segment(0xDB, b"\x00" + bytes([1] * 64))
    comps = b"".join(bytes([i + 1, 0x11, 0]) for i in range(components))
    out += jpeg_segment(0xC2, struct.pack(">BHHB", 8, height, width, components) + comps)
    # One DC code (category 0) and one AC code (end of block), each 1 bit.
    out += jpeg_segment(0xC4, b"\x00" + bytes([1] + [0] * 15) + b"\x00")
    out += jpeg_segment(0xC4, b"\x10" + bytes([1] + [0] * 15) + b"\x00")
    dc = bytes([components]) + b"".join(bytes([i + 1, 0x00]) for i in range(components))
    out += jpeg_segment(0xDA, dc + b"\x00\x00\x00")
    ac = jpeg_segment(0xDA, b"\x01\x01\x00\x01\x3f\x00")
    return out + ac * empty_scans + b"\xff\xd9"


def gif_1x1():
    return (b"GIF89a\x01\x00\x01\x00\x80\x00\x00" + b"\x00\x00\x00\xff\xff\xff" +
            b",\x00\x00\x00\x00\x01\x00\x01\x00\x00" + b"\x02\x02\x44\x01\x00" + b";")


def gif_blank(width, height):
    """A width x height GIF of one colour, its LZW codes made by hand: after
    each clear, every code is the entry being made (one pixel longer than the
    last), so a table of 4093 codes covers 8 million pixels."""
    clear, end, first = 4, 5, 6
    bits = []

    def emit(code, width):
        bits.extend((code >> i) & 1 for i in range(width))
    left = width * height
    while left > 0:
        emit(clear, 3)
        code_width, next_code, length = 3, first, 1
        emit(0, code_width)
        left -= 1
        while left > 0 and next_code < 4093:
            if length + 1 <= left:
                emit(next_code, code_width)
                length += 1
            else:
                emit(0, code_width)
                length = 1
            left -= length
            next_code += 1
            if next_code == 1 << code_width and code_width < 12:
                code_width += 1
    emit(end, code_width)
    data = bytes(sum(bits[i + j] << j for j in range(8) if i + j < len(bits))
                 for i in range(0, len(bits), 8))
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0x81, 0, 0) +
            b"\x20\x40\xc0\xff\xff\xff\x00\x00\x00\x00\x00\x00" +
            b"," + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02" + blocks +
            b"\x00;")


def tga_short_colour_map():
    """A colour-mapped TGA whose 256-entry colour map stops after 3 entries."""
    header = struct.pack("<BBBHHBHHHHBB", 0, 1, 1, 0, 256, 24, 0, 0, 16, 16, 8, 0)
    return header + b"\x10\x20\x30" * 3


def small_cases():
    return {
        "png_text_then_end.png": png_text_then_end(),
        "png_ztxt_10.png": png_ztxt(10),
        "jpeg_scans_1000.jpg": progressive_jpeg(16383, 4096, 1, 1000),
        "jpeg_cmyk_progressive.jpg": progressive_jpeg(8192, 8192, 4, 0, adobe=True),
        "gif_1x1.gif": gif_1x1(),
        "tga_short_colour_map.tga": tga_short_colour_map(),
    }


def write_large(folder):
    def put(name, data):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    put("jpeg_scans_10000.jpg", progressive_jpeg(16383, 4096, 1, 10000))
    put("jpeg_scans_100000.jpg", progressive_jpeg(16383, 4096, 1, 100000))
    put("png_ztxt_100.png", png_ztxt(100))
    sparse = os.path.join(folder, "gif_sparse_256mib.gif")
    put("gif_sparse_256mib.gif", gif_1x1())
    os.truncate(sparse, 256 << 20)
    put("large_8192x8192.gif", gif_blank(8192, 8192))
    put("large_8192x8192_rle8.bmp", bmp_rle8_runs(8192, 8192))
    for kind, depth, colour_type, interlace in PNG_KINDS:
        height = png_limit_height(depth, colour_type, interlace)
        png_paeth(os.path.join(folder, "png_paeth_%s_8192x%d.png" % (kind, height)), 8192, height,
                  depth, colour_type, interlace)
    for name in ("large_8192x8192.png", "large_8192x8192.jpg"):
        subprocess.run(["convert", "-size", "8192x8192", "gradient:red-blue",
                        os.path.join(folder, name)], check=True)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in small_cases().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    if "--large" in sys.argv[2:]:
        write_large(folder)


if __name__ == "__main__":
    main()
