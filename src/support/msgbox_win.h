#pragma once

#include <windows.h>

// The window that owns message boxes (and receives their Help button's WM_HELP).
void SetMessageBoxOwner(HWND owner);
