"""The README's pictures of the window at 100 % and 150 %: each made on a bench whose
processes see that DPI, cropped to the window. From the repository's root:

    python3 -m tools.window_shots        (writes docs/window-100.png, docs/window-150.png)
"""
import subprocess
import sys
import time

from tools.bench.harness import Bench, PROGRAM, ROOT
from tools.bench.pages import AWAY, App

DOCS = ROOT / "docs"
SCALES = {100: 96, 150: 144}  # per cent: DPI


def main():
    DOCS.mkdir(exist_ok=True)
    for percent, dpi in SCALES.items():
        with Bench(dpi=dpi) as bench:
            app = App.start(bench, PROGRAM)
            bench.xdotool("mousemove", *AWAY)
            time.sleep(0.5)
            left, top, right, bottom = app.state()["rect"]
            shot = bench.screenshot(bench.workdir / "screen.png")
            target = DOCS / f"window-{percent}.png"
            # Without metadata, so that the same window gives the same bytes.
            subprocess.run(["convert", str(shot), "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                            "-strip", str(target)], check=True, timeout=30)
            app.end()
            print(f"  saved {target.relative_to(ROOT)} ({right - left} x {bottom - top}, {dpi} DPI)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
