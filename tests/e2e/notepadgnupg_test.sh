#!/usr/bin/env bash
# Wine's Notepad with real OpenPGP: the driver pack, the GnuPG bridge as PGP, text typed by key
# presses, one tray click; the machine's Linux gpg decrypts what Notepad then holds.
# $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
. "$ROOT/scripts/lib/install-bridge.sh"
. "$ROOT/scripts/lib/install-driverpack.sh"
e2e_env
install_testbed
install_bridge
install_driverpack
work=$(mktemp -d)
peek="$BIN/mfdpack-test/WinPeek.exe"
log="$WEXTOR_APP/DebugLog.Txt"

cleanup() {
    end_notepad_bridge
    rm -rf "$work"
}
trap cleanup EXIT

log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 started" poll 30 log_has "Started Wextor 5"
poll 20 tray_shown
notepad_encrypt_by_click 'Meet Bob at noon, bring the plans.' 'the bridge'

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
