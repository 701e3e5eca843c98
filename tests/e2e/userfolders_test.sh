#!/usr/bin/env bash
# A standard user on today's Windows may write neither the Windows folder nor the program's
# folder. Both are made to refuse writes as Windows would (chattr +i, as root): start-up, Ok,
# Cancel, outgoing runs with the PGP stand-in and with the GnuPG bridge, and a restart all work,
# with the log, the lists and the settings in the per-user folders and the old files carried
# over once. $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix of its own: the Windows folder refuses writes for a while, and the tests that run
# beside this one in the shared prefix write there.
export WEXTOR_WINE_DIR="$BIN/wine-userfolders"
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-bridge.sh"
if [ "$(id -u)" -ne 0 ] || ! command -v chattr >/dev/null; then
    echo "skipped: needs root and chattr to make folders refuse writes"
    exit 0
fi
e2e_env
c="$WINEPREFIX/drive_c"
windows="$c/windows"
users="$c/users/$(id -un)/AppData"
local_dir="$users/Local/Wextor 5"
roaming_dir="$users/Roaming/Wextor 5"
bridge_dir="$users/Roaming/GnuPG bridge"
# Another run's per-user files would be taken as this user's own.
rm -rf "$local_dir" "$roaming_dir" "$bridge_dir"
install_testbed
install_bridge
work=$(mktemp -d)
demomail="$BIN/testbed/demomail/DemoMail.exe"
pgplog="$c/PGP/PGPstub.log"
app=$(mktemp -d "$c/Read Only XXXX") # a blank in the name, as "Program Files" has
cp "$WEXTOR_APP"/* "$app/"
printf 'list@lists.example.org\r\n' >"$app/MailingList.dat"
# What the user had: settings in the Windows folder (Sign chosen), lists in the program folder.
printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=0\r\noptProcessing=1\r\n' \
    >"$windows/Wextor5.INI"
# The bridge's settings without "EncryptToSelf": a value there later was written per user.
sed -i '/^EncryptToSelf=/d' "$windows/GpgBridge.INI"
cp "$windows/GpgBridge.INI" "$work/GpgBridge.INI.before"
log="$local_dir/DebugLog.Txt"
ini="$roaming_dir/Wextor5.INI"

locked=()
lock() { chattr +i "$1" && locked+=("$1"); }
unlock_all() {
    local d
    for d in "${locked[@]}"; do chattr -i "$d"; done
    locked=()
}
cleanup() {
    wine "$demomail" /quit >/dev/null 2>&1
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    prefix_kill 'GpgBridge.exe'
    unlock_all
    remove_bridge_home
    rm -rf "$work" "$app" "$local_dir" "$roaming_dir" "$bridge_dir"
    bash "$ROOT/cmake/wine-run.sh" --stop
}
trap cleanup EXIT
# A folder left immutable would break every later test and even the removal of the build folder.
trap 'exit 130' INT TERM HUP
lock "$windows"
lock "$app"
check "the Windows folder refuses writes" bash -c "! touch '$windows/probe' 2>/dev/null"
check "the program folder refuses writes" bash -c "! touch '$app/probe' 2>/dev/null"

commands() { grep -c $'^event=command\t' "$pgplog" 2>/dev/null || echo 0; }
last_command_id() { grep $'^event=command\t' "$pgplog" | tail -1 | tr '\t' '\n' | sed -n 's/^id=//p'; }
open_message() { # kind text
    printf '%b' "$2" >"$work/msg.txt"
    wine "$demomail" /open "$1" "$(winpath "$work/msg.txt")" >/dev/null 2>&1
}
body() { wine "$demomail" /dumpbody "$(winpath "$work/body.txt")" >/dev/null 2>&1 && cat "$work/body.txt"; }
count_is() { [ "$(commands)" -eq "$1" ]; }
count_of() { grep -c -- "$1" "$log" 2>/dev/null || echo 0; }
logged_times() { [ "$(count_of "$1")" -ge "$2" ]; }
no_box() { ! poll "${1:-2}" window_shown Warning && ! window_shown Error; }
no_error_logged() { ! grep -q 'Error in ' "$log"; }
props_hidden() { ! window_shown "Wextor 5"; }
start_wextor() { (cd "$app" && wine ./Wextor5.exe /s >/dev/null 2>&1 &); }
gone() { [ "$(prefix_count 'Wextor5.exe')" -eq 0 ]; }
# The installer's way to end it; the installer may write the program folder, this script may not.
stop_wextor() {
    chattr -i "$app"
    touch "$app/Installer.Flg"
    poll 20 gone
    local ended=$?
    rm -f "$app/Installer.Flg"
    chattr +i "$app"
    return $ended
}

# First start: no error box, the tray icon, and every file in the per-user folders.
wine "$demomail" >/dev/null 2>&1 &
check "Demo Mail started" poll 30 window_shown "Demo Mail - Inbox"
start_wextor
check "Wextor 5 started" poll 30 logged_times "Started Wextor 5" 1
check "the log is in %LOCALAPPDATA%\\Wextor 5" test -s "$log"
check "no error box at the first start" no_box 3
check "the tray icon shows" poll 20 tray_shown
check "the settings file is in %APPDATA%\\Wextor 5" grep -q '^LocalRoot=C:\\Read Only ' "$ini"
check "the first start wrote Version" grep -q '^Version=File Version: ' "$ini"
check "the Windows folder's settings were carried over" grep -q '^Mainexe=C:\\PGP\\PGPstub.exe' "$ini"
check "the lists were carried over" cmp -s "$app/MailingList.dat" "$local_dir/MailingList.dat"
check "the active mailers were carried over" cmp -s "$app/ActiveMailers.dat" "$local_dir/ActiveMailers.dat"
check "the About text says where the files are" grep -q 'Files in: C:\\users\\.*\\Wextor 5\\' "$log"
check "the About text says where the settings are" grep -q 'Settings in: C:\\users\\.*\\Wextor5.INI' "$log"

# Ok writes the settings and both lists; Cancel re-reads them. Neither reports a failure.
rm -f "$local_dir/MailingList.dat" "$local_dir/ActiveMailers.dat"
click_tray_icon 1 3
check "the properties window opens" poll 20 window_shown "Wextor 5"
check "Ok closes it" press "Wextor 5" Return
check "Ok wrote the settings" poll 10 grep -q '^RecentPage=' "$ini"
check "Ok kept the carried choice" grep -q '^optProcessing=1' "$ini"
check "Ok wrote the mailing list" poll 10 grep -q 'list@lists.example.org' "$local_dir/MailingList.dat"
check "Ok wrote the active mailers" grep -q 'DEMOMFD.EXE' "$local_dir/ActiveMailers.dat"
click_tray_icon 1 3
check "the properties window opens again" poll 20 window_shown "Wextor 5"
check "Cancel closes it" press "Wextor 5" Escape
check "Cancel re-read the mailing list" poll 10 logged_times "Loaded Mailing List File" 2
check "no error box after Ok and Cancel" no_box 2
check "no error was logged" no_error_logged

# A whole outgoing run: the exchange file lives in the per-user folder; Sign was carried over.
open_message compose 'To: alice@example.com\r\nSubject: Plans\r\n\r\nMeet at noon.\r\n'
poll 10 window_shown "Compose Mail - Plans"
click_tray_icon 1
check "the outgoing run sent Sign (40018)" poll 60 count_is 1
check "the outgoing run ended" poll 30 logged_times "MainPGP-End" 1
check "the command was 40018" test "$(last_command_id)" = 40018
check "the signed text went back" poll 10 grep -q -- '-----BEGIN PGP SIGNED MESSAGE-----' <(body)
# The program folder refuses writes, so the run's exchange file can only have been per user;
# it is wiped once the driver has written the result back.
check "no exchange file is left in the per-user folder" test ! -e "$local_dir/tmpmfd.tmp"
check "no error box after the run" no_box 2

# Restart. An old settings file changed meanwhile is not carried over a second time.
check "Wextor 5 ends" stop_wextor
prefix_kill 'PGPstub.exe' # PGP's tray program would otherwise still answer in the bridge's place
chattr -i "$windows"
printf '[PGP]\r\nMainexe=C:\\Old\\PGP.exe\r\n[General]\r\noptProcessing=2\r\n' >"$windows/Wextor5.INI"
chattr +i "$windows"
# The user moves to the GnuPG bridge and to Encrypt, with Wextor 5 stopped.
sed -i -e 's/^Mainexe=.*/Mainexe=C:\\Program Files\\GnuPG bridge\\GpgBridge.exe\r/' \
    -e 's/^optProcessing=.*/optProcessing=0\r/' "$ini"
