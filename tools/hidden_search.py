#!/usr/bin/env python3
"""How long a blind search takes on each hidden-object screen: a clicker
that clicks at random points of the picture above the names panel, as fast
as it can, against the objects' own click shapes from the pack. Prints, per
screen, the expected number of clicks to find all twelve objects (exact:
averaged over every choice of twelve candidates the screen can make, each a
coupon-collector sum over the objects' shares of the picture) and the
seconds that takes at a fixed click rate.

    hidden_search.py <data.pk or folder> [clicks per second]
"""
import itertools
import math
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

from PIL import Image, ImageDraw

import hidden_mock
import scene_preview
from check_content import Pack

SCREENS = ["hidden1.xml", "hidden2.xml", "hidden3.xml"]
PICKED = 12
PANEL_TOP = 478              # screen y where the slid-in names panel begins
CLICK_RATE = 2.0             # clicks per second of the random clicker


def click_areas(pack, scene_file):
    """{candidate name: pixels of the searched picture its shape covers}."""
    _elements, _additive, placed = scene_preview.read_level(pack, scene_file)
    by_name = {item["name"]: item for item in placed}
    shapes = hidden_mock.shapes_by_source(pack, scene_file)
    areas = {}
    for name in hidden_mock.candidates(pack, scene_file):
        mask = Image.new("L", (scene_preview.SCREEN[0], PANEL_TOP), 0)
        verts = shapes.get(by_name[name]["source"], [])
        if len(verts) >= 3:
            ImageDraw.Draw(mask).polygon(hidden_mock.screen_polygon(by_name[name], verts, by_name), fill=255)
        areas[name] = mask.histogram()[255]
    return areas


def expected_clicks(probabilities):
    """Expected random clicks until every object is hit once, each click
    hitting object i with probability p_i (inclusion-exclusion over the
    subsets: E = sum over S of (-1)^(|S|+1) / P(S))."""
    total = 0.0
    n = len(probabilities)
    for size in range(1, n + 1):
        sign = 1.0 if size % 2 else -1.0
        for subset in itertools.combinations(probabilities, size):
            p = sum(subset)
            total += sign / p if p > 0 else math.inf
    return total


def search_figures(pack, scene_file):
    """(mean object area in pixels, expected clicks) for one screen."""
    areas = click_areas(pack, scene_file)
    picture = scene_preview.SCREEN[0] * PANEL_TOP
    picks = list(itertools.combinations(sorted(areas), PICKED))
    clicks = sum(expected_clicks([areas[n] / picture for n in pick]) for pick in picks) / len(picks)
    return sum(areas.values()) / len(areas), clicks


def main(argv):
    if not argv:
        print(__doc__)
        return 2
    rate = float(argv[1]) if len(argv) > 1 else CLICK_RATE
    pack = Pack(argv[0])
    print("screen        objects  mean shape px  random clicks  seconds at %g/s" % rate)
    for scene_file in SCREENS:
        count = len(hidden_mock.candidates(pack, scene_file))
        area, clicks = search_figures(pack, scene_file)
        print("%-12s  %7d  %13.0f  %13.0f  %15.0f" % (scene_file, count, area, clicks, clicks / rate))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
