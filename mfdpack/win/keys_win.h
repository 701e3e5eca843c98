// Select all, copy and paste by key presses, for windows whose text field is no edit control.
// The caller keeps the user's clipboard (SavedClipboard) around these.
#pragma once

#include "common/handles_win.h"

#include <windows.h>

#include <string>

namespace mfdpack {

// A message-only window of the driver's own that owns the clipboard while the driver uses it:
// Windows sets no data after EmptyClipboard on a clipboard opened without an owner. Null when
// it could not be made.
UniqueWindow MakeClipboardOwner();

// Text is UTF-8 and goes over the clipboard as CF_UNICODETEXT (with CF_TEXT beside it), so
// every character survives; the owner is MakeClipboardOwner's window.
// Ctrl+A, Ctrl+C in the window in front, as a person would; the text copied, when the
// clipboard changed within a bound.
bool CopyAllByKeys(HWND window, HWND owner, std::string& text);
// Ctrl+A, Ctrl+V with the text on the clipboard, then a copy to see that the text arrived.
bool PasteAllByKeys(HWND window, HWND owner, const std::string& text);

} // namespace mfdpack
