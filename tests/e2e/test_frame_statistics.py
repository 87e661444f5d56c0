"""The frame statistics switch: three white lines of figures at the top left,
20 pixels apart, over the distributor's splash screen."""
import sys

import harness

# The lines start at x = 20 and y = 20, 40 and 60.
LEFT = 20
LINE_TOPS = (20, 40, 60)
LINE_SPACING = 20
# Columns searched for the text.
SEARCH_RIGHT = 400


def is_teal(r, g, b):
    return g > r + 10 and b > r + 10 and g < 200


def is_white(r, g, b):
    return r > 230 and g > 230 and b > 230


def white_rows(shot):
    """Rows with white pixels between x = 0 and SEARCH_RIGHT."""
    pixels = shot.load()
    return [y for y in range(0, 120)
            if any(is_white(*pixels[x, y]) for x in range(0, SEARCH_RIGHT))]


def runs(rows):
    """Consecutive rows gathered into (first, last) pairs."""
    found = []
    for y in rows:
        if found and found[-1][1] == y - 1:
            found[-1][1] = y
        else:
            found.append([y, y])
    return [tuple(run) for run in found]


def play(game):
    game.wait_window()
    harness.wait_for("the distributor screen",
                     lambda: harness.colour_share(game.capture("distributor"), is_teal) > 0.5,
                     20, step=0.3)
    shot = game.capture("statistics")
    lines = runs(white_rows(shot))
    if len(lines) != 3:
        raise harness.Failure("white text rows %r, not three lines" % (lines,))
    for (first, last), top in zip(lines, LINE_TOPS):
        if not (top <= first and last < top + LINE_SPACING):
            raise harness.Failure("line %r outside rows %d to %d" % ((first, last), top,
                                                                     top + LINE_SPACING - 1))
    pixels = shot.load()
    if any(is_white(*pixels[x, y]) for y in range(0, 120) for x in range(0, LEFT)):
        raise harness.Failure("white pixels left of x = %d" % LEFT)


def main(build_dir):
    game = harness.Game(build_dir, env={"QUORVEL_FRAME_STATISTICS": "1"})
    return harness.run_scenario(game, "frame statistics", play)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "build"))
