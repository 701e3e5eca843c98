# What this machine can run. Some kernels refuse every 32-bit Linux program ("32-bit emulation
# disabled"), and then 32-bit Wine cannot start, whatever packages are installed; 64-bit Wine
# runs on every x86-64 Linux. Sourced by the install step, the Wine runner and the scripts.

# A 96-byte static 32-bit Linux program whose only job is exit(42): an ELF header, one program
# header and three instructions (mov eax,1; mov ebx,42; int 0x80). Written byte for byte so
# that the probe needs no assembler.
_probe32_bytes='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00'\
'\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'

# Succeeds when this kernel runs 32-bit Linux programs. WEXTOR_NO32=1 answers no whatever the
# kernel does, to prove the 64-bit-only path on a machine that could run both.
can_run_32bit() {
    [ -n "${WEXTOR_NO32:-}" ] && return 1
    if [ -z "${_wextor_can32:-}" ]; then
        local f rc=0
        f=$(mktemp "${TMPDIR:-/tmp}/probe32.XXXXXX")
        printf "$_probe32_bytes" >"$f"
        chmod +x "$f"
        "$f" 2>/dev/null || rc=$?
        rm -f "$f"
        _wextor_can32=$([ $rc -eq 42 ] && echo yes || echo no)
    fi
    [ "$_wextor_can32" = yes ]
}

# Succeeds when 32-bit Windows programs can run here: the kernel runs 32-bit programs and the
# 32-bit Wine loader (package wine32:i386) is installed.
can_run_wine32() {
    can_run_32bit && [ -x /usr/lib/wine/wine ]
}

# The Windows architectures this machine tests, in build order: WEXTOR_ARCHS when set (a list
# of i686 and x86_64), else x86_64, with i686 first where 32-bit Wine runs.
tested_archs() {
    if [ -n "${WEXTOR_ARCHS:-}" ]; then
        echo "$WEXTOR_ARCHS" | tr ',' ' '
    elif can_run_wine32; then
        echo "i686 x86_64"
    else
        echo "x86_64"
    fi
}

# Build folder and toolchain file of an architecture.
arch_build_dir() { [ "$1" = i686 ] && echo build/win32 || echo build/win64; }
arch_toolchain() { [ "$1" = i686 ] && echo cmake/toolchain-mingw32.cmake || echo cmake/toolchain-mingw64.cmake; }
