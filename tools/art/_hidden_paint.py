"""Painted objects of the hidden-object scenes: each a small picture in the
game's look (gradient parts, one dark outline around the silhouette, a soft
highlight), drawn at 4x and scaled down. PAINTERS maps a kind to its painter;
every painter returns an RGBA image with a transparent margin."""
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import artkit

S = artkit.SUPERSAMPLE
INK = artkit.INK
MARGIN = 3          # transparent pixels around every object (room for the outline)


class Obj:
    """An object drawn part by part in final-size coordinates."""

    def __init__(self, w, h):
        self.w, self.h = w + 2 * MARGIN, h + 2 * MARGIN
        self.img = Image.new("RGBA", (self.w * S, self.h * S), INK + (0,))
        self.draw = ImageDraw.Draw(self.img)

    def _xy(self, pts):
        return [((x + MARGIN) * S, (y + MARGIN) * S) for x, y in pts]

    def part(self, kind, coords, top, bottom=None, **kw):
        """A filled shape ("ellipse", "polygon", "rect", "round", "pie",
        "chord") shaded from top to bottom colour."""
        mask = Image.new("L", self.img.size, 0)
        d = ImageDraw.Draw(mask)
        if kind == "polygon":
            d.polygon(self._xy(coords), fill=255)
        else:
            box = self._xy([coords[:2], coords[2:4]])
            box = [box[0][0], box[0][1], box[1][0], box[1][1]]
            if kind == "ellipse":
                d.ellipse(box, fill=255)
            elif kind == "rect":
                d.rectangle(box, fill=255)
            elif kind == "round":
                d.rounded_rectangle(box, kw.get("r", 3) * S, fill=255)
            elif kind == "pie":
                d.pieslice(box, kw["start"], kw["end"], fill=255)
            elif kind == "chord":
                d.chord(box, kw["start"], kw["end"], fill=255)
        bbox = mask.getbbox()
        if not bbox:
            return
        grad = artkit.vertical_gradient((bbox[2] - bbox[0], bbox[3] - bbox[1]), top, bottom or _darker(top))
        layer = Image.new("RGBA", self.img.size, (0, 0, 0, 0))
        layer.paste(grad, bbox[:2])
        self.img.paste(layer, (0, 0), mask)

    def cut(self, kind, coords):
        """Makes an ellipse or rectangle of the picture transparent."""
        mask = Image.new("L", self.img.size, 0)
        box = [(coords[0] + MARGIN) * S, (coords[1] + MARGIN) * S, (coords[2] + MARGIN) * S, (coords[3] + MARGIN) * S]
        (ImageDraw.Draw(mask).ellipse if kind == "ellipse" else ImageDraw.Draw(mask).rectangle)(box, fill=255)
        self.img.putalpha(ImageChops.subtract(self.img.getchannel("A"), mask))

    def line(self, pts, colour=INK, width=1.5):
        self.draw.line(self._xy(pts), fill=colour + (255,), width=int(width * S), joint="curve")

    def arc(self, box, start, end, colour=INK, width=1.5):
        b = self._xy([box[:2], box[2:4]])
        self.draw.arc([b[0][0], b[0][1], b[1][0], b[1][1]], start, end, fill=colour + (255,), width=int(width * S))

    def dot(self, x, y, r, colour):
        (cx, cy), = self._xy([(x, y)])
        self.draw.ellipse((cx - r * S, cy - r * S, cx + r * S, cy + r * S), fill=colour + (255,))

    def finish(self, shine=True):
        """Outline the silhouette (2 px), add the highlight, scale down."""
        alpha = self.img.getchannel("A")
        grown = alpha.filter(ImageFilter.MaxFilter(2 * 2 * S + 1))
        out = Image.new("RGBA", self.img.size, INK + (0,))
        out.putalpha(grown)
        out.alpha_composite(self.img)
        if shine:
            bbox = alpha.getbbox()
            hl = Image.new("L", self.img.size, 0)
            bw, bh = bbox[2] - bbox[0], bbox[3] - bbox[1]
            ImageDraw.Draw(hl).ellipse((bbox[0] + bw * 0.12, bbox[1] + bh * 0.08,
                                        bbox[0] + bw * 0.45, bbox[1] + bh * 0.32), fill=110)
            hl = hl.filter(ImageFilter.GaussianBlur(S * 3))
            hl = ImageChops.multiply(hl, alpha)
            out.paste(Image.new("RGBA", self.img.size, (255, 255, 255, 255)), (0, 0),
                      Image.composite(hl, Image.new("L", self.img.size, 0), alpha))
        return out.resize((self.w, self.h), Image.LANCZOS)


