#include "frontwindow.h"

#include "common/asciicase.h"
#include "common/shellwindows.h"

#include <algorithm>

namespace mfdpack {

const char* const NothingInFrontShort = "<FRONTMFD: no window in front>";

namespace {

bool IsOneOf(const std::string& text, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(),
                       [&](const char* n) { return EqualIgnoringAsciiCase(text, n); });
}

bool IsShell(const WindowFacts& w) {
    // Beside the shell's own: what lies above the windows in Z order without being one to write
    // in (start buttons, tooltips, shadows, input method windows).
    return IsShellWindow(w.className, w.title) ||
           IsOneOf(w.className, {"Button", "tooltips_class32", "SysShadow", "IME", "MSCTFIME UI"});
}

bool IsWextors(const WindowFacts& w) {
    // Its progress window can outlive a crash of its process only for a moment; the title keeps
    // a renamed copy of the program out too.
    return EqualIgnoringAsciiCase(w.processName, "Wextor5.exe") || w.title == "PGP Running";
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
