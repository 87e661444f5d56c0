"""The trophies and hiscores dialog through the real window, over a prepared
save file: GUI 9 opened by the title menu's trophies button shows the five best entries
of the table (the current profile's score submitted into it first) with
their names and scores, and not the sixth; the score trophy carries three
stars for the three score steps reached and, hovered, tips the fourth step;
Escape closes the dialog."""
import os
import struct
import sys
import xml.etree.ElementTree as ET

import harness
import screens_player as sp

SCENE_TITLE = 2
TITLE_LIVE = 3
TROPHIES = 9
SCORE_KIND = 5
STEPS = 7
ACHIEVEMENTS_AT = 40
NAME_AT = 82
KEY_AT = 108

# The table on file, best first; the profile's 123456 enters above it.
TABLE = [(90000, "Zed"), (80000, "Yara"), (70000, "Xia"), (60000, "Will"), (50000, "Vic"),
         (40000, "Uma"), (30000, "Tom"), (20000, "Sam"), (10000, "Rik"), (5000, "Quin")]
PLAYER, PLAYER_SCORE, PLAYER_KEY = "Ann", 123456, 77


def save_file():
    save = bytearray(harness.SAVE_SIZE)
    struct.pack_into("<h", save, 0, 0)
    for i in range(4):
        at = harness.PROFILE_OFFSET + i * harness.PROFILE_SIZE
        save[at + 112] = 1  # show hints
        save[at + 113] = 1  # time mode
    at = harness.PROFILE_OFFSET
    struct.pack_into("<i", save, at + 4, PLAYER_SCORE)
    for step in range(3):
        save[at + ACHIEVEMENTS_AT + SCORE_KIND * STEPS + step] = 1
    save[at + NAME_AT:at + NAME_AT + len(PLAYER)] = PLAYER.encode("latin-1")
    struct.pack_into("<i", save, at + KEY_AT, PLAYER_KEY)
    for j, (score, name) in enumerate(TABLE):
        at = harness.HISCORE_OFFSET + j * harness.HISCORE_SIZE
        struct.pack_into("<ii", save, at, score, j)
        save[at + 8:at + 8 + len(name)] = name.encode("latin-1")
    return bytes(save)


LANG = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "content", "lang")


def lang_text(key):
    """A language text as the content gives it."""
    for name in os.listdir(LANG):
        for text in ET.parse(os.path.join(LANG, name)).getroot():
            if text.get("code") == key:
                return text.text
    raise harness.Failure("no text %s" % key)


def element(shot, name):
    for e in shot["elements"]:
        if e["name"] == name and e["level"] == "gui":
            return e
    return None


def scenario(game):
    game.wait_window()
    shot = sp.wait_probe(game, "the title menu", sp.in_scene(SCENE_TITLE, TITLE_LIVE), 30)
    sp.click_rect(game, sp.title_button(shot, "trophies"))
    shot = harness.wait_for("the trophies dialog", lambda: (
        lambda s: s if s and s["gui"]["number"] == TROPHIES and s["gui"]["mode"] == 2
        and s["gui"]["state"] == 2 and element(s, "elemscore") else None)(game.probe()), 20)
    texts = shot["gui"]["texts"]
    print("dialog texts:", texts)
    expected = [(PLAYER_SCORE, PLAYER)] + TABLE[:4]
    for score, name in expected:
        if name not in texts or str(score) not in texts:
            raise harness.Failure("%s %d not listed" % (name, score))
    if TABLE[4][1] in texts:
        raise harness.Failure("a sixth entry is listed")
    for word in (lang_text("hiscores"), lang_text("back"), lang_text("achievescoretitle")):
        if word not in texts:
            raise harness.Failure("%r missing" % word)
    game.capture("trophies")
    trophy = element(shot, "elemscore")
    game.xdotool("mousemove", "--window", game.window() or "",
                 str(trophy["x"] + trophy["w"] // 2), str(trophy["y"] + trophy["h"] // 2))
    tip = lang_text("achievescoredesc").replace("%d", "300000")
    harness.wait_for("the score trophy's tip", lambda: tip in game.probe()["gui"]["texts"], 5)
    game.pass_time(0.6)
    game.capture("tip")
    game.key("Escape")
    harness.wait_for("the dialog to close", lambda: game.probe()["gui"]["mode"] == 0, 10)


def main(build_dir):
    game = harness.Game(build_dir, env={"QUORVEL_START_SCENE": str(SCENE_TITLE)}, probe=True,
                        save=save_file())
    return harness.run_scenario(game, "trophies", scenario)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
