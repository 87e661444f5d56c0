"""The three hidden-object screens: "hidden1.xml".."hidden3.xml" with their
pictures. Each file holds the painted backdrop (with clutter shaped like the
objects painted in), the objects to find (layers 1 and 3: smaller than
painted, turned, leaning toward the colours around them, each with a
polygon hugging the part of its picture nothing covers and a language key
named after its level element), furniture decoys (layer 2), scenery in
front that hides a side of most objects (layer 4), and what the screen
creates by name: the names panel, the hint
button ("hintoff"/"hinton"), "rayure", "hintsparkle", "halosort", "stars",
"tooltip", "levelcomplete" and the menu button.

Painting takes a few seconds, so results are kept in the work folder under a
key of this module's sources and reused while they are unchanged."""
import hashlib
import json
import math
import os
import random
import shutil
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _hidden_paint as paint  # noqa: E402
import _hidden_scenes as scenes  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCES = ["hidden.py", "_hidden_paint.py", "_hidden_scenes.py", os.path.join("..", "artkit.py")]
FONT_SERIF = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

BACKDROP_TEXTURE = (1024, 1024)
OBJECT_SHEET = (1024, 512)
UI_SHEET = (1024, 256)
GLOW_SHEET = (256, 128)
MAX_VERTICES = 16
MIN_CORNER_GAP = 1.0       # pixels between neighbouring corners of a shape
SHADOW_OFFSET = (4, 5)      # pixels left and down
SHADOW_BLUR = 3
SHADOW_ALPHA = 90
ALPHA_SOLID = 100          # pixels at least this opaque belong to the object's shape

# Where the screen's own pieces sit (level coordinates, y up). The panel
# starts below the screen; the code slides it to (-68, -230).
PANEL_START = (-68, -380)
HINT_POS = (300, -228)
MENU_POS = (334, 274)

# UI sheet: name -> (x, y, w, h)
UI_RECTS = {
    "panel": (0, 0, 600, 100),
    "levelcomplete": (0, 104, 440, 120),
    "stars": (450, 104, 128, 128),
    "hintoff": (610, 0, 84, 84),
    "hinton": (700, 0, 84, 84),
    "btnmenu": (790, 0, 120, 40),
    "tooltip": (790, 44, 150, 48),
    "rayure": (610, 90, 128, 12),
}
GLOW_RECTS = {"hintsparkle": (0, 0, 32, 32), "halosort": (32, 0, 96, 96)}


def _font(path, size):
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


# ---------------------------------------------------------------- shapes
def _cross(o, a, b):
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])


def _convex_hull(points):
    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and _cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and _cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


# ---------------------------------------------------------------- pictures
def _pack(items, sheet_size):
    """Shelf packing: {name: image} -> (sheet, {name: rect})."""
    sheet = Image.new("RGBA", sheet_size, (0, 0, 0, 0))
    rects = {}
    x = y = shelf = 0
    for name, img in sorted(items.items(), key=lambda kv: -kv[1].size[1]):
        w, h = img.size
        if x + w > sheet_size[0]:
            x, y, shelf = 0, y + shelf + 2, 0
        if y + h > sheet_size[1]:
            raise ValueError("object sheet too small for %s" % name)
        sheet.paste(img, (x, y))
        rects[name] = (x, y, w, h)
        x += w + 2
        shelf = max(shelf, h)
    return sheet, rects


