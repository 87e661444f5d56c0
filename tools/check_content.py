#!/usr/bin/env python3
"""The content checker: reads every XML file of a pack as the engine does and
reports what would go wrong in the game.

    check_content.py --pack <data.pk or folder> [--sounds <folder>]
                     [--content <content folder, for content/required/>]
                     [--required <list file>]...

Each problem is printed as "<file>: [<rule>] <text>"; the exit code is 1 when
there is any. Rules:
  xml            a file that does not parse
  unresolved     a name that does not resolve to something read earlier in
                 the file (particle sources and level-element parents may
                 point forward), an image file missing from the pack, a sound
                 name not in the sound table
  element-type   an element whose type is not exactly image, anim or particle
                 (the reader skips it without a word)
  duplicate      two images, sprites, elements, level elements of one level,
                 or language keys with one name
  shared-image   an image name or file used by both global.xml and a scene
                 file (unloading the scene would drop the global texture);
                 only the font images in SHARED_FONTS may be named again,
                 with the same name and file as in global.xml (a screen makes
                 its own text element from it, and the font keeps its glyphs)
  sprite-bounds  a sprite rectangle outside its image or empty
  no-shape       a clickable template (hit-tested) without a shape (level
                 elements named by "clickable", templates named by "shaped")
  polygon        a polygon that is not convex, counter-clockwise, with 3..20
                 distinct vertices
  reserved       a name the engine or the game makes itself, defined in a file
  argb-unsigned  an ARGB value above 0x7FFFFFFF written unsigned (write it as
                 the signed 32-bit value)
  lang-format    white space around a language value, a text without code, a
                 text the code formats whose conversions differ from its list
  font           a "*-fontNN" image that is not a valid image font
  required       a name from the required lists that the data lacks
  loudness       a sound file that sox cannot read, that peaks above
                 PEAK_LIMIT_DB, or whose loudness (tools/loudness.py) lies
                 more than BAND_DB from EFFECT_DB (effects) or MUSIC_DB
                 (the music tracks of tools/sound_music.py), so that one
                 effect would sound far louder than another
  text-fit, map-overlap, tip-overlap, button-margin   texts on painted
                 plates, the world map, the trophies' tips and the dialogs'
                 buttons, measured in their fonts (tools/check_placement.py)
"""
import argparse
import io
import math
import os
import re
import subprocess
import sys
sys.dont_write_bytecode = True  # no caches in the source tree

import zipfile

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)

from PIL import Image  # noqa: E402

import loudness  # noqa: E402
import check_placement  # noqa: E402
import xml_tree  # noqa: E402
from sound_music import TRACKS as MUSIC_TRACKS  # noqa: E402
from font_image import read_glyphs  # noqa: E402
from required_names import parse_required, read_required  # noqa: E402

FONT_NAME = re.compile(r"-font\d+$")
FONT_GLYPHS = 224                  # Latin-1 32..255
MAX_POLYGON_VERTICES = 20
MIN_VERTEX_DISTANCE = 0.1          # pixels; closer vertices are welded by the physics
MAX_FILE_NAME = 79
LANG_FILE = "data/lang.xml"
GLOBAL_FILE = "global.xml"
NOT_SCENES = {LANG_FILE, "data/layouts.xml"}
MOUSE_BEHAVIOURS = {"mouseoverelement", "mouseovergrow"}
BORDER_NAMES = {"_bdr0", "_bdr1", "_bdr2", "_bdr3"}
INT32_MAX = 0x7FFFFFFF
# Global font images a screen's file may declare again (same name, same file):
# the hidden-object screens make their "andalus12" texts from their own copy.
SHARED_FONTS = {"andalus-font12"}
# One printf conversion, or "%%"; a "%" that starts neither is stray.
CONVERSION = re.compile(r"%(%|[-+ #0]*\d*(?:\.\d+)?(?:hh|h|ll|l|L|z|j|t)?[diouxXeEfFgGaAcsp])?")


def conversions(text):
    """The printf conversions of a format text, in order, and whether a stray
    "%" (one that starts no conversion) is in it."""
    found, stray = [], False
    for m in CONVERSION.finditer(text):
        if m.group(1) is None:
            stray = True
        elif m.group(1) != "%":
            found.append(m.group(0))
    return found, stray


