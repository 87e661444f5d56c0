"""Recipes of the short sound effects, by file name.

Each recipe returns a list of voices, a voice being (effects chains, volume);
the voices are mixed, passed through the recipe's final effects and
normalized. Character follows the name: clicks for the interface, chimes
for matches, rising cascades for the automatic matches, thuds, cracks and
rattles for the board, zaps and shimmers for spells.
"""
from sox_kit import hz, note, rest

C5, E5, G5 = 72, 76, 79   # MIDI notes of the match chimes


def _arp(midis, step, wave="pluck", vol=0.6, tail=0.35, attack=0.003):
    chains = []
    for i, m in enumerate(midis):
        d = tail if i == len(midis) - 1 else step
        chains.append(note(d, wave, hz(m), vol, attack, release=d * 0.7))
    return chains


def _chime(midis, dur=0.6, wave="sine", vol=0.5):
    """Several notes struck together: one voice per note."""
    return [([note(dur, wave, hz(m), vol, 0.003, release=dur * 0.9)], 1.0 / len(midis) ** 0.5)
            for m in midis]


def cascade(level):
    """Rising arpeggio; each cascade step starts higher and runs longer."""
    base = 67 + 3 * level
    notes = [base, base + 4, base + 7, base + 12][: 3 + min(level, 1)] + ([base + 16] if level >= 2 else [])
    if level >= 3:
        notes.append(base + 19)
    voices = [(_arp(notes, 0.06, "pluck", 0.7, 0.4), 0.8),
              ([rest(0.06 * (len(notes) - 1))] + [note(0.45, "sine", hz(notes[-1] + 12), 0.3, 0.01)], 0.5)]
    return voices, ["reverb", "30"]


def _noise_burst(dur, colour="whitenoise", band=None, vol=0.5, attack=0.001, release=None, extra=()):
    fx = list(extra)
    if band:
        fx = ["sinc", band] + fx
    return note(dur, colour, 100, vol, attack, release if release is not None else dur * 0.9, fx)


RECIPES = {}


def recipe(name):
    def wrap(fn):
        RECIPES[name] = fn
        return fn
    return wrap


@recipe("guimove")
def _():
    return [([note(0.28, "pinknoise", 100, 0.5, 0.08, 0.2, ["sinc", "800-3000"])], 1.0)], []


@recipe("guiclick")
def _():
    return [([note(0.035, "square", 1400, 0.4, 0.001, 0.03)], 0.7),
            ([note(0.05, "sine", 700, 0.6, 0.001, 0.045)], 0.7)], ["lowpass", "6000"]


@recipe("guimouseover")
def _():
    return [([note(0.07, "sine", 1760, 0.4, 0.004, 0.06)], 1.0)], []


@recipe("guistartplay")
def _():
    return [(_arp([C5, E5, G5, 84], 0.08, "pluck", 0.7, 0.6), 1.0)] + _chime([84, 88], 0.8), ["reverb", "40"]


@recipe("item_fall")
def _():
    return [([note(0.14, "sine", "220/70", 0.8, 0.001, 0.12)], 1.0),
            ([_noise_burst(0.05, "pinknoise", "-1500", 0.3)], 0.5)], []


@recipe("match")
def _():
    return [(_arp([C5, E5, G5], 0.05, "pluck", 0.7, 0.45), 1.0)] + _chime([84], 0.5), ["reverb", "25"]


@recipe("match4")
def _():
    return [(_arp([C5, E5, G5, 84], 0.05, "pluck", 0.7, 0.5), 1.0)] + _chime([84, 88, 91], 0.8), ["reverb", "35"]


for _lvl, _name in enumerate(["matchauto", "matchauto2", "matchauto3", "matchauto4"]):
    RECIPES[_name] = (lambda lvl: (lambda: cascade(lvl)))(_lvl)


@recipe("locked")
def _():
    return [([note(0.18, "square", 110, 0.5, 0.001, 0.15, ["lowpass", "900"])], 1.0),
            ([note(0.12, "triangle", 880, 0.3, 0.001, 0.1)], 0.5)], []


@recipe("chaine")
def _():
    chains = []
    for i, f in enumerate([3200, 2500, 3800, 2900, 3400]):
        chains.append(_noise_burst(0.04, "whitenoise", "%d-%d" % (f - 600, f + 600), 0.6 - 0.08 * i))
        chains.append(rest(0.025))
    return [(chains, 1.0), ([note(0.3, "triangle", 1900, 0.2, 0.001, 0.28)], 0.4)], []


@recipe("break1")
def _():
    return [([_noise_burst(0.18, "whitenoise", "1000-7000", 0.8)], 0.9),
            ([note(0.2, "sine", "180/60", 0.8, 0.001, 0.18)], 0.8)], []


