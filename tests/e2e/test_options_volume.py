"""The options dialog through the real window: the music slider dragged to a
quarter of its travel sets the music volume at once, the tips switch turns
tips off for the current player, Escape closes the dialog, and after the
game has ended "config.dat" keeps the volume and "savegame.sav" the switch.
A second run starts with the knob where the stored volume puts it, and
opens the options with a quick click."""
import sys

import harness
import screens_player as sp

SHOW_HINTS_AT = 112
# Field pixels from the bar's centre: the knob travels -80..80.
QUARTER = -40


def open_options(game, quick=False):
    """quick: a plain click, its press and release sent back to back (they
    usually reach the game within one frame)."""
    shot = sp.wait_probe(game, "the title menu, live", sp.in_scene(sp.SCENE_TITLE, sp.TITLE_LIVE), 40)
    button = sp.title_button(shot, "options")
    if quick:
        game.click(*sp.centre(button))
    else:
        sp.click_rect(game, button)
    sp.wait_probe(game, "the options", sp.gui_open(sp.GUI_OPTIONS), 10)
    # The panel drops in for about a second.
    game.pass_time(1.5)
    return game.probe()


def play(game):
    game.wait_window()
    shot = open_options(game)
    bar = sp.element(shot, "slidebar1", "gui")
    x, y = sp.centre(bar)
    game.drag(x, y, x + QUARTER, y)
    shot = sp.wait_probe(game, "the music volume", lambda s: abs(
        s["sound"]["musicVolume"] - 0.25) < 0.01, 5)
    if shot["sound"]["effectsVolume"] != 1.0:
        raise harness.Failure("the effects volume moved: %r" % shot["sound"])
    sp.click_element(game, shot, "showhint", "gui")
    game.pass_time(0.3)
    game.key("Escape")
    sp.wait_probe(game, "the options closed", sp.gui_closed, 10)
    sp.no_alerts(game)
    sp.stop(game)
    config = sp.read_config(game)
    if sp.music_volume(config) != 25:
        raise harness.Failure("config.dat music volume %d" % sp.music_volume(config))
    save = game.read_save()
    hints = save[harness.PROFILE_OFFSET + SHOW_HINTS_AT]
    if hints != 0:
        raise harness.Failure("tips still on in the save (%d)" % hints)
    # The next run, in the same user folder, starts at the stored volume.
    again = harness.Game(game.build_dir, env={"QUORVEL_START_SCENE": "2"}, probe=True,
                         user_dir=game.user_dir)
    try:
        again.wait_window()
        shot = open_options(again, quick=True)
        if abs(shot["sound"]["musicVolume"] - 0.25) > 0.01:
            raise harness.Failure("music volume on the next run: %r" % shot["sound"])
    finally:
        # The folder is the first game's, kept or removed with it.
        again.close(keep=True)


def main(build_dir):
    game = harness.Game(build_dir, env={"QUORVEL_START_SCENE": "2"}, probe=True)
    return harness.run_scenario(game, "options", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
