#include "clipboard_win.h"

#include <cstring>

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner))
            return true;
        Sleep(10);
    }
    return false;
}

class ClipboardLock {
  public:
    explicit ClipboardLock(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
    ~ClipboardLock() {
        if (open_)
            CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

HGLOBAL GlobalCopy(const void* data, size_t size) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory)
        return nullptr;
    void* target = GlobalLock(memory);
    if (!target) {
        GlobalFree(memory);
        return nullptr;
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    return memory;
}

void SetPrivacyFormat(const char* name, const void* data, size_t size) {
    const UINT format = RegisterClipboardFormatA(name);
    HGLOBAL memory = format ? GlobalCopy(data, size) : nullptr;
    if (memory && !SetClipboardData(format, memory))
        GlobalFree(memory);
}

} // namespace

bool ReadClipboardText(HWND owner, std::string& text) {
    ClipboardLock lock(owner);
    if (!lock.open())
        return false;
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* chars = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (!chars)
        return false;
    text.assign(chars, strnlen(chars, GlobalSize(data)));
    GlobalUnlock(data);
    return true;
}

bool WriteClipboardText(HWND owner, const std::string& text) {
    ClipboardLock lock(owner);
    if (!lock.open() || !EmptyClipboard())
        return false;
    HGLOBAL memory = GlobalCopy(text.c_str(), text.size() + 1);
    if (!memory)
        return false;
    if (!SetClipboardData(CF_TEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    const DWORD no = 0;
    SetPrivacyFormat("ExcludeClipboardContentFromMonitorProcessing", &no, sizeof no);
    SetPrivacyFormat("CanIncludeInClipboardHistory", &no, sizeof no);
    SetPrivacyFormat("CanUploadToCloudClipboard", &no, sizeof no);
    return true;
}
