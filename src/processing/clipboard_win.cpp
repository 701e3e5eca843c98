#include "processing/clipboard_win.h"

#include <windows.h>

#include <cstring>

const char* const ExcludeFromMonitorFormat = "ExcludeClipboardContentFromMonitorProcessing";
const char* const IncludeInHistoryFormat = "CanIncludeInClipboardHistory";
const char* const UploadToCloudFormat = "CanUploadToCloudClipboard";

namespace {

const int kOpenAttempts = 20;
const DWORD kOpenRetryMs = 10;

// The clipboard needs a window of ours as its owner; a message-only one stays out of every
// window walk.
HWND ClipboardOwner() {
    static HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleA(nullptr), nullptr);
    return owner;
}

// Another program may hold the clipboard for a moment. While we wait, messages sent to us are
// answered (the owner's WM_DESTROYCLIPBOARD among them); posted ones stay queued.
bool OpenClipboardRetrying() {
    for (int attempt = 0;; ++attempt) {
        if (OpenClipboard(ClipboardOwner()))
            return true;
        if (attempt + 1 == kOpenAttempts)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kOpenRetryMs, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

class ClipboardScope {
  public:
    ClipboardScope() : open_(OpenClipboardRetrying()) {}
    ~ClipboardScope() {
        if (open_)
            CloseClipboard();
    }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

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

std::string GetClipboardText() {
    ClipboardScope clipboard;
    if (!clipboard.open())
        return std::string();
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data)
        return std::string();
    const char* p = static_cast<const char*>(GlobalLock(data));
    if (!p)
        return std::string();
    // Another program's data need not end in a NUL: never read past the block.
    const std::size_t size = GlobalSize(data);
    const std::string text(p, strnlen(p, size));
    GlobalUnlock(data);
    return text;
}

bool SetClipboardText(const std::string& text) {
    // CF_TEXT ends at the first NUL: such a text would reach PGP cut short.
    if (text.find('\0') != std::string::npos)
        return false;
    ClipboardScope clipboard;
    if (!clipboard.open() || !EmptyClipboard())
        return false;
    bool ok = SetData(CF_TEXT, text.c_str(), text.size() + 1);
    ok = SetPrivacyFormat(ExcludeFromMonitorFormat, 0) && ok;
    ok = SetPrivacyFormat(IncludeInHistoryFormat, 0) && ok;
    ok = SetPrivacyFormat(UploadToCloudFormat, 0) && ok;
    return ok;
}
