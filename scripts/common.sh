# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test and scripts/bench: install what is
# missing, then configure and build one build tree.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
PACKAGES=(g++ make cmake qt6-base-dev libxcb1-dev desktop-file-utils appstream xvfb xauth xdotool fonts-liberation2 openbox imagemagick x11-utils xclip
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi
    # what a screen reader is told: recorded offscreen (Qt's private headers), heard from Orca itself
    qt6-base-private-dev orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng dconf-service libglib2.0-bin locales)
# what the word list is made from, for its reproducibility check; the game itself needs none of them
PACKAGES+=(tesseract-ocr tesseract-ocr-hun hunspell hunspell-hu aspell aspell-hu wamerican)

missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
    done
}

ensure_packages() {
    local missing
    missing=$(missing_packages "${PACKAGES[@]}" "$@")
    [ -z "$missing" ] && return 0
    echo "== installing: $(echo $missing)"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "need root (or sudo) to install: $missing" >&2; exit 1; }
        sudo=(sudo)
    fi
    # A fresh machine may have empty package lists.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
}

# build DIR [extra cmake arguments...]
build() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$ROOT/$dir" -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
    cmake --build "$ROOT/$dir" -j "$(nproc)"
}

have_display() {
    [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]
}
