#!/usr/bin/env bash
# check-imports.sh OBJDUMP IMAGE [ALLOWED_EXTRA_DLL ...]
# Fails when IMAGE imports a DLL that is neither a Windows system DLL nor one of the allowed extras.
set -euo pipefail
objdump=$1; image=$2; shift 2
system_dlls="kernel32 user32 gdi32 advapi32 shell32 comctl32 comdlg32 ole32 oleaut32 shlwapi
  version winmm ws2_32 wininet msvcrt psapi riched32 riched20 shfolder uxtheme imm32 rpcrt4 secur32 crypt32 setupapi ntdll"
allowed=" $(echo $system_dlls) $* "
mapfile -t dlls < <("$objdump" -p "$image" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//')
[ ${#dlls[@]} -gt 0 ] || { echo "no import table read from $image"; exit 1; }
bad=0
for d in "${dlls[@]}"; do
  case "$allowed" in *" $d "*|*" $d.dll "*) echo "ok   $d.dll" ;; *) echo "BAD  $d.dll (not a system DLL)"; bad=1 ;; esac
done
exit $bad
