"""Merges authored fragments into the two shared XML files of the pack.

- content/lang/*.xml (UTF-8, root of any name, <text code="KEY">value</text>
  children) become "data/lang.xml", Latin-1 encoded, one text per line, no
  white space around values (the game's reader keeps text as it is).
- content/global/*.xml (scene and level sections under a root of any name)
  become "global.xml": all images first, then all sprites, then all
  elements, so names always point backwards; then one "levels" section
  where each fragment's <level index="N" name="..."> lands at position N
  (the GUI number) and positions no fragment fills get an empty level.
"""
import os
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape, quoteattr

GUI_LEVELS = 11   # dialogs 0..10 each load their level of global.xml


def _fragments(folder):
    if not os.path.isdir(folder):
        return []
    return [os.path.join(folder, n) for n in sorted(os.listdir(folder)) if n.endswith(".xml")]


def merge_lang(folder):
    """Bytes of data/lang.xml; raises ValueError on a duplicate key, a value
    with white space at either end, or a character outside Latin-1."""
    seen = {}
    lines = ['<?xml version="1.0" encoding="ISO-8859-1"?>', "<lang>"]
    for path in _fragments(folder):
        root = ET.parse(path).getroot()
        for node in root:
            if node.tag.lower() != "text":
                continue
            key = node.get("code")
            if key is None:
                raise ValueError("%s: a text without code" % path)
            value = node.text or ""
            if key in seen:
                raise ValueError("%s: key %s already in %s" % (path, key, seen[key]))
            if value != value.strip():
                raise ValueError("%s: key %s has white space around its value" % (path, key))
            try:
                value.encode("latin-1")
            except UnicodeEncodeError:
                raise ValueError("%s: key %s is not Latin-1 text" % (path, key))
            seen[key] = path
            lines.append('<text code=%s>%s</text>' % (quoteattr(key), escape(value)))
    lines.append("</lang>")
    return ("\n".join(lines) + "\n").encode("latin-1")


def _serialize(node, indent):
    text = ET.tostring(node, encoding="unicode").strip()
    return "\n".join(indent + line for line in text.splitlines())


def merge_global(folder):
    """Text of global.xml, declared Latin-1 like every file the game reads
    (its reader takes each byte as one character); see global_bytes."""
    sections = {"images": [], "sprites": [], "elements": []}
    levels = {}
    for path in _fragments(folder):
        root = ET.parse(path).getroot()
        for section in root:
            tag = section.tag.lower()
            if tag in sections:
                sections[tag].extend(list(section))
            elif tag == "levels":
                for level in section:
                    if level.tag.lower() != "level":
                        continue
                    index = level.get("index")
                    if index is None or not index.isdigit():
                        raise ValueError("%s: a global level needs index=\"<gui number>\"" % path)
                    index = int(index)
                    if index in levels:
                        raise ValueError("%s: level %d is already given" % (path, index))
                    del level.attrib["index"]
                    levels[index] = level
    out = ['<?xml version="1.0" encoding="ISO-8859-1"?>', "<global>"]
    for tag in ("images", "sprites", "elements"):
        out.append("  <%s>" % tag)
        for node in sections[tag]:
            node.tail = None
            out.append(_serialize(node, "    "))
        out.append("  </%s>" % tag)
    out.append("  <levels>")
    for n in range(max([GUI_LEVELS - 1] + list(levels))+ 1):
        if n in levels:
            levels[n].tail = None
            out.append(_serialize(levels[n], "    "))
        else:
            out.append('    <level name="gui%d"><lvlelements></lvlelements></level>' % n)
    out.append("  </levels>")
    out.append("</global>")
    return "\n".join(out) + "\n"


def global_bytes(folder):
    """Bytes of global.xml, Latin-1 encoded; raises ValueError for a
    character outside Latin-1 (the game would show it as other letters)."""
    text = merge_global(folder)
    try:
        return text.encode("latin-1")
    except UnicodeEncodeError as e:
        line = text.count("\n", 0, e.start) + 1
        raise ValueError("global.xml line %d: %r is not Latin-1 text" % (line, text[e.start:e.end]))
