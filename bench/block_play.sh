#!/usr/bin/env bash
# Times vexlo-play replaying what a block swap records (two 8 x 256-tile
# blocks of a 4096-tile sheet: 12,289 lines) on two 256 x 16384 BMP sheets,
# reading and writing them, and the same with a one-line macro, which is the
# reading and writing alone; prints both medians. The swap's lines should
# take no more than twice the window's swap beyond the reading and writing.
#
#   bench/block_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]
set -euo pipefail
play=${1:?usage: block_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]}
maker=${2:?usage: block_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]}
runs=${3:-9}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" --make "$work/left.bmp" 16384
cp "$work/left.bmp" "$work/right.bmp"
# As the window records it: the pick-up, then a single-tile swap for each
# pair of tiles, in reading order.
awk 'BEGIN {
  printf "Get,0,0,0,0\r\n"
  for (row = 0; row < 256; ++row)
    for (column = 0; column < 8; ++column) {
      printf "Get,0,0,%d,%d\r\nGet,0,1,%d,%d\r\n", column, row, column, row + 256
      printf "Put,0,0,%d,%d,0\r\nPut,0,1,%d,%d,0\r\nCls,0\r\nCls,1\r\n", column, row + 256, column, row
    }
}' > "$work/swap.vmi"
printf 'Cls,0\r\n' > "$work/one.vmi"

median_of() {
  local macro=$1 times=() start end
  for ((run = 0; run < runs; ++run)); do
    start=$(date +%s%N)
    "$play" "$macro" --left "$work/left.bmp" --right "$work/right.bmp" \
      --out-left "$work/left-out.bmp" --out-right "$work/right-out.bmp"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
swap=$(median_of "$work/swap.vmi")
one=$(median_of "$work/one.vmi")
echo "vexlo-play on two 256 x 16384 BMP sheets, $runs runs each (microseconds):"
echo "  the block swap's 12,289 lines: median $swap"
echo "  one line (reading and writing): median $one"
