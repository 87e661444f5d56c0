#!/usr/bin/env python3
"""The six board screen files of the built pack: made from one template,
so each holds every template the others hold (level 0 differs only by the
world's ambient life); and
the content checker fails when one of their required names goes."""
import os
import re
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import io
import tempfile
import unittest
import zipfile

from PIL import Image

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD_DIR = os.environ.get("QV_BUILD_DIR")
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

import check_content  # noqa: E402
import xml_tree  # noqa: E402
from required_names import read_required  # noqa: E402

SCREENS = ["swap%d.xml" % n for n in range(1, 7)]
CELL = 44                 # pixels from one cell's centre to the next
POPUP_SCALES = {"pt5": 1.0, "pt15": 1.0, "pt10": 1.2, "pt30": 1.2}   # the doubled points show big
POPUP_GAP = 4             # least clear space between the pop-ups of two neighbours


def names(data):
    """(element names, level 0 element names, image files) of a scene file."""
    doc, err = xml_tree.parse(data)
    assert not err, err
    elements = {e.attr("name") for s in doc.each("elements") for e in s.each("element")}
    level = doc.child("levels").each("level")[0]
    placed = {e.attr("name") for s in level.each("lvlelements") for e in s.each("lvlelement")}
    files = {i.child("filename").value for s in doc.each("images") for i in s.each("image")}
    return elements, placed, files


@unittest.skipUnless(BUILD_DIR, "QV_BUILD_DIR not set")
class BoardScreensTest(unittest.TestCase):
    def setUp(self):
        self.pack_path = os.path.join(BUILD_DIR, "data", "data.pk")
        with zipfile.ZipFile(self.pack_path) as pack:
            self.files = {n: pack.read(n) for n in SCREENS}

    def test_every_screen_holds_the_same_templates_with_its_own_art(self):
        first_elements, _placed, first_files = names(self.files[SCREENS[0]])
        own_art = set()
        for screen in SCREENS[1:]:
            elements, placed, files = names(self.files[screen])
            with self.subTest(screen=screen):
                self.assertEqual(elements, first_elements)
                self.assertLessEqual({"background", "scoregui", "sortgui", "btnmenu"}, placed)
                own_art.add(frozenset(files - first_files))
                self.assertTrue(files - first_files, "%s shares every picture with %s" % (screen, SCREENS[0]))
        self.assertEqual(len(own_art), len(SCREENS) - 1, "two worlds share their pictures")

    def sprite(self, pack, screen, element):
        """The picture of an image element of a screen, cut from its sheet."""
        doc, err = xml_tree.parse(self.files[screen])
        assert not err, err
        elements = {e.attr("name"): e for s in doc.each("elements") for e in s.each("element")}
        sprites = {e.attr("name"): e for s in doc.each("sprites") for e in s.each("sprite")}
        images = {i.attr("name"): i.child("filename").value for s in doc.each("images") for i in s.each("image")}
        sprite = sprites[elements[element].child("sourcesprite").value]
        r = sprite.child("sourcerect")
        x, y, w, h = (int(r.attr(k)) for k in ("x", "y", "width", "height"))
        sheet = Image.open(io.BytesIO(pack.read(images[sprite.child("sourceimage").value])))
        return sheet.convert("RGBA").crop((x, y, x + w, y + h))

    def test_score_popups_of_neighbouring_cells_stay_apart(self):
        """Three cleared neighbours show three numbers, not one strip: each
        pop-up's ink, at the scale it shows at, is narrower than a cell."""
        with zipfile.ZipFile(self.pack_path) as pack:
            for screen in SCREENS:
                for name, scale in POPUP_SCALES.items():
                    box = self.sprite(pack, screen, name).getchannel("A").point(
                        lambda v: 255 if v > 40 else 0).getbbox()
                    with self.subTest(screen=screen, popup=name):
                        self.assertIsNotNone(box)
                        self.assertLessEqual((box[2] - box[0]) * scale, CELL - POPUP_GAP)

    def test_checker_fails_when_a_screen_loses_a_template(self):
        with tempfile.TemporaryDirectory() as tmp:
            with zipfile.ZipFile(self.pack_path) as pack:
                pack.extractall(tmp)
            path = os.path.join(tmp, "swap4.xml")
            with open(path, encoding="latin-1") as f:
                text = f.read()
            cut = re.sub(r'<element type="image" name="chaine2">.*?</element>', "", text)
            self.assertNotEqual(cut, text)
            with open(path, "w", encoding="latin-1") as f:
                f.write(cut)
            required = read_required(os.path.join(SOURCE_DIR, "content"))
            problems = check_content.Checker(check_content.Pack(tmp), required).run()
        self.assertEqual(problems, ["board.txt:%d: [required] element chaine2 missing from swap4.xml"
                                    % next(e.line for e in required if e.args == ["swap4.xml", "chaine2"])])


if __name__ == "__main__":
    unittest.main()
