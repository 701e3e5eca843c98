// PGPtray's command identifiers, as mail tools send them in WM_COMMAND.
#pragma once
#include <string>

enum BridgeCommand {
    CmdEncryptSign = 40007,
    CmdDecryptVerify = 40008,
    CmdAddKey = 40006,
    CmdPreferences = 40012,
    CmdOther = 40016,
    CmdEncrypt = 40017,
    CmdSign = 40018,
    CmdTools = 40019,
};

// The notice for commands the bridge does not carry out ("40019 and others").
std::string NoticeText(int command);
