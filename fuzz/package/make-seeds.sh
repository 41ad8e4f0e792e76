#!/usr/bin/env bash
# Seed corpus of the package fuzz targets, made by drovel-pack: DROVEL_PACK OUT_DIR.
# OUT_DIR/<target>/ holds the seeds of each target.
set -euo pipefail
pack=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/fuzz_PackageReader" "$out/fuzz_Token"

# A stub image: MZ at 0, PE at 256.
head -c 1024 /dev/zero > "$work/Stub.exe"
printf 'MZ' | dd of="$work/Stub.exe" conv=notrunc status=none
printf 'PE' | dd of="$work/Stub.exe" bs=1 seek=256 conv=notrunc status=none
printf 'setup program' > "$work/Setup.exe"
seq 1 600 > "$work/numbers.txt"
: > "$work/empty.dat"
printf 's0=Hallo\nFontName=Arial\n' > "$work/German.txt"
printf '{\\rtf1 news}' > "$work/body.rtf"

files=("$work/Setup.exe" "$work/numbers.txt" "$work/empty.dat")
"$pack" build -q -o "$out/fuzz_PackageReader/plain.pkg" --level 0 "${files[@]}"
"$pack" build -q -o "$out/fuzz_PackageReader/carrier.exe" --stub "$work/Stub.exe" --sign-ready --setup Setup.exe \
    --args /S --token seed --lang "$work/German.txt" --record-size 512 "${files[@]}"
"$pack" build -q -o "$work/vol.exe" --stub "$work/Stub.exe" --volume-size 3K --record-size 700 \
    --download-url http://dl --download-name p.exe --download-size 10 "${files[@]}"
cp "$work/vol.exe" "$out/fuzz_PackageReader/volume1.exe"
cp "$work/vol.exe.002" "$out/fuzz_PackageReader/volume2.pkg"
"$pack" web-stub -q -o "$out/fuzz_PackageReader/web.exe" --stub "$work/Stub.exe" --download-url http://dl \
    --download-name Full.exe --download-size 5000 --token seed --confirm-download
"$pack" agent -q -o "$out/fuzz_PackageReader/agent.exe" --stub "$work/Stub.exe" --agent-name A.exe --token seed

"$pack" inform -q -o "$out/fuzz_Token/inform.txt" --token seed --body "$work/body.rtf"
"$pack" inform -q -o "$out/fuzz_Token/inform-scrambled.txt" --token seed --body "$work/body.rtf" --scramble
printf 'bbbbbbbbbb' > "$out/fuzz_Token/short.txt"
