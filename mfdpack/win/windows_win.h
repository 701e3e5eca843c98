// Other programs' windows as the drivers see them: the window in front, its text field, and
// that field's text read and replaced through messages. Text is UTF-8 here and goes through the
// wide messages, so every character survives; class names are ASCII and stay so.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace mfdpack {

// Visible or not, every top-level window in Z order from the top.
std::vector<HWND> TopLevelWindows();
// The highest window a person could have been writing in; null when none.
HWND FrontWindow();
// The window Wextor 5 names in TargetWindowVariable when it still exists and is visible, else
// FrontWindow().
HWND NamedOrFrontWindow();
// Visible top-level windows of this class, in Z order from the top.
std::vector<HWND> WindowsOfClass(const char* className);

// The window's title, every character; empty when it did not answer.
std::string TitleOf(HWND window);

// The edit or rich-edit control that holds the message in this top-level window: the focused
// multi-line one, else the first visible multi-line one, else the focused or first single-line
// one; null when it has none.
HWND TextFieldOf(HWND topLevel);

// The control's (or any window's) whole text; false when it did not answer.
bool ReadFieldText(HWND window, std::string& text);
// Selects everything and replaces it as typing would, so that the program's Undo brings the
// earlier text back. False when the control did not take it.
bool ReplaceFieldText(HWND field, const std::string& text);

} // namespace mfdpack
