#!/usr/bin/env bash
# Redraws the checked-in 48x48 PNG icon from the SVG; the build itself needs no converter.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
rsvg-convert -w 48 -h 48 "$here/io.github.kelvane.Kelvane.svg" -o "$here/io.github.kelvane.Kelvane-48.png"
