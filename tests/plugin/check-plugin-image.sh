#!/usr/bin/env bash
# check-plugin-image.sh OBJDUMP MIREL_DLL
# The plug-in image as an engine and the loader see it: the entry points exported under their
# plain names (no cdecl underscore, no @n), the further exports under C++ names, and load-time
# imports limited to system DLLs, Quorix.dll and msi.dll (msi.dll by ordinal only).
set -euo pipefail
objdump=$1; image=$2
here=$(cd "$(dirname "$0")" && pwd)
dump=$("$objdump" -p "$image")
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | sed -n 's/^\s*\[\s*[0-9]*\] //p')
bad=0
need() { grep -qx -- "$1" <<<"$exports" || { echo "MISSING export $1"; bad=1; }; }
for name in GetDllVersion GetConditionAlias GetExecutionAlias \
            GetCondition_0 GetCondition_1 GetCondition_2 GetCondition_3 GetCondition_4 \
            SetExecution_0 SetExecution_1 SetExecution_2 SetExecution_3 SetExecution_4 SetExecution_5 \
            DebugLevel VerboseLevel ExternalDebugControl PrintDebugOnScreen nMirel_DLL \
            _Z13OpenDebugFilev _Z10PrintDebugiPcP6_iobuf _Z14CloseDebugFilei _Z10string2intPci \
            _Z17DLL_FindFirstFilePcS_ _Z11fnMirel_DLLv _ZN10CMirel_DLLC1Ev _ZN10CMirel_DLLaSERKS_; do
  need "$name"
done
if grep -E '^_(Get|Set)|@[0-9]+$' <<<"$exports"; then
  echo "BAD  decorated entry point names above"; bad=1
fi
echo "exports: $(wc -l <<<"$exports") names"
"$here/../../scripts/check-imports.sh" "$objdump" "$image" quorix msi || bad=1
# Imports of msi.dll carry ordinals, never names.
msi_names=$(awk 'tolower($0) ~ /dll name: msi\.dll/ {on=1; next} /DLL Name:/ {on=0} on' <<<"$dump" |
            grep -E '^\s+[0-9a-f]+\s+[0-9]+\s+[A-Za-z_]' || true)
if [ -n "$msi_names" ]; then
  echo "BAD  msi.dll imported by name:"; echo "$msi_names"; bad=1
fi
exit $bad
