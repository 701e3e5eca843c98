// Stand-ins for the other programs in PGP's folder: PGPKeys.Exe and PGPTools.Exe record their
// start and show a window that closes itself; PGPTray.Exe starts the main stand-in.
#include "stubcommon.h"

#include <string>

namespace {

int RunWindowProgram(const char* className, const char* title) {
    const long ms = stub::ControlInt("SideWindowMs", 3000);
    if (ms <= 0)
        return 0;
    if (!stub::ShowTextWindow(className, title, std::string(title) + " has nothing to show.",
                              static_cast<DWORD>(ms), true))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

int RunTray() {
    if (FindWindowA("PGPtray_Hidden_Window", nullptr)) {
        stub::AppendLog({{"event", "already-running"}, {"prog", stub::ExeName()}});
        return 0;
    }
    const bool ok = stub::StartProgram("\"" + stub::ExeDir() + stub::kMainExe + "\"");
    stub::AppendLog({{"event", "started-main"}, {"prog", stub::ExeName()}, {"ok", ok ? "1" : "0"}});
    return ok ? 0 : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
    stub::AppendLog({{"event", "start"},
                     {"prog", stub::ExeName()},
                     {"pid", std::to_string(GetCurrentProcessId())},
                     {"args", cmdLine ? cmdLine : ""}});
    int rc = 0;
    // Each of the three programs is this file built with its own STUB_ROLE.
    const std::string role = STUB_ROLE;
    if (role == "keys")
        rc = RunWindowProgram("PGPstub_Keys", "PGPkeys (stand-in)");
    else if (role == "tools")
        rc = RunWindowProgram("PGPstub_Tools", "PGPtools (stand-in)");
    else
        rc = RunTray();
    stub::AppendLog({{"event", "exit"}, {"prog", stub::ExeName()}});
    return rc;
}
