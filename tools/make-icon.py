#!/usr/bin/env python3
"""Draws the program's icon from tools/icon/tarvex.svg.

Writes data/icons/tarvex.ico and data/icons/hicolor/NxN/apps/tarvex.png for the usual sizes.
The ico holds every size Windows asks for from 100 to 200 % (16 to 64 pixels, each in 16
colours, 256 colours and 32-bit colour) and 256 pixels as PNG, as Windows Vista and later
store their largest image; nothing is stretched at those scales. It needs
nothing beyond Python's standard library: the drawing uses only rounded rectangles and
polygons, which it fills itself with 4x4 supersampling.
"""
import math
import os
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "tools", "icon", "tarvex.svg")
# Small icons at 100, 125, 150 and 200 %, large ones at 100, 125 (40) and 200 %, and the
# large views of Explorer. 256 is stored as PNG.
ICO_SIZES = (256, 64, 48, 40, 32, 24, 20, 16)
PNG_IN_ICO_SIZE = 256
PNG_SIZES = (16, 24, 32, 48, 64, 128, 256)
SUPERSAMPLE = 4


def parse_colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def rounded_rect(x, y, w, h, r):
    points = []
    corners = ((x + w - r, y + r, -90), (x + w - r, y + h - r, 0), (x + r, y + h - r, 90), (x + r, y + r, 180))
    for cx, cy, start in corners:
        for step in range(9):
            a = math.radians(start + step * 90 / 8)
            points.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return points


def load_drawing():
    """The drawing as (polygon, colour) pairs in viewBox units, back to front, and its size."""
    root = ET.parse(SOURCE).getroot()
    size = float(root.get("viewBox").split()[2])
    shapes = []
    for element in root:
        tag = element.tag.split("}")[1]
        colour = parse_colour(element.get("fill"))
        if tag == "rect":
            x, y, w, h, r = (float(element.get(k, 0)) for k in ("x", "y", "width", "height", "rx"))
            shapes.append((rounded_rect(x, y, w, h, r), colour))
        elif tag == "polygon":
            pairs = element.get("points").split()
            shapes.append(([tuple(map(float, p.split(","))) for p in pairs], colour))
        else:
            sys.exit(f"make-icon: unsupported element <{tag}> in {SOURCE}")
    return shapes, size


def coverage(polygon, size):
    """Fraction of each pixel that the polygon covers, row by row, by scanline supersampling."""
    cells = [[0.0] * size for _ in range(size)]
    sub = size * SUPERSAMPLE
    weight = 1.0 / (SUPERSAMPLE * SUPERSAMPLE)
    edges = list(zip(polygon, polygon[1:] + polygon[:1]))
    for sy in range(sub):
        y = (sy + 0.5) / SUPERSAMPLE
        xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                    for (x0, y0), (x1, y1) in edges if (y0 <= y < y1) or (y1 <= y < y0))
        row = cells[sy // SUPERSAMPLE]
        for left, right in zip(xs[0::2], xs[1::2]):
            first = max(0, math.ceil(left * SUPERSAMPLE - 0.5))
            last = min(sub - 1, math.floor(right * SUPERSAMPLE - 0.5))
            for sx in range(first, last + 1):
                row[sx // SUPERSAMPLE] += weight
    return cells


def render(shapes, drawing_size, size):
    """RGBA rows of the drawing at size x size pixels, shapes composited back to front."""
    scale = size / drawing_size
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]
    for polygon, colour in shapes:
        cells = coverage([(x * scale, y * scale) for x, y in polygon], size)
        for y in range(size):
            for x in range(size):
                a = min(1.0, cells[y][x])
                if a <= 0:
                    continue
                r, g, b, da = pixels[y][x]
                out_a = a + da * (1 - a)
                mix = [(c * a + d * da * (1 - a)) / out_a for c, d in zip(colour, (r, g, b))]
                pixels[y][x] = (*mix, out_a)
    return [[(round(r), round(g), round(b), round(a * 255)) for r, g, b, a in row] for row in pixels]


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The 16 colours of the standard Windows palette, and for 256 colours a 6x6x6 colour cube with
# 40 greys.
PALETTE_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
              (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
              (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
PALETTE_256 = ([(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
               + [(round(i * 255 / 41),) * 3 for i in range(1, 41)])


def nearest(palette, colour):
    return min(range(len(palette)), key=lambda i: sum((p - c) ** 2 for p, c in zip(palette[i], colour)))


def and_mask(rows):
    """1 bit a pixel, bottom-up, rows padded to 32 bits: set where the pixel is transparent."""
    size = len(rows)
    stride = (size + 31) // 32 * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, px in enumerate(row):
            if px[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def bmp_entry(rows, bit_count):
    """An icon image as ICO stores it: a BITMAPINFOHEADER of double height, the palette if any,
    the colour bits bottom-up, then the AND mask."""
    size = len(rows)
    if bit_count == 32:
        palette = []
        pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    else:
        palette = PALETTE_16 if bit_count == 4 else PALETTE_256
        cache = {}
        indices = []
        for row in reversed(rows):
            line = []
            for r, g, b, a in row:
                key = (r, g, b) if a >= 128 else None
                if key not in cache:
                    cache[key] = 0 if key is None else nearest(palette, key)
                line.append(cache[key])
            indices.append(line)
        stride = (size * bit_count + 31) // 32 * 4
        pixels = b""
        for line in indices:
            packed = bytearray(stride)
            for x, index in enumerate(line):
                if bit_count == 8:
                    packed[x] = index
                else:
                    packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
            pixels += bytes(packed)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(pixels) + len(and_mask(rows)), 0, 0, len(palette), 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colours + pixels + and_mask(rows)


def ico(images):
    """images: (size, bit_count, entry bytes) in the order to store them; a size of 256 is
    written as 0 in the directory."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, bit_count, data in images:
        colour_count = 16 if bit_count == 4 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bit_count,
                                 len(data), offset + len(body))
        body += data
    return directory + body


def main():
    shapes, drawing_size = load_drawing()
    rendered = {size: render(shapes, drawing_size, size) for size in sorted(set(ICO_SIZES + PNG_SIZES))}
    icons = os.path.join(ROOT, "data", "icons")
    for size in PNG_SIZES:
        folder = os.path.join(icons, "hicolor", f"{size}x{size}", "apps")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "tarvex.png"), "wb") as out:
            out.write(png(rendered[size]))
    images = []
    for size in ICO_SIZES:
        if size == PNG_IN_ICO_SIZE:
            images.append((size, 32, png(rendered[size])))
        else:
            images += [(size, bits, bmp_entry(rendered[size], bits)) for bits in (4, 8, 32)]
    with open(os.path.join(icons, "tarvex.ico"), "wb") as out:
        out.write(ico(images))


if __name__ == "__main__":
    main()
