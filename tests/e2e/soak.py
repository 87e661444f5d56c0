#!/usr/bin/python3
"""Soak: the real game played for a long time through its window, to see
whether its memory grows. Not part of the test suite (it takes an hour).

From an empty user folder it names a first player, then repeats rounds
until the time is up. A round, on the title menu: the options, the
trophies page and the quit dialog are opened and closed, the player
selection switches to the other player (the first round names a second one
there); then "play" leads through the story and the map to the player's
level, where the pause menu and the options over it are opened and closed,
and the level is either won (board or hidden objects, every other round
for a board) or lost by letting the board's time run out (the time's-up
dialog replays it; then it is won); the recap's OK leads on and the pause
menu's "main menu" back to the title. Tip pages and achievement notices
are answered as they come.

Every 10 s the game's resident set size (VmRSS) is sampled. At the end it
prints the samples' least-squares slope (MiB per hour) after a warm-up
minute, the RSS at five minutes (or at the end of the warm-up in a
shorter run) and at the end, their difference in per cent, and the count
of alert lines ("[Alert]") in the game's output.

  python3 tests/e2e/soak.py [--build build] [--minutes 60] [--sample 10]

Boards use the easiest layout and a board time limit of 75 s
(QUORVEL_TIME_LIMIT_MS), so that a level lost by waiting takes little time.
"""
import argparse
import os
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import autopilot as ap  # noqa: E402
import harness  # noqa: E402

PLAYERS = ["Ann", "Bob"]
TIME_LIMIT_MS = "75000"
WARM_UP_S = 60.0
REFERENCE_S = 300.0
GUI_PAUSE, GUI_OPTIONS, GUI_PLAYERS, GUI_QUIT, GUI_TROPHIES = 0, 1, 3, 4, 9
GUI_LIVE = 2


def rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


class Sampler(threading.Thread):
    """(seconds since start, RSS in MiB) every period seconds."""

    def __init__(self, pid, period):
        super().__init__(daemon=True)
        self.pid, self.period = pid, period
        self.samples = []
        self.stop = threading.Event()
        self.start_time = time.monotonic()

    def run(self):
        while not self.stop.wait(self.period):
            try:
                self.samples.append((time.monotonic() - self.start_time, rss_mib(self.pid)))
            except OSError:
                return


def slope_per_hour(samples):
    """Least-squares slope of RSS over time, MiB per hour."""
    if len(samples) < 2:
        return 0.0
    n = len(samples)
    mx = sum(t for t, _ in samples) / n
    my = sum(r for _, r in samples) / n
    sxx = sum((t - mx) ** 2 for t, _ in samples)
    sxy = sum((t - mx) * (r - my) for t, r in samples)
    return 3600.0 * sxy / sxx if sxx else 0.0


def alert_lines(game):
    return [line for line in game.messages().splitlines() if line.startswith("[Alert]")]


