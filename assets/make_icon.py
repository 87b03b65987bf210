#!/usr/bin/env python3
"""Draws the application icon and writes it as tarvelin.ico.

A flat-screen monitor with a green arrow curving over its top, one 256 x 256
image at 32 bits per pixel with alpha, stored as an uncompressed bitmap:
Windows CE 5 cannot read PNG icons.

Regenerate with:  python3 assets/make_icon.py assets/tarvelin.ico
"""

import math
import struct
import sys

SIZE = 256
SAMPLES = 4  # per axis, for smooth edges

ARC_CENTRE = (128.0, 168.0)
ARC_RADIUS = 112.0
ARC_HALF_WIDTH = 9.0
ARC_FROM, ARC_TO = math.radians(35), math.radians(145)
HEAD_LENGTH, HEAD_HALF_WIDTH = 30.0, 21.0


def rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    dx = max(left + radius - x, 0, x - (right - radius))
    dy = max(top + radius - y, 0, y - (bottom - radius))
    return dx * dx + dy * dy <= radius * radius


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def arrow_head():
    cx, cy = ARC_CENTRE
    angle = ARC_FROM
    base = (cx + ARC_RADIUS * math.cos(angle), cy - ARC_RADIUS * math.sin(angle))
    tangent = (math.sin(angle), math.cos(angle))  # clockwise, y down
    radial = (math.cos(angle), -math.sin(angle))
    tip = (base[0] + tangent[0] * HEAD_LENGTH, base[1] + tangent[1] * HEAD_LENGTH)
    outer = (base[0] + radial[0] * HEAD_HALF_WIDTH, base[1] + radial[1] * HEAD_HALF_WIDTH)
    inner = (base[0] - radial[0] * HEAD_HALF_WIDTH, base[1] - radial[1] * HEAD_HALF_WIDTH)
    return tip, outer, inner


HEAD = arrow_head()


def in_triangle(x, y, triangle):
    (ax, ay), (bx, by), (cx, cy) = triangle
    d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
    d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
    d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def arrow(x, y):
    """The arrow's colour at (x, y), or None outside it."""
    dx, dy = x - ARC_CENTRE[0], ARC_CENTRE[1] - y
    off_centre = abs(math.hypot(dx, dy) - ARC_RADIUS)
    angle = math.atan2(dy, dx)
    if off_centre <= ARC_HALF_WIDTH and ARC_FROM <= angle <= ARC_TO:
        return (31, 122, 46) if off_centre > ARC_HALF_WIDTH - 2.5 else (52, 184, 72)
    if in_triangle(x, y, HEAD):
        return (52, 184, 72)
    return None


def colour(x, y):
    """Painter's order: the topmost shape at (x, y) wins. None is clear."""
    painted = arrow(x, y)
    if painted:
        return painted
    if rounded_rect(x, y, 36, 108, 220, 196, 3):
        return mix((92, 176, 240), (24, 84, 160), (y - 108) / 88)
    if rounded_rect(x, y, 24, 96, 232, 208, 10):
        return (43, 47, 54)
    if rounded_rect(x, y, 116, 204, 140, 230, 0):
        return (74, 80, 89)
    if rounded_rect(x, y, 80, 226, 176, 240, 6):
        return (58, 63, 71)
    return None


def render():
    """Rows top-down of (r, g, b, a), averaged over the samples."""
    rows = []
    step = 1.0 / SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            row.append((r // a, g // a, b // a, a * 255 // (SAMPLES * SAMPLES)) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def ico(rows):
    """One image, BITMAPINFOHEADER + BGRA bottom-up + AND mask."""
    pixels = b"".join(
        struct.pack("<4B", b, g, r, a) for row in reversed(rows) for r, g, b, a in row
    )
    mask = bytearray()
    for row in reversed(rows):
        for start in range(0, SIZE, 8):
            bits = 0
            for r, g, b, a in row[start:start + 8]:
                bits = (bits << 1) | (a == 0)
            mask.append(bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as out:
        out.write(ico(render()))


if __name__ == "__main__":
    main()
