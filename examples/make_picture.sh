#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The nybblex developers
#
# Draws docs/sample.png: the shipped sprite, sample.bin, unpacked by nybblex to one byte
# per pixel, each byte looked up in a 16-colour palette by ImageMagick, and scaled up
# eight times so that every pixel shows.
#
# Usage: examples/make_picture.sh [NYBBLEX]   (build/default/nybblex by default)
# Needs: ImageMagick (package imagemagick).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
nybblex=${1:-$root/build/default/nybblex}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$nybblex" "$root/examples/sample.bin" "$work/sample.nib"

# The palette, one pixel per colour from index 0 on the left: a dark background, a
# violet-to-yellow glow (1 to 8), greens (9 to c) and browns (d to f).
colours="#101018 #3a1f5d #5b2a86 #8e3b9e #c4508f #ec6f6f #f79a5b #fbc85a
         #fff3a0 #2e4a3c #3f6e4f #5a945e #86b86a #6b4a2f #9a6b3f #c99a5a"
set --
for colour in $colours; do set -- "$@" "xc:$colour"; done
convert "$@" +append "$work/palette.png"

# 32 by 20 pixels of one byte each, 0 to 15. Times 17 they span 0 to 255, where -clut
# finds palette entry k for the value k; -scale repeats whole pixels. The PNG gets no
# time stamps, so that the picture is the same every time it is made.
convert -size 32x20 -depth 8 "gray:$work/sample.nib" -evaluate multiply 17 \
    "$work/palette.png" -interpolate integer -clut -scale 800% \
    -define png:exclude-chunks=date,time "$root/docs/sample.png"
echo "docs/sample.png: $(identify -format '%wx%h, %k colours' "$root/docs/sample.png")"
