#!/usr/bin/env bash
# Makes the Windows icon data/icons/tarnvik.ico from the scalable icon
# data/icons/hicolor/scalable/apps/tarnvik.svg: one PNG image per size that
# Windows asks for (16 to 48 for lists, menus and the taskbar, 256 for large
# icon views), each drawn from the SVG rather than scaled from another size.
# Windows reads PNG images inside an .ico since Vista, and windres and
# makensis take them as they are. The .ico is committed; run this again
# after changing the SVG. Needs rsvg-convert (Debian package librsvg2-bin).
#   tools/make-windows-icon.sh [OUTPUT.ico]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
svg=$here/data/icons/hicolor/scalable/apps/tarnvik.svg
out=${1:-$here/data/icons/tarnvik.ico}
sizes=(16 24 32 48 256)
command -v rsvg-convert >/dev/null ||
  { echo "make-windows-icon: rsvg-convert is missing (apt-get install librsvg2-bin)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Fields of the icon directory, written as bytes, little-endian.
byte() { printf '%b' "\\x$(printf %02x $(($1 & 255)))"; }
le16() { byte "$1"; byte $(($1 >> 8)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

for s in "${sizes[@]}"; do
  rsvg-convert -w "$s" -h "$s" -f png -o "$work/$s.png" "$svg"
done
{
  le16 0; le16 1; le16 ${#sizes[@]}  # reserved, type 1 = icon, count
  offset=$((6 + 16 * ${#sizes[@]}))
  for s in "${sizes[@]}"; do
    bytes=$(stat -c %s "$work/$s.png")
    # Width and height 0 stand for 256; no palette; one plane, 32 bits.
    byte "$s"; byte "$s"; byte 0; byte 0
    le16 1; le16 32; le32 "$bytes"; le32 "$offset"
    offset=$((offset + bytes))
  done
  for s in "${sizes[@]}"; do
    cat "$work/$s.png"
  done
} >"$work/tarnvik.ico"
mv "$work/tarnvik.ico" "$out"
echo "$out"
