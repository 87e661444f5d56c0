"""A player for the whole game: reads the screen from the game's probe and
does what a player would there to go on (the title's play button, a name
for a new player, the story's and the map's arrows, matching swaps on a
board, the hidden objects one by one, the OK of a tip page, a recap or the
time's-up dialog). Each screen is captured once on arrival, so that a run
leaves a picture of every screen it went through; a failure names the
screen it happened on."""
import os
import time

import board_player
import harness

SCENE_SPLASH, SCENE_TITLE, SCENE_STORY, SCENE_MAP, SCENE_DISTRIBUTOR = 1, 2, 3, 16, 17
FIRST_BOARD, FIRST_HIDDEN = 4, 10
WORLDS = 6
GUI_NAMES = {0: "pause", 1: "options", 2: "new player", 3: "players", 4: "quit",
             5: "board recap", 6: "hidden recap", 7: "achievement", 8: "tip page",
             9: "trophies", 10: "time up"}
GUI_NEW_PLAYER, GUI_BOARD_RECAP, GUI_HIDDEN_RECAP = 2, 5, 6
GUI_ACHIEVEMENT, GUI_TIP, GUI_TIME_UP = 7, 8, 10
MODE_NOTICE = 3
GUI_LIVE = 2        # a dialog's state once it has come in
RECAP_COUNTED = 3   # a recap's state once its values are counted up
TITLE_LIVE, STORY_LIVE, MAP_LIVE = 3, 2, 2
MAP_AFTER_INTERLUDE = 6  # the map's story lines shown; the arrow goes on
# How long an action may take to show in the probe before it is tried again.
ACTION_SETTLE_S = 3.0
# The longest a screen's own shows take (a won board's show and its recap's
# count-up are 15 s of game time), in the game's time: every frame advances
# the game by the same step, so on a loaded machine that runs fewer frames
# a second the wait lasts longer in real time (harness.Deadline).
ON_SCREEN_LIMIT_S = 180


def scene_name(number):
    if number == SCENE_SPLASH:
        return "splash"
    if number == SCENE_DISTRIBUTOR:
        return "second splash"
    if number == SCENE_TITLE:
        return "title"
    if number == SCENE_STORY:
        return "story"
    if number == SCENE_MAP:
        return "map"
    if FIRST_BOARD <= number < FIRST_BOARD + WORLDS:
        return "board of world %d" % (number - FIRST_BOARD + 1)
    if FIRST_HIDDEN <= number < FIRST_HIDDEN + WORLDS:
        return "hidden objects of world %d" % (number - FIRST_HIDDEN + 1)
    return "scene %d" % number


def is_board(shot):
    return FIRST_BOARD <= shot["scene"]["number"] < FIRST_BOARD + WORLDS


def is_hidden(shot):
    return FIRST_HIDDEN <= shot["scene"]["number"] < FIRST_HIDDEN + WORLDS


def dialog(shot):
    """The open dialog's number, or None (a notice over the board counts as
    none: play goes on under it)."""
    gui = shot["gui"]
    if gui["mode"] == 0 or gui["mode"] == MODE_NOTICE:
        return None
    return gui["number"]


def element(shot, name, level):
    for e in shot["elements"]:
        if e["name"] == name and e["level"] == level:
            return e
    return None


def centre(rect):
    return rect["x"] + rect["w"] // 2, rect["y"] + rect["h"] // 2


