#include "support/placefrm.h"
#include "support/placefrm_win.h"

#include "support/dpi_win.h"

void PlaceForm(HWND window, int xTenThousandths, int yTenThousandths) {
    RECT r;
    if (!GetWindowRect(window, &r))
        return;
    const int w = r.right - r.left, h = r.bottom - r.top;
    // On the monitor the user works on; on the main one exactly where it always was.
    const RECT monitor = MonitorAreaAtCursor();
    const int x = monitor.left + PlacedEdge(monitor.right - monitor.left, w, xTenThousandths);
    const int y = monitor.top + PlacedEdge(monitor.bottom - monitor.top, h, yTenThousandths);
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
