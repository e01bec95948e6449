#!/usr/bin/env bash
# The printed pattern is the same drawing whichever fixed-pitch face the desktop has chosen:
# a hand-woven band's printout (threading, band and turning instructions) is exported with
# DejaVu Sans Mono and with Noto Sans Mono as the desktop's monospace, and every page of the
# two is rendered and compared pixel for pixel.
set -u
exporter=$1
fonts=$(cd "$2" && pwd)  # fontconfig reads only an absolute path
pattern=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

for face in dejavu noto; do
  FONTCONFIG_FILE="$fonts/$face.conf" QT_QPA_PLATFORM=offscreen \
    "$exporter" "$pattern" --pdf "$work/$face.pdf" > /dev/null || fail "export with $face"
  pdftoppm -r 40 -png "$work/$face.pdf" "$work/$face" || fail "render $face"
done
dejavu=$(ls "$work"/dejavu-*.png | wc -l)
noto=$(ls "$work"/noto-*.png | wc -l)
[ "$dejavu" -eq "$noto" ] || fail "$dejavu pages with DejaVu Sans Mono, $noto with Noto Sans Mono"
for page in "$work"/dejavu-*.png; do
  cmp -s "$page" "${page/dejavu-/noto-}" || fail "page $(basename "$page") differs"
done
echo "$dejavu pages the same"
