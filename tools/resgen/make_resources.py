#!/usr/bin/env python3
"""Draws vel's icon, pointer shapes and toolbar strips and writes them to res/.

The pictures are described as a few filled shapes in a design grid and
rasterised here with 4 x 4 samples per pixel, so one description serves every
size. Only the Python standard library is used, and the files are written
byte by byte (BMP, ICO, CUR), so the output is the same on every machine and
the build never needs Python: the generated files are checked in.

    tools/resgen/make_resources.py             rewrite res/vel.ico, res/*.cur, res/*.bmp
    tools/resgen/make_resources.py --preview D  also write enlarged PNG previews into D
    tools/resgen/make_resources.py --check      exit 1 if a file in res/ is not what
                                                this script draws (forgotten rerun)
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Shapes. Every shape answers "is this point inside?" and gives a bounding box
# so the rasteriser only samples where the shape can be.


class Poly:
    def __init__(self, pts):
        self.pts = pts
        xs = [p[0] for p in pts]
        ys = [p[1] for p in pts]
        self.box = (min(xs), min(ys), max(xs), max(ys))

    def inside(self, x, y):
        # Even-odd crossing test.
        hit = False
        pts = self.pts
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    hit = not hit
            j = i
        return hit


class Rect:
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x < x1 and y0 <= y < y1


class Ellipse:
    def __init__(self, cx, cy, rx, ry=None):
        ry = rx if ry is None else ry
        self.c = (cx, cy, rx, ry)
        self.box = (cx - rx, cy - ry, cx + rx, cy + ry)

    def inside(self, x, y):
        cx, cy, rx, ry = self.c
        dx = (x - cx) / rx
        dy = (y - cy) / ry
        return dx * dx + dy * dy <= 1.0


class Line:
    """A stroke of the given width with round ends."""

    def __init__(self, x0, y0, x1, y1, w):
        self.p = (x0, y0, x1, y1)
        self.r2 = (w / 2.0) ** 2
        h = w / 2.0
        self.box = (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h)

    def inside(self, x, y):
        x0, y0, x1, y1 = self.p
        dx, dy = x1 - x0, y1 - y0
        n = dx * dx + dy * dy
        t = 0.0 if n == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / n))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= self.r2


class Arc:
    """A ring segment: radii r_in..r_out, angles a0..a1 in degrees, measured
    clockwise on screen from the positive x axis (y grows downwards)."""

    def __init__(self, cx, cy, r_out, r_in, a0, a1):
        self.c = (cx, cy, r_out, r_in, a0 % 360.0, (a1 - a0) % 360.0 or 360.0)
        self.box = (cx - r_out, cy - r_out, cx + r_out, cy + r_out)

    def inside(self, x, y):
        cx, cy, ro, ri, a0, span = self.c
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if d2 > ro * ro or d2 < ri * ri:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx))
        return (a - a0) % 360.0 <= span


def inset(pts, d):
    """The polygon pts with every edge moved inwards by d, corners mitred.
    Right for convex shapes, and for others while d is small against the
    distance between their corners."""
    n = len(pts)
    area = sum(pts[i][0] * pts[(i + 1) % n][1] - pts[(i + 1) % n][0] * pts[i][1] for i in range(n))
    sign = 1.0 if area > 0 else -1.0
    lines = []
    for i in range(n):
        (x0, y0), (x1, y1) = pts[i], pts[(i + 1) % n]
        ex, ey = x1 - x0, y1 - y0
        length = math.hypot(ex, ey)
        # Inward normal: left of the edge for a clockwise (screen) polygon.
        nx, ny = -ey / length * sign, ex / length * sign
        lines.append(((x0 + nx * d, y0 + ny * d), (ex, ey)))
    out = []
    for i in range(n):
        (p, r), (q, s) = lines[i - 1], lines[i]
        cross = r[0] * s[1] - r[1] * s[0]
        t = ((q[0] - p[0]) * s[1] - (q[1] - p[1]) * s[0]) / cross
        out.append((p[0] + t * r[0], p[1] + t * r[1]))
    return out


# A picture is a list of layers (shape, colour), painted in order; the colour
# None cuts a hole through everything painted before it.

def outlined_poly(pts, fill, edge, w=2.0):
    return [(Poly(pts), edge), (Poly(inset(pts, w)), fill)]


def outlined_rect(x0, y0, x1, y1, fill, edge, w=2.0):
    return [(Rect(x0, y0, x1, y1), edge), (Rect(x0 + w, y0 + w, x1 - w, y1 - w), fill)]


def outlined_disc(cx, cy, r, fill, edge, w=2.0):
    return [(Ellipse(cx, cy, r), edge), (Ellipse(cx, cy, r - w), fill)]


# ---------------------------------------------------------------------------
# Colours.

FACE = (192, 192, 192)  # the toolbar maps this colour to the button face
GREEN, GREEN_D = (46, 170, 70), (18, 98, 38)
BLUE, BLUE_D = (52, 112, 214), (22, 56, 138)
LBLUE = (150, 196, 250)
RED, RED_D = (222, 44, 40), (132, 20, 18)
YELLOW, YELLOW_D = (252, 204, 48), (150, 104, 6)
ORANGE, ORANGE_D = (246, 146, 30), (150, 74, 6)
PAPER, PAPER_D = (250, 250, 246), (96, 96, 104)
TEXT = (150, 150, 160)
INK = (36, 36, 44)
METAL = (214, 218, 226)
FOLDER, FOLDER_D, FOLDER_L = (236, 184, 64), (150, 100, 18), (252, 220, 120)

# ---------------------------------------------------------------------------
# Toolbar glyphs, drawn in a 32 x 30 grid (the large strip's pixels; the small
# strip halves every coordinate). Edges on even coordinates stay sharp in the
# small strip.


def page(x0, y0, x1, y1, fold=6, lines=(), w=2):
    """A sheet with a folded corner; lines are (x0, y, x1) rows of text."""
    corner = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    layers = outlined_poly(corner, PAPER, PAPER_D, w)
    layers.append((Poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)]), PAPER_D))
    for (lx0, ly, lx1) in lines:
        layers.append((Rect(lx0, ly, lx1, ly + w), TEXT))
    return layers


def play(x0, y0, x1, y1, fill=GREEN, edge=GREEN_D):
    return outlined_poly([(x0, y0), (x1, (y0 + y1) / 2.0), (x0, y1)], fill, edge)


def arrow_down(cx, y0, y1, shaft, head, colour):
    hw = head / 2.0
    return [(Rect(cx - shaft / 2.0, y0, cx + shaft / 2.0, y1 - hw), colour),
            (Poly([(cx - hw, y1 - hw - 1), (cx + hw, y1 - hw - 1), (cx, y1)]), colour)]


def arrow_up(cx, y0, y1, shaft, head, colour):
    hw = head / 2.0
    return [(Rect(cx - shaft / 2.0, y0 + hw, cx + shaft / 2.0, y1), colour),
            (Poly([(cx - hw, y0 + hw + 1), (cx + hw, y0 + hw + 1), (cx, y0)]), colour)]


def stop_dot(cx, cy, r=4):
    return outlined_disc(cx, cy, r, RED, RED_D)


def frames(x0, x1, tops, current=0, h=8):
    layers = []
    for i, y in enumerate(tops):
        layers += outlined_rect(x0, y, x1, y + h, LBLUE if i == current else PAPER, PAPER_D)
    return layers


def magnifier(cx, cy):
    return [(Line(cx + 4, cy + 4, cx + 10, cy + 10, 4), INK),
            (Ellipse(cx, cy, 7), INK), (Ellipse(cx, cy, 5), (226, 240, 255))]


def selection(x0, x1, brackets):
    layers = [(Rect(x0, 4, x1, 12), LBLUE)]
    for x in range(x0 + 2, x1 - 2, 4):
        layers.append((Rect(x, 6, x + 2, 10), BLUE_D))
    if brackets:
        for x, d in ((x0 - 2, 2), (x1, -2)):
            layers.append((Rect(x, 2, x + 2, 14), INK))
            layers.append((Rect(x + (0 if d > 0 else -2), 2, x + (4 if d > 0 else 2), 4), INK))
            layers.append((Rect(x + (0 if d > 0 else -2), 12, x + (4 if d > 0 else 2), 14), INK))
    return layers


def folder(x0, y0, x1, y1):
    tab = [(x0, y0 + 2), (x0 + 8, y0 + 2), (x0 + 10, y0 + 4), (x1 - 4, y0 + 4), (x1 - 4, y1), (x0, y1)]
    flap = [(x0 + 6, y0 + 10), (x1 + 2, y0 + 10), (x1 - 4, y1), (x0, y1)]
    return outlined_poly(tab, FOLDER, FOLDER_D) + outlined_poly(flap, FOLDER_L, FOLDER_D)


def floppy(x0, y0, x1, y1, body=BLUE, edge=BLUE_D):
    w = x1 - x0
    shape = [(x0, y0), (x1 - 4, y0), (x1, y0 + 4), (x1, y1), (x0, y1)]
    layers = outlined_poly(shape, body, edge)
    sx0, sx1 = x0 + w * 0.25, x1 - w * 0.25
    layers.append((Rect(sx0, y0, sx1, y0 + (y1 - y0) * 0.32), METAL))
    layers.append((Rect(sx1 - 6, y0 + 2, sx1 - 2, y0 + (y1 - y0) * 0.32 - 2), BLUE_D))
    layers += outlined_rect(x0 + 4, y0 + (y1 - y0) * 0.52, x1 - 4, y1, PAPER, edge)
    return layers


def letter_a(x0, y0, x1, y1, colour, stroke):
    """A capital A: two legs and a bar."""
    mid = (x0 + x1) / 2.0
    bar = y0 + (y1 - y0) * 0.62
    return [(Poly([(x0, y1), (mid - stroke / 2, y0), (mid + stroke / 2, y0), (x1, y1),
                   (x1 - stroke, y1), (mid, y0 + stroke * 1.6), (x0 + stroke, y1)]), colour),
            (Rect(x0 + stroke * 0.9, bar, x1 - stroke * 0.9, bar + stroke * 0.8), colour)]


TOOLBAR = [
    ("Run", page(2, 2, 20, 28, lines=((6, 8, 14), (6, 12, 16), (6, 16, 12))) + play(12, 10, 30, 28)),
    ("Rerun", [(Arc(16, 15, 14, 9, 330, 250), GREEN_D), (Arc(16, 15, 12, 11, 332, 248), GREEN),
               (Poly([(12, 0), (21, 6), (12, 12)]), GREEN_D)] + play(13, 10, 23, 20)),
    ("Cont", outlined_rect(4, 4, 10, 26, GREEN, GREEN_D) + play(12, 3, 30, 27)),
    ("Step", [(Rect(2, 2, 30, 4), TEXT), (Rect(2, 26, 12, 28), TEXT), (Rect(20, 26, 30, 28), TEXT)]
     + arrow_down(16, 4, 22, 4, 14, BLUE) + stop_dot(16, 26, 3)),
    ("Next", [(Arc(16, 20, 13, 9, 180, 0), BLUE), (Poly([(22, 18), (32, 18), (27, 28)]), BLUE),
              (Rect(2, 26, 10, 28), TEXT)] + stop_dot(16, 24, 3)),
    ("Stepout", [(Rect(4, 12, 6, 28), PAPER_D), (Rect(4, 26, 28, 28), PAPER_D), (Rect(26, 12, 28, 28), PAPER_D)]
     + arrow_up(16, 0, 20, 4, 14, BLUE) + stop_dot(16, 22, 3)),
    ("Print Extended Selection", selection(4, 28, True) + magnifier(14, 20)),
    ("Print Selection", selection(10, 22, False) + magnifier(14, 20)),
    ("Where", frames(16, 30, (1, 11, 21), 1) + outlined_poly([(0, 4), (14, 15), (0, 26)], YELLOW, YELLOW_D)),
    ("Up", frames(14, 30, (1, 11, 21)) + arrow_up(6, 1, 29, 4, 12, BLUE)),
    ("Down", frames(14, 30, (1, 11, 21)) + arrow_down(6, 1, 29, 4, 12, BLUE)),
    ("Status", page(4, 1, 28, 29, lines=((14, 8, 24), (14, 14, 22), (14, 20, 24)))
     + stop_dot(10, 9, 3) + stop_dot(10, 21, 3)),
    ("Source status file", folder(2, 4, 28, 26) + stop_dot(24, 22, 5)),
    ("Save status file", floppy(2, 2, 24, 26) + stop_dot(24, 22, 5)),
    ("Break", outlined_rect(6, 4, 14, 26, ORANGE, ORANGE_D) + outlined_rect(18, 4, 26, 26, ORANGE, ORANGE_D)),
    ("Kill REXX Process", outlined_disc(16, 15, 14, RED, RED_D)
     + [(Line(10, 9, 22, 21, 4), PAPER), (Line(22, 9, 10, 21, 4), PAPER)]),
    ("New REXX file", folder(2, 2, 28, 26)),
    ("Change Font", letter_a(0, 2, 20, 28, INK, 5) + letter_a(18, 12, 32, 28, BLUE, 4)),
    ("Save modified sources", floppy(3, 2, 29, 28)),
]

# ---------------------------------------------------------------------------
# The program icon, drawn in a 48 x 48 grid: a page of source with a
# breakpoint dot and the stop arrow.

ICON = (page(9, 3, 42, 45, fold=9, w=3, lines=((21, 12, 30), (21, 18, 33), (24, 27, 39), (21, 36, 30), (21, 42, 36)))
        + outlined_disc(16.5, 13.5, 6, RED, RED_D, 3)
        + outlined_poly([(0, 21), (15, 21), (24, 28.5), (15, 36), (0, 36)], YELLOW, YELLOW_D, 3))

# ---------------------------------------------------------------------------
# Pointer shapes, drawn in a 32 x 32 grid. Black with a white rim, like the
# system's own pointers, so they show on every background.

BLACK, WHITE = (0, 0, 0), (255, 255, 255)

ARROW = [(1, 1), (1, 23), (6, 18), (10, 27), (14, 25), (10, 17), (17, 17)]
MARKER_CURSOR = ([(Poly(ARROW), WHITE), (Poly(inset(ARROW, 1.4)), BLACK)]
                 + [(Ellipse(24, 24, 7.5), WHITE), (Ellipse(24, 24, 6), RED_D), (Ellipse(24, 24, 4.6), RED)])
MARKER_HOTSPOT = (1, 1)

IBEAM = [(9, 2, 15, 4.5), (17, 2, 23, 4.5), (14.5, 3.5, 17.5, 25), (9, 24, 15, 26.5), (17, 24, 23, 26.5)]


def keyboard():
    """A small keyboard at the lower right: the macro waits for typing."""
    layers = outlined_rect(16, 20, 32, 31, (70, 70, 78), WHITE, 1.2)
    for ky in (22.5, 25.5):
        for kx in range(18, 30, 3):
            layers.append((Rect(kx, ky, kx + 2, ky + 1.6), WHITE))
    layers.append((Rect(20, 28.2, 28, 29.6), WHITE))
    return layers


INPUT_CURSOR = ([(Rect(x0 - 1.2, y0 - 1.2, x1 + 1.2, y1 + 1.2), WHITE) for (x0, y0, x1, y1) in IBEAM]
                + [(Rect(*r), BLACK) for r in IBEAM] + keyboard())
INPUT_HOTSPOT = (16, 14)

# ---------------------------------------------------------------------------
# Rasterising.

SAMPLES = 4


def rasterise(layers, width, height, scale_x, scale_y, ox=0.0):
    """Returns rows of (r, g, b, coverage) for the picture drawn at the given
    scale; ox shifts the picture right, in output pixels."""
    n = SAMPLES
    offsets = [(i + 0.5) / n for i in range(n)]
    prepared = []
    for shape, colour in layers:
        x0, y0, x1, y1 = shape.box
        prepared.append((shape, colour,
                         max(0, int(math.floor(x0 * scale_x + ox))), min(width, int(math.ceil(x1 * scale_x + ox)) + 1),
                         max(0, int(math.floor(y0 * scale_y))), min(height, int(math.ceil(y1 * scale_y)) + 1)))
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            active = [p for p in prepared if p[2] <= px < p[3] and p[4] <= py < p[5]]
            if not active:
                row.append((0, 0, 0, 0.0))
                continue
            r = g = b = 0.0
            hits = 0
            for sy in offsets:
                y = (py + sy) / scale_y
                for sx in offsets:
                    x = (px + sx - ox) / scale_x
                    for shape, colour, *_ in reversed(active):
                        if shape.inside(x, y):
                            if colour is not None:
                                r += colour[0]
                                g += colour[1]
                                b += colour[2]
                                hits += 1
                            break
            if hits:
                row.append((r / hits, g / hits, b / hits, hits / float(n * n)))
            else:
                row.append((0, 0, 0, 0.0))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# File formats, written byte by byte.

# Colours the toolbar replaces by system colours; glyph pixels keep clear of
# them so the pictures look the same under every colour scheme.
MAPPED = {(0, 0, 0), (128, 128, 128), (192, 192, 192), (255, 255, 255)}


def toolbar_pixels(rows):
    """Opaque where at least half a pixel is covered (the toolbar masks by
    colour, so edges against the face cannot be blended)."""
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a < 0.5:
                line.append(FACE)
                continue
            c = tuple(int(round(v)) for v in (r, g, b))
            if c in MAPPED:
                c = (c[0] + 1, c[1] + 1, c[2] + 1) if c[0] < 255 else (254, 254, 254)
            line.append(c)
        out.append(line)
    return out


def quantise(rows, limit=256):
    step = 1
    while True:
        def q(c):
            if c == FACE:
                return c
            c = tuple(min(255, (v // step) * step + step // 2) for v in c)
            return (c[0] - 1, c[1], c[2]) if c == FACE else c

        palette = [FACE]
        index = {FACE: 0}
        data = []
        for row in rows:
            line = []
            for c in row:
                c = q(c)
                if c not in index:
                    index[c] = len(palette)
                    palette.append(c)
                line.append(index[c])
            data.append(line)
        if len(palette) <= limit:
            return palette, data
        step *= 2


def bmp8(rows):
    palette, data = quantise(rows)
    h, w = len(data), len(data[0])
    stride = (w + 3) & ~3
    pixels = b"".join(bytes(line) + b"\0" * (stride - w) for line in reversed(data))
    colours = b"".join(struct.pack("<BBBB", c[2], c[1], c[0], 0) for c in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(pixels), 2835, 2835, len(palette), 0)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + info + colours + pixels


def dib32(rows):
    """One image of an icon or pointer file: 32-bit colour with alpha, then
    the 1-bit AND mask that older systems use."""
    h, w = len(rows), len(rows[0])
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((int(round(b)), int(round(g)), int(round(r)), int(round(a * 255))))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + bytes(pixels) + bytes(mask)


def icon_file(images, kind, hotspot=(0, 0)):
    """kind 1: icon; kind 2: pointer, each image with the hotspot scaled to it."""
    head = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    blobs = b""
    for rows, scale in images:
        h, w = len(rows), len(rows[0])
        blob = dib32(rows)
        if kind == 1:
            a, b = 1, 32
        else:
            a, b = int(round(hotspot[0] * scale)), int(round(hotspot[1] * scale))
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, a, b, len(blob), offset + len(blobs))
        blobs += blob
    return head + entries + blobs


def png(rows_rgb, path):
    """A plain 8-bit RGB PNG, for previews only."""
    h, w = len(rows_rgb), len(rows_rgb[0])
    raw = b"".join(b"\0" + bytes(v for c in row for v in c) for row in rows_rgb)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def enlarge(rows, k):
    return [[c for c in row for _ in range(k)] for row in rows for _ in range(k)]


def over(rows, bg):
    return [[tuple(int(round(c[i] * c[3] + bg[i] * (1 - c[3]))) for i in range(3)) for c in row] for row in rows]


# ---------------------------------------------------------------------------


def toolbar_strip(cell_w, cell_h):
    scale = cell_w / 32.0
    strip = [[] for _ in range(cell_h)]
    for _, layers in TOOLBAR:
        cell = toolbar_pixels(rasterise(layers, cell_w, cell_h, scale, cell_h / 30.0))
        for y in range(cell_h):
            strip[y] += cell[y]
    return strip


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    res = os.path.normpath(os.path.join(here, "..", "..", "res"))
    preview = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    assert len(TOOLBAR) == 19

    outputs = {}
    small = toolbar_strip(16, 15)
    large = toolbar_strip(32, 30)
    outputs["toolbar16.bmp"] = bmp8(small)
    outputs["toolbar32.bmp"] = bmp8(large)

    icons = [(rasterise(ICON, s, s, s / 48.0, s / 48.0), s / 48.0) for s in (48, 32, 16)]
    outputs["vel.ico"] = icon_file(icons, 1)

    pointers = {}
    for name, layers, hotspot in (("marker.cur", MARKER_CURSOR, MARKER_HOTSPOT),
                                  ("input.cur", INPUT_CURSOR, INPUT_HOTSPOT)):
        images = [(rasterise(layers, s, s, s / 32.0, s / 32.0), s / 32.0) for s in (32, 48)]
        pointers[name] = images
        outputs[name] = icon_file(images, 2, hotspot)

    if "--check" in argv:
        stale = []
        for name, data in outputs.items():
            try:
                with open(os.path.join(res, name), "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        for name in stale:
            print("res/%s differs from what %s draws" % (name, os.path.basename(__file__)))
        return 1 if stale else 0

    for name, data in outputs.items():
        with open(os.path.join(res, name), "wb") as f:
            f.write(data)
        print("wrote res/%s (%d bytes)" % (name, len(data)))

    if preview:
        os.makedirs(preview, exist_ok=True)
        png(enlarge(small, 4), os.path.join(preview, "toolbar16.png"))
        png(enlarge(large, 2), os.path.join(preview, "toolbar32.png"))
        for s_rows, scale in icons:
            size = len(s_rows)
            png(enlarge(over(s_rows, (236, 236, 236)), 192 // size), os.path.join(preview, "icon%d.png" % size))
        for name, images in pointers.items():
            for rows, _ in images:
                for bgname, bg in (("light", (236, 236, 236)), ("dark", (40, 60, 90))):
                    png(enlarge(over(rows, bg), 4),
                        os.path.join(preview, "%s%d-%s.png" % (name[:-4], len(rows), bgname)))
        print("previews in %s" % preview)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
