#!/usr/bin/env python3
"""Builds the sample permanence files from published spin lists.

Usage: make_samples.py SPIN_DATA_FOLDER  (writes into the folder of this script)

Each sample gets the casino's layout: four header lines (house, table, date,
a note), one number per line, a line of dashes after every 20 numbers, and a
closing line of equals signs. Text is Latin-1 with CR LF line ends, as files
written on the casino's machines are.
"""
import pathlib
import sys


def numbers(path, skip=0, take=None):
    text = pathlib.Path(path).read_bytes().decode("utf-8-sig")
    values = [int(t) for t in text.replace(",", "\n").split()]
    return values[skip:] if take is None else values[skip : skip + take]


def write(name, table, date, note, values):
    lines = ["Spielbank Hamburg", table, date, note]
    for i, n in enumerate(values, 1):
        lines.append(str(n))
        if i % 20 == 0 and i != len(values):
            lines.append("-" * 20)
    lines.append("=" * 20)
    out = pathlib.Path(__file__).parent / name
    out.write_bytes(("\r\n".join(lines) + "\r\n").encode("latin-1"))


def main():
    data = pathlib.Path(sys.argv[1])
    write("hamburg-tisch3-118.txt", "Tisch 3", "14.03.2025", "Französisches Roulette",
          numbers(data / "genting-118.txt"))
    write("hamburg-tisch5-400.txt", "Tisch 5", "15.03.2025", "Französisches Roulette",
          numbers(data / "db4000.txt", take=400))
    write("hamburg-tisch1-1000.txt", "Tisch 1 Spätspiel", "16.03.2025", "Französisches Roulette",
          numbers(data / "playtech-707492.txt", take=1000))


if __name__ == "__main__":
    main()
