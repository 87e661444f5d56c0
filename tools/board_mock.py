#!/usr/bin/env python3
"""Draws what a board screen will look like from the pack alone: the
scene file's level 0 (background, panels in their slid-in places, menu
button), a layout's cells, pieces and frame (as the board places them),
the time gauge, the spell gauges, the score and level texts in the
screen's font, a selection and a monster. A picture to judge the look by,
not a test of the game.

    board_mock.py <data.pk> <swapN.xml> <layout index> <out.png>
"""
import io
import math
import os
import random
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import zipfile

from PIL import Image

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)

import layouts  # noqa: E402
import xml_tree  # noqa: E402
from font_image import draw_text, read_glyphs  # noqa: E402

SCREEN = (800, 600)
# Where the board screen moves its panels.
PANEL_PLACES = {"scoregui": (0, 253), "sortgui": (246, -270)}
PLAYABLE = (1, 2, 3)
TILE_BY_BACK = {1: "backclear", 2: "backfill", 3: "blocker", 5: "chaineh", 6: "chaineh"}


class SceneArt:
    """The pictures of one scene file: element name -> first frame."""

    def __init__(self, pack, scene_name):
        doc, err = xml_tree.parse(pack.read(scene_name))
        if err:
            raise ValueError(err)
        textures, sprites = {}, {}
        self.frames, self.level0 = {}, []
        for section in doc.children:
            if section.name == "images":
                for node in section.each("image"):
                    data = pack.read(node.child("filename").value)
                    textures[node.attr("name")] = Image.open(io.BytesIO(data)).convert("RGBA")
            elif section.name == "sprites":
                for node in section.each("sprite"):
                    r = node.child("sourcerect")
                    x, y = xml_tree.atoi(r.attr("x")), xml_tree.atoi(r.attr("y"))
                    w, h = xml_tree.atoi(r.attr("width")), xml_tree.atoi(r.attr("height"))
                    tex = textures[node.child("sourceimage").value]
                    sprites[node.attr("name")] = tex.crop((x, y, x + w, y + h))
            elif section.name == "elements":
                for node in section.each("element"):
                    kind = node.attr("type")
                    if kind == "image":
                        frame = sprites[node.child("sourcesprite").value]
                    elif kind == "anim":
                        frame = sprites[node.child("sprites").each("sprite")[0].value]
                    else:
                        continue
                    blit = node.child("blitmode")
                    self.frames[node.attr("name")] = (frame, blit is not None and blit.value.strip() == "2")
        level = doc.child("levels").each("level")[0]
        for section in level.each("lvlelements"):
            for node in section.each("lvlelement"):
                pos = node.child("pos")
                layer = node.child("layer")
                self.level0.append((node.attr("name"), node.child("sourceelement").value,
                                    (xml_tree.atof(pos.attr("x")), xml_tree.atof(pos.attr("y"))),
                                    xml_tree.atoi(layer.value) if layer is not None else 0))
        self.font = None
        if "galaxy-font16" in textures:
            self.font = (textures["galaxy-font16"], read_glyphs(textures["galaxy-font16"]))


