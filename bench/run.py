"""`make bench`: every figure in one table, measured on one bench in one run, each
machine-dependent figure beside its yardstick. Prints figures; never fails on time.
From the repository's root: python3 -m bench.run [RUNS]"""
import statistics
import sys
import time

from bench import copy_latency, startup, stress
from tools.bench.harness import PROGRAM, Bench

IDLE_SECONDS = 10


def idle_cpu_ms(bench, program):
    """CPU time a started program uses while nothing happens."""
    proc = bench.spawn([program], label="idle")
    time.sleep(2.0)
    before = copy_latency.cpu_seconds(proc.pid)
    time.sleep(IDLE_SECONDS)
    after = copy_latency.cpu_seconds(proc.pid)
    proc.kill()
    return (after - before) * 1000


def main():
    runs = int(sys.argv[1]) if len(sys.argv) > 1 else 10
    with Bench() as bench:
        starts = startup.measure(bench, runs)
        idle_prog = idle_cpu_ms(bench, PROGRAM)
        idle_min = idle_cpu_ms(bench, startup.MINIMAL)
        copy_rows = copy_latency.rows(bench)
        stress_rows = stress.rows(bench)

    prog_size, min_size = PROGRAM.stat().st_size, startup.MINIMAL.stat().st_size
    prog_t = statistics.median(t for t, _ in starts["program"])
    min_t = statistics.median(t for t, _ in starts["minimal"])
    prog_m = round(statistics.median(m for _, m in starts["program"]))
    min_m = round(statistics.median(m for _, m in starts["minimal"]))
    table = [
        ("exe size (bytes)", f"{prog_size}", f"minimal window {min_size} (x{prog_size / min_size:.1f})"),
        ("DLLs imported", ", ".join(startup.imported_dlls(PROGRAM)), "Windows' own only"),
        (f"start-up to window shown, median of {runs} (ms)", f"{prog_t:.1f}",
         f"minimal window {min_t:.1f} (x{prog_t / min_t:.2f})"),
        ("resident memory after start-up, median (KiB)", f"{prog_m}", f"minimal window {min_m} (x{prog_m / min_m:.2f})"),
        (f"CPU while idle over {IDLE_SECONDS} s (ms)", f"{idle_prog:.0f}", f"minimal window {idle_min:.0f}"),
        *copy_rows,
        *stress_rows,
    ]
    print("| figure | TalvineCopyPaste | beside it |")
    print("|---|---:|---|")
    for name, value, note in table:
        print(f"| {name} | {value} | {note} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
