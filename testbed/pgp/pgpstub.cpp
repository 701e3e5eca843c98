// Stand-in for PGP 5.x's tray program: a hidden window of class "PGPtray_Hidden_Window" that
// carries out WM_COMMAND requests on the clipboard text and records each one in PGPstub.log.
// PGPstub.ini beside it steers it for tests (see testbed/README.md).
#include "armour.h"
#include "stubcommon.h"

#include <string>

namespace {

constexpr const char* kTrayClass = "PGPtray_Hidden_Window";

enum Command : WORD {
    cmdAddKey = 40006,
    cmdEncryptSign = 40007,
    cmdDecryptVerify = 40008,
    cmdPreferences = 40012,
    cmdOther = 40016,
    cmdEncrypt = 40017,
    cmdSign = 40018,
    cmdTools = 40019,
};

const char* OpName(WORD id) {
    switch (id) {
    case cmdEncrypt:
        return "encrypt";
    case cmdSign:
        return "sign";
    case cmdEncryptSign:
        return "encrypt-sign";
    case cmdAddKey:
        return "add-key";
    case cmdDecryptVerify:
        return "decrypt-verify";
    case cmdPreferences:
        return "preferences";
    case cmdTools:
        return "tools";
    default:
        return "other";
    }
}

bool inCommand = false;
bool closePending = false;
long addKeyChanges = 0; // add-key commands that changed the clipboard (AddKeyRepeat)

// "LeaveClipboard=all" (or 1) covers every command, otherwise a list of command ids.
bool LeaveClipboardFor(WORD id) {
    const std::string v = stub::ControlValue("LeaveClipboard");
    if (v == "1" || v == "all" || v == "ALL" || v == "All")
        return true;
    const std::string want = std::to_string(id);
    size_t pos = 0;
    while (pos < v.size()) {
        const size_t end = v.find_first_of(", ;", pos);
        const std::string item =
            v.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (item == want)
            return true;
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return false;
}

// A PGP dialog stands open for CommandDelayMs: a visible window and a nested message loop, as
// a modal dialog has. Closing the window ends the wait early.
void BusyWait() {
    const long ms = stub::ControlInt("CommandDelayMs", 0);
    if (ms <= 0)
        return;
    HWND busy = stub::ShowTextWindow("PGPstub_Busy", "PGP (stand-in) - working",
                                     "Close this window to let the command go on.", 0);
    const DWORD start = GetTickCount();
    while (IsWindow(busy)) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= static_cast<DWORD>(ms))
            break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms) - spent, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                if (IsWindow(busy))
                    DestroyWindow(busy);
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (IsWindow(busy))
        DestroyWindow(busy);
}

void ShowResult(const char* className, const std::string& title, const std::string& text) {
    if (stub::ControlValue("ShowResult", "1") == "0")
        return;
    stub::ShowTextWindow(className, title, text,
                         static_cast<DWORD>(stub::ControlInt("ResultCloseMs", 4000)));
}

std::string JoinResults(const std::vector<std::string>& results) {
    std::string s;
    for (const auto& r : results)
        s += (s.empty() ? "" : ",") + r;
    return s;
}

std::string ResultLines(const std::vector<std::string>& results) {
    std::string s;
    for (const auto& r : results) {
        if (r == "decrypted")
            s += "Decryption successful.\r\n";
        else if (r == "decrypted+good-signature")
            s += "Decryption successful.\r\nGood signature from user \"Stand-in Sender "
                 "<sender@example.com>\".\r\n";
        else if (r == "decrypted+bad-signature" || r == "bad-signature")
            s += "BAD signature: the text has been changed.\r\n";
        else if (r == "good-signature")
            s += "Good signature from user \"Stand-in Sender <sender@example.com>\".\r\n";
        else if (r == "bad-checksum")
            s += "The message is damaged (checksum error).\r\n";
        else
            s += "You do not have the secret key needed to decrypt this message.\r\n";
    }
    return s;
}

struct Outcome {
    bool write = false; // put text on the clipboard
    std::string text;
    std::string result;
};

Outcome Encrypting(WORD id, const std::string& text) {
    Outcome o;
    o.write = true;
    if (stub::ControlFlag("EncryptAsSign")) {
        o.text = armour::ClearSign(text);
        o.result = "signed-instead";
    } else if (id == cmdSign) {
        o.text = armour::ClearSign(text);
        o.result = "signed";
    } else {
        o.text = armour::Encrypt(text, id == cmdEncryptSign);
        o.result = id == cmdEncryptSign ? "encrypted+signed" : "encrypted";
    }
    return o;
}

Outcome DecryptVerify(const std::string& text) {
    Outcome o;
    const armour::Decoded d = armour::DecryptVerify(text);
    if (!d.found) {
        o.result = "no-data";
        ShowResult("PGPstub_Result", "PGP Decrypt/Verify (stand-in)",
                   "The clipboard does not contain PGP data.");
        return o;
    }
    o.result = JoinResults(d.results);
    o.text = d.text;
    o.write = o.text != text;
    if (o.write && stub::ControlFlag("WrapKey")) {
        if (!o.text.empty() && o.text.back() != '\n')
            o.text += "\r\n";
        o.text += armour::StandInKeyBlock();
        o.result += ",wrapped-key";
    }
    ShowResult("PGPstub_Result", "PGP Decrypt/Verify (stand-in)",
               ResultLines(d.results) + "\r\n" + o.text);
    return o;
}

void AppendFile(const std::string& path, const std::string& data) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(h, data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    CloseHandle(h);
}

