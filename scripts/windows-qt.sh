# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Qt for 64-bit Windows, built from Debian 13's own qtbase source with the mingw-w64 toolchain
# and kept outside the work tree: built once, every later run finds it in the cache. Sourced by
# scripts/windows after lib.sh, inside the Debian 13 root.
# shellcheck shell=bash

swp_windows_packages=(
    "${swp_windows_core_packages[@]}" mingw-w64-tools binutils-mingw-w64-x86-64
    nsis xvfb xdotool openbox x11-xkb-utils unzip imagemagick dpkg-dev qt6-base-dev-tools
    qt6-translations-l10n
)

swp_qt_toolchain=$swp_root/cmake/mingw-w64-x86_64.cmake

# The smallest Qt the game and its window tests need. Direct2D stays on: without it Gui drops
# the DirectWrite font database that the windows platform plugin still links against.
swp_qt_options=(
    -release -shared -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu
    -qt-freetype -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz
    -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
    -no-feature-printsupport -no-feature-tabletevent -no-feature-vulkan
    -feature-accessibility
)
# Debian's +dfsg source leaves out src/3rdparty/wintab, whose notice Qt's bill of materials wants.
swp_qt_cmake_options=(-DQT_GENERATE_SBOM=OFF)

# The version of Debian's qtbase, which is also the installed host Qt's.
swp_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

# The cache folder for this Qt version, these options and this compiler.
swp_qt_dir() {
    local key
    key=$({ swp_qt_version; printf '%s\n' "${swp_qt_options[@]}" "${swp_qt_cmake_options[@]}"; x86_64-w64-mingw32-g++-posix --version; } |
        sha256sum | cut -c1-12)
    echo "$swp_cache/qt-$(swp_qt_version | tr '+~:' '---')-$key"
}

# apt-get source needs a deb-src entry for the archive the deb entries name.
swp_qt_enable_sources() {
    local sources=/etc/apt/sources.list.d/debian.sources src=/etc/apt/sources.list.d/strickwichtspiel-src.sources
    apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx Sources && return 0
    [ -f "$sources" ] || { echo "Keine $sources: bitte eine deb-src-Zeile für qt6-base eintragen." >&2; return 1; }
    sed 's/^Types: deb$/Types: deb-src/' "$sources" | swp_as_root tee "$src" >/dev/null
    swp_as_root apt-get update -q
}

swp_qt_fetch_source() {
    local dir=$1
    [ -f "$dir/src/.complete" ] && return 0
    swp_qt_enable_sources
    rm -rf "$dir/src" "$dir/download"
    mkdir -p "$dir/download"
    (cd "$dir/download" && apt-get source -q --download-only "qt6-base=$(swp_qt_version)")
    dpkg-source -q -x "$dir"/download/qt6-base_*.dsc "$dir/src"
    touch "$dir/src/.complete"
}

# The third-party notice names the source package this Qt was built from.
swp_qt_record_source() {
    local dir=$1
    [ -f "$dir/prefix/debian-source.txt" ] && return 0
    local changelog=$dir/src/debian/changelog
    echo "$(dpkg-parsechangelog -l "$changelog" -S Source) $(dpkg-parsechangelog -l "$changelog" -S Version)" \
        >"$dir/prefix/debian-source.txt"
}

# Builds and installs Qt into "$(swp_qt_dir)/prefix" unless it is there already.
swp_qt_build() {
    local dir
    dir=$(swp_qt_dir)
    if [ -f "$dir/prefix/.complete" ]; then
        echo "Qt für Windows: aus dem Zwischenspeicher $dir/prefix"
        swp_qt_record_source "$dir"
        return 0
    fi
    echo "Qt für Windows wird gebaut ($dir); das erste Mal dauert es etwa 40 Minuten auf 2 Kernen."
    swp_qt_fetch_source "$dir"
    rm -rf "$dir/prefix"
    local start=$SECONDS
    (
        # A build that was cut short goes on where it stopped: cmake writes build.ninja last.
        if [ ! -f "$dir/build/build.ninja" ]; then
            rm -rf "$dir/build"
            mkdir -p "$dir/build"
            cd "$dir/build"
            "$dir/src/configure" -prefix "$dir/prefix" -qt-host-path /usr "${swp_qt_options[@]}" -- \
                -G Ninja -DCMAKE_TOOLCHAIN_FILE="$swp_qt_toolchain" \
                -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${swp_qt_cmake_options[@]}" \
                >configure.log 2>&1 || { tail -40 configure.log >&2; exit 1; }
        fi
        cd "$dir/build"
        # ninja's status line gives the progress: [done/total].
        NINJA_STATUS='Qt [%f/%t] ' nice ninja -j"$(nproc)" 2>&1 | tee -a build.log |
            awk '/^Qt \[[0-9]+\/[0-9]+\]/ { split($2, s, /[\[\/\]]/); if (s[2] % 50 == 0) { print $1 " " $2; fflush() } }
                 /error|FAILED/ { print; fflush() }'
        [ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
        cmake --install . >install.log
    )
    swp_qt_record_source "$dir"
    touch "$dir/prefix/.complete"
    echo "Qt für Windows gebaut in $(((SECONDS - start) / 60)) min"
}
