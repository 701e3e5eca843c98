// HTML Help (hhctrl.ocx, on every Windows since 98), taken from System32 on first use: most
// runs never open help.
#pragma once

#include <windows.h>

#include <string>

// HtmlHelpW; false when the engine cannot be loaded or it opened nothing.
bool CallHtmlHelp(HWND owner, const std::wstring& target, UINT command, DWORD_PTR data);
// Closes the help windows; HTML Help wants it before the program ends. Loads nothing.
void CloseHtmlHelp();
