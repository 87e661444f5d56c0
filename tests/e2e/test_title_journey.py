"""A new player's first steps through the real window, from an empty user
folder: the two splash screens, the title menu's glide, "play" without a
profile opens the new-player dialog, the name is typed (first letter upper
case, the rest lower case, Backspace mends a typo), the story's first
chapter, the world map with its arrow on the first spot, and world 1's
first board with its music. The save file then names the player in slot 0
as current."""
import sys

import harness
import screens_player as sp


def play(game):
    game.wait_window()
    # The logo, the distributor's screen, then the title menu.
    sp.wait_probe(game, "the logo screen", sp.in_scene(sp.SCENE_SPLASH), 15)
    sp.wait_probe(game, "the distributor screen", sp.in_scene(sp.SCENE_DISTRIBUTOR), 20)
    shot = sp.wait_probe(game, "the title menu, live", sp.in_scene(sp.SCENE_TITLE, sp.TITLE_LIVE), 40)
    if shot["profile"] is not None:
        raise harness.Failure("a profile before any was made: %r" % shot["profile"])
    if shot["sound"]["music"] != "musicintro":
        raise harness.Failure("title music: %r" % shot["sound"]["music"])
    if shot["screen"]["intro"]["buttons"]["changeplayer"] is not None:
        raise harness.Failure("a change-player bar without any player")
    sp.click_rect(game, sp.title_button(shot, "play"))
    shot = sp.wait_probe(game, "the new-player dialog", sp.gui_open(sp.GUI_NEW_PLAYER), 10)
    # A typo mended with Backspace: Mira.
    sp.type_text(game, ["m", "x", "BackSpace", "i", "r", "a"])
    shot = sp.wait_probe(game, "the typed name", lambda s: s["screen"].get("newPlayer", {}).get(
        "name") == "Mira", 10)
    game.key("Return")
    shot = sp.wait_probe(game, "the story", sp.in_scene(sp.SCENE_STORY, sp.STORY_LIVE), 30)
    if shot["profile"]["name"] != "Mira" or (shot["profile"]["world"], shot["profile"]["level"]) != (0, 0):
        raise harness.Failure("profile after the new-player dialog: %r" % shot["profile"])
    if shot["sound"]["music"] != "musicmap":
        raise harness.Failure("story music: %r" % shot["sound"]["music"])
    page = game.capture("story")
    if harness.colour_share(page, lambda r, g, b: r < 90 and g < 60 and b < 40) < 0.002:
        raise harness.Failure("no ink on the story's page")
    sp.click_element(game, shot, "arrow", "scene")
    shot = sp.wait_probe(game, "the world map", sp.in_scene(sp.SCENE_MAP, sp.MAP_LIVE), 30)
    map_part = shot["screen"]["map"]
    if map_part["spot"] != 0:
        raise harness.Failure("map spot %r for world 0 level 0" % map_part["spot"])
    spot, arrow = map_part["spots"][0], map_part["mapArrow"]
    if abs(arrow["x"] - spot["x"]) > 3 or not 30 < spot["y"] - arrow["y"] < 80:
        raise harness.Failure("map arrow %r not above spot 0 %r" % (arrow, spot))
    game.capture("map")
    sp.click_element(game, shot, "arrow", "scene")
    shot = sp.wait_probe(game, "world 1's first board", sp.in_scene(sp.SCENE_BOARD1), 30)
    shot = sp.wait_probe(game, "the board's music", lambda s: s["sound"]["music"] == "musicswap", 10)
    sp.no_alerts(game)
    sp.stop(game)
    save = game.read_save()
    if sp.current_index(save) != 0 or sp.profile_names(save)[0] != "Mira":
        raise harness.Failure("save: current %d, names %r" % (
            sp.current_index(save), sp.profile_names(save)))


def main(build_dir):
    game = harness.Game(build_dir, probe=True)
    return harness.run_scenario(game, "title journey", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
