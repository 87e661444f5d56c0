"""Art every board screen shares, whatever its world: the pieces and their
animations, locks and cages, effects and pop-ups, the gauges, the spell
effects and the monsters. Each function returns one frame or a list of
frames (PIL images); tools/art/board.py packs them into sheets.

Orientation: monsters that turn along their path (crabs, turtles) face
down in their pictures, which is where the path turning leaves the head.
"""
import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

import artkit

S = artkit.SUPERSAMPLE
CELL = 44
PIECE = 42
IDLE_FRAMES = 10
TURN_FRAMES = 12
# Degrees after which each silhouette looks the same again (a turn loop).
SYMMETRY = {"circle": 45, "diamond": 180, "hexagon": 60, "square": 90, "star": 72}

STEEL_LIGHT = (215, 222, 235)
STEEL_DARK = (90, 98, 120)


def _big(w, h):
    img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    return img, ImageDraw.Draw(img)


def _small(img, size):
    return img.resize(size, Image.LANCZOS)


def _in_cell(piece, size=CELL):
    frame = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    frame.alpha_composite(piece, ((size - piece.size[0]) // 2, (size - piece.size[1]) // 2))
    return frame


def _scaled(img, factor):
    w = max(1, int(round(img.size[0] * factor)))
    h = max(1, int(round(img.size[1] * factor)))
    return img.resize((w, h), Image.LANCZOS)


# ---- pieces ----------------------------------------------------------------

def piece_frames(piece):
    """(plain, idle frames, turn frames) of one piece colour, 44 x 44 each."""
    shape, light, dark = piece["shape"], piece["light"], piece["dark"]
    plain = _in_cell(artkit.jewel(PIECE, shape, light, dark))
    idle = []
    for i in range(IDLE_FRAMES):
        t = i / (IDLE_FRAMES - 1)
        bounce = 1.0 + 0.07 * math.sin(math.pi * t)
        g = artkit.jewel(PIECE, shape, light, dark, glint=t, glow=0.4 * math.sin(math.pi * t))
        idle.append(_in_cell(_scaled(g, min(bounce, CELL / PIECE))))
    idle[-1] = plain
    turn = []
    for i in range(TURN_FRAMES):
        t = i / TURN_FRAMES
        glow = 0.25 + 0.25 * math.sin(2 * math.pi * t)
        g = artkit.jewel(PIECE, shape, light, dark, angle=SYMMETRY[shape] * t, glow=glow)
        turn.append(_in_cell(g))
    return plain, idle, turn


# ---- locks, chains and cages -------------------------------------------------

def _link(draw, cx, cy, length, thick, angle, light=STEEL_LIGHT, dark=STEEL_DARK):
    """One chain link (an outlined rounded ring) drawn at 4x on draw."""
    a = math.radians(angle)
    ux, uy = math.cos(a), -math.sin(a)
    half = length / 2
    steps = 24
    outer, inner = [], []
    for k in range(steps):
        th = 2 * math.pi * k / steps
        # A stadium: stretched circle along the link's axis.
        px = math.cos(th) * half
        py = math.sin(th) * thick
        outer.append((cx + px * ux - py * uy, cy + px * uy + py * ux))
        px2 = math.cos(th) * (half - thick * 0.75)
        py2 = math.sin(th) * thick * 0.3
        inner.append((cx + px2 * ux - py2 * uy, cy + px2 * uy + py2 * ux))
    draw.polygon(outer, fill=artkit.INK + (255,))
    shrink = [(cx + (x - cx) * 0.86, cy + (y - cy) * 0.80) if abs(ux) > abs(uy) else
              (cx + (x - cx) * 0.80, cy + (y - cy) * 0.86) for x, y in outer]
    draw.polygon(shrink, fill=light + (255,))
    draw.polygon(inner, fill=artkit.INK + (255,))
    draw.line([(cx - half * 0.5 * ux + thick * 0.45 * uy, cy - half * 0.5 * uy - thick * 0.45 * ux),
               (cx + half * 0.4 * ux + thick * 0.45 * uy, cy + half * 0.4 * uy - thick * 0.45 * ux)],
              fill=(255, 255, 255, 200), width=max(1, S))
    del dark


def _chain(draw, x0, y0, x1, y1, links, thick, light=STEEL_LIGHT):
    angle = math.degrees(math.atan2(-(y1 - y0), x1 - x0))
    for k in range(links):
        t = (k + 0.5) / links
        cx, cy = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        length = math.hypot(x1 - x0, y1 - y0) / links * 1.45
        _link(draw, cx, cy, length, thick if k % 2 == 0 else thick * 0.55, angle, light)


def lock(double):
    """"chaine1" (one chain across the piece) or "chaine2" (two crossed)."""
    img, d = _big(CELL, CELL)
    s = CELL * S
    _chain(d, s * 0.06, s * 0.94, s * 0.94, s * 0.06, 5, s * 0.085)
    if double:
        _chain(d, s * 0.06, s * 0.06, s * 0.94, s * 0.94, 5, s * 0.085, light=(235, 215, 170))
    # A padlock in the middle.
    cx, cy = s / 2, s * 0.56
    d.arc((cx - s * 0.12, cy - s * 0.26, cx + s * 0.12, cy - s * 0.02), 180, 360, fill=artkit.INK + (255,),
          width=int(s * 0.06))
    d.rounded_rectangle((cx - s * 0.17, cy - s * 0.10, cx + s * 0.17, cy + s * 0.16), s * 0.04,
                        fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=int(s * 0.03))
    d.ellipse((cx - s * 0.035, cy - s * 0.03, cx + s * 0.035, cy + s * 0.04), fill=artkit.INK + (255,))
    return _small(img, (CELL, CELL))


def chain_cell():
    """"chaineh": a horizontal chain over a dark plate, drawn under its
    piece; the links run out at both sides so a row of them joins up."""
    img, d = _big(CELL, CELL)
    s = CELL * S
    d.rounded_rectangle((0, s * 0.08, s - 1, s * 0.92), s * 0.12, fill=(40, 44, 60, 200))
    d.rectangle((0, s * 0.40, s, s * 0.60), fill=(20, 22, 30, 230))
    _chain(d, -s * 0.05, s / 2, s * 1.05, s / 2, 4, s * 0.11)
    return _small(img, (CELL, CELL))


def cage():
    """"cage": bars over its piece, with a rim; see-through between bars."""
    img, d = _big(CELL, CELL)
    s = CELL * S
    w = int(s * 0.07)
    for k in range(5):
        x = s * (0.12 + 0.19 * k)
        d.rounded_rectangle((x - w, s * 0.1, x + w, s * 0.9), w, fill=artkit.INK + (255,))
        d.rounded_rectangle((x - w * 0.55, s * 0.1, x + w * 0.35, s * 0.9), w, fill=(200, 160, 80, 255))
    for y in (0.06, 0.5, 0.94):
        d.rounded_rectangle((s * 0.02, s * y - w * 1.2, s * 0.98, s * y + w * 1.2), w,
                            fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,), width=max(1, S * 2))
        d.line((s * 0.06, s * y - w * 0.4, s * 0.94, s * y - w * 0.4), fill=artkit.GOLD + (255,), width=S)
    return _small(img, (CELL, CELL))


# ---- effects ----------------------------------------------------------------

def _radial(size, stops, centre=None, radius=None):
    """An RGB or RGBA image with concentric colour stops [(t, colour)], t 0
    at the centre and 1 at radius."""
    w, h = size
    mode = "RGBA" if len(stops[0][1]) == 4 else "RGB"
    img = Image.new(mode, size, stops[-1][1])
    d = ImageDraw.Draw(img)
    cx, cy = centre or (w / 2, h / 2)
    radius = radius or min(w, h) / 2
    n = int(radius)
    for i in range(n, 0, -1):
        t = i / n
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                c = artkit.lerp(c0, c1, (t - t0) / max(1e-6, t1 - t0))
                break
        else:
            c = stops[-1][1]
        d.ellipse((cx - radius * t, cy - radius * t, cx + radius * t, cy + radius * t), fill=c)
    return img


def _burst(size, frames, core, edge, rays=0, ring=False, sparks=0, seed=1):
    """Frames of an additive burst on black (RGB): a glowing core that grows
    and fades, optional rays, a ring and flying sparks."""
    out = []
    rnd = random.Random(seed)
    spark_dirs = [(rnd.uniform(0, 2 * math.pi), rnd.uniform(0.6, 1.0)) for _ in range(sparks)]
    for i in range(frames):
        t = (i + 1) / frames
        fade = (1 - t) ** 1.2
        img = Image.new("RGB", (size * S // 2, size * S // 2), (0, 0, 0))
        big = img.size[0]
        d = ImageDraw.Draw(img)
        r = big * 0.5 * (0.3 + 0.7 * t ** 0.6)
        core_img = _radial((big, big), [(0.0, artkit.lerp((0, 0, 0), (255, 255, 240), fade)),
                                        (0.35, artkit.lerp((0, 0, 0), core, fade)),
                                        (0.8, artkit.lerp((0, 0, 0), edge, fade * 0.7)), (1.0, (0, 0, 0))],
                           radius=r * (0.9 if ring else 1.0))
        img = ImageChops.add(img, core_img)
        d = ImageDraw.Draw(img)
        if ring:
            rr = r * 0.95
            d.ellipse((big / 2 - rr, big / 2 - rr, big / 2 + rr, big / 2 + rr),
                      outline=artkit.lerp((0, 0, 0), edge, fade), width=max(2, int(big * 0.04 * fade) + 1))
        for k in range(rays):
            a = 2 * math.pi * k / rays + t * 0.6
            x1, y1 = big / 2 + math.cos(a) * r * 1.1, big / 2 + math.sin(a) * r * 1.1
            d.line((big / 2, big / 2, x1, y1), fill=artkit.lerp((0, 0, 0), core, fade), width=max(1, big // 40))
        for a, speed in spark_dirs:
            dist = big * 0.5 * speed * t ** 0.7
            x, y = big / 2 + math.cos(a) * dist, big / 2 + math.sin(a) * dist
            sr = big * 0.025 * (1.2 - t)
            d.ellipse((x - sr, y - sr, x + sr, y + sr), fill=artkit.lerp((0, 0, 0), (255, 240, 200), fade))
        img = img.filter(ImageFilter.GaussianBlur(big * 0.006))
        out.append(img.resize((size, size), Image.LANCZOS))
    return out


def explo_big():
    """"explo1": an additive fireball, 8 frames."""
    return _burst(64, 8, (255, 170, 60), (220, 60, 20), rays=0, ring=True, sparks=10, seed=3)


def explo_small():
    """"explo1png": a smaller alpha burst of white-gold sparkles, 8 frames."""
    out = []
    rnd = random.Random(7)
    dirs = [(rnd.uniform(0, 2 * math.pi), rnd.uniform(0.5, 1.0)) for _ in range(9)]
    for i in range(8):
        t = (i + 1) / 8
        fade = 1 - t
        img, d = _big(48, 48)
        s = 48 * S
        r = s * 0.45 * t ** 0.5
        d.ellipse((s / 2 - r, s / 2 - r, s / 2 + r, s / 2 + r), outline=(255, 240, 190, int(230 * fade)),
                  width=int(s * 0.05 * fade) + 1)
        for a, sp in dirs:
            dist = s * 0.42 * sp * t ** 0.7
            x, y = s / 2 + math.cos(a) * dist, s / 2 + math.sin(a) * dist
            pts = artkit.shape_points("star", x, y, s * 0.07 * (1.2 - t))
            d.polygon(pts, fill=(255, 230, 120, int(255 * fade)))
        out.append(_small(img, (48, 48)))
    return out


def white_flash():
    """"whiteeffect": a soft white square over one cell (alpha)."""
    img = Image.new("RGBA", (CELL, CELL), (255, 255, 255, 0))
    m = Image.new("L", (CELL, CELL), 0)
    ImageDraw.Draw(m).rounded_rectangle((3, 3, CELL - 4, CELL - 4), 8, fill=230)
    m = m.filter(ImageFilter.GaussianBlur(2.5))
    img.putalpha(m)
    return img


def luminos():
    """"luminos": a freed creature's light, a glowing wisp with a sparkle."""
    size = 48
    a = _radial((size, size), [(0.0, (255, 255, 255, 255)), (0.25, (255, 250, 210, 230)),
                               (0.6, (255, 220, 140, 90)), (1.0, (255, 200, 120, 0))])
    d = ImageDraw.Draw(a)
    c = size / 2
    d.polygon([(c, 2), (c + 3, c - 3), (size - 2, c), (c + 3, c + 3), (c, size - 2), (c - 3, c + 3), (2, c),
               (c - 3, c - 3)], fill=(255, 255, 255, 200))
    return a


def combo_burst():
    """"combo1": an additive star burst for cascades, 8 frames."""
    return _burst(64, 8, (120, 200, 255), (160, 90, 255), rays=10, ring=True, sparks=6, seed=5)


def combo_ring():
    """"combomatch": a golden ring of light that zooms out (alpha)."""
    size = 128
    img, d = _big(size, size)
    s = size * S
    for k, (r, w, a) in enumerate(((0.46, 0.05, 110), (0.42, 0.02, 255), (0.34, 0.012, 200))):
        d.ellipse((s * (0.5 - r), s * (0.5 - r), s * (0.5 + r), s * (0.5 + r)),
                  outline=artkit.lerp(artkit.GOLD, (255, 255, 255), k * 0.4) + (a,), width=int(s * w))
    for k in range(8):
        ang = 2 * math.pi * k / 8
        x, y = s / 2 + math.cos(ang) * s * 0.42, s / 2 + math.sin(ang) * s * 0.42
        d.polygon(artkit.shape_points("star", x, y, s * 0.06), fill=(255, 250, 220, 255))
    return _small(img, (size, size)).filter(ImageFilter.GaussianBlur(0.6))


def banner(text, top, bottom, size=(512, 128)):
    """A ribbon banner with big outlined text ("levelcomplete", "nomoremoves")."""
    w, h = size
    img, d = _big(w, h)
    sw, sh = w * S, h * S
    # Ribbon tails, then the band.
    for side in (-1, 1):
        x0 = sw / 2 + side * sw * 0.40
        x1 = sw / 2 + side * sw * 0.49
        tail = [(x0, sh * 0.32), (x1, sh * 0.32), (x1 - side * sw * 0.03, sh * 0.52), (x1, sh * 0.72),
                (x0, sh * 0.72)]
        d.polygon(tail, fill=artkit.lerp(bottom, artkit.INK, 0.3) + (255,), outline=artkit.INK + (255,))
    band = artkit.panel((int(w * 0.84), int(h * 0.62)), top, bottom, radius=14)
    band = band.resize((band.size[0] * S, band.size[1] * S), Image.LANCZOS)
    img.alpha_composite(band, (int(sw * 0.08), int(sh * 0.19)))
    f = artkit.font(artkit.FONT_SERIF_BOLD, 46 * S)
    while d.textlength(text, font=f) > sw * 0.76:
        f = artkit.font(artkit.FONT_SERIF_BOLD, f.size - 2 * S)
    artkit.outlined_text(d, (sw / 2, sh * 0.50), text, f, artkit.PAPER, width=3 * S)
    out = _small(img, size)
    shadow = Image.new("RGBA", size, (0, 0, 0, 0))
    shadow.putalpha(out.getchannel("A").point(lambda v: v * 90 // 255).filter(ImageFilter.GaussianBlur(4)))
    base = Image.new("RGBA", size, (0, 0, 0, 0))
    base.alpha_composite(shadow, (3, 5))
    base.alpha_composite(out)
    return base


# Pop-ups of neighbouring cells show side by side, CELL pixels apart; each
# one's ink stays this much narrower than a cell so that "+15" beside "+15"
# reads as two numbers. The doubled points show at BIG_POPUP_SCALE.
POPUP_GAP = 6
BIG_POPUP_SCALE = 1.2
BIG_POPUP_POINTS = (10, 30)
SMALL_POPUP_POINTS = (5, 15)


def points_popup(points):
    """"pt5".."pt30": the points in near-white outlined digits, so the big
    pop-ups' orange tint shows; a small "+" and tight digits, as large as
    the width left by the neighbouring cells' pop-ups allows. The small and
    the big pop-ups each share one size."""
    w, h = 64, 32
    big = points in BIG_POPUP_POINTS
    group = BIG_POPUP_POINTS if big else SMALL_POPUP_POINTS
    max_ink = (CELL - POPUP_GAP) / (BIG_POPUP_SCALE if big else 1.0)
    size = 22
    while size > 12 and max(_ink_width(_points_text(p, size, w, h)) for p in group) > max_ink:
        size -= 1
    return _points_text(points, size, w, h)


def _ink_width(img):
    box = img.getchannel("A").point(lambda v: 255 if v > 40 else 0).getbbox()
    return box[2] - box[0]


def _points_text(points, size, w, h):
    img, d = _big(w, h)
    digits = artkit.font(artkit.FONT_BOLD, size * S)
    plus = artkit.font(artkit.FONT_BOLD, int(size * 0.7) * S)
    stroke = 2 * S
    kern = -1 * S
    parts = [("+", plus)] + [(c, digits) for c in str(points)]
    widths = [d.textlength(c, font=f) for c, f in parts]
    x = (w * S - (sum(widths) + kern * (len(parts) - 1))) / 2
    for (c, f), cw in zip(parts, widths):
        d.text((x + cw / 2, h * S / 2), c, font=f, fill=(255, 252, 235, 255), anchor="mm",
               stroke_width=stroke, stroke_fill=artkit.INK + (255,))
        x += cw + kern
    return _small(img, (w, h))


def hint_arrow(right):
    """"hintright" points right, "hintleft" left: a fat gold arrow."""
    w, h = 32, 26
    img, d = _big(w, h)
    sw, sh = w * S, h * S
    pts = [(0.08, 0.36), (0.52, 0.36), (0.52, 0.1), (0.94, 0.5), (0.52, 0.9), (0.52, 0.64), (0.08, 0.64)]
    if not right:
        pts = [(1 - x, y) for x, y in pts]
    pts = [(x * sw, y * sh) for x, y in pts]
    d.polygon(pts, fill=artkit.INK + (255,))
    inner = [(sw / 2 + (x - sw / 2) * 0.82, sh / 2 + (y - sh / 2) * 0.70) for x, y in pts]
    d.polygon(inner, fill=artkit.GOLD + (255,))
    d.line([(inner[0][0], inner[0][1] + S), (inner[1][0], inner[1][1] + S)], fill=(255, 250, 210, 255),
           width=2 * S)
    return _small(img, (w, h))


# Where ShowSelection puts each corner relative to the selected cell (x, y
# up) and the corner's scale; the corner's L sits at the cell's corner.
CORNER_OFFSETS = [(-14, 15), (10, 15), (-14, -9), (10, -9)]
CORNER_SCALE = 1.1
CORNER_REACH = 23


def selection_corner(i):
    """"seltopleft", "seltopright", "selbottomleft", "selbottomright"
    (i = 0..3): a gold L bracket whose vertex lands on the cell's corner."""
    size = 40
    img, d = _big(size, size)
    ox, oy = CORNER_OFFSETS[i]
    sx = -1 if i % 2 == 0 else 1
    sy = 1 if i < 2 else -1
    # The vertex in image pixels (y down) from the element's centre.
    vx = size / 2 + (sx * CORNER_REACH - ox) / CORNER_SCALE
    vy = size / 2 - (sy * CORNER_REACH - oy) / CORNER_SCALE
    arm, thick = 13, 4.5
    pts = [(vx, vy), (vx - sx * arm, vy), (vx - sx * arm, vy + sy * thick), (vx - sx * thick, vy + sy * thick),
           (vx - sx * thick, vy + sy * arm), (vx, vy + sy * arm)]
    pts = [(x * S, y * S) for x, y in pts]
    d.polygon(pts, fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
    img = _small(img, (size, size))
    edge = img.getchannel("A").filter(ImageFilter.MaxFilter(3))
    out = Image.new("RGBA", (size, size), artkit.INK + (0,))
    out.putalpha(edge)
    out.alpha_composite(img)
    return out


# ---- gauges, tooltip, spell panel parts ---------------------------------------

GAUGE_SIZE = (90, 420)
# The tube inside the 90-pixel gauge pictures: columns and rows (the gauge
# is drawn at 0.9 x 1 with its centre 20 pixels from the screen's right
# edge, so columns beyond 66 fall off the screen).
TUBE_X0, TUBE_X1 = 14, 52
TUBE_Y0, TUBE_Y1 = 6, 414


def time_gauge_bar():
    """"timegauge": the fill, green at the bottom through gold to red at the
    top; the game shows its lower part as time runs out."""
    w, h = GAUGE_SIZE
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    grad = Image.new("RGBA", (TUBE_X1 - TUBE_X0, TUBE_Y1 - TUBE_Y0))
    gd = ImageDraw.Draw(grad)
    stops = [(0.0, (230, 60, 40)), (0.45, (250, 200, 60)), (1.0, (80, 200, 90))]
    gh = grad.size[1]
    for y in range(gh):
        t = y / (gh - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                c = artkit.lerp(c0, c1, (t - t0) / (t1 - t0))
        gd.line((0, y, grad.size[0], y), fill=c + (255,))
    # Rounded shading across the tube.
    shade = Image.new("RGBA", grad.size, (0, 0, 0, 0))
    sd = ImageDraw.Draw(shade)
    gw = grad.size[0]
    for x in range(gw):
        t = abs(x - gw * 0.35) / gw
        sd.line((x, 0, x, gh), fill=(0, 0, 0, int(150 * t)))
    sd.line((int(gw * 0.3), 0, int(gw * 0.3), gh), fill=(255, 255, 255, 90), width=3)
    grad.alpha_composite(shade)
    img.alpha_composite(grad, (TUBE_X0, TUBE_Y0))
    return img


def time_gauge_back():
    """"timegaugeback": the tube's frame with a dark glass window (the bar,
    drawn below it, shows through)."""
    w, h = GAUGE_SIZE
    img, d = _big(w, h)
    x0, x1, y0, y1 = (TUBE_X0 - 7) * S, (TUBE_X1 + 7) * S, (TUBE_Y0 - 5) * S, (TUBE_Y1 + 5) * S
    d.rounded_rectangle((x0, y0, x1, y1), 20 * S, fill=artkit.INK + (255,))
    d.rounded_rectangle((x0 + 2 * S, y0 + 2 * S, x1 - 2 * S, y1 - 2 * S), 18 * S, fill=artkit.GOLD_DARK + (255,))
    d.rounded_rectangle((x0 + 4 * S, y0 + 4 * S, x1 - 6 * S, y1 - 6 * S), 16 * S, fill=artkit.GOLD + (255,))
    d.rounded_rectangle((TUBE_X0 * S - S, TUBE_Y0 * S - S, TUBE_X1 * S + S, TUBE_Y1 * S + S), 16 * S,
                        fill=artkit.INK + (255,))
    d.rounded_rectangle((TUBE_X0 * S, TUBE_Y0 * S, TUBE_X1 * S, TUBE_Y1 * S), 15 * S, fill=(30, 30, 50, 40))
    img = _small(img, GAUGE_SIZE)
    # The window must stay see-through: cut it out after scaling.
    window = Image.new("L", GAUGE_SIZE, 0)
    ImageDraw.Draw(window).rounded_rectangle((TUBE_X0, TUBE_Y0, TUBE_X1 - 1, TUBE_Y1 - 1), 15, fill=255)
    glass = Image.new("RGBA", GAUGE_SIZE, (30, 30, 50, 40))
    img.paste(glass, (0, 0), window)
    return img


def time_gauge_front():
    """"timegaugefront": glass shine, tick marks and an hourglass cap."""
    w, h = GAUGE_SIZE
    img, d = _big(w, h)
    cx = (TUBE_X0 + TUBE_X1) / 2 * S
    d.rounded_rectangle(((TUBE_X0 + 5) * S, (TUBE_Y0 + 8) * S, (TUBE_X0 + 11) * S, (TUBE_Y1 - 8) * S), 3 * S,
                        fill=(255, 255, 255, 90))
    for k in range(1, 10):
        y = (TUBE_Y0 + (TUBE_Y1 - TUBE_Y0) * k / 10) * S
        d.line(((TUBE_X1 - 12) * S, y, (TUBE_X1 - 2) * S, y), fill=artkit.INK + (200,), width=2 * S)
    # An hourglass badge on top.
    by = (TUBE_Y0 + 22) * S
    d.ellipse((cx - 16 * S, by - 16 * S, cx + 16 * S, by + 16 * S), fill=artkit.GOLD + (255,),
              outline=artkit.INK + (255,), width=2 * S)
    d.polygon([(cx - 8 * S, by - 10 * S), (cx + 8 * S, by - 10 * S), (cx, by), (cx + 8 * S, by + 10 * S),
               (cx - 8 * S, by + 10 * S), (cx, by)], fill=artkit.INK + (255,))
    d.polygon([(cx - 5 * S, by + 8 * S), (cx + 5 * S, by + 8 * S), (cx, by + 2 * S)], fill=(240, 210, 120, 255))
    return _small(img, GAUGE_SIZE)


def spell_gauge_back():
    """"jaugeback": the slot under a spell's charge bar."""
    w, h = 46, 12
    img, d = _big(w, h)
    d.rounded_rectangle((0, 0, w * S - 1, h * S - 1), 5 * S, fill=artkit.INK + (255,))
    d.rounded_rectangle((2 * S, 2 * S, w * S - 2 * S, h * S - 2 * S), 4 * S, fill=(50, 40, 70, 255))
    return _small(img, (w, h))


def spell_gauge():
    """"jauge": the charge bar, scaled from its left end by the game."""
    w, h = 42, 8
    img = artkit.vertical_gradient((w, h), (140, 230, 255), (40, 110, 220))
    m = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(m).rounded_rectangle((0, 0, w * S - 1, h * S - 1), 3 * S, fill=255)
    img.putalpha(m.resize((w, h), Image.LANCZOS))
    ImageDraw.Draw(img).line((2, 1, w - 3, 1), fill=(230, 250, 255, 200))
    return img


def spell_lock():
    """"locksort": a padlock over a spell that is not yet available."""
    size = 40
    img, d = _big(size, size)
    s = size * S
    d.ellipse((s * 0.04, s * 0.04, s * 0.96, s * 0.96), fill=(20, 16, 30, 170))
    cx = s / 2
    d.arc((cx - s * 0.16, s * 0.14, cx + s * 0.16, s * 0.5), 180, 360, fill=artkit.INK + (255,), width=int(s * 0.1))
    d.arc((cx - s * 0.16, s * 0.14, cx + s * 0.16, s * 0.5), 180, 360, fill=(200, 205, 220, 255),
          width=int(s * 0.05))
    d.rounded_rectangle((cx - s * 0.24, s * 0.38, cx + s * 0.24, s * 0.76), s * 0.06, fill=artkit.GOLD + (255,),
                        outline=artkit.INK + (255,), width=int(s * 0.04))
    d.ellipse((cx - s * 0.05, s * 0.50, cx + s * 0.05, s * 0.60), fill=artkit.INK + (255,))
    d.rectangle((cx - s * 0.02, s * 0.56, cx + s * 0.02, s * 0.68), fill=artkit.INK + (255,))
    return _small(img, (size, size))


def spell_halo():
    """"halosort": a ring of rays turning around a ready spell (tinted by
    the game)."""
    size = 60
    img, d = _big(size, size)
    s = size * S
    for k in range(12):
        a = 2 * math.pi * k / 12
        a2 = a + 0.18
        r0, r1 = s * 0.30, s * 0.49
        d.polygon([(s / 2 + math.cos(a) * r0, s / 2 + math.sin(a) * r0),
                   (s / 2 + math.cos(a + 0.09) * r1, s / 2 + math.sin(a + 0.09) * r1),
                   (s / 2 + math.cos(a2) * r0, s / 2 + math.sin(a2) * r0)], fill=(255, 255, 255, 200))
    d.ellipse((s * 0.2, s * 0.2, s * 0.8, s * 0.8), outline=(255, 255, 255, 255), width=int(s * 0.04))
    return _small(img, (size, size)).filter(ImageFilter.GaussianBlur(0.5))


# Wide enough for a spell's name and a few words on what it does.
TOOLTIP_SIZE = (360, 52)
# The cursor, from the tooltip's centre (the board places the tooltip 70
# pixels left of and 30 above it).
TOOLTIP_CURSOR_X = 70


def tooltip():
    """"tooltip": a dark rounded box (its text line 10 pixels above the
    centre) with a tail down toward the cursor."""
    w, h = TOOLTIP_SIZE
    img, d = _big(w, h)
    s = S
    tip = w / 2 + TOOLTIP_CURSOR_X
    d.polygon([((tip - 26) * s, h * 0.7 * s), ((tip + 6) * s, h * 0.7 * s), (tip * s, (h - 1) * s)],
              fill=artkit.GOLD + (255,))
    img = _small(img, (w, h))
    box = artkit.panel((w, 36), (60, 46, 96), (24, 18, 44), radius=10, border=artkit.GOLD, border_width=2)
    img.alpha_composite(box, (0, 0))
    return img


# ---- spell effects -------------------------------------------------------------

def storm_bolt():
    """"storm": a lightning bolt lying along x (alpha), scaled and turned by
    the spell."""
    w, h = 128, 32
    img = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    rnd = random.Random(11)
    pts = [(0, h / 2)]
    for k in range(1, 12):
        pts.append((w * k / 12, h / 2 + rnd.uniform(-h * 0.32, h * 0.32)))
    pts.append((w, h / 2))
    pts = [(x * S, y * S) for x, y in pts]
    glow = Image.new("RGBA", img.size, (0, 0, 0, 0))
    ImageDraw.Draw(glow).line(pts, fill=(150, 190, 255, 200), width=9 * S, joint="curve")
    glow = glow.filter(ImageFilter.GaussianBlur(3 * S))
    img.alpha_composite(glow)
    d = ImageDraw.Draw(img)
    d.line(pts, fill=(200, 225, 255, 255), width=4 * S, joint="curve")
    d.line(pts, fill=(255, 255, 255, 255), width=2 * S, joint="curve")
    return _small(img, (w, h))


def freeze_block():
    """"freeze": an ice crystal shell over a piece."""
    size = 48
    img, d = _big(size, size)
    s = size * S
    hexa = artkit.shape_points("hexagon", s / 2, s / 2, s * 0.47)
    d.polygon(hexa, fill=(190, 230, 255, 150), outline=(240, 250, 255, 255))
    for k in range(6):
        a = math.radians(30 + 60 * k)
        d.line((s / 2, s / 2, s / 2 + math.cos(a) * s * 0.44, s / 2 + math.sin(a) * s * 0.44),
               fill=(255, 255, 255, 160), width=S)
    d.polygon([(s * 0.25, s * 0.2), (s * 0.45, s * 0.12), (s * 0.3, s * 0.45)], fill=(255, 255, 255, 150))
    return _small(img, (size, size))


def ice_burst():
    """"exploglace": ice shards flying apart, 8 frames (alpha)."""
    out = []
    rnd = random.Random(13)
    shards = [(rnd.uniform(0, 2 * math.pi), rnd.uniform(0.5, 1.0), rnd.uniform(0, 360)) for _ in range(10)]
    for i in range(8):
        t = (i + 1) / 8
        img, d = _big(64, 64)
        s = 64 * S
        fade = int(255 * (1 - t) ** 0.8)
        for a, sp, rot in shards:
            dist = s * 0.45 * sp * t ** 0.6
            x, y = s / 2 + math.cos(a) * dist, s / 2 + math.sin(a) * dist
            pts = artkit.rotated_points([(x - s * 0.03, y - s * 0.07), (x + s * 0.03, y - s * 0.07),
                                         (x, y + s * 0.08)], x, y, rot + t * 200)
            d.polygon(pts, fill=(200, 240, 255, fade), outline=(255, 255, 255, fade))
        r = s * 0.3 * t
        d.ellipse((s / 2 - r, s / 2 - r, s / 2 + r, s / 2 + r), outline=(230, 250, 255, fade // 2), width=2 * S)
        out.append(_small(img, (64, 64)))
    return out


def electric_bubble():
    """"bulleeffect": an electric bubble around a monster."""
    size = 72
    img = _radial((size, size), [(0.0, (200, 230, 255, 30)), (0.75, (150, 200, 255, 70)),
                                 (0.92, (220, 240, 255, 200)), (1.0, (220, 240, 255, 0))])
    d = ImageDraw.Draw(img)
    rnd = random.Random(17)
    for k in range(5):
        a = rnd.uniform(0, 2 * math.pi)
        pts = []
        for j in range(5):
            r = size * (0.12 + 0.07 * j)
            pts.append((size / 2 + math.cos(a + rnd.uniform(-0.3, 0.3)) * r,
                        size / 2 + math.sin(a + rnd.uniform(-0.3, 0.3)) * r))
        d.line(pts, fill=(255, 255, 255, 220), width=1)
    return img


def smoke_puff():
    """The particle of "smoke": a soft grey puff."""
    size = 48
    img = _radial((size, size), [(0.0, (120, 110, 110, 190)), (0.6, (90, 85, 90, 110)), (1.0, (80, 80, 90, 0))])
    return img.filter(ImageFilter.GaussianBlur(1.5))


# ---- monsters -------------------------------------------------------------------

MONSTER = 64
MONSTER_FRAMES = 6
CRAB_COLOURS = ((250, 120, 80), (170, 40, 30))
BAT_COLOURS = ((150, 110, 190), (60, 30, 90))
TURTLE_COLOURS = ((150, 210, 110), (40, 110, 50))


def _eye(d, x, y, r):
    d.ellipse((x - r, y - r, x + r, y + r), fill=(255, 255, 255, 255), outline=artkit.INK + (255,), width=S)
    d.ellipse((x - r * 0.45, y - r * 0.1, x + r * 0.45, y + r * 0.8), fill=artkit.INK + (255,))


def _blob(img, box, light, dark, shape="ellipse"):
    """A shaded outlined body part drawn on img (4x)."""
    x0, y0, x1, y1 = [int(v) for v in box]
    w, h = x1 - x0, y1 - y0
    m = Image.new("L", (w, h), 0)
    md = ImageDraw.Draw(m)
    if shape == "ellipse":
        md.ellipse((0, 0, w - 1, h - 1), fill=255)
    else:
        md.polygon([(x - x0, y - y0) for x, y in shape], fill=255)
    outline = Image.new("RGBA", (w, h), artkit.INK + (255,))
    img.paste(outline, (x0, y0), m)
    inner = m.filter(ImageFilter.MinFilter(2 * S + 1))
    img.paste(artkit.vertical_gradient((w, h), light, dark), (x0, y0), inner)


def crab_frames():
    """"crabs": a crab seen from above, claws forward (down), legs walking."""
    light, dark = CRAB_COLOURS
    out = []
    for i in range(MONSTER_FRAMES):
        ph = 2 * math.pi * i / MONSTER_FRAMES
        img, d = _big(MONSTER, MONSTER)
        s = MONSTER * S
        cx, cy = s / 2, s * 0.46
        for side in (-1, 1):
            for k in range(3):
                swing = math.sin(ph + k * 2.1 + (0 if side > 0 else math.pi)) * s * 0.04
                y = cy - s * 0.1 + k * s * 0.1 + swing
                d.line((cx + side * s * 0.15, y, cx + side * s * 0.40, y - s * 0.06 + swing * 0.5,
                        cx + side * s * 0.46, y + s * 0.05), fill=artkit.INK + (255,), width=int(s * 0.045),
                       joint="curve")
                d.line((cx + side * s * 0.15, y, cx + side * s * 0.40, y - s * 0.06 + swing * 0.5,
                        cx + side * s * 0.46, y + s * 0.05), fill=dark + (255,), width=int(s * 0.022))
            # Claw: arm and pincer, forward (down).
            pinch = math.sin(ph * 2) * 0.04
            ax, ay = cx + side * s * 0.22, cy + s * 0.26
            d.line((cx + side * s * 0.12, cy + s * 0.08, ax, ay), fill=artkit.INK + (255,), width=int(s * 0.07))
            d.line((cx + side * s * 0.12, cy + s * 0.08, ax, ay), fill=dark + (255,), width=int(s * 0.04))
            _blob(img, (ax - s * 0.10, ay - s * 0.06, ax + s * 0.10, ay + s * 0.16), light, dark)
            d.polygon([(ax - side * s * 0.01, ay + s * 0.05), (ax - side * s * (0.06 + pinch), ay + s * 0.2),
                       (ax + side * s * 0.02, ay + s * 0.1)], fill=(0, 0, 0, 0))
        _blob(img, (cx - s * 0.24, cy - s * 0.2, cx + s * 0.24, cy + s * 0.16), light, dark)
        d = ImageDraw.Draw(img)
        for side in (-1, 1):
            d.line((cx + side * s * 0.06, cy + s * 0.10, cx + side * s * 0.08, cy + s * 0.2),
                   fill=artkit.INK + (255,), width=int(s * 0.02))
            _eye(d, cx + side * s * 0.08, cy + s * 0.21, s * 0.05)
        d.ellipse((cx - s * 0.12, cy - s * 0.14, cx - s * 0.02, cy - s * 0.06), fill=(255, 255, 255, 110))
        out.append(_small(img, (MONSTER, MONSTER)))
    return out


def bat_frames():
    """"bat": a bat facing the player, wings flapping."""
    light, dark = BAT_COLOURS
    out = []
    for i in range(MONSTER_FRAMES):
        ph = 2 * math.pi * i / MONSTER_FRAMES
        lift = math.sin(ph)
        img, d = _big(MONSTER, MONSTER)
        s = MONSTER * S
        cx, cy = s / 2, s * 0.5
        for side in (-1, 1):
            tip_y = cy - s * 0.05 - lift * s * 0.25
            wing = [(cx + side * s * 0.08, cy - s * 0.08), (cx + side * s * 0.30, tip_y - s * 0.12),
                    (cx + side * s * 0.48, tip_y), (cx + side * s * 0.40, tip_y + s * 0.12),
                    (cx + side * s * 0.30, tip_y + s * 0.08), (cx + side * s * 0.22, tip_y + s * 0.18),
                    (cx + side * s * 0.12, cy + s * 0.12)]
            d.polygon(wing, fill=artkit.INK + (255,))
            inner = [(cx + (x - cx) * 0.92, cy + (y - cy) * 0.88) for x, y in wing]
            d.polygon(inner, fill=dark + (255,))
            d.line([wing[0], wing[2]], fill=light + (255,), width=S)
        _blob(img, (cx - s * 0.14, cy - s * 0.16, cx + s * 0.14, cy + s * 0.2), light, dark)
        d = ImageDraw.Draw(img)
        for side in (-1, 1):
            d.polygon([(cx + side * s * 0.04, cy - s * 0.12), (cx + side * s * 0.12, cy - s * 0.26),
                       (cx + side * s * 0.13, cy - s * 0.1)], fill=dark + (255,), outline=artkit.INK + (255,))
            _eye(d, cx + side * s * 0.055, cy - s * 0.03, s * 0.045)
        d.polygon([(cx - s * 0.03, cy + s * 0.07), (cx - s * 0.015, cy + s * 0.11), (cx, cy + s * 0.07)],
                  fill=(255, 255, 255, 255))
        d.polygon([(cx + s * 0.03, cy + s * 0.07), (cx + s * 0.015, cy + s * 0.11), (cx, cy + s * 0.07)],
                  fill=(255, 255, 255, 255))
        out.append(_small(img, (MONSTER, MONSTER)))
    return out


def turtle_frames():
    """"turtle": a turtle seen from above, head forward (down), paddling."""
    light, dark = TURTLE_COLOURS
    shell_light, shell_dark = (200, 160, 90), (110, 70, 30)
    out = []
    for i in range(MONSTER_FRAMES):
        ph = 2 * math.pi * i / MONSTER_FRAMES
        img, d = _big(MONSTER, MONSTER)
        s = MONSTER * S
        cx, cy = s / 2, s * 0.47
        for k, (fx, fy) in enumerate(((-1, 1), (1, 1), (-1, -1), (1, -1))):
            swing = math.sin(ph + (0 if fx * fy > 0 else math.pi)) * s * 0.05
            x, y = cx + fx * s * 0.26, cy + fy * s * 0.16 + swing
            _blob(img, (x - s * 0.08, y - s * 0.07, x + s * 0.08, y + s * 0.07), light, dark)
        hy = cy + s * 0.30 + math.sin(ph * 2) * s * 0.01
        _blob(img, (cx - s * 0.09, hy - s * 0.09, cx + s * 0.09, hy + s * 0.1), light, dark)
        d = ImageDraw.Draw(img)
        for side in (-1, 1):
            _eye(d, cx + side * s * 0.045, hy + s * 0.03, s * 0.03)
        _blob(img, (cx - s * 0.27, cy - s * 0.26, cx + s * 0.27, cy + s * 0.26), shell_light, shell_dark)
        d = ImageDraw.Draw(img)
        hexa = artkit.shape_points("hexagon", cx, cy, s * 0.1)
        d.polygon(hexa, outline=artkit.INK + (255,), fill=artkit.lerp(shell_light, (255, 230, 150), 0.3) + (255,))
        for k in range(6):
            a = math.radians(30 + 60 * k)
            d.line((cx + math.cos(a) * s * 0.1, cy + math.sin(a) * s * 0.1,
                    cx + math.cos(a) * s * 0.24, cy + math.sin(a) * s * 0.24), fill=artkit.INK + (255,), width=S * 2)
        d.ellipse((cx - s * 0.16, cy - s * 0.19, cx - s * 0.04, cy - s * 0.11), fill=(255, 255, 255, 90))
        out.append(_small(img, (MONSTER, MONSTER)))
    return out


def monster_gauge_back():
    """"gaugeentback": the frame of a monster's life gauge."""
    w, h = 48, 10
    img, d = _big(w, h)
    d.rounded_rectangle((0, 0, w * S - 1, h * S - 1), 4 * S, fill=artkit.INK + (255,))
    d.rounded_rectangle((S * 2, S * 2, w * S - S * 2, h * S - S * 2), 3 * S, fill=(70, 30, 30, 255))
    return _small(img, (w, h))


def monster_gauge():
    """"gaugeent": a monster's life, scaled from its left end."""
    w, h = 44, 6
    img = artkit.vertical_gradient((w, h), (255, 140, 120), (200, 30, 40))
    ImageDraw.Draw(img).line((1, 1, w - 2, 1), fill=(255, 220, 210, 255))
    return img


def monster_appear():
    """"monsterappear": an additive purple puff where a monster arrives."""
    return _burst(64, 8, (200, 120, 255), (90, 40, 200), rays=6, ring=False, sparks=8, seed=19)


def monster_effect():
    """"effectmonster": an additive green-violet swirl where a monster acts."""
    return _burst(64, 8, (120, 255, 160), (150, 60, 220), rays=0, ring=True, sparks=12, seed=23)


def monster_hit():
    """"monsterhit": an additive star spark on a clicked monster."""
    return _burst(48, 6, (255, 240, 140), (255, 120, 40), rays=8, ring=False, sparks=6, seed=29)


# ---- ambient life of the worlds (drawn under the board, layer 1) ------------------

def butterfly_frames():
    """A butterfly flapping, 4 frames (meadow): pink fore wings, gold hind
    wings, seen from above; the wings narrow as they fold."""
    out = []
    size = 36
    for open_ in (1.0, 0.55, 0.15, 0.55):
        img, d = _big(size, size)
        s = size * S
        cx, cy = s / 2, s / 2
        for side in (-1, 1):
            fore = [(cx, cy - s * 0.05), (cx + side * s * 0.46 * open_, cy - s * 0.42),
                    (cx + side * s * (0.08 + 0.4 * open_), cy - s * 0.02)]
            hind = [(cx, cy), (cx + side * s * (0.05 + 0.32 * open_), cy + s * 0.08),
                    (cx + side * s * 0.26 * open_, cy + s * 0.36), (cx + side * s * 0.03, cy + s * 0.12)]
            for pts, colour in ((fore, (255, 130, 190)), (hind, (255, 210, 100))):
                d.polygon(pts, fill=colour + (255,), outline=artkit.INK + (255,))
            if open_ > 0.5:
                x, y = cx + side * s * 0.26 * open_, cy - s * 0.2
                d.ellipse((x - s * 0.05, y - s * 0.05, x + s * 0.05, y + s * 0.05), fill=(255, 255, 255, 230))
        d.rounded_rectangle((cx - s * 0.035, cy - s * 0.24, cx + s * 0.035, cy + s * 0.22), s * 0.03,
                            fill=artkit.INK + (255,))
        d.line((cx, cy - s * 0.22, cx - s * 0.1, cy - s * 0.34), fill=artkit.INK + (255,), width=S)
        d.line((cx, cy - s * 0.22, cx + s * 0.1, cy - s * 0.34), fill=artkit.INK + (255,), width=S)
        out.append(_small(img, (size, size)))
    return out


def bird_frames():
    """A far bird gliding and beating its wings, 4 frames (desert)."""
    out = []
    for lift in (0.0, -0.5, 0.0, 0.5):
        img, d = _big(48, 24)
        s = S
        cx, cy = 24 * s, 12 * s
        for side in (-1, 1):
            d.line((cx, cy, cx + side * 10 * s, cy + (lift * 8 - 3) * s, cx + side * 22 * s, cy + lift * 10 * s),
                   fill=(70, 40, 40, 255), width=3 * s, joint="curve")
        d.ellipse((cx - 3 * s, cy - 2 * s, cx + 3 * s, cy + 3 * s), fill=(70, 40, 40, 255))
        out.append(_small(img, (48, 24)))
    return out


def bubble():
    """One rising bubble (lagoon)."""
    img, d = _big(16, 16)
    s = 16 * S
    d.ellipse((S, S, s - S, s - S), fill=(200, 250, 255, 50), outline=(230, 255, 255, 220), width=S)
    d.ellipse((s * 0.25, s * 0.2, s * 0.45, s * 0.4), fill=(255, 255, 255, 230))
    return _small(img, (16, 16))


def _twinkle_frames(colour, points):
    out = []
    for i in range(8):
        t = math.sin(math.pi * i / 8) ** 2
        img = Image.new("RGBA", (24, 24), (0, 0, 0, 0))
        if t > 0.02:
            g = _radial((24, 24), [(0.0, colour + (int(230 * t),)), (0.45, colour + (int(90 * t),)),
                                   (1.0, colour + (0,))])
            img.alpha_composite(g)
            if points:
                d = ImageDraw.Draw(img)
                r = 11 * t
                d.polygon([(12, 12 - r), (13, 11), (12 + r, 12), (13, 13), (12, 12 + r), (11, 13), (12 - r, 12),
                           (11, 11)], fill=(255, 255, 255, int(255 * t)))
        out.append(img)
    return out


def firefly_frames():
    """A firefly glowing up and fading, 8 frames (forest)."""
    return _twinkle_frames((255, 240, 130), False)


def sparkle_frames():
    """A glint on the ice, 8 frames (glacier)."""
    return _twinkle_frames((220, 240, 255), True)


def ember():
    """One glowing ember (volcano)."""
    return _radial((10, 10), [(0.0, (255, 240, 180, 255)), (0.5, (255, 140, 40, 200)), (1.0, (255, 80, 20, 0))])
