#pragma once

#include <windows.h>

// Moves the window to the given fractions of the free screen space; its size stays.
void PlaceForm(HWND window, int xTenThousandths, int yTenThousandths);
