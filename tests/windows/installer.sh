#!/usr/bin/env bash

# The installer under Wine, in a Wine prefix of its own: a silent install for the current user,
# one for all users, and the player's word list through a new installation and uninstalling.
#
#   xvfb-run -a tests/windows/installer.sh SETUP.exe PREFIX
#
# Needs DISPLAY: Wine makes windows even for silent installers. Exits 1 naming the first check
# that failed.
set -euo pipefail

setup=$(realpath "$1")
WINEPREFIX=$(realpath -m "$2")
export WINEPREFIX WINEDEBUG=-all
wine=/usr/lib/wine/wine64
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$wine" wineboot -i </dev/null >/dev/null 2>&1

fail() {
    echo "Installer-Test fehlgeschlagen: $*" >&2
    exit 1
}

# Runs a Windows program and waits for everything it started: an uninstaller copies itself
# away and returns at once.
run() {
    "$wine" "$@" </dev/null >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w
}

unix_path() {
    local windows
    windows=$("$wine" cmd /c echo "$1" 2>/dev/null | tr -d '\r')
    "$wine" winepath -u "$windows" 2>/dev/null | tr -d '\r'
}

uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Strickwichtspiel'
has_key() {
    "$wine" reg query "$1\\$uninstall_key" </dev/null >/dev/null 2>&1
}

shipped=$(mktemp)
trap 'rm -f "$shipped"' EXIT

user_dir=$(unix_path '%LOCALAPPDATA%')/Programs/Strickwichtspiel
all_dir=$(unix_path '%ProgramW6432%')/Strickwichtspiel
menu=$(unix_path '%APPDATA%')/Microsoft/Windows/Start\ Menu/Programs/Strickwichtspiel

echo "== Für den aktuellen Benutzer (/S /CurrentUser)"
run "$setup" /S /CurrentUser
[ -f "$user_dir/strickwichtspiel.exe" ] || fail "kein Spiel in $user_dir"
[ -f "$user_dir/worte.txt" ] || fail "keine worte.txt in $user_dir"
[ ! -e "$all_dir" ] || fail "etwas unter $all_dir"
has_key HKCU || fail "kein Deinstallationseintrag unter HKCU"
! has_key HKLM || fail "ein Deinstallationseintrag unter HKLM"
for link in Strickwichtspiel "Wortliste bearbeiten" "Strickwichtspiel deinstallieren"; do
    [ -f "$menu/$link.lnk" ] || fail "keine Verknüpfung \"$link\" in $menu"
done
cp "$user_dir/worte.txt" "$shipped"

echo "== Eine bearbeitete Liste bleibt beim neuen Installieren und beim Deinstallieren"
printf 'Zebra\r\n' >>"$user_dir/worte.txt"
edited=$(sha256sum <"$user_dir/worte.txt")
run "$setup" /S /CurrentUser
[ "$(sha256sum <"$user_dir/worte.txt")" = "$edited" ] || fail "die bearbeitete Liste wurde ersetzt"
[ -f "$user_dir/strickwichtspiel.exe" ] || fail "nach dem neuen Installieren fehlt das Spiel"
run "$user_dir/Uninstall.exe" /S
[ "$(sha256sum <"$user_dir/worte.txt")" = "$edited" ] || fail "die bearbeitete Liste ging beim Deinstallieren"
left=$(find "$user_dir" -mindepth 1 ! -name worte.txt)
[ -z "$left" ] || fail "nach dem Deinstallieren liegt noch da: $left"
! has_key HKCU || fail "der Deinstallationseintrag blieb"
[ ! -e "$menu" ] || fail "der Startmenü-Ordner blieb"

echo "== Eine unveränderte Liste geht mit dem Rest"
rm -f "$user_dir/worte.txt"
run "$setup" /S /CurrentUser
cmp -s "$user_dir/worte.txt" "$shipped" || fail "keine mitgelieferte Liste nach dem Installieren"
run "$user_dir/Uninstall.exe" /S
[ ! -e "$user_dir" ] || fail "nach dem Deinstallieren bleibt $user_dir: $(ls -A "$user_dir")"

echo "== Für alle Benutzer (/S /AllUsers, Wines Benutzer ist Administrator)"
run "$setup" /S /AllUsers
[ -f "$all_dir/strickwichtspiel.exe" ] || fail "kein Spiel in $all_dir"
has_key HKLM || fail "kein Deinstallationseintrag unter HKLM"
run "$all_dir/Uninstall.exe" /S
[ ! -e "$all_dir" ] || fail "nach dem Deinstallieren bleibt $all_dir"
! has_key HKLM || fail "der Deinstallationseintrag unter HKLM blieb"
echo "Installer: alle Prüfungen bestanden"
