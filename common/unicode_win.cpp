#include "common/unicode_win.h"

#include <algorithm>

namespace {

int Length(std::size_t n) {
    return static_cast<int>(std::min<std::size_t>(n, 0x7fffffff));
}

std::wstring ToWide(const char* bytes, std::size_t size, UINT codePage) {
    if (size == 0)
        return {};
    const int n = MultiByteToWideChar(codePage, 0, bytes, Length(size), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, bytes, Length(size), wide.data(), n);
    return wide;
}

// The code points of a UTF-16 text.
std::vector<char32_t> CodePoints(const std::wstring& wide) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t c = static_cast<char16_t>(wide[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
            const char32_t low = static_cast<char16_t>(wide[i + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                points.push_back(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        points.push_back(c);
    }
    return points;
}

std::wstring Utf16Of(char32_t c) {
    if (c < 0x10000)
        return std::wstring(1, static_cast<wchar_t>(c));
    c -= 0x10000;
    return {static_cast<wchar_t>(0xD800 + (c >> 10)), static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
}

// True when the character goes into the code page and comes back as itself.
bool FitsCodePage(char32_t c, UINT codePage) {
    const std::wstring one = Utf16Of(c);
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, one.data(),
                                      static_cast<int>(one.size()), bytes, sizeof bytes, nullptr,
                                      &usedDefault);
    return n > 0 && !usedDefault && ToWide(bytes, static_cast<std::size_t>(n), codePage) == one;
}

} // namespace

std::wstring Widen(const std::string& utf8) {
    return ToWide(utf8.data(), utf8.size(), CP_UTF8);
}

std::wstring Widen(const char* utf8) {
    return utf8 ? Widen(std::string(utf8)) : std::wstring();
}

std::string Utf8Of(const wchar_t* wide, std::size_t length) {
    if (length == 0)
        return {};
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, wide, Length(length), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide, Length(length), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::string Utf8Of(const std::wstring& wide) {
    return Utf8Of(wide.data(), wide.size());
}

std::string Utf8Of(const wchar_t* wide) {
    return wide ? Utf8Of(wide, wcslen(wide)) : std::string();
}

std::string Utf8FromCodePage(const std::string& bytes, UINT codePage) {
    return Utf8Of(ToWide(bytes.data(), bytes.size(), codePage));
}

bool CodePageFromUtf8(const std::string& utf8, std::string& bytes, std::vector<char32_t>* unfit,
                      UINT codePage) {
    bytes.clear();
    if (unfit)
        unfit->clear();
    const std::wstring wide = Widen(utf8);
    if (wide.empty())
        return true;
    if (codePage == CP_ACP)
        codePage = GetACP();
    if (codePage == CP_UTF8) {
        bytes = utf8;
        return true;
    }
    // The common case in one call; the characters are looked at one by one only when it fails.
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(),
                                      Length(wide.size()), nullptr, 0, nullptr, &usedDefault);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0 && !usedDefault)
        WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), Length(wide.size()),
                            out.data(), n, nullptr, &usedDefault);
    if (n > 0 && !usedDefault && ToWide(out.data(), out.size(), codePage) == wide) {
        bytes = std::move(out);
        return true;
    }
    if (unfit) {
        for (char32_t c : CodePoints(wide))
            if (std::find(unfit->begin(), unfit->end(), c) == unfit->end() &&
                !FitsCodePage(c, codePage))
                unfit->push_back(c);
    }
    return false;
}

std::string WindowTextUtf8(HWND window) {
    if (!window)
        return {};
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return Utf8Of(text);
}

bool SetWindowTextUtf8(HWND window, const std::string& utf8) {
    return SetWindowTextW(window, Widen(utf8).c_str()) != FALSE;
}