def _darker(c, k=0.55):
    return tuple(int(v * k) for v in c)


# Colours shared by the painters.
BRASS, BRASS_D = (250, 210, 90), (160, 100, 20)
IRON, IRON_D = (170, 175, 190), (70, 75, 95)
WOOD, WOOD_D = (200, 140, 80), (110, 60, 25)
RED, RED_D = (240, 80, 70), (140, 20, 30)
GREEN, GREEN_D = (130, 210, 90), (40, 110, 40)
BLUE, BLUE_D = (110, 170, 250), (30, 60, 160)
CREAM, CREAM_D = (252, 244, 220), (200, 180, 140)
PURPLE, PURPLE_D = (200, 130, 240), (90, 30, 140)
LEATHER, LEATHER_D = (170, 100, 60), (90, 45, 20)


def key():
    o = Obj(56, 24)
    o.part("ellipse", (0, 2, 20, 22), BRASS, BRASS_D)
    o.part("rect", (18, 9, 54, 15), BRASS, BRASS_D)
    o.part("rect", (42, 15, 47, 22), BRASS, BRASS_D)
    o.part("rect", (50, 15, 54, 20), BRASS, BRASS_D)
    o.dot(10, 12, 4.5, INK)
    return o.finish()


def lantern():
    o = Obj(34, 52)
    o.arc((9, 0, 25, 14), 180, 360, INK, 2)
    o.part("polygon", [(5, 8), (29, 8), (32, 14), (2, 14)], IRON, IRON_D)
    o.part("rect", (5, 14, 29, 44), (255, 240, 150), (250, 170, 50))
    o.line([(11, 14), (11, 44)], IRON_D, 2)
    o.line([(23, 14), (23, 44)], IRON_D, 2)
    o.part("ellipse", (13, 24, 21, 36), (255, 255, 230), (255, 200, 80))
    o.part("rect", (2, 44, 32, 51), IRON, IRON_D)
    return o.finish()


def teapot():
    o = Obj(62, 44)
    o.part("polygon", [(0, 12), (6, 12), (16, 28), (12, 32)], BLUE, BLUE_D)
    o.arc((44, 12, 62, 34), 270, 90, BLUE_D, 4)
    o.part("ellipse", (10, 10, 52, 44), BLUE, BLUE_D)
    o.part("chord", (16, 2, 46, 20), (150, 200, 255), BLUE_D, start=180, end=360)
    o.part("ellipse", (27, 0, 35, 6), CREAM, CREAM_D)
    o.line([(14, 30), (48, 30)], CREAM, 2)
    return o.finish()


def book():
    o = Obj(48, 40)
    o.part("polygon", [(2, 8), (40, 2), (46, 32), (8, 38)], RED, RED_D)
    o.part("polygon", [(8, 38), (46, 32), (46, 36), (9, 40)], CREAM, CREAM_D)
    o.line([(6, 8), (11, 37)], BRASS, 2)
    o.part("polygon", [(20, 14), (32, 12), (34, 22), (22, 24)], BRASS, BRASS_D)
    return o.finish()


def mushroom():
    o = Obj(44, 46)
    o.part("round", (15, 20, 29, 46), CREAM, CREAM_D, r=5)
    o.part("chord", (0, 0, 44, 40), RED, RED_D, start=180, end=360)
    for x, y, r in ((12, 10, 3.5), (26, 7, 3), (34, 14, 2.5), (20, 15, 2.5)):
        o.dot(x, y, r, CREAM)
    return o.finish()


def apple():
    o = Obj(40, 42)
    o.part("ellipse", (0, 6, 22, 42), RED, RED_D)
    o.part("ellipse", (16, 6, 40, 42), RED, RED_D)
    o.line([(20, 10), (22, 0)], WOOD_D, 2.5)
    o.part("ellipse", (22, 0, 36, 8), GREEN, GREEN_D)
    return o.finish()


