#!/usr/bin/env python3
"""Runs pelmora-cli over randomly damaged copies of the shipped catalogue.

Every run must end within the time limit, with exit code 0, 1 or 2, and without a
sanitizer report. The damage is seeded: copy N of seed S is damaged the same way
on every machine, so a failure names the copy that reproduces it (--only N), and
the damaged tables of each failing copy are kept (--keep).

usage: damaged_catalogues.py CLI DATA_DIR [--copies N] [--seed S] [--only N] [--keep DIR]
"""
import argparse
import concurrent.futures
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
from pathlib import Path

# Shipped part numbers of every family, pressure windows and old numbers included.
PARTS = ["C090CNSG", "D090CKSG", "E090MC076U076SG", "F090PC0120US", "F090MC0305US",
         "H090PC030U030AN", "M137PC060U060SG", "N137PU040U060SG", "R090PC0125USG",
         "R090MC0305USG", "ST137S", "T090UUG", "PW284U", "WS-90-12-C39"]
BUILDS = [
    ["family=R", "waveguide=WR90", "flangeA=U", "flangeB=C", "length=12.3", "band=S",
     "finish=G"],
    ["family=E", "waveguide=WR90", "flangeA=C", "flangeB=U", "units=M"],
    ["family=N", "waveguide=WR137", "flangeA=U", "flangeB=C", "legA=4.0", "confirm=swap"],
    ["family=F", "waveguide=WR90", "flangeA=C", "flangeB=U"],
    ["family=C", "waveguide=WR90", "flangeA=C", "coax=N"],
    ["family=T", "waveguide=090", "flangeA=U", "flangeB=U", "confirm=continue"],
]
ORDER_LIST = ("3 R090PC0125USG\n2\tC090CNSG\tCoax adaptor\n1 N137PU040U060SG\n"
              "# a comment\n5 ST137S\n99999 D090CKSG\n")
QUANTITIES = ["1", "7", "99999"]
USED_SIZES = [b"090", b"137"]

SANITIZER_REPORTS = ("runtime error:", "AddressSanitizer", "LeakSanitizer")
TIME_LIMIT = 10
WORKERS = 2


def junk_cell(rng):
    """A cell no catalogue maintainer meant to write."""
    kind = rng.choices(range(6), weights=[5, 2, 1, 1, 1, 1])[0]
    if kind == 0:
        return rng.choice([b"1e308", b"-1e308", b"1e-308", b"-1", b"0", b"-0", b"nan", b"inf",
                           b"99999999999999999999", b"9223372036854775807", b"2147483648",
                           b"-2147483649", b"0.00005", b"4.5e15", b"1e19", b"12.", b".5"])
    if kind == 1:
        return rng.choice([b"", b" ", b"\t", b"#", b"S", b"P", b"M", b"090", b"0000"])
    if kind == 2:
        return rng.choice([b"W", b"9", b"x|"]) * rng.choice([200, 5000, 70000])
    if kind == 3:
        return bytes(rng.randrange(0x00, 0x20) for _ in range(rng.randint(1, 12)))
    if kind == 4:
        return bytes(rng.randrange(0x80, 0x100) for _ in range(rng.randint(1, 12)))
    return b"|" * rng.randint(1, 40)


def damage_table(rng, path):
    """Damages one table in place; tells what was done."""
    data = path.read_bytes()
    lines = data.split(b"\r\n")
    # Mostly the rows of the sizes the commands use, so that damage is met.
    used = [i for i, line in enumerate(lines) if any(size in line for size in USED_SIZES)]
    row = rng.choice(used) if used and rng.random() < 0.7 else rng.randrange(len(lines))
    other = rng.randrange(len(lines))
    kind = rng.choices(["cell", "truncate", "delete", "empty", "header", "swap", "duplicate",
                        "remove", "line", "columns"],
                       weights=[12, 2, 1, 1, 2, 2, 2, 2, 2, 2])[0]
    if kind == "cell":
        cells = lines[row].split(b"|")
        column = rng.randrange(len(cells) + 1)
        value = junk_cell(rng)
        if column == len(cells):
            cells.append(value)
        else:
            cells[column] = value
        lines[row] = b"|".join(cells)
        done = f"line {row + 1} column {column + 1} set to {describe_bytes(value)}"
    elif kind == "truncate":
        cut = rng.randrange(len(data) + 1)
        path.write_bytes(data[:cut])
        return f"{path.name}: truncated to {cut} of {len(data)} bytes"
    elif kind == "delete":
        path.unlink()
        return f"{path.name}: deleted"
    elif kind == "empty":
        path.write_bytes(b"")
        return f"{path.name}: emptied"
    elif kind == "header":
        del lines[0]
        done = "header line deleted"
    elif kind == "swap":
        lines[row], lines[other] = lines[other], lines[row]
        done = f"lines {row + 1} and {other + 1} swapped"
    elif kind == "duplicate":
        lines.insert(other, lines[row])
        done = f"line {row + 1} copied before line {other + 1}"
    elif kind == "remove":
        del lines[row]
        done = f"line {row + 1} deleted"
    elif kind == "line":
        lines[row] = junk_cell(rng)
        done = f"line {row + 1} replaced by {describe_bytes(lines[row])}"
    else:
        cells = lines[row].split(b"|")
        keep = rng.randrange(len(cells))
        lines[row] = b"|".join(cells[:keep])
        done = f"line {row + 1} cut to its first {keep} cells"
    path.write_bytes(b"\r\n".join(lines))
    return f"{path.name}: {done}"


