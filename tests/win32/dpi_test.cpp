// Every text of the program's windows fits its control at the dpi the test runs at (96 in the
// suite; tests/e2e/dpi_test.sh runs this binary again at 144 and 192 dpi in a prefix of its own).
// The text is measured with the control's own font, as the control draws it. With
// WEXTOR_SCREENSHOTS set to a folder, each page of the properties window is saved there as a BMP.
#include "runbed.h"

#include "app/global.h"
#include "app/props_win.h"
#include "drivers/ChooseMailer_win.h"
#include "drivers/ScriptInfo_win.h"
#include "processing/running_win.h"
#include "res/resource.h"
#include "support/Tips_win.h"
#include "support/dpi_win.h"

#include <commctrl.h>

#include <cstdlib>
#include <fstream>

using namespace runbed;

namespace {

std::string TextOf(HWND w) {
    char text[4096] = "";
    GetWindowTextA(w, text, sizeof text);
    return text;
}

// The size the text takes in the control's font; with wrapWidth > 0, broken into lines.
SIZE Measure(HWND control, const std::string& text, int wrapWidth) {
    HDC dc = GetDC(control);
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT r = {0, 0, wrapWidth > 0 ? wrapWidth : 100000, 0};
    DrawTextA(dc, text.c_str(), -1, &r,
              DT_CALCRECT | DT_EXPANDTABS | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {r.right - r.left, r.bottom - r.top};
}

struct Finding {
    std::vector<std::string> cut;
    int checked = 0;
};

void CheckControl(HWND control, int dpi, Finding& f) {
    const std::string cls = ClassOf(control), text = TextOf(control);
    RECT box;
    GetClientRect(control, &box);
    const int width = box.right, height = box.bottom;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    const auto say = [&](const std::string& why) {
        f.cut.push_back(cls + " \"" + text + "\" (" + std::to_string(GetDlgCtrlID(control)) +
                        "): " + why);
    };
    if (cls == WC_TABCONTROLA) {
        const int n = static_cast<int>(SendMessageA(control, TCM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            char caption[128] = "";
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = caption;
            item.cchTextMax = sizeof caption;
            SendMessageA(control, TCM_GETITEMA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&item));
            RECT tab;
            SendMessageA(control, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&tab));
            ++f.checked;
            if (Measure(control, caption, 0).cx > tab.right - tab.left)
                f.cut.push_back(std::string("tab \"") + caption + "\"");
        }
        return;
    }
    if (text.empty())
        return;
    ++f.checked;
    if (cls == "Button") {
        const LONG_PTR type = style & BS_TYPEMASK;
        const SIZE need = Measure(control, text, (style & BS_MULTILINE) ? width : 0);
        int room = width - ScaleToDpi(6, dpi); // the button's edges
        if (type == BS_GROUPBOX)
            room = width - ScaleToDpi(16, dpi);
        else if (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                 type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE)
            room = width - ScaleToDpi(13 + 4, dpi); // the box and the gap after it
        if (need.cx > room)
            say("needs " + std::to_string(need.cx) + " of " + std::to_string(room) + " px");
        if (type != BS_GROUPBOX && need.cy > height)
            say("needs height " + std::to_string(need.cy) + " of " + std::to_string(height));
    } else if (cls == "Static") {
        const LONG_PTR type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE)
            return;
        const bool wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        const SIZE need = Measure(control, text, wraps ? width : 0);
        if (need.cx > width || need.cy > height)
            say("needs " + std::to_string(need.cx) + " x " + std::to_string(need.cy) + " of " +
                std::to_string(width) + " x " + std::to_string(height));
    }
}

BOOL CALLBACK VisitChild(HWND child, LPARAM lp) {
    auto* state = reinterpret_cast<std::pair<Finding*, int>*>(lp);
    // Controls put out of sight on purpose (beyond their parent's client area) show nothing.
    RECT mine, parent;
    GetWindowRect(child, &mine);
    GetClientRect(GetParent(child), &parent);
    MapWindowPoints(GetParent(child), nullptr, reinterpret_cast<POINT*>(&parent), 2);
    if (mine.left >= parent.right || mine.top >= parent.bottom)
        return TRUE;
    CheckControl(child, state->second, *state->first);
    return TRUE;
}

Finding CheckWindow(HWND window) {
    Finding f;
    std::pair<Finding*, int> state{&f, DpiOf(window)};
    EnumChildWindows(window, VisitChild, reinterpret_cast<LPARAM>(&state));
    return f;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines)
        all += l + "\n";
    return all;
}

// The window's picture as a 24-bit BMP file.
void SaveBmp(HWND window, const std::string& path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    PrintWindow(window, dc, 0);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>((w * 3 + 3) & ~3);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + stride * static_cast<DWORD>(h);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

class Dpi : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramDir = dir.path();
        MfdDirectory = dir.path().substr(0, dir.path().size() - 1);
        WriteFile(dir.file("SELECTG.DAT"), "Demo Mail!!DEMOMFD.EXE\r\n");
        std::printf("dpi %d\n", DpiOf(nullptr));
    }
    TempDir dir{"dpi"};
    BoxAnswerer boxes;
};

