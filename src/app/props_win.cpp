#include "app/props_win.h"

#include "common/unicode_win.h"

#include "app/appexception.h"
#include "app/global.h"
#include "app/props_about_win.h"
#include "app/props_mailers_win.h"
#include "app/props_options_win.h"
#include "app/props_routine_win.h"
#include "app/props_outward_win.h"
#include "drivers/mfdcaller_win.h"
#include "processing/PGPMain_win.h"
#include "processing/pgpcontrol.h"
#include "res/resource.h"
#include "support/dpi_win.h"
#include "support/flagscope.h"
#include "support/Tips_win.h"
#include "support/helpbox_win.h"
#include "common/pump_win.h"
#include "common/winerror_win.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
constexpr int kClientWidth = 449, kClientHeight = 332;
constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1IntervalMs = 6000;
constexpr int kHotKey1 = 1;

HINSTANCE Instance() {
    return GetModuleHandleA(nullptr);
}

// The form's own controls, in 96-dpi pixels of its client area: the tab control, and the
// bottom row with Unload at the left and Ok, Cancel, Help at the right. The receiver is
// never seen.
const PlaceTable kFormPlaces = {
    {IDC_PAGECONTROL1, {4, 4, 441, 292}}, {IDC_BTNUNLOAD, {4, 300, 75, 25}},
    {IDOK, {210, 300, 75, 25}},           {IDCANCEL, {290, 300, 75, 25}},
    {IDC_BTNHELP, {370, 300, 75, 25}},    {IDC_TXTCLIPBOARDRECEIVER, {0, 0, 1, 1}},
};

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
} // namespace

TfrmProps::TfrmProps(PropsActions actions, std::string settingsFileName)
    : actions_(std::move(actions)), settingsFile_(std::move(settingsFileName)),
      routine_(std::make_unique<TRoutinePage>(*this)),
      outward_(std::make_unique<TOutwardPage>(*this)),
      mailers_(std::make_unique<TMailersPage>(*this)),
      options_(std::make_unique<TOptionsPage>(*this)), about_(std::make_unique<TAboutPage>()) {
    pages_ = {routine_.get(), outward_.get(), mailers_.get(), options_.get(), about_.get()};
    FillDefaultActions();

    INITCOMMONCONTROLSEX controls = {sizeof controls,
                                     ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&controls);
    TVersionLabel::Register();
    owner_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                 nullptr, Instance(), nullptr));
    form_ = CreateDialogParamW(Instance(), MAKEINTRESOURCEW(IDD_PROPS), owner_.get(), FormProc,
                               reinterpret_cast<LPARAM>(this));
    if (!form_)
        throw std::runtime_error("TfrmProps: " + WinErrorText(GetLastError()));

    taskIcon1_ = std::make_unique<TTaskIcon>(form_);
    hotKey1_ = std::make_unique<THotKeyRegistration>(form_, kHotKey1);
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

void TfrmProps::FillDefaultActions() {
    if (!actions_.runMainPgp)
        actions_.runMainPgp = [](bool routine) { MainPGP(routine); };
    if (!actions_.showDriverDetails)
        actions_.showDriverDetails = [](const std::string& file) { ShowDriverDetails(file); };
    if (!actions_.clipboardReceiverChange) // the run writes its result back to the mailer
        actions_.clipboardReceiverChange = [this] {
            if (receiverRun_)
                ReturnResultToMailer(*receiverRun_, ClipboardReceiverText());
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
        actions_.showTipOfTheDay = [this] { ShowTipOfTheDayDefault(); };
}

void TfrmProps::ShowTipOfTheDayDefault() {
    TipsHost host;
    host.tipNumber = &TipNumber;
    host.tipEnabled = &TipEnabled;
    host.saveTipSettings = [this] { SaveTipSettings(); };
    host.setTrayActive = [this](bool active) { taskIcon1_->SetActive(active); };
    host.showHelp = [this](int context) {
        actions_.showHelp(static_cast<unsigned>(context), false);
    };
    host.onError = AppException;
    host.programDir = ProgramDir;
    host.appTitle = ApplicationTitle;
    host.owner = form_;
    ShowTipOfTheDay(host);
}

void TfrmProps::FormDestroy() {
    StepCode = 90000;
    if (PgpSearchAnchor == form_)
        PgpSearchAnchor = nullptr;
    SetProcessingHost(previousHost_);
    taskIcon1_.reset(); // takes the icon out of the tray
    hotKey1_.reset();   // gives the shortcut back to other programs
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
    return Dispatch(window, message, wParam, lParam);
}

INT_PTR CALLBACK TfrmProps::PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        return TRUE;
    }
    return Dispatch(window, message, wParam, lParam);
}

INT_PTR TfrmProps::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
    return window == form_ ? HandleFormMessage(message, wParam, lParam) : FALSE;
}

INT_PTR TfrmProps::HandleFormMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        // Moved to a monitor with another dpi: the system suggests the place, the size and the
        // font follow.
        fontFollower_.Follow(form_, HIWORD(wParam));
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
    case WM_HOTKEY:
        if (wParam == kHotKey1)
            HotKey1HotKey();
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
        if (msg.wParam == VK_ESCAPE && mailers_->CancelDrag())
            return true; // Esc ends a drag, not the window
        // Key preview: the window sees the key first; the key goes on to its control.
        Guarded([&] {
            FormKeyDown(static_cast<unsigned>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                        GetKeyState(VK_MENU) < 0);
        });
    }
    return own && IsWindowVisible(form_) && IsDialogMessageA(form_, &msg);
}

