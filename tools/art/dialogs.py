"""Art of the dialogs (global.xml): one panel per dialog size, jewel buttons
with a hover state, the options' slider and check box, the name field and
text cursor, the player slots, the recap's sparkle and flash, and the trophy
notice's banner, medallion and six trophy icons. One picture per sprite;
SIZES is the table the global.xml fragments follow. The recap's sparkle and
flash are see-through lights drawn normally, so their colour fades show."""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _ui_paint as ui  # noqa: E402

S = artkit.SUPERSAMPLE

# Pack name -> (width, height). The panels include a 10-pixel shadow margin
# around the face, so a 380 x 340 panel shows a 360 x 320 face.
SIZES = {
    "gui/panel_pause.png": (380, 340),
    "gui/panel_options.png": (500, 400),
    "gui/panel_newplayer.png": (420, 300),
    "gui/panel_players.png": (460, 360),
    "gui/panel_small.png": (420, 200),
    "gui/panel_recap.png": (420, 440),
    "gui/panel_achieve.png": (600, 140),
    "gui/button.png": (200, 44),
    "gui/button_over.png": (200, 44),
    "gui/button_small.png": (128, 40),
    "gui/button_small_over.png": (128, 40),
    "gui/slidebar.png": (200, 24),
    "gui/slider.png": (28, 36),
    "gui/checkbox.png": (32, 32),
    "gui/checkbox_over.png": (32, 32),
    "gui/checked.png": (32, 32),
    "gui/editname.png": (280, 40),
    "gui/slotframe.png": (330, 180),
    "gui/slot.png": (300, 38),
    "gui/slot_over.png": (300, 38),
    "gui/cursor.png": (16, 32),
    "gui/sparkle.png": (32, 32),
    "gui/aura.png": (64, 64),
    "gui/achieveback.png": (80, 80),
    "gui/trophies.png": (512, 64),
}
# Title bands (y, height) of the panels, in face pixels from the face top.
BANDS = {
    "gui/panel_pause.png": (32, 38),
    "gui/panel_options.png": (61, 38),
    "gui/panel_newplayer.png": (12, 38),
    "gui/panel_players.png": (36, 38),
    "gui/panel_recap.png": (30, 40),
}
TROPHY_ORDER = ["achievefreed", "achievekilled", "achievechain", "achievespellused", "achievematches",
                "achievescore"]


def _panel(name):
    img = ui.framed_panel(SIZES[name], band=BANDS.get(name))
    if name == "gui/panel_recap.png":
        # A recessed well behind the result rows.
        w, h = SIZES[name]
        well = Image.new("RGBA", (w - 60, 240), (10, 8, 28, 110))
        img.alpha_composite(Image.composite(well, Image.new("RGBA", well.size, (0, 0, 0, 0)),
                                            ui.rounded_mask(well.size, 10)), (30, 90))
    return img


def _slidebar(size):
    w, h = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    groove = artkit.panel((w, h - 8), (16, 12, 36), (60, 50, 110), radius=(h - 8) // 2,
                          border=artkit.GOLD_DARK, border_width=2)
    img.alpha_composite(groove, (0, 4))
    d = ImageDraw.Draw(img)
    for i in range(9):                       # tick marks every eighth
        x = 20 + i * (w - 40) / 8
        d.line((x, h - 3, x, h - 1), fill=artkit.GOLD + (200,))
        d.line((x, 0, x, 2), fill=artkit.GOLD + (200,))
    return img


