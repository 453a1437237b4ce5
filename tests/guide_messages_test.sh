#!/bin/sh
# The troubleshooting table of the guide and the program's messages must
# agree: every message text in the sources (the fixed part up to the first
# value put into it) stands in the guide, and every error number the guide
# lists is one the program can print.
#   guide_messages_test.sh SOURCE-ROOT
set -u
root=$1
guide=$root/docs/guide.md
failures=0
# The guide wraps its lines: search it as one line with single blanks.
flat=$(mktemp)
trap 'rm -f "$flat"' EXIT
tr '\n' ' ' < "$guide" | tr -s ' ' > "$flat"
messages=$(grep -rhoE --exclude='*_test.cpp' \
  '"(Error [0-9x]{4}: [^"]*|Sorry[^"]*|\* [A-Za-z][^"]*| - [A-Z][^"]*|kestrovan-passwd: [^"]*)"' \
  "$root/src" "$root/tools" | sed 's/^"//; s/"$//; s/\\n$//; s/%.*$//' | sort -u)
[ -n "$messages" ] || { echo "FAIL: no messages found in the sources"; exit 1; }
count=0
while IFS= read -r message; do
  count=$((count + 1))
  if ! grep -qF -- "$(printf '%s' "$message" | tr -s ' ')" "$flat"; then
    echo "FAIL: the guide does not list the message [$message]"
    failures=$((failures + 1))
  fi
done <<EOF2
$messages
EOF2
for code in $(grep -oE 'Error [0-9x]{4}' "$guide" | sort -u | cut -d' ' -f2); do
  if ! grep -rqE --exclude='*_test.cpp' "\"Error $code: " "$root/src" "$root/tools"; then
    echo "FAIL: the guide lists Error $code, which the program never prints"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "guide: all $count messages of the program are listed"
exit "$failures"
