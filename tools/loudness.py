"""Loudness of a sound file, measured the way broadcast meters do.

sox decodes the file to mono 16-bit samples through an approximation of
the K-weighting filter (a +4 dB shelf above 1.7 kHz and a gentle cut below
40 Hz, so that a bass rumble counts less than a bright click, as ears
hear them); the mean square is then taken over 400 ms windows every
100 ms, windows below -70 dB and windows more than 10 dB below the mean of
the rest are left out (the silence and the fading tail of a short effect
do not pull it down), and the result is given in dB of full scale. A sound
shorter than one window is measured as one window of its own length.

The peak is the sample peak in dBFS of the file as it is, read from sox's
`stats`.
"""
import array
import hashlib
import json
import math
import operator
import os
import subprocess
import sys

RATE = 44100
WINDOW_SECONDS = 0.4
HOP_SECONDS = 0.1
ABSOLUTE_GATE_DB = -70.0
RELATIVE_GATE_DB = -10.0
# Where the generated sounds sit: every effect at EFFECT_DB or, when its
# peak allows no more, a little below, within BAND_DB of EFFECT_DB; every
# music track MUSIC_BELOW_DB lower, so that effects stand out over it; no
# peak above PEAK_LIMIT_DB, which leaves room for the encoder's overshoot.
EFFECT_DB = -15.0
MUSIC_BELOW_DB = 3.0
MUSIC_DB = EFFECT_DB - MUSIC_BELOW_DB
BAND_DB = 1.5
PEAK_LIMIT_DB = -1.0
K_WEIGHTING = ["treble", "4", "1681", "0.7071q", "highpass", "38", "0.5q"]


def _db(mean_square):
    return 10.0 * math.log10(mean_square) if mean_square > 0 else -math.inf


def _weighted_samples(path):
    raw = subprocess.run(["sox", "-V1", path, "-t", "raw", "-e", "signed", "-b", "16", "-c", "1",
                          "-r", str(RATE), "-"] + K_WEIGHTING,
                         check=True, capture_output=True).stdout
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) - len(raw) % 2])
    if sys.byteorder != "little":
        samples.byteswap()
    return samples


def window_powers(samples):
    """Mean squares (full scale 1.0) of the 400 ms windows, every 100 ms."""
    hop = int(RATE * HOP_SECONDS)
    hops_per_window = int(round(WINDOW_SECONDS / HOP_SECONDS))
    if len(samples) <= hop * hops_per_window:
        n = max(1, len(samples))
        return [sum(map(operator.mul, samples, samples)) / (32768.0 * 32768.0 * n)]
    blocks = [sum(map(operator.mul, part, part))
              for part in (samples[i:i + hop] for i in range(0, len(samples) - hop + 1, hop))]
    scale = 1.0 / (32768.0 * 32768.0 * hop * hops_per_window)
    return [sum(blocks[i:i + hops_per_window]) * scale
            for i in range(len(blocks) - hops_per_window + 1)]


def gated_loudness(powers):
    """Gated mean of window powers, in dB; -inf for silence."""
    loud = [p for p in powers if _db(p) > ABSOLUTE_GATE_DB]
    if not loud:
        return -math.inf
    gate = _db(sum(loud) / len(loud)) + RELATIVE_GATE_DB
    kept = [p for p in loud if _db(p) > gate]
    return _db(sum(kept) / len(kept))


def loudness_db(path):
    return gated_loudness(window_powers(_weighted_samples(path)))


def peak_db(path):
    """Sample peak of the file in dBFS (sox `stats`, all channels)."""
    out = subprocess.run(["sox", "-V1", path, "-n", "stats"], check=True, capture_output=True,
                         text=True).stderr
    for line in out.splitlines():
        if line.startswith("Pk lev dB"):
            return float(line.split()[3])
    raise ValueError("sox stats gave no peak for " + path)


# Measurements by the SHA-1 of the file's bytes: a file measured once is
# not decoded again, in this process nor, with QV_LOUDNESS_CACHE naming a
# JSON file, in a later one (the content checks of one build share it).
_measured = {}


def _cache_path():
    return os.environ.get("QV_LOUDNESS_CACHE")


def _load_cache():
    path = _cache_path()
    if not path or _measured.get("_loaded_from") == path:
        return
    _measured["_loaded_from"] = path
    try:
        with open(path) as f:
            for key, value in json.load(f).items():
                _measured.setdefault(key, tuple(value))
    except (OSError, ValueError, TypeError):
        pass


def _store_cache():
    path = _cache_path()
    if not path:
        return
    # Checks running side by side share the file: what another one stored
    # since this process read it is kept.
    entries = {}
    try:
        with open(path) as f:
            entries = dict(json.load(f))
    except (OSError, ValueError, TypeError):
        pass
    entries.update({k: list(v) for k, v in _measured.items() if k != "_loaded_from"})
    tmp = "%s.%d.tmp" % (path, os.getpid())
    try:
        with open(tmp, "w") as f:
            json.dump(entries, f)
        os.replace(tmp, path)
    except OSError:
        pass


def measure(path):
    """(loudness dB, peak dBFS) of one file."""
    with open(path, "rb") as f:
        key = hashlib.sha1(f.read()).hexdigest()
    _load_cache()
    if key not in _measured:
        _measured[key] = (loudness_db(path), peak_db(path))
        _store_cache()
    return _measured[key]


if __name__ == "__main__":
    for name in sys.argv[1:]:
        lufs, peak = measure(name)
        print("%-24s loudness %6.1f dB  peak %6.1f dBFS" % (name, lufs, peak))
