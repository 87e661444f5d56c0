"""A name typed at full speed into the new-player dialog through the real
window: xdotool sends 20 letters with no delay between them (so several
presses and releases, and a doubled letter, fall into one message pump),
and every one is seen in order: the first 15 make the name (the first
letter upper case, the rest lower case), none lost, none doubled."""
import sys

import harness
import screens_player as sp

TYPED = "qwERtyuiooplkjhgfdsa"
# At most 15 characters are kept; only the first stays upper case.
EXPECTED = "Qwertyuiooplkjh"


def play(game):
    game.wait_window()
    shot = sp.wait_probe(game, "the title menu, live", sp.in_scene(sp.SCENE_TITLE, sp.TITLE_LIVE), 60)
    sp.click_rect(game, sp.title_button(shot, "play"))
    sp.wait_probe(game, "the new-player dialog", sp.gui_open(sp.GUI_NEW_PLAYER), 10)
    game.pass_time(1.0)
    # The window under the pointer has the keyboard.
    game.xdotool("mousemove", "--window", game.window() or "", "400", "300")
    game.xdotool("type", "--delay", "0", TYPED)
    shot = sp.wait_probe(game, "the typed name", lambda s: len(
        s["screen"].get("newPlayer", {}).get("name", "")) >= len(EXPECTED), 10)
    game.pass_time(0.5)
    name = game.probe()["screen"]["newPlayer"]["name"]
    if name != EXPECTED:
        raise harness.Failure("typed %r at full speed, the dialog holds %r, not %r"
                              % (TYPED, name, EXPECTED))
    game.key("Return")
    shot = sp.wait_probe(game, "the story", sp.in_scene(sp.SCENE_STORY), 30)
    if shot["profile"]["name"] != EXPECTED:
        raise harness.Failure("new profile %r" % shot["profile"])
    sp.no_alerts(game)
    sp.stop(game)


def main(build_dir):
    game = harness.Game(build_dir, probe=True)
    return harness.run_scenario(game, "fast_typing", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
