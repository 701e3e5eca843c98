#include "stubcommon.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace stub {

std::string ExeDir() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s(path, n);
    return s.substr(0, s.find_last_of('\\') + 1);
}

std::string ExeName() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string s(path, n);
    return s.substr(s.find_last_of('\\') + 1);
}

namespace {

std::string ReadWholeFile(const std::string& path) {
    std::string data;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        data.append(buf, got);
    CloseHandle(h);
    return data;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

bool SameKey(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace

std::string ControlValue(const std::string& key, const std::string& fallback) {
    // Read by hand rather than through the profile API so that a file rewritten a moment ago
    // is always seen as it is now.
    const std::string data = ReadWholeFile(ExeDir() + kControlFile);
    std::string value = fallback;
    size_t pos = 0;
    while (pos < data.size()) {
        size_t end = data.find('\n', pos);
        if (end == std::string::npos)
            end = data.size();
        const std::string line = Trim(data.substr(pos, end - pos));
        pos = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#' || line[0] == '[')
            continue;
        const size_t eq = line.find('=');
        // A later line wins, so a test can append to a file of defaults.
        if (eq != std::string::npos && SameKey(Trim(line.substr(0, eq)), key))
            value = Trim(line.substr(eq + 1));
    }
    return value;
}

long ControlInt(const std::string& key, long fallback) {
    const std::string v = ControlValue(key);
    if (v.empty())
        return fallback;
    char* end = nullptr;
    const long n = std::strtol(v.c_str(), &end, 10);
    return (end && *end == '\0') ? n : fallback;
}

bool ControlFlag(const std::string& key) {
    const std::string v = ControlValue(key);
    return v == "1" || SameKey(v, "yes") || SameKey(v, "true") || SameKey(v, "on");
}

std::string Escape(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (unsigned char c : s) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

void AppendLog(const Fields& fields) {
    std::string line;
    for (const auto& f : fields) {
        if (!line.empty())
            line += '\t';
        line += f.first + "=" + Escape(f.second);
    }
    line += "\ttick=" + std::to_string(GetTickCount()) + "\r\n";
    const std::string path = ExeDir() + kLogFile;
    // Several stand-ins may append at once; a record goes out in one write, retried while
    // another writer has the file open without sharing.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
            CloseHandle(h);
            return;
        }
        Sleep(10);
    }
}

namespace {

bool OpenClipboardRetry(HWND owner) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(10);
    }
    return false;
}

} // namespace

ClipText ReadClipboard(HWND owner) {
    ClipText clip;
    if (!OpenClipboardRetry(owner))
        return clip;
    clip.opened = true;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            // Never read past the block, even when the text lacks its NUL.
            const SIZE_T size = GlobalSize(data);
            SIZE_T n = 0;
            while (n < size && p[n] != '\0')
                ++n;
            clip.text.assign(p, n);
            clip.hasText = true;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return clip;
}

bool WriteClipboard(HWND owner, const std::string& text) {
    if (!OpenClipboardRetry(owner))
        return false;
    bool ok = false;
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        char* p = static_cast<char*>(GlobalLock(mem));
        memcpy(p, text.c_str(), text.size() + 1);
        GlobalUnlock(mem);
        ok = SetClipboardData(CF_TEXT, mem) != nullptr;
        if (!ok)
            GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

namespace {

constexpr UINT_PTR kCloseTimer = 1;
constexpr int kEditId = 100;

LRESULT CALLBACK TextWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(hwnd, kEditId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_TIMER:
        if (wParam == kCloseTimer)
            DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        if (GetWindowLongPtrA(hwnd, GWLP_USERDATA))
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

} // namespace

HWND ShowTextWindow(const char* className, const std::string& title, const std::string& text,
                    DWORD closeMs, bool quitOnClose) {
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(inst, className, &wc)) {
        wc.lpfnWndProc = TextWindowProc;
        wc.hInstance = inst;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        RegisterClassA(&wc);
    }
    // A bordered popup rather than a captioned window: Wine waits up to two seconds for a
    // window manager each time a captioned window goes away, and Xvfb has none.
    HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, className, title.c_str(), WS_POPUP | WS_BORDER,
                                80, 80, 420, 260, nullptr, nullptr, inst, nullptr);
    if (!hwnd)
        return nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, quitOnClose ? 1 : 0);
    RECT rc;
    GetClientRect(hwnd, &rc);
    HWND edit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
        rc.right, rc.bottom, hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)), inst,
        nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    if (closeMs > 0)
        SetTimer(hwnd, kCloseTimer, closeMs, nullptr);
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    return hwnd;
}

bool StartProgram(const std::string& commandLine) {
    std::string cmd = commandLine;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

} // namespace stub
