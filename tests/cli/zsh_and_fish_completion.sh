#!/usr/bin/env bash
# The zsh and fish completion scripts that `config completion` prints, each
# driven by its shell where that shell is installed: zsh's function with the
# completion builtins replaced by recorders, fish's by `complete -C`.
# Exit status 77 (skipped) when neither shell is there.
#
#   zsh_and_fish_completion.sh path/to/config
set -uo pipefail
config=$(realpath "$1")
dir=$(mktemp -d "${TMPDIR:-/tmp}/config-completion.XXXXXX")
trap 'rm -rf "$dir"' EXIT
cd "$dir" && mkdir bin run55 && ln -s "$config" bin/config && touch notes.txt
export PATH=$dir/bin:$PATH
failed=0 ran=0

# LINE -> the completions, sorted, one line.
zsh_complete() {
  zsh -f -c '
    reply=()
    compadd() {
      local suffix=
      while [[ $1 == -* ]]; do
        case $1 in -S) suffix=$2; shift 2 ;; --) shift; break ;; *) shift ;; esac
      done
      local word
      for word in "$@"; do [[ $word == ${PREFIX}* ]] && reply+=("$IPREFIX$word$suffix"); done
    }
    compset() { [[ $1 == -P && $PREFIX == *=* ]] && IPREFIX=${PREFIX%%=*}= PREFIX=${PREFIX#*=}; }
    _directories() { reply+=(DIRECTORIES); }
    _files() { reply+=(FILES); }
    words=(${(z)1}) IPREFIX= PREFIX= CURRENT=$#words
    [[ $1 == *" " ]] && words+=("") CURRENT=$#words
    PREFIX=$words[CURRENT]
    eval "$(config completion zsh)"
    print -l -- $reply | LC_ALL=C sort | paste -sd " "
  ' zsh "$1"
}

fish_complete() {
  fish -c 'config completion fish | source; complete -C $argv[1] | cut -f1' "$1" | LC_ALL=C sort | paste -sd ' '
}

# check SHELL LINE EXPECTED (sorted)
check() {
  local got
  got=$("$1_complete" "$2")
  if [[ $got != "$3" ]]; then
    echo "$1: '$2': got '$got', expected '$3'" >&2
    failed=1
  fi
}

if command -v zsh >/dev/null; then
  ran=1
  check zsh "config " "apply check completion diff get init keys set show"
  check zsh "config -" "--help --version -C -h"
  check zsh "config -C " "DIRECTORIES"
  check zsh "config -C run55 s" "set show"
  check zsh "config show --" "--json"
  check zsh "config get mc_steps[" "mc_steps[1] mc_steps[2] mc_steps[3]"
  check zsh "config set min_m" "min_method="
  check zsh "config set min_method=" "min_method=1 min_method=2 min_method=3 min_method=4 min_method=5"
  check zsh "config set box_width=" ""
  check zsh "config diff " "FILES"
fi
if command -v fish >/dev/null; then
  ran=1
  check fish "config " "apply check completion diff get init keys set show"
  check fish "config -C r" "run55/"
  check fish "config show --" "--json"
  check fish "config get mc_steps[" "mc_steps[1] mc_steps[2] mc_steps[3]"
  check fish "config set min_m" "min_method="
  check fish "config set min_method=" "min_method=1 min_method=2 min_method=3 min_method=4 min_method=5"
  check fish "config set box_width=" ""
  check fish "config apply n" "notes.txt"
fi
((ran)) || exit 77
exit $failed
