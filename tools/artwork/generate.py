#!/usr/bin/env python3
"""Draws Quenlow's icons and hand pointer and writes them as Windows resource data.

Run from anywhere, with Python 3 alone (no imaging library):

    python3 tools/artwork/generate.py                    # rewrites app/resources/art/
    python3 tools/artwork/generate.py --out DIR          # writes the same files into DIR
    python3 tools/artwork/generate.py --preview DIR      # also writes enlarged PNGs, .ico, .cur
    python3 tools/artwork/generate.py --check            # fails if the committed files differ

The output is committed with the sources and the drawing is deterministic, so a rerun rewrites
identical bytes; run it after changing any drawing here and commit the result. Quenlow.rc takes
the files as raw resources:

    aaa-N.dib      program icon images, RT_ICON 1..5 (64, 48, 32, 24, 16 px, 256 colours)
    aaa.grp        their group directory, RT_GROUP_ICON "AAA"
    window-N.dib   window picture images, RT_ICON 30001..30003 (32 px 2 and 16 colours, 16 px)
    window.grp     their group directory, RT_GROUP_ICON 1
    hand.cur.bin   the pointing hand, RT_CURSOR 101 (hot spot, then a 32 px 16-colour image)
    hand.grp       its group directory, RT_GROUP_CURSOR "HAND"
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree clean of __pycache__

import dib  # noqa: E402  (after the line above on purpose)
import hand_cursor  # noqa: E402
import program_icon  # noqa: E402
import window_picture  # noqa: E402
from png import write_png  # noqa: E402
from quantize import median_cut, nearest  # noqa: E402

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DEFAULT_OUT = os.path.join(REPO, "app", "resources", "art")

PROGRAM_ICON_SIZES = (64, 48, 32, 24, 16)  # resource ids 1..5 in this order
HAND_CURSOR_ID = 101  # clear of the icon ids; cursors are a resource type of their own anyway

VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
MONO = [(0, 0, 0), (255, 255, 255)]


def program_icon_image(size):
    """One 256-colour image: palette entry 0 stays black for the transparent corners."""
    pixels = [[(round(r), round(g), round(b)) if cover >= 0.5 else None
               for r, g, b, cover in row] for row in program_icon.render(size)]
    histogram = {}
    for row in pixels:
        for colour in row:
            if colour is not None:
                histogram[colour] = histogram.get(colour, 0) + 1
    colours = median_cut(histogram, 255)
    palette = [(0, 0, 0)] + colours + [(0, 0, 0)] * (255 - len(colours))
    index_of = {colour: nearest(colours, colour) + 1 for colour in histogram}
    rows = [[None if c is None else index_of[c] for c in row] for row in pixels]
    return dib.encode_image(rows, palette, 8)


def build():
    """Every output file, by name."""
    files = {}
    program = [(number, program_icon_image(size))
               for number, size in enumerate(PROGRAM_ICON_SIZES, start=1)]
    for number, image in program:
        files[f"aaa-{number}.dib"] = image
    files["aaa.grp"] = dib.icon_group(program)

    window = [
        (30001, dib.encode_image(window_picture.window_32_mono(), MONO, 1)),
        (30002, dib.encode_image(window_picture.window_32_colour(), VGA, 4)),
        (30003, dib.encode_image(window_picture.window_16_colour(), VGA, 4)),
    ]
    for number, image in window:
        files[f"window-{number}.dib"] = image
    files["window.grp"] = dib.icon_group(window)

    hand = dib.cursor_resource(dib.encode_image(hand_cursor.hand_32(), VGA, 4),
                               hand_cursor.HOT_SPOT)
    files["hand.cur.bin"] = hand
    files["hand.grp"] = dib.cursor_group(HAND_CURSOR_ID, hand)
    return files


def _enlarged(rows, scale, background):
    out = []
    for row in rows:
        line = []
        for colour in row:
            line += [background if colour is None else colour] * scale
        out += [line] * scale
    return out


def write_previews(files, directory):
    """Enlarged PNGs decoded back from the resource bytes, plus .ico and .cur files."""
    os.makedirs(directory, exist_ok=True)
    images = {name: data for name, data in files.items() if name.endswith(".dib")}
    images["hand.cur.bin"] = files["hand.cur.bin"][4:]
    for name, data in sorted(images.items()):
        rows = dib.decode_image(data)
        scale = max(1, 384 // len(rows))
        stem = name.split(".")[0]
        write_png(os.path.join(directory, f"{stem}.png"), _enlarged(rows, scale, (200, 200, 200)))
    program = [files[f"aaa-{n}.dib"] for n in range(1, 6)]
    with open(os.path.join(directory, "aaa.ico"), "wb") as out:
        out.write(dib.ico_file(program))
    with open(os.path.join(directory, "window.ico"), "wb") as out:
        out.write(dib.ico_file([files[f"window-{n}.dib"] for n in (30001, 30002, 30003)]))
    with open(os.path.join(directory, "hand.cur"), "wb") as out:
        out.write(dib.cur_file(images["hand.cur.bin"], hand_cursor.HOT_SPOT))
    # The program icon at its real sizes, on a light and on a dark ground, doubled.
    for name, ground in (("aaa-actual-light.png", (255, 255, 255)),
                         ("aaa-actual-dark.png", (48, 48, 48))):
        width = sum(size + 8 for size in PROGRAM_ICON_SIZES) + 8
        sheet = [[ground] * width for _ in range(80)]
        left = 8
        for data in program:
            rows = dib.decode_image(data)
            for y, row in enumerate(rows):
                for x, colour in enumerate(row):
                    if colour is not None:
                        sheet[8 + y][left + x] = colour
            left += len(rows) + 8
        write_png(os.path.join(directory, name), _enlarged(sheet, 2, ground))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=DEFAULT_OUT, help="where the resource files go")
    parser.add_argument("--preview", help="also write PNG previews, .ico and .cur here")
    parser.add_argument("--check", action="store_true",
                        help="write nothing; fail if --out does not hold exactly these files")
    args = parser.parse_args()
    files = build()
    if args.check:
        def held(name):
            with open(os.path.join(args.out, name), "rb") as held_file:
                return held_file.read()
        present = set(os.listdir(args.out))
        stale = [name for name in sorted(present | set(files))
                 if name not in present or name not in files or held(name) != files[name]]
        for name in stale:
            print(f"{os.path.join(args.out, name)}: not what the generator writes; run it again")
        print(f"artwork: {len(files)} files, {len(stale)} stale")
        return 1 if stale else 0
    os.makedirs(args.out, exist_ok=True)
    for name, data in sorted(files.items()):
        with open(os.path.join(args.out, name), "wb") as out:
            out.write(data)
    if args.preview:
        write_previews(files, args.preview)
    return 0


if __name__ == "__main__":
    sys.exit(main())
