"""Size, start-up time and memory of the program, each beside a minimal Win32 window
program built by the same toolchain and run on the same bench (used by bench.run).

Start-up is timed from the process start to its main window being visible, seen by a
watcher that spins inside Wine; memory is the resident set of the process one second
after its window showed.
"""
import pathlib
import subprocess
import time

from tools.bench.harness import BUILD, PROBE, PROGRAM, gbk_hex, wait_until

MINIMAL = BUILD / "bench" / "minimal_window.exe"
TITLE = "Talvine复制粘贴精简版V1.0"
MINIMAL_TITLE = "Minimal window"


def imported_dlls(exe):
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", str(exe)], capture_output=True, text=True,
                         check=True).stdout
    return sorted({line.split(":", 1)[1].strip().lower() for line in out.splitlines()
                   if line.strip().startswith("DLL Name:")})


def rss_kib(pid):
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith("VmRSS:"):
            return int(line.split()[1])
    return 0


def start_once(bench, program, title):
    """(milliseconds to a visible window, resident KiB a second later)."""
    watcher = bench.spawn([PROBE, "wait-window", gbk_hex(title), 30000], label="watch")
    wait_until(lambda: "watching" in watcher.stdout(), timeout=20, interval=0.005, what="the watcher")
    t0 = time.monotonic()
    proc = bench.spawn([program], label="measured")
    wait_until(lambda: "seen" in watcher.stdout(), timeout=30, interval=0.001, what="the window")
    elapsed = (time.monotonic() - t0) * 1000
    time.sleep(1.0)
    rss = rss_kib(proc.pid)
    proc.kill()
    watcher.kill()
    return elapsed, rss


def measure(bench, runs=10):
    rows = {"program": [], "minimal": []}
    start_once(bench, PROGRAM, TITLE)  # warm the caches once, unmeasured
    for _ in range(runs):
        # Alternate, so that drift on the machine touches both alike.
        rows["program"].append(start_once(bench, PROGRAM, TITLE))
        rows["minimal"].append(start_once(bench, MINIMAL, MINIMAL_TITLE))
    return rows
