"""`make run` without a display: shows the program at work on the bench and saves a
screenshot of each step under out/run/. From the repository's root: python3 -m tools.demo"""
import sys
import time

from tools.bench.harness import Bench, PROGRAM, ROOT
from tools.bench.pages import App, BUTTON6, Notepad, WM_CLOSE, centre, wait_balloon

OUT = ROOT / "out" / "run"


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for old in OUT.glob("*.png"):
        old.unlink()
    saved = []

    with Bench() as bench:
        def shot(label):
            path = bench.screenshot(OUT / f"{len(saved) + 1:02d}-{label}.png")
            saved.append(path)
            print(f"  saved {path.relative_to(ROOT)}")

        print("Starting TalvineCopyPaste on the bench (Xvfb + Wine, 1024x768, code page 936)...")
        app = App.start(bench, PROGRAM)
        time.sleep(0.3)
        shot("window")

        print("Typing a sentence into notepad...")
        notepad = Notepad(bench)
        notepad.click_into_text(0)
        sentence = "Select me with the mouse, then paste with the middle button."
        bench.xdotool("type", "--delay", 10, sentence)
        time.sleep(0.3)
        shot("typed")

        print("Drag-selecting the words 'with the mouse'...")
        start, end = sentence.index("with the mouse"), sentence.index(", then")
        notepad.select(start, end)
        copied = app.wait_box(b"with the mouse")
        print(f"  the program's box now reads: {copied.decode('gbk')!r}")
        shot("copied")

        print("Pasting with a middle press at the end of the text...")
        notepad.click_into_text(0)
        bench.xdotool("key", "ctrl+End", "type", " Pasted: ")
        bench.xdotool("mousemove", *notepad.quiet_spot, "click", 2)
        time.sleep(0.5)
        print(f"  notepad now reads: {notepad.text()!r}")
        shot("pasted")

        print("Pressing 说明 for the help balloon...")
        bench.xdotool("mousemove", *centre(app.child(BUTTON6)), "click", 1)
        wait_balloon(bench)
        shot("help-balloon")

        print("Closing the program...")
        app.post(WM_CLOSE)
        code = app.exit_code()
        print(f"  exit code {code}")

    print(f"\nScreenshots are in {OUT}:")
    for path in saved:
        print(f"  {path}")
    return 0 if code == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
