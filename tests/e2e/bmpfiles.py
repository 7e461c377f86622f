"""Small Windows BMP files for tests: good ones of every depth, and bad ones.

    bmp(width, height, bpp, pixel=lambda x, y: (r, g, b)) -> bytes

writes an uncompressed BMP (BITMAPINFOHEADER) of 1, 4, 8, 16, 24 or 32 bits
per pixel, bottom-up unless height is negative. Palette depths get a grey
palette and store each pixel's red value as its index (mod the palette size);
16-bit pixels are 5-5-5. Header fields can be overridden to make absurd files.
"""

import struct

BI_RGB = 0
BI_BITFIELDS = 3


def bmp(width, height, bpp, pixel=None, width_field=None, height_field=None,
        bpp_field=None, compression=None, data_offset=None, palette_colours=None):
    pixel = pixel or (lambda x, y: ((x * 37) & 255, (y * 53) & 255, ((x + y) * 11) & 255))
    rows = abs(height)
    palette = b""
    if bpp <= 8:
        count = 1 << bpp if palette_colours is None else palette_colours
        palette = b"".join(struct.pack("<BBBB", i * 255 // max(count - 1, 1),
                                       i * 255 // max(count - 1, 1),
                                       i * 255 // max(count - 1, 1), 0) for i in range(count))
    row_bytes = (width * bpp + 31) // 32 * 4
    image = bytearray()
    order = range(rows - 1, -1, -1) if height > 0 else range(rows)
    for y in order:
        row = bytearray(row_bytes)
        for x in range(width):
            r, g, b = pixel(x, y)
            if bpp == 32:
                row[4 * x:4 * x + 4] = bytes((b, g, r, 0))
            elif bpp == 24:
                row[3 * x:3 * x + 3] = bytes((b, g, r))
            elif bpp == 16:
                v = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3
                row[2 * x:2 * x + 2] = struct.pack("<H", v)
            else:
                index = r % (1 << bpp)
                bit = x * bpp
                row[bit // 8] |= index << (8 - bpp - bit % 8)
        image += row
    offset = 14 + 40 + len(palette) if data_offset is None else data_offset
    info = struct.pack("<IiiHHIIiiII", 40,
                       width if width_field is None else width_field,
                       height if height_field is None else height_field,
                       1, bpp if bpp_field is None else bpp_field,
                       BI_RGB if compression is None else compression,
                       len(image), 2835, 2835,
                       0 if palette_colours is None else palette_colours, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(palette) + len(image), 0, 0,
                         offset)
    return header + info + palette + bytes(image)


def rle_bmp(width, height, bpp, data, palette_colours=16):
    """A run-length encoded BMP (RLE8 for 8 bits, RLE4 for 4) whose pixel data
    is the given escapes and runs, after a grey palette."""
    palette = b"".join(struct.pack("<BBBB", i * 16 % 256, i * 16 % 256, i * 16 % 256, 0)
                       for i in range(palette_colours))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 1 if bpp == 8 else 2,
                       len(data), 2835, 2835, palette_colours, 0)
    offset = 14 + len(info) + len(palette)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + info + palette + data
