"""Copy latency, the hook procedures' cost and CPU time per copy, on the bench.

Latency runs from a left-button release to 编辑框1 showing the copied text, both seen
on one clock inside Wine by bench/latency_probe.exe, which also injects the drags. The
program's own fixed waits make 150 ms the floor. Used by bench.run.
"""
import json
import os
import pathlib
import statistics

from tools.bench.harness import BUILD, PROGRAM
from tools.bench.pages import EDIT1, App, Notepad, gbk

LATENCY_PROBE = BUILD / "bench" / "latency_probe.exe"
HOOK_COST = BUILD / "bench" / "hook_cost.exe"
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


def rows(bench, drags=21):
    times, cpu_per_copy = measure_latency(bench, drags)
    hooks = measure_hooks(bench)
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
    ]
