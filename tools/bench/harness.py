"""The test bench: a private Xvfb display and a private Wine prefix for one run.

Everything the bench starts is recorded by pid and ended by pid in stop(), also when
a test fails or the run is interrupted. Nothing is ever ended by name.

Used by the end-to-end tests (tests/e2e), by `make run` without a display (tools.demo),
by the Win32 unit tests (tools.bench.run) and by the benchmarks (bench.run).
"""
from __future__ import annotations

import atexit
import contextlib
import fcntl
import hashlib
import json
import os
import pathlib
import shutil
import signal
import subprocess
import tempfile
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]
BUILD = ROOT / "build" / "win64"
PROGRAM = BUILD / "TalvineCopyPaste.exe"
PROBE = BUILD / "tools" / "probe" / "talvine-probe.exe"
TEMPLATE_ROOT = ROOT / "build" / "wine-template"

# The prefix's settings; a change here builds a new template.
REGISTRY = r"""Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"Microsoft Sans Serif"="WenQuanYi Micro Hei"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
"""

SCREEN = (1024, 768)
# Wine's error channels that the bench keeps: with them, a wine process that dies
# before its program starts says why.
WINEDEBUG = "-all,err+virtual,err+process,err+module"


def start_failed(proc):
    """Whether a wine process ended before its program ran. Now and then, under load,
    Wine cannot map its shared user data at the fixed address it needs (the address
    space is laid out at random); that process never starts and can be started again."""
    return not proc.running() and proc.popen.returncode != 0 and "failed to map the shared user data" in proc.stderr()
TASKBAR_HEIGHT = 20


def gbk_hex(text: str) -> str:
    return text.encode("gbk").hex()


def _exit_on_sigterm(signum, frame):
    raise SystemExit(128 + signum)


class BenchError(RuntimeError):
    pass


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns a truthy value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Process:
    """A process the bench started; its output goes to files, never to pipes."""

    def __init__(self, popen: subprocess.Popen, stdout: pathlib.Path, stderr: pathlib.Path):
        self.popen = popen
        self.stdout_path = stdout
        self.stderr_path = stderr

    @property
    def pid(self):
        return self.popen.pid

    def running(self):
        return self.popen.poll() is None

    def wait(self, timeout=10.0):
        return self.popen.wait(timeout=timeout)

    def stdout(self):
        return self.stdout_path.read_text(encoding="utf-8", errors="replace")

    def stderr(self):
        return self.stderr_path.read_text(encoding="utf-8", errors="replace")

    def kill(self):
        if self.running():
            with contextlib.suppress(ProcessLookupError):
                os.kill(self.popen.pid, signal.SIGKILL)
            with contextlib.suppress(subprocess.TimeoutExpired):
                self.popen.wait(timeout=5)


DESIGN_DPI = 96


def _dpi_registry(dpi: int) -> str:
    """The setting that gives every process of a prefix the DPI `dpi`: Wine reads it
    when its server starts."""
    return ("Windows Registry Editor Version 5.00\n\n"
            "[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"
            f'"LogPixels"=dword:{dpi:08x}\n')


