#!/usr/bin/env bash
# The main job. For now: start Stub.exe under Wine with the trace viewer attached and print
# the stub's trace.
set -eu
build=$1
echo "Built: $(ls "$build"/bin/*.exe | xargs -n1 basename | tr '\n' ' ')"
. "$(dirname "$0")/wine-env.sh" "$build"
"$DROVEL_WINE" "$build/bin/Stub.exe" /demo
echo "Stub.exe exited with $?"
