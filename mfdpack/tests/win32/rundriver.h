// Starting a driver of the pack as Wextor 5 does, for the Win32 tests.
#pragma once

#include <windows.h>

#include <string>

inline std::string TempFolder() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    return path;
}

// Runs the driver and answers this thread's messages until it ends; its exit code.
inline DWORD RunDriver(const std::string& request, const char* driver = "FRONTMFD.EXE") {
    std::string line = std::string(PACK_DIR) + "\\" + driver + " " + request;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return 999;
    const DWORD start = GetTickCount();
    while (MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (GetTickCount() - start > 30000) {
            TerminateProcess(pi.hProcess, 998);
            WaitForSingleObject(pi.hProcess, 5000);
        }
    }
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}
