"""Art of the two opening screens: the maker's logo (shown on white) and the
distributor's full-screen page."""
import math

from PIL import Image, ImageDraw, ImageFilter, ImageFont

import artkit

FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT_SERIF = "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf"
FONT_LIGHT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf"

# The logo texture; its sprite covers the whole of it.
LOGO_SIZE = (512, 256)
# The distributor page: an 800 x 600 picture in the top-left corner of a
# power-of-two texture.
PAGE_SIZE = (800, 600)
PAGE_TEXTURE = (1024, 1024)

ENTRIES = {
    "splash/logo.png": "logo",
    "splash/distri.png": "distri",
}


def _font(path, size):
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


def _centred_text(draw, cx, y, text, font, fill, spacing=0):
    """Text centred on cx with letters spaced apart by spacing pixels."""
    widths = [draw.textlength(ch, font=font) for ch in text]
    total = sum(widths) + spacing * (len(text) - 1)
    x = cx - total / 2
    for ch, w in zip(text, widths):
        draw.text((x, y), ch, font=font, fill=fill)
        x += w + spacing


def _bolt(draw, cx, cy, r, fill):
    """A lightning bolt inside a circle of radius r."""
    k = r / 100.0
    pts = [(-18, -78), (34, -78), (8, -14), (40, -14), (-24, 80), (-6, 12), (-38, 12)]
    draw.polygon([(cx + x * k, cy + y * k) for x, y in pts], fill=fill)


def make_logo():
    s = artkit.SUPERSAMPLE
    w, h = LOGO_SIZE[0] * s, LOGO_SIZE[1] * s
    img = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    d = ImageDraw.Draw(img)
    # Emblem: a gold disc with a dark ring and a dark bolt, at the left.
    cx, cy, r = 120 * s, 110 * s, 88 * s
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=artkit.INK + (255,))
    ri = r - 8 * s
    disc = artkit.vertical_gradient((2 * ri, 2 * ri), artkit.GOLD, artkit.GOLD_DARK)
    mask = Image.new("L", (2 * ri, 2 * ri), 0)
    ImageDraw.Draw(mask).ellipse((0, 0, 2 * ri - 1, 2 * ri - 1), fill=255)
    img.paste(disc, (cx - ri, cy - ri), mask)
    _bolt(d, cx, cy, ri * 0.95, artkit.INK + (255,))
    # Name and line beside the emblem.
    # The name fills the space right of the emblem (largest size that fits).
    left, right = 228 * s, 496 * s
    size = 72
    while size > 12 and d.textlength("BRASVOLT", font=_font(FONT_BOLD, size * s)) > right - left:
        size -= 2
    name_font = _font(FONT_BOLD, size * s)
    mid = (left + right) / 2
    _centred_text(d, mid, 62 * s, "BRASVOLT", name_font, artkit.INK + (255,))
    d.rectangle((left, 134 * s, right, 139 * s), fill=artkit.GOLD_DARK + (255,))
    tag_font = _font(FONT_LIGHT, 30 * s)
    _centred_text(d, mid, 146 * s, "GAMES", tag_font, artkit.INK + (255,), spacing=14 * s)
    img = img.resize(LOGO_SIZE, Image.LANCZOS)
    # A faint shadow under the emblem, so it sits on the white page.
    shadow = Image.new("RGBA", LOGO_SIZE, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).ellipse((52, 200, 188, 222), fill=(0, 0, 0, 60))
    shadow = shadow.filter(ImageFilter.GaussianBlur(5))
    return Image.alpha_composite(shadow, img)


def make_distri():
    w, h = PAGE_SIZE
    page = artkit.vertical_gradient(PAGE_SIZE, (16, 34, 52), (40, 92, 86))
    d = ImageDraw.Draw(page)
    # Soft light behind the mark.
    halo = Image.new("L", PAGE_SIZE, 0)
    ImageDraw.Draw(halo).ellipse((w / 2 - 260, 70, w / 2 + 260, 470), fill=90)
    halo = halo.filter(ImageFilter.GaussianBlur(60))
    page.paste(Image.new("RGBA", PAGE_SIZE, (170, 230, 200, 255)), (0, 0), halo)
    # The mark: three leaves fanning out of a hollow, in cream and gold.
    cx, cy = w / 2, 250
    for i, angle in enumerate((-38, 0, 38)):
        a = math.radians(angle - 90)
        length = 120 if angle == 0 else 100
        tip = (cx + length * math.cos(a), cy + length * math.sin(a))
        side = math.radians(angle)
        wdt = 30
        left = (cx + (tip[0] - cx) * 0.5 - wdt * math.cos(side),
                cy + (tip[1] - cy) * 0.5 - wdt * math.sin(side))
        right = (cx + (tip[0] - cx) * 0.5 + wdt * math.cos(side),
                 cy + (tip[1] - cy) * 0.5 + wdt * math.sin(side))
        colour = artkit.PAPER if i == 1 else artkit.GOLD
        d.polygon([(cx, cy), left, tip, right], fill=colour + (255,), outline=artkit.INK + (255,))
        d.line([(cx, cy), tip], fill=artkit.INK + (255,), width=2)
    d.ellipse((cx - 70, cy - 6, cx + 70, cy + 26), fill=artkit.INK + (255,))
    # Name and line.
    _centred_text(d, cx, 300, "FERNHOLLOW", _font(FONT_SERIF, 66), artkit.PAPER + (255,), spacing=4)
    d.rectangle((cx - 150, 392, cx + 150, 395), fill=artkit.GOLD + (255,))
    _centred_text(d, cx, 408, "PUBLISHING", _font(FONT_LIGHT, 28), artkit.PAPER + (255,), spacing=12)
    _centred_text(d, cx, 540, "presents", _font(FONT_LIGHT, 22), (200, 220, 210, 255), spacing=3)
    tex = Image.new("RGBA", PAGE_TEXTURE, (0, 0, 0, 255))
    tex.paste(page, (0, 0))
    return tex


def generate(work_dir):
    """Writes the PNGs; returns {pack name: file path}."""
    makers = {"logo": make_logo, "distri": make_distri}
    return artkit.write_pictures(work_dir, {name: makers[kind] for name, kind in ENTRIES.items()})


if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "splash-out"))
