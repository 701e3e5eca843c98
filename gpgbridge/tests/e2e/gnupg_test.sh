#!/usr/bin/env bash
# Wextor 5 with the GnuPG bridge as its PGP program and Demo Mail as the mail client, driven as a
# user drives them (tray clicks, Enter and Esc in the bridge's windows); the results are checked
# with the machine's Linux gpg.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-bridge.sh"
e2e_env
install_testbed
install_bridge
work=$(mktemp -d)
demomail="$BIN/testbed/demomail/DemoMail.exe"
peek="$BIN/gpgbridge-test/Peek.exe"
log="$WEXTOR_APP/DebugLog.Txt"
printf 'list@lists.example.org\r\n' >"$WEXTOR_APP/MailingList.dat"

cleanup() {
    wine "$demomail" /quit >/dev/null 2>&1
    prefix_kill 'Wextor5.exe'
    prefix_kill 'GpgBridge.exe'
    remove_bridge_home
    rm -rf "$work"
}
trap cleanup EXIT

open_message() { # kind text
    printf '%b' "$2" >"$work/msg.txt"
    wine "$demomail" /open "$1" "$(winpath "$work/msg.txt")" >/dev/null 2>&1
}
body() { wine "$demomail" /dumpbody "$(winpath "$work/body.txt")" >/dev/null 2>&1 && cat "$work/body.txt"; }
run_ended() { [ "$(grep -c 'MainPGP-End' "$log" 2>/dev/null)" -ge "$1" ]; }
log_has() { grep -q -- "$1" "$log" 2>/dev/null; }
control_text() { # title id
    wine "$peek" /text "$1" "$2" "$(winpath "$work/peek.txt")" >/dev/null 2>&1 && cat "$work/peek.txt"
}
clipboard() { wine "$peek" /clipboard "$(winpath "$work/clip.txt")" >/dev/null 2>&1 && cat "$work/clip.txt"; }

wine "$demomail" >/dev/null 2>&1 &
check "Demo Mail started" poll 30 window_shown "Demo Mail - Inbox"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
check "the tray icon shows" poll 20 tray_shown

# Outgoing: encrypted to Bob, who was chosen last time; Enter takes the choice.
open_message compose 'To: bob@example.com\r\nSubject: Plans\r\n\r\nMeet at noon.\r\nBring the plans.\r\n'
poll 10 window_shown "Compose Mail - Plans"
body >"$work/plain.txt"
click_tray_icon 1
check "Wextor started the bridge, which asks for recipients" press "GnuPG bridge - Recipients" Return
check "the run ended" poll 60 run_ended 1
check "the compose window holds PGP armour" poll 10 grep -q -- '-----BEGIN PGP MESSAGE-----' <(body)
body >"$work/armour.txt"
gpg --batch --decrypt --status-file "$work/status.txt" "$work/armour.txt" >"$work/decrypted.txt" 2>/dev/null
check "Linux gpg decrypts it to the original body exactly" cmp -s "$work/plain.txt" "$work/decrypted.txt"
bob_sub=$(gpg --with-colons --list-keys "$BOB" | awk -F: '/^sub/ {print $5; exit}')
check "it was encrypted to Bob's key alone" test "$(grep -c "ENC_TO" "$work/status.txt")" -eq 1 -a \
    -n "$(grep "ENC_TO $bob_sub" "$work/status.txt")"
check "the bridge shows its own tray icon" poll 10 test "$(xwininfo -id "$(tray_window)" | awk '/Width:/ {print $2}')" -gt \
    "$(xwininfo -id "$(tray_window)" | awk '/Height:/ {print $2 + 4}')"
screenshot "$work/tray.png"

