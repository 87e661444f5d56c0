"""End-to-end harness: runs the real game under its own virtual X server.

Each game gets a fresh user folder (XDG_DATA_HOME), OpenAL Soft's silent
driver, message boxes on stderr, and a fixed seed and clock. The harness waits
for conditions with time limits, sends input through XTest (xdotool),
captures the screen to PNG and reads the files the game writes.
"""
import json
import os
import shutil
import struct
import subprocess
import tempfile
import time
import zipfile

from PIL import Image, ImageChops

from virtual_display import VirtualDisplay

SAVE_SIZE = 844
PROFILE_OFFSET = 4
PROFILE_SIZE = 120
HISCORE_OFFSET = 484
HISCORE_SIZE = 36


class Failure(Exception):
    pass


# A wait gives up on the wall clock only after this many times its limit,
# far beyond what a loaded machine needs: before that it counts the game's
# own time.
WALL_CEILING_FACTOR = 10
# The least wall-clock ceiling of Game.pass_time: a short settle of a few
# tenths of a second still gets room for a game drawing a few frames a
# second.
PASS_CEILING_S = 30


class Deadline:
    """The end of a wait of limit seconds, counted in the game's own time
    (the probe's "clock": the time its frames advanced) once the game
    writes a probe, so that a machine drawing fewer frames a second waits
    longer. It never ends before limit seconds of the wall clock either
    (the test's own input and polling take real time), and always ends
    after WALL_CEILING_FACTOR times limit. Without a game or a probe the
    wall clock alone counts, as it always did."""

    def __init__(self, limit, game=None):
        self.limit = limit
        self.game = game
        self.wall_start = time.monotonic()
        self.game_start = game.game_ms(fresh=True) if game else None

    def game_seconds(self, fresh=False):
        """Game time since the start of the wait (None without a clock)."""
        now = self.game.game_ms(fresh) if self.game else None
        if now is None:
            return None
        if self.game_start is None:
            self.game_start = now
        return (now - self.game_start) / 1000.0

    def expired(self):
        wall = time.monotonic() - self.wall_start
        if wall >= self.limit * WALL_CEILING_FACTOR:
            return True
        if wall < self.limit:
            return False
        passed = self.game_seconds(fresh=True)
        return passed is None or passed >= self.limit

    def describe(self):
        passed = self.game_seconds()
        wall = time.monotonic() - self.wall_start
        if passed is None:
            return "%.1f s" % self.limit
        return "%.1f s of game time (%.1f s passed in the game, %.1f s on the wall clock)" % (
            self.limit, passed, wall)


def wait_for(what, condition, limit, step=0.1, game=None):
    """Polls condition() until it is true; Failure after limit seconds of
    the game's time (see Deadline; game: the running game when None)."""
    deadline = Deadline(limit, game or Game.current)
    while True:
        value = condition()
        if value:
            return value
        if deadline.expired():
            break
        time.sleep(step)
    raise Failure("timed out after %s waiting for %s" % (deadline.describe(), what))


def summary(shot):
    """What a failure message needs of a probe snapshot: the scene, the
    dialog, the cursor and the window."""
    if not shot:
        return "none"
    return json.dumps({key: shot.get(key) for key in ("scene", "gui", "cursor", "window")
                       if key in shot})


