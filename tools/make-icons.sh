#!/usr/bin/env bash
# Draws the application icon (share/icons/korven-SIZE.png) with ImageMagick: a toolpath seen
# from above at an angle, in the viewer's own colours. Run again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=share/icons
big=$(mktemp --suffix=.png)
trap 'rm -f "$big"' EXIT
# Drawn at 1024 and scaled down, so that every size gets smooth edges.
convert -size 1024x1024 xc:none \
  -fill '#101418' -stroke '#3a4450' -strokewidth 24 -draw "roundrectangle 44,44 980,980 150,150" \
  -fill none -strokewidth 48 \
  -stroke 'rgb(255,36,255)' -draw "stroke-linejoin round polygon 512,480 840,660 512,840 184,660" \
  -stroke 'rgb(36,255,36)' -draw "stroke-linejoin round polygon 512,350 840,530 512,710 184,530" \
  -stroke 'rgb(36,255,255)' -draw "stroke-linejoin round polygon 512,220 840,400 512,580 184,400" \
  -stroke 'rgb(182,0,0)' -draw "stroke-linecap round line 512,110 512,400" \
  "$big"
for size in 16 24 32 48 64 128 256; do
  convert "$big" -filter Lanczos -resize ${size}x${size} -depth 8 -strip "$out/korven-$size.png"
done
