#!/usr/bin/env bash
# The Debian package, made from the build tree into a scratch folder: its
# exact file list under /usr, its dependencies, and what it installs: a
# desktop application that validates as a whole, a launcher that finds the
# program beside it, and a vorn-data that runs with the system's libraries.
#   tests/packaging/deb-contents.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1; then
  cat "$tmp/cpack.log" >&2
  exit 1
fi
deb=$(echo "$tmp"/out/vorn_*_"$(dpkg --print-architecture)".deb)
[ -f "$deb" ] || { ls "$tmp/out" >&2; echo "FAIL: no vorn_*.deb" >&2; exit 1; }

# Every file, and nothing else (no test programs, libraries or headers); the
# guide's pages are those of the checkout, its pictures are checked below.
src=$(cd "$(dirname "$0")/../.." && pwd)
guide=$(cd "$src/doc/guide" && ls | sed 's|^|./usr/share/vorn/help/|')
expected="./usr/bin/vorn
./usr/bin/vorn-data
./usr/libexec/vorn/jwmrc
./usr/libexec/vorn/run-on-1024x768
./usr/libexec/vorn/vorn
./usr/share/applications/org.vorn.Vorn.desktop
./usr/share/doc/vorn/README.md
./usr/share/icons/hicolor/256x256/apps/org.vorn.Vorn.png
./usr/share/icons/hicolor/48x48/apps/org.vorn.Vorn.png
./usr/share/icons/hicolor/scalable/apps/org.vorn.Vorn.svg
./usr/share/man/man1/vorn-data.1.gz
./usr/share/metainfo/org.vorn.Vorn.metainfo.xml
$guide"
expected=$(sort <<<"$expected")
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | grep -v '^\./usr/share/vorn/help/img/' | sort)
[ "$files" = "$expected" ] || fail "file list differs:
$(diff <(echo "$expected") <(echo "$files") || true)"

[ "$(dpkg-deb -f "$deb" Package)" = vorn ] || fail "package name"
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for p in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 qt6-qpa-plugins qt6-translations-l10n \
         fonts-ipafont-gothic xserver-xephyr x11-utils jwm; do
  grep -qxF "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done
if grep -qE -- '-dev$|gtest|benchmark' <<<"$names"; then fail "Depends has build packages: $depends"; fi

dpkg-deb -x "$deb" "$tmp/root"
usr=$tmp/root/usr
for f in bin/vorn bin/vorn-data libexec/vorn/vorn libexec/vorn/run-on-1024x768; do
  [ -x "$usr/$f" ] || fail "$f is not executable"
done
# Stripped programs: no debugging sections.
if readelf -S "$usr/libexec/vorn/vorn" | grep -q '\.debug_info'; then fail "vorn is not stripped"; fi

# The bitmaps are the sizes their folders name (PNG width and height).
for size in 48 256; do
  dims=$(od -An -tu4 --endian=big -j16 -N8 "$usr/share/icons/hicolor/${size}x${size}/apps/org.vorn.Vorn.png" | xargs)
  [ "$dims" = "$size $size" ] || fail "${size}x${size} icon is $dims"
done
gzip -t "$usr/share/man/man1/vorn-data.1.gz" || fail "manual page is not gzip"
# The guide as installed: its links and pictures lead to files it holds.
out=$(python3 "$src/scripts/check-guide.py" "$usr/share/vorn/help") || fail "installed guide: $out"

# The desktop entry, the metadata and the icon fit together as installed.
out=$(desktop-file-validate "$usr/share/applications/org.vorn.Vorn.desktop" 2>&1) || true
[ -z "$out" ] || fail "desktop-file-validate: $out"
appstreamcli validate-tree --no-net "$tmp/root" >"$tmp/tree.log" 2>&1 || fail "validate-tree: $(cat "$tmp/tree.log")"

# The launcher finds its helper and the program from wherever it is
# installed: without a display the helper answers.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/vorn" 2>&1) && fail "vorn started without a display"
grep -q "No display" <<<"$out" || fail "launcher: $out"
# Usage and version are answered without a display, and the program itself
# ends with one line (not an abort) where no display can be opened.
env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/vorn" --version | grep -qx "vorn $(dpkg-deb -f "$deb" Version)" ||
  fail "vorn --version"
env -u DISPLAY -u WAYLAND_DISPLAY "$usr/bin/vorn" --help | grep -q "/t" || fail "vorn --help"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$usr/libexec/vorn/vorn" 2>&1) && st=0 || st=$?
[ "$st" = 1 ] && grep -q "ディスプレイ" <<<"$out" || fail "vorn without a display: status $st: $out"
"$usr/bin/vorn-data" --help | grep -q "export \[--replace\] DIR OUT" || fail "vorn-data --help"

[ $status = 0 ] && echo "package ok: $(basename "$deb")"
exit $status