# A listed Cc: signed with Alice's key, which the Linux gpg verifies.
open_message compose 'To: carol@example.net\r\nCc: list@lists.example.org\r\nSubject: News\r\n\r\nHello list.\r\n'
poll 10 window_shown "Compose Mail - News"
click_tray_icon 1
check "the signing run ended" poll 60 run_ended 2
check "the signed text went back" poll 10 grep -q -- '-----BEGIN PGP SIGNED MESSAGE-----' <(body)
body >"$work/signed.txt"
gpg --batch --status-file "$work/vstatus.txt" --verify "$work/signed.txt" 2>/dev/null
check "Linux gpg verifies the signature as Alice's" grep -q "GOODSIG $ALICE" "$work/vstatus.txt"

# Received: encrypted to Bob by the Linux gpg; the bridge decrypts it and shows the plain text.
printf 'The vault code is 2468.\r\n' >"$work/secret.txt"
gpg --batch --armor --trust-model always -r "$BOB" -o "$work/secret.asc" --encrypt "$work/secret.txt"
{ printf 'Subject: Secret\r\n\r\n'; sed 's/$/\r/' "$work/secret.asc"; } >"$work/received.txt"
wine "$demomail" /open read "$(winpath "$work/received.txt")" >/dev/null 2>&1
poll 10 window_shown "Read Message - Secret"
body >"$work/before-read.txt"
click_tray_icon 1
check "the bridge shows the decrypted text" poll 30 window_shown "GnuPG bridge - Decrypted text"
check "the window holds the plain text" grep -q 'The vault code is 2468.' <(control_text "GnuPG bridge - Decrypted text" 1005)
check "the plain text is on the clipboard" grep -q 'The vault code is 2468.' <(clipboard)
screenshot "$work/decrypted.png"
press "GnuPG bridge - Decrypted text" Return
check "the decrypting run ended" poll 60 run_ended 3
check "the received message is not written back" cmp -s "$work/before-read.txt" <(body)

# Received: a key block; the bridge lists it and imports it on Enter.
other=$(mktemp -d /tmp/gnupg-XXXXXX)
GNUPGHOME=$other gpg --batch --passphrase '' --quick-gen-key 'Carol <carol@example.net>' default default never 2>/dev/null
{ printf 'Subject: My key\r\n\r\nHere is my key.\r\n\r\n'; GNUPGHOME=$other gpg --armor --export carol@example.net |
    sed 's/$/\r/'; } >"$work/key.txt"
GNUPGHOME=$other gpgconf --kill all
rm -rf "$other"
wine "$demomail" /open read "$(winpath "$work/key.txt")" >/dev/null 2>&1
poll 10 window_shown "Read Message - My key"
click_tray_icon 1
check "the bridge lists the key to add" press "GnuPG bridge - Add keys" Return
check "and reports the import" press "GnuPG bridge" Return
check "the key-adding run ended" poll 60 run_ended 4
check "Carol's key is now on the key ring" gpg --list-keys carol@example.net >/dev/null

# A cancelled recipients window: Wextor says PGP failed to encrypt, the mail stays as it was.
open_message compose 'To: bob@example.com\r\nSubject: Draft\r\n\r\nNot yet.\r\n'
poll 10 window_shown "Compose Mail - Draft"
body >"$work/draft.txt"
click_tray_icon 1
check "Esc cancels the recipients window" press "GnuPG bridge - Recipients" Escape
check "Wextor warns that PGP failed to encrypt" press "Warning" Return
check "and logs it" log_has "PGP failed to encrypt!!!"
check "the cancelled run ended" poll 60 run_ended 5
check "the mail client's text is untouched" cmp -s "$work/draft.txt" <(body)

