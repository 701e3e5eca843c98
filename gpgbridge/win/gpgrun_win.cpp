#include "gpgrun_win.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "common/handles_win.h"
#include "common/pump_win.h"
#include "common/unicode_win.h"
#include "common/winerror_win.h"
#include "places_win.h"
#include "text.h"

// The message travels to gpg and back through its standard handles only, never through a file:
// a crash or a kill must leave no plain text behind.
//
// A Windows gpg.exe gets anonymous pipes, inherited by it alone. Under Wine a program that is
// not a Windows program (the Linux gpg) runs as a Unix process, and Wine hands it Unix
// descriptors for standard input and output only: a pipe has none to hand over (its end arrives
// broken), standard error stays Wine's own, and a socket arrives non-blocking. Such a program
// therefore gets loopback sockets, and a small perl wrapper makes them blocking and puts
// standard error on the standard input socket (a socket carries both ways) before it execs
// the program.

namespace {

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Under Wine, anything without the "MZ" of a Windows program is run as a Unix program.
bool IsUnixProgram(const std::string& program) {
    if (!UnderWine())
        return false;
    UniqueFile file(CreateFileW(Widen(program).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    char magic[2] = {};
    DWORD got = 0;
    return file && ReadFile(file.get(), magic, sizeof magic, &got, nullptr) &&
           !(got == 2 && magic[0] == 'M' && magic[1] == 'Z');
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

std::string DosPathOf(const char* unixPath) {
    using ToDos = WCHAR*(CDECL*)(LPCSTR);
    const auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    WCHAR* dos = toDos ? toDos(unixPath) : nullptr;
    if (!dos)
        return std::string("Z:") + unixPath;
    const std::string path = Utf8Of(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return path;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Clears O_NONBLOCK on the sockets Wine hands over, joins standard error to standard input and
// runs the program ($ARGV[0]) in its place. No double quotes: it passes a Windows command line.
const char kUnixWrapper[] =
    "for (*STDIN, *STDOUT) { my $f = fcntl($_, F_GETFL, 0); fcntl($_, F_SETFL, $f & ~O_NONBLOCK) }"
    " open(STDERR, '>&', \\*STDIN) or exit 127; exec {$ARGV[0]} @ARGV; exit 127";

// One of our ends of the child's streams, shared with the thread that serves it, which may
// outlive a run that was given up.
struct Stream {
    UniqueFile pipe;
    SOCKET socket = INVALID_SOCKET;
    std::string toWrite, read; // apart: a socket carries input one way and gpg's words back
    ~Stream() { Close(); }
    void Close() {
        if (socket != INVALID_SOCKET)
            closesocket(socket);
        socket = INVALID_SOCKET;
        pipe.reset();
    }
    bool Write(const char* bytes, DWORD size, DWORD& written) {
        if (socket == INVALID_SOCKET)
            return WriteFile(pipe.get(), bytes, size, &written, nullptr) != FALSE;
        const int sent = send(socket, bytes, static_cast<int>(size), 0);
        written = sent > 0 ? static_cast<DWORD>(sent) : 0;
        return sent > 0;
    }
    bool Read(char* bytes, DWORD size, DWORD& got) {
        if (socket == INVALID_SOCKET)
            return ReadFile(pipe.get(), bytes, size, &got, nullptr) && got > 0;
        const int received = recv(socket, bytes, static_cast<int>(size), 0);
        got = received > 0 ? static_cast<DWORD>(received) : 0;
        return received > 0;
    }
};
using StreamPtr = std::shared_ptr<Stream>;

// Input goes in from a thread and output comes out in threads of their own, so that neither
// side waits for the other: gpg may write much output before it has read all of a big message.
DWORD WINAPI WriteAll(void* parameter) {
    const std::unique_ptr<StreamPtr> owner(static_cast<StreamPtr*>(parameter));
    Stream& stream = **owner;
    const std::string& data = stream.toWrite;
    for (std::size_t done = 0; done < data.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 65536));
        DWORD written = 0;
        if (!stream.Write(data.data() + done, chunk, written))
            break; // gpg stopped reading: it has ended or failed, and says why on standard error
        done += written;
    }
    // The end of input; a socket still carries standard error back.
    if (stream.socket != INVALID_SOCKET)
        shutdown(stream.socket, SD_SEND);
    else
        stream.pipe.reset();
    return 0;
}

DWORD WINAPI ReadAll(void* parameter) {
    const std::unique_ptr<StreamPtr> owner(static_cast<StreamPtr*>(parameter));
    Stream& stream = **owner;
    char buffer[16384];
    DWORD got = 0;
    while (stream.Read(buffer, sizeof buffer, got))
        stream.read.append(buffer, got);
    return 0;
}

UniqueHandle StartThread(LPTHREAD_START_ROUTINE routine, const StreamPtr& stream) {
    auto* owner = new StreamPtr(stream);
    UniqueHandle thread(CreateThread(nullptr, 0, routine, owner, 0, nullptr));
    if (!thread)
        delete owner;
    return thread;
}

// An anonymous pipe; both ends stay ours until the child's end is handed over.
bool MakePipe(Stream& ours, UniqueFile& child, bool childReads) {
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, nullptr, 0))
        return false;
    ours.pipe.reset(childReads ? write : read);
    child.reset(childReads ? read : write);
    return true;
}

SOCKET NewSocket() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    if (!started)
        return INVALID_SOCKET;
    const SOCKET s = WSASocketW(AF_INET, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, 0);
    if (s != INVALID_SOCKET)
        SetHandleInformation(reinterpret_cast<HANDLE>(s), HANDLE_FLAG_INHERIT, 0);
    return s;
}

// A connected pair of loopback sockets. The listener lives only until our own connection is
// accepted, and the accepted one must be ours: any other local program is turned away.
bool MakeSocketPair(Stream& ours, SOCKET& child) {
    const SOCKET listener = NewSocket();
    if (listener == INVALID_SOCKET)
        return false;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bool ok = bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              listen(listener, 1) == 0 &&
              getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0;
    ours.socket = ok ? NewSocket() : INVALID_SOCKET;
    ok = ours.socket != INVALID_SOCKET &&
         connect(ours.socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (ok) {
        sockaddr_in mine = {}, peer = {};
        int mineLength = sizeof mine, peerLength = sizeof peer;
        child = accept(listener, reinterpret_cast<sockaddr*>(&peer), &peerLength);
        ok = child != INVALID_SOCKET &&
             getsockname(ours.socket, reinterpret_cast<sockaddr*>(&mine), &mineLength) == 0 &&
             mine.sin_port == peer.sin_port && mine.sin_addr.s_addr == peer.sin_addr.s_addr;
    }
    closesocket(listener);
    return ok;
}

// Starts a Windows program with the pipes' child ends as its standard handles, inherited by it
// alone where the system can say so: a program started at the same time by another thread (or
// gpg's agent, started by gpg) must not hold them open. Our copies go right after the start.
bool StartWindowsProgram(std::wstring& commandLine, UniqueFile (&childEnds)[3],
                         PROCESS_INFORMATION& process) {
    HANDLE handles[3] = {childEnds[0].get(), childEnds[1].get(), childEnds[2].get()};
    for (HANDLE handle : handles)
        if (!SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
            return false;
    STARTUPINFOEXW startup = {};
    startup.StartupInfo.cb = sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = handles[0];
    startup.StartupInfo.hStdOutput = handles[1];
    startup.StartupInfo.hStdError = handles[2];
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> list(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(list.data());
    const bool listed = size && InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
                        UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                  handles, sizeof handles, nullptr, nullptr);
    if (listed) {
        startup.StartupInfo.cb = sizeof startup;
        startup.lpAttributeList = attributes;
    }
    // gpg.exe is a console program: no console window for it. Suspended until it holds the
    // right to bring a window forward, which it passes on to the passphrase window its agent
    // starts: lent to that process alone.
    const DWORD flags =
        CREATE_NO_WINDOW | CREATE_SUSPENDED | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0);
    const auto create = [&] {
        return CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, TRUE, flags, nullptr,
                              nullptr, &startup.StartupInfo, &process) != FALSE;
    };
    // Wine now and then loses a new process while it starts on a busy machine and says only
    // "internal error"; nothing of it ran, so one more start is safe.
    bool started = create();
    if (!started && GetLastError() == ERROR_INTERNAL_ERROR)
        started = create();
    const DWORD error = GetLastError();
    if (started) {
        AllowSetForegroundWindow(process.dwProcessId); // refused unless the bridge has it itself
        ResumeThread(process.hThread);
    }
    if (listed)
        DeleteProcThreadAttributeList(attributes);
    for (UniqueFile& end : childEnds)
        end.reset();
    SetLastError(error);
    return started;
}

// Starts a Unix program under Wine with the sockets as its standard input and output. Wine
// reads their descriptors from our own handles, so nothing needs to be inheritable.
bool StartUnixProgram(std::wstring& commandLine, SOCKET (&childEnds)[2],
                      PROCESS_INFORMATION& process) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = reinterpret_cast<HANDLE>(childEnds[0]);
    startup.hStdOutput = reinterpret_cast<HANDLE>(childEnds[1]);
    startup.hStdError = reinterpret_cast<HANDLE>(childEnds[0]);
    // Wine gives a Unix program our standard handles only when no console is made for it.
    const bool started = CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE,
                                        DETACHED_PROCESS, nullptr, nullptr, &startup, &process);
    const DWORD error = GetLastError();
    for (SOCKET& end : childEnds) {
        closesocket(end);
        end = INVALID_SOCKET;
    }
    SetLastError(error);
    // Wine starts a Unix program without a Windows process: it hands back no process handle,
    // and what it leaves in hThread is not a handle of ours to close.
    if (!process.hProcess)
        process.hThread = nullptr;
    return started;
}

