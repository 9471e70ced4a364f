#!/usr/bin/env bash
# Renders the window icon from resources/icons/quorvel.svg in the sizes a desktop asks for.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 16 22 24 32 48 64 128 256; do
  convert -background none -density 300 quorvel.svg -resize "${size}x${size}" -strip "quorvel-$size.png"
done
