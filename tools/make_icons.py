#!/usr/bin/env python3
"""Builds the program's icons from their text pixel sources.

Usage: python3 tools/make_icons.py SOURCEDIR OUTDIR

Every SOURCEDIR/STEM.txt becomes OUTDIR/STEM.ico, and OUTDIR/icons.rc lists each icon
resource by name with its file, one line per icon, for inclusion in the program's
resource script (windres finds the .ico files when OUTDIR is on its include path, or
when it runs in OUTDIR). Files are rewritten only when their bytes change, and the
output depends on nothing but the sources, so the build is reproducible.

Source format (one file per icon, plain ASCII):

    ; a comment line (anywhere)
    name: P_~          resource name; optional, the file stem by default
    kind: glyph        "colour" (16 colours) or "glyph" (black ink on transparency)
    size: 32x32        width x height in pixels
    .##.#              pixel rows, top row first, one character per pixel

  - Header lines ("key: value") come before the first pixel row. Blank lines are
    ignored.
  - A pixel row may be shorter than the width and there may be fewer rows than the
    height: what is missing is transparent. Longer rows or more rows are errors.
  - STEM must be a plain identifier ([A-Za-z_][A-Za-z0-9_]*) because windres takes the
    .ico file names unquoted (see below); a resource name that is not such an identifier
    (P_~, 00ICON) is given with "name:".

Shared legend:

    .   transparent (the icon's mask shows what lies beneath)

  kind colour, the standard VGA 16-colour palette in its usual index order:
    K 0 black        r 1 dark red      g 2 dark green   y 3 dark yellow
    b 4 dark blue    m 5 dark magenta  c 6 dark cyan    s 7 light grey (silver)
    d 8 dark grey    R 9 red           G 10 green       Y 11 yellow
    B 12 blue        M 13 magenta      C 14 cyan        W 15 white

  kind glyph:
    #   black ink

Output:
  - kind colour: a 4-bit (16-colour) icon image with the VGA palette and an AND mask.
  - kind glyph: a 1-bit (2-colour, black and white) icon image with an AND mask; ink
    pixels are black and opaque, every other pixel transparent.
  - icons.rc: lines "NAME ICON STEM.ico". windres joins a quoted string to a string
    that directly precedes it, so the file names stay unquoted, and names that must be
    quoted ("P_~") come after all plain ones so that none of them follows a string of
    an including script.
"""

import os
import re
import struct
import sys

VGA_PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
COLOUR_LEGEND = {ch: index for index, ch in enumerate("KrgybmcsdRGYBMCW")}
GLYPH_PALETTE = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF)]
TRANSPARENT = "."
INK = "#"

IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*\Z")
# Characters a quoted resource name may hold without escapes.
QUOTABLE = re.compile(r"[!#-~ ]+\Z")


class SourceError(Exception):
    pass


class Icon:
    def __init__(self, stem, name, kind, width, height, rows):
        self.stem = stem          # file stem of the source and of the .ico
        self.name = name          # resource name
        self.kind = kind          # "colour" or "glyph"
        self.width = width
        self.height = height
        self.rows = rows          # height strings of width legend characters


def parse_source(path):
    """Reads one text pixel source; raises SourceError with file and line on faults."""
    stem = os.path.splitext(os.path.basename(path))[0]
    if not IDENTIFIER.match(stem):
        raise SourceError("%s: file stem must be a plain identifier" % path)
    headers = {}
    rows = []
    with open(path, "r", encoding="ascii") as source:
        for number, line in enumerate(source, 1):
            line = line.rstrip("\r\n").rstrip(" \t")
            where = "%s:%d" % (path, number)
            if not line or line.startswith(";"):
                continue
            match = re.match(r"([a-z]+):\s*(.*)\Z", line)
            if match and not rows:
                key, value = match.group(1), match.group(2)
                if key not in ("name", "kind", "size"):
                    raise SourceError("%s: unknown header %r" % (where, key))
                if key in headers:
                    raise SourceError("%s: header %r given twice" % (where, key))
                headers[key] = value
                continue
            rows.append((where, line))

    kind = headers.get("kind")
    if kind not in ("colour", "glyph"):
        raise SourceError("%s: kind must be colour or glyph" % path)
    size = re.match(r"(\d+)x(\d+)\Z", headers.get("size", ""))
    if not size:
        raise SourceError("%s: size must be WIDTHxHEIGHT" % path)
    width, height = int(size.group(1)), int(size.group(2))
    if not (1 <= width <= 256 and 1 <= height <= 256):
        raise SourceError("%s: size out of range" % path)
    name = headers.get("name", stem)
    if not QUOTABLE.match(name) or '"' in name:
        raise SourceError("%s: resource name %r cannot be written to a script" % (path, name))

    allowed = set(COLOUR_LEGEND) if kind == "colour" else {INK}
    allowed.add(TRANSPARENT)
    if len(rows) > height:
        raise SourceError("%s: more than %d pixel rows" % (rows[height][0], height))
    pixels = []
    for where, row in rows:
        if len(row) > width:
            raise SourceError("%s: row longer than %d pixels" % (where, width))
        for ch in row:
            if ch not in allowed:
                raise SourceError("%s: %r is not a %s pixel" % (where, ch, kind))
        pixels.append(row.ljust(width, TRANSPARENT))
    while len(pixels) < height:
        pixels.append(TRANSPARENT * width)
    return Icon(stem, name, kind, width, height, pixels)


