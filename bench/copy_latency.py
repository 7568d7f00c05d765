"""Copy latency, the hook procedures' cost, the hooks' witness and their recovery, and
CPU time per copy, on the bench.

Latency runs from a left-button release to 编辑框1 showing the copied text, both seen
on one clock inside Wine by bench/latency_probe.exe, which also injects the drags. The
program's own fixed waits make 150 ms the floor. Recovery runs from removing the copy
hook behind its owner's back, as Windows removes a slow hook, to the hook being called
again while the mouse moves (bench/hook_recovery.exe). Used by bench.run.
"""
import json
import os
import pathlib
import statistics

from tools.bench.harness import BUILD, PROGRAM
from tools.bench.pages import EDIT1, App, Notepad, gbk

LATENCY_PROBE = BUILD / "bench" / "latency_probe.exe"
HOOK_COST = BUILD / "bench" / "hook_cost.exe"
HOOK_RECOVERY = BUILD / "bench" / "hook_recovery.exe"
RECOVERY_ROUNDS = 10
FLOOR_MS = 150


def cpu_seconds(pid):
    fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def percentile(values, p):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, round(p / 100 * (len(ordered) - 1)))]


def measure_latency(bench, drags=21):
    app = App.start(bench, PROGRAM)
    notepad = Notepad(bench)
    notepad.set_text("alpha beta gamma")
    notepad.click_into_text(0)
    a1, a2 = notepad.char_point(0), notepad.char_point(5)
    b1, b2 = notepad.char_point(6), notepad.char_point(10)
    edit = app.child(EDIT1)["hwnd"]
    cpu_before = cpu_seconds(app.proc.pid)
    code, out = bench.run([LATENCY_PROBE, edit, drags, *a1, *a2, gbk("alpha").hex(), *b1, *b2, gbk("beta").hex()],
                          timeout=120, label="latency")
    cpu_after = cpu_seconds(app.proc.pid)
    times = [json.loads(line)["ms"] for line in out.splitlines() if line.startswith("{")]
    app.end()
    notepad.end()
    return times[1:], (cpu_after - cpu_before) / max(1, len(times))  # the first warms up


def measure_hooks(bench):
    code, out = bench.run([HOOK_COST], timeout=120, label="hooks")
    return json.loads(out.strip().splitlines()[-1])


def measure_recovery(bench, rounds=RECOVERY_ROUNDS):
    code, out = bench.run([HOOK_RECOVERY, rounds], timeout=120, label="recovery")
    return json.loads(out.strip().splitlines()[-1])


def recovery_row(recovery):
    """Median, min and max over the rounds that came back; hook_recovery prints -1 for
    a round whose hook was not called again within 10 s."""
    rounds = len(recovery["recovery_ms"])
    back = [ms for ms in recovery["recovery_ms"] if ms >= 0]
    name = f"copying back after a hook's removal, median of {rounds} (ms)"
    if not back:
        return name, "never", f"none of {rounds} rounds came back"
    note = f"min {min(back):.1f}, max {max(back):.1f}; {recovery['reinstalls']} reinstalls"
    if len(back) < rounds:
        note += f"; {rounds - len(back)} rounds never came back"
    return name, f"{statistics.median(back):.1f}", note


def rows(bench, drags=21):
    times, cpu_per_copy = measure_latency(bench, drags)
    hooks = measure_hooks(bench)
    recovery = measure_recovery(bench)
    return [
        ("copy latency, release to text in the box: median (ms)", f"{statistics.median(times):.1f}",
         f"floor {FLOOR_MS}"),
        ("copy latency: p90 (ms)", f"{percentile(times, 90):.1f}", f"floor {FLOOR_MS}"),
        ("copy latency: min (ms)", f"{min(times):.1f}", f"floor {FLOOR_MS}"),
        ("copies timed", f"{len(times)}", ""),
        ("CPU time per copy (ms)", f"{cpu_per_copy * 1000:.0f}", "the 150 ms of waits poll the clock; Wine's PeekMessage sleeps in its server part of the time"),
        ("copy hook, per mouse move (ns)", f"{hooks['copy_hook_ns']:.0f}",
         f"hand-on-only hook {hooks['hand_on_only_ns']:.0f}"),
        ("paste hook, per mouse move (ns)", f"{hooks['paste_hook_ns']:.0f}",
         f"hand-on-only hook {hooks['hand_on_only_ns']:.0f}"),
        ("hooks' witness (raw input to the main window), per mouse event (ns)", f"{hooks['witness_ns']:.0f}",
         "beside the two hooks' figures above; a check runs at most once a second, only after mouse input"),
        recovery_row(recovery),
    ]
