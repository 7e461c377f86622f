#!/usr/bin/env python3
"""Draws the eight 25 x 25 tool-button images of the Paint Program.

Writes assets/pen1.bmp, pen2.bmp, brush1.bmp, brush2.bmp, ink1.bmp,
ink2.bmp, clear1.bmp and clear2.bmp: 24-bit BMP files (bottom-up rows, each
padded to a multiple of 4 bytes). The "1" image is the button up, the "2"
image the same button pressed: sunken bevel, darker face, picture moved one
pixel down and to the right.

Pure Python, no dependencies; the output is the same on every run.
Usage: scripts/make_icons.py [OUTPUT_DIR]   (default: assets/ next to scripts/)
"""

import math
import os
import struct
import sys

SIZE = 25
SUPER = 8  # pictures are drawn at 8 x 8 samples per pixel, then averaged

# Button colours, matched to the panel background (236, 233, 216).
WHITE = (255, 255, 255)
FACE_UP = (245, 243, 233)
FACE_DOWN = (205, 200, 180)
SHADE_LIGHT = (178, 173, 155)
SHADE_DARK = (104, 101, 88)
OUTLINE = (40, 40, 40)


# ---------------------------------------------------------------------------
# A picture drawn with shapes at high resolution, then averaged to pixels.
# Coordinates are in pixels of the 25 x 25 button, (0, 0) its top-left corner.

