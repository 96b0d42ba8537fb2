#!/usr/bin/env bash
# Drives the bash completion function that `config completion bash` prints,
# as bash does at a TAB: COMP_LINE, COMP_POINT, COMP_WORDS and COMP_CWORD
# set, _config called, COMPREPLY compared; each case with '=' in
# COMP_WORDBREAKS (bash's default) and without it.
#
#   bash_completion.sh path/to/config
set -uo pipefail
config=$(realpath "$1")
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-completion.XXXXXX")
trap 'rm -rf "$dir"' EXIT
cd "$dir" && mkdir run55 run56 && touch run55.json notes.txt

source <("$config" completion bash)
failed=0

# complete LINE BREAKS: COMPREPLY for the cursor at the end of LINE, with
# COMP_WORDBREAKS as BREAKS.
complete_line() {
  local COMP_LINE=$1 COMP_WORDBREAKS=$2 COMP_POINT=${#1}
  local -a COMP_WORDS
  read -ra COMP_WORDS <<<"$COMP_LINE"
  COMP_WORDS[0]=$config
  [[ $COMP_LINE == *" " ]] && COMP_WORDS+=("")
  local COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _config
  sorted "${COMPREPLY[@]}"
}

# The words given, sorted, on one line: bash sorts what it shows.
sorted() {
  (($# == 0)) || printf '%s\n' "$@" | LC_ALL=C sort | paste -sd ' '
}

# check LINE EXPECTED [EXPECTED without '=' in COMP_WORDBREAKS]
check() {
  local with_equals without_equals got
  local -a words
  read -ra words <<<"$2"
  with_equals=$(sorted "${words[@]}")
  read -ra words <<<"${3-$2}"
  without_equals=$(sorted "${words[@]}")
  got=$(complete_line "$1" $' \t\n"\'><=;|&(:')
  if [[ $got != "$with_equals" ]]; then
    echo "'$1' with '=' breaking: got '$got', expected '$with_equals'" >&2
    failed=1
  fi
  got=$(complete_line "$1" $' \t\n"\'><;|&(:')
  if [[ $got != "$without_equals" ]]; then
    echo "'$1' without '=' breaking: got '$got', expected '$without_equals'" >&2
    failed=1
  fi
}

check "config " "show get set apply diff check init keys completion"
check "config k" "keys"
check "config -" "-C -h --help --version"
check "config -C " "run55 run56"
check "config -C run5" "run55 run56"
check "config -C run55 g" "get"
check "config show --" "--json"
check "config keys --j" "--json"
check "config get min_m" "min_method"
check "config get mc_steps[" "mc_steps[1] mc_steps[2] mc_steps[3]"
check "config keys mb_aa.e" "mb_aa.e0"
check "config get residues_t" "residues_type[1]"
check "config set min_m" "min_method="
check "config -C run55 set close" "close_pack="
check "config set min_method=" "1 2 3 4 5" "min_method=1 min_method=2 min_method=3 min_method=4 min_method=5"
check "config set box_width=1 min_method=4" "4" "min_method=4"
check "config set run_method[2]=" "1 2 3 5" "run_method[2]=1 run_method[2]=2 run_method[2]=3 run_method[2]=5"
check "config set box_width=" ""
check "config set min_method=9" ""
check "config completion " "bash zsh fish"
check "config diff --" "--json --last-save"
check "config set --" "--dry-run"
check "config set --dry-run min_m" "min_method="
check "config apply run5" "run55 run55.json run56"
check "config diff run55 n" "notes.txt"
check "config nosuch " ""

exit $failed
