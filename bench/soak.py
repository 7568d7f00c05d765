"""`make soak`: a day of use, compressed. Against the real program: 1,000 copies (drags
over notepad's words, each seen in the box), 1,000 pastes (middle presses, counted in
notepad's text) and 200 switch toggles (Esc). After each phase's first 100 operations
and every 100 after, it reads what the program holds: resident memory and threads
from /proc, windows and handles through the probe. Then the copy worker's way of
making threads, alone, in bench/thread_churn.exe, variant by variant, with its heaps'
busy bytes, which only the process itself can read.

Not part of `make test`: it takes 10 to 15 minutes. Prints figures; never
fails on them. From the repository's root: python3 -m bench.soak
"""
import json
import time

from tools.bench.harness import BUILD, PROGRAM, Bench, wait_until
from tools.bench.pages import COPY_ON, App, Notepad, caption_of_switch, gbk, stable
from tools.bench.workload import esc_toggles, middle_presses, rss_kib, threads

THREAD_CHURN = BUILD / "bench" / "thread_churn.exe"
WARM_UP = 100
EVERY = 100
PHASES = (("copies", 1000), ("pastes", 1000), ("toggles", 200))
# Early samples of the first phase, where the resident set is known to rise fastest.
EARLY = (1, 10, 30)
CHURN_VARIANTS = ("empty", "queue", "open", "clipboard", "settext", "main-read")
CHURN_ROUNDS = WARM_UP + 1000


class Soak:
    def __init__(self, bench):
        self.bench = bench
        self.app = App.start(bench, PROGRAM)
        self.notepad = Notepad(bench)
        self.windows_pid = self.app.state()["pid"]
        self.failures = []

    def sample(self, phase, done):
        """What the program holds once the copy workers of the last operations ended."""
        pid = self.app.proc.pid
        count = stable(lambda: threads(pid), settle=0.5)
        resources = self.bench.probe("resources", self.windows_pid)
        row = {"phase": phase, "ops": done, "rss_kib": rss_kib(pid), "threads": count,
               "windows": self.bench.probe("windows-of", self.windows_pid)["windows"],
               "handles": resources.get("handles"), "gdi": resources.get("gdi"), "user": resources.get("user")}
        print(json.dumps(row), flush=True)
        return row

    def copies(self, count, at):
        """Drags over "alpha" and "beta" in turn, so that every copy changes the box."""
        self.notepad.set_text("alpha beta gamma")
        self.notepad.click_into_text(0)
        words = [(self.notepad.char_point(0), self.notepad.char_point(5), b"alpha"),
                 (self.notepad.char_point(6), self.notepad.char_point(10), b"beta")]
        for i in range(count):
            start, end, word = words[i % 2]
            self.notepad.drag(start, end)
            time.sleep(0.2)  # the copy's own waits are 150 ms
            if self.app.wait_box(word) != word:
                self.failures.append(f"copy {i + 1} did not show {word!r}")
            at(i + 1)

    def pastes(self, count, at, batch=50):
        self.notepad.set_text("")
        self.bench.probe("clip-set-text", gbk("x").hex())
        self.notepad.click_into_text(0)
        done = 0
        while done < count:
            n = min(batch, count - done)
            middle_presses(self.bench, self.notepad.quiet_spot, n)
            done += n
            try:
                wait_until(lambda: len(self.notepad.raw_text()) >= done, timeout=20, what=f"{done} pastes")
            except TimeoutError:
                pass
            if len(stable(self.notepad.raw_text)) != done:
                self.failures.append(f"after {done} presses notepad holds {len(self.notepad.raw_text())} pastes")
            at(done)

    def toggles(self, count, at, batch=20):
        done = 0
        while done < count:
            esc_toggles(self.bench, batch, delay_ms=50)
            done += batch
            if stable(lambda: caption_of_switch(self.app)) != COPY_ON:
                self.failures.append(f"after {done} toggles copying is not on")
            at(done)

    def run(self):
        samples = {"start": self.sample("start", 0)}
        for phase, count in PHASES:
            series = []
            marks = set(range(WARM_UP, count + 1, EVERY)) | (set(EARLY) if phase == PHASES[0][0] else set())

            def at(done, phase=phase, series=series, marks=marks):
                if done in marks:
                    series.append(self.sample(phase, done))
            getattr(self, phase)(count, at)
            samples[phase] = series
        reinstalls = self.app.reinstalls()
        self.app.end()
        self.notepad.end()
        return samples, reinstalls


