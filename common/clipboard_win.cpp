#include "common/clipboard_win.h"

#include "common/unicode_win.h"

#include <cstring>

const char* const ExcludeFromMonitorFormat = "ExcludeClipboardContentFromMonitorProcessing";
const char* const IncludeInHistoryFormat = "CanIncludeInClipboardHistory";
const char* const UploadToCloudFormat = "CanUploadToCloudClipboard";

namespace {

const DWORD kOpenRetryMs = 10;

bool OpenClipboardRetrying(HWND owner, int attempts) {
    for (int attempt = 0;; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        if (attempt + 1 >= attempts)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kOpenRetryMs, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

// Hands a copy of the bytes to the clipboard; the clipboard owns the memory once it took it.
bool SetData(UINT format, const void* data, std::size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return false;
    void* p = GlobalLock(memory);
    if (!p) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(p, data, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

bool SetPrivacyFormat(const char* name, DWORD value) {
    const UINT format = RegisterClipboardFormatA(name);
    return format != 0 && SetData(format, &value, sizeof value);
}

} // namespace

ClipboardLock::ClipboardLock(HWND owner, int attempts)
    : open_(OpenClipboardRetrying(owner, attempts)) {}

ClipboardLock::~ClipboardLock() {
    if (open_)
        CloseClipboard();
}

bool ReadClipboardText(HWND owner, std::string& text, int attempts, bool* busy) {
    ClipboardLock clipboard(owner, attempts);
    if (busy)
        *busy = !clipboard.open();
    if (!clipboard.open())
        return false;
    // Another program's data need not end in a NUL: never read past the block.
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t* p = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = Utf8Of(p, wcsnlen(p, GlobalSize(data) / sizeof(wchar_t)));
            GlobalUnlock(data);
            return true;
        }
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* p = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!p)
        return false;
    text = Utf8FromCodePage(std::string(p, strnlen(p, GlobalSize(data))));
    GlobalUnlock(data);
    return true;
}

bool WriteClipboardText(HWND owner, const std::string& text, int attempts) {
    ClipboardLock clipboard(owner, attempts);
    if (!clipboard.open() || !EmptyClipboard())
        return false;
    const std::wstring wide = Widen(text);
    bool ok = SetData(CF_UNICODETEXT, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
    // Where the code page cannot carry a character, CF_TEXT is left to Windows' own conversion
    // (which is what a program reading CF_TEXT would get anyway).
    std::string ansi;
    if (CodePageFromUtf8(text, ansi))
        ok = SetData(CF_TEXT, ansi.c_str(), ansi.size() + 1) && ok;
    ok = SetPrivacyFormat(ExcludeFromMonitorFormat, 0) && ok;
    ok = SetPrivacyFormat(IncludeInHistoryFormat, 0) && ok;
    ok = SetPrivacyFormat(UploadToCloudFormat, 0) && ok;
    return ok;
}
