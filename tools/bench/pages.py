"""The program as the end-to-end tests, the benchmarks and the demo see it: its
window's state through the probe, Wine's notepad, the tray icon, screenshots' pixels,
the prefix's URL handlers, and the texts and message numbers they use."""
import pathlib
import re
import subprocess
import time

from .harness import BUILD, ROOT, gbk_hex, wait_until

TITLE = "Talvine复制粘贴精简版V1.0"
COPY_ON = "关闭复制"
COPY_OFF = "开启复制"
HELP = "说明"
LINK = "官网"

WM_CLOSE = 0x0010
WM_HOTKEY = 0x0312
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016
WM_POWERBROADCAST = 0x0218
PBT_APMRESUMEAUTOMATIC = 0x0012
WM_WTSSESSION_CHANGE = 0x02B1
WTS_SESSION_UNLOCK = 0x0008

WS_MAXIMIZEBOX = 0x00010000
WS_MINIMIZEBOX = 0x00020000
WS_THICKFRAME = 0x00040000
WS_SYSMENU = 0x00080000
WS_CAPTION = 0x00C00000
WS_CLIPCHILDREN = 0x02000000
WS_CLIPSIBLINGS = 0x04000000
WS_TABSTOP = 0x00010000
WS_EX_DLGMODALFRAME = 0x00000001
WS_EX_TOPMOST = 0x00000008
WS_EX_CLIENTEDGE = 0x00000200

AWAY = (700, 600)  # a spot of empty desktop, away from every window the tests open

# The main window's property where the mouse hooks' owner counts its reinstalls,
# read from the one place the program names it.
REINSTALLS_PROPERTY = re.search(r'kReinstallsProperty\[\] = "([^"]+)"',
                                (ROOT / "src" / "app" / "watchers.h").read_text(encoding="utf-8")).group(1)

# Control identifiers, in the order the window creates them.
EDIT1, BUTTON5, BUTTON6, LINK1, LABEL1 = 1, 2, 3, 4, 5


def text_of(window):
    return bytes.fromhex(window["text"]).decode("gbk")


class App:
    def __init__(self, bench, proc):
        self.bench = bench
        self.proc = proc
        self.hwnd = None

    @classmethod
    def start(cls, bench, program):
        app = cls(bench, None)
        app.proc, s = bench.launch([program], lambda proc: app._shown(), label="app")
        app.hwnd = s["hwnd"]
        return app

    def _shown(self):
        s = self.state()
        return s if s["found"] and s["visible"] and s["pid"] else None

    def state(self):
        return self.bench.probe("window", gbk_hex(TITLE))

    def child(self, control_id, state=None):
        state = state or self.state()
        for c in state["children"]:
            if c["id"] == control_id:
                return c
        raise KeyError(control_id)

    def post(self, msg, wparam=0, lparam=0, hwnd=None):
        return self.bench.probe("post", hwnd or self.hwnd, msg, wparam, lparam)

    def send(self, msg, wparam=0, lparam=0, hwnd=None):
        return self.bench.probe("send", hwnd or self.hwnd, msg, wparam, lparam)

    def reinstalls(self):
        """How many removed hooks the program has found and reinstalled since it
        started (the property is absent until the first)."""
        p = self.bench.probe("prop", self.hwnd, REINSTALLS_PROPERTY)
        return p["value"] if p["found"] else 0

    def box(self):
        """The text of 编辑框1, as bytes."""
        return bytes.fromhex(self.child(EDIT1)["text"])

    def wait_box(self, expected: bytes, timeout=5.0):
        """Waits until 编辑框1 holds exactly `expected`; returns what it holds last."""
        try:
            wait_until(lambda: self.box() == expected, timeout=timeout, interval=0.05,
                       what=f"the box to read {expected!r}")
        except TimeoutError:
            pass
        return self.box()

    def exit_code(self, timeout=10):
        return self.proc.wait(timeout=timeout)

    def end(self):
        """Closes the program politely if it still runs, else ends it by pid."""
        if self.proc.running() and self.hwnd:
            self.post(WM_CLOSE)
            try:
                self.proc.wait(timeout=5)
            except Exception:
                pass
        self.proc.kill()


EM_GETSEL = 0x00B0
EM_SETSEL = 0x00B1
EM_POSFROMCHAR = 0x00D6


