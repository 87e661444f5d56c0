"""Time's up through the real window: with the board's limit shortened by
the test switch QUORVEL_TIME_LIMIT_MS, the time's-up dialog opens over the
frozen board when the gauge runs out, and its OK replays the level: the
same board screen again, a fresh board and gauge, the profile where it was.
The player has turned hints off, so no tutorial page comes in between."""
import sys

import harness

SCENE_BOARD = 4
GUI_TIME_UP = 10
MODE_FROZEN = 1
STATE_OPEN = 2
STATE_LEAVING = 3
LIMIT_MS = 3000


def time_up_open(s):
    gui = s["gui"]
    return gui["number"] == GUI_TIME_UP and gui["mode"] == MODE_FROZEN and gui["state"] == STATE_OPEN


def play(game):
    game.wait_window()
    shot = game.wait_probe("the board set up", lambda s: s["board"] and any(
        c["present"] for c in s["board"]["cells"]), 30)
    if shot["gui"]["mode"] != 0:
        raise harness.Failure("a dialog before the time ran out: %r" % shot["gui"])
    shot = game.wait_probe("the time's-up dialog", time_up_open, 20)
    if shot["board"]["timeUsed"] < LIMIT_MS:
        raise harness.Failure("opened with %r ms used" % shot["board"]["timeUsed"])
    if not shot["gui"]["texts"] or not shot["gui"]["texts"][0].startswith("Time's up"):
        raise harness.Failure("time's-up texts: %r" % shot["gui"]["texts"])
    game.pass_time(1.0)  # the panel drops in
    game.capture("time_up")
    shot = game.probe()
    used = shot["board"]["timeUsed"]
    game.pass_time(0.5)
    shot = game.probe()
    if shot["board"]["timeUsed"] != used or not time_up_open(shot):
        raise harness.Failure("the board ran on under the dialog")
    profile = (shot["profile"]["world"], shot["profile"]["level"])

    game.click_element(shot, "btnok")
    game.wait_probe("the board screen leaving", lambda s: STATE_LEAVING in s["scene"]["states"], 10)
    # The flow enters the same board screen again: a new visit whose board
    # is set up afresh one second in.
    shot = game.wait_probe("the level replayed", lambda s: (
        s["scene"]["number"] == SCENE_BOARD and s["scene"]["states"][-1] == 0
        and STATE_LEAVING in s["scene"]["states"] and s["gui"]["mode"] == 0
        and s["board"] and 0 < s["board"]["timeUsed"] < LIMIT_MS), 15)
    if (shot["profile"]["world"], shot["profile"]["level"]) != profile:
        raise harness.Failure("the profile moved: %r" % shot["profile"])
    if "not implemented" in game.messages():
        raise harness.Failure("a missing scene or dialog")
    # And the replayed level runs out of time again.
    game.wait_probe("the time's-up dialog of the replay", time_up_open, 20)


def main(build_dir):
    game = harness.Game(build_dir, args=["-world", "0", "-level", "0", "-layout", "0"],
                        env={"QUORVEL_START_SCENE": str(SCENE_BOARD), "QUORVEL_FRAME_MS": "13.333",
                             "QUORVEL_TIME_LIMIT_MS": str(LIMIT_MS)},
                        probe=True, save=harness.make_save(show_hints=0))
    return harness.run_scenario(game, "time's-up", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
