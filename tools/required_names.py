"""The required-names lists: content/required/*.txt.

Each later feature adds its own file naming what its code asks the data for;
the content checker proves every name exists, and the sound generator makes
every sound file listed. One entry per line, '#' starts a comment:

    sound <name> <file> <kind> <count>   a row of the game's sound table
    lang <key>                           a language key the code looks up
    file <pack path>                     a file the code opens from the pack
    image <scene file> <name>            an image the code looks up by name
    element <scene file> <name>          an element the code creates by name
    level <file> <count>                 the file holds at least count levels
    lvlelement <file> <level> <name>     a level element the code finds by name
    clickable <file> <level> <name>      as lvlelement, and its source element
                                         has a shape (it is hit-tested)
    format <key> <conversions>           a language text the code formats: its
                                         printf conversions, in order, are exactly
                                         these ("%d", "%s%d", "%d:%02d" ...)
    alias <file> <name>                  a text element the code makes itself in
                                         that file's manager ("*": any file):
                                         levels may use it, files may not define it
    reserved <name>                      a name the engine makes itself; no file
                                         may define an element or level element so
    shaped <scene file> <name>           as element, and it has a shape (the code
                                         hit-tests the level elements it makes)
    particle <scene file> <name>         as element, and it is a particle emitter
                                         whose particle source the file defines

A word may hold one group of choices in braces, which repeats the line for
each: "element swap{1,2}.xml P1" stands for the two lines with swap1.xml
and swap2.xml.
"""
import collections
import itertools
import os
import re

Entry = collections.namedtuple("Entry", "kind args source line")

ARG_COUNTS = {"sound": 4, "lang": 1, "file": 1, "image": 2, "element": 2, "level": 2,
              "lvlelement": 3, "clickable": 3, "alias": 2, "reserved": 1, "shaped": 2,
              "format": 2, "particle": 2}
CHOICES = re.compile(r"\{([^{}]*)\}")


def expand(word):
    """The words a word with one brace group stands for."""
    m = CHOICES.search(word)
    if not m:
        return [word]
    return [word[:m.start()] + choice + word[m.end():] for choice in m.group(1).split(",")]


def parse_required(path):
    """Entries of one list; raises ValueError on a malformed line."""
    entries = []
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            words = raw.split("#", 1)[0].split()
            if not words:
                continue
            kind, args = words[0], words[1:]
            if kind not in ARG_COUNTS or len(args) != ARG_COUNTS[kind]:
                raise ValueError("%s:%d: bad required entry: %s" % (path, number, raw.strip()))
            for combo in itertools.product(*[expand(a) for a in args]):
                entries.append(Entry(kind, list(combo), path, number))
    return entries


def read_required(content_dir):
    folder = os.path.join(content_dir, "required")
    entries = []
    if os.path.isdir(folder):
        for name in sorted(os.listdir(folder)):
            if name.endswith(".txt"):
                entries += parse_required(os.path.join(folder, name))
    return entries
