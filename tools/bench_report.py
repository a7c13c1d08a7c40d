#!/usr/bin/env python3
"""Runs the benchmarks tools/bench prepared and prints each figure beside its
anchor. Arguments: the project folder, the folder with the generated data,
and optionally --quick and --only SECTION."""
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT, WORK = sys.argv[1], sys.argv[2]
QUICK = "--quick" in sys.argv[3:]
# --only SECTION runs that section (a function below) alone.
ONLY = sys.argv[sys.argv.index("--only") + 1] if "--only" in sys.argv[3:] else None
BENCH = os.path.join(ROOT, "build-bench", "bin", "pelmora_bench")
CLI = os.path.join(ROOT, "build-bench", "bin", "pelmora-cli")
TABLE = os.path.join(WORK, "big.tbl")
BIN = os.path.join(ROOT, "build-bench", "bin")


def best_of(command, runs, **kwargs):
    """The shortest wall time of the runs, in seconds."""
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)
        times.append(time.perf_counter() - start)
    return min(times)


def best_cpu_of(command, runs):
    """The least processor time (user and system) of the runs, in seconds."""
    times = []
    for _ in range(runs):
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL)
        _, _, usage = os.wait4(child.pid, 0)
        times.append(usage.ru_utime + usage.ru_stime)
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
    mawk = best_cpu_of(["mawk", "-F|", '$1=="090" && $2=="C"', TABLE], runs)
    wc = best_cpu_of(["wc", "-l", TABLE], runs)
    # Processor time: on a machine loaded by other work, wall time measures the others.
    runs = benchmark("LoadAndFilter|MmapMemchrScan", {"PELMORA_BENCH_TABLE": TABLE})
    results = {b["name"].split("/")[0]: b["cpu_time"] / 1000 for b in runs}
    ours, scan = results["LoadAndFilter"], results["MmapMemchrScan"]
    mb = size / 1e6
    print(f"Table reader: {mb:.0f} MB, 842,000 rows, load + filter $1==\"090\" && $2==\"C\"")
    print(f"  {'':28} {'time':>9} {'MB/s':>8} {'ours is':>10}")
    for name, seconds in [("pelmora (load + filter)", ours), ("mawk (same filter)", mawk),
                          ("wc -l", wc), ("mmap + memchr line scan", scan)]:
        ratio = "" if name.startswith("pelmora") else f"{seconds / ours:.2f}x"
        print(f"  {name:28} {seconds * 1000:7.1f} ms {mb / seconds:8.0f} {ratio:>10}")
    print("  (processor time; ours is = the anchor's time over ours: above 1 we are faster)")


def wizard():
    """Each action's p99 in thread processor time: back to back (the same action on a
    fresh wizard) beside mixed (one wizard taking every family's actions in a random
    order, as a user does)."""
    env = {"PELMORA_BENCH_SHIPPED": os.path.join(ROOT, "data"),
           "PELMORA_BENCH_LARGE": os.path.join(WORK, "large")}
    rounds = 1 if QUICK else 3
    samples = {}
    for _ in range(rounds):
        for b in benchmark("shipped/|large/", env):
            if b["run_name"].startswith("mixed/"):
                catalogue = b["run_name"].split("/")[1]
                for key, value in b.items():
                    if key.endswith("/p99"):
                        family, action = key.split("/")[:2]
                        samples.setdefault((family, action, catalogue, "mixed"), []).append(value)
            elif b.get("aggregate_name") == "p99":
                catalogue, family, action = b["run_name"].split("/")[:3]
                samples.setdefault((family, action, catalogue, "b2b"), []).append(b["real_time"])
    rows = {}
    for (family, action, catalogue, kind), values in samples.items():
        rows.setdefault((family, action), {})[(catalogue, kind)] = statistics.median(values)
    print("\nWizard, window mode (checked table cache, a table scope per action),"
          f" p99 of thread CPU time, ms, median of {rounds} runs:")
    print(f"  {'family':16} {'action':13} {'shipped b2b':>11} {'mixed':>7} {'100x b2b':>9}"
          f" {'mixed':>7} {'100x mixed/b2b':>15}")
    worst = {}
    for (family, action), t in sorted(rows.items()):
        cells = [t.get((c, k)) for c in ("shipped", "large") for k in ("b2b", "mixed")]
        for (c, k), value in zip([(c, k) for c in ("shipped", "large") for k in ("b2b", "mixed")],
                                 cells):
            if value is not None:
                worst[(c, k)] = max(worst.get((c, k), 0), value)
        large_b2b, large_mixed = cells[2], cells[3]
        ratio = f"{large_mixed / large_b2b:.2f}x" if large_b2b and large_mixed else ""
        print(f"  {family:16} {action:13} " +
              " ".join(f"{v or 0:{w}.3f}" for v, w in zip(cells, (11, 7, 9, 7))) +
              f" {ratio:>15}")
    print("  worst: " + ", ".join(f"{c} {k} {v:.3f} ms" for (c, k), v in sorted(worst.items())))


