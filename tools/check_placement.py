"""Content checker rules about where texts land on painted pictures, measured
in the fonts the game draws them with (text_boxes):
  text-fit      a trophy title wider than its name plate less a margin on
                either side
  map-overlap   on the world map, the map arrow over a spot covering a world
                name; an interlude line not inside the interlude's panel, or
                crossing a world name or a spot the panel does not wholly
                cover
Each check reads only the pack, and is silent about files the pack lacks
(the required lists report those)."""
import os
import re
import sys

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(TOOLS_DIR, "art"))

import xml_tree  # noqa: E402
from text_boxes import FontMetrics, box_around, inside, overlaps  # noqa: E402
import _map_layout as map_layout  # noqa: E402
import trophies  # noqa: E402
import worldmap  # noqa: E402

GLOBAL_FILE = "global.xml"
LANG_FILE = "data/lang.xml"
MAP_FILE = "map.xml"

# Trophy titles: every language key of this form, in "trophyfont" (the
# global image "matura-font13", no kerning), centred on its plate.
TROPHY_TITLE = re.compile(r"^achieve\w+title$")
TROPHY_FONT = ("matura-font13", 0)
PLATE_MARGIN = 8                 # pixels kept free at either end of a plate

# The map's texts as its screen makes them: font image and kerning.
WORLD_NAME_FONT = ("cooper-font16", -2)
INTERLUDE_FONT = ("cooper-font20", -7)
INTERLUDE_LINES = (("a", 20), ("b", -20))      # key ending, y
INTERLUDE_MARGIN = 6


def _font(checker, fname, image_name, kerning):
    facts = checker.scenes.get(fname)
    entry = facts["images"].get(image_name) if facts else None
    img = checker._image_size(entry) if entry else None
    metrics = FontMetrics(img, kerning) if img is not None else None
    return metrics if metrics and metrics.rects else None


def check_trophy_plates(checker):
    font = _font(checker, GLOBAL_FILE, *TROPHY_FONT)
    if font is None:
        return
    room = trophies.NAME_PLATE[0] - 2 * PLATE_MARGIN
    for key, text in sorted(checker.lang_values.items()):
        if TROPHY_TITLE.match(key) and font.width(text) > room:
            checker.report(LANG_FILE, "text-fit", "trophy title %s %r is %d pixels wide in %s; its plate holds %d"
                           % (key, text, font.width(text), TROPHY_FONT[0], room))


def _map_scene(checker):
    """Spot positions, the arrow's and the spots' visible sizes from map.xml."""
    entry = checker.pack.find(MAP_FILE)
    if entry is None:
        return None
    doc, err = xml_tree.parse(checker.pack.read(entry))
    if err:
        return None
    facts = checker.scenes.get(MAP_FILE, {"images": {}})
    sprites, elements, spots = {}, {}, {}
    for section in doc.children:
        if section.name == "sprites":
            for node in section.each("sprite"):
                r = node.child("sourcerect")
                src = node.child("sourceimage")
                if r is not None and src is not None:
                    sprites[node.attr("name")] = (src.value, [xml_tree.atoi(r.attr(k))
                                                              for k in ("x", "y", "width", "height")])
        elif section.name == "elements":
            for node in section.each("element"):
                sprite = node.child("sourcesprite")
                if sprite is not None:
                    elements[node.attr("name")] = sprite.value
    levels = doc.child("levels")
    for level in (levels.each("level")[:1] if levels is not None else []):
        for section in level.each("lvlelements"):
            for node in section.each("lvlelement"):
                pos, src = node.child("pos"), node.child("sourceelement")
                if node.attr("name").startswith("sp") and pos is not None and src is not None:
                    spots[node.attr("name")] = (xml_tree.atof(pos.attr("x")), xml_tree.atof(pos.attr("y")),
                                                src.value)

    def visible_size(element):
        """Width and height of the painted part of an element's picture,
        centred where the element stands (the pictures are drawn centred)."""
        image, (x, y, w, h) = sprites.get(elements.get(element), (None, (0, 0, 0, 0)))
        img = checker._image_size(facts["images"].get(image)) if image in facts["images"] else None
        if img is None:
            return None
        bbox = img.convert("RGBA").crop((x, y, x + w, y + h)).getchannel("A").getbbox()
        if not bbox:
            return 0, 0
        # Symmetric about the centre, so the box is safe either side.
        return 2 * max(w / 2 - bbox[0], bbox[2] - w / 2), 2 * max(h / 2 - bbox[1], bbox[3] - h / 2)

    return spots, visible_size


def check_map_placement(checker):
    scene = _map_scene(checker)
    names_font = _font(checker, MAP_FILE, *WORLD_NAME_FONT)
    if scene is None or names_font is None:
        return
    spots, visible_size = scene
    names = []
    for k, (x, y) in enumerate(map_layout.NAMES, 1):
        key = "worldname%d" % k
        if key in checker.lang_values:
            names.append((key, names_font.centred_box(checker.lang_values[key], x, y)))
    pin = visible_size("maparrow")
    spot_boxes = []
    for name, (x, y, source) in sorted(spots.items(), key=lambda s: int(s[0][2:]) if s[0][2:].isdigit() else 0):
        size = visible_size(source)
        if size:
            spot_boxes.append((name, box_around(x, y, *size)))
        if not pin:
            continue
        pin_box = box_around(x, y + map_layout.ARROW_LIFT, *pin)
        for key, box in names:
            if overlaps(pin_box, box):
                checker.report(MAP_FILE, "map-overlap", "the map arrow over spot %s covers world name %s"
                               % (name, key))
    _check_interludes(checker, names, spot_boxes)


def _check_interludes(checker, names, spot_boxes):
    font = _font(checker, MAP_FILE, *INTERLUDE_FONT)
    if font is None:
        return
    panel = worldmap.INTERLUDE_PANEL
    for key in sorted(checker.lang_values):
        m = re.match(r"^st\d\d([ab])$", key)
        if not m:
            continue
        y = dict(INTERLUDE_LINES)[m.group(1)]
        line = font.centred_box(checker.lang_values[key], 0, y)
        if not inside(line, panel, INTERLUDE_MARGIN):
            checker.report(MAP_FILE, "map-overlap", "interlude line %s (%d pixels wide) is not inside the "
                           "interlude's panel with %d pixels to spare" % (key, line[2] - line[0], INTERLUDE_MARGIN))
        for what, box in names + spot_boxes:
            if overlaps(line, box) and not inside(box, panel):
                checker.report(MAP_FILE, "map-overlap", "interlude line %s is printed over %s" % (key, what))
