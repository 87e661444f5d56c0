"""The game's one palette and the drawing helpers every art module shares.

Art modules (tools/art/*.py) import this to keep one look: soft vertical
gradients, a dark outline two pixels wide, a white highlight in the upper
left, shapes drawn at 4x and scaled down for clean edges.
"""
from PIL import Image, ImageDraw, ImageFilter

# Oversampling factor for anti-aliased shapes.
SUPERSAMPLE = 4

# Neutral colours (RGB).
INK = (24, 18, 40)            # outlines and dark text
PAPER = (250, 244, 228)       # light panels and light text
GOLD = (250, 200, 70)         # highlights, titles, selection
GOLD_DARK = (170, 110, 20)
SHADOW = (0, 0, 0)

# Six worlds, each with its own colour mood: sky top, sky bottom, accent.
WORLD_MOODS = [
    {"name": "meadow", "top": (120, 200, 240), "bottom": (200, 240, 170), "accent": (70, 160, 60)},
    {"name": "desert", "top": (250, 190, 110), "bottom": (250, 230, 170), "accent": (200, 110, 40)},
    {"name": "lagoon", "top": (30, 110, 170), "bottom": (80, 200, 200), "accent": (20, 150, 160)},
    {"name": "forest", "top": (30, 80, 50), "bottom": (110, 160, 80), "accent": (200, 170, 60)},
    {"name": "glacier", "top": (150, 180, 230), "bottom": (235, 245, 255), "accent": (90, 130, 210)},
    {"name": "volcano", "top": (50, 20, 40), "bottom": (190, 60, 30), "accent": (250, 150, 40)},
]

# Five piece colours (colour 1..5); each also has its own silhouette so that
# colour-blind players tell them apart: red circle, yellow diamond, green
# leaf-like hexagon, blue square, purple star.
PIECES = [
    {"colour": 1, "name": "ruby", "shape": "circle", "light": (255, 120, 110), "dark": (180, 20, 40)},
    {"colour": 2, "name": "amber", "shape": "diamond", "light": (255, 235, 120), "dark": (210, 140, 0)},
    {"colour": 3, "name": "jade", "shape": "hexagon", "light": (150, 240, 140), "dark": (20, 130, 60)},
    {"colour": 4, "name": "sapphire", "shape": "square", "light": (130, 190, 255), "dark": (20, 60, 190)},
    {"colour": 5, "name": "amethyst", "shape": "star", "light": (230, 150, 255), "dark": (110, 30, 160)},
]


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom, alpha=255):
    """An RGBA image of size (w, h) shading from top to bottom."""
    w, h = size
    img = Image.new("RGBA", size)
    d = ImageDraw.Draw(img)
    for y in range(h):
        c = lerp(top, bottom, y / max(1, h - 1))
        d.line((0, y, w, y), fill=c + (alpha,))
    return img


def shape_points(shape, cx, cy, r):
    """Polygon points of a named silhouette (None for the circle)."""
    import math
    if shape == "diamond":
        return [(cx, cy - r), (cx + r * 0.8, cy), (cx, cy + r), (cx - r * 0.8, cy)]
    if shape == "square":
        k = r * 0.82
        return [(cx - k, cy - k), (cx + k, cy - k), (cx + k, cy + k), (cx - k, cy + k)]
    if shape == "hexagon":
        return [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
                for a in range(30, 390, 60)]
    if shape == "star":
        pts = []
        for i in range(10):
            rr = r if i % 2 == 0 else r * 0.48
            a = math.radians(-90 + 36 * i)
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        return pts
    return None


def _mask(size, shape, inset):
    w, h = size
    m = Image.new("L", size, 0)
    d = ImageDraw.Draw(m)
    cx, cy, r = w / 2, h / 2, min(w, h) / 2 - inset
    pts = shape_points(shape, cx, cy, r)
    if pts is None:
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    else:
        d.polygon(pts, fill=255)
    return m


def gem(size, shape, light, dark, outline=INK):
    """A shaded, outlined piece of the given silhouette, RGBA, size x size."""
    s = size * SUPERSAMPLE
    ow = 2 * SUPERSAMPLE
    outer = _mask((s, s), shape, 1 * SUPERSAMPLE)
    inner = _mask((s, s), shape, 1 * SUPERSAMPLE + ow)
    body = vertical_gradient((s, s), light, dark)
    img = Image.new("RGBA", (s, s), outline + (0,))
    img.paste(Image.new("RGBA", (s, s), outline + (255,)), (0, 0), outer)
    img.paste(body, (0, 0), inner)
    # Highlight: a soft white blob in the upper left, clipped to the body.
    hl = Image.new("L", (s, s), 0)
    hd = ImageDraw.Draw(hl)
    hd.ellipse((s * 0.22, s * 0.16, s * 0.55, s * 0.40), fill=150)
    hl = hl.filter(ImageFilter.GaussianBlur(s * 0.03))
    hl = Image.composite(hl, Image.new("L", (s, s), 0), inner)
    img.paste(Image.new("RGBA", (s, s), (255, 255, 255, 255)), (0, 0), hl)
    return img.resize((size, size), Image.LANCZOS)


