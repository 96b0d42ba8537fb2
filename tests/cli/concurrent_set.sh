#!/usr/bin/env bash
# Twenty `config set` processes started at once in one directory, each
# changing a different value of data.dat: none of the twenty changes is lost,
# and no temporary file is left behind.
#
#   concurrent_set.sh path/to/config
set -euo pipefail
config=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-concurrent.XXXXXX")
trap 'rm -rf "$dir"' EXIT
"$config" -C "$dir" init

keys=(gga_ensembles gga_parents gga_same max_gens mbh_bins guided_bins pre_bh_steps lbfgs_maxit reserved_int7
      accept_check_every mcsrch_update)
for run in 1 2 3; do keys+=("mc_steps[$run]" "mmc_max[$run]" "pga_parents[$run]"); done

pids=()
for i in "${!keys[@]}"; do
  "$config" -C "$dir" set "${keys[$i]}=$((7000 + i))" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid"; done

mapfile -t values < <("$config" -C "$dir" get "${keys[@]}")
lost=0
for i in "${!keys[@]}"; do
  if [[ ${values[$i]:-} != "$((7000 + i))" ]]; then
    echo "lost: ${keys[$i]} is ${values[$i]:-nothing}, expected $((7000 + i))" >&2
    lost=1
  fi
done
leftovers=$(find "$dir" -name '.*' -type f | wc -l)
((leftovers == 0)) || { echo "temporary files left: $(ls -A "$dir")" >&2; exit 1; }
((lost == 0)) && echo "all ${#keys[@]} changes kept"
