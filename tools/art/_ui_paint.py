"""Painting helpers shared by the menu, map, story and dialog art modules:
dialog panels with a gold frame and a soft shadow, jewel buttons, glows and
small ornaments, all in the look of artkit (gradients, dark outline, a white
highlight upper left, drawn at 4x and scaled down)."""
import math
import os

from PIL import Image, ImageDraw, ImageFilter, ImageFont

import artkit

S = artkit.SUPERSAMPLE
FONT_DIR = "/usr/share/fonts/truetype/dejavu/"

# Dialog faces: deep indigo, so the white outlined GUI texts, the green and
# orange recap values and the red selection all read well on them.
PANEL_TOP = (70, 58, 128)
PANEL_BOTTOM = (30, 24, 64)
BAND = (24, 18, 48)
# Buttons: a jewel blue with a gold rim; the hover state is brighter.
BUTTON_TOP = (70, 140, 210)
BUTTON_BOTTOM = (24, 64, 140)
BUTTON_OVER_TOP = (120, 190, 250)
BUTTON_OVER_BOTTOM = (40, 100, 190)
SHADOW_MARGIN = 10


def font(face, size):
    try:
        return ImageFont.truetype(FONT_DIR + face + ".ttf", size)
    except OSError:
        return ImageFont.load_default()


def rounded_mask(size, radius, inset=0):
    w, h = size
    m = Image.new("L", (w * S, h * S), 0)
    ImageDraw.Draw(m).rounded_rectangle((inset * S, inset * S, (w - inset) * S - 1, (h - inset) * S - 1),
                                        max(1, (radius - inset) * S), fill=255)
    return m.resize(size, Image.LANCZOS)


def soft_shadow(size, box, radius, blur=6, alpha=140, offset=(0, 4)):
    """A blurred dark rounded box inside an image of size, for depth."""
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    m = Image.new("L", size, 0)
    x0, y0, x1, y1 = box
    ImageDraw.Draw(m).rounded_rectangle((x0 + offset[0], y0 + offset[1], x1 + offset[0], y1 + offset[1]),
                                        radius, fill=alpha)
    m = m.filter(ImageFilter.GaussianBlur(blur))
    img.putalpha(m)
    return img


