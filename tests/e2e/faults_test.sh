#!/usr/bin/env bash
# Tray clicks with a driver that fails on purpose (FAULTMFD.EXE, the Demo Mail driver with a
# fault): the user is told, Demo Mail keeps the message as it was, no exchange file is left,
# and the next click works.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
e2e_env
install_testbed
work=$(mktemp -d)
demomail="$BIN/testbed/demomail/DemoMail.exe"
mfd="$WINEPREFIX/drive_c/MFD"
log="$WEXTOR_APP/DebugLog.Txt"
printf 'Demo Mail (faults)!4!FAULTMFD.EXE!testbed driver that fails on purpose\r\n' >>"$mfd/SELECTG.DAT"
printf 'Demo Mail (faults)%200s%s\r\n' '' 'FAULTMFD.EXE' >"$WEXTOR_APP/ActiveMailers.dat"

cleanup() {
    chattr -i "$log" 2>/dev/null
    wine "$demomail" /quit >/dev/null 2>&1
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    prefix_kill 'FAULTMFD.EXE'
    rm -rf "$work"
}
trap cleanup EXIT

fault() { printf '[Fault]\r\nRequest=%s\r\nFault=%s\r\n' "$1" "$2" >"$mfd/FAULTMFD.ini"; }
body() { wine "$demomail" /dumpbody "$(winpath "$work/body.txt")" >/dev/null 2>&1 && cat "$work/body.txt"; }
run_ended() { [ "$(grep -c 'MainPGP-End' "$log" 2>/dev/null)" -ge "$1" ]; }
# Anywhere in the prefix: the exchange file lives in the user's own folder.
no_exchange_file() { [ -z "$(find "$WINEPREFIX/drive_c" -iname tmpmfd.tmp 2>/dev/null | head -1)" ]; }

wine "$demomail" >/dev/null 2>&1 &
check "Demo Mail started" poll 30 window_shown "Demo Mail - Inbox"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "the tray icon shows" poll 30 tray_shown
printf 'To: alice@example.com\r\nSubject: Plans\r\n\r\nMeet at noon.\r\n' >"$work/msg.txt"
wine "$demomail" /open compose "$(winpath "$work/msg.txt")" >/dev/null 2>&1
poll 10 window_shown "Compose Mail - Plans"
body >"$work/original.txt"

runs=0
for f in "read truncate" "read exit" "Write crash-before" "Write exit"; do
    set -- $f
    fault "$1" "$2"
    click_tray_icon 1
    check "$f: the user is told" press "Wextor 5" Return
    runs=$((runs + 1))
    check "$f: the run ended" poll 30 run_ended $runs
    if [ "$f" = "Write exit" ]; then
        # The driver put the result in, then said it failed: the result, and a warning.
        check "$f: the compose window holds the result" grep -q -- '-----BEGIN PGP MESSAGE-----' <(body)
    else
        check "$f: the compose window holds the message as it was" cmp -s "$work/original.txt" <(body)
    fi
    check "$f: the log names the driver and the request" grep -q "Driver failed: FAULTMFD.EXE $1" "$log"
    check "$f: no exchange file is left" no_exchange_file
    [ "$f" = "Write exit" ] || continue
    wine "$demomail" /open compose "$(winpath "$work/msg.txt")" >/dev/null 2>&1
    poll 10 window_shown "Compose Mail - Plans"
done

fault "" ""
click_tray_icon 1
runs=$((runs + 1))
check "the next click works" poll 60 run_ended $runs
check "the compose window holds the encrypted message" grep -q -- '-----BEGIN PGP MESSAGE-----' <(body)
check "no exchange file is left" no_exchange_file

# A log that cannot be written (Windows refuses the file): start-up still reaches the tray icon,
# the user is told once, and runs and their reports go on.
# Unload as the installer does: a killed copy would leave its icon in the tray, first in the
# row, and the next click would land on that dead icon.
touch "$WEXTOR_APP/Installer.Flg"
no_copy_left() { [ "$(prefix_count Wextor5.exe)" -eq 0 ]; }
check "the first copy unloads on the installer's flag" poll 30 no_copy_left
rm -f "$WEXTOR_APP/Installer.Flg"
chattr +i "$log"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "unwritable log: the user is told" press "Warning" Return
check "unwritable log: the program runs with its tray icon" poll 30 tray_shown
fault read exit
click_tray_icon 1
check "unwritable log: a failed run is still reported" press "Wextor 5" Return
fault "" ""
encrypted_again() { body | grep -q -- '-----BEGIN PGP MESSAGE-----' && no_exchange_file; }
wine "$demomail" /open compose "$(winpath "$work/msg.txt")" >/dev/null 2>&1
poll 10 window_shown "Compose Mail - Plans"
click_tray_icon 1
check "unwritable log: a run still works" poll 60 encrypted_again
check "unwritable log: only one notice" bash -c '! xdotool search --onlyvisible --name "^Warning\$" >/dev/null 2>&1'
chattr -i "$log"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
