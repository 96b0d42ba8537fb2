#!/usr/bin/env bash
# Times the real config program from start to exit over repeated runs.
#
#   bench/sessions.sh [path/to/config]       (default: build/config)
#
# Environment: RUNS (runs per figure, default 50), SETS (set counts of the
# large configuration, default "1000 10000"), TYPES (potential types, default
# "3 8"), KEEP=1 to keep the scratch directory.
#
# For each size and type it builds a configuration in a scratch directory from
# examples/*.dat, with generated protein2.dat, chima2.dat and type.dat, and
# prints the median and least wall time, the mean CPU time and the peak
# resident memory of
#   save    keyboard "\n\n": ENTER at the main menu, ENTER for yes (with syncs)
#   quit8   keyboard "8\n": reload and report, nothing written
#   get     config get particle_count: the command line's load and one value
#   show    config show: the command line's load and the report
#   keys    config keys and keys --json, on the example only
#   diff    config diff of the example and a copy of it
# Then the targets: the CPU time of the whole process (perf stat -e
# task-clock, median of RUNS runs) as a ratio to the floor, a program that
# only returns, linked statically by this script, run in turn with it so that
# both meet the same load from the rest of the machine:
#   option 8 on the example                        at most 1.5 x the floor
#   config get particle_count on the example       at most 1.5 x the floor
#     (measured when the program accepts it)
#   config keys, and config diff of the example and a copy,
#                                                  at most 1.5 x config get
#   option 8 at 10000 sets, each type of TYPES     at most 2.0 x the floor
#   save at 10000 sets, each type: median wall time under 20 ms
# Without perf, wall times stand in for the CPU times and say so.
# The programs' output goes to a file in the scratch directory.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
config=$(realpath "${1:-$repo/build/config}")
runs=${RUNS:-50}
sizes=${SETS:-"1000 10000"}
types=${TYPES:-"3 8"}
[[ -x $config ]] || { echo "no program at $config (build it first, see docs/performance.md)" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/config-sessions.XXXXXX")
[[ ${KEEP:-0} == 1 ]] || trap 'rm -rf "$scratch"' EXIT
printf '\n\n' >"$scratch/save.in"
printf '8\n' >"$scratch/quit8.in"

# Sets `now` to the microseconds since the epoch: from bash's own clock where
# it has one, so that reading the clock starts no process, else from date.
stamp() {
  if [[ -n ${EPOCHREALTIME:-} ]]; then
    now=${EPOCHREALTIME//[!0-9]/}
  else
    now=$(($(date +%s%N) / 1000))
  fi
}

# The CPU time (user + system) of the children of the shell that wrote FILE
# with the builtin times, in us.
children_cpu_us() {
  awk 'NR == 2 {
    total = 0
    for (f = 1; f <= 2; f++) { split($f, p, "m"); sub("s", "", p[2]); total += p[1] * 60 + p[2] }
    printf "%d\n", total * 1e6 }' "$1"
}

# time_run INTO INPUT PROGRAM...: runs PROGRAM once with INPUT on its standard
# input and its output to a file, and appends the wall time in us to the array
# named INTO. A failed run stops the script.
time_run() {
  local -n into=$1
  local input=$2 t0 status=0
  shift 2
  stamp
  t0=$now
  "$@" <"$input" >"$scratch/out.txt" 2>&1 || status=$?
  stamp
  if ((status != 0)); then
    echo "$* failed with status $status:" >&2
    tail -n 3 "$scratch/out.txt" >&2
    exit 1
  fi
  into+=($((now - t0)))
}

# "median min" of the numbers given.
median_min() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1] }'; }

# measure DIR INPUT PROGRAM...: runs PROGRAM in DIR RUNS times; prints the
# median and the least wall time and the mean CPU time (user + system) of one
# run, in us.
measure() {
  local dir=$1 input=$2
  shift 2
  (
    cd "$dir"
    "$@" <"$input" >"$scratch/out.txt" 2>&1 || true  # warm-up, not counted
    local walls=()
    times >"$scratch/cpu0.txt"
    for ((i = 0; i < runs; i++)); do time_run walls "$input" "$@"; done
    times >"$scratch/cpu1.txt"
    local cpu=$(($(children_cpu_us "$scratch/cpu1.txt") - $(children_cpu_us "$scratch/cpu0.txt")))
    echo "$(median_min "${walls[@]}") $((cpu / runs))"
  )
}

