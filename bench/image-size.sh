#!/usr/bin/env bash
# Size of the i686 deliverables (statically linked images).
set -u
for f in build/win32/bin/Stub.exe build/win32/bin/Mirel_DLL.dll; do
  [ -f "$f" ] && printf '%-32s %8d bytes\n' "$(basename "$f")" "$(stat -c %s "$f")"
done
