// The hidden "PGPtray_Hidden_Window" and the commands it answers, each carried out with GnuPG
// before the sender's SendMessage returns.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "keylist.h"
#include "settings.h"

extern const char kTrayWindowClass[]; // "PGPtray_Hidden_Window"
extern const char kTitle[];           // "GnuPG bridge", the caption of its boxes

class Bridge {
  public:
    // Registers the class and makes the window and its tray icon. False when it cannot.
    bool Create(HINSTANCE instance);
    void Destroy();
    // The key list on its own, for PGPKeys when no key manager is installed.
    static void ShowKeysAlone();

  private:
    HWND window_ = nullptr;
    BridgeSettings settings_;
    bool busy_ = false;
    UINT taskbarCreated_ = 0;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void AddTrayIcon();
    void RemoveTrayIcon();
    void trayIconClick(LPARAM mouseMessage);
    void Command(int id);

    void cmdEncrypt(bool sign);
    void cmdSign();
    void cmdDecryptVerify();
    void cmdAddKey();
    void cmdPreferences();
    void cmdKeys();
    void cmdNotice(int id);
};
