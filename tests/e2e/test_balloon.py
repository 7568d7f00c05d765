"""The help balloon as the user meets it: a press on 说明 pops it up at the window's
top-left area, it stays while the user waits or moves the mouse, and the next click
or key press in the program, or a click into another program, takes it away."""
import time

import pytest

from tools.bench.harness import SCREEN, wait_until
from tools.bench.pages import (AWAY, BUTTON6, COLOR_INFOBK, COLOR_INFOTEXT, COPY_OFF, EDIT1, POINTER_HEIGHT,
                              POINTER_INSET, SHADOW_BELOW, SHADOW_RIGHT, Notepad, Picture, balloon, caption_of_switch,
                              centre, help_tip, syscolor, wait_balloon)


WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON = 0x0201, 0x0202, 0x0001


def press_help(app, posted=False):
    """Presses 说明 with the mouse; or, where the button lies beyond the screen's edge,
    posts the press and the release to it, which the program takes the same way."""
    button = app.child(BUTTON6)
    if posted:
        for message, keys in ((WM_LBUTTONDOWN, MK_LBUTTON), (WM_LBUTTONUP, 0)):
            assert app.post(message, keys, (10 << 16) | 10, hwnd=button["hwnd"])["ok"]
    else:
        app.bench.xdotool("mousemove", *centre(button), "click", 1)


def show_help(app, posted=False):
    press_help(app, posted)
    return wait_balloon(app.bench)


