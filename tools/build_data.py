#!/usr/bin/env python3
"""Builds the game's data folder: the pack data/data.pk and data/sounds/.

Authored files under content/pack/ go into the pack as they are; generated
art goes in beside them.
"""
import argparse
import os
import zipfile

from gen_icons import generate_icons


def build_pack(content_dir, work_dir, out_dir):
    entries = {}
    pack_src = os.path.join(content_dir, "pack")
    for root, _dirs, files in os.walk(pack_src):
        for name in files:
            path = os.path.join(root, name)
            entries[os.path.relpath(path, pack_src).replace(os.sep, "/")] = path
    entries.update(generate_icons(os.path.join(work_dir, "icons")))
    os.makedirs(out_dir, exist_ok=True)
    tmp = os.path.join(out_dir, "data.pk.tmp")
    with zipfile.ZipFile(tmp, "w", zipfile.ZIP_DEFLATED) as pack:
        for arcname in sorted(entries):
            pack.write(entries[arcname], arcname)
    os.replace(tmp, os.path.join(out_dir, "data.pk"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--content", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--work", required=True)
    args = parser.parse_args()
    os.makedirs(os.path.join(args.out, "sounds"), exist_ok=True)
    build_pack(args.content, args.work, args.out)


if __name__ == "__main__":
    main()
