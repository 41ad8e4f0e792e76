#!/usr/bin/env bash
# The main job: pack the demo product (examples/hello-setup) with drovel-pack into HelloSetup.exe,
# run it under Wine on the Xvfb display with a trace viewer listening, answer the space dialog,
# photograph the main window during the extraction, and show the exit code, what was installed
# and the stub's trace.
set -eu
build=$(cd "$1" && pwd)
bin="$build/bin"
root=$(cd "$(dirname "$0")/.." && pwd)
example="$root/examples/hello-setup"
# Test programs are named folder.Module.exe; the rest are the programs of the kit.
echo "Built: $(cd "$bin" && ls *.exe | grep -v '\..*\.exe$' | grep -v '^harness_' | tr '\n' ' ')"
. "$(dirname "$0")/wine-env.sh" "$build"

out="$build/demo"
rm -rf "$out"
mkdir -p "$out/pack"
work=$(mktemp -d "${TMPDIR:-/tmp}/drovel-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT
win() { echo "Z:${1//\//\\}"; }  # Windows programs see the Unix root as drive Z:

# 1. The package: the installer as Setup.exe (started with /S), its files, 24 MiB of data so the
#    extraction lasts long enough to be seen, English and German texts, the space dialog always.
cp "$example/payload/readme.txt" "$example/payload/hello.txt" "$out/pack/"
head -c $((24 * 1024 * 1024)) /dev/urandom > "$out/pack/data.bin"
"$DROVEL_WINE" "$bin/drovel-pack.exe" build -q -o "$(win "$out/HelloSetup.exe")" --stub "$(win "$bin/Stub.exe")" \
    --store Setup.exe "$(win "$bin/hello-installer.exe")" --setup Setup.exe --args /S \
    --lang "$(win "$example/English.txt")" --lang "$(win "$example/German.txt")" \
    --show-temp-drive --record-size 64K \
    "$(win "$out/pack/readme.txt")" "$(win "$out/pack/hello.txt")" "$(win "$out/pack/data.bin")" </dev/null
echo "Packed: $out/HelloSetup.exe ($(stat -c %s "$out/HelloSetup.exe") bytes)"
"$DROVEL_WINE" "$bin/drovel-pack.exe" inspect "$(win "$out/HelloSetup.exe")" </dev/null 2>&1 | tr -d '\r' | head -20

# 2. A trace viewer to receive the stub's trace.
trace=$(win "$work/trace.txt")
"$DROVEL_WINE" "$bin/trace-viewer.exe" --quiet --out "$trace" --ready "$(win "$work/viewer.ready")" \
    </dev/null >"$work/viewer.log" 2>&1 &
viewer=$!
for _ in $(seq 1 300); do
  [ -f "$work/viewer.ready" ] && break
  kill -0 "$viewer" 2>/dev/null || break
  sleep 0.1
done
if [ ! -f "$work/viewer.ready" ]; then
  echo "trace-viewer did not start:"; cat "$work/viewer.log"; exit 1
fi

# 3. The run: answer the space dialog with Yes, photograph the main window once it shows.
"$DROVEL_WINE" reg delete 'HKCU\Software\Hello Product' /f </dev/null >/dev/null 2>&1 || true
"$DROVEL_WINE" "$out/HelloSetup.exe" </dev/null >/dev/null 2>&1 &
stub=$!
if "$DROVEL_WINE" "$bin/demo-helper.exe" answer Confirm Yes 30000 </dev/null >/dev/null 2>&1; then
  echo "Space dialog answered with Yes"
else
  echo "No space dialog appeared"
fi
if "$DROVEL_WINE" "$bin/demo-helper.exe" visible "$(win "$out/HelloSetup.exe")" 30000 </dev/null >/dev/null 2>&1; then
  sleep 0.3
  import -window root "$out/main-window.png" && echo "Screenshot of the main window: $out/main-window.png"
fi
set +e
wait "$stub"
code=$?
set -e
echo "HelloSetup.exe exited with $code"

"$DROVEL_WINE" "$bin/trace-viewer.exe" --stop </dev/null >/dev/null 2>&1 || true
wait "$viewer" || true

# 4. What was installed.
installed="$WINEPREFIX/drive_c/Program Files/Hello Product"
echo "--- installed under $installed ---"
ls -l "$installed" 2>/dev/null || echo "(nothing)"
echo "--- HKCU\\Software\\Hello Product ---"
"$DROVEL_WINE" reg query 'HKCU\Software\Hello Product' </dev/null 2>/dev/null | tr -d '\r' | grep -v '^$' || echo "(no key)"
echo "--- trace received by trace-viewer ---"
tr -d '\r' < "$work/trace.txt"
echo "--------------------------------------"
