#include "frontwindow.h"

#include <algorithm>
#include <cctype>

namespace mfdpack {

const char* const NothingInFrontShort = "<FRONTMFD: no window in front>";

namespace {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsOneOf(const std::string& text, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* n) { return SameText(text, n); });
}

bool IsShell(const WindowFacts& w) {
    return IsOneOf(w.className, {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "Progman", "WorkerW",
                                 "NotifyIconOverflowWindow", "Button", "#32768", "tooltips_class32",
                                 "SysShadow", "IME", "MSCTFIME UI"}) ||
           w.title == "Wine System Tray"; // Wine's stand-alone tray, raised by every click on it
}

bool IsWextors(const WindowFacts& w) {
    // Its progress window can outlive a crash of its process only for a moment; the title keeps
    // a renamed copy of the program out too.
    return SameText(w.processName, "Wextor5.exe") || w.title == "PGP Running";
}

std::string Trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

} // namespace

bool CanBeInFront(const WindowFacts& w) {
    return w.visible && !w.toolWindow && !w.noActivate && !w.ownProcess &&
           !Trimmed(w.title).empty() && !IsShell(w) && !IsWextors(w);
}

std::size_t PickFrontWindow(const std::vector<WindowFacts>& zOrder) {
    for (std::size_t i = 0; i < zOrder.size(); ++i)
        if (CanBeInFront(zOrder[i]))
            return i;
    return NoWindow;
}

std::string TitleFragment(const std::string& title) {
    constexpr std::size_t kLongest = 60;
    // A header value holds no line end, and the fragment must stay a piece of the title.
    const std::string line = Trimmed(title.substr(0, title.find_first_of("\r\n")));
    // UTF-8: the cut goes before a character, never into one.
    std::size_t cut = std::min(line.size(), kLongest);
    while (cut > 0 && cut < line.size() && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
        --cut;
    return Trimmed(line.substr(0, cut));
}

} // namespace mfdpack
