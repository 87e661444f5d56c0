"""The music: seamless loops of 30 seconds or more, one character per screen,
plus the splash jingle and the ticking time warning.

A track is a chord progression played by a few voices (bass, pad, an
arpeggio or melody, drums), each voice a list of note chains. Melodies are
drawn from a seeded random generator, so a track is the same on every build.
"""
import random

from sox_kit import hz, note, rest

# Chord roots and qualities are MIDI numbers of the chord tones (root position).
MAJOR = (0, 4, 7)
MINOR = (0, 3, 7)


def _chord(root, quality):
    return [root + i for i in quality]


TRACKS = {
    # Title screen: warm, hopeful, medium tempo.
    "quorvel": {"bpm": 100, "bars": 16, "seed": 11, "lead": "pluck", "pad": "triangle",
                "prog": [(60, MAJOR), (57, MINOR), (53, MAJOR), (55, MAJOR)], "drums": "soft",
                "scale": [0, 2, 4, 5, 7, 9, 11]},
    # World map: travelling, light, marimba-like.
    "musicmap": {"bpm": 92, "bars": 12, "seed": 23, "lead": "pluck", "pad": "sine",
                 "prog": [(55, MAJOR), (60, MAJOR), (52, MINOR), (62, MAJOR)], "drums": "shaker",
                 "scale": [0, 2, 4, 7, 9]},
    # Board, even layouts: lively minor groove.
    "musicswap": {"bpm": 120, "bars": 16, "seed": 37, "lead": "square", "pad": "triangle",
                  "prog": [(57, MINOR), (53, MAJOR), (60, MAJOR), (55, MAJOR)], "drums": "groove",
                  "scale": [0, 2, 3, 5, 7, 8, 10]},
    # Board, odd layouts: brighter, faster, dorian.
    "musicswap2": {"bpm": 128, "bars": 20, "seed": 41, "lead": "pluck", "pad": "sawtooth",
                   "prog": [(62, MINOR), (67, MAJOR), (62, MINOR), (60, MAJOR), (65, MAJOR)], "drums": "groove",
                   "scale": [0, 2, 3, 5, 7, 9, 10]},
    # Hidden-object screen: slow, mysterious bells over a dark pad.
    "musichidden": {"bpm": 76, "bars": 10, "seed": 53, "lead": "sine", "pad": "sine",
                    "prog": [(52, MINOR), (48, MAJOR), (50, MAJOR), (47, MINOR), (45, MINOR)], "drums": "none",
                    "scale": [0, 2, 3, 7, 8]},
}


def _lead_voice(t, rng, beat):
    """A melody of eighth and quarter notes on the scale, near chord tones."""
    chains = []
    nbars = t["bars"]
    prog = t["prog"]
    for bar in range(nbars):
        root, quality = prog[bar % len(prog)]
        tones = [root + 12 + i for i in quality]
        pos = 0.0
        while pos < 4.0 - 1e-6:
            length = rng.choice([0.5, 0.5, 1.0, 0.5, 1.5]) if t["bpm"] < 110 else rng.choice([0.5, 0.5, 0.5, 1.0])
            length = min(length, 4.0 - pos)
            if rng.random() < 0.18 and pos > 0:
                chains.append(rest(length * beat))
            else:
                if rng.random() < 0.65:
                    m = rng.choice(tones)
                else:
                    m = root + 12 + rng.choice(t["scale"])
                if (bar % 4 == 3) and pos + length >= 4.0 - 1e-6:
                    m = root + 12  # phrase ends on the root
                d = length * beat
                chains.append(note(d, t["lead"], hz(m), 0.55, 0.004, release=min(d * 0.7, 0.3),
                                   extra=["lowpass", "3500"] if t["lead"] == "square" else []))
            pos += length
    return chains


def _arp_voice(t, beat):
    chains = []
    for bar in range(t["bars"]):
        root, quality = t["prog"][bar % len(t["prog"])]
        tones = _chord(root, quality) + [root + 12]
        for i in range(8):
            m = tones[[0, 1, 2, 3, 2, 1, 2, 1][i]]
            chains.append(note(beat / 2, "pluck", hz(m), 0.4, 0.002, release=beat * 0.4))
    return chains


