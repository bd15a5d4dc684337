#!/usr/bin/env python3
"""Draws every built icon on one PNG sheet, to look at the pixel art.

Usage: python3 tools/preview_icons.py ICODIR SHEET.png

ICODIR is the output folder of tools/make_icons.py: the icons are read back from the
.ico files named in ICODIR/icons.rc (so the sheet also shows what the writer made) and
drawn 8 times enlarged over a checkerboard that marks transparency, each with its name.
Glyphs show only their top-left 12 x 16 pixels, where the ink lives, with the rows
from 14 down shaded. Under them come all glyphs at their true size and a few phonetic
code strings laid out as the program's glyph display field lays them out.
"""

import os
import re
import struct
import sys
import zlib

SCALE = 8
BACKGROUND = (255, 255, 255)
CHECKER = ((236, 236, 236), (212, 212, 212))
SHADE = (255, 225, 225)
LABEL = (0, 0, 128)

# Code letters and accents with their glyph resource names and widths, as the display
# field uses them; only the sample strings need this.
CODES = [
    ("a", "P_A", 8), ("A", "P_A1", 8), ("b", "P_B", 8), ("C", "P_C1", 8),
    (":", "P_CLN", 6), ("d", "P_D", 8), ("e", "P_E", 8), ("E", "P_E1", 8),
    ("3", "P_EP", 7), ("f", "P_F", 6), ("g", "P_G", 7), ("G", "P_G1", 8),
    ("h", "P_H", 8), ("i", "P_I", 4), ("I", "P_I1", 4), ("j", "P_J", 4),
    ("J", "P_J1", 7), ("k", "P_K", 8), ("l", "P_L", 4), ("m", "P_M", 8),
    ("n", "P_N", 8), ("o", "P_O", 8), ("O", "P_O1", 8), ("p", "P_P", 8),
    ("Q", "P_Q1", 10), ("r", "P_R", 6), ("R", "P_R1", 8), ("s", "P_S", 8),
    ("S", "P_S1", 8), ("t", "P_T", 6), ("u", "P_U", 8), ("v", "P_V", 8),
    ("w", "P_W", 8), ("x", "P_X", 8), ("z", "P_Z", 8), ("Z", "P_Z1", 8),
    ("/", "P_SL", 6), ("-", "P_MS", 6), ("(", "P_QL", 4), (")", "P_QR", 4),
]
ACCENTS = [("'", "P_ACC", 4), ("~", "P_~", 5)]
SAMPLES = [
    "pQ'n", "ik'splein", "vOk'Qbjul3ri", "'fOtEgrQf", "OOt'Sentik", "baiEl'OdZikEl",
    "'IJuE", "'ma:niG", "'mouSEr", "w3:dz/-(s)", "a~ A~ o~",
]

# A 3 x 5 pixel font for the labels.
FONT = {
    "A": "010101111101101", "B": "110101110101110", "C": "011100100100011",
    "D": "110101101101110", "E": "111100110100111", "F": "111100110100100",
    "G": "011100101101011", "H": "101101111101101", "I": "111010010010111",
    "J": "001001001101010", "K": "101101110101101", "L": "100100100100111",
    "M": "101111111101101", "N": "110101101101101", "O": "010101101101010",
    "P": "110101110100100", "Q": "010101101110011", "R": "110101110101101",
    "S": "011100010001110", "T": "111010010010010", "U": "101101101101111",
    "V": "101101101101010", "W": "101101111111101", "X": "101101010101101",
    "Y": "101101010010010", "Z": "111001010100111", "0": "111101101101111",
    "1": "010110010010111", "2": "110001010100111", "3": "110001010001110",
    "4": "101101111001001", "5": "111100110001110", "6": "011100110101010",
    "7": "111001010010010", "8": "010101010101010", "9": "010101011001110",
    "_": "000000000000111", "~": "000000011110000", " ": "000000000000000",
}