def horseshoe():
    o = Obj(44, 46)
    o.part("ellipse", (0, 0, 44, 46), IRON, IRON_D)
    o.cut("ellipse", (11, 10, 33, 40))
    o.cut("rect", (11, 26, 33, 47))
    for x, y in ((5, 28), (4, 18), (9, 8), (39, 28), (40, 18), (35, 8)):
        o.dot(x, y, 1.6, INK)
    return o.finish()


def feather():
    o = Obj(26, 60)
    o.part("polygon", [(13, 0), (22, 12), (24, 30), (18, 48), (13, 52), (7, 46), (2, 28), (5, 12)],
           (240, 250, 255), (120, 170, 220))
    o.line([(13, 2), (13, 60)], (90, 110, 150), 1.5)
    for y in range(12, 46, 7):
        o.line([(13, y + 4), (20, y)], (150, 180, 220), 1)
        o.line([(13, y + 4), (6, y)], (150, 180, 220), 1)
    return o.finish()


def bell():
    o = Obj(42, 46)
    o.part("ellipse", (17, 0, 25, 8), BRASS, BRASS_D)
    o.part("polygon", [(14, 6), (28, 6), (33, 16), (35, 32), (42, 38), (0, 38), (7, 32), (9, 16)],
           BRASS, BRASS_D)
    o.part("ellipse", (16, 36, 26, 46), BRASS_D, INK)
    return o.finish()


def watering_can():
    o = Obj(66, 44)
    o.part("polygon", [(40, 26), (62, 4), (66, 8), (46, 34)], GREEN, GREEN_D)
    o.arc((6, 0, 34, 24), 180, 360, GREEN_D, 4)
    o.part("round", (8, 10, 44, 44), GREEN, GREEN_D, r=5)
    o.line([(12, 20), (40, 20)], (190, 240, 160), 2)
    return o.finish()


def butterfly():
    o = Obj(52, 40)
    o.part("ellipse", (0, 0, 26, 24), (255, 170, 60), (220, 80, 30))
    o.part("ellipse", (26, 0, 52, 24), (255, 170, 60), (220, 80, 30))
    o.part("ellipse", (6, 18, 26, 38), (255, 210, 90), (220, 120, 30))
    o.part("ellipse", (26, 18, 46, 38), (255, 210, 90), (220, 120, 30))
    o.part("round", (23, 6, 29, 38), (80, 60, 60), INK, r=3)
    for x, y in ((12, 11), (40, 11)):
        o.dot(x, y, 3.5, INK)
    return o.finish()


def boot():
    o = Obj(48, 50)
    o.part("polygon", [(6, 0), (28, 0), (28, 30), (46, 36), (48, 48), (2, 48), (4, 30)], LEATHER, LEATHER_D)
    o.part("rect", (4, 0, 30, 6), LEATHER_D, INK)
    o.line([(2, 44), (48, 44)], INK, 2)
    o.line([(12, 12), (22, 16), (12, 20), (22, 24)], CREAM, 1.5)
    return o.finish()


def candle():
    o = Obj(30, 56)
    o.part("polygon", [(15, 0), (20, 10), (15, 16), (10, 10)], (255, 240, 140), (250, 130, 30))
    o.part("round", (8, 16, 22, 48), CREAM, CREAM_D, r=3)
    o.part("ellipse", (0, 44, 30, 56), BRASS, BRASS_D)
    return o.finish()


def scroll():
    o = Obj(56, 34)
    o.part("rect", (6, 6, 50, 28), CREAM, CREAM_D)
    o.part("round", (0, 2, 10, 32), (230, 200, 150), WOOD, r=5)
    o.part("round", (46, 2, 56, 32), (230, 200, 150), WOOD, r=5)
    for y in (12, 17, 22):
        o.line([(14, y), (42, y)], (160, 130, 90), 1)
    o.part("ellipse", (24, 20, 34, 30), RED, RED_D)
    return o.finish()


