#!/usr/bin/env bash
# Wine's Notepad with real OpenPGP: the driver pack, the GnuPG bridge as PGP, text typed by key
# presses, one tray click; the machine's Linux gpg decrypts what Notepad then holds.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-bridge.sh"
. "$ROOT/scripts/lib/install-driverpack.sh"
e2e_env
install_testbed
install_bridge
install_driverpack
work=$(mktemp -d)
peek="$BIN/mfdpack-test/WinPeek.exe"
log="$WEXTOR_APP/DebugLog.Txt"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'GpgBridge.exe'
    prefix_kill 'notepad.exe'
    remove_bridge_home
    rm -rf "$work"
}
trap cleanup EXIT

field() { wine "$peek" /text Notepad "$(winpath "$work/field.txt")" >/dev/null 2>&1 && cat "$work/field.txt"; }
field_is() { [ "$(field)" = "$1" ]; }
armoured() { field | grep -q -- '-----END PGP MESSAGE-----'; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
poll 20 tray_shown
message='Meet Bob at noon, bring the plans.'
wine notepad >/dev/null 2>&1 &
check "Notepad shows" poll 30 window_shown "Untitled - Notepad"
clear_of_tray "Untitled - Notepad"
type_into "Untitled - Notepad" "$message"
check "the message was typed" poll 20 field_is "$message"
click_tray_icon 1
check "the bridge asks for recipients; Enter takes Bob" press "GnuPG bridge - Recipients" Return
check "Notepad holds the armour" poll 60 armoured
field >"$work/armour.txt"
gpg --batch --decrypt "$work/armour.txt" >"$work/plain.txt" 2>/dev/null
check "Linux gpg decrypts Notepad's text to the original" test "$(cat "$work/plain.txt")" = "$message"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
