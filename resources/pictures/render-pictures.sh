#!/usr/bin/env bash
# Renders the pictures of the tip of the day, the welcome window and the about box's six
# animation frames into the PNG files that are compiled in.
# Needs rsvg-convert (Debian package librsvg2-bin); run it after changing a drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
rsvg-convert tip.svg -o tip.png
rsvg-convert introduction.svg -o introduction.png
for frame in 1 2 3 4 5 6; do
    sed "s/HAND/$(((frame - 1) * 60))/" about-frame.svg | rsvg-convert -o "about-$frame.png"
done
