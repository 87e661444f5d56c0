"""The player selection dialog through the real window: with the test
player in slot 0, two players are named in one opening of the dialog (the
first free slot only; a click on another slot commits the name being
typed), the test player is deleted after the confirmation (the current
player itself is refused), and the player last created stays current: the
welcome line and the save file name it."""
import sys

import harness
import screens_player as sp


def slots(shot):
    return shot["screen"]["players"]["slots"]


def click_item(game, shot, n):
    sp.click_element(game, shot, "item%d" % n, "gui")


def settled_dialog(game, number):
    """The dialog open and its panel at rest (it drops in for about a second)."""
    sp.wait_probe(game, "dialog %d" % number, sp.gui_open(number), 15)
    game.pass_time(1.5)
    return game.probe()


def play(game):
    game.wait_window()
    shot = sp.wait_probe(game, "the title menu, live", lambda s: sp.in_scene(
        sp.SCENE_TITLE, sp.TITLE_LIVE)(s) and s["screen"]["intro"]["buttons"]["changeplayer"], 40)
    sp.click_rect(game, sp.title_button(shot, "changeplayer"))
    shot = settled_dialog(game, sp.GUI_PLAYERS)
    if slots(shot)[0] != "Tester" or shot["screen"]["players"]["selected"] != 0:
        raise harness.Failure("slots on opening: %r" % shot["screen"]["players"])
    # A free slot after the first free one cannot be typed into.
    click_item(game, shot, 3)
    game.pass_time(0.3)
    if game.probe()["screen"]["players"]["editing"] != -1:
        raise harness.Failure("typing began in a later free slot")
    click_item(game, shot, 2)
    sp.wait_probe(game, "typing in slot 1", lambda s: s["screen"]["players"]["editing"] == 1, 5)
    sp.type_text(game, ["a", "d", "a"])
    game.key("Return")
    shot = sp.wait_probe(game, "Ada in slot 1", lambda s: slots(s)[1] == "Ada" and
                         s["screen"]["players"]["editing"] == -1, 10)
    click_item(game, shot, 3)
    sp.wait_probe(game, "typing in slot 2", lambda s: s["screen"]["players"]["editing"] == 2, 5)
    sp.type_text(game, ["b", "o"])
    sp.wait_probe(game, "Bo typed", lambda s: slots(s)[2] == "Bo", 10)
    # A click on another slot commits the name first.
    click_item(game, shot, 1)
    shot = sp.wait_probe(game, "Bo committed", lambda s: s["screen"]["players"]["editing"] == -1
                         and s["profile"]["name"] == "Bo", 10)
    # The current player cannot be deleted: the one-button refusal.
    click_item(game, shot, 3)
    sp.wait_probe(game, "Bo highlighted", lambda s: s["screen"]["players"]["selected"] == 2, 5)
    sp.click_element(game, shot, "btndelete", "gui")
    shot = sp.wait_probe(game, "the refusal", lambda s: s["screen"]["players"]["alert"]["ok"]
                         and s["screen"]["players"]["alert"]["purpose"] == 2, 10)
    if shot["screen"]["players"]["alert"]["cancel"] is not None:
        raise harness.Failure("the refusal has a cancel button")
    game.pass_time(0.4)
    sp.click_rect(game, game.probe()["screen"]["players"]["alert"]["ok"])
    sp.wait_probe(game, "the refusal closed", lambda s: not s["screen"]["players"]["alert"]["open"], 5)
    game.pass_time(0.5)
    # The test player is deleted after the confirmation.
    click_item(game, shot, 1)
    sp.wait_probe(game, "Tester highlighted", lambda s: s["screen"]["players"]["selected"] == 0, 5)
    sp.click_element(game, shot, "btndelete", "gui")
    shot = sp.wait_probe(game, "the confirmation", lambda s: s["screen"]["players"]["alert"]["cancel"]
                         and s["screen"]["players"]["alert"]["purpose"] == 1, 10)
    game.pass_time(0.4)
    sp.click_rect(game, game.probe()["screen"]["players"]["alert"]["ok"])
    shot = sp.wait_probe(game, "the slots refilled", lambda s: slots(s)[:2] == ["Ada", "Bo"], 10)
    if shot["screen"]["players"]["selected"] != 1 or shot["profile"]["name"] != "Bo":
        raise harness.Failure("after the deletion: %r, profile %r" % (
            shot["screen"]["players"], shot["profile"]))
    game.pass_time(0.5)
    sp.click_element(game, shot, "btnok", "gui")
    shot = sp.wait_probe(game, "the welcome for Bo", lambda s: sp.gui_closed(s) and
                         "Bo" in s["screen"]["intro"]["welcome"], 10)
    sp.no_alerts(game)
    sp.stop(game)
    save = game.read_save()
    if sp.profile_names(save) != ["Ada", "Bo", "", ""] or sp.current_index(save) != 1:
        raise harness.Failure("save: current %d, names %r" % (
            sp.current_index(save), sp.profile_names(save)))


def main(build_dir):
    game = harness.Game(build_dir, env={"QUORVEL_START_SCENE": "2"}, probe=True)
    return harness.run_scenario(game, "players", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
