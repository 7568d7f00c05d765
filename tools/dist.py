#!/usr/bin/env python3
"""Packs the release zip: the 64-bit program, the README, the licence and their SHA-256
sums. Only what the tests run ships: nothing here can run the 32-bit program, so it
is built as a compile check and never released. The same commit packs the same
bytes: the program carries no timestamp, and every zip entry has the commit's time,
a fixed order and fixed modes.

Beside the zip goes SHA256SUMS with the zip's own sum and the program's, to publish
with the zip, so that a download can be checked before it is opened.

    tools/dist.py [OUTPUT_DIR]     (default out/dist)
"""
import hashlib
import pathlib
import subprocess
import sys
import zipfile

ROOT = pathlib.Path(__file__).resolve().parents[1]
VERSION = "1.0.0"
NAME = f"TalvineCopyPaste-{VERSION}"


def commit_time():
    out = subprocess.run(["git", "-C", str(ROOT), "log", "-1", "--format=%ct"], capture_output=True, text=True)
    seconds = int(out.stdout.strip() or 315532800)  # 1980-01-01 when there is no commit
    import time
    t = time.gmtime(max(seconds, 315532800))
    return (t.tm_year, t.tm_mon, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec - t.tm_sec % 2)


def sums(named_contents):
    """sha256sum's format: the hex digest, two spaces, the name."""
    return "".join(f"{hashlib.sha256(data).hexdigest()}  {name}\n" for name, data in named_contents)


def main():
    out_dir = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "out" / "dist"
    files = {
        "TalvineCopyPaste.exe": ROOT / "build/win64/TalvineCopyPaste.exe",
        "README.md": ROOT / "README.md",
        "LICENSE": ROOT / "LICENSE",
    }
    contents = {name: path.read_bytes() for name, path in files.items()}
    contents["SHA256SUMS"] = sums(sorted(contents.items())).encode()

    out_dir.mkdir(parents=True, exist_ok=True)
    archive = out_dir / f"{NAME}.zip"
    stamp = commit_time()
    with zipfile.ZipFile(archive, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in sorted(contents):
            info = zipfile.ZipInfo(f"{NAME}/{name}", date_time=stamp)
            info.external_attr = (0o755 if name.endswith(".exe") else 0o644) << 16
            info.create_system = 3
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, contents[name])
    published = out_dir / "SHA256SUMS"
    published.write_text(sums([(archive.name, archive.read_bytes()),
                               ("TalvineCopyPaste.exe", contents["TalvineCopyPaste.exe"])]))
    print(f"{archive}\n{published}:\n{published.read_text()}", end="")
    return 0


if __name__ == "__main__":
    sys.exit(main())
