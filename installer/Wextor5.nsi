; Installer for Wextor 5. Built by the Windows build when makensis is at hand:
;   makensis -DVERSION=<version> -DBIN=<build folder> -DDIST=<dist folder> -DOUT=<setup exe> Wextor5.nsi
;   -DX64 builds Wextor5-Setup-x64.exe, the 64-bit program; -DSIGN_UNINSTALLER=<scripts/sign.sh>
;   signs the uninstaller. installer/build-setup.sh gathers the files first and runs this.
; Silent use: Wextor5-Setup.exe /S [/AUTOSTART] [/D=C:\folder]

!ifdef X64
Target amd64-unicode
!else
Unicode true
!endif
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

; A new settings file starts as UTF-16, so that Windows keeps a path of any letters in it (it
; writes a file it creates in the ANSI code page otherwise).
!macro UnicodeIni FILE
    ${IfNot} ${FileExists} "${FILE}"
        ClearErrors
        FileOpen $9 "${FILE}" w
        ${IfNot} ${Errors}
            FileWriteWord $9 0xFEFF
            FileClose $9
        ${EndIf}
    ${EndIf}
!macroend

!define ACTIVE_GAP "                                                                                                                                                                                                        "

Name "Wextor 5"
OutFile "${OUT}"
; A per-user install: the user may write there, so no elevation, and the program keeps its
; files beside it as it always did.
InstallDir "$LOCALAPPDATA\Programs\Wextor 5"
InstallDirRegKey HKCU "Software\Wextor 5" "InstallDir"
RequestExecutionLevel user
SetCompressor /SOLID lzma
; A signed release signs the uninstaller before it goes into the installer.
!ifdef SIGN_UNINSTALLER
!uninstfinalize 'bash "${SIGN_UNINSTALLER}" "%1"' = 0
!endif

Var AutoStart

!define MUI_ICON "${SRC}\src\res\Wextor5.ico"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wextor5.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running copy holds the mutex named after its file. Ask it to end through "Installer.Flg"
; (it looks every 6 s) and wait up to 30 s for it.
!macro EndRunningCopy
    System::Call 'kernel32::OpenMutexA(i 0x00100000, i 0, m "Wextor5.exe") p .r0'
    ${If} $0 <> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        DetailPrint "Asking the running Wextor 5 to end"
        FileOpen $1 "$INSTDIR\Installer.Flg" w
        FileClose $1
        StrCpy $2 0
        ${Do}
            Sleep 500
            IntOp $2 $2 + 1
            System::Call 'kernel32::OpenMutexA(i 0x00100000, i 0, m "Wextor5.exe") p .r0'
            ${If} $0 = 0
                ${Break}
            ${EndIf}
            System::Call 'kernel32::CloseHandle(p r0)'
        ${LoopUntil} $2 >= 60
        Delete "$INSTDIR\Installer.Flg"
    ${EndIf}
!macroend

Function .onInit
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/AUTOSTART" $R1
    ${IfNot} ${Errors}
        StrCpy $AutoStart 1
    ${EndIf}
FunctionEnd

Section "Wextor 5 (required)" SecMain
    SectionIn RO
    SetOutPath "$INSTDIR"
    !insertmacro EndRunningCopy
    File "${BIN}\Wextor5.exe"
    File "${DIST}\tips.dat"
    File "${DIST}\DistInfo.Dat"
    File "${BIN}\Wextor5.chm"
    WriteRegStr HKCU "Software\Wextor 5" "InstallDir" "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wextor 5" "DisplayName" "Wextor 5"
    WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wextor 5" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wextor 5" "DisplayVersion" "${VERSION}"
    CreateDirectory "$SMPROGRAMS\Wextor 5"
    CreateShortcut "$SMPROGRAMS\Wextor 5\Wextor 5.lnk" "$INSTDIR\Wextor5.exe"
    CreateShortcut "$SMPROGRAMS\Wextor 5\Uninstall Wextor 5.lnk" "$INSTDIR\Uninstall.exe"
    ${If} $AutoStart == 1
        WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Wextor 5" '"$INSTDIR\Wextor5.exe" /s'
    ${EndIf}
SectionEnd

Section /o "Start Wextor 5 with Windows" SecAutoStart
    WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Wextor 5" '"$INSTDIR\Wextor5.exe" /s'
SectionEnd

; The first entry of the Active list, as Wextor 5 stores it: display name, 200 blanks, driver.
!define ANY_PROGRAM "Any program (the window in front)${ACTIVE_GAP}FRONTMFD.EXE"

; Where Wextor 5 keeps the user's lists: beside the program, unless an earlier start moved them
; to the per-user folder. The files, not the folder: it also holds every install's exchange file.
Function DataFolder
    StrCpy $1 "$LOCALAPPDATA\Wextor 5"
    ${If} ${FileExists} "$1\DebugLog.Txt"
    ${OrIf} ${FileExists} "$1\MailingList.dat"
    ${OrIf} ${FileExists} "$1\ActiveMailers.dat"
        StrCpy $0 $1
    ${Else}
        StrCpy $0 "$INSTDIR"
    ${EndIf}
