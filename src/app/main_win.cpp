// Program entry of Wextor5.exe.
#include "app/Just1_32_win.h"
#include "common/syslib_win.h"
#include "app/appexception.h"
#include "app/datafolders_win.h"
#include "app/global.h"
#include "app/startup_win.h"
#include "common/unicode_win.h"
#include "drivers/PathOfF.h"
#include "support/deblog.h"
#include "support/fileutil_win.h"
#include "support/help_win.h"
#include "support/msgbox_win.h"
#include "winctl/lastwindow_win.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>

namespace {
std::string ExePath() {
    // A per-user install lies below the user's profile, whose name may be any text.
    for (DWORD size = MAX_PATH;; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], size);
        if (n < size || size >= 32768)
            return Utf8Of(path.data(), n);
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    // The duplicate check's first half comes before anything else.
    const TPreviousInstance previousInstance;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    ProgramDir = PathOf(ExePath());
    ShortProgramDir = ShortPathName(ProgramDir);
    if (ShortProgramDir.empty())
        ShortProgramDir = ProgramDir;
    DeleteFileW(Widen(ProgramDir + "Installer.Flg").c_str());

    if (!TJustOne32(previousInstance, ProgramDir))
        return 0;
    SetUpDataPlaces();

    TfrmProps* form = nullptr;
    std::unique_ptr<TfrmProps> props;
    GuardHandler([&] {
        props = std::make_unique<TfrmProps>(ProgramActions(form), SettingsFile);
        form = props.get();
        SetMessageBoxOwner(nullptr);
        FormCreate(*props);
    });
    if (!props)
        return 0;
    GuardHandler([] { DebugLog(std::string("Started ") + ApplicationTitle); });
    // A tray click makes the taskbar the foreground window: the user's window is remembered.
    StartUserWindowTracking();
    RunMessageLoop(*props);
    StopUserWindowTracking();
    GuardHandler([&] { props.reset(); }); // FormDestroy: the tray icon goes with the window
    CloseHelp();
    return 0;
}
