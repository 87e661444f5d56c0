"""Content checker rules about where texts land on painted pictures, measured
in the fonts the game draws them with (text_boxes):
  text-fit      a trophy title wider than its name plate less a margin on
                either side; a spell tooltip wider than the tooltip's box
                less a margin on either side
  tip-overlap   on the trophies page, a trophy's tip (placed as the page
                places it, for the cursor on the trophy) covering the best
                scores table or its trophy's title
  button-margin on a dialog with an upright panel, a button closer than
                BUTTON_EDGE to the panel's face edge or than BUTTON_GAP to
                another control that is not a button (buttons may stand in
                a stack)
  map-overlap   on the world map, the map arrow over a spot covering a world
                name; an interlude line not inside the interlude's panel, or
                crossing a world name or a spot the panel does not wholly
                cover
Each check reads only the pack, and is silent about files the pack lacks
(the required lists report those)."""
import math
import os
import re
import sys

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(TOOLS_DIR, "art"))

import xml_tree  # noqa: E402
from text_boxes import FontMetrics, box_around, inside, overlaps  # noqa: E402
import _board_common as board_common  # noqa: E402
import _map_layout as map_layout  # noqa: E402
import dialogs  # noqa: E402
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


# Spell tooltips: "sort1".."sort6" in "galaxy16" (the image "galaxy-font16"
# of the board screens, no kerning), centred on the tooltip's box.
SPELL_TOOLTIP = re.compile(r"^sort[1-6]$")
SPELL_FONT = ("swap1.xml", "galaxy-font16", 0)
TOOLTIP_MARGIN = 8


def check_spell_tooltips(checker):
    font = _font(checker, *SPELL_FONT)
    if font is None:
        return
    room = board_common.TOOLTIP_SIZE[0] - 2 * TOOLTIP_MARGIN
    for key, text in sorted(checker.lang_values.items()):
        if SPELL_TOOLTIP.match(key) and font.width(text) > room:
            checker.report(LANG_FILE, "text-fit", "spell tooltip %s %r is %d pixels wide in %s; its box holds %d"
                           % (key, text, font.width(text), SPELL_FONT[1], room))


def _global_levels(checker):
    """global.xml's sprite sizes by element and, per level name, its level
    elements as (name, x, y, element, rotation)."""
    entry = checker.pack.find(GLOBAL_FILE)
    if entry is None:
        return None
    doc, err = xml_tree.parse(checker.pack.read(entry))
    if err:
        return None
    images, sprites, sizes = {}, {}, {}
    for section in doc.children:
        if section.name == "images":
            for node in section.each("image"):
                f = node.child("filename")
                images[node.attr("name")] = f.value if f is not None else ""
        elif section.name == "sprites":
            for node in section.each("sprite"):
                r, src = node.child("sourcerect"), node.child("sourceimage")
                if r is not None:
                    sprites[node.attr("name")] = (xml_tree.atoi(r.attr("width")), xml_tree.atoi(r.attr("height")),
                                                  images.get(src.value) if src is not None else None)
        elif section.name == "elements":
            for node in section.each("element"):
                sprite = node.child("sourcesprite")
                if sprite is not None and sprite.value in sprites:
                    sizes[node.attr("name")] = sprites[sprite.value]
    levels = {}
    for level in (doc.child("levels").each("level") if doc.child("levels") is not None else []):
        placed = []
        for section in level.each("lvlelements"):
            for node in section.each("lvlelement"):
                pos, src, rot = node.child("pos"), node.child("sourceelement"), node.child("rotation")
                placed.append((node.attr("name"),
                               xml_tree.atof(pos.attr("x")) if pos is not None else 0.0,
                               xml_tree.atof(pos.attr("y")) if pos is not None else 0.0,
                               src.value if src is not None else None,
                               xml_tree.atof(rot.value) if rot is not None else 0.0))
        levels[level.attr("name")] = placed
    return sizes, levels


# ---- trophy tips ----------------------------------------------------------
# As the trophies page lays them out (game/gui/trophies_gui.cpp): the tip
# panel widened by 1.2, 40 left of and 30 above the cursor, its texts from
# 100 left of its centre; the scores table's lines in the panel's frame,
# the panel turned a quarter right (x across the panel is y down the page).
TROPHIES_LEVEL = "trophies"
TROPHY_ELEMENTS = (("elemscore", "achievescoretitle"), ("elemfreedom", "achievefreedtitle"),
                   ("elemchainbreaker", "achievechaintitle"), ("elemmagician", "achievespellusedtitle"),
                   ("elemmatches", "achievematchestitle"), ("elemhunter", "achievekilledtitle"))
TIP_ELEMENT, TIP_WIDENING, TIP_OFFSET, TIP_TEXT_LEFT = "trophytip", 1.2, (-40, 30), -100
TROPHY_TITLE_AT = (-5, -89)
TEXT_HALF_HEIGHT = 10
SCORE_LINES = [-25 + 22 * k for k in range(5)] + [-60]    # the lines and the title
SCORE_NAME_AT, SCORE_END_AT, SCORES_MARGIN = -140, 140, 6
WINDOW = (-400, -300, 400, 300)
CURSOR_SPOTS = ((0, 0), (30, -30), (-30, 30))               # from a trophy's centre


def _inside_window(box):
    return box[0] >= WINDOW[0] and box[1] >= WINDOW[1] and box[2] <= WINDOW[2] and box[3] <= WINDOW[3]


def _moved(box, dx, dy):
    return (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy)


def _ways(box, avoid):
    return ((0, avoid[3] - box[1]), (0, avoid[1] - box[3]), (avoid[0] - box[2], 0), (avoid[2] - box[0], 0))


