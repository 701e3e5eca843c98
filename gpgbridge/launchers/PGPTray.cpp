// PGPTray.Exe: starts the bridge beside it, as PGP's own tray program would start.
#include <windows.h>

#include <shellapi.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder.erase(folder.find_last_of('\\') + 1);
    const std::string bridge = folder + "GpgBridge.exe";
    if (reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", bridge.c_str(), nullptr,
                                                folder.c_str(), SW_SHOWNORMAL)) <= 32) {
        MessageBoxA(nullptr, ("The GnuPG bridge could not be started:\r\n" + bridge).c_str(),
                    "GnuPG bridge", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
