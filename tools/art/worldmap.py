"""The world map (scene 16): a painted map of the six regions joined by one
road with 66 level spots, the spot and arrow sprites, the interlude's black
bars, and the scene file "map.xml" itself, written from the same spot table
(_map_layout) so the road and the spots always agree."""
import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _map_layout as L  # noqa: E402
import _ui_paint as ui  # noqa: E402

S = artkit.SUPERSAMPLE
W, H = 800, 600
TEXTURE = (1024, 1024)

# Sprites of map/parts.png: name -> (x, y, w, h).
PARTS = {
    "spotoff": (0, 0, 24, 24), "spoton": (24, 0, 24, 24),
    "spotbigoff": (48, 0, 36, 36), "spotbigon": (84, 0, 36, 36),
    "maparrow": (120, 0, 44, 64),
    "mapbtnmenu": (0, 64, 104, 36), "mapbtnmenuover": (104, 64, 104, 36),
    "maparrowbtn": (0, 104, 160, 56), "maparrowbtnover": (0, 160, 160, 56),
    "mapcinema": (256, 0, 128, 128),
}
# The interlude's panel (left, bottom, right, top; level coordinates): the
# chapter's two lines at y 20 and -20 are written on it, and it covers the
# world names and spots under them.
INTERLUDE_PANEL = (-350, -46, 350, 46)
# Each bar's picture is centred on its resting place, BAR_REST above or below
# the middle: a black band BAR_BAND high at the screen's edge (stopping short
# of the world names at y 200, which stay whole), and half the panel reaching
# to the middle.
BAR_REST = 250
BAR_BAND = 84
SCREEN_EDGE = H // 2
BAR = (1024, 2 * BAR_REST)
FONT_16 = "fonts/cooper-font16.png"


# ---- the painting ------------------------------------------------------------
def _region_of(x, y):
    """World (0..5) of a level point, with wavy borders between regions."""
    wob = 14 * math.sin(x / 37.0) + 9 * math.sin(x / 13.0 + 1)
    top = y > 15 + wob
    wx = 12 * math.sin(y / 29.0) + 7 * math.sin(y / 11.0 + 2)
    if x < -135 + wx:
        return 0 if top else 5
    if x < 125 + wx:
        return 1 if top else 4
    return 2 if top else 3


