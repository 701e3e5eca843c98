// PGPKeys.Exe: opens Kleopatra when Gpg4win installed it, else the bridge's own key list.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "settings.h"

namespace {

std::string Environment(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(value) : std::string();
}

bool Start(const std::string& program, const char* arguments, const std::string& folder) {
    return reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", program.c_str(), arguments,
                                                   folder.c_str(), SW_SHOWNORMAL)) > 32;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    for (const std::string& kleopatra :
         KleopatraCandidates(Environment("ProgramFiles(x86)"), Environment("ProgramFiles")))
        if (GetFileAttributesA(kleopatra.c_str()) != INVALID_FILE_ATTRIBUTES &&
            Start(kleopatra, nullptr, kleopatra.substr(0, kleopatra.find_last_of('\\') + 1)))
            return 0;
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder = self;
    folder.erase(folder.find_last_of('\\') + 1);
    if (!Start(folder + "GpgBridge.exe", "/keys", folder)) {
        MessageBoxA(nullptr, "Neither Kleopatra nor the GnuPG bridge could be started.",
                    "GnuPG bridge", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
