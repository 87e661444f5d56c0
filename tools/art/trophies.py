"""Pictures of the trophies and hiscores page (dialog 9). The page's
"interfaceback" is drawn turned by -90 degrees in the level (the hiscore
lines are placed in its frame), so its picture is painted upright and stored
turned a quarter to the left. It shows the hiscore plaque in the middle, six
medallions for the trophies (columns at x -280 and 280, rows at y 195, 5
and -185, so the lowest plates clear the page's edge) with a name plate
under each, wide enough for every trophy title (the content checker
measures them against NAME_PLATE), and a wreath above the plaque. Also:
the six trophy cups, the "trophystar" shown per reached level, the hover
tip panel "trophytip" and the page's button."""
import math
import os

from PIL import Image, ImageDraw

import artkit

PAGE = (784, 596)                 # upright size of the page
TROPHY_SPOTS = [(-280, 195), (-280, 5), (-280, -185), (280, 195), (280, 5), (280, -185)]
# The title the page writes under each trophy: its place relative to the
# trophy, and the light plate painted there (width, height).
TITLE_AT = (-5, -89)
NAME_PLATE = (184, 22)
# The star spots around a trophy, for the ring the medallion paints.
STAR_SPOTS = [(0, 75), (50, 52), (61, -2), (29, -46), (-26, -46), (-61, -6), (-50, 55)]
PLAQUE = (-172, -84, 172, 92)      # hiscore plaque, level coordinates (left, bottom, right, top)
CUP = 100
# Sheet: cups in a row of four and two, then star, tip panel and button.
KINDS = ["score", "freedom", "chainbreaker", "magician", "matches", "hunter"]
SHEET = (512, 512)
RECTS = {"cup_" + k: ((i % 4) * 104, (i // 4) * 104, CUP, CUP) for i, k in enumerate(KINDS)}
RECTS.update({"trophystar": (208, 104, 24, 24), "trophytip": (0, 212, 220, 52),
              "trophybtn": (240, 212, 160, 40)})


def _px(x, y):
    return (PAGE[0] / 2 + x, PAGE[1] / 2 - y)


def page():
    img = artkit.panel(PAGE, (52, 40, 86), (24, 18, 42), radius=22)
    d = ImageDraw.Draw(img)
    l, t = _px(PLAQUE[0], PLAQUE[3])
    r, b = _px(PLAQUE[2], PLAQUE[1])
    plaque = artkit.panel((int(r - l), int(b - t)), (96, 74, 140), (58, 44, 92), radius=14)
    img.alpha_composite(plaque, (int(l), int(t)))
    for x, y in TROPHY_SPOTS:
        cx, cy = _px(x, y)
        d.ellipse((cx - 70, cy - 70, cx + 70, cy + 70), fill=(70, 56, 110, 255), outline=artkit.GOLD_DARK + (255,),
                  width=3)
        d.ellipse((cx - 64, cy - 64, cx + 64, cy + 64), outline=(110, 92, 160, 255), width=2)
        for sx, sy in STAR_SPOTS:     # faint sockets where the stars will shine
            px, py = cx + sx, cy - sy
            d.polygon(artkit.shape_points("star", px, py, 10), fill=(95, 80, 140, 255))
        px, py = _px(x + TITLE_AT[0], y + TITLE_AT[1])
        hw, hh = NAME_PLATE[0] / 2, NAME_PLATE[1] / 2
        d.rounded_rectangle((px - hw, py - hh, px + hw, py + hh), 8, fill=artkit.PAPER + (255,),
                            outline=artkit.GOLD_DARK + (255,), width=2)
    # A wreath with a star above the plaque.
    cx, cy = _px(0, 190)
    for deg in list(range(110, 260, 22)) + list(range(-70, 80, 22)):
        a = math.radians(deg)
        lx, ly = cx + 58 * math.cos(a), cy + 10 + 50 * math.sin(a)
        d.ellipse((lx - 12, ly - 6, lx + 12, ly + 6), fill=(90, 170, 80, 255), outline=artkit.INK + (255,))
    star = artkit.gem(80, "star", artkit.GOLD, artkit.GOLD_DARK)
    img.alpha_composite(star, (int(cx - 40), int(cy - 44)))
    # Stored turned, at its own size: no padding to upload.
    return img.rotate(90, expand=True)


def _emblem(d, kind, cx, cy, s):
    ink = artkit.INK + (255,)
    if kind == "score":
        d.polygon(artkit.shape_points("star", cx, cy, 14 * s), fill=(255, 255, 255, 255), outline=ink, width=s)
    elif kind == "freedom":          # an open cage door
        for x in (-10, -3, 4):
            d.line((cx + x * s, cy - 12 * s, cx + x * s, cy + 12 * s), fill=ink, width=2 * s)
        d.arc((cx - 12 * s, cy - 20 * s, cx + 6 * s, cy - 4 * s), 180, 360, fill=ink, width=2 * s)
        d.line((cx + 6 * s, cy - 12 * s, cx + 14 * s, cy - 4 * s), fill=ink, width=2 * s)
        d.line((cx + 14 * s, cy - 4 * s, cx + 14 * s, cy + 14 * s), fill=ink, width=2 * s)
    elif kind == "chainbreaker":     # two links apart
        d.ellipse((cx - 16 * s, cy - 7 * s, cx - 1 * s, cy + 7 * s), outline=ink, width=3 * s)
        d.ellipse((cx + 3 * s, cy - 7 * s, cx + 18 * s, cy + 7 * s), outline=ink, width=3 * s)
    elif kind == "magician":         # a wand with a star
        d.line((cx - 12 * s, cy + 12 * s, cx + 4 * s, cy - 4 * s), fill=ink, width=3 * s)
        d.polygon(artkit.shape_points("star", cx + 7 * s, cy - 7 * s, 8 * s), fill=(255, 255, 255, 255), outline=ink)
    elif kind == "matches":          # three pieces in a row
        for i, colour in enumerate((0, 0, 0)):
            p = artkit.PIECES[colour]
            x = cx + (i - 1) * 11 * s
            d.ellipse((x - 5 * s, cy - 5 * s, x + 5 * s, cy + 5 * s), fill=p["light"] + (255,), outline=ink,
                      width=s)
    elif kind == "hunter":           # crossed swords
        for sign in (-1, 1):
            d.line((cx - 12 * s * sign, cy + 12 * s, cx + 12 * s * sign, cy - 12 * s), fill=(230, 235, 245, 255),
                   width=3 * s)
            d.line((cx - 12 * s * sign, cy + 12 * s, cx - 7 * s * sign, cy + 7 * s), fill=ink, width=4 * s)


def cup(kind):
    s = artkit.SUPERSAMPLE
    n = CUP * s
    img = Image.new("RGBA", (n, n), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    ink = artkit.INK + (255,)
    gold, dark = artkit.GOLD + (255,), artkit.GOLD_DARK + (255,)
    for side in (-1, 1):   # handles
        d.arc((n / 2 + side * 30 * s - 14 * s, 20 * s, n / 2 + side * 30 * s + 14 * s, 52 * s),
              0, 360, fill=ink, width=5 * s)
        d.arc((n / 2 + side * 30 * s - 13 * s, 21 * s, n / 2 + side * 30 * s + 13 * s, 51 * s),
              0, 360, fill=dark, width=2 * s)
    d.chord((22 * s, -6 * s, 78 * s, 70 * s), 0, 180, fill=gold, outline=ink, width=2 * s)
    d.rectangle((45 * s, 62 * s, 55 * s, 78 * s), fill=dark, outline=ink, width=2 * s)
    d.rounded_rectangle((28 * s, 76 * s, 72 * s, 92 * s), 4 * s, fill=gold, outline=ink, width=2 * s)
    d.ellipse((34 * s, 8 * s, 66 * s, 40 * s), fill=(120, 90, 180, 255), outline=ink, width=2 * s)
    _emblem(d, kind, 50 * s, 24 * s, s)
    d.ellipse((28 * s, 36 * s, 40 * s, 50 * s), fill=(255, 255, 255, 110))
    return img.resize((CUP, CUP), Image.LANCZOS)


def star():
    return artkit.gem(24, "star", artkit.GOLD, artkit.GOLD_DARK)


def tip():
    return artkit.panel((220, 52), artkit.PAPER, (230, 215, 180), radius=10, border=artkit.GOLD_DARK, border_width=2)


def button():
    return artkit.panel((160, 40), (110, 85, 160), (50, 36, 90), radius=12)


def generate(work_dir):
    os.makedirs(work_dir, exist_ok=True)
    sheet = Image.new("RGBA", SHEET, (0, 0, 0, 0))
    for name, rect in RECTS.items():
        if name.startswith("cup_"):
            pic = cup(name[4:])
        else:
            pic = {"trophystar": star, "trophytip": tip, "trophybtn": button}[name]()
        sheet.alpha_composite(pic, rect[:2])
    out = {}
    for name, img in (("pictures", sheet), ("page", page())):
        path = os.path.join(work_dir, name + ".png")
        img.save(path)
        out["trophies/%s.png" % name] = path
    return out


if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "trophies-out"))
