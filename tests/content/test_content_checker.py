#!/usr/bin/env python3
"""The content checker passes on a sound small pack and catches each rule on
a copy of it broken in one place. Fixtures are built here, in a temporary
folder laid out like a pack."""
import os
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import shutil
import tempfile
import unittest

SOURCE_DIR = os.environ.get("QV_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools"))
sys.path.insert(0, os.path.join(SOURCE_DIR, "tools", "art"))

from PIL import Image  # noqa: E402

import check_content  # noqa: E402
import _map_layout as map_layout  # noqa: E402
import gen_fonts  # noqa: E402
import loudness  # noqa: E402
import sox_kit  # noqa: E402
from required_names import parse_required  # noqa: E402

GLOBAL = """<global>
  <images><image name="gpanel"><filename>gui/panel.png</filename></image></images>
  <levels><level name="pause"><lvlelements></lvlelements></level></levels>
</global>
"""

# Uses the forward references the readers allow: a particle source declared
# after its emitter and a parent declared after its child.
SCENE = """<scene>
  <images>
    <image name="sheet"><colorkey>-16711936</colorkey><filename>art/sheet.png</filename></image>
  </images>
  <sprites>
    <sprite name="s1"><sourceimage>sheet</sourceimage><sourcerect x="0" y="0" width="32" height="32"/></sprite>
    <sprite name="s2"><sourceimage>sheet</sourceimage><sourcerect x="32" y="0" width="32" height="32"/></sprite>
  </sprites>
  <elements>
    <element type="particle" name="sparks"><sourceelement>dot</sourceelement></element>
    <element type="image" name="dot"><sourcesprite>s1</sourcesprite></element>
    <element type="image" name="button"><sourcesprite>s2</sourcesprite>
      <shape type="polygon"><vertex x="-16" y="-16"/><vertex x="16" y="-16"/><vertex x="16" y="16"/><vertex x="-16" y="16"/></shape>
    </element>
    <element type="anim" name="blink"><sprites><sprite>s1</sprite><sprite>s2</sprite></sprites>
      <shape type="circle"><radius>12</radius></shape></element>
  </elements>
  <levels>
    <level name="main"><lvlelements>
      <lvlelement name="label"><sourceelement>dot</sourceelement><parent>btn</parent></lvlelement>
      <lvlelement name="btn"><sourceelement>button</sourceelement>
        <behaviors><behavior type="mouseovergrow"><soundover>click</soundover></behavior></behaviors></lvlelement>
      <lvlelement name="text"><sourceelement>myfont</sourceelement></lvlelement>
    </lvlelements></level>
  </levels>
</scene>
"""

LANG = """<?xml version="1.0" encoding="ISO-8859-1"?>
<lang>
<text code="ok">OK</text>
<text code="hello">Caf\xe9 ouvert</text>
<text code="stars">%s has %d stars (100%% bright)</text>
</lang>
"""

REQUIRED = """sound click click.ogg 3 1
lang ok
file art/sheet.png
image scene.xml sheet
level scene.xml 1
clickable scene.xml 0 btn
shaped scene.xml {button,blink}
format stars %s%d
particle scene.xml sparks
alias scene.xml myfont
alias * guifont
reserved _bdr0
"""


# A world map with one spot (its position filled in) and the map arrow.
MAP_SCENE = """<scene>
  <images>
    <image name="mapparts"><filename>art/sheet.png</filename></image>
    <image name="cooper-font16"><filename>fonts/cooper-font16.png</filename></image>
    <image name="cooper-font20"><filename>fonts/cooper-font20.png</filename></image>
  </images>
  <sprites>
    <sprite name="spoton"><sourceimage>mapparts</sourceimage><sourcerect x="0" y="0" width="24" height="24"/></sprite>
    <sprite name="maparrow"><sourceimage>mapparts</sourceimage><sourcerect x="24" y="0" width="32" height="32"/></sprite>
  </sprites>
  <elements>
    <element type="image" name="spoton"><sourcesprite>spoton</sourcesprite></element>
    <element type="image" name="maparrow"><sourcesprite>maparrow</sourcesprite></element>
  </elements>
  <levels><level name="map"><lvlelements>
    <lvlelement name="sp0"><sourceelement>spoton</sourceelement><pos x="%d" y="%d"/></lvlelement>
  </lvlelements></level></levels>
</scene>
"""


