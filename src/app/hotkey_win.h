// The keyboard shortcut in Windows' terms: the hot-key control's value and the system-wide
// registration that sends WM_HOTKEY to a window.
#pragma once

#include "app/hotkey.h"

#include <windows.h>

// HKM_GETHOTKEY's value (key code low, HOTKEYF_* high) and back.
HotKey HotKeyFromControlValue(WORD value);
WORD ControlValueOf(const HotKey& keys);

// One shortcut held for a window, given up when it goes.
class THotKeyRegistration {
  public:
    THotKeyRegistration(HWND window, int id) : window_(window), id_(id) {}
    ~THotKeyRegistration() { Release(); }
    THotKeyRegistration(const THotKeyRegistration&) = delete;
    THotKeyRegistration& operator=(const THotKeyRegistration&) = delete;

    // Holds these keys instead of the ones before; false when another program holds them.
    // The same keys held already cost nothing; none gives up the ones before.
    bool Apply(const HotKey& keys);
    void Release();
    const HotKey& Keys() const { return keys_; } // the last asked for, held or not
    bool Held() const { return held_; }

  private:
    HWND window_;
    int id_;
    HotKey keys_;
    bool held_ = false;
};
