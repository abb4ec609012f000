#!/usr/bin/env bash
# Runs every reader's fuzz harness for a bounded time.
#   scripts/run-fuzzers.sh BUILD_DIR SECONDS [READER...]
# The working corpus grows in BUILD_DIR/corpus/<reader> (seeded from
# fuzz/corpus/<reader>, with fuzz/dict/<reader>.dict as keywords); crashes
# are kept in BUILD_DIR/artifacts/<reader>.
set -euo pipefail
build=${1:?build directory}
seconds=${2:-60}
shift 2 || true
root=$(cd "$(dirname "$0")/.." && pwd)
readers=("$@")
[ ${#readers[@]} -eq 0 ] && readers=(ondo schedule tenki material kousui observe nikki price all)
status=0
for r in "${readers[@]}"; do
  mkdir -p "$build/corpus/$r" "$build/artifacts/$r"
  cp -n "$root/fuzz/corpus/$r"/* "$build/corpus/$r"/  # the seeds; new inputs stay in the build
  echo "== fuzzing $r for ${seconds}s" >&2
  # The time-out is wall-clock time and generous: on a busy machine a
  # sanitized run that reads back a written file can take seconds.
  if ! "$build/fuzz_$r" -max_total_time="$seconds" -timeout=180 -rss_limit_mb=4096 \
      -dict="$root/fuzz/dict/$r.dict" -artifact_prefix="$build/artifacts/$r/" -print_final_stats=1 \
      "$build/corpus/$r" 2>"$build/fuzz_$r.log"; then
    echo "!! $r: finding, see $build/fuzz_$r.log and $build/artifacts/$r/" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "$build/fuzz_$r.log" >&2 || true
done
exit $status
