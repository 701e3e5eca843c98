#include "app/props_listdrag_win.h"

#include "app/appexception.h"
#include "res/resource.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>

namespace {
constexpr UINT_PTR kListSubclass = 1;
} // namespace

TListDrag::TListDrag(ListDragHost& host)
    : host_(host),
      dragCursor_(LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_PROPS_DRAG))) {}

void TListDrag::Attach(HWND list) {
    SetWindowSubclass(list, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
}

void TListDrag::Begin(HWND list, int x, int y) {
    source_ = list;
    start_ = {x, y};
    dragging_ = false;
    SetCapture(list);
}

void TListDrag::End() {
    const HWND source = source_;
    source_ = nullptr;
    dragging_ = false;
    if (source && GetCapture() == source)
        ReleaseCapture();
}

LRESULT CALLBACK TListDrag::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ListProc, kListSubclass);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    GuardHandler([&] {
        result =
            reinterpret_cast<TListDrag*>(self)->HandleListMessage(window, message, wParam, lParam);
    });
    return result;
}

LRESULT TListDrag::HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        // The page decides the selection, the menu and the drag; the box's own tracking of
        // the button would fight the drag.
        SetFocus(list);
        host_.ListMouseDown(list, message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK,
                            message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK, at.x, at.y);
        return 0;
    case WM_MOUSEMOVE:
        if (source_ != list)
            break;
        MouseMove(list, wParam, at);
        return 0;
    case WM_LBUTTONUP:
        if (source_ != list)
            break;
        ButtonUp(list, at);
        return 0;
    case WM_CAPTURECHANGED:
        if (source_ == list && reinterpret_cast<HWND>(lParam) != list) {
            source_ = nullptr; // another window took the mouse: the drag is over
            dragging_ = false;
        }
        break;
    case WM_CONTEXTMENU:
        host_.ListContextMenu(list, at.x, at.y);
        return 0;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void TListDrag::MouseMove(HWND list, WPARAM keys, POINT at) {
    if (!(keys & MK_LBUTTON)) { // the button went up where we did not see it
        End();
        return;
    }
    if (!dragging_ && (std::abs(at.x - start_.x) >= GetSystemMetrics(SM_CXDRAG) ||
                       std::abs(at.y - start_.y) >= GetSystemMetrics(SM_CYDRAG)))
        dragging_ = true;
    if (!dragging_)
        return;
    ClientToScreen(list, &at);
    const HWND target = host_.DropTargetAt(at);
    SetCursor(target && host_.DragOver(target, list) ? dragCursor_ : LoadCursorA(nullptr, IDC_NO));
}

void TListDrag::ButtonUp(HWND list, POINT at) {
    const bool dropped = dragging_;
    ClientToScreen(list, &at);
    End();
    const HWND target = dropped ? host_.DropTargetAt(at) : nullptr;
    if (target && host_.DragOver(target, list))
        host_.DragDrop(target, list);
}
