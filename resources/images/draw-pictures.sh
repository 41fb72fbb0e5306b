#!/bin/sh
# Redraws the About box pictures and the program icon with ImageMagick.
set -e
cd "$(dirname "$0")"

# Program icon: a colour wheel of six slices on a slate tile.
python3 - <<'PY'
import math, subprocess
colours = ["#e53935", "#fdd835", "#43a047", "#00acc1", "#1e88e5", "#8e24aa"]
for s in (32, 48, 64, 128):
    c, r, corner = s / 2, s * 0.38, s // 6
    args = ["convert", "-size", f"{s}x{s}", "xc:none", "-fill", "#37474f",
            "-draw", f"roundrectangle 0,0 {s - 1},{s - 1} {corner},{corner}"]
    for i, colour in enumerate(colours):
        a0, a1 = math.radians(i * 60 - 90), math.radians(i * 60 - 30)
        x0, y0 = c + r * math.cos(a0), c + r * math.sin(a0)
        x1, y1 = c + r * math.cos(a1), c + r * math.sin(a1)
        args += ["-fill", colour, "-draw",
                 f"path 'M {c:.2f},{c:.2f} L {x0:.2f},{y0:.2f} A {r:.2f},{r:.2f} 0 0,1 {x1:.2f},{y1:.2f} Z'"]
    args += ["-fill", "#f5f5f5", "-draw", f"circle {c:.2f},{c:.2f} {c + s * 0.1:.2f},{c:.2f}",
             f"PNG32:hueforge-{s}.png"]
    subprocess.run(args, check=True)
PY
mv hueforge-32.png hueforge.png

# Maker's picture, 134 x 137, 256 colours: a prism splitting a white beam into a fan.
convert -size 134x137 xc:none \
    -stroke '#fafafa' -strokewidth 3 -draw 'line 4,92 52,72' \
    -stroke none \
    -fill '#e53935' -draw 'polygon 70,66 130,38 130,52' \
    -fill '#fb8c00' -draw 'polygon 70,68 130,52 130,66' \
    -fill '#fdd835' -draw 'polygon 70,70 130,66 130,80' \
    -fill '#43a047' -draw 'polygon 70,72 130,80 130,94' \
    -fill '#1e88e5' -draw 'polygon 70,74 130,94 130,108' \
    -fill '#8e24aa' -draw 'polygon 70,76 130,108 130,122' \
    -fill '#b0bec5' -stroke '#37474f' -strokewidth 2 -draw 'polygon 67,14 108,112 26,112' \
    -fill '#eceff1' -stroke none -draw 'polygon 67,30 94,104 67,104' \
    -colors 256 PNG8:corvane.png

# Web site picture, 40 x 32, 16 colours: a globe.
convert -size 40x32 xc:none \
    -fill '#1e88e5' -stroke '#0d47a1' -strokewidth 1 -draw 'circle 20,16 20,2' \
    -stroke none -fill '#43a047' \
    -draw 'ellipse 14,11 5,4 0,360' -draw 'ellipse 25,20 6,5 0,360' -draw 'ellipse 12,23 3,2 0,360' \
    -fill none -stroke '#bbdefb' -strokewidth 1 \
    -draw 'ellipse 20,16 6,14 0,360' -draw 'line 6,16 34,16' -draw 'line 20,2 20,30' \
    -colors 16 PNG8:website.png

# Contact picture, 40 x 32, 16 colours: an envelope.
convert -size 40x32 xc:none \
    -fill '#fff8e1' -stroke '#5d4037' -strokewidth 1 -draw 'rectangle 3,6 36,26' \
    -fill none -draw 'polyline 3,6 20,18 36,6' -draw 'line 3,26 15,15' -draw 'line 36,26 25,15' \
    -colors 16 PNG8:email.png
