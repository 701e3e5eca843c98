#include "support/help_win.h"

#include "common/syslib_win.h"

#include "support/help.h"
#include "support/msgbox.h"

#include "common/unicode_win.h"

#include <htmlhelp.h>

namespace {

HelpHook helpHook;

// The wide entry: the help file lies beside the program, whose folder may have any name.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// hhctrl.ocx is loaded on first use only: most runs never open help.
HtmlHelpFn loadedEngine = nullptr;

HtmlHelpFn HtmlHelpEngine() {
    if (!loadedEngine)
        if (HMODULE module = LoadSystemLibrary(L"hhctrl.ocx"))
            loadedEngine = reinterpret_cast<HtmlHelpFn>(
                reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")));
    return loadedEngine;
}

bool CallEngine(const HelpCall& call, DWORD_PTR data) {
    if (helpHook) {
        helpHook(call);
        return true;
    }
    const HtmlHelpFn engine = HtmlHelpEngine();
    return engine && engine(call.owner, Widen(call.target).c_str(), call.command, data) != nullptr;
}

void ReportNoHelp(const std::string& folder) {
    MsgBoxRequest box;
    box.text = "The help file " + folder + HelpFileName + " could not be opened.";
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
        ReportNoHelp(folder);
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
    // Only help that was opened needs closing: no library is loaded for it at exit.
    if (loadedEngine)
        loadedEngine(nullptr, nullptr, HH_CLOSE_ALL, 0);
}
