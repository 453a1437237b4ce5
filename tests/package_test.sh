#!/bin/sh
# A Windows release archive holds what an administrator needs, its programs
# are of the archive's bitness, and both carry their version resource.
#   package_test.sh ARCHIVE.zip x64|x86 VERSION
set -u
bitness=$2
version=$3
archive=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
failures=0
listing=$(cmake -E tar tf "$archive" | sed 's#^[^/]*/##' | grep -v '/$' | sort)
expected=$(sort <<EOF2
Kestrovan.exe
kestrovan-passwd.exe
README.md
guide.md
examples/PRD.P00
examples/SapSim.ini
examples/Tallisan.Prf
examples/SAP Tallisan.Gbl
examples/Kestrovan.ini
EOF2
)
if [ "$listing" != "$expected" ]; then
  echo "FAIL: the archive holds"
  echo "$listing"
  failures=$((failures + 1))
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$archive")
exe=$(find "$work" -name Kestrovan.exe)
# The machine field of the PE header: 8664 for x64, 014c for x86.
machine() {
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
expected_machine=8664
[ "$bitness" = x86 ] && expected_machine=014c
for program in "$exe" "$(find "$work" -name kestrovan-passwd.exe)"; do
  if [ "$(machine "$program")" != "$expected_machine" ]; then
    echo "FAIL: $(basename "$program") is not a $bitness program"
    failures=$((failures + 1))
  fi
done
# Version strings are UTF-16 in the resource.
utf16() { printf '%s' "$1" | sed 's/./&\\x00/g'; }
for program in "$exe" "$(find "$work" -name kestrovan-passwd.exe)"; do
  for text in ProductName Kestrovan FileVersion "$version" FileDescription; do
    if ! LC_ALL=C grep -qaP "$(utf16 "$text")" "$program"; then
      echo "FAIL: no version resource string $text in $(basename "$program")"
      failures=$((failures + 1))
    fi
  done
done
if grep -q '^HostKind=' "$work"/*/examples/Kestrovan.ini; then
  echo "FAIL: the example Kestrovan.ini selects a host kind"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "package $bitness: $(echo "$listing" | wc -l) files as expected, $bitness programs, version resource present"
exit "$failures"
