# What the scripts share: package lists, the Debian 13 root and Qt from Debian 13's source.
# shellcheck shell=bash

swp_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# The command the user started (sourced, this file sees the script's arguments), for the messages
# that ask to start it again; the root and the scripts it starts keep the first one.
export SWP_RUN=${SWP_RUN:-scripts/${0##*/}${*:+ $*}}

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

# The Windows release and its tests under Wine on a virtual display, in the Debian 13 root.
swp_windows_packages=(
    "${swp_windows_core_packages[@]}" mingw-w64-tools binutils-mingw-w64-x86-64
    nsis xvfb xauth xdotool openbox x11-xkb-utils zip unzip imagemagick qt6-translations-l10n
)

# The browser release, in the Debian 13 root.
swp_web_packages=(
    emscripten nodejs cmake ninja-build dpkg-dev python3 brotli
    qt6-base-dev qt6-base-dev-tools libgl-dev python3-fonttools fonts-liberation fonts-lato
    qt6-translations-l10n qt6-l10n-tools xmlstarlet
)

# scripts/web --check and --bench: headless Chromium driven by WebDriver; with --check also
# Firefox ESR, driven by puppeteer-core from npm (Debian has no package of it).
swp_web_check_packages=(chromium chromium-driver python3-selenium python3-pil firefox-esr npm)

# scripts/web --check in Firefox: puppeteer-core as tests/web/firefox/package-lock.json pins it,
# installed into build-web-firefox/ (outside git) when the lock file changes, then played.
swp_web_firefox_check() {
    local dir=build-web-firefox lock=tests/web/firefox/package-lock.json
    if [ ! -f "$dir/.complete" ] || ! cmp -s "$lock" "$dir/package-lock.json"; then
        rm -rf "$dir"
        mkdir -p "$dir"
        cp tests/web/firefox/package.json "$lock" "$dir/"
        echo "== puppeteer-core aus npm (npm ci)"
        # puppeteer-core brings no browser; Debian's firefox-esr is the one played.
        (cd "$dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund \
            --cache "$swp_cache/npm") || return 1
        touch "$dir/.complete"
    fi
    node tests/web/firefox/check.mjs "$@"
}

# Runs "$@", if given, with a Wine prefix of its own in $1, whose server stays a minute after the
# last program, so that no test waits seconds for a new one; wineboot starts Wine's services
# here, where they hold no pipe of ctest's open.
swp_wine() {
    export WINEPREFIX WINEDEBUG=-all
    WINEPREFIX=$(realpath -m "$1")
    shift
    mkdir -p "$WINEPREFIX"
    /usr/lib/wine/wineserver -p60 </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
    # Qt's tests write to the debugger, not stdout, when no Windows console is attached; Wine
    # hands no QT_ variable from Linux on, so the prefix's own environment asks for stdout.
    /usr/lib/wine/wine64 reg add 'HKCU\Environment' /v QT_FORCE_STDERR_LOGGING /d 1 /f \
        </dev/null >/dev/null 2>&1 || true
    "$@"
}

# Runs "$@" (a command or a function) on a private display from xvfb-run, which after ten failed
# starts runs it anyway, on none: that is told as such, with what Xvfb said.
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

# apt-get install or build-dep "$@"; the package lists are fetched anew unless this did so in the
# last hour (a run of scripts/test installs four times).
swp_apt_install() {
    swp_can_root "apt-get $*" || return 1
    if [ -z "$(find "$swp_cache/apt-updated" -mmin -60 2>/dev/null)" ]; then
        swp_apt update -q && touch "$swp_cache/apt-updated" || return 1
    fi
    swp_apt "$1" -y -q --no-install-recommends "${@:2}"
}

# apt-get as root, what it says kept in swp_cache/apt.log and its end shown when it fails. Two
# scripts may use it at once (the Debian 13 root is shared): the second waits, for ours and for
# any other apt.
swp_apt() {
    local log=$swp_cache/apt.log lock=/run/lock/strickwichtspiel-apt
    swp_can_root "apt-get $*" || return 1
    mkdir -p "$swp_cache"
    [ "$(stat -c %s "$log" 2>/dev/null || echo 0)" -lt 4000000 ] || mv -f "$log" "$log.1"
    echo "== $(date '+%F %T') apt-get $*" >>"$log"
    swp_as_root flock -n "$lock" true || echo "Warte auf apt-get (anderer Lauf) …"
    swp_dpkg_heal "$lock" "$log" || return 1
    swp_as_root env DEBIAN_FRONTEND=noninteractive flock "$lock" \
        apt-get -o DPkg::Lock::Timeout=900 "$@" >>"$log" 2>&1 && return 0
    echo "apt-get $1 ist fehlgeschlagen; das Ende von $log:" >&2
    tail -n 30 "$log" >&2
    return 1
}

# A run stopped while dpkg unpacked leaves packages half installed, and apt then refuses every
# later run ("dpkg was interrupted") until dpkg --configure -a finishes them. Looked for under
# apt's lock $1, where no other run's dpkg is busy.
swp_dpkg_heal() {
    local lock=$1 log=$2 where=${SWP_DEBIAN13_DIR:+ in der Debian-13-Umgebung}
    # shellcheck disable=SC2016
    [ -n "$(swp_as_root flock "$lock" sh -c 'dpkg --audit; ls -A /var/lib/dpkg/updates' 2>/dev/null)" ] ||
        return 0
    echo "== $(date '+%F %T') dpkg --configure -a" >>"$log"
    if swp_as_root env DEBIAN_FRONTEND=noninteractive flock "$lock" \
        dpkg --configure -a >>"$log" 2>&1; then
        echo "Repariert$where: ein abgebrochener Paketlauf, mit dpkg --configure -a abgeschlossen"
        return 0
    fi
    echo "dpkg --configure -a ist fehlgeschlagen$where; das Ende von $log:" >&2
    tail -n 30 "$log" >&2
    if [ -n "${SWP_DEBIAN13_DIR:-}" ]; then
        swp_start_over "$SWP_DEBIAN13_DIR/root" "Nicht zu reparieren"
    else
        echo "Als root 'dpkg --configure -a' ausführen, das Gemeldete beheben und $SWP_RUN erneut starten." >&2
    fi
    return 1
}

# Where what a stopped run left cannot be repaired: the folder $1 to delete (with the command $3,
# if not rm -rf), and what to start again, after the words $2.
swp_start_over() {
    echo "$2: $1 löschen (${3:-rm -rf} $1) und $SWP_RUN erneut starten." >&2
}

# Takes the lock file $2 on a descriptor kept in the variable named $1 (closing it frees the lock);
# while another run holds it, says so, for what ($3), and waits.
swp_lock() {
    local -n swp_lock_fd=$1
    exec {swp_lock_fd}<>"$2"
    flock -n "$swp_lock_fd" && return 0
    echo "Warte auf $3 (anderer Lauf) …"
    flock "$swp_lock_fd"
}

# Runs "$@" as root, or through sudo.
swp_as_root() {
    swp_can_root "$*" || return 1
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Whether this is root or has sudo; if neither, says what to do to run the command $1.
swp_can_root() {
    [ "$(id -u)" -eq 0 ] || command -v sudo >/dev/null && return 0
    {
        echo "Dafür braucht es Root-Rechte, und sudo ist nicht eingerichtet:"
        echo "    $1"
        echo "Entweder das als root ausführen (su -) und dieses Skript danach erneut starten,"
        echo "oder sudo einrichten: als root 'apt-get install sudo' und 'adduser $(id -un) sudo',"
        echo "dann neu anmelden."
    } >&2
    return 1
}

# Runs the program "$@" as the user who called sudo, so that the checkout gets no files of root's;
# without sudo, as this user.
swp_as_user() {
    if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_UID:-}" ] && [ "$SUDO_UID" -ne 0 ]; then
        set -- setpriv --reuid="$SUDO_UID" --regid="$SUDO_GID" --init-groups \
            env HOME="$(getent passwd "$SUDO_UID" | cut -d: -f6)" USER="$SUDO_USER" \
            LOGNAME="$SUDO_USER" "$@"
    fi
    "$@"
}

# Configures a preset; further arguments go to the configure step (-DSWP_BENCH=ON, ...).
swp_configure() {
    local preset=$1
    shift
    cmake --preset "$preset" -S "$swp_root" "$@" >/dev/null
}

swp_build() {
    swp_configure "$@" && cmake --build --preset "$1"
}

# Configures the preset $1, whose build folder is $2, against the Qt in SWP_QT_PREFIX. The folder
# remembers where it found Qt, so a Qt in another cache folder (the recipe changed) needs it afresh.
swp_configure_qt() {
    local fresh=()
    [ "$(cat "$2/.qt-prefix" 2>/dev/null)" = "$SWP_QT_PREFIX" ] || fresh=(--fresh)
    swp_configure "$1" "${fresh[@]}" && echo "$SWP_QT_PREFIX" >"$2/.qt-prefix"
}

# Every date a release carries is the last commit's, or the caller's, so that two checkouts give
# the same bytes; set before entering the root, whose copy has no git history.
swp_source_date() {
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$swp_root" log -1 --format=%ct)}
}

# The cache that survives between runs: Qt builds, the Debian 13 root. Never in the work tree.
swp_cache=${SWP_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/strickwichtspiel}
swp_debian13_dir=$swp_cache/debian-13
# Where the root sees that cache: its own user's cache folder, so that the scripts find it there
# as they would anywhere.
swp_debian13_cache=/root/.cache/strickwichtspiel

# Where the Debian 13 root keeps this checkout's copy (its /src); on Debian 13 the checkout itself.
swp_debian13_copy() {
    if [ "$(swp_debian_release)" = 13 ]; then
        echo "$swp_root"
    else
        echo "$swp_debian13_dir/src-$(printf %s "$swp_root" | sha256sum | cut -c1-12)"
    fi
}

# Runs one command (a program, or a function of this file) in /src of the Debian 13 root, a copy of
# the checkout as it stands whose build folders stay; on Debian 13, here. Results come back with
# swp_debian13_fetch.
swp_debian13() {
    if [ "$(swp_debian_release)" = 13 ]; then
        (cd "$swp_root" && "$@")
        return
    fi
    swp_debian13_make || return 1
    # One run at a time in a checkout's copy: a second would change its files and build folders
    # under the first.
    local lock status=0
    swp_lock lock "$(swp_debian13_copy).lock" "die Kopie dieses Checkouts in der Debian-13-Umgebung"
    swp_debian13_sync && swp_debian13_refresh &&
        swp_debian13_enter bash /src/scripts/in-debian13 "$@" || status=$?
    exec {lock}>&-
    return "$status"
}

# Copies files or folders (paths in the checkout) from the root's copy back here.
swp_debian13_fetch() {
    [ "$(swp_debian_release)" = 13 ] && return 0
    (cd "$(swp_debian13_copy)" && rsync -a --delete --relative "$@" "$swp_root/")
}

# The checkout as it stands into the root's copy, by content, stamped now: a file with its own
# older time would look older than the objects built from its last version, and ninja would keep
# them. A copy cut short is made whole by the next.
swp_debian13_sync() {
    local src
    src=$(swp_debian13_copy)
    mkdir -p "$src"
    rsync -rlpgoD --checksum --delete \
        --exclude='/build/' --exclude='/build-*/' --exclude='/.cache/' "$swp_root/" "$src/"
}

# The root's package lists and packages, when a day old.
swp_debian13_refresh() {
    [ -z "$(find "$swp_debian13_dir/apt-fresh" -mmin -1440 2>/dev/null)" ] || return 0
    swp_debian13_enter bash /src/scripts/in-debian13 swp_apt_refresh &&
        touch "$swp_debian13_dir/apt-fresh"
}

swp_apt_refresh() {
    echo "Debian-13-Umgebung: Paketlisten und Pakete auf den neuesten Stand"
    swp_apt update -q && swp_apt upgrade -y -q
}

# Makes the root on first use; one cut short, or deleted, is made anew. As another user than
# root, mmdebstrap's unshare mode needs subordinate ids (/etc/subuid), which then own what is made
# inside. A second script waits.
swp_debian13_make() {
    local dir=$swp_debian13_dir mode=root lock status=0
    [ "$(id -u)" -ne 0 ] && mode=unshare
    swp_install mmdebstrap rsync uidmap || return 1
    mkdir -p "$dir/cache"
    swp_lock lock "$dir/.lock" "die Debian-13-Umgebung in $dir"
    if [ ! -f "$dir/root.complete" ] || [ ! -d "$dir/root" ]; then
        [ -e "$dir/new" ] && echo "Repariert: die abgebrochene Debian-13-Umgebung in $dir/new wird verworfen"
        echo "== Debian-13-Umgebung anlegen in $dir/root"
        rm -rf "$dir/new" "$dir/root.complete" 2>/dev/null
        if [ -e "$dir/new" ]; then
            # What a stopped unshare mode made belongs to the subordinate ids, out of reach here.
            swp_start_over "$dir/new" "Nicht zu reparieren" "unshare --map-auto rm -rf"
            status=1
        else
            # The host's own CA certificates, for whatever the builds fetch over TLS.
            mmdebstrap --mode="$mode" --variant=apt --include=ca-certificates,locales \
                --setup-hook='mkdir -p "$1/usr/local/share/ca-certificates"' \
                --setup-hook='copy-in /usr/local/share/ca-certificates/. /usr/local/share/ca-certificates/' \
                --customize-hook='chroot "$1" update-ca-certificates >/dev/null' \
                --customize-hook='echo "de_DE.UTF-8 UTF-8" >>"$1/etc/locale.gen"; chroot "$1" locale-gen >/dev/null' \
                --customize-hook='mkdir -p "$1/src"; touch "$1/etc/resolv.conf"' \
                trixie "$dir/new" \
                "deb http://deb.debian.org/debian trixie main" \
                "deb http://deb.debian.org/debian trixie-updates main" \
                "deb http://deb.debian.org/debian-security trixie-security main" \
                "deb-src http://deb.debian.org/debian trixie main" \
                "deb-src http://deb.debian.org/debian-security trixie-security main" &&
                rm -rf "$dir/root" && mv "$dir/new" "$dir/root" && touch "$dir/root.complete" ||
                status=$?
        fi
    fi
    exec {lock}>&-
    return "$status"
}

# Runs the program "$@" in the root; its mounts go with the namespace's last process.
swp_debian13_enter() {
    local dir=$swp_debian13_dir name
    # Of the caller's environment, what the scripts read.
    local envs=(HOME=/root "TERM=${TERM:-dumb}" LANG=C.UTF-8
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
        GIT_CONFIG_COUNT=1 GIT_CONFIG_KEY_0=safe.directory "GIT_CONFIG_VALUE_0=*"
        "SWP_RUN=$SWP_RUN" "SWP_DEBIAN13_DIR=$dir")
    for name in SWP_FUZZ_SECONDS SOURCE_DATE_EPOCH; do
        [ -n "${!name:-}" ] && envs+=("$name=${!name}")
    done
    local enter=(unshare --mount --propagation private --pid --fork --kill-child)
    # Root in the namespace is the first subordinate id, as in mmdebstrap's unshare mode; the
    # caller is 65536, which owns the checkout's copy and the cache, and becomes root there
    # (mount refuses to work for any other user).
    [ "$(id -u)" -ne 0 ] && enter+=(--map-auto --map-user=65536 --map-group=65536 --keep-caps
        setpriv --reuid=0 --regid=0 --clear-groups)
    # shellcheck disable=SC2016
    "${enter[@]}" bash -c '
        set -e
        root=$1 src=$2 cache=$3 inside=$4 count=$5
        shift 5
        mount -t proc proc "$root/proc"
        mount --rbind /dev "$root/dev"
        mount --rbind /sys "$root/sys"
        mount -t tmpfs tmpfs "$root/tmp"
        mount --bind /etc/resolv.conf "$root/etc/resolv.conf"
        mount --bind "$src" "$root/src"
        mkdir -p "$root$inside"
        mount --bind "$cache" "$root$inside"
        # A namespace'\''s first process ignores signals it has no handler for: so it waits,
        # and Ctrl+C ends it and with it every process of the namespace.
        trap "exit 130" INT
        trap "exit 143" TERM HUP
        exec 3<&0
        chroot --userspec=0:0 "$root" /usr/bin/env -i "${@:1:count}" "${@:count+1}" <&3 3<&- &
        wait $!
    ' swp-debian13 "$dir/root" "$(swp_debian13_copy)" "$dir/cache" "$swp_debian13_cache" \
        "${#envs[@]}" "${envs[@]}" "$@"
}

# The game and its tests for Windows, against Qt from the cache (swp_qt_build mingw-w64).
swp_windows_build() {
    swp_build_deps && swp_install "${swp_windows_packages[@]}" || return 1
    SWP_QT_PREFIX=$(swp_qt_dir mingw-w64)/prefix
    export SWP_QT_PREFIX
    swp_configure_qt windows build-windows && cmake --build --preset windows
}

# Qt from Debian 13's qtbase source for a target Debian ships no Qt for, one row per target:
# configure's options, then after "--" CMake's. Each leaves out what the game never uses and keeps
# what Qt's styles, platform plugin and accessibility name; docs/windows.md and docs/web.md give
# the reason for each option.
declare -A swp_qt_options=(
    [mingw-w64]="-release -shared -nomake examples -nomake tests
        -no-opengl -no-dbus -no-icu
        -qt-freetype -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz
        -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
        -no-feature-printsupport -no-feature-tabletevent -no-feature-vulkan
        -no-feature-movie -no-feature-gif -no-feature-ico -no-feature-pdf -no-feature-undocommand
        -no-feature-sessionmanager -no-feature-systemtrayicon -no-feature-mimetype
        -no-feature-textodfwriter -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
        -feature-accessibility
        -no-feature-mdiarea
        -no-feature-dockwidget -no-feature-menubar -no-feature-statusbar
        -no-feature-sizegrip -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-dial
        -no-feature-toolbox -no-feature-splitter -no-feature-lcdnumber -no-feature-keysequenceedit
        -no-feature-fontcombobox -no-feature-listwidget -no-feature-treewidget
        -no-feature-tablewidget -no-feature-columnview -no-feature-datawidgetmapper
        -no-feature-textbrowser -no-feature-filedialog -no-feature-colordialog
        -no-feature-fontdialog -no-feature-progressdialog -no-feature-errormessage
        -no-feature-wizard -no-feature-splashscreen
        -- -DQT_GENERATE_SBOM=OFF
        -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp
        -DCMAKE_MODULE_LINKER_FLAGS=-Wl,--no-insert-timestamp"
    [wasm-emscripten]="-release -static -optimize-size -nomake examples -nomake tests
        -no-dbus -no-icu -no-warnings-are-errors
        -qt-freetype -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz
        -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
        -no-feature-printsupport -no-feature-thread -no-feature-tabletevent -no-feature-vulkan
        -no-feature-movie -no-feature-sessionmanager -no-feature-textodfwriter
        -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
        -feature-accessibility
        -no-feature-style-stylesheet -no-feature-itemviews -no-feature-textedit
        -no-feature-graphicsview -no-feature-mdiarea -no-feature-mainwindow -no-feature-dockwidget
        -no-feature-calendarwidget -no-feature-spinbox -no-feature-dial -no-feature-tabbar
        -no-feature-toolbox -no-feature-splitter -no-feature-menubar -no-feature-colordialog
        -no-feature-fontdialog -no-feature-progressdialog -no-feature-wizard -no-feature-splashscreen
        -no-feature-statusbar -no-feature-sizegrip -no-feature-lcdnumber -no-feature-commandlinkbutton
        -no-feature-keysequenceedit -no-feature-mimetype
        -- -DCMAKE_C_FLAGS=-flto -DCMAKE_CXX_FLAGS=-flto"
)

# The rest of a target's row: cache folder, compiler package, its configure options, the patch,
# and the recipe, raised when a change to swp_qt_make changes what it built for the target, so
# that no cache keeps the old (none yet for Windows, whose options changed with it); the minutes a
# first build took here.
swp_qt_target() {
    case $1 in
    mingw-w64)
        swp_qt_name=qt-windows swp_qt_compiler=g++-mingw-w64-x86-64-posix
        swp_qt_patch= swp_qt_recipe= swp_qt_minutes="25 bis 60"
        swp_qt_configure=() swp_qt_cmake=(-DCMAKE_TOOLCHAIN_FILE="$swp_root/cmake/mingw-w64-x86_64.cmake")
        ;;
    wasm-emscripten)
        swp_qt_name=qt-wasm swp_qt_compiler=emscripten swp_qt_patch=swp_web_qt_patch swp_qt_recipe=2
        swp_qt_minutes="10 bis 20"
        swp_qt_configure=(-platform wasm-emscripten) swp_qt_cmake=()
        ;;
    *)
        echo "Kein Qt-Ziel: $1 (mingw-w64 oder wasm-emscripten)" >&2
        return 1
        ;;
    esac
}

