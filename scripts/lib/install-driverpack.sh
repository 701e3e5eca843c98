# Puts the driver pack beside the installed Wextor5.exe (its MFD folder) with no driver folder
# in WIN.INI and "Any program" active: sourced after install_testbed. Sets WEXTOR_PACK.
install_driverpack() {
    local ini="$WINEPREFIX/drive_c/windows/win.ini"
    WEXTOR_PACK="$WEXTOR_APP/MFD"
    mkdir -p "$WEXTOR_PACK"
    cp "$BIN"/mfdpack/FRONTMFD.EXE "$BIN"/mfdpack/NPADMFD.EXE "$BIN"/mfdpack/SELECTG.DAT "$WEXTOR_PACK/"
    awk 'BEGIN { skip = 0 } /^\[/ { skip = ($0 ~ /^\[Mail Form Drivers\]/) } !skip' "$ini" >"$ini.new"
    mv "$ini.new" "$ini"
    printf 'Any program (the window in front)%200s%s\r\n' '' 'FRONTMFD.EXE' >"$WEXTOR_APP/ActiveMailers.dat"
}

# The X window of a Wine program's main window, once it shows, by the window's title.
x_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

# Moves the window off Wine's tray (top left, where new windows also come up without a window
# manager), so that a click on the tray icon reaches the icon.
clear_of_tray() {
    local w
    w=$(x_window "$1")
    [ -n "$w" ] && xdotool windowmove --sync "$w" "${2:-200}" "${3:-100}" 2>/dev/null
}

# type_into TITLE TEXT: real key presses into the window, as a user types.
type_into() {
    local w
    w=$(x_window "$1")
    [ -n "$w" ] || return 1
    xdotool windowfocus --sync "$w" 2>/dev/null
    xdotool type --delay 15 "$2"
}

# press_in TITLE KEYS: a click into the window (a user comes back to it after Wextor's run, which
# leaves another window active), then the keys.
press_in() {
    local w geo x y wd ht
    w=$(x_window "$1")
    [ -n "$w" ] || return 1
    geo=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
    read -r x y wd ht <<<"$geo"
    xdotool mousemove $((x + wd / 2)) $((y + ht / 2)) click 1
    xdotool windowfocus --sync "$w" key "$2" 2>/dev/null
}
