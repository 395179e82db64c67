#!/usr/bin/env bash
# Draws the wizard picture (bitmap 101: 120 x 260, 256 colours) and the application icon.
# The results are committed under res/; run this again only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")/../res"
convert -size 120x260 gradient:'#0b2a5b'-'#3f8fd8' \
    -fill none -stroke '#ffffff80' -strokewidth 3 -draw 'circle 60,95 60,55' \
    -stroke '#ffd24a' -strokewidth 4 -draw 'circle 60,95 60,75' \
    -fill '#ffd24a' -stroke none -draw 'circle 60,95 60,88' \
    -fill '#ffffff' -draw 'rectangle 20,200 100,204' -draw 'rectangle 20,212 80,216' \
    -colors 256 -type Palette BMP3:picture.bmp
convert -size 32x32 xc:'#0b2a5b' -fill none -stroke '#ffd24a' -strokewidth 3 -draw 'circle 16,16 16,5' \
    -fill '#ffd24a' -stroke none -draw 'circle 16,16 16,12' \( +clone -resize 16x16 \) setup.ico
identify picture.bmp setup.ico
