// The dots per inch a window is shown at, and placing windows drawn at 96 dpi there.
#pragma once

#include "common/handles_win.h"
#include "support/dpiscale.h"

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// The window's monitor's dpi where the system tells it per window (Windows 10 1607 on), else
// the system's.
int DpiOf(HWND window);
// MoveWindow with a box in 96-dpi pixels.
void MoveScaled(HWND control, const PixelBox& box, int dpi, BOOL repaint = FALSE);
// The outer size of a window whose client area is width x height 96-dpi pixels.
SIZE FrameForClient(HWND window, int width, int height, int dpi);
// WM_DPICHANGED: the window takes the rectangle the system suggests.
void TakeSuggestedRect(HWND window, LPARAM suggested);

// WM_DPICHANGED leaves a dialog with the font it was made with: this keeps a copy scaled to the
// new dpi and gives it to the dialog and every control on it. The font lives as long as this.
class DpiFontFollower {
  public:
    // The dpi the dialog's font was made for (its dpi when it was made).
    void Remember(int dpi) { dpi_ = dpi; }
    void Follow(HWND dialog, int newDpi);

  private:
    int dpi_ = 0;
    // The font the dialog was made with, and its dpi: every new size comes from these, so that
    // moves back and forth do not add up rounding.
    LOGFONTW base_ = {};
    int baseDpi_ = 0;
    UniqueGdiObject font_;
};

// The monitor under the mouse (at a tray click, the tray's; with a shortcut, where the user
// is): its whole area, so that on the main monitor nothing moves from where it always was.
RECT MonitorAreaAtCursor();