start_wextor
check "Wextor 5 started again" poll 30 logged_times "Started Wextor 5" 2
check "no error box at the restart" no_box 3
check "the settings were not carried over again" grep -q 'GpgBridge.exe' "$ini"
check "the mailing list is still there" grep -q 'list@lists.example.org' "$local_dir/MailingList.dat"
check "the active mailers are still there" grep -q 'DEMOMFD.EXE' "$local_dir/ActiveMailers.dat"
check "the page Ok saved is still there" grep -q '^RecentPage=' "$ini"

# Encrypting through the bridge: its settings are carried over and written per user.
poll 20 tray_shown
open_message compose 'To: bob@example.com\r\nSubject: Secret\r\n\r\nThe code.\r\n'
poll 10 window_shown "Compose Mail - Secret"
click_tray_icon 1
check "the bridge asks for recipients" press "GnuPG bridge - Recipients" Return
check "the bridge run ended" poll 60 logged_times "MainPGP-End" 2
check "the encrypted text went back" poll 10 grep -q -- '-----BEGIN PGP MESSAGE-----' <(body)
check "the bridge's settings were carried over" grep -q 'GpgPath=Z:\\usr\\bin\\gpg' "$bridge_dir/GpgBridge.INI"
check "the bridge wrote its settings per user" grep -q '^EncryptToSelf=1' "$bridge_dir/GpgBridge.INI"
check "the Windows folder's bridge settings are untouched" cmp -s "$work/GpgBridge.INI.before" "$windows/GpgBridge.INI"
check "no error box after the bridge run" no_box 2
check "no error was logged in the end" no_error_logged
check "nothing was written into the program folder" test ! -e "$app/DebugLog.Txt"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
