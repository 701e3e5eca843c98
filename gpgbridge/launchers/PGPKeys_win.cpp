// PGPKeys.Exe: opens Kleopatra when Gpg4win installed it, else the bridge's own key list.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "common/syslib_win.h"
#include "common/unicode_win.h"
#include "places_win.h"
#include "settings.h"

namespace {

bool Start(const std::string& program, const wchar_t* arguments, const std::string& folder) {
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", Widen(program).c_str(),
                                                   arguments, Widen(folder).c_str(),
                                                   SW_SHOWNORMAL)) > 32;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    for (const std::string& kleopatra :
         KleopatraCandidates(FindGpg4winPlaces(L"Software\\Gpg4win")))
        if (GetFileAttributesW(Widen(kleopatra).c_str()) != INVALID_FILE_ATTRIBUTES &&
            Start(kleopatra, nullptr, kleopatra.substr(0, kleopatra.find_last_of('\\') + 1)))
            return 0;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string folder = Utf8Of(self);
    folder.erase(folder.find_last_of('\\') + 1);
    if (!Start(folder + "GpgBridge.exe", L"/keys", folder)) {
        MessageBoxW(nullptr, L"Neither Kleopatra nor the GnuPG bridge could be started.",
                    L"GnuPG bridge", MB_OK | MB_ICONERROR);
        return 1;
    }
    return 0;
}
