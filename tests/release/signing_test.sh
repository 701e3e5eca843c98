#!/usr/bin/env bash
# Signing with a certificate made here (self-signed, so it is its own CA): the installer is built
# signed from this build's files; every program in it, the installer and the uninstaller it writes
# pass osslsigncode verify; a byte changed after signing fails; a signature removed gives back
# the unsigned file exactly; the same key signs to the same bytes; a PKCS#12 file with a password
# signs too. No time stamp: that needs a server. $1: the Windows build folder.
set -u
BIN=$(cd "$1" && pwd)
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
export WEXTOR_WINE_DIR="$BIN/wine-signing"
. "$ROOT/scripts/lib/e2e.sh"
. "$ROOT/scripts/lib/release.sh"
unsigned=$(ls -d "$BIN"/Wextor5-Setup*-files 2>/dev/null | head -1)
if [ -z "$unsigned" ] || ! command -v osslsigncode >/dev/null; then
    echo "# no installer files (NSIS missing) or no osslsigncode: nothing to sign"
    exit 0
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/wextor-sign.XXXXXX")
cleanup() {
    bash "$ROOT/cmake/wine-run.sh" --stop
    rm -rf "$work" "$WEXTOR_WINE_DIR"
}
trap cleanup EXIT
cache() { sed -n "s/^$1:[A-Z]*=//p" "$BIN/CMakeCache.txt"; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Wextor 5 test signer" \
    -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export WEXTOR_SIGN_CERT="$work/cert.pem" WEXTOR_SIGN_KEY="$work/key.pem" WEXTOR_SIGN_TIMESTAMP=
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(cache WEXTOR_SOURCE_DATE_EPOCH_USED)
setup_name=$(basename "${unsigned%-files}").exe
arch=()
[ "$setup_name" = Wextor5-Setup-x64.exe ] && arch=(-DX64)
setup="$work/signed/$setup_name"
check "the installer builds signed" bash "$ROOT/installer/build-setup.sh" "$ROOT/installer/Wextor5.nsi" "$BIN" \
    "$ROOT/dist" "$ROOT" "$(cache CMAKE_PROJECT_VERSION)" "$setup" "${arch[@]}"
signed=${setup%.exe}-files

verified() { osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1; }
programs=$(cd "$signed" && find . -iname '*.exe' | sort)
check "the installer holds programs" test -n "$programs"
for p in $programs; do
    check "$p: signature verified" verified "$signed/$p"
    rm -f "$work/removed.exe" # osslsigncode writes no file that exists
    osslsigncode remove-signature -in "$signed/$p" -out "$work/removed.exe" >/dev/null 2>&1
    check "$p: without its signature, the unsigned file byte for byte" cmp "$work/removed.exe" "$unsigned/$p"
done
check "the installer: signature verified" verified "$setup"

# Changed after signing: a byte of the code, a byte of the installer's packed files. The byte is
# turned into another one (its bits inverted): written as a fixed letter it may have been that
# letter already, and the packed files differ from run to run with the key made here.
flip_byte() { # flip_byte FILE OFFSET
    local old
    old=$(od -An -tu1 -j"$2" -N1 "$1" | tr -d ' ')
    printf "$(printf '\\x%02x' $((old ^ 255)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
cp "$signed/bin/Wextor5.exe" "$work/changed.exe"
flip_byte "$work/changed.exe" 2000
check "a program changed after signing fails verification" bash -c "! osslsigncode verify -CAfile '$work/cert.pem' -in '$work/changed.exe' >/dev/null 2>&1"
cp "$setup" "$work/changed-setup.exe"
flip_byte "$work/changed-setup.exe" $(( $(stat -c %s "$setup") / 2 ))
check "an installer changed after signing fails verification" bash -c "! osslsigncode verify -CAfile '$work/cert.pem' -in '$work/changed-setup.exe' >/dev/null 2>&1"

# The same key, the same time: the same bytes.
cp "$unsigned/bin/Wextor5.exe" "$work/again.exe"
sign_file "$work/again.exe"
check "signing again gives the same bytes" cmp "$work/again.exe" "$signed/bin/Wextor5.exe"

openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:secret -out "$work/cert.p12"
cp "$unsigned/bin/gpgbridge/PGPKeys.Exe" "$work/p12.exe"
WEXTOR_SIGN_CERT="$work/cert.p12" WEXTOR_SIGN_KEY= WEXTOR_SIGN_PASS=secret sign_file "$work/p12.exe"
check "a PKCS#12 file with its password signs" verified "$work/p12.exe"

# The uninstaller exists only once the installer has run: a prefix of its own.
bash "$ROOT/cmake/wine-run.sh" --stop
rm -rf "$WEXTOR_WINE_DIR"
e2e_env
wine "$setup" /S '/D=C:\Signed' >/dev/null 2>&1
uninstaller="$WINEPREFIX/drive_c/Signed/Uninstall.exe"
check "the signed installer installs" poll 60 test -s "$uninstaller"
check "the uninstaller it writes: signature verified" verified "$uninstaller"
check "the installed program is the signed one" cmp "$WINEPREFIX/drive_c/Signed/Wextor5.exe" "$signed/bin/Wextor5.exe"

echo "$E2E_FAILURES failed"
exit "$E2E_FAILURES"