def blend(face, under):
    """The face 90 % opaque over what lies under it."""
    return tuple((f * 90 + u * 10 + 50) // 100 for f, u in zip(face, under))


def darken(colour, alpha):
    return tuple((c * (255 - alpha) + 127) // 255 for c in colour)


FULL_SHADOW = 153  # 60 % dark


def near(a, b, tolerance=2):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def border_over(pixel, infotext, before):
    """Whether `pixel` is the border's colour laid over `before`, with some of the
    balloon's own shadow beneath it or none."""
    darkest, lightest = blend(infotext, darken(before, FULL_SHADOW)), blend(infotext, before)
    return all(lo - 2 <= p <= hi + 2 for p, lo, hi in zip(pixel, darkest, lightest))


def ink_bands(picture, left, right, top, bottom):
    """The runs of rows, from top to bottom, that hold dark pixels between left and right."""
    bands, start = [], None
    for y in range(top, bottom):
        inked = any(max(picture.at(x, y)) < 100 for x in range(left, right))
        if inked and start is None:
            start = y
        elif not inked and start is not None:
            bands.append((start, y))
            start = None
    if start is not None:
        bands.append((start, bottom))
    return bands


def test_help_press_shows_two_lines_with_pointer_border_and_shadow_at_the_window_corner(app, bench, shots):
    state = app.state()
    x, y = help_tip(state)
    bench.xdotool("mousemove", *AWAY)
    before = Picture(shots("before"))
    b = show_help(app)
    shot = Picture(shots("balloon"))

    left, top, right, bottom = b["rect"]
    shape_right, shape_bottom = right - SHADOW_RIGHT, bottom - SHADOW_BELOW
    # Above the point and extending right, the tip 16 pixels from the left end.
    assert left == x - POINTER_INSET
    assert shape_bottom - 1 == y
    assert b["exstyle"] & 0x80 and b["exstyle"] & 0x8, "a topmost tool window"
    assert app.state()["hwnd"] == bench.probe("focus")["foreground"], "the balloon took the activation"
    # Above the main window, which owns it, also after the press gave the button the focus.
    order = bench.probe("zorder")["windows"]
    hwnds = [w["hwnd"] for w in order]
    assert hwnds.index(b["hwnd"]) < hwnds.index(app.hwnd)
    assert next(w for w in order if w["hwnd"] == b["hwnd"])["owner"] == app.hwnd

    infotext, infobk = syscolor(bench, COLOR_INFOTEXT), syscolor(bench, COLOR_INFOBK)
    # The tip is the border's pixel right on the point; left of it and below it the
    # screen is as it was.
    assert near(shot.at(x, y), blend(infotext, before.at(x, y)))
    assert shot.at(x - 1, y) == before.at(x - 1, y)
    assert shot.at(x, y + 1) == before.at(x, y + 1)
    # The body: the border along its top, the tooltip colour inside, 90 % opaque over
    # the screen, which its own shadow darkens.
    body_bottom = shape_bottom - POINTER_HEIGHT
    mid = (left + shape_right) // 2
    assert near(shot.at(mid, top), blend(infotext, before.at(mid, top)), tolerance=3)
    assert near(shot.at(mid, top + 8), blend(infobk, darken(before.at(mid, top + 8), FULL_SHADOW)))
    # The shadow darkens the screen right of and below the body, and goes no further.
    for px, py in ((shape_right + 2, (top + body_bottom) // 2), (mid, body_bottom + 2)):
        assert sum(shot.at(px, py)) < 0.85 * sum(before.at(px, py)), (px, py)
        assert all(s <= o for s, o in zip(shot.at(px, py), before.at(px, py))), (px, py)
    assert shot.at(right + 1, (top + body_bottom) // 2) == before.at(right + 1, (top + body_bottom) // 2)
    # Two lines of text with an empty line between them: two bands of ink, the gap
    # between them at least as tall as a line.
    bands = ink_bands(shot, left + 4, shape_right - 4, top + 4, body_bottom - 4)
    assert len(bands) == 2, bands
    line = bands[0][1] - bands[0][0]
    assert bands[1][0] - bands[0][1] >= line, bands


def test_waiting_and_moving_the_mouse_leave_it_showing(app, bench, shots):
    b = show_help(app)
    time.sleep(2.0)
    assert balloon(bench)["visible"]
    left, top, right, bottom = b["rect"]
    for point in (((left + right) // 2, (top + bottom) // 2), (left + 20, top + 10), AWAY,
                  centre(app.child(EDIT1))):
        bench.xdotool("mousemove", *point)
        time.sleep(0.3)
    assert balloon(bench)["visible"]
    assert balloon(bench)["rect"] == b["rect"]
    shots("still-showing")


def test_esc_as_the_system_wide_hotkey_leaves_it_showing(app, bench, shots):
    show_help(app)
    # Esc is the program's hotkey: it switches copying and never arrives as a key.
    bench.xdotool("key", "Escape")
    wait_until(lambda: caption_of_switch(app) == COPY_OFF, timeout=10, what="Esc to switch copying off")
    time.sleep(0.5)
    assert app.proc.running()
    assert balloon(bench)["visible"]
    shots("after-esc")


@pytest.mark.parametrize("action", ["click-edit-box", "click-balloon", "click-title-bar", "wheel", "key"])
def test_a_click_or_key_in_the_program_hides_it(app, bench, shots, action):
    b = show_help(app)
    left, top, right, bottom = b["rect"]
    if action == "click-edit-box":
        bench.xdotool("mousemove", *centre(app.child(EDIT1)), "click", 1)
    elif action == "click-balloon":
        bench.xdotool("mousemove", left + 40, top + 20, "click", 1)
    elif action == "click-title-bar":
        state = app.state()
        bench.xdotool("mousemove", state["rect"][0] + 200, state["rect"][1] + 17, "click", 1)
    elif action == "wheel":
        bench.xdotool("mousemove", *centre(app.child(EDIT1)), "click", 4)
    else:
        bench.xdotool("key", "a")  # the help button has the focus after its press
    wait_balloon(bench, shown=False)
    shots("hidden")
    assert app.proc.running()


def test_a_click_into_another_program_hides_it(app, bench, shots):
    notepad = Notepad(bench)
    try:
        show_help(app)
        shots("over-notepad")
        notepad.click_into_text(0)
        wait_balloon(bench, shown=False)
        shots("hidden")
    finally:
        notepad.end()


def test_pressing_help_again_leaves_it_showing_at_the_same_place_unchanged(app, bench, shots):
    bench.xdotool("mousemove", *AWAY)
    first = show_help(app)
    bench.xdotool("mousemove", *AWAY)
    once = Picture(shots("first"))
    # Past the double-click time: a second press within it reaches the button as a
    # double click, which dismisses the balloon and is no press of the help button.
    time.sleep(1.0)
    press_help(app)
    time.sleep(0.5)
    again = wait_balloon(bench)
    assert again["rect"] == first["rect"]
    bench.xdotool("mousemove", *AWAY)
    twice = Picture(shots("again"))
    # The same picture: the shadow is not laid over the old balloon's shadow.
    assert twice.region(again["rect"]) == once.region(first["rect"])


# Where the main window is moved, and which way the balloon must then open. The help
# text's balloon is narrow enough to fit left of the screen's right edge even with
# the window flush against it, so the window hangs partly beyond that edge, as a
# drag by the title bar can leave it, and its help button with it.
@pytest.mark.parametrize("place, below, mirrored", [
    ((342, 0), True, False),
    ((SCREEN[0] - 124, 353), False, True),
    ((SCREEN[0] - 124, 0), True, True),
], ids=["top-edge", "right-edge", "top-right-corner"])
def test_near_an_edge_it_opens_below_or_to_the_left(app, bench, shots, place, below, mirrored):
    assert bench.probe("move", app.hwnd, *place, 340, 62)["ok"]
    x, y = help_tip(app.state())
    assert (x, y) == (place[0] + 36, place[1] + 7)
    bench.xdotool("mousemove", *AWAY)
    before = Picture(shots("before"))
    b = show_help(app, posted=centre(app.child(BUTTON6))[0] >= SCREEN[0])
    shot = Picture(shots("balloon"))
    left, top, right, bottom = b["rect"]
    shape_right, shape_bottom = right - SHADOW_RIGHT, bottom - SHADOW_BELOW
    if below:
        assert top == y, "the balloon should hang below the point"
    else:
        assert shape_bottom - 1 == y
    if mirrored:
        assert shape_right - 1 - POINTER_INSET == x, "the body should extend left of the point"
        assert left < x - 100
    else:
        assert left == x - POINTER_INSET
    assert border_over(shot.at(x, y), syscolor(bench, COLOR_INFOTEXT), before.at(x, y)), "no tip on the point"
    assert 0 <= left and shape_right <= SCREEN[0] and 0 <= top
