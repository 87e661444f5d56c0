"""The alert box a dialog opens over itself (OK, or OK and cancel): its
back panel and the large button with its hover look, for "global.xml".

The buttons are shown at scale (0.4, 0.8), so their pictures are drawn at
the size they appear (120 x 48) and stretched to the picture's size; the
squeeze on screen gives the drawn proportions back.
"""
from PIL import Image, ImageDraw

import artkit

BACK_SIZE = (340, 150)
BUTTON_SHOWN = (120, 48)
BUTTON_SIZE = (300, 60)      # BUTTON_SHOWN / (0.4, 0.8)



def make_back():
    w, h = BACK_SIZE
    img = Image.new("RGBA", BACK_SIZE, (0, 0, 0, 0))
    shadow = Image.new("RGBA", BACK_SIZE, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).rounded_rectangle((8, 10, w - 4, h - 2), 18, fill=(0, 0, 0, 90))
    img.alpha_composite(shadow)
    img.alpha_composite(artkit.panel((w - 10, h - 10), (70, 56, 120), (30, 22, 56), radius=18), (2, 2))
    d = ImageDraw.Draw(img)
    d.line((24, 14, w - 34, 14), fill=(255, 255, 255, 60), width=2)
    return img


def make_button(hover):
    top, bottom = ((255, 236, 150), (220, 140, 30)) if hover else ((250, 214, 110), (170, 100, 20))
    shown = artkit.panel(BUTTON_SHOWN, top, bottom, radius=16, border=artkit.INK, border_width=2)
    d = ImageDraw.Draw(shown)
    d.line((14, 7, BUTTON_SHOWN[0] - 14, 7), fill=(255, 255, 255, 150 if hover else 100), width=2)
    return shown.resize(BUTTON_SIZE, Image.LANCZOS)


def generate(work_dir):
    return artkit.write_pictures(work_dir, {"alert/alertback.png": make_back,
                                            "alert/btnlarge.png": lambda: make_button(False),
                                            "alert/btnlargeover.png": lambda: make_button(True)})
