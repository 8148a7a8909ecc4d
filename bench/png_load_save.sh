#!/usr/bin/env bash
# Times one 256 x 8192 PNG sheet loaded as the load dialog does and saved as
# a PNG as the save dialog does, and ImageMagick's convert doing the same,
# several runs of each, and prints the ratios of the medians (the target:
# at least 4 times convert's speed at its fastest level; bench/run's table
# says whether it was met). convert runs twice over: told to use the fastest
# zlib level (-quality 15: level 1, its adaptive row filters), and with its
# own settings (level 7), which compress harder. Vexlo stores each row
# against the row above and deflates and inflates with libdeflate, at its
# fastest level.
# Every output must have the input's pixels; their sizes are printed.
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
"$program" --make "$work/big.png"

vexlo_process_times=() fast_times=() default_times=()
for ((run = 0; run < runs; ++run)); do
  vexlo_process_times+=("$(micros "$program" "$work/big.png" "$work/vexlo.png")")
  fast_times+=("$(micros "$convert" "$work/big.png" -quality 15 PNG24:"$work/fast.png")")
  default_times+=("$(micros "$convert" "$work/big.png" PNG24:"$work/default.png")")
done
mapfile -t vexlo_times < <("$program" "$work/big.png" "$work/vexlo.png" "$runs")

for output in vexlo fast default; do
  same_pixels "$work/big.png" "$work/$output.png"
done

size() { stat -c %s "$1"; }
echo "PNG load and save of a 256 x 8192 sheet, $runs runs each (microseconds):"
print_times "Vexlo core, in the running program:" "${vexlo_times[@]}"
print_times "Vexlo core, a process per run:     " "${vexlo_process_times[@]}"
print_times "ImageMagick convert, fastest compression:" "${fast_times[@]}"
print_times "ImageMagick convert, its own settings:" "${default_times[@]}"
echo "  file sizes (bytes): Vexlo $(size "$work/vexlo.png"), convert fastest $(size "$work/fast.png"), convert's own $(size "$work/default.png")"
awk -v v="$(median_of "${vexlo_times[@]}")" -v f="$(median_of "${fast_times[@]}")" \
    -v d="$(median_of "${default_times[@]}")" 'BEGIN {
  printf "  Vexlo is %.2f times as fast as convert at its fastest, %.2f times as fast as convert with its own settings\n", f / v, d / v
}'
