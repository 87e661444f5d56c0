"""Art that gives each of the six board screens its world: the painted
background (800 x 600, with depth: sky, far ridges in haze, near ground,
light), the cell tiles, the board frame and the three panels.

Geometry the pictures are composed around (logical coordinates, origin at
the screen centre, y up): cells at x = c * 44 - 350, y = 257 - r * 44; the
time gauge at (380, 0); the score bar "scoregui" at (0, 253); the spell
panel "sortgui" at (246, -270); the menu button at MENU_POS.
"""
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import artkit

S = artkit.SUPERSAMPLE
SCREEN = (800, 600)
CELL = 44
FRAME_TILE = 52           # a frame piece: one cell and 4 pixels around it
FRAME_OVERLAP = 4         # pixels a frame band reaches into the playable cell
FRAME_BAND = 14           # band width from its inner edge, outline included

# Panel pictures and where the level puts them.
SCORE_SIZE = (480, 96)    # the visible bar is the top 66 rows
SCORE_BAR_ROWS = 66
SPELL_SIZE = (312, 72)
MENU_SIZE = (120, 44)
MENU_POS = (322, 274)
SPELL_SOCKET_Y = 26       # picture row of the spell icons (10 above the centre)
SPELL_SLOT_Y = 54         # picture row of the charge gauges (18 below)

# Per world: frame band colours (light, dark, trim), the backfill and
# blocker tiles, panel faces, and the plain cell's tint (RGBA).
WORLD_STYLE = [
    {"frame": ((214, 160, 96), (116, 70, 34), (250, 220, 140)), "fill": ((236, 196, 120), (176, 124, 64)),
     "block": ((176, 170, 160), (96, 92, 90)), "panel": ((96, 170, 70), (40, 96, 40)), "cell": (20, 50, 30, 95)},
    {"frame": ((240, 206, 148), (170, 116, 64), (255, 240, 200)), "fill": ((250, 186, 96), (200, 120, 50)),
     "block": ((196, 150, 110), (120, 80, 50)), "panel": ((226, 140, 70), (150, 76, 30)), "cell": (90, 50, 20, 80)},
    {"frame": ((244, 236, 222), (120, 170, 184), (255, 200, 190)), "fill": ((110, 220, 210), (30, 140, 160)),
     "block": ((140, 160, 190), (60, 80, 120)), "panel": ((40, 140, 180), (16, 70, 120)), "cell": (5, 30, 60, 100)},
    {"frame": ((150, 104, 60), (62, 40, 24), (250, 200, 70)), "fill": ((200, 176, 80), (120, 100, 30)),
     "block": ((120, 130, 110), (60, 66, 56)), "panel": ((70, 110, 56), (26, 54, 30)), "cell": (10, 30, 15, 110)},
    {"frame": ((200, 222, 250), (60, 90, 160), (255, 255, 255)), "fill": ((170, 210, 250), (90, 140, 220)),
     "block": ((200, 210, 230), (110, 120, 150)), "panel": ((110, 150, 220), (50, 80, 160)), "cell": (30, 50, 90, 80)},
    {"frame": ((120, 96, 96), (42, 30, 36), (255, 130, 40)), "fill": ((150, 80, 70), (70, 30, 34)),
     "block": ((110, 100, 110), (50, 44, 56)), "panel": ((130, 40, 40), (60, 16, 30)), "cell": (15, 5, 15, 120)},
]


def cell_centre(c, r):
    """Screen pixel of a cell's centre."""
    return 400 + c * 44 - 350, 300 - (257 - r * 44)


# ---- cell tiles ---------------------------------------------------------------

def _plate(light, dark, bevel=True):
    """A bevelled square tile, 44 x 44 (drawn at 4x)."""
    s = CELL * S
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((S, S, s - S, s - S), 6 * S, fill=artkit.INK + (255,))
    face = artkit.vertical_gradient((s, s), light, dark)
    m = Image.new("L", (s, s), 0)
    ImageDraw.Draw(m).rounded_rectangle((3 * S, 3 * S, s - 3 * S, s - 3 * S), 5 * S, fill=255)
    img.paste(face, (0, 0), m)
    if bevel:
        d.line((5 * S, 4 * S, s - 6 * S, 4 * S), fill=artkit.lerp(light, (255, 255, 255), 0.6) + (255,), width=S * 2)
        d.line((4 * S, 5 * S, 4 * S, s - 6 * S), fill=artkit.lerp(light, (255, 255, 255), 0.4) + (255,), width=S * 2)
    return img, d


def backfill_tile(style, world):
    light, dark = style["fill"]
    img, d = _plate(light, dark)
    s = CELL * S
    mark = artkit.lerp(light, (255, 255, 255), 0.45) + (170,)
    deep = artkit.lerp(dark, artkit.INK, 0.25) + (150,)
    c = s / 2
    if world == 0:      # a four-petal flower
        for k in range(4):
            a = math.pi / 2 * k + math.pi / 4
            x, y = c + math.cos(a) * s * 0.14, c + math.sin(a) * s * 0.14
            d.ellipse((x - s * 0.11, y - s * 0.11, x + s * 0.11, y + s * 0.11), fill=mark)
        d.ellipse((c - s * 0.07, c - s * 0.07, c + s * 0.07, c + s * 0.07), fill=artkit.GOLD + (230,))
    elif world == 1:    # sandstone with a sun glyph
        d.ellipse((c - s * 0.13, c - s * 0.13, c + s * 0.13, c + s * 0.13), outline=deep, width=3 * S)
        for k in range(8):
            a = math.pi / 4 * k
            d.line((c + math.cos(a) * s * 0.19, c + math.sin(a) * s * 0.19, c + math.cos(a) * s * 0.3,
                    c + math.sin(a) * s * 0.3), fill=deep, width=2 * S)
    elif world == 2:    # a shell spiral of waves
        for k in range(3):
            y = s * (0.32 + 0.18 * k)
            d.arc((s * 0.15, y - s * 0.1, s * 0.5, y + s * 0.1), 180, 360, fill=mark, width=2 * S)
            d.arc((s * 0.5, y - s * 0.1, s * 0.85, y + s * 0.1), 180, 360, fill=mark, width=2 * S)
    elif world == 3:    # a leaf
        d.polygon([(c, s * 0.18), (s * 0.74, c), (c, s * 0.82), (s * 0.26, c)], fill=deep)
        d.line((c, s * 0.22, c, s * 0.78), fill=mark, width=2 * S)
    elif world == 4:    # a snow crystal
        for k in range(3):
            a = math.pi / 3 * k
            d.line((c - math.cos(a) * s * 0.3, c - math.sin(a) * s * 0.3, c + math.cos(a) * s * 0.3,
                    c + math.sin(a) * s * 0.3), fill=(255, 255, 255, 190), width=2 * S)
    else:               # basalt with glowing cracks
        glow = (255, 150, 50, 230)
        d.line((s * 0.2, s * 0.3, s * 0.45, s * 0.5, s * 0.4, s * 0.75), fill=glow, width=3 * S)
        d.line((s * 0.45, s * 0.5, s * 0.78, s * 0.42), fill=glow, width=3 * S)
        d.line((s * 0.2, s * 0.3, s * 0.45, s * 0.5, s * 0.4, s * 0.75), fill=(255, 230, 140, 255), width=S)
    return img.resize((CELL, CELL), Image.LANCZOS)


