"""A player for the board: reads the board from the game's probe and chooses
swaps that make a match, preferring matches over backfill cells. The choice
depends only on the board, so one seed gives one game."""

BACKFILL = 2
COLUMNS, ROWS = 17, 13


def cells_by_place(board):
    return {(c["col"], c["row"]): c for c in board["cells"]}


def is_ready(board):
    """Settled, nothing moving, no swap, spell or show running."""
    return (board["settled"] and not board["swapRunning"] and not board["spellRunning"]
            and not board["noMoreMoves"]
            and all(c["motion"] == 0 for c in board["cells"]))


def _movable(cell):
    return cell is not None and cell["present"] == 1 and cell["colour"] >= 1 and cell["lock"] == 0


def _runs_through(colours, place):
    """Cells of the runs of three or more through place."""
    colour = colours.get(place)
    if colour is None or colour < 1:
        return set()
    found = set()
    for dc, dr in ((1, 0), (0, 1)):
        line = [place]
        for sign in (1, -1):
            c, r = place
            while True:
                c, r = c + sign * dc, r + sign * dr
                if colours.get((c, r)) != colour:
                    break
                line.append((c, r))
        if len(line) >= 3:
            found.update(line)
    return found


def best_swap(board, spare_backfill=False):
    """((col, row), (col, row)) of the most useful matching swap, or None.
    With spare_backfill the swap that clears the fewest backfill cells is
    the most useful (a level kept going)."""
    cells = cells_by_place(board)
    colours = {p: c["colour"] for p, c in cells.items() if c["present"] == 1}
    best, best_score = None, 0
    for col in range(COLUMNS):
        for row in range(ROWS):
            a = (col, row)
            for b in ((col + 1, row), (col, row + 1)):
                if not (_movable(cells.get(a)) and _movable(cells.get(b))):
                    continue
                if colours[a] == colours[b]:
                    continue
                colours[a], colours[b] = colours[b], colours[a]
                matched = _runs_through(colours, a) | _runs_through(colours, b)
                colours[a], colours[b] = colours[b], colours[a]
                if not matched:
                    continue
                backfills = sum(cells[p]["back"] == BACKFILL for p in matched)
                score = (100 - 10 * backfills if spare_backfill else 10 * backfills) + len(matched)
                if score > best_score:
                    best, best_score = (a, b), score
    return best


def backfill_left(board):
    return sum(c["back"] in (2, 3) for c in board["cells"])
