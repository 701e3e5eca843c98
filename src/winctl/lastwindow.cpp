#include "winctl/lastwindow.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

const char* const TargetWindowVariable = "WEXTOR_TARGET_WINDOW";

namespace {

int CompareNoCase(const std::string& a, const std::string& b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int x = std::toupper(static_cast<unsigned char>(a[i]));
        const int y = std::toupper(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool IsShellClass(const std::string& cls) {
    // The taskbars, the tray's overflow (Windows 10 and 11), the desktop, the task switcher,
    // Start and search, a menu: the tray click itself makes some of them the foreground window.
    static const char* const shell[] = {
        "Shell_TrayWnd",
        "Shell_SecondaryTrayWnd",
        "NotifyIconOverflowWindow",
        "TopLevelWindowForOverflowXamlIsland",
        "Progman",
        "WorkerW",
        "MultitaskingViewFrame",
        "XamlExplorerHostIslandWindow",
        "ForegroundStaging",
        "Windows.UI.Core.CoreWindow",
        "#32768",
        "#32769", // the desktop itself: Wine reports it in front when no window is active
    };
    return std::any_of(std::begin(shell), std::end(shell),
                       [&](const char* s) { return CompareNoCase(cls, s) == 0; });
}

} // namespace

bool CountsAsUserWindow(const ForegroundFacts& w) {
    // Wine's tray is a window of its own with this title and an ordinary class.
    return w.visible && !w.cloaked && !w.ownProcess && !IsShellClass(w.className) &&
           w.title != "Wine System Tray";
}

void UserWindowHistory::Saw(std::uintptr_t window) {
    if (!window)
        return;
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
    windows_.insert(windows_.begin(), window);
    if (windows_.size() > Depth)
        windows_.resize(Depth);
}

std::uintptr_t
UserWindowHistory::Latest(const std::function<bool(std::uintptr_t)>& stillUsable) const {
    for (std::uintptr_t w : windows_)
        if (stillUsable(w))
            return w;
    return 0;
}

std::string TargetWindowValue(std::uintptr_t window) {
    char text[2 + 16 + 1];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(window));
    return text;
}

std::vector<std::string> WithVariable(std::vector<std::string> environment, const std::string& name,
                                      const std::string& value) {
    const std::string entry = name + "=" + value;
    // Entries such as "=C:=C:\" name a drive's folder and sort first.
    const auto nameOf = [](const std::string& e) {
        return e.substr(0, e.find('=', e.empty() || e[0] != '=' ? 0 : 1));
    };
    auto at = environment.begin();
    for (; at != environment.end(); ++at) {
        const int order = CompareNoCase(nameOf(*at), name);
        if (order == 0) {
            *at = entry;
            return environment;
        }
        if (order > 0 && (*at)[0] != '=')
            break;
    }
    environment.insert(at, entry);
    return environment;
}
