// HotKeyHelper.exe, for the keyboard shortcut scenario:
//   HotKeyHelper.exe /hold MODIFIERS KEY FILE   another program that holds a shortcut (MOD_* and
//                                          a virtual-key code, decimal) until it is ended; FILE
//                                          is written once the keys are held
//   HotKeyHelper.exe /edit TITLE FILE      the text of the edit field of the window of that title
//   HotKeyHelper.exe /texts TITLE FILE     the texts of all controls of that window, one a line
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace {
std::string TextOf(HWND w) {
    const LRESULT n = SendMessageA(w, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(n));
    return text;
}

BOOL CALLBACK AddText(HWND w, LPARAM all) {
    *reinterpret_cast<std::string*>(all) += TextOf(w) + "\n";
    return TRUE;
}

bool Save(const char* file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5)
        return 2;
    const std::string verb = argv[1];
    if (verb == "/hold") {
        if (!RegisterHotKey(nullptr, 1, static_cast<UINT>(std::atoi(argv[2])),
                            static_cast<UINT>(std::atoi(argv[3]))))
            return 1;
        // The test starts Wextor only now: a process that is running may not hold them yet.
        if (argc > 4 && !Save(argv[4], "held"))
            return 1;
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0)
            DispatchMessageA(&msg);
        return 0;
    }
    const HWND top = FindWindowA(nullptr, argv[2]);
    if (!top)
        return 1;
    if (verb == "/edit") {
        const HWND field = FindWindowExA(top, nullptr, "Edit", nullptr);
        return field && Save(argv[3], TextOf(field)) ? 0 : 1;
    }
    if (verb == "/texts") {
        std::string all;
        EnumChildWindows(top, AddText, reinterpret_cast<LPARAM>(&all));
        return Save(argv[3], all) ? 0 : 1;
    }
    return 2;
}
