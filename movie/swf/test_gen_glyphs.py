#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks for gen_glyphs.py: which characters it picks up, and that its outline stream reads back.

Run: python3 test_gen_glyphs.py [font.ttc:index]   (the font defaults to AR PL UKai)
"""

import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_glyphs  # noqa: E402

FONT = "/usr/share/fonts/truetype/arphic/ukai.ttc:0"


def decode(data):
    """The reader GlyphText.hx uses, in Python."""
    out, value, shift = [], 0, 0
    for c in data:
        d = gen_glyphs.ALPHABET.index(c)
        value |= (d & 31) << shift
        if d & 32:
            shift += 5
        else:
            out.append(value >> 1 if value & 1 == 0 else -((value + 1) >> 1))
            value, shift = 0, 0
    return out


class CollectChars(unittest.TestCase):
    def collect(self, source):
        with tempfile.NamedTemporaryFile("w", suffix=".hx", encoding="utf-8", delete=False) as fh:
            fh.write(source)
        try:
            return "".join(gen_glyphs.collect_chars([fh.name]))
        finally:
            os.unlink(fh.name)

    def test_rows(self):
        rows = [
            ('var a = "生命";', "命生"),
            ("var a = '智慧';", "慧智"),
            ('// "注释"\nvar a = "线";', "线"),
            ('/* "块注" */ var a = "线";', "线"),
            ('var a = "上\\n下";', "上下"),  # an escape is not a character to draw
            ('var a = "说\\"话";', '"话说'),
            ('var a = "a b";', "ab"),  # spaces are advances, not glyphs
            ('trace(x); // 没有引号', ""),
        ]
        for source, want in rows:
            with self.subTest(source=source):
                self.assertEqual(self.collect(source), "".join(sorted(want)))


class Encoding(unittest.TestCase):
    def test_round_trip(self):
        values = [0, 1, -1, 15, 16, -16, -17, 31, 32, 511, 512, -512, 1023, -1024, 100000, -100000]
        out = []
        for v in values:
            gen_glyphs.encode_int(v, out)
        self.assertEqual(decode("".join(out)), values)

    def test_generated_table_is_whole(self):
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "M.hx")
            with open(src, "w", encoding="utf-8") as fh:
                fh.write('var a = "圣杯，A";')
            out = os.path.join(tmp, "Glyphs.hx")
            sys.argv = ["gen_glyphs.py", "--font", FONT, "--out", out, src]
            gen_glyphs.main()
            text = open(out, encoding="utf-8").read()
        for ch in "圣杯，A":
            self.assertIn('"%s" => [' % ch, text)
        # Every outline is a whole number of commands with the right operand counts.
        for line in text.splitlines():
            if "=> [" not in line:
                continue
            data = line.rsplit('"', 2)[-2]
            ops = decode(data)
            i = 0
            while i < len(ops):
                self.assertIn(ops[i], (0, 1, 2))
                i += 5 if ops[i] == 2 else 3
            self.assertEqual(i, len(ops))

    def test_missing_character_fails_the_build(self):
        with tempfile.TemporaryDirectory() as tmp:
            src = os.path.join(tmp, "M.hx")
            with open(src, "w", encoding="utf-8") as fh:
                fh.write('var a = "\U0001F600";')
            sys.argv = ["gen_glyphs.py", "--font", FONT, "--out", os.path.join(tmp, "G.hx"), src]
            with self.assertRaises(SystemExit) as ctx:
                gen_glyphs.main()
            self.assertIn("no font has", str(ctx.exception.code))


if __name__ == "__main__":
    if len(sys.argv) > 1 and not sys.argv[1].startswith("-"):
        FONT = sys.argv.pop(1)
    unittest.main()
