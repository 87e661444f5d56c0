#!/usr/bin/python3
"""Cost of the real program: starts build/quorvel under its own Xvfb, each
time with a fresh user folder, and prints

  - start to first presented frame (ms): median, minimum and maximum of
    several starts (the time from just before the process is spawned until
    its first buffer swap has returned);
  - over a window of seconds that starts once the program has presented
    its first few frames (so the loading before the first screen is left
    out: the first frame may come before it): the main thread's share of
    one core, the whole process's share, the X server's share, and the
    frames presented per second;
  - the process's peak resident set size (VmHWM) at the end of the window.

Frames are seen through bench/swap_probe.so (preloaded; it wraps
glXSwapBuffers), so the program itself is not changed for measuring.
Without options the splash screens are measured; "--scene N" passes
QUORVEL_START_SCENE=N to the program, and words after "--" go on its
command line, so that other screens can be measured the same way.
"--play" plays a board screen through the window while it is measured, as
a player would (read from the game's probe, QUORVEL_PROBE): about once a
second a ready spell is cast from the panel, a living monster is clicked,
or a matching swap is made.

  python3 bench/game_bench.py [--build build] [--seconds 10] [--starts 5]
                              [--scene N] [--play] [-- game words ...]

A live board with spells and monsters:

  python3 bench/game_bench.py --scene 4 --play -- -world 1 -level 0 -layout 0
"""
import argparse
import mmap
import os
import shutil
import signal
import statistics
import struct
import subprocess
import sys
import json
import tempfile
import threading
import time

RECORD_FORMAT = "<qq"  # first presentation (monotonic ns), frames presented
RECORD_SIZE = struct.calcsize(RECORD_FORMAT)
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
FIRST_FRAME_LIMIT_S = 20.0
# Frames presented before the measuring window opens.
SETTLE_FRAMES = 10

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from virtual_display import VirtualDisplay  # noqa: E402
import board_player  # noqa: E402

PLAY_STEP_S = 1.0
PLAY_SETTLE_S = 3.0


