#!/usr/bin/env bash
# Times vexlo-play replaying a full macro (32,767 recorded copy-drag lines,
# about 11,000 tile copies) on two 256 x 8192 sheets, reading and writing BMP
# files, over several runs, and prints the median. It must stay under 0.3 s,
# and within 3x of copying the same two files durably (cp, then sync), timed
# in turn with it.
#
#   bench/vexlo_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]
set -euo pipefail
play=${1:?usage: vexlo_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]}
maker=${2:?usage: vexlo_play.sh PATH/TO/vexlo-play PATH/TO/load_replace_save [RUNS]}
runs=${3:-9}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" --make "$work/left.bmp"
cp "$work/left.bmp" "$work/right.bmp"
# Copy drags alternating between the panes, each from another tile to another place.
awk 'BEGIN {
  rows = 256
  for (drag = 0; lines + 3 <= 32767; ++drag) {
    from = drag % 2; column = drag % 8; row = (drag * 7) % rows
    printf "Get,%d,%d,%d,%d\r\n", from, from, column, row
    printf "Put,%d,%d,%d,%d,-1\r\n", 1 - from, from, 7 - column, (row * 13) % rows
    printf "Cls,%d\r\n", from
    lines += 3
  }
  for (; lines < 32767; ++lines) printf "Cls,0\r\n"
}' > "$work/full.vmi"

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
times=()
copies=()
for ((run = 0; run < runs; ++run)); do
  start=$(date +%s%N)
  "$play" "$work/full.vmi" --left "$work/left.bmp" --right "$work/right.bmp" \
    --left-keys '#FF00FF,#000000' --right-keys '#00FFFF,#404040' --replace-translucent on \
    --out-left "$work/left-out.bmp" --out-right "$work/right-out.bmp"
  end=$(date +%s%N)
  times+=($(((end - start) / 1000)))
  start=$(date +%s%N)
  cp "$work/left.bmp" "$work/left-copy.bmp"
  cp "$work/right.bmp" "$work/right-copy.bmp"
  sync
  end=$(date +%s%N)
  copies+=($(((end - start) / 1000)))
done
median=$(median "${times[@]}")
copy=$(median "${copies[@]}")
echo "vexlo-play, 32,767 lines on two 256 x 8192 BMP sheets, $runs runs (microseconds):"
echo "  ${times[*]}  median $median"
echo "cp of both sheets, then sync (microseconds):"
echo "  ${copies[*]}  median $copy"
awk -v m="$median" -v c="$copy" 'BEGIN {
  printf "  median %.3f s (needs under 0.3 s): %s\n", m / 1e6, (m < 300000 ? "ok" : "TOO SLOW")
  printf "  %.2fx the durable copy (needs within 3x): %s\n", m / c, (m <= 3 * c ? "ok" : "TOO SLOW")
  exit (m < 300000 && m <= 3 * c ? 0 : 1)
}'
