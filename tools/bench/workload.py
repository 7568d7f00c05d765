"""What a person does to the program in bulk, through xdotool: drags over notepad's
words, mouse moves, Esc toggles, middle presses and typing; and what a process holds,
read from /proc. Shared by the stress tests, the bench's stress rows and the soak."""
import pathlib
import time

from .pages import gbk

WORDS = "alpha beta gamma delta epsilon zeta"


def word_spans(text):
    """(start, end, word) of each space-separated word: character indices."""
    spans, at = [], 0
    for word in text.split(" "):
        spans.append((at, at + len(word), word))
        at += len(word) + 1
    return spans


def word_drags(notepad, text):
    """The screen points of a drag over each word of notepad's `text`: (start, end, word)."""
    return [(notepad.char_point(a), notepad.char_point(b), w) for a, b, w in word_spans(text)]


def drag_steps(drags, count, pause=0.07):
    """xdotool steps for `count` drags, going round `drags`; returns (steps, last word)."""
    steps, last = [], None
    for i in range(count):
        (x1, y1), (x2, y2), last = drags[i % len(drags)]
        steps += ["mousemove", x1, y1, "mousedown", 1, "mousemove", x2, y2, "mouseup", 1, "sleep", pause]
    return steps, last


def mouse_moves(bench, count, chunk=1000):
    """`count` moves over the lower half of the screen, away from notepad's text, with no
    button held."""
    moves = []
    for i in range(count):
        moves += ["mousemove", 100 + (i * 7) % 800, 400 + (i * 3) % 300]
    for at in range(0, len(moves), 3 * chunk):
        bench.xdotool(*moves[at:at + 3 * chunk])


def esc_toggles(bench, count, delay_ms=30):
    """`count` presses of Esc, the copy switch's hotkey, with the pointer on the desktop."""
    bench.xdotool("mousemove", 300, 200, "key", "--repeat", count, "--delay", delay_ms, "Escape")


def middle_presses(bench, at, count, delay_ms=60):
    bench.xdotool("mousemove", *at, "click", "--repeat", count, "--delay", delay_ms, 2)


def type_for(bench, seconds, sentence="the quick brown fox jumps over the lazy dog "):
    """Types the sentence again and again for about `seconds`; returns what was typed."""
    typed = ""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        bench.xdotool("type", "--delay", 25, sentence)
        typed += sentence
    return typed


def paste_once_into(notepad, bench, clip_text=None):
    """Presses the middle button once over notepad's status bar (Wine's EDIT pastes on
    a middle click of its own), with the caret at the end of the text; clip_text, if
    given, is put on the clipboard first."""
    if clip_text is not None:
        bench.probe("clip-set-text", gbk(clip_text).hex())
    notepad.click_into_text(0)
    bench.xdotool("key", "ctrl+End", "mousemove", *notepad.quiet_spot, "click", 2)


def status(pid):
    """The fields of /proc/<pid>/status, as text."""
    out = {}
    for line in pathlib.Path(f"/proc/{pid}/status").read_text().splitlines():
        key, _, value = line.partition(":")
        out[key] = value.strip()
    return out


def rss_kib(pid):
    return int(status(pid)["VmRSS"].split()[0])


def threads(pid):
    return int(status(pid)["Threads"])