# alternate DIR INPUT PROGRAM_A PROGRAM_B: runs the two programs in turn RUNS
# times each, so that both meet the same load from the rest of the machine;
# prints the median and least wall time of A, then of B, in us.
alternate() {
  local dir=$1 input=$2 a=$3 b=$4
  (
    cd "$dir"
    "$a" <"$input" >/dev/null 2>&1 || true
    "$b" <"$input" >/dev/null 2>&1 || true
    local walls_a=() walls_b=()
    for ((i = 0; i < runs; i++)); do
      time_run walls_a "$input" "$a"
      time_run walls_b "$input" "$b"
    done
    echo "$(median_min "${walls_a[@]}") $(median_min "${walls_b[@]}")"
  )
}

# Peak resident memory comes from GNU time when it is installed.
gnu_time=""
if [[ -x /usr/bin/time ]] && /usr/bin/time -f %M true >/dev/null 2>&1; then gnu_time=/usr/bin/time; fi

# peak_kib DIR INPUT PROGRAM...: the largest peak resident set of 5 runs, KiB.
peak_kib() {
  local dir=$1 input=$2
  shift 2
  [[ -n $gnu_time ]] || { echo "n/a"; return; }
  (
    cd "$dir"
    local peak=0 kib
    for ((i = 0; i < 5; i++)); do
      "$gnu_time" -f %M -o "$scratch/rss.txt" "$@" <"$input" >/dev/null 2>&1 || true
      kib=$(tail -n 1 "$scratch/rss.txt")
      ((kib > peak)) && peak=$kib
    done
    echo "$peak"
  )
}

ms() { awk -v us="$1" 'BEGIN { printf "%.3f ms", us / 1000 }'; }
mib() { if [[ $1 == n/a ]]; then echo "n/a"; else awk -v k="$1" 'BEGIN { printf "%.2f MiB", k / 1024 }'; fi; }

# row LABEL DIR INPUT PROGRAM...: one line of the table.
row() {
  local label=$1 dir=$2 input=$3 median least cpu
  shift 3
  read -r median least cpu < <(measure "$dir" "$input" "$@")
  [[ -n ${cpu:-} ]] || exit 1
  printf '%-26s %11s %11s %11s %12s\n' "$label" "$(ms "$median")" "$(ms "$least")" "$(ms "$cpu")" \
    "$(mib "$(peak_kib "$dir" "$input" "$@")")"
}

