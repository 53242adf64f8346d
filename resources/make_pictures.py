#!/usr/bin/env python3
"""Turns the picture sources in resources/art into the .bmp and .ico files zumble.rc includes.

Usage:
    make_pictures.py --list ART_DIR        print the names of the files it would write
    make_pictures.py ART_DIR OUT_DIR       write them

Two kinds of source, both meant to be read and edited by people:

*.txt -- text art. Directives, one per line ('#' starts a comment line):
    size W H                  picture size in pixels
    depth 4 | 8               bits per pixel: 16 colours (the fixed 16-colour palette) or 256
    legend vga                the usual legend, so small pictures need no colour lines:
                              '.' transparent, k black, m maroon, g green, o olive, n navy,
                              p purple, t teal, s silver, d gray, r red, l lime, y yellow,
                              b blue, f fuchsia, a aqua, w white
    colour C VALUE            legend: character C stands for VALUE, which is a colour name
                              of the 16-colour palette, #rrggbb (256-colour pictures only) or
                              'transparent'; it overrides the same character of 'legend vga'
    mask                      also write <name>_mask.bmp, a one-bit mask
    mask-of NAME              no mask of its own: drawn to fit the mask of NAME.txt, and the
                              outline is checked against it
    own-mask                  some window uses the picture as its own mask, where white means
                              transparent: opaque white is refused so the outline stays right
    icon FILE                 an image of icon FILE.ico instead of a bitmap; every source
                              naming the same FILE becomes one image of that icon
    pixels                    the rows follow, one line each, exactly W characters

*.py -- a drawing description for pictures too large for text art. The module defines
    SIZE = (W, H), DEPTH = 4 or 8, and draw(canvas) using the Canvas below.

Transparent pixels are stored white in a bitmap (so a picture can double as its own mask) and
black in an icon (as icons expect); the mask has 1 where the picture is transparent.
Only the standard library is used, so the build needs nothing but Python 3.
"""

import os
import runpy
import struct
import sys

# The fixed 16-colour palette, in the order every 16-colour picture stores it.
VGA = [
    ("black", (0, 0, 0)), ("maroon", (128, 0, 0)), ("green", (0, 128, 0)),
    ("olive", (128, 128, 0)), ("navy", (0, 0, 128)), ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)), ("silver", (192, 192, 192)), ("gray", (128, 128, 128)),
    ("red", (255, 0, 0)), ("lime", (0, 255, 0)), ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)), ("fuchsia", (255, 0, 255)), ("aqua", (0, 255, 255)),
    ("white", (255, 255, 255)),
]
VGA_BY_NAME = dict(VGA)
VGA_RGB = [rgb for _, rgb in VGA]
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


# Letters of 'legend vga', chosen to be guessable from the colour names.
VGA_LEGEND = {
    ".": "transparent", "k": "black", "m": "maroon", "g": "green", "o": "olive", "n": "navy",
    "p": "purple", "t": "teal", "s": "silver", "d": "gray", "r": "red", "l": "lime",
    "y": "yellow", "b": "blue", "f": "fuchsia", "a": "aqua", "w": "white",
}


class ArtError(Exception):
    pass


class Picture:
    """Pixels as RGB tuples, None where transparent."""

    def __init__(self, name, width, height, depth):
        self.name = name
        self.width = width
        self.height = height
        self.depth = depth
        self.pixels = [[None] * width for _ in range(height)]
        self.mask = False
        self.mask_of = None
        self.own_mask = False
        self.icon = None

    def transparent_set(self):
        return {(x, y) for y, row in enumerate(self.pixels)
                for x, p in enumerate(row) if p is None}


