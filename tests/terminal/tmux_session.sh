#!/usr/bin/env bash
# Runs config in a real terminal (a tmux pane) on a scratch copy of the
# example configuration, types sessions with the editing keys, and checks what
# the screen shows and what was saved.
#
#   tmux_session.sh CONFIG_BINARY EXAMPLES_DIR LINE_EDITING(ON|OFF)
#
# Exit status 77 (skipped) when tmux is missing or the program was built
# without line editing.
set -euo pipefail

config=$1
examples=$2
line_editing=$3

if ! command -v tmux >/dev/null; then
  echo "tmux is not installed: skipped"
  exit 77
fi
if [ "$line_editing" != ON ]; then
  echo "config was built without line editing: skipped"
  exit 77
fi

work=$(mktemp -d)
cleanup() {
  tmux -S "$work/socket" kill-server 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

term() { tmux -S "$work/socket" -f /dev/null "$@"; }

timeout_seconds=10
pane=""

fail() {
  echo "FAILED: $*"
  echo "---- the screen ----"
  term capture-pane -p -J -S - -t "$pane" || true
  echo "--------------------"
  exit 1
}

# Starts config in a fresh pane, in the configuration directory $1. When it
# ends, the pane shows its exit status and stays open.
start_config() {
  pane=$(term new-session -d -P -F '#{pane_id}' -x 100 -y 50 \
    "cd '$1' && env -u CONFIG_HISTORY INPUTRC=/dev/null '$config'; echo \"[config ended with status \$?]\"; sleep 600")
}

# Everything the pane has shown, scrolled-off lines included.
whole_screen() { term capture-pane -p -J -S - -t "$pane"; }

# The line the cursor is on, without trailing blanks.
cursor_line() {
  local y
  y=$(term display -p -t "$pane" '#{cursor_y}')
  term capture-pane -p -t "$pane" | sed -n "$((y + 1))p" | sed 's/ *$//'
}

# Polls until a condition holds (the command given), or fails after the time-out.
wait_until() {
  local what=$1
  shift
  local deadline=$((SECONDS + timeout_seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "waited ${timeout_seconds}s for $what"
    sleep 0.05
  done
}

shows_times() { [ "$(whole_screen | grep -cF -- "$1")" -ge "$2" ]; }
cursor_line_is() { [ "$(cursor_line)" = "$1" ]; }
# The line editor has the terminal (it reads key by key, not whole lines).
editor_reading() { stty -F "$(term display -p -t "$pane" '#{pane_tty}')" -a | grep -q -- '-icanon'; }

# Waits until the screen shows a text at least N times and the program
# waits for the next answer.
expect_prompt() {
  wait_until "\"$1\" shown $2 times" shows_times "$1" "$2"
  wait_until "the line editor to read" editor_reading
}
expect_line() { wait_until "the answer line to read \"$1\"" cursor_line_is "$1"; }
expect_file() {
  local content
  content=$(cat "$1")
  [ "$content" = "$2" ] || fail "$(basename "$1") holds \"$content\", expected \"$2\""
}

menu_prompt="Press [ENTER] for default choice:'9. Quit and save!'"
refusal="Can not recognize the input parameter!"
save_question="   Quit and Save the config. file ? (y/n)"

# Session 1: answers recalled and edited, then a save.
dir="$work/config1"
mkdir "$dir"
cp "$examples"/*.dat "$dir"
printf '38,5\n' >"$dir/atom_num.dat"  # a seeding number: start-up makes it 37
start_config "$dir"

expect_prompt "$menu_prompt" 1
term send-keys -t "$pane" -l 19
term send-keys -t "$pane" Enter
expect_prompt "$refusal" 1
expect_prompt "$menu_prompt" 2

# Up brings 19 back; Left and Backspace make it 9: quit and save.
term send-keys -t "$pane" Up
expect_line 19
term send-keys -t "$pane" Left BSpace
expect_line 9
term send-keys -t "$pane" Enter
expect_prompt "$save_question" 1

# A wrong answer returns to the menu; nothing is saved yet.
term send-keys -t "$pane" -l xy
term send-keys -t "$pane" Enter
expect_prompt "$refusal" 2
expect_prompt "$menu_prompt" 3
expect_file "$dir/atom_num.dat" "38,5"

# Up Up: 9 again. At the question Up Up brings xy back; Home and Delete
# leave y.
term send-keys -t "$pane" Up Up
expect_line 9
term send-keys -t "$pane" Enter
expect_prompt "$save_question" 2
term send-keys -t "$pane" Up Up
expect_line xy
term send-keys -t "$pane" Home DC End
expect_line y
term send-keys -t "$pane" Enter

wait_until "the program to end" shows_times "[config ended with status 0]" 1
shows_times "config. dat has been saved !" 1 || fail "no save message"
expect_file "$dir/atom_num.dat" "          38          37"
term kill-server

# Session 2: Ctrl-D on an empty line ends the input, as a pipe's end does:
# the fatal keyboard error, nothing written.
dir="$work/config2"
mkdir "$dir"
cp "$examples"/*.dat "$dir"
printf '38,5\n' >"$dir/atom_num.dat"
start_config "$dir"

expect_prompt "$menu_prompt" 1
term send-keys -t "$pane" -l 12
term send-keys -t "$pane" C-a C-d
expect_line 2
term send-keys -t "$pane" C-e BSpace
expect_line ""
term send-keys -t "$pane" C-d
wait_until "the program to end" shows_times "[config ended with status 2]" 1
shows_times "keyboard" 1 || fail "the error does not name the keyboard"
expect_file "$dir/atom_num.dat" "38,5"
cmp -s "$examples/data.dat" "$dir/data.dat" || fail "data.dat was written"

echo "terminal sessions passed"
