"""Hook reinstalls during the stress runs: the real program under the stress tests'
loads (200 drags over notepad's words, 10,000 mouse moves, 100 Esc toggles), with the
program's own count of reinstalled hooks read after each. The hooks work all along, so
the target is 0: any reinstall is a false alarm. Used by bench.run."""
from tools.bench.harness import PROGRAM
from tools.bench.pages import COPY_ON, App, Notepad, caption_of_switch, stable
from tools.bench.workload import WORDS, drag_steps, esc_toggles, mouse_moves, word_drags

LOADS = ("200 drags", "10,000 moves", "100 Esc toggles")


def measure(bench):
    """{load: reinstalls during it}, and whether the program still copied at the end."""
    app = App.start(bench, PROGRAM)
    notepad = Notepad(bench)
    notepad.set_text(WORDS)
    notepad.click_into_text(0)
    drags = word_drags(notepad, WORDS)
    counts, before = {}, 0

    def note(load):
        nonlocal before
        now = app.reinstalls()
        counts[load] = now - before
        before = now

    steps, last_word = drag_steps(drags, 200)
    bench.xdotool(*steps)
    copied = app.wait_box(last_word.encode()) == last_word.encode()
    note(LOADS[0])
    mouse_moves(bench, 10000)
    note(LOADS[1])
    esc_toggles(bench, 100)
    switch_kept = stable(lambda: caption_of_switch(app)) == COPY_ON
    note(LOADS[2])
    app.end()
    notepad.end()
    return counts, copied and switch_kept


def rows(bench):
    counts, worked = measure(bench)
    loads = ", ".join(f"{load} {n}" for load, n in counts.items())
    return [
        ("hook reinstalls during the stress runs", f"{sum(counts.values())}",
         f"target 0: {loads}; {'copying and the switch worked throughout' if worked else 'COPYING OR THE SWITCH FAILED'}"),
    ]
