// The bridge's help, PGPBridge.chm beside GpgBridge.exe, in HTML Help at a topic. Tests put a
// hook in place of HTML Help.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "help.h"

// target: "<folder>PGPBridge.chm::/recipients.htm". Returns the hook before; an empty hook
// puts HTML Help back.
using BridgeHelpHook = std::function<void(HWND owner, const std::string& target)>;
BridgeHelpHook SetBridgeHelpHook(BridgeHelpHook hook);

void ShowBridgeHelp(HWND owner, HelpTopic topic);
