#!/usr/bin/env python3
"""The built hidden-object screens can be played by eye: each file offers at
least twelve objects to find (level elements in layers 1 and 3), each named
by a language text, clicked through a shape that hugs the part of its
picture left uncovered by what is drawn over it (a click on the scenery in
front finds nothing), lying on the screen above the names panel, mostly
uncovered, and not overlapping another object (one click finds one
object)."""
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import math
import unittest

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD_DIR = os.environ.get("QV_BUILD_DIR")
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

from PIL import Image, ImageChops, ImageDraw  # noqa: E402

import hidden_mock  # noqa: E402
import scene_preview  # noqa: E402
import xml_tree  # noqa: E402
from check_content import Pack  # noqa: E402

SCREENS = ["hidden1.xml", "hidden2.xml", "hidden3.xml"]
PICKED = 12
PANEL_TOP = 478          # screen y of the slid-in panel's top edge (y down)
SOLID = 100              # alpha from which a pixel belongs to a picture
MIN_VISIBLE = 0.7        # share of an object's pixels the player sees
MIN_COVERED = 0.9        # share of an object's visible pixels inside its shape
MAX_SHAPE_SPILL = 0.45   # share of the shape area outside the visible picture (thin handles spill most)
MAX_HIDDEN_TAKEN = 0.8   # share of the screen's covered object pixels the shapes still take in (a convex
                         # shape spans the gaps of grass and leaves, not a solid piece in front)


def _shape(pack, scene_file, source):
    """Polygon vertices of an element, or None."""
    doc, _err = xml_tree.parse(pack.read(pack.find(scene_file)))
    for section in doc.children:
        if section.name != "elements":
            continue
        for node in section.each("element"):
            if node.attr("name") == source:
                shape = node.child("shape")
                if shape is None or shape.attr("type").lower() != "polygon":
                    return None
                return [(xml_tree.atof(v.attr("x")), xml_tree.atof(v.attr("y"))) for v in shape.each("vertex")]
    return None


def _screen_masks(pack, scene_file, item, sprite, by_name):
    """(picture mask, shape mask) of a placed object in screen pixels."""
    (x, y), rot = scene_preview.world_pose(item, by_name)
    pic = scene_preview.element_picture(sprite, item, rot)
    picture = Image.new("L", scene_preview.SCREEN, 0)
    alpha = pic.getchannel("A").point(lambda v: 255 if v >= SOLID else 0)
    picture.paste(alpha, (round(400 + x - pic.size[0] / 2), round(300 - y - pic.size[1] / 2)))
    shape = Image.new("L", scene_preview.SCREEN, 0)
    verts = _shape(pack, scene_file, item["source"]) or []
    sx, sy = item["scale"]
    pts = [(400 + x + vx * sx * math.cos(rot) - vy * sy * math.sin(rot),
            300 - (y + vx * sx * math.sin(rot) + vy * sy * math.cos(rot))) for vx, vy in verts]
    if len(pts) >= 3:
        ImageDraw.Draw(shape).polygon(pts, fill=255)
    return picture, shape


def _cover(item, placed, elements, by_name):
    """Mask of the pixels drawn over a placed element (later layers, and
    later elements of its own layer), in screen pixels."""
    order = sorted(range(len(placed)), key=lambda k: placed[k]["layer"])
    mask = Image.new("L", scene_preview.SCREEN, 0)
    after = False
    for k in order:
        other = placed[k]
        if other is item:
            after = True
            continue
        if not after or other["source"] not in elements:
            continue
        (x, y), rot = scene_preview.world_pose(other, by_name)
        pic = scene_preview.element_picture(elements[other["source"]], other, rot)
        alpha = pic.getchannel("A").point(lambda v: 255 if v >= SOLID else 0)
        lay = Image.new("L", scene_preview.SCREEN, 0)
        lay.paste(alpha, (round(400 + x - pic.size[0] / 2), round(300 - y - pic.size[1] / 2)))
        mask = ImageChops.lighter(mask, lay)
    return mask


def _count(mask):
    return mask.histogram()[255]


@unittest.skipUnless(BUILD_DIR, "QV_BUILD_DIR not set")
class HiddenScreensTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.pack = Pack(os.path.join(BUILD_DIR, "data", "data.pk"))
        cls.texts = hidden_mock.lang_table(cls.pack)

    def test_each_screen_is_playable_by_eye(self):
        for scene_file in SCREENS:
            elements, _additive, placed = scene_preview.read_level(self.pack, scene_file)
            by_name = {item["name"]: item for item in placed}
            names = hidden_mock.candidates(self.pack, scene_file)
            self.assertGreaterEqual(len(names), PICKED, scene_file)
            full = scene_preview.render(self.pack, scene_file)
            shapes = {}
            hidden_pixels = hidden_taken = 0
            for name in names:
                item = by_name[name]
                with self.subTest(screen=scene_file, object=name):
                    self.assertIn(name, self.texts, "no language text names it")
                    self.assertIn(item["source"], elements, "no picture")
                    picture, shape = _screen_masks(self.pack, scene_file, item, elements[item["source"]], by_name)
                    shapes[name] = shape
                    area = _count(picture)
                    box = picture.getbbox()
                    self.assertTrue(box and box[0] >= 0 and box[1] >= 0 and box[2] <= 800 and box[3] <= PANEL_TOP,
                                    "not on screen above the panel: %s" % (box,))
                    hidden = ImageChops.multiply(picture, _cover(item, placed, elements, by_name))
                    visible = ImageChops.subtract(picture, hidden)
                    hidden_pixels += _count(hidden)
                    hidden_taken += _count(ImageChops.multiply(hidden, shape))
                    inside = _count(ImageChops.multiply(visible, shape))
                    self.assertGreaterEqual(inside / _count(visible), MIN_COVERED, "shape misses the picture")
                    spill = (_count(shape) - inside) / _count(shape)
                    self.assertLessEqual(spill, MAX_SHAPE_SPILL, "shape far larger than the visible picture")
                    left, top, right, bottom = shape.getbbox()
                    self.assertEqual(shape.getpixel(((left + right) // 2, (top + bottom) // 2)), 255,
                                     "the middle of the shape's box is not on it")
                    without = scene_preview.render(self.pack, scene_file, skip=(name,))
                    changed = ImageChops.difference(full, without).convert("L").point(lambda v: 255 if v > 8 else 0)
                    seen = _count(ImageChops.multiply(changed, picture))
                    self.assertGreaterEqual(seen / area, MIN_VISIBLE, "mostly covered")
            with self.subTest(screen=scene_file, shapes="traced after the scenery in front"):
                self.assertLessEqual(hidden_taken, MAX_HIDDEN_TAKEN * hidden_pixels,
                                     "the shapes take in what the scenery in front hides")
            for i, a in enumerate(names):
                for b in names[i + 1:]:
                    if a not in shapes or b not in shapes:
                        continue
                    with self.subTest(screen=scene_file, overlap=(a, b)):
                        self.assertEqual(_count(ImageChops.multiply(shapes[a], shapes[b])), 0)


if __name__ == "__main__":
    unittest.main()