def row_bytes(bits_per_pixel, width):
    """Bytes of one bitmap row, padded to whole 32-bit words."""
    return (width * bits_per_pixel + 31) // 32 * 4


def pack_rows(rows, bits_per_pixel, value_of):
    """Packs pixel rows bottom-up, most significant bits first, as a DIB stores them."""
    out = bytearray()
    per_byte = 8 // bits_per_pixel
    for row in reversed(rows):
        packed = bytearray(row_bytes(bits_per_pixel, len(row)))
        for x, ch in enumerate(row):
            shift = 8 - bits_per_pixel * (x % per_byte + 1)
            packed[x // per_byte] |= value_of(ch) << shift
        out += packed
    return bytes(out)


def icon_bytes(icon):
    """The whole .ico file for one image."""
    if icon.kind == "colour":
        bits, palette = 4, VGA_PALETTE
        colour_of = lambda ch: 0 if ch == TRANSPARENT else COLOUR_LEGEND[ch]
    else:
        bits, palette = 1, GLYPH_PALETTE
        colour_of = lambda ch: 0  # ink is black; transparent pixels are black under a set mask
    xor_bits = pack_rows(icon.rows, bits, colour_of)
    and_bits = pack_rows(icon.rows, 1, lambda ch: 1 if ch == TRANSPARENT else 0)
    header = struct.pack("<IiiHHIIiiII", 40, icon.width, icon.height * 2, 1, bits, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", blue, green, red, 0)
                       for red, green, blue in palette)
    image = header + colours + xor_bits + and_bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", icon.width % 256, icon.height % 256, len(palette), 0,
                        1, bits, len(image), len(directory) + 16)
    return directory + entry + image


def rc_name(name):
    return name if IDENTIFIER.match(name) else '"%s"' % name


def rc_text(icons):
    plain = [icon for icon in icons if rc_name(icon.name) == icon.name]
    quoted = [icon for icon in icons if rc_name(icon.name) != icon.name]
    lines = ["// Icon resources, generated by tools/make_icons.py from resources/icons/*.txt."]
    for icon in plain + quoted:
        lines.append("%s ICON %s.ico" % (rc_name(icon.name), icon.stem))
    return ("\n".join(lines) + "\n").encode("ascii")


def write_if_changed(path, data):
    try:
        with open(path, "rb") as existing:
            if existing.read() == data:
                return
    except OSError:
        pass
    with open(path, "wb") as out:
        out.write(data)


def load_icons(source_dir):
    names = sorted(entry for entry in os.listdir(source_dir) if entry.endswith(".txt"))
    icons = [parse_source(os.path.join(source_dir, entry)) for entry in names]
    seen = {}
    for icon in icons:
        key = icon.name.upper()  # resource names compare without case
        if key in seen:
            raise SourceError("resource name %s used by %s and %s"
                              % (icon.name, seen[key], icon.stem))
        seen[key] = icon.stem
    return icons


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: %s SOURCEDIR OUTDIR\n" % argv[0])
        return 2
    source_dir, out_dir = argv[1], argv[2]
    try:
        icons = load_icons(source_dir)
    except (SourceError, OSError, UnicodeDecodeError) as error:
        sys.stderr.write("make_icons: %s\n" % error)
        return 1
    if not icons:
        sys.stderr.write("make_icons: no icon sources in %s\n" % source_dir)
        return 1
    os.makedirs(out_dir, exist_ok=True)
    for icon in icons:
        write_if_changed(os.path.join(out_dir, icon.stem + ".ico"), icon_bytes(icon))
    write_if_changed(os.path.join(out_dir, "icons.rc"), rc_text(icons))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
