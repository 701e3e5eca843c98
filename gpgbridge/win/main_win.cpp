// GpgBridge.exe: carries out PGPtray's commands with GnuPG. "/keys" shows the key list alone.
#include <windows.h>
#include "common/htmlhelp_win.h"
#include "common/syslib_win.h"
#include <commctrl.h>

#include <cstring>

#include "bridge_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (std::strstr(commandLine, "/keys")) {
        Bridge::ShowKeysAlone();
        CloseHtmlHelp();
        return 0;
    }
    // One bridge answers: a second start leaves the running one alone.
    if (FindWindowA(kTrayWindowClass, nullptr))
        return 0;
    Bridge bridge;
    if (!bridge.Create(instance)) {
        MessageBoxW(nullptr, L"The GnuPG bridge could not make its window.", L"GnuPG bridge",
                    MB_OK | MB_ICONERROR);
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CloseHtmlHelp();
    return 0;
}