def replace(name, old, new):
    def edit(files):
        assert old in files[name], "fixture text %r not in %s" % (old, name)
        files[name] = files[name].replace(old, new)
    return edit


def add(name, text):
    def edit(files):
        files[name] = text
    return edit


# (rule the checker must report, what breaks the pack)
BROKEN = [
    ("xml", replace("scene.xml", "</scene>", "")),
    ("unresolved", replace("scene.xml", "<sourceimage>sheet</sourceimage><sourcerect x=\"32\"",
                           "<sourceimage>later</sourceimage><sourcerect x=\"32\"")),
    ("unresolved", replace("scene.xml", "<sourceelement>button</sourceelement>",
                           "<sourceelement>nobutton</sourceelement>")),
    ("unresolved", replace("scene.xml", "<sourceelement>dot</sourceelement></element>",
                           "<sourceelement>nodot</sourceelement></element>")),
    ("unresolved", replace("scene.xml", "<parent>btn</parent>", "<parent>nobody</parent>")),
    ("unresolved", replace("scene.xml", "art/sheet.png", "art/missing.png")),
    ("unresolved", replace("scene.xml", "art/sheet.png", "Art/Sheet.png")),    # letter case
    ("unresolved", replace("scene.xml", "<soundover>click</soundover>", "<soundover>boom</soundover>")),
    ("element-type", replace("scene.xml", 'type="image" name="dot"', 'type="Image" name="dot"')),
    ("duplicate", replace("scene.xml", '<sprite name="s2">', '<sprite name="s1">')),
    ("duplicate", replace("scene.xml", '<lvlelement name="text">', '<lvlelement name="btn">')),
    ("duplicate", replace("data/lang.xml", 'code="hello"', 'code="ok"')),
    ("shared-image", replace("global.xml", 'name="gpanel"', 'name="sheet"')),
    ("shared-image", replace("global.xml", "gui/panel.png", "art/sheet.png")),
    ("sprite-bounds", replace("scene.xml", 'x="32" y="0" width="32"', 'x="40" y="0" width="32"')),
    ("sprite-bounds", replace("scene.xml", 'width="32" height="32"/></sprite>\n    <sprite name="s2">',
                              'width="32" height="0"/></sprite>\n    <sprite name="s2">')),
    ("no-shape", replace("scene.xml", '<shape type="polygon"><vertex x="-16" y="-16"/><vertex x="16" y="-16"/>'
                         '<vertex x="16" y="16"/><vertex x="-16" y="16"/></shape>', "")),
    ("no-shape", replace("scene.xml", '<lvlelement name="btn"><sourceelement>button</sourceelement>',
                         '<lvlelement name="btn"><sourceelement>dot</sourceelement>')),
    ("polygon", replace("scene.xml", '<vertex x="-16" y="-16"/><vertex x="16" y="-16"/><vertex x="16" y="16"/>'
                        '<vertex x="-16" y="16"/>', '<vertex x="-16" y="16"/><vertex x="16" y="16"/>'
                        '<vertex x="16" y="-16"/><vertex x="-16" y="-16"/>')),          # clockwise
    ("polygon", replace("scene.xml", '<vertex x="16" y="16"/><vertex x="-16" y="16"/>',
                        '<vertex x="0" y="-8"/><vertex x="-16" y="16"/>')),             # not convex
    ("polygon", replace("scene.xml", '<vertex x="16" y="16"/><vertex x="-16" y="16"/>', "")),  # 2 vertices
    ("polygon", replace("scene.xml", '<vertex x="-16" y="16"/></shape>',
                        '<vertex x="-16" y="16"/><vertex x="-16" y="16"/></shape>')),   # repeated vertex
    ("polygon", replace("scene.xml", '<vertex x="-16" y="16"/></shape>', '<vertex x="-16" y="16"/>' +
                        "".join('<vertex x="%d" y="%d"/>' % (-17 - i, 15 - i) for i in range(18)) + "</shape>")),
    ("reserved", replace("scene.xml", 'name="blink"', 'name="guifont"')),
    ("reserved", replace("scene.xml", '<lvlelement name="text">', '<lvlelement name="_bdr0">')),
    ("argb-unsigned", replace("scene.xml", "<colorkey>-16711936</colorkey>", "<colorkey>4278255360</colorkey>")),
    ("lang-format", replace("data/lang.xml", ">OK<", "> OK<")),
    ("lang-format", replace("data/lang.xml", '<text code="ok">', "<text>")),
    ("lang-format", replace("data/lang.xml", "%s has %d stars", "%d has %s stars")),     # order
    ("lang-format", replace("data/lang.xml", "%s has %d stars", "%s has stars")),        # one missing
    ("lang-format", replace("data/lang.xml", "(100%% bright)", "(100% bright)")),        # stray %
    ("no-shape", replace("scene.xml", '<shape type="circle"><radius>12</radius></shape>', "")),
    ("required", add("required-extra", "shaped scene.xml nothere\n")),
    ("required", add("required-extra", "format nokey %d\n")),
    ("font", replace("global.xml", 'name="gpanel"', 'name="panel-font12"')),
    ("required", replace("data/lang.xml", 'code="ok"', 'code="okay"')),
    ("required", replace("scene.xml", '<image name="sheet">', '<image name="sheet2">')),
    ("required", add("required-extra", "lvlelement scene.xml 0 missing\n")),
    ("required", add("required-extra", "level global.xml 2\n")),
    ("required", add("required-extra", "sound boom boom.ogg 3 1\n")),
    ("required", add("required-extra", "element {scene,other}.xml dot\n")),    # one choice lacks it
    ("required", add("required-extra", "shaped scene.xml nothing\n")),
    ("no-shape", add("required-extra", "shaped scene.xml dot\n")),
    ("required", add("required-extra", "particle scene.xml dot\n")),                 # not an emitter
    ("required", replace("scene.xml", "<sourceelement>dot</sourceelement></element>",
                         "<sourceelement>nodot</sourceelement></element>")),       # no particle source
]


