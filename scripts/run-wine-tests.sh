#!/usr/bin/env bash
# run-wine-tests.sh BUILD_DIR [CTEST ARGS...]: runs a Windows build's tests under Wine and ends
# the shared wineserver and Xvfb display afterwards, whatever the result.
set -u
build=$1; shift
trap 'scripts/wine-stop.sh "$build"' EXIT
ctest --test-dir "$build" --output-on-failure "$@"
