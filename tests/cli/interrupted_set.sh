#!/usr/bin/env bash
# `config set` killed at each rename of its save (CONFIG_TEST_KILL_AT_RENAME)
# and at random moments: the next start finds every value old or every value
# new, the NAME~ files give back the whole old configuration, and no
# temporary is left.
#
#   interrupted_set.sh path/to/config
set -euo pipefail
config=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-interrupted.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$config" -C "$dir" init
# One key each in atom_num.dat, data.dat and parameter1.dat (whose file is linked).
mkdir "$dir/shared"
mv "$dir/parameter1.dat" "$dir/shared/parameter1.dat"
ln -s shared/parameter1.dat "$dir/parameter1.dat"
keys=(seed max_gens mb_aa.r0)
values() { "$config" -C "$1" get "${keys[@]}" | tr '\n' ' '; }
failed=0
fail() { echo "$*" >&2; failed=1; }

trial() {  # $1: what the kill is, then the command's environment
  local what=$1 n=$2
  shift 2
  local old new now
  old=$(values "$dir")
  new="$((100 + n)) $((500 + n)) 2.$((100 + n))1 "
  env "$@" "$config" -C "$dir" set "seed=$((100 + n))" "max_gens=$((500 + n))" "mb_aa.r0=2.$((100 + n))1" \
    >/dev/null 2>&1 &
  local pid=$!
  if [[ $what == random ]]; then
    sleep "0.00$((RANDOM % 10))"
    kill -9 "$pid" 2>/dev/null || true
  fi
  wait "$pid" || true
  now=$(values "$dir" 2>/dev/null) || { fail "$what $n: the next start failed"; return; }
  if [[ $now != "$old" && $now != "$new" ]]; then fail "$what $n: mixed: '$now', old '$old', new '$new'"; fi
  if [[ $now == "$new" ]]; then
    rm -rf "$dir.restored"
    cp -a "$dir" "$dir.restored"
    (cd "$dir.restored" && for f in *.dat~ shared/*.dat~; do [[ -e $f ]] && mv "$f" "${f%\~}"; done)
    restored=$(values "$dir.restored")
    rm -rf "$dir.restored"
    [[ $restored == "$old" ]] || fail "$what $n: the NAME~ files give '$restored', not '$old'"
  fi
  local left
  left=$(find "$dir" -name '.config-*' -o -name '.*.new' | wc -l)
  ((left == 0)) || fail "$what $n: left behind: $(find "$dir" -name '.*')"
}

n=0
for k in $(seq 1 12); do
  n=$((n + 1))
  trial rename "$n" CONFIG_TEST_KILL_AT_RENAME="$k"
done
for _ in $(seq 1 40); do
  n=$((n + 1))
  trial random "$n"
done
# A file-size limit: the write fails with "File too large" (status 2, not a
# kill by SIGXFSZ), nothing is saved and nothing is left.
before=$(values "$dir")
status=0
(ulimit -f 1 && exec "$config" -C "$dir" set max_gens=999) 2>"$dir.err" || status=$?
((status == 2)) || fail "ulimit -f: status $status"
grep -q "cannot save: File too large" "$dir.err" || fail "ulimit -f: $(cat "$dir.err")"
rm -f "$dir.err"
[[ $(values "$dir") == "$before" ]] || fail "ulimit -f: the values changed"
[[ -z $(find "$dir" -name '.config-*') ]] || fail "ulimit -f: left behind: $(find "$dir" -name '.*')"

((failed == 0)) && echo "$n interrupted saves, each finished or undone whole"
