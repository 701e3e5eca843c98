#include "drivers/ChooseMailer_win.h"

#include "common/unicode_win.h"

#include "support/runstate.h"
#include "drivers/ChooseMailer.h"
#include "res/resource.h"
#include "support/error.h"
#include "support/helpbox_win.h"
#include "common/winerror_win.h"

#include "support/dpi_win.h"

#include <commctrl.h>

namespace {
constexpr int kClientWidth = 470, kClientHeight = 91;

// In 96-dpi pixels, scaled with the window's dpi.
struct ControlPlace {
    int id, left, top, width, height;
};
const ControlPlace kPlaces[] = {{IDC_CHOOSER_LIST, 8, 8, 377, 73},
                                {IDOK, 394, 4, 69, 24},
                                {IDCANCEL, 394, 33, 69, 24},
                                {IDC_CHOOSER_HELP, 394, 63, 69, 24}};
} // namespace

bool TfrmChooseMailer::ShowModal(HWND owner) {
    const INT_PTR result =
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_CHOOSEMAILER), owner,
                        &FormDialogProc<TfrmChooseMailer>, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    hints_ = nullptr;
    if (result == -1) {
        const DWORD error = GetLastError();
        ShowError("TfrmChooseMailer", WinErrorText(error));
    }
    return result == IDOK;
}

void TfrmChooseMailer::ReportFailure(const std::exception* error) {
    if (!error)
        return;
    try {
        ShowError("TfrmChooseMailer", error->what());
    } catch (...) {
    }
}

INT_PTR TfrmChooseMailer::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        FormShow();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_CHOOSER_LIST:
            if (HIWORD(wParam) == LBN_SELCHANGE)
                lstRunningMailersClick();
            else if (HIWORD(wParam) == LBN_DBLCLK)
                lstRunningMailersDblClick();
            return TRUE;
        case IDOK:
            btnOkClick();
            return TRUE;
        case IDCANCEL:
            btnCancelClick();
            return TRUE;
        case IDC_CHOOSER_HELP:
            btnHelpClick();
            return TRUE;
        }
        return FALSE;
    case WM_DPICHANGED: {
        const int dpi = HIWORD(wParam);
        fontFollower_.Follow(dialog_, dpi);
        TakeSuggestedRect(dialog_, lParam);
        for (const ControlPlace& p : kPlaces)
            MoveScaled(GetDlgItem(dialog_, p.id), {p.left, p.top, p.width, p.height}, dpi, TRUE);
        return TRUE;
    }
    case WM_DESTROY:
        SetWindowLongPtrA(dialog_, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

void TfrmChooseMailer::FormCreate() {
    const int dpi = DpiOf(dialog_);
    const SIZE frame = FrameForClient(dialog_, kClientWidth, kClientHeight, dpi);
    const int width = frame.cx, height = frame.cy;
    for (const ControlPlace& p : kPlaces)
        MoveScaled(GetDlgItem(dialog_, p.id), {p.left, p.top, p.width, p.height}, dpi);
    // Centred on the monitor the user works on (the tray's, at a click).
    const RECT monitor = MonitorAreaAtCursor();
    SetWindowPos(dialog_, HWND_TOPMOST, monitor.left + (monitor.right - monitor.left - width) / 2,
                 monitor.top + (monitor.bottom - monitor.top - height) / 2, width, height, 0);
    fontFollower_.Remember(dpi);
    SetWindowContextHelpId(dialog_, ChooserHelpContext);

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    hints_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0,
                             0, 0, 0, dialog_, nullptr, GetModuleHandleA(nullptr), nullptr);
    AddHint(IDC_CHOOSER_LIST, "Choose the one to process");
    AddHint(IDOK, "Confirm the selection");
    AddHint(IDCANCEL, "Abandon processing");

    const HWND list = GetDlgItem(dialog_, IDC_CHOOSER_LIST);
    // A Unicode list: the lines carry drivers' descriptions and window titles in any language.
    for (const std::string& line : Lines())
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(line).c_str()));
}

void TfrmChooseMailer::AddHint(int id, const char* text) {
    if (!hints_)
        return;
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog_;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog_, id));
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(hints_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void TfrmChooseMailer::FormShow() {
    const int line = ChooserPreselection(ChooserIndex, static_cast<int>(Lines().size()));
    SendDlgItemMessageA(dialog_, IDC_CHOOSER_LIST, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    UpdateOkButton();
}

int TfrmChooseMailer::SelectedLine() const {
    return static_cast<int>(SendDlgItemMessageA(dialog_, IDC_CHOOSER_LIST, LB_GETCURSEL, 0, 0));
}

void TfrmChooseMailer::UpdateOkButton() {
    EnableWindow(GetDlgItem(dialog_, IDOK), SelectedLine() != LB_ERR);
}

void TfrmChooseMailer::lstRunningMailersClick() {
    const int line = SelectedLine();
    if (line != LB_ERR)
        ChooserIndex = line;
    UpdateOkButton();
}

// The selected line counts, not ChooserIndex alone: a preselected line 0 may stand for an
// index left from a longer list.
void TfrmChooseMailer::btnOkClick() {
    if (ChooseMailerLine(run_, SelectedLine()))
        EndDialog(dialog_, IDOK);
}

void TfrmChooseMailer::lstRunningMailersDblClick() {
    if (SelectedLine() != LB_ERR)
        btnOkClick();
}

void TfrmChooseMailer::btnCancelClick() {
    EndDialog(dialog_, IDCANCEL);
}

void TfrmChooseMailer::btnHelpClick() {
    ShowHelpTopic(dialog_, ProgramDir, ChooserHelpContext);
}