class Canvas:
    def __init__(self, art):
        self.art = art
        self.layers = [Image.new("RGBA", SCREEN, (0, 0, 0, 0)) for _ in range(8)]

    def put(self, name, pos, layer, scale=(1.0, 1.0), rotation=0.0, colour=None):
        if name not in self.art.frames:
            return
        frame, additive = self.art.frames[name]
        if scale != (1.0, 1.0):
            frame = frame.resize((max(1, int(frame.size[0] * scale[0])), max(1, int(frame.size[1] * scale[1]))),
                                 Image.LANCZOS)
        if rotation:
            frame = frame.rotate(math.degrees(rotation), expand=True, resample=Image.BICUBIC)
        if colour is not None:
            tint = Image.new("RGBA", frame.size, colour)
            frame = Image.composite(Image.blend(frame, tint, 0.0), frame, frame.getchannel("A"))
        x = int(round(400 + pos[0] - frame.size[0] / 2))
        y = int(round(300 - pos[1] - frame.size[1] / 2))
        if additive:
            rgb = frame.convert("RGB")
            region = self.layers[layer].crop((x, y, x + rgb.size[0], y + rgb.size[1]))
            lit = Image.new("RGBA", rgb.size, (255, 255, 255, 0))
            lit.putalpha(rgb.convert("L"))
            rgb.putalpha(rgb.convert("L"))
            region.alpha_composite(rgb)
            self.layers[layer].paste(region, (x, y))
        else:
            self.layers[layer].alpha_composite(frame, (max(0, x), max(0, y)),
                                               (max(0, -x), max(0, -y)))

    def text(self, text, pos, layer, align=0):
        if not self.art.font:
            return
        img = draw_text(self.art.font[0], self.art.font[1], text)
        x = 400 + pos[0] - (img.size[0] // 2 if align == 0 else 0)
        y = 300 - pos[1] - img.size[1] // 2
        self.layers[layer].alpha_composite(img, (int(x), int(y)))

    def image(self):
        out = Image.new("RGBA", SCREEN, (0, 0, 0, 255))
        for layer in self.layers:
            out.alpha_composite(layer)
        return out.convert("RGB")


def cell_pos(c, r):
    return c * 44 - 350, 257 - r * 44


def frame_pieces(lay):
    """(column, row, name) in the board's creation order."""
    def playable(c, r):
        return 0 <= c < 17 and 0 <= r < 13 and lay.back(c, r) in PLAYABLE
    out = []
    for r in range(13):
        for c in range(17):
            if playable(c, r):
                continue
            m = 0
            for bit, dc, dr in ((1, -1, -1), (2, 0, -1), (4, 1, -1), (8, -1, 0), (16, 1, 0), (32, -1, 1),
                                (64, 0, 1), (128, 1, 1)):
                if playable(c + dc, r + dr):
                    m |= bit
            names = [n for bit, n in ((8, "bright"), (16, "bleft"), (2, "bbottom"), (64, "btop")) if m & bit]
            for mask, outer, both, inner in ((11, 1, 10, ("bbottomright", "binnertopleft")),
                                             (22, 4, 18, ("bbottomleft", "binnertopright")),
                                             (104, 32, 72, ("btopright", "binnerbottomleft")),
                                             (208, 128, 80, ("btopleft", "binnerbottomright"))):
                if m & mask == outer:
                    names.append(inner[0])
                elif m & both == both:
                    names.append(inner[1])
            out += [(c, r, n) for n in names]
    return out


def draw(pack, scene_name, lay, world=0, level=0):
    art = SceneArt(pack, scene_name)
    cv = Canvas(art)
    rnd = random.Random(lay.index)
    for name, source, pos, layer in art.level0:
        cv.put(source, PANEL_PLACES.get(name, pos), layer)
    selected = None
    for r in range(13):
        for c in range(17):
            back, front = lay.back(c, r), lay.front(c, r)
            pos = cell_pos(c, r)
            if back in TILE_BY_BACK:
                tile = TILE_BY_BACK[back]
                if back == 1:
                    edge = lambda cc, rr: 0 <= cc < 17 and 0 <= rr < 13 and lay.back(cc, rr) in (0, 2, 3, 5, 6)
                    m = (2 if r >= 1 and edge(c, r - 1) else 0) + (1 if r >= 1 and c >= 1 and edge(c - 1, r - 1)
                                                                   else 0) + (4 if c >= 1 and edge(c - 1, r) else 0)
                    tile = ["backclear", "backclearct", "backcleart", "backcleart", "backclearl", "backclearl",
                            "backcleartl", "backcleartl"][m]
                cv.put(tile, pos, 2, scale=(0.95, 0.95) if back >= 5 else (1.0, 1.0),
                       rotation=math.pi / 2 if back == 6 else 0.0)
            if front in (1, 2, 3):
                colour = rnd.randint(1, 5)
                if selected is None and back == 1 and front == 1 and r > 4:
                    selected = (c, r)
                    cv.put("P%dTurn" % colour, pos, 3)
                else:
                    cv.put("P%d" % colour, pos, 3)
                if front > 1:
                    cv.put("chaine1" if front == 2 else "chaine2", pos, 4)
            if back == 4:
                cv.put("cage", pos, 3, scale=(0.95, 0.95))
    for c, r, name in frame_pieces(lay):
        cv.put(name, cell_pos(c, r), 2)
    if selected:
        cx, cy = cell_pos(*selected)
        for i, name in enumerate(("seltopleft", "seltopright", "selbottomleft", "selbottomright")):
            cv.put(name, (cx - 14 + 24 * (i % 2), cy + 15 - 24 * (i // 2)), 7, scale=(1.1, 1.1))
    # Time gauge, two thirds left.
    cv.put("timegaugeback", (380, 0), 7, scale=(0.9, 1))
    bar, _add = art.frames.get("timegauge", (None, False))
    if bar is not None:
        v = 140
        part = bar.crop((0, v, 90, 420)).resize((81, 420 - v))
        cv.layers[6].alpha_composite(part, (int(780 - 40.5), int(300 - (-v / 2) - (420 - v) / 2)))
    cv.put("timegaugefront", (380, 0), 7, scale=(0.9, 1))
    # Spell gauges: spells below the world's index are open, half charged.
    px, py = PANEL_PLACES["sortgui"]
    for i in range(6):
        x = px - 124 + 48.6 * i
        cv.put("jaugeback", (x, py - 18), 7, scale=(1, 1.2))
        if i < world or (i == world and level > 0):
            f = [1.0, 0.6, 0.3, 0.8, 0.5, 0.2][i]
            gauge = art.frames.get("jauge")
            if gauge:
                w = gauge[0].size[0]
                cv.put("jauge", (x - w * (1 - f) / 2, py - 18), 7, scale=(max(f, 0.02), 1.2))
            if f >= 1.0:
                cv.put("halosort", (x, py + 10), 7, colour=None)
        else:
            cv.put("locksort", (x, py + 9), 7)
    sx, sy = PANEL_PLACES["scoregui"]
    cv.text("Score 12345", (sx - 185, sy + 14), 7, align=1)
    cv.text("World %d - Level %d" % (world + 1, level + 1), (sx + 20, sy + 14), 7, align=1)
    for name, source, pos, layer in art.level0:
        if name == "btnmenu":
            cv.text("Menu", pos, 7)
    cv.put("bat", (-200, 60), 5)
    cv.put("gaugeentback", (-200, 100), 5)
    cv.put("gaugeent", (-200, 100), 5)
    return cv.image()


class _Pack:
    def __init__(self, path):
        self._zip = zipfile.ZipFile(path) if not os.path.isdir(path) else None
        self.path = path

    def read(self, name):
        if self._zip:
            return self._zip.read(name)
        with open(os.path.join(self.path, name), "rb") as f:
            return f.read()


def layout_from_pack(pack, index):
    data = pack.read("data/layouts.bin")
    return layouts.read_binary(data)[index]


def main(argv):
    pack = _Pack(argv[0])
    lay = layout_from_pack(pack, int(argv[2]))
    world = int(argv[1][4:-4]) - 1 if argv[1].startswith("swap") else 0
    draw(pack, argv[1], lay, world, lay.index % 10).save(argv[3])


if __name__ == "__main__":
    main(sys.argv[1:])
