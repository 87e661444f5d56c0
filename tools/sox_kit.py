"""Small helpers that build sounds with sox: note sequences, mixes, loops.

A note is written as one sox effects chain (`synth ... fade ... vol ...`);
chains separated by ':' play one after another into the same file, so a
whole voice of a piece of music is one sox call.
"""
import os
import subprocess

RATE = 44100
SOX = "sox"


def hz(midi):
    """Frequency of a MIDI note number (69 = A4 = 440 Hz)."""
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def run(args):
    subprocess.run([SOX, "-V1"] + [str(a) for a in args], check=True)


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


def finish(in_path, out_path, effects=(), peak_db=-1.5):
    """Applies effects, normalizes the peak to peak_db dBFS (no clipping)
    and writes the final file; the extension picks the format."""
    args = [in_path]
    if out_path.endswith(".ogg"):
        args += ["-C", "5"]
    else:
        args += ["-b", "16"]
    args += [out_path] + list(effects) + ["gain", "-n", "%.1f" % peak_db]
    run(args)


def effect_tail(effects, tail_seconds, fade_seconds):
    """Effects for a one-shot sound: headroom first (effects such as reverb
    must not clip before the final normalization), room for the reverb tail,
    the effects, trailing silence cut, and a short fade so the end never
    clicks."""
    return (["gain", "-8", "pad", "0", "%.2f" % tail_seconds] + list(effects)
            + ["reverse", "silence", "1", "0.002", "-70d", "fade", "q", "%.3f" % fade_seconds, "reverse"])


def make_loop(in_path, out_path, seconds, effects=(), peak_db=-1.5, tmp_dir="."):
    """A seamless loop of exactly `seconds`: the material is played twice
    through the effects (so reverb tails of the end reach the start) and
    the second pass is kept."""
    samples = int(round(seconds * RATE))
    twice = os.path.join(tmp_dir, "twice.wav")
    run([in_path, "-b", "16", twice, "gain", "-8", "pad", "0", "2", "trim", "0", "%ds" % samples,
         "repeat", "1"] + list(effects))
    cut = os.path.join(tmp_dir, "cut.wav")
    run([twice, cut, "trim", "%ds" % samples, "%ds" % samples])
    finish(cut, out_path, (), peak_db)
