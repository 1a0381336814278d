#!/usr/bin/env bash
# The run after a stopped one: dpkg left half-way is finished before apt, or the message names
# what to delete and start again; a lock another run holds is waited for, saying so.
#   heal_test.sh LIB.SH
# shellcheck disable=SC2015,SC2016 # fail() follows a chain of checks; the fakes' own variables
set -uo pipefail
lib=$(realpath "$1") work=$(mktemp -d) failed=0
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" && failed=1; }

# dpkg as a stopped unpack leaves it, apt-get refusing to work until --configure -a has run; root
# without sudo's questions, and apt's lock without waiting for this machine's apt.
mkdir "$work/bin"
printf '#!/bin/sh\ncase $1 in --audit) cat "$FAKE/state" ;; --configure) echo configure >>"$FAKE/calls"
    [ -z "$FAILS" ] && : >"$FAKE/state" ;; esac\n' >"$work/bin/dpkg"
printf '#!/bin/sh\necho apt-get >>"$FAKE/calls"; [ ! -s "$FAKE/state" ]\n' >"$work/bin/apt-get"
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\nwhile [ "${1#-}" != "$1" ]; do shift; done; shift; exec "$@"\n' >"$work/bin/flock"
chmod +x "$work/bin"/*
apt_run() { # the state a stopped run left, then variables
    rm -rf "$work/fake" && mkdir "$work/fake" && printf '%s' "$1" >"$work/fake/state" && shift
    env "$@" FAKE="$work/fake" SWP_CACHE="$work/cache" PATH="$work/bin:$PATH" SWP_RUN=scripts/web \
        bash -c 'source "$0"; swp_apt install foo' "$lib" >"$work/out" 2>&1
}
calls() { paste -sd' ' "$work/fake/calls"; }

apt_run half-installed && [ "$(calls)" = "configure apt-get" ] &&
    [ "$(grep -c Repariert "$work/out")" = 1 ] || fail "repaired first, said once: $(calls); $(cat "$work/out")"
apt_run "" && [ "$(calls)" = apt-get ] && ! grep -q Repariert "$work/out" ||
    fail "nothing to repair: $(calls); $(cat "$work/out")"
! apt_run half-installed FAILS=1 SWP_DEBIAN13_DIR=/c/debian-13 && [ "$(calls)" = configure ] &&
    grep -q 'rm -rf /c/debian-13/root) und scripts/web erneut starten' "$work/out" ||
    fail "a repair that fails: $(calls); $(cat "$work/out")"

# A stop reaches a run's whole process group, whose own group job control gives it: SIGKILL, as
# the root's namespace ends everything in it on Ctrl+C (and where runs there ignore SIGINT, as
# background jobs do). stop_at WHERE runs a function of lib.sh until the fake named WHERE
# waits, then stops it.
set -m
stop_at() {
    echo "$1" >"$work/fake/stop" && rm -f "$work/fake/waiting" && shift
    lib_run "$@" &
    local pid=$!
    for _ in $(seq 100); do [ -e "$work/fake/waiting" ] && break; sleep 0.1; done
    { kill -KILL -- -"$pid" && wait "$pid"; } 2>/dev/null
    rm "$work/fake/stop"
}
lib_run() {
    env FAKE="$work/fake" SWP_CACHE="$work/cache" PATH="$work/bin:$PATH" SWP_RUN=scripts/test \
        bash -c 'source "$0"; "$@"' "$lib" "$@" >>"$work/out" 2>&1
}
waits() { echo "[ \"\$(cat \"\$FAKE/stop\" 2>/dev/null)\" = $1 ] && touch \"\$FAKE/waiting\" && sleep 30"; }
fake() { cat >"$work/bin/$1" && chmod +x "$work/bin/$1"; }
rm -rf "$work/fake" "$work/out" && mkdir "$work/fake"

# The root stopped while mmdebstrap makes it: what it made is thrown away.
fake dpkg-query <<<'echo installed'
fake mmdebstrap <<EOF
while [ "\$1" != trixie ]; do shift; done
mkdir -p "\$2" && [ -e "\$FAKE/stop" ] && touch "\$2/half"
$(waits mmdebstrap)
mkdir "\$2/etc"
EOF
root=$work/cache/debian-13
stop_at mmdebstrap swp_debian13_make
lib_run swp_debian13_make && [ -f "$root/root.complete" ] && [ -d "$root/root/etc" ] &&
    [ ! -e "$root/root/half" ] && [ ! -e "$root/new" ] && grep -q Repariert "$work/out" ||
    fail "root made anew: $(ls -R "$root"); $(cat "$work/out")"

# Qt stopped while configured, then while built: configure starts again in a clean folder (the
# cache it left half-written breaks the next), the build goes on where it stopped.
qt=$work/qt && mkdir -p "$qt/src/debian" && touch "$qt/src/.complete"
printf 'qt6-base (6.8.2-1) trixie; urgency=medium\n\n  * x\n\n -- A <a@b.c>  Thu, 01 Jan 2026 00:00:00 +0000\n' \
    >"$qt/src/debian/changelog"
fake configure <<EOF
! grep -qx halb CMakeCache.txt 2>/dev/null || exit 1
echo halb >CMakeCache.txt && $(waits configure)
echo fertig >CMakeCache.txt
EOF
fake ninja <<EOF
for step in 1 2; do
    [ -e step\$step ] && continue
    echo "Qt [\$step/2]" >>"\$FAKE/steps"
    [ \$step = 1 ] || { $(waits ninja); }
    touch step\$step
done
EOF
fake cmake <<<'mkdir -p ../prefix'
cp "$work/bin/configure" "$qt/src/configure"
qt_run() { swp_qt_target mingw-w64 && swp_qt_make mingw-w64 "$1"; }
export -f qt_run
: >"$work/out"
stop_at configure qt_run "$qt"
stop_at ninja qt_run "$qt"
lib_run qt_run "$qt" && [ -f "$qt/prefix/.complete" ] && grep -q 'Konfiguration .* beginnt neu' "$work/out" &&
    grep -q 'Qt-Bau geht .* weiter' "$work/out" && [ "$(grep -c 'Qt \[1/2\]' "$work/fake/steps")" = 1 ] ||
    fail "Qt begun anew, then gone on: $(cat "$work/fake/steps" "$work/out")"

flock "$work/lock" sleep 1 &
sleep 0.2
out=$(bash -c 'source "$0"; swp_lock fd "$1" X && echo got' "$lib" "$work/lock")
[[ $out == *"Warte auf X (anderer Lauf)"*got ]] || fail "waiting for a held lock: $out"
wait
exit "$failed"