def process_cpu_s(pid):
    """User plus system CPU time of a whole process (all its threads, also
    those that have ended), in seconds."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


def thread_cpu_s(pid, tid):
    """CPU time of one thread in seconds (scheduler's nanosecond count)."""
    with open("/proc/%d/task/%d/schedstat" % (pid, tid)) as f:
        return int(f.read().split()[0]) / 1e9


def peak_rss_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


class GameRun:
    """One start of the game with its own user folder and frame record."""

    def __init__(self, args, display, save=None, probe=None, swap_probe=None, extra_env=None):
        """args: build, scene, play and game_words as on the command line;
        save: bytes stored as the user folder's "savegame.sav" first (None:
        none); probe: whether the game writes its probe (None: with --play);
        swap_probe: the preloaded frame counter (None: the build's own);
        extra_env: more variables for the game."""
        self.folder = tempfile.mkdtemp(prefix="quorvel_bench_")
        if save is not None:
            save_folder = os.path.join(self.folder, "brasvolt", "quorvel")
            os.makedirs(save_folder)
            with open(os.path.join(save_folder, "savegame.sav"), "wb") as f:
                f.write(save)
        self.record_path = os.path.join(self.folder, "swaps")
        with open(self.record_path, "wb") as f:
            f.write(b"\0" * RECORD_SIZE)
        env = dict(os.environ)
        env.update({
            "DISPLAY": display,
            "XDG_DATA_HOME": self.folder,
            "ALSOFT_DRIVERS": env.get("ALSOFT_DRIVERS", "null"),
            "QUORVEL_MESSAGES": "stderr",
            "QV_SWAP_RECORD": self.record_path,
            "LD_PRELOAD": swap_probe or os.path.join(args.build, "bench", "swap_probe.so"),
        })
        env.update(extra_env or {})
        env.pop("CI", None)
        if args.scene is not None:
            env["QUORVEL_START_SCENE"] = str(args.scene)
        if probe is None:
            probe = args.play
        self.probe_path = os.path.join(self.folder, "probe.json") if probe else None
        if self.probe_path:
            env["QUORVEL_PROBE"] = self.probe_path
        self.env = env
        self.log = open(os.path.join(self.folder, "stderr.txt"), "wb")
        record = open(self.record_path, "r+b")
        self.record = mmap.mmap(record.fileno(), RECORD_SIZE)
        record.close()
        self.spawned_ns = time.monotonic_ns()
        self.proc = subprocess.Popen([os.path.join(args.build, "quorvel"), *args.game_words],
                                     cwd=args.build, env=env, stdout=subprocess.DEVNULL,
                                     stderr=self.log)

    def frames(self):
        """(first presentation in ns or 0, frames presented)."""
        return struct.unpack(RECORD_FORMAT, self.record[:RECORD_SIZE])

    def wait_first_frame(self):
        """Milliseconds from spawning to the first presented frame."""
        end = time.monotonic() + FIRST_FRAME_LIMIT_S
        while time.monotonic() < end:
            first, _ = self.frames()
            if first:
                return (first - self.spawned_ns) / 1e6
            if self.proc.poll() is not None:
                break
            time.sleep(0.002)
        self.close()
        sys.exit("no frame was presented; the game said:\n" + self.messages())

    def wait_frames(self, count):
        """Waits until `count` frames were presented; false when the game
        ended or took too long."""
        end = time.monotonic() + FIRST_FRAME_LIMIT_S
        while time.monotonic() < end:
            if self.frames()[1] >= count:
                return True
            if self.proc.poll() is not None:
                return False
            time.sleep(0.002)
        return False

    def messages(self):
        self.log.flush()
        with open(os.path.join(self.folder, "stderr.txt"), "rb") as f:
            return f.read().decode("utf-8", "replace")

    def close(self):
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.record.close()
        self.log.close()
        shutil.rmtree(self.folder, ignore_errors=True)


class BoardPlayer(threading.Thread):
    """Plays the board through the window until stopped; counts what it did."""

    def __init__(self, run):
        super().__init__(daemon=True)
        self.run_ = run
        self.stop = threading.Event()
        self.done = {"swaps": 0, "spells": 0, "monster hits": 0}

    def xdotool(self, *words):
        subprocess.run(["xdotool", *words], env=self.run_.env, capture_output=True, timeout=10)

    def press(self, x, y):
        self.xdotool("search", "--name", "^Quorvel$", "mousemove", "--window", "%1",
                     str(x), str(y), "mousedown", "1", "sleep", "0.08", "mouseup", "1")

    def drag(self, a, b):
        self.xdotool("search", "--name", "^Quorvel$", "mousemove", "--window", "%1",
                     str(a["x"]), str(a["y"]), "sleep", "0.08", "mousedown", "1", "sleep", "0.08",
                     "mousemove", "--window", "%1", str(b["x"]), str(b["y"]), "sleep", "0.08",
                     "mouseup", "1")

    def step(self):
        try:
            with open(self.run_.probe_path) as f:
                board = json.load(f).get("board")
        except (OSError, ValueError):
            return
        if not board:
            return
        if board["monsters"]:
            m = board["monsters"][0]
            self.press(m["x"] + m["w"] // 2, m["y"] + m["h"] // 2)
            self.done["monster hits"] += 1
            return
        if not board_player.is_ready(board):
            return
        ready = [s for s in board["spells"] if s["ready"]]
        if ready:
            self.press(ready[0]["x"], ready[0]["y"])
            self.done["spells"] += 1
            return
        swap = board_player.best_swap(board, spare_backfill=True)
        if swap:
            cells = board_player.cells_by_place(board)
            self.drag(cells[swap[0]], cells[swap[1]])
            self.done["swaps"] += 1

    def run(self):
        while not self.stop.wait(PLAY_STEP_S):
            self.step()


def measure_window(run, xvfb_pid, seconds):
    """Shares and rate over `seconds` from now; None when the game ended."""
    pid = run.proc.pid
    start = time.monotonic()
    main0, proc0, x0 = thread_cpu_s(pid, pid), process_cpu_s(pid), process_cpu_s(xvfb_pid)
    _, frames0 = run.frames()
    time.sleep(seconds)
    if run.proc.poll() is not None:
        return None
    main1, proc1, x1 = thread_cpu_s(pid, pid), process_cpu_s(pid), process_cpu_s(xvfb_pid)
    _, frames1 = run.frames()
    elapsed = time.monotonic() - start
    return {
        "main": 100.0 * (main1 - main0) / elapsed,
        "process": 100.0 * (proc1 - proc0) / elapsed,
        "xserver": 100.0 * (x1 - x0) / elapsed,
        "fps": (frames1 - frames0) / elapsed,
        "rss": peak_rss_mib(pid),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="build folder (default: build)")
    parser.add_argument("--seconds", type=float, default=10.0, help="measuring window")
    parser.add_argument("--starts", type=int, default=5, help="starts timed to the first frame")
    parser.add_argument("--scene", type=int, help="passed as QUORVEL_START_SCENE")
    parser.add_argument("--play", action="store_true", help="play the board while measuring")
    parser.add_argument("--screen", default="1024x768x24", help="Xvfb screen")
    parser.add_argument("game_words", nargs="*", help="words for the game's command line")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    for needed in ("quorvel", os.path.join("bench", "swap_probe.so")):
        if not os.path.exists(os.path.join(args.build, needed)):
            sys.exit("missing %s in %s: build first" % (needed, args.build))

    xvfb = VirtualDisplay(args.screen)
    try:
        firsts = []
        for _ in range(args.starts):
            run = GameRun(args, xvfb.display)
            firsts.append(run.wait_first_frame())
            run.close()
        run = GameRun(args, xvfb.display)
        run.wait_first_frame()
        window = None
        player = None
        if run.wait_frames(SETTLE_FRAMES):
            if args.play:
                time.sleep(PLAY_SETTLE_S)  # the board comes in and fills
                player = BoardPlayer(run)
                player.start()
            window = measure_window(run, xvfb.proc.pid, args.seconds)
        if player:
            player.stop.set()
            player.join()
        messages = run.messages()
        run.close()
    finally:
        xvfb.close()

    what = "scene %d" % args.scene if args.scene is not None else "splash screens"
    print("game benchmark: %s, Xvfb %s, %d logical CPUs" % (what, args.screen, os.cpu_count()))
    print("start to first presented frame: median %.1f ms (min %.1f, max %.1f; %d starts)" % (
        statistics.median(firsts), min(firsts), max(firsts), len(firsts)))
    if window is None:
        print("the game ended or presented no frames before the %.0f s window was over; "
              "it said:\n%s" % (args.seconds, messages))
        return 1
    print("over %.0f s from the %dth frame on:" % (args.seconds, SETTLE_FRAMES))
    print("  main thread      %6.1f %% of a core" % window["main"])
    print("  whole process    %6.1f %% of a core" % window["process"])
    print("  X server         %6.1f %% of a core" % window["xserver"])
    print("  frames/second    %6.1f" % window["fps"])
    print("  peak RSS         %6.1f MiB" % window["rss"])
    if player:
        print("  played           " + ", ".join("%d %s" % (n, what) for what, n in player.done.items()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