class Game:
    """One run of build/quorvel with its own display and user folder."""

    # The game started last and not yet closed: the clock of waits that
    # name no game.
    current = None
    # Frames a held key or button lasts at least (seen through the probe;
    # the virtual display repeats no key held that long).
    HOLD_FRAMES = 2

    def __init__(self, build_dir, args=(), seed=1234, clock=1700000000, env=None, probe=False,
                 config=None, save=None, user_dir=None):
        """env: variables added for the game; probe: the game writes its
        probe snapshot into the user folder; config and save: bytes stored
        as "config.dat" and "savegame.sav" before the start (None: none);
        user_dir: the user folder of an earlier run to play on in (a fresh
        one when None)."""
        self.build_dir = os.path.abspath(build_dir)
        self.user_dir = user_dir or tempfile.mkdtemp(prefix="quorvel_e2e_")
        self.shots_dir = os.path.join(self.user_dir, "shots")
        os.makedirs(self.shots_dir, exist_ok=True)
        for name, data in (("config.dat", config), ("savegame.sav", save)):
            if data is not None:
                os.makedirs(os.path.dirname(self.data_path(name)), exist_ok=True)
                with open(self.data_path(name), "wb") as f:
                    f.write(data)
        self.xvfb = VirtualDisplay()
        self.env = dict(os.environ)
        self.env.update({
            "DISPLAY": self.xvfb.display,
            "XDG_DATA_HOME": self.user_dir,
            "ALSOFT_DRIVERS": "null",
            "QUORVEL_MESSAGES": "stderr",
            "QUORVEL_SEED": str(seed),
        })
        # clock None: the real wall clock (a play clock that runs).
        if clock is not None:
            self.env["QUORVEL_TIME"] = str(clock)
        self.env.pop("CI", None)
        self.env.update(env or {})
        self.probe_path = os.path.join(self.user_dir, "probe.json") if probe else None
        if self.probe_path:
            self.env["QUORVEL_PROBE"] = self.probe_path
            # An earlier run's last snapshot must not pass for this one's.
            if os.path.exists(self.probe_path):
                os.remove(self.probe_path)
        self.log_path = os.path.join(self.user_dir, "stderr.txt")
        self.log = open(self.log_path, "wb")
        self.proc = subprocess.Popen([os.path.join(self.build_dir, "quorvel"), *args],
                                     cwd=self.build_dir, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=self.log)
        self.started = time.monotonic()
        self.last_clock = None
        Game.current = self

    # ---- files ------------------------------------------------------------
    def data_path(self, name):
        return os.path.join(self.user_dir, "brasvolt", "quorvel", name)

    def read_save(self):
        with open(self.data_path("savegame.sav"), "rb") as f:
            return f.read()

    def wait_probe(self, what, condition, limit):
        """The first probe snapshot for which condition(snapshot) holds;
        Failure when the game ends first or after limit seconds of the
        game's time (see Deadline)."""
        def check():
            if not self.running():
                raise Failure("the game ended while waiting for " + what)
            shot = self.probe()
            last[0] = shot or last[0]
            return shot if shot and condition(shot) else None
        last = [None]
        try:
            return wait_for(what, check, limit, step=0.05, game=self)
        except Failure as failure:
            raise Failure("%s (the last snapshot: %s)" % (failure, summary(last[0])))

    def wait_settled(self, name, level="gui", limit=10, frames=10):
        """The first snapshot in which the named element has lain still for
        frames frames (a dialog's panel that has dropped in); Failure after
        limit seconds of the game's time."""
        def rect(shot):
            for e in shot.get("elements", []):
                if e["name"] == name and e["level"] == level:
                    return (e["x"], e["y"], e["w"], e["h"])
            return None
        still = {}

        def settled(shot):
            now, frame = rect(shot), (shot.get("clock") or {}).get("frame")
            if now is None or frame is None:
                return False
            if still.get("rect") != now:
                still.update(rect=now, since=frame)
                return False
            return frame - still["since"] >= frames
        return self.wait_probe(name + " lying still", settled, limit)

    def click_element(self, shot, name, level="gui"):
        """A click on the centre of a named element of the snapshot."""
        for e in shot["elements"]:
            if e["name"] == name and e["level"] == level:
                self.press(e["x"] + e["w"] // 2, e["y"] + e["h"] // 2)
                return
        raise Failure("no element %s in the %s level: %r" % (name, level, shot["elements"]))

    def messages(self):
        self.log.flush()
        with open(self.log_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    def probe(self):
        """The game's last probe snapshot (QUORVEL_PROBE), or None."""
        if not self.probe_path:
            return None
        try:
            with open(self.probe_path) as f:
                shot = json.load(f)
        except (OSError, ValueError):
            return None
        if isinstance(shot, dict) and isinstance(shot.get("clock"), dict):
            self.last_clock = shot["clock"]
        return shot

    def game_ms(self, fresh=False):
        """The game time its frames advanced (ms) in the last probe
        snapshot read (fresh: read now), None without a probe clock."""
        if fresh or self.last_clock is None:
            self.probe()
        return self.last_clock.get("ms") if self.last_clock else None

    def game_frame(self, fresh=True):
        """The frames drawn as of the probe snapshot (None without one)."""
        if fresh or self.last_clock is None:
            self.probe()
        return self.last_clock.get("frame") if self.last_clock else None

    def hold(self, seconds, frames=None, limit=None):
        """Called right after an input was sent: waits seconds, then on
        until the probe shows frames (HOLD_FRAMES) more frames drawn than
        when it was called. Those frames began after the input had reached
        the game, so an input held that long is seen however slowly the
        machine draws (at most limit seconds more)."""
        start = self.game_frame() if self.probe_path else None
        time.sleep(seconds)
        if start is None:
            return
        frames = self.HOLD_FRAMES if frames is None else frames
        end = time.monotonic() + (5.0 if limit is None else limit)
        while time.monotonic() < end and self.running():
            now = self.game_frame()
            if now is not None and now >= start + frames:
                return
            time.sleep(0.01)

    def pass_time(self, seconds, wall=False):
        """Lets seconds of the game's own time go by (the probe's clock):
        a panel's drop-in or a fade counted in that time is over when it
        returns, however slowly the machine draws. wall: the wall clock
        must pass them too (for what counts real seconds, as the play
        clock). Without a probe the wall clock alone counts. Failure when
        the game ends first, or when its clock has not moved on that far
        after WALL_CEILING_FACTOR times seconds (at least PASS_CEILING_S)
        on the wall clock."""
        wall_start = time.monotonic()
        start = self.game_ms(fresh=True) if self.probe_path else None
        if start is None:
            time.sleep(seconds)
            return
        ceiling = max(seconds * WALL_CEILING_FACTOR, PASS_CEILING_S)
        while True:
            waited = time.monotonic() - wall_start
            now = self.game_ms(fresh=True)
            if now - start >= seconds * 1000 and (not wall or waited >= seconds):
                return
            if not self.running():
                raise Failure("the game ended while %.1f s of its time went by" % seconds)
            if waited >= ceiling:
                raise Failure("%.1f s of game time took longer than %.0f s on the wall clock "
                              "(%.1f s passed in the game)" % (seconds, ceiling, (now - start) / 1000.0))
            time.sleep(0.02)

    # ---- process ------------------------------------------------------------
    def elapsed(self):
        return time.monotonic() - self.started

    def running(self):
        return self.proc.poll() is None

    def wait_exit(self, limit):
        """The exit code once the game has ended; Failure when it still
        runs after limit seconds of its own time (see Deadline)."""
        deadline = Deadline(limit, self)
        while not deadline.expired():
            try:
                return self.proc.wait(0.1)
            except subprocess.TimeoutExpired:
                pass
        if not self.running():
            return self.proc.returncode
        raise Failure("the game still runs after %s" % deadline.describe())

    # ---- window and input ---------------------------------------------------
    def xdotool(self, *args):
        out = subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True,
                             timeout=10)
        return out.stdout.strip()

    def window(self):
        ids = self.xdotool("search", "--name", "^Quorvel$").split()
        return ids[0] if ids else None

    def wait_window(self, limit=20):
        return wait_for("the game window", self.window, limit)

    def key(self, name, hold=0.15):
        """A key press through XTest (to the window under the pointer, which
        has the focus on a server without window manager). The key is held
        for a few frames, as a player's would be (a press and its release
        within one frame are seen too: test_fast_typing.py types with no
        delay)."""
        self.xdotool("mousemove", "--window", self.window() or "", "400", "300")
        self.xdotool("keydown", name)
        self.hold(hold)
        self.xdotool("keyup", name)

    def click(self, x, y):
        """A left click at window pixel (x, y)."""
        self.xdotool("mousemove", "--window", self.window() or "", str(x), str(y), "click", "1")

    def press(self, x, y, hold=0.15):
        """The left button held for a few frames at window pixel (x, y), so
        a game that reads the button once a frame sees it."""
        self.xdotool("mousemove", "--window", self.window() or "", str(x), str(y))
        self.hold(0.05, frames=1)
        self.xdotool("mousedown", "1")
        self.hold(hold)
        self.xdotool("mouseup", "1")

    def drag(self, x1, y1, x2, y2, hold=0.08):
        """Left button pressed at window pixel (x1, y1), moved to (x2, y2)
        and released there, each step held for a few frames."""
        win = self.window() or ""
        self.xdotool("mousemove", "--window", win, str(x1), str(y1))
        self.hold(hold, frames=1)
        self.xdotool("mousedown", "1")
        self.hold(hold)
        self.xdotool("mousemove", "--window", win, str(x2), str(y2))
        self.hold(hold)
        self.xdotool("mouseup", "1")

    def right_click(self, x, y, hold=0.08):
        """The right button held for a few frames at window pixel (x, y)."""
        self.xdotool("mousemove", "--window", self.window() or "", str(x), str(y))
        self.xdotool("mousedown", "3")
        self.hold(hold)
        self.xdotool("mouseup", "3")

    def capture(self, name):
        """The window's 800 x 600 content as a PNG; returns the image."""
        path = os.path.join(self.shots_dir, name + ".png")
        subprocess.run(["import", "-display", self.xvfb.display, "-window",
                        self.window() or "root", path], env=self.env, check=True,
                       capture_output=True, timeout=20)
        return Image.open(path).convert("RGB")

    def close(self, keep=False):
        if self.running():
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        if Game.current is self:
            Game.current = None
        self.log.close()
        self.xvfb.close()
        if not keep:
            shutil.rmtree(self.user_dir, ignore_errors=True)


def run_scenario(game, name, scenario):
    """Runs scenario(game) and closes the game; a failure prints the game's
    output and keeps its user folder (screenshots, output). Returns the
    process exit code."""
    ok = False
    try:
        scenario(game)
        ok = True
        print(name + " scenario passed")
    except Failure as failure:
        print("FAILED:", failure)
        print("game output:\n" + game.messages())
        print("kept:", game.user_dir)
    finally:
        game.close(keep=not ok)
    return 0 if ok else 1


DEFAULT_HISCORES = [100000, 50000, 30000, 20000, 10000, 5000, 4000, 3000, 2000, 1000]


def make_save(name="Tester", key=1700000000, show_hints=1, time_mode=1):
    """A "savegame.sav" with one current profile in slot 0 at the start of
    the game and the default hiscore table."""
    save = bytearray(SAVE_SIZE)
    struct.pack_into("<h", save, 0, 0)
    for i in range(4):
        at = PROFILE_OFFSET + i * PROFILE_SIZE
        struct.pack_into("<BB", save, at + 112, 1, 1)
    at = PROFILE_OFFSET
    save[at + 82:at + 82 + len(name)] = name.encode("latin-1")
    struct.pack_into("<i", save, at + 108, key)
    struct.pack_into("<BB", save, at + 112, show_hints, time_mode)
    for j, score in enumerate(DEFAULT_HISCORES):
        at = HISCORE_OFFSET + j * HISCORE_SIZE
        struct.pack_into("<ii", save, at, score, j)
        save[at + 8:at + 16] = b"Brasvolt"
    return bytes(save)


def parse_hiscores(save):
    """[(score, key, name)] of the ten entries."""
    table = []
    for j in range(10):
        at = HISCORE_OFFSET + j * HISCORE_SIZE
        score, key = struct.unpack_from("<ii", save, at)
        name = save[at + 8:at + 33].split(b"\0", 1)[0].decode("latin-1")
        table.append((score, key, name))
    return table


def colour_share(image, predicate, step=4):
    """Share of sampled pixels for which predicate(r, g, b) holds."""
    w, h = image.size
    hits = total = 0
    pixels = image.load()
    for y in range(0, h, step):
        for x in range(0, w, step):
            total += 1
            if predicate(*pixels[x, y]):
                hits += 1
    return hits / max(1, total)


def pack_image(build_dir, name):
    """A picture from the built data pack, as RGBA."""
    with zipfile.ZipFile(os.path.join(build_dir, "data", "data.pk")) as pack:
        with pack.open(name) as entry:
            return Image.open(entry).convert("RGBA")


def on_colour(image, rgb):
    """An RGBA image drawn over a plain colour, as RGB."""
    ground = Image.new("RGBA", image.size, rgb + (255,))
    return Image.alpha_composite(ground, image).convert("RGB")


def box_where(image, below):
    """Bounding box (left, top, right, bottom; right and bottom exclusive) of
    the pixels whose three channels are all below the given value; None when
    there is none."""
    masks = [channel.point(lambda v: 255 if v < below else 0) for channel in image.split()[:3]]
    return ImageChops.multiply(ImageChops.multiply(masks[0], masks[1]), masks[2]).getbbox()
