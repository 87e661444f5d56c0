#!/usr/bin/env python3
"""Draws still mock-ups of the screens around the boards and of the dialogs
from a built pack, placing pictures and texts where the game's screens put
them (level files for the pictures; the texts at the positions, fonts,
kernings, alignments and colours the screens use). A look at layout and
legibility without running the game.

    mock_screens.py <data.pk> <out folder>

Writes title.png, map.png, map_interlude.png, story_chapter1.png,
story_epilogue.png, story_spell1.png, dialog_<n>_<name>.png and the eight
tutorial pages tutorial_<topic>.png, and prints every text that runs
outside its page or panel and every tutorial picture that leaves its frame."""
import io
import math
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import zipfile

from PIL import Image, ImageChops

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)
sys.path.insert(0, os.path.join(TOOLS_DIR, "art"))

import xml_tree  # noqa: E402
from font_image import read_glyphs  # noqa: E402

W, H = 800, 600
FONTS = {}      # (font file, kerning) -> Font, read once
PLACEHOLDER_TEXTS = {"ok": "OK", "cancel": "Cancel", "menu": "Menu"}   # texts of the board screens' pack


class Pack:
    def __init__(self, path):
        self.zip = zipfile.ZipFile(path)
        self.lang = {}
        doc, _err = xml_tree.parse(self.zip.read("data/lang.xml"))
        for node in doc.children:
            if node.name == "text":
                self.lang[node.attr("code")] = node.value

    def text(self, key):
        return self.lang.get(key, PLACEHOLDER_TEXTS.get(key, "undefined"))

    def image(self, name):
        return Image.open(io.BytesIO(self.zip.read(name))).convert("RGBA")


class Scene:
    """Images, sprites, elements and levels of one scene file."""

    def __init__(self, pack, fname, fonts_from=None):
        self.pack = pack
        doc, err = xml_tree.parse(pack.zip.read(fname))
        if err:
            raise SystemExit("%s: %s" % (fname, err))
        self.files, self.sprites, self.elements, self.fonts = {}, {}, {}, {}
        for section in doc.children:
            if section.name == "images":
                for node in section.each("image"):
                    self.files[node.attr("name")] = node.child("filename").value
            elif section.name == "sprites":
                for node in section.each("sprite"):
                    r = node.child("sourcerect")
                    box = [xml_tree.atoi(r.attr(k)) for k in ("x", "y", "width", "height")]
                    self.sprites[node.attr("name")] = (node.child("sourceimage").value, box)
            elif section.name == "elements":
                for node in section.each("element"):
                    sprite = node.child("sourcesprite")
                    frames = node.child("sprites")
                    first = sprite.value if sprite is not None else (frames.each("sprite")[0].value if frames else None)
                    blit = node.child("blitmode")
                    self.elements[node.attr("name")] = (first, xml_tree.atoi(blit.value) if blit is not None else 1)
        self.levels = []
        levels = doc.child("levels")
        for level in (levels.each("level") if levels is not None else []):
            items = []
            for section in level.each("lvlelements"):
                for node in section.each("lvlelement"):
                    pos = node.child("pos")
                    src = node.child("sourceelement")
                    items.append((node.attr("name"), src.value if src is not None else None,
                                  xml_tree.atof(pos.attr("x")) if pos is not None else 0,
                                  xml_tree.atof(pos.attr("y")) if pos is not None else 0,
                                  xml_tree.atoi(node.child("layer").value) if node.child("layer") is not None else 0))
            self.levels.append(items)
        self._cache = {}

    def sprite_image(self, element):
        sprite, blit = self.elements[element]
        image, (x, y, w, h) = self.sprites[sprite]
        key = self.files[image]
        if key not in self._cache:
            self._cache[key] = self.pack.image(key)
        return self._cache[key].crop((x, y, x + w, y + h)), blit

    def font(self, image_name, kerning=0):
        key = (self.files[image_name], kerning)
        if key not in FONTS:
            FONTS[key] = Font(self.pack.image(key[0]), kerning)
        return FONTS[key]


