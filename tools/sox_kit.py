"""Small helpers that build sounds with sox: note sequences, mixes, loops.

A note is written as one sox effects chain (`synth ... fade ... vol ...`);
chains separated by ':' play one after another into the same file, so a
whole voice of a piece of music is one sox call.
"""
import os
import subprocess

import loudness

RATE = 44100
# Room kept under the loudness module's peak limit after encoding, in dB.
ENCODER_MARGIN_DB = 0.2
SOX = "sox"


def hz(midi):
    """Frequency of a MIDI note number (69 = A4 = 440 Hz)."""
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def run(args):
    # -R seeds sox's noise and dither the same every time, so a build makes
    # the same sounds and their measured loudness does not vary between builds.
    subprocess.run([SOX, "-V1", "-R"] + [str(a) for a in args], check=True)


def note(dur, wave="sine", freq=440.0, vol=0.5, attack=0.005, release=None, extra=()):
    """Effects chain of one note: duration in seconds, wave a sox synth type,
    freq in Hz (or a sweep text such as "800/200"), vol linear."""
    if release is None:
        release = min(dur * 0.6, 0.25)
    f = freq if isinstance(freq, str) else "%.3f" % freq
    chain = ["synth", "%.5f" % dur, wave, f, "fade", "h", "%.4f" % attack, "%.5f" % dur, "%.4f" % release]
    chain += list(extra)
    chain += ["vol", "%.4f" % vol]
    return chain


def rest(dur):
    return ["synth", "%.5f" % dur, "sine", "10", "vol", "0"]


def render_sequence(chains, out_path, channels=1):
    """Writes the chains one after another into out_path (16-bit WAV)."""
    args = ["-n", "-r", RATE, "-c", channels, "-b", "16", out_path]
    for i, chain in enumerate(chains):
        if i:
            args.append(":")
        args += chain
    run(args)


def mix(parts, out_path):
    """parts: [(wav path, linear volume)]; mixed into out_path."""
    if len(parts) == 1:
        run(["-v", parts[0][1], parts[0][0], out_path])
        return
    args = ["-m"]
    for path, vol in parts:
        args += ["-v", "%.3f" % vol, path]
    args.append(out_path)
    run(args)


def concat(paths, out_path):
    run(list(paths) + [out_path])


def finish(in_path, out_path, effects=(), peak_db=-1.5, loudness_db=None):
    """Applies effects, normalizes the peak to peak_db dBFS (no clipping)
    and writes the final file; the extension picks the format. With
    loudness_db the sound is then turned down to that loudness (as
    tools/loudness.py measures it) when it is louder; a sound whose peak
    keeps it quieter stays at its peak level."""
    fmt = ["-C", "5"] if out_path.endswith(".ogg") else ["-b", "16"]
    normal = list(effects) + ["gain", "-n", "%.1f" % peak_db]
    if loudness_db is None:
        run([in_path] + fmt + [out_path] + normal)
        return
    peaked = os.path.join(os.path.dirname(os.path.abspath(out_path)),
                          "peaked-" + os.path.basename(out_path) + ".wav")
    run([in_path, "-b", "16", peaked] + normal)
    drop = min(0.0, loudness_db - loudness.loudness_db(peaked))
    # Lossy encoding can lift a peak by a dB or so: a file that comes out
    # above the limit is made again that much quieter.
    for _attempt in range(3):
        run([peaked] + fmt + [out_path, "gain", "%.2f" % drop])
        over = loudness.peak_db(out_path) - (loudness.PEAK_LIMIT_DB - ENCODER_MARGIN_DB)
        if over <= 0.0:
            break
        drop -= over
    os.remove(peaked)


def effect_tail(effects, tail_seconds, fade_seconds):
    """Effects for a one-shot sound: headroom first (effects such as reverb
    must not clip before the final normalization), room for the reverb tail,
    the effects, trailing silence cut, and a short fade so the end never
    clicks."""
    return (["gain", "-8", "pad", "0", "%.2f" % tail_seconds] + list(effects)
            + ["reverse", "silence", "1", "0.002", "-70d", "fade", "q", "%.3f" % fade_seconds, "reverse"])


def make_loop(in_path, out_path, seconds, effects=(), peak_db=-1.5, tmp_dir=".", loudness_db=None):
    """A seamless loop of exactly `seconds`: the material is played twice
    through the effects (so reverb tails of the end reach the start) and
    the second pass is kept."""
    samples = int(round(seconds * RATE))
    twice = os.path.join(tmp_dir, "twice.wav")
    run([in_path, "-b", "16", twice, "gain", "-8", "pad", "0", "2", "trim", "0", "%ds" % samples,
         "repeat", "1"] + list(effects))
    cut = os.path.join(tmp_dir, "cut.wav")
    run([twice, cut, "trim", "%ds" % samples, "%ds" % samples])
    finish(cut, out_path, (), peak_db, loudness_db)
