#!/usr/bin/env python3
"""Writes the Windows application icon, artwork/mirto.ico, from the committed
PNG pictures of the application icon: one entry per size from 16 to 256
pixels, each stored as the PNG it is (which Windows reads since Vista).

Run it after tools/artwork/draw.py has redrawn the icon; the build embeds the
committed file and needs no Python.
"""
import struct
import sys
from pathlib import Path

SIZES = (16, 24, 32, 48, 64, 96, 128, 256)


def main() -> int:
    artwork = Path(__file__).resolve().parents[2] / "artwork"
    images = [(artwork / f"mirto-icon-{size}.png").read_bytes() for size in SIZES]
    for size, data in zip(SIZES, images):
        width, height = struct.unpack(">II", data[16:24])
        if data[:8] != b"\x89PNG\r\n\x1a\n" or (width, height) != (size, size):
            print(f"mirto-icon-{size}.png is not a {size} x {size} PNG picture", file=sys.stderr)
            return 1
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        side = size % 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    (artwork / "mirto.ico").write_bytes(header + entries + b"".join(images))
    return 0


if __name__ == "__main__":
    sys.exit(main())
