#!/usr/bin/env python3
"""Draws one level of a scene file from a pack as the game would show it at
rest: each image level element's sprite at its position, rotation, scale,
flips and alpha, layer by layer (0 to 7) in file order, parents applied;
additive elements are added. Text elements and effects are not drawn.

    scene_preview.py <data.pk or folder> <scene file> <out.png> [level]
"""
import io
import math
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

from PIL import Image, ImageChops

import xml_tree
from check_content import Pack

SCREEN = (800, 600)


def read_level(pack, scene_file, level_number=0):
    """(sprites {element: image}, additive {element}, level elements) of a
    scene file: every level element as a dict with name, source, pos,
    rotation (radians), scale, flip, alpha, layer and parent."""
    doc, err = xml_tree.parse(pack.read(pack.find(scene_file)))
    if err:
        raise ValueError("%s: %s" % (scene_file, err))
    images, sprites, elements, additive = {}, {}, {}, set()
    for section in doc.children:
        if section.name == "images":
            for node in section.each("image"):
                entry = pack.find(node.child("filename").value)
                if entry:
                    img = Image.open(io.BytesIO(pack.read(entry)))
                    img.load()
                    images[node.attr("name")] = img.convert("RGBA")
        elif section.name == "sprites":
            for node in section.each("sprite"):
                img = images.get(node.child("sourceimage").value)
                r = node.child("sourcerect")
                if img is None or r is None:
                    continue
                x, y = xml_tree.atoi(r.attr("x")), xml_tree.atoi(r.attr("y"))
                w, h = xml_tree.atoi(r.attr("width")), xml_tree.atoi(r.attr("height"))
                sprites[node.attr("name")] = img.crop((x, y, x + w, y + h))
        elif section.name == "elements":
            for node in section.each("element"):
                src = node.child("sourcesprite")
                if node.attr("type") == "image" and src is not None and src.value in sprites:
                    elements[node.attr("name")] = sprites[src.value]
                    blit = node.child("blitmode")
                    if blit is not None and xml_tree.atoi(blit.value) == 2:
                        additive.add(node.attr("name"))
    levels = doc.child("levels")
    level = [n for n in levels.each("level")][level_number]
    placed = []
    for section in level.each("lvlelements"):
        for node in section.each("lvlelement"):
            item = {"name": node.attr("name"), "source": None, "pos": (0.0, 0.0), "rotation": 0.0,
                    "scale": (1.0, 1.0), "flip": (False, False), "alpha": 0, "layer": 0, "parent": None}
            for child in node.children:
                if child.name == "sourceelement":
                    item["source"] = child.value
                elif child.name == "pos":
                    item["pos"] = (xml_tree.atof(child.attr("x")), xml_tree.atof(child.attr("y")))
                elif child.name == "rotation":
                    item["rotation"] = math.radians(xml_tree.atof(child.value))
                elif child.name == "scale":
                    item["scale"] = (xml_tree.atof(child.attr("x")), xml_tree.atof(child.attr("y")))
                elif child.name == "flip":
                    item["flip"] = (xml_tree.atoi(child.attr("x")) != 0, xml_tree.atoi(child.attr("y")) != 0)
                elif child.name == "color":
                    item["alpha"] = xml_tree.atoi(child.attr("a")) & 255
                elif child.name == "layer":
                    item["layer"] = xml_tree.atoi(child.value)
                elif child.name == "parent":
                    item["parent"] = child.value
            placed.append(item)
    return elements, additive, placed


def world_pose(item, by_name):
    """World position and rotation through the parent chain."""
    x, y = item["pos"]
    rot = item["rotation"]
    parent = by_name.get(item["parent"]) if item["parent"] else None
    if parent is not None and parent is not item:
        (px, py), prot = world_pose(parent, by_name)
        x, y = px + x * math.cos(prot) - y * math.sin(prot), py + x * math.sin(prot) + y * math.cos(prot)
        rot += prot
    return (x, y), rot


def element_picture(sprite, item, rot):
    img = sprite
    if item["flip"][0]:
        img = img.transpose(Image.FLIP_LEFT_RIGHT)
    if item["flip"][1]:
        img = img.transpose(Image.FLIP_TOP_BOTTOM)
    sx, sy = item["scale"]
    if (sx, sy) != (1.0, 1.0):
        img = img.resize((max(1, round(img.size[0] * abs(sx))), max(1, round(img.size[1] * abs(sy)))),
                         Image.LANCZOS)
    if abs(rot) > 1e-6:
        img = img.rotate(math.degrees(rot), resample=Image.BICUBIC, expand=True)
    return img


def render(pack, scene_file, level_number=0, background=(0, 0, 0), skip=(), moves=None):
    """An RGBA picture of the level at rest; skip names level elements left
    out, moves gives some a position of their own."""
    elements, additive, placed = read_level(pack, scene_file, level_number)
    for item in placed:
        if moves and item["name"] in moves:
            item["pos"] = moves[item["name"]]
    by_name = {item["name"]: item for item in placed}
    screen = Image.new("RGBA", SCREEN, background + (255,))
    for layer in range(8):
        for item in placed:
            if item["layer"] != layer or item["source"] not in elements or item["name"] in skip:
                continue
            (x, y), rot = world_pose(item, by_name)
            img = element_picture(elements[item["source"]], item, rot)
            left = round(SCREEN[0] / 2 + x - img.size[0] / 2)
            top = round(SCREEN[1] / 2 - y - img.size[1] / 2)
            if item["source"] in additive:
                lay = Image.new("RGB", SCREEN, (0, 0, 0))
                lay.paste(img.convert("RGB"), (left, top))
                screen = Image.merge("RGBA", ImageChops.add(screen.convert("RGB"), lay).split() + (
                    screen.getchannel("A"),))
                continue
            if item["alpha"] < 255:
                img.putalpha(img.getchannel("A").point(lambda v, a=item["alpha"]: v * a // 255))
            lay = Image.new("RGBA", SCREEN, (0, 0, 0, 0))
            lay.paste(img, (left, top))
            screen.alpha_composite(lay)
    return screen


def main(argv):
    if len(argv) < 3:
        print(__doc__)
        return 2
    level = int(argv[3]) if len(argv) > 3 else 0
    render(Pack(argv[0]), argv[1], level).convert("RGB").save(argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