def _masks():
    """Six soft masks (L, 800 x 600), one per region."""
    small = [Image.new("L", (W // 4, H // 4), 0) for _ in range(6)]
    px = [m.load() for m in small]
    for j in range(H // 4):
        for i in range(W // 4):
            x, y = i * 4 - W / 2 + 2, H / 2 - j * 4 - 2
            px[_region_of(x, y)][i, j] = 255
    return [m.resize((W, H), Image.BILINEAR).filter(ImageFilter.GaussianBlur(5)) for m in small]


def _ground(world):
    mood = artkit.WORLD_MOODS[world]
    grounds = [((150, 210, 110), (90, 170, 70)), ((246, 214, 150), (226, 176, 100)),
               ((70, 180, 200), (30, 110, 160)), ((70, 120, 60), (34, 76, 40)),
               ((236, 244, 252), (176, 200, 236)), ((96, 50, 64), (52, 24, 40))]
    top, bottom = grounds[world]
    img = artkit.vertical_gradient((W, H), top, bottom).convert("RGB")
    rnd = random.Random(world * 97 + 5)
    d = ImageDraw.Draw(img, "RGBA")          # on RGB, translucent fills blend
    # Soft blotches of light and shade give the ground some texture.
    for _ in range(140):
        x, y, r = rnd.uniform(0, W), rnd.uniform(0, H), rnd.uniform(10, 46)
        c = artkit.lerp(top, (255, 255, 255), 0.12) if rnd.random() < 0.5 else artkit.lerp(bottom, (0, 0, 0), 0.15)
        d.ellipse((x - r, y - r * 0.6, x + r, y + r * 0.6), fill=c + (34,))
    return img.filter(ImageFilter.GaussianBlur(3)).convert("RGBA"), mood


def _box_of(world):
    """Picture-space rectangle of a region, a little inset."""
    cols = [(0, 265), (265, 525), (525, 800)]
    if world < 3:
        x0, x1 = cols[world]
        return x0, 0, x1, 285
    x0, x1 = cols[5 - world]
    return x0, 285, x1, 600


def _tree(d, x, y, h, dark, light, kind="pine"):
    d.ellipse((x - h * 0.4, y - 3, x + h * 0.4, y + 4), fill=(0, 0, 0, 60))
    if kind == "pine":
        for k in range(3):
            top = y - h + k * h * 0.28
            wdt = h * (0.22 + 0.1 * k)
            d.polygon([(x, top), (x + wdt, top + h * 0.42), (x - wdt, top + h * 0.42)],
                      fill=artkit.lerp(dark, light, 0.15 * k) + (255,), outline=artkit.INK + (255,))
    else:
        d.rectangle((x - 1.5, y - h * 0.45, x + 1.5, y), fill=(110, 70, 40, 255))
        r = h * 0.36
        d.ellipse((x - r, y - h, x + r, y - h + 2 * r), fill=dark + (255,), outline=artkit.INK + (255,))
        d.ellipse((x - r * 0.6, y - h + r * 0.25, x, y - h + r), fill=light + (255,))


def _decorate(world, layer):
    """Region features drawn on a transparent layer (picture pixels)."""
    rnd = random.Random(world * 31 + 7)
    d = ImageDraw.Draw(layer, "RGBA")
    x0, y0, x1, y1 = _box_of(world)
    road = [L.to_image(p) for p in L.spots()]
    names = [L.to_image(p) for p in L.NAMES]

    def clear(x, y, margin=22):
        """Off the road, and off the world names the screen writes."""
        return (all(math.dist((x, y), p) > margin for p in road)
                and all(abs(x - nx) > 95 or not -10 < y - ny < 50 for nx, ny in names))

    def scatter(n, fn, margin=22):
        for _ in range(n * 4):
            if n <= 0:
                break
            x, y = rnd.uniform(x0 + 12, x1 - 12), rnd.uniform(y0 + 14, y1 - 10)
            if clear(x, y, margin):
                fn(x, y)
                n -= 1

    if world == 0:      # meadow: hills, round trees, flowers, a cottage
        for k in range(4):
            cx, cy = rnd.uniform(x0, x1), rnd.uniform(y0 + 60, y1)
            d.ellipse((cx - 120, cy - 40, cx + 120, cy + 60), fill=(170, 225, 120, 70))
        scatter(9, lambda x, y: _tree(d, x, y, 26, (50, 130, 50), (120, 200, 90), "round"))
        for _ in range(120):
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0 + 20, y1)
            c = rnd.choice([(255, 250, 250), (255, 220, 80), (250, 140, 170), (190, 160, 255)])
            d.ellipse((x - 1.6, y - 1.6, x + 1.6, y + 1.6), fill=c + (230,))
        hx, hy = L.to_image(L.ROADS[0][0])
        hx -= 2
        hy += 30
        d.rectangle((hx - 12, hy - 12, hx + 12, hy + 6), fill=(245, 230, 200, 255), outline=artkit.INK + (255,))
        d.polygon([(hx - 16, hy - 11), (hx, hy - 26), (hx + 16, hy - 11)], fill=(190, 70, 50, 255),
                  outline=artkit.INK + (255,))
        d.rectangle((hx - 3, hy - 4, hx + 3, hy + 6), fill=(110, 70, 40, 255))
    elif world == 1:    # desert: dune ridges, a pyramid, an oasis with palms
        for k in range(14):
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0 + 20, y1)
            d.arc((x - 60, y - 14, x + 60, y + 14), 200, 340, fill=(255, 236, 190, 170), width=3)
            d.arc((x - 60, y - 10, x + 60, y + 18), 200, 340, fill=(200, 140, 70, 110), width=2)
        px_, py_ = 400, 110
        d.polygon([(px_ - 40, py_ + 30), (px_, py_ - 14), (px_ + 40, py_ + 30)], fill=(236, 196, 120, 255),
                  outline=artkit.INK + (255,))
        d.polygon([(px_, py_ - 14), (px_ + 40, py_ + 30), (px_ + 8, py_ + 30)], fill=(200, 150, 80, 255))
        ox, oy = 345, 230
        d.ellipse((ox - 34, oy - 12, ox + 34, oy + 12), fill=(60, 170, 200, 255), outline=artkit.INK + (255,))
        for k, (tx, th) in enumerate(((ox - 30, 30), (ox + 28, 26), (ox + 6, 34))):
            d.line((tx, oy, tx + 4, oy - th), fill=(120, 80, 40, 255), width=3)
            for a in range(5):
                ang = math.radians(200 + a * 35)
                d.line((tx + 4, oy - th, tx + 4 + 14 * math.cos(ang), oy - th - 14 * math.sin(ang) + 6),
                       fill=(40, 140, 60, 255), width=3)
        scatter(6, lambda x, y: (d.line((x, y, x, y - 16), fill=(60, 140, 70, 255), width=4),
                                 d.line((x - 5, y - 8, x - 5, y - 13), fill=(60, 140, 70, 255), width=3)))
    elif world == 2:    # lagoon: wave marks, sandy islands with palms
        for _ in range(60):
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0 + 10, y1)
            d.arc((x - 8, y - 4, x + 8, y + 4), 200, 340, fill=(220, 250, 255, 150), width=2)
        for p in L.spots()[22:33:2]:
            ix, iy = L.to_image(p)
            d.ellipse((ix - 26, iy - 10, ix + 26, iy + 14), fill=(240, 220, 160, 255), outline=(200, 170, 110, 255))
        for p in ((180, 250), (300, 235), (760, 250)):
            d.ellipse((p[0] - 20, p[1] - 7, p[0] + 20, p[1] + 8), fill=(240, 220, 160, 255))
            d.line((p[0], p[1], p[0] + 3, p[1] - 22), fill=(120, 80, 40, 255), width=3)
            for a in range(5):
                ang = math.radians(200 + a * 35)
                d.line((p[0] + 3, p[1] - 22, p[0] + 3 + 12 * math.cos(ang), p[1] - 22 - 12 * math.sin(ang) + 5),
                       fill=(40, 150, 70, 255), width=3)
    elif world == 3:    # forest: dense pines, a moonlit clearing
        cx, cy = L.to_image((262, -150))
        d.ellipse((cx - 34, cy - 20, cx + 34, cy + 20), fill=(170, 210, 150, 120))
        scatter(46, lambda x, y: _tree(d, x, y, rnd.uniform(22, 34), (30, 90, 50), (70, 150, 80)), 20)
    elif world == 4:    # glacier: snow drifts, a frozen lake, ice peaks and cracks
        for _ in range(16):
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0 + 20, y1)
            d.ellipse((x - 40, y - 8, x + 40, y + 8), fill=(255, 255, 255, 120))
        lx, ly = L.to_image((-20, -210))
        d.ellipse((lx - 40, ly - 14, lx + 40, ly + 14), fill=(150, 200, 240, 255), outline=(90, 130, 200, 255))
        d.line((lx - 20, ly - 4, lx + 12, ly + 2), fill=(255, 255, 255, 200), width=2)

        def peak(x, y):
            h = rnd.uniform(22, 40)
            d.polygon([(x - h * 0.7, y), (x, y - h), (x + h * 0.7, y)], fill=(200, 220, 250, 255),
                      outline=artkit.INK + (255,))
            d.polygon([(x, y - h), (x + h * 0.7, y), (x + h * 0.15, y)], fill=(150, 180, 230, 255))
            d.polygon([(x - h * 0.22, y - h * 0.68), (x, y - h), (x + h * 0.22, y - h * 0.68)],
                      fill=(255, 255, 255, 255))
        scatter(12, peak, 30)
        for _ in range(14):
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0 + 20, y1)
            d.line((x, y, x + rnd.uniform(-20, 20), y + rnd.uniform(4, 12)), fill=(120, 150, 210, 160), width=1)
    else:               # volcano: the mountain with its lava and the tower
        vx, vy = 120, 420
        d.polygon([(vx - 110, vy + 90), (vx - 22, vy - 70), (vx + 22, vy - 70), (vx + 110, vy + 90)],
                  fill=(70, 36, 48, 255), outline=artkit.INK + (255,))
        d.polygon([(vx + 22, vy - 70), (vx + 110, vy + 90), (vx + 30, vy + 90)], fill=(50, 24, 36, 255))
        for k, dx in enumerate((-12, 4, 16)):
            d.line((vx + dx * 0.5, vy - 68, vx + dx * 3.5, vy + 80), fill=(250, 120, 30, 230), width=4 - k % 2)
        d.ellipse((vx - 24, vy - 78, vx + 24, vy - 62), fill=(255, 170, 60, 255))
        tx, ty = L.to_image(L.spots()[-1])
        ty -= 22
        tx -= 34
        ty += 18
        d.polygon([(tx - 9, ty), (tx - 6, ty - 40), (tx + 6, ty - 40), (tx + 9, ty)], fill=(30, 20, 36, 255),
                  outline=(150, 80, 70, 255))
        d.polygon([(tx - 10, ty - 40), (tx, ty - 58), (tx + 10, ty - 40)], fill=(44, 28, 50, 255),
                  outline=(150, 80, 70, 255))
        for wy in (ty - 30, ty - 18):
            d.rectangle((tx - 2, wy, tx + 2, wy + 5), fill=(255, 200, 90, 255))
        def crack(x, y):
            pts = [(x, y)]
            for _ in range(3):
                pts.append((pts[-1][0] + rnd.uniform(-9, 9), pts[-1][1] + rnd.uniform(4, 9)))
            d.line(pts, fill=(255, 120, 40, 90), width=5, joint="curve")
            d.line(pts, fill=(255, 200, 90, 255), width=2, joint="curve")

        def rock(x, y):
            r = rnd.uniform(5, 9)
            d.ellipse((x - r, y - r * 0.7, x + r, y + r * 0.7), fill=(40, 22, 34, 255), outline=artkit.INK + (255,))
            d.ellipse((x - r * 0.6, y - r * 0.5, x, y - r * 0.1), fill=(90, 60, 74, 255))
        scatter(10, crack, 24)
        scatter(12, rock, 22)


