"""Board layouts: text grids in content/layouts/*.txt, compiled to the
fixed-layout file "data/layouts.bin", and the rules every layout keeps.

Text form: a line "layout <index> <title...>" followed by 13 rows of 17
characters (row 0 first, column 0 leftmost). '#'-lines before a layout are
comments. Cell characters (back kind, front kind):
"""
import struct

COLUMNS, ROWS = 17, 13
LAYOUT_COUNT = 60
CELL_BYTES = 8
LAYOUT_BYTES = COLUMNS * ROWS * CELL_BYTES            # 1768
FILE_BYTES = LAYOUT_COUNT * LAYOUT_BYTES              # 106080

HOLE, CLEARED, BACKFILL, BLOCKER, CAGE, HCHAIN, VCHAIN = range(7)
PIECE, LOCK1, LOCK2 = 1, 2, 3

LEGEND = {
    ".": (HOLE, 0),
    "o": (CLEARED, PIECE),
    "l": (CLEARED, LOCK1),
    "L": (CLEARED, LOCK2),
    "#": (BACKFILL, PIECE),
    "f": (BACKFILL, LOCK1),
    "F": (BACKFILL, LOCK2),
    "B": (BLOCKER, PIECE),
    "k": (BLOCKER, LOCK1),
    "K": (BLOCKER, LOCK2),
    "C": (CAGE, PIECE),
    "=": (HCHAIN, PIECE),
    "|": (VCHAIN, PIECE),
}
__doc__ += "".join("    %r  back %d, front %d\n" % (k, v[0], v[1]) for k, v in LEGEND.items())

WORLDS = 6
LEVELS_PER_WORLD = 10
# The world from which each feature may appear (variety grows through the worlds).
FEATURE_FROM_WORLD = {"blocker": 1, "chain": 2, "cage": 3, "lock": 4}
# Monsters that may appear on any world's board: bats need 5 cells to undo,
# crabs appear only while at most 2 pieces are locked.
BAT_MIN_CELLS = 5
CRAB_MAX_LOCKED = 2
# Cells under the spell panel "sortgui" (312 x 72 at (246, -270), opaque from
# picture pixel (3, 1) to (309, 71)): a piece there is hidden and cannot be
# clicked. Row 12 is covered from column 11 on and 43% of column 10; row 11
# loses its lower 14 pixels (32% of a cell) from column 11 on, but only 11% of
# column 10. A cell whose centre or more than a quarter is covered stays a
# hole. Column 16, also covered, is a hole on every board anyway.
UNDER_SPELL_PANEL = frozenset([(c, 12) for c in range(10, 16)] + [(c, 11) for c in range(11, 16)])


class Layout:
    def __init__(self, index, title, cells):
        self.index = index
        self.title = title
        # cells[c][r] = (back, front), column-major like the file.
        self.cells = cells

    def back(self, c, r):
        return self.cells[c][r][0]

    def front(self, c, r):
        return self.cells[c][r][1]


def parse_layouts(text, source="<text>"):
    """{index: Layout}; raises ValueError with the line on a bad grid."""
    lines = text.splitlines()
    layouts = {}
    i = 0
    while i < len(lines):
        line = lines[i].rstrip()
        i += 1
        if not line or line.startswith("#"):
            continue
        words = line.split(None, 2)
        if words[0] != "layout" or len(words) < 2 or not words[1].isdigit():
            raise ValueError("%s:%d: expected 'layout <index> <title>'" % (source, i))
        index = int(words[1])
        title = words[2] if len(words) > 2 else ""
        rows = lines[i:i + ROWS]
        if len(rows) < ROWS:
            raise ValueError("%s:%d: layout %d has fewer than %d rows" % (source, i, index, ROWS))
        cells = [[None] * ROWS for _ in range(COLUMNS)]
        for r, row in enumerate(rows):
            row = row.rstrip()
            if len(row) != COLUMNS:
                raise ValueError("%s:%d: row of %d characters, not %d" % (source, i + r + 1, len(row), COLUMNS))
            for c, ch in enumerate(row):
                if ch not in LEGEND:
                    raise ValueError("%s:%d: unknown cell %r" % (source, i + r + 1, ch))
                cells[c][r] = LEGEND[ch]
        if index in layouts:
            raise ValueError("%s:%d: layout %d given twice" % (source, i, index))
        layouts[index] = Layout(index, title, cells)
        i += ROWS
    return layouts


