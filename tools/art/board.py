"""The six board screens: "swap1.xml" .. "swap6.xml" and their pictures.

One template makes all six files: the board, its decorations, effects,
spells and monsters create their level elements by name, and every screen
load replaces the element list, so every file holds every template. The
pieces, effects, gauges and monsters are shared pictures; each world adds
its painted background, cell tiles, board frame and panels (see
_board_worlds.py). Level 0 of each file holds the background, the score
bar "scoregui", the spell panel "sortgui" and the menu button "btnmenu".

The pictures take a few seconds to paint, so the results are kept in the
work folder under a key of this module's sources and reused while those
do not change.
"""
import hashlib
import json
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _board_common as common  # noqa: E402
import _board_worlds as worlds  # noqa: E402
from _scene_xml import Scene, Sheet, box, lvlelement  # noqa: E402

WORLD_COUNT = 6
PIECE_SHAPE = box(21)          # the whole cell: presses between pieces count
FONT_IMAGE = "galaxy-font16"
# Where the panels wait before sliding in (the board screen moves them to
# (0, 253) and (246, -270)).
SCORE_START = (0, 400)
SPELL_START = (246, -420)
ADDITIVE = 2
ANIM_LOOP, ANIM_ONCE = 1, 3
SOURCES = ["board.py", "_board_common.py", "_board_worlds.py", "_scene_xml.py"]


def scene_name(world):
    return "swap%d.xml" % (world + 1)


# ---- shared sheets ---------------------------------------------------------------

def shared_sheets():
    """The pictures every board screen uses, packed; returns (sheets,
    element writers): each writer adds its elements to a Scene."""
    pieces = Sheet("swappieces", "board/pieces.png", (1024, 256), gap=0)
    fx = Sheet("swapfx", "board/fx.png", (1024, 1024))
    glow = Sheet("swapglow", "board/glow.png", (1024, 256), mode="RGB")
    gauge = Sheet("swaptimegauge", "board/timegauge.png", (128, 512))
    writers = []

    def image(name, sheet, frame, **kw):
        sprite = sheet.add("s_" + name, frame)
        writers.append(lambda sc: sc.image_element(name, sprite, **kw))

    def anim(name, sheet, frames, speed, anim_type, **kw):
        sprites = sheet.add_frames("s_%s_" % name, frames)
        writers.append(lambda sc: sc.anim_element(name, sprites, speed, anim_type, **kw))

    # The bar's sprite rectangle is rewritten by the game in picture pixels,
    # so it has a picture of its own with the bar at the origin.
    image("timegauge", gauge, common.time_gauge_bar())
    for p in artkit.PIECES:
        plain, idle, turn = common.piece_frames(p)
        k = p["colour"]
        image("P%d" % k, pieces, plain, shape=PIECE_SHAPE)
        anim("P%dIdle" % k, pieces, idle, 20, ANIM_ONCE, shape=PIECE_SHAPE)
        anim("P%dTurn" % k, pieces, turn, 15, ANIM_LOOP, shape=PIECE_SHAPE)
    image("timegaugeback", fx, common.time_gauge_back())
    image("timegaugefront", fx, common.time_gauge_front())
    anim("crabs", fx, common.crab_frames(), 10, ANIM_LOOP, shape=("circle", 24))
    anim("bat", fx, common.bat_frames(), 12, ANIM_LOOP, shape=("circle", 22))
    anim("turtle", fx, common.turtle_frames(), 8, ANIM_LOOP, shape=("circle", 22))
    image("levelcomplete", fx, common.banner("Level complete!", (120, 200, 255), (40, 90, 200)))
    image("nomoremoves", fx, common.banner("No more moves!", (255, 170, 120), (190, 60, 40)))
    image("tooltip", fx, common.tooltip())
    image("combomatch", fx, common.combo_ring())
    image("storm", fx, common.storm_bolt())
    anim("exploglace", fx, common.ice_burst(), 20, ANIM_ONCE)
    anim("explo1png", fx, common.explo_small(), 24, ANIM_ONCE)
    image("bulleeffect", fx, common.electric_bubble())
    image("halosort", fx, common.spell_halo())
    image("freeze", fx, common.freeze_block())
    image("smokepuff", fx, common.smoke_puff())
    image("luminos", fx, common.luminos())
    image("whiteeffect", fx, common.white_flash())
    image("cage", fx, common.cage())
    image("chaineh", fx, common.chain_cell())
    image("chaine1", fx, common.lock(False))
    image("chaine2", fx, common.lock(True))
    image("locksort", fx, common.spell_lock())
    for i, name in enumerate(("seltopleft", "seltopright", "selbottomleft", "selbottomright")):
        image(name, fx, common.selection_corner(i))
    for pts in (5, 10, 15, 30):
        image("pt%d" % pts, fx, common.points_popup(pts))
    image("hintright", fx, common.hint_arrow(True))
    image("hintleft", fx, common.hint_arrow(False))
    image("jaugeback", fx, common.spell_gauge_back())
    image("jauge", fx, common.spell_gauge())
    image("gaugeentback", fx, common.monster_gauge_back())
    image("gaugeent", fx, common.monster_gauge())
    anim("explo1", glow, common.explo_big(), 24, ANIM_ONCE, blit=ADDITIVE)
    anim("combo1", glow, common.combo_burst(), 30, ANIM_ONCE, blit=ADDITIVE)
    anim("monsterappear", glow, common.monster_appear(), 20, ANIM_ONCE, blit=ADDITIVE)
    anim("effectmonster", glow, common.monster_effect(), 20, ANIM_ONCE, blit=ADDITIVE)
    anim("monsterhit", glow, common.monster_hit(), 20, ANIM_ONCE, blit=ADDITIVE)
    # The chain burn's smoke: puffs rising 40 pixels a second and fading
    # for 1.2 s (a particle fades for ten times its lifetime).
    writers.append(lambda sc: sc.particle_element("smoke", "smokepuff", (0, 0.4), 120, 60, 0.7))
    # Ambient life; every file holds it all, each world places its own.
    anim("butterfly", fx, common.butterfly_frames(), 12, ANIM_LOOP)
    anim("bird", fx, common.bird_frames(), 5, ANIM_LOOP)
    anim("firefly", fx, common.firefly_frames(), 6, ANIM_LOOP)
    anim("sparkle", fx, common.sparkle_frames(), 8, ANIM_LOOP)
    image("bubble", fx, common.bubble())
    image("ember", fx, common.ember())
    writers.append(lambda sc: sc.particle_element("bubbles", "bubble", (0.04, 1.1), 450, 650, 1.0))
    writers.append(lambda sc: sc.particle_element("embers", "ember", (0.12, 0.9), 300, 380, 1.0))
    return [gauge, pieces, fx, glow], writers


