#!/usr/bin/env bash
# Runs every benchmark program of a release build.
set -euo pipefail
build=${1:-build/release}
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b"
done