# Tones already made in this run, by their settings: every fixture copies
# its tone from here, as making one takes several sox runs and a loudness
# measurement.
_TONES = tempfile.TemporaryDirectory(prefix="qv_tones_")


def write_tone(path, level_db=loudness.EFFECT_DB, after_gain=0.0, peak_db=-1.5):
    """A short plucked tone made as the sound generator makes its effects:
    at level_db loudness (None: only peak-normalized, far louder), then
    turned by after_gain dB."""
    made_once = os.path.join(_TONES.name, "tone_%s_%s_%s%s" % (
        level_db, after_gain, peak_db, os.path.splitext(path)[1]))
    if not os.path.exists(made_once):
        raw = os.path.join(_TONES.name, "tone-raw.wav")
        sox_kit.render_sequence([sox_kit.note(0.6, "pluck", 660.0)], raw)
        made = os.path.join(_TONES.name, "tone-made.wav")
        sox_kit.finish(raw, made, (), peak_db, level_db)
        sox_kit.run([made, made_once, "gain", "%.2f" % after_gain])
        os.remove(raw)
        os.remove(made)
    shutil.copyfile(made_once, path)


def write_bytes(path, data):
    with open(path, "wb") as f:
        f.write(data)


# (file, how it is made, text of the loudness problem or None for none)
SOUNDS = [
    ("click.ogg", lambda p: write_tone(p), None),
    ("click.ogg", lambda p: write_tone(p, None), "effects are"),             # far louder
    ("click.ogg", lambda p: write_tone(p, after_gain=-4.0), "effects are"),  # far quieter
    ("click.ogg", lambda p: write_tone(p, None, peak_db=-0.2), "dBFS, above -1.0"),
    ("click.ogg", lambda p: write_bytes(p, b"OggS"), "sox cannot read"),
    ("musicmap.ogg", lambda p: write_tone(p, loudness.MUSIC_DB), None),
    ("musicmap.ogg", lambda p: write_tone(p), "music tracks are"),           # as loud as effects
]


