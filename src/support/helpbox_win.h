// Help as the user asks for it (Help buttons, F1, the "?" popups, PGP's help), with a box when
// the help file cannot be opened.
#pragma once

#include "support/help_win.h"

#include <string>

void ShowHelpTopic(HWND owner, const std::string& folder, unsigned context);
void ShowHelpFile(HWND owner, const std::string& file);
void ShowHelpPopup(HWND owner, const std::string& folder, unsigned context, POINT at);
// "The help file ... could not be opened."
void TellNoHelp(const std::string& file);
