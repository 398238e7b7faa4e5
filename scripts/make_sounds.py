#!/usr/bin/env python3
"""Writes the three spin sounds into assets/: g2.wav (wins), vg2.wav (mixed),
v2.wav (losses). 16-bit PCM, mono, 22050 Hz, standard library only.

Every note has a soft attack and an exponential decay that ends in a short
fade to silence, so playback starts and stops without a click.

Run from the repository root:  python3 scripts/make_sounds.py
"""

import math
import os
import struct
import wave

RATE = 22050
PEAK = 0.55  # of full scale, leaves head room for overlapping notes


def note(freq, start, length, total, harmonics=((1, 1.0), (2, 0.25), (3, 0.08)), decay=5.0):
    """One bell-like note as a list of `total` samples (floats), placed at `start` s."""
    out = [0.0] * total
    first = int(start * RATE)
    count = int(length * RATE)
    attack = int(0.012 * RATE)
    release = int(0.04 * RATE)
    for i in range(count):
        k = first + i
        if k >= total:
            break
        t = i / RATE
        env = math.exp(-decay * t)
        if i < attack:
            env *= 0.5 - 0.5 * math.cos(math.pi * i / attack)
        if i >= count - release:
            env *= 0.5 + 0.5 * math.cos(math.pi * (i - (count - release)) / release)
        s = sum(a * math.sin(2 * math.pi * freq * h * t) for h, a in harmonics)
        out[k] += env * s
    return out


def mix(total, *notes):
    out = [0.0] * total
    for n in notes:
        for i, v in enumerate(n):
            out[i] += v
    peak = max(abs(v) for v in out) or 1.0
    return [v / peak * PEAK for v in out]


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(round(v * 32767))) for v in samples))


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "assets")

    # Wins: a bright rising major third and fifth (C6, E6, G6) like a small chime.
    total = int(0.5 * RATE)
    write(os.path.join(folder, "g2.wav"),
          mix(total,
              note(1046.5, 0.00, 0.50, total, decay=6.0),
              note(1318.5, 0.07, 0.43, total, decay=6.0),
              note(1568.0, 0.14, 0.36, total, decay=6.0)))

    # Mixed: two soft tones of equal weight, a fourth apart (A4, D5).
    total = int(0.45 * RATE)
    soft = ((1, 1.0), (2, 0.12))
    write(os.path.join(folder, "vg2.wav"),
          mix(total,
              note(440.0, 0.00, 0.22, total, soft, decay=4.0),
              note(587.3, 0.20, 0.25, total, soft, decay=4.0)))

    # Losses: one low, round falling tone (G3), no edge to it.
    total = int(0.5 * RATE)
    write(os.path.join(folder, "v2.wav"),
          mix(total, note(196.0, 0.00, 0.50, total, ((1, 1.0), (2, 0.15)), decay=4.5)))


if __name__ == "__main__":
    main()