def _bass_voice(t, beat):
    chains = []
    for bar in range(t["bars"]):
        root, _q = t["prog"][bar % len(t["prog"])]
        r = root - 24
        for i, m in enumerate([r, r, r + 7, r + 12 if bar % 2 else r]):
            chains.append(note(beat, "triangle", hz(m), 0.8, 0.005, release=beat * 0.5,
                               extra=["lowpass", "600"]))
    return chains


def _pad_voices(t, beat):
    """One voice per chord tone, a whole bar per chord."""
    voices = [[], [], []]
    for bar in range(t["bars"]):
        root, quality = t["prog"][bar % len(t["prog"])]
        for k, m in enumerate(_chord(root, quality)):
            voices[k].append(note(beat * 4, t["pad"], hz(m), 0.3, beat * 0.8, release=beat * 1.2,
                                  extra=["lowpass", "1800"]))
    return voices


def _drum_voice(t, beat):
    kind = t["drums"]
    chains = []
    if kind == "none":
        return None
    for bar in range(t["bars"]):
        for step in range(8):
            d = beat / 2
            if kind == "groove" and step in (0, 3, 4):
                chains.append(note(d, "sine", "130/45", 0.9, 0.001, release=d * 0.9))
            elif kind == "groove" and step in (2, 6):
                chains.append(note(d, "pinknoise", 100, 0.6, 0.001, release=d * 0.85, extra=["sinc", "800-6000"]))
            elif kind == "soft" and step in (0, 4):
                chains.append(note(d, "sine", "110/50", 0.7, 0.002, release=d * 0.9))
            elif kind in ("shaker", "groove", "soft"):
                chains.append(note(min(d, 0.06), "whitenoise", 100, 0.25 if step % 2 else 0.15, 0.004,
                                   release=0.05, extra=["sinc", "6000-14000"]))
                if d > 0.06:
                    chains.append(rest(d - 0.06))
            else:
                chains.append(rest(d))
    return chains


def track_voices(name):
    """[(chains, volume)] of a looping track and its exact length in seconds."""
    t = TRACKS[name]
    beat = 60.0 / t["bpm"]
    rng = random.Random(t["seed"])
    voices = [(_lead_voice(t, rng, beat), 0.55), (_bass_voice(t, beat), 0.6)]
    for pad in _pad_voices(t, beat):
        voices.append((pad, 0.3))
    if name in ("quorvel", "musicmap", "musicswap2"):
        voices.append((_arp_voice(t, beat), 0.3))
    drums = _drum_voice(t, beat)
    if drums:
        voices.append((drums, 0.45))
    return voices, t["bars"] * 4 * beat


LOOP_EFFECTS = ["reverb", "35", "50", "80"]


def intro_voices():
    """The splash jingle: a rising arpeggio into a held chord, about 4 s."""
    arp = [note(0.11, "pluck", hz(m), 0.7, 0.002, release=0.1) for m in (60, 64, 67, 72, 76, 79)]
    hold = 0.66
    voices = [(arp + [note(2.6, "pluck", hz(84), 0.7, 0.002, release=2.0)], 1.0)]
    for m in (48, 60, 64, 67, 72):
        voices.append(([rest(hold), note(3.0, "triangle", hz(m), 0.4, 0.05, release=2.4)], 0.45))
    voices.append(([rest(hold), note(2.5, "whitenoise", 100, 0.1, 0.01, release=2.0,
                                     extra=["sinc", "7000-14000"])], 0.3))
    return voices


def warning_voices():
    """Time warning: a clock tick-tock with a soft alarm pulse, 2 s loop."""
    tick = []
    for i in range(8):
        f = 2200 if i % 2 == 0 else 1600
        tick.append(note(0.03, "square", f, 0.5, 0.001, release=0.025, extra=["lowpass", "5000"]))
        tick.append(rest(0.22))
    pulse = [note(0.5, "sine", 880, 0.25, 0.05, release=0.3), rest(0.5),
             note(0.5, "sine", 880, 0.25, 0.05, release=0.3), rest(0.5)]
    return [(tick, 1.0), (pulse, 0.5)], 2.0
