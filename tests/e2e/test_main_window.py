"""The main window as the user meets it: its title, size, place, style and controls,
what the screen shows, and the ways it closes."""
import pytest

from tools.bench.harness import PROGRAM, SCREEN, gbk_hex
from tools.bench.pages import (BUTTON5, BUTTON6, EDIT1, LABEL1, LINK1, COPY_ON, HELP, LINK, TITLE, WM_CLOSE,
                              WS_CAPTION, WS_CLIPCHILDREN, WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE, WS_EX_DLGMODALFRAME,
                              WS_EX_TOPMOST, WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_SYSMENU, WS_TABSTOP, WS_THICKFRAME,
                              App, text_of)

BS_CENTER, BS_VCENTER, BS_MULTILINE = 0x300, 0xC00, 0x2000
ES_AUTOHSCROLL = 0x80


def test_window_title_size_place_and_style(app, shots):
    s = app.state()
    assert bytes.fromhex(s["text"]) == TITLE.encode("gbk")
    left, top, right, bottom = s["rect"]
    assert (right - left, bottom - top) == (340, 62)
    assert (left, top) == ((SCREEN[0] - 340) // 2, (SCREEN[1] - 62) // 2)
    assert s["exstyle"] & WS_EX_TOPMOST
    style = s["style"]
    for bit in (WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN):
        assert style & bit == bit, hex(bit)
    assert not style & WS_MAXIMIZEBOX
    assert not style & WS_THICKFRAME
    assert s["visible"] and not s["iconic"]

    shot = shots("window")
    # The screen shows the window, not a blank desktop: the link's own green, the
    # edit box's white and the button face around them.
    link = app.child(LINK1, s)
    edit = app.child(EDIT1, s)
    assert app.bench.pixel(shot, link["client_origin"][0] + 3, link["client_origin"][1] + 3) == (128, 224, 0)
    assert app.bench.pixel(shot, edit["client_origin"][0] + 3, edit["client_origin"][1] + 3) == (255, 255, 255)


@pytest.mark.parametrize("control_id, cls, place, caption, style_bits, exstyle_bits", [
    (EDIT1, "Edit", (6, 6, 176, 24), "", WS_TABSTOP | WS_CLIPSIBLINGS | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE),
    (BUTTON5, "Button", (185, 5, 69, 24), COPY_ON,
     WS_TABSTOP | WS_CLIPSIBLINGS | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0),
    (BUTTON6, "Button", (256, 5, 32, 24), HELP,
     WS_TABSTOP | WS_CLIPSIBLINGS | BS_CENTER | BS_VCENTER | BS_MULTILINE, 0),
    (LINK1, "TalvineLink", (289, 4, 39, 25), LINK, WS_CLIPSIBLINGS, WS_EX_DLGMODALFRAME),
    (LABEL1, "TalvineLabel", (720, 104, 40, 24), "", WS_CLIPSIBLINGS, 0),
])
def test_controls_class_place_size_and_caption(app, control_id, cls, place, caption, style_bits, exstyle_bits):
    c = app.child(control_id)
    assert c["class"].lower() == cls.lower()
    left, top, right, bottom = c["place"]
    assert (left, top, right - left, bottom - top) == place
    assert text_of(c) == caption
    assert c["style"] & style_bits == style_bits
    assert c["exstyle"] & exstyle_bits == exstyle_bits
    assert c["visible"] and c["enabled"]


def test_label_exists_but_lies_outside_the_visible_client_area(app):
    s = app.state()
    label = app.child(LABEL1, s)
    client_width, client_height = s["client"][2], s["client"][3]
    assert label["place"][0] >= client_width or label["place"][1] >= client_height
    visible_row = [app.child(i, s)["place"] for i in (EDIT1, BUTTON5, BUTTON6, LINK1)]
    assert max(p[2] for p in visible_row) <= client_width
    assert max(p[3] for p in visible_row) <= client_height


def test_wm_close_ends_the_program_with_exit_code_zero(app):
    app.post(WM_CLOSE)
    assert app.exit_code() == 0


def test_only_one_main_window_and_no_leftover_after_close(app, bench):
    app.post(WM_CLOSE)
    assert app.exit_code() == 0
    assert not app.state()["found"]


def test_esc_closes_the_active_window_when_it_is_not_a_hotkey(bench, shots):
    # Another program holds Esc while the program starts, so the program cannot take
    # it; once that program lets go, Esc reaches the active main window as a key.
    holder = bench.spawn_probe("hotkey-hold", 27, 30000, gbk_hex(TITLE))
    assert '"held": true' in holder.stdout()
    app = App.start(bench, PROGRAM)
    holder.wait(timeout=10)
    bench.xdotool("mousemove", 5, 5)
    shots("before-esc")
    bench.xdotool("key", "Escape")
    assert app.exit_code() == 0
