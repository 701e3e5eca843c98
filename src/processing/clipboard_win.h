// The clipboard as text: UTF-8 here, CF_UNICODETEXT (and CF_TEXT beside it) there.
#pragma once

// The registered formats that keep clipboard content private are common/clipboard_win.h's.
#include "common/clipboard_win.h"

#include <string>

// The program's window that owns what it puts on the clipboard.
HWND ClipboardOwner();

// The clipboard text up to its first NUL; empty when there is none or the clipboard stays busy.
std::string GetClipboardText();
// The text as GetClipboardText has it; false only when the clipboard stayed busy (about two
// seconds), which must not pass for an empty one.
bool ReadClipboardForRun(std::string& text);
// Replaces the clipboard's content by the text. Message text is kept out of clipboard
// monitors, the clipboard history and the cloud clipboard. False when the clipboard stayed busy
// or the text could not be set, and for a text holding a NUL (the clipboard would cut it there).
bool SetClipboardText(const std::string& text);
