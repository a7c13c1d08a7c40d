#!/usr/bin/env python3
"""Runs the benchmarks tools/bench prepared and prints each figure beside its
anchor. Arguments: the project folder, the folder with the generated data,
and optionally --quick."""
import json
import os
import statistics
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


def rounds(command, runs, **kwargs):
    """Median wall time, median processor time (user and system, all threads) and the
    largest resident size in KB over the runs: on a machine others load, the
    processor time is the steadier figure, and their ratio tells the threads used."""
    walls, cpus, memory = [], [], 0
    for _ in range(runs):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, **kwargs)
        _, status, usage = os.wait4(child.pid, 0)
        walls.append(time.perf_counter() - start)
        if os.waitstatus_to_exitcode(status) not in (0, 1):
            raise subprocess.CalledProcessError(status, command)
        cpus.append(usage.ru_utime + usage.ru_stime)
        memory = max(memory, usage.ru_maxrss)
    return statistics.median(walls), statistics.median(cpus), memory


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
    with --quick) the whole shipped catalogue with one and two jobs, its check and
    its diff with itself against one enumeration. Medians of rounds; processor time
    beside wall time, as the machine may be loaded by others."""
    data = os.path.join(ROOT, "data")
    book = os.path.join(WORK, "book.tsv")
    subset = [CLI, "--app-dir", data, "parts", "--family", "M", "--waveguide", "090"]
    with open(book, "wb") as out:
        subprocess.run(subset, check=True, stdout=out)
    lines = sum(1 for _ in open(book, "rb")) - 1
    runs = 1 if QUICK else 5
    wall, cpu, _ = rounds(subset, runs)
    cat_wall, cat_cpu, _ = rounds(["cat", book], runs)
    print(f"\nPrice book (pelmora-cli parts), {lines:,} parts of WR90 miter H bends,"
          f" {os.path.getsize(book) / 1e6:.0f} MB, median of {runs}:")
    print(f"  parts {wall:6.2f} s wall {cpu:6.2f} s processor"
          f"  {lines / cpu / 1e6:5.2f} M parts/s of processor time;"
          f"  cat of the same bytes {cat_wall:6.3f} s wall {cat_cpu:6.3f} s processor;"
          f" ours / cat (wall) = {wall / cat_wall:.0f}x")
    if QUICK:
        os.remove(book)
        return
    whole = [CLI, "--app-dir", data, "parts"]
    count = json.loads(subprocess.run([CLI, "--app-dir", data, "--json", "parts", "--count"],
                                      check=True, capture_output=True, text=True).stdout)["total"]
    figures = {}
    for jobs in (1, 2):
        wall, cpu, memory = rounds(whole + ["--jobs", str(jobs)], 3)
        figures[jobs] = (wall, cpu)
        print(f"  shipped catalogue, {count:,} parts, --jobs {jobs}: {wall:6.1f} s wall"
              f" {cpu:6.1f} s processor  {count / cpu / 1e6:5.2f} M parts/s of processor"
              f" time  {memory / 1024:.0f} MB max")
    print(f"  --jobs 2: processor time {figures[2][1] / figures[1][1]:.2f}x that of --jobs 1"
          f" (1.00 is a linear gain); wall time {figures[1][0] / figures[2][0]:.2f}x faster"
          f" (at most 2 on two free cores)")
    wall, cpu, memory = rounds([CLI, "--app-dir", data, "check", "--parts"], 1,
                               stderr=subprocess.DEVNULL)
    print(f"  check --parts: {wall:6.1f} s wall {cpu:6.1f} s processor  {memory / 1024:.0f} MB max")
    wall, cpu, memory = rounds([CLI, "diff", data, data], 1)
    print(f"  diff of the shipped catalogue with itself: {wall:6.1f} s wall {cpu:6.1f} s"
          f" processor  {memory / 1024:.0f} MB max;"
          f" {wall / figures[1][0]:.2f}x the wall time of one enumeration")
    os.remove(book)


if __name__ == "__main__":
    table_reader()
    wizard()
    rfq()
    price_book()