Outcome AddKey(const std::string& text) {
    Outcome o;
    const std::vector<std::string> keys = armour::KeyBlocks(text);
    for (const auto& k : keys)
        AppendFile(stub::ExeDir() + stub::kKeyringFile, k);
    o.result = "keys=" + std::to_string(keys.size());
    // PGP leaves the clipboard alone after an import; AddKeyRepeat makes the first N imports
    // change it while keeping the key, so that a caller's nested import repeats.
    if (!keys.empty() && addKeyChanges < stub::ControlInt("AddKeyRepeat", 0)) {
        ++addKeyChanges;
        o.write = true;
        o.text = "Imported keys, round " + std::to_string(addKeyChanges) + ":\r\n" + text;
        o.result += ",changed";
    }
    ShowResult("PGPstub_Result", "PGP Key Import (stand-in)",
               keys.empty() ? std::string("No keys found.")
                            : std::to_string(keys.size()) + " key(s) added to the keyring.");
    return o;
}

Outcome Tools() {
    Outcome o;
    const std::string tools = stub::ExeDir() + "PGPTools.Exe";
    if (GetFileAttributesA(tools.c_str()) == INVALID_FILE_ATTRIBUTES)
        o.result = "tools-missing";
    else
        o.result = stub::StartProgram("\"" + tools + "\"") ? "tools-started" : "tools-failed";
    return o;
}

// Like a clipboard manager reading right after PGP wrote: the clipboard is held for a while
// after the command returns. The command returns only once the holder has it.
DWORD WINAPI HoldClipboard(LPVOID ready) {
    for (int i = 0; i < 100 && !OpenClipboard(nullptr); ++i)
        Sleep(5);
    SetEvent(static_cast<HANDLE>(ready));
    Sleep(static_cast<DWORD>(stub::ControlInt("HoldClipboardMs", 0)));
    CloseClipboard();
    return 0;
}

void HoldClipboardAfterCommand() {
    if (stub::ControlInt("HoldClipboardMs", 0) <= 0)
        return;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE holder = CreateThread(nullptr, 0, HoldClipboard, ready, 0, nullptr);
    WaitForSingleObject(ready, 2000);
    CloseHandle(holder);
    CloseHandle(ready);
}

void OnCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    inCommand = true;
    const stub::ClipText before = stub::ReadClipboard(hwnd);
    BusyWait();
    Outcome o;
    if (LeaveClipboardFor(id)) {
        o.result = "left";
    } else {
        switch (id) {
        case cmdEncrypt:
        case cmdSign:
        case cmdEncryptSign:
            if (before.text.empty())
                o.result = "empty";
            else
                o = Encrypting(id, before.text);
            break;
        case cmdDecryptVerify:
            o = DecryptVerify(before.text);
            break;
        case cmdAddKey:
            o = AddKey(before.text);
            break;
        case cmdPreferences:
            o.result = "preferences";
            ShowResult("PGPstub_Preferences", "PGP Preferences (stand-in)",
                       "Nothing to set: this is a stand-in.");
            break;
        case cmdTools:
            o = Tools();
            break;
        default:
            o.result = "ignored";
        }
    }
    if (o.write && !stub::WriteClipboard(hwnd, o.text))
        o.result += ",clipboard-busy";
    const stub::ClipText after = stub::ReadClipboard(hwnd);
    const char* clipState = !before.opened ? "busy" : before.hasText ? "text" : "no-text";
    stub::AppendLog({{"event", "command"},
                     {"id", std::to_string(id)},
                     {"op", OpName(id)},
                     {"wparam", std::to_string(wParam)},
                     {"lparam", std::to_string(lParam)},
                     {"result", o.result},
                     {"clip", clipState},
                     {"before_len", std::to_string(before.text.size())},
                     {"after_len", std::to_string(after.text.size())},
                     {"before", before.text},
                     {"after", after.text}});
    inCommand = false;
    HoldClipboardAfterCommand();
    if (closePending)
        DestroyWindow(hwnd);
}

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_COMMAND:
        OnCommand(hwnd, wParam, lParam);
        return 0;
    case WM_CLOSE:
        // A close that arrives while a command's dialog is open waits for the command's end.
        if (inCommand)
            closePending = true;
        else
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmdLine, int) {
    stub::AppendLog({{"event", "start"},
                     {"prog", stub::ExeName()},
                     {"pid", std::to_string(GetCurrentProcessId())},
                     {"args", cmdLine ? cmdLine : ""}});
    if (stub::ControlFlag("NoWindow")) {
        // A PGP that never comes up; it goes away by itself so that nothing is left running.
        stub::AppendLog({{"event", "nowindow"}});
        Sleep(static_cast<DWORD>(stub::ControlInt("NoWindowExitMs", 30000)));
        stub::AppendLog({{"event", "exit"}});
        return 0;
    }
    const long delay = stub::ControlInt("StartDelayMs", 0);
    if (delay > 0)
        Sleep(static_cast<DWORD>(delay));
    if (FindWindowA(kTrayClass, nullptr)) {
        stub::AppendLog({{"event", "already-running"}});
        return 0;
    }

    WNDCLASSA wc = {};
    wc.lpfnWndProc = TrayProc;
    wc.hInstance = inst;
    wc.lpszClassName = kTrayClass;
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, kTrayClass, "PGPtray", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                nullptr, inst, nullptr);
    if (!hwnd) {
        stub::AppendLog({{"event", "no-window"}, {"error", std::to_string(GetLastError())}});
        return 1;
    }
    stub::AppendLog(
        {{"event", "window"}, {"hwnd", std::to_string(reinterpret_cast<UINT_PTR>(hwnd))}});

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    stub::AppendLog({{"event", "exit"}});
    return 0;
}
