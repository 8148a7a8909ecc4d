#!/usr/bin/env bash
# Times one 256 x 8192 sheet taken through Vexlo's core (load as the load
# dialog does, replace magenta by black, save as the save dialog does) and
# through ImageMagick's convert doing the same, several runs of each, and
# prints the ratio of the medians. Vexlo must be at least 3 times faster.
#
# Vexlo's runs happen inside one process, as they do in the running program
# where a user loads, replaces and saves; convert is a program of its own, so
# each of its runs is a process. Vexlo's time per process (start-up
# included) is printed as well, for comparison.
#
#   bench/load_replace_save.sh PATH/TO/load_replace_save [RUNS]
set -euo pipefail
program=${1:?usage: load_replace_save.sh PATH/TO/load_replace_save [RUNS]}
runs=${2:-9}
source "$(dirname "$0")/race_support.sh"
"$program" --make "$work/big.bmp"

vexlo_process_times=() magick_times=()
for ((run = 0; run < runs; ++run)); do
  vexlo_process_times+=("$(micros "$program" "$work/big.bmp" "$work/vexlo.bmp")")
  magick_times+=("$(micros "$convert" "$work/big.bmp" -fill black -opaque '#FF00FF' BMP3:"$work/magick.bmp")")
done
mapfile -t vexlo_times < <("$program" "$work/big.bmp" "$work/vexlo.bmp" "$runs")

same_pixels "$work/vexlo.bmp" "$work/magick.bmp"

echo "load, replace colour, save of a 256 x 8192 bitmap, $runs runs each (microseconds):"
print_times "Vexlo core, in the running program:" "${vexlo_times[@]}"
print_times "Vexlo core, a process per run:     " "${vexlo_process_times[@]}"
print_times "ImageMagick convert, a process per run:" "${magick_times[@]}"
awk -v v="$(median_of "${vexlo_times[@]}")" -v m="$(median_of "${magick_times[@]}")" 'BEGIN {
  ratio = m / v
  printf "  Vexlo is %.2f times as fast (needs at least 3): %s\n", ratio, (ratio >= 3 ? "ok" : "TOO SLOW")
  exit (ratio >= 3 ? 0 : 1)
}'
