#!/usr/bin/env bash
# A user whose name has letters of no ANSI code page ("Łucja李" on an English Windows), with
# Wextor 5 installed for that user alone under %LOCALAPPDATA%\Programs\Wextor 5 and the program
# and Windows folders refusing writes: start-up, a processing run through Demo Mail's driver, a
# setting kept over a restart, and the log, lists and settings in the per-user folders.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix of its own, made afresh: Wine names the profile folder after the user it starts as,
# and reads that name as UTF-8 only in a UTF-8 locale (C.UTF-8 is always there; its ANSI code
# page is 1252, as on an English Windows).
export WEXTOR_WINE_DIR="$BIN/wine-unicodeuser"
export USER='Łucja李' LOGNAME='Łucja李' LANG=C.UTF-8 LC_ALL=C.UTF-8
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
if [ "$(id -u)" -ne 0 ] || ! command -v chattr >/dev/null; then
    echo "skipped: needs root and chattr to make folders refuse writes"
    exit 0
fi
bash "$ROOT/cmake/wine-run.sh" --stop
# An earlier run that was killed may have left its folders immutable.
chattr -R -i "$WEXTOR_WINE_DIR" 2>/dev/null
rm -rf "$WEXTOR_WINE_DIR"
e2e_env
c="$WINEPREFIX/drive_c"
windows="$c/windows"
profile="$c/users/$USER"
app="$profile/AppData/Local/Programs/Wextor 5"
local_dir="$profile/AppData/Local/Wextor 5"
ini="$profile/AppData/Roaming/Wextor 5/Wextor5.INI"
log="$local_dir/DebugLog.Txt"
work=$(mktemp -d)
demomail="$BIN/testbed/demomail/DemoMail.exe"

check "the profile folder has the user's letters" test -d "$profile/AppData/Roaming"