# The game brings its own faces; the two the wasm platform embeds (about 1 MB) nobody would see.
swp_web_qt_patch() {
    local file=$1/src/plugins/platforms/wasm/CMakeLists.txt
    sed -i '/^set(wasmfonts_resource_files/,/^)/d; /^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"/,/^)/d' "$file"
    ! grep -q DejaVu "$file"
}

# The version of Debian's qtbase, which is also the installed host Qt's.
swp_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

# The cache folder of Qt for the target: its version, options, compiler, patch and recipe make
# the key.
swp_qt_dir() {
    local options option words=() key
    swp_qt_target "$1" || return 1
    read -r -d '' -a options <<<"${swp_qt_options[$1]}" || true
    for option in "${options[@]}"; do
        [ "$option" = -- ] || words+=("$option")
    done
    key=$({ swp_qt_version; printf '%s\n' "${words[@]}"
        dpkg-query -W -f='${Version}' "$swp_qt_compiler"
        [ -z "$swp_qt_patch" ] || declare -f "$swp_qt_patch"
        [ -z "$swp_qt_recipe" ] || echo "$swp_qt_recipe"; } | sha256sum | cut -c1-12)
    echo "$swp_cache/$swp_qt_name-$(swp_qt_version | tr '+~:' '---')-$key"
}

