#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws all of Morvalin's artwork and checks what it wrote.

Run it through ./make-artwork, which makes sure Debian's Pillow is there.
Everything is drawn from code with fixed inputs (no randomness, no clock),
so a second run writes the very same bytes.
"""

import argparse
import hashlib
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

# The game's own colours; the tile faces must survive into the GIFs exactly.
BLUE = (104, 136, 224)
START = (255, 255, 224)   # tile in the upper, starting row
DONE = (255, 128, 128)    # tile in the lower, finished row
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
INK = (0, 0, 0)

FONT_DIR = "/usr/share/fonts/truetype/liberation2"
SERIF_BOLD = os.path.join(FONT_DIR, "LiberationSerif-Bold.ttf")
SANS_BOLD = os.path.join(FONT_DIR, "LiberationSans-Bold.ttf")

TITLE = "MORVALIN"
# No letter starts where it ends, so every tile visibly travels.
SCRAMBLE = "LINOMRAV"
SUBTITLE = "Betűkből új szavak"

SPLASH_SIZE = (374, 240)
SPLASH_FRAMES = 21
TILE = 38
GAP = 6
UPPER_Y = 28
LOWER_Y = 112
SUBTITLE_Y = 186          # vertical centre of the subtitle's ink

# Antialiased edges are snapped to this many coverage steps.  That keeps
# every frame far below the GIF limit of 256 colours, so the frames are
# stored losslessly instead of being quantised (and dithered).
AA_LEVELS = 32


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def load_font(path, size):
    return ImageFont.truetype(path, size)


def coverage(mask, opacity=1.0):
    steps = AA_LEVELS - 1
    lut = [round(round(v * opacity * steps / 255) * 255 / steps) for v in range(256)]
    return mask.point(lut)


def draw_text(img, centre, text, font, colour, opacity=1.0):
    """Paints text with its ink (not its advance box) centred on `centre`.

    Returns the ink bounding box actually painted, for the clipping check.
    """
    left, top, right, bottom = font.getbbox(text)
    x = round(centre[0] - (left + right) / 2)
    y = round(centre[1] - (top + bottom) / 2)
    mask = Image.new("L", img.size, 0)
    ImageDraw.Draw(mask).text((x, y), text, font=font, fill=255)
    mask = coverage(mask, opacity)
    img.paste(colour, (0, 0) + img.size, mask)
    return mask.getbbox()


def bevel_shades(face, width):
    light = [WHITE, mix(face, WHITE, 0.6), mix(face, WHITE, 0.3)]
    dark = [mix(face, BLACK, 0.72), mix(face, BLACK, 0.48), mix(face, BLACK, 0.24)]
    return light[:width], dark[:width]


def draw_tile(img, x, y, size, face, letter=None, font=None):
    """A raised push button: light bevel top/left, dark bevel bottom/right."""
    d = ImageDraw.Draw(img)
    width = 3 if size >= 30 else 2
    d.rectangle([x, y, x + size - 1, y + size - 1], fill=face)
    light, dark = bevel_shades(face, width)
    far = size - 1
    for i in range(width):
        d.line([(x + i, y + far - i), (x + far - i, y + far - i)], fill=dark[i])
        d.line([(x + far - i, y + i), (x + far - i, y + far - i)], fill=dark[i])
        # One pixel shorter, so the dark edge owns the top-right and
        # bottom-left corners as on a real button.
        d.line([(x + i, y + i), (x + far - 1 - i, y + i)], fill=light[i])
        d.line([(x + i, y + i), (x + i, y + far - 1 - i)], fill=light[i])
    if letter:
        return draw_text(img, (x + size / 2, y + size / 2), letter, font, INK)
    return None


SLOT_FACE = mix(BLUE, BLACK, 0.10)
SLOT_DARK = mix(BLUE, BLACK, 0.35)
SLOT_LIGHT = mix(BLUE, WHITE, 0.30)
SHADOW = mix(BLUE, BLACK, 0.30)


def draw_slot(img, x, y, size):
    """An empty place on the board, sunken into the background."""
    d = ImageDraw.Draw(img)
    far = size - 1
    d.rectangle([x, y, x + far, y + far], fill=SLOT_FACE)
    d.line([(x, y + far), (x + far, y + far)], fill=SLOT_LIGHT)
    d.line([(x + far, y), (x + far, y + far)], fill=SLOT_LIGHT)
    d.line([(x, y), (x + far - 1, y)], fill=SLOT_DARK)
    d.line([(x, y), (x, y + far - 1)], fill=SLOT_DARK)


def column_x(i):
    row_width = len(TITLE) * TILE + (len(TITLE) - 1) * GAP
    return (SPLASH_SIZE[0] - row_width) // 2 + i * (TILE + GAP)


def draw_ornament(img, ink_box):
    """Thin rules either side of the subtitle, each ending in a small diamond."""
    d = ImageDraw.Draw(img)
    y = SUBTITLE_Y
    left_end = ink_box[0] - 12
    right_start = ink_box[2] + 12
    for x0, x1 in ((column_x(0), left_end), (right_start, column_x(7) + TILE - 1)):
        d.line([(x0 + 4, y), (x1 - 4, y)], fill=WHITE)
        for cx in (x0 + 2, x1 - 2):
            d.polygon([(cx - 2, y), (cx, y - 2), (cx + 2, y), (cx, y + 2)], fill=WHITE)


def splash_frames():
    """The start-up animation, one RGB image per frame (300 ms each).

    The scrambled name waits in the upper row; its tiles jump down one by
    one (two frames each: in flight, landed) to spell the name in the lower
    row; then the subtitle fades in and the last frame adds its rules.
    """
    tile_font = load_font(SERIF_BOLD, 28)
    sub_font = load_font(SANS_BOLD, 22)
    states = [(0, None, 0.0, False)]  # (tiles landed, tile in flight, subtitle, rules)
    for k in range(len(TITLE)):
        states.append((k, k, 0.0, False))
        states.append((k + 1, None, 0.0, False))
    states += [(8, None, 1 / 3, False), (8, None, 2 / 3, False),
               (8, None, 1.0, False), (8, None, 1.0, True)]
    assert len(states) == SPLASH_FRAMES

    frames, ink_boxes = [], []
    for landed, flying, subtitle, rules in states:
        img = Image.new("RGB", SPLASH_SIZE, BLUE)
        gone = {SCRAMBLE.index(c) for c in TITLE[:landed]}
        if flying is not None:
            gone.add(SCRAMBLE.index(TITLE[flying]))
        boxes = []
        for i, letter in enumerate(SCRAMBLE):
            if i in gone:
                draw_slot(img, column_x(i), UPPER_Y, TILE)
            else:
                boxes.append(draw_tile(img, column_x(i), UPPER_Y, TILE, START, letter, tile_font))
        for i, letter in enumerate(TITLE):
            if i < landed:
                boxes.append(draw_tile(img, column_x(i), LOWER_Y, TILE, DONE, letter, tile_font))
            else:
                draw_slot(img, column_x(i), LOWER_Y, TILE)
        if flying is not None:
            letter = TITLE[flying]
            x = (column_x(SCRAMBLE.index(letter)) + column_x(flying)) // 2
            y = (UPPER_Y + LOWER_Y) // 2
            ImageDraw.Draw(img).rectangle([x + 4, y + 5, x + TILE + 3, y + TILE + 4], fill=SHADOW)
            boxes.append(draw_tile(img, x, y, TILE, START, letter, tile_font))
        if subtitle:
            box = draw_text(img, (SPLASH_SIZE[0] / 2, SUBTITLE_Y), SUBTITLE, sub_font, WHITE, subtitle)
            boxes.append(box)
            if rules:
                draw_ornament(img, box)
        frames.append(img)
        ink_boxes.append(boxes)
    return frames, ink_boxes


def emblem():
    """50 x 50: one finished M tile, lifted off the blue by its shadow."""
    img = Image.new("RGB", (50, 50), BLUE)
    ImageDraw.Draw(img).rectangle([7, 7, 46, 46], fill=SHADOW)
    draw_tile(img, 3, 3, 40, DONE, "M", load_font(SERIF_BOLD, 30))
    return img


def title_picture():
    """160 x 100: the scrambled row above, the solved name below, a subtitle."""
    img = Image.new("RGB", (160, 100), BLUE)
    size, gap = 18, 1
    x0 = (160 - (8 * size + 7 * gap)) // 2
    font = load_font(SERIF_BOLD, 14)
    for i, letter in enumerate(SCRAMBLE):
        draw_tile(img, x0 + i * (size + gap), 12, size, START, letter, font)
    for i, letter in enumerate(TITLE):
        draw_tile(img, x0 + i * (size + gap), 40, size, DONE, letter, font)
    draw_text(img, (80, 79), SUBTITLE, load_font(SANS_BOLD, 13), WHITE)
    return img


# ---------------------------------------------------------------- app icon
#
# The application icon for the desktop: a finished "M" tile in front of a
# starting tile, both on a piece of the blue board.  The PNGs are drawn
# pixel by pixel like the rest; the SVG repeats the 256 px layout in
# vector form, with the M taken from the font's own outline.

ICON_ID = "hu.morvalin.Morvalin"
ICON_SIZES = (48, 64, 128, 256)
SVG_SIZE = 256
SUPERSAMPLE = 4            # for the board's rounded corners only
BOARD_EDGE = mix(BLUE, BLACK, 0.35)
SHADE = 0.30               # a shadow darkens whatever it falls on this much


class IconLayout:
    """Where everything sits on an n x n icon, in whole pixels."""

    def __init__(self, n):
        self.n = n
        self.margin = round(n / 16)
        self.radius = round(n * 0.11)
        self.edge = max(1, round(n / 64))
        self.back = (round(n * 0.17), round(n * 0.15), round(n * 0.40))
        self.front = (round(n * 0.33), round(n * 0.31), round(n * 0.50))
        self.font_px = round(self.front[2] * 0.74)

    @staticmethod
    def bevel(size):
        return max(2, round(size * 3 / 38))

    @staticmethod
    def shadow(size):
        return max(2, round(size / 10))


def tile_bands(width):
    """Which of the three bevel shades each ring of a bevel gets.

    The game's tiles have one ring per shade; a larger tile gets wider
    bands of the same three shades, so it still reads as the same button.
    """
    return [i * 3 // width for i in range(width)]


def draw_big_tile(img, x, y, size, face, width):
    d = ImageDraw.Draw(img)
    d.rectangle([x, y, x + size - 1, y + size - 1], fill=face)
    light, dark = bevel_shades(face, 3)
    far = size - 1
    for i, band in enumerate(tile_bands(width)):
        d.line([(x + i, y + far - i), (x + far - i, y + far - i)], fill=dark[band])
        d.line([(x + far - i, y + i), (x + far - i, y + far - i)], fill=dark[band])
        d.line([(x + i, y + i), (x + far - 1 - i, y + i)], fill=light[band])
        d.line([(x + i, y + i), (x + i, y + far - 1 - i)], fill=light[band])


def draw_shadow(img, x, y, size, offset):
    """Darkens the square under a tile, moved down and right by `offset`."""
    box = (x + offset, y + offset, x + offset + size, y + offset + size)
    region = img.crop(box)
    region = Image.eval(region, lambda v: round(v * (1 - SHADE)))
    img.paste(region, box[:2])


def rounded_mask(n, inset, radius):
    big = Image.new("L", (n * SUPERSAMPLE, n * SUPERSAMPLE), 0)
    s = SUPERSAMPLE
    ImageDraw.Draw(big).rounded_rectangle(
        [inset * s, inset * s, (n - inset) * s - 1, (n - inset) * s - 1],
        radius=radius * s, fill=255)
    return big.resize((n, n), Image.BOX)


def app_icon(n):
    """One n x n RGBA icon; returns the image and the M's ink box."""
    lay = IconLayout(n)
    img = Image.new("RGB", (n, n), BLUE)
    outer = rounded_mask(n, lay.margin, lay.radius)
    inner = rounded_mask(n, lay.margin + lay.edge, max(0, lay.radius - lay.edge))
    ring = ImageChops.subtract(outer, inner)
    img.paste(BOARD_EDGE, (0, 0, n, n), ring)

    bx, by, bs = lay.back
    draw_shadow(img, bx, by, bs, lay.shadow(bs))
    draw_big_tile(img, bx, by, bs, START, lay.bevel(bs))
    fx, fy, fs = lay.front
    draw_shadow(img, fx, fy, fs, lay.shadow(fs))
    draw_big_tile(img, fx, fy, fs, DONE, lay.bevel(fs))
    ink = draw_text(img, (fx + fs / 2, fy + fs / 2), "M", load_font(SERIF_BOLD, lay.font_px), INK)

    img = img.convert("RGBA")
    img.putalpha(outer)
    return img, ink


