#!/usr/bin/env bash
# The next run after a stopped one: dpkg left half-way is finished before apt runs, or, where
# that fails, the message says what to delete and what to start again; a lock another run holds
# is waited for, saying so.
#   heal_test.sh LIB.SH
# shellcheck disable=SC2016 # the fakes' and the sourcing shell's own variables
set -uo pipefail
lib=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# dpkg and apt-get as a stopped unpack leaves them: audit names a half-installed package until
# --configure -a runs, and apt-get refuses to work before, as the real one does.
mkdir "$work/bin"
cat >"$work/bin/dpkg" <<'FAKE'
#!/bin/sh
case $1 in
--audit) cat "$FAKE/state" 2>/dev/null ;;
--configure) echo configure >>"$FAKE/calls"; [ -z "$FAKE_CONFIGURE_FAILS" ] || exit 1; : >"$FAKE/state" ;;
esac
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/sh
echo apt-get >>"$FAKE/calls"
[ ! -s "$FAKE/state" ] || { echo "E: dpkg was interrupted"; exit 100; }
FAKE
# Root without sudo's questions, and apt's lock without waiting for this machine's apt.
printf '#!/bin/sh\nexec "$@"\n' >"$work/bin/sudo"
printf '#!/bin/sh\nwhile [ "${1#-}" != "$1" ]; do shift; done\nshift\nexec "$@"\n' >"$work/bin/flock"
chmod +x "$work/bin"/*

# Runs swp_apt once, from a state ($1) a stopped run left; its output lands in $work/out.
apt_run() {
    rm -rf "$work/fake" && mkdir -p "$work/fake"
    printf '%s' "$1" >"$work/fake/state"
    shift
    env "$@" FAKE="$work/fake" SWP_CACHE="$work/cache" PATH="$work/bin:$PATH" SWP_RUN=scripts/web \
        bash -c 'source "$0"; swp_apt install -y foo' "$lib" >"$work/out" 2>&1
}
calls() { tr '\n' ' ' <"$work/fake/calls"; }

apt_run "half-installed: foo" || fail "apt after a stopped dpkg: $(cat "$work/out")"
[ "$(calls)" = "configure apt-get " ] || fail "dpkg --configure -a before apt-get, got: $(calls)"
[ "$(grep -c 'Repariert' "$work/out")" -eq 1 ] || fail "one line on the repair: $(cat "$work/out")"

apt_run "" || fail "apt with nothing to repair: $(cat "$work/out")"
[ "$(calls)" = "apt-get " ] || fail "nothing to repair, only apt-get: $(calls)"
! grep -q Repariert "$work/out" || fail "a repair told where none was: $(cat "$work/out")"

! apt_run "half-installed: foo" FAKE_CONFIGURE_FAILS=1 SWP_DEBIAN13_DIR=/cache/debian-13 ||
    fail "a failed repair counts as success"
[ "$(calls)" = "configure " ] || fail "apt-get ran on a broken dpkg: $(calls)"
grep -q 'rm -rf /cache/debian-13/root.*scripts/web erneut starten' "$work/out" ||
    fail "the folder to delete and the command to start again: $(cat "$work/out")"

# Another run holds the lock for a second: this one says what it waits for, then gets it.
flock "$work/lock" sleep 1 &
sleep 0.2
out=$(bash -c 'source "$0"; swp_lock fd "$1" "Qt für X" && echo got' "$lib" "$work/lock")
[[ $out == *"Warte auf Qt für X (anderer Lauf)"*got ]] || fail "waiting for a held lock: $out"
wait
exit "$failed"
