#!/usr/bin/env bash
# Builds everything and runs every test: the native core with sanitizers, the fuzz targets on
# their seed corpora, and the Windows build under Wine (unit, Win32 and end-to-end tests).
# Usage: scripts/test.sh [ctest arguments, e.g. -R pattern]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

jobs=$(nproc)
start=$(date +%s)
status=0

echo "== native build (core + unit tests, ASan/UBSan)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DWEXTOR_WERROR=ON -DWEXTOR_BENCH=OFF >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest --output-on-failure -j"$jobs" "$@") || status=1

echo "== fuzz targets on their seed corpora (clang, libFuzzer)"
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DWEXTOR_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j"$jobs"
(cd build/fuzz && ctest --output-on-failure -j"$jobs" "$@") || status=1

echo "== Windows build (MinGW-w64 i686) and tests under Wine"
cmake -S . -B build/win32 -DCMAKE_BUILD_TYPE=Release -DWEXTOR_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw32.cmake >/dev/null
cmake --build build/win32 -j"$jobs"
export WEXTOR_WINE_DIR="$root/build/win32/wine"
rm -rf "$WEXTOR_WINE_DIR" # one fresh prefix per run
trap 'bash cmake/wine-run.sh --stop' EXIT
(cd build/win32 && ctest --output-on-failure -j"$jobs" "$@") || status=1

echo "== done in $(( $(date +%s) - start )) s: $([ $status -eq 0 ] && echo all passed || echo FAILURES)"
exit $status
