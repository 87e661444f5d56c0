#!/usr/bin/env python3
"""Font lists and font images: the optional "+N" column of a font line widens
every glyph cell by N blank columns (a screen that sets kerning -N then draws
the letters at their natural spacing), the image stays a font the loader
reads, and samples drawn with that kerning come out as wide as unspaced."""
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import tempfile
import unittest

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

from PIL import Image  # noqa: E402

import gen_fonts  # noqa: E402
from font_image import draw_text, read_glyphs  # noqa: E402


class FontSpacingTest(unittest.TestCase):
    def test_font_lines(self):
        cases = [  # (line, expected entry)
            ("menu-font20 DejaVuSerif-Bold outline +7  # note", ("menu-font20", "DejaVuSerif-Bold", "outline", 7)),
            ("page-font14 DejaVuSerif shadow", ("page-font14", "DejaVuSerif", "shadow", 0)),
            ("bare-font12 DejaVuSans", ("bare-font12", "DejaVuSans", "outline", 0)),
        ]
        with tempfile.TemporaryDirectory() as tmp:
            os.makedirs(os.path.join(tmp, "fonts"))
            for line, expected in cases:
                with open(os.path.join(tmp, "fonts", "list.txt"), "w") as f:
                    f.write("# comment\n" + line + "\n")
                with self.subTest(line=line):
                    self.assertEqual(gen_fonts.read_font_list(tmp), [expected])

    def test_spacing_widens_every_cell(self):
        with tempfile.TemporaryDirectory() as tmp:
            plain, spaced = os.path.join(tmp, "a-font16.png"), os.path.join(tmp, "b-font16.png")
            gen_fonts.render_font("a-font16", "DejaVuSerif", "outline", plain)
            gen_fonts.render_font("b-font16", "DejaVuSerif", "outline", spaced, 5)
            a, b = read_glyphs(Image.open(plain)), read_glyphs(Image.open(spaced))
            # The image tells sample drawers the kerning that balances it.
            self.assertEqual(Image.open(spaced).info.get("kerning"), "-5")
            self.assertEqual(len(a), 224)
            self.assertEqual(len(b), 224)
            for code, (ra, rb) in enumerate(zip(a, b), 32):
                with self.subTest(char=code):
                    self.assertEqual((rb[2] - rb[0]) - (ra[2] - ra[0]), 5)
                    self.assertEqual(rb[3] - rb[1], ra[3] - ra[1])


    def test_kerned_sample_matches_the_unspaced_font(self):
        with tempfile.TemporaryDirectory() as tmp:
            plain, spaced = os.path.join(tmp, "a-font16.png"), os.path.join(tmp, "b-font16.png")
            gen_fonts.render_font("a-font16", "DejaVuSerif", "outline", plain)
            gen_fonts.render_font("b-font16", "DejaVuSerif", "outline", spaced, 7)
            a, b = Image.open(plain), Image.open(spaced)
            text = "Quorvel, x!"
            wide = draw_text(b, read_glyphs(b), text, kerning=-7)
            self.assertEqual(wide.size, draw_text(a, read_glyphs(a), text).size)


if __name__ == "__main__":
    unittest.main()
