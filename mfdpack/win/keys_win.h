// Select all, copy and paste by key presses, for windows whose text field is no edit control.
// The caller keeps the user's clipboard (SavedClipboard) around these.
#pragma once

#include <windows.h>

#include <string>

namespace mfdpack {

// Ctrl+A, Ctrl+C in the window in front, as a person would; the text copied, when the
// clipboard changed within a bound.
bool CopyAllByKeys(HWND window, std::string& text);
// Ctrl+A, Ctrl+V with the text on the clipboard, then a copy to see that the text arrived.
bool PasteAllByKeys(HWND window, const std::string& text);

} // namespace mfdpack