def glyph_outline(path, ch):
    """The glyph's outline as SVG path data in font units, and its ink box."""
    from fontTools.pens.boundsPen import BoundsPen
    from fontTools.pens.svgPathPen import SVGPathPen
    from fontTools.ttLib import TTFont
    font = TTFont(path)
    glyphs = font.getGlyphSet()
    name = font.getBestCmap()[ord(ch)]
    pen = SVGPathPen(glyphs)
    glyphs[name].draw(pen)
    bounds = BoundsPen(glyphs)
    glyphs[name].draw(bounds)
    return pen.getCommands(), bounds.bounds, font["head"].unitsPerEm


def num(v):
    return f"{round(v, 6):g}"


def hex_colour(c):
    return "#%02x%02x%02x" % c


def svg_polygon(points, colour):
    pts = " ".join(f"{num(x)},{num(y)}" for x, y in points)
    return f'<polygon points="{pts}" fill="{hex_colour(colour)}"/>'


def svg_tile(x, y, size, face, width, shadow):
    """The same tile as draw_big_tile: a face and three bands of bevel."""
    out = [f'<rect x="{x + shadow}" y="{y + shadow}" width="{size}" height="{size}" '
           f'fill="#000000" fill-opacity="{num(SHADE)}"/>',
           f'<rect x="{x}" y="{y}" width="{size}" height="{size}" fill="{hex_colour(face)}"/>']
    light, dark = bevel_shades(face, 3)
    bands = tile_bands(width)
    x1, y1 = x + size, y + size
    for band in sorted(set(bands)):
        a = bands.index(band)
        b = a + bands.count(band)
        out.append(svg_polygon([(x + a, y + a), (x1 - a, y + a), (x1 - b, y + b), (x + b, y + b)], light[band]))
        out.append(svg_polygon([(x + a, y + a), (x + b, y + b), (x + b, y1 - b), (x + a, y1 - a)], light[band]))
        out.append(svg_polygon([(x + a, y1 - a), (x + b, y1 - b), (x1 - b, y1 - b), (x1 - a, y1 - a)], dark[band]))
        out.append(svg_polygon([(x1 - a, y + a), (x1 - a, y1 - a), (x1 - b, y1 - b), (x1 - b, y + b)], dark[band]))
    return out


