"""The copy switch (button and Esc), the tray icon that mirrors it, minimising to the
tray and coming back, as the user works them."""
import time

from tools.bench.harness import wait_until
from tools.bench.pages import (BUTTON5, COPY_OFF, COPY_ON, SC_MINIMIZE, TITLE, TRAY_ICON_CENTRE, WM_CLOSE,
                              WM_ENDSESSION, WM_HOTKEY, WM_QUERYENDSESSION, WM_SYSCOMMAND, caption_of_switch,
                              click_control, gbk, tray_icon_look, wait_tray_look)



def wait_caption(app, caption):
    return wait_until(lambda: caption_of_switch(app) == caption, timeout=5, what=f"the caption {caption}")


def minimise(app):
    """What the title bar's minimise box does."""
    app.post(WM_SYSCOMMAND, SC_MINIMIZE, 0)
    wait_until(lambda: not app.state()["visible"], timeout=5, what="the window to hide")


def tooltip_text(bench):
    """Hovers over the tray icon and returns the tooltip that shows, or None."""
    x, y = TRAY_ICON_CENTRE
    bench.xdotool("mousemove", x - 4, y - 2)
    bench.xdotool("mousemove", x, y)

    def shown_tip():
        s = bench.probe("visible-class", "tooltips_class32")
        return s if s["found"] and s["text"] else None
    try:
        tip = wait_until(shown_tip, timeout=3, what="a tooltip")
    except TimeoutError:
        return None
    return bytes.fromhex(tip["text"]).decode("gbk")


def copies(app, notepad, word_range, expected, timeout=10.0):
    """Drags over the range; whether the box then reads `expected` within the timeout.
    Where no copy is expected, a short timeout is the time given to a wrong one."""
    notepad.select(*word_range)
    return app.wait_box(expected, timeout=timeout) == expected


def test_the_button_switches_copying_off_and_on_and_paste_stays(app, notepad, bench, shots):
    notepad.set_text("one two three")
    assert caption_of_switch(app) == COPY_ON

    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_OFF)
    shots("switched-off")
    assert not copies(app, notepad, (0, 3), b"one", timeout=2), "a drag was copied while copying is off"
    assert app.box() == b""

    # A middle press still pastes while copying is off.
    bench.probe("clip-set-text", gbk("P").hex())
    notepad.click_into_text(0)
    bench.xdotool("key", "ctrl+End", "mousemove", *notepad.quiet_spot, "click", 2)
    wait_until(lambda: notepad.text() == "one two threeP", timeout=3, what="the paste")

    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_ON)
    assert copies(app, notepad, (4, 7), b"two"), "copying did not resume"


def test_switching_while_shown_adds_an_icon_without_tooltip_and_closing_removes_it(app, bench, shots):
    assert tray_icon_look(bench, shots("start")) == "none"
    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_OFF)
    assert wait_tray_look(bench, shots, "icon-off", "yellow") == "yellow"
    assert tooltip_text(bench) is None, "the switch leaves the icon without a tooltip"

    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_ON)
    assert wait_tray_look(bench, shots, "icon-on", "transparent") == "transparent"

    app.post(WM_CLOSE)
    assert app.exit_code() == 0
    assert wait_tray_look(bench, shots, "closed", "none") == "none"


def test_esc_in_notepad_switches_both_ways(app, notepad, bench):
    notepad.set_text("some text")
    notepad.click_into_text(0)
    bench.xdotool("key", "Escape")
    wait_caption(app, COPY_OFF)
    bench.xdotool("key", "Escape")
    wait_caption(app, COPY_ON)
    assert notepad.text() == "some text"
    assert copies(app, notepad, (0, 4), b"some")


def test_the_focused_application_never_receives_the_esc(app, bench):
    keylog = bench.spawn_probe("keylog", 3000)
    bench.xdotool("mousemove", 100, 450, "key", "Escape", "key", "x")
    wait_caption(app, COPY_OFF)
    keylog.wait(timeout=10)
    keys = [line for line in keylog.stdout().splitlines() if '"keys"' in line][-1]
    assert "88" in keys, f"the stand-in application saw no keys at all: {keys}"  # the X
    assert "27" not in keys, f"the application received the Esc: {keys}"


