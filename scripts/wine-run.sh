#!/usr/bin/env bash
# CTest's emulator for the x86_64 Windows build: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
set -u
. "$(dirname "$0")/wine-env.sh" "$1"
shift
# Wine's system processes (services, the desktop's explorer) that a program starts inherit its
# output; CTest would wait for them to close its pipe. The program writes to a file instead,
# which is passed on when it ends.
out=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
"$DROVEL_WINE" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
