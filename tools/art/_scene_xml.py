"""Sprite sheets and scene files written from code.

`Sheet` packs frames (PIL images) into one texture, row by row, and knows
each frame's rectangle; `Scene` collects images, sprites, elements and
levels and writes them in the order the scene reader needs (every name
points backwards, except particle sources and parents, which may point
forward). Colours above 0x7FFFFFFF are written as signed 32-bit values.
"""
import os
from xml.sax.saxutils import escape, quoteattr

from PIL import Image


class Sheet:
    """One texture of frames packed in shelves, left to right, top to bottom."""

    def __init__(self, image_name, pack_name, size, mode="RGBA", gap=2):
        self.image_name = image_name
        self.pack_name = pack_name
        self.image = Image.new(mode, size, (0, 0, 0, 0) if mode == "RGBA" else (0, 0, 0))
        self.gap = gap
        self.x = self.y = self.shelf = 0
        self.rects = {}          # sprite name -> (x, y, w, h)
        self.order = []

    def add(self, sprite_name, frame):
        w, h = frame.size
        if self.x + w > self.image.size[0]:
            self.x, self.y, self.shelf = 0, self.y + self.shelf + self.gap, 0
        if self.y + h > self.image.size[1] or w > self.image.size[0]:
            raise ValueError("sheet %s is full at %s" % (self.pack_name, sprite_name))
        if frame.mode != self.image.mode:
            frame = frame.convert(self.image.mode)
        if self.image.mode == "RGBA":
            self.image.alpha_composite(frame, (self.x, self.y))
        else:
            self.image.paste(frame, (self.x, self.y))
        self.rects[sprite_name] = (self.x, self.y, w, h)
        self.order.append(sprite_name)
        self.x += w + self.gap
        self.shelf = max(self.shelf, h)
        return sprite_name

    def add_frames(self, prefix, frames):
        return [self.add("%s%d" % (prefix, i), f) for i, f in enumerate(frames)]

    def save(self, work_dir):
        path = os.path.join(work_dir, self.pack_name.replace("/", "_"))
        self.image.save(path, optimize=False, compress_level=6)
        return path


def signed32(value):
    return value - (1 << 32) if value > 0x7FFFFFFF else value


def _shape_xml(shape):
    if shape is None:
        return ""
    kind, data = shape
    if kind == "circle":
        return '<shape type="circle"><radius>%g</radius></shape>' % data
    return '<shape type="polygon">%s</shape>' % "".join(
        '<vertex x="%g" y="%g"/>' % (x, y) for x, y in data)


def box(half_w, half_h=None):
    """A counter-clockwise rectangle shape around the centre (y up)."""
    h = half_w if half_h is None else half_h
    return ("polygon", [(-half_w, -h), (half_w, -h), (half_w, h), (-half_w, h)])


class Scene:
    def __init__(self, comment):
        self.comment = comment
        self.images, self.sprites, self.elements, self.levels = [], [], [], []

    def add_sheet(self, sheet):
        self.images.append('<image name=%s><filename>%s</filename></image>'
                           % (quoteattr(sheet.image_name), escape(sheet.pack_name)))
        for name in sheet.order:
            x, y, w, h = sheet.rects[name]
            self.sprites.append('<sprite name=%s><sourceimage>%s</sourceimage>'
                                '<sourcerect x="%d" y="%d" width="%d" height="%d"/></sprite>'
                                % (quoteattr(name), escape(sheet.image_name), x, y, w, h))

    def add_image_file(self, name, pack_name):
        self.images.append('<image name=%s><filename>%s</filename></image>'
                           % (quoteattr(name), escape(pack_name)))

    def image_element(self, name, sprite, blit=None, shape=None):
        self.elements.append('<element type="image" name=%s><sourcesprite>%s</sourcesprite>%s%s</element>'
                             % (quoteattr(name), escape(sprite),
                                "" if blit is None else "<blitmode>%d</blitmode>" % blit, _shape_xml(shape)))

    def anim_element(self, name, sprites, speed, anim_type, blit=None, shape=None):
        frames = "".join("<sprite>%s</sprite>" % escape(s) for s in sprites)
        self.elements.append('<element type="anim" name=%s><sprites>%s</sprites><animspeed>%g</animspeed>'
                             '<animtype>%d</animtype>%s%s</element>'
                             % (quoteattr(name), frames, speed, anim_type,
                                "" if blit is None else "<blitmode>%d</blitmode>" % blit, _shape_xml(shape)))

    def particle_element(self, name, source, direction, lifetime, delay, size):
        self.elements.append('<element type="particle" name=%s><sourceelement>%s</sourceelement>'
                             '<direction x="%g" y="%g"/><lifetime>%g</lifetime><emitterdelay>%g</emitterdelay>'
                             '<particlesize>%g</particlesize></element>'
                             % (quoteattr(name), escape(source), direction[0], direction[1], lifetime, delay, size))

    def level(self, name, lvlelements):
        self.levels.append((name, lvlelements))

    def xml(self):
        out = ['<?xml version="1.0" encoding="ISO-8859-1"?>', "<!-- %s -->" % self.comment, "<scene>"]
        for section, items in (("images", self.images), ("sprites", self.sprites), ("elements", self.elements)):
            out.append("  <%s>" % section)
            out += ["    " + item for item in items]
            out.append("  </%s>" % section)
        out.append("  <levels>")
        for name, lvlelements in self.levels:
            out.append("    <level name=%s><lvlelements>" % quoteattr(name))
            out += ["      " + e for e in lvlelements]
            out.append("    </lvlelements></level>")
        out.append("  </levels>")
        out.append("</scene>")
        return "\n".join(out) + "\n"


def lvlelement(name, source, pos, layer, colour=0xFFFFFFFF, dyntype=-1, scale=None, behaviours=(),
               collision=None, extra=""):
    """One level element entry; behaviours are (type, {parameter: value})."""
    a, r, g, b = (colour >> 24) & 255, (colour >> 16) & 255, (colour >> 8) & 255, colour & 255
    parts = ["<lvlelement name=%s>" % quoteattr(name), "<sourceelement>%s</sourceelement>" % escape(source),
             '<pos x="%g" y="%g"/>' % pos, "<layer>%d</layer>" % layer,
             '<color a="%d" r="%d" g="%d" b="%d"/>' % (a, r, g, b), "<dyntype>%d</dyntype>" % dyntype]
    if scale is not None:
        parts.append('<scale x="%g" y="%g"/>' % scale)
    if collision is not None:
        parts.append("<collision>%d</collision>" % collision)
    if behaviours:
        parts.append("<behaviors>")
        for btype, params in behaviours:
            parts.append('<behavior type=%s>%s</behavior>' % (quoteattr(btype), "".join(
                "<%s>%s</%s>" % (k, escape(str(v)), k) for k, v in params.items())))
        parts.append("</behaviors>")
    parts.append(extra)
    parts.append("</lvlelement>")
    return "".join(parts)
