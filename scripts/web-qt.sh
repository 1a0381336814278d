# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Qt for WebAssembly, built from Debian's own qtbase source with Debian's emscripten inside the
# Debian 13 root and kept outside the work tree: built once, every later run finds it in the
# cache. Sourced by scripts/web after lib.sh.
# shellcheck shell=bash

swp_web_packages=(
    emscripten nodejs cmake ninja-build dpkg-dev python3 brotli
    qt6-base-dev qt6-base-dev-tools libgl-dev python3-fonttools fonts-liberation fonts-lato
    qt6-translations-l10n
)

# scripts/web --check and --bench: headless Chromium driven by WebDriver.
swp_web_check_packages=(chromium chromium-driver python3-selenium python3-pil)

# Static and single-threaded, as small as the game allows. OpenGL stays on: the wasm platform
# plugin draws through Qt's texture blitter.
swp_web_qt_options=(
    -release -static -optimize-size -nomake examples -nomake tests
    -no-dbus -no-icu -no-warnings-are-errors
    -qt-freetype -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz
    -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-xml
    -no-feature-printsupport -no-feature-thread -no-feature-tabletevent -no-feature-vulkan
    -no-feature-movie -no-feature-sessionmanager -no-feature-textodfwriter
    -no-feature-textmarkdownreader -no-feature-textmarkdownwriter
    -feature-accessibility
    # Widgets the game never makes: the styles and the accessibility factory name them, which
    # keeps their code in a static program. The Windows style stays, the others build on it.
    -no-feature-style-stylesheet -no-feature-itemviews -no-feature-textedit
    -no-feature-graphicsview -no-feature-mdiarea -no-feature-mainwindow -no-feature-dockwidget
    -no-feature-calendarwidget -no-feature-spinbox -no-feature-dial -no-feature-tabbar
    -no-feature-toolbox -no-feature-splitter -no-feature-menubar -no-feature-colordialog
    -no-feature-fontdialog -no-feature-progressdialog -no-feature-wizard -no-feature-splashscreen
    -no-feature-statusbar -no-feature-sizegrip -no-feature-lcdnumber -no-feature-commandlinkbutton
    -no-feature-keysequenceedit -no-feature-mimetype
)

# Link-time optimisation: the game's link sees Qt whole and drops what it does not reach. Full,
# not thin (configure's -ltcg): with thin LTO, wasm-ld 19 warned of mismatched signatures for
# virtual functions (QWasmScreen::logicalDpi and others), and the program stopped at its start
# with "null function".
swp_web_qt_cmake_options=(-DCMAKE_C_FLAGS=-flto -DCMAKE_CXX_FLAGS=-flto)

# The game brings its own faces; the two the wasm platform embeds for itself (about 1 MB)
# would only be a fallback nobody sees.
swp_web_qt_patch() {
    local file=$1/src/plugins/platforms/wasm/CMakeLists.txt
    sed -i '/^set(wasmfonts_resource_files/,/^)/d; /^qt_internal_add_resource(QWasmIntegrationPlugin "wasmfonts"/,/^)/d' "$file"
    ! grep -q DejaVu "$file"
}

swp_web_qt_version() {
    dpkg-query -W -f='${Version}' qt6-base-dev
}

swp_web_em_version() {
    dpkg-query -W -f='${Version}' emscripten
}

# The cache folder for this Qt version, these options and this emscripten.
swp_web_qt_dir() {
    local key
    key=$({ swp_web_qt_version; printf '%s\n' "${swp_web_qt_options[@]}" "${swp_web_qt_cmake_options[@]}"
        swp_web_em_version
        declare -f swp_web_qt_patch; } |
        sha256sum | cut -c1-12)
    echo "$swp_cache/qt-wasm-$(swp_web_qt_version | tr '+~:' '---')-$key"
}

# Qt's configure looks for emscripten in an emsdk layout only; Debian's lives in
# /usr/share/emscripten, so a folder of links stands in for the SDK.
swp_web_emsdk() {
    local sdk=$swp_cache/emsdk
    if [ ! -f "$sdk/.emscripten" ]; then
        mkdir -p "$sdk/upstream"
        ln -sfn /usr/share/emscripten "$sdk/upstream/emscripten"
        echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" >"$sdk/.emscripten"
    fi
    export EMSDK=$sdk
}

swp_web_qt_fetch_source() {
    local dir=$1
    [ -f "$dir/src/.complete" ] && return 0
    rm -rf "$dir/src" "$dir/download"
    mkdir -p "$dir/download"
    (cd "$dir/download" && apt-get source -q --download-only "qt6-base=$(swp_web_qt_version)")
    dpkg-source -q -x "$dir"/download/qt6-base_*.dsc "$dir/src"
    swp_web_qt_patch "$dir/src"
    touch "$dir/src/.complete"
}

# Builds and installs Qt into "$(swp_web_qt_dir)/prefix" unless it is there already.
swp_web_qt_build() {
    local dir
    dir=$(swp_web_qt_dir)
    swp_web_emsdk
    if [ -f "$dir/prefix/.complete" ]; then
        echo "Qt für WebAssembly: aus dem Zwischenspeicher $dir/prefix"
        return 0
    fi
    echo "Qt für WebAssembly wird gebaut ($dir); das erste Mal dauert es etwa eine halbe Stunde auf 2 Kernen."
    swp_web_qt_fetch_source "$dir"
    local start=$SECONDS
    # A build cut short (the root remade, Ctrl+C) goes on where it stopped.
    if [ ! -f "$dir/build/.configured" ]; then
        rm -rf "$dir/build" "$dir/prefix"
        mkdir -p "$dir/build"
        (
            cd "$dir/build"
            "$dir/src/configure" -prefix "$dir/prefix" -qt-host-path /usr -platform wasm-emscripten \
                "${swp_web_qt_options[@]}" -- -G Ninja \
                -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
                "${swp_web_qt_cmake_options[@]}" >configure.log 2>&1 ||
                { tail -40 configure.log >&2; exit 1; }
        ) || return 1
        touch "$dir/build/.configured"
    fi
    (
        cd "$dir/build"
        NINJA_STATUS='Qt [%f/%t] ' nice ninja -j"$(nproc)" 2>&1 | tee build.log |
            awk '/^Qt \[[0-9]+\/[0-9]+\]/ { split($2, s, /[\[\/\]]/); if (s[2] % 50 == 0) { print $1 " " $2; fflush() } }
                 /error:|FAILED/ { print; fflush() }'
        [ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
        cmake --install . >install.log
    ) || return 1
    touch "$dir/prefix/.complete"
    echo "Qt für WebAssembly gebaut in $(((SECONDS - start) / 60)) min"
}
