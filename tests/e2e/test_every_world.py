"""Every world reachable through the real window, each from a prepared save
file with one player at a chosen place: from the title menu through the map
to a board level of each of the six worlds, won, and to each of the three
hidden-object scenes (worlds 1 to 3), won. The board is world 6's last
level, and winning it finishes the game: the last story page, then the
title menu with the player back at world 1 level 1, score 0, one completed
game (expert mode), which the save file keeps after the quit.

Boards use the easiest layout ("-layout 0") with a fixed step per frame:
this proves the way to each world and back, not the layouts. A failure
names the screen it happened on and keeps the screens captured. A second
argument runs only the cases whose name holds it (CTest runs each case as
a test of its own, side by side)."""
import struct
import sys

import autopilot as ap
import harness
import screens_player as sp

ARGS = ["-layout", "0"]
ENV = {"QUORVEL_FRAME_MS": "26.667", "QUORVEL_UNPACED": "1"}
LEVEL_AT, WORLD_AT, COMPLETED_AT, SCORE_AT = 32, 36, 28, 4
LAST_LEVEL = 10
HIDDEN_LEVEL = 1


def save_at(world, level):
    save = bytearray(harness.make_save(show_hints=0))
    struct.pack_into("<ii", save, harness.PROFILE_OFFSET + LEVEL_AT, level, world)
    return bytes(save)


def profile_field(save, offset):
    return struct.unpack_from("<i", save, harness.PROFILE_OFFSET + offset)[0]


def where(shot):
    return (shot["profile"]["world"], shot["profile"]["level"])


def to_level(pilot):
    """From the start to the level the save names: the title's play, the
    map's arrow."""
    pilot.game.wait_window()
    shot = pilot.until("a level", lambda s: ap.is_board(s) or ap.is_hidden(s), ap.ON_SCREEN_LIMIT_S)
    if "map" not in pilot.visited:
        raise harness.Failure("the level was reached without the map: %r" % pilot.visited)
    return shot


def board_case(world, level):
    def scenario(game):
        pilot = ap.Autopilot(game, "Tester")
        shot = to_level(pilot)
        if shot["scene"]["number"] != ap.FIRST_BOARD + world or where(shot) != (world, level):
            raise harness.Failure("scene %d at %r" % (shot["scene"]["number"], where(shot)))
        after = pilot.win_board()
        if level == LAST_LEVEL and world == 5:
            finish_game(game, pilot, after)
            return
        shot = pilot.until("the map", lambda s: s["scene"]["number"] == ap.SCENE_MAP, ap.ON_SCREEN_LIMIT_S)
        if where(shot) != (world, level + 1) or shot["profile"]["score"] <= 0:
            raise harness.Failure("after the win: %r" % shot["profile"])
        sp.no_alerts(game)
    return scenario


def finish_game(game, pilot, after):
    if where(after) != (6, 0):
        raise harness.Failure("after the last level: %r" % after["profile"])
    # The last story page, then the title menu with the game completed.
    shot = pilot.until("the title menu", lambda s: s["scene"]["number"] == ap.SCENE_TITLE
                       and s["scene"]["state"] == ap.TITLE_LIVE, ap.ON_SCREEN_LIMIT_S)
    if "story" not in pilot.visited:
        raise harness.Failure("no story before the title: %r" % pilot.visited)
    profile = shot["profile"]
    if (where(shot), profile["score"], profile["completedGames"]) != ((0, 0), 0, 1):
        raise harness.Failure("after the finished game: %r" % profile)
    sp.no_alerts(game)
    sp.stop(game)
    save = game.read_save()
    if profile_field(save, COMPLETED_AT) != 1 or profile_field(save, WORLD_AT) != 0:
        raise harness.Failure("the save does not keep the finished game")
    # The finished game's score went to the hiscores.
    if not any(name == "Tester" for _, _, name in harness.parse_hiscores(save)):
        raise harness.Failure("no hiscore for the finished game: %r" % harness.parse_hiscores(save))


def hidden_case(world):
    def scenario(game):
        pilot = ap.Autopilot(game, "Tester")
        shot = to_level(pilot)
        if shot["scene"]["number"] != ap.FIRST_HIDDEN + world or where(shot) != (world, HIDDEN_LEVEL):
            raise harness.Failure("scene %d at %r" % (shot["scene"]["number"], where(shot)))
        pilot.win_hidden()
        shot = pilot.wait("the spell page", lambda s: s["scene"]["number"] == ap.SCENE_STORY, ap.ON_SCREEN_LIMIT_S)
        if where(shot) != (world, HIDDEN_LEVEL + 1):
            raise harness.Failure("after the hidden level: %r" % shot["profile"])
        sp.no_alerts(game)
    return scenario


CASES = ([("world %d board" % (w + 1), w, 2, board_case(w, 2)) for w in range(5)]
         + [("world 6's last board", 5, LAST_LEVEL, board_case(5, LAST_LEVEL))]
         + [("world %d hidden objects" % (w + 1), w, HIDDEN_LEVEL, hidden_case(w))
            for w in range(3)])


def main(build_dir, only=None):
    failed = []
    for name, world, level, scenario in CASES:
        if only and only not in name:
            continue
        game = harness.Game(build_dir, args=ARGS, env=ENV, probe=True, save=save_at(world, level))
        if harness.run_scenario(game, name, scenario):
            failed.append(name)
    if failed:
        print("FAILED:", ", ".join(failed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build",
                  sys.argv[2] if len(sys.argv) > 2 else None))
