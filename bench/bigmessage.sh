#!/usr/bin/env bash
# Times a run's parts on big messages under Wine: bench/bigmessage.sh [build folder] [MiB ...]
# (default: build/win64, 1 10 100). The build folder must hold a Windows build with the testbed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
shift || true
[ $# -gt 0 ] || set -- 1 10 100
arch=win64
grep -q 'CMAKE_SIZEOF_VOID_P:INTERNAL=4' "$build/CMakeCache.txt" 2>/dev/null && arch=win32
cmake --build "$build" --target bigmessage_win demomail demomfd pgpstub >/dev/null
export WEXTOR_WINE_ARCH=$arch WEXTOR_WINE_DIR=$build/wine
winbuild="Z:${build//\//\\}"
exec "$root/cmake/wine-run.sh" "$build/bigmessage_win.exe" "$winbuild" "$@"
