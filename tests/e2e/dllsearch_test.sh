#!/usr/bin/env bash
# Libraries come from System32 only: a version.dll or an hhctrl.ocx planted beside the program
# (as a download folder may hold them) is never loaded. The shipped programs import only DLLs
# that Windows always takes from System32 (its known DLLs, and comctl32 through the manifest);
# what they load by name they load from System32. Wine prefers its own DLLs; with the order
# Windows uses for a program's folder (native first) a planted DLL is taken, as a program that
# imports version.dll shows. A planted DLL that is loaded writes its path into
# C:\planted-loaded.txt. $1: the Windows build folder.
set -u
BIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix of its own: planted DLLs and Windows' load order must not reach the tests beside it.
export WEXTOR_WINE_DIR="$BIN/wine-dllsearch"
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/install-testbed.sh"
e2e_env
install_testbed
c="$WINEPREFIX/drive_c"
marker="$c/planted-loaded.txt"
log="$WEXTOR_APP/DebugLog.Txt"
cp "$BIN/Wextor5.chm" "$WEXTOR_APP/" 2>/dev/null
cp "$BIN/e2e-tools/planted.dll" "$WEXTOR_APP/version.dll"
cp "$BIN/e2e-tools/planted.dll" "$WEXTOR_APP/hhctrl.ocx"
cp "$BIN/e2e-tools/UniPeek.exe" "$WEXTOR_APP/"
overrides="mscoree,mshtml=;winemenubuilder.exe=d"
rm -f "$marker" "$log"

cleanup() {
    prefix_kill 'Wextor5.exe'
    prefix_kill 'hh.exe'
    rm -f "$WEXTOR_APP/version.dll" "$WEXTOR_APP/hhctrl.ocx" "$WEXTOR_APP/UniPeek.exe" "$marker"
    bash "$ROOT/cmake/wine-run.sh" --stop
}
trap cleanup EXIT

log_has() { grep -q -- "$1" "$log" 2>/dev/null; }

# What the programs import, read from their files.
case $WEXTOR_WINE_ARCH in win64) objdump=x86_64-w64-mingw32-objdump ;; *) objdump=i686-w64-mingw32-objdump ;; esac
known='^(ADVAPI32|COMCTL32|COMDLG32|GDI32|IMM32|KERNEL32|MSVCRT|OLE32|OLEAUT32|PSAPI|SHCORE|SHELL32|SHLWAPI|USER32|WS2_32)\.DLL$'
for exe in Wextor5.exe gpgbridge/GpgBridge.exe gpgbridge/PGPKeys.Exe gpgbridge/PGPTray.Exe \
    mfdpack/FRONTMFD.EXE mfdpack/NPADMFD.EXE; do
    others=$("$objdump" -p "$BIN/$exe" | awk '/DLL Name:/ {print toupper($3)}' | grep -Ev "$known")
    check "$exe imports only DLLs Windows takes from System32${others:+ (not: $others)}" test -z "$others"
done

# The trap is set: a program that imports version.dll takes the planted one.
(cd "$WEXTOR_APP" && WINEDLLOVERRIDES="$overrides;version=n,b" wine ./UniPeek.exe /version 'C:\windows\notepad.exe' >/dev/null 2>&1)
check "a program that imports version.dll takes the planted one (the trap is set)" \
    grep -q 'version.dll' "$marker"
rm -f "$marker"

# Wextor 5 loads the help engine by name: the planted one beside it must not be taken.
export WINEDLLOVERRIDES="$overrides;hhctrl.ocx=n,b"
(cd "$WEXTOR_APP" && wine ./Wextor5.exe /s >/dev/null 2>&1 &)
check "Wextor 5 starts" poll 30 log_has "Started Wextor 5"
check "PGP's version is read (version.dll from System32)" log_has "Using  PGP for Windows (stand-in) V5.0.3"
poll 20 tray_shown
click_tray_icon 1 3
check "the properties window opens" poll 20 window_shown "Wextor 5"
w=$(xdotool search --onlyvisible --name '^Wextor 5$' | head -1)
xdotool windowfocus --sync "$w" key F1 2>/dev/null
helpshown() { wine "$BIN/e2e-tools/UniPeek.exe" /title 'HH Parent' "$(winpath "$c/hh-title.txt")" >/dev/null 2>&1; }
check "F1 opens the help (hhctrl.ocx from System32)" poll 20 helpshown
check "the planted hhctrl.ocx was not loaded" test ! -e "$marker"
[ -e "$marker" ] && cat "$marker"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