def describe_bytes(value):
    if len(value) > 40:
        return f"{value[:12]!r}... ({len(value)} bytes)"
    return repr(value)


def copy_catalogue(shipped, folder):
    shutil.copytree(shipped / "Data", folder / "Data")
    (folder / "Images").symlink_to(shipped / "Images")


def damage_catalogue(folder, rng):
    """Damages one to three tables of the copy; metric units for some copies."""
    if rng.random() < 0.2:
        (folder / "Pelmora.ini").write_bytes(b"[UNITS]\r\ntype=M\r\n")
    tables = sorted((folder / "Data").glob("*.tbl"))
    damages = []
    for _ in range(rng.choice([1, 1, 2, 3])):
        table = rng.choice(tables)
        if table.exists():
            damages.append(damage_table(rng, table))
    return damages


def commands(rng, order_file):
    """Each command with whether it must succeed on the intact catalogue (quote and
    describe meet the pressure window and the old part number, which are no parts)."""
    return [
        (["check"], True),
        (["quote", *PARTS, "--qty", rng.choice(QUANTITIES)], False),
        (["describe", rng.choice(PARTS)], False),
        (["build", *rng.choice(BUILDS)], True),
        (["order", "--in", str(order_file)], True),
    ]


def run(cli, app_dir, arguments, must_succeed):
    """Runs one command; tells what went wrong, or None."""
    command = [cli, "--app-dir", str(app_dir), *arguments]
    try:
        result = subprocess.run(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, timeout=TIME_LIMIT)
    except subprocess.TimeoutExpired:
        return f"took over {TIME_LIMIT} s"
    errors = result.stderr.decode("utf-8", "replace")
    report = next((line for line in errors.splitlines()
                   if any(mark in line for mark in SANITIZER_REPORTS)), None)
    if report:
        return f"sanitizer: {report.strip()}"
    allowed = (0,) if must_succeed else (0, 1, 2)
    if result.returncode not in allowed:
        last = errors.strip().splitlines()[-1:] or [""]
        return f"exit code {result.returncode}: {last[0]}"
    return None


def check_copy(options, scratch, order_file, index):
    rng = random.Random(f"{options.seed}:{index}")
    folder = scratch / f"copy-{index}"
    folder.mkdir()
    # Copy 0 stays whole and proves the harness: there the commands must succeed.
    intact = index == 0
    copy_catalogue(options.data_dir, folder)
    damages = [] if intact else damage_catalogue(folder, rng)
    failures = []
    for arguments, must_succeed in commands(rng, order_file):
        problem = run(options.cli, folder, arguments, intact and must_succeed)
        if problem:
            failures.append((arguments, problem))
    if failures and options.keep:
        kept = options.keep / f"copy-{index}"
        shutil.rmtree(kept, ignore_errors=True)
        shutil.copytree(folder / "Data", kept / "Data")
    shutil.rmtree(folder)
    return index, damages, failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cli")
    parser.add_argument("data_dir", type=Path)
    parser.add_argument("--copies", type=int, default=300)
    parser.add_argument("--seed", default="pelmora")
    parser.add_argument("--only", type=int, help="check this copy alone")
    parser.add_argument("--keep", type=Path, help="keep the tables of failing copies here")
    options = parser.parse_args()
    options.data_dir = options.data_dir.resolve()

    started = time.monotonic()
    indices = [options.only] if options.only is not None else range(options.copies)
    failed = 0
    with tempfile.TemporaryDirectory(prefix="pelmora-damaged-") as temporary:
        scratch = Path(temporary)
        order_file = scratch / "rfq.txt"
        order_file.write_text(ORDER_LIST)
        with concurrent.futures.ThreadPoolExecutor(WORKERS) as pool:
            results = pool.map(lambda i: check_copy(options, scratch, order_file, i), indices)
            for index, damages, failures in results:
                if not failures:
                    continue
                failed += 1
                print(f"copy {index} (seed {options.seed!r}): " + "; ".join(damages or ["intact"]))
                for arguments, problem in failures:
                    print(f"    pelmora-cli {' '.join(arguments)}: {problem}")
    print(f"{len(indices)} catalogue copies, {failed} with failures, "
          f"{time.monotonic() - started:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
