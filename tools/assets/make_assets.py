#!/usr/bin/env python3
"""Generates the program's binary assets from the pixel art in resources/art/.

    make_assets.py            write every asset
    make_assets.py --check    exit 1 when a committed asset differs from what the art gives
    make_assets.py --preview DIR   also write enlarged PNG previews into DIR

Outputs:
    resources/program.ico   DEFAULT_ICON: two 32x32 images, 32 bpp with alpha and 24 bpp
    resources/link_hand.cur the web link's cursor: 32x32 monochrome, hot spot (6, 1)
    src/tray/tray_icons.h   IconCopyOn and IconCopyOff, complete ICO files as C++ byte arrays
"""
import argparse
import pathlib
import struct
import sys
import zlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
ART = ROOT / "resources" / "art"

EMBLEM_PALETTE = {
    ".": None,
    "K": (0x28, 0x28, 0x28),
    "B": (0x1E, 0x78, 0xD7),
    "R": (0xDC, 0x2D, 0x2D),
    "G": (0x20, 0xA0, 0x40),
    "W": (0xFF, 0xFF, 0xFF),
}
YELLOW = (255, 241, 0)
HAND_HOTSPOT = (6, 1)


def read_art(name, width, height):
    rows = [line.rstrip("\n") for line in (ART / name).read_text(encoding="utf-8").splitlines()
            if line and not line.startswith("#")]
    if len(rows) != height or any(len(r) != width for r in rows):
        sys.exit(f"{name}: expected {height} rows of {width} characters")
    return rows


def rgba_pixels(rows, palette, background=None):
    """Rows of (r, g, b, a) tuples, top row first."""
    out = []
    for row in rows:
        line = []
        for ch in row:
            if ch not in palette:
                sys.exit(f"unknown pixel {ch!r}")
            colour = palette[ch]
            if colour is None:
                line.append((*background, 255) if background else (0, 0, 0, 0))
            else:
                line.append((*colour, 255))
        out.append(line)
    return out


def scale2(pixels):
    return [[p for p in row for _ in (0, 1)] for row in pixels for _ in (0, 1)]