def hourglass():
    o = Obj(36, 54)
    o.part("rect", (0, 0, 36, 6), WOOD, WOOD_D)
    o.part("rect", (0, 48, 36, 54), WOOD, WOOD_D)
    o.part("polygon", [(5, 6), (31, 6), (20, 27), (31, 48), (5, 48), (16, 27)], (220, 240, 255), (150, 190, 220))
    o.part("polygon", [(11, 40), (25, 40), (29, 47), (7, 47)], (250, 220, 120), (210, 160, 60))
    o.part("polygon", [(10, 12), (26, 12), (19, 24), (17, 24)], (250, 220, 120), (210, 160, 60))
    o.line([(2, 6), (2, 48)], WOOD_D, 2)
    o.line([(34, 6), (34, 48)], WOOD_D, 2)
    return o.finish()


def compass():
    o = Obj(46, 46)
    o.part("ellipse", (0, 0, 46, 46), BRASS, BRASS_D)
    o.part("ellipse", (5, 5, 41, 41), CREAM, CREAM_D)
    o.part("polygon", [(23, 8), (27, 23), (19, 23)], RED, RED_D)
    o.part("polygon", [(19, 23), (27, 23), (23, 38)], IRON, IRON_D)
    o.dot(23, 23, 2, INK)
    return o.finish()


def goblet():
    o = Obj(36, 50)
    o.part("chord", (0, -14, 36, 30), BRASS, BRASS_D, start=0, end=180)
    o.part("rect", (15, 28, 21, 42), BRASS, BRASS_D)
    o.part("ellipse", (4, 40, 32, 50), BRASS, BRASS_D)
    o.dot(18, 16, 4, RED)
    return o.finish()


def ring():
    o = Obj(34, 40)
    o.part("ellipse", (1, 8, 33, 40), BRASS, BRASS_D)
    o.cut("ellipse", (7, 14, 27, 34))
    o.part("polygon", [(17, 0), (25, 6), (17, 13), (9, 6)], (200, 240, 255), (60, 150, 220))
    return o.finish()


def crown():
    o = Obj(56, 40)
    o.part("polygon", [(0, 8), (14, 20), (28, 0), (42, 20), (56, 8), (50, 36), (6, 36)], BRASS, BRASS_D)
    o.part("rect", (6, 32, 50, 40), BRASS, BRASS_D)
    for x, c in ((16, RED), (28, BLUE), (40, GREEN)):
        o.dot(x, 29, 3, c)
    return o.finish()


def amphora():
    o = Obj(40, 62)
    o.arc((0, 8, 14, 30), 90, 270, (150, 70, 40), 3)
    o.arc((26, 8, 40, 30), 270, 90, (150, 70, 40), 3)
    o.part("rect", (13, 0, 27, 12), (230, 130, 80), (160, 70, 40))
    o.part("ellipse", (4, 8, 36, 52), (230, 130, 80), (150, 60, 30))
    o.part("polygon", [(14, 48), (26, 48), (22, 62), (18, 62)], (200, 100, 60), (130, 50, 25))
    o.line([(8, 26), (32, 26)], INK, 1.5)
    o.line([(7, 32), (33, 32)], INK, 1.5)
    return o.finish()


def dagger():
    o = Obj(22, 62)
    o.part("polygon", [(11, 0), (16, 8), (15, 40), (7, 40), (6, 8)], (235, 240, 250), IRON_D)
    o.part("rect", (0, 40, 22, 45), BRASS, BRASS_D)
    o.part("rect", (8, 45, 14, 58), LEATHER, LEATHER_D)
    o.part("ellipse", (6, 56, 16, 62), BRASS, BRASS_D)
    o.line([(11, 6), (11, 38)], IRON, 1)
    return o.finish()


def oil_lamp():
    o = Obj(64, 34)
    o.part("polygon", [(46, 14), (64, 10), (60, 18), (48, 24)], BRASS, BRASS_D)
    o.arc((0, 6, 16, 24), 90, 270, BRASS_D, 3)
    o.part("ellipse", (6, 8, 52, 30), BRASS, BRASS_D)
    o.part("ellipse", (20, 2, 36, 12), BRASS, BRASS_D)
    o.part("ellipse", (18, 28, 38, 34), BRASS_D, INK)
    return o.finish()


