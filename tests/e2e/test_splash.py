"""The game's first run: the maker's logo on white, then the distributor's
screen, then the end at the missing title menu, leaving a fresh save file."""
import sys

import harness

DEFAULT_TABLE = [(s, k, "Brasvolt") for k, s in enumerate(
    [100000, 50000, 30000, 20000, 10000, 5000, 4000, 3000, 2000, 1000])]


def is_white(r, g, b):
    return r > 240 and g > 240 and b > 240


def is_dark(r, g, b):
    return r < 90 and g < 90 and b < 90


def is_teal(r, g, b):
    return g > r + 10 and b > r + 10 and g < 200


def main(build_dir):
    game = harness.Game(build_dir)
    ok = False
    try:
        game.wait_window()
        # Escape on the logo screen does nothing.
        harness.wait_for("the logo screen", lambda: game.elapsed() > 2.5, 10)
        game.key("Escape")
        # The logo holds from about 1.3 s (uncovered) to 5 s.
        harness.wait_for("the logo screen", lambda: game.elapsed() > 3.5, 10)
        if "Gui #0" in game.messages():
            raise harness.Failure("Escape on the logo screen opened the pause menu")
        logo = game.capture("logo")
        white = harness.colour_share(logo, is_white)
        ink = harness.colour_share(logo, is_dark)
        if white < 0.7 or ink < 0.01:
            raise harness.Failure("logo screen: %.2f white, %.3f dark" % (white, ink))
        # The distributor's page holds from about 7.6 s to 9.3 s of the run.
        harness.wait_for("the distributor screen", lambda: game.elapsed() > 8.6, 15)
        page = game.capture("distributor")
        teal = harness.colour_share(page, is_teal)
        if teal < 0.5:
            raise harness.Failure("distributor screen: %.2f teal" % teal)
        # Escape on the distributor screen asks for the pause menu, which
        # does not exist yet: its message, and the screen goes on.
        game.key("Escape")
        harness.wait_for("the pause menu request",
                         lambda: "Gui #0 not implemented !!" in game.messages(), 5)
        game.wait_exit(30)
        messages = game.messages()
        if "Scene #2 not implemented !!" not in messages:
            raise harness.Failure("no message for the missing title menu:\n" + messages)
        save = game.read_save()
        if len(save) != harness.SAVE_SIZE:
            raise harness.Failure("savegame.sav is %d bytes" % len(save))
        if harness.parse_hiscores(save) != DEFAULT_TABLE:
            raise harness.Failure("hiscores: %r" % harness.parse_hiscores(save))
        if save[0:2] != b"\xff\xff":
            raise harness.Failure("a current profile after the first run")
        ok = True
        print("splash scenario passed")
    except harness.Failure as failure:
        print("FAILED:", failure)
        print("game output:\n" + game.messages())
        print("kept:", game.user_dir)
    finally:
        game.close(keep=not ok)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
