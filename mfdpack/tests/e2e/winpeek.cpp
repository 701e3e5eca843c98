// WinPeek.exe, for the scenario scripts: what a user would read off the screen or paste.
//   WinPeek.exe /text CLASS FILE      the text of the edit field of the top window of CLASS
//   WinPeek.exe /setclip FILE         the file's text and a second, private format on the clipboard
//   WinPeek.exe /dumpclip FILE        the clipboard's text and second format, as the scripts
//   compare them
#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const char kSecond[] = "WextorTest.SecondFormat";

bool Save(const char* file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

std::string Load(const char* file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string FieldText(const char* cls) {
    HWND top = FindWindowA(cls, nullptr);
    HWND field = nullptr;
    for (const char* c : {"Edit", "RichEdit20W", "RichEdit20A", "RICHEDIT50W"})
        if (!field && top)
            field = FindWindowExA(top, nullptr, c, nullptr);
    if (!field)
        return "<no field>";
    const LRESULT n = SendMessageA(field, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(field, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(std::strlen(text.c_str()));
    return text;
}

HGLOBAL Block(const std::string& bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    char* p = static_cast<char*>(GlobalLock(h));
    std::memcpy(p, bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(h);
    return h;
}

std::string Read(UINT format) {
    HANDLE h = GetClipboardData(format);
    if (!h)
        return "<none>";
    const char* p = static_cast<const char*>(GlobalLock(h));
    std::string s = p ? std::string(p, strnlen(p, GlobalSize(h))) : "<none>";
    GlobalUnlock(h);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4)
        return 2;
    const std::string verb = argv[1];
    if (verb == "/text" && argc == 4)
        return Save(argv[3], FieldText(argv[2])) ? 0 : 1;
    const UINT second = RegisterClipboardFormatA(kSecond);
    if (!OpenClipboard(nullptr))
        return 1;
    bool ok = false;
    if (verb == "/setclip") {
        EmptyClipboard();
        ok = SetClipboardData(CF_TEXT, Block(Load(argv[2]))) &&
             SetClipboardData(second, Block("second format data"));
    } else if (verb == "/dumpclip") {
        ok = Save(argv[2], "text=" + Read(CF_TEXT) + "\nsecond=" + Read(second) + "\n");
    }
    CloseClipboard();
    return ok ? 0 : 1;
}
