"""Bitmap fonts in the image-font layout that Irrlicht's font loader reads.

Layout of one font image (RGBA PNG):
- pixel (0, 0) is the top-left marker colour, pixel (1, 0) the lower-right
  marker colour, pixel (2, 0) the background colour (all inside the blank
  first glyph, the space);
- each glyph cell has the top-left marker on its top-left pixel and the
  lower-right marker one pixel right of and below its last pixel; the
  loader maps the n-th cell, in reading order, to character 32 + n;
- 224 cells: Latin-1 characters 32 to 255 (127 to 159 are blank cells so
  that 160 and up keep their codes).
Glyphs are white with a soft dark outline, so a text element's colour tints
them and they stay legible on light and dark backgrounds.

Fonts are listed in content/fonts/*.txt, one per line:
    <name> <DejaVu face file without .ttf> [plain|outline|shadow] [+N]
The pixel size is the number at the end of the name ("andalous-font18" is
18 pixels). "+N" widens every cell by N blank columns on the right: a screen
that sets a negative kerning of -N on its text element then draws the
letters at their natural spacing. Pack entry: "fonts/<name>.png".
"""
import os
import re

from PIL import Image, ImageDraw, ImageFilter, ImageFont, PngImagePlugin

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
FIRST_CHAR = 32
LAST_CHAR = 255
TOP_LEFT = (255, 255, 0, 255)      # marker colours never used by a glyph
LOWER_RIGHT = (255, 0, 0, 255)
BACKGROUND = (0, 0, 0, 0)
IMAGE_WIDTH = 512
OUTLINE = (16, 10, 28)


def pack_name(font_name):
    return "fonts/%s.png" % font_name


def read_font_list(content_dir):
    """[(name, face, style, extra columns)] from content/fonts/*.txt, in file then line order."""
    fonts = []
    folder = os.path.join(content_dir, "fonts")
    if not os.path.isdir(folder):
        return fonts
    for fname in sorted(os.listdir(folder)):
        if not fname.endswith(".txt"):
            continue
        with open(os.path.join(folder, fname), encoding="utf-8") as f:
            for line in f:
                line = line.split("#", 1)[0].split()
                if not line:
                    continue
                style = line[2] if len(line) > 2 else "outline"
                spacing = int(line[3]) if len(line) > 3 else 0
                fonts.append((line[0], line[1], style, spacing))
    return fonts


def font_size(name):
    m = re.search(r"(\d+)$", name)
    if not m:
        raise ValueError("font name %s does not end in its pixel size" % name)
    return int(m.group(1))


def _glyph(font, ch, pad, style, height, ascent_shift, spacing=0):
    """One glyph cell image (RGBA), its width = advance + padding + spacing."""
    advance = int(round(font.getlength(ch))) if ch else 0
    # The outline or shadow takes one pixel more than the letter's advance.
    w = max(3, advance + pad) + spacing
    left = pad if style == "outline" else 0
    img = Image.new("RGBA", (w, height), BACKGROUND)
    if not ch or not ch.strip():
        return img
    text_mask = Image.new("L", (w, height), 0)
    ImageDraw.Draw(text_mask).text((left, pad + ascent_shift), ch, font=font, fill=255)
    if style in ("outline", "shadow"):
        if style == "outline":
            edge = text_mask.filter(ImageFilter.MaxFilter(3))
        else:
            edge = Image.new("L", (w, height), 0)
            edge.paste(text_mask, (1, 1))
        edge = edge.point(lambda v: min(255, int(v * 0.85)))
        img.paste(Image.new("RGBA", (w, height), OUTLINE + (255,)), (0, 0), edge)
    img.paste(Image.new("RGBA", (w, height), (255, 255, 255, 255)), (0, 0), text_mask)
    # Row 0 stays blank: the top-left marker (and, in the first cell, the
    # two colour samples) live there.
    px = img.load()
    for x in range(w):
        px[x, 0] = BACKGROUND
    return img


def render_font(name, face, style, out_path, spacing=0):
    size = font_size(name)
    font = ImageFont.truetype(os.path.join(FONT_DIR, face + ".ttf"), size)
    ascent, descent = font.getmetrics()
    pad = 1 if style != "plain" else 0
    # One blank row on top for the markers, then the line, then the outline.
    height = ascent + descent + 2 * pad + 1
    ascent_shift = 1
    chars = []
    for code in range(FIRST_CHAR, LAST_CHAR + 1):
        ch = bytes([code]).decode("latin-1")
        printable = not (127 <= code <= 159)
        chars.append(_glyph(font, ch if printable else " ", pad, style, height, ascent_shift, spacing))
    # Place cells row by row; each cell needs one extra column and row for
    # the lower-right marker.
    x = y = 0
    places = []
    for g in chars:
        if x + g.width + 1 > IMAGE_WIDTH:
            x = 0
            y += height + 1
        places.append((x, y))
        x += g.width + 1
    total_h = y + height + 1
    img = Image.new("RGBA", (IMAGE_WIDTH, _pow2(total_h)), BACKGROUND)
    px = img.load()
    for g, (gx, gy) in zip(chars, places):
        img.paste(g, (gx, gy))
        px[gx, gy] = TOP_LEFT
        px[gx + g.width, gy + height] = LOWER_RIGHT
    px[1, 0] = LOWER_RIGHT
    px[2, 0] = BACKGROUND
    # The kerning that balances the extra columns, for tools that draw
    # samples (the game's loader ignores text chunks).
    info = PngImagePlugin.PngInfo()
    info.add_text("kerning", str(-spacing))
    img.save(out_path, pnginfo=info)
    return out_path


def _pow2(n):
    p = 1
    while p < n:
        p *= 2
    return p


def generate_fonts(content_dir, work_dir):
    """{pack name: file} for every listed font."""
    os.makedirs(work_dir, exist_ok=True)
    out = {}
    for name, face, style, spacing in read_font_list(content_dir):
        path = os.path.join(work_dir, name + ".png")
        render_font(name, face, style, path, spacing)
        out[pack_name(name)] = path
    return out