class Canvas(Picture):
    """Drawing helpers for *.py descriptions. Colours are (r, g, b) tuples."""

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.pixels[y][x] = colour

    def ellipse(self, cx, cy, rx, ry, colour):
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0:
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        half = width // 2
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            self.fill(x - half, y - half, x - half + width, y - half + width, colour)

    def polygon(self, points, colour):
        """Fills a polygon by the even-odd rule, sampling pixel centres."""
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 1)):
            yc = y + 0.5
            xs = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= yc < by) or (by <= yc < ay):
                    xs.append(ax + (yc - ay) * (bx - ax) / (by - ay))
            xs.sort()
            for left, right in zip(xs[0::2], xs[1::2]):
                for x in range(max(0, round(left)), min(self.width, round(right))):
                    self.pixels[y][x] = colour

    def glyphs(self, rows_by_char, text, x, y, scale, colour, spacing=1):
        """Writes text with a bitmap font: rows_by_char maps a character to rows of '#'/'.'."""
        for ch in text:
            rows = rows_by_char[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == '#':
                        self.fill(x + gx * scale, y + gy * scale,
                                  x + (gx + 1) * scale, y + (gy + 1) * scale, colour)
            x += (len(rows[0]) + spacing) * scale


def parse_colour(value, depth, where):
    if value == "transparent":
        return None
    if value in VGA_BY_NAME:
        return VGA_BY_NAME[value]
    if value.startswith("#") and len(value) == 7:
        rgb = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        if depth == 4 and rgb not in VGA_RGB:
            raise ArtError(f"{where}: {value} is not one of the 16 colours")
        return rgb
    raise ArtError(f"{where}: unknown colour {value!r}")


def read_text_art(path):
    name = os.path.splitext(os.path.basename(path))[0]
    size = None
    depth = 4
    legend = {}
    flags = {}
    rows = None
    with open(path, encoding="ascii") as f:
        lines = f.read().splitlines()
    for number, line in enumerate(lines, 1):
        where = f"{path}:{number}"
        if rows is not None:
            if line.strip():
                rows.append((where, line))
            continue
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        key, args = words[0], words[1:]
        if key == "size":
            size = (int(args[0]), int(args[1]))
        elif key == "depth":
            depth = int(args[0])
            if depth not in (4, 8):
                raise ArtError(f"{where}: depth must be 4 or 8")
        elif key == "legend":
            if args != ["vga"]:
                raise ArtError(f"{where}: the only legend is 'vga'")
            legend = {**VGA_LEGEND, **legend}
        elif key == "colour":
            if len(args[0]) != 1:
                raise ArtError(f"{where}: a legend key is one character")
            legend[args[0]] = args[1]
        elif key in ("mask", "own-mask"):
            flags[key] = True
        elif key in ("mask-of", "icon"):
            flags[key] = args[0]
        elif key == "pixels":
            rows = []
        else:
            raise ArtError(f"{where}: unknown directive {key!r}")
    if size is None or rows is None:
        raise ArtError(f"{path}: needs 'size' and 'pixels'")
    width, height = size
    colours = {c: parse_colour(v, depth, f"{path}: colour {c}") for c, v in legend.items()}
    if len(rows) != height:
        raise ArtError(f"{path}: {len(rows)} rows, expected {height}")
    picture = Picture(name, width, height, depth)
    for y, (where, row) in enumerate(rows):
        if len(row) != width:
            raise ArtError(f"{where}: {len(row)} characters, expected {width}")
        for x, ch in enumerate(row):
            if ch not in colours:
                raise ArtError(f"{where}: {ch!r} is not in the legend")
            picture.pixels[y][x] = colours[ch]
    picture.mask = flags.get("mask", False)
    picture.mask_of = flags.get("mask-of")
    picture.own_mask = flags.get("own-mask", False)
    picture.icon = flags.get("icon")
    return picture


def read_drawing(path):
    module = runpy.run_path(path)
    width, height = module["SIZE"]
    canvas = Canvas(os.path.splitext(os.path.basename(path))[0], width, height,
                    module["DEPTH"])
    module["draw"](canvas)
    return canvas


def read_all(art_dir):
    pictures = []
    for entry in sorted(os.listdir(art_dir)):
        path = os.path.join(art_dir, entry)
        if entry.endswith(".txt"):
            pictures.append(read_text_art(path))
        elif entry.endswith(".py"):
            pictures.append(read_drawing(path))
    check(pictures)
    return pictures


def check(pictures):
    by_name = {p.name: p for p in pictures}
    for p in pictures:
        if p.own_mask and any(px == WHITE for row in p.pixels for px in row):
            raise ArtError(f"{p.name}: doubles as its own mask, so it may not use opaque white")
        if p.mask_of is not None:
            other = by_name.get(p.mask_of)
            if other is None or not other.mask:
                raise ArtError(f"{p.name}: mask-of {p.mask_of}, which writes no mask")
            if (other.width, other.height) != (p.width, p.height) or \
                    other.transparent_set() != p.transparent_set():
                raise ArtError(f"{p.name}: outline differs from {p.mask_of}'s mask")


def outputs(pictures):
    names = []
    for p in pictures:
        if p.icon is not None:
            if p.icon + ".ico" not in names:
                names.append(p.icon + ".ico")
            continue
        names.append(p.name + ".bmp")
        if p.mask:
            names.append(p.name + "_mask.bmp")
    return names


# ---- file formats ------------------------------------------------------------------------------

def palette_of(picture, transparent_as):
    if picture.depth == 4:
        return list(VGA_RGB)
    used = []
    for row in picture.pixels:
        for px in row:
            rgb = transparent_as if px is None else px
            if rgb not in used:
                used.append(rgb)
    if len(used) > 256:
        raise ArtError(f"{picture.name}: {len(used)} colours, at most 256 fit")
    return used + [BLACK] * (256 - len(used))


def pack_rows(rows, bits, width):
    """Packs palette indices bottom-up into 32-bit aligned rows."""
    out = bytearray()
    per_byte = 8 // bits
    for row in reversed(rows):
        line = bytearray()
        for start in range(0, width, per_byte):
            byte = 0
            for i in range(per_byte):
                value = row[start + i] if start + i < width else 0
                byte |= value << (8 - bits * (i + 1))
            line.append(byte)
        line.extend(b"\0" * (-len(line) % 4))
        out += line
    return bytes(out)


def info_header(width, height, bits, colours, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colours, 0)


def palette_bytes(palette):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)


