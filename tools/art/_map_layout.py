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
    [(-365, 150), (-300, 168), (-225, 150), (-250, 102), (-330, 92), (-362, 50), (-290, 46), (-205, 58),
     (-160, 90)],
    [(-115, 112), (-105, 178), (-45, 205), (25, 182), (-15, 132), (-75, 92), (-60, 42), (20, 50), (85, 92),
     (95, 160)],
    [(150, 168), (230, 150), (310, 168), (372, 128), (318, 92), (240, 100), (172, 84), (165, 48), (245, 44),
     (335, 52)],
    [(365, -28), (300, -42), (222, -40), (152, -64), (180, -112), (262, -102), (350, -122), (362, -176),
     (290, -196), (215, -178), (150, -205)],
    [(100, -238), (40, -256), (-40, -262), (-100, -222), (-62, -172), (20, -160), (90, -124), (62, -74),
     (-10, -52), (-82, -72), (-112, -112)],
    [(-162, -152), (-200, -205), (-270, -250), (-342, -232), (-372, -172), (-320, -132), (-240, -112),
     (-188, -72), (-240, -42), (-315, -50)],
]
# The world names the map writes (centre of each text), to keep spots apart.
NAMES = [(-280, 200), (-50, 250), (250, 200), (200, 10), (0, -10), (-250, 10)]
MENU_BUTTON = (-342, 274)
PLAY_ARROW = (312, -262)
ARROW_LIFT = 50          # the map arrow hovers this far above its spot
CINEMA_BAR_START = 360   # the interlude's bars wait this far above and below


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