class Pack:
    """A zip pack or a folder laid out like one."""

    def __init__(self, path):
        self.path = path
        if os.path.isdir(path):
            self.names = sorted(os.path.relpath(os.path.join(r, f), path).replace(os.sep, "/")
                                for r, _d, fs in os.walk(path) for f in fs)
            self._zip = None
        else:
            self._zip = zipfile.ZipFile(path)
            self.names = sorted(n for n in self._zip.namelist() if not n.endswith("/"))
        self._lower = {n.lower(): n for n in self.names}

    def find(self, name):
        """The entry name for a file name (the pack is searched ignoring case,
        as the engine's file system does), or None."""
        return self._lower.get(name.replace("\\", "/").lower())

    def read(self, name):
        if self._zip:
            return self._zip.read(name)
        with open(os.path.join(self.path, name), "rb") as f:
            return f.read()


class Checker:
    def __init__(self, pack, required, sounds_dir=None):
        self.pack = pack
        self.required = required
        self.sounds_dir = sounds_dir
        self.problems = []
        self.scenes = {}            # file -> parsed scene facts
        self.image_sizes = {}
        self.lang_values = {}       # language key -> text
        self.sound_names = {e.args[0] for e in required if e.kind == "sound"}
        self.reserved = {e.args[0] for e in required if e.kind == "reserved"}
        self.aliases = {}           # file or "*" -> names
        for e in required:
            if e.kind == "alias":
                self.aliases.setdefault(e.args[0], set()).add(e.args[1])
        self.all_aliases = set().union(*self.aliases.values()) if self.aliases else set()

    def report(self, where, rule, text):
        self.problems.append("%s: [%s] %s" % (where, rule, text))

    # ---- helpers -------------------------------------------------------
    def _image_size(self, entry):
        if entry not in self.image_sizes:
            try:
                img = Image.open(io.BytesIO(self.pack.read(entry)))
                img.load()
                self.image_sizes[entry] = img
            except Exception:  # an unreadable picture is reported by the caller
                self.image_sizes[entry] = None
        return self.image_sizes[entry]

    def _check_polygon(self, where, name, vertices):
        n = len(vertices)
        if n < 3 or n > MAX_POLYGON_VERTICES:
            self.report(where, "polygon", "element %s: %d vertices (3 to %d)" % (name, n, MAX_POLYGON_VERTICES))
            return
        for i in range(n):
            for j in range(i + 1, n):
                if math.dist(vertices[i], vertices[j]) < MIN_VERTEX_DISTANCE:
                    self.report(where, "polygon", "element %s: vertices %d and %d are the same point" % (name, i, j))
                    return
        for i in range(n):
            (ax, ay), (bx, by), (cx, cy) = vertices[i], vertices[(i + 1) % n], vertices[(i + 2) % n]
            cross = (bx - ax) * (cy - by) - (by - ay) * (cx - bx)
            if cross <= 0:
                self.report(where, "polygon", "element %s: not convex and counter-clockwise at vertex %d"
                            % (name, (i + 1) % n))
                return

    def _is_font_name(self, name):
        return bool(FONT_NAME.search(name))

    # ---- scene and level files ----------------------------------------
    def check_scene_file(self, fname, doc):
        facts = {"images": {}, "files": {}, "sprites": set(), "elements": {}, "levels": []}
        self.scenes[fname] = facts
        for section in doc.children:
            if section.name == "images":
                for node in section.each("image"):
                    self._image(fname, facts, node)
            elif section.name == "sprites":
                for node in section.each("sprite"):
                    self._sprite(fname, facts, node)
            elif section.name == "elements":
                for node in section.each("element"):
                    self._element(fname, facts, node)
        # Particle sources resolve after all the elements are read.
        for name, el in facts["elements"].items():
            src = el.get("particle_source")
            if src and src not in facts["elements"]:
                self.report(fname, "unresolved", "particle %s: source element %s not found" % (name, src))
        levels = doc.child("levels")
        if levels is not None:
            for number, level in enumerate(levels.each("level")):
                facts["levels"].append(self._level(fname, facts, number, level))

    def _image(self, fname, facts, node):
        name = node.attr("name")
        if name in facts["images"]:
            self.report(fname, "duplicate", "image %s given twice" % name)
            return
        key = node.child("colorkey")
        if key is not None and xml_tree.atoi(key.value) > INT32_MAX:
            self.report(fname, "argb-unsigned", "image %s: colour key %s is above 0x7FFFFFFF"
                        % (name, key.value.strip()))
        fnode = node.child("filename")
        file_name = (fnode.value if fnode is not None else "").replace("\\", "/")
        if len(file_name) > MAX_FILE_NAME:
            self.report(fname, "unresolved", "image %s: file name longer than %d characters" % (name, MAX_FILE_NAME))
        entry = self.pack.find(file_name[:MAX_FILE_NAME]) if file_name else None
        if entry is None:
            self.report(fname, "unresolved", "image %s: file %r not in the pack" % (name, file_name))
        elif entry != file_name[:MAX_FILE_NAME]:
            # The pack ignores letter case, a folder on Linux does not.
            self.report(fname, "unresolved", "image %s: file %r is spelt %r in the pack" % (name, file_name, entry))
        facts["images"][name] = entry
        if entry:
            facts["files"][entry] = name
            if self._is_font_name(name):
                img = self._image_size(entry)
                rects = read_glyphs(img) if img is not None else None
                if not rects or len(rects) != FONT_GLYPHS:
                    self.report(fname, "font", "image %s: %s is not an image font of %d glyphs"
                                % (name, file_name, FONT_GLYPHS))

    def _sprite(self, fname, facts, node):
        name = node.attr("name")
        if name in facts["sprites"]:
            self.report(fname, "duplicate", "sprite %s given twice" % name)
            return
        facts["sprites"].add(name)
        image = None
        for child in node.children:
            if child.name == "sourceimage":
                if child.value not in facts["images"]:
                    self.report(fname, "unresolved", "sprite %s: image %s not read before" % (name, child.value))
                else:
                    image = facts["images"][child.value]
            elif child.name == "sourcerect" and image:
                img = self._image_size(image)
                if img is None:
                    continue
                x, y = xml_tree.atoi(child.attr("x")), xml_tree.atoi(child.attr("y"))
                w, h = xml_tree.atoi(child.attr("width")), xml_tree.atoi(child.attr("height"))
                if w <= 0 or h <= 0 or x < 0 or y < 0 or x + w > img.size[0] or y + h > img.size[1]:
                    self.report(fname, "sprite-bounds", "sprite %s: rectangle (%d,%d %dx%d) outside its %dx%d image"
                                % (name, x, y, w, h, img.size[0], img.size[1]))

    def _element(self, fname, facts, node):
        name = node.attr("name")
        kind = node.attr("type")
        if kind not in ("image", "anim", "particle"):
            self.report(fname, "element-type", "element %s: type %r is skipped by the reader" % (name, kind))
            return
        if name in facts["elements"]:
            self.report(fname, "duplicate", "element %s given twice" % name)
            return
        if name in self.reserved or name in self.all_aliases:
            self.report(fname, "reserved", "element %s: the name is made by the code itself" % name)
        el = {"kind": kind, "shape": False}
        vertices = []
        polygon = False
        for child in node.children:
            if child.name == "sourcesprite" and kind == "image":
                if child.value not in facts["sprites"]:
                    self.report(fname, "unresolved", "element %s: sprite %s not read before" % (name, child.value))
            elif child.name == "sprites" and kind == "anim":
                for frame in child.each("sprite"):
                    if frame.value not in facts["sprites"]:
                        self.report(fname, "unresolved", "element %s: frame sprite %s not read before"
                                    % (name, frame.value))
            elif child.name == "sourceelement" and kind == "particle":
                el["particle_source"] = child.value[:29]
            elif child.name == "shape" and kind in ("image", "anim"):
                stype = child.attr("type").lower()
                if stype == "polygon":
                    polygon = True
                    vertices += [(xml_tree.atof(v.attr("x")), xml_tree.atof(v.attr("y")))
                                 for v in child.each("vertex")]
                elif stype == "circle":
                    radii = child.each("radius")
                    if radii and xml_tree.atof(radii[-1].value) > 0:
                        el["shape"] = True
        if polygon:
            self._check_polygon(fname, name, vertices)
            el["shape"] = len(vertices) >= 3
        facts["elements"][name] = el

    def _level(self, fname, facts, number, level):
        where = "%s level %d" % (fname, number)
        names = {}
        parents = []
        for section in level.each("lvlelements"):
            for node in section.each("lvlelement"):
                name = node.attr("name")
                if name in names:
                    self.report(where, "duplicate", "level element %s given twice" % name)
                    continue
                if name in self.reserved or name in BORDER_NAMES:
                    self.report(where, "reserved", "level element %s: the name is made by the engine" % name)
                info = {"source": None, "mouse": False}
                for child in node.children:
                    if child.name == "sourceelement":
                        src = child.value
                        if src in facts["elements"] or src in self._aliases_for(fname):
                            info["source"] = src
                        else:
                            self.report(where, "unresolved", "level element %s: element %s not in the scene"
                                        % (name, src))
                    elif child.name == "parent":
                        parents.append((name, child.value[:29]))
                    elif child.name == "color":
                        for ch in "argb":
                            if xml_tree.atoi(child.attr(ch)) > INT32_MAX:
                                self.report(where, "argb-unsigned", "level element %s: colour value above 0x7FFFFFFF"
                                            % name)
                    elif child.name == "behaviors":
                        for b in child.each("behavior"):
                            self._behaviour(where, fname, facts, name, b, info)
                names[name] = info
        for child, parent in parents:
            if parent not in names and parent not in BORDER_NAMES:
                self.report(where, "unresolved", "level element %s: parent %s not in the level" % (child, parent))
        for name, info in names.items():
            if info["mouse"] and info["source"] in facts["elements"] and not facts["elements"][info["source"]]["shape"]:
                self.report(where, "no-shape", "level element %s reacts to the mouse but element %s has no shape"
                            % (name, info["source"]))
        return names

    def _aliases_for(self, fname):
        return self.aliases.get(fname, set()) | self.aliases.get("*", set())

    def _behaviour(self, where, fname, facts, name, node, info):
        btype = node.attr("type")
        if btype in MOUSE_BEHAVIOURS:
            info["mouse"] = True
        for child in node.children:
            if child.name == "switchelement" and btype == "mouseoverelement":
                target = child.value[:29]
                if target and target not in facts["elements"] and target not in self._aliases_for(fname):
                    self.report(where, "unresolved", "level element %s: switch element %s not in the scene"
                                % (name, target))
            elif child.name == "soundover" and btype in MOUSE_BEHAVIOURS:
                sound = child.value[:29]
                if sound and sound not in self.sound_names:
                    self.report(where, "unresolved", "level element %s: sound %s not in the sound table"
                                % (name, sound))

    # ---- language file ------------------------------------------------
    def check_lang(self, data):
        doc, err = xml_tree.parse(data)
        if err:
            self.report(LANG_FILE, "xml", err)
        keys = set()
        for node in doc.children:
            if node.name != "text":
                continue
            if not node.has_attr("code"):
                self.report(LANG_FILE, "lang-format", "a text without code (line %d)" % node.line)
            key = node.attr("code")
            if key in keys:
                self.report(LANG_FILE, "duplicate", "key %s given twice" % key)
            keys.add(key)
            self.lang_values[key] = node.value
            if node.value != node.value.strip():
                self.report(LANG_FILE, "lang-format", "key %s: white space around the value" % key)
        return keys

    # ---- the whole pack -----------------------------------------------
    def run(self):
        lang_keys = set()
        for fname in self.pack.names:
            if not fname.lower().endswith(".xml"):
                continue
            data = self.pack.read(fname)
            if fname == LANG_FILE:
                lang_keys = self.check_lang(data)
                continue
            if fname in NOT_SCENES:
                continue
            doc, err = xml_tree.parse(data)
            if err:
                self.report(fname, "xml", err)
                continue
            self.check_scene_file(fname, doc)
        glob = self.scenes.get(GLOBAL_FILE)
        if glob:
            for fname, facts in self.scenes.items():
                if fname == GLOBAL_FILE:
                    continue
                shared_fonts = {name for name in facts["images"] if name in SHARED_FONTS
                                and facts["images"][name] is not None
                                and facts["images"][name] == glob["images"].get(name)}
                for name in facts["images"]:
                    if name in glob["images"] and name not in shared_fonts:
                        self.report(fname, "shared-image", "image name %s is also in %s" % (name, GLOBAL_FILE))
                for name, entry in facts["images"].items():
                    if entry in glob["files"] and name not in shared_fonts:
                        self.report(fname, "shared-image", "image %s uses %s, also used by %s"
                                    % (name, entry, GLOBAL_FILE))
        self.check_required(lang_keys)
        check_placement.check_trophy_plates(self)
        check_placement.check_spell_tooltips(self)
        check_placement.check_trophy_tips(self)
        check_placement.check_dialog_buttons(self)
        check_placement.check_map_placement(self)
        return self.problems

    def check_loudness(self, file_name, path):
        where = "data/sounds/" + file_name
        try:
            level, peak = loudness.measure(path)
        except (subprocess.CalledProcessError, ValueError):
            self.report(where, "loudness", "sox cannot read it")
            return
        if peak > loudness.PEAK_LIMIT_DB:
            self.report(where, "loudness", "peak %.1f dBFS, above %.1f" % (peak, loudness.PEAK_LIMIT_DB))
        music = os.path.splitext(file_name)[0] in MUSIC_TRACKS
        target = loudness.MUSIC_DB if music else loudness.EFFECT_DB
        if not abs(level - target) <= loudness.BAND_DB:
            self.report(where, "loudness", "loudness %.1f dB, %s are %.1f +- %.1f dB"
                        % (level, "music tracks" if music else "effects", target, loudness.BAND_DB))

    def check_required(self, lang_keys):
        measured = set()
        for e in self.required:
            where = "%s:%d" % (os.path.basename(e.source), e.line)
            a = e.args
            if e.kind == "sound":
                if self.sounds_dir is None:
                    continue
                path = os.path.join(self.sounds_dir, a[1])
                if not os.path.isfile(path):
                    self.report(where, "required", "sound %s: file data/sounds/%s missing" % (a[0], a[1]))
                elif a[1] not in measured:
                    measured.add(a[1])
                    self.check_loudness(a[1], path)
            elif e.kind == "lang":
                if a[0] not in lang_keys:
                    self.report(where, "required", "language key %s missing" % a[0])
            elif e.kind == "format":
                if a[0] not in lang_keys:
                    self.report(where, "required", "language key %s missing" % a[0])
                    continue
                found, stray = conversions(self.lang_values[a[0]])
                if stray or "".join(found) != a[1]:
                    self.report(LANG_FILE, "lang-format", "key %s: conversions %s%s, the code formats it with %s"
                                % (a[0], "".join(found) or "none", " and a stray %" if stray else "", a[1]))
            elif e.kind == "file":
                if self.pack.find(a[0]) is None:
                    self.report(where, "required", "file %s missing from the pack" % a[0])
            elif e.kind in ("image", "element", "shaped", "particle"):
                facts = self.scenes.get(a[0])
                table = facts["images" if e.kind == "image" else "elements"] if facts else {}
                if a[1] not in table:
                    self.report(where, "required", "%s %s missing from %s"
                                % ("image" if e.kind == "image" else "element", a[1], a[0]))
                elif e.kind == "shaped" and not table[a[1]]["shape"]:
                    self.report(a[0], "no-shape", "element %s is hit-tested but has no shape" % a[1])
                elif e.kind == "particle":
                    el = table[a[1]]
                    if el["kind"] != "particle":
                        self.report(where, "required", "element %s of %s is not a particle emitter" % (a[1], a[0]))
                    elif el.get("particle_source") not in table:
                        self.report(where, "required", "particle emitter %s of %s has no particle source"
                                    % (a[1], a[0]))
            elif e.kind == "level":
                facts = self.scenes.get(a[0])
                have = len(facts["levels"]) if facts else 0
                if have < int(a[1]):
                    self.report(where, "required", "%s holds %d levels, %s needed" % (a[0], have, a[1]))
            elif e.kind in ("lvlelement", "clickable"):
                facts = self.scenes.get(a[0])
                n = int(a[1])
                level = facts["levels"][n] if facts and n < len(facts["levels"]) else None
                if level is None or a[2] not in level:
                    self.report(where, "required", "level element %s missing from %s level %d" % (a[2], a[0], n))
                elif e.kind == "clickable":
                    src = level[a[2]]["source"]
                    if src is None:
                        continue    # reported as unresolved already
                    if src not in facts["elements"] or not facts["elements"][src]["shape"]:
                        self.report("%s level %d" % (a[0], n), "no-shape",
                                    "level element %s is clicked but its element %s has no shape" % (a[2], src))


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--pack", required=True)
    parser.add_argument("--sounds")
    parser.add_argument("--content", help="folder holding required/*.txt")
    parser.add_argument("--required", action="append", default=[], help="an extra required-names list")
    args = parser.parse_args(argv)
    required = read_required(args.content) if args.content else []
    for path in args.required:
        required += parse_required(path)
    problems = Checker(Pack(args.pack), required, args.sounds).run()
    for p in problems:
        print(p)
    if not problems:
        print("content check: no problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
