// Peek.exe, for the scenario scripts: what a user would read off the screen or paste.
//   Peek.exe /clipboard FILE          the clipboard's text into FILE
//   Peek.exe /text TITLE ID FILE      the text of control ID in the top-level window TITLE
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

bool Save(const char* file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string Clipboard() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "/clipboard") == 0)
        return Save(argv[2], Clipboard()) ? 0 : 1;
    if (argc == 5 && std::strcmp(argv[1], "/text") == 0) {
        HWND window = FindWindowA(nullptr, argv[2]);
        HWND control = window ? GetDlgItem(window, std::atoi(argv[3])) : nullptr;
        if (!control)
            return 2;
        // GetWindowText reads only captions of other processes' windows; the message reads any.
        std::string text(static_cast<size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                         '\0');
        text.resize(static_cast<size_t>(
            SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]))));
        return Save(argv[4], text) ? 0 : 1;
    }
    return 3;
}
