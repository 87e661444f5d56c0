"""The game's first run: the maker's logo on white, then the distributor's
screen, where Escape opens the pause menu and Escape again resumes it, then
the title menu; the game ended there leaves a fresh save file without a
current player."""
import sys

import harness
import screens_player as sp

SCENE_TITLE = 2
SCENE_DISTRIBUTOR = 17
GUI_PAUSE = 0
MODE_FROZEN = 1
STATE_OPEN = 2
DEFAULT_TABLE = [(s, k, "Brasvolt") for k, s in enumerate(
    [100000, 50000, 30000, 20000, 10000, 5000, 4000, 3000, 2000, 1000])]


def is_white(r, g, b):
    return r > 240 and g > 240 and b > 240


def is_dark(r, g, b):
    return r < 90 and g < 90 and b < 90


# The logo screen's logo is centred on this world point; the window is the
# 800 x 600 field with world (0, 0) at its centre and y up.
LOGO_CENTRE = (0, 50)
# Channel value under which a pixel counts as dark (as is_dark).
DARK = 90


def expected_logo_box(build_dir):
    """Where the logo's dark pixels belong on the screen: the dark box of the
    packed logo over white, moved to the logo's place."""
    logo = harness.pack_image(build_dir, "splash/logo.png")
    box = harness.box_where(harness.on_colour(logo, (255, 255, 255)), DARK)
    left = 400 + LOGO_CENTRE[0] - logo.width // 2
    top = 300 - LOGO_CENTRE[1] - logo.height // 2
    return (box[0] + left, box[1] + top, box[2] + left, box[3] + top)


def is_teal(r, g, b):
    return g > r + 10 and b > r + 10 and g < 200


def play(game):
    game.wait_window()

    def logo_shown():
        shot = game.capture("logo")
        return (harness.colour_share(shot, is_white) > 0.7
                and harness.colour_share(shot, is_dark) > 0.01)

    def page_shown():
        return harness.colour_share(game.capture("distributor"), is_teal) > 0.5

    # The logo on white, uncovered within about 1.3 s of the start.
    harness.wait_for("the logo on white", logo_shown, 15, step=0.3)
    # Once uncovered (and before the cover starts at 5 s) its dark pixels
    # are where the logo belongs, to a few pixels.
    want = expected_logo_box(game.build_dir)
    seen = []

    def logo_in_place():
        seen.append(harness.box_where(game.capture("logo-place"), DARK))
        return seen[-1] is not None and all(abs(a - b) <= 3 for a, b in zip(seen[-1], want))

    try:
        harness.wait_for("the logo in place", logo_in_place, 4, step=0.2)
    except harness.Failure:
        raise harness.Failure("the logo's dark pixels span %r, not %r" % (seen[-1], want))
    # Escape on the logo screen does nothing.
    game.key("Escape")
    # The distributor's page follows about 6.3 s after the logo began.
    harness.wait_for("the distributor screen", page_shown, 20, step=0.3)
    if (game.probe() or {}).get("gui", {}).get("mode"):
        raise harness.Failure("Escape on the logo screen opened a dialog")
    # Escape on the distributor screen opens the pause menu over the frozen
    # screen; Escape again resumes it.
    game.key("Escape")
    game.wait_probe("the pause menu", lambda s: s["scene"]["number"] == SCENE_DISTRIBUTOR
                    and s["gui"]["number"] == GUI_PAUSE and s["gui"]["mode"] == MODE_FROZEN
                    and s["gui"]["state"] == STATE_OPEN, 5)
    game.key("Escape")
    game.wait_probe("the menu closed", lambda s: s["gui"]["mode"] == 0, 5)
    if "not implemented" in game.messages():
        raise harness.Failure("a missing dialog:\n" + game.messages())
    # Then the title menu, whose glide ends with the menu live.
    shot = sp.wait_probe(game, "the title menu", sp.in_scene(sp.SCENE_TITLE, sp.TITLE_LIVE), 30)
    if shot["scene"]["states"] != [1, 2, 3]:
        raise harness.Failure("title menu states %r" % shot["scene"]["states"])
    # Escape on the title menu does nothing.
    game.key("Escape")
    game.pass_time(0.5)
    if game.probe()["gui"]["mode"] != 0:
        raise harness.Failure("Escape on the title menu opened a dialog")
    if "Scene #" in game.messages():
        raise harness.Failure("a scene is missing:\n" + game.messages())
    sp.stop(game)
    save = game.read_save()
    if len(save) != harness.SAVE_SIZE:
        raise harness.Failure("savegame.sav is %d bytes" % len(save))
    if harness.parse_hiscores(save) != DEFAULT_TABLE:
        raise harness.Failure("hiscores: %r" % harness.parse_hiscores(save))
    if save[0:2] != b"\xff\xff":
        raise harness.Failure("a current profile after the first run")


def main(build_dir):
    game = harness.Game(build_dir, probe=True)
    return harness.run_scenario(game, "splash", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
