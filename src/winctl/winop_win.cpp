#include "winctl/winop_win.h"

#include "common/unicode_win.h"

#include <windows.h>

#include <vector>

namespace {
HWND Hwnd(WindowHandle w) {
    return static_cast<HWND>(w);
}

// A window that has gone away reads as empty.
std::string TitleOf(HWND w) {
    if (!w)
        return std::string();
    // UTF-8 like every text inside: a title in any language matches a driver's Short.
    wchar_t buffer[WindowTextBufferSize] = L"";
    const int n = GetWindowTextW(w, buffer, WindowTextMaxCount);
    return Utf8Of(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string ClassOf(HWND w) {
    if (!w)
        return std::string();
    wchar_t buffer[WindowTextBufferSize] = L"";
    const int n = GetClassNameW(w, buffer, WindowTextMaxCount);
    return Utf8Of(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
}

// The windows from first on in Z order, taken before any is walked: other programs open and
// close windows while the walk goes on (and the depth complaint lets ours run), and a window
// that goes must not take its later siblings with it.
std::vector<HWND> Siblings(HWND first) {
    std::vector<HWND> windows;
    for (HWND w = first; w; w = GetWindow(w, GW_HWNDNEXT))
        windows.push_back(w);
    return windows;
}
} // namespace

void TestWindow(WindowSearch& search, WindowHandle w, const WINDOW& criteria) {
    const HWND window = Hwnd(w);
    // GetParent: the owner for an owned pop-up, the parent for a child.
    const HWND parent = GetParent(window);
    const HWND grandparent = parent ? GetParent(parent) : nullptr;
    const bool meets = MeetsCriteria(criteria, [&](WindowText which) {
        switch (which) {
        case WindowText::GrandparentClass:
            return ClassOf(grandparent);
        case WindowText::GrandparentTitle:
            return TitleOf(grandparent);
        case WindowText::ParentClass:
            return ClassOf(parent);
        case WindowText::OwnTitle:
            return TitleOf(window);
        case WindowText::OwnClass:
            return ClassOf(window);
        case WindowText::ParentTitle:
            return TitleOf(parent);
        }
        return std::string();
    });
    if (meets)
        RecordFoundWindow(search, w);
}

void WalkChildWindows(WindowSearch& search, WindowHandle w, const WINDOW& criteria) {
    for (const HWND child : Siblings(GetWindow(Hwnd(w), GW_CHILD))) {
        if (!IsWindow(child))
            continue; // closed while the walk went on
        TestWindow(search, child, criteria);
        ++search.WalkDepth;
        WalkChildWindows(search, child, criteria);
        --search.WalkDepth;
        CheckWalkDepth(search.WalkDepth);
    }
}

WindowHandle SearchWindows(const WINDOW& criteria, WindowHandle anchor) {
    WindowSearch search;
    // The first top-level window in Z order, whichever window of the program anchors the walk.
    const HWND root =
        anchor && IsWindow(Hwnd(anchor)) ? GetAncestor(Hwnd(anchor), GA_ROOT) : nullptr;
    for (const HWND w : Siblings(root ? GetWindow(root, GW_HWNDFIRST) : GetTopWindow(nullptr))) {
        if (search.WindowFound)
            break;
        if (!IsWindow(w))
            continue;
        TestWindow(search, w, criteria);
        search.WalkDepth = 0;
        WalkChildWindows(search, w, criteria);
    }
    return search.FoundWindow;
}

std::string FindWindowTitle(const std::string& text, WindowHandle anchor) {
    WINDOW criteria;
    ClearCriteria(criteria);
    criteria.OwnTitle.Partial = text;
    const WindowHandle found = SearchWindows(criteria, anchor);
    return found ? TitleOf(Hwnd(found)) : std::string();
}