@recipe("nomoremoves")
def _():
    return [([note(0.4, "sawtooth", "520:330", 0.4, 0.02, 0.1, ["lowpass", "1500"]),
              note(0.7, "sawtooth", "330:180", 0.4, 0.02, 0.4, ["lowpass", "1200"])], 1.0)], ["tremolo", "6", "40"]


@recipe("hint")
def _():
    return [(_arp([88, 91, 96], 0.07, "sine", 0.5, 0.4), 1.0)], ["reverb", "40"]


@recipe("achieve")
def _():
    brass = ["lowpass", "2500"]
    seq = [note(0.12, "sawtooth", hz(67), 0.5, 0.01, 0.04, brass),
           note(0.12, "sawtooth", hz(72), 0.5, 0.01, 0.04, brass),
           note(0.12, "sawtooth", hz(76), 0.5, 0.01, 0.04, brass),
           note(0.7, "sawtooth", hz(79), 0.5, 0.01, 0.5, brass)]
    return [(seq, 1.0), ([rest(0.36)] + [note(0.7, "sine", hz(91), 0.3, 0.01)], 0.5)], ["reverb", "35"]


@recipe("layout")
def _():
    return [([note(0.5, "pinknoise", 100, 0.5, 0.2, 0.3, ["sinc", "400-2500"])], 0.6)] + \
        [([rest(0.25)] + c, v) for c, v in _chime([60, 64, 67, 72], 0.9, "triangle")], ["reverb", "50"]


@recipe("monsterappear")
def _():
    return [([note(0.45, "sine", "200/800", 0.6, 0.01, 0.2)], 1.0),
            ([_noise_burst(0.08, "pinknoise", "-2000", 0.5)], 0.6)], ["tremolo", "18", "60"]


@recipe("effectmonster")
def _():
    return [([note(0.4, "sawtooth", "300:180", 0.5, 0.01, 0.2, ["lowpass", "2000"])], 1.0)], ["tremolo", "30", "70"]


@recipe("effectmonsterbat")
def _():
    chains = []
    for _i in range(3):
        chains += [_noise_burst(0.07, "pinknoise", "200-1200", 0.7), rest(0.05)]
    return [(chains, 1.0), ([note(0.3, "sine", "1200/2400", 0.15, 0.01, 0.1)], 0.4)], []


@recipe("hitmonster")
def _():
    return [([_noise_burst(0.08, "whitenoise", "500-4000", 0.8)], 0.8),
            ([note(0.15, "sine", "320/110", 0.8, 0.001, 0.12)], 0.9)], []


@recipe("monsterdie")
def _():
    return [([note(0.6, "sine", "900/90", 0.7, 0.005, 0.4)], 1.0),
            ([rest(0.3), _noise_burst(0.4, "pinknoise", "-1500", 0.5)], 0.6)], ["reverb", "20"]


@recipe("sortappear")
def _():
    voices = []
    for i, m in enumerate([84, 88, 91, 96]):
        voices.append(([rest(0.06 * i + 0.001), note(0.6, "sine", hz(m), 0.4, 0.02, 0.5)], 0.5))
    return voices, ["tremolo", "12", "30", "reverb", "50"]


@recipe("electric")
def _():
    return [([note(0.5, "square", 90, 0.4, 0.001, 0.1)], 0.6),
            ([_noise_burst(0.5, "whitenoise", "2000-9000", 0.5, release=0.1)], 0.6)], ["tremolo", "45", "90"]


@recipe("sortlaunch")
def _():
    return [([note(0.45, "sine", "300/1500", 0.6, 0.01, 0.2)], 0.8),
            ([note(0.45, "pinknoise", 100, 0.5, 0.2, 0.2, ["sinc", "1000-5000"])], 0.6)], ["reverb", "30"]


@recipe("endgame")
def _():
    brass = ["lowpass", "3000"]
    lead = [note(0.18, "sawtooth", hz(m), 0.5, 0.01, 0.05, brass) for m in (60, 64, 67)]
    lead += [note(0.36, "sawtooth", hz(72), 0.5, 0.01, 0.08, brass),
             note(0.18, "sawtooth", hz(67), 0.5, 0.01, 0.05, brass),
             note(1.6, "sawtooth", hz(72), 0.5, 0.01, 1.0, brass)]
    start = 0.18 * 3 + 0.36 + 0.18
    voices = [(lead, 1.0)]
    for m in (48, 55, 64, 76):
        voices.append(([rest(start), note(1.6, "triangle", hz(m), 0.4, 0.02, 1.0)], 0.45))
    voices.append(([rest(start), _noise_burst(1.2, "whitenoise", "6000-12000", 0.15)], 0.4))
    return voices, ["reverb", "45"]


