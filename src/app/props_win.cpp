#include "app/props_win.h"

#include "app/appexception.h"
#include "app/global.h"
#include "drivers/MFDDirectory.h"
#include "drivers/PathOfF.h"
#include "drivers/mailerlist_win.h"
#include "drivers/mfdcaller_win.h"
#include "processing/PGPMain_win.h"
#include "processing/pgpcontrol.h"
#include "res/resource.h"
#include "support/dpi_win.h"
#include "support/flagscope.h"
#include "support/Tips_win.h"
#include "support/deblog.h"
#include "support/fileutil_win.h"
#include "support/help_win.h"
#include "support/msgbox.h"
#include "support/placefrm_win.h"
#include "common/winerror_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstdlib>
#include <stdexcept>

namespace {
constexpr int kClientWidth = 449, kClientHeight = 332;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1IntervalMs = 6000;
constexpr UINT_PTR kListSubclass = 1, kAboutSubclass = 2;
const COLORREF kNoticeText = RGB(255, 0, 0), kNoticeBack = RGB(255, 255, 0);

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// Help contexts of the controls that have one. The radio items and the two buttons of the
// Direct access group that have none of their own take their group's.
struct ControlHelp {
    int id;
    unsigned context;
};
const ControlHelp kControlHelp[] = {
    {IDC_BTNUNLOAD, 19},
    {IDC_OPTPROCESSING, 1004},
    {IDC_OPTPROCESSING_ENCRYPT, 1004},
    {IDC_OPTPROCESSING_SIGN, 1004},
    {IDC_OPTPROCESSING_BOTH, 1004},
    {IDC_GROUPBOX1, 1005},
    {IDC_STATICTEXT1, 9101},
    {IDC_TXTMAILINGLISTADDRESS, 9101},
    {IDC_BTNMAILINGLISTADDRESSADD, 9103},
    {IDC_LSTMAILINGLISTADDRESS, 9102},
    {IDC_BTNMAILINGLISTADDRESSREMOVE, 9104},
    {IDC_STATICTEXT2, 9102},
    {IDC_OPTOUTWARD, 1004},
    {IDC_OPTOUTWARD_ENCRYPT, 1004},
    {IDC_OPTOUTWARD_SIGN, 1004},
    {IDC_OPTOUTWARD_BOTH, 1004},
    {IDC_BTNRUN, 9200},
    {IDC_CHKFORCEKEYREAD, 3},
    {IDC_GROUPBOX6, 9050},
    {IDC_BTNPGPKEYS, 9050},
    {IDC_BTNPAPTRAY, 9050},
    {IDC_BTNTOOLS, 9050},
    {IDC_BUTTON1, 9050},
    {IDC_BTNPGPHELP, 9050},
    {IDC_LSTLIBRARY, 2000},
    {IDC_LSTACTIVE, 2001},
    {IDC_LBLNOMAILERS, 2001},
    {IDC_GROUPBOX5, 9020},
    {IDC_CHKSHOWTIPS, 9020},
    {IDC_BTNNOW, 9020},
    {IDC_CHKIGNOREWRAPPEDKEYS, 9022},
};

// Where the controls of each page lie, in 96-dpi pixels of the page; they are scaled with the
// window's dpi, as the dialog font is.
struct Placement {
    int id;
    int x, y, width, height;
};
const Placement kPlacements[] = {
    // Routine
    {IDC_OPTPROCESSING, 8, 4, 320, 46},
    {IDC_OPTPROCESSING_ENCRYPT, 18, 22, 80, 18},
    {IDC_OPTPROCESSING_SIGN, 104, 22, 70, 18},
    {IDC_OPTPROCESSING_BOTH, 180, 22, 140, 18},
    {IDC_BTNRUNROUTINE, 340, 14, 80, 28},
    {IDC_GROUPBOX1, 8, 56, 414, 194},
    {IDC_STATICTEXT1, 18, 76, 300, 16},
    {IDC_TXTMAILINGLISTADDRESS, 18, 94, 300, 22},
    {IDC_BTNMAILINGLISTADDRESSADD, 328, 92, 84, 26},
    {IDC_STATICTEXT2, 18, 124, 300, 32},
    {IDC_LSTMAILINGLISTADDRESS, 18, 158, 300, 84},
    {IDC_BTNMAILINGLISTADDRESSREMOVE, 328, 158, 84, 26},
    // Special
    {IDC_OPTOUTWARD, 8, 4, 320, 46},
    {IDC_OPTOUTWARD_ENCRYPT, 18, 22, 80, 18},
    {IDC_OPTOUTWARD_SIGN, 104, 22, 70, 18},
    {IDC_OPTOUTWARD_BOTH, 180, 22, 140, 18},
    {IDC_BTNRUN, 340, 14, 80, 28},
    {IDC_CHKFORCEKEYREAD, 12, 60, 400, 20},
    {IDC_STATICTEXT3, 12, 88, 408, 50},
    {IDC_GROUPBOX6, 8, 146, 414, 62},
    {IDC_BTNPGPKEYS, 18, 170, 76, 26},
    {IDC_BTNPAPTRAY, 98, 170, 76, 26},
    {IDC_BTNTOOLS, 178, 170, 76, 26},
    {IDC_BUTTON1, 258, 170, 76, 26},
    {IDC_BTNPGPHELP, 338, 170, 76, 26},
    // Mailer Choice
    {IDC_LABEL1, 8, 4, 205, 32},
    {IDC_LSTLIBRARY, 8, 38, 205, 212},
    {IDC_LABEL2, 220, 20, 205, 16},
    {IDC_LSTACTIVE, 220, 38, 205, 212},
    {IDC_LBLNOMAILERS, 236, 104, 173, 80},
    // Options
    {IDC_GROUPBOX5, 8, 4, 260, 58},
    {IDC_CHKSHOWTIPS, 18, 28, 110, 20},
    {IDC_BTNNOW, 150, 24, 100, 26},
    {IDC_CHKIGNOREWRAPPEDKEYS, 12, 74, 250, 20},
    // About
    {IDC_IMAGE1, 10, 10, 32, 32},
    {IDC_TXTABOUT, 50, 10, 372, 240},
    {IDC_VERSIONLABEL1, 600, 4, 120, 16}, // out of sight
};

struct Hint {
    int id;
    const char* text;
};
const Hint kHints[] = {
    {IDOK, "Confirm the changes you made"},
    {IDCANCEL, "Close without changes"},
    {IDC_BTNUNLOAD, "Remove Wextor 5 from memory"},
    {IDC_BTNMAILINGLISTADDRESSADD, "Add to the list"},
    {IDC_BTNMAILINGLISTADDRESSREMOVE, "Remove from the list"},
};

std::string TextOfWindow(HWND window) {
    if (!window)
        return std::string();
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(got > 0 ? got : 0));
    return text;
}

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