# ---- one world's sheet and scene ----------------------------------------------------

def world_sheets(world):
    style = worlds.WORLD_STYLE[world]
    back = Sheet("swapback", "board/w%d/back.png" % (world + 1), (1024, 1024), mode="RGB")
    back.add("s_swapback", worlds.background(world))
    sheet = Sheet("swapworld", "board/w%d/world.png" % (world + 1), (512, 512))
    names = []

    def image(name, frame):
        sheet.add("s_" + name, frame)
        names.append(name)

    for name, tile in worlds.clear_tiles(style).items():
        image(name, tile)
    image("backfill", worlds.backfill_tile(style, world))
    image("blocker", worlds.blocker_tile(style, world))
    for name in worlds.FRAME_PIECES:
        image(name, worlds.frame_piece(name, style))
    image("scoregui", worlds.score_panel(style))
    image("sortgui", worlds.spell_panel(style))
    image("btnmenu", worlds.menu_button(style))
    return [back, sheet], names


SHAPES = {"sortgui": box(worlds.SPELL_SIZE[0] / 2 - 4, worlds.SPELL_SIZE[1] / 2 - 2),
          "btnmenu": box(worlds.MENU_SIZE[0] / 2 - 2, worlds.MENU_SIZE[1] / 2 - 2)}


def _wander(range_x, range_y, speed_x, speed_y, phase=0.0):
    return [("cosinusx", {"range": range_x, "speed": speed_x, "phase": phase}),
            ("sinusy", {"range": range_y, "speed": speed_y, "phase": phase})]


