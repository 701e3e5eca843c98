#include "support/msgbox.h"

#include "support/runstate.h"

#include <utility>

namespace {
MsgBoxHandler& CurrentHandler() {
    static MsgBoxHandler handler;
    return handler;
}
} // namespace

int ShowMessageBox(const MsgBoxRequest& request) {
    const MsgBoxHandler& handler = CurrentHandler();
    return handler ? handler(request) : platform::ShowSystemMessageBox(request);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}

MsgBoxRequest NoHelpBox(const std::string& file) {
    MsgBoxRequest box;
    box.text = "The help file " + file + " could not be opened.";
    box.icon = MsgIcon::Warning;
    box.buttons = mbOK;
    return box;
}

int AskUser(const std::string& text, MsgIcon icon, unsigned buttons, unsigned helpContext) {
    MsgBoxRequest box;
    box.text = text;
    box.caption = ApplicationTitle;
    box.icon = icon;
    box.buttons = buttons;
    box.helpContext = helpContext;
    return ShowMessageBox(box);
}
