#!/usr/bin/env bash
# A real mouse click on the tray icon, through Wine's tray and X, reaches the program as
# OnClick. $1: the Windows build folder.
set -u
bin=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
eval "$(bash "$run" --env)" || exit 1
work=$(mktemp -d)
probe=
cleanup() {
    [ -n "$probe" ] && kill "$probe" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    cat "$work/probe.log" 2>/dev/null
    exit 1
}
# Waits up to $1 tenths of a second for the command that follows.
poll() {
    local n=$1
    shift
    for _ in $(seq "$n"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
tray_geometry() {
    local id
    id=$(xwininfo -root -tree | awk '/"Wine System Tray"/ {print $1; exit}')
    [ -n "$id" ] || return 1
    xwininfo -id "$id" 2>/dev/null | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Height:/ {h=$2} END {if (h) print x, y, h; else exit 1}'
}

cd "$work"
bash "$run" "$bin/win32_taskicon_test.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='TrayClickProbe.*' >probe.log 2>&1 &
probe=$!
poll 600 test -f ready || fail "the probe did not add its icon"

# The first icon sits at the tray's left edge and is as wide as the tray is high. Another
# test's icon may be there for a moment, so the click is repeated until ours is seen.
clicked=
for _ in $(seq 10); do
    if geometry=$(tray_geometry); then
        read -r x y h <<<"$geometry"
        xdotool mousemove $((x + h / 2)) $((y + h / 2)) click 1
        if poll 30 test -f clicked; then
            clicked=1
            break
        fi
    else
        sleep 0.5
    fi
done
[ -n "$clicked" ] || fail "no OnClick after clicking the tray icon ($(tray_geometry || echo no tray))"

poll 300 bash -c "! kill -0 $probe 2>/dev/null" || fail "the probe did not end"
wait "$probe"
rc=$?
probe=
[ $rc -eq 0 ] || fail "the probe failed ($rc)"
grep -q "PASSED" probe.log || fail "the probe did not pass"
# Its icon went with it: Wine drops the tray window once it holds no icon.
poll 100 bash -c '! xwininfo -root -tree | grep -q "\"Wine System Tray\""' ||
    echo "note: the tray window stays (another program's icon)"
echo "PASS: a click on the tray icon reached OnClick"
