#!/usr/bin/env python3
"""Times selvo-sim builds side by side on --seed 1 --runs R --years 100, alternating the cases.

    bench/sim_compare.py OLD_SELVO_SIM NEW_SELVO_SIM [REPETITIONS] [RUNS]

Every output goes to a regular file in a fresh temporary folder: an old build replaces a
device it is given (/dev/null) with a plain file, so none is ever named here.

Cases: the old build; the new one with --jobs 1, with --jobs 1 --by-year, with --jobs 2; and,
as the floor of what two cores give, two new --jobs 1 processes of half the runs each at once.
Prints per case the fastest and the median wall time (start-up included) and the batch's own
throughput from its summary (animal-years per second, start-up excluded), then the ratios.
"""
import os, re, statistics, subprocess, sys, tempfile, time

old, new = sys.argv[1], sys.argv[2]
reps = int(sys.argv[3]) if len(sys.argv) > 3 else 7
runs = int(sys.argv[4]) if len(sys.argv) > 4 else 1000
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))  # for Media/
scratch = tempfile.mkdtemp(prefix="sim-compare-")
files = 0


def batch(exe, first, count, *extra):
    global files
    files += 1
    return [exe, "--seed", str(first), "--runs", str(count), "--years", "100",
            "--out", os.path.join(scratch, f"{files}.csv"), *extra]


cases = {
    "old": [batch(old, 1, runs)],
    "new --jobs 1": [batch(new, 1, runs, "--jobs", "1")],
    "new --jobs 1 --by-year": [batch(new, 1, runs, "--jobs", "1", "--by-year",
                                            os.path.join(scratch, "by-year.csv"))],
    "new --jobs 2": [batch(new, 1, runs, "--jobs", "2")],
    "2 x new --jobs 1, half each": [batch(new, 1, runs // 2, "--jobs", "1"),
                                   batch(new, 1 + runs // 2, runs - runs // 2, "--jobs", "1")],
}
wall = {k: [] for k in cases}
speed = {k: [] for k in cases}
load = open("/proc/loadavg").read().split()[0]
for _ in range(reps):
    for name, commands in cases.items():
        start = time.perf_counter()
        procs = [subprocess.Popen(c, cwd=root, stderr=subprocess.PIPE, text=True)
                 for c in commands]
        errs = [p.communicate()[1] for p in procs]
        wall[name].append(time.perf_counter() - start)
        assert all(p.returncode == 0 for p in procs), errs
        speed[name].append(sum(float(re.search(r"s: (\d+) animal-years per second", e).group(1))
                               for e in errs))

for name in cases:
    print(f"{name:29s} wall {min(wall[name]):.3f} s fastest, {statistics.median(wall[name]):.3f} "
          f"s median; batch {max(speed[name]) / 1e6:.2f} M animal-years/s best"
          + (" (sum of both)" if len(cases[name]) > 1 else ""))


def ratio(a, b):
    return (f"wall {min(wall[b]) / min(wall[a]):.3f} fastest, "
            f"{statistics.median(wall[b]) / statistics.median(wall[a]):.3f} median; "
            f"batch {max(speed[a]) / max(speed[b]):.3f} best")


print("throughput new --jobs 1 / old:     ", ratio("new --jobs 1", "old"))
print("throughput --by-year / without:    ", ratio("new --jobs 1 --by-year", "new --jobs 1"))
print("throughput --jobs 2 / --jobs 1:    ", ratio("new --jobs 2", "new --jobs 1"))
# Two processes time their own batches, so only the wall time compares here.
half = "2 x new --jobs 1, half each"
print("throughput 2 x half / --jobs 1:     wall "
      f"{min(wall['new --jobs 1']) / min(wall[half]):.3f} fastest, "
      f"{statistics.median(wall['new --jobs 1']) / statistics.median(wall[half]):.3f} median")
for name in os.listdir(scratch):
    os.remove(os.path.join(scratch, name))
os.rmdir(scratch)
print(f"load average {load} -> {open('/proc/loadavg').read().split()[0]}, {reps} repetitions")
