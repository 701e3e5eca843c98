#!/usr/bin/env bash
# Runs a Windows program under Wine. All programs of one test run share one prefix, one Xvfb
# display and one persistent wineserver, made on first use: a new prefix costs ~20 s, a new
# wineserver a second or more, and each test binary should pay neither.
#   wine-run.sh PROGRAM.exe ARGS...   run it (exit code is the program's)
#   wine-run.sh --env                 print the environment to use for wine by hand
#   wine-run.sh --stop                end the wineserver and Xvfb of this run
# WEXTOR_WINE_ARCH is win32 or win64 (the build's; by default win32 where this machine runs
# 32-bit programs, else win64). The Wine loader is named by its architecture: Debian's
# /usr/bin/wine takes the 32-bit one whenever wine32 is installed, even where the kernel
# refuses it, so `wine`, `wineserver` and `wineboot` are small wrappers first on PATH.
set -u
. "$(dirname "$0")/../scripts/lib/arch.sh"
if [ -z "${WEXTOR_WINE_ARCH:-}" ]; then
    WEXTOR_WINE_ARCH=win64
    can_run_wine32 && WEXTOR_WINE_ARCH=win32
fi
dir=${WEXTOR_WINE_DIR:-${TMPDIR:-/tmp}/wextor-wine-$WEXTOR_WINE_ARCH-$(id -u)}
mkdir -p "$dir/bin"
case $WEXTOR_WINE_ARCH in
win64)
    loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 ;;
win32)
    loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32
    if ! can_run_wine32; then
        echo "wine-run: 32-bit Windows programs cannot run on this machine (no 32-bit Linux programs or no wine32)" >&2
        exit 125
    fi ;;
*)
    echo "wine-run: WEXTOR_WINE_ARCH must be win32 or win64" >&2
    exit 125 ;;
esac
[ -x "$server" ] || server=/usr/lib/wine/wineserver
# Tests start side by side: a wrapper another one is running is replaced by a rename, never
# rewritten in place ("Text file busy"), and only when it would change.
put_wrapper() {
    local file=$1 text=$2
    [ -f "$file" ] && [ "$(cat "$file")" = "$text" ] && return 0
    printf '%s\n' "$text" >"$file.$$" && chmod +x "$file.$$" && mv -f "$file.$$" "$file"
}
put_wrapper "$dir/bin/wine" "$(printf '#!/bin/sh\nexec %s "$@"' "$loader")"
put_wrapper "$dir/bin/wineserver" "$(printf '#!/bin/sh\nexec %s "$@"' "$server")"
put_wrapper "$dir/bin/wineboot" "$(printf '#!/bin/sh\nexec %s wineboot.exe "$@"' "$loader")"
export PATH="$dir/bin:$PATH" WINELOADER=$loader WINESERVER=$server
export WINEPREFIX="$dir/prefix" WINEARCH=$WEXTOR_WINE_ARCH WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# services.exe of this prefix (other prefixes on the machine have their own).
session_alive() {
    local p
    for p in $(pgrep -f 'C:\\windows\\system32\\services.exe'); do
        tr '\0' '\n' <"/proc/$p/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

x_alive() { [ -f "$dir/xvfb.pid" ] && kill -0 "$(cat "$dir/xvfb.pid")" 2>/dev/null; }
# WEXTOR_DISPLAY names a display to use instead of a private Xvfb (the demo on a desktop).
if [ -n "${WEXTOR_DISPLAY:-}" ]; then
    echo "$WEXTOR_DISPLAY" >"$dir/display"
    x_alive() { true; }
fi

if [ "${1:-}" = --stop ]; then
    [ -d "$WINEPREFIX" ] && wineserver -k >/dev/null 2>&1
    if x_alive; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null; fi
    rm -f "$dir/xvfb.pid" "$dir/display" "$dir/session-ready"
    exit 0
fi

# Runs in other folders choose their displays at the same time: one machine-wide lock, held
# until the new display answers, keeps two of them from taking the same number.
start_xvfb() {
    exec 8>"${TMPDIR:-/tmp}/wextor-xvfb.lock"
    flock 8
    local n=${WEXTOR_XVFB_FIRST:-90}
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 8>&- 9>&- &
    echo $! >"$dir/xvfb.pid"
    echo ":$n" >"$dir/display"
    local status=1
    for _ in $(seq 100); do
        if DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then status=0; break; fi
        sleep 0.1
    done
    exec 8>&- # nothing started later may hold the lock
    [ $status -eq 0 ] || echo "wine-run: Xvfb :$n did not start" >&2
    return $status
}

(
    flock 9
    x_alive || start_xvfb || exit 1
    export DISPLAY=$(cat "$dir/display")
    # The persistent wineserver comes first, and the session's own processes (services,
    # devices, the desktop) are started here with our output closed, so that they never hold
    # a caller's output pipe open (CTest waits for those pipes to close).
    setsid wineserver -p </dev/null >/dev/null 2>&1 9>&-
    if [ ! -f "$dir/prefix-ready" ]; then
        wineboot -i </dev/null >"$dir/wineboot.log" 2>&1 9>&-
        # Xvfb runs no window manager: with Wine's windows unmanaged, nothing waits 2 s for a
        # window manager's answer each time a window goes away.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$dir/wineboot.log" 2>&1 9>&-
        touch "$dir/prefix-ready"
    fi
    if [ ! -f "$dir/session-ready" ] || ! session_alive; then
        setsid wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
        touch "$dir/session-ready"
    fi
    exit 0
) 9>"$dir/lock" || exit 1

export DISPLAY=$(cat "$dir/display")
if [ "${1:-}" = --env ]; then
    echo "export WINEPREFIX='$WINEPREFIX' WINEARCH=$WINEARCH WINEDEBUG='$WINEDEBUG' DISPLAY='$DISPLAY'" \
        "WINELOADER='$WINELOADER' WINESERVER='$WINESERVER' PATH='$PATH' WEXTOR_WINE_ARCH=$WINEARCH"
    exit 0
fi
exec wine "$@"