def and_mask(pixels):
    """1 bit a pixel, set where the pixel is transparent; rows bottom-up, padded to 32 bits
    with set bits, so that a wholly transparent image has a mask of all ones."""
    width = len(pixels[0])
    stride = ((width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(pixels):
        bits = bytearray(b"\xff" * stride)
        for x, p in enumerate(row):
            if p[3] != 0:
                bits[x // 8] &= ~(0x80 >> (x % 8)) & 0xFF
        out += bits
    return bytes(out)


def bitmap_header(width, height, bpp, image_size, colours=0):
    # BITMAPINFOHEADER; an icon image records twice its height (colour rows, then the mask).
    return struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, image_size, 0, 0, colours, 0)


def icon_image_32bpp(pixels):
    width, height = len(pixels[0]), len(pixels)
    bgra = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = and_mask(pixels)
    return bitmap_header(width, height, 32, len(bgra) + len(mask)) + bgra + mask


def icon_image_24bpp(pixels):
    width, height = len(pixels[0]), len(pixels)
    stride = ((width * 3 + 3) // 4) * 4
    rows = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for (r, g, b, a) in row:
            line += bytes((b, g, r)) if a else b"\0\0\0"
        rows += line + bytes(stride - len(line))
    mask = and_mask(pixels)
    return bitmap_header(width, height, 24, len(rows) + len(mask)) + bytes(rows) + mask


def ico_file(images, kind=1, hotspots=None):
    """images: list of (width, height, bpp_or_colourcount, bytes). kind 1 icon, 2 cursor."""
    header = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for i, (w, h, bpp, data) in enumerate(images):
        if kind == 1:
            entries += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 0, 0, 1, bpp, len(data), offset)
        else:
            hx, hy = hotspots[i]
            entries += struct.pack("<BBBBHHII", w & 0xFF, h & 0xFF, 2, 0, hx, hy, len(data), offset)
        blobs += data
        offset += len(data)
    return header + entries + blobs


def cursor_image(rows):
    """A monochrome cursor image: header, two-colour table, XOR mask, AND mask."""
    width, height = len(rows[0]), len(rows)
    stride = ((width + 31) // 32) * 4
    xor, andm = bytearray(), bytearray()
    for row in reversed(rows):
        x_bits, a_bits = bytearray(stride), bytearray(stride)
        for x, ch in enumerate(row):
            bit = 0x80 >> (x % 8)
            if ch == ".":
                a_bits[x // 8] |= bit          # transparent: AND 1, XOR 0
            elif ch == "W":
                x_bits[x // 8] |= bit          # white: AND 0, XOR 1
            elif ch != "K":                    # black: AND 0, XOR 0
                sys.exit(f"unknown cursor pixel {ch!r}")
        xor += x_bits
        andm += a_bits
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return bitmap_header(width, height, 1, len(xor) + len(andm), colours=2) + table + bytes(xor) + bytes(andm)


def cpp_array(name, data, comment):
    lines = [f"// {comment}", f"inline constexpr unsigned char {name}[{len(data)}] = {{"]
    for i in range(0, len(data), 16):
        lines.append("    " + ", ".join(f"0x{b:02X}" for b in data[i:i + 16]) + ",")
    lines.append("};")
    return "\n".join(lines)


def png(pixels, scale):
    width, height = len(pixels[0]) * scale, len(pixels) * scale
    raw = bytearray()
    for row in pixels:
        line = b"\0" + b"".join(bytes(p) * scale for p in row)
        raw += line * scale
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))


def build():
    emblem = rgba_pixels(read_art("emblem16.txt", 16, 16), EMBLEM_PALETTE)
    emblem_off = rgba_pixels(read_art("emblem16.txt", 16, 16), EMBLEM_PALETTE, background=YELLOW)
    big = scale2(emblem)
    blank = [[(0, 0, 0, 0)] * 16 for _ in range(16)]

    program_ico = ico_file([(32, 32, 32, icon_image_32bpp(big)), (32, 32, 24, icon_image_24bpp(big))])
    icon_on = ico_file([(16, 16, 32, icon_image_32bpp(blank)), (16, 16, 32, icon_image_32bpp(emblem))])
    icon_off = ico_file([(16, 16, 32, icon_image_32bpp(emblem_off))])
    hand_rows = read_art("hand32.txt", 32, 32)
    hand = ico_file([(32, 32, 1, cursor_image(hand_rows))], kind=2, hotspots=[HAND_HOTSPOT])

    header = "\n".join([
        "// Generated by tools/assets/make_assets.py from resources/art/emblem16.txt; do not edit.",
        "// The two notification-area icons, each a complete ICO file.",
        "#pragma once",
        "",
        "namespace talvine {",
        "",
        cpp_array("IconCopyOn", icon_on,
                  "Copying on: a wholly transparent 16x16 image, then the emblem on a transparent background."),
        "",
        cpp_array("IconCopyOff", icon_off, "Copying off: the emblem on an opaque yellow square."),
        "",
        "}  // namespace talvine",
        "",
    ]).encode()

    outputs = {
        ROOT / "resources" / "program.ico": program_ico,
        ROOT / "resources" / "link_hand.cur": hand,
        ROOT / "src" / "tray" / "tray_icons.h": header,
    }
    hand_preview = [[(0, 0, 0, 255) if c == "K" else (255, 255, 255, 255) if c == "W" else (0, 0, 0, 0)
                     for c in row] for row in hand_rows]
    previews = {"emblem_on.png": (emblem, 16), "emblem_off.png": (emblem_off, 16),
                "program.png": (big, 8), "hand.png": (hand_preview, 8)}
    return outputs, previews


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--check", action="store_true")
    parser.add_argument("--preview", type=pathlib.Path)
    args = parser.parse_args()
    outputs, previews = build()
    if args.check:
        stale = [p for p, data in outputs.items() if not p.exists() or p.read_bytes() != data]
        for p in stale:
            print(f"stale asset: {p.relative_to(ROOT)} (run tools/assets/make_assets.py)")
        return 1 if stale else 0
    for path, data in outputs.items():
        path.write_bytes(data)
    if args.preview:
        args.preview.mkdir(parents=True, exist_ok=True)
        for name, (pixels, scale) in previews.items():
            (args.preview / name).write_bytes(png(pixels, scale))
    return 0


if __name__ == "__main__":
    sys.exit(main())
