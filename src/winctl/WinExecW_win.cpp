#include "winctl/WinExecW_win.h"

#include "support/handle_win.h"
#include "winctl/WinExecW.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(STARTUPINFOA) == (sizeof(void*) == 8 ? 104 : 68), "the start-up information");

int WinExecAndWait32(const std::string& commandLine, std::uint16_t showMode,
                     std::uint32_t creationFlags) {
    if (!AcceptCommandLine(commandLine))
        return LaunchFailed;
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
        return LaunchFailed;
    }
    // Wine starts a Linux program without a Windows process: no process handle, and hThread
    // then holds no handle of ours.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hProcess ? process.hThread : nullptr);

    DWORD exitCode = 0;
    if (WaitForSingleObject(processHandle.get(), INFINITE) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(processHandle.get(), &exitCode)) {
        // Never pass a program that may still run off as one that has ended.
        ReportWaitFailure(GetLastError(), commandLine);
        return LaunchFailed;
    }
    return static_cast<int>(exitCode);
}
