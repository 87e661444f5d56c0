"""Window icon (resource 101), normal cursor (122, hot spot 0,0) and the game
cursor shown over monsters (125, hot spot 15,15), as RGBA PNGs."""

from PIL import Image, ImageDraw

import artkit

S = artkit.SUPERSAMPLE


def _icon(size=64):
    """The five piece shapes on a night-blue medallion with a gold rim."""
    img = artkit.panel((size, size), (60, 50, 130), (20, 16, 60), radius=size // 2 - 1,
                       border=artkit.GOLD, border_width=3)
    small = size * 2 // 5
    spots = [(size // 2, size * 3 // 10), (size * 3 // 10, size // 2), (size * 7 // 10, size // 2),
             (size * 2 // 5, size * 7 // 10), (size * 3 // 5, size * 7 // 10)]
    for piece, (cx, cy) in zip(artkit.PIECES, spots):
        g = artkit.gem(small, piece["shape"], piece["light"], piece["dark"])
        img.alpha_composite(g, (cx - small // 2, cy - small // 2))
    return img


def _arrow(size=32):
    """A gold arrow with a dark outline; its tip is the hot spot (0, 0)."""
    big = Image.new("RGBA", (size * S, size * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    pts = [(0, 0), (0, 24), (6, 18.5), (10.5, 28), (15, 26), (10.8, 16.8), (18, 16.8)]
    pts = [(x * S + S, y * S + S) for x, y in pts]
    d.polygon(pts, fill=artkit.INK + (255,))
    inner = [(x * S + S, y * S + S) for x, y in [(1.6, 3.6), (1.6, 20.5), (6.4, 16), (11.2, 25.6),
                                                   (13, 24.8), (8.6, 15.2), (14.2, 15.2)]]
    d.polygon(inner, fill=artkit.GOLD + (255,))
    d.line([inner[0], inner[1]], fill=(255, 250, 210, 255), width=S)
    img = big.resize((size, size), Image.LANCZOS)
    # The very tip stays opaque so the hot spot is visibly the tip.
    img.putpixel((0, 0), artkit.INK + (255,))
    return img


def _target(size=32):
    """A red crosshair ring centred on (15, 15) for striking monsters."""
    big = Image.new("RGBA", (size * S, size * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    c = 15.5 * S
    for r, w, col in ((12, 5, artkit.INK), (12, 3, (240, 70, 50))):
        d.ellipse((c - r * S, c - r * S, c + r * S, c + r * S), outline=col + (255,), width=w * S)
    for (x0, y0, x1, y1) in ((c, 0, c, 9 * S), (c, 22 * S, c, 31 * S), (0, c, 9 * S, c), (22 * S, c, 31 * S, c)):
        d.line((x0, y0, x1, y1), fill=artkit.INK + (255,), width=4 * S)
        d.line((x0, y0, x1, y1), fill=(255, 255, 255, 255), width=2 * S)
    d.ellipse((c - 2 * S, c - 2 * S, c + 2 * S, c + 2 * S), fill=(255, 255, 255, 255), outline=artkit.INK + (255,),
              width=S)
    return big.resize((size, size), Image.LANCZOS)


ENTRIES = {
    "icons/icon101.png": _icon,
    "icons/cursor122.png": _arrow,
    "icons/cursor125.png": _target,
}


def generate(work_dir):
    return artkit.write_pictures(work_dir, ENTRIES)
