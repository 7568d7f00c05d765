#!/usr/bin/env python3
"""Runs one command inside a fresh bench (Xvfb display, Wine prefix, wineserver), then
ends everything the bench started.

    tools/bench/run.py -- ctest --preset win64
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bench import Bench  # noqa: E402


def main(argv):
    if "--" in argv:
        argv = argv[argv.index("--") + 1:]
    if not argv:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    with Bench() as bench:
        return subprocess.run(argv, env=bench.env, stdin=subprocess.DEVNULL).returncode


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
