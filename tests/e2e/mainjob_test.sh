#!/usr/bin/env bash
# Wextor5.exe with the testbed in the run's prefix, driven as a user drives it: real tray
# clicks on Demo Mail's windows, through every road of a processing run.
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
pgplog="$WINEPREFIX/drive_c/PGP/PGPstub.log"
log="$WEXTOR_APP/DebugLog.Txt"
printf 'list@lists.example.org\r\n' >"$WEXTOR_APP/MailingList.dat"
printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n' >"$WINEPREFIX/drive_c/windows/Wextor5.INI"

cleanup() {
    wine "$demomail" /quit >/dev/null 2>&1
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    rm -rf "$work"
}
trap cleanup EXIT

commands() { grep -c $'^event=command\t' "$pgplog" 2>/dev/null || echo 0; }
last_command_id() { grep $'^event=command\t' "$pgplog" | tail -1 | tr '\t' '\n' | sed -n 's/^id=//p'; }
open_message() { # kind text
    printf '%b' "$2" >"$work/msg.txt"
    wine "$demomail" /open "$1" "$(winpath "$work/msg.txt")" >/dev/null 2>&1
}
body() { wine "$demomail" /dumpbody "$(winpath "$work/body.txt")" >/dev/null 2>&1 && cat "$work/body.txt"; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }
count_is() { [ "$(commands)" -eq "$1" ]; }
run_ended() { [ "$(grep -c 'MainPGP-End' "$log" 2>/dev/null)" -ge "$1" ]; }

# First start with no Wextor5.INI values: the defaults, and LocalRoot and Version written.
wine "$demomail" >/dev/null 2>&1 &
check "Demo Mail started" poll 30 window_shown "Demo Mail - Inbox"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 started, once" poll 30 log_has "Started Wextor 5"
ini="$WINEPREFIX/drive_c/windows/Wextor5.INI"
check "first start writes LocalRoot" grep -q 'LocalRoot=C:\\Program Files\\Wextor 5\\' "$ini"
check "first start writes Version" grep -q '^Version=File Version: 5.0.0.1' "$ini"
check "the tray icon shows" poll 20 tray_shown

# Outgoing mail, routine: encrypted (optProcessing defaults to Encrypt).
open_message compose 'To: alice@example.com\r\nSubject: Plans\r\n\r\nMeet at noon.\r\n'
poll 10 window_shown "Compose Mail - Plans"
click_tray_icon 1
check "outgoing run sent Encrypt (40017)" poll 60 count_is 1
check "outgoing run ended" poll 30 run_ended 1
check "the command was 40017" test "$(last_command_id)" = 40017
check "the compose window now holds PGP armour" poll 10 grep -q -- '-----BEGIN PGP MESSAGE-----' <(body)
body >"$work/armour.txt"

# Mail with a listed Cc: signed.
open_message compose 'To: carol@example.net\r\nCc: LIST@lists.example.org\r\nSubject: News\r\n\r\nHello list.\r\n'
poll 10 window_shown "Compose Mail - News"
click_tray_icon 1
check "listed Cc signs (40018)" poll 60 count_is 2
poll 30 run_ended 2
check "the command was 40018" test "$(last_command_id)" = 40018
check "the signed text went back" poll 10 grep -q -- '-----BEGIN PGP SIGNED MESSAGE-----' <(body)

# A posting: signed.
open_message post 'To: comp.security.pgp\r\nSubject: Posting\r\n\r\nA post.\r\n'
poll 10 window_shown "Compose Posting - Posting"
click_tray_icon 1
check "posting signs (40018)" poll 60 count_is 3
poll 30 run_ended 3

# A received encrypted message, indented by one blank: decrypted, nothing written back.
{ printf 'Subject: Secret\r\n\r\n'; sed 's/^-----/ -----/' "$work/armour.txt"; } >"$work/received.txt"
wine "$demomail" /open read "$(winpath "$work/received.txt")" >/dev/null 2>&1
poll 10 window_shown "Read Message - Secret"
body >"$work/before-read.txt"
click_tray_icon 1
check "received text decrypts (40008)" poll 60 count_is 4
poll 30 run_ended 4
check "the command was 40008" test "$(last_command_id)" = 40008
check "the received message is not written back" cmp -s "$work/before-read.txt" <(body)
check "PGP got the unindented armour" grep -q $'before=-----BEGIN PGP MESSAGE' <(grep 'id=40008' "$pgplog")

# A received message holding a public key: imported.
wine "$demomail" /open read "$(winpath "$BIN/testbed/data/received-key.txt")" >/dev/null 2>&1
sleep 0.5
click_tray_icon 1
check "a key block is imported (40006)" poll 60 count_is 5
poll 30 run_ended 5

# A second click while a run waits for PGP does nothing.
printf 'CommandDelayMs=4000\r\n' >"$WINEPREFIX/drive_c/PGP/PGPstub.ini"
open_message compose 'To: alice@example.com\r\nSubject: Twice\r\n\r\nOnce only.\r\n'
poll 10 window_shown "Compose Mail - Twice"
click_tray_icon 1
invoked_is() { [ "$(grep -c 'Invoked PGP with' "$log")" -eq "$1" ]; }
poll 30 invoked_is 6 # the run is now inside its four-second PGP command
click_tray_icon 1
poll 30 run_ended 6
runs_started_is() { [ "$(grep -c 'MainPGP-T' "$log")" -eq "$1" ]; }
no_second_run() { ! poll 3 runs_started_is 7; }
check "only one run was logged for the two clicks" no_second_run
rm -f "$WINEPREFIX/drive_c/PGP/PGPstub.ini"
check "a second click during a run started nothing" count_is 6

# "Installer.Flg" ends the program within about 6 s; the tray icon goes with it.
touch "$WEXTOR_APP/Installer.Flg"
gone() { [ "$(prefix_count 'Wextor5.exe')" -eq 0 ]; }
check "Installer.Flg ends Wextor 5" poll 20 test ! -f "$WEXTOR_APP/Installer.Flg"
check "the process is gone" poll 20 gone

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
