#!/usr/bin/env python3
"""Writes an RFQ list for `pelmora-cli order --in`: N lines of "quantity part",
with part numbers of every family built from the shipped catalogue, most of
them distinct. Used to measure the order command.

usage: make_rfq.py N > rfq.txt
"""
import itertools
import os
import random
import sys

DATA = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "data", "Data")


def rows(name):
    with open(os.path.join(DATA, name), encoding="cp1252") as f:
        return [[field.strip() for field in line.rstrip("\r\n").split("|")] for line in f][1:]


def main():
    count = int(sys.argv[1])
    rng = random.Random(38)
    flanges = {}
    for code, size, *_ in rows("Flange.tbl"):
        flanges.setdefault(size, []).append(code)
    bands = {}
    for size, band, _ in rows("Frequency.tbl"):
        bands.setdefault(size, []).append(band)
    parts = []
    for repeat in range(1 + count // 8000):
        for letter, size, *_ in rows("Dimensions.tbl"):
            if letter not in "REHMN" or size not in flanges:
                continue
            for a, b, band, finish, units in itertools.product(
                    flanges[size], flanges[size], bands.get(size, ["S"]), "GN", "PM"):
                length = rng.randrange(20, 120)
                if letter == "R":
                    parts.append(f"R{size}{units}{a}{length:04d}{b}{band}{finish}")
                else:
                    parts.append(f"{letter}{size}{units}{a}{length:03d}{b}{length:03d}{band}{finish}")
    for size, band, _, coax, _ in [r + [""] for r in rows("CoaxVSWR.tbl")]:
        for a in flanges.get(size, []):
            parts.append(f"C{size}{a}{coax}{band}G")
    parts += [row[4] for row in rows("StepTwist.tbl")] + [row[3] for row in rows("PressureWindows.tbl")]
    rng.shuffle(parts)
    for i in range(count):
        print(rng.randrange(1, 50), parts[i % len(parts)])


if __name__ == "__main__":
    main()
