#!/usr/bin/env bash
# Ends the wineserver and Xvfb display that scripts/wine-env.sh started for a build folder.
build=$(cd "$1" 2>/dev/null && pwd) || exit 0
if [ -d "$build/wineprefix" ]; then
  WINEPREFIX="$build/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
if [ -f "$build/xvfb.state" ]; then
  read -r n pid < "$build/xvfb.state"
  kill "$pid" 2>/dev/null || true
  rm -f "$build/xvfb.state"
fi
exit 0
