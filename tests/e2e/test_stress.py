"""The program under load: many drags, moves, toggles and tray round trips. Each run
must leave it running, its state consistent, the user's text untouched, no windows,
threads or descriptors more than it had, and its hooks never reinstalled: they worked
all along, so a reinstall would be a false alarm.

Wine 8 answers GetGuiResources and GetProcessHandleCount for another process with 0,
so the leak checks count what it does report: the process's windows (through the
probe), and its threads and file descriptors (through /proc)."""
import json
import os
import time

from tools.bench.harness import wait_until
from tools.bench.pages import (BUTTON5, BUTTON6, COPY_OFF, COPY_ON, EDIT1, SC_MINIMIZE, TRAY_ICON_CENTRE,
                              WM_CLOSE, WM_SYSCOMMAND, caption_of_switch, click_control, gbk, stable, wait_balloon,
                              wait_tray_look)
from tools.bench.workload import WORDS, drag_steps, esc_toggles, mouse_moves, threads, word_drags, word_spans


def footprint(bench, app):
    """What the program holds, as far as Wine lets anyone see."""
    return {
        "windows": bench.probe("windows-of", app.state()["pid"])["windows"],
        "threads": threads(app.proc.pid),
        "descriptors": len(os.listdir(f"/proc/{app.proc.pid}/fd")),
    }


def settled_footprint(bench, app, before):
    """The footprint once short-lived copy workers have ended; retried briefly."""
    def back_to_before():
        now = footprint(bench, app)
        return now if now == before else None
    try:
        return wait_until(back_to_before, timeout=5, what="the footprint to settle")
    except TimeoutError:
        return footprint(bench, app)


def test_200_drags_in_20_seconds(app, notepad, bench, shots):
    notepad.set_text(WORDS)
    notepad.click_into_text(0)
    drags = word_drags(notepad, WORDS)
    before = footprint(bench, app)
    watcher = bench.spawn_probe("watch-text", app.child(EDIT1)["hwnd"], 30000)

    steps, last_word = drag_steps(drags, 200)
    started = time.monotonic()
    bench.xdotool(*steps)
    elapsed = time.monotonic() - started
    assert app.wait_box(last_word.encode()) == last_word.encode(), "the last drag was not copied"
    watcher.kill()

    shown = [bytes.fromhex(json.loads(line)["text"]).decode("gbk")
             for line in watcher.stdout().splitlines() if '"text"' in line]
    print(f"200 drags in {elapsed:.1f} s; the box changed {len(shown)} times")
    assert notepad.text() == WORDS, "a stray keystroke reached the document"
    for text in shown:
        assert text in WORDS, f"the box showed text that was never selected: {text!r}"
    assert app.proc.running()
    assert settled_footprint(bench, app, before) == before
    assert app.reinstalls() == 0
    shots("after-200-drags")


def test_10000_mouse_moves(app, notepad, bench, shots, still_copies_and_pastes):
    notepad.set_text(WORDS)
    before = footprint(bench, app)
    mouse_moves(bench, 10000)
    assert app.box() == b"", "moves alone started a copy"
    assert app.proc.running()
    assert app.reinstalls() == 0, "working hooks were reinstalled"
    still_copies_and_pastes()
    shots("copied-and-pasted-after-moves")
    assert settled_footprint(bench, app, before) == before
    assert app.reinstalls() == 0


def test_100_esc_toggles_end_where_they_began(app, bench, shots):
    before = footprint(bench, app)
    esc_toggles(bench, 100)
    assert stable(lambda: caption_of_switch(app)) == COPY_ON, "an even count must leave the switch as it was"
    assert wait_tray_look(bench, shots, "after-100", "transparent") == "transparent", \
        "the tray image disagrees with the caption"
    bench.xdotool("key", "Escape")
    wait_until(lambda: caption_of_switch(app) == COPY_OFF, timeout=10, what="the 101st toggle")
    assert wait_tray_look(bench, shots, "after-101", "yellow") == "yellow"
    assert settled_footprint(bench, app, before) == before
    assert app.reinstalls() == 0


def test_100_minimise_and_restore_cycles_through_the_tray(app, bench, shots):
    before = footprint(bench, app)
    x, y = TRAY_ICON_CENTRE
    for cycle in range(100):
        app.post(WM_SYSCOMMAND, SC_MINIMIZE, 0)
        wait_until(lambda: not app.state()["visible"], timeout=5, what=f"hiding in cycle {cycle}")
        bench.xdotool("mousemove", x, y, "click", 1)
        wait_until(lambda: app.state()["visible"], timeout=5, what=f"restoring in cycle {cycle}")
    s = app.state()
    assert s["visible"] and not s["iconic"]
    assert wait_tray_look(bench, shots, "after-100-cycles", "none") == "none"
    assert settled_footprint(bench, app, before) == before
    assert app.reinstalls() == 0


def test_100_help_balloon_pop_ups_and_dismissals(app, bench, shots):
    before = footprint(bench, app)
    for cycle in range(100):
        click_control(bench, app, BUTTON6)
        wait_balloon(bench, shown=True)
        click_control(bench, app, EDIT1)
        wait_balloon(bench, shown=False)
    click_control(bench, app, BUTTON6)
    wait_balloon(bench, shown=True)
    shots("101st-pop-up")
    click_control(bench, app, EDIT1)
    wait_balloon(bench, shown=False)
    assert app.proc.running()
    assert settled_footprint(bench, app, before) == before
    assert app.reinstalls() == 0


def test_closing_during_a_pop_up_exits_cleanly(app, bench):
    click_control(bench, app, BUTTON6)
    wait_balloon(bench, shown=True)
    app.post(WM_CLOSE)
    assert app.exit_code() == 0
    assert not bench.probe("window-class", "TalvineBalloon")["found"]


def test_closing_during_a_copy_exits_cleanly(app, notepad, bench):
    notepad.set_text(WORDS)
    notepad.select(0, 5)
    app.post(WM_CLOSE)  # the copy's worker is still waiting
    assert app.exit_code() == 0


def test_closing_while_hidden_in_the_tray_leaves_no_icon(app, bench, shots):
    click_control(bench, app, BUTTON5)  # an icon with the yellow square, then hide
    app.post(WM_SYSCOMMAND, SC_MINIMIZE, 0)
    wait_until(lambda: not app.state()["visible"], timeout=5, what="the window to hide")
    assert wait_tray_look(bench, shots, "hidden", "yellow") == "yellow"
    app.post(WM_CLOSE)
    assert app.exit_code() == 0
    assert wait_tray_look(bench, shots, "closed", "none") == "none"


def test_clipboard_text_is_never_corrupted_by_a_burst(app, notepad, bench):
    """Chinese text copied under load arrives whole: no split double-byte characters."""
    text = "第一 第二 第三 第四"
    notepad.set_text(text)
    notepad.click_into_text(0)
    spans = word_spans(text)
    steps = []
    for i in range(30):
        a, b, _ = spans[i % len(spans)]
        (x1, y1), (x2, y2) = notepad.char_point(a), notepad.char_point(b)
        steps += ["mousemove", x1, y1, "mousedown", 1, "mousemove", x2, y2, "mouseup", 1, "sleep", "0.05"]
    bench.xdotool(*steps)
    box = stable(app.box)
    assert notepad.text() == text
    assert box, "the burst left nothing in the box"
    assert box.decode("gbk") in text, f"{box!r} is not a piece of the document"
    assert gbk(box.decode("gbk")) == box
    assert app.reinstalls() == 0