def place_tip(wanted, extent, avoid):
    """The tip's box as tip_placement's PlaceTip with several boxes finds it."""
    box = _moved(extent, *wanted)
    dx = WINDOW[0] - box[0] if box[0] < WINDOW[0] else (max(WINDOW[2] - box[2], WINDOW[0] - box[0])
                                                         if box[2] > WINDOW[2] else 0)
    dy = WINDOW[1] - box[1] if box[1] < WINDOW[1] else (max(WINDOW[3] - box[3], WINDOW[1] - box[1])
                                                         if box[3] > WINDOW[3] else 0)
    box = _moved(box, dx, dy)
    for kept in range(len(avoid), 0, -1):
        boxes = avoid[:kept]

        def first(b):
            return next((a for a in boxes if overlaps(b, a)), None)
        hit = first(box)
        if hit is None:
            return box
        best = None
        for way in _ways(box, hit):
            moved = _moved(box, *way)
            nxt = first(moved)
            moves = [way] if nxt is None else [(way[0] + t[0], way[1] + t[1]) for t in _ways(moved, nxt)]
            for m in moves:
                cand = _moved(box, *m)
                if _inside_window(cand) and first(cand) is None and (best is None or
                                                                     math.hypot(*m) < math.hypot(*best)):
                    best = m
        if best is not None:
            return _moved(box, *best)
    return box


def check_trophy_tips(checker):
    facts = _global_levels(checker)
    font = _font(checker, GLOBAL_FILE, *TROPHY_FONT)
    if facts is None or font is None:
        return
    sizes, levels = facts
    placed = {name: (x, y) for name, x, y, _src, _rot in levels.get(TROPHIES_LEVEL, [])}
    if TIP_ELEMENT not in sizes or "interfaceback" not in placed:
        return
    w, h = sizes[TIP_ELEMENT][0] * TIP_WIDENING, sizes[TIP_ELEMENT][1]
    extent = (min(-w / 2, TIP_TEXT_LEFT), -h / 2, w / 2, h / 2)
    px, py = placed["interfaceback"]
    # Line k across the panel is a row down the page (the panel is turned).
    table = (px + SCORE_NAME_AT - SCORES_MARGIN, py - max(SCORE_LINES) - TEXT_HALF_HEIGHT - SCORES_MARGIN,
             px + SCORE_END_AT + SCORES_MARGIN, py - min(SCORE_LINES) + TEXT_HALF_HEIGHT + SCORES_MARGIN)
    titles = {}
    for element, key in TROPHY_ELEMENTS:
        if element in placed and key in checker.lang_values:
            x, y = placed[element][0] + TROPHY_TITLE_AT[0], placed[element][1] + TROPHY_TITLE_AT[1]
            titles[element] = font.centred_box(checker.lang_values[key], x, y)
    for element, title in sorted(titles.items()):
        others = [b for e, b in sorted(titles.items()) if e != element]
        for cx, cy in CURSOR_SPOTS:
            x, y = placed[element][0] + cx, placed[element][1] + cy
            tip = place_tip((x + TIP_OFFSET[0], y + TIP_OFFSET[1]), extent, [title, table] + others)
            for what, box in (("the best scores table", table), ("its own title", title)):
                if overlaps(tip, box):
                    checker.report(GLOBAL_FILE, "tip-overlap", "the tip of %s, for the cursor at (%d, %d), covers %s"
                                   % (element, x, y, what))


# ---- dialog buttons -------------------------------------------------------
PANEL_ELEMENT = "interfaceback"
BUTTON_PREFIX = "btn"
BUTTON_EDGE = 20          # from the panel face's edge
BUTTON_GAP = 12           # from any other control


def _gap(a, b):
    """The distance between two boxes (0 when they touch or overlap)."""
    return max(a[0] - b[2], b[0] - a[2], a[1] - b[3], b[1] - a[3], 0)


def check_dialog_buttons(checker):
    facts = _global_levels(checker)
    if facts is None:
        return
    sizes, levels = facts
    for level_name, placed in sorted(levels.items()):
        panel = next((p for p in placed if p[0] == PANEL_ELEMENT), None)
        if panel is None or panel[4] != 0 or panel[3] not in sizes:
            continue
        pw, ph, picture = sizes[panel[3]]
        # The dialogs' panels carry a shadow margin round their face.
        shadow = dialogs.ui.SHADOW_MARGIN if picture in dialogs.SIZES else 0
        face = box_around(panel[1], panel[2], pw - 2 * shadow, ph - 2 * shadow)
        boxes = [(name, box_around(x, y, *sizes[src][:2])) for name, x, y, src, _rot in placed
                 if name != PANEL_ELEMENT and src in sizes]
        for name, box in boxes:
            if not name.startswith(BUTTON_PREFIX):
                continue
            edge = min(box[0] - face[0], box[1] - face[1], face[2] - box[2], face[3] - box[3])
            if edge < BUTTON_EDGE:
                checker.report(GLOBAL_FILE, "button-margin", "dialog %s: button %s is %d pixels from the panel's "
                               "edge; the dialogs keep %d" % (level_name, name, edge, BUTTON_EDGE))
            for other, other_box in boxes:
                if other.startswith(BUTTON_PREFIX):
                    continue
                if _gap(box, other_box) < BUTTON_GAP:
                    checker.report(GLOBAL_FILE, "button-margin", "dialog %s: button %s is %d pixels from %s; the "
                                   "dialogs keep %d" % (level_name, name, _gap(box, other_box), other, BUTTON_GAP))


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
