// FRONTMFD.EXE, the Mail Form Driver "Any program": the text field of the window that was in
// front when the user clicked Wextor 5's tray icon.
#include "driver_win.h"
#include "common/syslib_win.h"
#include "frontwindow.h"
#include "windows_win.h"

namespace {

std::string ShortOf(HWND window) {
    return mfdpack::TitleFragment(mfdpack::TitleOf(window));
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    mfdpack::DriverProfile profile;
    profile.information = "Any program (the window in front), FRONTMFD.EXE 1.0";
    profile.details =
        "Works with the program whose window was in front when you clicked the Wextor 5 icon: "
        "mail programs, webmail in a browser, editors.\r\n\r\n"
        "An edit field is read and written directly, so the program's Undo brings your text "
        "back. Other windows are served by select all, copy and paste, as you would do it; your "
        "clipboard is put back afterwards.\r\n\r\n"
        "Text in every language and script is carried unchanged.";
    profile.caption = "About FRONTMFD.EXE";
    profile.findWindow = mfdpack::FrontWindow;
    profile.shortFor = ShortOf;
    profile.useKeys = true;
    return mfdpack::RunDriver(profile, GetCommandLineW());
}