def _catmull(points, steps=10):
    out = []
    pts = [points[0]] + points + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    out.append(points[-1])
    return out


def _road(img):
    pts = _catmull([L.to_image(p) for p in L.spots()])
    big = Image.new("RGBA", (W * 2, H * 2), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    scaled = [(x * 2, y * 2) for x, y in pts]
    d.line(scaled, fill=(40, 26, 20, 150), width=16, joint="curve")
    d.line(scaled, fill=(236, 210, 160, 255), width=10, joint="curve")
    # Dashes along the middle of the road.
    dist = 0.0
    for a, b in zip(scaled, scaled[1:]):
        seg = math.dist(a, b)
        if int(dist / 18) % 2 == 0:
            d.line((a, b), fill=(180, 130, 80, 255), width=3)
        dist += seg
    img.alpha_composite(big.resize((W, H), Image.LANCZOS))


def _frame(img):
    """A vignette and a gold-and-ink frame around the map."""
    vig = Image.new("L", (W, H), 0)
    ImageDraw.Draw(vig).rectangle((0, 0, W - 1, H - 1), outline=255, width=30)
    vig = vig.filter(ImageFilter.GaussianBlur(22)).point(lambda v: int(v * 0.55))
    img.paste(Image.new("RGBA", (W, H), (40, 24, 16, 255)), (0, 0), vig)
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, W - 1, H - 1), outline=artkit.INK + (255,), width=6)
    d.rectangle((4, 4, W - 5, H - 5), outline=artkit.GOLD_DARK + (255,), width=3)
    d.rectangle((7, 7, W - 8, H - 8), outline=artkit.GOLD + (255,), width=1)


