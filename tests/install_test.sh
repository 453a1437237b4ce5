#!/bin/sh
# `cmake --install` lays out the programs, the examples and the documents.
#   install_test.sh BUILD-DIR
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null || { echo "FAIL: install"; exit 1; }
failures=0
for file in bin/Kestrovan bin/kestrovan-passwd share/doc/Kestrovan/guide.md \
    share/doc/Kestrovan/README.md share/kestrovan/examples/PRD.P00 \
    share/kestrovan/examples/SapSim.ini share/kestrovan/examples/Tallisan.Prf \
    "share/kestrovan/examples/SAP Tallisan.Gbl" share/kestrovan/examples/Kestrovan.ini; do
  [ -f "$prefix/$file" ] || { echo "FAIL: $file not installed"; failures=$((failures + 1)); }
done
[ -x "$prefix/bin/Kestrovan" ] || { echo "FAIL: Kestrovan not executable"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "install: programs, examples and documents in place"
exit "$failures"
