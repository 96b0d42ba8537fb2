#!/bin/sh
# Runs the link command given and passes on all it prints, except the notes
# static glibc attaches to its user-database functions (getpwnam, getgrgid
# and their kin: "Using 'getpwnam' in statically linked applications
# requires at runtime the shared libraries ...") and the "in function" line
# that introduces each. The link's status is kept.
messages=$(mktemp "${TMPDIR:-/tmp}/link-messages.XXXXXX") || exit 1
"$@" 2>"$messages"
status=$?
awk '
  / in function .*:$/ { if (held != "") print held; held = $0; next }
  /warning: Using .(get|set|end)(pw|gr)[a-z_]*. in statically linked applications requires at runtime the shared libraries/ {
    held = ""; next
  }
  { if (held != "") print held; held = ""; print }
  END { if (held != "") print held }
' "$messages" >&2
rm -f "$messages"
exit "$status"