def test_minimising_hides_behind_an_icon_with_the_product_name(app, bench, shots):
    minimise(app)
    s = app.state()
    assert not s["visible"]
    assert wait_tray_look(bench, shots, "in-tray-on", "transparent") == "transparent"
    assert tooltip_text(bench) == TITLE


def test_minimising_while_off_shows_the_yellow_square(app, bench, shots):
    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_OFF)
    minimise(app)
    assert wait_tray_look(bench, shots, "in-tray-off", "yellow") == "yellow"
    assert tooltip_text(bench) == TITLE, "minimising gives the tooltip back"


def test_esc_while_in_the_tray_swaps_the_image_and_empties_the_tooltip(app, bench, shots):
    minimise(app)
    bench.xdotool("mousemove", 300, 300, "key", "Escape")
    assert wait_tray_look(bench, shots, "esc-in-tray", "yellow") == "yellow"
    assert tooltip_text(bench) is None
    assert caption_of_switch(app) == COPY_OFF


def test_left_release_over_the_icon_restores_the_window_and_removes_the_icon(app, bench, shots):
    minimise(app)
    x, y = TRAY_ICON_CENTRE
    bench.xdotool("mousemove", x, y, "click", 3)
    time.sleep(0.5)
    assert not app.state()["visible"], "a right click restored the window"
    assert tray_icon_look(bench, shots("after-right-click")) != "none"

    bench.xdotool("mousemove", x, y, "click", 1)
    wait_until(lambda: app.state()["visible"], timeout=5, what="the window to come back")
    s = app.state()
    assert not s["iconic"]
    assert s["rect"][2] - s["rect"][0] == 340
    assert wait_tray_look(bench, shots, "restored", "none") == "none"


def test_a_hotkey_message_with_an_identifier_not_issued_switches_nothing(app):
    for foreign in (33002, 1, 0):
        app.send(WM_HOTKEY, foreign, 0)
    assert caption_of_switch(app) == COPY_ON
    app.send(WM_HOTKEY, 33001, 0)
    assert caption_of_switch(app) == COPY_OFF, "the run's own identifier must switch"


def test_a_cancelled_shutdown_leaves_copy_paste_and_esc_working(app, notepad, bench):
    notepad.set_text("alpha beta")
    assert app.send(WM_QUERYENDSESSION, 0, 0)["result"] == 1
    # Agreeing to end the session took the watchers away ...
    assert not copies(app, notepad, (6, 10), b"beta", timeout=2), "still copying after agreeing to log off"
    app.send(WM_ENDSESSION, 0, 0)

    # ... and the session going on brings them back.
    assert copies(app, notepad, (0, 5), b"alpha")
    bench.probe("clip-set-text", gbk("Q").hex())
    notepad.click_into_text(0)
    bench.xdotool("key", "ctrl+End", "mousemove", *notepad.quiet_spot, "click", 2)
    wait_until(lambda: notepad.text() == "alpha betaQ", timeout=10, what="the paste")
    bench.xdotool("key", "Escape")
    wait_caption(app, COPY_OFF)


def test_a_cancelled_shutdown_while_copying_is_off_keeps_it_off(app, notepad, bench):
    notepad.set_text("alpha beta")
    click_control(bench, app, BUTTON5)
    wait_caption(app, COPY_OFF)
    assert app.send(WM_QUERYENDSESSION, 0, 0)["result"] == 1
    app.send(WM_ENDSESSION, 0, 0)

    assert not copies(app, notepad, (0, 5), b"alpha", timeout=2), "copying came back although it was off"
    bench.xdotool("key", "Escape")  # the hotkey is back, and switches copying on
    wait_caption(app, COPY_ON)
    assert copies(app, notepad, (6, 10), b"beta")
