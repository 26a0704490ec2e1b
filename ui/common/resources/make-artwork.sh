#!/bin/sh
# Draws the program's pictures with ImageMagick 6 and writes them beside this
# script: icon.png (32x32), icon16.png, app.ico, logo.png (165x124), help.png,
# and the desktop icon in hicolor/ (16 to 256 pixels, and scalable.svg).
# Each is drawn at eight times its size and scaled down for smooth edges.
# Needs the fonts of fonts-dejavu-core and fonts-urw-base35. The files carry no
# time stamps, so drawing them again gives the same bytes.
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stamp="-define png:exclude-chunks=date,time"

# Airliner seen from above, nose up, white with grey engines and outline, on a sky-blue tile.
convert -size 256x256 xc:none \
    -fill '#2f6fb8' -stroke '#1b4a80' -strokewidth 6 -draw 'roundrectangle 6,6 249,249 40,40' \
    -fill white -stroke '#7a7a7a' -strokewidth 5 \
    -draw 'path "M 128,18 C 142,18 146,40 146,60 L 146,98 L 236,146 L 236,168 L 146,146 L 144,196 L 182,222 L 182,238 L 128,226 L 74,238 L 74,222 L 112,196 L 110,146 L 20,168 L 20,146 L 110,98 L 110,60 C 110,40 114,18 128,18 Z"' \
    -fill '#9a9a9a' -stroke '#6a6a6a' -strokewidth 3 \
    -draw 'roundrectangle 66,118 80,152 5,5' -draw 'roundrectangle 176,118 190,152 5,5' \
    "$work/plane.png"
convert "$work/plane.png" -filter Lanczos -resize 32x32 +dither -colors 16 $stamp PNG32:icon.png
convert "$work/plane.png" -filter Lanczos -resize 16x16 +dither -colors 16 $stamp PNG32:icon16.png
convert icon16.png icon.png app.ico

# The desktop icon in full colour at the theme's sizes, and the same drawing as SVG.
mkdir -p hicolor
for size in 16 32 48 64 128 256; do
    convert "$work/plane.png" -filter Lanczos -resize ${size}x${size} $stamp PNG32:hicolor/$size.png
done
cat >hicolor/scalable.svg <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <rect x="6" y="6" width="243" height="243" rx="40" ry="40" fill="#2f6fb8" stroke="#1b4a80" stroke-width="6"/>
  <path d="M 128,18 C 142,18 146,40 146,60 L 146,98 L 236,146 L 236,168 L 146,146 L 144,196 L 182,222 L 182,238 L 128,226 L 74,238 L 74,222 L 112,196 L 110,146 L 20,168 L 20,146 L 110,98 L 110,60 C 110,40 114,18 128,18 Z" fill="#ffffff" stroke="#7a7a7a" stroke-width="5"/>
  <g fill="#9a9a9a" stroke="#6a6a6a" stroke-width="3">
    <rect x="66" y="118" width="14" height="34" rx="5" ry="5"/>
    <rect x="176" y="118" width="14" height="34" rx="5" ry="5"/>
  </g>
</svg>
SVG

# White question mark on a green disc.
convert -size 256x256 xc:none \
    -fill '#1f9a3c' -stroke '#0e6424' -strokewidth 10 -draw 'circle 128,128 128,8' \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 200 -gravity center \
    -annotate +0+6 '?' \
    "$work/help.png"
convert "$work/help.png" -filter Lanczos -resize 32x32 $stamp PNG32:help.png

# Logo: dark blue globe with a graticule, an orbit line across it and the product name.
w=1320 h=992 cx=660 cy=520 r=400
convert -size ${w}x${h} radial-gradient:'#2a5bb8-#061a4a' -crop $((2*r))x$((2*r))+0+0 +repage \
    -resize $((2*r))x$((2*r))! "$work/sea.png"
convert -size $((2*r))x$((2*r)) xc:black -fill white -draw "circle $r,$r $r,0" "$work/disc.png"
convert "$work/sea.png" -fill none -stroke '#5b8fe0' -strokewidth 6 \
    -draw "ellipse $r,$r 110,$r 0,360" -draw "ellipse $r,$r 250,$r 0,360" -draw "ellipse $r,$r 370,$r 0,360" \
    -draw "line $r,0 $r,$((2*r))" -draw "line 0,$r $((2*r)),$r" \
    -draw "line 40,$((r-200)) $((2*r-40)),$((r-200))" -draw "line 40,$((r+200)) $((2*r-40)),$((r+200))" \
    -draw "line 150,$((r-330)) $((2*r-150)),$((r-330))" -draw "line 150,$((r+330)) $((2*r-150)),$((r+330))" \
    "$work/disc.png" -alpha off -compose CopyOpacity -composite "$work/globe.png"
convert -size ${w}x${h} xc:none \
    "$work/globe.png" -geometry +$((cx-r))+$((cy-r)) -compose Over -composite \
    -fill none -stroke '#dfe8ff' -strokewidth 16 -draw "translate $cx,$cy rotate -14 ellipse 0,0 620,150 190,350" \
    -stroke '#dfe8ff' -strokewidth 16 -draw "translate $cx,$cy rotate -14 ellipse 0,0 620,150 0,150" \
    -font URW-Gothic-Demi-Oblique -pointsize 290 -gravity center \
    -stroke '#031030' -strokewidth 34 -fill '#031030' -annotate +0+40 'Zephlan' \
    -stroke none -fill '#f4f1e2' -annotate +0+40 'Zephlan' \
    "$work/logo.png"
convert "$work/logo.png" -filter Lanczos -resize 165x124! -background '#c0c0c0' -alpha remove $stamp PNG24:logo.png
