#!/usr/bin/python3
"""Runs the sanitizer build of the game on damaged copies of its data pack.

Each run copies <build>/data/data.pk with one member damaged (cut short,
bytes changed, a stretch zeroed, removed or doubled, or emptied), starts
<build>/quorvel in a fresh folder with a fresh user folder, message boxes on
stderr, the silent sound driver and Irrlicht's NULL driver (the image and
font loaders still run; no window, so no X server and no Mesa), and lets it
run its start-up, splash screens and title menu, then ends it in order. It prints one line per
run and a summary: crashes (a signal or an unexpected exit), sanitizer
reports (AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
write them to files), alerts, and damaged XML members the expat parser calls
malformed but the game passed over in silence.

    python3 tests/fuzz/damage_fuzz.py --build build-asan --runs 100 --seed 1

Exit status 1 when any run crashed, hung or wrote a sanitizer report.
"""
import argparse
import concurrent.futures
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
import xml.parsers.expat
import zipfile

# Members cut to these sizes made Irrlicht's image probe read outside them.
SHORT_SIZES = (0, 1, 2, 7, 17, 18, 25)
RUN_LIMIT_S = 60
# Both splash screens run for about 11 s; the title menu then waits for the
# player, and the run is ended there.
SETTLE_S = 20


def damage(rng, data, name):
    """Returns (damaged bytes, description) for one member."""
    size = len(data)
    kinds = ["cut", "cut", "flip", "zero", "remove", "double", "empty"]
    if name.endswith(".png"):
        kinds.append("short")
    if name.endswith(".xml"):
        kinds.append("cut-in-tag")
    kind = rng.choice(kinds)
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
            i = rng.randrange(size)
            out[i] = rng.randrange(256)
        return bytes(out), "bytes changed"
    if kind == "zero":
        return data[:at] + b"\0" * length + data[at + length:], "%d bytes zeroed at %d" % (length, at)
    if kind == "remove":
        return data[:at] + data[at + length:], "%d bytes removed at %d" % (length, at)
    return data[:at + length] + data[at:], "%d bytes doubled at %d" % (length, at)


def is_well_formed_xml(data):
    """As the game reads XML: Latin-1, a leading UTF-8 mark skipped."""
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    parser = xml.parsers.expat.ParserCreate("ISO-8859-1")
    try:
        parser.Parse(data, True)
        return True
    except xml.parsers.expat.ExpatError:
        return False


def write_pack(source, target, member, replacement):
    with zipfile.ZipFile(source) as old, zipfile.ZipFile(target, "w") as new:
        for info in old.infolist():
            data = replacement if info.filename == member else old.read(info.filename)
            new.writestr(info, data, compress_type=info.compress_type)


def run_one(args, index, rng_seed, members):
    rng = random.Random(rng_seed)
    pack = os.path.join(args.build, "data", "data.pk")
    member = rng.choice(members)
    with zipfile.ZipFile(pack) as z:
        original = z.read(member)
    damaged, what = damage(rng, original, member)
    folder = tempfile.mkdtemp(prefix="qv-fuzz-%03d-" % index, dir=args.work)
    os.makedirs(os.path.join(folder, "data"))
    write_pack(pack, os.path.join(folder, "data", "data.pk"), member, damaged)
    os.symlink(os.path.abspath(os.path.join(args.build, "data", "sounds")),
               os.path.join(folder, "data", "sounds"))
    reports = os.path.join(folder, "reports")
    os.makedirs(reports)
    env = dict(os.environ)
    env.pop("DISPLAY", None)
    env.update({
        "XDG_DATA_HOME": os.path.join(folder, "user"),
        "QUORVEL_MESSAGES": "stderr",
        "QUORVEL_NULL_DRIVER": "1",
        "QUORVEL_SEED": str(rng_seed & 0x7FFFFFFF),
        "ALSOFT_DRIVERS": "null",
        "ASAN_OPTIONS": "halt_on_error=1:detect_leaks=1:log_path=%s/asan" % reports,
        "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1:log_path=%s/ubsan" % reports,
    })
    started = time.monotonic()
    proc = subprocess.Popen([os.path.abspath(os.path.join(args.build, "quorvel"))], cwd=folder,
                            env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    hung = False
    try:
        out, _ = proc.communicate(timeout=SETTLE_S)
    except subprocess.TimeoutExpired:
        # Still running on the title menu: ended in order, as a window
        # manager's quit would, which writes the save and the configuration.
        proc.terminate()
        try:
            out, _ = proc.communicate(timeout=RUN_LIMIT_S - SETTLE_S)
        except subprocess.TimeoutExpired:
            proc.kill()
            out, _ = proc.communicate()
            hung = True
    code, output = proc.returncode, (out or b"").decode("utf-8", "replace")
    seconds = time.monotonic() - started
    alerts = [line for line in output.splitlines() if line.startswith("[Alert]")]
    # A screen or dialog not built yet ends a run with its alert.
    expected_end = [a for a in alerts if "not implemented" in a]
    damage_alerts = [a for a in alerts if a not in expected_end]
    report_files = sorted(os.listdir(reports))
    report_text = "".join(open(os.path.join(reports, f), errors="replace").read()
                          for f in report_files)
    result = {
        "index": index, "member": member, "what": what, "code": code, "hung": hung,
        "seconds": seconds, "alerts": damage_alerts, "reports": report_files,
        "report_text": report_text, "folder": folder,
        "malformed_xml": member.endswith(".xml") and not is_well_formed_xml(damaged),
        "crashed": hung or code is None or code < 0 or (code != 0 and not report_files),
    }
    if not args.keep and not result["crashed"] and not report_files:
        shutil.rmtree(folder, ignore_errors=True)
    return result


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build-asan", help="build folder (sanitizer build)")
    parser.add_argument("--runs", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=max(1, (os.cpu_count() or 2) // 2))
    parser.add_argument("--members", default="", help="only members whose name holds this")
    parser.add_argument("--work", default=None, help="folder for the runs (default: temporary)")
    parser.add_argument("--keep", action="store_true", help="keep every run's folder")
    args = parser.parse_args()
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
            state = ("HUNG" if r["hung"] else "CRASH" if r["crashed"] else
                     "REPORT" if r["reports"] else "ok")
            print("%3d %-6s exit=%-4s %5.1fs %-28s %-40s alerts=%d%s" % (
                r["index"], state, r["code"], r["seconds"], r["member"], r["what"],
                len(r["alerts"]), " (malformed XML)" if r["malformed_xml"] else ""), flush=True)
            for alert in r["alerts"][:3]:
                print("      " + alert)
            if r["reports"]:
                print("      kept in " + r["folder"])
                print("\n".join("      | " + l for l in r["report_text"].splitlines()[:30]))
    crashes = sum(r["crashed"] for r in results)
    reported = sum(bool(r["reports"]) for r in results)
    malformed = [r for r in results if r["malformed_xml"]]
    silent = [r for r in malformed if not r["alerts"]]
    print("\nruns %d (seed %d): crashes or hangs %d, runs with sanitizer reports %d, "
          "runs with alerts %d" % (len(results), args.seed, crashes, reported,
                                   sum(bool(r["alerts"]) for r in results)))
    print("malformed XML members %d: alerted %d, silent %d%s" % (
        len(malformed), len(malformed) - len(silent), len(silent),
        "".join("\n  silent: %s (%s)" % (r["member"], r["what"]) for r in silent)))
    if not args.keep:
        shutil.rmtree(args.work, ignore_errors=True) if not (crashes or reported) else None
    return 1 if crashes or reported else 0


if __name__ == "__main__":
    sys.exit(main())