def read_ico(path):
    """Decodes a one-image 1- or 4-bit .ico: rows of (r, g, b) or None for transparent."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 18)[0]
    (_, width, height2, _, bits, _, _, _, _, used, _) = struct.unpack_from(
        "<IiiHHIIiiII", data, offset)
    height = height2 // 2
    colours = used or (1 << bits)
    palette = []
    for i in range(colours):
        blue, green, red, _ = struct.unpack_from("<BBBB", data, offset + 40 + 4 * i)
        palette.append((red, green, blue))
    xor_start = offset + 40 + 4 * colours
    xor_row = (width * bits + 31) // 32 * 4
    and_start = xor_start + xor_row * height
    and_row = (width + 31) // 32 * 4
    rows = []
    for y in range(height):
        source_y = height - 1 - y
        row = []
        for x in range(width):
            bit_offset = x * bits
            byte = data[xor_start + source_y * xor_row + bit_offset // 8]
            index = (byte >> (8 - bits - bit_offset % 8)) & ((1 << bits) - 1)
            mask = data[and_start + source_y * and_row + x // 8] >> (7 - x % 8) & 1
            row.append(None if mask else palette[index])
        rows.append(row)
    return rows


class Sheet:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[BACKGROUND] * width for _ in range(height)]

    def fill(self, x, y, w, h, colour):
        for yy in range(max(0, y), min(self.height, y + h)):
            for xx in range(max(0, x), min(self.width, x + w)):
                self.pixels[yy][xx] = colour

    def icon(self, rows, x, y, scale, columns=None, lines=None, shade_from=None):
        columns = columns or len(rows[0])
        lines = lines or len(rows)
        for iy in range(lines):
            for ix in range(columns):
                colour = rows[iy][ix]
                if colour is None:
                    if scale == 1:
                        continue
                    colour = CHECKER[(ix + iy) % 2]
                    if shade_from is not None and iy >= shade_from:
                        colour = SHADE
                self.fill(x + ix * scale, y + iy * scale, scale, scale, colour)

    def overlay(self, rows, x, y, scale):
        """Draws only the opaque pixels, as DrawIcon does through the mask."""
        for iy, row in enumerate(rows):
            for ix, colour in enumerate(row):
                if colour is not None:
                    self.fill(x + ix * scale, y + iy * scale, scale, scale, colour)

    def text(self, label, x, y, scale=2):
        for ch in label.upper():
            pattern = FONT.get(ch, FONT[" "])
            for i, bit in enumerate(pattern):
                if bit == "1":
                    self.fill(x + (i % 3) * scale, y + (i // 3) * scale, scale, scale, LABEL)
            x += 4 * scale

    def png(self, path):
        raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body
                    + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height,
                                                 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            out.write(chunk(b"IEND", b""))


def layout(code_string, glyphs):
    """(rows, x, y) to draw for a code string, in the display field's manner."""
    codes = {code: (name, width) for code, name, width in CODES}
    accents = {mark: (name, width) for mark, name, width in ACCENTS}
    pen, last, out = 0, 0, []
    for ch in code_string:
        if ch in codes:
            name, width = codes[ch]
            out.append((glyphs[name], pen, 7))
            last = width
            pen += width
        elif ch in accents and last:
            name, width = accents[ch]
            out.append((glyphs[name], pen - last + int((last - width) / 2), 0))
        else:
            pen += 8
    return out, pen


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: %s ICODIR SHEET.png\n" % argv[0])
        return 2
    ico_dir, sheet_path = argv[1], argv[2]
    entries = []
    with open(os.path.join(ico_dir, "icons.rc")) as script:
        for line in script:
            match = re.match(r'\s*("?)(.+?)\1\s+ICON\s+(\S+)\s*$', line)
            if match:
                entries.append((match.group(2), os.path.join(ico_dir, match.group(3))))
    icons = {name: read_ico(path) for name, path in entries}
    glyph_names = [name for _, name, _ in CODES] + [name for _, name, _ in ACCENTS]
    others = sorted(name for name in icons if name not in glyph_names)
    glyphs = [name for name in glyph_names if name in icons]

    margin, label_height = 12, 16
    colour_cell = 32 * SCALE + margin
    glyph_cell_w, glyph_cell_h = 12 * SCALE + margin, 16 * SCALE + label_height + margin
    per_row = 10
    width = max(len(others) * colour_cell, per_row * glyph_cell_w) + margin
    glyph_rows = (len(glyphs) + per_row - 1) // per_row
    top_glyphs = margin + colour_cell + label_height
    top_small = top_glyphs + glyph_rows * glyph_cell_h + margin
    top_samples = top_small + 24 + 16 * 3 + margin
    height = top_samples + len(SAMPLES) * 22 * 3 + margin
    sheet = Sheet(width, height)

    x = margin
    for name in others:
        rows = icons[name]
        scale = SCALE * 32 // len(rows[0])
        sheet.icon(rows, x, margin, scale)
        sheet.text(name, x, margin + 32 * SCALE + 4)
        sheet.overlay(rows, x + 32 * SCALE - 40, margin + 32 * SCALE + 2, 1)
        x += colour_cell
    for i, name in enumerate(glyphs):
        gx = margin + (i % per_row) * glyph_cell_w
        gy = top_glyphs + (i // per_row) * glyph_cell_h
        sheet.icon(icons[name], gx, gy, SCALE, columns=12, lines=16, shade_from=14)
        sheet.text(name, gx, gy + 16 * SCALE + 4)
    # every glyph in table order at true size, then three times enlarged
    for i, name in enumerate(glyphs):
        sheet.overlay(icons[name], margin + i * 12, top_small, 1)
        sheet.overlay(icons[name], margin + i * 36, top_small + 24, 3)
    for line, sample in enumerate(SAMPLES):
        placed, _ = layout(sample, icons)
        y = top_samples + line * 22 * 3
        for rows, gx, gy in placed:
            sheet.overlay(rows, margin + gx, y + gy, 1)
            sheet.overlay(rows, margin + 200 + gx * 3, y + gy * 3, 3)
    sheet.png(sheet_path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