def cpu_and_memory(command):
    """The processor time (user + system, s) and the largest resident size (KB) of one
    run, measured in a process of its own so that no earlier child counts."""
    probe = ("import resource, subprocess, sys; "
             "subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL); "
             "u = resource.getrusage(resource.RUSAGE_CHILDREN); "
             "print(u.ru_utime + u.ru_stime, u.ru_maxrss)")
    seconds, kb = subprocess.run([sys.executable, "-c", probe] + command, check=True,
                                 capture_output=True, text=True).stdout.split()
    return float(seconds), int(kb)


def rfq():
    """The order command per line, in processor time and memory, against the same
    command on an RFQ of one line (start-up, the catalogue read) in the same run;
    the median of the rounds, which run interleaved."""
    rounds = 1 if QUICK else 3
    sizes = [("rfq1", 1), ("rfq10k", 10_000), ("rfq100k", 100_000)]
    if not QUICK:
        sizes.append(("rfq1m", 1_000_000))
    samples = {name: [] for name, _ in sizes}
    for _ in range(rounds):
        for name, _ in sizes:
            command = [CLI, "order", "--in", os.path.join(WORK, name + ".txt"), "--out",
                       os.path.join(WORK, name + ".xls")]
            samples[name].append(cpu_and_memory(command))
    median = {name: (statistics.median(s for s, _ in runs), statistics.median(k for _, k in runs))
              for name, runs in samples.items()}
    base_seconds, base_kb = median["rfq1"]
    print("\nOrder command (pelmora-cli order --in RFQ --out order.xls), processor time,"
          f" median of {rounds}; anchor: one line, {base_seconds * 1000:.0f} ms, {base_kb / 1024:.0f} MB:")
    print(f"  {'lines':>9} {'time':>8} {'max RSS':>9} {'us/line':>8} {'KB/line':>8}")
    for name, lines in sizes[1:]:
        seconds, kb = median[name]
        print(f"  {lines:9,} {seconds:7.2f}s {kb / 1024:7.0f}MB"
              f" {(seconds - base_seconds) / lines * 1e6:8.1f} {(kb - base_kb) / lines:8.3f}")


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
    # The two job counts in interleaved rounds, so that both meet the same load.
    samples = {1: [], 2: []}
    for _ in range(3):
        for jobs in samples:
            samples[jobs].append(rounds(whole + ["--jobs", str(jobs)], 1))
    figures = {}
    for jobs, runs in samples.items():
        wall, cpu = (statistics.median(run[i] for run in runs) for i in (0, 1))
        memory = max(run[2] for run in runs)
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


def start_xvfb():
    """A private X server for the window runs; its display and process."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp", "-noreset"], pass_fds=(write,), stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as number:
        display = ":" + number.readline().strip()
    return display, xvfb


def window_start():
    """Exec to the first mapped window, its processor time, and the idle resident
    size, of the window (splash skipped) beside an empty Qt 6 window and a main
    window with nothing but a menu bar and a label, rounds interleaved, medians of
    the rounds."""
    repeats = 5 if QUICK else 15
    display, xvfb = start_xvfb()
    env = {**os.environ, "DISPLAY": display}
    env.pop("QT_QPA_PLATFORM", None)
    home = tempfile.mkdtemp()
    env["HOME"] = env["XDG_CONFIG_HOME"] = env["XDG_DATA_HOME"] = home
    programs = {"empty Qt 6 window": [os.path.join(BIN, "pelmora_empty_window")],
                "menu bar and a label": [os.path.join(BIN, "pelmora_menu_window")],
                "pelmora38": [os.path.join(BIN, "pelmora38"), "-nosplash"]}
    figures = {name: [] for name in programs}
    try:
        for _ in range(repeats):
            for name, command in programs.items():
                out = subprocess.run([os.path.join(BIN, "pelmora_window_start"), "1500"] + command,
                                     check=True, capture_output=True, text=True, env=env).stdout
                figures[name].append(json.loads(out))
    finally:
        xvfb.terminate()
        xvfb.wait()
    print(f"\nWindow start under Xvfb, median of {repeats} interleaved rounds:")
    print(f"  {'':21} {'to mapped':>10} {'cpu':>9} {'idle RSS':>10}")
    medians = {name: {key: statistics.median(run[key] for run in runs) for key in runs[0]}
               for name, runs in figures.items()}
    for name, m in medians.items():
        print(f"  {name:21} {m['mappedMs']:7.1f} ms {m['cpuMs']:6.1f} ms {m['idleRssKb'] / 1024:7.1f} MB")
    empty = medians["empty Qt 6 window"]
    for name in ("menu bar and a label", "pelmora38"):
        m = medians[name]
        print(f"  {name} / empty: {m['mappedMs'] / empty['mappedMs']:.2f}x to mapped,"
              f" {m['cpuMs'] / empty['cpuMs']:.2f}x processor time,"
              f" {m['idleRssKb'] / empty['idleRssKb']:.2f}x idle RSS")
    first_action(env, repeats)
    shutil.rmtree(home, ignore_errors=True)


def first_action(env, rounds):
    """The first family picked after start beside later picks of the same family, each
    after the same idle and back to back, in thread processor time, each round a fresh
    program; medians of the rounds."""
    display, xvfb = start_xvfb()
    runs = []
    try:
        for _ in range(rounds):
            out = subprocess.run([os.path.join(BIN, "pelmora_window_first_action"), "300"],
                                 check=True, capture_output=True, text=True,
                                 env={**env, "DISPLAY": display}).stdout
            runs.append(json.loads(out))
    finally:
        xvfb.terminate()
        xvfb.wait()
    first = statistics.median(run["firstMs"] for run in runs)
    idle = statistics.median(run["laterIdleMs"] for run in runs)
    later = statistics.median(run["laterMs"] for run in runs)
    print(f"  first family pick after start {first:.2f} ms; a later one after the same idle"
          f" {idle:.2f} ms: {first / idle:.2f}x; a later one back to back {later:.2f} ms:"
          f" {first / later:.2f}x")


def start_nginx(folder):
    """nginx serving the shipped pictures on a free loopback port; its port and process."""
    import socket
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = probe.getsockname()[1]
    config = os.path.join(folder, "nginx.conf")
    with open(config, "w") as out:
        out.write(f"""daemon off; worker_processes 1; pid {folder}/nginx.pid;