def app_icon_svg():
    n = SVG_SIZE
    lay = IconLayout(n)
    m, e = lay.margin, lay.edge
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             f'<svg xmlns="http://www.w3.org/2000/svg" width="{n}" height="{n}" viewBox="0 0 {n} {n}">',
             '<title>Morvalin</title>',
             f'<rect x="{num(m + e / 2)}" y="{num(m + e / 2)}" width="{num(n - 2 * m - e)}" '
             f'height="{num(n - 2 * m - e)}" rx="{num(lay.radius - e / 2)}" '
             f'fill="{hex_colour(BLUE)}" stroke="{hex_colour(BOARD_EDGE)}" stroke-width="{e}"/>']
    for (x, y, s), face in ((lay.back, START), (lay.front, DONE)):
        lines += svg_tile(x, y, s, face, lay.bevel(s), lay.shadow(s))
    d, (x0, y0, x1, y1), upm = glyph_outline(SERIF_BOLD, "M")
    k = lay.font_px / upm
    fx, fy, fs = lay.front
    tx = fx + fs / 2 - (x0 + x1) / 2 * k
    ty = fy + fs / 2 + (y0 + y1) / 2 * k
    # Font units grow upwards, SVG units downwards: flip y.
    lines.append(f'<path transform="matrix({num(k)} 0 0 {num(-k)} {num(tx)} {num(ty)})" '
                 f'd="{d}" fill="{hex_colour(INK)}"/>')
    lines.append('</svg>')
    return "\n".join(lines) + "\n"