def compile_layouts(layouts):
    """The bytes of data/layouts.bin: layouts 0..59, column by column, each
    cell back then front as little-endian int32."""
    missing = [n for n in range(LAYOUT_COUNT) if n not in layouts]
    if missing:
        raise ValueError("layouts missing: %s" % missing)
    out = bytearray()
    for n in range(LAYOUT_COUNT):
        lay = layouts[n]
        for c in range(COLUMNS):
            for r in range(ROWS):
                out += struct.pack("<ii", *lay.cells[c][r])
    assert len(out) == FILE_BYTES
    return bytes(out)


def read_binary(data):
    """Layouts back from the file bytes (for the tests and the checker)."""
    if len(data) != FILE_BYTES:
        raise ValueError("layouts file is %d bytes, not %d" % (len(data), FILE_BYTES))
    layouts = {}
    for n in range(LAYOUT_COUNT):
        cells = [[None] * ROWS for _ in range(COLUMNS)]
        for c in range(COLUMNS):
            for r in range(ROWS):
                off = n * LAYOUT_BYTES + (c * ROWS + r) * CELL_BYTES
                cells[c][r] = struct.unpack_from("<ii", data, off)
        layouts[n] = Layout(n, "", cells)
    return layouts


def _refillable(lay, c, r):
    """A cell that pieces fall into again and again."""
    return 1 <= c <= COLUMNS - 2 and 1 <= r <= ROWS - 1 and lay.back(c, r) in (CLEARED, BACKFILL, BLOCKER)


def _on_playable_run(lay, c, r):
    """True when the cell lies on three refillable cells in a line, with one
    more refillable cell beside that line to swap a piece in from."""
    for dc, dr in ((1, 0), (0, 1)):
        for start in range(-2, 1):
            run = [(c + dc * (start + k), r + dr * (start + k)) for k in range(3)]
            if not all(_refillable(lay, x, y) for x, y in run):
                continue
            for x, y in run:
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if (nx, ny) not in run and _refillable(lay, nx, ny):
                        return True
    return False


def features(lay):
    """Counts of what a layout uses."""
    f = {"backfill": 0, "blocker": 0, "chain": 0, "cage": 0, "lock": 0, "playable": 0}
    for c in range(COLUMNS):
        for r in range(ROWS):
            back, front = lay.cells[c][r]
            if back != HOLE:
                f["playable"] += 1
            if back == BACKFILL:
                f["backfill"] += 1
            elif back == BLOCKER:
                f["blocker"] += 1
            elif back in (HCHAIN, VCHAIN):
                f["chain"] += 1
            elif back == CAGE:
                f["cage"] += 1
            if front in (LOCK1, LOCK2):
                f["lock"] += 1
    return f


def first_cage(lay):
    """The cage a turtle circles: the first in row-major order, or None."""
    for r in range(ROWS):
        for c in range(COLUMNS):
            if lay.back(c, r) == CAGE:
                return c, r
    return None


def turtle_cells(lay):
    """The cells a turtle can act from: it circles the first cage through
    the four cells two away from it, and grows a chain into the hole between
    such a cell and the cage only when it stands on a playable cell (back 1
    to 3). The backfill it leaves there must be clearable, so the cell lies
    on a line of three to play."""
    cage = first_cage(lay)
    if not cage:
        return []
    c, r = cage
    cells = []
    for dc, dr in ((0, -1), (1, 0), (0, 1), (-1, 0)):
        mc, mr, tc, tr = c + dc, r + dr, c + 2 * dc, r + 2 * dr
        if not (0 <= tc < COLUMNS and 0 <= tr < ROWS):
            continue
        if lay.back(mc, mr) != HOLE or lay.back(tc, tr) not in (CLEARED, BACKFILL, BLOCKER):
            continue
        if _on_playable_run(lay, tc, tr):
            cells.append((tc, tr))
    return cells


