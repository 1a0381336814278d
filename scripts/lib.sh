# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Shared by scripts/play and scripts/test: installs the Debian packages the build needs.
# shellcheck shell=bash

swp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

swp_packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 fonts-lato qt6-translations-l10n
    desktop-file-utils
)

# Building and checking the Debian package (scripts/package).
swp_package_packages=(git dpkg-dev lintian appstream reuse man-db)

# The screen-reader test: an AT-SPI client on a private display.
swp_atspi_packages=(python3-pyatspi at-spi2-core dbus-daemon xvfb xdotool)

# The fuzzers and their sanitizer runtime.
swp_fuzz_packages=(clang libclang-rt-14-dev)

# Installs whatever of "$@" is missing; skips apt entirely when all is present.
swp_install() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null | grep -qx installed || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installiere fehlende Pakete: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -q || return 1
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

swp_build() {
    local preset=$1
    cmake --preset "$preset" -S "$swp_root" >/dev/null && cmake --build --preset "$preset"
}
