#!/usr/bin/env bash
# The main job: start the trace viewer under Wine, run Stub.exe with a few arguments and print
# the stub's trace as the viewer received it, then close the viewer.
set -eu
build=$1
bin="$build/bin"
# Test programs are named folder.Module.exe; the rest are the programs of the kit.
echo "Built: $(cd "$bin" && ls *.exe | grep -v '\..*\.exe$' | grep -v '^harness_' | tr '\n' ' ')"
. "$(dirname "$0")/wine-env.sh" "$build"

work=$(mktemp -d "${TMPDIR:-/tmp}/drovel-demo.XXXXXX")
trap 'rm -rf "$work"' EXIT
# Windows programs see the Unix root as drive Z:.
trace="Z:${work//\//\\}\\trace.txt"
ready="Z:${work//\//\\}\\viewer.ready"

"$DROVEL_WINE" "$bin/trace-viewer.exe" --quiet --out "$trace" --ready "$ready" </dev/null >"$work/viewer.log" 2>&1 &
viewer=$!
for _ in $(seq 1 300); do
  [ -f "$work/viewer.ready" ] && break
  kill -0 "$viewer" 2>/dev/null || break
  sleep 0.1
done
if [ ! -f "$work/viewer.ready" ]; then
  echo "trace-viewer did not start:"; cat "$work/viewer.log"; exit 1
fi

set +e
"$DROVEL_WINE" "$bin/Stub.exe" /hide '/OriginExe=C:\Demo\Setup.exe' /SleepX=5 demo </dev/null >/dev/null 2>&1
code=$?
set -e
echo "Stub.exe exited with $code"

"$DROVEL_WINE" "$bin/trace-viewer.exe" --stop </dev/null >/dev/null 2>&1 || true
wait "$viewer" || true
echo "--- trace received by trace-viewer ---"
tr -d '\r' < "$work/trace.txt"
echo "--------------------------------------"
