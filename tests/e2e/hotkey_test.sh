#!/usr/bin/env bash
# The keyboard shortcut, pressed as a user does: two Notepads, the one with the focus processed,
# the one behind left alone; a new shortcut chosen on the Options page by key presses and kept
# over a restart; a shortcut another program holds is told. The driver pack and the PGP
# stand-in. $1: the Windows build folder.
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
helper="$BIN/e2e-tools/HotKeyHelper.exe"
pgplog="$WINEPREFIX/drive_c/PGP/PGPstub.log"
log="$WEXTOR_APP/DebugLog.Txt"
ini="$WINEPREFIX/drive_c/windows/Wextor5.INI"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    prefix_kill 'notepad.exe'
    prefix_kill 'HotKeyHelper.exe'
    rm -rf "$work"
}
trap cleanup EXIT

edit() { wine "$helper" /edit "$1" "$(winpath "$work/edit.txt")" >/dev/null 2>&1 && cat "$work/edit.txt"; }
edit_is() { [ "$(edit "$1")" = "$2" ]; }
commands() { grep -c $'^event=command\t' "$pgplog" 2>/dev/null || echo 0; }
count_is() { [ "$(commands)" -eq "$1" ]; }
run_ended() { [ "$(grep -c 'MainPGP-End' "$log" 2>/dev/null)" -ge "$1" ]; }
last_output() { printf '%b' "$(grep $'^event=command\t' "$pgplog" | tail -1 | tr '\t' '\n' | sed -n 's/^after=//p')"; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }
ini_value() { tr -d '\r' <"$ini" 2>/dev/null | sed -n "s/^$1=//p"; }
ini_is() { [ "$(ini_value "$1")" = "$2" ]; }
start_wextor() {
    (cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
}
# Keys pressed while that window has the focus, as a user's keyboard sends them.
keys_in() { xdotool windowfocus --sync "$(x_window "$1")" key "$2" 2>/dev/null; }

start_wextor
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
check "the tray icon shows" poll 20 tray_shown
check "the default shortcut is held" bash -c "! grep -q 'Keyboard shortcut taken' '$log'"

printf 'The Notepad behind stays as it is.' >"$work/behind.txt"
wine notepad "$(winpath "$work/behind.txt")" >/dev/null 2>&1 &
check "the Notepad behind shows" poll 30 window_shown "behind.txt - Notepad"
poll 10 edit_is "behind.txt - Notepad" 'The Notepad behind stays as it is.'
clear_of_tray "behind.txt - Notepad" 250 150
message='Meet at noon by the old mill.'
wine notepad >/dev/null 2>&1 &
check "the Notepad in front shows" poll 30 window_shown "Untitled - Notepad"
clear_of_tray "Untitled - Notepad"
type_into "Untitled - Notepad" "$message"
check "the message was typed" poll 20 edit_is "Untitled - Notepad" "$message"

keys_in "Untitled - Notepad" ctrl+shift+F9
check "Ctrl+Shift+F9 starts a run (the default)" poll 60 count_is 1
check "the run ended" poll 30 run_ended 1
check "the shortcut's run is logged" log_has "MainPGP-K"
armour=$(last_output)
check "the Notepad with the focus holds the armour" poll 10 edit_is "Untitled - Notepad" "$armour"
check "the Notepad behind is untouched" edit_is "behind.txt - Notepad" 'The Notepad behind stays as it is.'

# Another shortcut, chosen on the Options page: the window opens on the page left last.
prefix_kill 'Wextor5.exe'
sed -i 's/^\[General\]\r$/[General]\r\nRecentPage=3\r/' "$ini"
start_wextor
check "Wextor 5 started again" poll 30 bash -c "[ \$(grep -c 'Started Wextor 5' '$log') -ge 2 ]"
poll 20 tray_shown
click_tray_icon 1 3
check "a right click opens the properties window" poll 20 window_shown "Wextor 5"
keys_in "Wextor 5" alt+k           # the label's accelerator: to the field
keys_in "Wextor 5" ctrl+alt+e      # the keys the field takes
keys_in "Wextor 5" Tab
keys_in "Wextor 5" Return          # Ok
check "Ok hides the window" poll 10 bash -c "! xdotool search --onlyvisible --name '^Wextor 5\$' >/dev/null 2>&1"
check "Ok wrote the new shortcut" poll 10 ini_is Hotkey 'Ctrl+Alt+E'

prefix_kill 'Wextor5.exe'
start_wextor
check "Wextor 5 started a third time" poll 30 bash -c "[ \$(grep -c 'Started Wextor 5' '$log') -ge 3 ]"
poll 20 tray_shown
keys_in "Untitled - Notepad" ctrl+shift+F9
keys_in "Untitled - Notepad" ctrl+alt+e
check "after the restart Ctrl+Alt+E starts a run" poll 60 count_is 2
check "the second run ended" poll 30 run_ended 2
# Had Ctrl+Shift+F9, pressed first, started this run, Ctrl+Alt+E would have been refused.
check "Ctrl+Shift+F9 no longer starts one" test "$(grep -c 'MainPGP-K' "$log")" -eq 2
check "no run was refused" bash -c "! grep -q 'Run refused' '$log'"
check "the armour was decrypted to the message" test "$(last_output)" = "$message"
check "a decrypted message is shown, Notepad keeps the armour" edit_is "Untitled - Notepad" "$armour"
check "the Notepad behind is still untouched" edit_is "behind.txt - Notepad" 'The Notepad behind stays as it is.'

# Another program holds Ctrl+Alt+E: the start tells it, naming the keys.
prefix_kill 'Wextor5.exe'
(wine "$helper" /hold 3 69 "$(winpath "$work")\\held.txt" >/dev/null 2>&1 &) # MOD_ALT | MOD_CONTROL, 'E'
check "the other program holds the keys" poll 30 test -f "$work/held.txt"
start_wextor
check "a box tells that the shortcut is taken" poll 30 window_shown "Wextor 5"
wine "$helper" /texts "Wextor 5" "$(winpath "$work/box.txt")" >/dev/null 2>&1
check "the box names the keys" grep -q 'Ctrl+Alt+E' "$work/box.txt"
check "the box says another program uses them" grep -q 'Another program' "$work/box.txt"
check "the box says where to choose another" grep -q 'Options page' "$work/box.txt"
check "Enter closes the box" press "Wextor 5" Return
check "Wextor 5 goes on starting" poll 30 bash -c "[ \$(grep -c 'Started Wextor 5' '$log') -ge 4 ]"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
