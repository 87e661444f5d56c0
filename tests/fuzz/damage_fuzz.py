#!/usr/bin/python3
"""Runs the whole game on damaged copies of its data pack, screen by screen.

Each run copies <build>/data/data.pk with one member damaged (bytes changed,
cut, zeroed, removed or doubled, emptied; the member removed or renamed; an
XML attribute or number damaged; an image header made to declare another
size, a PNG's checksum mended so only the size is wrong), starts
<build>/quorvel in a fresh folder with a fresh user folder under an Xvfb of
its own at one of the 17 screens (QUORVEL_START_SCENE), message boxes on
stderr and the silent sound driver, drives its window a little (clicks and
keys through xdotool), sends SIGTERM and classifies the run, the worst class
first:

  report   AddressSanitizer or UndefinedBehaviorSanitizer wrote a report
  crash    ended by a signal, or an unexpected exit status
  alive    still running 1 s after SIGTERM (--end-limit)
  stall    no frame drawn for more than 2 s once the window drew (--stall-limit; frame
           statistics are on, so every frame redraws their corner; a
           corner of one colour, as on the white splash page, hides them
           and is not judged)
  alert    ended in order with at least one "Alert" message
  clean    ended in order without one

    python3 tests/fuzz/damage_fuzz.py --build build-asan --runs 340 --seed 1

Exit status 1 when any run is report, crash, alive or stall. The two limits
are wall time: on a loaded machine (the suite's slice runs beside the other
tests) give them room, as the CTest slice does.
"""
import argparse
import concurrent.futures
import os
import random
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zipfile
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from virtual_display import VirtualDisplay  # noqa: E402

SCREENS = range(1, 18)
# Members cut to these sizes made Irrlicht's image probe read outside them.
SHORT_SIZES = (0, 1, 2, 7, 17, 18, 25)
# Numbers put into XML files and image headers.
BIG_NUMBERS = ("2147483647", "4294967296", "-2147483648", "99999999999999999999", "1e30",
               "-1e30", "nan", "inf", "-1", "0", "65536")
HEADER_SIZES = ((65536, 65536), (20000, 20000), (4097, 4097), (4096, 4096), (65535, 1),
                (0, 0), (1, 1), (0x7FFFFFFF, 2))
IMAGE_EXTENSIONS = (".png", ".jpg", ".jpeg", ".bmp", ".tga")
KEYS = ("Escape", "Return", "space", "Left", "Right", "Up", "Down", "a", "p", "F1")
WINDOW_LIMIT_S = 60      # from the start to the window (a slow sanitizer start)
FIRST_FRAME_LIMIT_S = 60  # from the window to its first drawn frame
DRIVE_S = 4.0
STALL_S = 2.0
END_LIMIT_S = 1.0
KILL_LIMIT_S = 10.0
CLASSES = ("report", "crash", "alive", "stall", "alert", "clean")
FAILING = ("report", "crash", "alive", "stall")


def is_image(name):
    return name.lower().endswith(IMAGE_EXTENSIONS)


def damage_bytes(rng, data, name):
    size = len(data)
    kind = rng.choice(["cut", "flip", "zero", "remove", "double", "empty"] +
                      (["short"] if is_image(name) else []) +
                      (["cut-in-tag"] if name.endswith(".xml") else []))
    if size == 0 or kind == "empty":
        return b"", "emptied"
    if kind == "short":
        cut = rng.choice(SHORT_SIZES)
        return data[:cut], "cut to %d bytes" % cut
    if kind == "cut-in-tag":
        places = [i + 2 for i in range(size - 2) if data[i:i + 1] == b"<"]
        if places:
            cut = min(rng.choice(places) + rng.randint(0, 3), size - 1)
            return data[:cut], "cut to %d of %d bytes, inside a tag" % (cut, size)
        kind = "cut"
    if kind == "cut":
        cut = rng.randrange(size)
        return data[:cut], "cut to %d of %d bytes" % (cut, size)
    at = rng.randrange(size)
    length = min(size - at, rng.randint(1, 16))
    if kind == "flip":
        out = bytearray(data)
        for _ in range(rng.randint(1, 8)):
            out[rng.randrange(size)] = rng.randrange(256)
        return bytes(out), "bytes changed"
    if kind == "zero":
        return data[:at] + b"\0" * length + data[at + length:], "%d bytes zeroed at %d" % (length, at)
    if kind == "remove":
        return data[:at] + data[at + length:], "%d bytes removed at %d" % (length, at)
    return data[:at + length] + data[at:], "%d bytes doubled at %d" % (length, at)


