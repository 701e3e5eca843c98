# Shell helpers for end-to-end runs under Wine: sourced by tests/e2e/*_test.sh and scripts/demo.sh.
# Expects WEXTOR_WINE_DIR (the run's Wine folder) and ROOT (the repository) to be set.

# shellcheck disable=SC2034
E2E_FAILURES=0

e2e_env() {
    eval "$(bash "$ROOT/cmake/wine-run.sh" --env)"
    export WINEPREFIX WINEARCH WINEDEBUG DISPLAY WINELOADER WINESERVER PATH WEXTOR_WINE_ARCH
}

# Windows path of a Linux path inside the prefix's drive C, or a Z: path otherwise.
winpath() {
    local p
    p=$(readlink -f "$1")
    case "$p" in
    "$WINEPREFIX/drive_c"/*) p="C:${p#"$WINEPREFIX/drive_c"}" ;;
    *) p="Z:$p" ;;
    esac
    printf '%s' "${p//\//\\}"
}

# poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds or SECONDS pass.
poll() {
    local limit=$1 start
    shift
    start=$(date +%s%N)
    until "$@" 2>/dev/null; do
        if [ $(( ($(date +%s%N) - start) / 1000000 )) -ge $((limit * 1000)) ]; then
            return 1
        fi
        sleep 0.1
    done
}

# The X window id of Wine's system tray, once it shows.
tray_window() {
    xwininfo -root -tree 2>/dev/null | awk '/"Wine System Tray"/ {print $1; exit}'
}

# Clicks the Nth icon (from 1) of the tray, as a user would. Icons are square, as high as the
# tray window, left to right.
click_tray_icon() {
    local n=${1:-1} button=${2:-1} win geo x y w h
    win=$(tray_window)
    [ -n "$win" ] || return 1
    geo=$(xwininfo -id "$win" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
    read -r x y w h <<<"$geo"
    xdotool mousemove $((x + (n - 1) * h + h / 2)) $((y + h / 2))
    xdotool click "$button"
}

# A top-level window with this exact title exists (xdotool search by name).
window_shown() {
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# press TITLE KEY: presses the key in the window of that title, once it shows, through XTEST on
# the focused window as a user's keyboard would; succeeds when the window has gone.
press() {
    local w
    poll 30 window_shown "$1" || return 1
    w=$(xdotool search --onlyvisible --name "^$1\$" | head -1)
    xdotool windowfocus --sync "$w" key "$2" 2>/dev/null
    poll 10 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1"
}

screenshot() {
    import -window root "$1" 2>/dev/null
}

check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok - $what"
    else
        echo "FAILED - $what"
        E2E_FAILURES=$((E2E_FAILURES + 1))
    fi
}

# Wine keeps the tray's window, unmapped, once its last icon has gone: only a mapped tray holds
# an icon to click.
tray_shown() {
    xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1
}

# Processes of this prefix only whose command line matches PATTERN (other runs may use other
# prefixes on the same machine).
prefix_pids() {
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}
prefix_count() { prefix_pids "$1" | wc -l; }
# A process in a modal loop may outlive the first signal; the second cannot be refused.
prefix_kill() {
    local pids
    pids=$(prefix_pids "$1")
    [ -n "$pids" ] || return 0
    kill $pids 2>/dev/null
    poll 5 test "$(prefix_count "$1")" -eq 0 || kill -KILL $(prefix_pids "$1") 2>/dev/null
    return 0
}

# A settings file as text: Windows' profile files are UTF-16 once a value needs it (and the
# installer starts a new one that way).
ini_text() {
    if [ "$(head -c 2 "$1" 2>/dev/null | od -An -tx1 | tr -d ' ')" = fffe ]; then
        iconv -f UTF-16 -t UTF-8 "$1" | tr -d '\r'
    else
        tr -d '\r' <"$1"
    fi
}
