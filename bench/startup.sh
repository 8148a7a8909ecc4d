#!/usr/bin/env bash
# Starts the Vexlo program RUNS times on a private X server (Xvfb, with the
# openbox window manager) and measures each start: the
# wall time from starting the process to its main window being shown
# (mapped and viewable), and the peak memory of the process from its start
# to its normal end once the window was closed (maximum resident set size,
# /usr/bin/time). The program runs from a folder of its own with a settings
# file that turns the start-up wizard off. One start before the measured ones
# warms the file cache and is not counted. Prints each run and the medians.
#
#   bench/startup.sh PATH/TO/vexlo [RUNS]
#
# VEXLO_BENCH_DISPLAY=:N uses that display number instead of a free one.
set -euo pipefail
program=${1:?usage: startup.sh PATH/TO/vexlo [RUNS]}
runs=${2:-9}
for tool in Xvfb openbox xdotool wmctrl /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "startup.sh needs $tool" >&2; exit 1; }
done

work=$(mktemp -d)
server_pid='' manager_pid='' vexlo_pid=''
cleanup() {
  for pid in $vexlo_pid $manager_pid $server_pid; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ -n "${VEXLO_BENCH_DISPLAY:-}" ]; then
  display=$VEXLO_BENCH_DISPLAY
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
  server_pid=$!
else
  # Xvfb picks a free display and writes its number to descriptor 3.
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
  server_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  display=:$(tr -d '[:space:]' <"$work/display")
fi
export DISPLAY=$display QT_QPA_PLATFORM=xcb
# A user data folder of its own: unsaved work left by a real session would
# otherwise be offered at the start, and nothing is left in the real one.
export XDG_DATA_HOME=$work/data
unset WAYLAND_DISPLAY
for _ in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
manager_pid=$!
sleep 0.5 # let the window manager take the screen before windows appear

# A copy of the program in a folder of its own: that folder is its program folder.
mkdir "$work/program"
cp "$program" "$work/program/vexlo"
settings=$'[Opt]\r\nChkStartWiz=0\r\n'

# Milliseconds since the epoch.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# One start: sets ms (to the shown window) and kib (peak memory).
measure_start() {
  printf '%s' "$settings" >"$work/program/Vexlo.INI"
  local start window='' shown
  start=$(now_ms)
  /usr/bin/time -f '%M' -o "$work/rss" "$work/program/vexlo" 2>/dev/null &
  vexlo_pid=$!
  while [ -z "$window" ]; do
    window=$(xdotool search --onlyvisible --name '^Vexlo$' 2>/dev/null | head -n 1 || true)
    if [ -z "$window" ]; then
      kill -0 "$vexlo_pid" 2>/dev/null || { echo "Vexlo ended before showing its window" >&2; exit 1; }
      [ $(($(now_ms) - start)) -lt 20000 ] || { echo "no main window within 20 s" >&2; exit 1; }
      sleep 0.005
    fi
  done
  shown=$(now_ms)
  sleep 0.5 # let it paint and settle before it is closed
  wmctrl -i -c "$window" # as its close box does
  wait "$vexlo_pid" || { echo "Vexlo did not end normally" >&2; exit 1; }
  vexlo_pid=''
  ms=$((shown - start))
  kib=$(tail -n 1 "$work/rss")
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure_start # warm-up, not counted
times=() peaks=()
for ((run = 0; run < runs; ++run)); do
  measure_start
  times+=("$ms")
  peaks+=("$kib")
done
time_median=$(printf '%s\n' "${times[@]}" | median)
peak_median=$(printf '%s\n' "${peaks[@]}" | median)
echo "start-up of the program to its shown main window, $runs runs:"
echo "  milliseconds:           ${times[*]}  median $time_median"
echo "  peak memory (KiB RSS):  ${peaks[*]}  median $peak_median"
