#!/usr/bin/env bash
# check-quorix-image.sh OBJDUMP QUORIX_DLL
# The stand-in as Mirel_DLL's loader sees it: exactly the two exports under their plain names
# (no cdecl underscore, no @n), and load-time imports limited to system DLLs.
set -euo pipefail
objdump=$1; image=$2
here=$(cd "$(dirname "$0")" && pwd)
exports=$("$objdump" -p "$image" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^\s*\[\s*[0-9]*\] //p' | sort)
expected=$(printf '%s\n' SMBIOSSystemInfo WMISystemInfo)
bad=0
if [ "$exports" != "$expected" ]; then
  echo "BAD  exports:"; echo "$exports"; bad=1
else
  echo "ok   exports SMBIOSSystemInfo WMISystemInfo"
fi
"$here/../../../scripts/check-imports.sh" "$objdump" "$image" || bad=1
exit $bad
