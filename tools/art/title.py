"""The title menu (scene 2): a tall night-to-dawn sky the camera glides down,
far hills and near meadow drawn as separate layers (the screen's parallax
moves them at different speeds), the game's title, the four menu buttons
with their hover looks, the expert badge and the change-player bar; and the
scene file "intro.xml" with their sprite rectangles."""
import math
import os
import random
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artkit  # noqa: E402
import _ui_paint as ui  # noqa: E402

S = artkit.SUPERSAMPLE
W = 800
SKY = (800, 920)          # covers the view from the start of the glide to its end
FAR = (800, 300)
NEAR = (800, 170)
SKY_Y, FAR_Y, NEAR_Y = 160, -150, -215
# Sprites of intro/menu.png: name -> (x, y, w, h).
MENU = {
    "titrejeu": (0, 0, 560, 170),
    "play1": (0, 176, 240, 60), "play2": (244, 176, 240, 60),
    "trophies1": (0, 240, 240, 60), "trophies2": (244, 240, 240, 60),
    "options1": (0, 304, 240, 60), "options2": (244, 304, 240, 60),
    "exit1": (0, 368, 240, 60), "exit2": (244, 368, 240, 60),
    "expertmode": (564, 0, 140, 40),
    "item": (564, 48, 256, 36), "itemsel": (564, 88, 256, 36),
}
# Little lights of freed creatures floating over the meadow (layer 3, so they
# arrive last in the glide), each swaying on its own sine and cosine.
LIGHTS = [(-330, -120), (-250, -40), (-170, -160), (170, -150), (250, -60), (330, -140), (-300, 60), (310, 80)]
BUTTON_TEXT = {"play": "Play", "trophies": "Trophies", "options": "Options", "exit": "Quit"}
BUTTON_COLOURS = {"play": ((110, 200, 120), (30, 120, 60)), "trophies": ((250, 210, 110), (190, 120, 20)),
                  "options": (ui.BUTTON_TOP, ui.BUTTON_BOTTOM), "exit": ((220, 120, 150), (140, 40, 80))}


def paint_sky():
    w, h = SKY
    img = Image.new("RGBA", (w, h))
    d = ImageDraw.Draw(img)
    stops = [(0.0, (14, 12, 44)), (0.45, (50, 40, 110)), (0.72, (200, 110, 150)), (0.86, (255, 190, 140)),
             (1.0, (255, 236, 190))]
    for y in range(h):
        t = y / (h - 1)
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t0 <= t <= t1:
                d.line((0, y, w, y), fill=artkit.lerp(c0, c1, (t - t0) / (t1 - t0)) + (255,))
                break
    rnd = random.Random(11)
    stars = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    sd = ImageDraw.Draw(stars)
    for _ in range(260):
        x, y = rnd.uniform(0, w), rnd.uniform(0, h * 0.55) ** 1.02
        a = int(255 * (1 - y / (h * 0.6)))
        r = rnd.choice((0.6, 0.8, 1.2, 1.6))
        sd.ellipse((x - r, y - r, x + r, y + r), fill=(255, 255, 240, max(0, a)))
    img.alpha_composite(stars)
    # The moon high up (seen at the start of the glide), with its halo.
    mx, my = 610, 150
    halo = Image.new("L", (w, h), 0)
    ImageDraw.Draw(halo).ellipse((mx - 90, my - 90, mx + 90, my + 90), fill=120)
    img.paste(Image.new("RGBA", (w, h), (220, 220, 255, 255)), (0, 0), halo.filter(ImageFilter.GaussianBlur(30)))
    moon = artkit.gem(70, "circle", (255, 255, 240), (210, 210, 230))
    img.alpha_composite(moon, (mx - 35, my - 35))
    d.ellipse((mx - 8, my - 12, mx + 6, my + 2), fill=(220, 220, 230, 255))
    # Soft clouds lit from below near the horizon.
    clouds = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    cd = ImageDraw.Draw(clouds)
    for _ in range(26):
        x, y = rnd.uniform(-40, w + 40), rnd.uniform(h * 0.5, h * 0.85)
        rw, rh = rnd.uniform(60, 140), rnd.uniform(12, 26)
        cd.ellipse((x - rw, y - rh, x + rw, y + rh), fill=(255, 220, 220, 70))
    img.alpha_composite(clouds.filter(ImageFilter.GaussianBlur(8)))
    # Little lights of the freed creatures drifting up the sky.
    glow = Image.new("L", (w, h), 0)
    gd = ImageDraw.Draw(glow)
    for _ in range(40):
        x, y = rnd.uniform(0, w), rnd.uniform(h * 0.35, h * 0.9)
        gd.ellipse((x - 6, y - 6, x + 6, y + 6), fill=110)
        gd.ellipse((x - 2, y - 2, x + 2, y + 2), fill=255)
    img.paste(Image.new("RGBA", (w, h), (255, 240, 170, 255)), (0, 0), glow.filter(ImageFilter.GaussianBlur(2)))
    return img


