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

flock "$work/lock" sleep 1 &
sleep 0.2
out=$(bash -c 'source "$0"; swp_lock fd "$1" X && echo got' "$lib" "$work/lock")
[[ $out == *"Warte auf X (anderer Lauf)"*got ]] || fail "waiting for a held lock: $out"
wait
exit "$failed"