class Picture:
    def __init__(self):
        n = SIZE * SUPER
        self.n = n
        self.colour = [None] * (n * n)  # None where nothing is drawn

    def _cover(self, inside, box, colour):
        x0, y0, x1, y1 = box
        lo_x = max(0, int(math.floor(x0 * SUPER)))
        hi_x = min(self.n, int(math.ceil(x1 * SUPER)))
        lo_y = max(0, int(math.floor(y0 * SUPER)))
        hi_y = min(self.n, int(math.ceil(y1 * SUPER)))
        for sy in range(lo_y, hi_y):
            y = (sy + 0.5) / SUPER
            row = sy * self.n
            for sx in range(lo_x, hi_x):
                if inside((sx + 0.5) / SUPER, y):
                    self.colour[row + sx] = colour

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            result = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result

        self._cover(inside, (min(xs), min(ys), max(xs), max(ys)), colour)

    def ellipse(self, cx, cy, rx, ry, colour):
        def inside(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

        self._cover(inside, (cx - rx, cy - ry, cx + rx, cy + ry), colour)

    def band(self, x0, y0, x1, y1, width, colour):
        """A straight stroke of the given width with round ends."""
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        r2 = (width / 2.0) ** 2

        def inside(x, y):
            t = ((x - x0) * dx + (y - y0) * dy) / length2
            t = min(1.0, max(0.0, t))
            px, py = x0 + t * dx - x, y0 + t * dy - y
            return px * px + py * py <= r2

        r = width / 2.0
        self._cover(inside, (min(x0, x1) - r, min(y0, y1) - r, max(x0, x1) + r,
                             max(y0, y1) + r), colour)

    def arc(self, cx, cy, radius, width, start, end, colour):
        """A ring segment between angles start and end (degrees, y down)."""
        inner, outer = radius - width / 2.0, radius + width / 2.0

        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if d < inner or d > outer:
                return False
            a = math.degrees(math.atan2(y - cy, x - cx)) % 360.0
            return (a - start) % 360.0 <= (end - start) % 360.0

        self._cover(inside, (cx - outer, cy - outer, cx + outer, cy + outer), colour)

    def pixels(self, background):
        """Averages the samples of each pixel over the background colour."""
        out = []
        for y in range(SIZE):
            row = []
            for x in range(SIZE):
                total = [0, 0, 0]
                for sy in range(y * SUPER, (y + 1) * SUPER):
                    base = sy * self.n
                    for sx in range(x * SUPER, (x + 1) * SUPER):
                        c = self.colour[base + sx] or background
                        total[0] += c[0]
                        total[1] += c[1]
                        total[2] += c[2]
                count = SUPER * SUPER
                row.append(tuple((t + count // 2) // count for t in total))
            out.append(row)
        return out


# Positions along a slanted object: a point t along its axis (from `start` in
# direction `angle`) and s across it.
def along(start, angle_degrees):
    a = math.radians(angle_degrees)
    ux, uy = math.cos(a), math.sin(a)
    nx, ny = -uy, ux

    def point(t, s):
        return (start[0] + ux * t + nx * s, start[1] + uy * t + ny * s)

    return point


# ---------------------------------------------------------------------------
# The four pictures.

def draw_pencil(p, dx, dy):
    at = along((4.2 + dx, 20.8 + dy), -45.0)  # tip at the bottom left
    half = 2.6
    # Outline first, slightly larger, so every part has a dark edge.
    p.polygon([at(-0.6, 0), at(5.2, -half - 0.7), at(21.6, -half - 0.7),
               at(21.6, half + 0.7), at(5.2, half + 0.7)], OUTLINE)
    p.polygon([at(0, 0), at(5.2, -half), at(5.2, half)], (232, 196, 146))  # bare wood
    p.polygon([at(0, 0), at(1.9, -0.95), at(1.9, 0.95)], (50, 50, 56))  # graphite
    p.polygon([at(5.2, -half), at(16.5, -half), at(16.5, -0.9), at(5.2, -0.9)], (255, 214, 64))
    p.polygon([at(5.2, -0.9), at(16.5, -0.9), at(16.5, 0.9), at(5.2, 0.9)], (246, 182, 24))
    p.polygon([at(5.2, 0.9), at(16.5, 0.9), at(16.5, half), at(5.2, half)], (214, 142, 10))
    p.polygon([at(16.5, -half), at(18.4, -half), at(18.4, half), at(16.5, half)], (188, 192, 200))
    p.polygon([at(17.2, -half), at(17.6, -half), at(17.6, half), at(17.2, half)], (120, 124, 134))
    p.polygon([at(18.4, -half), at(21.0, -half), at(21.0, half), at(18.4, half)], (242, 128, 150))


def draw_brush(p, dx, dy):
    at = along((4.0 + dx, 21.0 + dy), -45.0)  # bristle tip at the bottom left
    # Handle.
    p.band(*at(10.5, 0), *at(21.5, 0), 3.4, OUTLINE)
    p.band(*at(10.5, 0), *at(21.5, 0), 2.0, (168, 62, 38))
    p.band(*at(11.0, -0.35), *at(20.8, -0.35), 0.7, (214, 110, 80))
    # Ferrule.
    p.polygon([at(7.0, -2.7), at(11.4, -2.2), at(11.4, 2.2), at(7.0, 2.7)], OUTLINE)
    p.polygon([at(7.3, -2.0), at(11.0, -1.6), at(11.0, 1.6), at(7.3, 2.0)], (196, 200, 208))
    p.polygon([at(7.3, -2.0), at(11.0, -1.6), at(11.0, -0.6), at(7.3, -0.7)], (236, 238, 242))
    # Bristles, with paint on the tip.
    p.polygon([at(-0.8, 0.0), at(1.5, -2.4), at(4.5, -3.3), at(7.6, -2.8), at(7.6, 2.8),
               at(4.5, 3.3), at(1.5, 2.4)], OUTLINE)
    p.polygon([at(0.0, 0.0), at(1.8, -1.8), at(4.5, -2.6), at(7.4, -2.1), at(7.4, 2.1),
               at(4.5, 2.6), at(1.8, 1.8)], (226, 196, 140))
    p.polygon([at(0.0, 0.0), at(1.8, -1.8), at(3.6, -2.4), at(3.6, 2.4), at(1.8, 1.8)],
              (36, 96, 220))
    p.polygon([at(1.0, -0.3), at(2.2, -1.5), at(3.4, -1.8), at(3.4, -1.0)], (110, 160, 250))


def draw_ink(p, dx, dy):
    # A paint can tipped over to the right, paint running from its mouth
    # into a puddle.
    blue, light_blue = (30, 88, 214), (110, 160, 250)
    at = along((8.8 + dx, 8.6 + dy), 38.0)  # axis from the base to the mouth
    # Handle, over the top of the can.
    hx, hy = at(-0.8, 0.0)
    p.arc(hx, hy, 6.4, 1.2, 175.0, 300.0, OUTLINE)
    p.polygon([at(-4.8, -5.0), at(5.0, -5.0), at(5.0, 5.0), at(-4.8, 5.0)], OUTLINE)
    p.polygon([at(-4.0, -4.2), at(4.6, -4.2), at(4.6, 4.2), at(-4.0, 4.2)], (160, 166, 178))
    p.polygon([at(-4.0, -4.2), at(4.6, -4.2), at(4.6, -1.6), at(-4.0, -1.6)], (210, 215, 225))
    p.polygon([at(-4.0, 2.4), at(4.6, 2.4), at(4.6, 4.2), at(-4.0, 4.2)], (120, 126, 140))
    # The mouth, full of paint.
    mouth = [at(5.0 + 1.9 * math.cos(a / 8.0 * math.pi), 4.9 * math.sin(a / 8.0 * math.pi))
             for a in range(16)]
    p.polygon(mouth, OUTLINE)
    inner = [at(5.0 + 1.2 * math.cos(a / 8.0 * math.pi), 4.1 * math.sin(a / 8.0 * math.pi))
             for a in range(16)]
    p.polygon(inner, blue)
    # Paint running over the lower lip and down into a puddle.
    lx, ly = at(5.6, 3.6)
    p.band(lx, ly, lx + 0.9, ly + 4.4, 2.8, OUTLINE)
    p.band(lx, ly, lx + 0.9, ly + 4.4, 1.7, blue)
    p.ellipse(lx + 2.2, 21.2 + dy, 6.2, 1.8, OUTLINE)
    p.ellipse(lx + 2.2, 21.2 + dy, 5.5, 1.15, blue)
    p.ellipse(lx + 0.8, 20.9 + dy, 2.0, 0.4, light_blue)
    p.band(lx + 0.2, ly + 0.2, lx + 0.7, ly + 3.2, 0.5, light_blue)


def draw_clear(p, dx, dy):
    # A blank sheet with a folded corner.
    left, top, right, bottom, fold = 6.0 + dx, 3.5 + dy, 19.0 + dx, 21.5 + dy, 4.6
    p.polygon([(left - 0.8, top - 0.8), (right - fold + 0.3, top - 0.8), (right + 0.8, top + fold - 0.3),
               (right + 0.8, bottom + 0.8), (left - 0.8, bottom + 0.8)], OUTLINE)
    p.polygon([(left, top), (right - fold, top), (right, top + fold), (right, bottom),
               (left, bottom)], WHITE)
    p.polygon([(right - fold, top), (right, top + fold), (right - fold, top + fold)],
              (206, 208, 214))
    p.band(right - fold, top, right - fold, top + fold, 0.7, OUTLINE)
    p.band(right - fold, top + fold, right, top + fold, 0.7, OUTLINE)


PICTURES = {"pen": draw_pencil, "brush": draw_brush, "ink": draw_ink, "clear": draw_clear}


# ---------------------------------------------------------------------------
# Buttons.

def button(draw, pressed):
    face = FACE_DOWN if pressed else FACE_UP
    shift = 1 if pressed else 0
    picture = Picture()
    draw(picture, shift, shift)
    pixels = picture.pixels(face)
    if pressed:
        # The pressed picture sits in shadow: a little darker all over.
        pixels = [[tuple(c * 7 // 8 for c in px) for px in row] for row in pixels]
    # Bevel: two pixels on each side, light on top and left when up, reversed
    # when pressed.
    outer_lit, inner_lit = (SHADE_DARK, SHADE_LIGHT) if pressed else (WHITE, (250, 249, 243))
    outer_dim, inner_dim = (WHITE, (228, 225, 210)) if pressed else (SHADE_DARK, SHADE_LIGHT)
    last = SIZE - 1
    for i in range(SIZE):
        for ring, lit, dim in ((0, outer_lit, outer_dim), (1, inner_lit, inner_dim)):
            if ring <= i <= last - ring:
                pixels[ring][i] = lit              # top edge
                pixels[i][ring] = lit              # left edge
                pixels[last - ring][i] = dim       # bottom edge
                pixels[i][last - ring] = dim       # right edge
    # The two corners where light meets shadow take the shadow.
    pixels[0][last] = outer_dim
    pixels[last][0] = outer_dim
    return pixels


def bmp_bytes(pixels):
    """A 24-bit bottom-up BMP of rows of (r, g, b)."""
    height, width = len(pixels), len(pixels[0])
    row_size = (width * 3 + 3) // 4 * 4
    image = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(row_size - len(line))
        image += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(image), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    return header + info + bytes(image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "assets")
    os.makedirs(out_dir, exist_ok=True)
    for name, draw in PICTURES.items():
        for number, pressed in (("1", False), ("2", True)):
            path = os.path.join(out_dir, name + number + ".bmp")
            with open(path, "wb") as f:
                f.write(bmp_bytes(button(draw, pressed)))
            print(path)


if __name__ == "__main__":
    main()
