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
# Two clicks within the double-click time are a double-click, which opens the properties window.
click_again() {
    sleep 0.6
    click_tray_icon 1
}
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

click_again
check "the armour in Notepad is decrypted (40008)" poll 60 count_is 2
check "the second run ended" poll 30 run_ended 2
check "the decrypted text is the message" test "$(last_output)" = "$message"
check "Notepad is left unchanged" field_is Notepad "$armour"

press_in "Untitled - Notepad" ctrl+z
check "Undo in Notepad brings the typed text back" poll 10 field_is Notepad "$message"
prefix_kill 'notepad.exe'

# WordPad (a rich-edit control) in front of Notepad: the one in front is processed.
printf 'Notepad stays as it is.' >"$work/np.txt"
wine notepad "$(winpath "$work/np.txt")" >/dev/null 2>&1 &
check "a second Notepad shows" poll 30 window_shown "np.txt - Notepad"
clear_of_tray "np.txt - Notepad" 250 150
wine 'C:\Program Files\Windows NT\Accessories\wordpad.exe' >/dev/null 2>&1 &
# Its title is "Wine Wordpad" at first and names the document a moment later.
wordpad_window() { xdotool search --onlyvisible --name ' - .*[Ww]ord[Pp]ad$' 2>/dev/null | head -1; }
wordpad_shown() { [ -n "$(wordpad_window)" ]; }
check "WordPad shows" poll 30 wordpad_shown
wptitle=$(xdotool getwindowname "$(wordpad_window)" 2>/dev/null)
echo "# WordPad's title: $wptitle"
clear_of_tray "$wptitle" 200 100
wmessage='A rich text field, typed.'
type_into "$wptitle" "$wmessage"
check "the message was typed into WordPad" poll 20 field_is WORDPADTOP "$wmessage"
wine "$peek" /setclip "$(winpath "$work/np.txt")" >/dev/null 2>&1
wine "$peek" /dumpclip "$(winpath "$work/clip-before.txt")" >/dev/null 2>&1
click_again
check "a tray click encrypts WordPad's text" poll 60 count_is 3
check "the WordPad run ended" poll 30 run_ended 3
check "PGP got WordPad's text" test "$(printf '%b' "$(last_command | sed -n 's/^before=//p')")" = "$wmessage"
armour=$(last_output)
check "WordPad holds exactly the armour" poll 10 field_is WORDPADTOP "$armour"
wine "$peek" /dumpclip "$(winpath "$work/clip-after.txt")" >/dev/null 2>&1
check "after the run the clipboard holds what it held before" cmp "$work/clip-before.txt" "$work/clip-after.txt"
check "both of its formats" grep -q 'second=second format data' "$work/clip-after.txt"
check "the Notepad behind was left alone" field_is Notepad 'Notepad stays as it is.'
press_in "$wptitle" ctrl+z
check "Undo in WordPad brings the typed text back" poll 10 field_is WORDPADTOP "$wmessage"
prefix_kill 'wordpad.exe'
prefix_kill 'notepad.exe'

# The drivers alone leave the clipboard as they found it: text and a second format.
wine notepad "$(winpath "$work/np.txt")" >/dev/null 2>&1 &
poll 30 window_shown "np.txt - Notepad"
clear_of_tray "np.txt - Notepad"
poll 10 field_is Notepad 'Notepad stays as it is.' # the file is loaded after the window shows
press_in "np.txt - Notepad" End # the tray, clicked last, is above it now
printf 'The user'"'"'s own clipboard text.' >"$work/clip.txt"
wine "$peek" /setclip "$(winpath "$work/clip.txt")" >/dev/null 2>&1
wine "$peek" /dumpclip "$(winpath "$work/clip-before.txt")" >/dev/null 2>&1
xfile="$(winpath "$work/x.tmp")"
wine "$WEXTOR_PACK/FRONTMFD.EXE" "read File=$xfile" >/dev/null 2>&1
check "FRONTMFD read Notepad's text" grep -q 'Notepad stays as it is.' "$work/x.tmp"
check "the exchange file says where it came from" grep -q $'^Short: np.txt - Notepad\r$' "$work/x.tmp"
printf 'Wtype: 0\r\n\r\nReplaced.' >"$work/x.tmp"
wine "$WEXTOR_PACK/FRONTMFD.EXE" "Write File=$xfile" >/dev/null 2>&1
check "FRONTMFD wrote the text back" poll 10 field_is Notepad 'Replaced.'
wine "$peek" /dumpclip "$(winpath "$work/clip-after.txt")" >/dev/null 2>&1
check "the clipboard holds what it held before" cmp "$work/clip-before.txt" "$work/clip-after.txt"
check "the clipboard had both formats" grep -q 'second=second format data' "$work/clip-after.txt"
prefix_kill 'notepad.exe'

# Nothing in front that has text: the user is told, nothing changes.
wine "$WEXTOR_PACK/FRONTMFD.EXE" "read File=$xfile" >/dev/null 2>&1
check "a read with nothing in front fails and leaves no file" test ! -f "$work/x.tmp"
click_again
check "the user is told that nothing runs" poll 30 window_shown "Wextor 5"
check "no PGP command was sent" count_is 3
box=$(x_window "Wextor 5")
xdotool windowfocus --sync "$box" key Escape 2>/dev/null
check "the run ended" poll 30 run_ended 4

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
