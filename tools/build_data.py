#!/usr/bin/env python3
"""Builds the game's data folder: the pack data/data.pk and data/sounds/.

Where pack entries come from (see content/README.md):
- content/pack/**            authored files, copied as they are;
- content/global/*.xml       merged into "global.xml";
- content/lang/*.xml         merged into "data/lang.xml" (Latin-1);
- content/layouts/*.txt      compiled into "data/layouts.bin";
- content/fonts/*.txt        listed fonts, drawn to "fonts/<name>.png";
- tools/art/*.py             generator modules: generate(work_dir) returns
                             {pack name: file path};
- content/required/*.txt     the sound table (sound lines) for data/sounds/.
Two sources giving the same pack name stop the build with a message.
Afterwards the contact sheet of all generated art is drawn into the work
folder (contact_sheet.png).
"""
import argparse
import importlib.util
import os
import sys
import zipfile

sys.dont_write_bytecode = True  # no caches in the source tree

TOOLS_DIR = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, TOOLS_DIR)

import contact_sheet  # noqa: E402
import gen_fonts  # noqa: E402
import gen_sounds  # noqa: E402
import layouts  # noqa: E402
import xml_merge  # noqa: E402

# Fixed timestamp of pack entries, so an unchanged source gives the same pack.
ZIP_TIME = (2020, 1, 1, 0, 0, 0)


class PackBuilder:
    """Pack entries by name, each from exactly one source."""

    def __init__(self):
        self.entries = {}   # pack name -> (source label, file path or bytes)

    def add(self, name, data, source):
        if name in self.entries:
            raise SystemExit("pack entry %s comes from both %s and %s" % (name, self.entries[name][0], source))
        self.entries[name] = (source, data)

    def write(self, path):
        tmp = path + ".tmp"
        with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as pack:
            for name in sorted(self.entries):
                _source, data = self.entries[name]
                if isinstance(data, str):
                    with open(data, "rb") as f:
                        data = f.read()
                info = zipfile.ZipInfo(name, ZIP_TIME)
                info.compress_type = zipfile.ZIP_DEFLATED
                pack.writestr(info, data)
        os.replace(tmp, path)


def add_authored(builder, content_dir):
    pack_src = os.path.join(content_dir, "pack")
    for root, _dirs, files in os.walk(pack_src):
        for name in files:
            if name.startswith(".") or name == "README.md":
                continue
            path = os.path.join(root, name)
            builder.add(os.path.relpath(path, pack_src).replace(os.sep, "/"), path, "content/pack")


def art_modules():
    """The generator modules under tools/art/, by file name."""
    folder = os.path.join(TOOLS_DIR, "art")
    mods = []
    for name in sorted(os.listdir(folder)):
        if name.endswith(".py") and not name.startswith("_"):
            module_spec = importlib.util.spec_from_file_location("art_" + name[:-3], os.path.join(folder, name))
            mod = importlib.util.module_from_spec(module_spec)
            module_spec.loader.exec_module(mod)
            if not hasattr(mod, "generate"):
                raise SystemExit("tools/art/%s has no generate(work_dir)" % name)
            mods.append((name[:-3], mod))
    return mods


def add_generated(builder, content_dir, work_dir):
    """Every generated pack entry; returns {pack name: path} of generated art."""
    art = {}
    for name, mod in art_modules():
        module_dir = os.path.join(work_dir, "art", name)
        os.makedirs(module_dir, exist_ok=True)
        made = mod.generate(module_dir)
        for pack_name, path in made.items():
            builder.add(pack_name, path, "tools/art/%s.py" % name)
            art[pack_name] = path
    for pack_name, path in gen_fonts.generate_fonts(content_dir, os.path.join(work_dir, "fonts")).items():
        builder.add(pack_name, path, "content/fonts")
        art[pack_name] = path
    try:
        lay = layouts.load_sources(sorted(
            os.path.join(content_dir, "layouts", n) for n in os.listdir(os.path.join(content_dir, "layouts"))
            if n.endswith(".txt")))
        problems = layouts.check_all(lay)
        if problems:
            raise ValueError("\n".join(problems))
        builder.add("data/layouts.bin", layouts.compile_layouts(lay), "content/layouts")
        builder.add("data/lang.xml", xml_merge.merge_lang(os.path.join(content_dir, "lang")), "content/lang")
        builder.add("global.xml", xml_merge.global_bytes(os.path.join(content_dir, "global")), "content/global")
    except ValueError as e:
        raise SystemExit("content error: %s" % e)
    return art


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--content", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    os.makedirs(args.work, exist_ok=True)
    builder = PackBuilder()
    add_authored(builder, args.content)
    add_generated(builder, args.content, args.work)
    builder.write(os.path.join(args.out, "data.pk"))
    gen_sounds.generate_sounds(args.content, args.work, os.path.join(args.out, "sounds"))
    contact_sheet.draw(os.path.join(args.out, "data.pk"), os.path.join(args.work, "contact_sheet.png"))


if __name__ == "__main__":
    main()
