#include "frontwindow.h"

#include "common/hexdigits.h"

#include <algorithm>
#include <cctype>

namespace mfdpack {

const char* const NothingInFrontShort = "<FRONTMFD: no window in front>";
const char* const TargetWindowVariable = "WEXTOR_TARGET_WINDOW";

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
    return IsOneOf(w.className,
                   {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "Progman", "WorkerW",
                    "#32769", // the desktop itself, which Wine may put in front
                    "NotifyIconOverflowWindow", "TopLevelWindowForOverflowXamlIsland", "Button",
                    "#32768", "tooltips_class32", "SysShadow", "IME", "MSCTFIME UI"}) ||
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
    return w.visible && !w.cloaked && !w.toolWindow && !w.noActivate && !w.ownProcess &&
           !Trimmed(w.title).empty() && !IsShell(w) && !IsWextors(w);
}

std::size_t PickFrontWindow(const std::vector<WindowFacts>& zOrder) {
    for (std::size_t i = 0; i < zOrder.size(); ++i)
        if (CanBeInFront(zOrder[i]))
            return i;
    return NoWindow;
}

bool ParseTargetWindow(const std::string& value, unsigned long long& handle) {
    if (value.size() < 3 || value.size() > 18 || value[0] != '0' ||
        (value[1] != 'x' && value[1] != 'X'))
        return false;
    unsigned long long v = 0;
    for (std::size_t i = 2; i < value.size(); ++i) {
        const int digit = HexDigitValue(value[i]);
        if (digit < 0)
            return false;
        v = v * 16 + static_cast<unsigned>(digit);
    }
    handle = v;
    return v != 0;
}

bool TakesNamedWindow(bool exists, const WindowFacts& w) {
    // The shell's or Wextor's own would only be a wrong name: the Z order decides then.
    return exists && w.visible && !w.cloaked && !w.ownProcess && !IsShell(w) && !IsWextors(w);
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
