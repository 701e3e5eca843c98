// The clipboard's text, as PGPtray reads and leaves it.
#pragma once
#include <windows.h>

#include <string>

// False when the clipboard could not be opened or holds no text.
bool ReadClipboardText(HWND owner, std::string& text);
// Replaces the clipboard's contents with the text, marked to stay out of clipboard history,
// cloud clipboard and clipboard monitors: it may be plain text that was encrypted.
bool WriteClipboardText(HWND owner, const std::string& text);
