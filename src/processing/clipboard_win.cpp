#include "processing/clipboard_win.h"

#include "common/clipboard_win.h"

// Windows sets no data on a clipboard emptied without an owner; a message-only window stays
// out of every window walk.
HWND ClipboardOwner() {
    static HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    return owner;
}

std::string GetClipboardText() {
    std::string text;
    ReadClipboardText(ClipboardOwner(), text);
    return text;
}

bool ReadClipboardForRun(std::string& text) {
    text.clear();
    bool busy = false;
    ReadClipboardText(ClipboardOwner(), text, ClipboardAttempts, &busy);
    return !busy;
}

bool SetClipboardText(const std::string& text) {
    // CF_TEXT ends at the first NUL: such a text would reach PGP cut short.
    if (text.find('\0') != std::string::npos)
        return false;
    return WriteClipboardText(ClipboardOwner(), text);
}
