#!/usr/bin/env bash
# A fresh silent install on a machine with no driver folder in WIN.INI and no settings, then the
# first start and the first tray click on Notepad. $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-driverpack.sh"
setup="$BIN/Wextor5-Setup.exe"
[ "${WEXTOR_WINE_ARCH:-}" = win64 ] && setup="$BIN/Wextor5-Setup-x64.exe"
[ -f "$setup" ] || { echo "no installer built (NSIS missing)"; exit 1; }
e2e_env
install_testbed # only for the PGP stand-in in C:\PGP
c="$WINEPREFIX/drive_c"
dir="$c/Apps/Fresh5"
ini="$c/windows/win.ini"
settings="$c/windows/Wextor5.INI"
peruser_data="$c/users/$(id -un)/AppData/Local/Wextor 5"
peruser_settings="$c/users/$(id -un)/AppData/Roaming/Wextor 5"
rm -rf "$dir" "$c/Program Files/Wextor 5" "$peruser_data" "$peruser_settings" "$settings"
awk 'BEGIN { skip = 0 } /^\[/ { skip = ($0 ~ /^\[Mail Form Drivers\]/) } !skip' "$ini" >"$ini.new"
mv "$ini.new" "$ini"
work=$(mktemp -d)
peek="$BIN/mfdpack-test/WinPeek.exe"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    prefix_kill 'notepad.exe'
    prefix_kill 'Au_.exe'
    rm -rf "$dir" "$work"
    rm -f "$settings"
}
trap cleanup EXIT

wine "$setup" /S '/D=C:\Apps\Fresh5' >/dev/null 2>&1
for f in Wextor5.exe MFD/FRONTMFD.EXE MFD/NPADMFD.EXE MFD/SELECTG.DAT "GnuPG bridge/GpgBridge.exe"; do
    check "installed $f" test -f "$dir/$f"
done
check "WIN.INI names the installed drivers" grep -q 'Path=C:\\Apps\\Fresh5\\MFD' "$ini"
check "\"Any program\" is active" grep -q "^Any program (the window in front) \{200\}FRONTMFD.EXE" "$dir/ActiveMailers.dat"
settings_have() { ini_text "$settings" | grep -q -- "$1"; }
check "the PGP program is the GnuPG bridge" settings_have 'Mainexe=C:\\Apps\\Fresh5\\GnuPG bridge\\GpgBridge.exe'

# Reinstalling keeps what the user has.
printf 'Mine%200s%s\r\n' '' 'NPADMFD.EXE' >"$dir/ActiveMailers.dat"
printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=0\r\n' >"$settings"
wine "$setup" /S '/D=C:\Apps\Fresh5' >/dev/null 2>&1
check "a reinstall keeps the Active list" grep -q '^Mine' "$dir/ActiveMailers.dat"
check "a reinstall keeps the PGP program" settings_have 'Mainexe=C:\\PGP\\PGPstub.exe'
printf 'Any program (the window in front)%200s%s\r\n' '' 'FRONTMFD.EXE' >"$dir/ActiveMailers.dat"

# The first start: no error, the drivers in the lists, the first click works (PGP stand-in).
log="$dir/DebugLog.Txt"
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }
(cd "$dir" && wine 'C:\Apps\Fresh5\Wextor5.exe' /s >/dev/null 2>&1 &)
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
check "no error at the first start" bash -c "! grep -q 'Error in' '$log'"
check "the drivers' folder is the installed one" log_has 'Mail Form Drivers in: C:\\Apps\\Fresh5\\MFD'
poll 20 tray_shown
wine notepad >/dev/null 2>&1 &
poll 30 window_shown "Untitled - Notepad"
clear_of_tray "Untitled - Notepad"
type_into "Untitled - Notepad" "First words."
field_is() { wine "$peek" /text Notepad "$(winpath "$work/f.txt")" >/dev/null 2>&1 && [ "$(cat "$work/f.txt")" = "$1" ]; }
poll 20 field_is "First words."
click_tray_icon 1
armoured() { wine "$peek" /text Notepad "$(winpath "$work/f.txt")" >/dev/null 2>&1 && grep -q -- '-----BEGIN PGP MESSAGE-----' "$work/f.txt"; }
check "the first tray click encrypts Notepad's text" poll 60 armoured
prefix_kill 'notepad.exe'

# Uninstalling removes the program, the drivers and the bridge, and leaves the user's files.
wine 'C:\Apps\Fresh5\Uninstall.exe' /S '_?=C:\Apps\Fresh5' >/dev/null 2>&1
for f in Wextor5.exe MFD/FRONTMFD.EXE MFD/SELECTG.DAT "GnuPG bridge/GpgBridge.exe"; do
    check "removed $f" test ! -e "$dir/$f"
done
check "the user's Active list stays" test -f "$dir/ActiveMailers.dat"
check "the log stays" test -f "$log"
check "WIN.INI no longer names the removed drivers" bash -c "! grep -q 'Fresh5' '$ini'"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
