#include "wintest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace wintest {

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool PollUntil(const std::function<bool()>& cond, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > timeoutMs)
            return cond();
        PumpMessages();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

TempDir::TempDir(const std::string& prefix) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        std::string candidate = std::string(base) + prefix + std::to_string(n % 1000000);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate + "\\";
            return;
        }
    }
}

namespace {
void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string full = dir + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
}
} // namespace

TempDir::~TempDir() {
    RemoveTree(path_);
}

BoxAnswerer::BoxAnswerer() {
    previous_ = SetMsgBoxHandler([this](const MsgBoxRequest& r) {
        asked_.push_back(r);
        if (answers_.empty())
            return static_cast<int>(mrOk);
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

BoxAnswerer::~BoxAnswerer() {
    SetMsgBoxHandler(previous_);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
}

bool FileExists(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RunningUnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

namespace {
bool OpensForWrite(const std::string& path) {
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

std::string UnixPath(const std::string& path) {
    using Fn = char*(CDECL*)(const WCHAR*);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!fn)
        return std::string();
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    char* unixPath = fn(wide);
    if (!unixPath)
        return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}
} // namespace

// Starts chattr on the Linux side. A Linux child's wait returns at once under Wine, so the
// caller polls for the effect instead.
static void Chattr(const char* flag, const std::string& path) {
    std::string cmd = std::string("Z:\\usr\\bin\\chattr ") + flag + " \"" + UnixPath(path) + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
}

void SetReadOnly(const std::string& path, bool readOnly) {
    if (!readOnly && RunningUnderWine() && !OpensForWrite(path)) {
        Chattr("-i", path);
        PollUntil([&] { return OpensForWrite(path); }, 10000);
    }
    SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    if (readOnly && RunningUnderWine() && OpensForWrite(path)) {
        Chattr("+i", path);
        PollUntil([&] { return !OpensForWrite(path); }, 10000);
    }
}

std::string ExePath() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n);
}

namespace {
std::map<std::string, ChildMain>& ChildModes() {
    static std::map<std::string, ChildMain> modes;
    return modes;
}
} // namespace

ChildMode::ChildMode(const std::string& name, ChildMain main) {
    ChildModes()[name] = main;
}

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

namespace {
const char kUsersText[] = "the user's own text, äöü";
const char kUsersData[] = "second format data";
UINT UsersFormat() {
    return RegisterClipboardFormatA("Wextor test user's format");
}
std::string ClipboardBytes(UINT format) {
    HANDLE data = GetClipboardData(format);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    const std::string text = bytes ? std::string(bytes, strnlen(bytes, GlobalSize(data))) : "";
    if (bytes)
        GlobalUnlock(data);
    return text;
}
bool OpenClipboardSoon() {
    for (int i = 0; i < 100; ++i, Sleep(10))
        if (OpenClipboard(nullptr))
            return true;
    return false;
}
} // namespace

void SetUsersClipboard() {
    ASSERT_TRUE(OpenClipboardSoon());
    EmptyClipboard();
    for (const auto& [format, text] : {std::pair<UINT, const char*>{CF_TEXT, kUsersText},
                                       std::pair<UINT, const char*>{UsersFormat(), kUsersData}}) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
        lstrcpyA(static_cast<char*>(GlobalLock(block)), text);
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
}

bool UsersClipboardIsBack() {
    if (!OpenClipboardSoon())
        return false;
    const bool back =
        ClipboardBytes(CF_TEXT) == kUsersText && ClipboardBytes(UsersFormat()) == kUsersData;
    CloseClipboard();
    return back;
}

std::string ExeDir() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

} // namespace wintest

// A test binary may be started again as a child with "--child NAME ..." (see ChildMode);
// otherwise it runs its tests. The marker may come after other words, as when the system takes
// part of an unquoted program path for the program's first argument.
int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) != "--child")
            continue;
        const auto mode = wintest::ChildModes().find(argv[i + 1]);
        if (mode == wintest::ChildModes().end())
            return 99;
        return mode->second(std::vector<std::string>(argv + i + 2, argv + argc));
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
