#include "support/Tips_win.h"

#include "res/resource.h"
#include "support/error.h"
#include "support/formproc_win.h"
#include "support/helpbox_win.h"
#include "support/placefrm_win.h"
#include "common/winerror_win.h"

namespace {
bool tipsShowing = false;

struct ShowingFlag {
    ShowingFlag() { tipsShowing = true; }
    ~ShowingFlag() { tipsShowing = false; }
    ShowingFlag(const ShowingFlag&) = delete;
    ShowingFlag& operator=(const ShowingFlag&) = delete;
};
} // namespace

TfrmTips::TfrmTips(const TipsHost& host) : host_(host) {
    if (!host_.showHelp)
        host_.showHelp = [this](int context) { ShowHelp(context); };
    TipsView view;
    view.setTipText = [this](const std::string& text) {
        SetDlgItemTextA(dialog_, IDC_TIPS_TEXT, text.c_str());
    };
    view.enableHelp = [this](bool enable) {
        EnableWindow(GetDlgItem(dialog_, IDC_TIPS_HELP), enable);
    };
    view.checkShowTips = [this](bool check) {
        CheckDlgButton(dialog_, IDC_TIPS_SHOW, check ? BST_CHECKED : BST_UNCHECKED);
    };
    view.close = [this] { EndDialog(dialog_, IDOK); };
    logic_ = std::make_unique<TipsLogic>(host_, std::move(view));
}

void TfrmTips::ShowHelp(int context) {
    const HWND window = host_.owner ? static_cast<HWND>(host_.owner) : dialog_;
    ShowHelpTopic(window, host_.programDir, static_cast<unsigned>(context));
}

bool TfrmTips::ShowModal() {
    const INT_PTR result = DialogBoxParamA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TIPS), static_cast<HWND>(host_.owner),
        &FormDialogProc<TfrmTips>, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    return result != -1;
}

void TfrmTips::ReportFailure(const std::exception* error) {
    if (error)
        Report(*error);
    else
        Report(std::runtime_error("unknown error"));
}

INT_PTR TfrmTips::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        WMInitDialog();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            WMCommand(LOWORD(wParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog_, IDC_TIPS_TEXT)) {
            SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
            return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
        }
        return FALSE;
    case WM_DESTROY:
        SetWindowLongPtrA(dialog_, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

void TfrmTips::WMInitDialog() {
    LOGFONTA font = {};
    const HGDIOBJ dialogFont = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog_, WM_GETFONT, 0, 0));
    if (dialogFont && GetObjectA(dialogFont, sizeof font, &font)) {
        font.lfWeight = FW_BOLD;
        boldFont_.reset(CreateFontIndirectA(&font));
        SendDlgItemMessageA(dialog_, IDC_TIPS_HEADING, WM_SETFONT,
                            reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
    }
    logic_->FormCreate();
    SetWindowTextA(dialog_, (host_.appTitle + " - Tip of the Day").c_str());
    SetWindowPos(dialog_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PlaceForm(dialog_, 5000, 5000);
    if (host_.setTrayActive)
        host_.setTrayActive(false);
}

void TfrmTips::WMCommand(int id) {
    switch (id) {
    case IDOK:
    case IDCANCEL: // Esc and the close box
        logic_->btnOkClick();
        break;
    case IDC_TIPS_NEXT:
        logic_->btnNextClick();
        break;
    case IDC_TIPS_PREVIOUS:
        logic_->btnPreviousClick();
        break;
    case IDC_TIPS_HELP:
        logic_->btnHelpClick();
        break;
    case IDC_TIPS_SHOW:
        logic_->chkShowTipsClick(IsDlgButtonChecked(dialog_, IDC_TIPS_SHOW) == BST_CHECKED);
        break;
    }
}

void TfrmTips::Report(const std::exception& error) {
    try {
        if (host_.onError)
            host_.onError(error);
        else
            ShowError(ErrorClassName(error), std::string("UH ") + error.what());
    } catch (...) {
        // A report that fails in turn (an unwritable log) is dropped rather than let through.
    }
}

void ShowTipOfTheDay(const TipsHost& host) {
    if (tipsShowing)
        return;
    ShowingFlag showing;
    TfrmTips form(host);
    const bool shown = form.ShowModal();
    const DWORD error = GetLastError();
    if (host.setTrayActive)
        host.setTrayActive(true);
    if (!shown)
        ShowError("TfrmTips", WinErrorText(error));
}

bool TipsWindowShowing() {
    return tipsShowing;
}
