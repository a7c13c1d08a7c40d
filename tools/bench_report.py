#!/usr/bin/env python3
"""Runs the benchmarks tools/bench prepared and prints each figure beside its
anchor. Arguments: the project folder, the folder with the generated data,
and optionally --quick."""
import json
import os
import subprocess
import sys
import time

ROOT, WORK = sys.argv[1], sys.argv[2]
QUICK = "--quick" in sys.argv[3:]
BENCH = os.path.join(ROOT, "build-bench", "bin", "pelmora_bench")
CLI = os.path.join(ROOT, "build-bench", "bin", "pelmora-cli")
TABLE = os.path.join(WORK, "big.tbl")


def best_of(command, runs, **kwargs):
    """The shortest wall time of the runs, in seconds."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)
        times.append(time.perf_counter() - start)
    return min(times)


def peak_memory(command):
    """The largest resident size of one run, in KB, measured in a process of its own
    so that no earlier child counts."""
    probe = ("import resource, subprocess, sys; "
             "subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL); "
             "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)")
    return int(subprocess.run([sys.executable, "-c", probe] + command, check=True,
                              capture_output=True, text=True).stdout)


def benchmark(filter_, env):
    out = subprocess.run([BENCH, "--benchmark_filter=" + filter_, "--benchmark_format=json"],
                         check=True, capture_output=True, text=True,
                         env={**os.environ, **env}).stdout
    return json.loads(out)["benchmarks"]


def table_reader():
    runs = 3 if QUICK else 7
    size = os.path.getsize(TABLE)
    mawk = best_of(["mawk", "-F|", '$1=="090" && $2=="C"', TABLE], runs)
    wc = best_of(["wc", "-l", TABLE], runs)
    results = {b["name"].split("/")[0]: b["real_time"] / 1000
               for b in benchmark("LoadAndFilter|MmapMemchrScan", {"PELMORA_BENCH_TABLE": TABLE})}
    ours, scan = results["LoadAndFilter"], results["MmapMemchrScan"]
    mb = size / 1e6
    print(f"Table reader: {mb:.0f} MB, 842,000 rows, load + filter $1==\"090\" && $2==\"C\"")
    print(f"  {'':28} {'time':>9} {'MB/s':>8} {'ours is':>10}")
    for name, seconds in [("pelmora (load + filter)", ours), ("mawk (same filter)", mawk),
                          ("wc -l", wc), ("mmap + memchr line scan", scan)]:
        ratio = "" if name.startswith("pelmora") else f"{seconds / ours:.2f}x"
        print(f"  {name:28} {seconds * 1000:7.1f} ms {mb / seconds:8.0f} {ratio:>10}")
    print("  (ours is = the anchor's time over ours: above 1 we are faster)")


def wizard():
    env = {"PELMORA_BENCH_SHIPPED": os.path.join(ROOT, "data"),
           "PELMORA_BENCH_LARGE": os.path.join(WORK, "large")}
    rows = {}
    for b in benchmark("shipped/|large/", env):
        if b.get("aggregate_name") not in ("p50", "p99"):
            continue
        catalogue, family, action = b["run_name"].split("/")[:3]
        rows.setdefault((family, action), {})[(catalogue, b["aggregate_name"])] = b["real_time"]
    print("\nWizard, window mode (checked table cache), ms per action:")
    print(f"  {'family':16} {'action':13} {'shipped p50':>11} {'p99':>7} {'100x p50':>9} {'p99':>7}"
          f" {'100x/shipped p99':>17}")
    for (family, action), t in rows.items():
        shipped, large = t.get(("shipped", "p99")), t.get(("large", "p99"))
        ratio = f"{large / shipped:.1f}x" if shipped and large else ""
        print(f"  {family:16} {action:13} {t.get(('shipped', 'p50'), 0):11.3f} {shipped or 0:7.3f}"
              f" {t.get(('large', 'p50'), 0):9.3f} {large or 0:7.3f} {ratio:>17}")


def rfq():
    print("\nOrder command (pelmora-cli order --in RFQ --out order.xls):")
    figures = {}
    for name in ("rfq10k", "rfq100k"):
        command = [CLI, "order", "--in", os.path.join(WORK, name + ".txt"), "--out",
                   os.path.join(WORK, name + ".xls")]
        seconds = best_of(command, 1 if QUICK else 3, stderr=subprocess.DEVNULL)
        memory = peak_memory(command) / 1024
        figures[name] = seconds
        print(f"  {name[3:]:>5} items {seconds:7.2f} s  {memory:6.0f} MB max")
    print(f"  100k / (10 x 10k) = {figures['rfq100k'] / (10 * figures['rfq10k']):.2f}"
          " (1.00 is linear)")


def price_book():
    """The price book against cat writing the same bytes: one family's size, then (not
    with --quick) the whole shipped catalogue on one thread and on two."""
    data = os.path.join(ROOT, "data")
    book = os.path.join(WORK, "book.tsv")
    subset = [CLI, "--app-dir", data, "parts", "--family", "M", "--waveguide", "090"]
    with open(book, "wb") as out:
        subprocess.run(subset, check=True, stdout=out)
    lines = sum(1 for _ in open(book, "rb")) - 1
    runs = 1 if QUICK else 3
    ours = best_of(subset, runs)
    cat = best_of(["cat", book], runs)
    print(f"\nPrice book (pelmora-cli parts), {lines:,} parts of WR90 miter H bends,"
          f" {os.path.getsize(book) / 1e6:.0f} MB:")
    print(f"  parts {ours:6.2f} s  {lines / ours / 1e6:5.2f} M parts/s;"
          f"  cat of the same bytes {cat:6.3f} s; ours / cat = {ours / cat:.0f}x")
    os.remove(book)
    if QUICK:
        return
    whole = [CLI, "--app-dir", data, "parts"]
    count = json.loads(subprocess.run([CLI, "--app-dir", data, "--json", "parts", "--count"],
                                      check=True, capture_output=True, text=True).stdout)["total"]
    for jobs in (1, 2):
        command = whole + ["--jobs", str(jobs)]
        seconds = best_of(command, 1)
        memory = peak_memory(command) / 1024 if jobs == 1 else 0
        print(f"  shipped catalogue, {count:,} parts, --jobs {jobs}: {seconds:6.1f} s"
              f"  {count / seconds / 1e6:5.2f} M parts/s" +
              (f"  {memory:.0f} MB max" if memory else ""))


if __name__ == "__main__":
    table_reader()
    wizard()
    rfq()
    price_book()
