// The dots per inch a window is shown at, and placing windows drawn at 96 dpi there.
#pragma once

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
