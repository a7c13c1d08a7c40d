#!/usr/bin/env python3
"""Writes a catalogue FACTOR times larger than the shipped one, for benchmarks:
every table that lists waveguide sizes gets FACTOR - 1 copies of its rows with
new size codes appended (the codes inside part numbers and models renamed the
same way), so that the keys between the tables stay tied and every family can
be walked on the new sizes too. Also writes one pipe table of a given number of
rows for the table reader's benchmark.

usage: make_large_catalogue.py OUT_FOLDER [FACTOR]      (default 100)
       make_large_catalogue.py --table FILE ROWS
"""
import itertools
import os
import shutil
import string
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SHIPPED = os.path.join(ROOT, "data")

# The columns (1-based) that hold a size code, and those holding a part number or
# model with the code at positions 2-4 (or, for step twists, before the last
# character).
SIZE_COLUMNS = {
    "WGSize.tbl": [1], "Taper.tbl": [1, 2], "Flange.tbl": [2], "Dimensions.tbl": [2],
    "WGVSWR.tbl": [2], "CoaxVSWR.tbl": [1], "FlexVSWR.tbl": [1], "FlexSpecs.tbl": [1],
    "PressureWindows.tbl": [1], "StepTwist.tbl": [1], "StepFlange.tbl": [2],
    "Frequency.tbl": [1], "StraightSectionPrice.tbl": [1], "RigidTwistPrice.tbl": [1],
    "TaperedTransitionPrice.tbl": [1], "CoaxPrice.tbl": [1], "FlexTwistPrice.tbl": [1],
    "MiterBendPrice.tbl": [1], "EBendPrice.tbl": [1], "HBendPrice.tbl": [1],
}
PART_COLUMNS = {"PressureWindows.tbl": 4, "StepTwist.tbl": 5, "EBendPrice.tbl": 2,
                "HBendPrice.tbl": 2}
STEP_TWIST_PRICES = "StepTwistPrice.tbl"


def read(path):
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    return [line for line in lines if line != ""] if lines[-1] == "" else lines


def write(path, lines):
    with open(path, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def new_codes(used, count):
    """Three-letter codes no shipped size has."""
    letters = (a + b + c for a, b, c in itertools.product(string.ascii_uppercase, repeat=3))
    return [code for code in letters if code not in used][:count]


def rename_part(part, old, new):
    """A part number or model with its size code renamed."""
    if part[1:4] == old:
        return part[0] + new + part[4:]
    if part[-4:-1] == old:
        return part[:-4] + new + part[-1]
    return part


def grow(out, factor):
    shutil.copytree(SHIPPED, out, dirs_exist_ok=True)
    data = os.path.join(out, "Data")
    sizes = [line.split("|")[0].strip() for line in read(os.path.join(data, "WGSize.tbl"))[1:]]
    sizes += [line.split("|")[0].strip() for line in read(os.path.join(data, "Taper.tbl"))[1:]]
    sizes = sorted(set(sizes))
    codes = iter(new_codes(set(sizes), len(sizes) * (factor - 1)))
    renames = [{size: next(codes) for size in sizes} for _ in range(factor - 1)]
    for name in os.listdir(data):
        path = os.path.join(data, name)
        lines = read(path)
        header, rows = lines[0], lines[1:]
        added = []
        for rename in renames:
            for row in rows:
                fields = row.split("|")
                if name == STEP_TWIST_PRICES:
                    old = fields[0].strip()[-4:-1]
                    if old not in rename:
                        continue
                    fields[0] = rename_part(fields[0].strip(), old, rename[old])
                    added.append("|".join(fields))
                    continue
                columns = SIZE_COLUMNS.get(name)
                if not columns or any(fields[c - 1].strip() not in rename for c in columns):
                    continue
                old = fields[columns[0] - 1].strip()
                for c in columns:
                    fields[c - 1] = rename[fields[c - 1].strip()]
                if name in PART_COLUMNS:
                    c = PART_COLUMNS[name] - 1
                    fields[c] = rename_part(fields[c].strip(), old, rename[old])
                added.append("|".join(fields))
        write(path, [header] + rows + added)


def big_table(path, count):
    """Rows of a price table (size|band|...), the shipped sizes first, then new ones."""
    rows = read(os.path.join(SHIPPED, "Data", "CoaxPrice.tbl"))
    header, body = rows[0], rows[1:]
    codes = new_codes({row.split("|")[0] for row in body}, 26 ** 3)
    lines = [header] + body
    for code in itertools.cycle(codes):
        if len(lines) > count:
            break
        lines += [code + row[3:] for row in body]
    write(path, lines[:count + 1])


def main():
    if sys.argv[1] == "--table":
        big_table(sys.argv[2], int(sys.argv[3]))
    else:
        grow(sys.argv[1], int(sys.argv[2]) if len(sys.argv) > 2 else 100)


if __name__ == "__main__":
    main()
