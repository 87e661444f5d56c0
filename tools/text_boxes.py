"""Text sizes as the game draws them with an image font: each character
advances by its glyph cell's width plus the text element's kerning (the
image-font loader's cell widths, read back by font_image.read_glyphs), and
the text is one cell high. Boxes are (left, bottom, right, top) in level
coordinates (y up)."""
from font_image import read_glyphs

FIRST_CHAR = 32


class FontMetrics:
    def __init__(self, font_image, kerning=0):
        self.rects = read_glyphs(font_image)
        self.kerning = kerning
        self.height = max(b - t for _l, t, _r, b in self.rects) if self.rects else 0

    def width(self, text):
        total = 0
        for ch in text:
            i = ord(ch) - FIRST_CHAR
            left, _top, right, _bottom = self.rects[i if 0 <= i < len(self.rects) else 0]
            total += right - left + self.kerning
        return total

    def centred_box(self, text, x, y):
        """The box of a text centred on (x, y), as the map's texts are."""
        w = self.width(text)
        return (x - w / 2, y - self.height / 2, x + w / 2, y + self.height / 2)


def box_around(x, y, w, h):
    return (x - w / 2, y - h / 2, x + w / 2, y + h / 2)


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def inside(inner, outer, margin=0):
    return (inner[0] >= outer[0] + margin and inner[1] >= outer[1] + margin
            and inner[2] <= outer[2] - margin and inner[3] <= outer[3] - margin)
