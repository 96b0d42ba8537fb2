#!/usr/bin/env bash
# Another process holds the directory's lock (anyone who can read the
# directory can): `config set` says after a second that it waits, gives up at
# CONFIG_LOCK_TIMEOUT with status 2 and changes nothing.
#
#   held_lock.sh path/to/config
set -euo pipefail
config=$1
command -v flock >/dev/null || exit 77
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-lock.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$config" -C "$dir" init
before=$(cat "$dir/data.dat")
exec 9<"$dir"
flock -n 9  # this shell is the other holder

started=$(date +%s%N)
status=0
CONFIG_LOCK_TIMEOUT=2 "$config" -C "$dir" set particle_count=50 2>"$dir/err" 9<&- || status=$?
elapsed=$((($(date +%s%N) - started) / 1000000))
real=$(cd "$dir" && pwd -P)
expected="config: waiting for another save in $real to finish
config: $real: another save still holds the directory's lock after 2 seconds (CONFIG_LOCK_TIMEOUT); nothing was saved"
fail=0
[[ $status -eq 2 ]] || { echo "status $status, expected 2" >&2; fail=1; }
[[ $(cat "$dir/err") == "$expected" ]] || { echo "standard error:" >&2; cat "$dir/err" >&2; fail=1; }
((elapsed >= 2000 && elapsed < 4000)) || { echo "gave up after $elapsed ms, expected about 2000" >&2; fail=1; }
[[ $(cat "$dir/data.dat") == "$before" ]] || { echo "data.dat changed" >&2; fail=1; }
exit $fail
