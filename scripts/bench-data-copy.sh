#!/usr/bin/env bash
# Times `vorn-data copy` of a fully populated data set against the floor of
# merely decoding the same files with `iconv -f CP932 -t UTF-8`, and
# `vorn-data export` of the same data set into CSV files.
#   scripts/bench-data-copy.sh [BUILD_DIR] [RUNS]
# The two are run in turns, so that a busy moment of the machine falls on
# both alike, and the best of RUNS runs of each is compared, as wall time
# and as processor time (user + system).
set -euo pipefail
build=${1:-build}
runs=${2:-7}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$build/bench/bench_data_files" --write-dataset "$tmp/src"
echo "data set: $(du -sh "$tmp/src" | cut -f1) in $(ls "$tmp/src" | wc -l) files" >&2
cat "$tmp"/src/* > /dev/null  # warm the page cache

# Into a new directory each time; removing the last copy is not timed.
copy() {
  "$build/tools/vorn-data/vorn-data" copy "$tmp/src" "$tmp/dst"
}
export_csv() {
  # (its note about the data set's made-up weather codes is not wanted here)
  "$build/tools/vorn-data/vorn-data" export "$tmp/src" "$tmp/csv" 2>/dev/null
}
floor() {
  for f in "$tmp"/src/*; do iconv -f CP932 -t UTF-8 "$f" > /dev/null; done
}
# Prints "real cpu" of one run of the given function.
measure() {
  local TIMEFORMAT='%R %U %S' out
  out=$({ time "$1" >/dev/null; } 2>&1)
  echo "$out" | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}
min() { if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi; }

cr="" cc="" fr="" fc="" er="" ec=""
for _ in $(seq "$runs"); do
  rm -rf "$tmp/dst" "$tmp/csv"
  sync
  read -r r c < <(measure copy)
  cr=$(min "$cr" "$r") cc=$(min "$cc" "$c")
  read -r r c < <(measure export_csv)
  er=$(min "$er" "$r") ec=$(min "$ec" "$c")
  read -r r c < <(measure floor)
  fr=$(min "$fr" "$r") fc=$(min "$fc" "$c")
done
printf '%-32s %8s %8s\n' "" "wall" "cpu"
printf '%-32s %7.3fs %7.3fs\n' "vorn-data copy (load + save)" "$cr" "$cc"
printf '%-32s %7.3fs %7.3fs\n' "iconv CP932 -> UTF-8" "$fr" "$fc"
printf '%-32s %7.2fx %7.2fx\n' "ratio" "$(echo "$cr / $fr" | bc -l)" "$(echo "$cc / $fc" | bc -l)"
printf '%-32s %7.3fs %7.3fs\n' "vorn-data export (load + CSV)" "$er" "$ec"
echo "CSV files: $(du -sh "$tmp/csv" | cut -f1), $(cat "$tmp"/csv/*.csv | wc -l) lines" >&2
