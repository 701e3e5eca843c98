#include "app/settings_win.h"

#include "common/unicode_win.h"
#include "support/platform.h"

#include <windows.h>

std::string PrivateProfile::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) {
    wchar_t buffer[1024] = L"";
    const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                             Widen(defaultValue).c_str(), buffer, 1024,
                                             Widen(fileName_).c_str());
    return Utf8Of(buffer, n);
}

namespace {

// The file the profile functions use: a bare name lies in the Windows folder.
std::wstring ProfilePath(const std::string& fileName) {
    if (fileName.find('\\') != std::string::npos)
        return Widen(fileName);
    wchar_t folder[MAX_PATH] = L"";
    const UINT n = GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, n < MAX_PATH ? n : 0) + L"\\" + Widen(fileName);
}

// Windows keeps a profile file in the ANSI code page unless it starts as UTF-16: a value the
// code page cannot carry (a path under a profile named in another script) turns the file into
// UTF-16 first, its earlier text kept.
void MakeRoomForText(const std::string& fileName, const std::string& text) {
    std::string ansi;
    if (CodePageFromUtf8(text, ansi))
        return;
    const std::wstring path = ProfilePath(fileName);
    std::string bytes;
    try {
        bytes = platform::ReadWholeFile(Utf8Of(path));
    } catch (const FileError&) {
        // No file yet: it starts as UTF-16.
    }
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return;
    const std::wstring wide = Widen(Utf8FromCodePage(bytes));
    std::string unicode("\xFF\xFE");
    unicode.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    platform::WriteWholeFile(Utf8Of(path), unicode);
}

} // namespace

void PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                 const std::string& value) {
    MakeRoomForText(fileName_, section + key + value);
    if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                    Widen(value).c_str(), Widen(fileName_).c_str()))
        throw FileError("Unable to write to " + fileName_);
}