# make_config DIR TYPE SETS
make_config() {
  local dir=$1 type=$2 sets=$3
  mkdir -p "$dir"
  cp "$repo"/examples/*.dat "$dir"/
  printf ' %11d %11d\n' "$type" 1 >"$dir/type.dat"
  awk -v n="$sets" 'BEGIN { split("B LB LBB L BB", p, " ");
    for (k = 0; k < n; k++) printf " %-3s %11d\n", p[k % 5 + 1], k % 50 + 1 }' >"$dir/protein2.dat"
  awk -v n="$sets" 'BEGIN { for (i = 1; i <= n; i++) printf " %11d %11d\n", 2 * i - 1, 2 * i + 4 }' >"$dir/chima2.dat"
}

echo "program: $config"
echo "runs per figure: $runs; wall time: median and least; cpu: mean user+system; peak memory: largest of 5 runs"
echo "scratch: $scratch ($(findmnt -n -o FSTYPE -T "$scratch" 2>/dev/null || echo "unknown file system"))"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
printf '%-26s %11s %11s %11s %12s\n' "configuration" "median" "least" "cpu" "peak memory"
for sets in $sizes; do
  for type in $types; do
    dir="$scratch/type$type-sets$sets"
    make_config "$dir" "$type" "$sets"
    row "save  type $type, $sets sets" "$dir" "$scratch/save.in" "$config"
    row "quit8 type $type, $sets sets" "$dir" "$scratch/quit8.in" "$config"
    row "get   type $type, $sets sets" "$dir" "$scratch/quit8.in" "$config" get particle_count
    row "show  type $type, $sets sets" "$dir" "$scratch/quit8.in" "$config" show
  done
done

# The targets, against the floor.
dir="$scratch/example"
mkdir -p "$dir"
cp "$repo"/examples/*.dat "$dir"/
echo 'int main() { return 0; }' >"$scratch/floor.cpp"
g++ -O2 -static -o "$scratch/floor" "$scratch/floor.cpp"

clock="task-clock"
perf stat -x, -e task-clock -o /dev/null true >/dev/null 2>&1 || clock="wall"

# cpu_ms DIR INPUT PROGRAM...: the CPU time of one run in ms (task-clock), or
# its wall time without perf. A failed run stops the script.
cpu_ms() {
  local dir=$1 input=$2 status=0 walls=()
  shift 2
  if [[ $clock == wall ]]; then
    (cd "$dir" && time_run walls "$input" "$@" && ms_of_us "${walls[0]}")
    return
  fi
  (cd "$dir" && perf stat -x, -e task-clock -o "$scratch/perf.txt" -- "$@" <"$input" >"$scratch/out.txt" 2>&1) || status=$?
  if ((status != 0)); then
    echo "$* failed with status $status:" >&2
    tail -n 3 "$scratch/out.txt" >&2
    exit 1
  fi
  awk -F, '$3 ~ /^task-clock/ { print $1 }' "$scratch/perf.txt"
}
ms_of_us() { awk -v us="$1" 'BEGIN { printf "%.3f\n", us / 1000 }'; }
median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# ratio_target LABEL LIMIT DIR INPUT PROGRAM...: RUNS runs of the program and
# of the baseline (the floor, unless the array `baseline` names another
# command) in turn; prints both medians, the ratio and whether it holds.
baseline=()
ratio_target() {
  local label=$1 limit=$2 dir=$3 input=$4 program_ms=() floor_ms=() program floor base=("${baseline[@]}")
  shift 4
  ((${#base[@]})) || base=("$scratch/floor")
  cpu_ms "$dir" "$input" "$@" >/dev/null  # warm-up, not counted
  cpu_ms "$dir" "$input" "${base[@]}" >/dev/null
  for ((i = 0; i < runs; i++)); do
    program_ms+=("$(cpu_ms "$dir" "$input" "$@")") || exit 1
    floor_ms+=("$(cpu_ms "$dir" "$input" "${base[@]}")") || exit 1
  done
  program=$(median "${program_ms[@]}")
  floor=$(median "${floor_ms[@]}")
  awk -v l="$label" -v p="$program" -v f="$floor" -v limit="$limit" 'BEGIN {
    r = p / f
    printf "%-34s %8.3f ms %8.3f ms %7.2f   at most %.1f: %s\n", l, p, f, r, limit, r <= limit ? "yes" : "NO" }'
}

row "quit8 example" "$dir" "$scratch/quit8.in" "$config"
row "get example" "$dir" "$scratch/quit8.in" "$config" get particle_count
# keys reads no file: it should stay within 1.5 times get.
row "keys example" "$dir" "$scratch/quit8.in" "$config" keys
row "keys --json example" "$dir" "$scratch/quit8.in" "$config" keys --json
row "show example" "$dir" "$scratch/quit8.in" "$config" show
# diff of two directories reads both configurations.
copy_dir="$scratch/example-copy"
cp -r "$dir" "$copy_dir"
row "diff example copy" "$dir" "$scratch/quit8.in" "$config" diff "$copy_dir"
echo
echo
echo "targets: $clock, median of $runs runs each, taking turns with the floor (int main() { return 0; }, g++ -O2 -static)"
printf '%-34s %11s %11s %7s\n' "run" "program" "floor" "ratio"
ratio_target "option 8, example" 1.5 "$dir" "$scratch/quit8.in" "$config"
if (cd "$dir" && "$config" get particle_count </dev/null >/dev/null 2>&1); then
  ratio_target "get particle_count, example" 1.5 "$dir" /dev/null "$config" get particle_count
else
  echo "get particle_count, example        not measured: the program does not accept it"
fi
# keys and diff of two directories, against get itself.
baseline=("$config" get particle_count)
ratio_target "keys, example (x get)" 1.5 "$dir" /dev/null "$config" keys
ratio_target "diff of two dirs, example (x get)" 1.5 "$dir" /dev/null "$config" diff "$copy_dir"
baseline=()
for type in $types; do
  capacity_dir="$scratch/type$type-sets10000"
  [[ -d $capacity_dir ]] || make_config "$capacity_dir" "$type" 10000
  ratio_target "option 8, type $type, 10000 sets" 2.0 "$capacity_dir" "$scratch/quit8.in" "$config"
done
for type in $types; do
  capacity_dir="$scratch/type$type-sets10000"
  read -r median least cpu < <(measure "$capacity_dir" "$scratch/save.in" "$config")
  [[ -n ${cpu:-} ]] || exit 1
  awk -v t="$type" -v m="$median" 'BEGIN {
    printf "%-34s %8.3f ms (wall, median)          under 20 ms: %s\n", "save, type " t ", 10000 sets", m / 1000, m < 20000 ? "yes" : "NO" }'
done
echo "load average at end: $(cut -d' ' -f1-3 /proc/loadavg)"