def gbk(text):
    return text.encode("gbk")


NOTEPAD_RECT = (0, 0, 1024, 340)  # x, y, width, height: above the program's window


class Notepad:
    """Wine's notepad, the application the user works in."""

    def __init__(self, bench):
        self.bench = bench

        def ready(proc):
            s = bench.probe("window-class", "Notepad")
            return s if s["found"] and s["visible"] else None
        self.proc, s = bench.launch(["notepad"], ready, label="notepad")
        self.hwnd = s["hwnd"]
        # Keep clear of the program's window, which sits in the screen's middle: Wine's
        # virtual desktop draws a window activated later over a topmost one.
        bench.probe("move", self.hwnd, *NOTEPAD_RECT)

        def moved():
            t = self.state()
            return t if t["rect"][2] == NOTEPAD_RECT[2] else None
        s = wait_until(moved, what="notepad to move")
        edit = next(c for c in s["children"] if c["class"].lower() == "edit")
        self.edit = edit["hwnd"]
        self.edit_origin = edit["client_origin"]
        status = [c for c in s["children"] if "status" in c["class"].lower()]
        # A place to click where no edit control is: the status bar, else the title bar.
        if status:
            r = status[0]["rect"]
            self.quiet_spot = ((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        else:
            self.quiet_spot = ((s["rect"][0] + s["rect"][2]) // 2, s["rect"][1] + 8)

    def state(self):
        return self.bench.probe("window-class", "Notepad")

    def set_text(self, text):
        assert self.bench.probe("settext", self.edit, gbk(text).hex())["ok"]

    def raw_text(self):
        s = self.state()
        edit = next(c for c in s["children"] if c["hwnd"] == self.edit)
        return bytes.fromhex(edit["text"])

    def text(self):
        return self.raw_text().decode("gbk")

    def selection(self):
        r = self.bench.probe("send", self.edit, EM_GETSEL, 0, 0)["result"]
        return r & 0xFFFF, (r >> 16) & 0xFFFF

    def char_point(self, index):
        """Screen point just inside the left edge of character `index`, mid-line. The
        end of the text has no character: its point lies a little right of the last one."""
        r = self.bench.probe("send", self.edit, EM_POSFROMCHAR, index, 0)["result"]
        if r & 0xFFFFFFFF == 0xFFFFFFFF and index > 0:
            x, y = self.char_point(index - 1)
            return x + 12, y
        x, y = r & 0xFFFF, (r >> 16) & 0xFFFF
        return self.edit_origin[0] + x + 1, self.edit_origin[1] + y + 6

    def click_into_text(self, index=0):
        """Gives the notepad's text the focus, with the caret before character `index`."""
        x, y = self.char_point(index)
        self.bench.xdotool("mousemove", x, y, "click", 1)

    def drag(self, start, end):
        """Selects from `start` to `end` (screen points) by dragging with the left button."""
        (x1, y1), (x2, y2) = start, end
        self.bench.xdotool("mousemove", x1, y1, "mousedown", 1, "mousemove", (x1 + x2) // 2, (y1 + y2) // 2,
                           "mousemove", x2, y2, "mouseup", 1)

    def select(self, start, end, end_point=None):
        """Drags from character `start` to character `end` (or to `end_point` on the
        screen) and checks that notepad selected exactly that range."""
        self.drag(self.char_point(start), end_point or self.char_point(end))
        try:
            wait_until(lambda: self.selection() == (start, end), timeout=3.0, what="the selection")
        except TimeoutError:
            raise AssertionError(f"notepad did not select ({start}, {end}): {self.selection()}") from None

    def end(self):
        self.proc.kill()


WM_SYSCOMMAND = 0x0112
SC_MINIMIZE = 0xF020

# Wine's virtual desktop keeps its notification area at the right end of a 20-pixel
# taskbar along the bottom; the program's is the only icon in it.
TRAY_ICON_RECT = (1006, 750, 1022, 766)  # left, top, right, bottom (exclusive)
TRAY_ICON_CENTRE = (1014, 758)
YELLOW = (255, 241, 0)


def tray_icon_pixels(bench, shot):
    """The colours inside the icon's square of a screenshot."""
    left, top, right, bottom = TRAY_ICON_RECT
    out = []
    for y in range(top, bottom, 3):
        for x in range(left, right, 3):
            out.append(bench.pixel(shot, x, y))
    return out


def tray_icon_look(bench, shot):
    """'none', 'transparent' (the emblem alone) or 'yellow' (the emblem on its square)."""
    pixels = tray_icon_pixels(bench, shot)
    corner = bench.pixel(shot, TRAY_ICON_RECT[2] - 1, TRAY_ICON_RECT[1])
    background = bench.pixel(shot, TRAY_ICON_RECT[0] - 30, TRAY_ICON_RECT[1] + 8)
    if all(p == background for p in pixels):
        return "none"
    if all(abs(a - b) <= 8 for a, b in zip(corner, YELLOW)):
        return "yellow"
    return "transparent" if corner == background else "unknown"


def wait_tray_look(bench, shots, label, expected, timeout=10.0):
    """Takes screenshots until the tray icon looks as expected; returns the last look."""
    looks = []

    def looks_right():
        looks.append(tray_icon_look(bench, shots(label)))
        return looks[-1] == expected
    try:
        wait_until(looks_right, timeout=timeout, interval=0.2, what=f"the tray icon to look {expected}")
    except TimeoutError:
        pass
    return looks[-1]


def stable(read, settle=0.8, timeout=15.0):
    """Reads until the value has not changed for `settle` seconds; returns it."""
    last, since = read(), time.monotonic()
    deadline = since + timeout
    while time.monotonic() < deadline:
        time.sleep(0.1)
        now = read()
        if now != last:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= settle:
            break
    return last


def click_control(bench, app, control_id, button=1):
    c = app.child(control_id)
    left, top, right, bottom = c["rect"]
    bench.xdotool("mousemove", (left + right) // 2, (top + bottom) // 2, "click", button)


def caption_of_switch(app):
    return text_of(app.child(BUTTON5))


# ----- the help balloon and the web link ---------------------------------------------

BALLOON_CLASS = "TalvineBalloon"
COLOR_INFOTEXT, COLOR_INFOBK = 23, 24
# The room the balloon's window keeps right of and below its shape, for the shadow.
SHADOW_RIGHT, SHADOW_BELOW = 8, 6
POINTER_INSET, POINTER_HEIGHT = 16, 16
# The maker's address, read from the one place the program keeps it.
MAKER_URL = re.search(r'kMakerUrl\[\] = "([^"]+)"',
                      (ROOT / "src" / "ui" / "link_target.h").read_text(encoding="utf-8")).group(1)
URL_RECORDER = BUILD / "tools" / "url_recorder" / "talvine-url-recorder.exe"


# ----- the design at 96 DPI, and the rule that scales it ---------------------------------

DESIGN_DPI = 96
DESIGN_WINDOW = (340, 62)  # outer size
# Place in the client area and size, x, y, width, height.
DESIGN_PLACES = {EDIT1: (6, 6, 176, 24), BUTTON5: (185, 5, 69, 24), BUTTON6: (256, 5, 32, 24),
                 LINK1: (289, 4, 39, 25), LABEL1: (720, 104, 40, 24)}
HELP_TIP_FROM_EDIT = (30, 1)  # the balloon's tip, from the edit box's outer corner


def scale(value, dpi, from_dpi=DESIGN_DPI):
    """value * dpi / from_dpi rounded as MulDiv rounds (halves away from zero); a value
    that is not zero never becomes zero."""
    if value == 0:
        return 0
    magnitude = (2 * abs(value) * dpi + from_dpi) // (2 * from_dpi) or 1
    return magnitude if value > 0 else -magnitude


def balloon_room(dpi):
    """The balloon's pointer inset and height, and the room its window keeps right of
    and below the shape for the shadow (offset plus the blur's reach), at dpi."""
    reach = scale(7, dpi) // 2
    return {"inset": scale(POINTER_INSET, dpi), "pointer": scale(POINTER_HEIGHT, dpi),
            "right": scale(5, dpi) + reach, "below": scale(3, dpi) + reach}


def centre(window):
    left, top, right, bottom = window["rect"]
    return (left + right) // 2, (top + bottom) // 2


def help_tip(state):
    """Where the help balloon's tip belongs: 36 right of and 7 below the window's outer corner."""
    return state["rect"][0] + 36, state["rect"][1] + 7


def balloon(bench):
    return bench.probe("window-class", BALLOON_CLASS)


def wait_balloon(bench, shown=True, timeout=5.0):
    """Waits until the balloon's window is shown (or hidden); returns its state."""
    def settled():
        b = balloon(bench)
        return b if b["found"] and b["visible"] == shown else None
    return wait_until(settled, timeout=timeout, what=f"the balloon to be {'shown' if shown else 'hidden'}")


def syscolor(bench, index):
    return tuple(bench.probe("syscolor", index)["rgb"])


def winpath(path):
    """A Unix path as Wine's Z: drive sees it."""
    return "Z:" + str(path).replace("/", "\\")


class Picture:
    """A screenshot's pixels, read once."""

    def __init__(self, path):
        self.path = pathlib.Path(path)
        size = subprocess.run(["identify", "-format", "%w %h", str(path)], check=True, capture_output=True,
                              text=True, timeout=30).stdout.split()
        self.width, self.height = int(size[0]), int(size[1])
        self.data = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], check=True,
                                   capture_output=True, timeout=30).stdout

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.data[i:i + 3])

    def count(self, rect, colour_or_test):
        """How many pixels in rect have the colour, or pass the test."""
        test = colour_or_test if callable(colour_or_test) else (lambda p: p == tuple(colour_or_test))
        left, top, right, bottom = rect
        return sum(1 for y in range(top, bottom) for x in range(left, right) if test(self.at(x, y)))

    def region(self, rect):
        left, top, right, bottom = rect
        return [self.at(x, y) for y in range(top, bottom) for x in range(left, right)]


class UrlHandlers:
    """The prefix's URL protocols and ".htm" file type, pointed at talvine-url-recorder,
    which appends each command line it is started with to a log. Whatever the keys held
    before is put back by restore()."""

    KEYS = [r"HKEY_CLASSES_ROOT\http", r"HKEY_CLASSES_ROOT\https", r"HKEY_CLASSES_ROOT\.htm",
            r"HKEY_CLASSES_ROOT\TalvineRecorder.htm"]

    def __init__(self, bench):
        self.bench = bench
        self.log = bench.workdir / "opened.log"
        self.log.unlink(missing_ok=True)
        self.saved = []
        for i, key in enumerate(self.KEYS):
            path = bench.workdir / f"saved-{i}.reg"
            path.unlink(missing_ok=True)
            code, _ = bench.run(["regedit", "/e", winpath(path), key], label="regedit")
            if code == 0 and path.exists():
                self.saved.append(path)

    def _apply(self, body):
        path = self.bench.workdir / "change.reg"
        text = "Windows Registry Editor Version 5.00\n\n" + body
        path.write_bytes(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))
        code, _ = self.bench.run(["regedit", "/s", winpath(path)], label="regedit")
        assert code == 0, "regedit could not apply the change"

    @staticmethod
    def _value(text):
        return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'

    def recorder_command(self, *, quoted_log=True):
        log = f'"{winpath(self.log)}"' if quoted_log else winpath(self.log)
        return f'"{winpath(URL_RECORDER)}" {log} "%1"'

    def record_urls(self):
        """The recorder opens web addresses, as a browser would."""
        self._apply("".join(f"[{key}\\shell\\open\\command]\n@={self._value(self.recorder_command())}\n\n"
                            for key in self.KEYS[:2]))

    def remove_url_handlers(self):
        self._apply("".join(f"[-{key}]\n\n" for key in self.KEYS[:2]))

    def register_htm(self, command):
        """".htm" files belong to a type whose open command is `command`."""
        self._apply(f"[{self.KEYS[2]}]\n@=\"TalvineRecorder.htm\"\n\n"
                    f"[{self.KEYS[3]}\\shell\\open\\command]\n@={self._value(command)}\n\n")

    def lines(self):
        if not self.log.exists():
            return []
        return self.log.read_text(encoding="gbk", errors="replace").splitlines()

    def restore(self):
        self._apply("".join(f"[-{key}]\n\n" for key in self.KEYS))
        for path in self.saved:
            self.bench.run(["regedit", "/s", winpath(path)], label="regedit")
