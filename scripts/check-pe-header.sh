#!/usr/bin/env bash
# check-pe-header.sh OBJDUMP IMAGE: the PE header sits at 256 (e_lfanew 256, "PE\0\0" there), the
# dwords at 248 and 252 are zero, and objdump still reads the headers and the sections.
set -euo pipefail
objdump=$1; image=$2
hex() { od -An -tx1 -j "$1" -N "$2" "$image" | tr -d ' \n'; }
fail=0
[ "$(hex 0 2)" = 4d5a ] || { echo "BAD  no MZ at 0"; fail=1; }
[ "$(hex 60 4)" = 00010000 ] && echo "ok   e_lfanew = 256" || { echo "BAD  e_lfanew = $(hex 60 4) (bytes)"; fail=1; }
[ "$(hex 256 4)" = 50450000 ] && echo "ok   PE signature at 256" || { echo "BAD  no PE signature at 256"; fail=1; }
[ "$(hex 248 8)" = 0000000000000000 ] && echo "ok   dwords at 248 and 252 are zero" || { echo "BAD  dwords at 248/252: $(hex 248 8)"; fail=1; }
if headers=$("$objdump" -h -p "$image" 2>&1) && grep -q '^Sections:' <<<"$headers" && grep -q 'SizeOfHeaders' <<<"$headers"; then
  echo "ok   objdump reads the headers ($(grep -m1 'file format' <<<"$headers" | sed 's/.*file format //'))"
else
  echo "BAD  objdump cannot read the image"; echo "$headers" | head -5; fail=1
fi
exit $fail
