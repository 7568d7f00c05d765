#!/usr/bin/env python3
"""Checks that a program imports no function outside a committed list: the functions
known to exist on the oldest Windows the program supports (Windows 7), so that it
starts there. A function of a later Windows must be looked up at run time instead.

    tools/check_imports.py EXE [LIST]     (default list: tools/windows7_imports.txt)

Prints each import that is not listed and exits 1 if there is any.
"""
import pathlib
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parents[1]
LIST = ROOT / "tools" / "windows7_imports.txt"
OBJDUMP = "x86_64-w64-mingw32-objdump"


def imports(objdump_text):
    """The (dll, function) pairs of `objdump -p`'s import tables, dll in lower case;
    an import by ordinal only is named 'ordinal-<n>'."""
    found, dll = set(), None
    for line in objdump_text.splitlines():
        stripped = line.strip()
        if stripped.startswith("DLL Name:"):
            dll = stripped.split(":", 1)[1].strip().lower()
            continue
        if dll is None:
            continue
        if not stripped:
            dll = None
            continue
        fields = stripped.split()
        if fields[0] == "vma:" or len(fields) < 2:
            continue
        # "<vma>  <hint or ordinal>  <name>"; an ordinal import has no name.
        found.add((dll, fields[2] if len(fields) > 2 else f"ordinal-{fields[1]}"))
    return found


def allowed(list_text):
    pairs = set()
    for line in list_text.splitlines():
        line = line.split("#", 1)[0].strip()
        if line:
            dll, function = line.split()
            pairs.add((dll.lower(), function))
    return pairs


def unlisted(objdump_text, list_text):
    return sorted(imports(objdump_text) - allowed(list_text))


def main(argv):
    if not argv or len(argv) > 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    exe = pathlib.Path(argv[0])
    listed = pathlib.Path(argv[1]) if len(argv) > 1 else LIST
    dump = subprocess.run([OBJDUMP, "-p", str(exe)], check=True, capture_output=True, text=True).stdout
    if not imports(dump):
        print(f"check_imports: no import table read from {exe}", file=sys.stderr)
        return 1
    extra = unlisted(dump, listed.read_text(encoding="utf-8"))
    for dll, function in extra:
        print(f"check_imports: {exe.name} imports {dll} {function}, which {listed.name} does not list")
    if not extra:
        print(f"imports: every function {exe.name} imports is on Windows 7 ({listed.name})")
    return 1 if extra else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
