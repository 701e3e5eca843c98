# The main job on Wine's Notepad with the driver pack and real OpenPGP, for scripts/demo.sh
# --notepad: sourced after the bridge is installed; BIN, out and WEXTOR_APP are set.
demo_notepad() {
    local peek="$BIN/e2e-tools/UniPeek.exe" message start
    install_driverpack
    # Characters of many languages: every one must come back from OpenPGP as it went in.
    message=$'Dear Bob,\r\nGrüße aus Köln — naïve café, 5 €\r\nПривет, Боб! Ελληνικά. 你好，世界。 😀\r\nAlice'
    printf '%s' "$message" >"$out/message.txt"
    echo "== starting Wextor 5 (driver pack beside it, \"Any program\" active, no WIN.INI driver folder)"
    (cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
    poll 30 tray_shown || { echo "no tray icon appeared" >&2; return 1; }
    echo "== Wine's Notepad, the message set through the wide API (UTF-16, as a user's paste)"
    wine notepad >/dev/null 2>&1 &
    poll 30 window_shown "Untitled - Notepad" || { echo "Notepad did not open" >&2; return 1; }
    clear_of_tray "Untitled - Notepad"
    wine "$peek" /set Notepad "$(winpath "$out/message.txt")" >/dev/null 2>&1
    notepad_text() { wine "$peek" /get Notepad "$(winpath "$1")" >/dev/null 2>&1; }
    typed() { notepad_text "$out/before.txt" && cmp -s "$out/before.txt" "$out/message.txt"; }
    poll 20 typed || { echo "the message did not arrive in Notepad" >&2; return 1; }
    screenshot "$out/before.png"
    echo "== clicking the tray icon; Enter in the bridge's recipients window (Bob)"
    start=$(date +%s%N)
    click_tray_icon 1
    press "GnuPG bridge - Recipients" Return || { echo "no recipients window" >&2; return 1; }
    armoured() { notepad_text "$out/after.txt" && grep -q -- '-----END PGP MESSAGE-----' "$out/after.txt"; }
    poll 60 armoured || { echo "Notepad was not processed; log:" >&2; cat "$WEXTOR_APP/DebugLog.Txt" >&2; return 1; }
    echo "== done in $(( ($(date +%s%N) - start) / 1000000 )) ms, the Enter included"
    screenshot "$out/after.png"
    echo
    echo "===== Notepad before ====="
    tr -d '\r' <"$out/before.txt"
    echo
    echo "===== Notepad after ====="
    tr -d '\r' <"$out/after.txt"
    echo
    echo "===== decrypted again by the Linux gpg with Bob's key ====="
    gpg --batch --decrypt "$out/after.txt" 2>/dev/null >"$out/decrypted.txt"
    tr -d '\r' <"$out/decrypted.txt"
    echo
    if cmp -s <(tr -d '\r' <"$out/decrypted.txt") <(tr -d '\r' <"$out/message.txt"); then
        echo "== every character came back as it went in"
    else
        echo "== the decrypted text differs from the message" >&2
        return 1
    fi
    echo "Screenshots: $out/before.png $out/after.png"
    prefix_kill 'notepad.exe'
}
