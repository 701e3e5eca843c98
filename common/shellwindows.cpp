#include "common/shellwindows.h"

#include "common/asciicase.h"

#include <algorithm>
#include <iterator>

bool IsShellWindow(const std::string& className, const std::string& title) {
    static const char* const shell[] = {
        "Shell_TrayWnd",
        "Shell_SecondaryTrayWnd",
        "NotifyIconOverflowWindow",
        "TopLevelWindowForOverflowXamlIsland",
        "Progman",
        "WorkerW",
        "#32768", // a menu
        "#32769", // the desktop itself: Wine reports it in front when no window is active
    };
    // Wine's tray is a window of its own with this title and an ordinary class.
    return title == "Wine System Tray" ||
           std::any_of(std::begin(shell), std::end(shell),
                       [&](const char* s) { return EqualIgnoringAsciiCase(className, s); });
}
