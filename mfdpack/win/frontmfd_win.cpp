// FRONTMFD.EXE, the Mail Form Driver "Any program": the text field of the window that was in
// front when the user clicked Wextor 5's tray icon: the one Wextor 5 names, else the highest
// in Z order that a person could have been writing in.
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
    profile.name = "FRONTMFD";
    profile.information = "Any program (the window in front), FRONTMFD.EXE 1.0";
    profile.details =
        "Works with the program whose window was in front when you clicked the Wextor 5 icon: "
        "mail programs, webmail in a browser, editors.\r\n\r\n"
        "An edit field is read and written directly, so the program's Undo brings your text "
        "back. Other windows are served by select all, copy and paste, as you would do it; your "
        "clipboard is put back afterwards.\r\n\r\n"
        "Text in every language and script is carried unchanged.\r\n\r\n"
        "When Windows keeps a clipboard history (Windows key+V) or syncs the clipboard to your "
        "other devices, copy and paste would leave your message there. The first time a window "
        "needs them, you are asked once whether to go on; your answer is kept (registry: "
        "HKEY_CURRENT_USER\\Software\\Wextor 5\\Driver pack, KeysWithClipboardHistory: 1 go on, "
        "0 never; delete it to be asked again). Edit fields never use the clipboard.\r\n\r\n"
        "The result goes back only into the window that was read; if you closed it meanwhile, "
        "nothing is pasted (exit code 3) and Wextor 5 leaves the result on the clipboard. A window "
        "of a program running with higher rights (as administrator) takes no text from this "
        "driver: it is refused before anything is read (exit code 6).";
    profile.caption = "About FRONTMFD.EXE";
    profile.findWindow = mfdpack::NamedOrFrontWindow;
    profile.shortFor = ShortOf;
    profile.useKeys = true;
    return mfdpack::RunDriver(profile, GetCommandLineW());
}
