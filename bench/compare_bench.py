#!/usr/bin/python3
"""The current build against a baseline commit, measured in one run.

Builds the baseline commit in a scratch folder (its tree from `git archive`,
configured like the current build: same build type and compilers, ccache
where it is installed),
then measures the two programs alternately, round after round, each start a
fresh process with a fresh user folder under an Xvfb of its own (Mesa's
software OpenGL), on these screens:

  rest    world 1's board screen (level 0, layout 0) at rest, tips off;
  play    the same board played through the window (game_bench's --play),
          which also times the start to the first board frame;
  splash  the splash screens, as the program starts for a player;
  title   the title menu.

For every figure it prints the median over the rounds of both programs,
their ratio (current / baseline) and the target beside it; targets are
never enforced. The figures are game_bench.py's: whole-process, main-thread
and X-server share of a core and frames per second over a window that opens
once the screen has settled, peak RSS (VmHWM) at its end, and the start to
the first presented frame; "--memory" adds where the board's resident memory
lies (by mapping, from /proc/<pid>/smaps at the end of the window).

  /usr/bin/python3 bench/compare_bench.py --baseline f01e20d [--build build]
      [--rounds 5] [--seconds 10] [--screens rest,play,splash,title] [--memory]
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import time

BENCH_DIR = os.path.dirname(os.path.abspath(__file__))
SOURCE_DIR = os.path.dirname(BENCH_DIR)
sys.path.insert(0, BENCH_DIR)
import game_bench  # noqa: E402  (puts tests/e2e on the path)
try:
    import harness  # noqa: E402  (its save maker; needs PIL)
except ImportError as missing:
    sys.exit("%s: run this with /usr/bin/python3 (python3-pil)" % missing)
from virtual_display import VirtualDisplay  # noqa: E402

BOARD_WORDS = ["-world", "1", "-level", "0", "-layout", "0"]
# The board screen's doorway, as board_frame_bench and the README's board
# figures use it; the world comes from the command line.
BOARD_SCENE = 4
TITLE_SCENE = 2
# The board screen comes in and fills before it is at rest.
BOARD_SETTLE_S = 3.0
BOARD_LIMIT_S = 30.0
# Same seed for both programs: the same board to play.
SEED = "1234"


class Screen:
    def __init__(self, key, title, scene, words, play=False, settle_s=0.0, board_start=False,
                 targets=None):
        self.key, self.title, self.scene, self.words = key, title, scene, words
        self.play, self.settle_s, self.board_start = play, settle_s, board_start
        self.targets = targets or {}


NOT_WORSE = {name: "not worse" for name in
             ("process", "main", "xserver", "fps", "rss", "first_frame")}
SCREENS = [
    Screen("rest", "board at rest (world 1, level 0, layout 0, tips off)", BOARD_SCENE,
           BOARD_WORDS, settle_s=BOARD_SETTLE_S,
           targets={"process": "<= 0.5x", "main": "<= 0.75x", "rss": "<= 0.7x",
                    "fps": "unchanged"}),
    Screen("play", "board played (--play, same board)", BOARD_SCENE, BOARD_WORDS, play=True,
           settle_s=game_bench.PLAY_SETTLE_S, board_start=True,
           targets={"fps": "unchanged", "rss": "<= 0.7x"}),
    Screen("splash", "splash screens", None, [], targets=NOT_WORSE),
    Screen("title", "title menu", TITLE_SCENE, [], targets=NOT_WORSE),
]

FIGURES = [  # key, label, format
    ("process", "whole process, % of a core", "%.1f"),
    ("main", "main thread, % of a core", "%.1f"),
    ("xserver", "X server, % of a core", "%.1f"),
    ("fps", "frames per second", "%.1f"),
    ("rss", "peak RSS, MiB", "%.1f"),
    ("first_frame", "start to first frame, ms", "%.0f"),
    ("first_board", "start to first board frame, ms", "%.0f"),
]


# ---- the baseline build -------------------------------------------------

def cache_value(build, name):
    """A variable of a CMake build folder's cache, or ""."""
    with open(os.path.join(build, "CMakeCache.txt")) as f:
        for line in f:
            if line.startswith(name + ":"):
                return line.split("=", 1)[1].strip()
    return ""


