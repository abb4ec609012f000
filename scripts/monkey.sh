#!/usr/bin/env bash
# make monkey: the program built with the sanitizers, on a virtual X screen
# with the full data set (every day 1999-2030, 30 produce, 300 materials with
# 1000 transactions, 50 works, 30 crops), fed random input for MINUTES; then
# the files it saved must pass `vorn-data check`. The report (seed, findings
# and the last 50 actions of each) goes to BUILD/monkey/SEED/report.txt.
#   scripts/monkey.sh BUILD_DIR MINUTES SEED [REPLAY_FILE]
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
minutes=${2:-10}
seed=${3:-$RANDOM$RANDOM}
replay=${4:-}
out="$build/monkey/$seed${replay:+-replay}"
work=$(mktemp -d /tmp/vorn-monkey-XXXXXX)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out" "$work/vorn" "$work/home" "$work/run"
chmod 700 "$work/run"
"$build/tests/vorn_make_dataset" "$work/vorn" 1 50

echo "monkey: seed $seed, $minutes minutes${replay:+, replaying $replay}; report in $out" >&2
status=0
ASAN_OPTIONS=detect_leaks=0 "$build/tools/vorn-monkey/vorn-monkey" --vorn "$build/vorn" --home "$work" \
  --out "$out" --minutes "$minutes" --seed "$seed" --suppressions "$PWD/tests/support/lsan.supp" \
  ${replay:+--replay "$(realpath "$replay")"} || status=$?
if ASAN_OPTIONS=detect_leaks=0 "$build/tools/vorn-data/vorn-data" check "$work/vorn" >"$out/check.txt" 2>&1; then
  echo "vorn-data check of the saved files: passed" | tee -a "$out/report.txt"
else
  echo "vorn-data check of the saved files: FAILED (see $out/check.txt; the files are in $out/data)" |
    tee -a "$out/report.txt"
  cp -r "$work/vorn" "$out/data"
  status=1
fi
exit "$status"
