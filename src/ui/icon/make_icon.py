#!/usr/bin/env python3
"""Draws Tolvi's icon and writes it as ../Tolvi.ico.

The picture is one connection (the square at the bottom) switching between
two networks (the round nodes), the chosen one green. Every size is drawn
from the same shapes, with 8x8 supersampling, so the small sizes stay sharp
instead of being scaled down from a large bitmap. Standard library only:
    python3 src/ui/icon/make_icon.py
"""
import math
import os
import struct
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
SAMPLES = 8
PNG_FROM = 32


def rounded_box(px, py, cx, cy, half_w, half_h, radius):
    """Signed distance to a rounded rectangle (negative inside)."""
    qx = abs(px - cx) - half_w + radius
    qy = abs(py - cy) - half_h + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def circle(px, py, cx, cy, radius):
    return math.hypot(px - cx, py - cy) - radius


def segment(px, py, ax, ay, bx, by, half_width):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy) - half_width


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


TOP_BLUE = (0x2F, 0x86, 0xEB)
BOTTOM_BLUE = (0x14, 0x4E, 0xA6)
EDGE_BLUE = (0x0D, 0x3A, 0x80)
WHITE = (0xFF, 0xFF, 0xFF)
GREEN = (0x34, 0xD3, 0x7A)
LEFT_NODE, RIGHT_NODE, STEM = (0.27, 0.30), (0.73, 0.30), (0.50, 0.52)


def shade(px, py, size):
    """The colour and coverage of one sample point, in unit coordinates."""
    # Small sizes get thicker strokes so that they still read at 16 pixels.
    boost = max(0.0, (32 - size) / 16) * 0.025
    background = rounded_box(px, py, 0.5, 0.5, 0.47, 0.47, 0.2)
    if background > 0:
        return None
    colour = mix(TOP_BLUE, BOTTOM_BLUE, py)
    if background > -0.035:
        colour = EDGE_BLUE
    line = 0.045 + boost
    links = min(
        segment(px, py, 0.5, 0.74, *STEM, line),
        segment(px, py, *STEM, *LEFT_NODE, line),
        segment(px, py, *STEM, *RIGHT_NODE, line),
    )
    screen = rounded_box(px, py, 0.5, 0.76, 0.15 + boost, 0.11 + boost, 0.04)
    if min(links, screen) < 0:
        colour = WHITE
    node = 0.11 + boost
    if circle(px, py, *LEFT_NODE, node) < 0:
        colour = WHITE
    right = circle(px, py, *RIGHT_NODE, node)
    if right < 0:
        colour = GREEN if right < -0.035 - boost / 2 else WHITE
    return colour


def render(size):
    """Rows of RGBA pixels, top row first."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            total = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    px = (x + (sx + 0.5) / SAMPLES) / size
                    py = (y + (sy + 0.5) / SAMPLES) / size
                    colour = shade(px, py, size)
                    if colour is not None:
                        hits += 1
                        for i in range(3):
                            total[i] += colour[i]
            if hits == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(total[i] / hits) for i in range(3))
                row.append((r, g, b, round(255 * hits / SAMPLES ** 2)))
        rows.append(row)
    return rows


def bmp_entry(rows):
    """A 32-bit DIB with its AND mask, as icon directories hold them."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_entry(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    header = struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    rendered = {size: render(size) for size in SIZES}
    # Windows reads PNG images of any size since Vista; the sizes the tray
    # and small title bars take stay bitmaps, and the rest are a fifth as large.
    images = [(size, png_entry(rows) if size >= PNG_FROM else bmp_entry(rows)) for size, rows in rendered.items()]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Tolvi.ico")
    with open(target, "wb") as out:
        out.write(directory + body)
    # A preview of every size side by side, for looking at the result.
    if os.environ.get("TOLVI_ICON_PREVIEW"):
        preview = os.environ["TOLVI_ICON_PREVIEW"]
        width = sum(s for s in SIZES) + 8 * len(SIZES)
        canvas = [[(240, 240, 240, 255)] * width for _ in range(256)]
        x0 = 0
        for size in SIZES:
            for y, row in enumerate(rendered[size]):
                for x, (r, g, b, a) in enumerate(row):
                    t = a / 255
                    canvas[y][x0 + x] = tuple(round(240 + (c - 240) * t) for c in (r, g, b)) + (255,)
            x0 += size + 8
        with open(preview, "wb") as out:
            out.write(png_entry(canvas))


if __name__ == "__main__":
    main()
