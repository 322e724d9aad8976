#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# A picture through ImageMagick and nybblex, with the README's commands. The picture is
# made here: 16 by 4 pixels holding every grey level of 4 bits. ImageMagick packs it to
# 4 bits a pixel, nybblex unpacks that, and the result is compared with ImageMagick's own
# 8-bit output of the same picture (where level k is the byte 17 k). ImageMagick puts the
# left pixel of a pair in the high nibble and nybblex takes the low nibble first, so
# packed as it is, each pair comes out swapped; with the pairs swapped before packing,
# it comes out as the picture.
#
#   imagemagick_round_trip_test.sh NYBBLEX [LAUNCHER...]
# Ends with 77, which the test takes as skipped, when ImageMagick is not installed.
set -eu
if ! command -v convert >/dev/null; then
    echo "skipped: ImageMagick's convert is not installed (package imagemagick)"
    exit 77
fi
nybblex=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# Level (x + 5 y) mod 16 at (x, y): all 16 levels, differing in every pair of pixels.
convert -size 16x4 xc: -fx '((i + 5 * j) % 16) / 15' picture.png
convert picture.png -colorspace gray -depth 8 gray:picture.gray

bytes() { od -An -v -tu1 "$1" | tr -s ' ' '\n' | grep -v '^$'; }
# The bytes of an unpacked file, each times 17, and with each pair swapped if asked.
as_eight_bit() { # FILE swap|keep
    bytes "$1" | awk -v swap="$2" '
        swap == "swap" && NR % 2 == 1 { held = $1 * 17; next }
        { print $1 * 17 } swap == "swap" { print held }'
}
failures=0
check() { # WHAT EXPECTED_FILE ACTUAL_FILE
    if ! cmp -s "$2" "$3"; then
        echo "FAILED: $1" >&2
        failures=$((failures + 1))
    fi
}
bytes picture.gray >expected

# Packed by ImageMagick as it is: nybblex gives each pair of pixels swapped.
convert picture.png -colorspace gray -depth 4 gray:plain.bin
"$@" "$nybblex" plain.bin plain.nib
as_eight_bit plain.nib swap >actual
check "ImageMagick's 4-bit output, unpacked, is the picture with each pair swapped" \
    expected actual

# The README's round trip: pairs swapped first, then packed, then unpacked.
convert picture.png -colorspace gray -fx 'p{i+1-2*(i%2),j}' -depth 4 gray:picture.bin
"$@" "$nybblex" picture.bin picture.nib
as_eight_bit picture.nib keep >actual
check "the round trip gives the picture back" expected actual

# The README's way to look at an unpacked file: the same 8-bit picture.
convert -size 16x4 -depth 8 gray:picture.nib -evaluate multiply 17 -depth 8 gray:viewed.gray
check "the unpacked file, viewed, is the picture" picture.gray viewed.gray

exit "$failures"
