"""A reading of XML files the way the engine's tree builder does it, so the
checker sees exactly what the game sees:
- the outer element is the document node itself; its children are the
  file's sections;
- tag and attribute names are compared ignoring case (kept here lower-case);
- a node's value is the last piece of text inside it (a comment splits a
  text into pieces), not trimmed; text of white space only is skipped, as
  the engine's XML reader does;
- a missing attribute reads as "".
Numbers follow the C library: atoi and atof take the longest valid prefix
after leading white space, 0 when there is none.
"""
import re
import xml.parsers.expat


class Node:
    def __init__(self, name, line=0):
        self.name = name.lower()
        self.value = ""
        self.attrs = []        # [(lower-case name, value)] in file order
        self.children = []
        self.line = line

    def attr(self, name):
        name = name.lower()
        for k, v in self.attrs:
            if k == name:
                return v
        return ""

    def has_attr(self, name):
        return any(k == name.lower() for k, _v in self.attrs)

    def child(self, name):
        for c in self.children:
            if c.name == name:
                return c
        return None

    def each(self, name):
        return [c for c in self.children if c.name == name]


def parse(data):
    """(document node, error text or None) from the file's bytes."""
    doc = Node("root")
    stack = []
    state = {"text": None}
    parser = xml.parsers.expat.ParserCreate()

    def flush():
        if state["text"] is not None:
            text = state["text"]
            state["text"] = None
            if stack and (text.strip() or len(text) >= 3):
                stack[-1].value = text

    def start(name, attrs):
        flush()
        if not stack:
            doc.name = name.lower()
            node = doc
        else:
            node = Node(name, parser.CurrentLineNumber)
            stack[-1].children.append(node)
        for i in range(0, len(attrs), 2):
            node.attrs.append((attrs[i].lower(), attrs[i + 1]))
        stack.append(node)

    def end(_name):
        flush()
        stack.pop()

    def chars(text):
        state["text"] = (state["text"] or "") + text

    def other(*_args):
        flush()

    parser.ordered_attributes = True
    parser.StartElementHandler = start
    parser.EndElementHandler = end
    parser.CharacterDataHandler = chars
    parser.CommentHandler = other
    parser.ProcessingInstructionHandler = other
    try:
        parser.Parse(data, True)
    except xml.parsers.expat.ExpatError as e:
        return doc, "malformed XML: %s" % e
    return doc, None


_INT = re.compile(r"^\s*([+-]?\d+)")
_REAL = re.compile(r"^\s*([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)")


def atoi(text):
    m = _INT.match(text or "")
    return int(m.group(1)) if m else 0


def atof(text):
    m = _REAL.match(text or "")
    return float(m.group(1)) if m else 0.0
