#include "app/props_about_win.h"

#include "app/appexception.h"
#include "app/global.h"
#include "app/propsmodel.h"
#include "app/settings.h"
#include "common/unicode_win.h"
#include "drivers/PathOfF.h"
#include "res/resource.h"
#include "support/fileutil_win.h"

#include <commctrl.h>

#include <stdexcept>

namespace {
constexpr UINT_PTR kAboutSubclass = 2;
} // namespace

TAboutPage::TAboutPage() : TPropsPage(IDD_PROPS_ABOUT) {}

void TAboutPage::Init() {
    versionLabel1_ = TVersionLabel::FromWindow(Item(IDC_VERSIONLABEL1));
    if (!versionLabel1_)
        throw std::runtime_error("TfrmProps: no version label");
    SetWindowSubclass(Item(IDC_TXTABOUT), AboutProc, kAboutSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
    SetWindowTextA(Item(IDC_TXTABOUT), "");
    const HICON icon = static_cast<HICON>(LoadImageA(
        GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_WEXTOR), IMAGE_ICON, 32, 32, LR_SHARED));
    SendMessageA(Item(IDC_IMAGE1), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

const PlaceTable& TAboutPage::Places() const {
    static const PlaceTable places = {
        {IDC_IMAGE1, {10, 10, 32, 32}},
        {IDC_TXTABOUT, {50, 10, 372, 240}},
        {IDC_VERSIONLABEL1, {600, 4, 120, 16}}, // out of sight
    };
    return places;
}

INT_PTR TAboutPage::CtlColorStatic(HDC dc, HWND control) {
    if (control != Item(IDC_TXTABOUT))
        return FALSE;
    // Read-only: the dialog face, not a field.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

void TAboutPage::FillAboutText() {
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
    // The folders may hold letters of any script, such as the user's name.
    SetWindowTextUtf8(Item(IDC_TXTABOUT), ::AboutText(facts));
}

std::string TAboutPage::AboutText() const {
    return WindowTextUtf8(Item(IDC_TXTABOUT));
}

void TAboutPage::txtAboutMouseDown() {
    SendMessageA(Item(IDC_TXTABOUT), EM_SETSEL, 0, 9999); // all of it: it is far shorter
}

LRESULT CALLBACK TAboutPage::AboutProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, AboutProc, kAboutSubclass);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
        GuardHandler([self] { reinterpret_cast<TAboutPage*>(self)->txtAboutMouseDown(); });
    return result;
}