def _ridge(w, base, amp, seed, freq):
    rnd = random.Random(seed)
    phases = [rnd.uniform(0, 6.28) for _ in range(3)]
    pts = []
    for x in range(0, w + 8, 8):
        y = base + amp * (0.6 * math.sin(x / w * freq * 6.28 + phases[0]) + 0.3 * math.sin(x / w * freq * 15 + phases[1])
                          + 0.1 * math.sin(x / w * 41 + phases[2]))
        pts.append((x, y))
    return pts


def paint_far():
    w, h = FAR
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # Three ranges, hazier the farther: the six lands seen from afar, with
    # Emberpeak glowing at the left and the ice peaks at the right.
    d.polygon([(60, 120), (150, 22), (240, 120)], fill=(120, 80, 120, 255))
    d.polygon([(138, 36), (162, 36), (170, 50), (130, 50)], fill=(255, 170, 90, 255))
    for x, hh in ((600, 90), (660, 120), (720, 80)):
        d.polygon([(x - 60, 130), (x, 130 - hh), (x + 60, 130)], fill=(200, 200, 240, 255))
        d.polygon([(x - 16, 130 - hh * 0.72), (x, 130 - hh), (x + 16, 130 - hh * 0.72)], fill=(255, 255, 255, 255))
    for k, (base, col) in enumerate(((120, (150, 120, 170)), (160, (110, 120, 150)), (200, (70, 110, 100)))):
        pts = _ridge(w, base, 18 - k * 3, k + 3, 1.2 + k * 0.4)
        d.polygon([(0, h)] + pts + [(w, h)], fill=col + (255,))
    # A castle of the meadow people on the middle ridge.
    cx, cy = 420, 158
    for dx, hh in ((-22, 34), (0, 50), (22, 34)):
        d.rectangle((cx + dx - 8, cy - hh, cx + dx + 8, cy), fill=(90, 90, 130, 255))
        d.polygon([(cx + dx - 10, cy - hh), (cx + dx, cy - hh - 14), (cx + dx + 10, cy - hh)], fill=(150, 70, 90, 255))
        d.rectangle((cx + dx - 2, cy - hh + 10, cx + dx + 2, cy - hh + 16), fill=(255, 220, 120, 255))
    haze = artkit.vertical_gradient((w, h), (255, 220, 200), (255, 220, 200), alpha=0)
    hm = Image.new("L", (w, h), 0)
    for y in range(h):
        ImageDraw.Draw(hm).line((0, y, w, y), fill=int(60 * (1 - y / h)))
    haze.putalpha(Image.composite(hm, Image.new("L", (w, h), 0), img.getchannel("A")))
    img.alpha_composite(haze)
    return img


def paint_near():
    w, h = NEAR
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    pts = _ridge(w, 40, 14, 21, 1.0)
    mask = Image.new("L", (w, h), 0)
    ImageDraw.Draw(mask).polygon([(0, h)] + pts + [(w, h)], fill=255)
    img.paste(artkit.vertical_gradient((w, h), (100, 180, 80), (30, 80, 40)), (0, 0), mask)
    d = ImageDraw.Draw(img, "RGBA")
    d.line(pts, fill=(170, 230, 120, 255), width=2)
    rnd = random.Random(5)
    for _ in range(220):
        x = rnd.uniform(0, w)
        y0 = min(p[1] for p in pts if abs(p[0] - x) < 8)
        y = rnd.uniform(y0 + 6, h)
        d.line((x, y, x + rnd.uniform(-3, 3), y - rnd.uniform(5, 10)), fill=(60, 140, 60, 255), width=1)
        if rnd.random() < 0.3:
            c = rnd.choice([(255, 250, 250), (255, 220, 80), (250, 140, 170), (190, 160, 255)])
            d.ellipse((x - 2, y - 12, x + 2, y - 8), fill=c + (255,))
    for x, hh in ((40, 110), (90, 80), (730, 120), (770, 90)):
        y = min(p[1] for p in pts if abs(p[0] - x) < 8) + 10
        d.rectangle((x - 4, y - hh * 0.4, x + 4, y + 10), fill=(90, 60, 40, 255), outline=artkit.INK + (255,))
        r = hh * 0.42
        d.ellipse((x - r, y - hh, x + r, y - hh + 2 * r), fill=(40, 110, 50, 255), outline=artkit.INK + (255,))
        d.ellipse((x - r * 0.6, y - hh + r * 0.3, x + r * 0.1, y - hh + r), fill=(90, 170, 80, 255))
    # A darker strip at the bottom where the welcome line is written.
    shade = Image.new("L", (w, h), 0)
    sd = ImageDraw.Draw(shade)
    for y in range(h):
        sd.line((0, y, w, y), fill=int(150 * max(0, (y - h * 0.45) / (h * 0.55))))
    img.paste(Image.new("RGBA", (w, h), (10, 20, 20, 255)), (0, 0), Image.composite(shade, Image.new("L", (w, h), 0), mask))
    return img


