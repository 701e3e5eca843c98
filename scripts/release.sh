#!/usr/bin/env bash
# Makes a release of the committed state (HEAD; changes not committed are left out):
#   scripts/release.sh [OUTDIR]        (default build/release/out)
# OUTDIR gets both installers (Wextor5-Setup.exe, 32-bit; Wextor5-Setup-x64.exe), a portable zip
# per architecture (Wextor5-Portable.zip, Wextor5-Portable-x64.zip: the installed folder without
# the installer), README.txt and SHA256SUMS. Two runs on one commit give the same bytes.
# WEXTOR_RELEASE_BUILD names the folder of its sources and builds (default build/release, made
# anew); WEXTOR_RELEASE_ARCHS the architectures (default "i686 x86_64"). With WEXTOR_SIGN_CERT
# (see scripts/lib/release.sh) every program, driver, installer and uninstaller is signed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh
out=$(mkdir -p "${1:-build/release/out}" && cd "${1:-build/release/out}" && pwd)
work=${WEXTOR_RELEASE_BUILD:-$root/build/release}
mkdir -p "$work"
work=$(cd "$work" && pwd)
archs=${WEXTOR_RELEASE_ARCHS:-i686 x86_64}
start=$(date +%s)

commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "== note: the working tree has changes that are not committed; the release is of $commit alone"
fi
src=$work/src
rm -rf "$src"
mkdir -p "$src"
git archive --format=tar HEAD | tar -x -C "$src"
. "$src/scripts/lib/release.sh"
version=$(sed -n 's/^project(Wextor5 VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
if signing_wanted; then
    signed="Signed: every program, driver, installer and uninstaller carries an Authenticode signature
($(openssl x509 -noout -subject -in "$WEXTOR_SIGN_CERT" 2>/dev/null || echo "certificate $(basename "$WEXTOR_SIGN_CERT")"))."
    echo "== signing with $WEXTOR_SIGN_CERT${WEXTOR_SIGN_TIMESTAMP:+, time stamps from $WEXTOR_SIGN_TIMESTAMP}"
else
    signed="Unsigned: no code-signing certificate was given for this release. Windows SmartScreen
shows \"Windows protected your PC\" at the first start; check the file's SHA-256 against
SHA256SUMS first, then choose More info and Run anyway."
    echo "== unsigned release: no WEXTOR_SIGN_CERT given"
fi

# The readme of the release and of each zip.
readme() { # readme ZIPNAME ARCHNAME
    {
        printf 'Wextor 5, version %s, %s\n' "$version" "$2"
        printf 'Built from commit %s (%s UTC).\n\n' "$commit" "$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M')"
        if [ -n "$1" ]; then
            cat <<TEXT
This is the folder the installer makes, without the installer: unpack it where you may write
(say, C:\\Tools\\Wextor 5) and start Wextor5.exe. Nothing goes into the registry.

  Wextor5.exe         the program; Wextor5.chm its help; tips.dat, DistInfo.Dat
  ActiveMailers.dat   "Any program (the window in front)" active, as a first install makes it
  MFD\\                the Mail Form Drivers and their catalogue SELECTG.DAT
  GnuPG bridge\\       GpgBridge.exe, PGPKeys.Exe, PGPTray.Exe: PGP with Gpg4win's GnuPG

Name the PGP program once, with Wextor 5 stopped: in Wextor5.INI in the Windows folder (or
%APPDATA%\\Wextor 5\\Wextor5.INI), section [PGP], Mainexe=<this folder>\\GnuPG bridge\\GpgBridge.exe
To update, unpack a newer zip over this folder; your ActiveMailers.dat is then the zip's again.

TEXT
        else
            case " $archs " in *" i686 "*) cat <<'TEXT' ;; esac
  Wextor5-Setup.exe          installer, 32-bit program (runs on every Windows)
  Wextor5-Portable.zip       the installed folder without the installer, 32-bit
TEXT
            case " $archs " in *" x86_64 "*) cat <<'TEXT' ;; esac
  Wextor5-Setup-x64.exe      installer, 64-bit program
  Wextor5-Portable-x64.zip   the installed folder without the installer, 64-bit
TEXT
            printf '  SHA256SUMS                 the SHA-256 of each file\n\n'
        fi
        printf '%s\n\n' "$signed"
        cat <<'TEXT'
Check a download against SHA256SUMS: "sha256sum -c SHA256SUMS --ignore-missing" on Linux, or in
PowerShell "Get-FileHash Wextor5-Setup.exe" (SHA256) and compare with its line. A signature:
the file's Properties > Digital Signatures, or "osslsigncode verify FILE".
TEXT
    } | sed 's/$/\r/'
}

rm -f "$out/SHA256SUMS"
for arch in $archs; do
    case $arch in
    i686) setup=Wextor5-Setup.exe zip=Wextor5-Portable.zip toolchain=toolchain-mingw32.cmake name="32-bit" ;;
    x86_64) setup=Wextor5-Setup-x64.exe zip=Wextor5-Portable-x64.zip toolchain=toolchain-mingw64.cmake name="64-bit" ;;
    *) echo "release: unknown architecture $arch" >&2; exit 2 ;;
    esac
    b=$work/$arch
    echo "== $arch: building in $b"
    rm -rf "$b"
    cmake -S "$src" -B "$b" -DCMAKE_BUILD_TYPE=Release -DWEXTOR_WERROR=ON -DWEXTOR_REPRODUCIBLE=ON \
          -DCMAKE_TOOLCHAIN_FILE="$src/cmake/$toolchain" >"$work/$arch-configure.log"
    nice -n 10 cmake --build "$b" -j"$(nproc)" --target installer >"$work/$arch-build.log" 2>&1 ||
        { tail -30 "$work/$arch-build.log" >&2; exit 1; }
    cp "$b/$setup" "$out/$setup"

    # The zip: the files as the installer lays them out.
    readme "$zip" "$name, portable" >"$work/README-$arch.txt"
    portable_zip "$b/${setup%.exe}-files" "$out/$zip" "$work/README-$arch.txt"
done
readme "" "release" >"$out/README.txt"
(cd "$out" && ls -1 Wextor5-Setup*.exe Wextor5-Portable*.zip README.txt | LC_ALL=C sort |
    xargs sha256sum >SHA256SUMS)
echo "== release of $commit ($version) in $out, $(( $(date +%s) - start )) s:"
(cd "$out" && cat SHA256SUMS)
