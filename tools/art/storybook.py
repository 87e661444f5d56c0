"""The story book (scene 3): an open book on a wooden table, the seven chapter
pictures (one per world and the homecoming) and the six spell pictures, the
"arrow" sign that leaves the book, and the scene file "story.xml" written
with the pictures' sprite rectangles. Painted scenes: a sky in the world's
mood, hills in three depths, the world's landmark, the Guardian's lantern and
the little lights of the caged creatures."""
import math
import os
import sys
import random

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _ui_paint as ui  # noqa: E402

S = artkit.SUPERSAMPLE
W, H = 800, 600
TEXTURE = (1024, 1024)
CHAPTER_PIC = (300, 200)
SPELL_PIC = (200, 190)
CHAPTERS = 7
SPELLS = 6
ARROW = (160, 56)
ARROW_POS = (300, -258)
# Page geometry in level coordinates: the spine and the pages' outer edges.
SPINE_X = 28
PAGE_LEFT, PAGE_RIGHT, PAGE_TOP, PAGE_BOTTOM = -372, 388, 246, -216
# Extra moods: the homecoming picture is a golden morning over the meadow.
HOME = {"top": (255, 200, 150), "bottom": (255, 240, 200), "accent": (250, 150, 60)}


def _lv(x, y):
    return x + W / 2, H / 2 - y


# ---- the book --------------------------------------------------------------------
def paint_book():
    img = artkit.vertical_gradient((W, H), (92, 54, 30), (46, 24, 14)).convert("RGB")
    d = ImageDraw.Draw(img, "RGBA")          # on RGB, translucent fills blend
    rnd = random.Random(3)
    for k in range(70):                                  # table grain
        y = rnd.uniform(0, H)
        d.line((0, y, W, y + rnd.uniform(-6, 6)), fill=(30, 14, 6, rnd.randint(20, 60)), width=rnd.choice((1, 2)))
    x0, y0 = _lv(PAGE_LEFT, PAGE_TOP)
    x1, y1 = _lv(PAGE_RIGHT, PAGE_BOTTOM)
    sx, _ = _lv(SPINE_X, 0)
    shadow = ui.soft_shadow((W, H), (x0 - 8, y0 + 4, x1 + 8, y1 + 14), 16, blur=12, alpha=170)
    img.paste(shadow, (0, 0), shadow)
    # The cover peeking out, then the page stacks and the two pages.
    d.rounded_rectangle((x0 - 12, y0 - 8, x1 + 12, y1 + 12), 10, fill=(110, 30, 40, 255), outline=artkit.INK + (255,),
                        width=2)
    for k in range(4, 0, -1):
        d.rectangle((x0 - k, y0 + k, x1 + k, y1 + k), fill=(226, 212, 180, 255), outline=(160, 140, 110, 255))
    for left in (True, False):
        a, b = (x0, sx) if left else (sx, x1)
        page = Image.new("RGBA", (int(b - a), int(y1 - y0)), (0, 0, 0, 0))
        pw, ph = page.size
        face = artkit.vertical_gradient((pw, ph), (250, 240, 214), (236, 220, 186)).convert("RGB")
        shade = Image.new("L", (pw, ph), 0)
        sd = ImageDraw.Draw(shade)
        for i in range(60):                              # darker toward the spine
            xs = pw - 1 - i if left else i
            sd.line((xs, 0, xs, ph), fill=int(120 * (1 - i / 60) ** 2))
        for i in range(14):                              # and a little at the outer edge
            xs = i if left else pw - 1 - i
            sd.line((xs, 0, xs, ph), fill=int(50 * (1 - i / 14)))
        face.paste(Image.new("RGBA", (pw, ph), (120, 90, 50, 255)), (0, 0), shade)
        fd = ImageDraw.Draw(face, "RGBA")
        for _ in range(25):                              # faint age spots
            x, y, r = rnd.uniform(0, pw), rnd.uniform(0, ph), rnd.uniform(6, 26)
            fd.ellipse((x - r, y - r, x + r, y + r), fill=(200, 170, 120, 14))
        # A thin ornamental rule around the text block.
        m = 16
        fd.rectangle((m, m, pw - m, ph - m), outline=(170, 120, 60, 120), width=1)
        for cx, cy in ((m, m), (pw - m, m), (m, ph - m), (pw - m, ph - m)):
            fd.polygon([(cx, cy - 5), (cx + 5, cy), (cx, cy + 5), (cx - 5, cy)], fill=(170, 120, 60, 200))
        img.paste(face, (int(a), int(y0)))
    d.line((sx, y0, sx, y1), fill=(120, 90, 60, 255), width=2)
    # A ribbon bookmark hanging out of the bottom of the spine.
    rb = [(sx + 6, y1 - 4), (sx + 22, y1 - 4), (sx + 22, y1 + 44), (sx + 14, y1 + 34), (sx + 6, y1 + 44)]
    d.polygon(rb, fill=(170, 30, 50, 255), outline=artkit.INK + (255,))
    tex = Image.new("RGBA", TEXTURE, (0, 0, 0, 255))
    tex.paste(img.convert("RGBA"), (0, 0))
    return tex


