#!/usr/bin/env bash

# The Windows game played by hand under Wine, the way a player does it: a click on the question
# mark, keys typed on a German keyboard, a round lost, one won, "Ende". Photographs the window at
# each step and probes its colours, for every style, scheme and scale given.
#
#   xvfb-run -a tests/windows/play.sh GAME PREFIX SHOTS [STYLE:SCHEME:DPI ...]
#
# GAME is a folder holding strickwichtspiel.exe, the release's zip (unpacked into the Wine prefix
# PREFIX, made afresh) or its installer (run there as a player without administrator rights
# does it, for the player alone); the game's worte.txt is replaced. STYLE is "" (the game's own
# choice), windows11 or windowsvista; SCHEME light or dark; DPI 96 or 192. Needs DISPLAY; starts
# a window manager and a German layout on it, as a player has them. Exits 1 naming the first
# check that failed.
set -euo pipefail

game=$(realpath "$1")
WINEPREFIX=$(realpath -m "$2")
export WINEPREFIX WINEDEBUG=-all
mkdir -p "$3"
shots=$(realpath "$3")
shift 3
[ $# -gt 0 ] || set -- ":light:96"
wine=/usr/lib/wine/wine64

fail() {
    echo "Spiel unter Wine: $*" >&2
    exit 1
}

openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
setxkbmap de || fail "keine deutsche Tastaturbelegung"

# The zip and the installer land on a machine of their own, as a new player's.
[[ $game != *.zip && $game != *.exe ]] || rm -rf "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i </dev/null >/dev/null 2>&1
fi
case $game in
*.zip)
    unzip -q "$game" -d "$WINEPREFIX/drive_c/Spiele"
    game=$(dirname "$(find "$WINEPREFIX/drive_c/Spiele" -name strickwichtspiel.exe)")
    ;;
*.exe)
    "$wine" "$game" /S /CurrentUser </dev/null >/dev/null 2>&1 || fail "Installer: Status $?"
    /usr/lib/wine/wineserver -w
    game=$(find "$WINEPREFIX" -path '*/Programs/Strickwichtspiel/strickwichtspiel.exe' -printf '%h')
    ;;
esac
[ -f "$game/strickwichtspiel.exe" ] || fail "kein strickwichtspiel.exe in $game"
reg() {
    "$wine" reg add "$@" /f </dev/null >/dev/null 2>&1
    /usr/lib/wine/wineserver -w
}

# Three words whose letters together win any of them in one go, and eight keys none of them has.
printf 'Ei\r\nAu\r\n\xd6l\r\n' >"$game/worte.txt"

# Counts the pixels of one colour in a piece of a picture (x y width height at 96 dpi).
count() {
    convert "$1" -crop "$(($5 * scale))x$(($6 * scale))+$(($3 * scale))+$(($4 * scale))" +repage \
        -fill black +opaque "$2" -fill white -opaque "$2" -format '%[fx:int(mean*w*h+0.5)]' info:
}
pixel() {
    convert "$1" -format "%[pixel:p{$2,$3}]" info:
}
# The gallows' frame (item9a in ui/layout.h), where the pieces lie.
frame="2 132 476 313"

for setting in "$@"; do
    IFS=: read -r style scheme dpi <<<"$setting"
    label=${style:-eigen}-$scheme-$dpi
    reg 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
        /t REG_DWORD /d "$([ "$scheme" = dark ] && echo 0 || echo 1)"
    reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    scale=$((dpi / 96))
    at() { echo $(($1 * scale)) $(($2 * scale)); }

    (cd "$game" && exec "$wine" strickwichtspiel.exe ${style:+-style "$style"} </dev/null \
        >"$shots/$label.log" 2>&1) &
    pid=$!
    # xdotool ends with BadWindow when a window it walks past goes away, as Wine's start-up windows
    # do at times: it looks again, for up to a minute.
    window=
    for _ in $(seq 120); do
        window=$(xdotool search --onlyvisible --name '^Strickwichtspiel$' 2>/dev/null | head -1) || true
        [ -n "$window" ] && break
        sleep 0.5
    done
    [ -n "$window" ] || fail "$label: kein Fenster"
    sleep 2
    shot() {
        import -window "$window" "$shots/$label-$1.png"
        echo "$shots/$label-$1.png"
    }
    click() {
        # shellcheck disable=SC2046
        xdotool mousemove --window "$window" $(at "$1" "$2") click 1
        sleep 0.5
    }
    keys() {
        local key
        for key in "$@"; do
            xdotool key --window "$window" "$key"
            sleep 0.2
        done
        sleep 0.5
    }

    picture=$(shot start)
    # The window's own light yellow and the button's face: light whatever the desktop's scheme.
    [ "$(pixel "$picture" "$((2 * scale))" "$((70 * scale))")" = "srgb(255,255,128)" ] ||
        fail "$label: Fensterfarbe $(pixel "$picture" "$((2 * scale))" "$((70 * scale))")"
    face=$(convert "$picture" -format "%[fx:int(255*min(p{$((10 * scale)),$((117 * scale))}.r,p{$((10 * scale)),$((117 * scale))}.g))]" info:)
    [ "$face" -ge 200 ] || fail "$label: dunkle Schaltfläche ($face)"

    # The question mark (twips 3450, 1005, 390 x 480), three misses, then five more: lost.
    click 243 83
    keys b c d
    shot runde >/dev/null
    keys f g h j k
    picture=$(shot verloren)
    # "Leider verloren...!" in the gallows' frame, the only red there.
    # shellcheck disable=SC2086
    [ "$(count "$picture" 'rgb(255,0,0)' $frame)" -gt $((300 * scale * scale)) ] ||
        fail "$label: kein „Leider verloren...!“"
    # "Neues Spiel", the question mark, and every letter of the three words: won.
    click 121 117
    click 243 83
    keys e i a u odiaeresis l
    picture=$(shot gewonnen)
    # "Gewonnen !!!" in the frame, the only dark green there.
    # shellcheck disable=SC2086
    [ "$(count "$picture" 'rgb(0,64,0)' $frame)" -gt $((300 * scale * scale)) ] ||
        fail "$label: kein „Gewonnen !!!“"
    # "Ende" ends the program, with success.
    click 361 117
    status=0
    timeout 30 tail --pid="$pid" -f /dev/null || fail "$label: läuft nach „Ende“ weiter"
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "$label: Status $status nach „Ende“"
    echo "$label: verloren, gewonnen, beendet"
done
