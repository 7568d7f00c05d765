"""Fixtures for the end-to-end tests: one bench per run, a fresh program per test."""
import re

import pytest

from tools.bench.harness import Bench, PROGRAM, ROOT
from tools.bench.pages import App, Notepad, stable
from tools.bench.workload import paste_once_into

OUT = ROOT / "out" / "e2e"


@pytest.fixture(scope="session")
def bench():
    with Bench() as b:
        yield b


@pytest.fixture(autouse=True)
def _end_what_the_test_started(request):
    """Every process a test starts through the bench is ended, by pid, when it ends."""
    if "bench" not in request.fixturenames:
        yield
        return
    b = request.getfixturevalue("bench")
    mark = b.mark()
    yield
    b.kill_since(mark)


class Shots:
    """Saves numbered screenshots under out/e2e/<test name>/."""

    def __init__(self, bench, name):
        self.bench = bench
        self.dir = OUT / re.sub(r"[^A-Za-z0-9_.-]+", "_", name)
        self.count = 0
        for old in self.dir.glob("*.png") if self.dir.exists() else []:
            old.unlink()

    def __call__(self, label):
        self.count += 1
        return self.bench.screenshot(self.dir / f"{self.count:02d}-{label}.png")


@pytest.fixture
def shots(bench, request):
    return Shots(bench, request.node.name)


@pytest.fixture(scope="module", params=[96, 120, 144, 192], ids=lambda dpi: f"{dpi}dpi")
def scaled_bench(request):
    """A bench whose every process sees the given DPI; at 96 the session's own."""
    if request.param == 96:
        yield request.getfixturevalue("bench")
        return
    with Bench(dpi=request.param) as b:
        yield b


@pytest.fixture
def scaled_shots(scaled_bench, request):
    return Shots(scaled_bench, request.node.name)


@pytest.fixture
def scaled_app(scaled_bench):
    """The program on the scaled bench; it and whatever the test started there end with the test."""
    mark = scaled_bench.mark()
    a = App.start(scaled_bench, PROGRAM)
    yield a
    a.end()
    scaled_bench.kill_since(mark)


@pytest.fixture
def app(bench):
    """The program, started and shown; closed (or ended) when the test ends."""
    a = App.start(bench, PROGRAM)
    yield a
    a.end()


@pytest.fixture
def notepad(bench, app):
    """Wine's notepad, beside the running program."""
    n = Notepad(bench)
    yield n
    n.end()


@pytest.fixture
def still_copies_and_pastes(app, notepad, bench):
    """A check as the user would make it: a drag over a word shows it in the box, and
    one middle press pastes what was copied, exactly once."""
    def check():
        notepad.set_text("one two three")
        notepad.click_into_text(0)
        notepad.select(4, 7)
        assert app.wait_box(b"two") == b"two", "a drag was not copied"
        paste_once_into(notepad, bench)
        assert stable(notepad.text) == "one two threetwo", "one middle press must paste exactly once"
    return check
