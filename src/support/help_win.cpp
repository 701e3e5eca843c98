#include "support/help_win.h"

#include "common/htmlhelp_win.h"

#include "support/help.h"
#include "support/msgbox.h"

#include "common/unicode_win.h"

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

void ReportNoHelp(const std::string& file) {
    MsgBoxRequest box;
    box.text = "The help file " + file + " could not be opened.";
    box.icon = MsgIcon::Warning;
    box.buttons = mbOK;
    ShowMessageBox(box);
}

} // namespace

HelpHook SetHelpHook(HelpHook hook) {
    HelpHook before = std::move(helpHook);
    helpHook = std::move(hook);
    return before;
}

void ShowHelpTopic(HWND owner, const std::string& folder, unsigned context) {
    const HelpCall call{owner, HelpTopicTarget(folder, context), HH_DISPLAY_TOPIC, context};
    if (!CallEngine(call, 0))
        ReportNoHelp(folder + HelpFileName);
}

void ShowHelpFile(HWND owner, const std::string& file) {
    if (!CallEngine({owner, file, HH_DISPLAY_TOPIC, 0}, 0))
        ReportNoHelp(file);
}

void ShowHelpPopup(HWND owner, const std::string& folder, unsigned context, POINT at) {
    HH_POPUP popup = {}; // no text or font of its own: the same for both entries
    popup.cbStruct = sizeof popup;
    popup.idString = context;
    popup.pt = at;
    popup.clrForeground = popup.clrBackground = static_cast<COLORREF>(-1);
    popup.rcMargins = {-1, -1, -1, -1};
    const HelpCall call{owner, HelpPopupTarget(folder), HH_DISPLAY_TEXT_POPUP, context};
    if (!CallEngine(call, reinterpret_cast<DWORD_PTR>(&popup)))
        ShowHelpTopic(owner, folder, context);
}

void CloseHelp() {
    CloseHtmlHelp();
}
