#include "support/help_win.h"

#include "common/htmlhelp_win.h"
#include "common/unicode_win.h"
#include "support/help.h"

#include <htmlhelp.h>

namespace {

HelpHook helpHook;

bool CallEngine(const HelpCall& call, DWORD_PTR data) {
    if (helpHook) {
        helpHook(call);
        return true;
    }
    return CallHtmlHelp(call.owner, Widen(call.target), call.command, data);
}

} // namespace

HelpHook SetHelpHook(HelpHook hook) {
    HelpHook before = std::move(helpHook);
    helpHook = std::move(hook);
    return before;
}

bool OpenHelpTopic(HWND owner, const std::string& folder, unsigned context) {
    return CallEngine({owner, HelpTopicTarget(folder, context), HH_DISPLAY_TOPIC, context}, 0);
}

bool OpenHelpFile(HWND owner, const std::string& file) {
    return CallEngine({owner, file, HH_DISPLAY_TOPIC, 0}, 0);
}

bool OpenHelpPopup(HWND owner, const std::string& folder, unsigned context, POINT at) {
    HH_POPUP popup = {}; // no text or font of its own: the same for both entries
    popup.cbStruct = sizeof popup;
    popup.idString = context;
    popup.pt = at;
    popup.clrForeground = popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    const HelpCall call{owner, HelpPopupTarget(folder), HH_DISPLAY_TEXT_POPUP, context};
    return CallEngine(call, reinterpret_cast<DWORD_PTR>(&popup)) ||
           OpenHelpTopic(owner, folder, context);
}

void CloseHelp() {
    CloseHtmlHelp();
}
