#!/usr/bin/env bash
# Builds the benchmarks in a separate Release build without sanitizers and runs them.
# Usage: scripts/bench.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DWEXTOR_SANITIZE=OFF -DWEXTOR_BENCH=ON \
      -DWEXTOR_WERROR=ON >/dev/null
targets=$(for f in bench/bench_*.cpp; do basename "$f" .cpp; done)
# shellcheck disable=SC2086 # one word per target
cmake --build build/bench -j2 --target $targets >/dev/null
status=0
for name in $targets; do
    exe=build/bench/$name
    echo "== $(basename "$exe")"
    "$exe" || status=1
done
exit $status