int ListSelection(HWND box) {
    const LRESULT selected = SendMessageA(box, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}
} // namespace

TfrmProps::TrackMenuHook TfrmProps::TrackMenu = [](HMENU menu, HWND owner, int x, int y) {
    SetForegroundWindow(owner); // so that the menu closes when the user clicks elsewhere
    const int command = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return command;
};

TfrmProps::TfrmProps(PropsActions actions, std::string settingsFileName)
    : actions_(std::move(actions)), settingsFile_(std::move(settingsFileName)),
      library_(CompareListTextSystem), active_(CompareListTextSystem) {
    if (!actions_.runMainPgp)
        actions_.runMainPgp = [](bool routine) { MainPGP(routine); };
    if (!actions_.showDriverDetails)
        actions_.showDriverDetails = [](const std::string& file) { ShowDriverDetails(file); };
    if (!actions_.clipboardReceiverChange)
        actions_.clipboardReceiverChange = [this] {
            ReturnResultToMailer(ClipboardReceiverText());
        };
    if (!actions_.probePgpVersion)
        actions_.probePgpVersion = [](TVersionLabel& label) { ::ProbePgpVersion(label); };
    if (!actions_.showHelp)
        actions_.showHelp = [this](unsigned context, bool popup) {
            ShowHelpDefault(context, popup);
        };
    if (!actions_.quit)
        actions_.quit = [] { PostQuitMessage(0); };
    if (!actions_.showTipOfTheDay)
        actions_.showTipOfTheDay = [this] {
            TipsHost host;
            host.tipNumber = &TipNumber;
            host.tipEnabled = &TipEnabled;
            host.saveTipSettings = [this] { ::SaveTipSettings(*this, settingsFile_); };
            host.setTrayActive = [this](bool active) { taskIcon1_->SetActive(active); };
            host.showHelp = [this](int context) {
                actions_.showHelp(static_cast<unsigned>(context), false);
            };
            host.onError = AppException;
            host.programDir = ProgramDir;
            host.appTitle = ApplicationTitle;
            host.owner = form_;
            ShowTipOfTheDay(host);
        };

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    TVersionLabel::Register();
    dragCursor_ = LoadCursorA(Instance(), MAKEINTRESOURCEA(IDC_PROPS_DRAG));
    noticeBrush_.reset(CreateSolidBrush(kNoticeBack));
    owner_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, Instance(), nullptr));
    form_ = CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_PROPS), owner_.get(), FormProc,
                               reinterpret_cast<LPARAM>(this));
    if (!form_)
        throw std::runtime_error("TfrmProps: " + WinErrorText(GetLastError()));

    taskIcon1_ = std::make_unique<TTaskIcon>(form_);
    taskIcon1_->SetToolTip(ApplicationTitle);
    taskIcon1_->SetIcon(LoadIconA(Instance(), MAKEINTRESOURCEA(IDI_WEXTOR)));
    taskIcon1_->OnClick = [this](TTaskIcon&) { Guarded([this] { TaskIcon1Click(); }); };
    taskIcon1_->OnRightClick = [this](TTaskIcon&, MouseButton, ShiftState, int, int) {
        Guarded([this] { TaskIcon1RightClick(); });
    };
    SetTimer(form_, kTimer1, kTimer1IntervalMs, nullptr);
    previousHost_ = SetProcessingHost(this);
    PgpSearchAnchor = form_;
}

TfrmProps::~TfrmProps() {
    FormDestroy();
}

void TfrmProps::FormDestroy() {
    StepCode = 90000;
    if (PgpSearchAnchor == form_)
        PgpSearchAnchor = nullptr;
    SetProcessingHost(previousHost_);
    taskIcon1_.reset(); // takes the icon out of the tray
    StepCode = 90020;
    if (form_)
        KillTimer(form_, kTimer1);
    StepCode = 90030;
    if (form_) {
        DestroyWindow(form_);
        form_ = nullptr;
    }
}

// ---- messages ---------------------------------------------------------------------------

INT_PTR CALLBACK TfrmProps::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        reinterpret_cast<TfrmProps*>(lParam)->form_ = window;
    }
    auto* self = reinterpret_cast<TfrmProps*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, DWLP_USER, 0);
    // Nothing may unwind through the system's dialog code.
    INT_PTR result = FALSE;
    GuardHandler([&] { result = self->HandleMessage(window, message, wParam, lParam); });
    return result;
}

