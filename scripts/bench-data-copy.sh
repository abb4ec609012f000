#!/usr/bin/env bash
# Times `vorn-data copy` of a fully populated data set against the floor of
# merely decoding the same files with `iconv -f CP932 -t UTF-8`.
#   scripts/bench-data-copy.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build=${1:-build}
runs=${2:-5}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

"$build/bench/bench_data_files" --write-dataset "$tmp/src"
echo "data set: $(du -sh "$tmp/src" | cut -f1) in $(ls "$tmp/src" | wc -l) files" >&2
cat "$tmp"/src/* > /dev/null  # warm the page cache

now() { date +%s.%N; }
# Best wall time of $runs runs of the given shell snippet.
best() {
  local b="" t0 t1 d
  for _ in $(seq "$runs"); do
    t0=$(now); eval "$1"; t1=$(now)
    d=$(echo "$t1 - $t0" | bc -l)
    if [ -z "$b" ] || [ "$(echo "$d < $b" | bc -l)" = 1 ]; then b=$d; fi
  done
  echo "$b"
}

copy=$(best 'rm -rf "$tmp/dst"; "$build/tools/vorn-data/vorn-data" copy "$tmp/src" "$tmp/dst"')
floor=$(best 'for f in "$tmp"/src/*; do iconv -f CP932 -t UTF-8 "$f" > /dev/null; done')
printf 'vorn-data copy (load + save): %.3f s\n' "$copy"
printf 'iconv CP932 -> UTF-8:         %.3f s\n' "$floor"
printf 'ratio:                        %.2f x\n' "$(echo "$copy / $floor" | bc -l)"
