#!/usr/bin/env bash
# Formats the manual page and fails on any warning: groff with every warning
# on, and mandoc's checker where it is installed. Exit status 77 (skipped)
# when neither formatter is there.
set -uo pipefail

page=$1
checked=0
status=0

if command -v groff >/dev/null; then
  checked=1
  warnings=$(groff -wall -man -Tutf8 "$page" 2>&1 >/dev/null)
  if [ -n "$warnings" ]; then
    echo "groff warns about $page:"
    echo "$warnings"
    status=1
  fi
fi

if command -v mandoc >/dev/null; then
  checked=1
  if ! warnings=$(mandoc -T lint -W warning "$page" 2>&1) || [ -n "$warnings" ]; then
    echo "mandoc warns about $page:"
    echo "$warnings"
    status=1
  fi
fi

if [ $checked = 0 ]; then
  echo "neither groff nor mandoc is installed: skipped"
  exit 77
fi
[ $status = 0 ] && echo "$page formats without warnings"
exit $status