def damage_attribute(rng, data):
    """An attribute's value replaced, emptied, or its name changed."""
    found = list(re.finditer(rb'(\w+)\s*=\s*"([^"]*)"', data))
    if not found:
        return None
    m = rng.choice(found)
    choice = rng.randrange(3)
    if choice == 0:
        value = rng.choice(BIG_NUMBERS + ("", "x", "-0.5e", "12abc")).encode()
        return (data[:m.start(2)] + value + data[m.end(2):],
                'attribute %s = "%s"' % (m.group(1).decode(), value.decode()))
    if choice == 1:
        return (data[:m.start(1)] + b"zz" + m.group(1) + data[m.end(1):],
                "attribute %s renamed" % m.group(1).decode())
    return data[:m.start()] + data[m.end():], "attribute %s removed" % m.group(1).decode()


def damage_number(rng, data):
    """One number of the file (an attribute's or an element's text)."""
    found = list(re.finditer(rb'(?<=["> ])-?\d+(\.\d+)?(?=["< ])', data))
    if not found:
        return None
    m = rng.choice(found)
    value = rng.choice(BIG_NUMBERS).encode()
    return data[:m.start()] + value + data[m.end():], "number %s -> %s" % (
        m.group().decode(), value.decode())


def damage_header(rng, data, name):
    """The image's header declares another size; the rest stays."""
    width, height = rng.choice(HEADER_SIZES)
    out = bytearray(data)
    lower = name.lower()
    if lower.endswith(".png") and len(out) >= 33 and out[12:16] == b"IHDR":
        out[16:24] = struct.pack(">II", width, height)
        out[29:33] = struct.pack(">I", zlib.crc32(bytes(out[12:29])) & 0xFFFFFFFF)
    elif lower.endswith((".jpg", ".jpeg")):
        at = 2
        while at + 9 < len(out) and out[at] == 0xFF:
            marker = out[at + 1]
            if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
                out[at + 5:at + 9] = struct.pack(">HH", min(height, 0xFFFF), min(width, 0xFFFF))
                break
            at += 2 + (out[at + 2] << 8 | out[at + 3])
        else:
            return None
    elif lower.endswith(".bmp") and len(out) >= 26:
        out[18:26] = struct.pack("<II", width & 0xFFFFFFFF, height & 0xFFFFFFFF)
    elif lower.endswith(".tga") and len(out) >= 18:
        out[12:16] = struct.pack("<HH", min(width, 0xFFFF), min(height, 0xFFFF))
    else:
        return None
    return bytes(out), "header says %d x %d" % (width, height)


def choose_damage(rng, members, read):
    """(member, new name or None for removed, bytes, description)."""
    images = [m for m in members if is_image(m)]
    xmls = [m for m in members if m.endswith(".xml")]
    kind = rng.choice(["bytes", "bytes", "remove", "rename", "attribute", "number", "number",
                       "header", "header"])
    pool = {"attribute": xmls, "number": xmls, "header": images}.get(kind) or members
    member = rng.choice(pool)
    data = read(member)
    if kind == "remove":
        return member, None, b"", "removed"
    if kind == "rename":
        new = rng.choice([member.upper(), member + ".old", member.replace("/", "/_", 1)])
        return member, new, data, "renamed to " + new
    damaged = None
    if kind == "attribute":
        damaged = damage_attribute(rng, data)
    elif kind == "number":
        damaged = damage_number(rng, data)
    elif kind == "header":
        damaged = damage_header(rng, data, member)
    if damaged is None:
        damaged = damage_bytes(rng, data, member)
    return member, member, damaged[0], damaged[1]


def write_pack(source, target, member, new_name, replacement):
    with zipfile.ZipFile(source) as old, zipfile.ZipFile(target, "w") as new:
        for info in old.infolist():
            if info.filename != member:
                new.writestr(info, old.read(info.filename), compress_type=info.compress_type)
            elif new_name is not None:
                info.filename = new_name
                new.writestr(info, replacement, compress_type=info.compress_type)