class Autopilot:
    def __init__(self, game, player_name="Mira", shots_dir=None, spare_backfill=False,
                 capture=True):
        """shots_dir: where the screens are captured (the game's own folder
        when None); spare_backfill: board moves that keep the level going;
        capture: whether screens are captured at all."""
        self.game = game
        self.capture = capture
        self.player_name = player_name
        self.spare_backfill = spare_backfill
        if shots_dir:
            os.makedirs(shots_dir, exist_ok=True)
            game.shots_dir = shots_dir
        self.screen = None
        self.visited = []
        self.swaps = 0

    # ---- where the game is ---------------------------------------------------
    def screen_of(self, shot):
        name = scene_name(shot["scene"]["number"])
        number = dialog(shot)
        if number is not None:
            name += ", " + GUI_NAMES.get(number, "dialog %d" % number)
        return name

    def look(self):
        """The current probe snapshot; a screen not seen just before is
        captured and noted."""
        if not self.game.running():
            raise harness.Failure("the game ended on the %s screen" % self.screen)
        shot = self.game.probe()
        if not shot:
            return None
        name = self.screen_of(shot)
        if name != self.screen:
            self.screen = name
            self.visited.append(name)
            label = "%03d %s" % (len(self.visited), name)
            try:
                if not self.capture:
                    return shot
                self.game.capture(label.replace(",", "").replace(" ", "_"))
            except Exception as error:  # a capture is evidence, not the test
                print("capture of %s failed: %s" % (name, error))
        return shot

    def until(self, what, condition, limit, play=True):
        """Plays on until condition(shot) holds; Failure naming the screen
        after limit seconds. Without play only dialogs are answered."""
        deadline = harness.Deadline(limit, self.game)
        while not deadline.expired():
            shot = self.look()
            if shot:
                try:
                    if condition(shot):
                        return shot
                except (KeyError, TypeError, IndexError):
                    pass
                if play or dialog(shot) is not None:
                    self.act(shot)
            time.sleep(0.05)
        raise harness.Failure("on the %s screen: timed out after %s waiting for %s"
                              % (self.screen, deadline.describe(), what))

    def wait(self, what, condition, limit):
        """Waits without acting (the player keeps still)."""
        deadline = harness.Deadline(limit, self.game)
        while not deadline.expired():
            shot = self.look()
            try:
                if shot and condition(shot):
                    return shot
            except (KeyError, TypeError, IndexError):
                pass
            time.sleep(0.05)
        raise harness.Failure("on the %s screen: timed out after %s waiting for %s"
                              % (self.screen, deadline.describe(), what))

    # ---- input -------------------------------------------------------------------
    def press(self, x, y, hold=0.1):
        """The cursor rests on (x, y), then the left button is held there for
        a few frames: the game reads the button as held down."""
        win = self.game.window() or ""
        self.game.xdotool("mousemove", "--window", win, str(x), str(y))
        self.game.hold(hold, frames=1)
        self.game.xdotool("mousedown", "1")
        self.game.hold(hold)
        self.game.xdotool("mouseup", "1")

    def press_element(self, shot, name, level):
        rect = element(shot, name, level)
        if rect:
            self.press(*centre(rect))
        return rect is not None

    def changed(self, shot, limit=ACTION_SETTLE_S):
        """Waits until the scene, its state or the dialog differs from shot."""
        key = (shot["scene"]["number"], shot["scene"]["state"], shot["gui"]["number"],
               shot["gui"]["mode"], shot["gui"]["state"])
        deadline = harness.Deadline(limit, self.game)
        while not deadline.expired():
            now = self.look()
            if now and (now["scene"]["number"], now["scene"]["state"], now["gui"]["number"],
                        now["gui"]["mode"], now["gui"]["state"]) != key:
                return now
            time.sleep(0.05)
        return None

    # ---- what a player does ------------------------------------------------------
    def act(self, shot):
        number = dialog(shot)
        if number is not None:
            self.answer_dialog(shot, number)
        elif shot["scene"]["number"] == SCENE_TITLE and shot["scene"]["state"] == TITLE_LIVE:
            self.press(*centre(shot["screen"]["intro"]["buttons"]["play"]))
            self.changed(shot)
        elif (shot["scene"]["number"], shot["scene"]["state"]) in (
                (SCENE_STORY, STORY_LIVE), (SCENE_MAP, MAP_LIVE), (SCENE_MAP, MAP_AFTER_INTERLUDE)):
            if self.press_element(shot, "arrow", "scene"):
                self.changed(shot)
        elif is_board(shot) and shot.get("board"):
            self.play_board(shot)
        elif is_hidden(shot) and shot.get("hidden"):
            self.find_object(shot)

    def answer_dialog(self, shot, number):
        gui = shot["gui"]
        if number == GUI_NEW_PLAYER and gui["state"] == GUI_LIVE:
            for letter in self.player_name.lower():
                self.game.key(letter, hold=0.08)
            self.game.key("Return")
            self.changed(self.game.probe() or shot)
        elif number in (GUI_TIP, GUI_TIME_UP) and gui["state"] == GUI_LIVE:
            if self.press_element(shot, "btnok", "gui"):
                self.changed(shot)
        elif number in (GUI_BOARD_RECAP, GUI_HIDDEN_RECAP) and gui["state"] == RECAP_COUNTED:
            if self.press_element(shot, "btnok", "gui"):
                self.changed(shot)

    def play_board(self, shot):
        board = shot["board"]
        if board["won"] or not board_player.is_ready(board):
            return
        if board["selected"] != [-1, -1]:
            self.game.right_click(400, 300)
        swap = board_player.best_swap(board, self.spare_backfill)
        if swap is None:
            return
        cells = board_player.cells_by_place(board)
        a, b = cells[swap[0]], cells[swap[1]]
        before = [c["colour"] for c in board["cells"]]
        self.game.drag(a["x"], a["y"], b["x"], b["y"])
        self.swaps += 1
        deadline = harness.Deadline(ACTION_SETTLE_S, self.game)
        while not deadline.expired():
            now = self.look()
            nb = now.get("board") if now else None
            if not nb or nb["won"] or not board_player.is_ready(nb) or [
                    c["colour"] for c in nb["cells"]] != before:
                return
            time.sleep(0.05)

    def find_object(self, shot):
        hidden = shot["hidden"]
        for index, item in enumerate(hidden["items"]):
            if item["found"] or not item.get("rect"):
                continue
            self.press(*centre(item["rect"]))
            deadline = harness.Deadline(ACTION_SETTLE_S, self.game)
            while not deadline.expired():
                now = self.look()
                if not now or not now.get("hidden") or now["hidden"]["items"][index]["found"]:
                    return
                time.sleep(0.05)
            return

    # ---- whole steps -----------------------------------------------------------------
    def win_board(self, limit=240):
        """Plays the current board level until it is won and its recap has led
        off the board; returns the first snapshot off it."""
        start = self.until("a board screen", is_board, ON_SCREEN_LIMIT_S)
        world, level = start["profile"]["world"], start["profile"]["level"]
        self.until("world %d level %d won" % (world + 1, level),
                   lambda s: is_board(s) and s["board"] and s["board"]["won"], limit)
        return self.until("the board screen left", lambda s: not is_board(s), ON_SCREEN_LIMIT_S)

    def win_hidden(self, limit=240):
        self.until("a hidden-object screen", is_hidden, ON_SCREEN_LIMIT_S)
        return self.until("the hidden-object screen won and left", lambda s: not is_hidden(s), limit)
