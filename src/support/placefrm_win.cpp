#include "support/placefrm.h"
#include "support/placefrm_win.h"

void PlaceForm(HWND window, int xTenThousandths, int yTenThousandths) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int x = PlacedEdge(GetSystemMetrics(SM_CXSCREEN), w, xTenThousandths);
    const int y = PlacedEdge(GetSystemMetrics(SM_CYSCREEN), h, yTenThousandths);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
