"""Pictures of the tutorial page (dialog 8): its panel, button and check box,
and the illustrations the page shows beside its four lines: "tutotile" (a
swap that makes a line, with the two arrows "tutoarrow1"/"tutoarrow2" that
sway over it), "tutohidden", "tutospell" and "tutogauge", each drawn as the
board screens draw the thing (the board's pieces, its upright time gauge
at the right of the board, a spell socket of the spell panel with its
charge slot). The monster pictures come from the board screen's own data.
Every picture fits inside the page's frame, its motion included, so it
stays clear of the texts right of the frame."""
import os

from PIL import Image, ImageDraw, ImageFilter

import artkit
import _board_common as board
import _board_worlds as worlds

PANEL = (540, 320)
# The illustration's frame in the panel picture (left, top, right, bottom):
# around the illustration's place (-150, 25), ending 6 pixels short of the
# texts that start at x -90. tools/mock_screens.py checks that every picture,
# moving or turning, stays inside it.
FRAME = (60, 66, 174, 204)
# Sheet of the small pictures: name -> (x, y, w, h).
RECTS = {
    "tutotile": (0, 0, 96, 72),
    "tutoarrow1": (124, 0, 44, 18),
    "tutoarrow2": (124, 22, 44, 18),
    "tutohidden": (0, 94, 110, 110),
    "tutospell": (114, 94, 100, 110),
    "tutogauge": (228, 130, 100, 120),
    "tutobtn": (172, 0, 160, 40),
    "tutocheck": (228, 94, 32, 32),
}
SHEET = (512, 256)
CELL = 24
GAUGE_WIDTH, GAUGE_GAP = 28, 10        # the time gauge beside the board's corner


def _cells(grid):
    """A corner of a board: dark cells with the board's pieces (rows of
    piece colours, top row first)."""
    img = Image.new("RGBA", (len(grid[0]) * CELL, len(grid) * CELL), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle((0, 0, img.width - 1, img.height - 1), 6, fill=(40, 30, 70, 200),
                        outline=artkit.GOLD + (255,), width=2)
    for row, colours in enumerate(grid):
        for col, colour in enumerate(colours):
            p = artkit.PIECES[colour - 1]
            piece = artkit.jewel(CELL - 3, p["shape"], p["light"], p["dark"])
            img.alpha_composite(piece, (col * CELL + 2, row * CELL + 2))
    return img


def tile():
    """A 4 x 3 corner of a board: swapping the two middle pieces of the
    middle row lines up three rubies in the third column."""
    return _cells([[2, 4, 1, 3], [3, 1, 2, 5], [5, 3, 1, 4]])


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
    """The first spell's socket of the spell panel, drawn larger, glowing
    as a charged spell does, with its full charge slot below."""
    s = artkit.SUPERSAMPLE
    w, h = RECTS["tutospell"][2:]
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    halo = Image.new("L", (w, h), 0)
    ImageDraw.Draw(halo).ellipse((4, 2, w - 4, 90), fill=190)
    img.paste(Image.new("RGBA", (w, h), (255, 236, 150, 255)), (0, 0), halo.filter(ImageFilter.GaussianBlur(6)))
    big = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    cx, cy, r = w / 2 * s, 46 * s, 34 * s
    light, dark = worlds.SPELL_COLOURS[0]
    d.ellipse((cx - r - 4 * s, cy - r - 4 * s, cx + r + 4 * s, cy + r + 4 * s), fill=artkit.INK + (255,))
    m = Image.new("L", big.size, 0)
    ImageDraw.Draw(m).ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    big.paste(artkit.vertical_gradient(big.size, light, dark), (0, 0), m)
    worlds._spell_icon(d, 0, cx, cy, r * 0.8)
    d.arc((cx - r * 0.8, cy - r * 0.85, cx + r * 0.6, cy + r * 0.4), 200, 290, fill=(255, 255, 255, 160),
          width=3 * s)
    img.alpha_composite(big.resize((w, h), Image.LANCZOS))
    slot = board.spell_gauge_back().resize((80, 16), Image.LANCZOS)
    img.alpha_composite(slot, ((w - 80) // 2, 90))
    img.alpha_composite(board.spell_gauge().resize((74, 11), Image.LANCZOS), ((w - 74) // 2, 92))
    return img


def gauge_picture():
    """The time gauge as the board shows it: an upright tube at the right of
    the board, here two thirds full, beside a corner of the board."""
    w, h = RECTS["tutogauge"][2:]
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    cells = _cells([[1, 3], [4, 2], [5, 1], [3, 4]])
    gw, gh = board.GAUGE_SIZE
    tube = Image.new("RGBA", (gw, gh), (0, 0, 0, 0))
    tube.alpha_composite(board.time_gauge_back())
    bar = board.time_gauge_bar()
    spent = gh // 3                           # the top third has run out
    tube.alpha_composite(bar.crop((0, spent, gw, gh)), (0, spent))
    tube.alpha_composite(board.time_gauge_front())
    # The part of the tube the screen shows (its right columns are off the
    # screen's edge), a little wider than to scale so the small picture reads.
    visible = tube.crop((0, 0, board.TUBE_X1 + 8, gh))
    shown = visible.resize((GAUGE_WIDTH, h), Image.LANCZOS)
    left = (w - cells.width - GAUGE_GAP - GAUGE_WIDTH) // 2
    img.alpha_composite(cells, (left, (h - cells.height) // 2))
    img.alpha_composite(shown, (left + cells.width + GAUGE_GAP, 0))
    return img


def check_box():
    return artkit.panel((32, 32), artkit.PAPER, (210, 200, 180), radius=6, border=artkit.GOLD_DARK)


def button():
    return artkit.panel((160, 40), (110, 85, 160), (50, 36, 90), radius=12)


def panel():
    img = artkit.panel(PANEL, (66, 50, 104), (30, 22, 52), radius=20)
    d = ImageDraw.Draw(img)
    # A lighter frame for the illustration, left of the texts.
    d.rounded_rectangle(FRAME, 12, fill=(90, 75, 130, 255), outline=artkit.GOLD_DARK + (255,), width=2)
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
