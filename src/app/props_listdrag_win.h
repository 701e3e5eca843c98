// Drag and drop between the two mailer lists: each list is subclassed so that the page
// decides the selection and the menu, and a drag begins once the pointer has moved by the
// system's threshold with the button held.
#pragma once

#include <windows.h>

// What the drag asks of the page whose lists it serves.
class ListDragHost {
  public:
    virtual ~ListDragHost() = default;
    // A mouse button went down on list; the page may Begin a drag from there.
    virtual void ListMouseDown(HWND list, bool left, bool doubleClick, int x, int y) = 0;
    // The list a drop at this screen point lands on; nullptr for none.
    virtual HWND DropTargetAt(POINT screen) const = 0;
    virtual bool DragOver(HWND target, HWND source) const = 0;
    virtual void DragDrop(HWND target, HWND source) = 0;
    // x, y: screen point, or -1, -1 from the keyboard.
    virtual void ListContextMenu(HWND list, int x, int y) = 0;
};

class TListDrag {
  public:
    explicit TListDrag(ListDragHost& host);
    TListDrag(const TListDrag&) = delete;
    TListDrag& operator=(const TListDrag&) = delete;

    void Attach(HWND list); // until the list is destroyed
    // Pending from the button going down at x, y of list; dragging once it has moved.
    void Begin(HWND list, int x, int y);
    void End();
    bool Pending() const { return source_ != nullptr; }

  private:
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam);
    void MouseMove(HWND list, WPARAM keys, POINT at);
    void ButtonUp(HWND list, POINT at);

    ListDragHost& host_;
    HCURSOR dragCursor_ = nullptr;
    HWND source_ = nullptr;
    POINT start_{};
    bool dragging_ = false;
};
