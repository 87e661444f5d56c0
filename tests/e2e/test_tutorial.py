"""The tutorial through the real window: a fresh profile (tips on) enters the
first board (scene 4) through the test doorway. The match-3 page opens over
the frozen board with its four lines; its OK button closes it; the timer page
follows; its check box turns the profile's tips off and Escape closes it.
Both pages are recorded as seen and the board plays on."""
import os
import sys
import xml.etree.ElementTree as ET

import harness

SCENE = 4
TUTORIAL = 8
TIP_MATCH3, TIP_TIMER = 1, 128
LANG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "content", "lang", "tutorial.xml")


def page_lines(stem):
    texts = {t.get("code"): t.text for t in ET.parse(LANG).getroot()}
    return [texts["%s%d" % (stem, n)] for n in range(1, 5)]


def element(shot, name):
    for e in shot["elements"]:
        if e["name"] == name and e["level"] == "gui":
            return e
    return None


def press(game, e, hold=0.12):
    x, y = e["x"] + e["w"] // 2, e["y"] + e["h"] // 2
    win = game.window() or ""
    game.xdotool("mousemove", "--window", win, str(x), str(y))
    game.hold(hold, frames=1)
    game.xdotool("mousedown", "1")
    game.hold(hold)
    game.xdotool("mouseup", "1")


def wait_page(game, stem):
    def open_page():
        shot = game.probe()
        gui = shot["gui"] if shot else None
        if not gui or gui["number"] != TUTORIAL or gui["mode"] != 1 or gui["state"] != 2:
            return None
        return shot if element(shot, "btnok") else None
    shot = harness.wait_for("the %s page" % stem, open_page, 20)
    missing = [line for line in page_lines(stem) if line not in shot["gui"]["texts"]]
    if missing:
        raise harness.Failure("the %s page lacks %r (shows %r)" % (stem, missing, shot["gui"]["texts"]))
    print("%s page shown: %r" % (stem, shot["gui"]["texts"]))
    return shot


def wait_closed(game, what):
    harness.wait_for(what, lambda: game.probe()["gui"]["mode"] == 0, 10)


def scenario(game):
    game.wait_window()
    shot = wait_page(game, "tutomatch3-")
    if shot["scene"]["number"] != SCENE:
        raise harness.Failure("the page opened over scene %d" % shot["scene"]["number"])
    game.capture("match3_page")
    press(game, element(shot, "btnok"))
    wait_closed(game, "the match-3 page to close by its OK")
    shot = wait_page(game, "tutotimer-")
    press(game, element(shot, "showhint"))
    harness.wait_for("tips turned off", lambda: game.probe()["profile"]["showHints"] == 0, 5)
    game.key("Escape")
    wait_closed(game, "the timer page to close by Escape")
    shot = game.probe()
    seen = shot["profile"]["seenTips"]
    if seen & (TIP_MATCH3 | TIP_TIMER) != TIP_MATCH3 | TIP_TIMER:
        raise harness.Failure("seen tips %d after both pages" % seen)
    if shot["scene"]["number"] != SCENE or shot["scene"]["state"] != 0:
        raise harness.Failure("the board did not play on: %r" % shot["scene"])


def main(build_dir):
    game = harness.Game(build_dir, args=["-world", "0", "-level", "0"],
                        env={"QUORVEL_START_SCENE": str(SCENE)}, probe=True)
    return harness.run_scenario(game, "tutorial", scenario)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
