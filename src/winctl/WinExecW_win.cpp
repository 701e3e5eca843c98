#include "winctl/WinExecW_win.h"

#include "common/handles_win.h"
#include "common/pump_win.h"
#include "common/unicode_win.h"
#include "winctl/WinExecW.h"
#include "winctl/lastwindow_win.h"

#include <windows.h>

static_assert(sizeof(STARTUPINFOW) == (sizeof(void*) == 8 ? 104 : 68), "the start-up information");

namespace {

struct Started {
    UniqueHandle process;
    UniqueHandle thread;
};

// Starts the command line; false after the fatal report.
bool Start(const std::string& commandLine, std::uint16_t showMode, std::uint32_t creationFlags,
           const std::string& program, Started& started, const ChildSetup& setup = {}) {
    if (!AcceptCommandLine(commandLine))
        return false;
    // Built as ever, then widened: a driver that reads its command line as ANSI text gets the
    // bytes it always got. CreateProcessW may write into it, so it is a copy of its own.
    std::wstring buffer = Widen(commandLine);
    const std::wstring programFile = Widen(program);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showMode;
    // The variable goes into the child's block only: this process's environment never holds it.
    std::wstring environment;
    DWORD flags = creationFlags | CREATE_NEW_CONSOLE;
    if (!setup.variable.empty()) {
        environment = EnvironmentBlockWith(setup.variable, setup.value);
        flags |= CREATE_UNICODE_ENVIRONMENT;
    }
    // Suspended until the right is lent to its process id: ASFW_ANY would lend it to any
    // program that asks first.
    if (setup.lendForeground)
        flags |= CREATE_SUSPENDED;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(program.empty() ? nullptr : programFile.c_str(), &buffer[0], nullptr,
                        nullptr, FALSE, flags, environment.empty() ? nullptr : &environment[0],
                        nullptr, &startup, &process)) {
        ReportLaunchFailure(GetLastError(), commandLine);
        return false;
    }
    // Wine starts a Linux program without a Windows process: no process handle, and hThread
    // then holds no handle of ours.
    started.process.reset(process.hProcess);
    started.thread.reset(process.hProcess ? process.hThread : nullptr);
    if (setup.lendForeground && process.hProcess) {
        // Refused unless this process may set the foreground itself (it may after a tray click).
        AllowSetForegroundWindow(process.dwProcessId);
        ResumeThread(process.hThread);
    }
    return true;
}

} // namespace

int WinExecAndWait32(const std::string& commandLine, std::uint16_t showMode,
                     std::uint32_t creationFlags, const std::string& program) {
    Started started;
    if (!Start(commandLine, showMode, creationFlags, program, started))
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
                                const std::function<bool()>& askToEnd, const std::string& program,
                                const ChildSetup& setup) {
    WaitResult result;
    Started started;
    if (!Start(commandLine, showMode, creationFlags, program, started, setup))
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
            if (!PumpPendingMessages()) {
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

unsigned WinExecProgram(const std::string& program, std::uint16_t showMode) {
    std::string path = program;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    const std::wstring file = Widen(path);
    std::wstring commandLine = L"\"" + file + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showMode;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(file.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
            return 2;
        case ERROR_PATH_NOT_FOUND:
            return 3;
        case ERROR_BAD_EXE_FORMAT:
            return 11;
        default:
            return 0;
        }
    }
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hProcess ? process.hThread : nullptr);
    if (process.hProcess)
        WaitForInputIdle(process.hProcess, 30000);
    return 33;
}