INT_PTR CALLBACK TfrmProps::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    auto* self = reinterpret_cast<TfrmProps*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!self)
        return FALSE;
    if (message == WM_NCDESTROY)
        SetWindowLongPtrA(window, DWLP_USER, 0);
    INT_PTR result = FALSE;
    GuardHandler([&] { result = self->HandleMessage(window, message, wParam, lParam); });
    return result;
}

INT_PTR TfrmProps::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Messages of the form and of its pages alike.
    switch (message) {
    case WM_COMMAND:
        WMCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        WMNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return FALSE;
    case WM_HELP:
        WMHelp(*reinterpret_cast<const HELPINFO*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return WMCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    }
    if (window != form_)
        return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        WMInitDialog();
        return FALSE;
    case WM_CLOSE:
        if (FormCloseQuery())
            actions_.quit();
        return TRUE;
    case WM_QUERYENDSESSION:
        SetWindowLongPtrA(form_, DWLP_MSGRESULT, FormCloseQuery() ? TRUE : FALSE);
        return TRUE;
    case WM_DPICHANGED:
        // Moved to a monitor with another dpi: the system suggests the place, the size follows.
        TakeSuggestedRect(form_, lParam);
        LayOut();
        InvalidateRect(form_, nullptr, TRUE);
        return TRUE;
    case WM_ENDSESSION:
        if (wParam)
            actions_.quit();
        return TRUE;
    case WM_SIZE:
        FormResize(static_cast<UINT>(wParam));
        return FALSE;
    case WM_TIMER:
        if (wParam == kTimer1)
            Timer1Timer();
        return TRUE;
    }
    return FALSE;
}

void TfrmProps::Guarded(const std::function<void()>& handler) {
    GuardHandler(handler);
}

bool TfrmProps::PreTranslateMessage(MSG& msg) {
    if (!form_)
        return false;
    const bool own = msg.hwnd == form_ || IsChild(form_, msg.hwnd);
    if (own && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
        if (dragSource_ && msg.wParam == VK_ESCAPE) {
            EndDrag(); // Esc ends a drag, not the window
            return true;
        }
        // Key preview: the window sees the key first; the key goes on to its control.
        Guarded([&] {
            FormKeyDown(static_cast<unsigned>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                        GetKeyState(VK_MENU) < 0);
        });
    }
    return own && IsWindowVisible(form_) && IsDialogMessageA(form_, &msg);
}