void TfrmProps::ProcessMessages() {
    PumpPendingMessages([this](MSG& msg) { return PreTranslateMessage(msg); });
}

void TfrmProps::WMInitDialog() {
    for (TPropsPage* page : pages_)
        if (!page->Create(form_, PageProc, reinterpret_cast<LPARAM>(this)))
            throw std::runtime_error("TfrmProps page: " + WinErrorText(GetLastError()));
    pageControl1_ = GetDlgItem(form_, IDC_PAGECONTROL1);
    AddFormCommands();
    for (TPropsPage* page : pages_) {
        page->Init();
        page->AddCommands(commands_);
    }
    // PGP's output can be long.
    SendMessageA(Item(IDC_TXTCLIPBOARDRECEIVER), EM_SETLIMITTEXT, 0, 0);
    AddHints();
    ApplyTabs(ShownPages(false)); // the tab row must be there to find the pages' place
    LayOut();
    SelectPage(MailerChoicePage);
    fontFollower_.Remember(DpiOf(form_));
}

void TfrmProps::AddFormCommands() {
    commands_.push_back({IDOK, BN_CLICKED, [this] { btnOkClick(); }});
    commands_.push_back({IDCANCEL, AnyNotification, [this] { btnCancelClick(); }});
    commands_.push_back({IDC_BTNUNLOAD, BN_CLICKED, [this] { btnUnloadClick(); }});
    commands_.push_back({IDC_BTNHELP, BN_CLICKED, [this] { btnHelpClick(); }});
    // SetClipboardReceiverText runs the handler itself.
    commands_.push_back({IDC_TXTCLIPBOARDRECEIVER, EN_CHANGE, [this] {
                             if (settingReceiver_)
                                 return;
                             receiverText_ = WindowTextUtf8(Item(IDC_TXTCLIPBOARDRECEIVER));
                             txtClipboardReceiverChange();
                         }});
}

void TfrmProps::AddHints() {
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
}

void TfrmProps::LayOut() {
    // The places are 96-dpi pixels, scaled to the window's dpi like the dialog font.
    const int dpi = DpiOf(form_);
    const SIZE frame = FrameForClient(form_, kClientWidth, kClientHeight, dpi);
    SetWindowPos(form_, nullptr, 0, 0, frame.cx, frame.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControls(form_, kFormPlaces, dpi);

    RECT display;
    GetWindowRect(pageControl1_, &display);
    MapWindowPoints(nullptr, form_, reinterpret_cast<POINT*>(&display), 2);
    SendMessageA(pageControl1_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    for (TPropsPage* page : pages_) {
        // Above the tab control, so that the page is drawn and clicked rather than the tabs.
        SetWindowPos(page->Handle(), HWND_TOP, display.left, display.top,
                     display.right - display.left, display.bottom - display.top, SWP_NOACTIVATE);
        PlaceControls(page->Handle(), page->Places(), dpi);
    }
}

HWND TfrmProps::Item(int id) const {
    if (HWND control = GetDlgItem(form_, id))
        return control;
    for (const TPropsPage* page : pages_)
        if (HWND control = page->Item(id))
            return control;
    return nullptr;
}

std::string TfrmProps::ItemText(int id) const {
    return TextOfWindow(Item(id));
}

void TfrmProps::WMCommand(int id, int code) {
    if (const CommandRoute* route = FindRoute(commands_, id, code))
        route->handler();
}

void TfrmProps::WMNotify(const NMHDR& header) {
    if (header.hwndFrom == pageControl1_ && header.code == static_cast<UINT>(TCN_SELCHANGE))
        PageControl1Change();
}

unsigned TfrmProps::HelpContextOf(HWND control) const {
    // The control's own context, else that of what it lies on, as far as the form.
    for (HWND w = control; w && w != form_; w = GetParent(w)) {
        for (int page = 0; page < PropsPageCount; ++page)
            if (w == pages_[static_cast<size_t>(page)]->Handle() && PageHelpContext(page))
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
    for (TPropsPage* page : pages_)
        if (const INT_PTR brush = page->CtlColorStatic(dc, control))
            return brush;
    return FALSE;
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

// ---- the processing run's result ---------------------------------------------------------

// The result travels in memory: the edit is a relay of the change event and would hold only
// what the code page carries.
std::string TfrmProps::ClipboardReceiverText() const {
    return receiverText_;
}

void TfrmProps::SetClipboardReceiverText(const std::string& text) {
    if (text == receiverText_)
        return; // no change, no change event
    receiverText_ = text;
    {
        // A multi-line edit tells nothing of a text set from outside; the handler runs here.
        FlagScope setting(settingReceiver_);
        SetWindowTextUtf8(Item(IDC_TXTCLIPBOARDRECEIVER), text);
    }
    txtClipboardReceiverChange();
}

void TfrmProps::SetClipboardReceiverText(ProcessingRun& run, const std::string& text) {
    ValueScope<ProcessingRun*> taking(receiverRun_, &run);
    SetClipboardReceiverText(text);
}

// Only a relay: the run writes the result back to the mail client.
void TfrmProps::txtClipboardReceiverChange() {
    if (actions_.clipboardReceiverChange)
        actions_.clipboardReceiverChange();
}
