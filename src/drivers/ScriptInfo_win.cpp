#include "drivers/ScriptInfo_win.h"

#include "support/runstate.h"
#include "drivers/ScriptInfo.h"
#include "res/resource.h"
#include "support/dpi_win.h"
#include "support/error.h"
#include "support/placefrm_win.h"
#include "common/unicode_win.h"
#include "common/winerror_win.h"

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

INT_PTR TfrmShowScriptInfo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
    case WM_DPICHANGED:
        fontFollower_.Follow(dialog_, HIWORD(wParam));
        TakeSuggestedRect(dialog_, lParam);
        LayOut(HIWORD(wParam));
        return TRUE;
    case WM_DESTROY:
        SetWindowLongPtrA(dialog_, DWLP_USER, 0);
        return FALSE;
    }
    return FALSE;
}

void TfrmShowScriptInfo::FormCreate() {
    const int dpi = DpiOf(dialog_);
    const SIZE frame = FrameForClient(dialog_, kClientWidth, kClientHeight, dpi);
    SetWindowPos(dialog_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER);
    LayOut(dpi);
    fontFollower_.Remember(dpi);
    const HWND text1 = GetDlgItem(dialog_, IDC_SCRIPTINFO_TEXT);
    SendMessageA(text1, EM_SETLIMITTEXT, 0, 0); // no 32 K cap on long descriptions
    SetWindowTextUtf8(dialog_, caption_);
    SetWindowTextUtf8(text1, text_);
    PlaceForm(dialog_, 3300, 3300);
}

// 96-dpi pixels and the memo's 13-pixel font, scaled to the window's dpi.
void TfrmShowScriptInfo::LayOut(int dpi) {
    const HWND text1 = GetDlgItem(dialog_, IDC_SCRIPTINFO_TEXT);
    MoveScaled(text1, {8, 8, 601, 257}, dpi, TRUE);
    MoveScaled(GetDlgItem(dialog_, IDC_SCRIPTINFO_IMAGE), {8, 264, 32, 32}, dpi, TRUE);
    MoveScaled(GetDlgItem(dialog_, IDC_SCRIPTINFO_CLOSE), {560, 272, 49, 21}, dpi, TRUE);
    UniqueGdiObject font(CreateFontA(-ScaleToDpi(13, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif"));
    if (!font)
        return;
    SendMessageA(text1, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    memoFont_ = std::move(font); // the old font goes only once the memo has let go of it
}

void TfrmShowScriptInfo::Command1Click() {
    EndDialog(dialog_, kCloseResult);
}

std::string ReadScriptInfoLine(const std::string& driverFile, const std::string& section,
                               const std::string& key) {
    const std::string file = ScriptInfoFile(driverFile);
    // A value that fills the buffer may have been cut: try again with more room.
    for (DWORD size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const DWORD n = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), L"",
                                                 buffer.data(), size, Widen(file).c_str());
        if (n < size - 1 || size >= (1u << 20))
            return Utf8Of(buffer.data(), n);
    }
}

void ShowScriptInfo(const std::string& driverFile) {
    const std::string text =
        ScriptInfoText([&driverFile](const std::string& section, const std::string& key) {
            return ReadScriptInfoLine(driverFile, section, key);
        });
    TfrmShowScriptInfo form(ScriptInfoCaption(driverFile), text);
    form.ShowModal(GetActiveWindow());
}
