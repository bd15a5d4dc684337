#!/usr/bin/env python3
"""Builds the starter word book tango.csv (CP932, CR LF) from its UTF-8 source.

Usage: python3 tools/make_starter.py SOURCE OUTPUT

SOURCE is resources/starter/tango.utf8.csv: the word file's own nine columns (Word,
Explain1, Explain2, Explain3, RightCount, WrongCount, CheckCount, CheckOnly, Pronunce),
one word per line, in UTF-8 with LF or CR LF line ends, so that it reads well in diffs.
OUTPUT gets the same lines as CP932 bytes with CR LF line ends, which is what the
program loads.

The script stops with a message naming the line when a line is blank (the program
would load it as an empty word), does not split into nine columns, or holds a
character that has no CP932 byte form or that CP932 would give back as another
character (U+301C WAVE DASH is written as 0x8160 but read back as U+FF5E FULLWIDTH
TILDE; the source must use the character the program will show). OUTPUT is written
only when every line is sound.
"""

import csv
import os
import sys


def fail(message):
    sys.stderr.write("make_starter: " + message + "\n")
    sys.exit(1)


def encode_line(number, line):
    if not line.strip():
        fail("line %d is blank" % number)
    fields = next(csv.reader([line]))
    if len(fields) != 9:
        fail("line %d has %d columns, not 9: %s" % (number, len(fields), line))
    for column, char in enumerate(line):
        try:
            data = char.encode("cp932")
        except UnicodeEncodeError:
            fail("line %d column %d: U+%04X %r has no CP932 form"
                 % (number, column + 1, ord(char), char))
        if data.decode("cp932") != char:
            fail("line %d column %d: U+%04X %r reads back from CP932 as U+%04X; "
                 "write that character instead"
                 % (number, column + 1, ord(char), char, ord(data.decode("cp932"))))
    return line.encode("cp932") + b"\r\n"


def build(source):
    try:
        with open(source, "rb") as f:
            raw = f.read()
    except OSError as e:
        fail("cannot read %s: %s" % (source, e.strerror))
    if raw.startswith(b"\xef\xbb\xbf"):
        fail("%s starts with a byte-order mark" % source)
    try:
        text = raw.decode("utf-8")
    except UnicodeDecodeError as e:
        fail("%s is not UTF-8 (byte %d)" % (source, e.start))
    if not text:
        fail("%s is empty" % source)
    if not text.endswith("\n"):
        fail("%s does not end with a line end" % source)
    lines = text[:-1].split("\n")
    out = bytearray()
    for number, line in enumerate(lines, 1):
        if line.endswith("\r"):
            line = line[:-1]
        if "\r" in line:
            fail("line %d holds a lone CR" % number)
        out += encode_line(number, line)
    return bytes(out)


def write_book(path, data):
    folder = os.path.dirname(path)
    if folder:
        os.makedirs(folder, exist_ok=True)
    # A new file moved into place: the program marks a loaded word file read-only, and
    # a half-written book must never be left behind.
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def main(argv):
    if len(argv) != 3:
        fail("usage: make_starter.py SOURCE OUTPUT")
    write_book(argv[2], build(argv[1]))


if __name__ == "__main__":
    main(sys.argv)
