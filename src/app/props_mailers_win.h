// The Mailer Choice page: the library of known mailers and the active list, moved between by
// double-click, shortcut menu or drag and drop, and the notice over an empty active list.
#pragma once

#include "app/props_listdrag_win.h"
#include "app/props_page_win.h"
#include "app/propsmodel.h"
#include "common/handles_win.h"
#include "drivers/mailerlist.h"

#include <string>
#include <vector>

class TMailersPage : public TPropsPage, private ListDragHost {
  public:
    explicit TMailersPage(TPropsForm& form);

    void Init() override;
    void AddCommands(CommandTable& table) override;
    const PlaceTable& Places() const override;
    INT_PTR CtlColorStatic(HDC dc, HWND control) override;

    const MailerList& lstLibrary() const { return library_; }
    const MailerList& lstActive() const { return active_; }
    void FillMailerLists(const std::vector<std::string>& activeLines); // LoadCatalogue
    void ReadListSelections();
    // The refresh's part here: the notice, and the same-driver marks of the active list.
    void ShowRefresh(const RefreshDecision& decision);
    void MoveToActive();
    void MoveToLibrary();
    void StripActiveMarks();
    // Esc during a drag ends the drag; true when there was one.
    bool CancelDrag();

    void lstLibraryClick();
    void lstActiveClick();
    void lstLibraryDblClick();
    void lstActiveDblClick();
    void lstActiveMouseDown(bool left, bool doubleClick, int x, int y);
    void lstLibraryMouseDown(bool left, bool doubleClick, int x, int y);
    bool lstActiveDragOver(HWND source) const;
    bool lstLibraryDragOver(HWND source) const;
    void lstActiveDragDrop(HWND source);
    void lstLibraryDragDrop(HWND source);
    // The shortcut menus.
    void Details1Click();
    void MakeActive1Click();
    void detActiveClick();
    void Tolibrary1Click();

  private:
    void ListMouseDown(HWND list, bool left, bool doubleClick, int x, int y) override;
    HWND DropTargetAt(POINT screen) const override;
    bool DragOver(HWND target, HWND source) const override;
    void DragDrop(HWND target, HWND source) override;
    void ListContextMenu(HWND list, int x, int y) override;

    HWND Library() const; // lstLibrary's box
    HWND Active() const;  // lstActive's box
    void ShowList(HWND box, const MailerList& model, bool keepTop);
    void AfterMove();
    int EntryAt(HWND list, int x, int y) const;
    // The Details of the driver of the list's selected entry.
    void ShowDetailsOfSelected(const MailerList& list);

    TPropsForm& form_;
    TListDrag drag_;
    UniqueGdiObject noticeBrush_;
    MailerList library_, active_;
    CommandTable menuCommands_;
    // The shortcut menus open only after a right click over an entry.
    bool libraryMenuAllowed_ = false, activeMenuAllowed_ = false;
    bool dragWanted_ = false; // the mouse-down handler asks for a drag
};
