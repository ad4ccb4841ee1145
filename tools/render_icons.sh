#!/usr/bin/env bash
# Renders the program's icon (packaging/icons/*.svg) into the PNG sizes that desktops look for,
# beside it under packaging/icons/hicolor/. Run after changing the SVG and commit the PNGs; the
# build installs them as they are. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../packaging/icons"
command -v rsvg-convert >/dev/null || { echo "render_icons: rsvg-convert is missing (librsvg2-bin)" >&2; exit 2; }
for svg in *.svg; do
    for size in 16 22 24 32 48 64 128 256; do
        mkdir -p "hicolor/${size}x${size}/apps"
        rsvg-convert -w "$size" -h "$size" "$svg" -o "hicolor/${size}x${size}/apps/${svg%.svg}.png"
    done
done
echo "rendered $(find hicolor -name '*.png' | wc -l) PNG files"
