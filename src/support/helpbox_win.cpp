#include "support/helpbox_win.h"

#include "support/help.h"
#include "support/msgbox.h"

void ShowHelpTopic(HWND owner, const std::string& folder, unsigned context) {
    if (!OpenHelpTopic(owner, folder, context))
        TellNoHelp(folder + HelpFileName);
}

void ShowHelpFile(HWND owner, const std::string& file) {
    if (!OpenHelpFile(owner, file))
        TellNoHelp(file);
}

void ShowHelpPopup(HWND owner, const std::string& folder, unsigned context, POINT at) {
    if (!OpenHelpPopup(owner, folder, context, at))
        TellNoHelp(folder + HelpFileName);
}

void TellNoHelp(const std::string& file) {
    ShowMessageBox(NoHelpBox(file));
}
