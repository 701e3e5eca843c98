// The clipboard as text, shared by Wextor 5, the GnuPG bridge and the driver pack. Text is UTF-8
// here and CF_UNICODETEXT on the clipboard, so every character survives; CF_TEXT goes beside it
// for programs that read only that. Text that may be a message in plain text is kept out of
// clipboard monitors, the clipboard history and the cloud clipboard.
#pragma once

#include <windows.h>

#include <string>

extern const char* const ExcludeFromMonitorFormat; // "ExcludeClipboardContentFromMonitorProcessing"
extern const char* const IncludeInHistoryFormat;   // "CanIncludeInClipboardHistory"
extern const char* const UploadToCloudFormat;      // "CanUploadToCloudClipboard"

// How often the clipboard is tried, 10 ms apart: about two seconds, as a clipboard manager or
// Windows' clipboard history may read it right after another program wrote it.
constexpr int ClipboardAttempts = 200;

// Opens the clipboard for the owner window, trying again for a while when another program holds
// it; messages sent to this thread are answered meanwhile (posted ones stay queued).
class ClipboardLock {
  public:
    explicit ClipboardLock(HWND owner, int attempts = ClipboardAttempts);
    ~ClipboardLock();
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

// The text as UTF-8, up to its first NUL, never read past its memory block: CF_UNICODETEXT,
// or CF_TEXT in the ANSI code page where a program put only that and Windows gives no
// CF_UNICODETEXT for it. False when the clipboard stayed busy (*busy then true) or holds no
// text.
bool ReadClipboardText(HWND owner, std::string& text, int attempts = ClipboardAttempts,
                       bool* busy = nullptr);
// Replaces the clipboard's content by the UTF-8 text (CF_UNICODETEXT, and CF_TEXT in the ANSI
// code page) and the three privacy formats; false when the clipboard stayed busy or something
// could not be set.
bool WriteClipboardText(HWND owner, const std::string& text, int attempts = ClipboardAttempts);