def build_baseline(commit, current_build, scratch, jobs):
    """Builds the program of `commit` (with its data) in `scratch`; its
    build folder. The tree goes to scratch and the build to scratch/build,
    the layout of a worktree, so that ccache (base_dir) finds the objects
    the worktrees compiled before."""
    sha = subprocess.run(["git", "-C", SOURCE_DIR, "rev-parse", "--verify", commit + "^{commit}"],
                         capture_output=True, text=True)
    if sha.returncode != 0:
        sys.exit("no commit %s in %s: %s" % (commit, SOURCE_DIR, sha.stderr.strip()))
    sha = sha.stdout.strip()
    scratch = os.path.abspath(scratch or os.path.join(SOURCE_DIR, "build-baseline-" + sha[:12]))
    if not os.path.exists(os.path.join(scratch, "CMakeLists.txt")):
        unpacking = scratch + ".part"
        subprocess.run(["rm", "-rf", unpacking], check=True)
        os.makedirs(unpacking)
        archive = subprocess.Popen(["git", "-C", SOURCE_DIR, "archive", sha], stdout=subprocess.PIPE)
        subprocess.run(["tar", "-x", "-C", unpacking], stdin=archive.stdout, check=True)
        if archive.wait() != 0:
            sys.exit("git archive %s failed" % sha)
        os.rename(unpacking, scratch)
    build = os.path.join(scratch, "build")
    configure = ["cmake", "-S", scratch, "-B", build,
                 "-DCMAKE_BUILD_TYPE=" + cache_value(current_build, "CMAKE_BUILD_TYPE")]
    if shutil.which("ccache"):
        configure += ["-DCMAKE_C_COMPILER_LAUNCHER=ccache", "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
    for compiler in ("CMAKE_C_COMPILER", "CMAKE_CXX_COMPILER"):
        if cache_value(current_build, compiler):
            configure.append("-D%s=%s" % (compiler, cache_value(current_build, compiler)))
    log_path = os.path.join(scratch, "build.log")
    print("building baseline %s in %s (log: %s)" % (sha[:12], build, log_path), flush=True)
    with open(log_path, "wb") as log:
        for command in (configure, ["cmake", "--build", build, "-j%d" % jobs, "--target", "quorvel"]):
            if subprocess.run(command, stdout=log, stderr=subprocess.STDOUT).returncode != 0:
                sys.exit("baseline build failed: %s (see %s)" % (" ".join(command), log_path))
    return sha, build


# ---- one measured start -------------------------------------------------

def wait_first_board(run, limit):
    """Milliseconds from spawning to the first frame on which the game's
    probe saw a board (the snapshot is written during that frame, just
    before its buffer swap; its file time tells when); None if none came."""
    realtime_offset = time.time_ns() - time.monotonic_ns()
    end = time.monotonic() + limit
    seen = None
    while time.monotonic() < end:
        try:
            # The file is replaced by renaming, so one open file is one snapshot.
            with open(run.probe_path) as f:
                written = os.fstat(f.fileno()).st_mtime_ns
                if written != seen:
                    seen = written
                    if json.load(f).get("board"):
                        return (written - realtime_offset - run.spawned_ns) / 1e6
        except (OSError, ValueError):
            pass
        if run.proc.poll() is not None:
            return None
        time.sleep(0.002)
    return None


def memory_by_mapping(pid, program):
    """Resident MiB of a process grouped by what is mapped, from smaps."""
    groups = {}
    name = None
    with open("/proc/%d/smaps" % pid) as f:
        for line in f:
            words = line.split()
            if not words:
                continue
            if "-" in words[0] and not words[0].endswith(":"):
                path = words[5] if len(words) > 5 else ""
                if "libLLVM" in path:
                    name = "LLVM library"
                elif "dri" in path.split("/")[-2:-1] or "gallium" in path or "swrast" in path:
                    name = "Mesa driver"
                elif path == program:
                    name = "program"
                elif path == "[heap]":
                    name = "heap"
                elif path == "" or path.startswith("[anon"):
                    name = "anonymous"
                elif path == "[stack]":
                    name = "stack"
                elif path.startswith("/SYSV") or path.startswith("/dev/shm"):
                    name = "shared memory"
                elif ".so" in path:
                    name = "other libraries"
                else:
                    name = "other"
            elif words[0] == "Rss:" and name:
                groups[name] = groups.get(name, 0.0) + int(words[1]) / 1024.0
    groups["total resident"] = sum(groups.values())
    return groups


def measure(build, screen, args):
    """Figures of one start of `build` on `screen`."""
    xvfb = VirtualDisplay(args.screen)
    player = None
    try:
        words = argparse.Namespace(build=build, scene=screen.scene, play=screen.play,
                                   game_words=screen.words)
        run = game_bench.GameRun(words, xvfb.display, save=harness.make_save(show_hints=0),
                                 probe=screen.play or screen.board_start,
                                 swap_probe=args.swap_probe, extra_env={"QUORVEL_SEED": SEED})
        try:
            figures = {"first_frame": run.wait_first_frame()}
            if screen.board_start:
                figures["first_board"] = wait_first_board(run, BOARD_LIMIT_S)
            if not run.wait_frames(game_bench.SETTLE_FRAMES):
                sys.exit("%s ended or stopped presenting frames; it said:\n%s"
                         % (build, run.messages()))
            time.sleep(screen.settle_s)
            if screen.play:
                player = game_bench.BoardPlayer(run)
                player.start()
            window = game_bench.measure_window(run, xvfb.proc.pid, args.seconds)
            if window is None:
                sys.exit("%s ended during the window; it said:\n%s" % (build, run.messages()))
            figures.update(window)
            if args.memory and screen.key == "rest":
                figures["memory"] = memory_by_mapping(run.proc.pid, os.path.join(build, "quorvel"))
            if player:
                figures["played"] = dict(player.done)
        finally:
            if player:
                player.stop.set()
                player.join()
            run.close()
    finally:
        xvfb.close()
    return figures


# ---- report -------------------------------------------------------------

def spread(values, form):
    """Median with the range over the rounds."""
    if not values:
        return "-"
    text = form % statistics.median(values)
    if len(values) > 1:
        text += " (" + form % min(values) + "-" + form % max(values) + ")"
    return text


def report(screen, results, rounds):
    print()
    print("%s: medians of %d rounds (range)" % (screen.title, rounds))
    print("  %-32s %-24s %-24s %-7s %s" % ("figure", "current", "baseline", "ratio", "target"))
    for key, label, form in FIGURES:
        current = [r[key] for r in results["current"] if r.get(key) is not None]
        baseline = [r[key] for r in results["baseline"] if r.get(key) is not None]
        if not current and not baseline:
            continue
        ratio = "-"
        if current and baseline and statistics.median(baseline) > 0:
            ratio = "%.2fx" % (statistics.median(current) / statistics.median(baseline))
        print("  %-32s %-24s %-24s %-7s %s" % (label, spread(current, form), spread(baseline, form),
                                               ratio, screen.targets.get(key, "")))
    for side in ("current", "baseline"):
        played = [r["played"] for r in results[side] if "played" in r]
        if played:
            print("  played (%s, per round): %s" % (side, "; ".join(
                ", ".join("%d %s" % (n, what) for what, n in p.items()) for p in played)))
    memory = {side: [r["memory"] for r in results[side] if "memory" in r]
              for side in ("current", "baseline")}
    if memory["current"] and memory["baseline"]:
        print("  resident memory at the window's end by mapping, MiB, median:")
        names = sorted(set().union(*memory["current"], *memory["baseline"]),
                       key=lambda n: -statistics.median(m.get(n, 0.0) for m in memory["baseline"]))
        for name in names:
            current = statistics.median(m.get(name, 0.0) for m in memory["current"])
            baseline = statistics.median(m.get(name, 0.0) for m in memory["baseline"])
            ratio = "%.2fx" % (current / baseline) if baseline > 0 else "-"
            print("    %-30s %8.1f %8.1f   %s" % (name, current, baseline, ratio))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--baseline", required=True, help="commit to compare against")
    parser.add_argument("--build", default="build", help="current build folder (default: build)")
    parser.add_argument("--scratch", help="folder for the baseline's tree and build "
                        "(default: build-baseline-<commit> beside bench/)")
    parser.add_argument("--rounds", type=int, default=5, help="starts of each program per screen")
    parser.add_argument("--seconds", type=float, default=10.0, help="measuring window")
    parser.add_argument("--screens", default="rest,play,splash,title",
                        help="comma-separated: rest, play, splash, title")
    parser.add_argument("--memory", action="store_true",
                        help="resident memory by mapping on the board at rest")
    parser.add_argument("--jobs", type=int, default=8, help="parallel jobs of the baseline build")
    parser.add_argument("--screen", default="1024x768x24", help="Xvfb screen")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    # One frame counter for both programs, so they are seen the same way.
    args.swap_probe = os.path.join(args.build, "bench", "swap_probe.so")
    for needed in (os.path.join(args.build, "quorvel"), args.swap_probe):
        if not os.path.exists(needed):
            sys.exit("missing %s: build first" % needed)
    keys = args.screens.split(",")
    screens = [s for s in SCREENS if s.key in keys]
    if len(screens) != len(keys):
        sys.exit("unknown screen in %s" % args.screens)

    sha, baseline_build = build_baseline(args.baseline, args.build, args.scratch, args.jobs)
    builds = {"current": args.build, "baseline": baseline_build}
    load_before = os.getloadavg()
    started = time.monotonic()
    results = {s.key: {"current": [], "baseline": []} for s in screens}
    for n in range(args.rounds):
        # A B, then B A: neither program always goes first.
        order = ("current", "baseline") if n % 2 == 0 else ("baseline", "current")
        for screen in screens:
            for side in order:
                results[screen.key][side].append(measure(builds[side], screen, args))
        print("round %d of %d done (%.0f s, load average %.1f)"
              % (n + 1, args.rounds, time.monotonic() - started, os.getloadavg()[0]), flush=True)
    load_after = os.getloadavg()

    print()
    print("compare benchmark: current %s against baseline %s (%s), Xvfb %s, %d logical CPUs"
          % (args.build, args.baseline, sha[:12], args.screen, os.cpu_count()))
    print("%d rounds, %.0f s windows, alternating; load average (1, 5, 15 min) %s before, %s after"
          % (args.rounds, args.seconds, "/".join("%.1f" % x for x in load_before),
             "/".join("%.1f" % x for x in load_after)))
    print("ratio = current / baseline; targets are shown, not enforced")
    for screen in screens:
        report(screen, results[screen.key], args.rounds)
    return 0


if __name__ == "__main__":
    sys.exit(main())