swp_qt_cached() {
    swp_qt_target "$1" && dpkg-query -W "$swp_qt_compiler" >/dev/null 2>&1 &&
        [ -f "$(swp_qt_dir "$1")/prefix/.complete" ]
}

# Builds Qt for the target into its cache folder's prefix/ once; a build cut short goes on. The
# cache is shared by every checkout: a second run waits for the build and then takes its Qt.
swp_qt_build() {
    local target=$1 dir lock status=0
    swp_qt_target "$target" || return 1
    swp_install cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools "$swp_qt_compiler" ||
        return 1
    [ "$target" = wasm-emscripten ] && swp_qt_emsdk
    dir=$(swp_qt_dir "$target")
    mkdir -p "$dir"
    swp_lock lock "$dir/.lock" "Qt für $target in $dir"
    if [ -f "$dir/prefix/.complete" ]; then
        echo "Qt für $target aus dem Zwischenspeicher: $dir/prefix"
    else
        swp_qt_make "$target" "$dir" || status=$?
    fi
    exec {lock}>&-
    return "$status"
}

# Without the caller's SOURCE_DATE_EPOCH, which rcc would write into Qt's resources in place of
# their files' times: the date of whichever commit's run built Qt would make its bytes.
swp_qt_make() (
    unset SOURCE_DATE_EPOCH
    local target=$1 dir=$2 options
    echo "Qt für $target wird gebaut in $dir (beim ersten Mal $swp_qt_minutes Minuten auf 2 Kernen)"
    swp_qt_fetch_source "$dir" || return 1
    local start=$SECONDS
    if [ -f "$dir/build/.configured" ]; then
        echo "Repariert: der abgebrochene Qt-Bau geht in $dir/build weiter"
    else
        # A configure cut short leaves a CMake cache the next one trips over.
        [ -e "$dir/build" ] && echo "Repariert: Qts abgebrochene Konfiguration in $dir/build beginnt neu"
        rm -rf "$dir/build" "$dir/prefix"
        mkdir -p "$dir/build"
        read -r -d '' -a options <<<"${swp_qt_options[$target]}" || true
        # Qt keeps its own folder in what it builds (the browser's Qt its prefix, an assertion in
        # Qt6Widgets.dll a source file). Built anywhere else, it names the folder the root mounts
        # the cache at, so that every machine builds the same bytes; CMake takes the last of two
        # flags options.
        local same=$swp_debian13_cache/${dir##*/} where=(-prefix "$dir/prefix") lang old
        if [ "$dir" != "$same" ]; then
            where=(-prefix "$same/prefix" -extprefix "$dir/prefix")
            for lang in C CXX; do
                old=$(printf '%s\n' "${options[@]}" | sed -n "s/^-DCMAKE_${lang}_FLAGS=//p")
                options+=("-DCMAKE_${lang}_FLAGS=${old:+$old }-ffile-prefix-map=$dir=$same")
            done
        fi
        (cd "$dir/build" && "$dir/src/configure" "${where[@]}" -qt-host-path /usr \
            "${swp_qt_configure[@]}" "${options[@]}" -G Ninja \
            -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${swp_qt_cmake[@]}" \
            >configure.log 2>&1) || { swp_qt_failed "$dir/build/configure.log"; return 1; }
        touch "$dir/build/.configured"
    fi
    # ninja's status line gives the progress, [done/total], shown every 50 steps.
    (cd "$dir/build" && NINJA_STATUS='Qt [%f/%t] ' nice ninja -j"$(nproc)" 2>&1 | tee -a build.log |
        grep --line-buffered -E '^Qt \[[0-9]*[05]0/|error:|FAILED:'
        [ "${PIPESTATUS[0]}" -eq 0 ] && cmake --install . >install.log 2>&1) ||
        { swp_qt_failed "$dir/build/build.log"; return 1; }
    # The third-party notices name the source package this Qt was built from.
    local changelog=$dir/src/debian/changelog
    echo "$(dpkg-parsechangelog -l "$changelog" -S Source) $(dpkg-parsechangelog -l "$changelog" -S Version)" \
        >"$dir/prefix/debian-source.txt"
    touch "$dir/prefix/.complete"
    echo "Qt für $target gebaut in $(((SECONDS - start) / 60)) min"
)

# A new run goes on where this one stopped; if the cache folder itself is broken, only a new one
# helps, whose path is the host's where this runs in the root.
swp_qt_failed() {
    local dir=${1%/*}
    tail -n 40 "$1" >&2
    echo "Qt wurde nicht gebaut; alles steht in $1" >&2
    [ "${dir##*/}" = build ] && dir=${dir%/*}
    [ -z "${SWP_DEBIAN13_DIR:-}" ] || dir=$SWP_DEBIAN13_DIR/cache/${dir#"$swp_cache"/}
    swp_start_over "$dir" "Hilft ein neuer Lauf nicht"
}

# Debian's source package with Debian's patches applied, and the target's own change.
swp_qt_fetch_source() {
    local dir=$1
    [ -f "$dir/src/.complete" ] && return 0
    swp_qt_enable_sources || return 1
    rm -rf "$dir/src" "$dir/download"
    mkdir -p "$dir/download"
    (cd "$dir/download" && apt-get source -q --download-only "qt6-base=$(swp_qt_version)") \
        >"$dir/download.log" 2>&1 || { swp_qt_failed "$dir/download.log"; return 1; }
    dpkg-source -q -x "$dir"/download/qt6-base_*.dsc "$dir/src" || return 1
    [ -z "$swp_qt_patch" ] || "$swp_qt_patch" "$dir/src" || return 1
    touch "$dir/src/.complete"
}

# apt-get source needs a deb-src entry for the archive the deb entries name.
swp_qt_enable_sources() {
    local sources=/etc/apt/sources.list.d/debian.sources src=/etc/apt/sources.list.d/strickwichtspiel-src.sources
    apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources && return 0
    [ -f "$sources" ] || { echo "Keine $sources: bitte eine deb-src-Zeile für qt6-base eintragen." >&2; return 1; }
    sed 's/^Types: deb$/Types: deb-src/' "$sources" | swp_as_root tee "$src" >/dev/null
    swp_apt update -q
}

# Qt's configure looks for emscripten in an emsdk layout only; Debian's lives in
# /usr/share/emscripten, so a folder of links stands in for the SDK.
swp_qt_emsdk() {
    local sdk=$swp_cache/emsdk
    if [ ! -f "$sdk/.emscripten" ]; then
        mkdir -p "$sdk/upstream"
        ln -sfn /usr/share/emscripten "$sdk/upstream/emscripten"
        echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$sdk/.emscripten"
    fi
    export EMSDK=$sdk
}
