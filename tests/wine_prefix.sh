#!/bin/sh
# Creates the Wine prefix that one test run shares, or shuts its server down.
#   wine_prefix.sh create DIR | stop DIR
set -eu
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case $action in
  create)
    wineserver -k >/dev/null 2>&1 || true
    # A first start of Wine on a busy machine now and then gives up: try again.
    for _ in 1 2 3; do
      rm -rf "$WINEPREFIX"
      wineboot -i >/dev/null 2>&1 || true
      wineserver -w
      [ -f "$WINEPREFIX/system.reg" ] && break
    done
    # Keep the server up between the cases, so each start of a program is quick.
    wineserver -p60 </dev/null >/dev/null 2>&1 || true
    # Start Wine's own helper processes now, away from the cases' pipes.
    wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
    test -d "$WINEPREFIX/drive_c"
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
esac