def blocker_tile(style, world):
    light, dark = style["block"]
    img, d = _plate(light, dark)
    s = CELL * S
    # A heavier inner frame and four rivets.
    d.rounded_rectangle((8 * S, 8 * S, s - 9 * S, s - 9 * S), 3 * S, outline=artkit.INK + (200,), width=2 * S)
    inner = artkit.vertical_gradient((s - 20 * S, s - 20 * S), artkit.lerp(light, (255, 255, 255), 0.2),
                                     artkit.lerp(dark, light, 0.3))
    img.paste(inner, (10 * S, 10 * S))
    fill_light, fill_dark = style["fill"]
    d.rectangle((15 * S, 15 * S, s - 16 * S, s - 16 * S), fill=artkit.lerp(fill_dark, artkit.INK, 0.2) + (255,))
    d.line((15 * S, 15 * S, s - 16 * S, s - 16 * S), fill=fill_light + (255,), width=2 * S)
    d.line((s - 16 * S, 15 * S, 15 * S, s - 16 * S), fill=fill_light + (255,), width=2 * S)
    for x, y in ((7, 7), (s // S - 8, 7), (7, s // S - 8), (s // S - 8, s // S - 8)):
        d.ellipse(((x - 2.5) * S, (y - 2.5) * S, (x + 2.5) * S, (y + 2.5) * S), fill=artkit.GOLD + (255,),
                  outline=artkit.INK + (255,), width=S)
    del world
    return img.resize((CELL, CELL), Image.LANCZOS)


def clear_tiles(style):
    """"backclear" and its four shaded forms: a recessed cell that lets the
    background through, with the shadow cast by raised neighbours above
    ("t"), to the left ("l"), both ("tl") or only up-left ("ct")."""
    tint = style["cell"]
    base = Image.new("RGBA", (CELL, CELL), tint)
    d = ImageDraw.Draw(base)
    d.rectangle((0, 0, CELL - 1, CELL - 1), outline=tint[:3] + (min(255, tint[3] + 40),))
    d.line((1, CELL - 1, CELL - 1, CELL - 1), fill=(255, 255, 255, 40))
    d.line((CELL - 1, 1, CELL - 1, CELL - 1), fill=(255, 255, 255, 40))
    tiles = {}
    for name, top, left, corner in (("backclear", 0, 0, 0), ("backclearct", 0, 0, 1), ("backcleart", 1, 0, 0),
                                    ("backclearl", 0, 1, 0), ("backcleartl", 1, 1, 0)):
        shade = Image.new("L", (CELL, CELL), 0)
        sd = ImageDraw.Draw(shade)
        for k in range(8):
            a = int(110 * (1 - k / 8) ** 1.5)
            if top:
                sd.line((0, k, CELL, k), fill=max(a, 0))
            if left:
                for y in range(CELL):
                    if shade.getpixel((k, y)) < a:
                        shade.putpixel((k, y), a)
        if corner:
            sd.pieslice((-10, -10, 10, 10), 0, 90, fill=90)
            shade = shade.filter(ImageFilter.GaussianBlur(2))
        tile = base.copy()
        tile.alpha_composite(Image.merge("RGBA", [Image.new("L", (CELL, CELL), 0)] * 3 + [shade]))
        tiles[name] = tile
    return tiles


# ---- frame -------------------------------------------------------------------------

# Which region of a frame piece holds band and how far each pixel is from
# the band's inner edge (t, 0 at the playable side): in cell pixels, 0..44,
# y down. Straight bands span their cell along the band; outer corners are
# quarter rounds about the cell's corner; inner corners are mitred.
FRAME_PIECES = ["bright", "bleft", "bbottom", "btop", "bbottomright", "bbottomleft", "btopright", "btopleft",
                "binnertopleft", "binnertopright", "binnerbottomleft", "binnerbottomright"]


def _band_t(name, x, y):
    o = FRAME_OVERLAP
    far = CELL + o
    if name == "bright":
        return x + o if 0 <= y <= CELL else None
    if name == "bleft":
        return far - x if 0 <= y <= CELL else None
    if name == "bbottom":
        return y + o if 0 <= x <= CELL else None
    if name == "btop":
        return far - y if 0 <= x <= CELL else None
    corners = {"bbottomright": (0, 0), "bbottomleft": (CELL, 0), "btopright": (0, CELL), "btopleft": (CELL, CELL)}
    if name in corners:
        cx, cy = corners[name]
        if (x - cx) * (1 if cx == 0 else -1) < 0 or (y - cy) * (1 if cy == 0 else -1) < 0:
            return None
        return o + math.hypot(x - cx, y - cy)
    inner = {"binnertopleft": (1, 1), "binnertopright": (-1, 1), "binnerbottomleft": (1, -1),
             "binnerbottomright": (-1, -1)}
    sx, sy = inner[name]
    tx = x + o if sx > 0 else far - x
    ty = y + o if sy > 0 else far - y
    if tx > FRAME_BAND + 0.5 or ty > FRAME_BAND + 0.5:
        return None
    return min(tx, ty)


def _band_colour(t, light, dark, trim):
    """The band's look across its width: dark seam at the board, trim line,
    bevelled face, dark outline."""
    if t < 1.5:
        return artkit.INK + (230,)
    if t < 3.2:
        return trim + (255,)
    if t < 4.2:
        return artkit.lerp(dark, artkit.INK, 0.4) + (255,)
    if t < FRAME_BAND - 2:
        u = (t - 4.2) / (FRAME_BAND - 6.2)
        c = artkit.lerp(artkit.lerp(light, (255, 255, 255), 0.25), dark, u ** 0.8) if u > 0.15 else \
            artkit.lerp(light, (255, 255, 255), 0.25 + (0.15 - u) * 2)
        return c + (255,)
    if t <= FRAME_BAND:
        return artkit.INK + (255,)
    return None


def frame_piece(name, style):
    light, dark, trim = style["frame"]
    k = 3
    size = FRAME_TILE * k
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    px = img.load()
    for j in range(size):
        y = j / k - FRAME_OVERLAP + 0.5 / k
        for i in range(size):
            x = i / k - FRAME_OVERLAP + 0.5 / k
            t = _band_t(name, x, y)
            if t is None:
                continue
            c = _band_colour(t, light, dark, trim)
            if c:
                px[i, j] = c
    return img.resize((FRAME_TILE, FRAME_TILE), Image.BOX)


# ---- panels ----------------------------------------------------------------------

def _text_plate(size):
    w, h = size
    return artkit.panel(size, (24, 18, 40), (52, 42, 76), radius=h // 2, border=artkit.GOLD_DARK, border_width=2)


def score_panel(style):
    """"scoregui": the score bar across the top; dark plates under the score
    (from x 215 on screen) and the level text (from x 420), both on screen
    row 33."""
    w, h = SCORE_SIZE
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    top, bottom = style["panel"]
    bar = artkit.panel((w - 8, SCORE_BAR_ROWS - 4), artkit.lerp(top, (255, 255, 255), 0.15), bottom, radius=18)
    shadow = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    shadow.paste((0, 0, 0, 110), (8, 8, w - 8, SCORE_BAR_ROWS + 2))
    img.alpha_composite(shadow.filter(ImageFilter.GaussianBlur(4)))
    img.alpha_composite(bar, (4, 2))
    # Screen row 33 is picture row 33 - (47 - 48) = 34; screen x 215 is
    # picture x 215 - 160 = 55.
    img.alpha_composite(_text_plate((186, 28)), (44, 20))
    img.alpha_composite(_text_plate((208, 28)), (250, 20))
    d = ImageDraw.Draw(img)
    # Gold rivets at both ends of the bar.
    for x in (22, w - 22):
        d.ellipse((x - 5, 29, x + 5, 39), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
        d.point((x - 2, 31), fill=(255, 255, 230, 255))
    d.line((30, SCORE_BAR_ROWS - 8, w - 30, SCORE_BAR_ROWS - 8), fill=artkit.GOLD + (120,))
    return img


SPELL_COLOURS = [((120, 170, 255), (30, 60, 170)), ((255, 150, 80), (170, 50, 20)), ((190, 240, 255), (60, 140, 210)),
                 ((250, 210, 110), (150, 100, 30)), ((250, 250, 140), (150, 150, 30)), ((150, 150, 160), (50, 50, 60))]


def _spell_icon(d, i, cx, cy, r):
    """The picture of spell i in its socket (4x coordinates)."""
    ink = artkit.INK + (255,)
    white = (255, 255, 255, 255)
    if i == 0:      # storm: a bolt
        pts = [(-0.2, -0.8), (0.35, -0.8), (0.05, -0.15), (0.4, -0.15), (-0.25, 0.85), (-0.05, 0.1), (-0.4, 0.1)]
        d.polygon([(cx + x * r, cy + y * r) for x, y in pts], fill=(255, 240, 120, 255), outline=ink)
    elif i == 1:    # chain burn: a link in flames
        d.polygon([(cx - r * 0.6, cy + r * 0.6), (cx - r * 0.3, cy - r * 0.6), (cx, cy - r * 0.1),
                   (cx + r * 0.2, cy - r * 0.85), (cx + r * 0.6, cy + r * 0.6)], fill=(255, 200, 60, 255))
        d.ellipse((cx - r * 0.5, cy - r * 0.1, cx + r * 0.5, cy + r * 0.55), outline=ink, width=int(r * 0.28))
        d.ellipse((cx - r * 0.5, cy - r * 0.1, cx + r * 0.5, cy + r * 0.55), outline=(220, 225, 235, 255),
                  width=int(r * 0.14))
    elif i == 2:    # freeze: a snow crystal
        for k in range(3):
            a = math.pi / 3 * k + math.pi / 2
            d.line((cx - math.cos(a) * r * 0.8, cy - math.sin(a) * r * 0.8, cx + math.cos(a) * r * 0.8,
                    cy + math.sin(a) * r * 0.8), fill=white, width=int(r * 0.16))
        d.ellipse((cx - r * 0.2, cy - r * 0.2, cx + r * 0.2, cy + r * 0.2), fill=white)
    elif i == 3:    # cage storm: a cage and a spark
        for k in range(4):
            x = cx - r * 0.5 + k * r * 0.33
            d.line((x, cy - r * 0.6, x, cy + r * 0.6), fill=ink, width=int(r * 0.14))
        d.line((cx - r * 0.6, cy - r * 0.6, cx + r * 0.6, cy - r * 0.6), fill=ink, width=int(r * 0.18))
        d.line((cx - r * 0.6, cy + r * 0.6, cx + r * 0.6, cy + r * 0.6), fill=ink, width=int(r * 0.18))
        d.polygon(artkit.shape_points("star", cx + r * 0.35, cy - r * 0.35, r * 0.45), fill=(255, 250, 200, 255))
    elif i == 4:    # electric: a crackling orb
        d.ellipse((cx - r * 0.55, cy - r * 0.55, cx + r * 0.55, cy + r * 0.55), fill=(200, 240, 255, 255),
                  outline=ink, width=int(r * 0.1))
        for k in range(6):
            a = math.pi / 3 * k
            d.line((cx + math.cos(a) * r * 0.55, cy + math.sin(a) * r * 0.55, cx + math.cos(a + 0.3) * r * 0.85,
                    cy + math.sin(a + 0.3) * r * 0.85), fill=white, width=int(r * 0.1))
    else:           # falling bomb
        d.ellipse((cx - r * 0.58, cy - r * 0.4, cx + r * 0.58, cy + r * 0.76), fill=(40, 40, 50, 255), outline=ink)
        d.ellipse((cx - r * 0.35, cy - r * 0.2, cx - r * 0.1, cy + r * 0.05), fill=(160, 160, 180, 255))
        d.line((cx + r * 0.2, cy - r * 0.35, cx + r * 0.45, cy - r * 0.75), fill=(200, 160, 100, 255),
               width=int(r * 0.12))
        d.polygon(artkit.shape_points("star", cx + r * 0.5, cy - r * 0.8, r * 0.3), fill=(255, 200, 60, 255))


def spell_panel(style):
    """"sortgui": six spell sockets on the top row, the charge slots below;
    the panel's body covers it all. Socket i sits at picture x
    32 + 48.6 i (the gauges' places, 124 - 48.6 i left of the centre)."""
    w, h = SPELL_SIZE
    top, bottom = style["panel"]
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img.alpha_composite(artkit.panel((w - 6, h - 2), artkit.lerp(top, (255, 255, 255), 0.15), bottom, radius=16),
                        (3, 1))
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    for i in range(6):
        cx, cy, r = (w / 2 - 124 + 48.6 * i) * S, SPELL_SOCKET_Y * S, 17 * S
        light, dark = SPELL_COLOURS[i]
        d.ellipse((cx - r - 2 * S, cy - r - 2 * S, cx + r + 2 * S, cy + r + 2 * S), fill=artkit.INK + (255,))
        m = Image.new("L", big.size, 0)
        ImageDraw.Draw(m).ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
        big.paste(artkit.vertical_gradient(big.size, light, dark), (0, 0), m)
        _spell_icon(d, i, cx, cy, r * 0.8)
        d.arc((cx - r * 0.8, cy - r * 0.85, cx + r * 0.6, cy + r * 0.4), 200, 290, fill=(255, 255, 255, 160),
              width=2 * S)
    img.alpha_composite(big.resize((w, h), Image.LANCZOS))
    return img


def menu_button(style):
    """"btnmenu": a round-ended button; the game writes "menu" on it."""
    w, h = MENU_SIZE
    top, bottom = style["panel"]
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    img.alpha_composite(artkit.panel((w - 4, h - 4), artkit.lerp(top, (255, 255, 255), 0.3), bottom, radius=18),
                        (2, 2))
    d = ImageDraw.Draw(img)
    d.line((20, 7, w - 20, 7), fill=(255, 255, 255, 110), width=2)
    return img


# ---- backgrounds ---------------------------------------------------------------------

def _ridge(rnd, base, amp, rough, width=800, step=8):
    """A jagged skyline by midpoint displacement: [(x, y)] across the screen."""
    n = 1
    ys = [base + rnd.uniform(-amp, amp), base + rnd.uniform(-amp, amp)]
    span = amp
    while width / n > step:
        new = []
        for a, b in zip(ys, ys[1:]):
            new += [a, (a + b) / 2 + rnd.uniform(-span, span)]
        new.append(ys[-1])
        ys = new
        n *= 2
        span *= rough
    return [(width * k / (len(ys) - 1), y) for k, y in enumerate(ys)]


def _fill_below(img, points, top, bottom, alpha=255):
    """Fills the area under a skyline with a vertical gradient."""
    w, h = img.size
    m = Image.new("L", img.size, 0)
    ImageDraw.Draw(m).polygon(points + [(w, h), (0, h)], fill=alpha)
    y0 = int(min(y for _x, y in points))
    grad = Image.new("RGBA", img.size, top + (255,))
    grad.paste(artkit.vertical_gradient((w, max(1, h - y0)), top, bottom), (0, max(0, y0)))
    img.paste(grad, (0, 0), m)


def _glow(img, centre, radius, colour, strength=200):
    w, h = img.size
    m = Image.new("L", img.size, 0)
    cx, cy = centre
    ImageDraw.Draw(m).ellipse((cx - radius, cy - radius, cx + radius, cy + radius), fill=strength)
    m = m.filter(ImageFilter.GaussianBlur(radius / 2.2))
    img.paste(Image.new("RGBA", img.size, colour + (255,)), (0, 0), m)


def _clouds(img, rnd, count, y_range, colour, alpha=170):
    layer = Image.new("L", img.size, 0)
    d = ImageDraw.Draw(layer)
    for _ in range(count):
        cx, cy = rnd.uniform(-50, 850), rnd.uniform(*y_range)
        for _k in range(6):
            rx, ry = rnd.uniform(30, 70), rnd.uniform(14, 30)
            x, y = cx + rnd.uniform(-60, 60), cy + rnd.uniform(-10, 10)
            d.ellipse((x - rx, y - ry, x + rx, y + ry), fill=alpha)
    layer = layer.filter(ImageFilter.GaussianBlur(9))
    img.paste(Image.new("RGBA", img.size, colour + (255,)), (0, 0), layer)


def _rays(img, origin, colour, count, spread, alpha=60, seed=1):
    rnd = random.Random(seed)
    layer = Image.new("L", img.size, 0)
    d = ImageDraw.Draw(layer)
    ox, oy = origin
    for _ in range(count):
        a = math.radians(90 + rnd.uniform(-spread, spread))
        wdt = math.radians(rnd.uniform(1.5, 4))
        far = 1100
        d.polygon([(ox, oy), (ox + math.cos(a - wdt) * far, oy + math.sin(a - wdt) * far),
                   (ox + math.cos(a + wdt) * far, oy + math.sin(a + wdt) * far)], fill=alpha)
    layer = layer.filter(ImageFilter.GaussianBlur(12))
    img.paste(Image.new("RGBA", img.size, colour + (255,)), (0, 0), layer)


def _haze(c, sky, depth):
    return artkit.lerp(c, sky, depth)


def _round_tree(img, x, y, size, leaf, trunk, light_dir=-1):
    """A round-crowned tree lit from the upper left: trunk, dark crown,
    lighter lumps toward the light."""
    d = ImageDraw.Draw(img)
    d.polygon([(x - size * 0.07, y), (x - size * 0.04, y - size * 0.6), (x + size * 0.04, y - size * 0.6),
               (x + size * 0.08, y)], fill=trunk + (255,))
    dark = artkit.lerp(leaf, (10, 30, 10), 0.35)
    lit = artkit.lerp(leaf, (255, 255, 200), 0.25)
    lumps = [(0, -0.9, 0.42), (-0.32, -0.7, 0.32), (0.32, -0.7, 0.32), (-0.15, -1.15, 0.3), (0.2, -1.1, 0.28)]
    for dx, dy, r in lumps:
        d.ellipse((x + dx * size - r * size, y + dy * size - r * size, x + dx * size + r * size,
                   y + dy * size + r * size), fill=dark + (255,))
    for dx, dy, r in lumps:
        ox, oy = light_dir * r * size * 0.18, -r * size * 0.2
        rr = r * 0.72
        d.ellipse((x + dx * size - rr * size + ox, y + dy * size - rr * size + oy, x + dx * size + rr * size + ox,
                   y + dy * size + rr * size + oy), fill=leaf + (255,))
    for dx, dy, r in lumps[:3]:
        rr = r * 0.35
        cx, cy = x + dx * size - r * size * 0.3, y + dy * size - r * size * 0.35
        d.ellipse((cx - rr * size, cy - rr * size, cx + rr * size, cy + rr * size), fill=lit + (255,))


def _pine(d, x, y, size, colour, lit=None):
    for k in range(4):
        w = size * (0.42 - k * 0.08)
        top = y - size * (0.45 + k * 0.28)
        d.polygon([(x, top - size * 0.34), (x + w, top + size * 0.22), (x - w, top + size * 0.22)], fill=colour)
        if lit:
            d.polygon([(x, top - size * 0.34), (x - w, top + size * 0.22), (x - w * 0.35, top + size * 0.18)],
                      fill=lit)
    d.rectangle((x - size * 0.05, y - size * 0.3, x + size * 0.05, y), fill=colour)


def _peaks(img, rnd, base, count, height, width, lit, shade, snow=None, haze=0.0, sky=(0, 0, 0)):
    """A range of faceted peaks lit from the left: each a triangle with a
    jagged lit face, a shaded face and an optional snow cap."""
    d = ImageDraw.Draw(img)
    lit, shade = _haze(lit, sky, haze), _haze(shade, sky, haze)
    xs = sorted(rnd.uniform(-60, 860) for _ in range(count))
    for x in xs:
        h = height * rnd.uniform(0.6, 1.0)
        w = width * rnd.uniform(0.7, 1.2)
        top = (x + rnd.uniform(-w * 0.1, w * 0.1), base - h)
        left, right = (x - w, base + 2), (x + w, base + 2)
        mid = (top[0] + rnd.uniform(-w * 0.15, w * 0.1), base + 2)
        d.polygon([left, top, mid], fill=lit + (255,))
        d.polygon([mid, top, right], fill=shade + (255,))
        # Ridge lines down the shaded face.
        for k in range(3):
            t = rnd.uniform(0.3, 0.8)
            d.line((top[0] + (right[0] - top[0]) * t * 0.3, top[1] + (base - top[1]) * t * 0.3,
                    top[0] + (right[0] - top[0]) * t, base), fill=artkit.lerp(shade, lit, 0.25) + (255,), width=1)
        if snow:
            cap = 0.3
            sl = (top[0] + (left[0] - top[0]) * cap, top[1] + (left[1] - top[1]) * cap)
            sr = (top[0] + (right[0] - top[0]) * cap, top[1] + (right[1] - top[1]) * cap)
            sm = (top[0] + (mid[0] - top[0]) * cap, top[1] + (mid[1] - top[1]) * cap)
            jag = [sl]
            for k in range(1, 6):
                t = k / 6
                jag.append((sl[0] + (sr[0] - sl[0]) * t, sl[1] + (sr[1] - sl[1]) * t + rnd.uniform(0, h * 0.08)))
            d.polygon([top] + jag[:3] + [sm], fill=_haze(snow, sky, haze) + (255,))
            d.polygon([top, sm] + jag[3:] + [sr], fill=_haze(artkit.lerp(snow, shade, 0.35), sky, haze) + (255,))


def _grass_tufts(d, rnd, y0, y1, colour, count):
    for _ in range(count):
        x, y = rnd.uniform(0, 800), rnd.uniform(y0, y1)
        for k in range(3):
            d.line((x, y, x + rnd.uniform(-5, 5), y - rnd.uniform(7, 16)), fill=colour + (255,), width=1)


def _meadow(img, rnd, mood):
    sky = mood["top"]
    _glow(img, (620, 110), 130, (255, 250, 215), 230)
    _clouds(img, rnd, 7, (30, 190), (255, 255, 255), 200)
    _peaks(img, rnd, 300, 9, 120, 120, (200, 210, 235), (120, 135, 180), snow=(250, 250, 255), haze=0.45, sky=sky)
    _fill_below(img, _ridge(rnd, 320, 25, 0.5), (150, 200, 120), (110, 170, 90))
    for _ in range(16):
        _round_tree(img, rnd.uniform(0, 800), rnd.uniform(332, 350), rnd.uniform(20, 28),
                    _haze((80, 150, 70), sky, 0.35), _haze((90, 70, 50), sky, 0.35))
    _fill_below(img, _ridge(rnd, 400, 30, 0.45, step=16), (130, 200, 90), (80, 150, 60))
    for _ in range(10):
        _round_tree(img, rnd.uniform(0, 800), rnd.uniform(420, 450), rnd.uniform(40, 60), (70, 150, 60), (90, 64, 40))
    # A winding path toward the hills.
    path = Image.new("L", img.size, 0)
    pd = ImageDraw.Draw(path)
    pd.polygon([(360, 600), (470, 600), (430, 520), (470, 460), (420, 405), (408, 405), (440, 462), (390, 522)],
               fill=220)
    img.paste(Image.new("RGBA", img.size, (225, 200, 150, 255)), (0, 0), path.filter(ImageFilter.GaussianBlur(2)))
    _fill_below(img, _ridge(rnd, 530, 14, 0.4, step=16), (90, 170, 60), (50, 120, 40))
    d = ImageDraw.Draw(img)
    _grass_tufts(d, rnd, 520, 600, (50, 120, 40), 260)
    for _ in range(170):
        x, y = rnd.uniform(0, 800), rnd.uniform(540, 600)
        c = rnd.choice([(255, 240, 120), (255, 160, 190), (255, 255, 255), (200, 160, 255)])
        d.ellipse((x - 2.2, y - 2.2, x + 2.2, y + 2.2), fill=c + (255,))
        d.point((x, y), fill=(255, 220, 80, 255))
    # Big framing trees at both edges, nearest of all.
    _round_tree(img, 10, 640, 190, (60, 140, 55), (80, 56, 36), light_dir=-1)
    _round_tree(img, 800, 650, 170, (55, 130, 50), (80, 56, 36), light_dir=-1)


def _dunes(img, rnd, base, amp, period, lit, shade):
    ph = rnd.uniform(0, 6)
    pts = [(x, base + math.sin(x / period + ph) * amp + math.sin(x / 47 + ph) * amp * 0.25)
           for x in range(0, 801, 6)]
    _fill_below(img, pts, lit, artkit.lerp(lit, shade, 0.6))
    # Lee sides: where the crest falls to the right the sand is in a soft
    # shadow that fades down the slope, inside this dune only.
    region = Image.new("L", img.size, 0)
    ImageDraw.Draw(region).polygon(pts + [(800, 600), (0, 600)], fill=255)
    lee = Image.new("L", img.size, 0)
    ld = ImageDraw.Draw(lee)
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if y1 > y0:
            ld.polygon([(x0, y0), (x1, y1), (x1 + amp, y1 + amp * 2.2), (x0 + amp, y0 + amp * 2.2)], fill=150)
    lee = ImageChops.multiply(lee.filter(ImageFilter.GaussianBlur(amp * 0.5)), region)
    img.paste(Image.new("RGBA", img.size, shade + (255,)), (0, 0), lee)
    ImageDraw.Draw(img).line(pts, fill=artkit.lerp(lit, (255, 255, 255), 0.4) + (255,), width=2)


def _palm(d, x, y, h, lean, trunk, leaf):
    """A palm: a curved ringed trunk and drooping fronds with leaflets."""
    pts = [(x + lean * h * (k / 8) ** 2, y - h * k / 8) for k in range(9)]
    for k, (a, b) in enumerate(zip(pts, pts[1:])):
        w = int(h * 0.07 * (1 - k / 12))
        d.line((a, b), fill=trunk + (255,), width=w)
        d.line((a[0] - w / 2, a[1], a[0] + w / 2, a[1] - 2), fill=artkit.lerp(trunk, (0, 0, 0), 0.3) + (255,),
               width=2)
    tx, ty = pts[-1]
    dark = artkit.lerp(leaf, (0, 0, 0), 0.3)
    for k in range(8):
        a = math.radians(-175 + k * 24)
        length = h * (0.42 if 1 <= k <= 6 else 0.34)
        frond = []
        for j in range(9):
            t = j / 8
            frond.append((tx + math.cos(a) * length * t, ty + math.sin(a) * length * t + h * 0.22 * t * t))
        for j, (fx, fy) in enumerate(frond[1:], 1):
            px, py = frond[j - 1]
            dx, dy = fx - px, fy - py
            n = math.hypot(dx, dy) or 1
            nx, ny = -dy / n, dx / n
            blade = h * 0.09 * (1 - j / 10)
            for side in (-1, 1):
                d.line((fx, fy, fx + side * nx * blade - dx * 0.6, fy + side * ny * blade - dy * 0.6 + blade * 0.4),
                       fill=(leaf if side < 0 else dark) + (255,), width=3)
        d.line(frond, fill=dark + (255,), width=3, joint="curve")
    d.ellipse((tx - h * 0.035, ty - h * 0.02, tx + h * 0.035, ty + h * 0.05), fill=(110, 70, 40, 255))


def _desert(img, rnd, mood):
    sky = mood["top"]
    _glow(img, (400, 235), 190, (255, 245, 205), 240)
    d = ImageDraw.Draw(img)
    d.ellipse((352, 187, 448, 283), fill=(255, 250, 228, 255))
    _clouds(img, rnd, 3, (60, 140), (255, 232, 205), 120)
    far = _haze((205, 125, 95), sky, 0.5)
    d = ImageDraw.Draw(img)
    for _ in range(5):
        x, w, h = rnd.uniform(0, 800), rnd.uniform(60, 140), rnd.uniform(40, 80)
        d.polygon([(x - w, 332), (x - w * 0.7, 332 - h), (x + w * 0.7, 332 - h), (x + w, 332)], fill=far + (255,))
        d.line((x - w * 0.7, 332 - h, x + w * 0.7, 332 - h), fill=_haze((240, 170, 120), sky, 0.5) + (255,), width=2)
    for x, sz in ((150, 95), (262, 62), (660, 118)):
        lit, shade = _haze((232, 172, 104), sky, 0.25), _haze((168, 104, 66), sky, 0.25)
        d.polygon([(x - sz, 342), (x, 342 - sz * 0.92), (x + sz * 0.15, 342)], fill=lit + (255,))
        d.polygon([(x, 342 - sz * 0.92), (x + sz, 342), (x + sz * 0.15, 342)], fill=shade + (255,))
        for k in range(1, 8):
            t = k / 8
            y = 342 - sz * 0.92 * (1 - t)
            d.line((x - sz * t, y, x + sz * 0.15 * t, y), fill=artkit.lerp(lit, shade, 0.3) + (255,), width=1)
    _dunes(img, rnd, 365, 14, 110, (246, 196, 128), (214, 150, 90))
    _dunes(img, rnd, 440, 20, 95, (246, 184, 108), (205, 132, 74))
    _dunes(img, rnd, 530, 26, 80, (238, 166, 90), (186, 108, 58))
    d = ImageDraw.Draw(img)
    for _ in range(25):
        x, y = rnd.uniform(0, 800), rnd.uniform(545, 600)
        r = rnd.uniform(3, 9)
        d.ellipse((x - r, y - r * 0.6, x + r, y + r * 0.6), fill=(150, 100, 70, 255))
        d.ellipse((x - r * 0.7, y - r * 0.6, x + r * 0.2, y), fill=(200, 150, 110, 255))
    # An oasis palm at the left edge, a saguaro at the right.
    _palm(d, 30, 600, 260, 0.35, (120, 80, 50), (60, 120, 50))
    _palm(d, 62, 600, 190, -0.25, (110, 72, 44), (70, 135, 55))
    x = 772
    for box, r in (((x - 12, 420, x + 12, 600), 12), ((x - 44, 470, x - 28, 530), 8),
                   ((x - 44, 520, x - 8, 534), 7), ((x + 26, 450, x + 42, 500), 8), ((x + 8, 494, x + 42, 508), 7)):
        d.rounded_rectangle(box, r, fill=(50, 105, 60, 255))
        d.rounded_rectangle((box[0] + 2, box[1] + 2, (box[0] + box[2]) / 2, box[3] - 2), r,
                            fill=(80, 140, 80, 255))


def _lagoon(img, rnd, mood):
    _rays(img, (400, -200), (200, 255, 255), 18, 35, alpha=70, seed=rnd.randint(0, 999))
    for k, (base, colour) in enumerate(((380, (40, 120, 150)), (450, (30, 100, 130)), (530, (20, 80, 110)))):
        _fill_below(img, _ridge(rnd, base, 30 - k * 5, 0.55), colour, artkit.lerp(colour, (10, 40, 70), 0.5))
        d = ImageDraw.Draw(img)
        for _ in range(8 + k * 4):
            x = rnd.uniform(0, 800)
            y = base + rnd.uniform(-10, 30)
            h = rnd.uniform(30, 60) * (1 + k * 0.5)
            c = artkit.lerp(rnd.choice([(230, 110, 120), (250, 170, 90), (170, 110, 210), (60, 170, 120)]),
                            (30, 100, 140), 0.6 - k * 0.25)
            if rnd.random() < 0.5:
                for j in range(4):
                    a = math.radians(rnd.uniform(-40, 40) - 90)
                    d.line((x, y, x + math.cos(a) * h * 0.6, y + math.sin(a) * h), fill=c + (255,),
                           width=int(4 + k * 2))
                    d.ellipse((x + math.cos(a) * h * 0.6 - 5 - k * 2, y + math.sin(a) * h - 5 - k * 2,
                               x + math.cos(a) * h * 0.6 + 5 + k * 2, y + math.sin(a) * h + 5 + k * 2), fill=c + (255,))
            else:
                pts = [(x + math.sin(j * 0.8) * 8, y - h * j / 6) for j in range(7)]
                d.line(pts, fill=artkit.lerp((60, 160, 90), (30, 100, 140), 0.5 - k * 0.2) + (255,),
                       width=int(5 + k * 2), joint="curve")
        if k == 0:
            # A far shoal of fish.
            for _ in range(14):
                fx, fy = 560 + rnd.uniform(-80, 80), 250 + rnd.uniform(-40, 40)
                d.polygon([(fx, fy), (fx + 9, fy - 3), (fx + 12, fy), (fx + 9, fy + 3)], fill=(30, 90, 130, 255))
                d.polygon([(fx + 12, fy), (fx + 16, fy - 3), (fx + 16, fy + 3)], fill=(30, 90, 130, 255))
    d = ImageDraw.Draw(img)
    # Kelp at both edges, in front of everything.
    for x0 in (14, 40, 764, 790):
        pts = [(x0 + math.sin(j * 0.7 + x0) * 10, 600 - j * 32) for j in range(13)]
        d.line(pts, fill=(40, 130, 80, 255), width=9, joint="curve")
        for j, (x, y) in enumerate(pts[1:], 1):
            side = 1 if j % 2 else -1
            d.ellipse((x + side * 4 - 9, y - 5, x + side * 4 + 9, y + 5), fill=(60, 160, 90, 255))
    for _ in range(40):
        x, y, r = rnd.uniform(0, 800), rnd.uniform(0, 600), rnd.uniform(2, 7)
        d.ellipse((x - r, y - r, x + r, y + r), outline=(220, 255, 255, 150), width=1)
        d.ellipse((x - r * 0.5, y - r * 0.6, x - r * 0.1, y - r * 0.2), fill=(255, 255, 255, 180))
    for _ in range(30):
        x, y = rnd.uniform(0, 800), rnd.uniform(540, 600)
        d.ellipse((x - 12, y - 3, x + 12, y + 3), fill=(150, 230, 230, 90))


def _trunk(img, x, width, colour):
    d = ImageDraw.Draw(img)
    d.rectangle((x - width / 2, 0, x + width / 2, 600), fill=colour + (255,))
    d.rectangle((x - width / 2, 0, x - width / 6, 600), fill=artkit.lerp(colour, (255, 220, 150), 0.18) + (255,))
    rnd = random.Random(int(x))
    for _ in range(14):
        y = rnd.uniform(0, 600)
        d.line((x - width * 0.4, y, x + width * 0.3, y + rnd.uniform(-6, 6)),
               fill=artkit.lerp(colour, (0, 0, 0), 0.35) + (255,), width=2)


def _forest(img, rnd, mood):
    sky = (200, 225, 170)
    _glow(img, (560, 150), 160, (255, 235, 160), 220)
    layers = [(250, 34, 0.7), (330, 46, 0.5), (420, 60, 0.3), (520, 80, 0.12)]
    for k, (base, size, haze) in enumerate(layers):
        col = _haze((28, 66, 38), sky, haze)
        lit = _haze((60, 110, 50), sky, haze)
        d = ImageDraw.Draw(img)
        x = rnd.uniform(-20, 0)
        while x < 820:
            _pine(d, x, base + rnd.uniform(-6, 14), size * rnd.uniform(0.8, 1.35), col + (255,), lit + (255,))
            x += size * rnd.uniform(0.35, 0.7)
        _fill_below(img, [(0, base + 8), (800, base + 8)], col, artkit.lerp(col, (10, 20, 10), 0.4))
        if k < 3:
            fog = Image.new("L", img.size, 0)
            ImageDraw.Draw(fog).rectangle((0, base - 10, 800, base + 30), fill=90)
            img.paste(Image.new("RGBA", img.size, sky + (255,)), (0, 0), fog.filter(ImageFilter.GaussianBlur(14)))
        if k == 1:
            _rays(img, (560, 110), (255, 235, 160), 10, 30, alpha=60, seed=rnd.randint(0, 999))
    _trunk(img, 22, 46, (70, 48, 32))
    _trunk(img, 786, 40, (64, 44, 30))
    d = ImageDraw.Draw(img)
    # Ferns and mushrooms on the forest floor.
    for _ in range(30):
        x, y = rnd.uniform(0, 800), rnd.uniform(560, 605)
        for k in range(5):
            a = math.radians(-160 + k * 35)
            d.line((x, y, x + math.cos(a) * 26, y + math.sin(a) * 20), fill=(50, 110, 50, 255), width=3)
    for x in (70, 120, 730):
        y = 590
        d.rectangle((x - 3, y - 14, x + 3, y), fill=(240, 230, 210, 255))
        d.pieslice((x - 13, y - 26, x + 13, y - 4), 180, 360, fill=(200, 50, 40, 255))
        d.ellipse((x - 6, y - 22, x - 2, y - 18), fill=(255, 255, 255, 255))
    for _ in range(45):
        x, y = rnd.uniform(0, 800), rnd.uniform(250, 600)
        d.ellipse((x - 3, y - 3, x + 3, y + 3), fill=(255, 240, 140, 120))
        d.ellipse((x - 1.2, y - 1.2, x + 1.2, y + 1.2), fill=(255, 255, 220, 255))


def _glacier(img, rnd, mood):
    sky = mood["top"]
    layer = Image.new("L", img.size, 0)
    ad = ImageDraw.Draw(layer)
    for k, colour in enumerate(((160, 255, 220), (190, 160, 255))):
        layer = Image.new("L", img.size, 0)
        ad = ImageDraw.Draw(layer)
        pts = [(x, 80 + k * 40 + math.sin(x / 90 + k) * 30 + math.sin(x / 37) * 10) for x in range(0, 801, 10)]
        ad.line(pts, fill=180 - k * 60, width=36, joint="curve")
        img.paste(Image.new("RGBA", img.size, colour + (255,)), (0, 0), layer.filter(ImageFilter.GaussianBlur(16)))
    _peaks(img, rnd, 330, 8, 190, 130, (235, 242, 255), (150, 170, 220), snow=(255, 255, 255), haze=0.5, sky=sky)
    _peaks(img, rnd, 400, 7, 150, 110, (240, 246, 255), (120, 150, 210), snow=(255, 255, 255), haze=0.2, sky=sky)
    _fill_below(img, _ridge(rnd, 440, 10, 0.4, step=16), (225, 238, 252), (190, 212, 240))
    d = ImageDraw.Draw(img)
    # A frozen lake with reflections and cracks.
    d.ellipse((120, 470, 680, 560), fill=(170, 205, 240, 255))
    d.ellipse((160, 480, 640, 548), fill=(190, 222, 250, 255))
    for _ in range(10):
        x, y = rnd.uniform(180, 620), rnd.uniform(488, 540)
        d.line((x, y, x + rnd.uniform(-40, 40), y + rnd.uniform(-6, 6)), fill=(250, 255, 255, 255), width=1)
    _fill_below(img, _ridge(rnd, 565, 10, 0.4, step=16), (250, 252, 255), (215, 228, 248))
    # Ice spires framing both edges.
    for x0, side in ((0, 1), (800, -1)):
        for k in range(4):
            x = x0 + side * (10 + k * 17)
            h = 330 - k * 60 + rnd.uniform(-20, 20)
            w = 20 - k * 3
            d.polygon([(x - w, 600), (x, 600 - h), (x + w, 600)], fill=(200, 225, 255, 255))
            d.polygon([(x, 600 - h), (x + w * side, 600), (x, 600)], fill=(140, 180, 235, 255))
            d.line((x - w * 0.3 * side, 600 - h * 0.8, x - w * 0.5 * side, 600), fill=(255, 255, 255, 255), width=2)
    for _ in range(130):
        x, y, r = rnd.uniform(0, 800), rnd.uniform(0, 600), rnd.uniform(1, 2.6)
        d.ellipse((x - r, y - r, x + r, y + r), fill=(255, 255, 255, 220))


def _volcano(img, rnd, mood):
    d = ImageDraw.Draw(img)
    for _ in range(90):
        x, y = rnd.uniform(0, 800), rnd.uniform(0, 260)
        d.point((x, y), fill=(255, 230, 230, 200))
    _glow(img, (420, 240), 230, (255, 90, 30), 160)
    _peaks(img, rnd, 330, 7, 90, 120, (90, 40, 50), (50, 22, 34), haze=0.35, sky=(120, 40, 40))
    cone = [(80, 600), (330, 210), (380, 200), (430, 200), (480, 212), (760, 600)]
    d = ImageDraw.Draw(img)
    d.polygon(cone, fill=(66, 32, 42, 255))
    d.polygon([(405, 200), (480, 212), (760, 600), (520, 600)], fill=(46, 22, 32, 255))
    for k, (x0, dx) in enumerate(((380, -1), (430, 1), (405, 0.3))):
        pts = [(x0, 205)]
        x, y = x0, 205
        while y < 600:
            y += 20
            x += dx * 10 + rnd.uniform(-8, 8)
            pts.append((x, y))
        glow = Image.new("L", img.size, 0)
        ImageDraw.Draw(glow).line(pts, fill=200, width=14)
        img.paste(Image.new("RGBA", img.size, (255, 110, 30, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(6)))
        ImageDraw.Draw(img).line(pts, fill=(255, 200, 80, 255), width=3)
    _glow(img, (405, 190), 60, (255, 200, 90), 255)
    layer = Image.new("L", img.size, 0)
    sd = ImageDraw.Draw(layer)
    for k in range(14):
        x, y, r = 405 + k * 16 + rnd.uniform(-10, 10), 170 - k * 15, 20 + k * 6
        sd.ellipse((x - r, y - r, x + r, y + r), fill=170)
    img.paste(Image.new("RGBA", img.size, (80, 46, 66, 255)), (0, 0), layer.filter(ImageFilter.GaussianBlur(10)))
    _fill_below(img, _ridge(rnd, 470, 30, 0.55), (44, 22, 32), (26, 12, 20))
    # A lava river across the foreground.
    river = [(x, 540 + math.sin(x / 70) * 10) for x in range(0, 801, 10)]
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).line(river, fill=230, width=26)
    img.paste(Image.new("RGBA", img.size, (255, 100, 20, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(8)))
    ImageDraw.Draw(img).line(river, fill=(255, 190, 70, 255), width=8)
    _fill_below(img, [(x, y + 22 + rnd.uniform(-4, 4)) for x, y in river], (34, 16, 24), (15, 6, 12))
    d = ImageDraw.Draw(img)
    # Basalt crags framing both edges.
    for x0, side in ((0, 1), (800, -1)):
        pts = [(x0, 600), (x0, 200)]
        for k in range(1, 7):
            pts.append((x0 + side * (30 + rnd.uniform(0, 40)) * (1 if k % 2 else 0.6), 200 + k * 66))
        pts.append((x0 + side * 80, 600))
        d.polygon(pts, fill=(30, 14, 22, 255))
        d.line(pts[1:], fill=(120, 50, 40, 255), width=2)
    for _ in range(80):
        x, y = rnd.uniform(0, 800), rnd.uniform(100, 600)
        r = rnd.uniform(1, 2.5)
        d.ellipse((x - r, y - r, x + r, y + r), fill=(255, rnd.randint(120, 220), 60, 230))


PAINTERS = [_meadow, _desert, _lagoon, _forest, _glacier, _volcano]


def background(world):
    """The world's painted scene, 800 x 600, RGB."""
    mood = artkit.WORLD_MOODS[world]
    rnd = random.Random(1000 + world)
    img = artkit.vertical_gradient(SCREEN, mood["top"], mood["bottom"])
    PAINTERS[world](img, rnd, mood)
    # Vignette: darker corners and edges draw the eye to the board.
    v = Image.new("L", SCREEN, 0)
    ImageDraw.Draw(v).ellipse((-120, -100, 920, 700), fill=255)
    v = v.filter(ImageFilter.GaussianBlur(90))
    dark = Image.new("RGBA", SCREEN, (10, 6, 20, 255))
    img = Image.composite(img, dark, v.point(lambda p: 110 + p * 145 // 255))
    return img.convert("RGB")