def dice():
    o = Obj(42, 40)
    o.part("polygon", [(2, 10), (20, 2), (40, 10), (22, 18)], CREAM, CREAM_D)
    o.part("polygon", [(2, 10), (22, 18), (22, 40), (2, 30)], (235, 225, 200), (190, 170, 140))
    o.part("polygon", [(22, 18), (40, 10), (40, 30), (22, 40)], (210, 195, 165), (160, 140, 110))
    for x, y in ((20, 10), (8, 20), (16, 28), (27, 22), (35, 18), (27, 32), (35, 28)):
        o.dot(x, y, 1.8, INK)
    return o.finish()


def pouch():
    o = Obj(44, 48)
    o.part("polygon", [(14, 0), (30, 0), (26, 12), (18, 12)], LEATHER, LEATHER_D)
    o.part("ellipse", (0, 10, 44, 48), LEATHER, LEATHER_D)
    o.line([(14, 12), (30, 12)], BRASS, 2.5)
    o.part("ellipse", (16, 24, 28, 36), BRASS, BRASS_D)
    return o.finish()


def shell():
    o = Obj(48, 44)
    o.part("pie", (0, 0, 48, 60), (255, 210, 200), (230, 120, 110), start=180, end=360)
    o.part("polygon", [(16, 28), (32, 28), (30, 40), (18, 40)], (255, 200, 190), (220, 110, 100))
    for a in range(200, 360, 20):
        x = 24 + 22 * math.cos(math.radians(a))
        y = 30 + 28 * math.sin(math.radians(a))
        o.line([(24, 30), (x, y)], (200, 90, 80), 1.2)
    return o.finish()


def anchor():
    o = Obj(50, 58)
    o.part("ellipse", (18, 0, 32, 14), IRON, IRON_D)
    o.cut("ellipse", (22, 4, 28, 10))
    o.part("rect", (22, 12, 28, 54), IRON, IRON_D)
    o.part("rect", (10, 16, 40, 22), IRON, IRON_D)
    o.arc((2, 24, 48, 58), 20, 160, IRON_D, 6)
    o.part("polygon", [(0, 36), (8, 34), (6, 44)], IRON, IRON_D)
    o.part("polygon", [(50, 36), (42, 34), (44, 44)], IRON, IRON_D)
    return o.finish()


def starfish():
    o = Obj(50, 50)
    pts = []
    for i in range(10):
        r = 25 if i % 2 == 0 else 10
        a = math.radians(-90 + 36 * i)
        pts.append((25 + r * math.cos(a), 26 + r * math.sin(a)))
    o.part("polygon", pts, (255, 170, 90), (220, 90, 40))
    for x, y in ((25, 14), (34, 24), (18, 24), (22, 33), (30, 33), (25, 24)):
        o.dot(x, y, 1.5, (255, 230, 190))
    return o.finish()


def fish():
    o = Obj(60, 34)
    o.part("polygon", [(44, 17), (60, 4), (60, 30)], (120, 200, 255), BLUE_D)
    o.part("ellipse", (0, 2, 50, 32), (160, 220, 255), BLUE_D)
    o.dot(12, 14, 3, INK)
    o.arc((18, 6, 30, 28), 300, 60, BLUE_D, 1.5)
    return o.finish()


def umbrella():
    o = Obj(58, 60)
    o.part("chord", (0, 0, 58, 44), (255, 120, 140), (200, 40, 80), start=180, end=360)
    o.part("polygon", [(18, 22), (29, 2), (40, 22)], (255, 240, 240), (230, 200, 200))
    o.line([(29, 22), (29, 54)], WOOD_D, 2.5)
    o.arc((29, 48, 39, 60), 0, 180, WOOD_D, 2.5)
    return o.finish()


def spyglass():
    o = Obj(64, 24)
    o.part("polygon", [(0, 6), (24, 8), (24, 18), (0, 20)], BRASS, BRASS_D)
    o.part("rect", (24, 7, 46, 19), LEATHER, LEATHER_D)
    o.part("rect", (46, 4, 64, 22), BRASS, BRASS_D)
    o.line([(24, 8), (24, 18)], INK, 1.5)
    o.line([(46, 5), (46, 21)], INK, 1.5)
    return o.finish()


