# Installs the GnuPG bridge as Wextor 5's PGP program, with a throw-away GnuPG home made by the
# machine's Linux gpg: sourced after install_testbed. Sets GNUPGHOME (exported, so that the
# programs started under Wine and their gpg use it), ALICE and BOB (key ids).
#   C:\Program Files\GnuPG bridge\   GpgBridge.exe, PGPKeys.Exe, PGPTray.Exe, PGPBridge.chm
#   Alice is the user's own key (signing), Bob the correspondent (his secret key is there too,
#   so that the Linux gpg can check what Bob would read).

# install_bridge [FOLDER]: with FOLDER (a Windows path) the bridge already there is used, nothing copied.
install_bridge() {
    local c="$WINEPREFIX/drive_c" dir win=${1:-'C:\Program Files\GnuPG bridge'}
    if [ -z "${1:-}" ]; then
        dir="$c/Program Files/GnuPG bridge"
        rm -rf "$dir"
        mkdir -p "$dir"
        cp "$BIN"/gpgbridge/{GpgBridge.exe,PGPKeys.Exe,PGPTray.Exe,PGPBridge.chm} "$dir/"
    fi
    GNUPGHOME=$(mktemp -d /tmp/gnupg-XXXXXX)
    export GNUPGHOME
    gpg --batch --passphrase '' --quick-gen-key 'Alice <alice@example.org>' default default never 2>/dev/null
    gpg --batch --passphrase '' --quick-gen-key 'Bob <bob@example.com>' default default never 2>/dev/null
    ALICE=$(gpg --with-colons --list-keys alice@example.org | awk -F: '/^pub/ {print $5; exit}')
    BOB=$(gpg --with-colons --list-keys bob@example.com | awk -F: '/^pub/ {print $5; exit}')
    printf '[PGP]\r\nMainexe=%s\\GpgBridge.exe\r\n[General]\r\nTipEnabled=0\r\n' "$win" >"$c/windows/Wextor5.INI"
    printf '[GnuPG]\r\nGpgPath=Z:\\usr\\bin\\gpg\r\nDefaultKey=%s\r\nEncryptToSelf=0\r\nLastRecipients=%s\r\n' \
        "$ALICE" "$BOB" >"$c/windows/GpgBridge.INI"
}

# Ends the GnuPG home's agent and removes the home.
remove_bridge_home() {
    [ -n "${GNUPGHOME:-}" ] || return 0
    gpgconf --kill all 2>/dev/null
    rm -rf "$GNUPGHOME"
}

# Ends what a scenario with Notepad and the bridge started: Wextor 5, the bridge, Notepad, the keys.
end_notepad_bridge() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'GpgBridge.exe'
    prefix_kill 'notepad.exe'
    remove_bridge_home
}

# The text of Notepad's field, through WinPeek ($peek) and a file in $work.
notepad_field() { wine "$peek" /text Notepad "$(winpath "$work/field.txt")" >/dev/null 2>&1 && cat "$work/field.txt"; }
notepad_field_is() { [ "$(notepad_field)" = "$1" ]; }
notepad_armoured() { notepad_field | grep -q -- '-----END PGP MESSAGE-----'; }

# notepad_encrypt_by_click MESSAGE BRIDGE: a new Notepad gets MESSAGE by key presses, one tray
# click, Enter in BRIDGE's recipients window takes Bob; Linux gpg must decrypt Notepad's text to
# MESSAGE. Wextor 5 and its tray icon must be up; needs peek and work.
notepad_encrypt_by_click() {
    local message=$1 bridge=$2
    wine notepad >/dev/null 2>&1 &
    check "Notepad shows" poll 30 window_shown "Untitled - Notepad"
    clear_of_tray "Untitled - Notepad"
    type_into "Untitled - Notepad" "$message"
    check "the message was typed" poll 20 notepad_field_is "$message"
    click_tray_icon 1
    check "$bridge asks for recipients; Enter takes Bob" press "GnuPG bridge - Recipients" Return
    check "Notepad holds the armour" poll 60 notepad_armoured
    notepad_field >"$work/armour.txt"
    gpg --batch --decrypt "$work/armour.txt" >"$work/plain.txt" 2>/dev/null
    check "Linux gpg decrypts Notepad's text to the original" test "$(cat "$work/plain.txt")" = "$message"
}
