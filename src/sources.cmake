# The program's sources, listed by hand (a new file is added here; the build stops on one that
# is not), from the bottom layer up: support and winctl, processing and drivers, app.
#   core_sources:  the portable core, never <windows.h>
#   win_sources:   the Win32 shell
#   posix_sources: native stand-ins for the few shell primitives the core calls
#   main_source:   the program's entry
set(core_sources
    support/Tips.cpp
    support/VBVal.cpp
    support/command.cpp
    support/deblog.cpp
    support/dpiscale.cpp
    support/error.cpp
    support/fields.cpp
    support/fileutil.cpp
    support/help.cpp
    support/msgbox.cpp
    support/placefrm.cpp
    support/readastr.cpp
    support/replace.cpp
    support/runstate.cpp
    support/verslab.cpp
    winctl/WinExecW.cpp
    winctl/winop.cpp
    processing/PGPMain.cpp
    processing/armour.cpp
    processing/mfdfile.cpp
    processing/opchoice.cpp
    processing/pgpcontrol.cpp
    processing/running.cpp
    drivers/ChooseMailer.cpp
    drivers/MFDDirectory.cpp
    drivers/PathOfF.cpp
    drivers/ScriptInfo.cpp
    drivers/mailerlist.cpp
    drivers/mfdcaller.cpp
    app/Just1_32.cpp
    app/TaskIcon.cpp
    app/appexception.cpp
    app/datafolders.cpp
    app/global.cpp
    app/propsmodel.cpp
    app/settings.cpp
    app/startup.cpp)
set(win_sources
    support/Tips_win.cpp
    support/command_win.cpp
    support/dpi_win.cpp
    support/fileutil_win.cpp
    support/help_win.cpp
    support/msgbox_win.cpp
    support/placefrm_win.cpp
    support/platform_win.cpp
    support/verslab_win.cpp
    winctl/WinExecW_win.cpp
    winctl/winop_win.cpp
    processing/PGPMain_win.cpp
    processing/clipboard_win.cpp
    processing/pgpcontrol_win.cpp
    processing/running_win.cpp
    drivers/ChooseMailer_win.cpp
    drivers/MFDDirectory_win.cpp
    drivers/ScriptInfo_win.cpp
    drivers/mailerlist_win.cpp
    drivers/mfdcaller_win.cpp
    app/Just1_32_win.cpp
    app/TaskIcon_win.cpp
    app/datafolders_win.cpp
    app/props_win.cpp
    app/settings_win.cpp
    app/startup_win.cpp)
set(posix_sources
    support/command_posix.cpp
    support/platform_posix.cpp
    processing/pgpcontrol_posix.cpp)
set(main_source app/main_win.cpp)
