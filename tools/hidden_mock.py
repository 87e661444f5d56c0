#!/usr/bin/env python3
"""A hidden-object screen as the player sees it once the objects are picked:
the picture with every object in place, the names panel slid in with the
first twelve objects' names (the first one found: struck through and
faded), drawn from the pack's own pictures, font and texts.

    hidden_mock.py <data.pk or folder> <hiddenN.xml> <out.png> [--outlines]

With --outlines the objects' click shapes are drawn over the picture.
"""
import io
import math
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

from PIL import Image, ImageDraw

import scene_preview
import xml_tree
from check_content import Pack
from font_image import draw_text, read_glyphs

PANEL_REST = (-68, -230)            # where the screen slides the panel
NAMES = 12
FOUND_ALPHA = 0x64
CANDIDATE_LAYERS = (1, 3)


def candidates(pack, scene_file):
    """Names of the level elements the screen picks objects from."""
    _elements, _additive, placed = scene_preview.read_level(pack, scene_file)
    return [item["name"] for item in placed if item["layer"] in CANDIDATE_LAYERS]


def shapes_by_source(pack, scene_file):
    """{element name: polygon vertices} of every polygon-shaped element."""
    doc, _err = xml_tree.parse(pack.read(pack.find(scene_file)))
    shapes = {}
    for section in doc.children:
        if section.name != "elements":
            continue
        for node in section.each("element"):
            shape = node.child("shape")
            if shape is not None and shape.attr("type").lower() == "polygon":
                shapes[node.attr("name")] = [(xml_tree.atof(v.attr("x")), xml_tree.atof(v.attr("y")))
                                             for v in shape.each("vertex")]
    return shapes


def screen_polygon(item, verts, by_name):
    """An element's shape in screen pixels (x right, y down)."""
    (x, y), rot = scene_preview.world_pose(item, by_name)
    sx, sy = item["scale"]
    c, s = math.cos(rot), math.sin(rot)
    return [(400 + x + vx * sx * c - vy * sy * s, 300 - (y + vx * sx * s + vy * sy * c)) for vx, vy in verts]


def with_outlines(pack, scene_file, screen, colour=(255, 40, 200, 255)):
    """screen with the click shape of every object to find drawn over it."""
    _elements, _additive, placed = scene_preview.read_level(pack, scene_file)
    by_name = {item["name"]: item for item in placed}
    shapes = shapes_by_source(pack, scene_file)
    out = screen.copy()
    d = ImageDraw.Draw(out)
    for name in candidates(pack, scene_file):
        verts = shapes.get(by_name[name]["source"], [])
        if len(verts) >= 3:
            pts = screen_polygon(by_name[name], verts, by_name)
            d.line(pts + pts[:1], fill=colour, width=2)
    return out


def lang_table(pack):
    doc, _err = xml_tree.parse(pack.read(pack.find("data/lang.xml")))
    return {n.attr("code"): n.value for n in doc.children if n.name == "text"}


def draw(pack, scene_file):
    screen = scene_preview.render(pack, scene_file, moves={"panel": PANEL_REST})
    font = Image.open(io.BytesIO(pack.read(pack.find("fonts/andalus-font12.png")))).convert("RGBA")
    rects = read_glyphs(font)
    texts = lang_table(pack)
    elements, _additive, _placed = scene_preview.read_level(pack, scene_file)
    stroke = elements.get("rayure")
    for i, name in enumerate(candidates(pack, scene_file)[:NAMES]):
        x = PANEL_REST[0] + (i % 4) * 144 - 280
        y = PANEL_REST[1] + 23 - (i // 4) * 23
        text = draw_text(font, rects, texts.get(name, "undefined"))
        left, top = int(400 + x), int(300 - y - text.size[1] / 2)
        if i == 0:
            text.putalpha(text.getchannel("A").point(lambda v: v * FOUND_ALPHA // 255))
        screen.alpha_composite(text, (left, top))
        if i == 0 and stroke is not None:
            w = text.size[0] + 6
            line = stroke.resize((w, stroke.size[1]), Image.LANCZOS).rotate(math.degrees(-0.05), expand=True,
                                                                             resample=Image.BICUBIC)
            screen.alpha_composite(line, (int(400 + x + text.size[0] / 2 - line.size[0] / 2),
                                          int(300 - y - line.size[1] / 2)))
    return screen


def main(argv):
    if len(argv) not in (3, 4) or argv[3:] not in ([], ["--outlines"]):
        print(__doc__)
        return 2
    pack = Pack(argv[0])
    screen = draw(pack, argv[1])
    if argv[3:]:
        screen = with_outlines(pack, argv[1], screen)
    screen.convert("RGB").save(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