def make_ui():
    sheet = Image.new("RGBA", UI_SHEET, (0, 0, 0, 0))
    panel = artkit.panel((600, 100), (70, 52, 100), (32, 24, 54), radius=16)
    sheet.paste(panel, UI_RECTS["panel"][:2])
    # Level complete ribbon with its words.
    s = artkit.SUPERSAMPLE
    w, h = 440, 120
    big = Image.new("RGBA", (w * s, h * s), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.polygon([(0, 40 * s), (60 * s, 30 * s), (60 * s, 100 * s), (0, 110 * s), (24 * s, 72 * s)],
              fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,), width=3 * s)
    d.polygon([(w * s, 40 * s), (w * s - 60 * s, 30 * s), (w * s - 60 * s, 100 * s), (w * s, 110 * s),
               (w * s - 24 * s, 72 * s)], fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,), width=3 * s)
    face = artkit.panel((360, 84), artkit.GOLD, artkit.GOLD_DARK, radius=12, border=artkit.INK).resize(
        (360 * s, 84 * s), Image.LANCZOS)
    big.alpha_composite(face, (40 * s, 14 * s))
    f = _font(FONT_SERIF, 40 * s)
    text = "Well found!"
    tw = d.textlength(text, font=f)
    d.text(((w * s - tw) / 2, 26 * s), text, font=f, fill=artkit.PAPER + (255,),
           stroke_width=3 * s, stroke_fill=artkit.INK + (255,))
    sheet.alpha_composite(big.resize((w, h), Image.LANCZOS), UI_RECTS["levelcomplete"][:2])
    # A burst of small stars.
    stars = Image.new("RGBA", (128 * s, 128 * s), (0, 0, 0, 0))
    for k in range(9):
        a = math.radians(k * 40 + 10)
        r = (30 + 22 * (k % 2)) * s
        cx, cy = 64 * s + r * math.cos(a), 64 * s + r * math.sin(a)
        size = (14 + 6 * (k % 3)) * s
        pts = artkit.shape_points("star", cx, cy, size / 2)
        ImageDraw.Draw(stars).polygon(pts, fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
    sheet.alpha_composite(stars.resize((128, 128), Image.LANCZOS), UI_RECTS["stars"][:2])
    # Hint buttons: a magnifying glass, dim while charging, golden when lit.
    for name, (top, bottom, lens) in {"hintoff": ((120, 120, 150), (60, 60, 85), (150, 160, 190)),
                                     "hinton": (artkit.GOLD, artkit.GOLD_DARK, (200, 240, 255))}.items():
        size = 84
        btn = artkit.gem(size, "circle", top, bottom)
        d = ImageDraw.Draw(btn)
        d.line((46, 48, 64, 66), fill=artkit.INK + (255,), width=9)
        d.line((47, 49, 63, 65), fill=(120, 80, 40, 255), width=5)
        d.ellipse((20, 18, 52, 50), fill=artkit.INK + (255,))
        d.ellipse((24, 22, 48, 46), fill=lens + (255,))
        d.ellipse((28, 26, 36, 33), fill=(255, 255, 255, 200))
        sheet.alpha_composite(btn, UI_RECTS[name][:2])
    sheet.alpha_composite(artkit.panel((120, 40), (90, 70, 130), (40, 30, 70), radius=10), UI_RECTS["btnmenu"][:2])
    sheet.alpha_composite(artkit.panel((150, 48), (60, 45, 90), (25, 18, 45), radius=10, border_width=2),
                          UI_RECTS["tooltip"][:2])
    # The strike-through: a brush stroke, thicker in the middle.
    stroke = Image.new("RGBA", (128 * s, 12 * s), (0, 0, 0, 0))
    ImageDraw.Draw(stroke).polygon([(0, 6 * s), (10 * s, 3 * s), (118 * s, 2 * s), (128 * s, 5 * s),
                                    (120 * s, 9 * s), (8 * s, 9 * s)], fill=(250, 90, 60, 255))
    sheet.alpha_composite(stroke.resize((128, 12), Image.LANCZOS), UI_RECTS["rayure"][:2])
    return sheet


def make_glow():
    """Additive pictures, RGB on black."""
    sheet = Image.new("RGB", GLOW_SHEET, (0, 0, 0))
    spark = artkit.glow((32, 32), (255, 240, 170))
    d = ImageDraw.Draw(spark)
    d.line((16, 2, 16, 30), fill=(255, 255, 230), width=2)
    d.line((2, 16, 30, 16), fill=(255, 255, 230), width=2)
    sheet.paste(spark, GLOW_RECTS["hintsparkle"][:2])
    halo = Image.new("RGB", (96, 96), (0, 0, 0))
    hd = ImageDraw.Draw(halo)
    for k in range(12):
        a0 = k * 30
        hd.arc((4, 4, 92, 92), a0, a0 + 18, fill=(255, 255, 255), width=6)
    halo = Image.blend(halo, halo.filter(ImageFilter.GaussianBlur(3)), 0.5)
    sheet.paste(halo, GLOW_RECTS["halosort"][:2])
    return sheet


# ---------------------------------------------------------------- scene file
def _vertices(poly):
    return "".join('<vertex x="%g" y="%g"/>' % v for v in poly)


def _sprite(name, image, rect):
    return ('    <sprite name="%s"><sourceimage>%s</sourceimage><sourcerect x="%d" y="%d" width="%d" height="%d"/>'
            '</sprite>' % ((name, image) + tuple(rect)))


def _lvl(name, source, pos, layer, extra=""):
    return ('      <lvlelement name="%s"><sourceelement>%s</sourceelement><pos x="%g" y="%g"/><layer>%d</layer>'
            '<color a="255" r="255" g="255" b="255"/>%s</lvlelement>' % (name, source, pos[0], pos[1], layer, extra))


def _level_pos(x, y):
    return (x - scenes.W / 2, scenes.H / 2 - y)


def scene_xml(stem, spec, object_rects, object_shapes, fronts):
    world = spec["world"]
    lines = ['<?xml version="1.0" encoding="ISO-8859-1"?>',
             "<!-- Hidden-object screen (%s): the painted picture, the objects to find (layers 1" % world,
             "     and 3, each named by a language key), decoys and grass, and the screen's own pieces. -->",
             "<scene>", "  <images>",
             '    <image name="%sback"><filename>hidden/%s_back.png</filename></image>' % (stem, stem),
             '    <image name="%sobjects"><filename>hidden/%s_objects.png</filename></image>' % (stem, stem),
             '    <image name="hiddenui"><filename>hidden/ui.png</filename></image>',
             '    <image name="hiddenglow"><filename>hidden/glow.png</filename></image>',
             '    <image name="andalus-font12"><filename>fonts/andalus-font12.png</filename></image>',
             '    <image name="galaxy-font16"><filename>fonts/galaxy-font16.png</filename></image>',
             "  </images>", "  <sprites>"]
    lines.append(_sprite("backdrop", stem + "back", (0, 0, scenes.W, scenes.H)))
    for name, rect in sorted(object_rects.items()):
        lines.append(_sprite("pic_" + name, stem + "objects", rect))
    for name, rect in UI_RECTS.items():
        lines.append(_sprite("ui_" + name, "hiddenui", rect))
    for name, rect in GLOW_RECTS.items():
        lines.append(_sprite("ui_" + name, "hiddenglow", rect))
    lines += ["  </sprites>", "  <elements>",
              '    <element type="image" name="backdrop"><sourcesprite>backdrop</sourcesprite></element>']
    for name in sorted(object_rects):
        shape = object_shapes.get(name)
        body = '<shape type="polygon">%s</shape>' % _vertices(shape) if shape else ""
        lines.append('    <element type="image" name="pic_%s"><sourcesprite>pic_%s</sourcesprite>%s</element>'
                     % (name, name, body))
    round_button = '<shape type="circle"><radius>38</radius></shape>'
    menu_shape = '<shape type="polygon">%s</shape>' % _vertices([(-58, -18), (58, -18), (58, 18), (-58, 18)])
    for name in UI_RECTS:
        body = round_button if name in ("hinton", "hintoff") else menu_shape if name == "btnmenu" else ""
        lines.append('    <element type="image" name="%s"><sourcesprite>ui_%s</sourcesprite>%s</element>'
                     % (name, name, body))
    for name in GLOW_RECTS:
        lines.append('    <element type="image" name="%s"><sourcesprite>ui_%s</sourcesprite><blitmode>2</blitmode>'
                     '</element>' % (name, name))
    lines += ["  </elements>", "  <levels>", '    <level name="%s"><lvlelements>' % stem]
    lines.append(_lvl("backdrop", "backdrop", (0, 0), 0, "<dyntype>-1</dyntype>"))
    for k, (kind, x, y) in enumerate(spec["decoys"]):
        lines.append(_lvl("decoy%d" % k, "pic_" + kind, _level_pos(x, y), 2, "<dyntype>-1</dyntype>"))
    for name, kind, x, y, rot, layer, _cover in spec["objects"]:
        lines.append(_lvl(name, "pic_" + name, _level_pos(x, y), layer,
                          "<rotation>%g</rotation><dyntype>0</dyntype>" % rot))
    for fname, kind, seed, x, y, rot in fronts:
        lines.append(_lvl(fname, "pic_%s%d" % (kind, seed), _level_pos(round(x), round(y)), 4,
                          "<rotation>%g</rotation><dyntype>-1</dyntype>" % rot))
    lines.append(_lvl("panel", "panel", PANEL_START, 5, "<dyntype>-1</dyntype>"))
    lines.append(_lvl("hint", "hintoff", HINT_POS, 6, "<dyntype>0</dyntype>"))
    lines.append(_lvl("btnmenu", "btnmenu", MENU_POS, 6, "<dyntype>0</dyntype>"))
    lines += ["    </lvlelements></level>", "  </levels>", "</scene>", ""]
    return "\n".join(lines)


def with_shadows(picture, placed):
    """The backdrop with a soft shadow cast behind every placed picture
    (down and to the left, away from the light), which sets the objects
    into the scene."""
    shade = Image.new("L", picture.size, 0)
    for img, x, y, rot in placed:
        alpha = img.getchannel("A")
        if rot:
            alpha = alpha.rotate(rot, resample=Image.BICUBIC, expand=True)
        shade.paste(alpha, (int(x - alpha.size[0] / 2 - SHADOW_OFFSET[0]), int(y - alpha.size[1] / 2 + SHADOW_OFFSET[1])),
                    alpha)
    shade = shade.filter(ImageFilter.GaussianBlur(SHADOW_BLUR)).point(lambda v: v * SHADOW_ALPHA // 255)
    return Image.composite(Image.new("RGB", picture.size, (30, 20, 40)), picture, shade)


# ---------------------------------------------------------------- hiding
OBJECT_SCALE = 0.66     # objects are drawn this much smaller than painted
TINT = 0.42             # how far an object's colours lean toward its surroundings
CLUTTER_TINT = 0.3
COVER_SHARE = 0.15      # share of an object its front piece is moved over
SURROUNDINGS_BLUR = 16  # radius of the neighbourhood whose colour tints an object
CLUTTER_CLEARANCE = 26  # clutter keeps this far from an object's centre
CLUTTER_VARIANTS = 3    # drawings of each clutter kind, reused turned and tinted


def scaled(img, factor):
    w, h = img.size
    return img.resize((max(1, round(w * factor)), max(1, round(h * factor))), Image.LANCZOS)


def tinted(img, colour, amount):
    """img with its colours moved toward colour by amount, alpha kept."""
    flat = Image.new("RGBA", img.size, tuple(colour) + (255,))
    out = Image.blend(img, flat, amount)
    out.putalpha(img.getchannel("A"))
    return out


def turned(img, rot):
    return img.rotate(rot, resample=Image.BICUBIC, expand=True) if rot else img


def _screen_alpha(img, x, y, rot):
    """The picture's alpha at its place on the screen (centre x, y)."""
    pic = turned(img, rot)
    mask = Image.new("L", (scenes.W, scenes.H), 0)
    mask.paste(pic.getchannel("A"), (round(x - pic.size[0] / 2), round(y - pic.size[1] / 2)))
    return mask


def _solid(mask):
    return mask.point(lambda v: 255 if v >= ALPHA_SOLID else 0)


def _count(mask):
    return mask.histogram()[255]


def place_cover(obj, rot, front, x, y, angle, covered):
    """Centre of the front piece on the line from (x, y) in direction angle
    (degrees, counter-clockwise from the right) at which, coming in from
    outside, it and what already covers the object (the screen mask
    covered) first hide COVER_SHARE of it; None when that much is hidden
    already. Worked out on the object's own turned picture."""
    solid = _solid(turned(obj, rot).getchannel("A"))
    w, h = solid.size
    left, top = round(x - w / 2), round(y - h / 2)
    solid = ImageChops.subtract(solid, _solid(covered.crop((left, top, left + w, top + h))))
    area = _count(_solid(turned(obj, rot).getchannel("A")))
    need = COVER_SHARE * area - (area - _count(solid))
    if need <= 0:
        return None
    front_solid = _solid(front.getchannel("A"))
    dx, dy = math.cos(math.radians(angle)), -math.sin(math.radians(angle))
    for d in range(max(front.size) + max(w, h), -1, -1):
        cx, cy = round(x + d * dx), round(y + d * dy)
        lay = Image.new("L", solid.size, 0)
        lay.paste(front_solid, (round(cx - front.size[0] / 2) - left, round(cy - front.size[1] / 2) - top))
        if _count(ImageChops.multiply(solid, lay)) >= need:
            return cx, cy
    return x, y


def visible_polygon(obj_mask, cover_mask, x, y, rot, limit=MAX_VERTICES):
    """Convex polygon around the object's pixels that nothing drawn above
    it hides, in the element's own frame (centre origin, y up, before its
    rotation), counter-clockwise, at most limit vertices."""
    visible = ImageChops.subtract(_solid(obj_mask), _solid(cover_mask))
    box = visible.getbbox()
    pts = set()
    if box:
        crop = visible.crop(box)
        px = crop.load()
        for j in range(crop.size[1]):
            row = [i for i in range(crop.size[0]) if px[i, j]]
            if row:
                for i in (row[0], row[-1] + 1):
                    pts.add((box[0] + i, box[1] + j))
                    pts.add((box[0] + i, box[1] + j + 1))
    c, s = math.cos(math.radians(-rot)), math.sin(math.radians(-rot))
    # Rounded before the hull is taken, so the written corners are the
    # hull's own and stay strictly convex.
    local = set()
    for sx, sy in pts:
        dx, dy = sx - x, y - sy
        local.add((round(dx * c - dy * s, 1), round(dx * s + dy * c, 1)))
    hull = _convex_hull(sorted(local))
    while len(hull) > 3:
        gaps = [math.dist(hull[i - 1], hull[i]) for i in range(len(hull))]
        if len(hull) <= limit and min(gaps) >= MIN_CORNER_GAP:
            break
        if min(gaps) < MIN_CORNER_GAP:
            del hull[gaps.index(min(gaps))]
            continue
        areas = [abs(_cross(hull[i - 1], hull[i], hull[(i + 1) % len(hull)])) for i in range(len(hull))]
        del hull[areas.index(min(areas))]
    return hull


def scatter_clutter(back, spec, rnd):
    """Small look-alikes painted into the backdrop, each turned, leaning
    toward the colours around it and casting a faint shadow."""
    surroundings = back.filter(ImageFilter.GaussianBlur(SURROUNDINGS_BLUR))
    centres = [(x, y) for _n, _k, x, y, _r, _l, _c in spec["objects"]]
    placed = []
    for kind, count, (x0, y0, x1, y1), top, bottom, *turn in spec["clutter"]:
        turn = turn[0] if turn else 180
        variants = [paint.CLUTTER[kind](rnd, top, bottom) for _ in range(CLUTTER_VARIANTS)]
        made = 0
        while made < count:
            x, y = rnd.uniform(x0, x1), rnd.uniform(y0, y1)
            if any(math.hypot(x - cx, y - cy) < CLUTTER_CLEARANCE for cx, cy in centres):
                continue
            made += 1
            img = tinted(variants[made % CLUTTER_VARIANTS], surroundings.getpixel((int(x), int(y))), CLUTTER_TINT)
            placed.append((img, x, y, rnd.uniform(-turn, turn)))
    out = with_shadows(back, placed).convert("RGBA")
    for img, x, y, rot in placed:
        pic = turned(img, rot)
        out.alpha_composite(pic, (round(x - pic.size[0] / 2), round(y - pic.size[1] / 2)))
    return out.convert("RGB")


def build_scene(stem, painter, spec, out_dir):
    made = {}
    rnd = random.Random(stem)
    pictures, shapes = {}, {}
    for kind, _x, _y in spec["decoys"]:
        pictures[kind] = paint.PAINTERS[kind]()
    # Only the decoys and the clutter cast shadows into the backdrop: an
    # object to find leaves the scene once found, and its shadow would stay
    # behind (and give its place away before).
    placed = [(pictures[kind], x, y, 0) for kind, x, y in spec["decoys"]]
    picture = scatter_clutter(with_shadows(painter(), placed), spec, rnd)
    surroundings = picture.filter(ImageFilter.GaussianBlur(SURROUNDINGS_BLUR))
    for kind, x, y in spec["decoys"]:
        pictures[kind] = tinted(pictures[kind], surroundings.getpixel((int(x), int(y))), TINT / 2)
    back = Image.new("RGB", BACKDROP_TEXTURE, (0, 0, 0))
    back.paste(picture, (0, 0))
    path = os.path.join(out_dir, stem + "_back.png")
    back.save(path)
    made["hidden/%s_back.png" % stem] = path
    # The objects: smaller, leaning toward the colours around them, turned.
    masks = {}
    for name, kind, x, y, rot, _layer, _cover in spec["objects"]:
        img = scaled(paint.PAINTERS[kind](), OBJECT_SCALE)
        pictures[name] = tinted(img, surroundings.getpixel((int(x), int(y))), TINT)
        masks[name] = _screen_alpha(pictures[name], x, y, rot)
    # Scenery in front: the free pieces, then one piece moved over a side
    # of each object that names one, until that much of it is hidden.
    def front_picture(kind, seed):
        key = "%s%d" % (kind, seed)
        if key not in pictures:
            pictures[key] = paint.FRONT[kind](seed, *spec["front_colours"][kind])
        return pictures[key]
    fronts = []
    front_mask = Image.new("L", (scenes.W, scenes.H), 0)

    def add_front(fname, kind, seed, x, y, rot):
        fronts.append((fname, kind, seed, x, y, rot))
        return ImageChops.lighter(front_mask, _screen_alpha(front_picture(kind, seed), x, y, rot))
    for k, (kind, x, y, rot, seed) in enumerate(spec["front"]):
        front_mask = add_front("front%d" % k, kind, seed, x, y, rot)
    # Below the front, a layer 1 object is also covered by the decoys and
    # the layer 3 objects.
    middle = Image.new("L", (scenes.W, scenes.H), 0)
    for kind, x, y in spec["decoys"]:
        middle = ImageChops.lighter(middle, _screen_alpha(pictures[kind], x, y, 0))
    for name, _kind, _x, _y, _rot, layer, _cover in spec["objects"]:
        if layer == 3:
            middle = ImageChops.lighter(middle, masks[name])
    for name, _kind, x, y, rot, layer, cover in spec["objects"]:
        if cover:
            kind, angle, seed = cover
            above = front_mask if layer == 3 else ImageChops.lighter(front_mask, middle)
            spot = place_cover(pictures[name], rot, front_picture(kind, seed), x, y, angle, above)
            if spot:
                front_mask = add_front("cover_" + name, kind, seed, spot[0], spot[1], 0)
    over_low = ImageChops.lighter(front_mask, middle)
    for name, _kind, x, y, rot, layer, _cover in spec["objects"]:
        shapes[name] = visible_polygon(masks[name], front_mask if layer == 3 else over_low, x, y, rot)
    sheet, rects = _pack(pictures, OBJECT_SHEET)
    path = os.path.join(out_dir, stem + "_objects.png")
    sheet.save(path)
    made["hidden/%s_objects.png" % stem] = path
    path = os.path.join(out_dir, stem + ".xml")
    with open(path, "w", encoding="latin-1") as f:
        f.write(scene_xml(stem, spec, rects, shapes, fronts))
    made[stem + ".xml"] = path
    return made


def _source_key():
    h = hashlib.sha1()
    for name in SOURCES:
        with open(os.path.join(HERE, name), "rb") as f:
            h.update(f.read())
    return h.hexdigest()[:16]


def generate(work_dir):
    """Writes (or reuses) the screens' pictures and files; returns
    {pack name: file path}."""
    out_dir = os.path.join(work_dir, _source_key())
    manifest = os.path.join(out_dir, "manifest.json")
    if os.path.isfile(manifest):
        with open(manifest) as f:
            made = json.load(f)
        if all(os.path.isfile(p) for p in made.values()):
            return made
    for old in os.listdir(work_dir):       # results of earlier sources
        if old != os.path.basename(out_dir):
            shutil.rmtree(os.path.join(work_dir, old), ignore_errors=True)
    os.makedirs(out_dir, exist_ok=True)
    made = {}
    for stem, painter, spec in scenes.SCENES:
        made.update(build_scene(stem, painter, spec, out_dir))
    for name, maker in (("ui", make_ui), ("glow", make_glow)):
        path = os.path.join(out_dir, name + ".png")
        maker().save(path)
        made["hidden/%s.png" % name] = path
    with open(manifest, "w") as f:
        json.dump(made, f, indent=1, sort_keys=True)
    return made


if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "hidden-out"))