# ---- chapter pictures ---------------------------------------------------------------
def _hills(d, w, h, base, colour, amp, freq, phase):
    pts = [(0, h)]
    for x in range(0, w + 8, 8):
        y = base + amp * math.sin(x / w * freq * math.pi * 2 + phase) + amp * 0.4 * math.sin(x / w * freq * 5.3 + phase)
        pts.append((x, y))
    pts.append((w, h))
    d.polygon(pts, fill=colour + (255,))


def _lantern(img, x, y, scale=1.0):
    """The Guardian: a small cloaked figure holding up a glowing lantern."""
    d = ImageDraw.Draw(img, "RGBA")
    k = scale
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).ellipse((x + 6 * k - 26 * k, y - 30 * k - 26 * k, x + 6 * k + 26 * k, y - 30 * k + 26 * k),
                                 fill=220)
    img.paste(Image.new("RGBA", img.size, (255, 230, 140, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(10 * k)))
    d.polygon([(x - 8 * k, y), (x - 4 * k, y - 24 * k), (x + 4 * k, y - 24 * k), (x + 8 * k, y)],
              fill=(50, 60, 120, 255), outline=artkit.INK + (255,))
    d.ellipse((x - 5 * k, y - 32 * k, x + 5 * k, y - 22 * k), fill=(250, 220, 190, 255), outline=artkit.INK + (255,))
    d.polygon([(x - 6 * k, y - 27 * k), (x, y - 38 * k), (x + 6 * k, y - 27 * k)], fill=(50, 60, 120, 255),
              outline=artkit.INK + (255,))
    d.line((x + 3 * k, y - 18 * k, x + 7 * k, y - 26 * k), fill=artkit.INK + (255,), width=max(1, int(2 * k)))
    d.rectangle((x + 3 * k, y - 34 * k, x + 10 * k, y - 26 * k), fill=(255, 236, 150, 255), outline=artkit.INK + (255,))


def _lights(img, rnd, n, box, colour=(255, 245, 190)):
    glow = Image.new("L", img.size, 0)
    gd = ImageDraw.Draw(glow)
    dots = []
    for _ in range(n):
        x, y = rnd.uniform(box[0], box[2]), rnd.uniform(box[1], box[3])
        r = rnd.uniform(2, 4)
        gd.ellipse((x - r * 3, y - r * 3, x + r * 3, y + r * 3), fill=150)
        dots.append((x, y, r))
    img.paste(Image.new(img.mode, img.size, colour + (255,)[:len(img.mode) - 3]), (0, 0),
              glow.filter(ImageFilter.GaussianBlur(4)))
    d = ImageDraw.Draw(img)
    for x, y, r in dots:
        d.ellipse((x - r, y - r, x + r, y + r), fill=(255, 255, 240, 255))


def _cage(d, x, y, s=1.0):
    d.arc((x - 9 * s, y - 22 * s, x + 9 * s, y + 2 * s), 180, 360, fill=artkit.INK + (255,), width=3)
    for dx in (-8, 0, 8):
        d.line((x + dx * s, y - 11 * s + abs(dx) * 0.3, x + dx * s, y), fill=artkit.INK + (255,), width=2)
    d.line((x - 10 * s, y, x + 10 * s, y), fill=artkit.GOLD_DARK + (255,), width=3)
    d.ellipse((x - 3 * s, y - 9 * s, x + 3 * s, y - 3 * s), fill=(255, 250, 200, 255))


def chapter_picture(index):
    """index 0..6; 6 is the homecoming."""
    w, h = CHAPTER_PIC
    rnd = random.Random(index * 13 + 1)
    mood = artkit.WORLD_MOODS[index] if index < 6 else HOME
    img = artkit.vertical_gradient((w, h), mood["top"], mood["bottom"]).convert("RGB")
    d = ImageDraw.Draw(img, "RGBA")          # on RGB, translucent fills blend
    night = index in (3, 5)
    # The sun or the moon, with a halo.
    sx, sy = (230, 48) if index != 5 else (70, 40)
    halo = Image.new("L", (w, h), 0)
    ImageDraw.Draw(halo).ellipse((sx - 40, sy - 40, sx + 40, sy + 40), fill=160)
    img.paste(Image.new("RGBA", (w, h), (255, 250, 220, 255)), (0, 0), halo.filter(ImageFilter.GaussianBlur(14)))
    d.ellipse((sx - 14, sy - 14, sx + 14, sy + 14), fill=(255, 250, 220, 255) if not night else (240, 240, 255, 255))
    if night:
        for _ in range(30):
            x, y = rnd.uniform(0, w), rnd.uniform(0, h * 0.45)
            d.point((x, y), fill=(255, 255, 255, 200))
    far = artkit.lerp(mood["bottom"], mood["top"], 0.35)
    ground = [((130, 200, 100), (80, 160, 70)), ((240, 200, 130), (220, 160, 90)), ((60, 160, 190), (30, 110, 150)),
              ((50, 100, 60), (30, 70, 40)), ((220, 232, 250), (180, 200, 240)), ((90, 40, 50), (60, 24, 36)),
              ((150, 210, 110), (100, 180, 80))][index]
    # The world's landmark, behind the hills.
    if index == 5:
        d.polygon([(150, 40), (60, 170), (250, 170)], fill=(60, 26, 40, 255))
        d.polygon([(138, 50), (162, 50), (175, 70), (125, 70)], fill=(255, 150, 50, 255))
        d.rectangle((146, 20, 154, 48), fill=(24, 14, 28, 255))
        d.polygon([(144, 20), (150, 8), (156, 20)], fill=(24, 14, 28, 255))
        for k in range(3):
            d.line((150 + k * 8 - 8, 62, 120 + k * 30, 170), fill=(250, 110, 30, 220), width=3)
    elif index == 4:
        for k, x in enumerate((40, 110, 200, 270)):
            hh = 70 + 25 * (k % 2)
            d.polygon([(x - 45, 150), (x, 150 - hh), (x + 45, 150)], fill=(200, 220, 250, 255), outline=(120, 150, 210, 255))
            d.polygon([(x - 14, 150 - hh * 0.7), (x, 150 - hh), (x + 14, 150 - hh * 0.7)], fill=(255, 255, 255, 255))
    elif index == 1:
        d.polygon([(200, 130), (235, 92), (270, 130)], fill=(220, 170, 100, 255), outline=(150, 100, 50, 255))
    _hills(d, w, h, h * 0.62, artkit.lerp(far, ground[0], 0.5), 8, 1.3, index)
    _hills(d, w, h, h * 0.72, ground[0], 10, 0.9, index + 2)
    if index == 2:
        for k in range(12):
            y = h * 0.74 + k * 5
            d.line((0, y, w, y), fill=(220, 250, 255, 60), width=1)
        d.ellipse((70, 140, 140, 160), fill=(90, 140, 80, 255), outline=artkit.INK + (255,))   # the turtle raft
        d.ellipse((126, 142, 140, 152), fill=(110, 160, 90, 255), outline=artkit.INK + (255,))
    if index == 3:
        for x in range(0, w + 20, 22):
            hh = rnd.uniform(40, 70)
            d.polygon([(x - 14, h * 0.8), (x, h * 0.8 - hh), (x + 14, h * 0.8)], fill=(24, 60, 36, 255))
        d.ellipse((110, 150, 190, 175), fill=(170, 210, 170, 110))
    if index in (0, 6):         # round trees on the meadow's middle hill
        for tx, th in ((150, 46), (176, 36), (262, 40)):
            ty = h * 0.74
            d.rectangle((tx - 2, ty - th * 0.4, tx + 2, ty), fill=(100, 64, 40, 255))
            r = th * 0.38
            d.ellipse((tx - r, ty - th, tx + r, ty - th + 2 * r), fill=(50, 130, 60, 255), outline=artkit.INK + (255,))
            d.ellipse((tx - r * 0.6, ty - th + r * 0.3, tx, ty - th + r), fill=(120, 200, 100, 255))
    if index == 1:              # an oasis with palms
        d.ellipse((30, 150, 120, 166), fill=(70, 170, 200, 255), outline=(40, 110, 150, 255))
        for tx, th in ((40, 40), (108, 34)):
            d.line((tx, 158, tx + 5, 158 - th), fill=(120, 80, 40, 255), width=3)
            for a in range(5):
                ang = math.radians(200 + a * 35)
                d.line((tx + 5, 158 - th, tx + 5 + 15 * math.cos(ang), 158 - th - 15 * math.sin(ang) + 6),
                       fill=(40, 140, 60, 255), width=3)
    _hills(d, w, h, h * 0.84, ground[1], 6, 0.6, index + 4)
    if index in (0, 6):         # flowers in the grass
        for _ in range(40):
            x, y = rnd.uniform(0, w), rnd.uniform(h * 0.86, h)
            c = rnd.choice([(255, 250, 250), (255, 220, 80), (250, 140, 170), (190, 160, 255)])
            d.ellipse((x - 1.5, y - 1.5, x + 1.5, y + 1.5), fill=c + (255,))
    # Caged lights in the foreground (freed and rising in the homecoming).
    if index < 6:
        for k in range(3):
            _cage(d, 200 + k * 30, h * 0.86 + (k % 2) * 6)
        _lights(img, rnd, 6, (20, 20, w - 20, h * 0.6))
    else:
        _lights(img, rnd, 26, (10, 10, w - 10, h * 0.8))
        for k, c in enumerate(((255, 120, 120), (255, 220, 120), (140, 230, 140), (130, 180, 255))):
            d.arc((40, 60 + k * 6, 260, 260 + k * 6), 200, 340, fill=c + (110,), width=5)
    _lantern(img, 90 if index != 2 else 104, h * 0.86 if index != 2 else 146, 1.1)
    return _frame_picture(img.convert("RGBA"), rounded=False)


def _frame_picture(img, rounded):
    """A gold frame with an ink edge around a picture, plus an inner shade."""
    w, h = img.size
    out = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    mask = ui.rounded_mask((w, h), 16 if rounded else 6)
    if rounded:
        mask = Image.new("L", (w * S, h * S), 0)
        ImageDraw.Draw(mask).ellipse((0, 0, w * S - 1, h * S - 1), fill=255)
        mask = mask.resize((w, h), Image.LANCZOS)
    out.paste(img, (0, 0), mask)
    vig = Image.new("L", (w, h), 0)
    if rounded:
        ImageDraw.Draw(vig).ellipse((0, 0, w - 1, h - 1), outline=255, width=16)
    else:
        ImageDraw.Draw(vig).rectangle((0, 0, w - 1, h - 1), outline=255, width=14)
    vig = Image.composite(vig.filter(ImageFilter.GaussianBlur(8)).point(lambda v: v // 2), Image.new("L", (w, h), 0), mask)
    out.paste(Image.new("RGBA", (w, h), (40, 20, 10, 255)), (0, 0), vig)
    d = ImageDraw.Draw(out)
    if rounded:
        d.ellipse((1, 1, w - 2, h - 2), outline=artkit.INK + (255,), width=4)
        d.ellipse((3, 3, w - 4, h - 4), outline=artkit.GOLD + (255,), width=2)
    else:
        d.rounded_rectangle((0, 0, w - 1, h - 1), 6, outline=artkit.INK + (255,), width=4)
        d.rounded_rectangle((2, 2, w - 3, h - 3), 5, outline=artkit.GOLD + (255,), width=2)
    return out


# ---- spell pictures ----------------------------------------------------------------
def spell_picture(index):
    w, h = SPELL_PIC
    mood = artkit.WORLD_MOODS[index]
    img = artkit.vertical_gradient((w, h), artkit.lerp(mood["top"], (10, 8, 30), 0.6),
                                   artkit.lerp(mood["bottom"], (10, 8, 30), 0.5))
    cx, cy = w / 2, h / 2
    halo = Image.new("L", (w, h), 0)
    ImageDraw.Draw(halo).ellipse((cx - 70, cy - 70, cx + 70, cy + 70), fill=170)
    img.paste(Image.new("RGBA", (w, h), mood["accent"] + (255,)), (0, 0), halo.filter(ImageFilter.GaussianBlur(24)))
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    k = S
    X, Y = cx * k, cy * k
    ink = artkit.INK + (255,)
    if index == 0:      # a storm cloud with a bolt
        for ox, oy, r in ((-28, 0, 26), (0, -16, 32), (30, 0, 26), (0, 8, 26)):
            d.ellipse((X + (ox - r) * k, Y + (oy - r - 20) * k, X + (ox + r) * k, Y + (oy + r - 20) * k),
                      fill=(220, 226, 240, 255), outline=ink, width=2 * k)
        bolt = [(-6, 0), (16, 0), (2, 30), (18, 30), (-14, 78), (-4, 40), (-18, 40)]
        d.polygon([(X + x * k, Y + y * k) for x, y in bolt], fill=artkit.GOLD + (255,), outline=ink, width=2 * k)
    elif index == 1:    # a flame with a burning thread through a chain link
        d.ellipse((X - 50 * k, Y + 10 * k, X - 10 * k, Y + 50 * k), outline=ink, width=9 * k)
        d.ellipse((X - 48 * k, Y + 12 * k, X - 12 * k, Y + 48 * k), outline=(170, 180, 200, 255), width=5 * k)
        flame = [(0, -70), (30, -20), (26, 20), (0, 40), (-26, 20), (-30, -20)]
        d.polygon([(X + x * k, Y + y * k) for x, y in flame], fill=(250, 120, 30, 255), outline=ink, width=2 * k)
        inner = [(0, -30), (14, 0), (10, 22), (0, 30), (-10, 22), (-14, 0)]
        d.polygon([(X + x * k, Y + y * k) for x, y in inner], fill=(255, 230, 120, 255))
        d.line((X - 30 * k, Y + 30 * k, X + 60 * k, Y + 60 * k), fill=(255, 170, 60, 255), width=4 * k)
    elif index == 2:    # a frost crystal
        for a in range(6):
            ang = math.radians(a * 60 + 90)
            ex, ey = X + math.cos(ang) * 64 * k, Y - math.sin(ang) * 64 * k
            d.line((X, Y, ex, ey), fill=ink, width=10 * k)
            d.line((X, Y, ex, ey), fill=(220, 240, 255, 255), width=6 * k)
            for t in (0.5, 0.75):
                bx, by = X + math.cos(ang) * 64 * k * t, Y - math.sin(ang) * 64 * k * t
                for s2 in (-1, 1):
                    a2 = ang + s2 * math.radians(45)
                    d.line((bx, by, bx + math.cos(a2) * 16 * k, by - math.sin(a2) * 16 * k),
                           fill=(220, 240, 255, 255), width=4 * k)
        d.polygon(artkit.shape_points("hexagon", X, Y, 14 * k), fill=(255, 255, 255, 255), outline=ink)
    elif index == 3:    # a whirlwind around a cage
        for r in range(4):
            rr = (20 + r * 16) * k
            d.arc((X - rr, Y - rr * 0.55, X + rr, Y + rr * 0.55), 20 + r * 40, 300 + r * 40,
                  fill=(200, 250, 210, 255), width=(5 - r) * k)
        d.arc((X - 18 * k, Y - 30 * k, X + 18 * k, Y + 6 * k), 180, 360, fill=ink, width=4 * k)
        for dx in (-14, 0, 14):
            d.line((X + dx * k, Y - 12 * k, X + dx * k, Y + 12 * k), fill=ink, width=3 * k)
        d.line((X - 20 * k, Y + 12 * k, X + 20 * k, Y + 12 * k), fill=artkit.GOLD_DARK + (255,), width=4 * k)
    elif index == 4:    # a spark of stars
        for a in range(8):
            ang = math.radians(a * 45)
            d.line((X, Y, X + math.cos(ang) * 70 * k, Y + math.sin(ang) * 70 * k), fill=(200, 220, 255, 200), width=3 * k)
        d.polygon(artkit.shape_points("star", X, Y, 42 * k), fill=(240, 250, 255, 255), outline=ink, width=2 * k)
        for ox, oy in ((-50, -40), (52, -34), (40, 50), (-44, 46)):
            d.polygon(artkit.shape_points("star", X + ox * k, Y + oy * k, 10 * k), fill=artkit.GOLD + (255,), outline=ink)
    else:               # a falling star with its trail
        d.line((X - 70 * k, Y - 70 * k, X + 6 * k, Y + 6 * k), fill=(255, 170, 60, 200), width=18 * k)
        d.line((X - 70 * k, Y - 70 * k, X + 6 * k, Y + 6 * k), fill=(255, 235, 150, 255), width=8 * k)
        d.polygon(artkit.shape_points("star", X + 14 * k, Y + 14 * k, 40 * k), fill=artkit.GOLD + (255,), outline=ink,
                  width=2 * k)
    img.alpha_composite(big.resize((w, h), Image.LANCZOS))
    sparkles = random.Random(index + 40)
    _lights(img, sparkles, 8, (20, 20, w - 20, h - 20), (255, 240, 200))
    return _frame_picture(img, rounded=True)


# ---- sheets and the scene file ---------------------------------------------------------
def _grid(count, cell, per_row):
    return [((i % per_row) * (cell[0] + 4), (i // per_row) * (cell[1] + 4)) for i in range(count)]


CHAPTER_PLACES = _grid(CHAPTERS, CHAPTER_PIC, 3)
SPELL_PLACES = _grid(SPELLS, SPELL_PIC, 5)


def paint_chapters():
    sheet = Image.new("RGBA", (1024, 1024), (0, 0, 0, 0))
    for i, (x, y) in enumerate(CHAPTER_PLACES):
        sheet.alpha_composite(chapter_picture(i), (x, y))
    return sheet


def paint_spells():
    sheet = Image.new("RGBA", (1024, 512), (0, 0, 0, 0))
    for i, (x, y) in enumerate(SPELL_PLACES):
        sheet.alpha_composite(spell_picture(i), (x, y))
    return sheet


def paint_arrow():
    sheet = Image.new("RGBA", (256, 128), (0, 0, 0, 0))
    sheet.alpha_composite(ui.arrow_button(ARROW), (0, 0))
    sheet.alpha_composite(ui.arrow_button(ARROW, True), (0, ARROW[1] + 4))
    return sheet


def scene_xml():
    box = ('<shape type="polygon"><vertex x="-76" y="-18"/><vertex x="76" y="-18"/><vertex x="76" y="18"/>'
           '<vertex x="-76" y="18"/></shape>')
    out = ['<?xml version="1.0" encoding="ISO-8859-1"?>',
           '<!-- The story book, written by tools/art/storybook.py: the book, the seven',
           '     chapter pictures "img1".."img7" (the seventh is the homecoming), the six',
           '     spell pictures "sort1".."sort6" and the "arrow" that closes the book. -->',
           '<scene>', '  <images>',
           '    <image name="storybook"><filename>story/book.png</filename></image>',
           '    <image name="storychapters"><filename>story/chapters.png</filename></image>',
           '    <image name="storyspells"><filename>story/spells.png</filename></image>',
           '    <image name="storyarrow"><filename>story/arrow.png</filename></image>',
           '    <image name="gothic-font30"><filename>fonts/gothic-font30.png</filename></image>',
           '    <image name="gothic-font14"><filename>fonts/gothic-font14.png</filename></image>',
           '  </images>', '  <sprites>']
    sprite = '    <sprite name="%s"><sourceimage>%s</sourceimage><sourcerect x="%d" y="%d" width="%d" height="%d"/></sprite>'
    out.append(sprite % ("storybook", "storybook", 0, 0, W, H))
    for i, (x, y) in enumerate(CHAPTER_PLACES, 1):
        out.append(sprite % ("img%d" % i, "storychapters", x, y, CHAPTER_PIC[0], CHAPTER_PIC[1]))
    for i, (x, y) in enumerate(SPELL_PLACES, 1):
        out.append(sprite % ("sort%d" % i, "storyspells", x, y, SPELL_PIC[0], SPELL_PIC[1]))
    out.append(sprite % ("storyarrow", "storyarrow", 0, 0, ARROW[0], ARROW[1]))
    out.append(sprite % ("storyarrowover", "storyarrow", 0, ARROW[1] + 4, ARROW[0], ARROW[1]))
    out += ['  </sprites>', '  <elements>']
    el = '    <element type="image" name="%s"><sourcesprite>%s</sourcesprite>%s</element>'
    out.append(el % ("book", "storybook", ""))
    for i in range(1, CHAPTERS + 1):
        out.append(el % ("img%d" % i, "img%d" % i, ""))
    for i in range(1, SPELLS + 1):
        out.append(el % ("sort%d" % i, "sort%d" % i, ""))
    out.append(el % ("arrow", "storyarrow", box))
    out.append(el % ("arrowover", "storyarrowover", box))
    out += ['  </elements>', '  <levels>', '    <level name="story">', '    <lvlelements>',
            '      <lvlelement name="book"><sourceelement>book</sourceelement><pos x="0" y="0"/><layer>0</layer>'
            '<color a="255" r="255" g="255" b="255"/><dyntype>-1</dyntype></lvlelement>',
            '      <lvlelement name="arrow"><sourceelement>arrow</sourceelement><pos x="%d" y="%d"/><layer>4</layer>'
            '<color a="255" r="255" g="255" b="255"/><dyntype>0</dyntype><behaviors><behavior type="mouseoverelement">'
            '<switchelement>arrowover</switchelement><animspeed>-1</animspeed><soundover>guimouseover</soundover>'
            '</behavior></behaviors></lvlelement>' % ARROW_POS,
            '    </lvlelements>', '    </level>', '  </levels>', '</scene>']
    return "\n".join(out) + "\n"


def generate(work_dir):
    pictures = {"story/book.png": paint_book, "story/chapters.png": paint_chapters,
                "story/spells.png": paint_spells, "story/arrow.png": paint_arrow}
    return ui.write_outputs(work_dir, pictures, "story.xml", scene_xml())

if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "story-out"))
