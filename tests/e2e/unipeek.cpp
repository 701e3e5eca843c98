// UniPeek.exe, for the scenario scripts: text in and out of other programs' windows and the
// clipboard through the wide API, as UTF-8 files, so that no code page stands between.
//   UniPeek.exe /set CLASS FILE    the file's text into the edit field of the top window of CLASS
//   UniPeek.exe /get CLASS FILE    that field's text into the file
//   UniPeek.exe /clip FILE         the clipboard's CF_UNICODETEXT into the file
//   UniPeek.exe /title CLASS FILE  the title of the top window of CLASS into the file
//   UniPeek.exe /version FILE      whether FILE has a version resource (version.dll imported)
#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::wstring Wide(const std::string& utf8) {
    const int n =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

std::string Utf8(const std::wstring& w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

bool Save(const wchar_t* file, const std::wstring& text) {
    std::ofstream out(file, std::ios::binary);
    out << Utf8(text);
    return static_cast<bool>(out);
}

std::wstring Load(const wchar_t* file) {
    std::ifstream in(file, std::ios::binary);
    return Wide(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

HWND Field(const wchar_t* cls) {
    HWND top = FindWindowW(cls, nullptr);
    for (const wchar_t* c : {L"Edit", L"RICHEDIT50W", L"RichEdit20W", L"RichEdit20A"})
        if (HWND field = top ? FindWindowExW(top, nullptr, c, nullptr) : nullptr)
            return field;
    return nullptr;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR n = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(static_cast<size_t>(got));
    return text;
}

std::wstring Clipboard() {
    std::wstring text = L"<none>";
    if (!OpenClipboard(nullptr))
        return L"<busy>";
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 3)
        return 2;
    const std::wstring verb = argv[1];
    if (verb == L"/clip")
        return Save(argv[2], Clipboard()) ? 0 : 1;
    if (verb == L"/version") {
        DWORD unused = 0;
        return GetFileVersionInfoSizeW(argv[2], &unused) ? 0 : 1;
    }
    if (argc != 4)
        return 2;
    if (verb == L"/title") {
        HWND top = FindWindowW(argv[2], nullptr);
        return top && Save(argv[3], TextOf(top)) ? 0 : 1;
    }
    HWND field = Field(argv[2]);
    if (!field)
        return 1;
    if (verb == L"/get")
        return Save(argv[3], TextOf(field)) ? 0 : 1;
    if (verb == L"/set") {
        const std::wstring text = Load(argv[3]);
        DWORD_PTR ok = 0;
        SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                            SMTO_ABORTIFHUNG, 5000, &ok);
        return ok ? 0 : 1;
    }
    return 2;
}
