#!/usr/bin/env bash
# Start-up as a user meets it: the tip of the day across starts, "/s", the single-instance
# check with and without "AllowDuplicateInstance.Flg", and Unload by the marker file.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
e2e_env
install_testbed
ini="$WINEPREFIX/drive_c/windows/Wextor5.INI"
log="$WEXTOR_APP/DebugLog.Txt"
printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=1\r\nTipNumber=0\r\n' >"$ini"

cleanup() { prefix_kill 'Wextor5.exe'; }
trap cleanup EXIT

start_wextor() { (cd "$WEXTOR_APP" && wine ./Wextor5.exe "$@" >/dev/null 2>&1 &); }
started_count() { grep -c 'Started Wextor 5' "$log" 2>/dev/null || echo 0; }
started_is() { [ "$(started_count)" -eq "$1" ]; }
running_copies() { prefix_count 'Wextor5.exe'; }
copies_are() { [ "$(running_copies)" -eq "$1" ]; }
tip_number_is() { grep -q "^TipNumber=$1" "$ini"; }
# Closes the tip with Esc as a user would: the key goes by XTEST to the focused window, once
# the window shows, and again only if the first press found no window to close.
close_tip_until_started() {
    local n=$1 w try
    for try in 1 2 3; do
        poll 10 window_shown "Wextor 5 - Tip of the Day" || break
        w=$(xdotool search --onlyvisible --name '^Wextor 5 - Tip of the Day$' | head -1)
        xdotool windowfocus --sync "$w" key Escape 2>/dev/null
        poll 5 started_is "$n" && return 0
    done
    started_is "$n"
}
# The copy that finds "Installer.Flg" deletes it, so each running copy needs a flag of its own.
flag_taken_or_none_left() {
    [ ! -f "$WEXTOR_APP/Installer.Flg" ] || copies_are 0
}
stop_wextor() {
    local n
    for n in 1 2 3; do
        copies_are 0 && return 0
        touch "$WEXTOR_APP/Installer.Flg"
        poll 20 flag_taken_or_none_left
    done
    rm -f "$WEXTOR_APP/Installer.Flg"
    poll 10 copies_are 0
}

# Tips enabled and no "/s": the tip window opens at start-up and steps forward once.
start_wextor
check "the tip of the day opens at start-up" poll 30 window_shown "Wextor 5 - Tip of the Day"; xwininfo -root -tree | grep -v "has no name" | head; ps aux | grep -i "wextor\|pgp" | grep -v grep
check "the first display shows tip 1" poll 10 tip_number_is 1
check "closing the tip lets start-up finish" close_tip_until_started 1

# A second start while the first runs ends at once, before it shows or logs anything.
start_wextor /s
sleep_ok() { [ "$(running_copies)" -le 1 ]; }
check "a second copy ends at once" poll 20 sleep_ok
check "the second copy logged nothing" started_is 1
check "it wrote no Cmd line either" test "$(grep -c 'Cmd: <' "$log")" -eq 1

# "AllowDuplicateInstance.Flg" lets one start through, and is gone afterwards.
touch "$WEXTOR_APP/AllowDuplicateInstance.Flg"
start_wextor /s
check "the flag lets a second copy run" poll 30 started_is 2
check "the flag is gone" test ! -f "$WEXTOR_APP/AllowDuplicateInstance.Flg"
check "two copies run" copies_are 2
stop_wextor
check "Installer.Flg ends both copies, one each" copies_are 0

# The next start continues the tips where the last one stopped; "/s" shows none.
start_wextor /s
check "with /s no tip shows" poll 30 started_is 3
check "and TipNumber stays" tip_number_is 1
stop_wextor
start_wextor
check "the next display shows tip 2" poll 30 tip_number_is 2
check "it shows in a window" poll 30 window_shown "Wextor 5 - Tip of the Day"
check "start-up finished" close_tip_until_started 4
stop_wextor

# Where the icon is was told once, by a balloon from it, over all these starts.
check "the first start told the user where the icon is, once" \
    test "$(grep -c 'Showed where the tray icon is' "$log")" -eq 1
check "and remembers it" grep -q '^TrayHintShown=1' "$ini"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
