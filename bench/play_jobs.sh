#!/usr/bin/env bash
# Times vexlo-play --jobs on pairs of 256 x 1024 bitmap sheets against a
# process per pair, one thread against two, and compares the peak memory of
# a dry run of 1,000 jobs with one of 10,000. Each figure once, side by side
# in one run, so both sides meet the same load on the machine.
#
#   bench/play_jobs.sh PATH/TO/vexlo-play [PAIRS] [JOBS]
set -euo pipefail
play=$(realpath "${1:?usage: play_jobs.sh PATH/TO/vexlo-play [PAIRS] [JOBS]}") # it runs from a folder of its own
pairs=${2:-300}
jobs=${3:-1000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# 20 different sheets, each 256 x 1024 of 32 x 32 tiles in colours of its own.
python3 - <<'PY'
import random, struct
for n in range(20):
    random.seed(n)
    tiles = [bytes(random.randrange(256) for _ in range(3)) for _ in range(8 * 32)]
    rows = [b"".join(tiles[(y // 32) * 8 + x // 32] for x in range(256)) for y in range(1024)]
    data = b"".join(reversed(rows))
    header = b"BM" + struct.pack("<IHHI", 54 + len(data), 0, 0, 54)
    header += struct.pack("<IiiHHIIiiII", 40, 256, 1024, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(f"s{n}.bmp", "wb").write(header + data)
PY
# Tile swaps through both buffers, 3,000 lines.
awk 'BEGIN { for (i = 0; i < 500; ++i) { c = i % 8; r = (i * 7) % 32
  printf "Get,0,0,%d,%d\r\nGet,1,1,%d,%d\r\nPut,0,1,%d,%d,-1\r\nPut,1,0,%d,%d,0\r\nCls,0\r\nCls,1\r\n", c, r, 7 - c, r, c, r, 7 - c, r } }' > m.vmi
list() { # COUNT PREFIX
  for ((i = 0; i < $1; ++i)); do
    printf 's%d.bmp\ts%d.bmp\t%s%dl.bmp\t%s%dr.bmp\n' $((i % 20)) $(((i + 1) % 20)) "$2" $i "$2" $i
  done
}
now() { date +%s%N; }
ms() { echo $((($2 - $1) / 1000000)); }

list "$pairs" a > a.txt
start=$(now)
while IFS=$'\t' read -r left right outLeft outRight; do
  "$play" m.vmi --left "$left" --right "$right" --out-left "$outLeft" --out-right "$outRight"
done < a.txt
single=$(ms "$start" "$(now)")
list "$pairs" b > b.txt
start=$(now)
"$play" m.vmi --jobs b.txt 2>/dev/null
batch=$(ms "$start" "$(now)")
for ((i = 0; i < pairs; ++i)); do cmp -s a${i}l.bmp b${i}l.bmp && cmp -s a${i}r.bmp b${i}r.bmp || { echo "pair $i differs"; exit 1; }; done
rm -f a*[lr].bmp b*[lr].bmp
echo "$pairs pairs, $pairs processes against one --jobs process (milliseconds): $single $batch"

# One thread against two, each starting with nothing unsynced on the disk.
# These jobs write 1.5 GB; the disk's own pace is the time to copy the same
# outputs with one cp and sync them. The same run on a memory file system
# (/dev/shm) shows what the threads give where no disk sets the pace.
threads() { # FOLDER -> "ONE TWO" milliseconds
  local one two start
  (cd "$1"
    rm -f c*[lr].bmp; sync; start=$(now)
    "$play" m.vmi --jobs c.txt --threads 1 2>/dev/null; one=$(ms "$start" "$(now)")
    rm -f c*[lr].bmp; sync; start=$(now)
    "$play" m.vmi --jobs c.txt --threads 2 2>/dev/null; two=$(ms "$start" "$(now)")
    echo "$one $two")
}
list "$jobs" c > c.txt
read -r one two < <(threads .)
mkdir copy
sync
start=$(now)
cp c*[lr].bmp copy/
sync
copy=$(ms "$start" "$(now)")
rm -rf copy c*[lr].bmp
echo "$jobs jobs, 1 thread against 2 threads (milliseconds): $one $two"
echo "copying their outputs with one cp, then sync (milliseconds): $copy"
memory=
if [[ -d /dev/shm && -w /dev/shm ]]; then
  memory=$(mktemp -d /dev/shm/vexlo-jobs.XXXXXX)
  trap 'rm -rf "$work" "$memory"' EXIT
  cp s*.bmp m.vmi c.txt "$memory"/
  read -r memoryOne memoryTwo < <(threads "$memory")
  rm -rf "$memory"
  echo "$jobs jobs in memory (/dev/shm), 1 thread against 2 threads (milliseconds): $memoryOne $memoryTwo"
fi

# One line: the memory of the jobs, not the time of the macro.
printf 'Get,0,0,1,1\r\n' > one.vmi
list 1000 d > d.txt
list 10000 e > e.txt
small=$(/usr/bin/time -f %M "$play" one.vmi --jobs d.txt --dry-run 2>&1 >/dev/null | tail -1)
large=$(/usr/bin/time -f %M "$play" one.vmi --jobs e.txt --dry-run 2>&1 >/dev/null | tail -1)
echo "peak memory of a dry run, 1,000 against 10,000 jobs (KiB): $small $large"

awk -v s="$single" -v b="$batch" -v o="$one" -v t="$two" -v c="$copy" -v m="$small" -v l="$large" 'BEGIN {
  printf "  one process %.2fx faster than a process a pair (needs at least 3)\n", s / b
  printf "  two threads %.2fx faster than one (needs at least 1.6); 2 threads take %.2fx the copy\n", o / t, t / c
  printf "  peak memory 10,000 / 1,000 jobs: %.2f\n", l / m
}'
if [[ -n $memory ]]; then
  awk -v o="$memoryOne" -v t="$memoryTwo" 'BEGIN { printf "  in memory, two threads %.2fx faster than one\n", o / t }'
fi
