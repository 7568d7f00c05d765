"""Copy on selection and middle-click paste, used as a person would: real drags and
clicks from xdotool, Wine's notepad as the application, the real clipboard."""
import time

import pytest

from tools.bench.pages import gbk, stable

DESKTOP_DRAG = ((700, 600), (780, 640))  # empty desktop, away from every window



def settle(seconds=0.5):
    """Long enough for a copy (150 ms of fixed waits) to have shown its text."""
    time.sleep(seconds)


def test_drag_copies_exactly_the_selected_text(app, notepad, shots):
    notepad.set_text("hello world one two")
    notepad.click_into_text(0)
    notepad.select(6, 11)
    assert app.wait_box(b"world") == b"world"
    assert notepad.selection() == (6, 11)
    assert notepad.text() == "hello world one two"
    shots("copied-world")


@pytest.mark.parametrize("clicks", [1, 2, 3], ids=["click", "double-click", "triple-click"])
def test_clicks_without_movement_start_no_copy(app, notepad, bench, clicks):
    notepad.set_text("alpha beta gamma")
    bench.probe("clip-set-text", gbk("on the clipboard").hex())
    x, y = notepad.char_point(8)
    bench.xdotool("mousemove", x, y, "click", "--repeat", clicks, "--delay", 80, 1)
    settle(0.6)
    assert app.box() == b"", "a click without movement started a copy"
    # The program still copies a real drag afterwards.
    notepad.select(0, 5)
    assert app.wait_box(b"alpha") == b"alpha"


def test_nothing_selected_shows_the_clipboards_previous_text(app, notepad, bench, shots):
    notepad.set_text("no selection here")
    notepad.click_into_text(3)
    bench.probe("clip-set-text", gbk("先前的文字 previous").hex())
    notepad.drag(*DESKTOP_DRAG)
    assert app.wait_box(gbk("先前的文字 previous")) == gbk("先前的文字 previous")
    shots("previous-text")


@pytest.mark.parametrize("state", ["empty", "picture", "held-open"])
def test_a_clipboard_without_usable_text_clears_the_box(app, notepad, bench, state):
    notepad.set_text("some words")
    notepad.select(0, 4)
    assert app.wait_box(b"some") == b"some"
    notepad.click_into_text(2)  # no selection left to copy

    if state == "empty":
        bench.probe("clip-empty")
    elif state == "picture":
        bench.probe("clip-set-bitmap")
    else:
        bench.spawn_probe("clip-hold", 3000)
    notepad.drag(*DESKTOP_DRAG)
    assert app.wait_box(b"") == b""


def test_line_ends_and_chinese_text_reach_the_box_unchanged(app, notepad, shots):
    text = "第一行 abc\r\n第二行中文 xyz"
    notepad.set_text(text)
    notepad.click_into_text(0)
    end_of_line_two = notepad.char_point(len(text) - 1)  # the control counts characters
    notepad.select(0, len(text), end_point=(end_of_line_two[0] + 60, end_of_line_two[1]))
    assert app.wait_box(gbk(text)) == gbk(text)
    shots("two-lines")


def test_middle_press_pastes_once_and_nothing_else_pastes(app, notepad, bench, shots):
    notepad.set_text("base")
    bench.probe("clip-set-text", gbk("XYZ").hex())
    notepad.click_into_text(0)
    bench.xdotool("key", "ctrl+End")
    x, y = notepad.quiet_spot  # no edit control there: Wine's EDIT pastes middle clicks by itself

    bench.xdotool("mousemove", x, y, "mousedown", 2)
    assert stable(notepad.text) == "baseXYZ", "the press must paste exactly once"
    bench.xdotool("mouseup", 2)
    bench.xdotool("click", 4, "click", 5, "click", 3)
    settle(0.6)
    assert notepad.text() == "baseXYZ", "release, wheel or right button pasted"

    bench.xdotool("click", 2, "click", 2)
    assert stable(notepad.text) == "baseXYZXYZXYZ", "two presses paste twice"
    shots("pasted")


def test_a_burst_of_drags_leaves_the_users_text_intact(app, notepad, bench, shots):
    original = "alpha beta gamma delta epsilon"
    notepad.set_text(original)
    notepad.click_into_text(0)
    a, b = notepad.char_point(0), notepad.char_point(16)
    steps = []
    for i in range(12):
        steps += ["mousemove", a[0] + i, a[1], "mousedown", 1, "mousemove", b[0] - i, b[1], "mouseup", 1]
    bench.xdotool(*steps)
    settle(1.0)
    assert notepad.text() == original, "a stray keystroke reached the document"
    assert app.proc.running()
    shots("after-burst")

    notepad.select(6, 10)
    assert app.wait_box(b"beta") == b"beta"
