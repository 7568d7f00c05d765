"""The program as the end-to-end tests see it: its window's state through the probe,
and the texts and message numbers the tests use."""
from bench import gbk_hex, wait_until

TITLE = "Talvine复制粘贴精简版V1.0"
COPY_ON = "关闭复制"
COPY_OFF = "开启复制"
HELP = "说明"
LINK = "官网"

WM_CLOSE = 0x0010
WM_HOTKEY = 0x0312
WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016

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
    def start(cls, bench, program, wait=True):
        app = cls(bench, bench.spawn([program], label="app"))
        if wait:
            app.wait_shown()
        return app

    def state(self):
        return self.bench.probe("window", gbk_hex(TITLE))

    def wait_shown(self, timeout=20):
        def shown():
            s = self.state()
            return s if s["found"] and s["visible"] and s["pid"] else None
        s = wait_until(shown, timeout=timeout, what="the main window to show")
        self.hwnd = s["hwnd"]
        return s

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
