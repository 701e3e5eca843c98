// The help engine: HTML Help (hhctrl.ocx, on every Windows since 98) opens a topic page for
// Help buttons and F1, the short text for the "?" popups, or another program's help file. Tests
// put a hook in its place. It only tells whether the file opened; helpbox_win.h tells the user.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

struct HelpCall {
    HWND owner;
    std::string target; // "<folder>Wextor5.chm::/ctx4000.htm", the popup texts' file, or a file
    UINT command;       // HH_DISPLAY_TOPIC or HH_DISPLAY_TEXT_POPUP
    unsigned context;
};
using HelpHook = std::function<void(const HelpCall&)>;

// Replaces the help engine; an empty hook puts HTML Help back. Returns the one before.
HelpHook SetHelpHook(HelpHook hook);

// Each is false when the help file could not be opened.
// folder: where the help file lies, with a trailing backslash.
bool OpenHelpTopic(HWND owner, const std::string& folder, unsigned context);
// Another program's help file (PGP's), at its own default topic.
bool OpenHelpFile(HWND owner, const std::string& file);
// The popup at a screen point; where HTML Help shows no popup, the topic instead.
bool OpenHelpPopup(HWND owner, const std::string& folder, unsigned context, POINT at);
// Closes the help windows; HTML Help wants it before the program ends.
void CloseHelp();
