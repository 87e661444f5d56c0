"""Where the world map puts things, shared by its picture and its scene file:
the 66 level spots (11 per world, along a winding road through the six
regions), the big spots (each world's hidden-object level, the shrine where
its spell waits), and the buttons. Coordinates are the level's: pixels, the
screen centre at (0, 0), y up."""
import math

SPOTS_PER_WORLD = 11
BIG_LEVEL = 1            # the hidden-object level of each world

# The road of each world: a polyline its 11 spots are spread along, evenly
# by length. Worlds run meadow (top left), desert (top middle), lagoon (top
# right), forest (bottom right), glacier (bottom middle), volcano (bottom
# left), clear of the world names the map writes and of the two buttons.
ROADS = [
    [(-370, 102), (-250, 104), (-225, 56), (-175, 54), (-155, 85), (-158, 195)],
    [(-112, 150), (-30, 150), (-15, 125), (-55, 95), (-105, 70), (-70, 52), (20, 55), (60, 80), (70, 140),
     (95, 200)],
    [(150, 200), (150, 140), (190, 88), (290, 88), (340, 115), (372, 95), (368, 50)],
    [(365, -50), (295, -62), (225, -125), (300, -135), (355, -160), (330, -205), (250, -205), (140, -232)],
    [(100, -240), (30, -260), (-50, -262), (-105, -225), (-60, -180), (20, -170), (90, -130), (-20, -122),
     (-115, -75)],
    [(-150, -130), (-200, -200), (-270, -250), (-342, -232), (-372, -172), (-320, -125), (-240, -110),
     (-165, -65)],
]
# The world names the map writes (centre of each text), to keep spots apart.
NAMES = [(-280, 200), (-50, 250), (250, 200), (200, 10), (0, -10), (-250, 10)]
MENU_BUTTON = (-342, 274)
PLAY_ARROW = (312, -262)
ARROW_LIFT = 50          # the map arrow hovers this far above its spot
# The interlude's bars wait this far above and below, wholly off screen (their
# pictures reach from the screen's edge to its middle, tools/art/worldmap.py).
CINEMA_BAR_START = 560


def _along(points, count):
    """count points spread evenly by length along a polyline."""
    seg = [math.dist(a, b) for a, b in zip(points, points[1:])]
    total = sum(seg)
    out = []
    for k in range(count):
        target = total * k / (count - 1)
        for (a, b), length in zip(zip(points, points[1:]), seg):
            if target <= length or (a, b) == (points[-2], points[-1]):
                t = min(1.0, target / length) if length else 0.0
                out.append((round(a[0] + (b[0] - a[0]) * t), round(a[1] + (b[1] - a[1]) * t)))
                break
            target -= length
    return out


def spots():
    """[(x, y)] of spots 0 to 65."""
    out = []
    for road in ROADS:
        out += _along(road, SPOTS_PER_WORLD)
    return out


def is_big(index):
    return index % SPOTS_PER_WORLD == BIG_LEVEL


def to_image(p, size=(800, 600)):
    """Level coordinates to picture pixels (y down)."""
    return (p[0] + size[0] / 2, size[1] / 2 - p[1])