class Window:
    """The game's window on its own display, driven and watched by xdotool
    and ImageMagick."""

    def __init__(self, env):
        self.env = env
        self.id = None

    def xdotool(self, *args):
        try:
            return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                  text=True, timeout=5).stdout.strip()
        except subprocess.TimeoutExpired:
            return ""

    def find(self):
        ids = self.xdotool("search", "--name", "^Quorvel$").split()
        self.id = ids[0] if ids else None
        return self.id

    def statistics_corner(self):
        """The frame statistics' corner as raw pixels, or None."""
        try:
            out = subprocess.run(["import", "-display", self.env["DISPLAY"], "-window", self.id,
                                  "-crop", "320x60+0+0", "rgb:-"], env=self.env,
                                 capture_output=True, timeout=5)
        except subprocess.TimeoutExpired:
            return None
        return out.stdout if out.returncode == 0 and out.stdout else None

    def act(self, rng):
        if rng.random() < 0.6:
            x, y = rng.randrange(800), rng.randrange(600)
            self.xdotool("mousemove", "--window", self.id, str(x), str(y), "click",
                         rng.choice(("1", "1", "1", "3")))
        else:
            self.xdotool("mousemove", "--window", self.id, "400", "300")
            self.xdotool("key", rng.choice(KEYS))


def watch_and_drive(proc, window, rng, seconds):
    """Drives the window for seconds while watching its frames; returns
    (first frame after s or None, longest gap between frames in s)."""
    started = time.monotonic()
    last_picture, last_change, first_frame, longest = None, None, None, 0.0
    next_action = started
    while time.monotonic() - started < seconds and proc.poll() is None:
        now = time.monotonic()
        picture = window.statistics_corner()
        now = time.monotonic()
        if picture is not None and last_change is not None and len(set(picture)) == 1:
            # A corner of one colour (the white splash page) hides the white
            # statistics: frames there are not judged.
            last_change = now
        elif picture is not None and picture != last_picture and any(picture):
            if last_change is not None:
                longest = max(longest, now - last_change)
            else:
                first_frame = now - started
                # Driving starts with the first frame.
                seconds = now - started + DRIVE_S
            last_picture, last_change = picture, now
        if last_change is None and now - started > FIRST_FRAME_LIMIT_S:
            break
        if last_change is not None and now >= next_action:
            window.act(rng)
            next_action = now + rng.uniform(0.2, 0.6)
        time.sleep(0.1)
    if last_change is not None and proc.poll() is None:
        longest = max(longest, time.monotonic() - last_change)
    return first_frame, longest


