// PGPTray.Exe: starts the bridge beside it, as PGP's own tray program would start.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "common/syslib_win.h"
#include "common/unicode_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder = self;
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring bridge = folder + L"GpgBridge.exe";
    if (reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", bridge.c_str(), nullptr,
                                                folder.c_str(), SW_SHOWNORMAL)) <= 32) {
        MessageBoxW(nullptr, (L"The GnuPG bridge could not be started:\r\n" + bridge).c_str(),
                    L"GnuPG bridge", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