void TfrmProps::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // kept for the message loop
            break;
        }
        if (!PreTranslateMessage(msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

void TfrmProps::WMInitDialog() {
    for (int page = 0; page < PropsPageCount; ++page) {
        pages_[static_cast<size_t>(page)] =
            CreateDialogParamA(Instance(), MAKEINTRESOURCEA(IDD_PROPS_ROUTINE + page), form_,
                               PageProc, reinterpret_cast<LPARAM>(this));
        if (!pages_[static_cast<size_t>(page)])
            throw std::runtime_error("TfrmProps page: " + WinErrorText(GetLastError()));
    }
    pageControl1_ = GetDlgItem(form_, IDC_PAGECONTROL1);
    lstLibrary_ = Item(IDC_LSTLIBRARY);
    lstActive_ = Item(IDC_LSTACTIVE);
    lstMailingList_ = Item(IDC_LSTMAILINGLISTADDRESS);
    versionLabel1_ = TVersionLabel::FromWindow(Item(IDC_VERSIONLABEL1));
    if (!versionLabel1_)
        throw std::runtime_error("TfrmProps: no version label");
    SetWindowSubclass(lstLibrary_, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(lstActive_, ListProc, kListSubclass, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(Item(IDC_TXTABOUT), AboutProc, kAboutSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    // PGP's output can be long.
    SendMessageA(Item(IDC_TXTCLIPBOARDRECEIVER), EM_SETLIMITTEXT, 0, 0);
    // The notice lies over the active list.
    SetWindowPos(Item(IDC_LBLNOMAILERS), HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowTextA(Item(IDC_TXTABOUT), "");

    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, form_, nullptr, Instance(), nullptr);
    for (const Hint& hint : kHints) {
        const HWND control = Item(hint.id);
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = GetParent(control);
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<char*>(hint.text);
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }

    const HICON icon = static_cast<HICON>(
        LoadImageA(Instance(), MAKEINTRESOURCEA(IDI_WEXTOR), IMAGE_ICON, 32, 32, LR_SHARED));
    SendMessageA(Item(IDC_IMAGE1), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);

    ApplyTabs(ShownPages(false)); // the tab row must be there to find the pages' place
    LayOut();
    SelectPage(MailerChoicePage);
}

void TfrmProps::LayOut() {
    // The sizes are 96-dpi pixels, scaled to the window's dpi like the dialog font.
    const int dpi = DpiOf(form_);
    const SIZE frame = FrameForClient(form_, kClientWidth, kClientHeight, dpi);
    SetWindowPos(form_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    constexpr int margin = 4, buttonWidth = 75, buttonHeight = 25, gap = 5;
    const int buttonTop = kClientHeight - margin - buttonHeight - 3;
    MoveScaled(pageControl1_, {margin, margin, kClientWidth - 2 * margin, buttonTop - 2 * margin},
               dpi);
    MoveScaled(GetDlgItem(form_, IDC_BTNUNLOAD), {margin, buttonTop, buttonWidth, buttonHeight},
               dpi);
    const int ids[] = {IDOK, IDCANCEL, IDC_BTNHELP}; // right-aligned, left to right
    int left = kClientWidth - margin - 3 * buttonWidth - 2 * gap;
    for (int id : ids) {
        MoveScaled(GetDlgItem(form_, id), {left, buttonTop, buttonWidth, buttonHeight}, dpi);
        left += buttonWidth + gap;
    }

    RECT display;
    GetWindowRect(pageControl1_, &display);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&display), 2);
    SendMessageA(pageControl1_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (HWND page : pages_) {
        // Above the tab control, so that the page is drawn and clicked rather than the tabs.
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
    }
    for (const Placement& at : kPlacements)
        MoveScaled(Item(at.id), {at.x, at.y, at.width, at.height}, dpi);
}

HWND TfrmProps::Item(int id) const {
    if (HWND control = GetDlgItem(form_, id))
        return control;
    for (HWND page : pages_)
        if (HWND control = page ? GetDlgItem(page, id) : nullptr)
            return control;
    return nullptr;
}

std::string TfrmProps::ItemText(int id) const {
    return TextOfWindow(Item(id));
}

void TfrmProps::WMCommand(int id, int code) {
    const bool clicked = code == BN_CLICKED;
    switch (id) {
    case IDOK:
        if (clicked)
            btnOkClick();
        break;
    case IDCANCEL: // the button, or Esc
        btnCancelClick();
        break;
    case IDC_BTNUNLOAD:
        if (clicked)
            btnUnloadClick();
        break;
    case IDC_BTNHELP:
        if (clicked)
            btnHelpClick();
        break;
    case IDC_BTNRUNROUTINE:
        if (clicked)
            btnRunRoutineClick();
        break;
    case IDC_BTNRUN:
        if (clicked)
            btnRunClick();
        break;
    case IDC_TXTMAILINGLISTADDRESS:
        if (code == EN_CHANGE)
            txtMailingListAddressChange();
        break;
    case IDC_BTNMAILINGLISTADDRESSADD:
        if (clicked)
            btnMailingListAddressAddClick();
        break;
    case IDC_BTNMAILINGLISTADDRESSREMOVE:
        if (clicked)
            btnMailingListAddressRemoveClick();
        break;
    case IDC_LSTMAILINGLISTADDRESS:
        if (code == LBN_SELCHANGE)
            lstMailingListAddressClick();
        break;
    case IDC_LSTLIBRARY:
        if (code == LBN_SELCHANGE)
            lstLibraryClick();
        else if (code == LBN_DBLCLK)
            lstLibraryDblClick();
        break;
    case IDC_LSTACTIVE:
        if (code == LBN_SELCHANGE)
            lstActiveClick();
        else if (code == LBN_DBLCLK)
            lstActiveDblClick();
        break;
    case IDC_CHKSHOWTIPS:
        if (clicked)
            chkShowTipsClick();
        break;
    case IDC_BTNNOW:
        if (clicked)
            btnNowClick();
        break;
    case IDC_BTNPGPKEYS:
        if (clicked)
            btnPGPKeysClick();
        break;
    case IDC_BTNPAPTRAY:
        if (clicked)
            btnPAPTrayClick();
        break;
    case IDC_BTNTOOLS:
        if (clicked)
            btnToolsClick();
        break;
    case IDC_BUTTON1:
        if (clicked)
            Button1Click();
        break;
    case IDC_BTNPGPHELP:
        if (clicked)
            btnPGPHelpClick();
        break;
    case IDC_TXTCLIPBOARDRECEIVER:
        // SetClipboardReceiverText runs the handler itself.
        if (code == EN_CHANGE && !settingReceiver_)
            txtClipboardReceiverChange();
        break;
    }
}

void TfrmProps::MenuCommand(int id) {
    switch (id) {
    case IDM_DETAILS1:
        Details1Click();
        break;
    case IDM_MAKEACTIVE1:
        MakeActive1Click();
        break;
    case IDM_DETACTIVE:
        detActiveClick();
        break;
    case IDM_TOLIBRARY1:
        Tolibrary1Click();
        break;
    }
}

void TfrmProps::WMNotify(const NMHDR& header) {
    if (header.hwndFrom == pageControl1_ && header.code == static_cast<UINT>(TCN_SELCHANGE))
        PageControl1Change();
}

unsigned TfrmProps::HelpContextOf(HWND control) const {
    // The control's own context, else that of what it lies on, as far as the form.
    for (HWND w = control; w && w != form_; w = GetParent(w)) {
        for (int page = 0; page < PropsPageCount; ++page)
            if (w == pages_[static_cast<size_t>(page)] && PageHelpContext(page))
                return PageHelpContext(page);
        const int id = GetDlgCtrlID(w);
        for (const ControlHelp& help : kControlHelp)
            if (help.id == id && Item(id) == w)
                return help.context;
    }
    return 0;
}

void TfrmProps::WMHelp(const HELPINFO& info) {
    if (info.iContextType != HELPINFO_WINDOW)
        return;
    const unsigned context = HelpContextOf(static_cast<HWND>(info.hItemHandle));
    if (context)
        actions_.showHelp(context, true);
}

INT_PTR TfrmProps::WMCtlColorStatic(HDC dc, HWND control) {
    if (control == Item(IDC_LBLNOMAILERS)) {
        SetTextColor(dc, kNoticeText);
        SetBkColor(dc, kNoticeBack);
        return reinterpret_cast<INT_PTR>(noticeBrush_.get());
    }
    if (control == Item(IDC_TXTABOUT)) { // read-only: the dialog face, not a field
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
}

// ---- the mailer lists and the About text, subclassed -------------------------------------

LRESULT CALLBACK TfrmProps::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, ListProc, kListSubclass);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    GuardHandler([&] {
        result =
            reinterpret_cast<TfrmProps*>(self)->HandleListMessage(window, message, wParam, lParam);
    });
    return result;
}

LRESULT TfrmProps::HandleListMessage(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
        // The window decides the selection, the menu and the drag; the box's own tracking of
        // the button would fight the drag.
        SetFocus(list);
        MouseDownOnList(list, message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK,
                        message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK, x, y);
        return 0;
    case WM_MOUSEMOVE:
        if (dragSource_ != list)
            break;
        if (!(wParam & MK_LBUTTON)) { // the button went up where we did not see it
            EndDrag();
            return 0;
        }
        if (!dragging_ && (std::abs(x - dragStart_.x) >= GetSystemMetrics(SM_CXDRAG) ||
                           std::abs(y - dragStart_.y) >= GetSystemMetrics(SM_CYDRAG)))
            dragging_ = true;
        if (dragging_) {
            POINT at = {x, y};
            ClientToScreen(list, &at);
            const HWND target = DropTargetAt(at);
            SetCursor(target && DragOver(target, list) ? dragCursor_
                                                       : LoadCursorA(nullptr, IDC_NO));
        }
        return 0;
    case WM_LBUTTONUP:
        if (dragSource_ == list) {
            const bool dropped = dragging_;
            POINT at = {x, y};
            ClientToScreen(list, &at);
            EndDrag();
            const HWND target = dropped ? DropTargetAt(at) : nullptr;
            if (target && DragOver(target, list)) {
                if (target == lstActive_)
                    lstActiveDragDrop(list);
                else
                    lstLibraryDragDrop(list);
            }
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        if (dragSource_ == list && reinterpret_cast<HWND>(lParam) != list) {
            dragSource_ = nullptr; // another window took the mouse: the drag is over
            dragging_ = false;
        }
        break;
    case WM_CONTEXTMENU:
        WMContextMenu(list, x, y);
        return 0;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

LRESULT CALLBACK TfrmProps::AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, AboutProc, kAboutSubclass);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
        GuardHandler([self] { reinterpret_cast<TfrmProps*>(self)->txtAboutMouseDown(); });
    return result;
}

void TfrmProps::MouseDownOnList(HWND list, bool left, bool doubleClick, int x, int y) {
    const int before = ListSelection(list);
    dragWanted_ = false;
    if (list == lstActive_)
        lstActiveMouseDown(left, doubleClick, x, y);
    else
        lstLibraryMouseDown(left, doubleClick, x, y);
    // What the box would have told its parent about the new selection.
    if (ListSelection(list) != before)
        list == lstActive_ ? lstActiveClick() : lstLibraryClick();
    if (left && doubleClick)
        list == lstActive_ ? lstActiveDblClick() : lstLibraryDblClick();
    // The drag begins once the refreshes (which let messages run) are over, so that none of
    // the mouse messages they pass on ends it.
    if (dragWanted_)
        BeginDrag(list, x, y);
}

int TfrmProps::EntryAt(HWND list, int x, int y) const {
    const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    // The high word is set for a point below the last entry (or outside the box).
    if (HIWORD(hit) != 0 || LOWORD(hit) >= SendMessageA(list, LB_GETCOUNT, 0, 0))
        return -1;
    return static_cast<int>(LOWORD(hit));
}

void TfrmProps::lstActiveMouseDown(bool left, bool doubleClick, int x, int y) {
    const int entry = EntryAt(lstActive_, x, y);
    RefreshControls();
    active_.Select(entry);
    SendMessageA(lstActive_, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    if (!left)
        activeMenuAllowed_ = entry >= 0;
    else if (entry >= 0 && !doubleClick)
        dragWanted_ = true;
}

void TfrmProps::lstLibraryMouseDown(bool left, bool doubleClick, int x, int y) {
    const int entry = EntryAt(lstLibrary_, x, y);
    library_.Select(entry);
    SendMessageA(lstLibrary_, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    if (!left)
        libraryMenuAllowed_ = entry >= 0;
    else if (entry >= 0 && !doubleClick)
        dragWanted_ = true;
}

void TfrmProps::BeginDrag(HWND list, int x, int y) {
    dragSource_ = list;
    dragStart_ = {x, y};
    dragging_ = false;
    SetCapture(list);
}

void TfrmProps::EndDrag() {
    const HWND source = dragSource_;
    dragSource_ = nullptr;
    dragging_ = false;
    if (source && GetCapture() == source)
        ReleaseCapture();
}

HWND TfrmProps::DropTargetAt(POINT screen) const {
    const HWND hit = WindowFromPoint(screen);
    if (hit && hit == Item(IDC_LBLNOMAILERS))
        return lstActive_; // the notice lies over the active list
    return hit == lstActive_ || hit == lstLibrary_ ? hit : nullptr;
}

bool TfrmProps::DragOver(HWND target, HWND source) const {
    return target == lstActive_ ? lstActiveDragOver(source) : lstLibraryDragOver(source);
}

bool TfrmProps::lstActiveDragOver(HWND source) const {
    return source == lstLibrary_ || source == lstActive_;
}

bool TfrmProps::lstLibraryDragOver(HWND source) const {
    return source == lstLibrary_ || source == lstActive_;
}

void TfrmProps::lstActiveDragDrop(HWND source) {
    if (source == lstLibrary_)
        MoveToActive();
}

void TfrmProps::lstLibraryDragDrop(HWND source) {
    if (source == lstActive_)
        MoveToLibrary();
}

void TfrmProps::WMContextMenu(HWND control, int x, int y) {
    int menuId = 0;
    if (control == lstLibrary_ && libraryMenuAllowed_)
        menuId = IDM_POPLIBRARY;
    else if (control == lstActive_ && activeMenuAllowed_)
        menuId = IDM_POPUPMENU1;
    if (!menuId)
        return;
    if (x == -1 && y == -1) { // from the keyboard: by the selected entry
        RECT r = {};
        const int selected = ListSelection(control);
        if (selected < 0 || SendMessageA(control, LB_GETITEMRECT, static_cast<WPARAM>(selected),
                                         reinterpret_cast<LPARAM>(&r)) == LB_ERR)
            GetClientRect(control, &r);
        POINT at = {r.left, r.bottom};
        ClientToScreen(control, &at);
        x = at.x;
        y = at.y;
    }
    UniqueMenu menu(LoadMenuA(Instance(), MAKEINTRESOURCEA(menuId)));
    if (!menu)
        return;
    const int command = TrackMenu ? TrackMenu(GetSubMenu(menu.get(), 0), form_, x, y) : 0;
    if (command)
        MenuCommand(command);
}

// ---- operations ----------------------------------------------------------------------------

void TfrmProps::ShowList(HWND box, const MailerList& model, bool keepTop) {
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

void TfrmProps::ReadListSelections() {
    library_.Select(ListSelection(lstLibrary_));
    active_.Select(ListSelection(lstActive_));
}

void TfrmProps::FillMailerLists(const std::vector<std::string>& activeLines) {
    active_.Clear();
    library_.Clear();
    try {
        LoadCatalogue(activeLines, active_, library_);
    } catch (...) {
        ShowList(lstActive_, active_, false);
        ShowList(lstLibrary_, library_, false);
        throw;
    }
    ShowList(lstActive_, active_, false);
    ShowList(lstLibrary_, library_, false);
}

void TfrmProps::RefreshControls() {
    ProcessMessages();
    ReadListSelections();
    const RefreshDecision d = DecideRefresh(ItemText(IDC_TXTMAILINGLISTADDRESS),
                                            ListSelection(lstMailingList_) >= 0, active_);
    const HWND add = Item(IDC_BTNMAILINGLISTADDRESSADD),
               remove = Item(IDC_BTNMAILINGLISTADDRESSREMOVE);
    const HWND focus = GetFocus();
    EnableWindow(add, d.addEnabled);
    EnableWindow(remove, d.removeEnabled);
    // A button that goes grey under the focus hands it to the address, ready for the next one.
    if ((focus == add && !d.addEnabled) || (focus == remove && !d.removeEnabled))
        SetFocus(Item(IDC_TXTMAILINGLISTADDRESS));
    ApplyTabs(d.shownPages);
    ShowWindow(Item(IDC_LBLNOMAILERS), d.noMailersNotice ? SW_SHOWNA : SW_HIDE);
    if (!active_.Empty()) {
        if (!MarkSameDriver(active_).empty())
            ShowList(lstActive_, active_, true);
    } else if (d.selectMailerChoice) {
        SelectPage(MailerChoicePage);
        if (!Visible())
            ShowPropsWindow();
    }
}

void TfrmProps::ApplyTabs(const std::vector<int>& shownPages) {
    if (shownPages == shownPages_)
        return;
    // A tab control cannot hide a tab: the tabs are made again, each knowing its page.
    SendMessageA(pageControl1_, TCM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < shownPages.size(); ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = const_cast<char*>(PageCaption(shownPages[i]));
        item.lParam = shownPages[i];
        SendMessageA(pageControl1_, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    shownPages_ = shownPages;
    SendMessageA(pageControl1_, TCM_SETCURSEL,
                 static_cast<WPARAM>(TabPositionOf(activePage_, shownPages_)), 0);
}

void TfrmProps::ShowActivePage() {
    const HWND focus = GetFocus();
    for (int page = 0; page < PropsPageCount; ++page)
        ShowWindow(pages_[static_cast<size_t>(page)], page == activePage_ ? SW_SHOWNA : SW_HIDE);
    if (focus && !IsWindowVisible(focus) && IsWindowVisible(form_))
        SetFocus(pageControl1_);
}

void TfrmProps::SelectPage(int position) {
    activePage_ = PageToSelect(position);
    ShowActivePage();
    SendMessageA(pageControl1_, TCM_SETCURSEL,
                 static_cast<WPARAM>(TabPositionOf(activePage_, shownPages_)), 0);
}

void TfrmProps::AfterMove() {
    ShowList(lstLibrary_, library_, false);
    ShowList(lstActive_, active_, false);
    RefreshControls();
    RebuildActiveDriverFiles(active_);
}

void TfrmProps::MoveToActive() {
    ReadListSelections();
    if (MoveSameDriver(library_, active_, false))
        AfterMove();
}

void TfrmProps::MoveToLibrary() {
    ReadListSelections();
    if (MoveSameDriver(active_, library_, true))
        AfterMove();
}

bool TfrmProps::Visible() const {
    return inFormShow_ || IsWindowVisible(form_);
}

void TfrmProps::ShowPropsWindow() {
    const bool wasShown = IsWindowVisible(form_) != FALSE;
    if (IsIconic(form_))
        ShowWindow(form_, SW_RESTORE);
    PlaceForm(form_, 5000, 5000);
    if (!wasShown) {
        // The window counts as shown while FormShow runs, as it is about to be.
        FlagScope showing(inFormShow_);
        FormShow();
    }
    ShowWindow(form_, SW_SHOW);
    SetForegroundWindow(form_);
}

void TfrmProps::HidePropsWindow() {
    ShowWindow(form_, SW_HIDE);
}

void TfrmProps::ShowToolsButton(bool show) {
    ShowWindow(Item(IDC_BTNTOOLS), show ? SW_SHOWNA : SW_HIDE);
}

void TfrmProps::FillAboutText() {
    versionLabel1_->SetInfoPrefix("");
    AboutFacts facts;
    facts.title = ApplicationTitle;
    facts.versionLabelText = versionLabel1_->Caption();
    facts.distribution = DistributionText;
    facts.programDir = ProgramDir;
    facts.mfdDirectory = MfdDirectory;
    facts.windowsVersion = WindowsVersionText();
    facts.pgpProductName = PgpProductName;
    facts.pgpFileVersion = PgpFileVersion;
    facts.pgpFolder = PathOf(PgpMainExe);
    if (DataFolder() != ProgramDir)
        facts.filesFolder = DataFolder();
    if (SettingsFile != SettingsFileName)
        facts.settingsFile = SettingsFile;
    SetWindowTextA(Item(IDC_TXTABOUT), ::AboutText(facts).c_str());
}

std::string TfrmProps::AboutText() const {
    return ItemText(IDC_TXTABOUT);
}

void TfrmProps::LoadSettings() {
    ::LoadSettings(*this, settingsFile_);
}

void TfrmProps::SaveSettings() {
    ::SaveSettings(*this, settingsFile_);
}

std::string TfrmProps::ClipboardReceiverText() const {
    return ItemText(IDC_TXTCLIPBOARDRECEIVER);
}

void TfrmProps::SetClipboardReceiverText(const std::string& text) {
    if (text == ClipboardReceiverText())
        return; // no change, no change event
    {
        // A multi-line edit tells nothing of a text set from outside; the handler runs here.
        FlagScope setting(settingReceiver_);
        SetWindowTextA(Item(IDC_TXTCLIPBOARDRECEIVER), text.c_str());
    }
    txtClipboardReceiverChange();
}

void TfrmProps::ShowHelpDefault(unsigned context, bool popup) {
    if (popup) {
        POINT at = {0, 0};
        GetCursorPos(&at);
        ShowHelpPopup(form_, ProgramDir, context, at);
    } else {
        ShowHelpTopic(form_, ProgramDir, context);
    }
}

// ---- handlers ------------------------------------------------------------------------------

void TfrmProps::FormShow() {
    SelectPage(RecentPage);
    RefreshControls();
    BringWindowToTop(form_);
}

void TfrmProps::FormResize(UINT sizeKind) {
    if (sizeKind == SIZE_MINIMIZED)
        HidePropsWindow(); // back only from the tray
}

bool TfrmProps::FormCloseQuery() {
    if (Visible()) {
        btnCancelClick();
        return false;
    }
    StepCode = 91000;
    StepCode = 91010;
    return true;
}

void TfrmProps::FormKeyDown(unsigned virtualKey, bool ctrl, bool alt) {
    if (!IsSuperDebugKey(virtualKey, ctrl, alt))
        return;
    MsgBoxRequest box;
    box.text = SuperDebugQuestion(SuperDebug);
    box.caption = "Confirm";
    box.icon = MsgIcon::Confirmation;
    box.buttons = mbYes | mbNo;
    SuperDebug = SuperDebugAfterAnswer(SuperDebug, ShowMessageBox(box));
}

void TfrmProps::btnOkClick() {
    SaveSettings();
    StepCode = 2345;
    HidePropsWindow();
}

void TfrmProps::btnCancelClick() {
    StepCode = 4410;
    LoadSettings();
    StepCode = 4411;
    HidePropsWindow();
}

void TfrmProps::btnUnloadClick() {
    StepCode = 99999;
    actions_.quit();
}

void TfrmProps::btnHelpClick() {
    actions_.showHelp(HelpButtonContext(RecentPage), false);
}

void TfrmProps::Timer1Timer() {
    if (actions_.timer1Timer)
        actions_.timer1Timer();
}

void TfrmProps::TaskIcon1Click() {
    if (TrayClickBusy || RunInProgress()) {
        RefuseRunWhileBusy();
        return;
    }
    // Cleared also when the run fails: a stuck flag would leave the tray icon dead.
    FlagScope busy(TrayClickBusy);
    DebugLog("MainPGP-T");
    if (actions_.runMainPgp)
        actions_.runMainPgp(true);
}

void TfrmProps::TaskIcon1RightClick() {
    // Mid-run the window would only show up to be hidden again by the run.
    if (RunInProgress()) {
        RefuseRunWhileBusy();
        return;
    }
    ShowPropsWindow();
}

void TfrmProps::chkShowTipsClick() {
    TipEnabled =
        IsDlgButtonChecked(GetParent(Item(IDC_CHKSHOWTIPS)), IDC_CHKSHOWTIPS) == BST_CHECKED;
    ::SaveTipSettings(*this, settingsFile_);
}

void TfrmProps::btnNowClick() {
    actions_.showTipOfTheDay();
}

void TfrmProps::txtMailingListAddressChange() {
    RefreshControls();
}

void TfrmProps::btnMailingListAddressAddClick() {
    const std::string typed = ItemText(IDC_TXTMAILINGLISTADDRESS);
    if (!AddAddressEnabled(typed))
        return;                    // the button is grey then
    mailingList_.push_back(typed); // exactly as typed
    SendMessageA(lstMailingList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(typed.c_str()));
    SetWindowTextA(Item(IDC_TXTMAILINGLISTADDRESS), "");
    RefreshControls();
}

void TfrmProps::btnMailingListAddressRemoveClick() {
    const int selected = ListSelection(lstMailingList_);
    if (selected < 0 || selected >= static_cast<int>(mailingList_.size()))
        return;
    // Into the edit, to be corrected and added again.
    SetWindowTextA(Item(IDC_TXTMAILINGLISTADDRESS),
                   mailingList_[static_cast<size_t>(selected)].c_str());
    mailingList_.erase(mailingList_.begin() + selected);
    SendMessageA(lstMailingList_, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    RefreshControls();
}

void TfrmProps::lstMailingListAddressClick() {
    RefreshControls();
}

void TfrmProps::lstLibraryClick() {
    RefreshControls();
}

void TfrmProps::lstActiveClick() {
    RefreshControls();
}

void TfrmProps::PageControl1Change() {
    const int tab = static_cast<int>(SendMessageA(pageControl1_, TCM_GETCURSEL, 0, 0));
    TCITEMA item = {};
    item.mask = TCIF_PARAM;
    if (tab < 0 || !SendMessageA(pageControl1_, TCM_GETITEMA, static_cast<WPARAM>(tab),
                                 reinterpret_cast<LPARAM>(&item)))
        return;
    activePage_ = static_cast<int>(item.lParam);
    ShowActivePage();
    RecentPage = tab; // the tab position among the tabs shown now
}

void TfrmProps::Tolibrary1Click() {
    MoveToLibrary();
}

void TfrmProps::lstActiveDblClick() {
    MoveToLibrary();
}

void TfrmProps::MakeActive1Click() {
    MoveToActive();
}

void TfrmProps::lstLibraryDblClick() {
    MoveToActive();
}

void TfrmProps::Details1Click() {
    ReadListSelections();
    if (library_.Selected() >= 0 && actions_.showDriverDetails)
        actions_.showDriverDetails(DriverFileOf(library_[library_.Selected()]));
}

void TfrmProps::detActiveClick() {
    ReadListSelections();
    if (active_.Selected() >= 0 && actions_.showDriverDetails)
        actions_.showDriverDetails(DriverFileOf(active_[active_.Selected()]));
}

void TfrmProps::btnRunClick() {
    DebugLog("MainPGP-F");
    if (actions_.runMainPgp)
        actions_.runMainPgp(false);
}

void TfrmProps::txtClipboardReceiverChange() {
    if (actions_.clipboardReceiverChange)
        actions_.clipboardReceiverChange();
}

void TfrmProps::btnRunRoutineClick() {
    DebugLog("MainPGP-T");
    if (actions_.runMainPgp)
        actions_.runMainPgp(true);
}

// The Direct access buttons are PGP control's.
void TfrmProps::btnPGPKeysClick() {
    ::btnPGPKeysClick();
}

void TfrmProps::btnPAPTrayClick() {
    ::btnPAPTrayClick();
}

void TfrmProps::btnPGPHelpClick() {
    ::btnPGPHelpClick(form_);
}

void TfrmProps::txtAboutMouseDown() {
    SendMessageA(Item(IDC_TXTABOUT), EM_SETSEL, 0, 9999); // all of it: it is far shorter
}

void TfrmProps::Button1Click() {
    ::Button1Click();
}

void TfrmProps::btnToolsClick() {
    ::btnToolsClick();
}

// ---- the settings in the controls --------------------------------------------------------

int TfrmProps::ModeIndexOf(int firstId) const {
    const HWND page = GetParent(Item(firstId));
    for (int i = 0; i < 3; ++i)
        if (IsDlgButtonChecked(page, firstId + i) == BST_CHECKED)
            return i;
    return -1;
}

void TfrmProps::SetModeIndex(int firstId, int index) {
    const HWND page = GetParent(Item(firstId));
    for (int i = 0; i < 3; ++i)
        CheckDlgButton(page, firstId + i, i == index ? BST_CHECKED : BST_UNCHECKED);
}

int TfrmProps::RoutineModeIndex() const {
    return ModeIndexOf(IDC_OPTPROCESSING_ENCRYPT);
}

int TfrmProps::SpecialModeIndex() const {
    return ModeIndexOf(IDC_OPTOUTWARD_ENCRYPT);
}

bool TfrmProps::IgnoreWrappedKeysChecked() const {
    return IsDlgButtonChecked(GetParent(Item(IDC_CHKIGNOREWRAPPEDKEYS)),
                              IDC_CHKIGNOREWRAPPEDKEYS) == BST_CHECKED;
}

bool TfrmProps::ForceKeyReadChecked() const {
    return IsDlgButtonChecked(GetParent(Item(IDC_CHKFORCEKEYREAD)), IDC_CHKFORCEKEYREAD) ==
           BST_CHECKED;
}

void TfrmProps::SetRoutineModeIndex(int index) {
    SetModeIndex(IDC_OPTPROCESSING_ENCRYPT, index);
}

void TfrmProps::SetSpecialModeIndex(int index) {
    SetModeIndex(IDC_OPTOUTWARD_ENCRYPT, index);
}

void TfrmProps::SetIgnoreWrappedKeysChecked(bool checked) {
    CheckDlgButton(GetParent(Item(IDC_CHKIGNOREWRAPPEDKEYS)), IDC_CHKIGNOREWRAPPEDKEYS,
                   checked ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmProps::SetForceKeyReadChecked(bool checked) {
    CheckDlgButton(GetParent(Item(IDC_CHKFORCEKEYREAD)), IDC_CHKFORCEKEYREAD,
                   checked ? BST_CHECKED : BST_UNCHECKED);
}

void TfrmProps::SetMailingListEntries(const std::vector<std::string>& entries) {
    mailingList_ = entries;
    SendMessageA(lstMailingList_, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageA(lstMailingList_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

void TfrmProps::StripActiveMarks() {
    ReadListSelections();
    for (int i = 0; i < active_.Count(); ++i)
        active_.Replace(i, StripSameDriverMark(active_[i]));
    ShowList(lstActive_, active_, true);
}

void TfrmProps::SetShowTipsChecked(bool checked) {
    CheckDlgButton(GetParent(Item(IDC_CHKSHOWTIPS)), IDC_CHKSHOWTIPS,
                   checked ? BST_CHECKED : BST_UNCHECKED);
}

std::string TfrmProps::VersionLabelText() {
    return versionLabel1_->Caption();
}

void TfrmProps::ProbePgpVersion() {
    if (actions_.probePgpVersion)
        actions_.probePgpVersion(*versionLabel1_);
}
