#!/usr/bin/env bash
# The exporter's outputs are all written or none: a full device or a reader that goes away
# (a pipe into "head") fails the run with a message and exit status 1, replaces no file and
# leaves nothing beside the files.
set -u
exporter=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# 200 cards woven with "F" at block size 1: instructions far longer than a pipe holds
{
  printf 'Big\r\nMain, 0, 1185, 1650, 9600, 7200\r\nDesign, 0, 0, 0, 7200, 5400\r\n'
  printf 'Display, 0, 0, 7200, 4800, 5400\r\nWeave, 0, 5400, 0, 7200, 3000\r\n'
  printf 'Turn sequence = F\r\n'
  printf 'Row, Position, Turn, AColor, BColor, CColor, DColor, Thread, HoleOrder, Pack\r\n'
  for card in $(seq 1 200); do
    printf '1, %d, 0, 255, 65280, 16711680, 0, 1, 0, 1\r\n' "$card"
  done
} > "$work/big.kst"

check_untouched() {
  [ "$(cat "$work/band.png")" = "old png" ] || fail "$1: band.png was replaced"
  [ "$(cat "$work/band.svg")" = "old svg" ] || fail "$1: band.svg was replaced"
  leftovers=$(find "$work" -name '.*tessaly*')
  [ -z "$leftovers" ] || fail "$1: left behind: $leftovers"
  grep -q . "$work/err" || fail "$1: no message"
}

printf 'old png' > "$work/band.png"
printf 'old svg' > "$work/band.svg"

if [ -w /dev/full ]; then
  "$exporter" "$work/big.kst" --png "$work/band.png" --svg "$work/band.svg" \
    --instructions /dev/full > /dev/null 2> "$work/err"
  status=$?
  [ "$status" = 1 ] || fail "/dev/full: exit status $status"
  check_untouched /dev/full
fi

"$exporter" "$work/big.kst" --block-size 1 --png "$work/band.png" --svg "$work/band.svg" \
  --instructions /dev/stdout 2> "$work/err" | head -n 2 > "$work/head"
status=${PIPESTATUS[0]}
[ "$status" = 1 ] || fail "closed pipe: exit status $status"
[ "$(wc -l < "$work/head")" = 2 ] || fail "closed pipe: head read $(wc -l < "$work/head") lines"
check_untouched "closed pipe"
echo "all or none: passed"
