#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Turn the characters a movie shows into vector outlines for the movie to draw.

Flash players on Linux seldom have a Chinese device font, so the movies carry
their text as shapes. This script reads the Haxe sources of one movie, takes
every character that appears inside a string literal, looks each up in the
given fonts (first font that has it wins) and writes a Haxe class with one
compact outline string per character. Only the characters used are emitted,
which keeps each movie small.

Outline encoding (decoded by GlyphText.hx): a stream of integers, each written
as a zigzag varint in base 64 (5 payload bits per character, bit 5 set on all
but the last character of a number). The stream is a list of commands:
  0 dx dy          move to (starts a contour)
  1 dx dy          line to
  2 cdx cdy dx dy  quadratic curve to
Coordinates are deltas in font units on a 1024 em, y pointing down, origin on
the baseline at the pen position.
"""

import argparse
import sys

from fontTools.pens.basePen import BasePen
from fontTools.ttLib import TTCollection, TTFont

ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"
EM = 1024



def encode_int(value, out):
    z = (value << 1) if value >= 0 else ((-value << 1) - 1)
    while True:
        digit = z & 31
        z >>= 5
        if z:
            out.append(ALPHABET[digit | 32])
        else:
            out.append(ALPHABET[digit])
            return


class OutlinePen(BasePen):
    """Records quadratic outlines; cubic segments are split into quadratics."""

    def __init__(self, glyphset, scale):
        super().__init__(glyphset)
        self.scale = scale
        self.ops = []  # (op, [points])
        self.start = None

    def _pt(self, p):
        return (round(p[0] * self.scale), round(-p[1] * self.scale))

    def _moveTo(self, p):
        self.start = self._pt(p)
        self.ops.append((0, [self.start]))

    def _lineTo(self, p):
        self.ops.append((1, [self._pt(p)]))

    def _qCurveToOne(self, p1, p2):
        self.ops.append((2, [self._pt(p1), self._pt(p2)]))

    def _curveToOne(self, p1, p2, p3):
        from fontTools.cu2qu import curve_to_quadratic

        p0 = self._getCurrentPoint()
        quads = curve_to_quadratic([p0, p1, p2, p3], 1.0)
        # quads is a quadratic spline: on-curve start, off-curve points, on-curve end
        offs = quads[1:-1]
        for i, off in enumerate(offs):
            if i + 1 < len(offs):
                nxt = offs[i + 1]
                end = ((off[0] + nxt[0]) / 2, (off[1] + nxt[1]) / 2)
            else:
                end = quads[-1]
            self.ops.append((2, [self._pt(off), self._pt(end)]))

    def _closePath(self):
        # Close explicitly: an open contour would leave the fill to the player's guess.
        if self.ops and self.start is not None:
            last = self.ops[-1][1][-1]
            if last != self.start:
                self.ops.append((1, [self.start]))
        self.start = None

    _endPath = _closePath


def load_font(font_arg):
    path, _, index = font_arg.partition(":")
    if path.lower().endswith((".ttc", ".otc")):
        return TTCollection(path).fonts[int(index or 0)]
    return TTFont(path)


def string_literals(text):
    """The contents of the string literals in Haxe source, skipping comments."""
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
        elif c in "\"'":
            j = i + 1
            chars = []
            while j < n and text[j] != c:
                if text[j] == "\\" and j + 1 < n:
                    esc = text[j + 1]
                    if esc not in "nrt0":  # control escapes draw nothing
                        chars.append(esc)
                    j += 2
                else:
                    chars.append(text[j])
                    j += 1
            yield "".join(chars)
            i = j + 1
        else:
            i += 1


def collect_chars(sources):
    chars = set()
    for src in sources:
        with open(src, encoding="utf-8") as fh:
            for literal in string_literals(fh.read()):
                chars.update(ch for ch in literal if ch > " ")
    return sorted(chars)


def haxe_string(s):
    return '"' + s.replace("\\", "\\\\").replace('"', '\\"').replace("$", "$$") + '"'


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--font", action="append", required=True, help="font file[:index in collection]")
    ap.add_argument("--out", required=True)
    ap.add_argument("--class-name", default="Glyphs")
    ap.add_argument("sources", nargs="+")
    args = ap.parse_args()

    fonts = []
    for font_arg in args.font:
        font = load_font(font_arg)
        fonts.append((font, font.getBestCmap(), font.getGlyphSet(), EM / font["head"].unitsPerEm))

    entries = []
    missing = []
    for ch in collect_chars(args.sources):
        for font, cmap, glyphset, scale in fonts:
            name = cmap.get(ord(ch))
            if name is None:
                continue
            pen = OutlinePen(glyphset, scale)
            glyphset[name].draw(pen)
            advance = round(font["hmtx"][name][0] * scale)
            out = []
            cur = (0, 0)
            for op, pts in pen.ops:
                encode_int(op, out)
                for p in pts:
                    encode_int(p[0] - cur[0], out)
                    encode_int(p[1] - cur[1], out)
                    cur = p
            entries.append((ch, advance, "".join(out)))
            break
        else:
            missing.append(ch)
    if missing:
        sys.exit("gen_glyphs: no font has these characters: " + " ".join(missing))

    with open(args.out, "w", encoding="utf-8") as fh:
        fh.write("// Generated by gen_glyphs.py from the movie's strings; do not edit.\n")
        fh.write("class %s {\n" % args.class_name)
        fh.write("\tpublic static inline var EM = %d;\n" % EM)
        fh.write("\tpublic static var table:Map<String, Array<Dynamic>> = [\n")
        for ch, advance, data in entries:
            fh.write("\t\t%s => [%d, %s],\n" % (haxe_string(ch), advance, haxe_string(data)))
        fh.write("\t];\n}\n")


if __name__ == "__main__":
    main()
