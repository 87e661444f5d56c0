#!/usr/bin/env python3
"""Every file of the sound table is in data/sounds/, decodes, is normalized
without clipping, and has the length its use needs; music loops join
seamlessly and differ from screen to screen."""
import array
import hashlib
import os
import subprocess
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import unittest

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))

from required_names import read_required  # noqa: E402

MUSIC = {"quorvel.ogg", "musichidden.ogg", "musicswap.ogg", "musicswap2.ogg", "musicmap.ogg"}
LOOPS = MUSIC | {"warning.wav"}
MIN_MUSIC_SECONDS = 30.0
MAX_EFFECT_SECONDS = 5.0
CLIP = 32767 * 0.999
# A sound at the common loudness peaks well above this: even the densest
# effects, turned down most to meet it, keep their peaks above -16 dBFS.
QUIET = 32767 * 0.16


def decode(path):
    """Mono 16-bit samples at 44.1 kHz."""
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1", "-r", "44100", "-"],
                         check=True, capture_output=True, timeout=60).stdout
    samples = array.array("h")
    samples.frombytes(raw)
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


class SoundsTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        build = os.environ.get("QV_BUILD_DIR")
        if not build:
            raise unittest.SkipTest("QV_BUILD_DIR not set")
        cls.folder = os.path.join(build, "data", "sounds")
        rows = [e.args for e in read_required(os.path.join(SOURCE_DIR, "content")) if e.kind == "sound"]
        cls.files = sorted({r[1] for r in rows})

    def test_table_has_its_files(self):
        self.assertEqual(len(self.files), 51)
        for name in ("quorvel.ogg", "item_fall.ogg", "freeze.wav", "warning.wav"):
            self.assertIn(name, self.files)
        self.assertEqual(sorted(os.listdir(self.folder)), self.files)

    def test_each_file_decodes_normalized_and_fits_its_use(self):
        for name in self.files:
            with self.subTest(sound=name):
                samples = decode(os.path.join(self.folder, name))
                seconds = len(samples) / 44100.0
                peak = max(abs(min(samples)), abs(max(samples)))
                self.assertLess(peak, CLIP, "clipped")
                self.assertGreater(peak, QUIET, "not normalized")
                if name in MUSIC:
                    self.assertGreaterEqual(seconds, MIN_MUSIC_SECONDS)
                elif name not in LOOPS:
                    self.assertGreater(seconds, 0.03)
                    self.assertLessEqual(seconds, MAX_EFFECT_SECONDS)
                if name in LOOPS:
                    # The end runs into the start: no jump bigger than the
                    # sound's own largest step from one sample to the next.
                    step = max(abs(samples[i + 1] - samples[i]) for i in range(0, len(samples) - 1, 7))
                    self.assertLessEqual(abs(samples[-1] - samples[0]), step, "loop seam clicks")

    def test_wav_files_are_wav_and_music_differs_per_screen(self):
        for name in ("freeze.wav", "warning.wav"):
            with open(os.path.join(self.folder, name), "rb") as f:
                self.assertEqual(f.read(4), b"RIFF", name)
        digests = set()
        for name in MUSIC | {"intro.ogg"}:
            with open(os.path.join(self.folder, name), "rb") as f:
                digests.add(hashlib.sha256(f.read()).hexdigest())
        self.assertEqual(len(digests), len(MUSIC) + 1)


if __name__ == "__main__":
    unittest.main()
