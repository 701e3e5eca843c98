// Every modal message box of the program goes through ShowMessageBox, so that tests can answer
// them; the default shows the real box.
#pragma once

#include <functional>
#include <string>

enum MsgButton : unsigned {
    mbOK = 1u << 0,
    mbCancel = 1u << 1,
    mbAbort = 1u << 2,
    mbRetry = 1u << 3,
    mbIgnore = 1u << 4,
    mbYes = 1u << 5,
    mbNo = 1u << 6,
    mbHelp = 1u << 7,
};

enum class MsgIcon { None, Warning, Error, Information, Confirmation };

// The same numbers as Windows' IDOK .. IDNO.
enum MsgResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

struct MsgBoxRequest {
    std::string text;
    std::string caption;
    MsgIcon icon = MsgIcon::None;
    unsigned buttons = mbOK;
    unsigned helpContext = 0; // 0: none
};

using MsgBoxHandler = std::function<int(const MsgBoxRequest&)>;

// Shows the box (or asks the installed handler) and returns the MsgResult of the button pressed.
int ShowMessageBox(const MsgBoxRequest& request);

// A box under the program's title; returns the MsgResult of the button pressed.
int AskUser(const std::string& text, MsgIcon icon, unsigned buttons, unsigned helpContext = 0);

// The box that says a help file could not be opened; a box's own Help button can need it too.
MsgBoxRequest NoHelpBox(const std::string& file);

// Installs a handler in place of the real box; an empty handler restores the real one.
// Returns the handler that was installed before.
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

namespace platform {
int ShowSystemMessageBox(const MsgBoxRequest& request); // the real box
}
