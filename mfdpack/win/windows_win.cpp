#include "windows_win.h"

#include "common/cloak_win.h"
#include "common/unicode_win.h"
#include "exchange.h"
#include "frontwindow.h"

#include <psapi.h>

#include <cstdint>
#include <cwchar>

namespace mfdpack {

namespace {

constexpr UINT kAnswerMs = 5000;

BOOL CALLBACK CollectWindow(HWND w, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
    return TRUE;
}

std::string ClassOf(HWND w) {
    char name[256] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

std::string ProcessNameOf(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return "";
    // Wide: a folder named outside the ANSI code page must not hide the program's name.
    std::wstring path(32768, L'\0');
    DWORD size = static_cast<DWORD>(path.size());
    const bool ok = QueryFullProcessImageNameW(process, 0, &path[0], &size) != 0;
    CloseHandle(process);
    if (!ok)
        return "";
    path.resize(size);
    return Utf8Of(path.substr(path.find_last_of(L'\\') + 1));
}

WindowFacts FactsOf(HWND w) {
    WindowFacts f;
    f.title = TitleOf(w);
    f.className = ClassOf(w);
    f.visible = IsWindowVisible(w) && !IsIconic(w);
    const LONG_PTR exStyle = GetWindowLongPtrA(w, GWL_EXSTYLE);
    f.toolWindow = (exStyle & WS_EX_TOOLWINDOW) != 0;
    f.noActivate = (exStyle & WS_EX_NOACTIVATE) != 0;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    f.ownProcess = pid == GetCurrentProcessId();
    f.cloaked = f.visible && IsCloakedWindow(w);
    // Only windows that could be chosen need the costlier look at their process.
    if (f.visible && !f.toolWindow && !f.noActivate && !f.ownProcess)
        f.processName = ProcessNameOf(w);
    return f;
}

bool IsTextFieldClass(const std::string& cls) {
    std::string lower = cls;
    CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    // "RichEdit", "RichEdit20A/W", "RICHEDIT50W", "RICHEDIT60W"...
    return lower == "edit" || lower.find("richedit") != std::string::npos;
}

bool IsMultiLine(HWND field) {
    return (GetWindowLongPtrA(field, GWL_STYLE) & ES_MULTILINE) != 0;
}

struct FieldSearch {
    HWND multiLine = nullptr;
    HWND singleLine = nullptr;
};

BOOL CALLBACK LookAtChild(HWND w, LPARAM param) {
    auto* search = reinterpret_cast<FieldSearch*>(param);
    if (!IsWindowVisible(w) || !IsTextFieldClass(ClassOf(w)))
        return TRUE;
    const bool multi = IsMultiLine(w);
    if (multi && !search->multiLine)
        search->multiLine = w;
    if (!multi && !search->singleLine)
        search->singleLine = w;
    return search->multiLine ? FALSE : TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> all;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FrontWindow() {
    const std::vector<HWND> all = TopLevelWindows();
    std::vector<WindowFacts> facts;
    facts.reserve(all.size());
    for (HWND w : all)
        facts.push_back(FactsOf(w));
    const std::size_t i = PickFrontWindow(facts);
    return i == NoWindow ? nullptr : all[i];
}

HWND NamedOrFrontWindow() {
    wchar_t value[32] = L"";
    const DWORD n = GetEnvironmentVariableW(Widen(TargetWindowVariable).c_str(), value, 32);
    unsigned long long handle = 0;
    if (n > 0 && n < 32 && ParseTargetWindow(Utf8Of(value), handle)) {
        const HWND named = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(handle));
        const bool exists = IsWindow(named) != FALSE;
        if (TakesNamedWindow(exists, exists ? FactsOf(named) : WindowFacts()))
            return named;
    }
    return FrontWindow();
}

std::vector<HWND> WindowsOfClass(const char* className) {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows())
        if (IsWindowVisible(w) && lstrcmpiA(ClassOf(w).c_str(), className) == 0)
            found.push_back(w);
    return found;
}

std::string TitleOf(HWND window) {
    std::string title;
    return ReadFieldText(window, title) ? title : std::string();
}

HWND TextFieldOf(HWND topLevel) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    HWND focused = nullptr;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(topLevel, nullptr), &info) && info.hwndFocus &&
        IsChild(topLevel, info.hwndFocus) && IsTextFieldClass(ClassOf(info.hwndFocus)))
        focused = info.hwndFocus;
    // A mail form's To or Subject line may have the focus; the message is the multi-line field.
    if (focused && IsMultiLine(focused))
        return focused;
    FieldSearch search;
    EnumChildWindows(topLevel, LookAtChild, reinterpret_cast<LPARAM>(&search));
    if (search.multiLine)
        return search.multiLine;
    return focused ? focused : search.singleLine;
}

bool ReadFieldText(HWND window, std::string& text) {
    // Wide messages: every character, whatever the ANSI code page. A hung program must not hang
    // the driver; Wextor would wait for it.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length))
        return false;
    // The length may be an overestimate: the copy's own end decides.
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(),
                             reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG, kAnswerMs,
                             &copied))
        return false;
    text = Utf8Of(buffer.c_str(), std::wcslen(buffer.c_str()));
    return true;
}

bool ReplaceFieldText(HWND field, const std::string& text) {
    const std::wstring wide = Widen(text);
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutW(field, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kAnswerMs, &ignored))
        return false;
    // EM_REPLACESEL with "can undo" set, unlike WM_SETTEXT, keeps the program's Undo working.
    if (!SendMessageTimeoutW(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()),
                             SMTO_ABORTIFHUNG, kAnswerMs, &ignored))
        return false;
    SendMessageTimeoutW(field, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, kAnswerMs, &ignored);
    std::string now;
    return ReadFieldText(field, now) && SameTextButLineEnds(now, text);
}

} // namespace mfdpack
