#include "bridgehelp_win.h"

#include <htmlhelp.h>

#include "common/htmlhelp_win.h"
#include "common/unicode_win.h"

namespace {

BridgeHelpHook helpHook;

std::string ProgramFolder() {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::string folder = Utf8Of(self);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder;
}

} // namespace

BridgeHelpHook SetBridgeHelpHook(BridgeHelpHook hook) {
    BridgeHelpHook before = std::move(helpHook);
    helpHook = std::move(hook);
    return before;
}

void ShowBridgeHelp(HWND owner, HelpTopic topic) {
    const std::string folder = ProgramFolder();
    const std::string target = HelpTarget(folder, topic);
    if (helpHook) {
        helpHook(owner, target);
        return;
    }
    if (!CallHtmlHelp(owner, Widen(target), HH_DISPLAY_TOPIC, 0))
        MessageBoxW(
            owner,
            Widen("The help file " + folder + BridgeHelpFileName + " could not be opened.").c_str(),
            L"GnuPG bridge", MB_OK | MB_ICONWARNING);
}
