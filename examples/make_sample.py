#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
"""Packs sprite.txt (one hex digit per pixel) into sample.bin (two pixels per byte,
the left pixel in the low nibble), the packed form that nybblex unpacks."""

from pathlib import Path

here = Path(__file__).parent
pixels = "".join(
    line.strip()
    for line in (here / "sprite.txt").read_text().splitlines()
    if line.strip() and not line.startswith("#")
)
assert len(pixels) % 2 == 0
packed = bytes(
    int(pixels[i], 16) | int(pixels[i + 1], 16) << 4 for i in range(0, len(pixels), 2)
)
(here / "sample.bin").write_bytes(packed)
print(f"sample.bin: {len(pixels)} pixels in {len(packed)} bytes")
