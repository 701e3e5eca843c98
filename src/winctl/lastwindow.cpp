#include "winctl/lastwindow.h"

#include "common/asciicase.h"
#include "common/shellwindows.h"

#include <algorithm>
#include <iterator>

namespace {

// Windows that come in front while the user reaches for the tray or the keys: the task switcher,
// Start and search.
bool IsForegroundPassage(const std::string& cls) {
    static const char* const passing[] = {
        "MultitaskingViewFrame",
        "XamlExplorerHostIslandWindow",
        "ForegroundStaging",
        "Windows.UI.Core.CoreWindow",
    };
    return std::any_of(std::begin(passing), std::end(passing),
                       [&](const char* s) { return EqualIgnoringAsciiCase(cls, s); });
}

} // namespace

bool CountsAsUserWindow(const ForegroundFacts& w) {
    return w.visible && !w.cloaked && !w.ownProcess && !IsShellWindow(w.className, w.title) &&
           !IsForegroundPassage(w.className);
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

std::vector<std::string> WithVariable(std::vector<std::string> environment, const std::string& name,
                                      const std::string& value) {
    const std::string entry = name + "=" + value;
    // Entries such as "=C:=C:\" name a drive's folder and sort first.
    const auto nameOf = [](const std::string& e) {
        return e.substr(0, e.find('=', e.empty() || e[0] != '=' ? 0 : 1));
    };
    auto at = environment.begin();
    for (; at != environment.end(); ++at) {
        const int order = CompareIgnoringAsciiCase(nameOf(*at), name);
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
