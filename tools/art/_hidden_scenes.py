"""The three hidden-object pictures: a painted 800 x 600 backdrop each and
where the objects lie in it. Spots are screen pixels (x right, y down) of an
object's centre; the scene file turns them into level coordinates. Objects
to find sit in layers 1 and 3, furniture decoys in layer 2, grass and
leaves in front (layer 4) cover a side of most objects, and clutter of
similar shapes is painted around them.

The bottom strip (y above 470) belongs to the names panel: nothing to find
lies there."""
import math
import random

from PIL import Image, ImageDraw, ImageFilter

import artkit

W, H = 800, 600
INK = artkit.INK


def _noise(img, amount=10, seed=1):
    """Paint grain: a faint random speckle over the picture."""
    rnd = random.Random(seed)
    grain = Image.effect_noise((W // 2, H // 2), 40).resize((W, H), Image.BILINEAR)
    grain = grain.point(lambda v: 128 + (v - 128) * amount // 40)
    base = img.convert("RGB")
    out = Image.merge("RGB", [Image.blend(c, grain, 0.08) for c in base.split()])
    del rnd
    return out


def _vignette(img, strength=110):
    mask = Image.new("L", (W, H), 0)
    ImageDraw.Draw(mask).ellipse((-120, -90, W + 120, H + 90), fill=255)
    mask = mask.filter(ImageFilter.GaussianBlur(90))
    dark = Image.new("RGB", (W, H), (20, 14, 30))
    inv = mask.point(lambda v: (255 - v) * strength // 255)
    return Image.composite(dark, img, inv)


def _layer(draw_fn, blur=0, alpha=255):
    """A transparent layer drawn by draw_fn(draw), optionally softened (far
    things are blurred and hazy, which gives the picture its depth)."""
    lay = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    draw_fn(ImageDraw.Draw(lay))
    if blur:
        lay = lay.filter(ImageFilter.GaussianBlur(blur))
    if alpha < 255:
        lay.putalpha(lay.getchannel("A").point(lambda v: v * alpha // 255))
    return lay


def _shaded(base, box, top, bottom, mask_fn):
    """Pastes a vertical gradient through a mask drawn by mask_fn(draw)."""
    mask = Image.new("L", (W, H), 0)
    mask_fn(ImageDraw.Draw(mask))
    grad = artkit.vertical_gradient((W, box[3] - box[1]), top, bottom)
    full = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    full.paste(grad, (0, box[1]))
    base.paste(full, (0, 0), mask)


def _rays(img, origin, colour, alpha=38):
    """Soft light falling from origin: a few wide, faint beams."""
    ox, oy = origin
    def beams(d):
        for k in range(5):
            a = math.radians(100 + k * 14)
            b = math.radians(106 + k * 14)
            d.polygon([(ox, oy), (ox + 1400 * math.cos(a), oy + 1400 * math.sin(a)),
                       (ox + 1400 * math.cos(b), oy + 1400 * math.sin(b))], fill=colour + (alpha,))
    img.alpha_composite(_layer(beams, blur=18))


def _birds(d, spots):
    for x, y, w in spots:
        d.line([(x - w, y - w * 0.4), (x, y), (x + w, y - w * 0.4)], fill=(60, 60, 80, 255), width=2)


def _hill(y0, amp, freq, phase, seed=0):
    pts = [(0, H)]
    for x in range(0, W + 20, 20):
        y = y0 + amp * math.sin(x * freq + phase) + amp * 0.4 * math.sin(x * freq * 2.7 + seed)
        pts.append((x, y))
    pts.append((W, H))
    return pts


def _outlined(d, kind, coords, fill, width=3, **kw):
    getattr(d, kind)(coords, fill=fill, outline=INK + (255,), width=width, **kw)


# ---------------------------------------------------------------- garden
def paint_garden():
    mood = artkit.WORLD_MOODS[0]
    img = artkit.vertical_gradient((W, H), mood["top"], (230, 245, 250))
    img.alpha_composite(_layer(lambda d: [d.ellipse((x, y, x + 140, y + 46), fill=(255, 255, 255, 200))
                                          for x, y in ((80, 40), (170, 60), (470, 30), (560, 55))], blur=8))
    img.alpha_composite(_layer(lambda d: d.polygon(_hill(215, 25, 0.008, 1), fill=(120, 170, 190, 255)),
                               blur=4))
    img.alpha_composite(_layer(lambda d: d.polygon(_hill(250, 20, 0.012, 3, 2), fill=(90, 150, 110, 255)),
                               blur=2))
    # The wood behind the garden.
    def trees(d):
        rnd = random.Random(3)
        for x in range(-20, W + 40, 34):
            y = 250 + rnd.randint(-20, 10)
            r = rnd.randint(30, 48)
            d.ellipse((x - r, y - r, x + r, y + r), fill=(50, 110, 70, 255))
            d.ellipse((x - r * 0.6, y - r * 0.8, x + r * 0.3, y - r * 0.1), fill=(80, 140, 80, 255))
    img.alpha_composite(_layer(trees, blur=1.5))
    _shaded(img, (0, 300, W, H), (140, 205, 100), (60, 130, 50),
            lambda d: d.polygon(_hill(305, 8, 0.01, 0), fill=255))
    d = ImageDraw.Draw(img)
    # Path from the door.
    d.polygon([(185, 380), (222, 380), (360, 600), (90, 600)], fill=(215, 190, 140, 255))
    for k in range(9):
        y = 395 + k * 24
        x = 200 + (y - 380) * 0.08 - 40 + (k % 2) * 30
        d.ellipse((x, y, x + 34 + k * 3, y + 12 + k), fill=(190, 165, 120, 255))
    # Cottage.
    _shaded(img, (80, 170, 330, 380), (250, 235, 200), (200, 170, 130),
            lambda m: m.rectangle((80, 170, 330, 380), fill=255))
    d.rectangle((80, 170, 330, 380), outline=INK + (255,), width=3)
    for y in range(190, 380, 22):
        d.line((82, y, 328, y), fill=(215, 195, 160, 255), width=1)
    _outlined(d, "polygon", [(58, 185), (205, 78), (352, 185)], (180, 80, 60, 255))
    for k in range(1, 6):
        y = 78 + k * 18
        half = (y - 78) * 147 / 107
        d.line((205 - half, y, 205 + half, y), fill=(140, 55, 45, 255), width=2)
    _outlined(d, "rectangle", (265, 60, 295, 120), (150, 110, 100, 255))
    _outlined(d, "rectangle", (170, 285, 232, 380), (120, 70, 40, 255))
    d.ellipse((218, 330, 226, 338), fill=artkit.GOLD + (255,))
    for x0 in (95, 255):
        _outlined(d, "rectangle", (x0, 215, x0 + 60, 265), (170, 210, 240, 255))
        d.line((x0 + 30, 215, x0 + 30, 265), fill=INK + (255,), width=2)
        d.line((x0, 240, x0 + 60, 240), fill=INK + (255,), width=2)
        _outlined(d, "rectangle", (x0 - 8, 265, x0 + 68, 273), (150, 100, 60, 255))
    # Fence.
    for x in range(370, 575, 40):
        _outlined(d, "polygon", [(x, 330), (x + 8, 320), (x + 16, 330), (x + 16, 405), (x, 405)],
                  (235, 225, 200, 255), width=2)
    for y in (345, 378):
        _outlined(d, "rectangle", (360, y, 580, y + 9), (225, 210, 180, 255), width=2)
    # The big tree on the right and its branch.
    _outlined(d, "polygon", [(640, 420), (652, 200), (680, 200), (700, 420)], (130, 85, 50, 255))
    _outlined(d, "polygon", [(655, 260), (560, 205), (565, 195), (660, 240)], (130, 85, 50, 255), width=2)
    crown = _layer(lambda m: [m.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(60, 140, 60, 255))
                              for cx, cy, r in ((665, 110, 95), (590, 140, 60), (740, 150, 70), (700, 50, 70))])
    shade = _layer(lambda m: [m.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(110, 190, 90, 255))
                              for cx, cy, r in ((640, 80, 50), (590, 125, 30), (700, 35, 40))], blur=6)
    img.alpha_composite(crown)
    img.alpha_composite(shade)
    # Stump and flowers on the grass.
    _outlined(d, "rectangle", (450, 430, 512, 460), (150, 100, 60, 255))
    _outlined(d, "ellipse", (450, 420, 512, 440), (220, 180, 120, 255))
    rnd = random.Random(7)
    for _ in range(60):
        x, y = rnd.randint(0, W), rnd.randint(390, 590)
        c = rnd.choice([(255, 240, 120), (255, 170, 200), (255, 255, 255), (200, 170, 255)])
        d.ellipse((x - 3, y - 3, x + 3, y + 3), fill=c + (255,))
    # Stone footing, ivy on the wall, curtains, bark, smoke and birds.
    for x in range(82, 330, 24):
        _outlined(d, "rounded_rectangle", (x, 366, x + 22, 380), (170, 165, 160, 255), width=1, radius=4)
    for cx, cy in ((92, 300), (100, 330), (86, 350), (318, 300), (322, 330), (312, 352)):
        for k in range(6):
            lx, ly = cx + rnd.randint(-10, 10), cy + rnd.randint(-12, 12)
            d.ellipse((lx - 6, ly - 4, lx + 6, ly + 4), fill=(60, 130, 60, 255), outline=(30, 80, 40, 255))
    for x0 in (95, 255):
        d.polygon([(x0 + 2, 217), (x0 + 16, 217), (x0 + 6, 263), (x0 + 2, 263)], fill=(240, 150, 150, 255))
        d.polygon([(x0 + 58, 217), (x0 + 44, 217), (x0 + 54, 263), (x0 + 58, 263)], fill=(240, 150, 150, 255))
    for y in range(215, 410, 16):
        d.arc((652, y, 690, y + 12), 200, 330, fill=(95, 60, 35, 255), width=2)
    img.alpha_composite(_layer(lambda m: [m.ellipse((270 + k * 14, 40 - k * 16, 296 + k * 18, 62 - k * 14),
                                                    fill=(255, 255, 255, 150)) for k in range(3)], blur=5))
    _birds(d, [(420, 70, 8), (445, 58, 6), (470, 80, 7)])
    _rays(img, (760, -40), (255, 250, 200))
    return _vignette(_noise(img, seed=11))


GARDEN = {
    "world": "meadow",
    "objects": [
        # name, kind, x, y, rotation (degrees, counter-clockwise), layer,
        # cover: (front piece, direction it comes from in degrees, seed) or None
        ("teapot", "teapot", 122, 250, -12, 3, ("flowers", -90, 1)),
        ("candle", "candle", 296, 238, 16, 1, None),
        ("brasskey", "key", 238, 428, 35, 3, ("grass", -60, 2)),
        ("lantern", "lantern", 700, 292, 8, 1, ("leaves", 10, 3)),
        ("butterfly", "butterfly", 612, 70, 28, 3, None),
        ("mushroom", "mushroom", 626, 404, -10, 1, ("grass", 180, 4)),
        ("apple", "apple", 716, 96, -20, 3, ("leaves", 40, 5)),
        ("horseshoe", "horseshoe", 404, 356, 166, 1, ("flowers", 180, 6)),
        ("wateringcan", "wateringcan", 560, 446, -18, 3, None),
        ("spellbook", "book", 40, 300, 24, 1, ("leaves", 170, 8)),
        ("oldboot", "boot", 130, 452, -30, 3, ("grass", -100, 9)),
        ("feather", "feather", 384, 420, 75, 1, None),
        ("bell", "bell", 590, 152, 12, 3, ("leaves", 100, 10)),
        ("scroll", "scroll", 536, 372, 78, 1, ("flowers", -80, 11)),
    ],
    "decoys": [("flowerpot", 30, 400), ("basket", 470, 448), ("rock", 350, 446), ("flowerpot", 770, 450),
               ("crate", 690, 440), ("barrel", 22, 462), ("rock", 740, 388), ("flowerpot", 300, 392)],
    "clutter": [
        # kind, how many, region (x0, y0, x1, y1), colours
        ("twig", 16, (0, 390, 800, 470), (170, 120, 70), (90, 55, 25)),
        ("leaf", 22, (0, 385, 800, 470), (120, 180, 70), (50, 110, 40)),
        ("pebble", 12, (120, 390, 360, 470), (200, 185, 150), (130, 115, 90)),
        ("blossom", 18, (360, 400, 800, 470), (255, 230, 240), (220, 140, 170)),
        ("berries", 9, (560, 40, 790, 200), (230, 70, 60), (130, 20, 30)),
        ("leaf", 16, (540, 20, 800, 210), (100, 170, 80), (40, 100, 40)),
    ],
    "front_colours": {"leaves": ((90, 165, 70), (30, 90, 40)), "grass": ((130, 200, 80), (50, 120, 40)),
                      "flowers": ((120, 190, 80), (45, 115, 40))},
    "front": [("leaves", 20, 16, -20, 21), ("leaves", 770, 20, 30, 22), ("grass", 330, 470, 0, 23),
              ("grass", 760, 468, 0, 24), ("flowers", 520, 410, 0, 25), ("leaves", 640, 200, 10, 26)],
}


# ---------------------------------------------------------------- bazaar
def paint_bazaar():
    mood = artkit.WORLD_MOODS[1]
    img = artkit.vertical_gradient((W, H), (240, 150, 110), mood["bottom"])
    img.alpha_composite(_layer(lambda d: d.ellipse((560, 60, 680, 180), fill=(255, 240, 190, 255)), blur=10))
    img.alpha_composite(_layer(lambda d: d.polygon(_hill(250, 22, 0.009, 2), fill=(225, 170, 120, 255)), blur=4))
    img.alpha_composite(_layer(lambda d: [d.rectangle((100, 140, 150, 300), fill=(200, 140, 100, 255)),
                                          d.polygon([(95, 140), (125, 105), (155, 140)], fill=(190, 130, 95, 255))],
                               blur=2.5))
    img.alpha_composite(_layer(lambda d: d.polygon(_hill(300, 15, 0.013, 0.5, 4), fill=(235, 195, 135, 255)),
                               blur=1.5))
    _shaded(img, (0, 330, W, H), (245, 215, 150), (200, 150, 90), lambda m: m.rectangle((0, 330, W, H), fill=255))
    d = ImageDraw.Draw(img)
    rnd = random.Random(5)
    for _ in range(50):
        x, y = rnd.randint(0, W), rnd.randint(340, 590)
        d.arc((x, y, x + 40, y + 10), 200, 340, fill=(210, 165, 100, 255), width=2)
    # The ruined arch on the left.
    stone, stone_d = (230, 190, 140), (170, 125, 85)
    for x0 in (40, 210):
        _shaded(img, (0, 150, W, 420), stone, stone_d, lambda m, x0=x0: m.rectangle((x0, 150, x0 + 50, 420), fill=255))
        d.rectangle((x0, 150, x0 + 50, 420), outline=INK + (255,), width=3)
        for y in range(175, 420, 30):
            d.line((x0 + 2, y, x0 + 48, y), fill=stone_d + (255,), width=2)
        _outlined(d, "rectangle", (x0 - 8, 140, x0 + 58, 152), stone)
    d.arc((40, 60, 260, 240), 180, 360, fill=INK + (255,), width=30)
    d.arc((43, 63, 257, 237), 180, 360, fill=stone + (255,), width=24)
    # Rug in front of the arch.
    _outlined(d, "polygon", [(60, 420), (350, 420), (370, 475), (40, 475)], (170, 50, 60, 255))
    d.polygon([(80, 428), (335, 428), (350, 467), (62, 467)], outline=artkit.GOLD + (255,), width=3)
    # Palm.
    _outlined(d, "polygon", [(318, 420), (322, 120), (336, 120), (340, 420)], (150, 100, 60, 255), width=2)
    for y in range(140, 420, 22):
        d.line((319, y, 339, y + 6), fill=(110, 70, 40, 255), width=2)
    for a in (-160, -120, -60, -20, 200, 160):
        r = math.radians(a)
        ex, ey = 329 + 95 * math.cos(r), 118 + 60 * math.sin(r) + 45
        _outlined(d, "polygon", [(329, 118), (ex, ey - 14), (ex + 6 * math.cos(r), ey + 6), (329, 126)],
                  (80, 160, 70, 255), width=2)
    # Market stall: back shelf, counter, awning.
    _outlined(d, "rectangle", (410, 180, 730, 330), (120, 70, 50, 255))
    _outlined(d, "rectangle", (420, 258, 720, 268), (190, 130, 80, 255), width=2)
    for x in (400, 720):
        _outlined(d, "rectangle", (x, 150, x + 14, 440), (160, 110, 70, 255), width=2)
    for k in range(8):
        x = 390 + k * 44
        colour = (240, 240, 220, 255) if k % 2 else (60, 120, 190, 255)
        _outlined(d, "polygon", [(x, 120), (x + 44, 120), (x + 48, 190), (x - 4, 190)], colour, width=2)
    for k in range(8):
        x = 390 + k * 44
        d.chord((x - 4, 172, x + 48, 206), 0, 180, fill=((240, 240, 220) if k % 2 else (60, 120, 190)) + (255,),
                outline=INK + (255,), width=2)
    _outlined(d, "rectangle", (385, 328, 740, 344), (200, 140, 80, 255))
    _shaded(img, (0, 344, W, 435), (230, 200, 120), (190, 140, 60), lambda m: m.rectangle((390, 344, 735, 435), fill=255))
    d.rectangle((390, 344, 735, 435), outline=INK + (255,), width=3)
    for x in range(405, 735, 30):
        d.polygon([(x, 344), (x + 15, 344), (x + 7, 360)], fill=(170, 60, 60, 255))
    # A rug hung on the stall's side, cracks in the arch, bunting, birds.
    _outlined(d, "rectangle", (742, 200, 790, 330), (60, 110, 170, 255), width=2)
    for y in range(212, 330, 20):
        d.line((746, y, 786, y), fill=artkit.GOLD + (255,), width=2)
    for x0, y0 in ((52, 250), (222, 330), (60, 380)):
        d.line([(x0, y0), (x0 + 8, y0 + 10), (x0 + 4, y0 + 22), (x0 + 12, y0 + 34)], fill=(150, 105, 70, 255),
               width=2)
    d.line([(265, 60), (330, 90), (400, 112)], fill=(110, 70, 40, 255), width=2)
    for k, (x, y) in enumerate(((280, 67), (305, 79), (330, 90), (355, 99), (380, 106))):
        d.polygon([(x - 7, y), (x + 7, y + 3), (x - 1, y + 16)], fill=((220, 70, 60), (60, 120, 190),
                                                                    artkit.GOLD)[k % 3] + (255,))
    _birds(d, [(470, 60, 8), (500, 45, 6)])
    _rays(img, (620, 110), (255, 240, 200), alpha=30)
    return _vignette(_noise(img, seed=12))


BAZAAR = {
    "world": "desert",
    "objects": [
        ("amphora", "amphora", 290, 392, -8, 1, ("stone", 0, 1)),
        ("dagger", "dagger", 520, 398, 100, 3, ("bolts", 90, 2)),
        ("oillamp", "oillamp", 470, 240, 10, 1, ("bolts", 180, 3)),
        ("dice", "dice", 118, 448, 30, 3, None),
        ("coinpouch", "pouch", 764, 262, -15, 1, ("cloth", 90, 4)),
        ("hourglass", "hourglass", 65, 118, -8, 3, None),
        ("scroll", "scroll", 650, 296, -20, 3, ("bolts", 0, 5)),
        ("crown", "crown", 680, 236, 15, 1, ("bolts", 0, 11)),
        ("ring", "ring", 706, 452, 20, 3, ("stone", 0, 6)),
        ("goblet", "goblet", 420, 396, 12, 1, None),
        ("compass", "compass", 360, 452, 0, 3, ("grass", 90, 8)),
        ("brasskey", "key", 232, 262, 30, 1, None),
        ("feather", "feather", 290, 148, -50, 3, ("leaves", 30, 9)),
        ("bell", "bell", 706, 168, 10, 1, ("cloth", 90, 10)),
    ],
    "decoys": [("barrel", 770, 420), ("crate", 22, 440), ("basket", 190, 452), ("rock", 560, 462),
               ("barrel", 610, 300), ("basket", 540, 236), ("flowerpot", 460, 455), ("crate", 150, 300)],
    "clutter": [
        ("shard", 20, (0, 400, 800, 470), (230, 130, 80), (150, 60, 30)),
        ("disc", 14, (40, 420, 380, 470), (250, 210, 90), (160, 100, 20)),
        ("pebble", 14, (380, 440, 800, 472), (220, 190, 140), (150, 120, 80)),
        ("twig", 10, (0, 380, 800, 470), (200, 150, 90), (110, 70, 30)),
        ("disc", 8, (420, 200, 720, 255), (250, 210, 90), (160, 100, 20)),
        ("shard", 8, (420, 270, 720, 325), (200, 110, 70), (120, 50, 25)),
    ],
    "front_colours": {"cloth": ((60, 110, 170), (25, 50, 100)), "bolts": ((60, 120, 190), (30, 60, 120)), "stone": ((225, 190, 140), (160, 120, 80)),
                      "leaves": ((80, 160, 70), (30, 90, 40)), "grass": ((200, 190, 100), (130, 110, 50))},
    "front": [("stone", 20, 465, 0, 22), ("grass", 250, 468, 0, 23), ("grass", 620, 468, 0, 24),
              ("bolts", 700, 420, 0, 25)],
}


# ---------------------------------------------------------------- cove
def paint_cove():
    mood = artkit.WORLD_MOODS[2]
    img = artkit.vertical_gradient((W, H), (90, 170, 230), (220, 240, 250))
    img.alpha_composite(_layer(lambda d: [d.ellipse((x, y, x + 160, y + 40), fill=(255, 255, 255, 210))
                                          for x, y in ((60, 50), (300, 30), (520, 70), (640, 40))], blur=7))
    # Sea from the horizon down, with an island far out.
    _shaded(img, (0, 230, W, 420), mood["bottom"], mood["top"], lambda m: m.rectangle((0, 230, W, 420), fill=255))
    img.alpha_composite(_layer(lambda d: [d.chord((520, 205, 720, 255), 180, 360, fill=(70, 130, 100, 255)),
                                          d.ellipse((590, 170, 640, 215), fill=(60, 120, 80, 255))], blur=2))
    d = ImageDraw.Draw(img)
    rnd = random.Random(9)
    for _ in range(70):
        x, y = rnd.randint(0, W), rnd.randint(240, 400)
        ln = rnd.randint(10, 30)
        d.line((x, y, x + ln, y), fill=(200, 245, 245, 255), width=1 + (y > 320))
    # Beach.
    _shaded(img, (0, 320, W, H), (250, 230, 180), (215, 180, 120),
            lambda m: m.polygon([(0, 330), (200, 350), (420, 395), (800, 420), (800, 600), (0, 600)], fill=255))
    d.line([(0, 330), (200, 350), (420, 395), (800, 420)], fill=(255, 255, 255, 255), width=4)
    for _ in range(80):
        x, y = rnd.randint(0, W), rnd.randint(400, 590)
        d.ellipse((x, y, x + 3, y + 2), fill=(190, 150, 100, 255))
    # Rowing boat on the sand.
    _outlined(d, "polygon", [(30, 335), (300, 335), (270, 395), (70, 395)], (150, 90, 55, 255))
    _outlined(d, "rectangle", (30, 330, 300, 342), (200, 140, 90, 255), width=2)
    for x in (110, 190):
        d.line((x, 342, x + 2, 392), fill=(110, 60, 30, 255), width=2)
    # Pier on posts, running out to sea.
    for x in range(520, 800, 60):
        _outlined(d, "rectangle", (x, 318, x + 14, 420), (120, 80, 50, 255), width=2)
    _outlined(d, "polygon", [(480, 300), (800, 296), (800, 322), (470, 326)], (190, 130, 80, 255))
    for x in range(500, 800, 26):
        d.line((x, 300, x - 2, 324), fill=(130, 85, 50, 255), width=2)
    # Palm on the left.
    _outlined(d, "polygon", [(50, 340), (70, 80), (86, 80), (76, 340)], (150, 100, 60, 255), width=2)
    for a in (-170, -130, -60, -15, 200, 150):
        r = math.radians(a)
        ex, ey = 78 + 110 * math.cos(r), 78 + 60 * math.sin(r) + 50
        _outlined(d, "polygon", [(78, 78), (ex, ey - 16), (ex + 6 * math.cos(r), ey + 6), (78, 88)],
                  (60, 150, 80, 255), width=2)
    # Rocks at the right.
    _outlined(d, "polygon", [(610, 470), (630, 420), (680, 400), (740, 410), (780, 470)], (150, 150, 160, 255))
    _outlined(d, "polygon", [(620, 400), (640, 385), (670, 392), (660, 402)], (130, 130, 140, 255), width=2)
    # Foam along the shore, a far sail, seaweed and shells in the sand, gulls.
    shore = [(0, 330), (200, 350), (420, 395), (800, 420)]
    for (x0, y0), (x1, y1) in zip(shore, shore[1:]):
        for k in range(0, 100, 7):
            t = k / 100
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            d.ellipse((x - 9, y - 7, x + 9, y + 1), fill=(240, 255, 255, 255))
    img.alpha_composite(_layer(lambda m: [m.polygon([(420, 222), (452, 222), (436, 170)], fill=(250, 250, 245, 255)),
                                          m.polygon([(412, 222), (460, 222), (452, 232), (420, 232)],
                                                    fill=(120, 80, 60, 255))], blur=1.2))
    for x, y in ((180, 520), (420, 540), (640, 505), (80, 560)):
        for k in range(4):
            d.arc((x + k * 6, y - 10, x + k * 6 + 12, y + 10), 180, 300, fill=(60, 130, 70, 255), width=3)
    for k in range(6):
        x, y = 470 + k * 40, 560 - k * 12
        d.ellipse((x, y, x + 7, y + 4), fill=(200, 160, 110, 255))
    _birds(d, [(250, 120, 9), (280, 105, 7), (700, 130, 8)])
    _rays(img, (760, -60), (255, 255, 230), alpha=28)
    return _vignette(_noise(img, seed=13))


COVE = {
    "world": "lagoon",
    "objects": [
        ("seashell", "shell", 440, 452, 30, 1, ("grass", 180, 1)),
        ("anchor", "anchor", 640, 356, 10, 3, None),
        ("starfish", "starfish", 700, 424, 20, 3, ("stone", 0, 2)),
        ("fish", "fish", 300, 282, 15, 1, ("wave", -90, 8)),
        ("umbrella", "umbrella", 160, 316, -30, 1, ("leaves", 135, 10)),
        ("spyglass", "spyglass", 700, 302, 5, 3, None),
        ("bottle", "bottle", 470, 300, 70, 1, ("wave", -90, 9)),
        ("lantern", "lantern", 80, 196, -8, 3, ("leaves", 90, 3)),
        ("oldboot", "boot", 250, 450, 100, 3, ("grass", -90, 4)),
        ("compass", "compass", 100, 370, 0, 3, None),
        ("ring", "ring", 548, 404, 0, 1, None),
        ("crown", "crown", 360, 424, -10, 1, ("grass", 90, 6)),
        ("candle", "candle", 766, 376, 0, 3, ("stone", -90, 7)),
        ("goblet", "goblet", 236, 334, 15, 1, None),
    ],
    "decoys": [("barrel", 600, 276), ("crate", 60, 318), ("rock", 500, 466), ("basket", 24, 444),
               ("barrel", 520, 380), ("crate", 780, 282), ("rock", 170, 458), ("basket", 640, 450)],
    "clutter": [
        ("pebble", 22, (0, 410, 800, 472), (200, 185, 165), (130, 115, 100)),
        ("weed", 14, (0, 400, 800, 472), (90, 160, 80), (30, 90, 50)),
        ("twig", 10, (0, 380, 800, 470), (190, 150, 110), (110, 80, 50)),
        ("disc", 10, (300, 400, 800, 472), (240, 225, 200), (170, 150, 120)),
        ("twig", 8, (200, 250, 800, 320), (170, 140, 110), (100, 80, 60), 15),
    ],
    "front_colours": {"wave": ((110, 205, 215), (40, 130, 165)), "grass": ((120, 170, 90), (50, 110, 50)), "leaves": ((70, 160, 90), (30, 100, 50)),
                      "stone": ((160, 160, 170), (90, 90, 100))},
    "front": [("wave", 380, 250, 0, 25), ("wave", 120, 262, 0, 26), ("wave", 520, 238, 0, 27),
              ("wave", 260, 305, 0, 28), ("grass", 560, 470, 0, 22), ("stone", 790, 466, 0, 23),
              ("grass", 30, 470, 0, 24)],
}

SCENES = [("hidden1", paint_garden, GARDEN), ("hidden2", paint_bazaar, BAZAAR), ("hidden3", paint_cove, COVE)]
