#!/usr/bin/env bash
# Starts the program with the farmer's data directory. The program needs a
# screen of exactly 1024 x 768 pixels; on a display of any other size it
# opens a nested 1024 x 768 X screen (Xephyr) and runs there, with a small
# window manager (to move and raise the windows) whose tray along the bottom
# edge holds the notification area (for "/t").
set -euo pipefail
vorn="$1"
shift

display_size() {
  command -v xdpyinfo >/dev/null 2>&1 || return 1
  xdpyinfo 2>/dev/null | awk '/dimensions:/ { print $2; exit }'
}

# Usage and version need no screen.
for arg in "$@"; do
  case "$arg" in --help | -h | --version) exec "$vorn" "$@" ;; esac
done

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "画面（ディスプレイ）がないため、Vorn を起動できません。デスクトップから起動してください。" >&2
  echo "No display: start Vorn from a desktop session (or set DISPLAY)." >&2
  exit 1
fi

size="$(display_size || true)"
if [ -n "${DISPLAY:-}" ] && [ -n "$size" ] && [ "$size" != "1024x768" ] && command -v Xephyr >/dev/null 2>&1; then
  # A nested screen of the size the program is laid out for.
  fdfile="$(mktemp)"
  Xephyr -displayfd 4 -screen 1024x768 -dpi 96 -title "Vorn 1024x768" -no-host-grab -nolisten tcp 4>"$fdfile" &
  xephyr=$!
  trap 'kill "$xephyr" 2>/dev/null || true; rm -f "$fdfile"' EXIT
  for _ in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  nested="$(head -n1 "$fdfile" 2>/dev/null || true)"
  if [ -z "$nested" ]; then
    echo "Xephyr did not start; running on the current display ($size)." >&2
  else
    if command -v jwm >/dev/null 2>&1; then
      DISPLAY=":$nested" jwm -f "$(dirname "$0")/jwmrc" 2>/dev/null &
      wm=$!
      trap 'kill "$wm" 2>/dev/null || true; kill "$xephyr" 2>/dev/null || true; rm -f "$fdfile"' EXIT
      # The notification area must be there before the program looks for it.
      for _ in $(seq 1 50); do
        DISPLAY=":$nested" xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
      done
    else
      echo "jwm is not installed: no window manager or notification area in the nested screen." >&2
    fi
    status=0
    DISPLAY=":$nested" QT_QPA_PLATFORM=xcb "$vorn" "$@" || status=$?
    exit "$status"
  fi
fi
exec "$vorn" "$@"
