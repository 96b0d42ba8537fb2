#!/usr/bin/env bash
# Memory that runs out is a message and status 2, not an abort (134): under a
# limit on its address space just above what `config --version` needs, `show`
# cannot hold a 14 MiB data.dat (within the 16 MiB cap).
#
#   out_of_memory.sh path/to/config
set -uo pipefail
config=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-memory.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$config" -C "$dir" init >/dev/null || exit 1
head -c $((14 << 20)) /dev/zero | tr '\0' ' ' >"$dir/data.dat"

least=
for kib in $(seq 4096 1024 262144); do
  if { (ulimit -v "$kib" && "$config" --version) >/dev/null 2>&1; } 2>/dev/null; then least=$kib; break; fi
done
[[ -n $least ]] || exit 77  # no limit lets the program start: not testable here

(ulimit -v $((least + 4096)) && exec "$config" -C "$dir" show) >/dev/null 2>"$dir/err"
status=$?
if [[ $status -ne 2 || $(cat "$dir/err") != "config: out of memory" ]]; then
  echo "status $status, standard error:" >&2
  cat "$dir/err" >&2
  exit 1
fi
