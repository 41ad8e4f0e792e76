#!/usr/bin/env bash
# Extraction throughput: the stub's engine (ExtractPackage, win64 build under Wine) against the
# limit, a minimal program that only inflates the same records with zlib and writes them, over a
# generated 256 MiB package of text-like and random files (several above 32 MiB). Prints both
# throughputs, their ratio, the peak working sets, and the throughput of one checksum pass.
set -eu
cd "$(dirname "$0")/.."
build=build/win64
record=4M; record_bytes=$((4 * 1024 * 1024))
cmake --preset win64 >/dev/null && cmake --build --preset win64 -j2 --target extract-bench inflate-baseline drovel-pack >/dev/null
cmake --preset native >/dev/null && cmake --build --preset native -j2 --target drovel-pack >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/extract-bench.XXXXXX")
trap 'rm -rf "$work"; scripts/wine-stop.sh "$build" >/dev/null 2>&1 || true' EXIT
mkdir -p "$work/in"

mib() { echo $(( $1 * 1024 * 1024 )); }
random_file() { head -c "$2" /dev/urandom > "$work/in/$1"; }
text_file() {  # text-like: numbered lines of a few recurring words, cut to size
  awk -v n="$2" 'BEGIN { srand(7); split("setup stub package record volume folder window message trace agent", w, " ");
    while (s < n) { l = sprintf("%08d %s %s %s = %d\r\n", NR++, w[int(rand()*10)+1], w[int(rand()*10)+1], w[int(rand()*10)+1], int(rand()*100000)); printf "%s", l; s += length(l) } }' \
    | head -c "$2" > "$work/in/$1"
}
random_file big1.bin "$(mib 40)"; random_file big2.bin "$(mib 36)"
text_file big3.txt "$(mib 48)"; text_file big4.txt "$(mib 34)"
for i in $(seq 1 196); do   # 98 MiB in files of 512 KiB, text and random in turn
  if [ $((i % 2)) = 0 ]; then random_file "small$i.bin" "$(mib 1 | awk '{print $1/2}')"; else text_file "small$i.txt" 524288; fi
done
total=$(du -cb "$work"/in/* | tail -1 | cut -f1)
build/native/bin/drovel-pack build -q --level 6 --record-size "$record" -o "$work/Setup.exe" "$work"/in/*
head -c "$(mib 45)" /dev/urandom > "$work/check.bin"
build/native/bin/drovel-pack build -q --level 1 -o "$work/Check.exe" "$work/check.bin"

win() { echo "Z:${1//\//\\}"; }
run() { scripts/wine-run.sh "$build" "$build/bin/$1.exe" "${@:2}" | tr -d '\r'; }
field() { sed -n "s/.*$1=\([^ ]*\).*/\1/p" <<<"$2"; }
best_engine=""; best_base=""; peak=0; base_peak=0
for round in 1 2 3 4; do
  # Each run starts with no dirty pages of the other's output, and the order alternates.
  sync; if [ $((round % 2)) = 1 ]; then
    b=$(run inflate-baseline "$(win "$work/Setup.exe")" "$(win "$work/base$round")"); rm -rf "$work/base$round"; sync
    e=$(run extract-bench "$(win "$work/Setup.exe")" "$(win "$work/engine$round")"); rm -rf "$work/engine$round"
  else
    e=$(run extract-bench "$(win "$work/Setup.exe")" "$(win "$work/engine$round")"); rm -rf "$work/engine$round"; sync
    b=$(run inflate-baseline "$(win "$work/Setup.exe")" "$(win "$work/base$round")"); rm -rf "$work/base$round"
  fi
  bs=$(field baseline_seconds "$b"); es=$(field engine_seconds "$e")
  [ "$(field bytes "$e")" = "$total" ] || { echo "engine wrote $(field bytes "$e") of $total bytes: $e"; exit 1; }
  [ "$(field bytes "$b")" = "$total" ] || { echo "baseline wrote $(field bytes "$b") of $total bytes: $b"; exit 1; }
  if [ -z "$best_base" ] || awk -v a="$bs" -v b="$best_base" 'BEGIN{exit !(a<b)}'; then best_base=$bs; fi
  if [ -z "$best_engine" ] || awk -v a="$es" -v b="$best_engine" 'BEGIN{exit !(a<b)}'; then best_engine=$es; fi
  peak=$(field peak_working_set "$e"); start=$(field start_working_set "$e"); base_peak=$(field peak_working_set "$b"); largest=$(field largest_body "$e")
done
c=$(run extract-bench --checksum "$(win "$work/Check.exe")")
# The same record size with one file of 128 MiB: the engine's memory must not follow the file.
rm -rf "$work/in"; mkdir -p "$work/in"; text_file huge.txt "$(mib 128)"
build/native/bin/drovel-pack build -q --level 6 --record-size "$record" -o "$work/Huge.exe" "$work/in/huge.txt"
h=$(run extract-bench "$(win "$work/Huge.exe")" "$(win "$work/huge")"); rm -rf "$work/huge"

awk -v t="$total" -v e="$best_engine" -v b="$best_base" -v p="$peak" -v sp="$start" -v bp="$base_peak" -v r="$record_bytes" -v l="$largest" \
    -v cs="$(field checksum_seconds "$c")" -v cb="$(field bytes "$c")" -v hp="$(field peak_working_set "$h")" \
    -v hs="$(field start_working_set "$h")" 'BEGIN {
  M = 1048576
  printf "package content         %8.1f MiB (4 files of 34-48 MiB, 196 of 512 KiB; records of %d MiB)\n", t / M, r / M
  printf "engine (ExtractPackage) %8.1f MB/s   (%.2f s)\n", t / 1e6 / e, e
  printf "limit (inflate + write) %8.1f MB/s   (%.2f s)\n", t / 1e6 / b, b
  printf "ratio engine / limit    %8.3f        (goal >= 0.9)\n", b / e
  printf "engine peak working set %8.1f MiB    (limit program: %.1f MiB; largest record %.1f MiB, body %.1f MiB)\n", p / M, bp / M, r / M, l / M
  printf "engine peak growth during the run: %.1f MiB = %.2f x the largest record (goal <= 2.5)\n", (p - sp) / M, (p - sp) / r
  printf "same records, one 128 MiB file: peak %.1f MiB, growth %.1f MiB (independent of file size)\n", hp / M, (hp - hs) / M
  printf "checksum pass           %8.1f MB/s   (%.1f MiB in %.3f s)\n", cb / 1e6 / cs, cb / M, cs
}'
