#!/usr/bin/env bash
# Two builds of one source, from other folders and at another time, give the same bytes: the
# drivers, the bridge's launchers and the help files are built once more from a copy of the
# source elsewhere, with the configuration of this build, and compared with this build's; the
# portable zip made twice from files of different times is the same too. $1: the Windows build.
set -u
BIN=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/release.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/wextor-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT

cache() { sed -n "s/^$1:[A-Z]*=//p" "$BIN/CMakeCache.txt"; }
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(cache WEXTOR_SOURCE_DATE_EPOCH_USED)
# The source files (those git would take), at another path (no .git: the time comes from the build's).
mkdir -p "$work/other source"
(cd "$ROOT" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$work/other source")
toolchain=$(basename "$(cache CMAKE_TOOLCHAIN_FILE)")
cmake -S "$work/other source" -B "$work/other build" -DCMAKE_BUILD_TYPE="$(cache CMAKE_BUILD_TYPE)" \
      -DCMAKE_TOOLCHAIN_FILE="$work/other source/cmake/$toolchain" >"$work/configure.log" 2>&1 ||
    { cat "$work/configure.log"; exit 1; }
files=(mfdpack/FRONTMFD.EXE mfdpack/NPADMFD.EXE gpgbridge/PGPKeys.Exe gpgbridge/PGPTray.Exe)
targets=(FRONTMFD NPADMFD bridge_PGPKeys bridge_PGPTray)
if [ -f "$BIN/Wextor5.chm" ]; then
    files+=(Wextor5.chm gpgbridge/PGPBridge.chm)
    targets+=(helpfile bridge_helpfile)
fi
nice -n 10 cmake --build "$work/other build" -j"$(nproc)" --target "${targets[@]}" >"$work/build.log" 2>&1 ||
    { tail -30 "$work/build.log"; exit 1; }
for f in "${files[@]}"; do
    check "$f is the same from another folder" cmp "$BIN/$f" "$work/other build/$f"
done
no_paths() { ! (cd "$BIN" && grep -l -a -F -e "$ROOT" -e "$BIN" "${files[@]}"); }
check "no build or source folder's name in the programs" no_paths

setup=$(ls -d "$BIN"/Wextor5-Setup*-files 2>/dev/null | head -1)
if [ -n "$setup" ]; then
    printf 'readme\r\n' >"$work/readme.txt"
    portable_zip "$setup" "$work/one.zip" "$work/readme.txt"
    # The same files with other times and modes: the zip must not keep them.
    cp -r "$setup" "$work/files"
    find "$work/files" "$work/readme.txt" -exec touch -d '2001-02-03 04:05:06' {} +
    chmod -R u+x "$work/files"
    portable_zip "$work/files" "$work/two.zip" "$work/readme.txt"
    check "the portable zip is the same from files of other times" cmp "$work/one.zip" "$work/two.zip"
    check "the zip holds the installed layout" bash -c \
        "unzip -Z1 '$work/one.zip' | grep -qx 'Wextor 5/MFD/FRONTMFD.EXE' &&
         unzip -Z1 '$work/one.zip' | grep -qx 'Wextor 5/GnuPG bridge/GpgBridge.exe'"
else
    echo "# no installer files (NSIS missing): the zip is not checked"
fi

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
