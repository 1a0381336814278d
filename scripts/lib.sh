# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Sourced by the scripts beside it: the Debian packages each needs, preset builds, the Debian 13
# root and the Wine prefix.
# shellcheck shell=bash

swp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The Debian release of this machine as its number (12, 13, ...); empty on another system.
swp_debian_release() {
    (. /etc/os-release && [ "$ID" = debian ] && echo "${VERSION_ID%%.*}") || true
}

# Building and checking the Debian package (scripts/package), beyond what building needs.
swp_package_packages=(git lintian appstream reuse man-db)

# The screen-reader test: an AT-SPI client on a private display.
swp_atspi_packages=(python3-pyatspi at-spi2-core dbus-daemon xvfb xauth xdotool)

# Debian 13's screen reader, whose speech the Orca test reads; it brings speech-dispatcher.
swp_orca_packages=(orca)

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
    # Qt's tests write to the debugger, not stdout, when no Windows console is attached; Wine
    # hands no QT_ variable from Linux on, so the prefix's own environment asks for stdout.
    /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f \
        </dev/null >/dev/null 2>&1 || true
}

# Runs "$@", a command or a function of the caller's, on a private X display from Debian's
# xvfb-run (packages xvfb and xauth). After ten failed starts xvfb-run -a runs "$@" anyway, on no
# display: that is told as such, with what Xvfb said.
swp_xvfb_run() {
    local log status=0
    log=$(mktemp)
    xvfb-run -a -e "$log" -s "-screen 0 1280x1024x24 -noreset" bash -c "$(declare -f)"'
        set -euo pipefail
        if ! kill -0 $(cat "/tmp/.X${DISPLAY#:}-lock" 2>/dev/null) 2>/dev/null; then
            echo "Xvfb ist nicht gestartet:" >&2
            cat "$0" >&2
            exit 1
        fi
        "$@"' "$log" "$@" || status=$?
    rm -f "$log"
    return "$status"
}

# The fuzzers and their sanitizer runtime (the package of Debian's default clang).
swp_fuzz_packages=(clang libclang-rt-dev)

# The benchmarks (scripts/bench): Google Benchmark, and X for the start-up's first frame.
swp_bench_packages=(libbenchmark-dev xvfb xauth libx11-dev libxdamage-dev)

# Installs whatever of "$@" is missing; skips apt entirely when all is present.
swp_install() {
    local missing=() pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null | grep -qx installed || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installiere fehlende Pakete: ${missing[*]}"
    swp_apt_install install "${missing[@]}"
}

# Installs what debian/control's Build-Depends names, the tests' share included, when
# dpkg-checkbuilddeps finds some of it missing.
swp_build_deps() {
    swp_install dpkg-dev || return 1
    local unmet
    unmet=$(cd "$swp_root" && dpkg-checkbuilddeps 2>&1) && return 0
    echo "Installiere, was debian/control zum Bauen nennt: ${unmet##*dependencies: }"
    swp_apt_install build-dep "$swp_root"
}

# apt-get install or build-dep "$@", with fresh package lists; says what to do without root.
swp_apt_install() {
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        swp_no_root_hint "apt-get $*"
        return 1
    fi
    swp_apt update -q || return 1
    swp_apt "$1" -y -q --no-install-recommends "${@:2}"
}

# apt-get as root. Two scripts may use it at once (the Debian 13 root is shared): the second
# waits, for ours and for any other apt.
swp_apt() {
    swp_as_root env DEBIAN_FRONTEND=noninteractive flock /run/lock/strickwichtspiel-apt \
        apt-get -o DPkg::Lock::Timeout=900 "$@"
}

# Runs "$@" as root: directly, or through sudo; a Debian installed with a root password has no
# sudo, and then the user is told what to do instead.
swp_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        swp_no_root_hint "$*"
        return 1
    fi
}

swp_no_root_hint() {
    {
        echo "Dafür braucht es Root-Rechte, und sudo ist nicht eingerichtet:"
        echo "    $1"
        echo "Entweder das als root ausführen (su -) und dieses Skript danach erneut starten,"
        echo "oder sudo einrichten: als root 'apt-get install sudo' und 'adduser $(id -un) sudo',"
        echo "dann neu anmelden."
    } >&2
}

