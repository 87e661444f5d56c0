"""Pictures of the tutorial page (dialog 8): its panel, button and check box,
and the illustrations the page shows beside its four lines: "tutotile" (a
swap that makes a line, with the two arrows "tutoarrow1"/"tutoarrow2" that
sway over it), "tutohidden", "tutospell" and "tutogauge". The monster
pictures come from the board screen's own data."""
import math
import os

from PIL import Image, ImageDraw

import artkit

PANEL = (540, 320)
# Sheet of the small pictures: name -> (x, y, w, h).
RECTS = {
    "tutotile": (0, 0, 120, 90),
    "tutoarrow1": (124, 0, 44, 18),
    "tutoarrow2": (124, 22, 44, 18),
    "tutohidden": (0, 94, 110, 110),
    "tutospell": (114, 94, 110, 110),
    "tutogauge": (0, 208, 140, 44),
    "tutobtn": (172, 0, 160, 40),
    "tutocheck": (228, 94, 32, 32),
}
SHEET = (512, 256)
CELL = 30


def _ruby(size):
    p = artkit.PIECES[0]
    return artkit.gem(size, p["shape"], p["light"], p["dark"])


def tile():
    """A 4 x 3 corner of a board: swapping the two middle pieces of the
    middle row lines up three rubies in the third column."""
    img = Image.new("RGBA", (4 * CELL, 3 * CELL), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((0, 0, 4 * CELL - 1, 3 * CELL - 1), 6, fill=(40, 30, 70, 200), outline=artkit.GOLD + (255,),
                        width=2)
    grid = [[2, 4, 1, 3], [3, 1, 2, 5], [5, 3, 1, 4]]     # piece colours, rows top to bottom
    for row, colours in enumerate(grid):
        for col, colour in enumerate(colours):
            p = artkit.PIECES[colour - 1]
            img.alpha_composite(artkit.gem(CELL - 4, p["shape"], p["light"], p["dark"]), (col * CELL + 2, row * CELL + 2))
    return img


def arrow(pointing_right):
    s = artkit.SUPERSAMPLE
    w, h = 44, 18
    img = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    pts = [(2, 6), (28, 6), (28, 1), (42, 9), (28, 17), (28, 12), (2, 12)]
    if not pointing_right:
        pts = [(w - x, y) for x, y in pts]
    ImageDraw.Draw(img).polygon([(x * s, y * s) for x, y in pts], fill=artkit.GOLD + (255,),
                                outline=artkit.INK + (255,), width=2 * s)
    return img.resize((w, h), Image.LANCZOS)


def magnifier_picture():
    """A magnifying glass over a small key: finding things."""
    s = artkit.SUPERSAMPLE
    img = Image.new("RGBA", (110 * s, 110 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse((6 * s, 6 * s, 104 * s, 104 * s), fill=(60, 110, 70, 255), outline=artkit.INK + (255,), width=3 * s)
    # The key under the glass.
    d.ellipse((28 * s, 40 * s, 46 * s, 58 * s), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=2 * s)
    d.rectangle((44 * s, 46 * s, 76 * s, 52 * s), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=2 * s)
    d.rectangle((66 * s, 52 * s, 71 * s, 60 * s), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=2 * s)
    # The glass and its handle.
    d.line((66 * s, 66 * s, 96 * s, 96 * s), fill=artkit.INK + (255,), width=14 * s)
    d.line((68 * s, 68 * s, 94 * s, 94 * s), fill=(150, 90, 40, 255), width=8 * s)
    d.ellipse((18 * s, 18 * s, 78 * s, 78 * s), outline=artkit.INK + (255,), width=9 * s)
    d.ellipse((21 * s, 21 * s, 75 * s, 75 * s), outline=artkit.GOLD + (255,), width=4 * s)
    d.ellipse((30 * s, 28 * s, 44 * s, 38 * s), fill=(255, 255, 255, 150))
    return img.resize((110, 110), Image.LANCZOS)


def spell_picture():
    """A glowing orb on a small stand with sparks around it."""
    s = artkit.SUPERSAMPLE
    img = Image.new("RGBA", (110 * s, 110 * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for k in range(8):
        a = math.radians(k * 45)
        x, y = 55 * s + 46 * s * math.cos(a), 48 * s + 42 * s * math.sin(a)
        d.polygon(artkit.shape_points("star", x, y, 7 * s), fill=artkit.GOLD + (255,))
    d.polygon([(35 * s, 100 * s), (75 * s, 100 * s), (64 * s, 78 * s), (46 * s, 78 * s)],
              fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,), width=2 * s)
    img = img.resize((110, 110), Image.LANCZOS)
    p = artkit.PIECES[4]
    img.alpha_composite(artkit.gem(60, "circle", p["light"], p["dark"]), (25, 18))
    return img


def gauge_picture():
    """The time gauge: a bar two thirds full beside a small hourglass."""
    img = Image.new("RGBA", (140, 44), (0, 0, 0, 0))
    img.alpha_composite(artkit.panel((100, 24), (60, 50, 80), (30, 24, 44), radius=8, border_width=2), (38, 10))
    img.alpha_composite(artkit.panel((62, 14), (150, 240, 140), (20, 130, 60), radius=5, border_width=1,
                                     border=artkit.INK), (42, 15))
    d = ImageDraw.Draw(img)
    d.polygon([(4, 4), (30, 4), (17, 22), (30, 40), (4, 40), (17, 22)], fill=(220, 240, 255, 255),
              outline=artkit.INK + (255,))
    d.polygon([(10, 34), (24, 34), (27, 39), (7, 39)], fill=artkit.GOLD + (255,))
    d.line((2, 3, 32, 3), fill=artkit.INK + (255,), width=3)
    d.line((2, 41, 32, 41), fill=artkit.INK + (255,), width=3)
    return img


def check_box():
    return artkit.panel((32, 32), artkit.PAPER, (210, 200, 180), radius=6, border=artkit.GOLD_DARK)


def button():
    return artkit.panel((160, 40), (110, 85, 160), (50, 36, 90), radius=12)


def panel():
    img = artkit.panel(PANEL, (66, 50, 104), (30, 22, 52), radius=20)
    d = ImageDraw.Draw(img)
    # A lighter frame for the illustration, left of the texts.
    d.rounded_rectangle((62, 68, 178, 202), 12, fill=(90, 75, 130, 255), outline=artkit.GOLD_DARK + (255,), width=2)
    d.line((PANEL[0] // 2 - 80, 66, PANEL[0] // 2 + 80, 66), fill=artkit.GOLD_DARK + (255,), width=2)   # under the title
    return img


def generate(work_dir):
    os.makedirs(work_dir, exist_ok=True)
    sheet = Image.new("RGBA", SHEET, (0, 0, 0, 0))
    makers = {"tutotile": tile, "tutoarrow1": lambda: arrow(True), "tutoarrow2": lambda: arrow(False),
              "tutohidden": magnifier_picture, "tutospell": spell_picture, "tutogauge": gauge_picture,
              "tutobtn": button, "tutocheck": check_box}
    for name, rect in RECTS.items():
        pic = makers[name]()
        assert pic.size == rect[2:], name
        sheet.alpha_composite(pic, rect[:2])
    out = {}
    for name, img in (("pictures", sheet), ("panel", panel())):
        path = os.path.join(work_dir, name + ".png")
        img.save(path)
        out["tuto/%s.png" % name] = path
    return out


if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "tutorial-out"))
