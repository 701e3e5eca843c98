#include "processing/pgpcontrol_win.h"

#include "processing/clipboard_win.h"
#include "common/syslib_win.h"
#include "common/unicode_win.h"
#include "common/handles_win.h"
#include "common/pump_win.h"
#include "support/helpbox_win.h"
#include "support/msgbox.h"
#include "winctl/WinExecW_win.h"
#include "winctl/winop_win.h"

#include <shellapi.h>

#include <memory>
#include <vector>

namespace {

ShellOpenHook shellOpenHook;

bool ShellOpen(HWND owner, const std::string& file) {
    if (shellOpenHook)
        return shellOpenHook(owner, file);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", Widen(file).c_str(), nullptr,
                                                   nullptr, SW_SHOWNORMAL)) > 32;
}

// The command goes from a thread of its own: SendMessage waits as long as PGP works on it (the
// user may take minutes in its windows), and this thread has to keep its windows working.
struct CommandToSend {
    HWND window;
    unsigned id;
};

DWORD WINAPI SendCommandThread(void* parameter) {
    const std::unique_ptr<CommandToSend> command(static_cast<CommandToSend*>(parameter));
    SendMessageA(command->window, WM_COMMAND, command->id, 0);
    return 0;
}

// Returns when PGP has answered, when its window or process is gone (a PGP that dies while
// working never answers), or when the program ends (WM_QUIT, kept for the main loop). A sender
// left waiting on a dead window ends with the program.
void SendCommandAndWait(HWND window, unsigned id) {
    auto* command = new CommandToSend{window, id};
    const UniqueHandle sender(CreateThread(nullptr, 0, SendCommandThread, command, 0, nullptr));
    if (!sender) {
        delete command;
        SendMessageA(window, WM_COMMAND, id, 0);
        return;
    }
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    const UniqueHandle process(pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr);
    HANDLE ends[2] = {sender.get(), process.get()};
    const DWORD count = process ? 2 : 1;
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjects(count, ends, FALSE, PgpPollMs, QS_ALLINPUT);
        if (woke < WAIT_OBJECT_0 + count || woke == WAIT_FAILED)
            return;
        if (!PumpPendingMessages() || !IsWindow(window))
            return;
    }
}

class WindowsPgp : public PgpPlatform {
  public:
    WindowHandle FindTrayWindow() override {
        return SearchWindows(PgpTrayCriteria(), PgpSearchAnchor);
    }
    unsigned StartProgram(const std::string& commandLine) override {
        // By its exact name: a "C:\\Program Files\\..." path must not start "C:\\Program.exe".
        return WinExecProgram(commandLine, SW_SHOWNORMAL);
    }
    unsigned long long NowMs() override { return GetTickCount64(); }
    bool ProcessMessages() override { return PumpPendingMessages(); }
    void WaitForMessages(unsigned timeoutMs) override {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT);
    }
    void BringToForeground(WindowHandle window) override {
        // PGP's windows (recipients, passphrase) may come forward only with the right lent.
        DWORD pid = 0;
        if (GetWindowThreadProcessId(static_cast<HWND>(window), &pid) && pid)
            AllowSetForegroundWindow(pid);
        SetForegroundWindow(static_cast<HWND>(window));
    }
    void SendCommand(WindowHandle window, unsigned id) override {
        SendCommandAndWait(static_cast<HWND>(window), id);
    }
    std::string ClipboardText() override { return GetClipboardText(); }
    bool ClipboardTextOrBusy(std::string& text) override { return ReadClipboardForRun(text); }
    bool FileExists(const std::string& path) override {
        const DWORD a = GetFileAttributesW(Widen(path).c_str());
        return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::vector<FoundFile> FindFiles(const std::string& pattern) override {
        std::vector<FoundFile> files;
        // Wide: PGP's folder may be named in any letters.
        WIN32_FIND_DATAW fd;
        HANDLE find = FindFirstFileW(Widen(pattern).c_str(), &fd);
        if (find == INVALID_HANDLE_VALUE)
            return files;
        do
            files.push_back({Utf8Of(fd.cFileName), fd.dwFileAttributes});
        while (FindNextFileW(find, &fd));
        FindClose(find);
        return files;
    }
    void OpenHelpFile(WindowHandle owner, const std::string& helpFile, PgpHelpKind kind) override {
        const HWND window = static_cast<HWND>(owner);
        if (kind == PgpHelpKind::HtmlHelp) {
            ShowHelpFile(window, helpFile);
        } else if (kind == PgpHelpKind::ShellOpen && !ShellOpen(window, helpFile)) {
            TellNoHelp(helpFile);
        }
    }
};

} // namespace

PgpPlatform& SystemPgpPlatform() {
    static WindowsPgp system;
    return system;
}

ShellOpenHook SetShellOpenHook(ShellOpenHook hook) {
    ShellOpenHook before = std::move(shellOpenHook);
    shellOpenHook = std::move(hook);
    return before;
}

bool PgpTakesUnicode() {
    if (PgpMainExe.empty())
        return false;
    std::string path = PgpMainExe;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    std::vector<char> info;
    if (!ReadVersionResource(Widen(path), info))
        return false;
    const std::wstring key = L"\\StringFileInfo\\" + Widen(PgpVersionBlock) + L"\\ClipboardText";
    void* value = nullptr;
    UINT length = 0;
    if (!QueryVersionValue(info, key, &value, &length) || length == 0)
        return false;
    const wchar_t* text = static_cast<const wchar_t*>(value);
    const wchar_t* end = reinterpret_cast<const wchar_t*>(info.data() + info.size());
    return std::wstring(text, wcsnlen(text, static_cast<std::size_t>(end - text))) == L"Unicode";
}