TEST_F(Dpi, PropertiesWindowTextsFit) {
    auto props = std::make_unique<TfrmProps>(PropsActions{}, dir.file("Wextor5.INI"));
    props->FillMailerLists({}); // no active mailer: the red notice shows
    props->LoadSettings();
    props->RefreshControls();
    props->ShowPropsWindow();
    PumpMessages();
    const char* shots = std::getenv("WEXTOR_SCREENSHOTS");
    const HWND tabs = GetDlgItem(props->Handle(), IDC_PAGECONTROL1);
    const int pages = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; shots && i < pages; ++i) {
        props->SelectPage(i);
        PollUntil([] { return false; }, 200); // let it paint
        SaveBmp(props->Handle(), std::string(shots) + "\\props-" + std::to_string(DpiOf(nullptr)) +
                                     "-page" + std::to_string(i + 1) + ".bmp");
    }
    const Finding f = CheckWindow(props->Handle());
    EXPECT_GT(f.checked, 30);
    EXPECT_TRUE(f.cut.empty()) << Joined(f.cut);
    props->HidePropsWindow();
}

// Moved to a monitor at 150 %: the font follows with the layout, and every text still fits.
TEST_F(Dpi, PropertiesWindowFontFollowsAMoveToAnotherDpi) {
    auto props = std::make_unique<TfrmProps>(PropsActions{}, dir.file("Wextor5.INI"));
    props->FillMailerLists({});
    props->LoadSettings();
    props->ShowPropsWindow();
    PumpMessages();
    const auto fontHeight = [](HWND w) {
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof font, &font);
        return std::abs(font.lfHeight);
    };
    const HWND ok = GetDlgItem(props->Handle(), IDOK);
    const int before = fontHeight(ok), dpi = DpiOf(props->Handle());
    const auto moveTo = [&](int to) {
        RECT r;
        GetWindowRect(props->Handle(), &r);
        SendMessageW(props->Handle(), WM_DPICHANGED, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(&r));
    };
    moveTo(dpi * 3 / 2);
    EXPECT_EQ(fontHeight(ok), MulDiv(before, 3, 2));
    EXPECT_EQ(fontHeight(GetDlgItem(props->Handle(), IDC_PAGECONTROL1)), fontHeight(ok));
    moveTo(dpi * 2); // from 150 % on, not from where it began
    EXPECT_EQ(fontHeight(ok), before * 2);
    moveTo(dpi);
    EXPECT_EQ(fontHeight(ok), before);
    props->HidePropsWindow();
}

// The chooser and the script information are modal: a timer looks at them and closes them.
HWND modal = nullptr;
Finding modalFinding;
void CALLBACK InspectModal(HWND, UINT, UINT_PTR id, DWORD) {
    HWND w = GetActiveWindow();
    if (!w || ClassOf(w) != "#32770")
        return;
    KillTimer(nullptr, id);
    modal = w;
    modalFinding = CheckWindow(w);
    PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(Dpi, ChooserAndScriptInformationTextsFit) {
    modal = nullptr;
    SetTimer(nullptr, 0, 100, InspectModal);
    MailerRun run;
    TfrmChooseMailer chooser(run);
    chooser.Lines() = {"Demo Mail driver / Compose Mail - Plans"};
    chooser.ShowModal(nullptr);
    ASSERT_NE(modal, nullptr);
    EXPECT_GE(modalFinding.checked, 3);
    EXPECT_TRUE(modalFinding.cut.empty()) << Joined(modalFinding.cut);

    modal = nullptr;
    SetTimer(nullptr, 0, 100, InspectModal);
    TfrmShowScriptInfo info("Demo Mail script", std::string(3000, 'x'));
    info.ShowModal(nullptr);
    ASSERT_NE(modal, nullptr);
    EXPECT_GE(modalFinding.checked, 1);
    EXPECT_TRUE(modalFinding.cut.empty()) << Joined(modalFinding.cut);
}

TEST_F(Dpi, TipsWindowTextsFit) {
    const std::string tips = std::string(WEXTOR_TEST_DATA) + "/../../dist/tips.dat";
    ASSERT_TRUE(CopyFileA(tips.c_str(), dir.file("tips.dat").c_str(), FALSE)) << tips;
    int tipNumber = 0;
    bool tipEnabled = true;
    TipsHost host;
    host.tipNumber = &tipNumber;
    host.tipEnabled = &tipEnabled;
    host.programDir = dir.path();
    host.appTitle = "Wextor 5";
    host.saveTipSettings = [] {};
    host.setTrayActive = [](bool) {};
    modal = nullptr;
    SetTimer(nullptr, 0, 100, InspectModal);
    TfrmTips window(host);
    window.ShowModal();
    ASSERT_NE(modal, nullptr);
    EXPECT_GE(modalFinding.checked, 3);
    EXPECT_TRUE(modalFinding.cut.empty()) << Joined(modalFinding.cut);
}

TEST_F(Dpi, RunningWindowGrowsWithTheDpi) {
    TfrmRunning running(nullptr);
    RECT client;
    GetClientRect(running.handle(), &client);
    const int dpi = DpiOf(running.handle());
    EXPECT_EQ(client.right, ScaleToDpi(137, dpi));
    EXPECT_EQ(client.bottom, ScaleToDpi(23, dpi));
    // The caption is drawn over the panel: it must fit the panel.
    HDC dc = GetDC(running.handle());
    HGDIOBJ old = SelectObject(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageA(running.handle(), WM_GETFONT, 0, 0)));
    SIZE caption = {};
    GetTextExtentPoint32A(dc, "PGP Running", 11, &caption);
    SelectObject(dc, old);
    ReleaseDC(running.handle(), dc);
    EXPECT_LE(caption.cy, client.bottom);
}

} // namespace
