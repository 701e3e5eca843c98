# Helpers of the release: PE files in the form signing leaves them, Authenticode signatures,
# the portable zip. Sourced by installer/build-setup.sh, scripts/release.sh, scripts/sign.sh,
# scripts/pe-normalize.sh and the release's tests.

# Succeeds when a code-signing certificate is given: WEXTOR_SIGN_CERT with WEXTOR_SIGN_KEY (PEM),
# or WEXTOR_SIGN_CERT alone as a PKCS#12 file (.p12/.pfx), WEXTOR_SIGN_PASS its password.
signing_wanted() { [ -n "${WEXTOR_SIGN_CERT:-}" ]; }

# pe_normalize FILE: pads a PE file with zeros to a multiple of 8 bytes and writes its PE
# checksum, as osslsigncode's remove-signature leaves a file. A signed release with its
# signatures removed then has exactly the bytes of the unsigned one.
pe_normalize() {
    local f=$1 size pad off sum
    size=$(stat -c %s "$f")
    pad=$(( (8 - size % 8) % 8 ))
    [ "$pad" -gt 0 ] && head -c "$pad" /dev/zero >>"$f"
    size=$((size + pad))
    off=$(( $(od -An -tu4 -j60 -N4 "$f" | tr -d ' ') + 88 )) # e_lfanew, PE signature, COFF header, 64
    # The sum of all 16-bit words but the checksum's own, carries folded back, plus the length.
    sum=$(od -An -v -tu2 -w16 "$f" | awk -v skip=$((off / 2)) '
        { for (i = 1; i <= NF; i++) { if (n != skip && n != skip + 1) s += $i; n++ } }
        END { while (s > 65535) s = (s % 65536) + int(s / 65536); printf "%d", s }')
    sum=$((sum + size))
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((sum & 255)) $((sum >> 8 & 255)) \
        $((sum >> 16 & 255)) $((sum >> 24 & 255)))" |
        dd of="$f" bs=1 seek="$off" conv=notrunc status=none
}

# sign_file FILE: signs FILE in place with Authenticode (SHA-256). The signing time is
# SOURCE_DATE_EPOCH, so the same key signs the same file to the same bytes; a time stamp
# (WEXTOR_SIGN_TIMESTAMP, an RFC 3161 server's URL) needs the network and makes them differ.
sign_file() {
    local f=$1 args=(sign -h sha256 -n "Wextor 5")
    case "${WEXTOR_SIGN_CERT,,}" in
    *.p12 | *.pfx) args+=(-pkcs12 "$WEXTOR_SIGN_CERT") ;;
    *) args+=(-certs "$WEXTOR_SIGN_CERT" -key "${WEXTOR_SIGN_KEY:?WEXTOR_SIGN_KEY names the key of WEXTOR_SIGN_CERT}") ;;
    esac
    [ -n "${WEXTOR_SIGN_PASS:-}" ] && args+=(-pass "$WEXTOR_SIGN_PASS")
    [ -n "${SOURCE_DATE_EPOCH:-}" ] && args+=(-time "$SOURCE_DATE_EPOCH")
    [ -n "${WEXTOR_SIGN_TIMESTAMP:-}" ] && args+=(-ts "$WEXTOR_SIGN_TIMESTAMP")
    rm -f "$f.signed" # osslsigncode writes no file that exists
    osslsigncode "${args[@]}" -in "$f" -out "$f.signed" >"$f.signlog" 2>&1 ||
        { cat "$f.signlog" >&2; rm -f "$f.signed" "$f.signlog"; return 1; }
    rm -f "$f.signlog"
    mv -f "$f.signed" "$f"
}

# stamp_tree DIR: every file and folder below DIR gets the time SOURCE_DATE_EPOCH, when it is set.
stamp_tree() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        find "$1" -print0 | xargs -0 env TZ=UTC touch -h -d "@$SOURCE_DATE_EPOCH"
    fi
}

# ship_program FILE: a program as it ships, padded and checksummed, and signed when wanted.
ship_program() {
    pe_normalize "$1"
    if signing_wanted; then sign_file "$1"; fi
}

# portable_zip FILES ZIP README: the installed folder without the installer, "Wextor 5\" at the
# top of the zip: the files of the installer's FILES/layout.txt where it puts them,
# ActiveMailers.dat as a first install writes it ("Any program" active) and the text README as
# README.txt. Names in order, each file with the time SOURCE_DATE_EPOCH, no owners or extra times.
portable_zip() {
    local files=$1 zip=$2 readme=$3 tmp dest staged
    tmp=$(mktemp -d)
    mkdir -p "$tmp/Wextor 5"
    while IFS=$'\t' read -r dest staged; do
        mkdir -p "$tmp/Wextor 5/$(dirname "$dest")"
        cp "$files/$staged" "$tmp/Wextor 5/$dest"
    done <"$files/layout.txt"
    printf 'Any program (the window in front)%200s%s\r\n' '' 'FRONTMFD.EXE' >"$tmp/Wextor 5/ActiveMailers.dat"
    cp "$readme" "$tmp/Wextor 5/README.txt"
    find "$tmp" -type f -exec chmod 644 {} +
    stamp_tree "$tmp"
    rm -f "$zip"
    (cd "$tmp" && find "Wextor 5" -type f | LC_ALL=C sort | TZ=UTC zip -X -D -9 -q "$zip" -@)
    local rc=$?
    rm -rf "$tmp"
    return $rc
}
