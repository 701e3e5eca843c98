#!/usr/bin/env bash
# The program's windows at 144 and 192 dots per inch (registry LogPixels, as Windows' display
# scaling of 150 % and 200 % sets it): win32_dpi_test.exe checks that no text is cut. A prefix of
# its own, so that the other tests keep 96 dpi; the properties window's pages at 144 dpi are kept
# as PNG files in <build>/screenshots/.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export WEXTOR_WINE_DIR="$BIN/wine-dpi"
. "$ROOT/scripts/lib/e2e.sh"
shots="$BIN/screenshots"
mkdir -p "$shots"
cleanup() { bash "$ROOT/cmake/wine-run.sh" --stop; }
trap cleanup EXIT

for dpi in 144 192; do
    bash "$ROOT/cmake/wine-run.sh" --stop
    e2e_env
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    bash "$ROOT/cmake/wine-run.sh" --stop
    e2e_env
    out=$(WEXTOR_SCREENSHOTS="$(winpath "$shots")" bash "$ROOT/cmake/wine-run.sh" "$BIN/win32_dpi_test.exe" 2>&1)
    status=$?
    check "the test ran at $dpi dpi" grep -q "^dpi $dpi" <<<"$out"
    check "no text is cut at $dpi dpi" test "$status" -eq 0
    [ "$status" -eq 0 ] || grep -E "Failure|needs|tab " <<<"$out" | head -40
done
for f in "$shots"/props-144-page*.bmp; do
    [ -e "$f" ] && convert "$f" "${f%.bmp}.png" && rm -f "$f"
done
rm -f "$shots"/*.bmp
check "screenshots of the pages at 144 dpi" test -e "$shots/props-144-page1.png"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
