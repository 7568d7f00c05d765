"""The web link 官网 as the user meets it: its colours under and away from the pointer,
and what a press opens, with talvine-url-recorder standing in for the browser."""
import time

import pytest

from tools.bench.harness import wait_until
from tools.bench.pages import AWAY, LINK1, MAKER_URL, Picture, UrlHandlers, winpath

GREEN = (128, 224, 0)


# The caption is drawn smoothed into the green, so its ink is told by its tint.
def magenta_ink(p):
    return p[0] >= 170 and p[1] <= 170 and p[2] >= 110


def black_ink(p):
    return p[0] <= 100 and p[1] <= 150 and p[2] <= 100


@pytest.fixture
def handlers(bench):
    h = UrlHandlers(bench)
    yield h
    h.restore()


def client_rect(control):
    left, top = control["client_origin"]
    return left, top, left + control["client"][2], top + control["client"][3]


def link_point(app):
    left, top, right, bottom = client_rect(app.child(LINK1))
    return (left + right) // 2, (top + bottom) // 2


def screen_until(shots, label, done, timeout=5.0):
    """Takes screenshots until one shows what `done` looks for; returns that one."""
    def attempt():
        picture = Picture(shots(label))
        return picture if done(picture) else None
    return wait_until(attempt, timeout=timeout, what=f"the screen: {label}")


def recorded(handlers, count, timeout=10.0):
    """Waits for `count` opens, then a while longer, so that any extra one shows too."""
    wait_until(lambda: len(handlers.lines()) >= count, timeout=timeout, what=f"{count} opens")
    time.sleep(1.5)
    return handlers.lines()


def test_text_turns_magenta_under_the_pointer_and_black_when_it_leaves(app, bench, shots):
    rect = client_rect(app.child(LINK1))
    bench.xdotool("mousemove", *AWAY)
    before = Picture(shots("pointer-elsewhere"))
    assert before.count(rect, black_ink) > 10 and before.count(rect, magenta_ink) == 0

    bench.xdotool("mousemove", *link_point(app))
    over = screen_until(shots, "pointer-over", lambda p: p.count(rect, magenta_ink) > 10)
    assert over.count(rect, black_ink) == 0
    assert over.count(rect, GREEN) > 100

    # Straight off the program's windows: only the system's leave notice sees that.
    bench.xdotool("mousemove", *AWAY)
    away = screen_until(shots, "pointer-away", lambda p: p.count(rect, magenta_ink) == 0)
    assert away.count(rect, black_ink) > 10
    assert away.count(rect, GREEN) > 100


def test_a_press_opens_the_makers_page_exactly_once(app, bench, handlers, shots):
    handlers.record_urls()
    bench.xdotool("mousemove", *link_point(app), "mousedown", 1)
    # The press opens it, before any release.
    lines = recorded(handlers, 1)
    assert len(lines) == 1, lines
    assert lines[0].endswith(f'"{MAKER_URL}"'), lines[0]
    bench.xdotool("mouseup", 1)
    shots("after-press")
    time.sleep(1.0)
    assert len(handlers.lines()) == 1, "the release opened the page again"
    assert app.proc.running()

    bench.xdotool("click", 1)
    assert len(recorded(handlers, 2)) == 2, "a second press opens it once more"


def test_right_and_middle_buttons_open_nothing(app, bench, handlers):
    handlers.record_urls()
    bench.xdotool("mousemove", *link_point(app), "click", 3, "click", 2)
    time.sleep(1.5)
    assert handlers.lines() == []
    # The recorder does work: a left press is seen.
    bench.xdotool("click", 1)
    assert len(recorded(handlers, 1)) == 1


def test_without_a_url_handler_the_htm_browser_gets_the_address_after_one_space(app, bench, handlers, shots):
    handlers.remove_url_handlers()
    # The log's path unquoted, so that the line is cut at the quoted "%1".
    command = handlers.recorder_command(quoted_log=False)
    handlers.register_htm(command)
    bench.xdotool("mousemove", *link_point(app), "click", 1)
    lines = recorded(handlers, 1)
    shots("after-press")
    cut = command[:command.index('"%1"')]
    assert lines == [cut + " " + MAKER_URL]
    assert cut.endswith(f"{winpath(handlers.log)} ")
