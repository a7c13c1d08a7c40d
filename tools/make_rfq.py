#!/usr/bin/env python3
"""Writes an RFQ list for `pelmora-cli order --in`: N lines of "quantity part",
with part numbers of every family that the shipped catalogue makes (lengths on
the families' steps, flanges in the order the part number keeps them, bands of
the size and family), nearly all of them distinct. Used to measure the order
command.

usage: make_rfq.py N [DATA_FOLDER] > rfq.txt
"""
import os
import random
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def rows(data, name):
    with open(os.path.join(data, name), encoding="cp1252") as f:
        return [[field.strip() for field in line.rstrip("\r\n").split("|")] for line in f][1:]


def tenths(text):
    return round(float(text) * 10)


def lengths(minimum, maximum, maximum_mm, step_in, step_mm):
    """The length digits of the imperial and the metric list of a size."""
    first, last = tenths(minimum), tenths(maximum)
    step = max(1, tenths(step_in))
    imperial = list(range(first, last + 1, step))
    start = round(first / 10 * 25.4)
    metric = list(range(start, round(float(maximum_mm)) + 1, max(1, round(float(step_mm)))))
    return imperial, metric


def main():
    count = int(sys.argv[1])
    data = sys.argv[2] if len(sys.argv) > 2 else os.path.join(ROOT, "data", "Data")
    rng = random.Random(38)
    flanges = {}
    for code, size, *_ in rows(data, "Flange.tbl"):
        flanges.setdefault(size, []).append(code)
    bands = {}
    for letter, size, band, *_ in rows(data, "WGVSWR.tbl"):
        bands.setdefault((letter, size), []).append(band)
    steps = {row[0]: (row[2], row[3]) for row in rows(data, "Family.tbl")}
    # Sizes sold by special quote only are left out, and H bends are offered the
    # sizes of the E bends.
    special = {"028", "051", "284", "340", "430"}
    sized = [row for row in rows(data, "Dimensions.tbl")
             if row[0] in "REHMN" and row[1] in flanges and (row[0], row[1]) in bands
             and row[1] not in special and (row[0] != "H" or ("E", row[1]) in bands)]

    def straight_or_bend(row):
        letter, size, minimum, maximum, maximum_mm = row[:5]
        imperial, metric = lengths(minimum, maximum, maximum_mm, *steps[letter])
        units = rng.choice("PM")
        options = imperial if units == "P" else metric
        a, b = sorted(rng.choice(flanges[size]) for _ in range(2))
        band = rng.choice(bands[(letter, size)])
        finish = rng.choice("GN")
        if letter == "R":
            return f"R{size}{units}{a}{rng.choice(options):04d}{b}{band}{finish}"
        if letter in "MN":
            a, b = rng.choice(flanges[size]), rng.choice(flanges[size])
        legs = [o for o in options if o < 1000]
        return f"{letter}{size}{units}{a}{rng.choice(legs):03d}{b}{rng.choice(legs):03d}{band}{finish}"

    others = [row[4] for row in rows(data, "StepTwist.tbl")]
    others += [row[3] for row in rows(data, "PressureWindows.tbl")]
    for size, band, coax, _ in rows(data, "CoaxVSWR.tbl"):
        for a in flanges.get(size, []) if size not in special - {"051"} else []:
            others.append(f"C{size}{a}{coax}{band}G")
    for i in range(count):
        part = rng.choice(others) if i % 10 == 0 else straight_or_bend(rng.choice(sized))
        print(rng.randrange(1, 50), part)


if __name__ == "__main__":
    main()
