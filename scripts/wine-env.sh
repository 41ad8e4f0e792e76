# Sourced: the Wine environment of one build folder ($1). Sets WINEPREFIX, DISPLAY and friends,
# creating the prefix once, starting one Xvfb display and one persistent wineserver on first use.
# Every later caller (each CTest test, the demo, the picture script) reuses them.
drovel_build=$(cd "$1" && pwd)
export WINEPREFIX="$drovel_build/wineprefix"
export WINEDEBUG=-all
# No Mono/Gecko prompts, no menu entries, and no crash debugger holding a test run.
export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d;winedbg.exe=d"
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEARCH=win64
DROVEL_WINE=/usr/lib/wine/wine64

drovel_start_xvfb() {
  local state="$drovel_build/xvfb.state" n pid
  if [ -f "$state" ]; then
    read -r n pid < "$state"
    if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
      export DISPLAY=":$n"; return 0
    fi
  fi
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$pid" 2>/dev/null; then
      echo "$n $pid" > "$state"; export DISPLAY=":$n"; return 0
    fi
  done
  echo "wine-env: could not start Xvfb" >&2; return 1
}

drovel_init_prefix() {
  [ -f "$WINEPREFIX/.drovel-ready" ] && return 0
  rm -rf "$WINEPREFIX"
  "$DROVEL_WINE" wineboot -i >/dev/null 2>&1 || true
  local reg="$drovel_build/prefix-settings.reg"
  cat > "$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\AeDebug]
"Auto"="1"
"Debugger"="false"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  "$DROVEL_WINE" regedit /S "$reg" >/dev/null 2>&1 || true
  "$WINESERVER" -w
  touch "$WINEPREFIX/.drovel-ready"
}

# Serialise first-time set-up between tests that CTest starts in parallel.
exec 9>"$drovel_build/wine-env.lock"
flock 9
drovel_start_xvfb
drovel_init_prefix
# One persistent wineserver for the whole run (-p: stays after the last program ends).
"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
flock -u 9
exec 9>&-
