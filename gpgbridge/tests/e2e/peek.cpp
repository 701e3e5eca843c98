// Peek.exe, for the scenario scripts: what a user would read off the screen or paste.
//   Peek.exe /clipboard FILE          the clipboard's text into FILE (UTF-8, from CF_UNICODETEXT)
//   Peek.exe /text TITLE ID FILE      the text of control ID in the top-level window TITLE (UTF-8)
//   Peek.exe /put FILE                the UTF-8 text of FILE onto the clipboard as CF_UNICODETEXT
//   Peek.exe /command ID              PGPtray's command ID to the bridge, as a mail tool sends it
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "common/clipboard_win.h"
#include "common/unicode_win.h"

namespace {

bool Save(const char* file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string Load(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "/clipboard") == 0) {
        std::string text;
        ReadClipboardText(nullptr, text);
        return Save(argv[2], text) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "/put") == 0)
        return WriteClipboardText(nullptr, Load(argv[2])) ? 0 : 1;
    if (argc == 3 && std::strcmp(argv[1], "/command") == 0) {
        HWND tray = FindWindowA("PGPtray_Hidden_Window", nullptr);
        return tray && SendMessageA(tray, WM_COMMAND, static_cast<WPARAM>(std::atoi(argv[2])), 0) ==
                           0
                   ? 0
                   : 1;
    }
    if (argc == 5 && std::strcmp(argv[1], "/text") == 0) {
        HWND window = FindWindowA(nullptr, argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control)
            return 2;
        // GetWindowText reads only captions of other processes' windows; the message reads any.
        std::wstring text(static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                          L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
        return Save(argv[4], Utf8Of(text)) ? 0 : 1;
    }
    return 3;
}