# Run as root through sudo, goes on as the user who called sudo, so that the build leaves no
# files in the checkout that only root may change; re-runs the calling script with "$@".
swp_drop_root() {
    [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_UID:-}" ] && [ "$SUDO_UID" -ne 0 ] || return 0
    local home
    home=$(getent passwd "$SUDO_UID" | cut -d: -f6)
    exec setpriv --reuid="$SUDO_UID" --regid="$SUDO_GID" --init-groups \
        env HOME="$home" USER="$SUDO_USER" LOGNAME="$SUDO_USER" "$@"
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

# The cache that survives between runs: Qt builds, the Debian 13 root. Never in the work tree.
swp_cache=${SWP_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/strickwichtspiel}

# Where swp_debian13 keeps this checkout's copy; what a command leaves in /src is there.
swp_debian13_copy() {
    echo "$swp_cache/debian-13/src-$(printf %s "$swp_root" | sha256sum | cut -c1-12)"
}

# Runs "$@" in /src of a Debian 13 root that holds a copy of this checkout, made on first use
# with mmdebstrap (in swp_cache/debian-13/; docs/measurements.md has its size) and brought up
# to date with apt-get on every use; on a Debian 13 machine it runs
# "$@" here instead. What the command installs (each script installs its own package set) stays
# in the root for the next run. Everything it mounts lives in a mount namespace of its own and
# goes with the command's last process, however that ends. As root the root is an ordinary
# folder; as another user, mmdebstrap's unshare mode needs subordinate ids (/etc/subuid) and
# unprivileged user namespaces, and files the command makes are owned by those ids.
swp_debian13() {
    if [ "$(swp_debian_release)" = 13 ]; then
        (cd "$swp_root" && "$@")
        return
    fi
    local dir=$swp_cache/debian-13
    local root=$dir/root mode=root lock
    # A copy per checkout, so that two work trees can build in the root side by side.
    local src
    src=$(swp_debian13_copy)
    [ "$(id -u)" -ne 0 ] && mode=unshare
    swp_install mmdebstrap rsync uidmap
    mkdir -p "$dir"
    # Another script may be making the root right now: wait for it.
    exec {lock}>"$dir/.lock"
    flock "$lock"
    if [ ! -f "$dir/root.complete" ]; then
        echo "== Debian-13-Umgebung anlegen in $root"
        rm -rf "$dir/new"
        # The host's own CA certificates, for whatever the builds fetch over TLS.
        mmdebstrap --mode="$mode" --variant=apt --include=ca-certificates,locales \
            --setup-hook='mkdir -p "$1/usr/local/share/ca-certificates"' \
            --setup-hook='copy-in /usr/local/share/ca-certificates/. /usr/local/share/ca-certificates/' \
            --customize-hook='chroot "$1" update-ca-certificates >/dev/null' \
            --customize-hook='echo "de_DE.UTF-8 UTF-8" >>"$1/etc/locale.gen"; chroot "$1" locale-gen >/dev/null' \
            --customize-hook='mkdir -p "$1/src" "$1/root/.cache/strickwichtspiel"; touch "$1/etc/resolv.conf"' \
            trixie "$dir/new" \
            "deb http://deb.debian.org/debian trixie main" \
            "deb http://deb.debian.org/debian trixie-updates main" \
            "deb http://deb.debian.org/debian-security trixie-security main" \
            "deb-src http://deb.debian.org/debian trixie main" \
            "deb-src http://deb.debian.org/debian-security trixie-security main" || return 1
        rm -rf "$root"
        mv "$dir/new" "$root"
        touch "$dir/root.complete"
    fi
    flock -u "$lock"
    exec {lock}>&-
    # The checkout as it stands, uncommitted changes too; build folders stay in the copy, so the
    # next run builds only what changed. Compared by content and given the time of copying: a
    # file brought in with its own older time would look older than the objects built from its
    # last version, and ninja would keep those.
    mkdir -p "$src" "$dir/cache"
    rsync -rlpgoD --checksum --delete \
        --exclude='/build/' --exclude='/build-*/' --exclude='/.cache/' "$swp_root/" "$src/" ||
        return 1
    # What the command sees of the caller's environment: only what the scripts read.
    local envs=(HOME=/root "TERM=${TERM:-dumb}" LANG=C.UTF-8
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
        GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=safe.directory "GIT_CONFIG_VALUE_0=*") name
    for name in SWP_FUZZ_SECONDS SOURCE_DATE_EPOCH; do
        [ -n "${!name:-}" ] && envs+=("$name=${!name}")
    done
    local enter=(unshare --mount --propagation private --pid --fork --kill-child)
    # Root in the namespace is the first subordinate id, as in mmdebstrap's unshare mode; the
    # caller is 65536, which owns the checkout's copy and the cache, and becomes root there
    # (mount refuses to work for any other user).
    [ "$mode" = unshare ] && enter+=(--map-auto --map-user=65536 --map-group=65536 --keep-caps
        setpriv --reuid=0 --regid=0 --clear-groups)
    # shellcheck disable=SC2016
    "${enter[@]}" bash -c '
        set -e
        root=$1 dir=$2 src=$3 count=$4
        shift 4
        envs=("${@:1:count}")
        shift "$count"
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount --rbind /sys "$root/sys"
        mount -t tmpfs tmpfs "$root/tmp"
        mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
        mount --bind "$src" "$root/src"
        mount --bind "$dir/cache" "$root/root/.cache/strickwichtspiel"
        # This shell is the namespace'\''s first process, which the kernel spares every signal
        # it has no handler for: it waits for the command instead of becoming it, and leaves on
        # Ctrl+C, which ends every process of the namespace.
        trap "exit 130" INT
        trap "exit 143" TERM HUP
        exec 3<&0
        chroot --userspec=0:0 "$root" /usr/bin/env -i "${envs[@]}" bash -c "set -e; cd /src
                export DEBIAN_FRONTEND=noninteractive
                . /src/scripts/lib.sh
                { swp_apt update -q && swp_apt upgrade -y -q; } >/dev/null
                exec \"\$@\"" swp-debian13 "$@" <&3 3<&- &
        wait $!
    ' swp-enter "$root" "$dir" "$src" "${#envs[@]}" "${envs[@]}" "$@"
}
