"""Synthesizes every sound file of the sound table with sox.

The table is the `sound` lines of content/required/*.txt:
    sound <name> <file> <kind> <count>
Each distinct file is made once. Results are cached in the work folder under
a key made from the generator sources and the file name, so a rebuild only
redoes sounds whose generator changed; the jobs run in a process pool.
"""
import concurrent.futures
import hashlib
import os
import shutil
import tempfile

import loudness
import sound_effects
import sound_music
import sox_kit
from required_names import read_required

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
GENERATOR_FILES = ["gen_sounds.py", "sound_effects.py", "sound_music.py", "sox_kit.py", "loudness.py"]
MAX_WORKERS = 4


def sound_files(content_dir):
    """Distinct sound file names of the table, in table order."""
    seen = []
    for entry in read_required(content_dir):
        if entry.kind == "sound" and entry.args[1] not in seen:
            seen.append(entry.args[1])
    return seen


def _generator_digest():
    h = hashlib.sha256()
    for name in GENERATOR_FILES:
        with open(os.path.join(TOOLS_DIR, name), "rb") as f:
            h.update(f.read())
    return h.hexdigest()


def _render_voices(voices, tmp):
    parts = []
    for i, (chains, vol) in enumerate(voices):
        path = os.path.join(tmp, "v%d.wav" % i)
        sox_kit.render_sequence(chains, path)
        parts.append((path, vol))
    mixed = os.path.join(tmp, "mix.wav")
    sox_kit.mix(parts, mixed)
    return mixed


def make_sound(file_name, out_path):
    """Writes one sound file; the recipe is chosen by the file's base name."""
    base = os.path.splitext(file_name)[0]
    with tempfile.TemporaryDirectory() as tmp:
        if base in sound_music.TRACKS:
            voices, seconds = sound_music.track_voices(base)
            mixed = _render_voices(voices, tmp)
            sox_kit.make_loop(mixed, out_path, seconds, ["channels", "2"] + sound_music.LOOP_EFFECTS,
                              tmp_dir=tmp, loudness_db=loudness.MUSIC_DB)
        elif base == "warning":
            voices, seconds = sound_music.warning_voices()
            mixed = _render_voices(voices, tmp)
            sox_kit.make_loop(mixed, out_path, seconds, [], peak_db=-3.0, tmp_dir=tmp,
                              loudness_db=loudness.EFFECT_DB)
        elif base == "intro":
            mixed = _render_voices(sound_music.intro_voices(), tmp)
            sox_kit.finish(mixed, out_path, sox_kit.effect_tail(["reverb", "40"], 1.5, 0.8),
                           loudness_db=loudness.EFFECT_DB)
        else:
            maker = sound_effects.RECIPES.get(base, sound_effects.generic)
            voices, effects = maker()
            mixed = _render_voices(voices, tmp)
            sox_kit.finish(mixed, out_path, sox_kit.effect_tail(effects, 0.5, 0.02), peak_db=-1.5,
                           loudness_db=loudness.EFFECT_DB)
    return file_name


def _job(args):
    file_name, out_path = args
    tmp_out = out_path + ".part" + os.path.splitext(out_path)[1]
    make_sound(file_name, tmp_out)
    os.replace(tmp_out, out_path)
    return file_name


def generate_sounds(content_dir, work_dir, out_dir):
    """Makes (or takes from the cache) every table file into out_dir."""
    cache = os.path.join(work_dir, "sounds-cache")
    os.makedirs(cache, exist_ok=True)
    os.makedirs(out_dir, exist_ok=True)
    digest = _generator_digest()
    files = sound_files(content_dir)
    todo = []
    for name in files:
        key = hashlib.sha256((digest + name).encode()).hexdigest()
        cached = os.path.join(cache, name)
        key_path = cached + ".key"
        fresh = os.path.exists(cached) and os.path.exists(key_path) and open(key_path).read() == key
        if not fresh:
            todo.append((name, cached, key_path, key))
    if todo:
        workers = max(1, min(MAX_WORKERS, os.cpu_count() or 1, len(todo)))
        with concurrent.futures.ProcessPoolExecutor(max_workers=workers) as pool:
            for (_name, _cached, key_path, key), _done in zip(todo, pool.map(_job, [(t[0], t[1]) for t in todo])):
                with open(key_path, "w") as f:
                    f.write(key)
    for name in files:
        shutil.copyfile(os.path.join(cache, name), os.path.join(out_dir, name))
    # Files no longer in the table do not linger in the output.
    for name in os.listdir(out_dir):
        if name not in files:
            os.remove(os.path.join(out_dir, name))
    return files
