#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for a bounded time.
#   scripts/fuzz.sh [SECONDS]            build, then run every target SECONDS (default 20)
#   scripts/fuzz.sh --build-only         build only
#   scripts/fuzz.sh --run-only [SECONDS] run what is built
# A crash leaves its input in build/fuzz/findings/ and makes the script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
mode=all
case "${1:-}" in
  --build-only) mode=build; shift ;;
  --run-only) mode=run; shift ;;
esac
seconds=${1:-20}
targets=(PackageReader Token)
declare -A seeds=([PackageReader]=package [Token]=token)

if [ "$mode" != run ]; then
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DDROVEL_FUZZ=ON >/dev/null
  fi
  cmake --build "$build" -j2 --target fuzz_package_all
fi
[ "$mode" = build ] && exit 0

mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  corpus=$build/corpus/$t
  mkdir -p "$corpus"
  echo "fuzz_$t: ${seconds} s"
  if ! "$build/bin/fuzz_$t" "$corpus" "$build/seeds/${seeds[$t]}" -max_total_time="$seconds" \
       -max_len=65536 -rss_limit_mb=2048 -artifact_prefix="$build/findings/$t-" -print_final_stats=1 \
       >"$build/fuzz_$t.log" 2>&1; then
    echo "fuzz_$t FAILED (see $build/fuzz_$t.log and $build/findings/)"
    tail -40 "$build/fuzz_$t.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$build/fuzz_$t.log" | tail -2 || true
  fi
done
exit $status
