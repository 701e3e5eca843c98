# Installs Wextor5.exe with the testbed into the current Wine prefix, as a user's machine would
# have it: sourced after e2e_env. BIN is the Windows build folder.
#   C:\Program Files\Wextor 5\   Wextor5.exe, tips.dat, DistInfo.Dat, SBM.EXE, ActiveMailers.dat
#   C:\MFD\                      the drivers and SELECTG.DAT (WIN.INI: Mail Form Drivers / Path)
#   C:\PGP\                      the PGP stand-in; Wextor5.INI: PGP / Mainexe

install_testbed() {
    local c="$WINEPREFIX/drive_c" app mfd pgp
    app="$c/Program Files/Wextor 5"
    mfd="$c/MFD"
    pgp="$c/PGP"
    rm -rf "$app" "$mfd" "$pgp"
    # Lists an earlier scenario left in the per-user folder would draw this copy's files there.
    local peruser="$c/users/$(id -un)/AppData/Local/Wextor 5"
    rm -f "$peruser/DebugLog.Txt" "$peruser/MailingList.dat" "$peruser/ActiveMailers.dat"
    mkdir -p "$app" "$mfd" "$pgp"
    cp "$BIN/Wextor5.exe" "$app/"
    cp "$ROOT/dist/tips.dat" "$app/"
    [ -f "$ROOT/dist/DistInfo.Dat" ] && cp "$ROOT/dist/DistInfo.Dat" "$app/"
    cp "$BIN/testbed/sbm/SBM.EXE" "$app/"
    cp "$BIN"/testbed/mfd/* "$mfd/"
    cp "$BIN"/testbed/pgp/PGP* "$pgp/"
    rm -f "$pgp"/PGPstub.log "$pgp"/PGPstub.keys "$pgp"/PGPstub.ini
    printf 'Demo Mail%200s%s\r\n' '' 'DEMOMFD.EXE' >"$app/ActiveMailers.dat"
    # WIN.INI and Wextor5.INI through the profile functions' own files in C:\windows.
    local ini="$c/windows/win.ini" wx="$c/windows/Wextor5.INI"
    touch "$ini"
    # Any earlier [Mail Form Drivers] section goes; the new one names C:\MFD.
    awk 'BEGIN { skip = 0 } /^\[/ { skip = ($0 ~ /^\[Mail Form Drivers\]/) } !skip' "$ini" >"$ini.new"
    printf '[Mail Form Drivers]\r\nPath=C:\\MFD\r\n' >>"$ini.new"
    mv "$ini.new" "$ini"
    printf '[PGP]\r\nMainexe=C:\\PGP\\PGPstub.exe\r\n[General]\r\nTipEnabled=0\r\n' >"$wx"
    WEXTOR_APP="$app"
    WEXTOR_APP_WIN='C:\Program Files\Wextor 5'
}