FunctionEnd

Section "Mail Form Drivers (Any program, Notepad)" SecDrivers
    SetOutPath "$INSTDIR\MFD"
    File "${BIN}\mfdpack\FRONTMFD.EXE"
    File "${BIN}\mfdpack\NPADMFD.EXE"
    File "${BIN}\mfdpack\SELECTG.DAT"
    ; A driver folder the user named stays; Wextor 5 finds this one by itself otherwise.
    ClearErrors
    ReadINIStr $1 "$WINDIR\win.ini" "Mail Form Drivers" "Path"
    ${If} $1 == ""
        ; By its short name: WIN.INI keeps the ANSI code page, which may not carry the folder's letters.
        GetFullPathName /SHORT $2 "$INSTDIR\MFD"
        WriteINIStr "$WINDIR\win.ini" "Mail Form Drivers" "Path" $2
    ${EndIf}
    ; A first install: "Any program" is active, so the first tray click works.
    Call DataFolder
    ${IfNot} ${FileExists} "$0\ActiveMailers.dat"
        FileOpen $2 "$0\ActiveMailers.dat" w
        FileWrite $2 "${ANY_PROGRAM}$\r$\n"
        FileClose $2
    ${EndIf}
SectionEnd

Section "GnuPG bridge (PGP with Gpg4win)" SecBridge
    SetOutPath "$INSTDIR\GnuPG bridge"
    File "${BIN}\gpgbridge\GpgBridge.exe"
    File "${BIN}\gpgbridge\PGPKeys.Exe"
    File "${BIN}\gpgbridge\PGPTray.Exe"
    File "${BIN}\gpgbridge\PGPBridge.chm"
    ; An earlier version's help, which Windows 10 and 11 cannot show.
    Delete "$INSTDIR\GnuPG bridge\PGPBridge.Hlp"
    Delete "$INSTDIR\GnuPG bridge\GpgBridge-help.html"
    ; The PGP program only where none is set, in the settings file Wextor 5 reads: the per-user
    ; one once it exists, else the Windows folder's, else (that folder refuses writes) the per-user one.
    StrCpy $1 "$APPDATA\Wextor 5\Wextor5.INI"
    ${IfNot} ${FileExists} $1
        StrCpy $1 "$WINDIR\Wextor5.INI"
    ${EndIf}
    ReadINIStr $2 $1 "PGP" "Mainexe"
    ${If} $2 == ""
        !insertmacro UnicodeIni $1
        ClearErrors
        WriteINIStr $1 "PGP" "Mainexe" "$INSTDIR\GnuPG bridge\GpgBridge.exe"
        ${If} ${Errors}
            CreateDirectory "$APPDATA\Wextor 5"
            !insertmacro UnicodeIni "$APPDATA\Wextor 5\Wextor5.INI"
            WriteINIStr "$APPDATA\Wextor 5\Wextor5.INI" "PGP" "Mainexe" "$INSTDIR\GnuPG bridge\GpgBridge.exe"
        ${EndIf}
    ${EndIf}
SectionEnd

Section "Uninstall"
    !insertmacro EndRunningCopy
    DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Wextor 5"
    DeleteRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wextor 5"
    DeleteRegKey HKCU "Software\Wextor 5"
    Delete "$INSTDIR\Wextor5.exe"
    Delete "$INSTDIR\tips.dat"
    Delete "$INSTDIR\DistInfo.Dat"
    Delete "$INSTDIR\Wextor5.chm"
    Delete "$INSTDIR\Installer.Flg"
    Delete "$INSTDIR\Uninstall.exe"
    Delete "$INSTDIR\MFD\FRONTMFD.EXE"
    Delete "$INSTDIR\MFD\NPADMFD.EXE"
    Delete "$INSTDIR\MFD\SELECTG.DAT"
    RMDir "$INSTDIR\MFD"
    ReadINIStr $1 "$WINDIR\win.ini" "Mail Form Drivers" "Path"
    ${If} $1 == "$INSTDIR\MFD"
        DeleteINIStr "$WINDIR\win.ini" "Mail Form Drivers" "Path"
    ${EndIf}
    Delete "$INSTDIR\GnuPG bridge\GpgBridge.exe"
    Delete "$INSTDIR\GnuPG bridge\PGPKeys.Exe"
    Delete "$INSTDIR\GnuPG bridge\PGPTray.Exe"
    Delete "$INSTDIR\GnuPG bridge\PGPBridge.chm"
    Delete "$INSTDIR\GnuPG bridge\PGPBridge.Hlp"
    Delete "$INSTDIR\GnuPG bridge\GpgBridge-help.html"
    RMDir "$INSTDIR\GnuPG bridge"
    Delete "$SMPROGRAMS\Wextor 5\Wextor 5.lnk"
    Delete "$SMPROGRAMS\Wextor 5\Uninstall Wextor 5.lnk"
    RMDir "$SMPROGRAMS\Wextor 5"
    ; The user's own files (settings lists, log) stay unless the folder is otherwise empty.
    RMDir "$INSTDIR"
SectionEnd
