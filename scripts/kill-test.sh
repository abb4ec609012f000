#!/usr/bin/env bash
# Kill test of saving: a fully populated data set is saved again and again,
# each save killed with SIGKILL at a random moment, half of them through
# `vorn-data copy` and half through the program's own save-all on a virtual
# X screen. After every kill each data file must be byte for byte either the
# complete old version or the complete new one, no leftover may carry a data
# file's name, and the folder must load without an error.
#   scripts/kill-test.sh BUILD_DIR [KILLS]
set -euo pipefail
build=$(cd "${1:?build directory}" && pwd)
kills=${2:-200}
half=$((kills / 2))
files=(ondo.dat Schedule.dat tenki.dat material.dat kousui.dat observe.dat nikki.dat price.dat)
work=$(mktemp -d /tmp/vorn-kill-XXXXXX)
xvfb_pid=
# What the program says on its way (kept for a look after a failure).
log="$build/kill-test-vorn.log"
: >"$log"
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

make_set() { mkdir -p "$1" && "$build/tests/vorn_make_dataset" "$1" "$2"; }
# A random delay in seconds between 0 and $1.
random_delay() { awk -v max="$1" -v r="$RANDOM$RANDOM" 'BEGIN { srand(r); printf "%.3f", rand() * max }'; }

make_set "$work/v1" 1
make_set "$work/v2" 2
old_n=0 new_n=0 mixed_n=0 damaged=0 leftovers=0 load_errors=0

# Compares every file of $1 (after the kill) with $2 (before) and $3 (what
# was being written); tallies the outcome.
judge() {
  local data=$1 before=$2 after=$3 olds=0 news=0 bad=0
  for f in "${files[@]}"; do
    if cmp -s "$data/$f" "$after/$f"; then news=$((news + 1))
    elif cmp -s "$data/$f" "$before/$f"; then olds=$((olds + 1))
    else bad=$((bad + 1)); echo "!! $f is neither the old nor the new version" >&2
    fi
  done
  if [ $bad -gt 0 ]; then damaged=$((damaged + 1))
  elif [ $news -eq ${#files[@]} ]; then new_n=$((new_n + 1))
  elif [ $olds -eq ${#files[@]} ]; then old_n=$((old_n + 1))
  else mixed_n=$((mixed_n + 1))
  fi
  # Leftovers of a killed save carry the temporary suffix, never a data name.
  for p in "$data"/*; do
    local n=${p##*/} known=0
    for f in "${files[@]}"; do [ "$n" = "$f" ] && known=1; done
    if [ $known -eq 0 ]; then
      case "$n" in
        *.dat.tmp-*|*.damaged-*) leftovers=$((leftovers + 1)); rm -f "$p" ;;
        *) echo "!! unexpected file $n" >&2; damaged=$((damaged + 1)) ;;
      esac
    fi
  done
  if ! "$build/tools/vorn-data/vorn-data" check "$data" >/dev/null; then
    load_errors=$((load_errors + 1))
    echo "!! the folder does not load" >&2
  fi
}

tally() {
  local total=$((old_n + new_n + mixed_n + damaged))
  echo "$1: kills: $total  old: $old_n  new: $new_n  some old, some new: $mixed_n  damaged: $damaged  leftovers removed: $leftovers  load errors: $load_errors"
}

# --- Half through vorn-data copy -------------------------------------------
data="$work/copy-data"
cp -r "$work/v1" "$data"
start=$(date +%s.%N)
"$build/tools/vorn-data/vorn-data" copy "$work/v2" "$data" >/dev/null
cp "$work/v1"/* "$data"/
span=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print (b - a) * 1.2 }')
echo "vorn-data copy of the full set takes about ${span}s; $half kills" >&2
for ((i = 0; i < half; i++)); do
  src="$work/v$((i % 2 + 1))"
  rm -rf "$work/before" && cp -r "$data" "$work/before"
  "$build/tools/vorn-data/vorn-data" copy "$src" "$data" >/dev/null 2>&1 &
  pid=$!
  sleep "$(random_delay "$span")"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  judge "$data" "$work/before" "$src"
done

tally "vorn-data copy"

# --- Half through the program's save-all -----------------------------------
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 2>/dev/null &
xvfb_pid=$!
read -r -t 15 -u "$fd" display_number
export DISPLAY=":$display_number"
home="$work/home"
mkdir -p "$home/vorn" "$home/run"
chmod 700 "$home/run"
data="$home/vorn"
cp "$work/v1"/* "$data"/

# The menu bar: the visible window "Vorn" that spans the screen (the title
# window has the same name).
menu_bar() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Vorn$' 2>/dev/null); do
    if xdotool getwindowgeometry "$w" 2>/dev/null | grep -q 'Geometry: 1024x'; then echo "$w"; return; fi
  done
}

# Starts the program on the data folder, waits for its menu bar; then the
# files on disk are replaced by the other version, so the save-all (Alt+F, S)
# writes records that differ from what is on disk.
run_program() {
  local on_disk=$1 delay=$2
  XDG_DATA_HOME="$home" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb "$build/vorn" >>"$log" 2>&1 &
  pid=$!
  local bar=
  for _ in $(seq 1 300); do
    bar=$(menu_bar)
    [ -n "$bar" ] && break
    sleep 0.1
  done
  if [ -z "$bar" ]; then echo "!! no menu bar" >&2; kill -9 "$pid"; wait "$pid" 2>/dev/null || true; return 1; fi
  cp "$on_disk"/* "$data"/
  rm -rf "$work/before" && cp -r "$data" "$work/before"
  xdotool windowfocus --sync "$bar" key alt+f
  sleep 0.3
  xdotool key s
  if [ "$delay" = wait ]; then
    return 0
  fi
  sleep "$delay"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

# One save left to finish, to know how long a save-all takes.
run_program "$work/v2" wait
start=$(date +%s.%N)
for _ in $(seq 1 600); do
  cmp -s "$data/price.dat" "$work/v1/price.dat" && break
  sleep 0.05
done
span=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { print (b - a) * 1.2 }')
kill -9 "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
echo "a save-all of the full set takes about ${span}s; $half kills" >&2
for ((i = 0; i < half; i++)); do
  # What the program loads is what is on disk now; the other version goes
  # onto the disk under it.
  if cmp -s "$data/price.dat" "$work/v1/price.dat"; then other="$work/v2"; else other="$work/v1"; fi
  rm -rf "$work/loaded" && cp -r "$data" "$work/loaded"
  run_program "$other" "$(random_delay "$span")" || { damaged=$((damaged + 1)); continue; }
  judge "$data" "$work/before" "$work/loaded"
done

tally "all"
[ "$damaged" -eq 0 ] && [ "$load_errors" -eq 0 ]