def save_png(img, path):
    # No text or time chunks: the same pixels give the same bytes.
    img.save(path, format="PNG", optimize=False, compress_level=9)


# The pointing hand, index finger up: '#' outline, '-' white, '.' clear.
HAND = """
......##..........
.....#--#.........
.....#--#.........
.....#--#.........
.....#--#.........
.....#--#.........
.....#--###.......
.....#--#--###....
.....#--#--#--###.
.....#--#--#--#--#
.....#--#--#--#--#
.##..#--#--#--#--#
#--#.#--#--#--#--#
#---##-----------#
.#---------------#
.#---------------#
..#--------------#
..#--------------#
...#------------#.
...#------------#.
....#-----------#.
....#-----------#.
....#############.
"""
HAND_ORIGIN = (1, 0)       # where the drawing sits inside the 32 x 32 cursor
HOTSPOT = (HAND_ORIGIN[0] + 6, HAND_ORIGIN[1] + 0)   # top of the fingertip
CURSOR_SIZE = 32


def hand_pixels():
    """32 x 32 rows of RGBA tuples."""
    clear = (0, 0, 0, 0)
    px = [[clear] * CURSOR_SIZE for _ in range(CURSOR_SIZE)]
    for y, row in enumerate(HAND.strip("\n").split("\n")):
        for x, c in enumerate(row):
            if c in "#-":
                px[HAND_ORIGIN[1] + y][HAND_ORIGIN[0] + x] = \
                    (0, 0, 0, 255) if c == "#" else (255, 255, 255, 255)
    return px