def check_layout(lay):
    """A list of broken rules (empty when the layout is sound)."""
    problems = []
    n = lay.index
    world = n // LEVELS_PER_WORLD
    for c in range(COLUMNS):
        for r in range(ROWS):
            back, front = lay.cells[c][r]
            if not 0 <= back <= VCHAIN:
                problems.append("layout %d cell (%d,%d): unknown back %d" % (n, c, r, back))
            if (c in (0, COLUMNS - 1) or r == 0) and (back, front) != (HOLE, 0):
                problems.append("layout %d cell (%d,%d): columns 0 and 16 and row 0 are never refilled"
                                % (n, c, r))
            if (c, r) in UNDER_SPELL_PANEL and back != HOLE:
                problems.append("layout %d cell (%d,%d): a playable cell under the spell panel" % (n, c, r))
            if back == HOLE and front != 0:
                problems.append("layout %d cell (%d,%d): a piece in a hole" % (n, c, r))
            if back != HOLE and front not in (PIECE, LOCK1, LOCK2):
                problems.append("layout %d cell (%d,%d): a cell without a piece" % (n, c, r))
            if back in (CAGE, HCHAIN, VCHAIN) and front != PIECE:
                problems.append("layout %d cell (%d,%d): a lock on a cage or chain" % (n, c, r))
            if (back in (BACKFILL, BLOCKER) or front in (LOCK1, LOCK2)) and not _on_playable_run(lay, c, r):
                problems.append("layout %d cell (%d,%d): cannot be matched (no line of three to play)"
                                % (n, c, r))
    f = features(lay)
    if f["backfill"] + f["blocker"] == 0:
        problems.append("layout %d: no backfill or blocker cell: won at once" % n)
    if f["backfill"] + f["blocker"] < BAT_MIN_CELLS:
        problems.append("layout %d: fewer than %d backfill or blocker cells: bats never come" % (n, BAT_MIN_CELLS))
    if f["lock"] > CRAB_MAX_LOCKED:
        problems.append("layout %d: %d locked pieces: crabs never come" % (n, f["lock"]))
    for feat, since in FEATURE_FROM_WORLD.items():
        if f[feat] and world < since:
            problems.append("layout %d: %s before world %d" % (n, feat, since))
    cage = first_cage(lay)
    if cage and not turtle_cells(lay):
        problems.append("layout %d: the turtle has no playable cell to act on: none of the four cells "
                        "two away from the first cage is a playable cell (back 1 to 3) on a line of "
                        "three with a hole between it and the cage for the chain" % n)
    return problems


def difficulty(lay):
    """A rough figure used to check that worlds grow harder."""
    f = features(lay)
    return f["backfill"] + 2 * f["blocker"] + 3 * f["chain"] + 4 * f["cage"] + 5 * f["lock"]


def check_all(layouts):
    problems = []
    for n in range(LAYOUT_COUNT):
        if n not in layouts:
            problems.append("layout %d missing" % n)
            continue
        problems += check_layout(layouts[n])
    if problems:
        return problems
    means = []
    for w in range(WORLDS):
        group = [layouts[w * LEVELS_PER_WORLD + k] for k in range(LEVELS_PER_WORLD)]
        means.append(sum(difficulty(g) for g in group) / LEVELS_PER_WORLD)
        for feat, since in FEATURE_FROM_WORLD.items():
            if w == since and not any(features(g)[feat] for g in group):
                problems.append("world %d introduces no %s" % (w, feat))
    for w in range(1, WORLDS):
        if means[w] < means[w - 1]:
            problems.append("world %d is easier than world %d" % (w, w - 1))
    return problems


def load_sources(paths):
    layouts = {}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            for n, lay in parse_layouts(f.read(), path).items():
                if n in layouts:
                    raise ValueError("%s: layout %d given twice" % (path, n))
                layouts[n] = lay
    return layouts
