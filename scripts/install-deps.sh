#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent and non-interactive; works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-ipafont-gothic
  xvfb xauth
  xserver-xephyr x11-utils libxcb1-dev libxcb-xtest0-dev
  # The window manager and notification area of the nested screen of make run.
  jwm
  xdotool
  # The installed program: Qt's own Japanese texts (buttons of message boxes).
  qt6-translations-l10n
  # The desktop entry, its icon, the AppStream metadata and the Debian package.
  desktop-file-utils appstream librsvg2-bin dpkg-dev
  # The CSV export test reads the files with Python's csv module.
  python3
)

# Japanese input goes through the input method the desktop already runs; Qt 6
# programs need that method's Qt 6 plugin. IBus's comes with Qt itself; for
# fcitx it is a package of its own. The input method itself is the
# desktop's choice and never installed here.
for im in "fcitx5 fcitx5-frontend-qt6" "fcitx fcitx-frontend-qt6"; do
  read -r method plugin <<<"$im"
  if dpkg-query -W -f='${Status}' "$method" 2>/dev/null | grep -q 'install ok installed'; then
    packages+=("$plugin")
  fi
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "Missing packages (${missing[*]}) and no way to install them: run as root or install sudo." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${run[@]}" apt-get update -qq
"${run[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
