#!/usr/bin/env python3
"""Draws one sheet of every image in the pack, to judge the look at a glance:
the style reference (six world moods, five pieces), each font writing a
sample line on a light and a dark strip, then every other image on a
checkerboard (alpha) or black (images without alpha, as additive ones are
drawn), each labelled with its pack name. When the pack holds the board
screens ("swap1.xml".."swap6.xml"), a mock of each screen (tools/
board_mock.py: background, panels, a layout of its world with pieces and
frame) comes before the pictures, and is saved beside the sheet at full
size (board_swapN.png). At the end come the hidden-object screens as
played (tools/hidden_mock.py), when the pack holds them, then one row per
screen: the picture beside the same picture with its objects' click shapes
drawn over it.

    contact_sheet.py <data.pk> <out.png>
"""
import io
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import zipfile

from PIL import Image, ImageDraw, ImageFont

import artkit
from font_image import draw_text, read_glyphs

SHEET_WIDTH = 1200
THUMB = 128
LABEL_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
SAMPLE = "Quorvel: Über 1234 pièces! àéîõü ÇÑ ¿? %&+-"


def _checker(size, cell=8):
    img = Image.new("RGBA", size, (200, 200, 200, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(150, 150, 150, 255))
    return img


def _style_rows(label_font):
    rows = []
    strip = Image.new("RGBA", (SHEET_WIDTH, 150), (40, 36, 56, 255))
    d = ImageDraw.Draw(strip)
    w = SHEET_WIDTH // 6
    for i, mood in enumerate(artkit.WORLD_MOODS):
        g = artkit.vertical_gradient((w - 10, 110), mood["top"], mood["bottom"])
        strip.alpha_composite(g, (i * w + 5, 5))
        d.rectangle((i * w + 5, 95, i * w + 45, 115), fill=mood["accent"] + (255,))
        d.text((i * w + 8, 122), "world %d %s" % (i + 1, mood["name"]), font=label_font, fill=artkit.PAPER)
    rows.append(strip)
    pieces = Image.new("RGBA", (SHEET_WIDTH, 110), (40, 36, 56, 255))
    d = ImageDraw.Draw(pieces)
    for i, p in enumerate(artkit.PIECES):
        g = artkit.jewel(72, p["shape"], p["light"], p["dark"])
        pieces.alpha_composite(g, (20 + i * 150, 5))
        grey = g.convert("LA").convert("RGBA")   # shapes must read without colour
        pieces.alpha_composite(grey.resize((36, 36)), (100 + i * 150, 40))
        d.text((20 + i * 150, 82), "%d %s" % (p["colour"], p["name"]), font=label_font, fill=artkit.PAPER)
    rows.append(pieces)
    return rows


BOARD_SCREENS = ["swap%d.xml" % n for n in range(1, 7)]
BOARD_THUMB = (SHEET_WIDTH // 3 - 8, (SHEET_WIDTH // 3 - 8) * 3 // 4)


def _board_rows(pack_path, label_font, out_dir):
    """Mock board screens, three to a row; none when the pack has none. Each
    screen is also saved at full size as out_dir/board_swapN.png."""
    import board_mock
    pack = board_mock._Pack(pack_path)
    with zipfile.ZipFile(pack_path) as z:
        present = [n for n in BOARD_SCREENS if n in z.namelist()]
    if not present or "data/layouts.bin" not in z.namelist():
        return []
    rows = []
    for i in range(0, len(present), 3):
        row = Image.new("RGBA", (SHEET_WIDTH, BOARD_THUMB[1] + 24), (60, 56, 76, 255))
        for k, name in enumerate(present[i:i + 3]):
            world = BOARD_SCREENS.index(name)
            lay = board_mock.layout_from_pack(pack, world * 10 + 5)
            shot = board_mock.draw(pack, name, lay, world, 5)
            shot.save(os.path.join(out_dir, "board_" + name.replace(".xml", ".png")))
            shot = shot.resize(BOARD_THUMB, Image.LANCZOS)
            x = 4 + k * (BOARD_THUMB[0] + 8)
            row.paste(shot, (x, 4))
            ImageDraw.Draw(row).text((x, BOARD_THUMB[1] + 7), "%s (mock, layout %d)" % (name, world * 10 + 5),
                                     font=label_font, fill=artkit.PAPER)
        rows.append(row)
    return rows


HIDDEN_SCREENS = ["hidden%d.xml" % n for n in (1, 2, 3)]
HIDDEN_THUMB = (SHEET_WIDTH // 3 - 8, (SHEET_WIDTH // 3 - 8) * 3 // 4)


def _hidden_rows(pack_path, label_font):
    """The hidden-object screens with their names panel, three to a row."""
    import hidden_mock
    from check_content import Pack
    pack = Pack(pack_path)
    present = [n for n in HIDDEN_SCREENS if pack.find(n)]
    if not present:
        return []
    row = Image.new("RGBA", (SHEET_WIDTH, HIDDEN_THUMB[1] + 24), (60, 56, 76, 255))
    for k, name in enumerate(present):
        shot = hidden_mock.draw(pack, name).resize(HIDDEN_THUMB, Image.LANCZOS)
        x = 4 + k * (HIDDEN_THUMB[0] + 8)
        row.paste(shot, (x, 4))
        ImageDraw.Draw(row).text((x, HIDDEN_THUMB[1] + 7), "%s (%d objects to find)"
                                 % (name, len(hidden_mock.candidates(pack, name))), font=label_font,
                                 fill=artkit.PAPER)
    return [row]


HIDDEN_HALF = (SHEET_WIDTH // 2 - 8, (SHEET_WIDTH // 2 - 8) * 3 // 4)


def _hidden_outline_rows(pack_path, label_font):
    """Per hidden-object screen, the picture as played beside the same
    picture with every object's click shape drawn over it: each object is
    there to be seen, but has to be looked for."""
    import hidden_mock
    from check_content import Pack
    pack = Pack(pack_path)
    rows = []
    for name in HIDDEN_SCREENS:
        if not pack.find(name):
            continue
        shot = hidden_mock.draw(pack, name)
        marked = hidden_mock.with_outlines(pack, name, shot)
        row = Image.new("RGBA", (SHEET_WIDTH, HIDDEN_HALF[1] + 24), (60, 56, 76, 255))
        d = ImageDraw.Draw(row)
        for k, (img, label) in enumerate(((shot, "%s as played" % name),
                                          (marked, "%s: click shapes of its %d objects"
                                           % (name, len(hidden_mock.candidates(pack, name)))))):
            x = 4 + k * (HIDDEN_HALF[0] + 8)
            row.paste(img.resize(HIDDEN_HALF, Image.LANCZOS), (x, 4))
            d.text((x, HIDDEN_HALF[1] + 7), label, font=label_font, fill=artkit.PAPER)
        rows.append(row)
    return rows


def draw(pack_path, out_path):
    label_font = ImageFont.truetype(LABEL_FONT, 12)
    rows = _style_rows(label_font)
    thumbs = []
    with zipfile.ZipFile(pack_path) as pack:
        for name in sorted(pack.namelist()):
            if not name.lower().endswith(".png"):
                continue
            img = Image.open(io.BytesIO(pack.read(name)))
            img.load()
            rects = read_glyphs(img) if name.startswith("fonts/") else None
            if rects:
                kerning = int(img.info.get("kerning", "0"))
                sample = draw_text(img, rects, SAMPLE, kerning=kerning)
                row = Image.new("RGBA", (SHEET_WIDTH, sample.size[1] * 2 + 24), (250, 244, 228, 255))
                ImageDraw.Draw(row).rectangle((0, sample.size[1] + 12, SHEET_WIDTH, row.size[1]),
                                              fill=(30, 26, 50, 255))
                ImageDraw.Draw(row).text((4, 2), "%s (%d glyphs)" % (name, len(rects)), font=label_font,
                                         fill=(90, 90, 90, 255))
                if kerning:
                    ImageDraw.Draw(row).text((4, 16), "drawn with kerning %d" % kerning, font=label_font,
                                             fill=(90, 90, 90, 255))
                row.alpha_composite(sample, (260, 4))
                row.alpha_composite(sample, (260, sample.size[1] + 16))
                rows.append(row)
            else:
                thumbs.append((name, img))
    rows += _board_rows(pack_path, label_font, os.path.dirname(os.path.abspath(out_path)))
    per_row = SHEET_WIDTH // (THUMB + 16)
    for i in range(0, len(thumbs), per_row):
        row = Image.new("RGBA", (SHEET_WIDTH, THUMB + 44), (60, 56, 76, 255))
        d = ImageDraw.Draw(row)
        for k, (name, img) in enumerate(thumbs[i:i + per_row]):
            x = 8 + k * (THUMB + 16)
            has_alpha = img.mode in ("RGBA", "LA") or "transparency" in img.info
            bg = _checker((THUMB, THUMB)) if has_alpha else Image.new("RGBA", (THUMB, THUMB), (0, 0, 0, 255))
            t = img.convert("RGBA")
            t.thumbnail((THUMB, THUMB))
            bg.alpha_composite(t, ((THUMB - t.size[0]) // 2, (THUMB - t.size[1]) // 2))
            row.alpha_composite(bg, (x, 6))
            d.text((x, THUMB + 8), name[-20:], font=label_font, fill=artkit.PAPER)
            d.text((x, THUMB + 22), "%dx%d %s" % (img.size[0], img.size[1], img.mode), font=label_font,
                   fill=artkit.PAPER)
        rows.append(row)
    rows += _hidden_rows(pack_path, label_font)
    rows += _hidden_outline_rows(pack_path, label_font)
    sheet = Image.new("RGBA", (SHEET_WIDTH, sum(r.size[1] + 4 for r in rows)), (20, 18, 30, 255))
    y = 0
    for r in rows:
        sheet.alpha_composite(r, (0, y))
        y += r.size[1] + 4
    sheet.convert("RGB").save(out_path)
    return out_path


if __name__ == "__main__":
    draw(sys.argv[1], sys.argv[2])
