"""Helpers of the scenarios on the screens around the boards: waiting on the
probe, clicking what it shows, typing, and reading the files the game keeps."""
import struct
import time

import harness

SCENE_SPLASH, SCENE_TITLE, SCENE_STORY, SCENE_BOARD1, SCENE_MAP, SCENE_DISTRIBUTOR = 1, 2, 3, 4, 16, 17
GUI_OPTIONS, GUI_NEW_PLAYER, GUI_PLAYERS = 1, 2, 3
TITLE_LIVE = 3
STORY_LIVE = 2
MAP_LIVE = 2
GUI_OPEN = 2
NAME_SIZE = 26
PROFILE_NAME_AT = 82
MUSIC_VOLUME_AT = 12


def wait_probe(game, what, condition, limit):
    """The first probe snapshot for which condition holds."""
    last = [None]

    def check():
        if not game.running():
            raise harness.Failure("the game ended while waiting for " + what)
        shot = game.probe()
        last[0] = shot or last[0]
        try:
            return shot if shot and condition(shot) else None
        except (KeyError, TypeError, IndexError):
            return None
    try:
        return harness.wait_for(what, check, limit, step=0.05)
    except harness.Failure as failure:
        raise harness.Failure("%s (the last snapshot: %s)" % (failure, harness.summary(last[0])))


def in_scene(number, state=None):
    def test(shot):
        scene = shot["scene"]
        return scene["number"] == number and (state is None or scene["state"] == state)
    return test


def gui_open(number):
    return lambda s: s["gui"]["number"] == number and s["gui"]["mode"] and s["gui"]["state"] == GUI_OPEN


def gui_closed(shot):
    return shot["gui"]["mode"] == 0


def element(shot, name, level=None):
    """The named clickable element's window rectangle, or None."""
    for e in shot["elements"]:
        if e["name"] == name and (level is None or e["level"] == level):
            return e
    return None


def centre(rect):
    return rect["x"] + rect["w"] // 2, rect["y"] + rect["h"] // 2


def press(game, x, y, hold=0.1):
    """A left click held for a few frames: the game reads the button as held
    down, and a press and release within one frame would go unseen."""
    win = game.window() or ""
    game.xdotool("mousemove", "--window", win, str(x), str(y))
    game.hold(hold, frames=1)
    game.xdotool("mousedown", "1")
    game.hold(hold)
    game.xdotool("mouseup", "1")


def click_rect(game, rect):
    if not rect:
        raise harness.Failure("nothing to click")
    press(game, *centre(rect))


def click_element(game, shot, name, level=None):
    rect = element(shot, name, level)
    if not rect:
        raise harness.Failure("no element %r on the screen: %r" % (
            name, [e["name"] for e in shot["elements"]]))
    click_rect(game, rect)


def title_button(shot, name):
    return shot["screen"]["intro"]["buttons"][name]


def type_text(game, keys):
    """xdotool key names, one press each."""
    for key in keys:
        game.key(key, hold=0.08)


def profile_names(save):
    names = []
    for slot in range(4):
        at = harness.PROFILE_OFFSET + slot * harness.PROFILE_SIZE + PROFILE_NAME_AT
        names.append(save[at:at + NAME_SIZE].split(b"\0")[0].decode("latin-1"))
    return names


def current_index(save):
    return struct.unpack_from("<h", save, 0)[0]


def read_config(game):
    with open(game.data_path("config.dat"), "rb") as f:
        return f.read()


def music_volume(config):
    return struct.unpack_from("<i", config, MUSIC_VOLUME_AT)[0]


def stop(game, limit=15):
    """Ends the game as a window manager's quit would (SIGTERM): it writes
    "savegame.sav" and "config.dat" on the way out."""
    game.proc.terminate()
    game.wait_exit(limit)


def no_alerts(game):
    """No "Alert" box: no lookup missed a name the code uses."""
    text = game.messages()
    bad = [line for line in text.splitlines() if line.startswith("[Alert]")]
    if bad:
        raise harness.Failure("lookups missed:\n" + "\n".join(bad[:20]))
