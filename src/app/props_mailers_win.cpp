#include "app/props_mailers_win.h"

#include "drivers/MFDDirectory.h"
#include "drivers/mailerlist_win.h"
#include "res/resource.h"

namespace {
const COLORREF kNoticeText = RGB(255, 0, 0), kNoticeBack = RGB(255, 255, 0);

std::string ListText(HWND box, int index) {
    const LRESULT length = SendMessageA(box, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT got = SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

void InsertListText(HWND box, int index, const std::string& text) {
    SendMessageA(box, LB_INSERTSTRING, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.c_str()));
}
} // namespace

TMailersPage::TMailersPage(TPropsForm& form)
    : TPropsPage(IDD_PROPS_MAILERS), form_(form), drag_(*this),
      noticeBrush_(CreateSolidBrush(kNoticeBack)), library_(CompareListTextSystem),
      active_(CompareListTextSystem) {
    menuCommands_ = {
        {IDM_DETAILS1, AnyNotification, [this] { Details1Click(); }},
        {IDM_MAKEACTIVE1, AnyNotification, [this] { MakeActive1Click(); }},
        {IDM_DETACTIVE, AnyNotification, [this] { detActiveClick(); }},
        {IDM_TOLIBRARY1, AnyNotification, [this] { Tolibrary1Click(); }},
    };
}

void TMailersPage::Init() {
    drag_.Attach(Library());
    drag_.Attach(Active());
    // The notice lies over the active list.
    SetWindowPos(Item(IDC_LBLNOMAILERS), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMailersPage::AddCommands(CommandTable& table) {
    table.push_back({IDC_LSTLIBRARY, LBN_SELCHANGE, [this] { lstLibraryClick(); }});
    table.push_back({IDC_LSTLIBRARY, LBN_DBLCLK, [this] { lstLibraryDblClick(); }});
    table.push_back({IDC_LSTACTIVE, LBN_SELCHANGE, [this] { lstActiveClick(); }});
    table.push_back({IDC_LSTACTIVE, LBN_DBLCLK, [this] { lstActiveDblClick(); }});
}

const PlaceTable& TMailersPage::Places() const {
    static const PlaceTable places = {
        {IDC_LABEL1, {8, 4, 205, 32}},           {IDC_LSTLIBRARY, {8, 38, 205, 212}},
        {IDC_LABEL2, {220, 20, 205, 16}},        {IDC_LSTACTIVE, {220, 38, 205, 212}},
        {IDC_LBLNOMAILERS, {236, 104, 173, 80}}, // over the middle of the active list
    };
    return places;
}

INT_PTR TMailersPage::CtlColorStatic(HDC dc, HWND control) {
    if (control != Item(IDC_LBLNOMAILERS))
        return FALSE;
    SetTextColor(dc, kNoticeText);
    SetBkColor(dc, kNoticeBack);
    return reinterpret_cast<INT_PTR>(noticeBrush_.get());
}

HWND TMailersPage::Library() const {
    return Item(IDC_LSTLIBRARY);
}

HWND TMailersPage::Active() const {
    return Item(IDC_LSTACTIVE);
}

// ---- the lists and their models ----------------------------------------------------------

void TMailersPage::ShowList(HWND box, const MailerList& model, bool keepTop) {
    const LRESULT top = SendMessageA(box, LB_GETTOPINDEX, 0, 0);
    SendMessageA(box, WM_SETREDRAW, FALSE, 0);
    if (SendMessageA(box, LB_GETCOUNT, 0, 0) != model.Count()) {
        SendMessageA(box, LB_RESETCONTENT, 0, 0);
        for (const std::string& entry : model.Items())
            InsertListText(box, -1, entry);
    } else {
        // In place: the entry keeps its position in the (otherwise sorted) box.
        for (int i = 0; i < model.Count(); ++i) {
            if (ListText(box, i) == model[i])
                continue;
            SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
            InsertListText(box, i, model[i]);
        }
    }
    SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(model.Selected()), 0);
    if (keepTop)
        SendMessageA(box, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    SendMessageA(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
}

void TMailersPage::ReadListSelections() {
    library_.Select(ListSelection(Library()));
    active_.Select(ListSelection(Active()));
}

void TMailersPage::FillMailerLists(const std::vector<std::string>& activeLines) {
    active_.Clear();
    library_.Clear();
    try {
        LoadCatalogue(activeLines, active_, library_);
    } catch (...) {
        ShowList(Active(), active_, false);
        ShowList(Library(), library_, false);
        throw;
    }
    ShowList(Active(), active_, false);
    ShowList(Library(), library_, false);
}

void TMailersPage::ShowRefresh(const RefreshDecision& d) {
    ShowWindow(Item(IDC_LBLNOMAILERS), d.noMailersNotice ? SW_SHOWNA : SW_HIDE);
    if (!active_.Empty() && !MarkSameDriver(active_).empty())
        ShowList(Active(), active_, true);
}

void TMailersPage::AfterMove() {
    ShowList(Library(), library_, false);
    ShowList(Active(), active_, false);
    form_.RefreshControls();
    RebuildActiveDriverFiles(active_);
}

void TMailersPage::MoveToActive() {
    ReadListSelections();
    if (MoveSameDriver(library_, active_, false))
        AfterMove();
}

void TMailersPage::MoveToLibrary() {
    ReadListSelections();
    if (MoveSameDriver(active_, library_, true))
        AfterMove();
}

void TMailersPage::StripActiveMarks() {
    ReadListSelections();
    for (int i = 0; i < active_.Count(); ++i)
        active_.Replace(i, StripSameDriverMark(active_[i]));
    ShowList(Active(), active_, true);
}

// ---- the mouse on the lists --------------------------------------------------------------

void TMailersPage::ListMouseDown(HWND list, bool left, bool doubleClick, int x, int y) {
    const bool active = list == Active();
    const int before = ListSelection(list);
    dragWanted_ = false;
    if (active)
        lstActiveMouseDown(left, doubleClick, x, y);
    else
        lstLibraryMouseDown(left, doubleClick, x, y);
    // What the box would have told its parent about the new selection.
    if (ListSelection(list) != before)
        active ? lstActiveClick() : lstLibraryClick();
    if (left && doubleClick)
        active ? lstActiveDblClick() : lstLibraryDblClick();
    // The drag begins once the refreshes (which let messages run) are over, so that none of
    // the mouse messages they pass on ends it.
    if (dragWanted_)
        drag_.Begin(list, x, y);
}

int TMailersPage::EntryAt(HWND list, int x, int y) const {
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word is set for a point below the last entry (or outside the box).
    if (HIWORD(hit) != 0 || LOWORD(hit) >= SendMessageA(list, LB_GETCOUNT, 0, 0))
        return -1;
    return static_cast<int>(LOWORD(hit));
}

void TMailersPage::lstActiveMouseDown(bool left, bool doubleClick, int x, int y) {
    const int entry = EntryAt(Active(), x, y);
    form_.RefreshControls();
    active_.Select(entry);
    SendMessageA(Active(), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    if (!left)
        activeMenuAllowed_ = entry >= 0;
    else if (entry >= 0 && !doubleClick)
        dragWanted_ = true;
}

void TMailersPage::lstLibraryMouseDown(bool left, bool doubleClick, int x, int y) {
    const int entry = EntryAt(Library(), x, y);
    library_.Select(entry);
    SendMessageA(Library(), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    if (!left)
        libraryMenuAllowed_ = entry >= 0;
    else if (entry >= 0 && !doubleClick)
        dragWanted_ = true;
}

bool TMailersPage::CancelDrag() {
    if (!drag_.Pending())
        return false;
    drag_.End();
    return true;
}

HWND TMailersPage::DropTargetAt(POINT screen) const {
    const HWND hit = WindowFromPoint(screen);
    if (hit && hit == Item(IDC_LBLNOMAILERS))
        return Active(); // the notice lies over the active list
    return hit == Active() || hit == Library() ? hit : nullptr;
}

bool TMailersPage::DragOver(HWND target, HWND source) const {
    return target == Active() ? lstActiveDragOver(source) : lstLibraryDragOver(source);
}

void TMailersPage::DragDrop(HWND target, HWND source) {
    if (target == Active())
        lstActiveDragDrop(source);
    else
        lstLibraryDragDrop(source);
}

bool TMailersPage::lstActiveDragOver(HWND source) const {
    return source == Library() || source == Active();
}

bool TMailersPage::lstLibraryDragOver(HWND source) const {
    return source == Library() || source == Active();
}

void TMailersPage::lstActiveDragDrop(HWND source) {
    if (source == Library())
        MoveToActive();
}

void TMailersPage::lstLibraryDragDrop(HWND source) {
    if (source == Active())
        MoveToLibrary();
}

// ---- handlers and the shortcut menus -----------------------------------------------------

void TMailersPage::lstLibraryClick() {
    form_.RefreshControls();
}

void TMailersPage::lstActiveClick() {
    form_.RefreshControls();
}

void TMailersPage::lstLibraryDblClick() {
    MoveToActive();
}

void TMailersPage::lstActiveDblClick() {
    MoveToLibrary();
}

void TMailersPage::ListContextMenu(HWND list, int x, int y) {
    int menuId = 0;
    if (list == Library() && libraryMenuAllowed_)
        menuId = IDM_POPLIBRARY;
    else if (list == Active() && activeMenuAllowed_)
        menuId = IDM_POPUPMENU1;
    if (!menuId)
        return;
    if (x == -1 && y == -1) { // from the keyboard: by the selected entry
        RECT r = {};
        const int selected = ListSelection(list);
        if (selected < 0 || SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                                         reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            GetClientRect(list, &r);
        POINT at = {r.left, r.bottom};
        ClientToScreen(list, &at);
        x = at.x;
        y = at.y;
    }
    UniqueMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId)));
    if (!menu || !TPropsForm::TrackMenu)
        return;
    const int command = TPropsForm::TrackMenu(GetSubMenu(menu.get(), 0), form_.Handle(), x, y);
    if (const CommandRoute* route = command ? FindRoute(menuCommands_, command, 0) : nullptr)
        route->handler();
}

void TMailersPage::ShowDetailsOfSelected(const MailerList& list) {
    ReadListSelections();
    if (list.Selected() >= 0 && form_.Actions().showDriverDetails)
        form_.Actions().showDriverDetails(DriverFileOf(list[list.Selected()]));
}

void TMailersPage::Details1Click() {
    ShowDetailsOfSelected(library_);
}

void TMailersPage::MakeActive1Click() {
    MoveToActive();
}

void TMailersPage::detActiveClick() {
    ShowDetailsOfSelected(active_);
}

void TMailersPage::Tolibrary1Click() {
    MoveToLibrary();
}
