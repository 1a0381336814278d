# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Shared by scripts/play and scripts/test: installs the Debian packages the build needs.
# shellcheck shell=bash

swp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# What building and playing the game needs, and no more: a player's first command waits for it.
swp_packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libgl-dev
    fonts-liberation2 fonts-lato qt6-translations-l10n
)

# The test suite (scripts/test).
swp_test_packages=(libgtest-dev libgmock-dev desktop-file-utils)

# Building and checking the Debian package (scripts/package).
swp_package_packages=(git dpkg-dev lintian appstream reuse man-db desktop-file-utils)

# The screen-reader test: an AT-SPI client on a private display.
swp_atspi_packages=(python3-pyatspi at-spi2-core dbus-daemon xvfb xdotool)

# The core cross-built for 64-bit Windows and tested under Wine (scripts/test, scripts/windows).
swp_windows_core_packages=(g++-mingw-w64-x86-64-posix googletest wine64)

# Sets up a Wine prefix of the build's own and keeps its server running for a minute after the
# last program: each test program would otherwise wait seconds for a new one. wineboot starts
# the server and Wine's background services here, with no pipe of ctest's: started by a test
# program, they would hold its output open and ctest would wait for them to end.
swp_wine_start() {
    export WINEPREFIX=$1 WINEDEBUG=-all
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
}

# The fuzzers and their sanitizer runtime (the package of Debian's default clang).
swp_fuzz_packages=(clang libclang-rt-dev)

# The benchmarks (scripts/bench): Google Benchmark, and X for the start-up's first frame.
swp_bench_packages=(libbenchmark-dev xvfb libx11-dev libxdamage-dev)

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

# Configures a preset; further arguments go to the configure step (-DSWP_BENCH=ON, ...).
swp_configure() {
    local preset=$1
    shift
    cmake --preset "$preset" -S "$swp_root" "$@" >/dev/null
}

# Configures and builds a preset, all of it.
swp_build() {
    swp_configure "$@" && cmake --build --preset "$1"
}
