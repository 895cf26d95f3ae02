#!/usr/bin/env python3
"""Draw the Nomichron program icon and write it as a Windows .ico file.

Artwork: a slanted blue sheet of paper with a folded corner, crossed by two
red arrows chasing each other round a circle. The geometry lives in unit
coordinates (0..1, y down) and every size is rendered from it.

Usage: draw_icon.py [OUTPUT.ico]   (default: ui/nomichron.ico in the repo)
Standard library only, so it runs anywhere the build does; output is
byte-for-byte deterministic.
"""
import math
import os
import struct
import sys
import zlib

# --- Colours (kept pure so the screenshot checks can find red and blue) ---
BLUE = (0, 64, 224)
BLUE_EDGE = (60, 130, 255)
BLUE_DARK = (0, 30, 150)
FOLD = (150, 190, 255)
RED = (230, 0, 0)
RED_DARK = (130, 0, 0)

# --- Geometry in unit coordinates ---
CX = CY = 0.5
SHEET_HW, SHEET_HH = 0.30, 0.42   # half width / height before slanting
SHEET_TILT = math.radians(-15)    # top leans left, like a page tossed on a desk
SHEET_FOLD = 0.2                  # dog-ear size, top-right corner
SHEET_RIM = 0.035                 # dark outline, keeps the sheet visible on blue/dark taskbars
SHEET_BAND = 0.06                 # lighter inner band
RING_R = 0.29                     # arrow centre-line radius
SHAFT_HW = 0.065                  # half thickness: ~2 px at 16x16
HEAD_HW = 0.19                    # arrowhead half width: wide barbs survive 16 px
HEAD_DEG = 55                     # arrowhead length along the circle
OUTLINE = 0.025                   # dark red rim separating arrows from the sheet
# Two arcs of 135 degrees (head included), moving clockwise on screen. The head
# bases sit at 12 and 6 o'clock, so the barbs run along pixel columns (crisp at 16 px).
ARCS = [(180, 315), (0, 135)]

_COS, _SIN = math.cos(-SHEET_TILT), math.sin(-SHEET_TILT)


def sheet_layer(x, y, rim, band):
    """Colour of the sheet at (x, y), or None outside it."""
    dx, dy = x - CX, y - CY
    u, v = dx * _COS - dy * _SIN, dx * _SIN + dy * _COS   # into sheet-local axes
    du, dv = SHEET_HW - abs(u), SHEET_HH - abs(v)         # distance to edges
    if du < 0 or dv < 0:
        return None
    corner = (SHEET_HW - u) + (v + SHEET_HH)              # L1 distance to top-right corner
    if corner < SHEET_FOLD:
        return None                                        # cut away by the dog-ear
    edge = min(du, dv, (corner - SHEET_FOLD) / math.sqrt(2))
    if u > SHEET_HW - SHEET_FOLD and v < -SHEET_HH + SHEET_FOLD:
        # The flap folded down over the corner; rim it so it reads at 32 px.
        fd = min(u - (SHEET_HW - SHEET_FOLD), (-SHEET_HH + SHEET_FOLD) - v, edge)
        return BLUE_DARK if fd < rim * 0.7 else FOLD
    if edge < rim:
        return BLUE_DARK
    if edge < rim + band:
        return BLUE_EDGE
    return BLUE


def _triangle(a, b, c):
    """Edges of a triangle as (point, inward unit normal), for signed distances."""
    edges = []
    for p, q, r in ((a, b, c), (b, c, a), (c, a, b)):
        nx, ny = q[1] - p[1], p[0] - q[0]
        k = math.hypot(nx, ny)
        if (r[0] - p[0]) * nx + (r[1] - p[1]) * ny < 0:
            k = -k
        edges.append((p, nx / k, ny / k))
    return edges


def _polar(deg, radius):
    return (CX + radius * math.cos(math.radians(deg)), CY + radius * math.sin(math.radians(deg)))


# Straight-sided heads: base across the ring, tip on the circle further on.
HEADS = [_triangle(_polar(end - HEAD_DEG, RING_R - HEAD_HW), _polar(end - HEAD_DEG, RING_R + HEAD_HW),
                   _polar(end, RING_R)) for _, end in ARCS]