@recipe("timesup")
def _():
    seq = [note(0.25, "square", hz(m), 0.4, 0.005, 0.05, ["lowpass", "1800"]) for m in (67, 63)]
    seq.append(note(0.7, "square", hz(58), 0.4, 0.005, 0.4, ["lowpass", "1500"]))
    return [(seq, 1.0)], []


@recipe("clickfail")
def _():
    return [([note(0.08, "square", 196, 0.5, 0.001, 0.03, ["lowpass", "1200"]),
              note(0.14, "square", 147, 0.5, 0.001, 0.1, ["lowpass", "1000"])], 1.0)], []


@recipe("hintactive")
def _():
    return [([note(0.35, "sine", "1200/2400", 0.4, 0.01, 0.25)], 0.8)] + _chime([96], 0.5), ["reverb", "30"]


@recipe("explo1")
def _():
    return [([_noise_burst(0.6, "brownnoise", "-2500", 0.9, release=0.55)], 1.0),
            ([note(0.4, "sine", "120/40", 0.8, 0.001, 0.35)], 0.8)], []


@recipe("freeze")
def _():
    voices = [([_noise_burst(0.5, "whitenoise", "5000-12000", 0.5, 0.02, 0.45)], 0.7)]
    for i, m in enumerate([96, 100, 103]):
        voices.append(([rest(0.05 * i + 0.001), note(0.5, "sine", hz(m), 0.3, 0.005, 0.45)], 0.4))
    return voices, ["reverb", "40"]


@recipe("freeluminos")
def _():
    return [(_arp([84, 88, 91, 96, 100], 0.07, "sine", 0.5, 0.6), 1.0)], ["tremolo", "9", "40", "reverb", "60"]


@recipe("exploglace")
def _():
    voices = [([_noise_burst(0.35, "whitenoise", "3000-12000", 0.9, release=0.3)], 0.8)]
    for i, m in enumerate([91, 98, 95, 101]):
        voices.append(([rest(0.03 * i + 0.001), note(0.4, "triangle", hz(m), 0.3, 0.001, 0.35)], 0.35))
    return voices, ["reverb", "30"]


@recipe("explobig")
def _():
    return [([_noise_burst(1.3, "brownnoise", "-1800", 0.9, release=1.2)], 1.0),
            ([note(1.0, "sine", "90/30", 0.9, 0.001, 0.9)], 0.9),
            ([_noise_burst(0.3, "whitenoise", "1000-6000", 0.5)], 0.4)], ["reverb", "30"]


@recipe("fallbomb")
def _():
    return [([note(0.8, "sine", "1600/400", 0.5, 0.02, 0.1)], 1.0)], []


@recipe("chainburn")
def _():
    return [([_noise_burst(1.0, "pinknoise", "300-3000", 0.6, 0.1, 0.5)], 1.0),
            ([note(1.0, "sawtooth", "200:90", 0.2, 0.1, 0.6, ["lowpass", "800"])], 0.5)], ["tremolo", "23", "70"]


@recipe("fizzle")
def _():
    return [([_noise_burst(0.55, "whitenoise", "4000-10000", 0.6, 0.01, 0.5)], 1.0)], ["tremolo", "31", "60"]


@recipe("guicourt")
def _():
    return [([note(0.12, "triangle", hz(84), 0.5, 0.001, 0.1)], 1.0)], []


@recipe("guilong")
def _():
    return _chime([72, 79, 84], 1.2, "triangle"), ["reverb", "50"]


@recipe("tuto")
def _():
    return [(_arp([79, 84], 0.12, "pluck", 0.6, 0.7), 1.0)] + _chime([91], 0.6), ["reverb", "45"]


@recipe("excellent")
def _():
    up = _arp([72, 76, 79, 84, 88, 91, 96], 0.045, "pluck", 0.7, 0.3)
    voices = [(up, 1.0)]
    for m in (84, 88, 91):
        voices.append(([rest(0.27), note(1.0, "triangle", hz(m), 0.4, 0.01, 0.8)], 0.5))
    return voices, ["reverb", "50"]


@recipe("arrowmove")
def _():
    return [([note(0.5, "pinknoise", 100, 0.5, 0.15, 0.3, ["sinc", "600-2500"])], 0.7),
            ([note(0.5, "sine", "500/900", 0.25, 0.1, 0.3)], 0.4)], []


@recipe("wordfound")
def _():
    return [(_arp([79, 86], 0.1, "pluck", 0.7, 0.6), 1.0)] + _chime([91, 98], 0.7), ["reverb", "35"]


def generic():
    """Fallback for a sound without its own recipe: a neutral chime."""
    return _chime([76, 83], 0.5), []
