#!/usr/bin/env bash
# A real mouse click on the tray icon, through Wine's tray and X, reaches the program as
# OnClick. $1: the Windows build folder.
set -u
bin=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/lib/e2e.sh
. "$ROOT/scripts/lib/e2e.sh"
e2e_env
work=$(mktemp -d)
probe=
cleanup() {
    [ -n "$probe" ] && kill "$probe" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAILED - $*"
    cat "$work/probe.log" 2>/dev/null
    exit 1
}

tray_shown() { [ -n "$(tray_window)" ]; }
tray_gone() { [ -z "$(tray_window)" ]; }

cd "$work"
bash "$ROOT/cmake/wine-run.sh" "$bin/win32_taskicon_test.exe" --gtest_also_run_disabled_tests \
    --gtest_filter='TrayClickProbe.*' >probe.log 2>&1 &
probe=$!
poll 60 test -f ready || fail "the probe did not add its icon"
poll 20 tray_shown || fail "no tray window"

# Ours is the first icon, unless another test's icon is there for a moment: the click is
# repeated until ours has been seen.
clicked=
for _ in $(seq 10); do
    click_tray_icon 1 1 || sleep 0.5
    if poll 3 test -f clicked; then
        clicked=1
        break
    fi
done
[ -n "$clicked" ] || fail "no OnClick after clicking the tray icon"
echo "ok - a click on the tray icon reached OnClick"

poll 30 bash -c "! kill -0 $probe" || fail "the probe did not end"
wait "$probe"
rc=$?
probe=
[ $rc -eq 0 ] && grep -q "PASSED" probe.log || fail "the probe failed ($rc)"
# Its icon went with it: Wine drops the tray window once it holds no icon.
if poll 10 tray_gone; then
    echo "ok - the icon went with the program"
else
    echo "note: the tray window stays (another program's icon)"
fi
