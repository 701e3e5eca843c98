#!/usr/bin/env bash
# The Windows installer, silently under Wine: install, run, upgrade over the running copy,
# uninstall. $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
setup="$BIN/Wextor5-Setup.exe"
[ "${WEXTOR_WINE_ARCH:-}" = win64 ] && setup="$BIN/Wextor5-Setup-x64.exe"
[ -f "$setup" ] || { echo "no installer built (NSIS missing)"; exit 1; }
e2e_env
install_testbed # drivers, PGP stand-in, WIN.INI and Wextor5.INI for the installed copy
dir="$WINEPREFIX/drive_c/Apps/Wextor5"
rm -rf "$dir"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'Au_.exe'
}
trap cleanup EXIT
running() { [ "$(prefix_count 'Apps.Wextor5.Wextor5.exe')" -gt 0 ]; }
not_running() { ! running; }
started_times() { [ "$(grep -c 'Started Wextor 5' "$dir/DebugLog.Txt" 2>/dev/null)" -ge "$1" ]; }

# With no folder given: a per-user install, which needs no administrator.
peruser="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Wextor 5"
rm -rf "$peruser"
wine "$setup" /S >/dev/null 2>&1
check "the default folder is per user" test -f "$peruser/Wextor5.exe"
# No "_?=" here: it takes no quotes, and Wine quotes an argument with a blank. The uninstaller
# then runs from a copy of itself, so its work is waited for.
wine "$(winpath "$peruser/Uninstall.exe")" /S >/dev/null 2>&1
check "the per-user install is removed" poll 30 test ! -f "$peruser/Wextor5.exe"
uninstaller_ended() { [ "$(prefix_count 'Au_.exe')" -eq 0 ]; }
poll 30 uninstaller_ended || prefix_kill 'Au_.exe'
rm -rf "$peruser"

# The per-user folder exists for every install (the exchange file, the driver pack's state), yet
# holds none of the lists: they go beside the program, where the program looks for them.
local_data="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Wextor 5"
rm -rf "$local_data"
mkdir -p "$local_data/Driver pack"
wine "$setup" /S /AUTOSTART '/D=C:\Apps\Wextor5' >/dev/null 2>&1
check "the first install's Active list is beside the program" test -f "$dir/ActiveMailers.dat"
check "and not in the per-user folder" test ! -f "$local_data/ActiveMailers.dat"
for f in Wextor5.exe tips.dat DistInfo.Dat Wextor5.chm Uninstall.exe; do
    check "installed $f" test -f "$dir/$f"
done
check "start with Windows is set" bash -c "wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v 'Wextor 5' 2>/dev/null | grep -q 'Wextor5.exe'"
cmp -s "$BIN/Wextor5.exe" "$dir/Wextor5.exe"
check "the installed program is the one built" test $? -eq 0

(cd "$dir" && wine 'C:\Apps\Wextor5\Wextor5.exe' /s >/dev/null 2>&1 &)
check "the installed copy runs" poll 30 started_times 1

# Upgrade over the running copy: the installer asks it to end through Installer.Flg.
printf 'stale' >"$dir/tips.dat"
wine "$setup" /S '/D=C:\Apps\Wextor5' >/dev/null 2>&1
check "the running copy ended for the upgrade" poll 20 not_running
check "the files were replaced" cmp -s "$ROOT/dist/tips.dat" "$dir/tips.dat"
check "no Installer.Flg is left" test ! -f "$dir/Installer.Flg"

(cd "$dir" && wine 'C:\Apps\Wextor5\Wextor5.exe' /s >/dev/null 2>&1 &)
check "the upgraded copy runs" poll 30 started_times 2
# Uninstall in place (_?=) so that the call waits; it ends the running copy too.
wine 'C:\Apps\Wextor5\Uninstall.exe' /S '_?=C:\Apps\Wextor5' >/dev/null 2>&1
check "uninstall ended the running copy" poll 20 not_running
for f in Wextor5.exe tips.dat DistInfo.Dat Wextor5.chm; do
    check "removed $f" test ! -f "$dir/$f"
done
check "start with Windows is gone" bash -c "! wine reg query 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run' /v 'Wextor 5' >/dev/null 2>&1"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