error_log {folder}/error.log; events {{}}
http {{ access_log off; client_body_temp_path {folder}; proxy_temp_path {folder};
fastcgi_temp_path {folder}; uwsgi_temp_path {folder}; scgi_temp_path {folder};
server {{ listen 127.0.0.1:{port}; root {os.path.join(ROOT, "data", "Images")}; }} }}
""")
    nginx = subprocess.Popen(["nginx", "-c", config, "-p", folder], stderr=subprocess.DEVNULL)
    time.sleep(0.5)
    return port, nginx


def web_state():
    """The state after a walk of eight actions against a picture from the same server
    and from nginx, at 1, 4 and 50 keep-alive clients: one walk asked again and again,
    and many walks of every family, as a crowd asks them. Medians of interleaved rounds."""
    load = os.path.join(BIN, "pelmora_web_load")
    requests = 2000 if QUICK else 10000
    rounds = 1 if QUICK else 3
    folder = tempfile.mkdtemp()
    port, nginx = start_nginx(folder)
    print("\npelmora-web, state after a walk of 8 actions (p50 / p99 ms; processor us a request;"
          f" medians of {rounds}):")
    walks = (("the same walk", ["--walk8"]), ("varied walks", ["--walk8", "--varied"]))
    try:
        for clients in (1, 4, 50):
            runs = {name: [] for name, _ in walks}
            for _ in range(rounds):
                for name, options in walks:
                    out = subprocess.run([load, *options, "--clients", str(clients), "--requests",
                                          str(requests), "--nginx-port", str(port)], check=True,
                                         capture_output=True, text=True,
                                         env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}).stdout
                    rows = [line.split() for line in out.splitlines()
                            if line.startswith(("state ", "picture "))]
                    cpu = [float(line.split()[-2]) for line in out.splitlines()
                           if line.startswith("processor time")]
                    runs[name].append({"state": [float(rows[0][2]), float(rows[0][3]), cpu[0]],
                                       "picture": [float(rows[1][2]), float(rows[1][3]), cpu[1]],
                                       "nginx": [float(rows[2][2]), float(rows[2][3])]})
            for name, _ in walks:
                def median(kind, i):
                    return statistics.median(run[kind][i] for run in runs[name])

                def ratio(i, anchor="picture"):
                    return statistics.median(run["state"][i] / run[anchor][i] for run in runs[name])
                print(f"  {clients:2} clients, {name}: state {median('state', 0):6.2f} /"
                      f" {median('state', 1):6.2f}, {median('state', 2):6.0f} us;  picture"
                      f" {median('picture', 0):5.2f} / {median('picture', 1):5.2f},"
                      f" {median('picture', 2):5.0f} us;  nginx {median('nginx', 0):5.2f} /"
                      f" {median('nginx', 1):5.2f}")
                print(f"             state / picture: {ratio(0):.1f}x p50, {ratio(1):.1f}x p99,"
                      f" {ratio(2):.1f}x processor; state / nginx {ratio(0, 'nginx'):.1f}x p50")
    finally:
        nginx.terminate()
        nginx.wait()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    for section in (table_reader, window_start, web_state, wizard, rfq, price_book):
        if ONLY in (None, section.__name__):
            section()