def run_one(args, index, run_seed, members):
    rng = random.Random(run_seed)
    screen = args.screens[index % len(args.screens)]
    pack = os.path.join(args.build, "data", "data.pk")
    with zipfile.ZipFile(pack) as z:
        member, new_name, damaged, what = choose_damage(rng, members, z.read)
        if args.undamaged:
            member, new_name, damaged, what = "-", "-", b"", "undamaged"
    folder = tempfile.mkdtemp(prefix="qv-fuzz-%04d-" % index, dir=args.work)
    os.makedirs(os.path.join(folder, "data"))
    write_pack(pack, os.path.join(folder, "data", "data.pk"), member, new_name, damaged)
    os.symlink(os.path.abspath(os.path.join(args.build, "data", "sounds")),
               os.path.join(folder, "data", "sounds"))
    reports = os.path.join(folder, "reports")
    os.makedirs(reports)
    display = VirtualDisplay()
    env = dict(os.environ)
    env.pop("CI", None)
    env.update({
        "DISPLAY": display.display,
        "XDG_DATA_HOME": os.path.join(folder, "user"),
        "QUORVEL_MESSAGES": "stderr",
        "QUORVEL_START_SCENE": str(screen),
        "QUORVEL_FRAME_STATISTICS": "1",
        "QUORVEL_SEED": str(run_seed & 0x7FFFFFFF),
        "ALSOFT_DRIVERS": "null",
        # Mesa's drivers leave leaks no suppression names: no leak checking.
        "ASAN_OPTIONS": "halt_on_error=1:detect_leaks=0:log_path=%s/asan" % reports,
        "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1:log_path=%s/ubsan" % reports,
    })
    log_path = os.path.join(folder, "stderr.txt")
    result = {"index": index, "screen": screen, "member": member, "what": what,
              "folder": folder}
    try:
        with open(log_path, "wb") as log:
            started = time.monotonic()
            proc = subprocess.Popen([os.path.abspath(os.path.join(args.build, "quorvel"))],
                                    cwd=folder, env=env, stdout=log, stderr=subprocess.STDOUT)
            window = Window(env)
            while proc.poll() is None and not window.find() and \
                    time.monotonic() - started < WINDOW_LIMIT_S:
                time.sleep(0.2)
            first_frame, longest = None, 0.0
            if window.id and proc.poll() is None:
                first_frame, longest = watch_and_drive(proc, window, rng, FIRST_FRAME_LIMIT_S)
            ended_by_itself = proc.poll() is not None
            end_s = None
            if not ended_by_itself:
                proc.send_signal(signal.SIGTERM)
                term_at = time.monotonic()
                try:
                    proc.wait(KILL_LIMIT_S)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
                end_s = time.monotonic() - term_at
    finally:
        display.close()
    output = open(log_path, "rb").read().decode("utf-8", "replace")
    alerts = [line for line in output.splitlines() if line.startswith(("[Alert]", "[Error]"))]
    report_files = sorted(os.listdir(reports))
    code = proc.returncode
    if report_files:
        kind = "report"
    elif code < 0 or code not in (0, 1) or (code == 1 and not alerts):
        # 1 with an alert: a screen that cannot load ends the game after it.
        kind = "crash"
    elif end_s is not None and end_s > args.end_limit:
        kind = "alive"
    elif first_frame is None and not ended_by_itself or longest > args.stall_limit:
        kind = "stall"
    elif alerts:
        kind = "alert"
    else:
        kind = "clean"
    result.update({
        "kind": kind, "code": code, "alerts": alerts, "reports": report_files,
        "report_text": "".join(open(os.path.join(reports, f), errors="replace").read()
                               for f in report_files),
        "first_frame": first_frame, "longest": longest, "end_s": end_s,
        "seconds": time.monotonic() - started,
    })
    if not args.keep and kind not in FAILING:
        shutil.rmtree(folder, ignore_errors=True)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build-asan", help="build folder (sanitizer build)")
    parser.add_argument("--runs", type=int, default=len(SCREENS))
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=max(1, (os.cpu_count() or 2) // 2))
    parser.add_argument("--screens", default="", help="comma-separated screens (default 1 to 17)")
    parser.add_argument("--members", default="", help="only members whose name holds this")
    parser.add_argument("--work", default=None, help="folder for the runs (default: temporary)")
    parser.add_argument("--keep", action="store_true", help="keep every run's folder")
    parser.add_argument("--end-limit", type=float, default=END_LIMIT_S,
                        help="seconds from SIGTERM to the end before a run counts alive")
    parser.add_argument("--stall-limit", type=float, default=STALL_S,
                        help="seconds without a frame before a run counts stalled")
    parser.add_argument("--undamaged", action="store_true",
                        help="the pack as it is (a baseline for the figures)")
    args = parser.parse_args()
    args.screens = [int(s) for s in args.screens.split(",") if s] or list(SCREENS)
    args.work = args.work or tempfile.mkdtemp(prefix="qv-fuzz-")
    os.makedirs(args.work, exist_ok=True)
    with zipfile.ZipFile(os.path.join(args.build, "data", "data.pk")) as z:
        members = sorted(i.filename for i in z.infolist()
                         if not i.is_dir() and args.members in i.filename)
    if not members:
        sys.exit("no pack members to damage")
    seeds = random.Random(args.seed)
    jobs = [(i, seeds.getrandbits(63)) for i in range(args.runs)]
    results = []
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        futures = [pool.submit(run_one, args, i, s, members) for i, s in jobs]
        for future in concurrent.futures.as_completed(futures):
            r = future.result()
            results.append(r)
            print("%4d %-6s screen %2d exit=%-4s first frame %-5s gap %4.1fs end %-5s %-30s %s" % (
                r["index"], r["kind"], r["screen"], r["code"],
                "-" if r["first_frame"] is None else "%.1fs" % r["first_frame"], r["longest"],
                "-" if r["end_s"] is None else "%.2fs" % r["end_s"], r["member"], r["what"]),
                flush=True)
            for alert in r["alerts"][:2]:
                print("       " + alert[:150])
            if r["kind"] in FAILING:
                print("       kept in " + r["folder"])
                print("\n".join("       | " + l for l in r["report_text"].splitlines()[:30]))
    counts = {k: sum(r["kind"] == k for r in results) for k in CLASSES}
    slowest = max((r["end_s"] or 0.0 for r in results), default=0.0)
    print("\nruns %d (seed %d, screens %s): %s; slowest end after SIGTERM %.2f s" % (
        len(results), args.seed, ",".join(map(str, args.screens)),
        ", ".join("%s %d" % (k, counts[k]) for k in CLASSES), slowest))
    failed = sum(counts[k] for k in FAILING)
    if not args.keep and not failed:
        shutil.rmtree(args.work, ignore_errors=True)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
