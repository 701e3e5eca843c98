#include "common/winerror_win.h"

#include "common/unicode_win.h"

std::string WinErrorText(DWORD code) {
    // In the user's language, so UTF-8 like every other text.
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::string text = n && buffer ? Utf8Of(buffer, n) : "Unknown error";
    if (buffer)
        LocalFree(buffer);
    while (!text.empty() &&
           (text.back() == '\r' || text.back() == '\n' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text + " (" + std::to_string(code) + ")";
}
