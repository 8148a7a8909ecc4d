# Shared by the race scripts (sourced, not run): ImageMagick's convert, a
# work folder removed at the end, a wall-clock timer and medians.

# ImageMagick's own program, not a script standing in front of it in PATH,
# whose start-up would be counted against ImageMagick.
convert=''
for candidate in $(type -ap convert); do
  if [ "$(head -c 4 "$candidate")" = $'\x7fELF' ]; then convert=$candidate; break; fi
done
[ -n "$convert" ] || { echo "ImageMagick's convert is not installed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Wall time of one command in microseconds.
micros() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
median_of() { printf '%s\n' "$@" | median; }
# "  LABEL TIMES  median M", a line of a race's report.
print_times() { local label=$1; shift; echo "  $label $*  median $(median_of "$@")"; }

# Fails unless the two pictures have the same pixels, or a race means nothing.
same_pixels() {
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  if [ "$differing" != "0" ]; then
    echo "the two results differ in $differing pixels" >&2
    exit 1
  fi
}