// Long enough for a user to type a passphrase into GnuPG's pinentry.
constexpr DWORD kRunLimitMs = 10 * 60 * 1000;

// Waits, with window messages handled, until every handle is signalled: the serving threads
// end when gpg (and whatever holds its ends) has closed its streams.
bool WaitForAll(const std::vector<HANDLE>& handles) {
    const DWORD start = GetTickCount();
    const DWORD count = static_cast<DWORD>(handles.size());
    while (WaitForMultipleObjects(count, handles.data(), TRUE, 0) != WAIT_OBJECT_0) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= kRunLimitMs)
            return false;
        // Woken by any one of them or by a message; then look at all of them again.
        const DWORD woke = MsgWaitForMultipleObjects(count, handles.data(), FALSE,
                                                     kRunLimitMs - elapsed, QS_ALLINPUT);
        if (woke == WAIT_FAILED)
            return false;
        PumpPendingMessages();
    }
    return true;
}

GpgRun Run(const std::string& program, const Args& args, const std::string& input, bool isGpg) {
    GpgRun run;
    const bool unix = IsUnixProgram(program);
    Args all = isGpg ? CommonArgs() : Args();
    all.insert(all.end(), args.begin(), args.end());
    std::string commandLine = JoinCommandLine(program, all);
    if (unix) {
        const std::string perl = DosPathOf("/usr/bin/perl");
        if (!FileExists(perl)) {
            run.why = "a program that is not a Windows program needs " + perl + " under Wine";
            return run;
        }
        Args wrapped = {"-MFcntl", "-e", kUnixWrapper, ToLinuxPath(program)};
        wrapped.insert(wrapped.end(), all.begin(), all.end());
        commandLine = JoinCommandLine(perl, wrapped);
    }

    // in: we write the message (and, on a socket, read standard error back); out; err.
    const StreamPtr in = std::make_shared<Stream>(), out = std::make_shared<Stream>(),
                    err = unix ? in : std::make_shared<Stream>();
    in->toWrite = input;
    PROCESS_INFORMATION process = {};
    std::wstring wideLine = Widen(commandLine); // paths and user ids outside the ANSI code page
    bool started = false;
    if (unix) {
        SOCKET childEnds[2] = {INVALID_SOCKET, INVALID_SOCKET};
        started = MakeSocketPair(*in, childEnds[0]) && MakeSocketPair(*out, childEnds[1]);
        if (started)
            started = StartUnixProgram(wideLine, childEnds, process);
        for (SOCKET end : childEnds)
            if (end != INVALID_SOCKET)
                closesocket(end);
    } else {
        UniqueFile childEnds[3];
        started = MakePipe(*in, childEnds[0], true) && MakePipe(*out, childEnds[1], false) &&
                  MakePipe(*err, childEnds[2], false) &&
                  StartWindowsProgram(wideLine, childEnds, process);
    }
    if (!started) {
        run.why = "GnuPG could not be started (" + program + "): " + WinErrorText(GetLastError());
        return run;
    }
    UniqueHandle processHandle(process.hProcess), threadHandle(process.hThread);

    std::vector<UniqueHandle> threads;
    threads.push_back(StartThread(WriteAll, in));
    threads.push_back(StartThread(ReadAll, out));
    threads.push_back(StartThread(ReadAll, err));
    std::vector<HANDLE> waitFor;
    for (const UniqueHandle& thread : threads)
        if (thread)
            waitFor.push_back(thread.get());
    if (processHandle)
        waitFor.push_back(processHandle.get());
    if (waitFor.size() < threads.size() + (processHandle ? 1 : 0) || !WaitForAll(waitFor)) {
        // Given up: the threads end once gpg is gone or our ends are closed under them.
        if (processHandle)
            TerminateProcess(processHandle.get(), 1);
        in->Close();
        out->Close();
        err->Close();
        run.why = "GnuPG did not finish within ten minutes";
        return run;
    }
    run.ran = true;
    run.output.swap(out->read);
    if (isGpg)
        SplitStatusAndLog(err->read, run.status, run.log);
    else
        run.log.swap(err->read);
    return run;
}

} // namespace

std::string PathForProgram(const std::string& program, const std::string& windowsPath) {
    return IsUnixProgram(program) ? ToLinuxPath(windowsPath) : windowsPath;
}

std::string FindGpg(const BridgeSettings& settings) {
    for (const std::string& candidate :
         GpgCandidates(settings.gpgPath, FindGpg4winPlaces(L"Software\\GnuPG")))
        if (FileExists(candidate))
            return candidate;
    // The PATH's folders alone: a gpg.exe in the current folder (an attachment folder, a
    // download folder) must never be the one that gets the message.
    const DWORD n = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(n, L'\0');
    const DWORD got = n ? GetEnvironmentVariableW(L"PATH", &path[0], n) : 0;
    for (std::string folder : PathFolders(got && got < n ? Utf8Of(path.c_str()) : std::string())) {
        if (folder.back() != '\\')
            folder += '\\';
        if (FileExists(folder + "gpg.exe"))
            return folder + "gpg.exe";
    }
    return {};
}

GpgRun RunGpg(const std::string& gpg, const Args& args, const std::string& input) {
    return Run(gpg, args, input, true);
}

GpgRun RunProgram(const std::string& program, const Args& args, const std::string& input) {
    return Run(program, args, input, false);
}
