; Installer for Wextor 5. Built by the Windows build when makensis is at hand:
;   makensis -DVERSION=<version> -DBIN=<build folder> -DDIST=<dist folder> -DOUT=<setup exe> Wextor5.nsi
;   -DX64 builds Wextor5-Setup-x64.exe, the 64-bit program.
; Silent use: Wextor5-Setup.exe /S [/AUTOSTART] [/D=C:\folder]

!ifdef X64
Target amd64-unicode
!else
Unicode false
!endif
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "Wextor 5"
OutFile "${OUT}"
; A per-user install: the user may write there, so no elevation, and the program keeps its
; files beside it as it always did.
InstallDir "$LOCALAPPDATA\Programs\Wextor 5"
InstallDirRegKey HKCU "Software\Wextor 5" "InstallDir"
RequestExecutionLevel user
SetCompressor /SOLID lzma

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
    Delete "$SMPROGRAMS\Wextor 5\Wextor 5.lnk"
    Delete "$SMPROGRAMS\Wextor 5\Uninstall Wextor 5.lnk"
    RMDir "$SMPROGRAMS\Wextor 5"
    ; The user's own files (settings lists, log) stay unless the folder is otherwise empty.
    RMDir "$INSTDIR"
SectionEnd