class Soak:
    def __init__(self, game, pilot):
        self.game, self.pilot = game, pilot
        self.rounds = 0
        self.second_named = False
        self.counts = {"boards won": 0, "boards lost": 0, "hidden won": 0, "dialogs": 0,
                       "switches": 0}

    def title(self):
        return self.pilot.until("the title menu", lambda s: s["scene"]["number"] == ap.SCENE_TITLE
                                and s["scene"]["state"] == ap.TITLE_LIVE and s["gui"]["mode"] == 0, ap.ON_SCREEN_LIMIT_S)

    def open_dialog(self, shot, button, number):
        self.pilot.press(*ap.centre(shot["screen"]["intro"]["buttons"][button]))
        self.pilot.wait("dialog %d" % number, lambda s: s["gui"]["number"] == number
                        and s["gui"]["mode"] and s["gui"]["state"] == GUI_LIVE, 15)
        time.sleep(1.2)  # the panel drops in
        self.counts["dialogs"] += 1
        return self.game.probe()

    def close_with(self, shot, name):
        if not self.pilot.press_element(shot, name, "gui"):
            raise harness.Failure("no %s in dialog %d" % (name, shot["gui"]["number"]))
        self.pilot.wait("the dialog closed", lambda s: s["gui"]["mode"] == 0, 15)

    def title_dialogs(self):
        shot = self.title()
        self.close_with(self.open_dialog(shot, "options", GUI_OPTIONS), "btnok")
        self.close_with(self.open_dialog(self.title(), "trophies", GUI_TROPHIES), "btnok")
        self.close_with(self.open_dialog(self.title(), "exit", GUI_QUIT), "btncancel")
        if self.title()["profile"] is None:
            return  # "play" names the first player
        shot = self.open_dialog(self.title(), "changeplayer", GUI_PLAYERS)
        current = shot["screen"]["players"]["selected"]
        if not self.second_named:
            self.pilot.press_element(shot, "item2", "gui")
            self.pilot.wait("typing in slot 1", lambda s: s["screen"]["players"]["editing"] == 1, 5)
            for letter in PLAYERS[1].lower():
                self.game.key(letter, hold=0.08)
            self.game.key("Return")
            self.pilot.wait("the second player named", lambda s: s["screen"]["players"]["slots"][1]
                            == PLAYERS[1] and s["screen"]["players"]["editing"] == -1, 10)
            self.second_named = True
        other = 1 - current
        self.pilot.press_element(shot, "item%d" % (other + 1), "gui")
        self.pilot.wait("the other player chosen", lambda s: s["screen"]["players"]["selected"] == other, 5)
        self.close_with(self.game.probe(), "btnok")
        self.pilot.wait("the other player current", lambda s: s["profile"]["name"] == PLAYERS[other], 10)
        self.counts["switches"] += 1

    def pause_and_options(self):
        """The pause menu, the options over it, and back to the game."""
        self.game.key("Escape")
        self.pilot.wait("the pause menu", lambda s: s["gui"]["number"] == GUI_PAUSE
                        and s["gui"]["state"] == GUI_LIVE, 10)
        time.sleep(1.0)
        self.pilot.press_element(self.game.probe(), "btnoptions", "gui")
        self.pilot.wait("the options over the pause", lambda s: s["gui"]["number"] == GUI_OPTIONS
                        and s["gui"]["state"] == GUI_LIVE, 10)
        time.sleep(1.0)
        self.pilot.press_element(self.game.probe(), "btnok", "gui")
        shot = self.pilot.wait("the options closed", lambda s: s["gui"]["number"] != GUI_OPTIONS
                               or s["gui"]["mode"] == 0, 10)
        if shot["gui"]["mode"] and shot["gui"]["number"] == GUI_PAUSE:
            time.sleep(1.0)
            self.pilot.press_element(self.game.probe(), "btnresume", "gui")
        self.pilot.wait("the game again", lambda s: s["gui"]["mode"] == 0, 10)
        self.counts["dialogs"] += 2

    def main_menu(self):
        self.game.key("Escape")
        self.pilot.wait("the pause menu", lambda s: s["gui"]["number"] == GUI_PAUSE
                        and s["gui"]["state"] == GUI_LIVE, 10)
        time.sleep(1.0)
        self.pilot.press_element(self.game.probe(), "btnmainmenu", "gui")

    def play_level(self, lose):
        shot = self.pilot.until("a level", lambda s: (ap.is_board(s) and s["board"] and any(
            c["present"] for c in s["board"]["cells"])) or (ap.is_hidden(s) and s["hidden"]), 120)
        self.pilot.until("the level at rest", lambda s: ap.dialog(s) is None, ap.ON_SCREEN_LIMIT_S)
        self.pause_and_options()
        if ap.is_hidden(shot):
            self.pilot.win_hidden()
            self.counts["hidden won"] += 1
        else:
            if lose:
                self.pilot.until("the time's-up dialog", lambda s: s["gui"]["number"] == ap.GUI_TIME_UP
                                 and s["gui"]["mode"], int(TIME_LIMIT_MS) / 1000 + 60, play=False)
                self.counts["boards lost"] += 1
                self.counts["dialogs"] += 1
                self.pilot.until("the board replayed", lambda s: ap.is_board(s)
                                 and s["gui"]["mode"] == 0 and s["board"]["timeUsed"] < 5000, ap.ON_SCREEN_LIMIT_S)
            self.pilot.win_board(limit=240)
            self.counts["boards won"] += 1
        # On to the map, then back to the title through the pause menu.
        self.pilot.until("the map", lambda s: s["scene"]["number"] == ap.SCENE_MAP
                         and s["scene"]["state"] == ap.MAP_LIVE, ap.ON_SCREEN_LIMIT_S)
        self.main_menu()

    def round(self):
        self.title_dialogs()
        shot = self.title()
        self.pilot.press(*ap.centre(shot["screen"]["intro"]["buttons"]["play"]))
        self.play_level(lose=self.rounds % 2 == 1)
        self.rounds += 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build")
    parser.add_argument("--minutes", type=float, default=60.0)
    parser.add_argument("--sample", type=float, default=10.0, help="seconds between RSS samples")
    args = parser.parse_args()
    game = harness.Game(args.build, args=["-layout", "0"], clock=None, probe=True,
                        env={"QUORVEL_TIME_LIMIT_MS": TIME_LIMIT_MS, "QUORVEL_FRAME_MS": "13.333"})
    # An hour of captures would be thousands of pictures.
    pilot = ap.Autopilot(game, PLAYERS[0], capture=False)
    soak = Soak(game, pilot)
    sampler = Sampler(game.proc.pid, args.sample)
    sampler.start()
    end = time.monotonic() + args.minutes * 60.0
    failure = None
    try:
        game.wait_window()
        while time.monotonic() < end:
            soak.round()
            print("round %d done at %.1f min: %s, RSS %.1f MiB" % (
                soak.rounds, game.elapsed() / 60, soak.counts, rss_mib(game.proc.pid)), flush=True)
    except harness.Failure as error:
        failure = error
    sampler.stop.set()
    sampler.join()
    alerts = alert_lines(game)
    running = game.running()
    game.close(keep=failure is not None)
    report(sampler.samples, alerts, soak, failure, running, game)
    return 1 if failure or alerts or not running else 0


def report(samples, alerts, soak, failure, running, game):
    print("soak: %d rounds, %s" % (soak.rounds, soak.counts))
    if failure:
        print("FAILED on the %s screen: %s (kept %s)" % (soak.pilot.screen, failure, game.user_dir))
    if not running:
        print("the game was no longer running at the end")
    late = [s for s in samples if s[0] >= WARM_UP_S] or samples
    if samples:
        reference_at = REFERENCE_S if samples[-1][0] >= 2 * REFERENCE_S else WARM_UP_S
        reference = min(samples, key=lambda s: abs(s[0] - reference_at))
        last = samples[-1]
        print("RSS samples: %d every %.0f s; min %.1f, max %.1f MiB" % (
            len(samples), samples[1][0] - samples[0][0] if len(samples) > 1 else 0,
            min(r for _, r in samples), max(r for _, r in samples)))
        print("RSS at %.1f min %.1f MiB, at the end (%.1f min) %.1f MiB: %+.2f %%" % (
            reference[0] / 60, reference[1], last[0] / 60, last[1],
            100.0 * (last[1] - reference[1]) / reference[1]))
        print("RSS slope after the first minute: %+.2f MiB per hour" % slope_per_hour(late))
    print("alerts: %d" % len(alerts))
    for line in alerts[:20]:
        print("  " + line)


if __name__ == "__main__":
    sys.exit(main())
