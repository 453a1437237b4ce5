#!/bin/sh
# The password tool from the outside: exit codes, what goes to which stream.
#   passwd_tool_test.sh PATH-TO-kestrovan-passwd
set -u
tool=$1
failures=0
check() {  # name, expected, actual
  if [ "$2" != "$3" ]; then
    echo "FAIL $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}

stored=$(printf 'Geheim99\n' | "$tool")
check "stored form length" 24 "${#stored}"
check "round trip" "Geheim99" "$(printf '%s\n' "$stored" | "$tool" --decode)"
check "round trip of blanks and punctuation" 'a b<&>"x' \
  "$(printf 'a b<&>"x\n' | "$tool" | "$tool" --decode)"

out=$(printf '\n' | "$tool" 2>/dev/null); rc=$?
check "empty password exit" 2 "$rc"; check "empty password output" "" "$out"
out=$(printf '123456789012345678901\n' | "$tool" 2>/dev/null); rc=$?
check "long password exit" 2 "$rc"; check "long password output" "" "$out"
err=$(printf '\n' | "$tool" 2>&1 >/dev/null)
check "message on standard error" 1 "$(printf '%s\n' "$err" | grep -c 'kestrovan-passwd:')"

out=$(printf 'short\n' | "$tool" --decode); rc=$?
check "decode invalid" "invalid/1" "$out/$rc"
wrong=$(printf '%s' "$stored" | sed 's/.$//')
last=$(printf '%s' "$stored" | tail -c 1)
if [ "$last" = "A" ]; then wrong="${wrong}B"; else wrong="${wrong}A"; fi
out=$(printf '%s\n' "$wrong" | "$tool" --decode); rc=$?
case "$out/$rc" in wrong/1|*/0) ;; *) check "decode wrong" "wrong/1" "$out/$rc" ;; esac

check "version" "kestrovan-passwd (Kestrovan Vers 4.3 / 29.08.22)" "$("$tool" --version)"
"$tool" --help | grep -q "Usage: kestrovan-passwd" || check "help" "usage" "none"
"$tool" --bogus >/dev/null 2>&1; check "unknown option" 2 "$?"

[ "$failures" -eq 0 ] && echo "passwd tool: all checks passed"
exit "$failures"