class Font:
    def __init__(self, img, kerning):
        self.img, self.kerning = img, kerning
        self.rects = read_glyphs(img)
        self.height = max(b - t for _l, t, _r, b in self.rects)

    def width(self, text):
        return sum(self._rect(c)[2] - self._rect(c)[0] + self.kerning for c in text)

    def _rect(self, ch):
        i = ord(ch) - 32
        return self.rects[i if 0 <= i < len(self.rects) else 0]

    def render(self, text, colour):
        out = Image.new("RGBA", (max(1, self.width(text) - self.kerning + 8), self.height), (0, 0, 0, 0))
        x = 0
        for ch in text:
            l, t, r, b = self._rect(ch)
            glyph = self.img.crop((l, t, r, b))
            glyph.putpixel((0, 0), (0, 0, 0, 0))          # the markers the loader clears
            if (l, t) == (0, 0) and glyph.width > 1:
                glyph.putpixel((1, 0), (0, 0, 0, 0))
            out.alpha_composite(glyph, (x, 0))
            x += r - l + self.kerning
        a, rr, g, bb = colour
        tint = Image.new("RGBA", out.size, (rr, g, bb, a))
        return ImageChops.multiply(out, tint)


class Canvas:
    def __init__(self, background=(0, 0, 0, 255)):
        self.img = Image.new("RGBA", (W, H), background)
        self.overflow = []

    def put(self, picture, x, y, blit=1, scale=(1, 1), alpha=255):
        if scale != (1, 1):
            picture = picture.resize((max(1, int(picture.width * scale[0])), max(1, int(picture.height * scale[1]))),
                                     Image.LANCZOS)
        px, py = int(W / 2 + x - picture.width / 2), int(H / 2 - y - picture.height / 2)
        # Clip to the screen, then draw only the covered region.
        left, top = max(0, px), max(0, py)
        right, bottom = min(W, px + picture.width), min(H, py + picture.height)
        if right <= left or bottom <= top:
            return
        picture = picture.crop((left - px, top - py, right - px, bottom - py))
        box = (left, top, right, bottom)
        if blit == 2:
            under = self.img.crop(box)
            lit = ImageChops.screen(under.convert("RGB"), picture.convert("RGB")).convert("RGBA")
            lit.putalpha(under.getchannel("A"))
            self.img.paste(lit, (left, top))
            return
        if alpha != 255:
            picture.putalpha(picture.getchannel("A").point(lambda v: v * alpha // 255))
        self.img.alpha_composite(picture, (left, top))

    def text(self, font, text, x, y, align=0, colour=(255, 255, 255, 255), limits=None, label=""):
        """align 0 centred, 2 right-aligned, other values left-aligned at x."""
        pic = font.render(text, colour)
        w = font.width(text)
        left = x - w / 2 if align == 0 else (x - w if align == 2 else x)
        self.put(pic, left + pic.width / 2, y)
        if limits and text and (left < limits[0] or left + w > limits[1]):
            self.overflow.append("%s: %r runs from %d to %d, outside %d..%d" % (label, text, left, left + w, *limits))


def argb(v):
    v &= 0xFFFFFFFF
    return (v >> 24, (v >> 16) & 255, (v >> 8) & 255, v & 255)


def draw_level(canvas, scene, level=0, skip=()):
    for name, src, x, y, layer in sorted(scene.levels[level], key=lambda e: e[4]):
        if src and src in scene.elements and name not in skip:
            pic, blit = scene.sprite_image(src)
            canvas.put(pic, x, y, blit)


def level_pos(scene, level, name):
    for n, _src, x, y, _layer in scene.levels[level]:
        if n == name:
            return x, y
    raise KeyError(name)


# ---- screens ---------------------------------------------------------------------
def title(pack, g):
    sc = Scene(pack, "intro.xml")
    c = Canvas()
    draw_level(c, sc)
    for name, y in (("titrejeu", 200), ("play1", 70), ("trophies1", 0), ("options1", -70), ("exit1", -140)):
        pic, _ = sc.sprite_image(name)
        c.put(pic, 0, y, scale=(1.01, 1.01) if name != "titrejeu" else (1, 1))
    c.put(sc.sprite_image("expertmode")[0], 100, 130, scale=(1.1, 1.1))
    mael = sc.font("mael-font18")
    yellow = argb(0xFFFFFF64)
    c.text(mael, pack.text("welcomeplayer").replace("%s", "Abcdefghijklmno"), 0, -242, 0, yellow, (-390, 390), "welcome")
    change = pack.text("changeplayer")
    item, _ = sc.sprite_image("item")
    c.text(mael, change, 0, -273, 0, yellow)
    tint = Image.new("RGBA", item.size, argb(0xFFC8C832)[1:] + (255,))
    c.put(ImageChops.multiply(item, tint), 0, -270, scale=((mael.width(change) + 110) / item.width, 1))
    return c


def world_map(pack, g, interlude=None):
    sc = Scene(pack, "map.xml")
    c = Canvas()
    import _map_layout as L
    current = 27
    skip = {"sp%d" % i for i in range(current + 1)} | {"maparrow"}
    draw_level(c, sc, skip=skip)
    for i in range(current + 1):
        x, y = level_pos(sc, 0, "sp%d" % i)
        c.put(sc.sprite_image("spotbigon" if L.is_big(i) else "spoton")[0], x, y)
    x, y = level_pos(sc, 0, "sp%d" % current)
    c.put(sc.sprite_image("maparrow")[0], x, y + L.ARROW_LIFT)
    for i in range(current + 1, current + 6):
        x, y = level_pos(sc, 0, "sp%d" % i)
        c.put(sc.sprite_image("sparkle")[0], x, y + 5, blit=2, scale=(0.4, 0.4))
    cooper = sc.font("cooper-font16", -2)
    for k, (x, y) in enumerate(L.NAMES, 1):
        c.text(cooper, pack.text("worldname%d" % k), x, y, 0, limits=(-392, 392), label="worldname%d" % k)
    ax, ay = level_pos(sc, 0, "arrow")
    c.text(g.font("andalous-font18"), pack.text("play"), ax - 40, ay, 1)
    mx, my = level_pos(sc, 0, "btnmenu")
    c.text(sc.font("galaxy-font16"), pack.text("menu"), mx, my, 0)
    if interlude:
        dim, _ = sc.sprite_image("cinema")
        c.put(ImageChops.multiply(dim, Image.new("RGBA", dim.size, (0, 0, 0, 255))), 0, 0, scale=(7, 5), alpha=0x80)
        c.put(sc.sprite_image("cinema1")[0], 0, 250)
        c.put(sc.sprite_image("cinema2")[0], 0, -250)
        cooper20 = sc.font("cooper-font20", -7)
        w, k = interlude
        c.text(cooper20, pack.text("st%d%da" % (w, k)), 0, 20, 0, limits=(-390, 390), label="st%d%da" % (w, k))
        c.text(cooper20, pack.text("st%d%db" % (w, k)), 0, -20, 0, limits=(-390, 390), label="st%d%db" % (w, k))
    return c


def story(pack, g, w, spell):
    import storybook as B
    sc = Scene(pack, "story.xml")
    c = Canvas()
    draw_level(c, sc)
    big, small = sc.font("gothic-font30"), sc.font("gothic-font14", -3)
    ink = argb(0xC81E0A00)
    left = (B.PAGE_LEFT + 14, B.SPINE_X - 10)
    right = (B.SPINE_X + 10, B.PAGE_RIGHT - 12)
    if spell:
        rows = [("so%dap1", big, -160, 190, 0), ("so%dap2", big, -160, 158, 0)]
        rows += [("so%%dap%d" % k, big, -160, y, 0) for k, y in zip(range(3, 7), (-90, -110, -130, -150))]
        rows += [("so%dp1", big, 150, 190, 0)]
        rows += [("so%%dp%d" % k, small, 50, 130 - 20 * (k - 2), 1) for k in range(2, 11)]
        c.put(sc.sprite_image("sort%d" % w)[0], -162, 38)
    else:
        rows = [("ch%dap1", big, -160, 190, 0)]
        rows += [("ch%%dap%d" % k, small, -160, -70 - 20 * (k - 2), 0) for k in range(2, 7)]
        rows += [("ch%%dp%d" % k, small, 50, 190 - 20 * (k - 1), 1) for k in range(1, 19)]
        c.put(sc.sprite_image("img%d" % w)[0], -162, 55)
    for key, font, x, y, align in rows:
        key = key % w
        c.text(font, pack.text(key), x, y, align, ink, left if x < 0 else right, key)
    ax, ay = level_pos(sc, 0, "arrow")
    c.text(g.font("andalous-font18"), pack.text("play"), ax - 40, ay, 1)
    return c


# Dialog texts: (key or literal, x, y, align, colour) in panel coordinates.
WHITE = (255, 255, 255, 255)
DIALOGS = {
    0: ("pause", [("pause", 0, 110), ("resume", 0, 48), ("menuoptions", 0, -2), ("mainmenu", 0, -52),
                  ("quit", 0, -102)]),
    1: ("options", [("options", 0, 110), ("music", -150, 58, 1), ("son", -150, 13, 1), ("fullscreen", -50, -32, 1),
                    ("dontshowhint", -50, -67, 1), ("timemode", -50, -102, 1), ("close", 0, -140)]),
    2: ("newplayer", [("welcome", 0, 110), ("entername", 0, 30), ("Abcdefghijklmno", 0, -15, 0, argb(0xFF141414)),
                      ("ok", 90, -85), ("cancel", -90, -85)]),
    3: ("players", [("players", 0, 115), ("Abcdefghijklmno", 0, 65, 0, argb(0xFFFF0000)), ("Bob 7", 0, 23),
                    ("newplayer", 0, -19), ("freeslot", 0, -61), ("ok", 135, -125), ("cancel", -135, -125),
                    ("delete", 0, -125)]),
    4: ("quit", [("quitconfirm", 0, 20), ("ok", 80, -37), ("cancel", -80, -37)]),
    5: ("recapswap", [("congratulations", 0, 160), ("recapscore", -145, 120, 1), ("recaptiles", -145, 88, 1),
                      ("recapmatches", -145, 56, 1), ("recapyourtime", -145, 24, 1), ("recaptime", -145, -8, 1),
                      ("recaptotal", -145, -72, 1), ("12500", 120, 120, 2, argb(0xFF64FF00)),
                      ("+34 X 50", 120, 88, 2, argb(0xFF64FF00)), ("+21 X 100", 120, 56, 2, argb(0xFF64FF00)),
                      ("0:02:05", 120, 24, 2, argb(0xFF64FF00)), ("+48", 120, -8, 2, argb(0xFF64FF00)),
                      ("16348", 120, -72, 2, argb(0xFF64FF00)), ("ok", 0, -157)]),
    6: ("recaphidden", [("congratulations", 0, 160), ("recapscore", -145, 120, 1), ("recapyourtime", -145, 88, 1),
                        ("recaptime", -145, 56, 1), ("recaphint", -145, 24, 1), ("recaptotal", -145, -40, 1),
                        ("12500", 120, 120, 2, argb(0xFF64FF00)), ("0:03:20", 120, 88, 2, argb(0xFF64FF00)),
                        ("+0", 120, 56, 2, argb(0xFF64FF00)), ("-1000", 120, 24, 2, argb(0xFFFF6400)),
                        ("11500", 120, -40, 2, argb(0xFF64FF00)), ("ok", 0, -157)]),
    7: ("achieve", [("achievefreedtitle", 20, 30, 0, argb(0xFFFFB4FF)), ("achievenew", 20, 5),
                    ("achievefreeddesc", 20, -20)]),
    10: ("timeup", [("timeup", 0, 20), ("ok", 0, -37)]),
}


# The tutorial's pages: topic -> [(element, source file or None for the
# global data, scale, motion (dx, dy) amplitude, rotating, place)], as the
# page places its illustration.
TUTORIAL_PAGES = {
    "tutomatch3-": [("tutotile", None, 1, (0, 0), False, (-150, 25)),
                    ("tutoarrow1", None, 1, (10, 0), False, (-150, 40)),
                    ("tutoarrow2", None, 1, (10, 0), False, (-150, 10))],
    "tutoturtle-": [("turtle", "swap1.xml", 0.9, (0, 0), True, (-150, 25))],
    "tutospider-": [("crabs", "swap1.xml", 0.9, (0, 0), True, (-150, 25))],
    "tutobat-": [("bat", "swap1.xml", 1, (0, 20), False, (-150, 25))],
    "tutohidden-": [("tutohidden", None, 0.9, (0, 10), False, (-150, 25))],
    "tutospell-": [("tutospell", None, 1, (0, 0), False, (-150, 25))],
    "tutocage-": [("achievefreed", None, 0.9, (5, 5), False, (-150, 25))],
    "tutotimer-": [("tutogauge", None, 1, (0, 0), False, (-150, 25))],
}
TUTORIAL_LINES = ((-90, 75), (-90, 50), (-90, 25), (-90, 0))


def _reach(pic, scale, motion, rotating):
    """Half width and half height of what a picture covers around its
    place: its painted pixels, turned all the way round when it rotates,
    moved to both ends of its motion."""
    box = pic.getchannel("A").getbbox() or (0, 0, 0, 0)
    cx, cy = pic.width / 2, pic.height / 2
    if rotating:
        alpha = pic.getchannel("A").load()
        r = max((math.hypot(x + 0.5 - cx, y + 0.5 - cy) for y in range(pic.height) for x in range(pic.width)
                 if alpha[x, y] > 16), default=0)
        hw = hh = r
    else:
        hw, hh = max(cx - box[0], box[2] - cx), max(cy - box[1], box[3] - cy)
    return hw * scale + motion[0], hh * scale + motion[1]


def tutorial(pack, g, topic, backdrop):
    """A tutorial page as the game builds it; lists a picture that leaves
    the page's frame (and so may reach the texts right of it)."""
    import tutorial as T
    c = Canvas()
    c.img = backdrop.img.copy()
    for lname, src, x, y, _layer in sorted(g.levels[8], key=lambda e: e[4]):
        c.put(g.sprite_image(src)[0], x, y)
    font, gui = g.font("andalus-font12"), g.font("andalous-font18")
    c.text(gui, pack.text("tutorial"), 0, 110)
    sx, sy = level_pos(g, 8, "showhint")
    c.text(font, pack.text("dontshowhint"), sx + 25, sy, 1)
    bx, by = level_pos(g, 8, "btnok")
    c.text(gui, pack.text("ok"), bx, by + 3)
    face = g.sprite_image(g.levels[8][0][1])[0].size
    for n, (x, y) in enumerate(TUTORIAL_LINES, 1):
        c.text(font, pack.text("%s%d" % (topic, n)), x, y, 1, limits=(-face[0] / 2 + 10, face[0] / 2 - 10),
               label="%s%d" % (topic, n))
    # The frame's inside (its 2-pixel border excluded), in level coordinates.
    fl, ft, fr, fb = T.FRAME
    inner = (fl + 2 - face[0] / 2, face[1] / 2 - fb + 2, fr - 2 - face[0] / 2, face[1] / 2 - ft - 2)
    for name, fname, scale, motion, rotating, (x, y) in TUTORIAL_PAGES[topic]:
        scene = Scene(pack, fname) if fname else g
        pic, _blit = scene.sprite_image(name)
        c.put(pic, x, y, scale=(scale, scale))
        hw, hh = _reach(pic, scale, motion, rotating)
        if x - hw < inner[0] or x + hw > inner[2] or y - hh < inner[1] or y + hh > inner[3]:
            c.overflow.append("tutorial page %s: %s covers %d..%d x %d..%d, outside its frame %d..%d x %d..%d"
                              % (topic, name, x - hw, x + hw, y - hh, y + hh,
                                 inner[0], inner[2], inner[1], inner[3]))
    return c


def dialog(pack, g, n, backdrop):
    name, texts = DIALOGS[n]
    c = Canvas()
    c.img = backdrop.img.copy()
    dim = Image.new("RGBA", (W, H), (0, 0, 0, 90))
    c.img.alpha_composite(dim)
    offset = -230 if n == 7 else 0
    for lname, src, x, y, _layer in sorted(g.levels[n], key=lambda e: e[4]):
        if lname in ("slider1", "slider2"):
            continue            # the dialog hangs them under their bars (below)
        pic, blit = g.sprite_image(src)
        c.put(pic, x, y + offset, blit)
    if n == 1:
        for bar, vol in (("slidebar1", 80), ("slidebar2", 33)):
            x, y = level_pos(g, 1, bar)
            c.put(g.sprite_image("dlgslider")[0], x + vol * 160 // 100 - 80, y - 5)
        for sw in ("showhint", "timemode"):
            x, y = level_pos(g, 1, sw)
            c.put(g.sprite_image("checked")[0], x, y)
    if n == 2:
        c.put(g.sprite_image("cursor")[0], g.font("andalous-font18").width("Abcdefghijklmno") // 2 + 5, -18,
              scale=(0.5, 1.3))
    if n == 7:
        c.put(g.sprite_image("achieveback")[0], -125, -3 + offset)
        c.put(g.sprite_image("achievefreed")[0], -128, -1 + offset)
    if n in (5, 6):
        aura, blit = g.sprite_image("guiaura")
        c.put(aura, 90, -72 if n == 5 else -40, blit, scale=(1.5, 1.5), alpha=160)
        for i in range(0, 29, 2):
            a = i * math.pi / 13
            spark, blit = g.sprite_image("sparkle")
            c.put(spark, 90 + 30 * math.cos(a), (-72 if n == 5 else -40) + 30 * math.sin(a), blit)
    font = g.font("andalous-font18")
    face = g.sprite_image(g.levels[n][0][1])[0].size
    limits = (-face[0] / 2 + 10, face[0] / 2 - 10)
    for t in texts:
        key, x, y = t[:3]
        align = t[3] if len(t) > 3 else 0
        colour = t[4] if len(t) > 4 else WHITE
        text = pack.text(key) if key in pack.lang or key in PLACEHOLDER_TEXTS else key
        c.text(font, text.replace("%d", "100"), x, y + offset, align, colour, limits, "dialog %d %s" % (n, key))
    return c, name


def main(argv):
    if len(argv) != 3:
        print(__doc__)
        return 2
    pack = Pack(argv[1])
    out = argv[2]
    os.makedirs(out, exist_ok=True)
    g = Scene(pack, "global.xml")
    shots = {"title": title(pack, g), "map": world_map(pack, g), "map_interlude": world_map(pack, g, (2, 1)),
             "story_chapter1": story(pack, g, 1, False), "story_epilogue": story(pack, g, 7, False),
             "story_spell1": story(pack, g, 1, True)}
    problems = []
    for name, canvas in shots.items():
        canvas.img.save(os.path.join(out, name + ".png"))
        problems += canvas.overflow
    for n in DIALOGS:
        c, name = dialog(pack, g, n, shots["map"] if n != 1 else shots["title"])
        c.img.save(os.path.join(out, "dialog_%d_%s.png" % (n, name)))
        problems += c.overflow
    for topic in TUTORIAL_PAGES:
        c = tutorial(pack, g, topic, shots["map"])
        c.img.save(os.path.join(out, "tutorial_%s.png" % topic[len("tuto"):].rstrip("-")))
        problems += c.overflow
    # Every page of the book and every interlude, for the overflow report.
    for w in range(1, 8):
        problems += story(pack, g, w, False).overflow
    for w in range(1, 7):
        problems += story(pack, g, w, True).overflow
    for w in range(6):
        for k in range(3):
            problems += world_map(pack, g, (w, k)).overflow
    for p in sorted(set(problems)):
        print(p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
