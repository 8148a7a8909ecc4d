#!/usr/bin/env bash
# Times one 256 x 8192 PNG sheet loaded as the load dialog does and saved as
# a PNG as the save dialog does, and ImageMagick's convert doing the same,
# several runs of each, and prints the ratios of the medians (there is no
# target). convert runs twice over: told to compress as Vexlo does (each row
# stored against the row above, the fastest zlib level: -quality 12), and
# with its own settings, which compress harder. Every output must have the
# input's pixels; their sizes are printed.
#
# As in load_replace_save.sh, Vexlo's runs happen inside one process and
# each convert run is a process; Vexlo's time per process (start-up
# included) is printed as well.
#
#   bench/png_load_save.sh PATH/TO/load_save [RUNS]
set -euo pipefail
program=${1:?usage: png_load_save.sh PATH/TO/load_save [RUNS]}
runs=${2:-9}
source "$(dirname "$0")/race_support.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$program" --make "$work/big.png"

vexlo_process_times=() same_times=() default_times=()
for ((run = 0; run < runs; ++run)); do
  vexlo_process_times+=("$(micros "$program" "$work/big.png" "$work/vexlo.png")")
  same_times+=("$(micros "$convert" "$work/big.png" -quality 12 PNG24:"$work/same.png")")
  default_times+=("$(micros "$convert" "$work/big.png" PNG24:"$work/default.png")")
done
mapfile -t vexlo_times < <("$program" "$work/big.png" "$work/vexlo.png" "$runs")

for output in vexlo same default; do
  same_pixels "$work/big.png" "$work/$output.png"
done

size() { stat -c %s "$1"; }
vexlo_median=$(printf '%s\n' "${vexlo_times[@]}" | median)
vexlo_process_median=$(printf '%s\n' "${vexlo_process_times[@]}" | median)
same_median=$(printf '%s\n' "${same_times[@]}" | median)
default_median=$(printf '%s\n' "${default_times[@]}" | median)
echo "PNG load and save of a 256 x 8192 sheet, $runs runs each (microseconds):"
echo "  Vexlo core, in the running program: ${vexlo_times[*]}  median $vexlo_median"
echo "  Vexlo core, a process per run:      ${vexlo_process_times[*]}  median $vexlo_process_median"
echo "  ImageMagick convert, compressing as Vexlo does: ${same_times[*]}  median $same_median"
echo "  ImageMagick convert, its own settings: ${default_times[*]}  median $default_median"
echo "  file sizes (bytes): Vexlo $(size "$work/vexlo.png"), convert as Vexlo $(size "$work/same.png"), convert's own $(size "$work/default.png")"
awk -v v="$vexlo_median" -v s="$same_median" -v d="$default_median" 'BEGIN {
  printf "  Vexlo is %.2f times as fast as convert compressing alike, %.2f times as fast as convert with its own settings\n", s / v, d / v
}'
