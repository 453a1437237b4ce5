#!/bin/sh
# The password tool from the outside: exit codes, what goes to which stream.
#   passwd_tool_test.sh PATH-TO-kestrovan-passwd VERSION-TEXT
set -u
tool=$1
version=$2
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
# A stored form of "Geheim99" whose first character, the check digit 8 XOR
# 0x0B, is changed to the check digit 9 XOR 0x0B: well-formed, but wrong.
good='3,6"Zns*n+B}uZZy]lK,3|by'
check "decode the known form" "Geheim99/0" "$(printf '%s\n' "$good" | "$tool" --decode)/$?"
wrong='2,6"Zns*n+B}uZZy]lK,3|by'
out=$(printf '%s\n' "$wrong" | "$tool" --decode); rc=$?
check "decode wrong" "wrong/1" "$out/$rc"

check "version" "kestrovan-passwd (Kestrovan $version)" "$("$tool" --version)"
"$tool" --help | grep -q "Usage: kestrovan-passwd" || check "help" "usage" "none"
"$tool" --bogus >/dev/null 2>&1; check "unknown option" 2 "$?"

[ "$failures" -eq 0 ] && echo "passwd tool: all checks passed"
exit "$failures"
