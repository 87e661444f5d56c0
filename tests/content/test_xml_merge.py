#!/usr/bin/env python3
"""Fragments merge into global.xml and data/lang.xml as the game reads them;
bad fragments stop the build; two sources of one pack entry stop it too."""
import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no caches in the source tree
SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

import build_data  # noqa: E402
import xml_merge  # noqa: E402
import xml_tree  # noqa: E402

GUI_A = """<g><images><image name="a"><filename>a.png</filename></image></images>
<sprites><sprite name="sa"><sourceimage>b</sourceimage></sprite></sprites>
<levels><level index="5" name="recap"><lvlelements><lvlelement name="btnok"/></lvlelements></level></levels></g>"""
GUI_B = """<g><images><image name="b"><filename>b.png</filename></image></images>
<levels><level index="0" name="pause"><lvlelements/></level></levels></g>"""


def write(folder, files):
    for name, text in files.items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
            f.write(text)


class GlobalMergeTest(unittest.TestCase):
    def test_sections_gather_and_levels_land_at_their_number(self):
        with tempfile.TemporaryDirectory() as tmp:
            write(tmp, {"10-a.xml": GUI_A, "20-b.xml": GUI_B})
            doc, err = xml_tree.parse(xml_merge.merge_global(tmp).encode())
        self.assertIsNone(err)
        self.assertEqual([c.name for c in doc.children], ["images", "sprites", "elements", "levels"])
        # Both fragments' images come before any sprite, so "sa" finds "b".
        self.assertEqual([i.attr("name") for i in doc.child("images").children], ["a", "b"])
        levels = doc.child("levels").each("level")
        self.assertEqual(len(levels), 11)
        self.assertEqual(levels[0].attr("name"), "pause")
        self.assertEqual(levels[5].attr("name"), "recap")
        self.assertFalse(levels[5].has_attr("index"))
        self.assertEqual(levels[5].child("lvlelements").children[0].attr("name"), "btnok")

    def test_bad_fragments_stop_the_build(self):
        cases = [
            ("twice", {"a.xml": GUI_B, "b.xml": GUI_B}),
            ("index", {"a.xml": "<g><levels><level name='x'/></levels></g>"}),
        ]
        for what, files in cases:
            with self.subTest(what=what), tempfile.TemporaryDirectory() as tmp:
                write(tmp, files)
                with self.assertRaises(ValueError):
                    xml_merge.merge_global(tmp)


    def test_text_is_written_latin1_as_the_game_reads_it(self):
        with tempfile.TemporaryDirectory() as tmp:
            write(tmp, {"a.xml": '<g><levels><level index="0" name="caf\u00e9"/></levels></g>'})
            data = xml_merge.global_bytes(tmp)
        self.assertTrue(data.startswith(b'<?xml version="1.0" encoding="ISO-8859-1"?>'))
        self.assertIn(b'name="caf\xe9"', data)
        doc, err = xml_tree.parse(data)
        self.assertIsNone(err)
        self.assertEqual(doc.child("levels").each("level")[0].attr("name"), "caf\u00e9")

    def test_text_outside_latin1_stops_the_build(self):
        with tempfile.TemporaryDirectory() as tmp:
            write(tmp, {"a.xml": '<g><levels><level index="0" name="\u20ac"/></levels></g>'})
            with self.assertRaises(ValueError):
                xml_merge.global_bytes(tmp)


class LangMergeTest(unittest.TestCase):
    def test_values_are_latin1_and_escaped(self):
        with tempfile.TemporaryDirectory() as tmp:
            write(tmp, {"a.xml": '<lang><text code="k1">Caf\u00e9 &amp; th\u00e9</text></lang>',
                        "b.xml": '<lang><text code="k2">2 &lt; 3</text><other/></lang>'})
            data = xml_merge.merge_lang(tmp)
        self.assertIn(b'<text code="k1">Caf\xe9 &amp; th\xe9</text>', data)
        self.assertIn(b'<text code="k2">2 &lt; 3</text>', data)
        doc, err = xml_tree.parse(data)
        self.assertIsNone(err)
        self.assertEqual([t.value for t in doc.each("text")], ["Caf\u00e9 & th\u00e9", "2 < 3"])

    def test_bad_texts_stop_the_build(self):
        cases = {
            "duplicate key": {"a.xml": '<l><text code="k">x</text></l>', "b.xml": '<l><text code="k">y</text></l>'},
            "white space": {"a.xml": '<l><text code="k">x </text></l>'},
            "line break": {"a.xml": '<l><text code="k">\nx</text></l>'},
            "not Latin-1": {"a.xml": '<l><text code="k">\u20ac</text></l>'},
            "no code": {"a.xml": '<l><text>x</text></l>'},
        }
        for what, files in cases.items():
            with self.subTest(what=what), tempfile.TemporaryDirectory() as tmp:
                write(tmp, files)
                with self.assertRaises(ValueError):
                    xml_merge.merge_lang(tmp)


class PackBuilderTest(unittest.TestCase):
    def test_one_entry_from_two_sources_stops_the_build(self):
        builder = build_data.PackBuilder()
        builder.add("splash.xml", b"<a/>", "content/pack")
        with self.assertRaises(SystemExit):
            builder.add("splash.xml", b"<b/>", "tools/art/splash.py")


if __name__ == "__main__":
    unittest.main()
