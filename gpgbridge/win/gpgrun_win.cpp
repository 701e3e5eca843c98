#include "gpgrun_win.h"

#include <windows.h>

#include <vector>

#include "common/handles_win.h"
#include "common/pump_win.h"
#include "common/unicode_win.h"
#include "common/winerror_win.h"

namespace {

// Under Wine a Linux gpg runs as a Linux process: its process handle cannot be waited for and
// its exit code means nothing, its standard error is not ours, and it needs Linux paths. Those
// differences stay in this file.
bool IsLinuxProgram(const std::string& program) {
    UniqueFile file(CreateFileW(Widen(program).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    char magic[4] = {};
    DWORD got = 0;
    return file && ReadFile(file.get(), magic, sizeof magic, &got, nullptr) && got == 4 &&
           magic[0] == 0x7f && magic[1] == 'E' && magic[2] == 'L' && magic[3] == 'F';
}

std::string ToLinuxPath(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix)
        return windowsPath;
    const std::wstring wide = Widen(windowsPath);
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath)
        return windowsPath;
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::string LinuxShell() {
    using ToDos = WCHAR*(CDECL*)(LPCSTR);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* dos = toDos ? toDos("/bin/sh") : nullptr;
    if (!dos)
        return "Z:\\bin\\sh";
    const std::string path = Utf8Of(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWhole(const std::string& path) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
    std::string text;
    if (!file)
        return text;
    char buffer[16384];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    return text;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_TEMPORARY, nullptr));
    DWORD written = 0;
    return file &&
           WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Plain text passes through these files: overwrite before deleting.
void Shred(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    {
        UniqueFile file(
            CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        LARGE_INTEGER size = {};
        if (file && GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
            const std::string zeros(16384, '\0');
            for (LONGLONG left = size.QuadPart; left > 0;) {
                const DWORD chunk = static_cast<DWORD>(left < 16384 ? left : 16384);
                DWORD written = 0;
                if (!WriteFile(file.get(), zeros.data(), chunk, &written, nullptr) || written == 0)
                    break;
                left -= written;
            }
        }
    }
    DeleteFileW(Widen(path).c_str());
}

// A folder of this run's own in the temporary folder.
std::string MakeRunFolder() {
    static LONG counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    if (!GetTempPathW(MAX_PATH + 1, temp))
        return {};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = Utf8Of(temp) + "GpgBridge-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(InterlockedIncrement(&counter)) + "\\";
        if (CreateDirectoryW(Widen(folder).c_str(), nullptr))
            return folder;
    }
    return {};
}

// Long enough for a user to type a passphrase into GnuPG's pinentry.
constexpr DWORD kRunLimitMs = 10 * 60 * 1000;

bool WaitForProcess(HANDLE process) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kRunLimitMs)
            return false;
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &process, FALSE, kRunLimitMs - elapsed, QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0)
            return true;
        if (woke != WAIT_OBJECT_0 + 1)
            return false;
        PumpPendingMessages();
    }
}

// The Linux shell writes the marker after gpg has ended; its existence is the only sign of the
// end that reaches a Windows program.
bool WaitForMarker(const std::string& marker) {
    const DWORD start = GetTickCount();
    while (!FileExists(marker)) {
        if (GetTickCount() - start >= kRunLimitMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        PumpPendingMessages();
    }
    return true;
}

} // namespace

std::string PathForProgram(const std::string& program, const std::string& windowsPath) {
    return IsLinuxProgram(program) ? ToLinuxPath(windowsPath) : windowsPath;
}

