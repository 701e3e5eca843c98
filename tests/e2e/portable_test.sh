#!/usr/bin/env bash
# The portable zip, unpacked into a fresh prefix and never installed: its own drivers (no driver
# folder in WIN.INI), its own GnuPG bridge as PGP with the machine's Linux gpg, one tray click
# on Wine's Notepad; Linux gpg decrypts what Notepad then holds. $1: the Windows build folder.
set -u
BIN=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix of its own, made anew: nothing of an earlier install or scenario may help.
export WEXTOR_WINE_DIR="$BIN/wine-portable"
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/release.sh"
. "$ROOT/scripts/lib/install-bridge.sh"
. "$ROOT/scripts/lib/install-driverpack.sh" # the window helpers; the drivers come from the zip
files=$(ls -d "$BIN"/Wextor5-Setup*-files 2>/dev/null | head -1)
if [ -z "$files" ]; then
    echo "# no installer files (NSIS missing): no portable zip to try"
    exit 0
fi
bash "$ROOT/cmake/wine-run.sh" --stop
rm -rf "$WEXTOR_WINE_DIR"
e2e_env
work=$(mktemp -d)
peek="$BIN/mfdpack-test/WinPeek.exe"
cleanup() {
    end_notepad_bridge
    rm -rf "$work"
    bash "$ROOT/cmake/wine-run.sh" --stop
}
trap cleanup EXIT

printf 'readme\r\n' >"$work/readme.txt"
portable_zip "$files" "$work/Wextor5-Portable.zip" "$work/readme.txt"
mkdir -p "$WINEPREFIX/drive_c/Tools"
check "the zip unpacks" unzip -q "$work/Wextor5-Portable.zip" -d "$WINEPREFIX/drive_c/Tools"
app="$WINEPREFIX/drive_c/Tools/Wextor 5"
check "no driver folder in WIN.INI" bash -c "! grep -qi 'Mail Form Drivers' '$WINEPREFIX/drive_c/windows/win.ini'"
install_bridge 'C:\Tools\Wextor 5\GnuPG bridge'
log="$app/DebugLog.Txt"

log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

(cd "$app" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 starts from the unpacked folder" poll 30 log_has "Started Wextor 5"
check "its tray icon shows" poll 20 tray_shown
notepad_encrypt_by_click 'Portable, never installed.' "the zip's bridge"
check "the log stayed in the unpacked folder" test -s "$log"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
