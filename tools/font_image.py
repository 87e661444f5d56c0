"""Reads glyph rectangles back from a font image the way Irrlicht's image-font
loader does: pixel (0,0) gives the top-left marker colour, (1,0) the
lower-right one, and cells pair up in reading order."""
from PIL import Image


def read_glyphs(img):
    """[(left, top, right, bottom)] in reading order (right/bottom exclusive),
    or None when the markers do not pair up."""
    img = img.convert("RGBA")
    w, h = img.size
    px = img.load()
    tl = px[0, 0][:3] + (255,)
    lr = px[1, 0]
    tops, rects = [], []
    for y in range(h):
        for x in range(w):
            if x == 1 and y == 0:
                continue
            c = px[x, y]
            if (x, y) == (0, 0) or c == tl:
                tops.append((x, y))
            elif c == lr:
                if len(rects) >= len(tops):
                    return None
                x0, y0 = tops[len(rects)]
                rects.append((x0, y0, x, y))
    if not rects or len(rects) != len(tops):
        return None
    return rects


def draw_text(font_img, rects, text, first_char=32, kerning=0):
    """An RGBA image of text drawn with the font (for the contact sheet),
    each letter advanced by its cell width plus kerning, as the game's text
    element with that kerning draws it."""
    font_img = font_img.convert("RGBA")
    height = max(b - t for _l, t, _r, b in rects)
    width = 0
    for ch in text:
        i = ord(ch) - first_char
        l, t, r, b = rects[i if 0 <= i < len(rects) else 0]
        width += r - l + kerning
    # Room for the last cell whole; cut back to the advance width at the end.
    out = Image.new("RGBA", (max(1, width + max(0, -kerning)), height), (0, 0, 0, 0))
    x = 0
    for ch in text:
        i = ord(ch) - first_char
        l, t, r, b = rects[i if 0 <= i < len(rects) else 0]
        glyph = font_img.crop((l, t, r, b))
        gp = glyph.load()
        # The loader clears the markers: the top-left one of every cell, and
        # the lower-right colour sample at (1, 0) inside the first cell.
        gp[0, 0] = (0, 0, 0, 0)
        if (l, t) == (0, 0) and glyph.size[0] > 1:
            gp[1, 0] = (0, 0, 0, 0)
        out.alpha_composite(glyph, (max(0, x), 0))
        x += r - l + kerning
    return out.crop((0, 0, max(1, width), height))
