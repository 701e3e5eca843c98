#include "windows_win.h"

#include "exchange.h"
#include "frontwindow.h"

#include <psapi.h>

#include <cstring>

namespace mfdpack {

namespace {

const char kMark[] = "Wextor5.MfdPack.Target";
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
    char path[MAX_PATH] = "";
    DWORD size = sizeof path;
    const bool ok = QueryFullProcessImageNameA(process, 0, path, &size) != 0;
    CloseHandle(process);
    if (!ok)
        return "";
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
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

std::vector<HWND> WindowsOfClass(const char* className) {
    std::vector<HWND> found;
    for (HWND w : TopLevelWindows())
        if (IsWindowVisible(w) && lstrcmpiA(ClassOf(w).c_str(), className) == 0)
            found.push_back(w);
    return found;
}

std::string TitleOf(HWND window) {
    char title[512] = "";
    DWORD_PTR n = 0;
    // A hung program must not hang the driver; Wextor would wait for it.
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title),
                             SMTO_ABORTIFHUNG, kAnswerMs, &n))
        return "";
    return std::string(title, std::strlen(title));
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

bool ReadFieldText(HWND field, std::string& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &length))
        return false;
    // The length may be an overestimate (multi-byte text): the copy's own count decides.
    std::string buffer(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(field, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]),
                             SMTO_ABORTIFHUNG, kAnswerMs, &copied))
        return false;
    text.assign(buffer.c_str(), std::strlen(buffer.c_str()));
    return true;
}

bool ReplaceFieldText(HWND field, const std::string& text) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(field, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, kAnswerMs, &ignored))
        return false;
    // EM_REPLACESEL with "can undo" set, unlike WM_SETTEXT, keeps the program's Undo working.
    if (!SendMessageTimeoutA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, kAnswerMs, &ignored))
        return false;
    SendMessageTimeoutA(field, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, kAnswerMs, &ignored);
    std::string now;
    return ReadFieldText(field, now) && SameTextButLineEnds(now, text);
}

void MarkTarget(HWND target) {
    ClearMarks();
    SetPropA(target, kMark, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1)));
}

HWND MarkedTarget() {
    for (HWND w : TopLevelWindows())
        if (IsWindowVisible(w) && GetPropA(w, kMark))
            return w;
    return nullptr;
}

void ClearMarks() {
    for (HWND w : TopLevelWindows())
        if (GetPropA(w, kMark))
            RemovePropA(w, kMark);
}

} // namespace mfdpack
