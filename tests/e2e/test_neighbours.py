"""Beside the user's other programs, as a person meets them: a console running a
command, a terminal, a password manager's secret on the clipboard, a second start,
moving a window and dragging files."""
import json
import os
import time

import pytest

from tools.bench.harness import PROGRAM, wait_until
from tools.bench.pages import SC_MINIMIZE, WM_SYSCOMMAND, gbk, stable, tray_icon_look

# The stand-in windows of the probe's `standin` command: a 300 x 200 window at (0, 400),
# its child covering most of its client area.
STANDIN_DRAG = ((60, 470), (200, 500))
VK_C, VK_V, VK_INSERT = 0x43, 0x56, 0x2D


def drag(bench, start, end):
    (x1, y1), (x2, y2) = start, end
    bench.xdotool("mousemove", x1, y1, "mousedown", 1, "mousemove", (x1 + x2) // 2, (y1 + y2) // 2,
                  "mousemove", x2, y2, "mouseup", 1)


def clipboard_text(bench):
    return bytes.fromhex(bench.probe("clip-get")["text"])


def stand_in(bench, window_class, ms, child="-", copy_text=None):
    """Starts a stand-in program whose window has the focus; returns it."""
    args = ["standin", window_class, ms, child] + ([gbk(copy_text).hex()] if copy_text else [])
    proc = bench.spawn_probe(*args, label="standin")
    wait_until(lambda: bench.probe("focus")["foreground"] == json.loads(proc.stdout().splitlines()[0])["hwnd"],
               timeout=5, what="the stand-in to take the focus")
    return proc


def keys_seen(proc, timeout=20):
    """Every key event the stand-in saw, once it has ended."""
    proc.wait(timeout=timeout)
    return json.loads(proc.stdout().strip().splitlines()[-1])["keys"]


def pressed(keys):
    return [k["vk"] for k in keys if not k["up"]]


