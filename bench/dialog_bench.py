#!/usr/bin/python3
"""Frames around the dialogs' openings, this build against a baseline
commit's, measured in one run.

Builds the baseline commit in a scratch folder as compare_bench.py does
(the same folder, kept for the next run), with build/bench/dialog_open_bench
added to its tree, then runs both programs' dialog_open_bench alternately
(A B, then B A), round after round, each a fresh process with a fresh user
folder under an Xvfb of its own (1024x768x24, Mesa's software OpenGL), on
the three screens that open the eleven dialogs: the title menu (options,
new player, players, quit, trophies), world 1's board (pause, board recap,
achievement notice, tutorial, time's up) and its hidden-object screen
(hidden recap). Each run opens every dialog of its screen several times.

Prints per dialog, for both programs, the longest of the twelve frames
from its opening on (the opening frame and those that take in its
pictures; the median over all openings, and the worst), beside
the median frame of its screen without a dialog (the median over the
runs), and the ratio longest / median; the goal (never enforced) is at
most 2x.

  /usr/bin/python3 bench/dialog_bench.py --baseline f01e20d [--build build]
      [--rounds 3] [--openings 3] [--screens title,board,hidden]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

BENCH_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, BENCH_DIR)
import compare_bench  # noqa: E402
from virtual_display import VirtualDisplay  # noqa: E402

PROGRAM = "dialog_open_bench"
GOAL = 2.0


def add_bench_to_baseline(baseline_build, jobs):
    """Copies this tree's dialog_open_bench.cpp into the baseline's tree and
    builds it there (its bench/ folder builds every .cpp it holds)."""
    scratch = os.path.dirname(baseline_build)
    shutil.copy(os.path.join(BENCH_DIR, PROGRAM + ".cpp"), os.path.join(scratch, "bench"))
    log_path = os.path.join(scratch, "build-dialog-bench.log")
    with open(log_path, "wb") as log:
        for command in (["cmake", baseline_build],
                        ["cmake", "--build", baseline_build, "-j%d" % jobs, "--target", PROGRAM]):
            if subprocess.run(command, stdout=log, stderr=subprocess.STDOUT).returncode != 0:
                sys.exit("baseline bench build failed: %s (see %s)" % (" ".join(command), log_path))


def run_once(build, screen, openings, xvfb_screen):
    """The openings' longest frames {(number, name): [ms]} and the median
    frame of one run of the program."""
    xvfb = VirtualDisplay(xvfb_screen)
    try:
        env = dict(os.environ, DISPLAY=xvfb.display, ALSOFT_DRIVERS="null",
                   QUORVEL_MESSAGES="stderr")
        env.pop("CI", None)
        out = subprocess.run([os.path.join(build, "bench", PROGRAM), screen, str(openings)],
                             cwd=build, env=env, capture_output=True, text=True, timeout=600)
    finally:
        xvfb.close()
    longest, median = {}, None
    for line in out.stdout.splitlines():
        words = line.split()
        if words[:1] == ["open"]:
            # open <screen> <number> <name...> <ms> <frame> (round <n>)
            key = (int(words[2]), " ".join(words[3:-4]))
            longest.setdefault(key, []).append(float(words[-4]))
        elif words[:1] == ["median"]:
            median = float(words[2])
    if median is None:
        sys.exit("%s on %s gave no figures:\n%s%s" % (build, screen, out.stdout, out.stderr[-2000:]))
    return longest, median


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--baseline", required=True, help="commit to compare against")
    parser.add_argument("--build", default="build", help="current build folder (default: build)")
    parser.add_argument("--scratch", help="folder for the baseline's tree and build")
    parser.add_argument("--rounds", type=int, default=3, help="runs of each program per screen")
    parser.add_argument("--openings", type=int, default=3, help="openings of each dialog per run")
    parser.add_argument("--screens", default="title,board,hidden")
    parser.add_argument("--jobs", type=int, default=8)
    parser.add_argument("--screen", default="1024x768x24", help="Xvfb screen")
    args = parser.parse_args()
    args.build = os.path.abspath(args.build)
    if not os.path.exists(os.path.join(args.build, "bench", PROGRAM)):
        sys.exit("missing %s/bench/%s: build first" % (args.build, PROGRAM))
    sha, baseline_build = compare_bench.build_baseline(args.baseline, args.build, args.scratch,
                                                       args.jobs)
    add_bench_to_baseline(baseline_build, args.jobs)
    builds = {"current": args.build, "baseline": baseline_build}
    screens = args.screens.split(",")
    load_before = os.getloadavg()
    started = time.monotonic()
    longest = {s: {"current": {}, "baseline": {}} for s in screens}
    medians = {s: {"current": [], "baseline": []} for s in screens}
    for n in range(args.rounds):
        order = ("current", "baseline") if n % 2 == 0 else ("baseline", "current")
        for screen in screens:
            for side in order:
                frames, median = run_once(builds[side], screen, args.openings, args.screen)
                medians[screen][side].append(median)
                for key, values in frames.items():
                    longest[screen][side].setdefault(key, []).extend(values)
        print("round %d of %d done (%.0f s, load average %.1f)"
              % (n + 1, args.rounds, time.monotonic() - started, os.getloadavg()[0]), flush=True)
    load_after = os.getloadavg()

    print()
    print("dialog openings: current %s against baseline %s (%s), Xvfb %s, %d logical CPUs"
          % (args.build, args.baseline, sha[:12], args.screen, os.cpu_count()))
    print("%d rounds x %d openings of each dialog, alternating; load average (1, 5, 15 min) "
          "%s before, %s after" % (args.rounds, args.openings,
                                   "/".join("%.1f" % x for x in load_before),
                                   "/".join("%.1f" % x for x in load_after)))
    print("frame = the frame's work, pump to swap, ms; longest = the longest of the 12 frames "
          "from the opening on (median over the openings / worst); goal <= %.0fx the "
          "screen's median frame" % GOAL)
    print("  %-8s %-16s %-30s %-30s" % ("screen", "dialog", "current", "baseline"))
    for screen in screens:
        med = {side: statistics.median(medians[screen][side]) for side in builds}
        print("  %-8s %-16s %-30s %-30s" % (screen, "median frame", "%.2f" % med["current"],
                                             "%.2f" % med["baseline"]))
        keys = sorted(set(longest[screen]["current"]) | set(longest[screen]["baseline"]))
        for key in keys:
            cells = []
            for side in ("current", "baseline"):
                values = longest[screen][side].get(key, [])
                if not values:
                    cells.append("-")
                    continue
                typical, worst = statistics.median(values), max(values)
                cells.append("%.1f / %.1f (%.1fx / %.1fx)" % (typical, worst, typical / med[side],
                                                              worst / med[side]))
            print("  %-8s %-16s %-30s %-30s" % ("", "%d %s" % key, cells[0], cells[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