def arrow_layer(x, y, rim):
    """Colour of the arrows at (x, y), or None outside them."""
    dx, dy = x - CX, y - CY
    dr = abs(math.hypot(dx, dy) - RING_R)
    if dr > HEAD_HW:
        return None
    ang = math.degrees(math.atan2(dy, dx)) % 360.0        # grows clockwise (y down)
    for (start, end), head in zip(ARCS, HEADS):
        # "depth" = distance to the nearest outer edge; the rim is the shallow part.
        # The shaft runs a little way under the head so the two join without a
        # rim between them, but not so far that its curve bulges past the head.
        t = (ang - start) % 360.0
        shaft_end = end - start - 0.75 * HEAD_DEG
        depth = -1.0
        if t <= shaft_end:
            depth = min(SHAFT_HW - dr, math.radians(t) * RING_R,
                        math.radians(shaft_end - t) * RING_R)
        depth = max(depth, min((x - p[0]) * nx + (y - p[1]) * ny for p, nx, ny in head))
        if depth >= rim:
            return RED
        if depth >= 0:
            return RED_DARK
    return None


def render(size, crisp):
    """Return size*size straight-alpha RGBA tuples, rows top-down.

    crisp: take each pixel's majority colour instead of the average, which
    keeps palette images free of muddy red/blue blends.
    """
    n = 8 if size <= 32 else 4       # more samples where each pixel matters more
    step = 1.0 / size
    # Rims are at least a pixel wide; the arrows' rim would eat a 2 px shaft, so small sizes drop it.
    sheet_rim = max(SHEET_RIM, step)
    band = SHEET_BAND if size >= 32 else 0.0   # at 16 px the band is just noise
    arrow_rim = OUTLINE if size >= 48 else 0.0
    pixels = []
    for py in range(size):
        for px in range(size):
            counts = {}
            for sy in range(n):
                y = (py + (sy + 0.5) / n) * step
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * step
                    c = arrow_layer(x, y, arrow_rim) or sheet_layer(x, y, sheet_rim, band)
                    counts[c] = counts.get(c, 0) + 1
            hits = n * n - counts.pop(None, 0)
            if hits == 0:
                pixels.append((0, 0, 0, 0))
            elif crisp:
                best = max(counts, key=lambda c: (counts[c], c))
                pixels.append(best + (255 if 2 * hits >= n * n else 0,))
            else:
                rgb = [round(sum(c[i] * k for c, k in counts.items()) / hits) for i in range(3)]
                pixels.append(tuple(rgb) + (round(255 * hits / (n * n)),))
    return pixels


# 6x6x6 colour cube + 40 greys; index 0 is black so transparent pixels can use it.
LEVELS = [0, 51, 102, 153, 204, 255]
PALETTE = [(r, g, b) for r in LEVELS for g in LEVELS for b in LEVELS]
PALETTE += [(round(i * 255 / 41),) * 3 for i in range(1, 41)]


def nearest(c):
    return min(range(256), key=lambda i: sum((p - q) ** 2 for p, q in zip(PALETTE[i], c)))


def and_mask(size, pixels, opaque):
    row_bytes = (size + 31) // 32 * 4
    out = bytearray()
    for y in reversed(range(size)):
        row = bytearray(row_bytes)
        for x in range(size):
            if not opaque(pixels[y * size + x]):
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def bmp_image(size, pixels, bpp):
    if bpp == 8:
        cache = {}
        opaque = lambda p: p[3] >= 128
        xor = bytearray()
        row_pad = (-size) % 4
        for y in reversed(range(size)):
            for x in range(size):
                p = pixels[y * size + x]
                if opaque(p):
                    if p[:3] not in cache:
                        cache[p[:3]] = nearest(p[:3])
                    xor.append(cache[p[:3]])
                else:
                    xor.append(0)
            xor += bytes(row_pad)
        palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in PALETTE)
        clr_used = 256
    else:
        opaque = lambda p: p[3] > 0
        xor = bytearray()
        for y in reversed(range(size)):
            for x in range(size):
                r, g, b, a = pixels[y * size + x]
                xor += bytes((b, g, r, a))
        palette = b""
        clr_used = 0
    mask = and_mask(size, pixels, opaque)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, bpp, 0,
                         len(xor) + len(mask), 0, 0, clr_used, 0)
    return header + palette + bytes(xor) + mask


def png_image(size, pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = bytearray()
    for y in range(size):
        raw.append(0)  # filter type: none
        for p in pixels[y * size:(y + 1) * size]:
            raw += bytes(p)
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "ui", "nomichron.ico")
    # Palette images for old/low-colour consumers, 32-bit for everything modern.
    layout = [(16, 8), (32, 8), (48, 32), (64, 32), (256, 32)]
    images = []
    for size, bpp in layout:
        pixels = render(size, crisp=(bpp == 8))
        images.append(png_image(size, pixels) if size == 256 else bmp_image(size, pixels, bpp))
    data = struct.pack("<HHH", 0, 1, len(layout))
    offset = 6 + 16 * len(layout)
    for (size, bpp), img in zip(layout, images):
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp, len(img), offset)
        offset += len(img)
    data += b"".join(images)
    with open(out_path, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