def cursor_bytes(px, hotspot):
    """A Windows .cur: ICONDIR (type 2), one entry, 32-bit DIB + AND mask."""
    n = len(px)
    xor = bytearray()
    and_mask = bytearray()
    mask_stride = ((n + 31) // 32) * 4
    for row in reversed(px):  # DIB rows go bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    # The DIB height counts the XOR and AND images together, hence 2 * n.
    dib = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                      len(xor) + len(and_mask), 0, 0, 0, 0) + xor + and_mask
    head = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0,
                        hotspot[0], hotspot[1], len(dib), 6 + 16)
    return head + entry + dib


def parse_cursor(data):
    """Reads back what cursor_bytes wrote; used by the self-check."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    w, h, colours, _, hx, hy, size, offset = struct.unpack_from("<BBBBHHII", data, 6)
    (hdr, dw, dh, planes, bpp, comp, img_size, _, _, _, _) = \
        struct.unpack_from("<IiiHHIIiiII", data, offset)
    info = dict(reserved=reserved, type=kind, count=count, width=w, height=h,
                hotspot=(hx, hy), size=size, offset=offset, dib_header=hdr,
                dib_width=dw, dib_height=dh, planes=planes, bpp=bpp,
                compression=comp, image_size=img_size)
    n = dw
    base = offset + hdr
    stride = ((n + 31) // 32) * 4
    mask_base = base + n * n * 4
    px = []
    for y in range(n):
        src = n - 1 - y
        row = []
        for x in range(n):
            b, g, r, a = data[base + (src * n + x) * 4: base + (src * n + x) * 4 + 4]
            clear = data[mask_base + src * stride + x // 8] & (0x80 >> (x % 8))
            row.append((r, g, b, a, bool(clear)))
        px.append(row)
    return info, px


def save_gif(img, path):
    """Stores an RGB image as a GIF losslessly: one palette entry per colour."""
    counts = img.getcolors(256)
    if counts is None:
        raise SystemExit(f"{path}: more than 256 colours, would need quantising")
    # Most used first, ties by value: a stable order for byte-identical output.
    palette = [c for _, c in sorted(counts, key=lambda t: (-t[0], t[1]))]
    index = {c: i for i, c in enumerate(palette)}
    out = Image.new("P", img.size)
    out.putdata([index[c] for c in img.getdata()])
    flat = [v for c in palette for v in c]
    out.putpalette(flat)
    out.save(path, format="GIF", optimize=False)


def save_jpeg(img, path):
    # 4:4:4 sampling keeps the thin red/yellow bevels from bleeding.
    img.save(path, format="JPEG", quality=95, subsampling=0, optimize=False)


def outputs(root):
    frames = [os.path.join(root, "src/startup/images/splash1.gif")]
    frames += [os.path.join(root, f"assets/splash{i}.gif") for i in range(2, SPLASH_FRAMES + 1)]
    return dict(frames=frames,
                emblem=os.path.join(root, "src/startup/images/emblem.jpg"),
                title=os.path.join(root, "src/startup/images/title.jpg"),
                cursor=os.path.join(root, "assets/hand.cur"),
                icons={n: os.path.join(root, f"dist/icons/hicolor/{n}x{n}/apps/{ICON_ID}.png")
                       for n in ICON_SIZES},
                svg=os.path.join(root, f"dist/icons/hicolor/scalable/apps/{ICON_ID}.svg"))


# ---------------------------------------------------------------- checks

def check(cond, what):
    if not cond:
        raise SystemExit(f"self-check failed: {what}")


def check_glyphs():
    """Every character we print must have a real glyph, not the empty box."""
    for path, text in ((SERIF_BOLD, TITLE), (SANS_BOLD, SUBTITLE)):  # the icon's M is in TITLE
        font = load_font(path, 40)

        def ink(ch):
            im = Image.new("L", (80, 80), 0)
            ImageDraw.Draw(im).text((10, 10), ch, font=font, fill=255)
            return im.tobytes()
        missing = ink("\uffff")
        for ch in sorted(set(text) - {" "}):
            check(ink(ch) != missing, f"{os.path.basename(path)} lacks {ch!r}")


def check_splash(paths, frames, ink_boxes):
    check(len(paths) == SPLASH_FRAMES, "21 frames")
    w, h = SPLASH_SIZE
    for n, (path, drawn, boxes) in enumerate(zip(paths, frames, ink_boxes), 1):
        with Image.open(path) as im:
            check(im.format == "GIF" and im.size == SPLASH_SIZE, f"{path} is a {w}x{h} GIF")
            check(getattr(im, "n_frames", 1) == 1, f"{path} holds a single image")
            back = im.convert("RGB")
        check(back.tobytes() == drawn.tobytes(), f"{path} stored losslessly")
        colours = {c for _, c in back.getcolors(256)}
        check(BLUE in colours, f"frame {n} has the exact background blue")
        for box in boxes:
            check(box and box[0] > 0 and box[1] > 0 and box[2] < w and box[3] < h,
                  f"frame {n}: text clipped at the edge ({box})")
    first = {c for _, c in frames[0].getcolors(256)}
    last = {c for _, c in frames[-1].getcolors(256)}
    check(START in first and DONE not in first, "first frame: only starting tiles")
    check(DONE in last and START not in last, "last frame: only finished tiles")
    check(SCRAMBLE != TITLE and sorted(SCRAMBLE) == sorted(TITLE), "scramble is an anagram")
    check(all(a != b for a, b in zip(SCRAMBLE, TITLE)), "no tile starts in place")


def check_jpeg(path, size, probes):
    with Image.open(path) as im:
        check(im.format == "JPEG" and im.size == size and im.mode == "RGB",
              f"{path} is a {size[0]}x{size[1]} RGB JPEG")
        for xy, want in probes:
            got = im.getpixel(xy)
            check(max(abs(a - b) for a, b in zip(got, want)) <= 8,
                  f"{path} at {xy}: {got}, expected about {want}")


def check_cursor(path, px):
    with open(path, "rb") as f:
        data = f.read()
    info, back = parse_cursor(data)
    check((info["reserved"], info["type"], info["count"]) == (0, 2, 1), "CUR directory header")
    check((info["width"], info["height"]) == (32, 32), "cursor entry is 32x32")
    check(struct.unpack_from("<HH", data, 10) == HOTSPOT, "hotspot at bytes 10-13")
    check((info["dib_width"], info["dib_height"], info["bpp"]) == (32, 64, 32),
          "DIB is 32 wide, 64 high (XOR + AND), 32 bpp")
    check(info["offset"] + info["size"] == len(data), "entry size covers the file")
    check(info["image_size"] == 32 * 32 * 4 + 32 * 4, "DIB image size")
    for y in range(32):
        for x in range(32):
            r, g, b, a, clear = back[y][x]
            check((r, g, b, a) == px[y][x] and clear == (a == 0), f"cursor pixel {x},{y}")
    hx, hy = HOTSPOT
    check(px[hy][hx][3] == 255 and (hy == 0 or px[hy - 1][hx][3] == 0),
          "hotspot sits on the fingertip")
    check(min(y for y in range(32) if any(p[3] for p in px[y])) == hy,
          "nothing of the hand reaches above the fingertip")
    with Image.open(path) as im:
        check(im.format == "CUR" and im.size == (32, 32), "Pillow reads the cursor")


def check_icon(path, n, drawn, ink):
    lay = IconLayout(n)
    with Image.open(path) as im:
        check(im.format == "PNG" and im.size == (n, n) and im.mode == "RGBA",
              f"{path} is an {n}x{n} RGBA PNG")
        back = im.copy()
    check(back.tobytes() == drawn.tobytes(), f"{path} read back as drawn")
    for xy in ((0, 0), (n - 1, 0), (0, n - 1), (n - 1, n - 1)):
        check(back.getpixel(xy)[3] == 0, f"{path}: corner {xy} is clear")
    edge = lay.margin + lay.edge
    check(back.getpixel((edge + 1, n // 2)) == BLUE + (255,), f"{path}: board blue")
    bx, by, bs = lay.back
    fx, fy, fs = lay.front
    bb, fb = lay.bevel(bs), lay.bevel(fs)
    check(back.getpixel((bx + bb + 1, by + bb + 1)) == START + (255,), f"{path}: starting tile face")
    check(back.getpixel((fx + fb + 1, fy + fs - fb - 2)) == DONE + (255,), f"{path}: finished tile face")
    check(ink and ink[0] > fx + fb and ink[1] > fy + fb and ink[2] < fx + fs - fb and ink[3] < fy + fs - fb,
          f"{path}: the M stays inside the tile's face ({ink})")


def check_svg(path):
    import xml.etree.ElementTree as ET
    root = ET.parse(path).getroot()
    ns = "{http://www.w3.org/2000/svg}"
    check(root.tag == ns + "svg" and root.get("viewBox") == f"0 0 {SVG_SIZE} {SVG_SIZE}",
          f"{path} is an SVG with a {SVG_SIZE} unit square view box")
    fills = {e.get("fill") for e in root.iter()}
    for c in (BLUE, START, DONE, INK):
        check(hex_colour(c) in fills, f"{path} uses {hex_colour(c)}")
    check(len(root.findall(ns + "path")) == 1, f"{path}: the M is one path")


# ---------------------------------------------------------------- previews

def write_icon_preview(folder, icons):
    """Every icon at its own size on a light and a dark panel, and the two
    smallest enlarged four times."""
    pad = 8
    width = pad + sum(n + pad for n in ICON_SIZES)
    height = 2 * (max(ICON_SIZES) + pad) + pad
    sheet = Image.new("RGBA", (width, height), (235, 235, 235, 255))
    ImageDraw.Draw(sheet).rectangle([0, height // 2, width, height], fill=(48, 48, 48, 255))
    x = pad
    for n in ICON_SIZES:
        for row in range(2):
            y = pad + row * (max(ICON_SIZES) + pad)
            sheet.alpha_composite(icons[n], (x, y))
        x += n + pad
    sheet.convert("RGB").save(os.path.join(folder, "icons.png"))
    for n in ICON_SIZES[:2]:
        big = Image.new("RGBA", (n, n), (235, 235, 235, 255))
        big.alpha_composite(icons[n])
        big.convert("RGB").resize((4 * n, 4 * n), Image.NEAREST).save(
            os.path.join(folder, f"icon-{n}-4x.png"))


def write_previews(folder, frames, emblem_path, title_path, px, icons):
    os.makedirs(folder, exist_ok=True)
    write_icon_preview(folder, icons)
    w, h = SPLASH_SIZE
    cols, pad = 3, 8
    rows = (len(frames) + cols - 1) // cols
    sheet = Image.new("RGB", (cols * (w + pad) + pad, rows * (h + pad + 14) + pad), (40, 40, 40))
    d = ImageDraw.Draw(sheet)
    label = load_font(SANS_BOLD, 11)
    for n, fr in enumerate(frames):
        x = pad + (n % cols) * (w + pad)
        y = pad + (n // cols) * (h + pad + 14)
        d.text((x, y), f"frame {n + 1}", font=label, fill=WHITE)
        sheet.paste(fr, (x, y + 14))
    sheet.save(os.path.join(folder, "splash-sheet.png"))
    frames[-1].resize((w * 2, h * 2), Image.NEAREST).save(os.path.join(folder, "splash-final-2x.png"))
    with Image.open(emblem_path) as im:
        im.convert("RGB").resize((200, 200), Image.NEAREST).save(os.path.join(folder, "emblem-4x.png"))
    with Image.open(title_path) as im:
        im.convert("RGB").resize((480, 300), Image.NEAREST).save(os.path.join(folder, "title-3x.png"))
    cur = Image.new("RGB", (2 * 32 * 8 + 8, 32 * 8))
    for i, back in enumerate((BLUE, (235, 235, 235))):
        tile = Image.new("RGB", (32, 32), back)
        for y in range(32):
            for x in range(32):
                if px[y][x][3]:
                    tile.putpixel((x, y), px[y][x][:3])
        if i == 1:
            tile.putpixel(HOTSPOT, (255, 0, 0))  # mark the hotspot on the light copy
        cur.paste(tile.resize((256, 256), Image.NEAREST), (i * (256 + 8), 0))
    cur.save(os.path.join(folder, "cursor-8x.png"))


# ---------------------------------------------------------------- main

def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--root", required=True, help="repository root")
    ap.add_argument("--preview", help="folder for enlarged PNG previews (keep it outside the repository)")
    args = ap.parse_args()
    root = os.path.abspath(args.root)
    out = outputs(root)

    check_glyphs()
    for p in (os.path.dirname(out["frames"][0]), os.path.dirname(out["cursor"])):
        os.makedirs(p, exist_ok=True)

    frames, ink_boxes = splash_frames()
    for img, path in zip(frames, out["frames"]):
        save_gif(img, path)
    save_jpeg(emblem(), out["emblem"])
    save_jpeg(title_picture(), out["title"])
    px = hand_pixels()
    with open(out["cursor"], "wb") as f:
        f.write(cursor_bytes(px, HOTSPOT))

    check_splash(out["frames"], frames, ink_boxes)
    check_jpeg(out["emblem"], (50, 50), [((10, 38), DONE), ((1, 48), BLUE)])
    check_jpeg(out["title"], (160, 100), [((5, 96), BLUE)])
    check_cursor(out["cursor"], px)

    icons = {}
    for n, path in out["icons"].items():
        os.makedirs(os.path.dirname(path), exist_ok=True)
        icons[n], ink = app_icon(n)
        save_png(icons[n], path)
        check_icon(path, n, icons[n], ink)
    os.makedirs(os.path.dirname(out["svg"]), exist_ok=True)
    with open(out["svg"], "w", encoding="utf-8", newline="\n") as f:
        f.write(app_icon_svg())
    check_svg(out["svg"])

    written = out["frames"] + [out["emblem"], out["title"], out["cursor"]]
    written += list(out["icons"].values()) + [out["svg"]]
    for path in written:
        with open(path, "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()[:16]
        print(f"{digest}  {os.path.getsize(path):6d}  {os.path.relpath(path, root)}")
    print(f"hotspot {HOTSPOT[0]},{HOTSPOT[1]}; self-check passed")

    if args.preview:
        write_previews(args.preview, frames, out["emblem"], out["title"], px, icons)
        print(f"previews in {args.preview}")


if __name__ == "__main__":
    sys.exit(main())