def running_pids(command_line):
    """Linux pids of processes whose command line is exactly this."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as f:
                if f.read().replace(b"\0", b" ").strip() == command_line.encode():
                    found.append(int(pid))
        except OSError:
            pass
    return found


def test_a_drag_over_a_console_leaves_the_command_running(app, bench, shots):
    bench.spawn(["wineconsole", "cmd", "/k", "ping -n 60 127.0.0.1"], label="console")
    console = wait_until(lambda: (s := bench.probe("window-class", "WineConsoleClass"))["found"] and s["visible"] and s,
                         timeout=20, what="the console")
    bench.probe("move", console["hwnd"], 0, 0, 1024, 300)
    wait_until(lambda: running_pids("ping -n 60 127.0.0.1"), timeout=10, what="the ping to run")
    time.sleep(2.5)  # a few lines of output to select
    shots("console-running")

    drag(bench, (10, 45), (300, 60))
    time.sleep(1.5)
    shots("after-drag")
    assert running_pids("ping -n 60 127.0.0.1"), "the drag's chord ended the command"
    assert bench.probe("window-class", "WineConsoleClass")["found"], "the console closed"
    assert app.proc.running()


@pytest.mark.parametrize("terminal", ["mintty", "ConsoleWindowClass", "CASCADIA_HOSTING_WINDOW_CLASS"])
def test_a_terminal_gets_ctrl_insert_and_shift_insert_never_ctrl_c_or_ctrl_v(app, bench, shots, terminal):
    bench.probe("clip-set-text", gbk("before the drag").hex())
    term = stand_in(bench, terminal, 5000, copy_text="terminal selection")
    drag(bench, *STANDIN_DRAG)
    assert app.wait_box(gbk("terminal selection")) == gbk("terminal selection"), \
        "the box does not show what the terminal copied for Ctrl+Insert"
    shots("copied")
    bench.xdotool("mousemove", 150, 520, "click", 2)
    keys = keys_seen(term)
    assert VK_C not in pressed(keys) and VK_V not in pressed(keys), f"Ctrl+C or Ctrl+V reached the terminal: {keys}"
    inserts = [k for k in keys if k["vk"] == VK_INSERT]
    assert len(inserts) == 4, f"expected Ctrl+Insert and Shift+Insert, got {keys}"
    assert all(k["extended"] for k in inserts), "Insert was not typed as the editing key"


def test_putty_copies_by_itself_and_gets_no_chord_from_a_drag(app, bench):
    bench.probe("clip-set-text", gbk("what putty copied").hex())
    term = stand_in(bench, "PuTTY", 3000)
    drag(bench, *STANDIN_DRAG)
    assert app.wait_box(gbk("what putty copied")) == gbk("what putty copied"), "the worker did not read the clipboard"
    assert keys_seen(term) == [], "a chord was typed into PuTTY after a drag"


SECRET = "s3cret-from-the-vault"
MARKERS = [("ExcludeClipboardContentFromMonitorProcessing", "00"),
           ("Clipboard Viewer Ignore", "00"),
           ("CanIncludeInClipboardHistory", "00000000")]


def test_a_marked_secret_never_shows_yet_still_pastes(app, notepad, bench, shots):
    notepad.set_text("plain words")
    notepad.click_into_text(0)
    for marker, data in MARKERS:
        notepad.select(0, 5)
        assert app.wait_box(b"plain") == b"plain"
        notepad.click_into_text(2)  # nothing selected: the clipboard's content would show
        bench.probe("clip-set-marked", gbk(SECRET).hex(), marker, data)
        notepad.drag((700, 600), (780, 640))
        assert stable(app.box) == b"", f"the box did not clear for {marker}"
        shots(f"cleared-{marker.split()[0]}")

    bench.probe("clip-set-marked", gbk(SECRET).hex(), "CanIncludeInClipboardHistory", "01000000")
    notepad.drag((700, 600), (780, 640))
    assert app.wait_box(gbk(SECRET)) == gbk(SECRET), "a history flag of 1 is an ordinary clipboard"

    # The middle press still pastes what the user copied, marked or not.
    bench.probe("clip-set-marked", gbk(SECRET).hex(), MARKERS[0][0], MARKERS[0][1])
    notepad.set_text("")
    notepad.click_into_text(0)
    bench.xdotool("mousemove", *notepad.quiet_spot, "click", 2)
    assert stable(notepad.text) == SECRET


def test_a_second_start_brings_the_first_back_from_the_tray_and_ends(app, notepad, bench, shots):
    app.post(WM_SYSCOMMAND, SC_MINIMIZE, 0)
    wait_until(lambda: not app.state()["visible"], timeout=5, what="the window to hide")
    assert wait_until(lambda: tray_icon_look(bench, shots("in-tray")) != "none", timeout=5, what="the tray icon")

    second = bench.spawn([PROGRAM], label="second")
    assert second.wait(timeout=20) == 0
    wait_until(lambda: app.state()["visible"], timeout=5, what="the first copy to come back")
    assert wait_until(lambda: tray_icon_look(bench, shots("restored")) == "none", timeout=5,
                      what="the tray icon to go")
    assert app.state()["hwnd"] == app.hwnd, "the running copy's window was replaced"

    notepad.set_text("")
    bench.probe("clip-set-text", gbk("once").hex())
    notepad.click_into_text(0)
    bench.xdotool("mousemove", *notepad.quiet_spot, "click", 2)
    assert stable(notepad.text) == "once", "a middle press pasted more than once"


def test_moving_notepad_by_its_title_bar_leaves_the_clipboard_alone(app, notepad, bench, shots):
    notepad.set_text("keep this selected")
    notepad.click_into_text(0)
    notepad.select(0, 4)
    assert app.wait_box(b"keep") == b"keep"
    bench.probe("clip-set-text", gbk("the user's clipboard").hex())
    left = notepad.state()["rect"][0]

    drag(bench, (500, 8), (460, 8))
    wait_until(lambda: notepad.state()["rect"][0] == left - 40, timeout=5, what="notepad to move")
    time.sleep(0.6)
    shots("moved")
    assert notepad.selection() == (0, 4), "the selection the move must not copy is gone"
    assert clipboard_text(bench) == gbk("the user's clipboard"), "moving the window replaced the clipboard"
    assert app.box() == b"keep"


@pytest.mark.parametrize("window_class, child, types_copy", [
    ("CabinetWClass", "SysListView32", False),
    ("CabinetWClass", "DirectUIHWND", False),
    ("Progman", "SysListView32", False),
    ("CabinetWClass", "Edit", True),           # the address bar, a rename box: text
    ("TalvineOtherProgram", "SysListView32", True),
], ids=["explorer-items", "explorer-directui", "desktop-icons", "explorer-text-field", "other-program-list"])
def test_a_drag_among_files_types_no_key(app, bench, window_class, child, types_copy):
    proc = stand_in(bench, window_class, 3000, child)
    drag(bench, *STANDIN_DRAG)
    keys = keys_seen(proc)
    if types_copy:
        assert VK_C in pressed(keys), f"a drag over text must still copy: {keys}"
    else:
        assert keys == [], f"a drag among files typed keys: {keys}"
