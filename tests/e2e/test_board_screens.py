"""The six board screens (scenes 4 to 9, one per world), each entered through
the test doorway on level 0 of its world: every one shows a framed board with
pieces, the score and level texts, the spell panel and the menu button, and
the six look different from one another. The screenshots are kept in the
folder printed at the end."""
import os
import shutil
import sys
import tempfile

import board_player
import harness

SCENES = range(4, 10)
HALF_CELL = 22
# How far above a cell's top edge the frame is looked for, and the
# brightness step (0..255) that counts as one of its edges.
FRAME_REACH = 18
FRAME_STEP = 30


def contrast(image, box):
    """Brightest minus darkest grey level in the box (x0, y0, x1, y1)."""
    grey = image.crop(box).convert("L")
    low, high = grey.getextrema()
    return high - low


def mean_colour(image, box):
    pixels = list(image.crop(box).getdata())
    return tuple(sum(p[i] for p in pixels) / len(pixels) for i in range(3))


def distance(a, b):
    return sum((x - y) ** 2 for x, y in zip(a, b)) ** 0.5


def check_screen(shot, image, scene):
    """Failure unless the screen shows what a board screen must."""
    board = shot["board"]
    pieces = [c for c in board["cells"] if c["present"] == 1]
    if len(pieces) < 20:
        raise harness.Failure("scene %d: %d pieces on the board" % (scene, len(pieces)))
    # Pieces: the five colours are drawn as five different pictures.
    by_colour = {}
    for c in pieces:
        box = (c["x"] - 8, c["y"] - 8, c["x"] + 8, c["y"] + 8)
        by_colour.setdefault(c["colour"], []).append(mean_colour(image, box))
    looks = [tuple(sum(v[i] for v in values) / len(values) for i in range(3))
             for values in by_colour.values()]
    if len(looks) < 4 or min(distance(a, b) for i, a in enumerate(looks)
                             for b in looks[i + 1:]) < 15:
        raise harness.Failure("scene %d: the pieces' colours are not told apart" % scene)
    # The frame: above every cell that has no playable cell over it, the
    # column of pixels from the cell's top edge up crosses the frame's
    # outline and bevel (several sharp steps in brightness); plain scenery
    # there would give none.
    present = {(c["col"], c["row"]) for c in pieces}
    tops = [c for c in pieces if (c["col"], c["row"] - 1) not in present]
    grey = image.convert("L")
    framed = 0
    for c in tops:
        edge = c["y"] - HALF_CELL
        column = [grey.getpixel((c["x"], y)) for y in range(edge - FRAME_REACH, edge + 2)]
        steps = sum(abs(a - b) > FRAME_STEP for a, b in zip(column, column[1:]))
        framed += steps >= 2
    print("scene %d: %d of %d top cells framed" % (scene, framed, len(tops)))
    if framed < 0.7 * len(tops):
        raise harness.Failure("scene %d: only %d of %d top cells framed" % (scene, framed, len(tops)))
    # Score and level texts on the score bar at the top.
    for name, box in (("score", (220, 20, 380, 46)), ("level", (420, 20, 600, 46))):
        if contrast(image, box) < 100:
            raise harness.Failure("scene %d: no %s text" % (scene, name))
    # The spell panel and the menu button, where the probe says they are.
    named = {e["name"]: e for e in shot["elements"]}
    for name in ("sortgui", "btnmenu"):
        e = named.get(name)
        if not e:
            raise harness.Failure("scene %d: no clickable %s" % (scene, name))
        box = (max(0, e["x"]), max(0, e["y"]), min(800, e["x"] + e["w"]),
               min(600, e["y"] + e["h"]))
        if box[2] - box[0] < 20 or box[3] - box[1] < 20 or contrast(image, box) < 80:
            raise harness.Failure("scene %d: %s not shown (%r)" % (scene, name, box))


def shoot(build_dir, scene, keep_dir):
    world = scene - 4
    game = harness.Game(build_dir, args=["-world", str(world), "-level", "0"],
                        env={"QUORVEL_START_SCENE": str(scene)}, probe=True)
    ok = False
    try:
        game.wait_window()

        def ready():
            shot = game.probe()
            if not shot or shot["scene"]["number"] != scene or not shot.get("board"):
                return None
            board = shot["board"]
            ready = any(c["present"] for c in board["cells"]) and board_player.is_ready(board)
            return shot if ready else None
        harness.wait_for("the board of scene %d" % scene, ready, 30, step=0.1)
        game.pass_time(1.5)  # the set-up fades and the panels' slides end
        shot = game.probe()
        image = game.capture("scene%d" % scene)
        shutil.copy(os.path.join(game.shots_dir, "scene%d.png" % scene), keep_dir)
        check_screen(shot, image, scene)
        ok = True
        return image
    except harness.Failure as failure:
        print("FAILED:", failure)
        print("game output:\n" + game.messages())
        print("kept:", game.user_dir)
        return None
    finally:
        game.close(keep=not ok)


def main(build_dir):
    keep_dir = tempfile.mkdtemp(prefix="quorvel_board_screens_")
    images = [shoot(build_dir, scene, keep_dir) for scene in SCENES]
    print("screenshots:", keep_dir)
    if None in images:
        return 1
    # Six looks: the scenery left of the board differs from world to world.
    scenery = [mean_colour(image, (0, 100, 150, 500)) for image in images]
    for i in range(len(scenery)):
        for j in range(i + 1, len(scenery)):
            if distance(scenery[i], scenery[j]) < 12:
                print("FAILED: scenes %d and %d look alike" % (i + 4, j + 4))
                return 1
    print("board screens scenario passed")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))