class Bench:
    def __init__(self, out_dir: pathlib.Path | None = None, dpi: int = DESIGN_DPI):
        self.out_dir = pathlib.Path(out_dir or ROOT / "out")
        self.dpi = dpi
        self.workdir: pathlib.Path | None = None
        self.prefix: pathlib.Path | None = None
        self.display: str | None = None
        self.env: dict[str, str] = {}
        self._xvfb: subprocess.Popen | None = None
        self._wineserver: subprocess.Popen | None = None
        self._processes: list[Process] = []
        self._counter = 0

    # ----- life cycle -------------------------------------------------------------
    def start(self):
        # An interrupted or terminated run still ends what it started.
        atexit.register(self.stop)
        with contextlib.suppress(ValueError):  # not the main thread
            if signal.getsignal(signal.SIGTERM) in (signal.SIG_DFL, None):
                signal.signal(signal.SIGTERM, _exit_on_sigterm)
        try:
            self.workdir = pathlib.Path(tempfile.mkdtemp(prefix="talvine-bench-"))
            self._start_xvfb()
            template = self._template()
            self.prefix = self.workdir / "prefix"
            subprocess.run(["cp", "-a", "--reflink=auto", str(template), str(self.prefix)], check=True)
            self.env = self._wine_env(self.prefix)
            if self.dpi != DESIGN_DPI:
                self._apply_registry(self.prefix, _dpi_registry(self.dpi))
            # The server first, so that no wine process spawns one that inherits its output.
            self._wineserver = subprocess.Popen(["wineserver", "-f", "-p"], env=self.env,
                                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                                stderr=subprocess.DEVNULL, start_new_session=True)
            # Starting any program brings up the virtual desktop and its taskbar.
            self.probe("focus", timeout=60)
        except BaseException:
            self.stop()
            raise
        return self

    def stop(self):
        for p in self._processes:
            p.kill()
        self._processes.clear()
        if self.prefix and self.env:
            with contextlib.suppress(Exception):
                subprocess.run(["wineserver", "-k"], env=self.env, timeout=20,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
        for popen in (self._wineserver, self._xvfb):
            if popen and popen.poll() is None:
                with contextlib.suppress(ProcessLookupError):
                    popen.send_signal(signal.SIGTERM)
                try:
                    popen.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    popen.kill()
                    popen.wait(timeout=5)
        self._wineserver = self._xvfb = None
        self.env = {}
        if self.workdir:
            shutil.rmtree(self.workdir, ignore_errors=True)
            self.workdir = None

    def __enter__(self):
        return self.start()

    def __exit__(self, *exc):
        self.stop()

    # ----- set-up -----------------------------------------------------------------
    def _start_xvfb(self):
        read_fd, write_fd = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp", "-ac"],
            pass_fds=(write_fd,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise BenchError("Xvfb did not start")
        self.display = f":{number}"

    @staticmethod
    def _base_env():
        env = {k: v for k, v in os.environ.items() if not k.startswith("WINE")}
        env.update(WINEDEBUG=WINEDEBUG, LANG="zh_CN.UTF-8", LC_ALL="zh_CN.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=")
        return env

    def _wine_env(self, prefix):
        env = self._base_env()
        env.update(WINEPREFIX=str(prefix), DISPLAY=self.display)
        return env

    def _template(self) -> pathlib.Path:
        """A booted prefix with the bench's settings, built once and then copied per run."""
        stamp = hashlib.sha256(REGISTRY.encode()).hexdigest()[:12]
        template = TEMPLATE_ROOT / f"prefix-{stamp}"
        TEMPLATE_ROOT.mkdir(parents=True, exist_ok=True)
        with open(TEMPLATE_ROOT / ".lock", "w") as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if (template / ".complete").exists():
                return template
            for old in TEMPLATE_ROOT.glob("prefix-*"):
                shutil.rmtree(old, ignore_errors=True)
            building = TEMPLATE_ROOT / f"building-{stamp}"
            shutil.rmtree(building, ignore_errors=True)
            env = self._wine_env(building)
            quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300, **quiet)
            except BaseException:
                subprocess.run(["wineserver", "-w"], env=env, timeout=120, **quiet)
                raise
            self._apply_registry(building, REGISTRY)
            (building / ".complete").write_text(stamp)
            building.rename(template)
            return template

    def _apply_registry(self, prefix, text):
        """Imports a .reg text into a prefix that has no server running, and waits for
        the server to end on its own, which saves the registry."""
        env = self._wine_env(prefix)
        quiet = dict(stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        reg = prefix / "drive_c" / "bench.reg"
        reg.write_bytes(b"\xff\xfe" + text.replace("\n", "\r\n").encode("utf-16-le"))
        try:
            subprocess.run(["wine", "regedit", "/s", "C:\\bench.reg"], env=env, check=True, timeout=120, **quiet)
        finally:
            subprocess.run(["wineserver", "-w"], env=env, timeout=120, **quiet)
            reg.unlink(missing_ok=True)

    # ----- running programs ---------------------------------------------------------
    def _files(self, label):
        self._counter += 1
        base = self.workdir / f"{self._counter:04d}-{label}"
        return base.with_suffix(".out"), base.with_suffix(".err")

    def spawn(self, args, label="proc", extra_env=None) -> Process:
        """Starts a Windows program (args[0] a Unix path or a Windows name) under wine."""
        out, err = self._files(label)
        env = dict(self.env)
        if extra_env:
            env.update(extra_env)
        with open(out, "wb") as o, open(err, "wb") as e:
            popen = subprocess.Popen(["wine", *map(str, args)], env=env, stdin=subprocess.DEVNULL, stdout=o,
                                     stderr=e, start_new_session=True)
        proc = Process(popen, out, err)
        self._processes.append(proc)
        return proc

    def launch(self, args, ready, label="proc", timeout=20.0, attempts=3):
        """Starts a program and waits until ready(process) gives a truthy value; returns
        (process, that value). A wine process that dies before its program starts (see
        start_failed) is started again."""
        for attempt in range(attempts):
            proc = self.spawn(args, label=label)
            value = wait_until(lambda: ready(proc) or (not proc.running() and "died"), timeout=timeout,
                               what=f"{args[0]} to be ready")
            if value != "died":
                return proc, value
            if not start_failed(proc):
                raise BenchError(f"{args[0]} ended at start with exit {proc.popen.returncode}")
            self._note(f"{args} did not start (attempt {attempt + 1}): {proc.stderr()[-500:]}")
        raise BenchError(f"{args[0]} did not start in {attempts} attempts")

    def _note(self, line):
        self.out_dir.mkdir(parents=True, exist_ok=True)
        with open(self.out_dir / "bench-retries.log", "a", encoding="utf-8") as log:
            log.write(line + "\n")

    def mark(self):
        """A point in the list of started processes, for kill_since()."""
        return len(self._processes)

    def kill_since(self, mark):
        """Ends, by pid, every process started since mark."""
        for p in self._processes[mark:]:
            p.kill()
        del self._processes[mark:]

    def _run_to_end(self, args, timeout, label, extra_env=None):
        """Starts a program and waits for it; returns (exit code, process)."""
        proc = self.spawn(args, label=label, extra_env=extra_env)
        try:
            code = proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            proc.kill()
            raise
        self._processes.remove(proc)
        return code, proc

    def run(self, args, timeout=30.0, label="run"):
        code, proc = self._run_to_end(args, timeout, label)
        return code, proc.stdout()

    def probe(self, *args, timeout=30.0):
        """Runs the probe and returns the last JSON object it printed."""
        for attempt in (1, 2, 3):
            code, proc = self._run_to_end([PROBE, *args], timeout, "probe")
            lines = [line for line in proc.stdout().splitlines() if line.startswith("{")]
            if lines:
                return json.loads(lines[-1])
            failure = f"probe {args} printed nothing (exit {code}): {proc.stderr()[-2000:]}"
            # A probe that never started did nothing, so it is simply started again.
            if not start_failed(proc):
                break
            self._note(failure)
        raise BenchError(failure)

    def spawn_probe(self, *args, label="probe-hold") -> Process:
        """Starts a probe that holds something; returns once it says it holds it."""
        proc, _ = self.launch([PROBE, *args], lambda p: '"held"' in p.stdout(), label=label)
        return proc

    # ----- input and eyes -------------------------------------------------------------
    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], env={**os.environ, "DISPLAY": self.display}, check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)

    def screenshot(self, path: pathlib.Path):
        path.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", str(path)], check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)
        return path

    def pixel(self, path: pathlib.Path, x: int, y: int):
        """The (r, g, b) of one pixel of a saved screenshot."""
        out = subprocess.run(["convert", str(path), "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                              f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                             check=True, capture_output=True, text=True, timeout=30).stdout
        return tuple(int(v) for v in out.strip().split(","))