def churn(bench, variant, rounds=CHURN_ROUNDS):
    """thread_churn's lines, each with the resident set and threads /proc gave for it."""
    proc = bench.spawn([THREAD_CHURN, variant, rounds, EVERY], label=f"churn-{variant}")
    rows = []
    while proc.running():
        lines = [line for line in proc.stdout().splitlines() if line.startswith("{")]
        for line in lines[len(rows):]:
            row = json.loads(line)
            row.update(rss_kib=rss_kib(proc.pid), threads=threads(proc.pid))
            rows.append(row)
        time.sleep(0.05)
    if proc.popen.returncode != 0:
        raise RuntimeError(f"thread_churn {variant} ended with {proc.popen.returncode}: {proc.stderr()[-500:]}")
    return rows


def per_thousand(first, last, key, ops_key="ops"):
    ops = last[ops_key] - first[ops_key]
    return (last[key] - first[key]) * 1000 / ops if ops else 0.0


def print_program(samples, reinstalls):
    start = samples["start"]
    print("\n## The program: 1,000 copies, 1,000 pastes, 200 toggles\n")
    print(f"At start: {start['rss_kib']} KiB resident, {start['threads']} threads, {start['windows']} windows.")
    copies = samples["copies"]
    early = ", ".join(f"after {s['ops']}: {s['rss_kib'] - start['rss_kib']:+d}" for s in copies if s["ops"] <= WARM_UP)
    print(f"Early copies, resident memory against the start (KiB): {early}.\n")
    print("| phase | ops | resident at op 100 (KiB) | at the end (KiB) | resident per 1,000 ops after the first 100 (KiB) "
          "| threads (op 100 → end) | windows (op 100 → end) | handles, GDI, USER as Wine reports them |")
    print("|---|---:|---:|---:|---:|---|---|---|")
    for phase, count in PHASES:
        series = [s for s in samples[phase] if s["ops"] >= WARM_UP]
        first, last = series[0], series[-1]
        print(f"| {phase} | {count} | {first['rss_kib']} | {last['rss_kib']} | {per_thousand(first, last, 'rss_kib'):+.0f} "
              f"| {first['threads']} → {last['threads']} | {first['windows']} → {last['windows']} "
              f"| {last['handles']}, {last['gdi']}, {last['user']} |")
    print(f"\nHook reinstalls over the soak: {reinstalls} (target 0). Wine 8 answers GetProcessHandleCount and "
          "GetGuiResources for another process with 0, so the handle columns say nothing; windows, threads "
          "and resident memory are what it does report.")


def print_churn(results):
    print("\n## The copy worker's threads alone: bench/thread_churn.exe, 1,000 rounds after the first 100\n")
    print("| variant | resident at round 100 (KiB) | at round 1,100 (KiB) | resident per 1,000 rounds (KiB) "
          "| heap busy bytes per round | resident after the first round, 10, 30 (KiB, against round 0) "
          "| threads at the end | its own handles, GDI, USER as Wine reports them |")
    print("|---|---:|---:|---:|---:|---|---:|---|")
    for variant, rows in results.items():
        by_round = {r["rounds"]: r for r in rows}
        first, last, zero = by_round[WARM_UP], rows[-1], by_round[0]
        early = ", ".join(f"{by_round[n]['rss_kib'] - zero['rss_kib']:+d}" for n in EARLY)
        heap = (last["heap_busy"] - first["heap_busy"]) / (last["rounds"] - first["rounds"])
        print(f"| {variant} | {first['rss_kib']} | {last['rss_kib']} "
              f"| {per_thousand(first, last, 'rss_kib', 'rounds'):+.0f} | {heap:+.1f} | {early} | {last['threads']} "
              f"| {last['handles']}, {last['gdi']}, {last['user']} |")


def main():
    with Bench() as bench:
        soak = Soak(bench)
        samples, reinstalls = soak.run()
        failures = soak.failures
        results = {variant: churn(bench, variant) for variant in CHURN_VARIANTS}
    print_program(samples, reinstalls)
    print_churn(results)
    if failures:
        print(f"\n{len(failures)} operations went wrong, among them: " + "; ".join(failures[:5]))
    return 0


if __name__ == "__main__":
    raise SystemExit(main())