class ContentCheckerTest(unittest.TestCase):
    def check(self, files, fonts=(), sound=("click.ogg", write_tone)):
        with tempfile.TemporaryDirectory() as tmp:
            pack = os.path.join(tmp, "pack")
            sounds = os.path.join(tmp, "sounds")
            os.makedirs(os.path.join(pack, "art"))
            os.makedirs(os.path.join(pack, "gui"))
            os.makedirs(os.path.join(pack, "data"))
            os.makedirs(os.path.join(pack, "fonts"))
            for font in fonts:
                gen_fonts.render_font(font, "DejaVuSans", "shadow", os.path.join(pack, "fonts", font + ".png"))
            os.makedirs(sounds)
            if sound[0] != "click.ogg":
                write_tone(os.path.join(sounds, "click.ogg"))
                files = dict(files)
                files["required-extra"] = files.get("required-extra", "") + "sound %s %s 2 1\n" % (
                    os.path.splitext(sound[0])[0], sound[0])
            sound[1](os.path.join(sounds, sound[0]))
            Image.new("RGBA", (64, 32), (255, 0, 0, 255)).save(os.path.join(pack, "art", "sheet.png"))
            Image.new("RGBA", (16, 16), (0, 0, 255, 255)).save(os.path.join(pack, "gui", "panel.png"))
            required_path = os.path.join(tmp, "required.txt")
            with open(required_path, "w") as f:
                f.write(REQUIRED + files.get("required-extra", ""))
            for name, text in files.items():
                if name == "required-extra":
                    continue
                with open(os.path.join(pack, name), "wb") as f:
                    f.write(text.encode("latin-1"))
            checker = check_content.Checker(check_content.Pack(pack), parse_required(required_path), sounds)
            return checker.run()

    def base(self):
        return {"global.xml": GLOBAL, "scene.xml": SCENE, "data/lang.xml": LANG}

    def test_sound_pack_passes(self):
        self.assertEqual(self.check(self.base()), [])

    def test_each_rule_catches_its_fault(self):
        for rule, edit in BROKEN:
            files = self.base()
            edit(files)
            problems = self.check(files)
            with self.subTest(rule=rule, problems=problems):
                self.assertTrue(any("[%s]" % rule in p for p in problems),
                                "rule %s not reported; got %s" % (rule, problems))

    def test_sound_loudness_is_measured(self):
        for name, make, text in SOUNDS:
            problems = [p for p in self.check(self.base(), sound=(name, make)) if "[loudness]" in p]
            with self.subTest(sound=name, text=text, problems=problems):
                if text is None:
                    self.assertEqual(problems, [])
                else:
                    self.assertTrue(any(text in p and name in p for p in problems))

    def test_only_the_listed_font_may_be_shared_with_global(self):
        """A screen may declare the global "andalus-font12" again, under the
        same name and file; any other sharing stays a fault."""
        global_fonts = GLOBAL.replace(
            "</images>", '<image name="andalus-font12"><filename>fonts/andalus-font12.png</filename></image>'
            '<image name="showcard-font12"><filename>fonts/showcard-font12.png</filename></image></images>')
        cases = [
            # (scene's image entry, shared-image reported)
            ('<image name="andalus-font12"><filename>fonts/andalus-font12.png</filename></image>', False),
            ('<image name="andalus-font12"><filename>fonts/other-font12.png</filename></image>', True),
            ('<image name="my-font12"><filename>fonts/andalus-font12.png</filename></image>', True),
            ('<image name="showcard-font12"><filename>fonts/showcard-font12.png</filename></image>', True),
        ]
        for entry, reported in cases:
            files = self.base()
            files["global.xml"] = global_fonts
            files["scene.xml"] = SCENE.replace("  </images>", "    %s\n  </images>" % entry, 1)
            problems = self.check(files, fonts=("andalus-font12", "showcard-font12", "other-font12"))
            with self.subTest(entry=entry, problems=problems):
                self.assertEqual(any("[shared-image]" in p for p in problems), reported)
                self.assertEqual([p for p in problems if "[shared-image]" not in p], [])

    def test_trophy_titles_must_fit_their_plates(self):
        """Every "achieve...title" is measured in the trophies' font against
        the name plate; other texts are not."""
        global_font = GLOBAL.replace(
            "</images>", '<image name="matura-font13"><filename>fonts/matura-font13.png</filename></image></images>')
        long_title = "Apprentice of the Stars and of the Moons"
        cases = [
            # (language entry, text-fit reported)
            ('<text code="achievespellusedtitle">Gem Weaver</text>', False),
            ('<text code="achievespellusedtitle">%s</text>' % long_title, True),
            ('<text code="achievespellused">%s</text>' % long_title, False),     # not a title
        ]
        for entry, reported in cases:
            files = self.base()
            files["global.xml"] = global_font
            files["data/lang.xml"] = LANG.replace("</lang>", entry + "\n</lang>")
            problems = self.check(files, fonts=("matura-font13",))
            with self.subTest(entry=entry, problems=problems):
                self.assertEqual(any("[text-fit]" in p for p in problems), reported)
                self.assertEqual([p for p in problems if "[text-fit]" not in p], [])

    def test_map_arrow_and_interludes_keep_off_the_world_names(self):
        """The map arrow over a spot must not cover a world name, and an
        interlude line must lie on the interlude's panel; a name in the
        way of a line is fine when the panel covers it whole."""
        name_x, name_y = map_layout.NAMES[0]
        cases = [
            # (spot position, interlude line, map-overlap reported)
            ((name_x, name_y + 120), "A short line.", False),
            ((name_x, name_y - map_layout.ARROW_LIFT), "A short line.", True),       # arrow on the name
            ((name_x, name_y + 120), "W" * 60, True),                               # line off the panel
        ]
        for spot, line, reported in cases:
            files = self.base()
            files["map.xml"] = MAP_SCENE % spot
            files["data/lang.xml"] = LANG.replace(
                "</lang>", '<text code="worldname1">Clover Meadows</text>\n<text code="st00a">%s</text>\n</lang>'
                % line)
            problems = self.check(files, fonts=("cooper-font16", "cooper-font20"))
            with self.subTest(spot=spot, line=line, problems=problems):
                self.assertEqual(any("[map-overlap]" in p for p in problems), reported)
                self.assertEqual([p for p in problems if "[map-overlap]" not in p], [])

    def test_dialog_buttons_keep_their_room(self):
        """A dialog's button keeps BUTTON_EDGE from its panel's face and
        BUTTON_GAP from every other control; buttons may stand close in a
        stack."""
        dialog = """<global>
  <images><image name="gpanel"><filename>gui/panel.png</filename></image></images>
  <sprites>
    <sprite name="spanel"><sourceimage>gpanel</sourceimage><sourcerect x="0" y="0" width="400" height="300"/></sprite>
    <sprite name="sbutton"><sourceimage>gpanel</sourceimage><sourcerect x="0" y="0" width="200" height="40"/></sprite>
    <sprite name="sbox"><sourceimage>gpanel</sourceimage><sourcerect x="0" y="0" width="32" height="32"/></sprite>
  </sprites>
  <elements>
    <element type="image" name="panel"><sourcesprite>spanel</sourcesprite></element>
    <element type="image" name="button"><sourcesprite>sbutton</sourcesprite></element>
    <element type="image" name="box"><sourcesprite>sbox</sourcesprite></element>
  </elements>
  <levels><level name="options"><lvlelements>
    <lvlelement name="interfaceback"><sourceelement>panel</sourceelement><pos x="0" y="0"/></lvlelement>
    <lvlelement name="timemode"><sourceelement>box</sourceelement><pos x="-90" y="-60"/></lvlelement>
    %s
  </lvlelements></level></levels>
</global>
"""
        def button(name, y, x=0):
            return '<lvlelement name="%s"><sourceelement>button</sourceelement><pos x="%d" y="%d"/></lvlelement>' % (
                name, x, y)
        # The face's bottom is at -150, the box's at -76.
        cases = [
            # (buttons, button-margin reported)
            (button("btnok", -110), False),                                  # 20 from the edge, 14 from the box
            (button("btnok", -125), True),                                   # 5 from the edge
            (button("btnok", -100), True),                                   # 4 from the box
            (button("btnok", -110) + button("btnup", -65, 60), False),       # a stack, clear of the box
        ]
        for buttons, reported in cases:
            files = self.base()
            files["global.xml"] = dialog % buttons
            problems = [p for p in self.check(files) if "[button-margin]" in p]
            with self.subTest(buttons=buttons, problems=problems):
                self.assertEqual(bool(problems), reported)


class RealPackTest(unittest.TestCase):
    """The built pack passes every rule (a CTest case of its own, run beside
    the fixture cases)."""

    def test_real_pack_passes(self):
        build = os.environ.get("QV_BUILD_DIR")
        if not build:
            self.skipTest("QV_BUILD_DIR not set")
        code = check_content.main(["--pack", os.path.join(build, "data", "data.pk"),
                                   "--sounds", os.path.join(build, "data", "sounds"),
                                   "--content", os.path.join(SOURCE_DIR, "content")])
        self.assertEqual(code, 0)


if __name__ == "__main__":
    unittest.main()
