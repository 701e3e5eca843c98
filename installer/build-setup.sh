#!/usr/bin/env bash
# Builds the installer from the files it installs, gathered first into one folder:
#   build-setup.sh NSI BIN DIST SRC VERSION OUT [-DX64]
# FOLDER (OUT without .exe, plus "-files") holds bin/ and dist/, the files the script's File lines
# name under ${BIN} and ${DIST}, and layout.txt, each file's place in the installed folder
# ("MFD/FRONTMFD.EXE<TAB>bin/mfdpack/FRONTMFD.EXE"), which the portable zip follows.
# The files get the time SOURCE_DATE_EPOCH (the installer keeps each file's time); programs and
# installer are padded and checksummed as signing leaves them, and signed when WEXTOR_SIGN_CERT
# is set (scripts/lib/release.sh), the uninstaller too.
set -euo pipefail
nsi=$1 bin=$2 dist=$3 src=$4 version=$5 out=$6
shift 6
. "$src/scripts/lib/release.sh"
files=${out%.exe}-files
rm -rf "$files"
mkdir -p "$files"

# SetOutPath "$INSTDIR\X" sets where the following File "${BIN}\Y" lines go.
awk '
/^[ \t]*SetOutPath / { d = $0; sub(/^[^"]*"\$INSTDIR/, "", d); sub(/".*/, "", d); sub(/^\\/, "", d) }
/^[ \t]*File "\$\{(BIN|DIST)\}\\/ {
    f = $0; sub(/^[^"]*"\$\{/, "", f); sub(/".*/, "", f)
    kind = tolower(substr(f, 1, index(f, "}") - 1)); f = substr(f, index(f, "}") + 2)
    name = f; sub(/.*\\/, "", name)
    dest = (d == "" ? name : d "\\" name)
    gsub(/\\/, "/", dest); gsub(/\\/, "/", f)
    print dest "\t" kind "/" f
}' "$nsi" >"$files/layout.txt"

while IFS=$'\t' read -r dest staged; do
    from=$([ "${staged%%/*}" = bin ] && echo "$bin" || echo "$dist")/${staged#*/}
    mkdir -p "$files/$(dirname "$staged")"
    cp "$from" "$files/$staged"
    chmod 644 "$files/$staged"
    case "${staged,,}" in
    *.exe) ship_program "$files/$staged" ;;
    esac
done <"$files/layout.txt"
stamp_tree "$files"

sign_uninstaller=()
if signing_wanted; then
    sign_uninstaller=("-DSIGN_UNINSTALLER=$src/scripts/sign.sh")
fi
makensis -V2 "$@" "-DVERSION=$version" "-DBIN=$files/bin" "-DDIST=$files/dist" "-DSRC=$src" \
    "-DOUT=$out" "${sign_uninstaller[@]}" "$nsi"
ship_program "$out"
