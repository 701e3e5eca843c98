#!/usr/bin/env bash
# Every character survives: Wine's Notepad and WordPad hold Latin with accents, "€", "—",
# Cyrillic, Greek, Chinese and an emoji (set through the wide API, not typed); a tray click
# through the driver pack and the GnuPG bridge encrypts them, and the Linux gpg decrypts the
# armour to exactly the original UTF-8. The other way a message encrypted by the Linux gpg is
# decrypted by a tray click onto the clipboard, every character. PGP 5.x (the stand-in), which
# reads the code page only, is refused such a message with nothing changed. All of it under two
# ANSI code pages, Windows-1252 and Windows-1251, each in a prefix of its own.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
peek="$BIN/e2e-tools/UniPeek.exe"
message=$'Grüße aus Köln — naïve café, 5 €\r\nПривет, Боб! Ελληνικά. 你好，世界。 😀\r\nAlice'
failures=0

one_code_page() {
    . "$ROOT/scripts/lib/e2e.sh"
    . "$ROOT/scripts/lib/install-testbed.sh"
    . "$ROOT/scripts/lib/install-bridge.sh"
    . "$ROOT/scripts/lib/install-driverpack.sh"
    e2e_env
    install_testbed
    install_bridge
    install_driverpack
    local log c
    work=$(mktemp -d)
    log="$WEXTOR_APP/DebugLog.Txt"
    c="$WINEPREFIX/drive_c"
    trap 'prefix_kill Wextor5.exe; prefix_kill GpgBridge.exe; prefix_kill notepad.exe; prefix_kill wordpad.exe; remove_bridge_home; rm -rf "$work"' EXIT
    printf '%s' "$message" >"$work/message.txt"

    # The main window of a Wine program, by the X class Wine gives it (titles are translated):
    # its program's name.
    xclass() { xdotool search --onlyvisible --class "$1" 2>/dev/null | head -1; }
    shown() { [ -n "$(xclass "$1")" ]; }
    aside() { xdotool windowmove --sync "$(xclass "$1")" 200 100 2>/dev/null; }
    field() { wine "$peek" /get "$1" "$(winpath "$work/field.txt")" >/dev/null 2>&1 && cat "$work/field.txt"; }
    field_is() { [ "$(field "$1" | tr -d '\r')" = "$(tr -d '\r' <"$2")" ]; }
    set_field() { wine "$peek" /set "$1" "$(winpath "$2")" >/dev/null 2>&1; }
    armoured() { field "$1" | grep -q -- '-----END PGP MESSAGE-----'; }
    clip_is() { wine "$peek" /clip "$(winpath "$work/clip.txt")" >/dev/null 2>&1 &&
        [ "$(tr -d '\r' <"$work/clip.txt")" = "$(tr -d '\r' <"$1")" ]; }
    log_has() { grep -q -- "$1" "$log" 2>/dev/null; }
    decrypts_to_message() {
        field "$1" >"$work/armour.txt"
        gpg --batch --decrypt "$work/armour.txt" >"$work/plain.txt" 2>/dev/null
        cmp -s <(tr -d '\r' <"$work/plain.txt") <(tr -d '\r' <"$work/message.txt")
    }
    # encrypt_in CLASS XCLASS WHAT EXE...: starts it, sets the message into its field, clicks the
    # tray icon, Enter in the recipients window; its field then holds armour for exactly the
    # message. CLASS is the window class, XCLASS the X class.
    encrypt_in() {
        local cls=$1 x=$2 what=$3
        shift 3
        wine "$@" >/dev/null 2>&1 &
        check "$what shows" poll 30 shown "$x"
        aside "$x"
        check "$what holds the message, set through the wide API" \
            eval 'set_field "$cls" "$work/message.txt" && poll 10 field_is "$cls" "$work/message.txt"'
        click_tray_icon 1
        check "$what: the bridge asks for recipients; Enter takes Bob" press "GnuPG bridge - Recipients" Return
        check "$what holds the armour" poll 60 armoured "$cls"
        check "$what: Linux gpg decrypts the armour to exactly the original UTF-8" decrypts_to_message "$cls"
    }

    # PGP 5.x reads the code page's bytes only: such a message is refused, nothing changes.
    # First, while no other program has a tray icon.
    local bridge_ini
    bridge_ini=$(cat "$c/windows/Wextor5.INI")
    printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=0\r\n' >"$c/windows/Wextor5.INI"
    rm -f "$c/PGP/PGPstub.log"
    (cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
    check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
    poll 20 tray_shown
    wine notepad >/dev/null 2>&1 &
    check "PGP 5.x: Notepad shows" poll 30 shown notepad
    aside notepad
    set_field Notepad "$work/message.txt"
    click_tray_icon 1
    check "PGP 5.x: a box names the characters it cannot take" poll 30 window_shown "Wextor 5"
    check "PGP 5.x: the refusal is logged" poll 5 log_has "cannot take"
    press "Wextor 5" Return
    check "PGP 5.x: Notepad is unchanged" field_is Notepad "$work/message.txt"
    check "PGP 5.x was never called" test ! -s "$c/PGP/PGPstub.log"
    prefix_kill notepad.exe
    # Unloaded as the installer does: a killed copy would leave a dead icon first in the tray.
    touch "$WEXTOR_APP/Installer.Flg"
    no_copy_left() { [ "$(prefix_count Wextor5.exe)" -eq 0 ]; }
    poll 30 no_copy_left
    rm -f "$WEXTOR_APP/Installer.Flg"
    printf '%s\r\n' "$bridge_ini" >"$c/windows/Wextor5.INI"
    poll 10 bash -c '! xdotool search --onlyvisible --name "^Wine System Tray$" >/dev/null 2>&1'

    (cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
    check "Wextor 5 started again, the GnuPG bridge its PGP" poll 30 log_has "Using .*GnuPG bridge"
    poll 20 tray_shown

    encrypt_in Notepad notepad "Notepad" notepad
    prefix_kill notepad.exe
    encrypt_in WORDPADTOP wordpad "WordPad" 'C:\Program Files\Windows NT\Accessories\wordpad.exe'
    prefix_kill wordpad.exe

    # The other way: the user's own key (Alice) decrypts what the Linux gpg encrypted.
    gpg --batch --armor --trust-model always -r alice@example.org --encrypt <"$work/message.txt" \
        >"$work/incoming.txt" 2>/dev/null
    wine notepad >/dev/null 2>&1 &
    check "Notepad shows again" poll 30 shown notepad
    aside notepad
    set_field Notepad "$work/incoming.txt"
    click_tray_icon 1
    check "the bridge shows the decrypted text" poll 60 window_shown "GnuPG bridge - Decrypted text"
    check "the clipboard holds exactly the original characters (CF_UNICODETEXT)" poll 10 clip_is "$work/message.txt"
    press "GnuPG bridge - Decrypted text" Escape

    return "$E2E_FAILURES"
}

for cp in 1252:C.UTF-8 1251:ru_RU.UTF-8; do
    echo "== ANSI code page ${cp%%:*} (LANG=${cp#*:})"
    (
        # Wine takes its code page from the locale's name; the Linux locale need not exist.
        unset LC_ALL
        export LANG=${cp#*:}
        export WEXTOR_WINE_DIR="$BIN/wine-unicode-${cp%%:*}"
        bash "$ROOT/cmake/wine-run.sh" --stop
        rm -rf "$WEXTOR_WINE_DIR"
        one_code_page
        status=$?
        bash "$ROOT/cmake/wine-run.sh" --stop
        exit $status
    ) || failures=$((failures + 1))
done
echo "$failures failed"
exit "$failures"
