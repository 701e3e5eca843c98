#include "winctl/WinExecW_win.h"

#include "support/handle_win.h"
#include "winctl/WinExecW.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(STARTUPINFOA) == (sizeof(void*) == 8 ? 104 : 68), "the start-up information");

namespace {

struct Started {
    UniqueHandle process;
    UniqueHandle thread;
};

// Starts the command line; false after the fatal report.
bool Start(const std::string& commandLine, std::uint16_t showMode, std::uint32_t creationFlags,
           Started& started) {
    if (!AcceptCommandLine(commandLine))
        return false;
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    char buffer[CommandLineBufferSize] = "";
    std::memcpy(buffer, commandLine.data(), commandLine.size());

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showMode;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, buffer, nullptr, nullptr, FALSE,
                        creationFlags | CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process)) {
        ReportLaunchFailure(GetLastError(), commandLine);
        return false;
    }
    // Wine starts a Linux program without a Windows process: no process handle, and hThread
    // then holds no handle of ours.
    started.process.reset(process.hProcess);
    started.thread.reset(process.hProcess ? process.hThread : nullptr);
    return true;
}

// Runs the waiting messages; false on WM_QUIT, which is posted again for the main loop.
bool PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

} // namespace

int WinExecAndWait32(const std::string& commandLine, std::uint16_t showMode,
                     std::uint32_t creationFlags) {
    Started started;
    if (!Start(commandLine, showMode, creationFlags, started))
        return LaunchFailed;
    DWORD exitCode = 0;
    if (WaitForSingleObject(started.process.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(started.process.get(), &exitCode)) {
        // Never pass a program that may still run off as one that has ended.
        ReportWaitFailure(GetLastError(), commandLine);
        return LaunchFailed;
    }
    return static_cast<int>(exitCode);
}

WaitResult WinExecAndWaitPumped(const std::string& commandLine, std::uint16_t showMode,
                                std::uint32_t creationFlags, unsigned patienceMs,
                                const std::function<bool()>& askToEnd) {
    WaitResult result;
    Started started;
    if (!Start(commandLine, showMode, creationFlags, started))
        return result;
    const HANDLE process = started.process.get();
    ULONGLONG since = GetTickCount64();
    for (;;) {
        const ULONGLONG waited = GetTickCount64() - since;
        const DWORD left = waited >= patienceMs ? 0 : static_cast<DWORD>(patienceMs - waited);
        const DWORD woke = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            break;
        if (woke == WAIT_OBJECT_0 + 1) {
            if (!PumpMessages()) {
                result.end = WaitEnd::Abandoned;
                return result;
            }
            continue;
        }
        if (woke != WAIT_TIMEOUT) {
            ReportWaitFailure(GetLastError(), commandLine);
            return result;
        }
        if (askToEnd && askToEnd()) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            result.end = WaitEnd::EndedByUser;
            return result;
        }
        since = GetTickCount64();
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) {
        ReportWaitFailure(GetLastError(), commandLine);
        return result;
    }
    result.end = WaitEnd::Exited;
    result.exitCode = exitCode;
    return result;
}