def sheen(size, radius, strength=70):
    """A soft white gloss over the upper half of a rounded face."""
    w, h = size
    g = Image.new("L", size, 0)
    d = ImageDraw.Draw(g)
    for y in range(h // 2):
        d.line((0, y, w, y), fill=int(strength * (1 - y / (h / 2)) ** 1.5))
    return Image.composite(g, Image.new("L", size, 0), rounded_mask(size, radius, 3))


def framed_panel(size, top=PANEL_TOP, bottom=PANEL_BOTTOM, radius=18, band=None, ornaments=True):
    """A dialog panel of size (w, h), the face centred in the image and a soft
    shadow in a SHADOW_MARGIN border around it. band: (y, height) of a darker
    strip behind the title, in face pixels from the top."""
    w, h = size
    m = SHADOW_MARGIN
    fw, fh = w - 2 * m, h - 2 * m
    img = soft_shadow(size, (m, m, w - m, h - m), radius, blur=6, alpha=150)
    face = artkit.panel((fw, fh), top, bottom, radius=radius, border=artkit.GOLD, border_width=3)
    # Dark outer line around the gold border, then a thin inner light line.
    outline = Image.new("RGBA", (fw, fh), artkit.INK + (0,))
    ring = rounded_mask((fw, fh), radius)
    inner = rounded_mask((fw, fh), radius, 2)
    ring = Image.composite(Image.new("L", (fw, fh), 0), ring, inner)
    outline.putalpha(ring)
    d = ImageDraw.Draw(face)
    if band:
        by, bh = band
        strip = Image.new("RGBA", (fw - 16, bh), BAND + (0,))
        strip.putalpha(rounded_mask((fw - 16, bh), bh // 2).point(lambda v: v * 150 // 255))
        face.alpha_composite(strip, (8, by))
        d.line((30, by + bh, fw - 30, by + bh), fill=artkit.GOLD_DARK + (255,), width=2)
    inner_line = Image.new("RGBA", (fw, fh), (0, 0, 0, 0))
    ImageDraw.Draw(inner_line).rounded_rectangle((7, 7, fw - 8, fh - 8), max(2, radius - 7), outline=(150, 130, 220, 120),
                                                 width=1)
    face.alpha_composite(inner_line)
    face.alpha_composite(outline)
    white = Image.new("RGBA", (fw, fh), (255, 255, 255, 255))
    face.paste(white, (0, 0), Image.composite(sheen((fw, fh), radius, 40), Image.new("L", (fw, fh), 0),
                                               face.getchannel("A")))
    if ornaments:
        for cx, cy in ((14, 14), (fw - 15, 14), (14, fh - 15), (fw - 15, fh - 15)):
            g = artkit.gem(16, "diamond", artkit.GOLD, artkit.GOLD_DARK)
            face.alpha_composite(g, (cx - 8, cy - 8))
    img.alpha_composite(face, (m, m))
    return img


def jewel_button(size, top=BUTTON_TOP, bottom=BUTTON_BOTTOM, radius=None, border=artkit.GOLD, label=None,
                 label_font=None, label_colour=artkit.PAPER):
    """A rounded gradient button with a gold rim, a gloss and a faint shadow;
    the face fills the image but for 3 pixels of shadow at the bottom."""
    w, h = size
    r = radius if radius is not None else (h - 4) // 2
    img = soft_shadow(size, (2, 2, w - 2, h - 1), r, blur=2, alpha=120, offset=(0, 2))
    fw, fh = w - 4, h - 4
    face = artkit.panel((fw, fh), top, bottom, radius=r, border=border, border_width=2)
    ring = Image.composite(Image.new("L", (fw, fh), 0), rounded_mask((fw, fh), r), rounded_mask((fw, fh), r, 1))
    line = Image.new("RGBA", (fw, fh), artkit.INK + (0,))
    line.putalpha(ring)
    face.alpha_composite(line)
    white = Image.new("RGBA", (fw, fh), (255, 255, 255, 255))
    face.paste(white, (0, 0), sheen((fw, fh), r, 90))
    if label:
        outlined_text(face, (fw / 2, fh / 2), label, label_font, label_colour)
    img.alpha_composite(face, (2, 1))
    return img


def outlined_text(img, centre, text, fnt, fill, outline=artkit.INK, width=2):
    """Text centred on centre with a dark outline, drawn onto img."""
    d = ImageDraw.Draw(img)
    l, t, r, b = d.textbbox((0, 0), text, font=fnt)
    x = centre[0] - (l + r) / 2
    y = centre[1] - (t + b) / 2
    d.text((x, y), text, font=fnt, fill=fill + (255,), stroke_width=width, stroke_fill=outline + (255,))


def glow_star(size, colour, rays=4, core=0.18):
    """An additive sparkle (RGB on black): a soft core and thin rays."""
    w = size * S
    img = Image.new("L", (w, w), 0)
    d = ImageDraw.Draw(img)
    c = w / 2
    for i in range(rays):
        a = math.pi * i / rays
        dx, dy = math.cos(a) * c * 0.95, math.sin(a) * c * 0.95
        px, py = -math.sin(a) * w * 0.035, math.cos(a) * w * 0.035
        d.polygon([(c - dx, c - dy), (c + px, c + py), (c + dx, c + dy), (c - px, c - py)], fill=255)
    img = img.filter(ImageFilter.GaussianBlur(w * 0.01))
    halo = Image.new("L", (w, w), 0)
    ImageDraw.Draw(halo).ellipse((c - w * core, c - w * core, c + w * core, c + w * core), fill=255)
    halo = halo.filter(ImageFilter.GaussianBlur(w * core * 0.6))
    mask = Image.composite(Image.new("L", (w, w), 255), halo, img)
    mask = mask.resize((size, size), Image.LANCZOS)
    out = Image.new("RGB", (size, size), (0, 0, 0))
    out.paste(Image.new("RGB", (size, size), colour), (0, 0), mask)
    return out


def arrow_button(size, over=False):
    """The wooden arrow sign that leaves a screen: a shaft for the label and a
    head pointing right."""
    w, h = size
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    pts = [(3, 10), (w - 42, 10), (w - 42, 2), (w - 2, h / 2), (w - 42, h - 2), (w - 42, h - 10), (3, h - 10)]
    d.polygon([(x * S, y * S) for x, y in pts], fill=artkit.INK + (255,))
    inner = [(6, 13), (w - 45, 13), (w - 45, 7), (w - 7, h / 2), (w - 45, h - 7), (w - 45, h - 13), (6, h - 13)]
    m = Image.new("L", big.size, 0)
    ImageDraw.Draw(m).polygon([(x * S, y * S) for x, y in inner], fill=255)
    top, bottom = ((200, 120, 60), (120, 60, 24)) if not over else ((240, 160, 80), (160, 90, 36))
    big.paste(artkit.vertical_gradient(big.size, top, bottom), (0, 0), m)
    for k in range(3):                       # wood grain
        y = (18 + k * 9) * S
        d.line((10 * S, y, (w - 50) * S, y + 2 * S), fill=(90, 46, 20, 120), width=S)
    d.line((8 * S, 15 * S, (w - 46) * S, 15 * S), fill=(255, 220, 160, 140), width=2 * S)
    img = big.resize(size, Image.LANCZOS)
    shadow = soft_shadow(size, (4, 12, w - 4, h - 8), 6, blur=3, alpha=110)
    shadow.alpha_composite(img)
    return shadow


def light_to_alpha(img, colour):
    """A light drawn on black (RGB) as a see-through RGBA picture of one
    colour whose alpha is the brightness, so colour fades of normal drawing
    show on it (additive drawing ignores alpha)."""
    out = Image.new("RGBA", img.size, colour + (255,))
    out.putalpha(Image.eval(img.convert("L"), lambda v: min(255, v * 3 // 2)))
    return out


def lerp_colour(a, b, t):
    return artkit.lerp(a, b, max(0.0, min(1.0, t)))


def sprite_sheet(size, table, pictures):
    """A sheet of size holding each picture at its rectangle of table
    ({name: (x, y, w, h)}); a picture of another size is an error."""
    sheet = Image.new("RGBA", size, (0, 0, 0, 0))
    for name, img in pictures.items():
        x, y, w, h = table[name]
        assert img.size == (w, h), name
        sheet.alpha_composite(img, (x, y))
    return sheet


def write_outputs(work_dir, pictures, scene_name=None, scene_text=None):
    """Saves each picture ({pack name: maker returning an image}) and the
    scene file, if any, into work_dir; returns {pack name: file path}."""
    os.makedirs(work_dir, exist_ok=True)
    out = {}
    for pack_name, maker in pictures.items():
        path = os.path.join(work_dir, os.path.basename(pack_name))
        maker().save(path)
        out[pack_name] = path
    if scene_name:
        path = os.path.join(work_dir, scene_name)
        with open(path, "w", encoding="latin-1") as f:
            f.write(scene_text)
        out[scene_name] = path
    return out
