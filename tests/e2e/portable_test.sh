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
    prefix_kill 'Wextor5.exe'
    prefix_kill 'GpgBridge.exe'
    prefix_kill 'notepad.exe'
    remove_bridge_home
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

field() { wine "$peek" /text Notepad "$(winpath "$work/field.txt")" >/dev/null 2>&1 && cat "$work/field.txt"; }
field_is() { [ "$(field)" = "$1" ]; }
armoured() { field | grep -q -- '-----END PGP MESSAGE-----'; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

(cd "$app" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 starts from the unpacked folder" poll 30 log_has "Started Wextor 5"
check "its tray icon shows" poll 20 tray_shown
message='Portable, never installed.'
wine notepad >/dev/null 2>&1 &
check "Notepad shows" poll 30 window_shown "Untitled - Notepad"
clear_of_tray "Untitled - Notepad"
type_into "Untitled - Notepad" "$message"
check "the message was typed" poll 20 field_is "$message"
click_tray_icon 1
check "the zip's bridge asks for recipients; Enter takes Bob" press "GnuPG bridge - Recipients" Return
check "Notepad holds the armour" poll 60 armoured
field >"$work/armour.txt"
gpg --batch --decrypt "$work/armour.txt" >"$work/plain.txt" 2>/dev/null
check "Linux gpg decrypts Notepad's text to the original" test "$(cat "$work/plain.txt")" = "$message"
check "the log stayed in the unpacked folder" test -s "$log"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
