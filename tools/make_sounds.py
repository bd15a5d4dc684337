#!/usr/bin/env python3
"""Makes the three optional drill sounds shipped in the package, as small WAV files.

Usage: python3 tools/make_sounds.py [--check] [FOLDER]

FOLDER (default resources/sounds) gets question.wav (a soft chime when a question opens),
correct.wav (a bright rising two-note chime) and wrong.wav (a low buzz): 16-bit mono
PCM at 22050 Hz, each under a second. The sounds are synthesised from sine partials with
smooth envelopes, so the same script always writes the same bytes.

With --check nothing is written: the script exits with 1 and names every file in FOLDER
that differs from what it would write (the committed files must be this script's output).
Samples may differ by one step, since the sine of another C library may round otherwise.
"""

import io
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.6  # of full scale, so that the sounds are never louder than a system beep


def envelope(t, attack, decay):
    """A short linear attack followed by an exponential decay."""
    if t < attack:
        return t / attack
    return math.exp(-(t - attack) / decay)


def tone(duration, partials, attack, decay, fade=0.02):
    """Samples of a sum of (frequency, amplitude) partials under one envelope; the last
    `fade` seconds ramp down to silence so that the sound never ends with a click."""
    count = int(duration * RATE)
    samples = []
    for n in range(count):
        t = n / RATE
        value = sum(a * math.sin(2 * math.pi * f * t) for f, a in partials)
        value *= envelope(t, attack, decay)
        remaining = duration - t
        if remaining < fade:
            value *= remaining / fade
        samples.append(value)
    return samples


def mix_at(base, extra, offset_seconds):
    start = int(offset_seconds * RATE)
    total = max(len(base), start + len(extra))
    out = base + [0.0] * (total - len(base))
    for i, value in enumerate(extra):
        out[start + i] += value
    return out


def question_sound():
    # A soft bell: a fundamental with a quiet, slightly inharmonic overtone.
    return tone(0.7, [(784.0, 1.0), (1568.0 * 1.003, 0.25), (2352.0, 0.08)],
                attack=0.008, decay=0.22)


def correct_sound():
    # Two bright notes a major third apart (C6 then E6), the second one longer.
    first = tone(0.16, [(1046.5, 1.0), (2093.0, 0.3)], attack=0.004, decay=0.09)
    second = tone(0.45, [(1318.5, 1.0), (2637.0, 0.3)], attack=0.004, decay=0.16)
    return mix_at(first, second, 0.12)


def wrong_sound():
    # A low buzz: odd harmonics of 110 Hz (a soft square wave) in two short pulses.
    partials = [(110.0 * k, 1.0 / k) for k in (1, 3, 5, 7, 9)]
    pulse = tone(0.2, partials, attack=0.01, decay=0.5, fade=0.04)
    return mix_at(pulse, pulse, 0.26)


SOUNDS = {
    "question.wav": question_sound,
    "correct.wav": correct_sound,
    "wrong.wav": wrong_sound,
}


def wav_bytes(samples):
    loudest = max(abs(s) for s in samples) or 1.0
    scale = PEAK * 32767 / loudest
    frames = b"".join(struct.pack("<h", int(round(s * scale))) for s in samples)
    buffer = io.BytesIO()
    with wave.open(buffer, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)
    return buffer.getvalue()


def same_sound(path, data):
    """True when the WAV file at `path` has the format of `data` and samples within one
    step of its samples."""
    try:
        with wave.open(path, "rb") as old, wave.open(io.BytesIO(data), "rb") as new:
            if old.getparams() != new.getparams():
                return False
            a = old.readframes(old.getnframes())
            b = new.readframes(new.getnframes())
    except (OSError, wave.Error, EOFError):
        return False
    if len(a) != len(b):
        return False
    count = len(a) // 2
    old_samples = struct.unpack("<%dh" % count, a)
    new_samples = struct.unpack("<%dh" % count, b)
    return all(abs(x - y) <= 1 for x, y in zip(old_samples, new_samples))


def main(argv):
    args = argv[1:]
    check = "--check" in args
    args = [a for a in args if a != "--check"]
    if len(args) > 1:
        sys.stderr.write(__doc__)
        return 2
    folder = args[0] if args else os.path.join(os.path.dirname(__file__), "..", "resources",
                                               "sounds")
    differing = []
    for name, make in SOUNDS.items():
        data = wav_bytes(make())
        path = os.path.join(folder, name)
        if check:
            if not same_sound(path, data):
                differing.append(path)
        else:
            os.makedirs(folder, exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    if differing:
        for path in differing:
            sys.stderr.write("make_sounds: %s differs from the generator's output\n" % path)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