def _slider(size):
    w, h = size
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    pts = [(2, 2), (w - 2, 2), (w - 2, h - 12), (w / 2, h - 2), (2, h - 12)]
    d.polygon([(x * S, y * S) for x, y in pts], fill=artkit.INK + (255,))
    inner = [(4, 4), (w - 4, 4), (w - 4, h - 13), (w / 2, h - 5), (4, h - 13)]
    m = Image.new("L", big.size, 0)
    ImageDraw.Draw(m).polygon([(x * S, y * S) for x, y in inner], fill=255)
    big.paste(artkit.vertical_gradient(big.size, (255, 236, 150), artkit.GOLD_DARK), (0, 0), m)
    hl = Image.new("L", big.size, 0)
    ImageDraw.Draw(hl).ellipse((6 * S, 6 * S, 14 * S, 14 * S), fill=170)
    big.paste(Image.new("RGBA", big.size, (255, 255, 255, 255)), (0, 0), hl.filter(ImageFilter.GaussianBlur(S * 2)))
    return big.resize(size, Image.LANCZOS)


def _checkbox(size, over=False):
    top, bottom = ((250, 246, 232), (200, 190, 170)) if not over else ((255, 255, 245), (230, 220, 180))
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    img.alpha_composite(artkit.panel((size[0] - 4, size[1] - 4), top, bottom, radius=6,
                                     border=artkit.GOLD if over else artkit.GOLD_DARK, border_width=2), (2, 2))
    return img


def _tick(size):
    w, h = size
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    pts = [(5, 17), (12, 24), (28, 4)]
    d.line([(x * S, y * S) for x, y in pts], fill=artkit.INK + (255,), width=7 * S, joint="curve")
    d.line([(x * S, y * S) for x, y in pts], fill=(40, 170, 70, 255), width=4 * S, joint="curve")
    return big.resize(size, Image.LANCZOS)


def _editname(size):
    w, h = size
    img = ui.soft_shadow(size, (2, 2, w - 2, h - 2), 8, blur=2, alpha=90)
    img.alpha_composite(artkit.panel((w - 4, h - 4), (236, 228, 206), artkit.PAPER, radius=8,
                                     border=artkit.GOLD, border_width=2), (2, 2))
    d = ImageDraw.Draw(img)
    d.line((12, 6, w - 12, 6), fill=(200, 190, 170, 255))     # inset shade under the top edge
    return img


def _slotframe(size):
    w, h = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    face = artkit.panel(size, (14, 10, 34), (40, 32, 80), radius=12, border=artkit.GOLD_DARK, border_width=2)
    img.alpha_composite(face)
    return img


def _slot(size, over=False):
    top, bottom = ((96, 80, 170), (52, 40, 110)) if over else ((62, 52, 120), (36, 28, 80))
    return ui.jewel_button(size, top, bottom, radius=10, border=artkit.GOLD if over else artkit.GOLD_DARK)


def _cursor(size):
    """Two frames side by side: the caret (left) and nothing (right), so the
    caret blinks as a looping animation."""
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle((2, 3, 5, 16), fill=(255, 255, 255, 255))
    return img


