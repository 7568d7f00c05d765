"""Runs one command inside a fresh bench (Xvfb display, Wine prefix, wineserver), then
ends everything the bench started. From the repository's root:

    python3 -m tools.bench.run -- ctest --preset win64
"""
import subprocess
import sys

from .harness import Bench


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