def _title():
    w, h = MENU["titrejeu"][2:]
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    fnt = ui.font("DejaVuSerif-Bold", 96 * S // 2)
    big = Image.new("RGBA", (w * S // 2, h * S // 2), (0, 0, 0, 0))
    bd = ImageDraw.Draw(big)
    text = "Quorvel"
    l, t, r, b = bd.textbbox((0, 0), text, font=fnt)
    x = (big.width - (r - l)) / 2 - l
    y = (big.height - (b - t)) / 2 - t - 8 * S
    mask = Image.new("L", big.size, 0)
    ImageDraw.Draw(mask).text((x, y), text, font=fnt, fill=255)
    edge = mask.filter(ImageFilter.MaxFilter(13))
    glow = mask.filter(ImageFilter.MaxFilter(9)).filter(ImageFilter.GaussianBlur(14))
    big.paste(Image.new("RGBA", big.size, (255, 220, 120, 255)), (0, 0), glow.point(lambda v: v * 3 // 4))
    big.paste(Image.new("RGBA", big.size, artkit.INK + (255,)), (0, 0), edge)
    big.paste(artkit.vertical_gradient(big.size, (255, 246, 200), artkit.GOLD_DARK), (0, 0), mask)
    hl = Image.new("L", big.size, 0)
    ImageDraw.Draw(hl).rectangle((0, 0, big.width, y + (b - t) * 0.45 + t), fill=90)
    big.paste(Image.new("RGBA", big.size, (255, 255, 255, 255)), (0, 0), Image.composite(hl, Image.new("L", big.size, 0), mask))
    img.alpha_composite(big.resize((w, h), Image.LANCZOS))
    # A ribbon underneath with the five gems.
    d = ImageDraw.Draw(img)
    # A gold flourish underneath with one gem in the middle (the expert badge,
    # when shown, sits on its right half).
    for side in (-1, 1):
        d.line((280 + side * 20, 140, 280 + side * 150, 140), fill=artkit.INK + (255,), width=5)
        d.line((280 + side * 20, 140, 280 + side * 150, 140), fill=artkit.GOLD + (255,), width=2)
        d.ellipse((280 + side * 150 - 4, 136, 280 + side * 150 + 4, 144), fill=artkit.GOLD + (255,),
                  outline=artkit.INK + (255,))
    gem = artkit.gem(24, "diamond", artkit.PIECES[1]["light"], artkit.PIECES[1]["dark"])
    img.alpha_composite(gem, (268, 128))
    return img


def _menu_button(kind, over):
    w, h = 240, 60
    top, bottom = BUTTON_COLOURS[kind]
    if over:
        top, bottom = artkit.lerp(top, (255, 255, 255), 0.3), artkit.lerp(bottom, (255, 255, 255), 0.2)
    return ui.jewel_button((w, h), top, bottom, label=BUTTON_TEXT[kind], label_font=ui.font("DejaVuSerif-Bold", 28),
                           border=artkit.GOLD if not over else (255, 240, 170))


def _expert():
    w, h = MENU["expertmode"][2:]
    img = ui.jewel_button((w, h), (200, 60, 80), (120, 20, 40), radius=10, label="Expert",
                          label_font=ui.font("DejaVuSerif-Bold", 20), label_colour=artkit.GOLD)
    return img


def _item(selected):
    """The change-player bar: a light frame with a see-through middle (the
    line of text lies under it); the game tints it gold."""
    w, h = MENU["item"][2:]
    big = Image.new("RGBA", (w * S, h * S), (0, 0, 0, 0))
    d = ImageDraw.Draw(big)
    d.rounded_rectangle((S, S, (w - 1) * S, (h - 1) * S), (h // 2 - 1) * S, fill=(255, 255, 255, 110 if selected else 45),
                        outline=(255, 255, 255, 255), width=2 * S)
    return big.resize((w, h), Image.LANCZOS)


def paint_menu():
    pictures = {"titrejeu": _title(), "expertmode": _expert(), "item": _item(False), "itemsel": _item(True)}
    for kind in BUTTON_TEXT:
        pictures[kind + "1"] = _menu_button(kind, False)
        pictures[kind + "2"] = _menu_button(kind, True)
    return ui.sprite_sheet((1024, 512), MENU, pictures)


def paint_glow():
    return ui.glow_star(32, (255, 236, 160), rays=2, core=0.22)


def _texture(img, size):
    tex = Image.new("RGBA", size, (0, 0, 0, 0))
    tex.paste(img, (0, 0))
    return tex


def scene_xml():
    out = ['<?xml version="1.0" encoding="ISO-8859-1"?>',
           '<!-- The title menu, written by tools/art/title.py: the sky, far hills and',
           '     near meadow (layers 0, 1 and 2, so the glide shows depth), and the title,',
           '     buttons, expert badge and change-player bar the screen creates. -->',
           '<scene>', '  <images>',
           '    <image name="introsky"><filename>intro/sky.png</filename></image>',
           '    <image name="introfar"><filename>intro/far.png</filename></image>',
           '    <image name="intronear"><filename>intro/near.png</filename></image>',
           '    <image name="intromenu"><filename>intro/menu.png</filename></image>',
           '    <image name="introglow"><filename>intro/glow.png</filename></image>',
           '    <image name="mael-font18"><filename>fonts/mael-font18.png</filename></image>',
           '  </images>', '  <sprites>']
    sprite = '    <sprite name="%s"><sourceimage>%s</sourceimage><sourcerect x="%d" y="%d" width="%d" height="%d"/></sprite>'
    out.append(sprite % ("introsky", "introsky", 0, 0, SKY[0], SKY[1]))
    out.append(sprite % ("introfar", "introfar", 0, 0, FAR[0], FAR[1]))
    out.append(sprite % ("intronear", "intronear", 0, 0, NEAR[0], NEAR[1]))
    for name, (x, y, w, h) in MENU.items():
        out.append(sprite % ("menu" + name, "intromenu", x, y, w, h))
    out.append(sprite % ("introglow", "introglow", 0, 0, 32, 32))
    out += ['  </sprites>', '  <elements>']
    el = '    <element type="image" name="%s"><sourcesprite>%s</sourcesprite>%s</element>'
    box = ('<shape type="polygon"><vertex x="-%d" y="-%d"/><vertex x="%d" y="-%d"/><vertex x="%d" y="%d"/>'
           '<vertex x="-%d" y="%d"/></shape>')
    for name in ("introsky", "introfar", "intronear"):
        out.append(el % (name, name, ""))
    out.append(el % ("introglow", "introglow", "<blitmode>2</blitmode>"))
    for name, (x, y, w, h) in MENU.items():
        shape = ""
        if name[-1] in "12" or name.startswith("item"):
            hw, hh = w // 2 - 4, h // 2 - 5
            shape = box % (hw, hh, hw, hh, hw, hh, hw, hh)
        out.append(el % (name, "menu" + name, shape))
    out += ['  </elements>', '  <levels>', '    <level name="intro">', '    <lvlelements>']
    lvl = ('      <lvlelement name="%s"><sourceelement>%s</sourceelement><pos x="0" y="%d"/><layer>%d</layer>'
           '<color a="255" r="255" g="255" b="255"/><dyntype>-1</dyntype></lvlelement>')
    out.append(lvl % ("sky", "introsky", SKY_Y, 0))
    out.append(lvl % ("far", "introfar", FAR_Y, 1))
    out.append(lvl % ("near", "intronear", NEAR_Y, 2))
    sway = ('<behaviors><behavior type="sinusy"><range>%d</range><speed>%d</speed><phase>%.1f</phase></behavior>'
            '<behavior type="cosinusx"><range>%d</range><speed>%d</speed><phase>%.1f</phase></behavior></behaviors>')
    for k, (x, y) in enumerate(LIGHTS):
        out.append('      <lvlelement name="light%d"><sourceelement>introglow</sourceelement><pos x="%d" y="%d"/>'
                   '<layer>3</layer><color a="255" r="255" g="255" b="255"/><dyntype>-1</dyntype>%s</lvlelement>'
                   % (k + 1, x, y, sway % (10 + k % 3 * 4, 900 + k * 140, k * 0.8, 16 + k % 2 * 8, 1400 + k * 170,
                                            k * 0.5)))
    out += ['    </lvlelements>', '    </level>', '  </levels>', '</scene>']
    return "\n".join(out) + "\n"


def generate(work_dir):
    pictures = {"intro/sky.png": lambda: _texture(paint_sky(), (1024, 1024)),
                "intro/far.png": lambda: _texture(paint_far(), (1024, 512)),
                "intro/near.png": lambda: _texture(paint_near(), (1024, 256)),
                "intro/menu.png": paint_menu, "intro/glow.png": paint_glow}
    return ui.write_outputs(work_dir, pictures, "intro.xml", scene_xml())

if __name__ == "__main__":
    print(generate(sys.argv[1] if len(sys.argv) > 1 else "title-out"))