# Per world: (name, element, position, behaviours) of the life drawn under
# the board (layer 1), mostly in the margin left of the board.
AMBIENT = [
    [("butterfly1", "butterfly", (-368, -150), _wander(24, 14, 700, 230)),
     ("butterfly2", "butterfly", (-372, 40), _wander(20, 18, 900, 310, 2.0))],
    [("bird1", "bird", (-200, 200), _wander(160, 12, 2600, 900)),
     ("bird2", "bird", (120, 225), _wander(120, 10, 2100, 700, 1.5))],
    [("bubbles1", "bubbles", (-385, -295), []), ("bubbles2", "bubbles", (-352, -305), [])],
    [("firefly%d" % k, "firefly", pos, _wander(6, 5, 400 + 90 * k, 300 + 70 * k, k))
     for k, pos in enumerate(((-372, -60), (-356, 120), (-380, -210), (-366, 220)))],
    [("sparkle%d" % k, "sparkle", pos, []) for k, pos in enumerate(((-388, -10), (-371, -90), (-356, -170),
                                                                      (-390, -230)))],
    [("embers1", "embers", (-382, -280), []), ("embers2", "embers", (-344, -300), [])],
]


def level_zero(world):
    return [
        lvlelement("background", "swapback", (0, 0), 0),
    ] + [lvlelement(name, source, pos, 1, behaviours=behaviours) for name, source, pos, behaviours in AMBIENT[world]] + [
        lvlelement("scoregui", "scoregui", SCORE_START, 6),
        lvlelement("sortgui", "sortgui", SPELL_START, 6, dyntype=0, collision=0),
        lvlelement("btnmenu", "btnmenu", worlds.MENU_POS, 6, dyntype=0, collision=0,
                   behaviours=[("mouseovergrow", {"growfactor": 1.08, "growspeed": 20,
                                                  "soundover": "guimouseover"})]),
    ]


def write_scene(world, shared, writers, own, own_names, work_dir):
    mood = artkit.WORLD_MOODS[world]["name"]
    scene = Scene("Board screen of world %d (%s). Made by tools/art/board.py; do not edit." % (world + 1, mood))
    scene.add_image_file(FONT_IMAGE, "fonts/%s.png" % FONT_IMAGE)
    for sheet in shared + own:
        scene.add_sheet(sheet)
    scene.image_element("swapback", "s_swapback")
    for name in own_names:
        scene.image_element(name, "s_" + name, shape=SHAPES.get(name))
    for write in writers:
        write(scene)
    scene.level("swap%d" % (world + 1), level_zero(world))
    path = os.path.join(work_dir, scene_name(world))
    with open(path, "w", encoding="latin-1") as f:
        f.write(scene.xml())
    return path


# ---- entry point ------------------------------------------------------------------------

def _sources_key():
    here = os.path.dirname(os.path.abspath(__file__))
    h = hashlib.sha256()
    for name in SOURCES:
        with open(os.path.join(here, name), "rb") as f:
            h.update(f.read())
    with open(artkit.__file__, "rb") as f:
        h.update(f.read())
    return h.hexdigest()


def _cached(work_dir, key):
    stamp = os.path.join(work_dir, "made.json")
    try:
        with open(stamp, encoding="utf-8") as f:
            made = json.load(f)
    except (OSError, ValueError):
        return None
    if made.get("key") != key or not all(os.path.isfile(p) for p in made["files"].values()):
        return None
    return made["files"]


def generate(work_dir):
    """Writes the pictures and the six scene files; returns {pack name: path}."""
    os.makedirs(work_dir, exist_ok=True)
    key = _sources_key()
    files = _cached(work_dir, key)
    if files is not None:
        return files
    files = {}
    shared, writers = shared_sheets()
    for sheet in shared:
        files[sheet.pack_name] = sheet.save(work_dir)
    for world in range(WORLD_COUNT):
        own, own_names = world_sheets(world)
        for sheet in own:
            files[sheet.pack_name] = sheet.save(work_dir)
        files[scene_name(world)] = write_scene(world, shared, writers, own, own_names, work_dir)
    with open(os.path.join(work_dir, "made.json"), "w", encoding="utf-8") as f:
        json.dump({"key": key, "files": files}, f, indent=1)
    return files


if __name__ == "__main__":
    sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "board-out"))
