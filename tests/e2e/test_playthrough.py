"""World 1 played through from an empty user folder, through the real
window: the two splash screens, the title menu, a new player named on
"play", the story's first chapter, the map, the first board, the
hidden-object level, the story's spell page, the map again, the nine other
board levels, the second chapter and world 2's map. The pause menu's quit
ends the game; a second start in the same folder goes on as the same
player, from the title menu through the story to world 2's first board.

The run is split in four parts that CTest runs side by side: "opening"
(from the empty user folder to world 1 level 2 won), "levels_3_to_5" and
"levels_6_to_8" (each from a save file at its first level) and "closing"
(levels 9 and 10 from a save at level 9, world 2's map, the quit and the
restart); without a part all of it plays in one go.

Every board is played on the easiest layout ("-layout 0") with a fixed step
per frame: this proves the flow from screen to screen, not the layouts.
Every screen is captured on arrival into "e2e_playthrough/" in the build
folder (kept after the run); a failure names the screen it happened on."""
import os
import shutil
import struct
import sys

import autopilot as ap
import harness
import screens_player as sp

ARGS = ["-layout", "0"]
ENV = {"QUORVEL_FRAME_MS": "26.667", "QUORVEL_UNPACED": "1"}
NAME = "Mira"
BOARD_LEVELS = [0] + list(range(2, 11))
# part: (the level its save file starts at, None for an empty folder; the
# board levels it plays; whether it ends with world 2, the quit and the
# restart).
PARTS = {
    "opening": (None, [0, 2], False),
    "levels_3_to_5": (3, [3, 4, 5], False),
    "levels_6_to_8": (6, [6, 7, 8], False),
    "closing": (9, [9, 10], True),
}
LEVEL_AT = 32
GUI_PAUSE = 0
PAUSE_OPEN = 2


def at(shot, world, level):
    return (shot["profile"]["world"], shot["profile"]["level"]) == (world, level)


def expect(condition, message):
    if not condition:
        raise harness.Failure(message)


def save_at(level):
    """A save file with Mira at world 1's level (tips on, as for a new
    player)."""
    save = bytearray(harness.make_save(name=NAME))
    struct.pack_into("<i", save, harness.PROFILE_OFFSET + LEVEL_AT, level)
    return bytes(save)


def first_run(game, pilot, start=None, levels=BOARD_LEVELS, to_world_2=True):
    """start: the level of the save file the game starts from (None: an
    empty folder, through the new-player dialog and the first chapter)."""
    game.wait_window()
    pilot.wait("the first splash", lambda s: s["scene"]["number"] == ap.SCENE_SPLASH, 20)
    shot = pilot.wait("the title menu", lambda s: s["scene"]["number"] == ap.SCENE_TITLE
                      and s["scene"]["state"] == ap.TITLE_LIVE, ap.ON_SCREEN_LIMIT_S)
    expect(pilot.visited[:3] == ["splash", "second splash", "title"],
           "screens before the title: %r" % pilot.visited)
    if start is None:
        expect(shot["profile"] is None, "a player before any was made: %r" % shot["profile"])
        shot = pilot.until("the story", lambda s: s["scene"]["number"] == ap.SCENE_STORY
                           and s["scene"]["state"] == ap.STORY_LIVE, ap.ON_SCREEN_LIMIT_S)
        expect("title, new player" in pilot.visited, "no new-player dialog: %r" % pilot.visited)
        expect(shot["profile"]["name"] == NAME and at(shot, 0, 0), "new player: %r" % shot["profile"])
    else:
        expect(shot["profile"] and shot["profile"]["name"] == NAME and at(shot, 0, start),
               "the saved player: %r" % shot["profile"])
    pilot.until("the map", lambda s: s["scene"]["number"] == ap.SCENE_MAP, ap.ON_SCREEN_LIMIT_S)

    for level in levels:
        shot = pilot.until("the board of world 1 level %d" % level, ap.is_board, ap.ON_SCREEN_LIMIT_S)
        expect(shot["scene"]["number"] == ap.FIRST_BOARD and at(shot, 0, level),
               "board screen %d at %r" % (shot["scene"]["number"], shot["profile"]))
        after = pilot.win_board()
        expect(after["profile"]["score"] > 0, "no score after a won board: %r" % after["profile"])
        if level == 0:
            shot = pilot.until("the hidden-object screen", ap.is_hidden, ap.ON_SCREEN_LIMIT_S)
            expect(shot["scene"]["number"] == ap.FIRST_HIDDEN and at(shot, 0, 1),
                   "hidden screen %d at %r" % (shot["scene"]["number"], shot["profile"]))
            pilot.win_hidden()
            # The story after the hidden level shows the world's spell.
            shot = pilot.wait("the spell page", lambda s: s["scene"]["number"] == ap.SCENE_STORY
                              and s["scene"]["state"] == ap.STORY_LIVE, ap.ON_SCREEN_LIMIT_S)
            expect(at(shot, 0, 2), "spell page at %r" % shot["profile"])
            game.capture("spell_page")
        print("world 1 level %d won, score %d (%.0f s)" % (level, after["profile"]["score"],
                                                          game.elapsed()))
    if not to_world_2:
        pilot.until("the map", lambda s: s["scene"]["number"] == ap.SCENE_MAP
                    and at(s, 0, levels[-1] + 1), ap.ON_SCREEN_LIMIT_S, play=False)
        sp.no_alerts(game)
        return None
    shot = pilot.until("world 2's map", lambda s: s["scene"]["number"] == ap.SCENE_MAP
                       and s["scene"]["state"] == ap.MAP_LIVE and at(s, 1, 0), ap.ON_SCREEN_LIMIT_S)
    expect("story" in pilot.visited[-3:], "no chapter before world 2's map: %r" % pilot.visited[-4:])
    expect(shot["screen"]["map"]["spot"] is not None, "no spot on world 2's map")
    game.pass_time(1.0)
    game.capture("world_2_map")
    score = shot["profile"]["score"]

    # The pause menu's quit ends the game in order.
    game.key("Escape")
    shot = pilot.wait("the pause menu", lambda s: s["gui"]["number"] == GUI_PAUSE
                      and s["gui"]["state"] == PAUSE_OPEN, 10)
    game.click_element(game.wait_settled("btnquit"), "btnquit")
    expect(game.wait_exit(15) == 0, "the game's exit code was not 0")
    sp.no_alerts(game)
    return score