def bottle():
    o = Obj(30, 60)
    o.part("rect", (11, 0, 19, 6), WOOD, WOOD_D)
    o.part("polygon", [(11, 6), (19, 6), (19, 18), (28, 28), (28, 60), (2, 60), (2, 28), (11, 18)],
           (140, 230, 170), (30, 120, 90))
    o.part("rect", (6, 34, 24, 50), CREAM, CREAM_D)
    o.line([(9, 40), (21, 40)], (160, 130, 90), 1)
    o.line([(9, 44), (19, 44)], (160, 130, 90), 1)
    return o.finish()


# Furniture drawn as decoys (never asked for).
def flowerpot():
    o = Obj(40, 46)
    for x, c in ((10, (250, 240, 120)), (20, (255, 150, 180)), (30, (200, 160, 255))):
        o.line([(20, 26), (x, 10)], GREEN_D, 2)
        o.dot(x, 9, 5, c)
    o.part("polygon", [(4, 24), (36, 24), (31, 46), (9, 46)], (220, 120, 70), (150, 70, 40))
    return o.finish(shine=False)


def rock():
    o = Obj(50, 30)
    o.part("polygon", [(0, 30), (6, 12), (20, 2), (36, 4), (48, 16), (50, 30)], (170, 165, 160), (90, 85, 90))
    return o.finish(shine=False)


def basket():
    o = Obj(52, 40)
    o.arc((8, 0, 44, 36), 180, 360, WOOD_D, 3)
    o.part("polygon", [(0, 16), (52, 16), (46, 40), (6, 40)], (230, 180, 100), (160, 100, 40))
    for y in (22, 29, 35):
        o.line([(4, y), (48, y)], WOOD_D, 1)
    return o.finish(shine=False)


def crate():
    o = Obj(46, 40)
    o.part("rect", (0, 0, 46, 40), WOOD, WOOD_D)
    o.line([(0, 0), (46, 40)], WOOD_D, 2)
    o.line([(0, 13), (46, 13)], WOOD_D, 1.5)
    o.line([(0, 27), (46, 27)], WOOD_D, 1.5)
    return o.finish(shine=False)


def barrel():
    o = Obj(40, 50)
    o.part("round", (0, 0, 40, 50), WOOD, WOOD_D, r=12)
    for y in (10, 40):
        o.line([(1, y), (39, y)], IRON_D, 3)
    return o.finish(shine=False)