# The per-user install as the installer lays it out: the drivers in MFD beside the program,
# found without WIN.INI, whose ANSI text could not name this folder.
install_testbed
mkdir -p "$app/MFD"
cp "$WEXTOR_APP"/* "$app/"
cp "$c/MFD"/* "$app/MFD/"
rm -rf "$WEXTOR_APP" "$c/MFD"
sed -i '/^\[Mail Form Drivers\]/,/^Path=/d' "$windows/win.ini"
# Sign chosen, and the Routine page, which holds that choice, last shown.
printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=0\r\noptProcessing=1\r\nRecentPage=0\r\n' \
    >"$windows/Wextor5.INI"
pgplog="$c/PGP/PGPstub.log"

locked=()
lock() { chattr +i "$1" && locked+=("$1"); }
cleanup() {
    wine "$demomail" /quit >/dev/null 2>&1
    prefix_kill 'Wextor5.exe'
    prefix_kill 'PGPstub.exe'
    local d
    for d in "${locked[@]}"; do chattr -i "$d"; done
    rm -rf "$work"
    bash "$ROOT/cmake/wine-run.sh" --stop
    rm -rf "$WEXTOR_WINE_DIR"
}
trap cleanup EXIT
# A folder left immutable would break the removal of the build folder.
trap 'exit 130' INT TERM HUP
lock "$windows"
lock "$app"

# The settings file is UTF-16 once a value in it (a path under this profile) needs it.
ini_has() { ini_text "$ini" | grep -q -- "$1"; }
# Takes a line out of the settings file, in the file's own encoding.
ini_drop() {
    local text
    text=$(ini_text "$ini" | grep -v -- "$1" | sed 's/$/\r/')
    if [ "$(head -c 2 "$ini" | od -An -tx1 | tr -d ' ')" = fffe ]; then
        printf '%s\n' "$text" | iconv -f UTF-8 -t UTF-16 >"$ini"
    else
        printf '%s\n' "$text" >"$ini"
    fi
}
commands() { grep -c $'^event=command\t' "$pgplog" 2>/dev/null || echo 0; }
count_is() { [ "$(commands)" -eq "$1" ]; }
last_command_id() { grep $'^event=command\t' "$pgplog" | tail -1 | tr '\t' '\n' | sed -n 's/^id=//p'; }
open_message() { # kind text
    printf '%b' "$2" >"$work/msg.txt"
    wine "$demomail" /open "$1" "$(winpath "$work/msg.txt")" >/dev/null 2>&1
}
body() { wine "$demomail" /dumpbody "$(winpath "$work/body.txt")" >/dev/null 2>&1 && cat "$work/body.txt"; }
logged_times() { [ "$(grep -c -- "$1" "$log" 2>/dev/null || echo 0)" -ge "$2" ]; }
no_box() { ! poll "${1:-2}" window_shown Warning && ! window_shown Error; }
start_wextor() { (cd "$app" && wine ./Wextor5.exe /s >/dev/null 2>&1 &); }
gone() { [ "$(prefix_count 'Wextor5.exe')" -eq 0 ]; }
stop_wextor() {
    chattr -i "$app"
    touch "$app/Installer.Flg"
    poll 20 gone
    local ended=$?
    rm -f "$app/Installer.Flg"
    chattr +i "$app"
    return $ended
}
# keys TITLE KEY...: keys pressed in the window of that title, as a user would.
keys() {
    local title=$1 w
    shift
    poll 30 window_shown "$title" || return 1
    w=$(xdotool search --onlyvisible --name "^$title\$" | head -1)
    xdotool windowfocus --sync "$w" key "$@" 2>/dev/null
}

wine "$demomail" >/dev/null 2>&1 &
check "Demo Mail started" poll 30 window_shown "Demo Mail - Inbox"
start_wextor
check "Wextor 5 started" poll 30 logged_times "Started Wextor 5" 1
check "no error box at the start" no_box 3
check "the tray icon shows" poll 20 tray_shown
check "the settings file is per user, under the user's own name" ini_has '^Version=' 
check "the Windows folder's settings were carried over" ini_has '^Mainexe=C:\\PGP\\PGPstub.exe' 
check "the active mailers were carried over" grep -q 'DEMOMFD.EXE' "$local_dir/ActiveMailers.dat"
check "the About text names the folders in the user's letters" \
    grep -q 'Files in: C:\\users\\Łucja李\\AppData\\Local\\Wextor 5\\' "$log"
check "%APPDATA% as the program got it holds them" \
    grep -q 'Settings in: C:\\users\\Łucja李\\AppData\\Roaming\\Wextor 5\\Wextor5.INI' "$log"
check "the drivers are found beside the program" grep -q 'Programs\\Wextor 5\\MFD' "$log"
grep -a "Exchange file:" "$log" | tail -1
check "the exchange file's path is plain ASCII without blanks" \
    grep -qE '^.*Exchange file: [!-~]+tmpmfd\.tmp'$'\r''?$' "$log"

# A processing run: Demo Mail's driver reads and writes the message through the exchange file.
open_message compose 'To: alice@example.com\r\nSubject: Plans\r\n\r\nMeet at noon.\r\n'
poll 10 window_shown "Compose Mail - Plans"
click_tray_icon 1
check "the run sent Sign (40018)" poll 60 count_is 1
check "the run ended" poll 30 logged_times "MainPGP-End" 1
check "the command was 40018" test "$(last_command_id)" = 40018
check "the signed text went back" poll 10 grep -q -- '-----BEGIN PGP SIGNED MESSAGE-----' <(body)
check "no error box after the run" no_box 2

# A setting changed in the properties window: "Encrypt and Sign" (Alt+A), then Ok.
click_tray_icon 1 3
check "the properties window opens" poll 20 window_shown "Wextor 5"
keys "Wextor 5" alt+a
check "Ok closes it" press "Wextor 5" Return
check "the choice was written" poll 10 ini_has '^optProcessing=2' 
check "the lists were written per user" test -e "$local_dir/MailingList.dat"

# Kept over a restart: the program reads it back, and Ok writes what it read.
check "Wextor 5 ends" stop_wextor
start_wextor
check "Wextor 5 started again" poll 30 logged_times "Started Wextor 5" 2
check "no error box at the restart" no_box 3
poll 20 tray_shown
click_tray_icon 1 3
check "the properties window opens again" poll 20 window_shown "Wextor 5"
ini_drop '^RecentPage=' # comes back only when this Ok writes
check "Ok closes it again" press "Wextor 5" Return
check "Ok wrote the settings again" poll 10 ini_has '^RecentPage=' 
check "the setting read back is still Encrypt and Sign" ini_has '^optProcessing=2' 
check "no error was logged" bash -c "! grep -q 'Error in ' '$log'"
check "nothing was written into the program folder" test ! -e "$app/DebugLog.Txt"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
