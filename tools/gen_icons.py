"""Window icon (101), normal cursor (122) and game cursor (125) as PNGs."""
import os

from PIL import Image, ImageDraw

ICON_ENTRIES = {
    "icons/icon101.png": "icon",
    "icons/cursor122.png": "arrow",
    "icons/cursor125.png": "target",
}


def _icon(size=64):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse((4, 4, size - 5, size - 5), fill=(60, 40, 140, 255), outline=(250, 210, 90, 255), width=4)
    d.regular_polygon((size / 2, size / 2, size / 4), 4, rotation=45, fill=(250, 210, 90, 255))
    return img


def _arrow(size=32):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    pts = [(0, 0), (0, 22), (6, 17), (10, 26), (14, 24), (10, 15), (17, 15)]
    d.polygon(pts, fill=(255, 255, 255, 255), outline=(20, 20, 30, 255))
    return img


def _target(size=32):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.ellipse((3, 3, 27, 27), outline=(255, 80, 60, 255), width=3)
    d.line((15, 0, 15, 30), fill=(255, 255, 255, 255), width=2)
    d.line((0, 15, 30, 15), fill=(255, 255, 255, 255), width=2)
    return img


def generate_icons(work_dir):
    os.makedirs(work_dir, exist_ok=True)
    makers = {"icon": _icon, "arrow": _arrow, "target": _target}
    out = {}
    for arcname, kind in ICON_ENTRIES.items():
        path = os.path.join(work_dir, os.path.basename(arcname))
        makers[kind]().save(path)
        out[arcname] = path
    return out
