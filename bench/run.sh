#!/usr/bin/env bash
# Prints the benchmark figures. Each bench/*.sh script beside this one prints its own.
set -u
cd "$(dirname "$0")/.."
for b in bench/*.sh; do
  [ "$b" = bench/run.sh ] && continue
  echo "== $b"
  bash "$b" || echo "(failed: $b)"
done
