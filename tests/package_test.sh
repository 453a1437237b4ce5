#!/bin/sh
# The Windows release archive holds what an administrator needs, and
# Kestrovan.exe carries its version resource.
#   package_test.sh ARCHIVE.zip
set -u
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
# Version strings are UTF-16 in the resource.
utf16() { printf '%s' "$1" | sed 's/./&\\x00/g'; }
for text in ProductName Kestrovan FileVersion 4.3 FileDescription; do
  if ! LC_ALL=C grep -qaP "$(utf16 "$text")" "$exe"; then
    echo "FAIL: no version resource string $text in Kestrovan.exe"
    failures=$((failures + 1))
  fi
done
if grep -q '^HostKind=' "$work"/*/examples/Kestrovan.ini; then
  echo "FAIL: the example Kestrovan.ini selects a host kind"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] && echo "package: $(echo "$listing" | wc -l) files as expected, version resource present"
exit "$failures"
