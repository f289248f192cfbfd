#!/usr/bin/env python3
"""Draws every bitmap and icon that Plexa.rc includes, from nothing.

    python3 res/draw_resources.py [--preview DIR]

Writes the .bmp and .ico files next to this script. With --preview it also
writes enlarged PNG copies to DIR for looking at. Needs ImageMagick's
`convert` (captions and the large frame icons) and the IPAGothic font.

Small pictures are pixel maps rather than vector drawings: at 16 pixels a
hand-placed pixel reads better than any rasteriser's guess.
"""

import argparse
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

FONT_CANDIDATES = [
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
]

# Pixels of this colour in the toolbar bitmap are transparent. Magenta never
# occurs in the artwork, whereas light grey could come out of any blend.
TOOLBAR_KEY = (255, 0, 255)

TRANSPARENT = (0, 0, 0, 0)


def rgb(hexstr):
    v = int(hexstr.lstrip("#"), 16)
    return (v >> 16 & 255, v >> 8 & 255, v & 255, 255)


class Image:
    """RGBA pixels, top row first."""

    def __init__(self, width, height, fill=TRANSPARENT):
        self.width = width
        self.height = height
        self.px = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def put(self, x, y, color):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.px[y * self.width + x] = list(color)

    def paste(self, other, left, top):
        """Alpha-blends other over this image (straight alpha)."""
        for y in range(other.height):
            for x in range(other.width):
                sr, sg, sb, sa = other.get(x, y)
                if sa == 0:
                    continue
                tx, ty = left + x, top + y
                if not (0 <= tx < self.width and 0 <= ty < self.height):
                    continue
                dr, dg, db, da = self.get(tx, ty)
                a = sa / 255.0
                out_a = a + da / 255.0 * (1 - a)
                if out_a == 0:
                    continue

                def mix(s, d):
                    return round((s * a + d * da / 255.0 * (1 - a)) / out_a)

                self.put(tx, ty, (mix(sr, dr), mix(sg, dg), mix(sb, db), round(out_a * 255)))

    def scaled(self, factor):
        out = Image(self.width * factor, self.height * factor)
        for y in range(out.height):
            for x in range(out.width):
                out.put(x, y, self.get(x // factor, y // factor))
        return out

    def scaled_by_half_steps(self, halves):
        """Scaled by halves/2 (3 for 150 %): enlarged `halves` times pixel by
        pixel, then every 2 x 2 block averaged, so that the pixel map keeps
        its shapes and only the edges that fall between pixels blend."""
        big = self.scaled(halves)
        out = Image(big.width // 2, big.height // 2)
        for y in range(out.height):
            for x in range(out.width):
                block = [big.get(2 * x + dx, 2 * y + dy) for dy in (0, 1) for dx in (0, 1)]
                alpha = sum(p[3] for p in block)
                if alpha == 0:
                    continue
                # Colours weighted by their alpha, so that empty pixels add no black.
                color = tuple(round(sum(p[c] * p[3] for p in block) / alpha) for c in range(3))
                out.put(x, y, color + (round(alpha / 4),))
        return out

    def rgba_bytes(self):
        return bytes(c for p in self.px for c in p)


def from_map(rows, palette):
    """Builds an image from text rows, one character a pixel; '.' is empty."""
    height = len(rows)
    width = len(rows[0])
    img = Image(width, height)
    for y, row in enumerate(rows):
        if len(row) != width:
            raise ValueError("row %d is %d wide, not %d: %r" % (y, len(row), width, row))
        for x, ch in enumerate(row):
            if ch != ".":
                img.put(x, y, palette[ch])
    return img


# ---------------------------------------------------------------------------
# Pixel maps

PALETTE = {
    # folder
    "o": rgb("#8C6410"), "L": rgb("#FFE9A0"), "Y": rgb("#F4C542"), "D": rgb("#D49E1C"),
    # paper and text lines
    "p": rgb("#6B7380"), "W": rgb("#FFFFFF"), "F": rgb("#D8DCE2"), "s": rgb("#5A7BA8"),
    # picture: frame, sky, sun, hills
    "f": rgb("#4A5260"), "K": rgb("#8FCBF5"), "S": rgb("#FFD21E"), "G": rgb("#4CAF3C"),
    "H": rgb("#2E7D32"),
    # question mark
    "R": rgb("#E0241B"), "r": rgb("#9E1010"),
    # clipboard: board edge, board, clip edge, clip
    "b": rgb("#6E4618"), "B": rgb("#C08A48"), "c": rgb("#4E5663"), "M": rgb("#C9CED6"),
    # magnifier: ring, glass, handle
    "n": rgb("#22364E"), "g": rgb("#CDE7FB"), "h": rgb("#3B2A1A"),
    # warning sign's outline
    "k": rgb("#6A4A00"),
}

TREE_FOLDER = [
    "................",
    "................",
    ".ooooo..........",
    "oLLLLLo.........",
    "oLLLLLLoooooooo.",
    "oLLLLLLLLLLLLLLo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oYYYYYYYYYYYYYYo",
    "oDDDDDDDDDDDDDDo",
    ".oooooooooooooo.",
    "................",
]

TEXT_PAGE = [
    "................",
    "..pppppppp......",
    "..pWWWWWWpp.....",
    "..pWssssWpFp....",
    "..pWWWWWWpFFp...",
    "..pWssssWppppp..",
    "..pWWWWWWWWWWp..",
    "..pWssssssssWp..",
    "..pWWWWWWWWWWp..",
    "..pWsssssssWWp..",
    "..pWWWWWWWWWWp..",
    "..pWssssssssWp..",
    "..pWWWWWWWWWWp..",
    "..pWsssssWWWWp..",
    "..pWWWWWWWWWWp..",
    "..pppppppppppp..",
]

LANDSCAPE = [
    "................",
    "................",
    "ffffffffffffffff",
    "fKKKKKKKKKKKKKKf",
    "fKKKKKKKKKKSSKKf",
    "fKKKKKKKKKSSSSKf",
    "fKKKKKKKKKSSSSKf",
    "fKKKKGKKKKKSSKKf",
    "fKKKGGGKKKKKKKKf",
    "fKKGGGGGKKKKKKKf",
    "fKGGGGGGGKKKGKKf",
    "fGGGGGGGGGKGGGKf",
    "fGGGGGGGGGGGGGGf",
    "fHHHHHHHHHHHHHHf",
    "ffffffffffffffff",
    "................",
]

QUESTION = [
    "................",
    ".....RRRRRR.....",
    "....RRRRRRRRr...",
    "...RRRr...RRRr..",
    "...RRRr...RRRr..",
    "....rr....RRRr..",
    ".........RRRr...",
    "........RRRr....",
    ".......RRRr.....",
    ".......RRRr.....",
    ".......RRRr.....",
    "........rr......",
    ".......RRRr.....",
    ".......RRRr.....",
    "........rr......",
    "................",
]

# Clipboard with a document sheet lying over its lower right.
PASTE_ALL = [
    "....cccccc......",
    ".bbbcMMMMcbbb...",
    ".bBBccccccBBb...",
    ".bBBBBBBBBBBb...",
    ".bBBBBBBBBBBb...",
    ".bBBBpppppp.....",
    ".bBBBpWWWWpp....",
    ".bBBBpWssWpFp...",
    ".bBBBpWWWWpppp..",
    ".bBBBpWsssssWp..",
    ".bBBBpWWWWWWWp..",
    ".bBBBpWsssssWp..",
    ".bBBBpWWWWWWWp..",
    ".bBBBpWssssWWp..",
    ".bbbbpWWWWWWWp..",
    ".....ppppppppp..",
]

# Clipboard with a framed landscape lying over its lower right.
PASTE_CHOOSE = [
    "....cccccc......",
    ".bbbcMMMMcbbb...",
    ".bBBccccccBBb...",
    ".bBBBBBBBBBBb...",
    ".bBBBBBBBBBBb...",
    ".bBBBBBBBBBBb...",
    ".bBBffffffffffff",
    ".bBBfKKKKKKKSSKf",
    ".bBBfKKKKKKSSSSf",
    ".bBBfKKGKKKKSSKf",
    ".bBBfKGGGKKKKKKf",
    ".bBBfGGGGGKKGKKf",
    ".bBBfGGGGGGGGGGf",
    ".bbbfHHHHHHHHHHf",
    "....ffffffffffff",
    "................",
]

# Tree overlays: a mark in the lower left corner of the item's picture, as
# the shell marks shortcuts, for a node whose checks found an error or a warning.
ERROR_OVERLAY = ["................"] * 7 + [
    "..rRRRr.........",
    ".rRRRRRr........",
    "rRWRRRWRr.......",
    "RRRWRWRRR.......",
    "RRRRWRRRR.......",
    "RRRWRWRRR.......",
    "rRWRRRWRr.......",
    ".rRRRRRr........",
    "..rRRRr.........",
]

WARNING_OVERLAY = ["................"] * 7 + [
    "....k...........",
    "...kYk..........",
    "...kfk..........",
    "..kYfYk.........",
    "..kYfYk.........",
    ".kYYYYYk........",
    ".kYYfYYk........",
    "kYYYYYYYk.......",
    "kkkkkkkkk.......",
]

# Frame icon at 16 pixels: clipboard and a magnifying glass.
APP_16 = [
    "....ccccc.......",
    ".bbbcMMMcbbb....",
    ".bBBcccccBBb....",
    ".bBWWWWWWWBb....",
    ".bBWsssssWBb....",
    ".bBWWWWWWWBb....",
    ".bBWssssWWBb....",
    ".bBWWWWnnnnb....",
    ".bBWssnggggn....",
    ".bBWWnggggggn...",
    ".bBWWnggggggn...",
    ".bBWWnggggggn...",
    ".bBBBnggggggn...",
    ".bbbbbnggggnhh..",
    ".......nnnnhhhh.",
    "...........hhhh.",
]


# ---------------------------------------------------------------------------
# ImageMagick helpers

def find_font():
    for path in FONT_CANDIDATES:
        if os.path.exists(path):
            return path
    sys.exit("IPAGothic not found; install fonts-ipafont-gothic")


def magick_rgba(args, width, height):
    """Runs convert with args that end in an image of width x height; returns it."""
    cmd = ["convert"] + args + ["-depth", "8", "rgba:-"]
    data = subprocess.run(cmd, check=True, stdout=subprocess.PIPE).stdout
    if len(data) != width * height * 4:
        raise RuntimeError("convert gave %d bytes for %dx%d" % (len(data), width, height))
    img = Image(width, height)
    for i in range(width * height):
        img.px[i] = list(data[i * 4:i * 4 + 4])
    return img


def caption_line(text, width, font, size):
    """One line of caption text: black, centred in a strip `size + 2` pixels
    high, its anti-aliased coverage in the alpha channel."""
    height = size + 2
    return magick_rgba([
        "-size", "%dx%d" % (width, height), "xc:none",
        "-font", font, "-pointsize", str(size),
        "-fill", "#000000", "-gravity", "north", "-annotate", "+0+0", text,
    ], width, height)


def stamp_opaque(dest, line, left, top):
    """Puts caption or picture pixels into dest as opaque pixels.

    A colour-keyed bitmap has no partial transparency, so the anti-aliased
    edges are blended here against the usual button face, RGB(240,240,240)
    on current Windows and Wine. Monochrome glyphs were tried and lose
    strokes at 9 pixels; a faint grey fringe on other faces costs less."""
    for y in range(line.height):
        for x in range(line.width):
            r, g, b, a = line.get(x, y)
            if a < CAPTION_MIN_COVERAGE:
                continue
            k = a / 255.0
            mixed = tuple(round(c * k + f * (1 - k)) for c, f in zip((r, g, b), BUTTON_FACE))
            dest.put(left + x, top + y, mixed + (255,))


def app_icon_vector(size):
    """The frame icon drawn as vectors at 24 to 256 pixels (units of a 48 grid)."""
    k = size / 48.0

    def s(*vals):
        return ",".join("%.2f" % (v * k) for v in vals)

    w = lambda v: "%.2f" % max(v * k, 1.0)
    mvg = " ".join([
        # board
        "fill #C08A48 stroke #6E4618 stroke-width %s roundrectangle %s %s" % (w(1.5), s(4, 5, 32, 45), s(3, 3)),
        # paper
        "fill #FFFFFF stroke #8A929E stroke-width %s rectangle %s" % (w(1), s(8, 10, 28, 41)),
        # text lines
        "stroke #5A7BA8 stroke-width %s line %s line %s line %s line %s" % (
            w(2), s(11, 16, 25, 16), s(11, 21, 25, 21), s(11, 26, 20, 26), s(11, 31, 17, 31)),
        # clip
        "fill #C9CED6 stroke #4E5663 stroke-width %s roundrectangle %s %s" % (w(1.5), s(12, 1.5, 24, 10), s(2, 2)),
        "fill #4E5663 stroke none rectangle %s" % s(15, 4, 21, 6),
        # magnifier handle, then lens over it
        "stroke #3B2A1A stroke-width %s stroke-linecap round line %s" % (w(6), s(37, 37, 45, 45)),
        "fill #CDE7FBE0 stroke #22364E stroke-width %s circle %s" % (w(3.2), s(30, 30, 30, 40.5)),
        "fill none stroke #FFFFFF stroke-width %s arc %s %s" % (w(1.6), s(23, 23, 37, 37), "190,260"),
    ])
    return magick_rgba(["-size", "%dx%d" % (size, size), "xc:none", "-draw", mvg], size, size)


# ---------------------------------------------------------------------------
# File writers

def write_bmp24(path, img, key):
    """24-bit bottom-up BMP; transparent pixels become the key colour."""
    row_bytes = (img.width * 3 + 3) & ~3
    pixels = bytearray()
    for y in range(img.height - 1, -1, -1):
        row = bytearray()
        for x in range(img.width):
            r, g, b, a = img.get(x, y)
            if a == 0:
                r, g, b = key
            elif a != 255:
                raise ValueError("toolbar pixel (%d,%d) is half transparent" % (x, y))
            row += bytes((b, g, r))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def png_bytes(img):
    """PNG without time stamps, so that drawing again gives the same bytes."""
    return subprocess.run(["convert", "-size", "%dx%d" % (img.width, img.height), "-depth", "8",
                           "rgba:-", "-strip", "-define", "png:exclude-chunks=date,time", "png:-"],
                          input=img.rgba_bytes(), check=True, stdout=subprocess.PIPE).stdout


def ico_entry(img):
    """32-bit icon image with an AND mask, so masked image lists see the same shape."""
    xor = bytearray()
    for y in range(img.height - 1, -1, -1):
        for x in range(img.width):
            r, g, b, a = img.get(x, y)
            if a == 0:
                r = g = b = 0
            xor += bytes((b, g, r, a))
    mask_row = ((img.width + 31) // 32) * 4
    mask = bytearray()
    for y in range(img.height - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(img.width):
            if img.get(x, y)[3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, img.width, img.height * 2, 1, 32, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, images):
    images = sorted(images, key=lambda i: i.width)
    # 256-pixel images are stored as PNG, as Windows expects them.
    blobs = [png_bytes(i) if i.width >= 256 else ico_entry(i) for i in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", img.width % 256, img.height % 256, 0, 0, 1, 32,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def write_preview(path, img, factor, backdrop):
    """Enlarged PNG over a flat backdrop, for inspection only."""
    big = Image(img.width, img.height, backdrop)
    big.paste(img, 0, 0)
    big = big.scaled(factor)
    subprocess.run(["convert", "-size", "%dx%d" % (big.width, big.height), "-depth", "8",
                    "rgba:-", path], input=big.rgba_bytes(), check=True)


# ---------------------------------------------------------------------------
# The images

BUTTON_W, BUTTON_H = 48, 47   # at 100 %
CAPTION_SIZE = 9     # pixels at 100 %
LINE_PITCH = 10      # one blank row between caption lines
BUTTON_FACE = (240, 240, 240)
CAPTION_MIN_COVERAGE = 40   # of 255; fainter edge pixels stay transparent
PICTURE_TOP = 1

TOOLBAR_PICTURES = [PASTE_ALL, PASTE_CHOOSE, TEXT_PAGE]

# The buttons' captions in each interface language, with the ending of the
# strips' file names.
TOOLBAR_CAPTIONS = [
    ("", [["全形式", "貼り付け"], ["形式を", "指定して", "貼り付け"], ["既定の表示", "形式に設定"]]),
    (".en", [["Paste", "all"], ["Paste", "one", "format"], ["Default", "view"]]),
]

# Scales the program picks from, in halves (2 is 100 %), with the file each
# toolbar strip goes to. Sizes round as the program's MulDiv does.
SCALES = [(2, "Toolbar.bmp"), (3, "Toolbar150.bmp"), (4, "Toolbar200.bmp")]


def at_scale(pixels, halves):
    return (pixels * halves + 1) // 2


def picture_at_scale(picture, halves):
    if halves % 2 == 0:
        return picture.scaled(halves // 2)
    return picture.scaled_by_half_steps(halves)


def toolbar_bitmap(font, captions, halves=2):
    button_w, button_h = at_scale(BUTTON_W, halves), at_scale(BUTTON_H, halves)
    pitch = at_scale(LINE_PITCH, halves)
    picture_top = at_scale(PICTURE_TOP, halves)
    strip = Image(button_w * len(TOOLBAR_PICTURES), button_h)
    for i, (picture_map, lines) in enumerate(zip(TOOLBAR_PICTURES, captions)):
        left = i * button_w
        picture = picture_at_scale(from_map(picture_map, PALETTE), halves)
        stamp_opaque(strip, picture, left + (button_w - picture.width) // 2, picture_top)
        # Pictures keep one place on every button; the caption is centred in
        # the room left below them, so two- and three-line captions both sit well.
        room_top = picture_top + picture.height + 1
        block = pitch * len(lines) - 1
        top = room_top + (button_h - room_top - block) // 2
        for n, text in enumerate(lines):
            line = caption_line(text, button_w, font, at_scale(CAPTION_SIZE, halves))
            stamp_opaque(strip, line, left, top + n * pitch)
    return strip


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNGs here")
    opts = parser.parse_args()
    font = find_font()

    toolbars = {}
    for ending, captions in TOOLBAR_CAPTIONS:
        for halves, name in SCALES:
            name = name.replace(".bmp", ending + ".bmp")
            toolbars[name] = toolbar_bitmap(font, captions, halves)
            write_bmp24(os.path.join(HERE, name), toolbars[name], TOOLBAR_KEY)
    toolbar = toolbars["Toolbar.bmp"]

    tree = {
        "TreeFolder.ico": from_map(TREE_FOLDER, PALETTE),
        "TreeData.ico": from_map(TEXT_PAGE, PALETTE),
        "TreeImage.ico": from_map(LANDSCAPE, PALETTE),
        "TreeUnknown.ico": from_map(QUESTION, PALETTE),
        "TreeErrorOverlay.ico": from_map(ERROR_OVERLAY, PALETTE),
        "TreeWarningOverlay.ico": from_map(WARNING_OVERLAY, PALETTE),
    }
    for name, img in tree.items():
        # 100 %, 150 % and 200 %, so that no scale gets a blurred stretch.
        write_ico(os.path.join(HERE, name), [picture_at_scale(img, h) for h, _ in SCALES])

    app = [from_map(APP_16, PALETTE)] + [app_icon_vector(size) for size in (24, 32, 48, 256)]
    write_ico(os.path.join(HERE, "Plexa.ico"), app)

    if opts.preview:
        os.makedirs(opts.preview, exist_ok=True)
        face = (240, 240, 240, 255)
        write_preview(os.path.join(opts.preview, "toolbar.png"), toolbar, 6, face)
        for name, strip in toolbars.items():
            write_preview(os.path.join(opts.preview, name.replace(".bmp", "_1x.png")), strip, 1, face)
        for name, img in tree.items():
            write_preview(os.path.join(opts.preview, name.replace(".ico", ".png")), img, 12,
                          (255, 255, 255, 255))
        for img in app:
            write_preview(os.path.join(opts.preview, "app%d.png" % img.width), img,
                          max(1, 192 // img.width), (255, 255, 255, 255))


if __name__ == "__main__":
    main()