std::string FindGpg(const BridgeSettings& settings) {
    auto environment = [](const wchar_t* name) {
        wchar_t value[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
        return n > 0 && n < MAX_PATH ? Utf8Of(value) : std::string();
    };
    for (const std::string& candidate : GpgCandidates(
             settings.gpgPath, environment(L"ProgramFiles(x86)"), environment(L"ProgramFiles")))
        if (FileExists(candidate))
            return candidate;
    wchar_t found[MAX_PATH] = {};
    if (SearchPathW(nullptr, L"gpg.exe", nullptr, MAX_PATH, found, nullptr))
        return Utf8Of(found);
    return {};
}

namespace {

// The files of one gpg run, in a folder of its own.
struct RunFiles {
    std::string folder, in, out, status, log, err, marker;
    explicit RunFiles(const std::string& f)
        : folder(f), in(f + "in.txt"), out(f + "out.txt"), status(f + "status.txt"),
          log(f + "log.txt"), err(f + "err.txt"), marker(f + "done.txt") {}
};

std::string GpgCommandLine(const std::string& gpg, const Args& args, const RunFiles& files,
                           bool gpgFiles, bool linux) {
    const auto forGpg = [&](const std::string& path) { return linux ? ToLinuxPath(path) : path; };
    Args all = gpgFiles ? CommonArgs(forGpg(files.status), forGpg(files.log)) : Args();
    all.insert(all.end(), args.begin(), args.end());
    if (!linux)
        return JoinCommandLine(gpg, all);
    // sh -c SCRIPT gpg marker args...: $0 is gpg, $1 the marker.
    Args shellArgs = {"-c", "m=$1; shift; \"$0\" \"$@\"; echo $? >\"$m\"", ToLinuxPath(gpg),
                      ToLinuxPath(files.marker)};
    shellArgs.insert(shellArgs.end(), all.begin(), all.end());
    return JoinCommandLine(LinuxShell(), shellArgs);
}

// Starts gpg with the run's files as its standard handles and waits for its end; run.why says
// what went wrong otherwise.
void StartAndWait(const std::string& gpg, const std::string& commandLine, const RunFiles& files,
                  bool linux, GpgRun& run) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    UniqueFile in(CreateFileW(Widen(files.in).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit, OPEN_EXISTING, 0,
                              nullptr));
    UniqueFile out(CreateFileW(Widen(files.out).c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_TEMPORARY, nullptr));
    UniqueFile err(CreateFileW(Widen(files.err).c_str(), GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_DELETE, &inherit, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_TEMPORARY, nullptr));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in.get();
    startup.hStdOutput = out.get();
    startup.hStdError = err.get();
    // gpg.exe is a console program: no console window for it. Wine gives a Linux program
    // our standard handles only when no console is made for it at all.
    // Suspended until it holds the right to bring a window forward, which it passes on to the
    // passphrase window its agent starts: lent to that process alone.
    const DWORD flags = linux ? DETACHED_PROCESS : CREATE_NO_WINDOW | CREATE_SUSPENDED;
    PROCESS_INFORMATION process = {};
    // Wide, so that paths and user ids outside the ANSI code page reach gpg whole.
    std::wstring buffer = Widen(commandLine);
    if (!in || !out || !err ||
        !CreateProcessW(nullptr, &buffer[0], nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                        &startup, &process)) {
        run.why = "GnuPG could not be started (" + gpg + "): " + WinErrorText(GetLastError());
        return;
    }
    // Wine starts a Linux program without a Windows process: it hands back no process
    // handle, and what it leaves in hThread is not a handle of ours to close.
    if (!process.hProcess)
        process.hThread = nullptr;
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);
    if (!linux) {
        AllowSetForegroundWindow(process.dwProcessId); // refused unless the bridge has it itself
        ResumeThread(process.hThread);
    }
    // Our copies of the standard handles go now, so that nothing holds the files later.
    in.reset();
    out.reset();
    err.reset();
    const bool ended = linux ? WaitForMarker(files.marker) : WaitForProcess(process.hProcess);
    if (ended) {
        run.ran = true;
        return;
    }
    if (processHandle)
        TerminateProcess(processHandle.get(), 1);
    run.why = "GnuPG did not finish within ten minutes";
}

GpgRun Run(const std::string& gpg, const Args& args, const std::string& input, bool gpgFiles) {
    GpgRun run;
    const std::string folder = MakeRunFolder();
    if (folder.empty()) {
        run.why = "no temporary folder could be made for GnuPG's files";
        return run;
    }
    const RunFiles files(folder);
    const bool linux = IsLinuxProgram(gpg);
    const std::string commandLine = GpgCommandLine(gpg, args, files, gpgFiles, linux);
    if (!WriteWhole(files.in, input)) {
        run.why = "GnuPG's input file could not be written";
        RemoveDirectoryW(Widen(folder).c_str());
        return run;
    }
    StartAndWait(gpg, commandLine, files, linux, run);
    if (run.ran) {
        // gpg's own words are in its logger file; standard error only catches strays.
        run.output = ReadWhole(files.out);
        run.status = ReadWhole(files.status);
        run.log = ReadWhole(files.log);
    }
    Shred(files.in);
    Shred(files.out);
    for (const std::string* file : {&files.err, &files.status, &files.log, &files.marker})
        DeleteFileW(Widen(*file).c_str());
    RemoveDirectoryW(Widen(folder).c_str());
    return run;
}

} // namespace

GpgRun RunGpg(const std::string& gpg, const Args& args, const std::string& input) {
    return Run(gpg, args, input, true);
}

GpgRun RunProgram(const std::string& program, const Args& args, const std::string& input) {
    return Run(program, args, input, false);
}
