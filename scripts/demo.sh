#!/usr/bin/env bash
# The main job, for real: Wextor5.exe and the testbed in a fresh Wine prefix. A compose window
# of the demo mail client holds a message; a click on Wextor's tray icon encrypts it through
# the PGP stand-in and puts the result back. Prints the message before and after and saves
# screenshots. Uses $DISPLAY when set, else a private Xvfb.
#   --gnupg  real encryption: the GnuPG bridge as PGP, with the machine's gpg and keys made for
#            the demo; the result is decrypted again by the Linux gpg.
#   --notepad  the shipped driver pack with Wine's own Notepad instead of the demo mail client,
#            real encryption as with --gnupg: text typed into Notepad, one tray click.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
gnupg=no
notepad=no
[ "${1:-}" = --gnupg ] && gnupg=yes
[ "${1:-}" = --notepad ] && gnupg=yes && notepad=yes
bash scripts/install-deps.sh
. scripts/lib/arch.sh

# The build this machine runs: the shipped 32-bit one where 32-bit Wine starts, else 64-bit.
arch=$(tested_archs | awk '{print $1}')
build=$(arch_build_dir "$arch")
if [ "$arch" = i686 ]; then
    echo "== Windows build: i686 (32-bit Wine)"
    export WEXTOR_WINE_ARCH=win32
else
    echo "== Windows build: x86_64 (64-bit Wine$(can_run_32bit || echo "; this machine runs no 32-bit programs"))"
    export WEXTOR_WINE_ARCH=win64
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$(arch_toolchain "$arch")" >/dev/null
cmake --build "$build" -j"$(nproc)" --target Wextor5 demomail demomfd notemfd sbm pgpstub pgpstub_Keys pgpstub_Tray pgpstub_Tools \
    GpgBridge bridge_PGPKeys bridge_PGPTray FRONTMFD NPADMFD mfdpack_winpeek e2e_unipeek >/dev/null
BIN=$ROOT/$build
out=$ROOT/build/demo
export WEXTOR_WINE_DIR=$out/wine
rm -rf "$out"
mkdir -p "$out"
[ -n "${DISPLAY:-}" ] && export WEXTOR_DISPLAY=$DISPLAY
trap 'bash cmake/wine-run.sh --stop' EXIT

. scripts/lib/e2e.sh
. scripts/lib/install-testbed.sh
. scripts/lib/install-bridge.sh
. scripts/lib/install-driverpack.sh
echo "== preparing a fresh Wine prefix (about 20 s the first time)"
bash cmake/wine-run.sh cmd /c exit
e2e_env
install_testbed
if [ $gnupg = yes ]; then
    echo "== installing the GnuPG bridge as Wextor's PGP, with keys for Alice (you) and Bob"
    install_bridge 2>/dev/null
    trap 'remove_bridge_home; bash cmake/wine-run.sh --stop' EXIT
fi

if [ $notepad = yes ]; then
    . scripts/lib/demo-notepad.sh
    demo_notepad
    exit 0
fi

demomail="$BIN/testbed/demomail/DemoMail.exe"
sample="$BIN/testbed/data/compose.txt"
wine "$demomail" /open compose "$(winpath "$sample")" >/dev/null 2>&1 &
poll 20 window_shown "Compose Mail - Quarterly figures" || { echo "Demo Mail did not open" >&2; exit 1; }
wine "$demomail" /dumpbody "$(winpath "$out/before.txt")"
screenshot "$out/before.png"

echo "== starting Wextor 5"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
poll 30 tray_shown || { echo "no tray icon appeared" >&2; exit 1; }
sleep_until_icon() { [ -f "$WEXTOR_APP/DebugLog.Txt" ] && grep -q "Started Wextor 5" "$WEXTOR_APP/DebugLog.Txt"; }
poll 30 sleep_until_icon || { echo "Wextor 5 did not start" >&2; exit 1; }

echo "== clicking the tray icon"
click_tray_icon 1
if [ $gnupg = yes ]; then
    poll 30 window_shown "GnuPG bridge - Recipients" && screenshot "$out/recipients.png"
    echo "== Enter in the bridge's recipients window (Bob, chosen last time)"
    press "GnuPG bridge - Recipients" Return || { echo "no recipients window" >&2; exit 1; }
fi
during_taken=no
body_changed() {
    if [ $during_taken = no ] && window_shown "PGP Running"; then
        screenshot "$out/during.png" && during_taken=yes
    fi
    wine "$demomail" /dumpbody "$(winpath "$out/after.txt")" >/dev/null 2>&1
    ! cmp -s "$out/before.txt" "$out/after.txt"
}
poll 60 body_changed || { echo "the message was not processed; log:" >&2; cat "$WEXTOR_APP/DebugLog.Txt" >&2; exit 1; }
screenshot "$out/after.png"

echo
echo "===== message before ====="
tr -d '\r' <"$out/before.txt"
echo
echo "===== message after ====="
tr -d '\r' <"$out/after.txt"
if [ $gnupg = yes ]; then
    echo
    echo "===== decrypted again by the Linux gpg with Bob's key ====="
    gpg --batch --decrypt "$out/after.txt" 2>/dev/null | tr -d '\r'
fi
echo
echo "===== Wextor 5 debug log ====="
tr -d '\r' <"$WEXTOR_APP/DebugLog.Txt" | tail -8
echo
echo "Screenshots:"
for f in before recipients during after; do [ -f "$out/$f.png" ] && echo "  $out/$f.png"; done
wine "$demomail" /quit >/dev/null 2>&1 || true
