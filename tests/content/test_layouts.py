#!/usr/bin/env python3
"""data/layouts.bin reads back to the authored grids, keeps the board rules,
and each rule rejects a grid broken in one place."""
import os
import struct
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import unittest
import zipfile

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

import layouts as L  # noqa: E402

LAYOUT_DIR = os.path.join(SOURCE_DIR, "content", "layouts")

# A sound world-5 board: backfill, a blocker, a chain, a cage with a hole
# left of it for the turtle's chain and a playable cell beyond the hole for
# the turtle to act from, one locked piece.
GOOD = """layout 50 test
.................
.................
.....oo.oooo.....
.....o.Coooo.....
.....####=##.....
.....#B####f.....
.....########....
.....oooooooo....
.................
.................
.................
.................
.................
"""


def grid(text, index=50):
    return L.parse_layouts(text.replace("layout 50", "layout %d" % index))[index]


def put(text, row, col, ch):
    lines = text.split("\n")
    r = lines[1 + row]
    lines[1 + row] = r[:col] + ch + r[col + 1:]
    return "\n".join(lines)


class LayoutRulesTest(unittest.TestCase):
    def test_good_grid_passes(self):
        self.assertEqual(L.check_layout(grid(GOOD)), [])

    def test_each_rule_rejects_its_fault(self):
        locked_chain = grid(GOOD)
        locked_chain.cells[9][4] = (L.HCHAIN, L.LOCK1)
        cases = [
            ("never refilled", grid(put(GOOD, 4, 0, "#"))),            # column 0
            ("never refilled", grid(put(GOOD, 0, 8, "o"))),            # row 0
            ("never refilled", grid(put(GOOD, 6, 16, "o"))),           # column 16
            ("cannot be matched", grid(put(GOOD, 10, 3, "#"))),        # an island cell
            ("no backfill", grid(GOOD.replace("#", "o").replace("B", "o").replace("f", "l"))),
            ("bats never come", grid(GOOD.replace("#", "o").replace("B", "#"))),
            ("crabs never come", grid(put(put(GOOD, 4, 6, "f"), 4, 7, "F"))),
            ("a lock on a cage or chain", locked_chain),
            ("turtle", grid(put(GOOD, 3, 6, "o"))),                    # the cage's hole filled
            ("turtle", grid(put(GOOD, 3, 5, "."))),                    # the turtle on a hole
            ("turtle", grid(put(put(GOOD, 2, 5, "."), 4, 5, "."))),    # its backfill never cleared
            ("chain before world 2", grid(GOOD.replace("C", "o").replace("f", "#"), 15)),
            ("cage before world 3", grid(GOOD.replace("f", "#"), 25)),
            ("lock before world 4", grid(GOOD, 35)),
            ("under the spell panel", grid(put(GOOD, 12, 10, "o"))),  # its covered corner
            ("under the spell panel", grid(put(GOOD, 11, 15, "o"))),  # the row its edge overlaps
        ]
        for rule, lay in cases:
            with self.subTest(rule=rule):
                problems = L.check_layout(lay)
                self.assertTrue(any(rule in p for p in problems), "%s not reported: %s" % (rule, problems))


    def test_spell_panel_cells_follow_the_panel_picture(self):
        # The covered cells, worked out again from the panel's picture size
        # and place: a cell whose centre or more than a quarter lies under it.
        sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "art"))
        import _board_worlds as worlds
        import board_mock
        (px, py), (w, h) = board_mock.PANEL_PLACES["sortgui"], worlds.SPELL_SIZE
        left, right, bottom, top = px - w / 2, px + w / 2, py - h / 2, py + h / 2
        covered = set()
        for c in range(1, L.COLUMNS - 1):
            for r in range(1, L.ROWS):
                x, y = board_mock.cell_pos(c, r)
                half = worlds.CELL / 2
                overlap_x = max(0, min(right, x + half) - max(left, x - half))
                overlap_y = max(0, min(top, y + half) - max(bottom, y - half))
                centre_under = left <= x <= right and bottom <= y <= top
                if centre_under or overlap_x * overlap_y > worlds.CELL ** 2 / 4:
                    covered.add((c, r))
        self.assertEqual(covered, set(L.UNDER_SPELL_PANEL))


class LayoutsFileTest(unittest.TestCase):
    def setUp(self):
        self.sources = L.load_sources(sorted(os.path.join(LAYOUT_DIR, n) for n in os.listdir(LAYOUT_DIR)
                                             if n.endswith(".txt")))

    def test_byte_positions(self):
        data = L.compile_layouts(self.sources)
        self.assertEqual(len(data), 106080)
        lay0, lay1 = self.sources[0], self.sources[1]
        self.assertEqual(struct.unpack_from("<ii", data, 0), lay0.cells[0][0])
        self.assertEqual(struct.unpack_from("<ii", data, 104), lay0.cells[1][0])
        c, r = 8, 6   # a playable centre cell
        self.assertEqual(struct.unpack_from("<ii", data, 1768 + (c * 13 + r) * 8), lay1.cells[c][r])

    def test_pack_file_reads_back_to_the_grids_and_keeps_the_rules(self):
        build = os.environ.get("QV_BUILD_DIR")
        if not build:
            self.skipTest("QV_BUILD_DIR not set")
        with zipfile.ZipFile(os.path.join(build, "data", "data.pk")) as pack:
            data = pack.read("data/layouts.bin")
        self.assertEqual(len(data), 106080)
        back = L.read_binary(data)
        for n in range(60):
            self.assertEqual(back[n].cells, self.sources[n].cells, "layout %d differs from its grid" % n)
        self.assertEqual(L.check_all(back), [])

    def test_variety_grows_through_the_worlds(self):
        first_world = {}
        for n in range(60):
            f = L.features(self.sources[n])
            for feat in ("blocker", "chain", "cage", "lock"):
                if f[feat]:
                    first_world.setdefault(feat, n // 10)
        self.assertEqual(first_world, {"blocker": 1, "chain": 2, "cage": 3, "lock": 4})


if __name__ == "__main__":
    unittest.main()