# Every character, both ways: Unicode text on the clipboard is encrypted to Bob as UTF-8, and
# UTF-8 text encrypted by the Linux gpg comes back whole on the clipboard and in the window.
printf '%b' 'Grüße aus Köln — naïve café, 5 €\r\nПривет, Боб! Ελληνικά. 你好，世界。 😀' >"$work/world.txt"
wine "$peek" /put "$(winpath "$work/world.txt")" >/dev/null 2>&1
wine "$peek" /command 40017 >/dev/null 2>&1 &
check "the bridge asks for recipients for the Unicode text" press "GnuPG bridge - Recipients" Return
wait $!
clipboard >"$work/world.asc"
gpg --batch --decrypt "$work/world.asc" >"$work/world-decrypted.txt" 2>/dev/null
check "Linux gpg decrypts it to exactly the UTF-8 text" cmp -s "$work/world.txt" "$work/world-decrypted.txt"
gpg --batch --armor --trust-model always -r "$BOB" --encrypt <"$work/world.txt" >"$work/world2.asc"
wine "$peek" /put "$(winpath "$work/world2.asc")" >/dev/null 2>&1
wine "$peek" /command 40008 >/dev/null 2>&1 &
check "the bridge shows the decrypted Unicode text" poll 30 window_shown "GnuPG bridge - Decrypted text"
check "the window holds every character" cmp -s "$work/world.txt" <(control_text "GnuPG bridge - Decrypted text" 1005)
check "the clipboard holds every character" cmp -s "$work/world.txt" <(clipboard)
press "GnuPG bridge - Decrypted text" Return
wait $!

# The message never lands on disk: not while gpg works on it, not after, not when the bridge is
# killed in the middle. A gpg stand-in takes the text, hands back "plain text" and waits to be
# released, so the disk is searched while the run is under way.
stamp="$work/stamp"
touch "$stamp"
holding() { # text: the files under drive C: and /tmp, written since the stamp, that hold it
    find "$WINEPREFIX/drive_c" /tmp -xdev -type f -newer "$stamp" -not -path "$work/*" -size -64M \
        -print0 2>/dev/null | xargs -0 -r perl -e '$t = shift; ($u = $t) =~ s/(.)/$1\0/gs; undef $/;
        for $f (@ARGV) { open(F, "<", $f) or next; $d = <F>; close F;
        print "$f\n" if index($d, $t) >= 0 || index($d, $u) >= 0 }' "$1"
}
no_file_holds() { [ -z "$(holding "$1")" ] && [ -z "$(holding "$2")" ]; }
sent="Outgoing secret $RANDOM$RANDOM"
back="Incoming secret $RANDOM$RANDOM"
printf '#!/bin/sh\ncat >/dev/null\nprintf "%%s\\n" "%s"\ntouch "%s"\ni=0
while [ ! -e "%s" ] && [ $i -lt 600 ]; do sleep 0.1; i=$((i + 1)); done\n' \
    "$back" "$work/busy" "$work/release" >"$work/gpg-standin"
chmod +x "$work/gpg-standin"
printf '[GnuPG]\r\nGpgPath=%s\r\nDefaultKey=%s\r\n' "$(winpath "$work/gpg-standin")" "$ALICE" \
    >"$WINEPREFIX/drive_c/windows/GpgBridge.INI"
standin_run() { # command: starts it with the outgoing secret on the clipboard; waits for gpg
    rm -f "$work/busy" "$work/release"
    printf '%s\r\n' "$sent" >"$work/sent.txt"
    wine "$peek" /put "$(winpath "$work/sent.txt")" >/dev/null 2>&1
    rm -f "$work/sent.txt"
    wine "$peek" /command "$1" >/dev/null 2>&1 &
    poll 30 test -e "$work/busy"
}
check "decrypting: gpg has the message and hands back plain text" standin_run 40008
check "while it runs no file holds either text" no_file_holds "$sent" "$back"
touch "$work/release"
check "the bridge reports the failed run" press "GnuPG bridge" Return
wait $!
check "after the run no file holds either text" no_file_holds "$sent" "$back"
check "signing: gpg has the message" standin_run 40018
check "while it runs no file holds it" no_file_holds "$sent" "$back"
prefix_kill 'GpgBridge.exe'
check "the bridge is killed in the middle" test "$(prefix_count 'GpgBridge.exe')" -eq 0
touch "$work/release"
wait $!
check "after the kill no file holds either text" no_file_holds "$sent" "$back"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
