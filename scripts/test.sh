#!/usr/bin/env bash
# Builds everything and runs every test: the native core with sanitizers, the fuzz targets on
# their seed corpora, both Windows builds (i686 and x86_64, warnings as errors) and, under Wine,
# the unit, Win32 and end-to-end tests of each architecture this machine can run: x86_64
# always, i686 where the kernel runs 32-bit programs. WEXTOR_ARCHS (e.g. x86_64) restricts it.
# Usage: scripts/test.sh [ctest arguments, e.g. -R pattern]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
. scripts/lib/arch.sh

jobs=$(nproc)
start=$(date +%s)
status=0
archs=$(tested_archs)
for a in $archs; do
    if [ "$a" = i686 ] && ! can_run_wine32; then
        echo "WEXTOR_ARCHS names i686, but this machine cannot run 32-bit Windows programs" >&2
        exit 2
    fi
done

echo "== native build (core + unit tests, ASan/UBSan)"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DWEXTOR_WERROR=ON -DWEXTOR_BENCH=OFF >/dev/null
cmake --build build/native -j"$jobs"
(cd build/native && ctest --output-on-failure -j"$jobs" "$@") || status=1

echo "== fuzz targets on their seed corpora (clang, libFuzzer)"
cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=Debug -DWEXTOR_FUZZ=ON \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/fuzz -j"$jobs"
(cd build/fuzz && ctest --output-on-failure -j"$jobs" "$@") || status=1

for a in i686 x86_64; do
    echo "== Windows build (MinGW-w64 $a)"
    cmake -S . -B "$(arch_build_dir $a)" -DCMAKE_BUILD_TYPE=Release -DWEXTOR_WERROR=ON \
          -DCMAKE_TOOLCHAIN_FILE="$(arch_toolchain $a)" >/dev/null
    cmake --build "$(arch_build_dir $a)" -j"$jobs"
done

stop_wine() { for a in i686 x86_64; do
    [ -d "$root/$(arch_build_dir $a)/wine" ] &&
        WEXTOR_WINE_DIR="$root/$(arch_build_dir $a)/wine" bash cmake/wine-run.sh --stop
done; true; }
trap stop_wine EXIT
for a in $archs; do
    bin=$(arch_build_dir $a)
    echo "== $a: tests under Wine ($([ $a = i686 ] && echo 32-bit || echo 64-bit) Wine)"
    export WEXTOR_WINE_DIR="$root/$bin/wine"
    # One fresh prefix per run. A wineserver left from an earlier run goes first: a new prefix
    # that gets the deleted one's inode would otherwise be served by it.
    bash cmake/wine-run.sh --stop
    rm -rf "$WEXTOR_WINE_DIR"
    (cd "$bin" && ctest --output-on-failure -j"$jobs" "$@") || status=1
    bash cmake/wine-run.sh --stop
done

case " $archs " in
*" i686 "*) skipped="" ;;
*) skipped="; i686 built but not run ($(can_run_32bit && echo "WEXTOR_ARCHS" || echo "this machine runs no 32-bit programs"))" ;;
esac
echo "== Windows architectures tested under Wine: $archs$skipped"
echo "== done in $(( $(date +%s) - start )) s: $([ $status -eq 0 ] && echo all passed || echo FAILURES)"
exit $status
