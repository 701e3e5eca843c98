#!/usr/bin/env bash
# The driver pack with programs nobody here wrote: Wine's own Notepad and WordPad, text typed
# by real key presses, a real tray click, the PGP stand-in. $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-driverpack.sh"
e2e_env
install_testbed
install_driverpack
work=$(mktemp -d)
peek="$BIN/mfdpack-test/WinPeek.exe"
pgplog="$WINEPREFIX/drive_c/PGP/PGPstub.log"
log="$WEXTOR_APP/DebugLog.Txt"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    prefix_kill 'notepad.exe'
    prefix_kill 'wordpad.exe'
    rm -rf "$work"
}
trap cleanup EXIT

field() { wine "$peek" /text "$1" "$(winpath "$work/field.txt")" >/dev/null 2>&1 && cat "$work/field.txt"; }
field_is() { [ "$(field "$1")" = "$2" ]; }
commands() { grep -c $'^event=command\t' "$pgplog" 2>/dev/null || echo 0; }
count_is() { [ "$(commands)" -eq "$1" ]; }
run_ended() { [ "$(grep -c 'MainPGP-End' "$log" 2>/dev/null)" -ge "$1" ]; }
last_command() { grep $'^event=command\t' "$pgplog" | tail -1 | tr '\t' '\n'; }
# The stand-in's output, unescaped: what the window must hold now, byte for byte.
last_output() { printf '%b' "$(last_command | sed -n 's/^after=//p')"; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
check "the tray icon shows" poll 20 tray_shown
check "no catalogue error without a WIN.INI driver folder" bash -c "! grep -q 'LoadCatalogue' '$log'"

# Notepad: type, encrypt, decrypt, undo.
message='Meet at noon by the old mill.'
wine notepad >/dev/null 2>&1 &
check "Notepad shows" poll 30 window_shown "Untitled - Notepad"
clear_of_tray "Untitled - Notepad"
type_into "Untitled - Notepad" "$message"
check "the message was typed into Notepad" poll 20 field_is Notepad "$message"
start=$(date +%s%N)
click_tray_icon 1
check "a tray click encrypts Notepad's text (40017)" poll 60 count_is 1
check "the run ended" poll 30 run_ended 1
echo "# one Notepad run: $(( ($(date +%s%N) - start) / 1000000 )) ms"
check "PGP got exactly the typed text" test "$(printf '%b' "$(last_command | sed -n 's/^before=//p')")" = "$message"
armour=$(last_output)
check "Notepad holds exactly the armour" poll 10 field_is Notepad "$armour"

click_tray_icon 1
check "the armour in Notepad is decrypted (40008)" poll 60 count_is 2
check "the second run ended" poll 30 run_ended 2
check "the decrypted text is the message" test "$(last_output)" = "$message"
check "Notepad is left unchanged" field_is Notepad "$armour"

press_in "Untitled - Notepad" ctrl+z
check "Undo in Notepad brings the typed text back" poll 10 field_is Notepad "$message"
prefix_kill 'notepad.exe'

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