def _aura(size):
    """The flash behind a new recap value: a soft ring of gold light, drawn
    on black for additive drawing."""
    w = size[0]
    img = artkit.glow(size, (255, 210, 110))
    ring = Image.new("L", size, 0)
    ImageDraw.Draw(ring).ellipse((w * 0.18, w * 0.18, w * 0.82, w * 0.82), outline=255, width=max(2, w // 16))
    ring = ring.filter(ImageFilter.GaussianBlur(w / 40))
    img.paste(Image.new("RGB", size, (255, 240, 190)), (0, 0), ring)
    return img


def _medallion(size):
    w, h = size
    img = Image.new("RGBA", size, (0, 0, 0, 0))
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.ellipse((0, 0, w * S - 1, h * S - 1), fill=artkit.INK + (255,))
    ring = artkit.vertical_gradient((w * S, h * S), (255, 230, 140), artkit.GOLD_DARK)
    m = Image.new("L", big.size, 0)
    ImageDraw.Draw(m).ellipse((2 * S, 2 * S, (w - 2) * S, (h - 2) * S), fill=255)
    big.paste(ring, (0, 0), m)
    m2 = Image.new("L", big.size, 0)
    ImageDraw.Draw(m2).ellipse((8 * S, 8 * S, (w - 8) * S, (h - 8) * S), fill=255)
    big.paste(artkit.vertical_gradient((w * S, h * S), (40, 30, 90), (90, 70, 160)), (0, 0), m2)
    d.ellipse((8 * S, 8 * S, (w - 8) * S, (h - 8) * S), outline=artkit.INK + (255,), width=S * 2)
    img.alpha_composite(big.resize(size, Image.LANCZOS))
    return img


# ---- trophy icons (64 x 64 each, drawn at 4x) ------------------------------
def _icon_canvas():
    return Image.new("RGBA", (64 * S, 64 * S), (0, 0, 0, 0))


def _poly(d, pts, fill, width=2):
    d.polygon([(x * S, y * S) for x, y in pts], fill=fill + (255,), outline=artkit.INK + (255,), width=width * S)


def _icon_freed():
    """An open cage with a little light flying out."""
    img = _icon_canvas()
    d = ImageDraw.Draw(img)
    d.rectangle((10 * S, 50 * S, 46 * S, 56 * S), fill=artkit.GOLD_DARK + (255,), outline=artkit.INK + (255,), width=2 * S)
    d.arc((10 * S, 12 * S, 46 * S, 60 * S), 180, 360, fill=artkit.INK + (255,), width=5 * S)
    d.arc((10 * S, 12 * S, 46 * S, 60 * S), 180, 360, fill=artkit.GOLD + (255,), width=2 * S)
    for x in (19, 28, 37):
        d.line((x * S, 20 * S, x * S, 50 * S), fill=artkit.INK + (255,), width=4 * S)
        d.line((x * S, 20 * S, x * S, 50 * S), fill=artkit.GOLD + (255,), width=2 * S)
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).ellipse((38 * S, 4 * S, 62 * S, 28 * S), fill=255)
    img.paste(Image.new("RGBA", img.size, (255, 250, 180, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(4 * S)))
    d.ellipse((45 * S, 11 * S, 55 * S, 21 * S), fill=(255, 255, 230, 255), outline=artkit.INK + (255,), width=S)
    return img


def _icon_killed():
    """A crab's shell with a star of a tap on it."""
    img = _icon_canvas()
    d = ImageDraw.Draw(img)
    d.ellipse((8 * S, 22 * S, 56 * S, 56 * S), fill=(230, 90, 60, 255), outline=artkit.INK + (255,), width=2 * S)
    d.ellipse((16 * S, 26 * S, 34 * S, 36 * S), fill=(255, 170, 140, 255))
    for x in (16, 48):
        d.ellipse(((x - 6) * S, 8 * S, (x + 6) * S, 22 * S), fill=(230, 90, 60, 255), outline=artkit.INK + (255,), width=2 * S)
    star = artkit.shape_points("star", 46 * S, 42 * S, 12 * S)
    d.polygon(star, fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
    return img


def _icon_chain():
    """Two chain links breaking apart."""
    img = _icon_canvas()
    d = ImageDraw.Draw(img)
    for box, angle in (((6, 20, 30, 44), 0), ((34, 20, 58, 44), 0)):
        x0, y0, x1, y1 = [v * S for v in box]
        d.ellipse((x0, y0, x1, y1), outline=artkit.INK + (255,), width=8 * S)
        d.ellipse((x0 + S, y0 + S, x1 - S, y1 - S), outline=(180, 190, 210, 255), width=5 * S)
    d.polygon([(30 * S, 14 * S), (36 * S, 30 * S), (28 * S, 34 * S), (34 * S, 50 * S)],
              fill=artkit.GOLD + (255,), outline=artkit.INK + (255,))
    return img


def _icon_spell():
    """A wand with a star."""
    img = _icon_canvas()
    d = ImageDraw.Draw(img)
    d.line((10 * S, 56 * S, 36 * S, 30 * S), fill=artkit.INK + (255,), width=9 * S)
    d.line((10 * S, 56 * S, 36 * S, 30 * S), fill=(140, 90, 50, 255), width=5 * S)
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).ellipse((22 * S, 0, 62 * S, 40 * S), fill=200)
    img.paste(Image.new("RGBA", img.size, (210, 170, 255, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(5 * S)))
    d.polygon(artkit.shape_points("star", 42 * S, 20 * S, 17 * S), fill=artkit.GOLD + (255,),
              outline=artkit.INK + (255,), width=2 * S)
    return img


def _icon_matches():
    """Three gems in a row."""
    img = Image.new("RGBA", (64, 64), (0, 0, 0, 0))
    for i, p in enumerate((artkit.PIECES[0], artkit.PIECES[2], artkit.PIECES[4])):
        g = artkit.gem(24, p["shape"], p["light"], p["dark"])
        img.alpha_composite(g, (2 + i * 20, 20 - (i % 2) * 6 + 4))
    return img.resize((64 * S, 64 * S), Image.LANCZOS)


def _icon_score():
    """A treasure chest spilling light."""
    img = _icon_canvas()
    d = ImageDraw.Draw(img)
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).ellipse((12 * S, 4 * S, 52 * S, 34 * S), fill=220)
    img.paste(Image.new("RGBA", img.size, (255, 230, 120, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(5 * S)))
    d.rectangle((8 * S, 30 * S, 56 * S, 58 * S), fill=(150, 80, 30, 255), outline=artkit.INK + (255,), width=2 * S)
    d.pieslice((8 * S, 14 * S, 56 * S, 46 * S), 180, 360, fill=(180, 100, 40, 255), outline=artkit.INK + (255,), width=2 * S)
    d.rectangle((8 * S, 36 * S, 56 * S, 41 * S), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=S)
    d.rectangle((28 * S, 34 * S, 36 * S, 46 * S), fill=artkit.GOLD + (255,), outline=artkit.INK + (255,), width=S)
    return img


ICON_MAKERS = {"achievefreed": _icon_freed, "achievekilled": _icon_killed, "achievechain": _icon_chain,
               "achievespellused": _icon_spell, "achievematches": _icon_matches, "achievescore": _icon_score}


def _trophies(size):
    sheet = Image.new("RGBA", size, (0, 0, 0, 0))
    for i, name in enumerate(TROPHY_ORDER):
        sheet.alpha_composite(ICON_MAKERS[name]().resize((64, 64), Image.LANCZOS), (i * 64, 0))
    return sheet


def make(name):
    img = _make(name)
    assert img.size == SIZES[name], name
    return img


def _make(name):
    size = SIZES[name]
    if name.startswith("gui/panel_"):
        return _panel(name)
    base = os.path.basename(name)[:-4]
    if base in ("button", "button_over", "button_small", "button_small_over"):
        over = base.endswith("over")
        return ui.jewel_button(size, ui.BUTTON_OVER_TOP if over else ui.BUTTON_TOP,
                               ui.BUTTON_OVER_BOTTOM if over else ui.BUTTON_BOTTOM)
    makers = {
        "slidebar": _slidebar, "slider": _slider, "checkbox": _checkbox,
        "checkbox_over": lambda s: _checkbox(s, True), "checked": _tick, "editname": _editname,
        "slotframe": _slotframe, "slot": _slot, "slot_over": lambda s: _slot(s, True), "cursor": _cursor,
        "sparkle": lambda s: ui.light_to_alpha(ui.glow_star(s[0], (255, 255, 255)), (255, 250, 215)),
        "aura": lambda s: ui.light_to_alpha(_aura(s), (255, 230, 150)),
        "achieveback": _medallion, "trophies": _trophies,
    }
    return makers[base](size)


def generate(work_dir):
    return ui.write_outputs(work_dir, {name: (lambda name=name: make(name)) for name in SIZES})

if __name__ == "__main__":
    import sys
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "dialogs-out"))