def _compass(img):
    cx, cy = 752, 50
    big = Image.new("RGBA", (120 * S, 120 * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    c = 60 * S
    for k in range(4):
        a = math.radians(90 * k)
        tip = (c + math.cos(a) * 34 * S, c - math.sin(a) * 34 * S)
        side1 = (c + math.cos(a + 0.8) * 10 * S, c - math.sin(a + 0.8) * 10 * S)
        side2 = (c + math.cos(a - 0.8) * 10 * S, c - math.sin(a - 0.8) * 10 * S)
        d.polygon([tip, side1, (c, c)], fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
        d.polygon([tip, side2, (c, c)], fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,))
    d.ellipse((c - 6 * S, c - 6 * S, c + 6 * S, c + 6 * S), fill=artkit.PAPER + (255,), outline=artkit.INK + (255,))
    img.alpha_composite(big.resize((120, 120), Image.LANCZOS), (cx - 60, cy - 60))


def paint_map():
    masks = _masks()
    img = Image.new("RGBA", (W, H), (0, 0, 0, 255))
    for world in range(6):
        ground, _mood = _ground(world)
        deco = Image.new("RGBA", (W, H), (0, 0, 0, 0))
        _decorate(world, deco)
        ground.alpha_composite(deco)
        img.paste(ground, (0, 0), masks[world])
    # A soft dark seam where two regions meet, so each land reads as its own.
    for m in masks:
        seam = m.point(lambda v: 255 if 90 < v < 165 else 0).filter(ImageFilter.GaussianBlur(2))
        img.paste(Image.new("RGBA", (W, H), (30, 20, 30, 255)), (0, 0), seam.point(lambda v: v * 50 // 255))
    _road(img)
    _compass(img)
    _frame(img)
    tex = Image.new("RGBA", TEXTURE, (0, 0, 0, 255))
    tex.paste(img, (0, 0))
    return tex


# ---- sprites -------------------------------------------------------------------
def _spot(size, lit, big):
    s = size * S
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    if lit:
        glow = Image.new("L", (s, s), 0)
        ImageDraw.Draw(glow).ellipse((0, 0, s - 1, s - 1), fill=200)
        img.paste(Image.new("RGBA", (s, s), (255, 230, 120, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(s / 10)))
    inset = s * (0.16 if not big else 0.12)
    d.ellipse((inset, inset + s * 0.06, s - inset, s - inset + s * 0.06), fill=(0, 0, 0, 90))
    stone = ((250, 220, 110), (200, 120, 20)) if lit else ((170, 165, 160), (90, 86, 90))
    g = artkit.gem(int(s - 2 * inset), "circle", stone[0], stone[1])
    img.alpha_composite(g, (int(inset), int(inset)))
    if big:
        star = artkit.shape_points("star", s / 2, s / 2, s * 0.22)
        d.polygon(star, fill=(255, 255, 240, 255) if lit else (200, 196, 200, 255), outline=artkit.INK + (255,))
    return img.resize((size, size), Image.LANCZOS)


def _marker(w, h):
    """The map arrow: a gold pointer with a gem, its tip at the bottom."""
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    pts = [(4, 4), (w - 4, 4), (w - 4, h * 0.5), (w / 2, h - 2), (4, h * 0.5)]
    d.polygon([(x * S, y * S) for x, y in pts], fill=artkit.INK + (255,))
    inner = [(7, 7), (w - 7, 7), (w - 7, h * 0.49), (w / 2, h - 7), (7, h * 0.49)]
    m = Image.new("L", big.size, 0)
    ImageDraw.Draw(m).polygon([(x * S, y * S) for x, y in inner], fill=255)
    big.paste(artkit.vertical_gradient(big.size, (255, 236, 150), artkit.GOLD_DARK), (0, 0), m)
    img = big.resize((w, h), Image.LANCZOS)
    g = artkit.gem(20, "circle", (255, 130, 120), (170, 20, 40))
    img.alpha_composite(g, (w // 2 - 10, 12))
    return img


def paint_parts():
    pictures = {
        "spotoff": _spot(24, False, False), "spoton": _spot(24, True, False),
        "spotbigoff": _spot(36, False, True), "spotbigon": _spot(36, True, True),
        "maparrow": _marker(44, 64),
        "mapbtnmenu": ui.jewel_button((104, 36), radius=12),
        "mapbtnmenuover": ui.jewel_button((104, 36), ui.BUTTON_OVER_TOP, ui.BUTTON_OVER_BOTTOM, radius=12),
        "maparrowbtn": ui.arrow_button((160, 56)), "maparrowbtnover": ui.arrow_button((160, 56), True),
        "mapcinema": Image.new("RGBA", (128, 128), (255, 255, 255, 255)),
    }
    return ui.sprite_sheet((512, 256), PARTS, pictures)


def paint_bars():
    """The interlude's two black bars, each with a gold edge toward the
    middle of the screen, and each carrying one half of the interlude's
    panel: the bars close over the map like two doors, and the panel they
    form at rest hides the world names and spots behind the chapter text.
    A bar's picture is centred on its resting place (y +-BAR_REST)."""
    img = Image.new("RGBA", (BAR[0], 2 * BAR[1] + 8), (0, 0, 0, 0))
    panel = ui.framed_panel((INTERLUDE_PANEL[2] - INTERLUDE_PANEL[0] + 2 * ui.SHADOW_MARGIN,
                             INTERLUDE_PANEL[3] - INTERLUDE_PANEL[1] + 2 * ui.SHADOW_MARGIN), ornaments=True)
    px = BAR[0] // 2 + INTERLUDE_PANEL[0] - ui.SHADOW_MARGIN
    half = panel.height // 2
    for k in range(2):
        bar = Image.new("RGBA", (BAR[0], BAR[1]), (0, 0, 0, 0))
        band = Image.new("RGBA", (BAR[0], BAR_BAND), (8, 6, 12, 255))
        d = ImageDraw.Draw(band)
        edge = BAR_BAND - 6 if k == 0 else 2
        d.rectangle((0, edge, BAR[0], edge + 3), fill=artkit.GOLD_DARK + (255,))
        d.line((0, edge + 1, BAR[0], edge + 1), fill=artkit.GOLD + (255,))
        # Picture rows from the top: level y = rest + BAR[1] / 2 - row.
        if k == 0:
            band_top = BAR[1] // 2 + BAR_REST - SCREEN_EDGE
        else:
            band_top = BAR[1] // 2 - BAR_REST + SCREEN_EDGE - BAR_BAND
        bar.paste(band, (0, band_top))
        if k == 0:      # the panel's upper half ends the top bar's picture
            bar.alpha_composite(panel.crop((0, 0, panel.width, half)), (px, BAR[1] - half))
        else:           # and its lower half starts the bottom bar's
            bar.alpha_composite(panel.crop((0, half, panel.width, panel.height)), (px, 0))
        img.paste(bar, (0, k * (BAR[1] + 8)))
    return img


def paint_sparkle():
    return ui.glow_star(32, (255, 235, 160))


# ---- the scene file ----------------------------------------------------------
def _box(hw, hh):
    return ('<shape type="polygon"><vertex x="%d" y="%d"/><vertex x="%d" y="%d"/><vertex x="%d" y="%d"/>'
            '<vertex x="%d" y="%d"/></shape>' % (-hw, -hh, hw, -hh, hw, hh, -hw, hh))


def _lvl(name, source, x, y, layer, body=False, extra=""):
    return ('      <lvlelement name="%s"><sourceelement>%s</sourceelement><pos x="%d" y="%d"/><layer>%d</layer>'
            '<color a="255" r="255" g="255" b="255"/><dyntype>%d</dyntype>%s</lvlelement>'
            % (name, source, x, y, layer, 0 if body else -1, extra))


def _hover(switch):
    return ('<behaviors><behavior type="mouseoverelement"><switchelement>%s</switchelement><animspeed>-1</animspeed>'
            '<soundover>guimouseover</soundover></behavior></behaviors>' % switch)


def scene_xml():
    out = ['<?xml version="1.0" encoding="ISO-8859-1"?>',
           '<!-- The world map, written by tools/art/worldmap.py from the spot table of',
           '     tools/art/_map_layout.py: edit the table there, not this file. -->',
           '<scene>', '  <images>',
           '    <image name="mappicture"><filename>map/map.png</filename></image>',
           '    <image name="mapparts"><filename>map/parts.png</filename></image>',
           '    <image name="mapbars"><filename>map/bars.png</filename></image>',
           '    <image name="mapsparkle"><filename>map/sparkle.png</filename></image>',
           '    <image name="cooper-font16"><filename>fonts/cooper-font16.png</filename></image>',
           '    <image name="cooper-font20"><filename>fonts/cooper-font20.png</filename></image>',
           '    <image name="galaxy-font16"><filename>fonts/galaxy-font16.png</filename></image>',
           '  </images>', '  <sprites>',
           '    <sprite name="mappicture"><sourceimage>mappicture</sourceimage>'
           '<sourcerect x="0" y="0" width="%d" height="%d"/></sprite>' % (W, H)]
    for name, (x, y, w, h) in PARTS.items():
        out.append('    <sprite name="%s"><sourceimage>mapparts</sourceimage><sourcerect x="%d" y="%d" width="%d" '
                   'height="%d"/></sprite>' % (name, x, y, w, h))
    out.append('    <sprite name="mapbartop"><sourceimage>mapbars</sourceimage><sourcerect x="0" y="0" width="%d" '
               'height="%d"/></sprite>' % BAR)
    out.append('    <sprite name="mapbarbottom"><sourceimage>mapbars</sourceimage><sourcerect x="0" y="%d" '
               'width="%d" height="%d"/></sprite>' % (BAR[1] + 8, BAR[0], BAR[1]))
    out.append('    <sprite name="mapsparkle"><sourceimage>mapsparkle</sourceimage><sourcerect x="0" y="0" '
               'width="32" height="32"/></sprite>')
    out += ['  </sprites>', '  <elements>']
    el = '    <element type="image" name="%s"><sourcesprite>%s</sourcesprite>%s</element>'
    out.append(el % ("mapback", "mappicture", ""))
    for name in ("spotoff", "spoton", "spotbigoff", "spotbigon", "maparrow"):
        out.append(el % (name, name, ""))
    out.append(el % ("arrow", "maparrowbtn", _box(76, 18)))
    out.append(el % ("arrowover", "maparrowbtnover", _box(76, 18)))
    out.append(el % ("btnmenu", "mapbtnmenu", _box(50, 16)))
    out.append(el % ("btnmenuover", "mapbtnmenuover", _box(50, 16)))
    out.append(el % ("cinema", "mapcinema", ""))
    out.append(el % ("cinema1", "mapbartop", ""))
    out.append(el % ("cinema2", "mapbarbottom", ""))
    out.append(el % ("sparkle", "mapsparkle", "<blitmode>2</blitmode>"))
    out += ['  </elements>', '  <levels>', '    <level name="map">', '    <lvlelements>']
    out.append(_lvl("background", "mapback", 0, 0, 0))
    for i, (x, y) in enumerate(L.spots()):
        out.append(_lvl("sp%d" % i, "spotbigoff" if L.is_big(i) else "spotoff", x, y, 1))
    x, y = L.spots()[0]
    out.append(_lvl("maparrow", "maparrow", x, y + L.ARROW_LIFT, 3))
    out.append(_lvl("btnmenu", "btnmenu", L.MENU_BUTTON[0], L.MENU_BUTTON[1], 4, True, _hover("btnmenuover")))
    out.append(_lvl("arrow", "arrow", L.PLAY_ARROW[0], L.PLAY_ARROW[1], 6, True, _hover("arrowover")))
    out.append(_lvl("cinema1", "cinema1", 0, L.CINEMA_BAR_START, 7))
    out.append(_lvl("cinema2", "cinema2", 0, -L.CINEMA_BAR_START, 7))
    out += ['    </lvlelements>', '    </level>', '  </levels>', '</scene>']
    return "\n".join(out) + "\n"


def generate(work_dir):
    pictures = {"map/map.png": paint_map, "map/parts.png": paint_parts, "map/bars.png": paint_bars,
                "map/sparkle.png": paint_sparkle}
    return ui.write_outputs(work_dir, pictures, "map.xml", scene_xml())

if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "map-out"))
