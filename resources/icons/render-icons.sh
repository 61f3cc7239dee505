#!/usr/bin/env bash
# Renders the program's icon into the hicolor PNG sizes that are installed and compiled in.
# Needs rsvg-convert (Debian package librsvg2-bin); run it after changing the drawing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" com.marrowind.Vellagon.svg \
        -o "hicolor/${size}x${size}/apps/com.marrowind.Vellagon.png"
done
