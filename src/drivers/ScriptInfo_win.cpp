#include "drivers/ScriptInfo_win.h"

#include "app/global.h"
#include "drivers/ScriptInfo.h"
#include "res/resource.h"
#include "support/error.h"
#include "support/placefrm_win.h"
#include "support/winerror_win.h"

#include <vector>

namespace {
constexpr int kClientWidth = 618, kClientHeight = 297;
constexpr INT_PTR kCloseResult = 6;
} // namespace

INT_PTR TfrmShowScriptInfo::ShowModal(HWND owner) {
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SCRIPTINFO), owner,
                        &FormDialogProc<TfrmShowScriptInfo>, reinterpret_cast<LPARAM>(this));
    dialog_ = nullptr;
    if (result == -1) {
        const DWORD error = GetLastError();
        ShowError("TfrmShowScriptInfo", WinErrorText(error));
    }
    return result;
}

void TfrmShowScriptInfo::ReportFailure(const std::exception* error) {
    if (!error)
        return;
    try {
        ShowError("TfrmShowScriptInfo", error->what());
    } catch (...) {
    }
}

INT_PTR TfrmShowScriptInfo::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        FormCreate();
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SCRIPTINFO_CLOSE || LOWORD(wParam) == IDCANCEL) {
            Command1Click();
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        SetWindowLongPtrA(dialog_, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

void TfrmShowScriptInfo::FormCreate() {
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog_, GWL_EXSTYLE)));
    SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    const HWND text1 = GetDlgItem(dialog_, IDC_SCRIPTINFO_TEXT);
    MoveWindow(text1, 8, 8, 601, 257, FALSE);
    MoveWindow(GetDlgItem(dialog_, IDC_SCRIPTINFO_IMAGE), 8, 264, 32, 32, FALSE);
    MoveWindow(GetDlgItem(dialog_, IDC_SCRIPTINFO_CLOSE), 560, 272, 49, 21, FALSE);
    memoFont_.reset(CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
    if (memoFont_)
        SendMessageA(text1, WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.get()), FALSE);
    SendMessageA(text1, EM_SETLIMITTEXT, 0, 0); // no 32 K cap on long descriptions
    SetWindowTextA(dialog_, caption_.c_str());
    SetWindowTextA(text1, text_.c_str());
    PlaceForm(dialog_, 3300, 3300);
}

void TfrmShowScriptInfo::Command1Click() {
    EndDialog(dialog_, kCloseResult);
}

std::string ReadScriptInfoLine(const std::string& section, const std::string& key) {
    const std::string file = ScriptInfoFile();
    // A value that fills the buffer may have been cut: try again with more room.
    for (DWORD size = 256;; size *= 2) {
        std::vector<char> buffer(size);
        const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer.data(),
                                                 size, file.c_str());
        if (n < size - 1 || size >= (1u << 20))
            return std::string(buffer.data(), n);
    }
}

void ShowScriptInfo(const std::string& driverFile) {
    CurrentDriver = driverFile;
    TfrmShowScriptInfo form(ScriptInfoCaption(driverFile), ScriptInfoText(ReadScriptInfoLine));
    form.ShowModal(GetActiveWindow());
}