def panel(size, top, bottom, radius=12, border=GOLD, border_width=3):
    """A rounded panel with a gradient face and a coloured border, RGBA."""
    w, h = size
    s = SUPERSAMPLE
    big = (w * s, h * s)
    m = Image.new("L", big, 0)
    ImageDraw.Draw(m).rounded_rectangle((0, 0, big[0] - 1, big[1] - 1), radius * s, fill=255)
    inner = Image.new("L", big, 0)
    b = border_width * s
    ImageDraw.Draw(inner).rounded_rectangle((b, b, big[0] - 1 - b, big[1] - 1 - b),
                                            max(1, (radius - border_width) * s), fill=255)
    img = Image.new("RGBA", big, border + (0,))
    img.paste(Image.new("RGBA", big, border + (255,)), (0, 0), m)
    img.paste(vertical_gradient(big, top, bottom), (0, 0), inner)
    return img.resize(size, Image.LANCZOS)


def glow(size, colour, on_black=True):
    """A radial glow for additive drawing (blit mode 2): drawn on black,
    since additive drawing ignores alpha."""
    w, h = size
    img = Image.new("RGB", size, (0, 0, 0))
    d = ImageDraw.Draw(img)
    steps = max(w, h) // 2
    for i in range(steps, 0, -1):
        t = i / steps
        c = tuple(int(v * (1 - t) ** 1.6) for v in colour)
        d.ellipse((w / 2 - w / 2 * t, h / 2 - h / 2 * t, w / 2 + w / 2 * t, h / 2 + h / 2 * t), fill=c)
    return img if on_black else img.convert("RGBA")


def next_pow2(n):
    p = 1
    while p < n:
        p *= 2
    return p


def rotated_points(points, cx, cy, degrees):
    """The points turned about (cx, cy), counter-clockwise on screen."""
    import math
    a = math.radians(-degrees)
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * ca - (y - cy) * sa, cy + (x - cx) * sa + (y - cy) * ca) for x, y in points]


def _jewel_mask(s, shape, inset, angle, scale=1.0):
    m = Image.new("L", (s, s), 0)
    d = ImageDraw.Draw(m)
    cx = cy = s / 2
    r = (s / 2 - inset) * scale
    pts = shape_points(shape, cx, cy, r)
    if pts is None:
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)
    else:
        d.polygon(rotated_points(pts, cx, cy, angle), fill=255)
    return m


def jewel(size, shape, light, dark, angle=0.0, glint=None, glow=0.0, outline=INK):
    """A board piece: the gem of `gem` with a lighter inner facet, turned by
    angle degrees (the light stays in the upper left), with an optional
    white glint band crossing it (glint 0..1 from upper left to lower
    right) and an optional brightening (glow 0..1). RGBA, size x size."""
    s = size * SUPERSAMPLE
    ow = 2 * SUPERSAMPLE
    outer = _jewel_mask(s, shape, SUPERSAMPLE, angle)
    inner = _jewel_mask(s, shape, SUPERSAMPLE + ow, angle)
    facet = _jewel_mask(s, shape, SUPERSAMPLE + ow, angle, 0.55)
    if glow:
        light = lerp(light, (255, 255, 255), glow * 0.5)
        dark = lerp(dark, light, glow * 0.4)
    img = Image.new("RGBA", (s, s), outline + (0,))
    img.paste(Image.new("RGBA", (s, s), outline + (255,)), (0, 0), outer)
    img.paste(vertical_gradient((s, s), light, dark), (0, 0), inner)
    # The facet: a lighter table lit from below, edged by a faint dark line.
    edge = facet.filter(ImageFilter.MaxFilter(5))
    img.paste(Image.new("RGBA", (s, s), lerp(dark, outline, 0.3) + (255,)), (0, 0),
              Image.eval(edge, lambda v: v * 90 // 255))
    img.paste(vertical_gradient((s, s), lerp(dark, light, 0.55), lerp(light, (255, 255, 255), 0.35)),
              (0, 0), facet)
    # Highlight: a soft white blob in the upper left, clipped to the body.
    hl = Image.new("L", (s, s), 0)
    ImageDraw.Draw(hl).ellipse((s * 0.24, s * 0.17, s * 0.52, s * 0.37), fill=170)
    hl = hl.filter(ImageFilter.GaussianBlur(s * 0.03))
    hl = Image.composite(hl, Image.new("L", (s, s), 0), inner)
    img.paste(Image.new("RGBA", (s, s), (255, 255, 255, 255)), (0, 0), hl)
    if glint is not None:
        band = Image.new("L", (s, s), 0)
        c = -s * 0.6 + glint * s * 2.2
        w = s * 0.12
        ImageDraw.Draw(band).polygon([(c - w, 0), (c + w, 0), (c + w - s, s), (c - w - s, s)], fill=200)
        band = band.filter(ImageFilter.GaussianBlur(s * 0.02))
        band = Image.composite(band, Image.new("L", (s, s), 0), inner)
        img.paste(Image.new("RGBA", (s, s), (255, 255, 255, 255)), (0, 0), band)
    return img.resize((size, size), Image.LANCZOS)


def outlined_text(draw, xy, text, font, fill, outline=INK, width=2, anchor="mm"):
    """Text with a dark outline of the given width (pixels)."""
    draw.text(xy, text, font=font, fill=fill, anchor=anchor, stroke_width=width, stroke_fill=outline)


def font(path, size):
    from PIL import ImageFont
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_SERIF_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"


def write_pictures(work_dir, makers):
    """Saves each maker's picture into work_dir under its pack name's file
    name; returns {pack name: file path} (a generator module's answer)."""
    import os
    os.makedirs(work_dir, exist_ok=True)
    out = {}
    for pack_name, maker in makers.items():
        path = os.path.join(work_dir, os.path.basename(pack_name))
        maker().save(path)
        out[pack_name] = path
    return out
