#!/usr/bin/env bash
# Builds every libFuzzer target with clang in build/fuzz and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS]            build, then run every target SECONDS (default 20)
#   scripts/fuzz.sh --build-only         build only
#   scripts/fuzz.sh --run-only [SECONDS] run what is built
# Targets are the programs named fuzz_* or *_fuzz; build/fuzz/seeds/<target>/ seeds a target's
# corpus when present. A crash leaves its input in build/fuzz/findings/ and fails the script.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
mode=all
case "${1:-}" in
  --build-only) mode=build; shift ;;
  --run-only) mode=run; shift ;;
esac
seconds=${1:-20}

if [ "$mode" != run ]; then
  # Configured each time, so that fuzz folders added since are found.
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DDROVEL_FUZZ=ON >/dev/null
  mapfile -t targets < <(ninja -C "$build" -t targets all |
    sed -n 's/^\(fuzz_[A-Za-z0-9_]*\|[A-Za-z0-9_]*_fuzz\): phony$/\1/p')
  cmake --build "$build" -j2 --target "${targets[@]}"
fi
[ "$mode" = build ] && exit 0

mkdir -p "$build/findings"
status=0
for program in "$build"/bin/fuzz_* "$build"/bin/*_fuzz; do
  [ -x "$program" ] || continue
  t=$(basename "$program")
  corpus=$build/corpus/$t
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "$build/seeds/$t" ] && dirs+=("$build/seeds/$t")
  echo "$t: ${seconds} s"
  if ! "$program" "${dirs[@]}" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
       -artifact_prefix="$build/findings/$t-" -print_final_stats=1 >"$build/$t.log" 2>&1; then
    echo "$t FAILED (see $build/$t.log and $build/findings/)"
    tail -40 "$build/$t.log"
    status=1
  else
    grep -E "^Done" "$build/$t.log" | tail -1 || true
  fi
done
exit $status
