#!/usr/bin/env python3
"""The world map's spot table: 66 spots, 11 per world inside the world's
region, far enough apart to tell apart, low enough for the map arrow that
hovers above them, and clear of the world names and the two buttons."""
import math
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import unittest

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "art"))

import _map_layout as layout  # noqa: E402

MARKER_HEIGHT = 64          # the map arrow's picture; its centre is ARROW_LIFT above the spot
SPOT_RADIUS = 18            # the big spots
MIN_GAP = 30
# Half sizes of what the spots must stay clear of.
NAME_HALF = (80, 12)           # the longest name in "cooperfont" is about 160 x 23
BUTTON_HALF = {"menu": (52, 18), "play": (80, 28)}


def inside(p, centre, half):
    return abs(p[0] - centre[0]) < half[0] + SPOT_RADIUS and abs(p[1] - centre[1]) < half[1] + SPOT_RADIUS


class MapLayoutTest(unittest.TestCase):
    def setUp(self):
        self.spots = layout.spots()

    def test_count_and_big_spots(self):
        self.assertEqual(len(self.spots), 66)
        self.assertEqual([i for i in range(66) if layout.is_big(i)], [1 + 11 * w for w in range(6)])

    def test_spots_stay_on_screen_and_under_the_top_edge(self):
        for i, (x, y) in enumerate(self.spots):
            with self.subTest(spot=i):
                self.assertLess(abs(x), 400 - SPOT_RADIUS)
                self.assertGreater(y, -300 + SPOT_RADIUS)
                self.assertLessEqual(y + layout.ARROW_LIFT + MARKER_HEIGHT / 2, 300)

    def test_neighbours_are_apart(self):
        for i, (a, b) in enumerate(zip(self.spots, self.spots[1:])):
            with self.subTest(spots=(i, i + 1)):
                self.assertGreaterEqual(math.dist(a, b), MIN_GAP)

    def test_spots_keep_clear_of_names_and_buttons(self):
        keep_clear = [("world name %d" % (k + 1), c, NAME_HALF) for k, c in enumerate(layout.NAMES)]
        keep_clear += [("menu button", layout.MENU_BUTTON, BUTTON_HALF["menu"]),
                       ("play arrow", layout.PLAY_ARROW, BUTTON_HALF["play"])]
        for i, p in enumerate(self.spots):
            for what, centre, half in keep_clear:
                with self.subTest(spot=i, clear_of=what):
                    self.assertFalse(inside(p, centre, half))

    def test_each_world_keeps_to_its_quarter(self):
        # Top row meadow, desert, lagoon from left to right; bottom row
        # volcano, glacier, forest.
        columns = {0: (-400, -130), 1: (-130, 120), 2: (120, 400), 3: (120, 400), 4: (-130, 120), 5: (-400, -130)}
        for i, (x, y) in enumerate(self.spots):
            world = i // 11
            with self.subTest(spot=i, world=world):
                lo, hi = columns[world]
                self.assertTrue(lo <= x <= hi)
                self.assertTrue(y > 15 if world < 3 else y < 15)


if __name__ == "__main__":
    unittest.main()