# Clutter baked into the backdrops: small things shaped like the objects
# (rods like keys and daggers, leaves like feathers, discs like rings and
# compasses, berries like apples) that the eye has to sort out. Each takes a
# random source for its size and a colour pair of its screen.
def twig(rnd, top=WOOD, bottom=WOOD_D):
    n = rnd.randint(30, 46)
    o = Obj(n, 14)
    o.part("polygon", [(0, 6), (n, 5), (n, 8), (0, 9)], top, bottom)
    k = rnd.randint(n // 3, 2 * n // 3)
    o.part("polygon", [(k, 6), (k + 9, 0), (k + 11, 1), (k + 3, 8)], top, bottom)
    return o.finish(shine=False)


def leaf(rnd, top=GREEN, bottom=GREEN_D):
    n = rnd.randint(20, 34)
    o = Obj(n // 2, n)
    w = n // 2
    o.part("polygon", [(w / 2, 0), (w, n * 0.35), (w * 0.8, n * 0.8), (w / 2, n), (w * 0.2, n * 0.8),
                       (0, n * 0.35)], top, bottom)
    o.line([(w / 2, 2), (w / 2, n)], bottom, 1)
    return o.finish(shine=False)


def pebble(rnd, top=(190, 185, 175), bottom=(110, 105, 100)):
    w, h = rnd.randint(9, 18), rnd.randint(7, 12)
    o = Obj(w, h)
    o.part("ellipse", (0, 0, w, h), top, bottom)
    return o.finish(shine=False)


def disc(rnd, top=BRASS, bottom=BRASS_D):
    d = rnd.randint(12, 20)
    o = Obj(d, d)
    o.part("ellipse", (0, 0, d, d), top, bottom)
    o.arc((3, 3, d - 3, d - 3), 200, 340, bottom, 1)
    return o.finish()


def berries(rnd, top=RED, bottom=RED_D):
    o = Obj(26, 24)
    o.line([(13, 0), (7, 12)], WOOD_D, 1.5)
    o.line([(13, 0), (19, 12)], WOOD_D, 1.5)
    for x, y in ((2, 10), (12, 12), (14, 4)) if rnd.random() < 0.5 else ((2, 10), (14, 10)):
        o.part("ellipse", (x, y, x + 11, y + 11), top, bottom)
    return o.finish()


def blossom(rnd, top=(255, 230, 240), bottom=(220, 140, 170)):
    r = rnd.randint(8, 12)
    o = Obj(2 * r, 2 * r)
    for k in range(5):
        a = math.radians(k * 72 - 90)
        cx, cy = r + r * 0.55 * math.cos(a), r + r * 0.55 * math.sin(a)
        o.part("ellipse", (cx - r * 0.45, cy - r * 0.45, cx + r * 0.45, cy + r * 0.45), top, bottom)
    o.dot(r, r, r * 0.3, BRASS)
    return o.finish(shine=False)


def shard(rnd, top=(230, 130, 80), bottom=(150, 60, 30)):
    w, h = rnd.randint(14, 24), rnd.randint(10, 18)
    o = Obj(w, h)
    o.part("polygon", [(0, h * 0.3), (w * 0.6, 0), (w, h * 0.5), (w * 0.7, h), (w * 0.1, h * 0.9)], top, bottom)
    return o.finish(shine=False)


def weed(rnd, top=(90, 160, 80), bottom=(30, 90, 50)):
    n = rnd.randint(24, 40)
    o = Obj(14, n)
    o.part("polygon", [(6, 0), (10, n * 0.3), (13, n * 0.6), (9, n), (4, n), (2, n * 0.6), (4, n * 0.3)], top, bottom)
    return o.finish(shine=False)


CLUTTER = {"twig": twig, "leaf": leaf, "pebble": pebble, "disc": disc, "berries": berries,
           "blossom": blossom, "shard": shard, "weed": weed}


# Scenery in front of the objects (layer 4): each partly covers an object,
# so the player sees only some of it. A seed varies the drawing.
def front_leaves(seed, top=(90, 170, 70), bottom=(30, 90, 40), size=(70, 46)):
    import random
    rnd = random.Random(seed)
    w, h = size
    o = Obj(w, h)
    o.line([(0, h * 0.6), (w * 0.5, h * 0.45), (w, h * 0.5)], WOOD_D, 2.5)
    for k in range(9):
        cx, cy = rnd.uniform(6, w - 6), rnd.uniform(6, h - 6)
        a = rnd.uniform(0, math.pi)
        lx, ly = 13 * math.cos(a), 13 * math.sin(a)
        px, py = -6 * math.sin(a), 6 * math.cos(a)
        o.part("polygon", [(cx - lx, cy - ly), (cx + px, cy + py), (cx + lx, cy + ly), (cx - px, cy - py)],
               top, bottom)
    return o.finish(shine=False)


def front_grass(seed, top=(130, 200, 80), bottom=(50, 120, 40), size=(64, 40)):
    import random
    rnd = random.Random(seed)
    w, h = size
    o = Obj(w, h)
    for _ in range(13):
        x = rnd.uniform(6, w - 6)
        tip = (x + rnd.uniform(-14, 14), rnd.uniform(0, h * 0.5))
        o.part("polygon", [(x - 4, h), tip, (x + 4, h)], top, bottom)
    return o.finish(shine=False)


def front_flowers(seed, top=(130, 200, 80), bottom=(50, 120, 40), size=(60, 44)):
    import random
    rnd = random.Random(seed)
    img = front_grass(seed, top, bottom, size)
    o = Obj(*size)
    o.img.paste(img.resize(o.img.size, Image.LANCZOS), (0, 0))
    for _ in range(5):
        x, y = rnd.uniform(8, size[0] - 8), rnd.uniform(4, size[1] * 0.6)
        c = rnd.choice([(255, 240, 120), (255, 170, 200), (255, 255, 255), (200, 170, 255)])
        for k in range(5):
            a = math.radians(k * 72)
            o.dot(x + 3 * math.cos(a), y + 3 * math.sin(a), 2.4, c)
        o.dot(x, y, 1.6, BRASS_D)
    return o.finish(shine=False)


def front_cloth(seed, top=(170, 50, 60), bottom=(90, 20, 40), size=(56, 48)):
    w, h = size
    o = Obj(w, h)
    o.part("polygon", [(0, 0), (w, 0), (w * 0.85, h), (w * 0.55, h * 0.8), (w * 0.3, h), (0, h * 0.85)],
           top, bottom)
    for k in range(1, 4):
        x = w * k / 4
        o.line([(x, 2), (x - 3, h * 0.8)], bottom, 1.5)
    o.line([(0, 5), (w, 5)], BRASS, 2.5)
    return o.finish(shine=False)


def front_stone(seed, top=(170, 165, 160), bottom=(90, 85, 90), size=(60, 38)):
    import random
    rnd = random.Random(seed)
    w, h = size
    o = Obj(w, h)
    o.part("polygon", [(0, h), (w * 0.08, h * 0.4), (w * 0.35, rnd.uniform(0, h * 0.2)), (w * 0.7, h * 0.1),
                       (w, h * 0.5), (w, h)], top, bottom)
    o.line([(w * 0.4, h * 0.3), (w * 0.5, h * 0.7)], bottom, 1.2)
    return o.finish(shine=False)


def front_bolts(seed, top=(60, 120, 190), bottom=(30, 60, 120), size=(60, 40)):
    """Rolled cloth stacked on its side, as a stall sells it."""
    import random
    rnd = random.Random(seed)
    w, h = size
    o = Obj(w, h)
    colours = [(top, bottom), ((240, 235, 215), (180, 165, 140)), ((200, 70, 60), (120, 30, 30))]
    rows = [(0, h / 2, h), (w * 0.2, 0, h / 2)]
    for k, (x0, y0, y1) in enumerate(rows):
        t, b = colours[(seed + k) % 3]
        o.part("round", (x0, y0, w - w * 0.2 + x0 * 0.9, y1), t, b, r=(y1 - y0) / 2 - 1)
        end = w - w * 0.2 + x0 * 0.9
        o.part("ellipse", (end - (y1 - y0) * 0.5, y0, end, y1), _darker(t, 0.8), b)
        o.arc((end - (y1 - y0) * 0.4, y0 + 4, end - 3, y1 - 4), 0, 300, b, 1.2)
        for j in range(2):
            x = x0 + rnd.uniform(6, w * 0.5)
            o.line([(x, y0 + 2), (x, y1 - 2)], b, 1.2)
    return o.finish(shine=False)


def front_wave(seed, top=(120, 210, 215), bottom=(40, 130, 160), size=(70, 26)):
    """A breaking wave: a swell of sea under a white crest."""
    import random
    rnd = random.Random(seed)
    w, h = size
    o = Obj(w, h)
    crest = [(x, h * 0.35 + h * 0.25 * math.sin(x / w * math.pi * 2 + rnd.uniform(0, 6))) for x in range(0, w + 1, 5)]
    o.part("polygon", [(0, h)] + crest + [(w, h)], top, bottom)
    o.line(crest, (245, 255, 255), 3)
    img = o.finish(shine=False)
    # The swell sinks into the sea: its lower part fades out, outline and all.
    fade = Image.linear_gradient("L").rotate(180).resize(img.size)
    fade = fade.point(lambda v: min(255, v * 2))
    img.putalpha(ImageChops.multiply(img.getchannel("A"), fade))
    return img


FRONT = {"wave": front_wave, "bolts": front_bolts, "leaves": front_leaves, "grass": front_grass, "flowers": front_flowers, "cloth": front_cloth,
         "stone": front_stone}


PAINTERS = {
    "key": key, "lantern": lantern, "teapot": teapot, "book": book, "mushroom": mushroom,
    "apple": apple, "horseshoe": horseshoe, "feather": feather, "bell": bell,
    "wateringcan": watering_can, "butterfly": butterfly, "boot": boot, "candle": candle,
    "scroll": scroll, "hourglass": hourglass, "compass": compass, "goblet": goblet, "ring": ring,
    "crown": crown, "amphora": amphora, "dagger": dagger, "oillamp": oil_lamp, "dice": dice,
    "pouch": pouch, "shell": shell, "anchor": anchor, "starfish": starfish, "fish": fish,
    "umbrella": umbrella, "spyglass": spyglass, "bottle": bottle,
    "flowerpot": flowerpot, "rock": rock, "basket": basket, "crate": crate, "barrel": barrel,
}