def indices(picture, palette, transparent_as):
    lookup = {rgb: i for i, rgb in reversed(list(enumerate(palette)))}
    return [[lookup[transparent_as if px is None else px] for px in row]
            for row in picture.pixels]


def mask_rows(picture):
    return [[1 if px is None else 0 for px in row] for row in picture.pixels]


def bmp_file(width, height, bits, palette, rows):
    data = pack_rows(rows, bits, width)
    header = info_header(width, height, bits, len(palette), len(data))
    body = header + palette_bytes(palette) + data
    offset = 14 + len(header) + 4 * len(palette)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def picture_bmp(picture):
    palette = palette_of(picture, WHITE)
    return bmp_file(picture.width, picture.height, picture.depth, palette,
                    indices(picture, palette, WHITE))


def mask_bmp(picture):
    return bmp_file(picture.width, picture.height, 1, [BLACK, WHITE], mask_rows(picture))


def icon_file(images):
    images = sorted(images, key=lambda p: (p.width, p.depth))
    blobs = []
    for p in images:
        palette = palette_of(p, BLACK)
        xor = pack_rows(indices(p, palette, BLACK), p.depth, p.width)
        and_mask = pack_rows(mask_rows(p), 1, p.width)
        header = info_header(p.width, 2 * p.height, p.depth, 0, len(xor) + len(and_mask))
        blobs.append(header + palette_bytes(palette) + xor + and_mask)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for p, blob in zip(images, blobs):
        colour_count = 16 if p.depth == 4 else 0
        out += struct.pack("<BBBBHHII", p.width % 256, p.height % 256, colour_count, 0, 1,
                           p.depth, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def generate(pictures, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    icons = {}
    for p in pictures:
        if p.icon is not None:
            icons.setdefault(p.icon, []).append(p)
            continue
        write(os.path.join(out_dir, p.name + ".bmp"), picture_bmp(p))
        if p.mask:
            write(os.path.join(out_dir, p.name + "_mask.bmp"), mask_bmp(p))
    for name, images in icons.items():
        write(os.path.join(out_dir, name + ".ico"), icon_file(images))


def main(argv):
    try:
        if len(argv) == 3 and argv[1] == "--list":
            print("\n".join(outputs(read_all(argv[2]))))
        elif len(argv) == 3:
            generate(read_all(argv[1]), argv[2])
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except ArtError as error:
        print(f"make_pictures: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