def second_run(game, pilot, score):
    game.wait_window()
    shot = pilot.wait("the title menu", lambda s: s["scene"]["number"] == ap.SCENE_TITLE
                      and s["scene"]["state"] == ap.TITLE_LIVE, ap.ON_SCREEN_LIMIT_S)
    expect(shot["profile"] and shot["profile"]["name"] == NAME and at(shot, 1, 0)
           and shot["profile"]["score"] == score,
           "after the restart: %r (score %d before)" % (shot["profile"], score))
    welcome = shot["screen"]["intro"].get("welcome") or ""
    expect(NAME in welcome, "welcome line %r" % welcome)
    shot = pilot.until("world 2's first board", ap.is_board, ap.ON_SCREEN_LIMIT_S)
    expect(shot["scene"]["number"] == ap.FIRST_BOARD + 1 and at(shot, 1, 0),
           "board screen %d at %r" % (shot["scene"]["number"], shot["profile"]))
    sp.no_alerts(game)


def main(build_dir, part=None):
    start, levels, to_world_2 = PARTS[part] if part else (None, BOARD_LEVELS, True)
    shots = os.path.join(os.path.abspath(build_dir), "e2e_playthrough", part or "whole")
    shutil.rmtree(shots, ignore_errors=True)
    save = save_at(start) if start is not None else None
    game = harness.Game(build_dir, args=ARGS, env=ENV, probe=True, save=save)
    pilot = ap.Autopilot(game, NAME, os.path.join(shots, "first_run"))
    folder = game.user_dir
    try:
        score = first_run(game, pilot, start, levels, to_world_2)
    except harness.Failure as failure:
        return report(game, pilot, failure)
    if not to_world_2:
        game.close()
        print("playthrough part %s passed (%.0f s)" % (part, game.elapsed()))
        return 0
    game.close(keep=True)
    print("first run: %d screens, %d swaps, %.0f s" % (len(pilot.visited), pilot.swaps,
                                                       game.elapsed()))
    game = harness.Game(build_dir, args=ARGS, env=ENV, probe=True, user_dir=folder)
    pilot = ap.Autopilot(game, NAME, os.path.join(shots, "second_run"))
    try:
        second_run(game, pilot, score)
    except harness.Failure as failure:
        return report(game, pilot, failure)
    game.close()
    print("playthrough passed; screens in", shots)
    return 0


def report(game, pilot, failure):
    print("FAILED:", failure)
    print("screens visited:", " > ".join(pilot.visited))
    print("last probe:", game.probe())
    print("game output:\n" + game.messages())
    print("kept:", game.user_dir)
    game.close(keep=True)
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build",
                  sys.argv[2] if len(sys.argv) > 2 else None))
