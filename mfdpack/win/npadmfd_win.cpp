// NPADMFD.EXE, the Mail Form Driver for Notepad: the text of its edit field, read and written
// directly, the clipboard left alone.
#include "driver_win.h"
#include "common/syslib_win.h"
#include "windows_win.h"

namespace {

// The Notepad highest in Z order: the one the user worked in last.
HWND TopNotepad() {
    for (HWND w : mfdpack::WindowsOfClass("Notepad"))
        if (mfdpack::TextFieldOf(w))
            return w;
    return nullptr;
}

std::string NotepadShort(HWND) {
    return "Notepad";
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    UseSafeLibrarySearch(); // before any library is loaded by name
    mfdpack::DriverProfile profile;
    profile.name = "NPADMFD";
    profile.information = "Notepad, NPADMFD.EXE 1.0";
    profile.details = "Works with Notepad: the whole text of the Notepad window you used last is "
                      "the message. Notepad's Undo brings your text back.\r\n\r\n"
                      "Text in every language and script is carried unchanged.\r\n\r\n"
                      "The result goes back only into the Notepad that was read; if you closed "
                      "it meanwhile, nothing is pasted (exit code 3) and Wextor 5 leaves the "
                      "result on the clipboard. A Notepad running with higher rights (as "
                      "administrator) is refused before anything is read (exit code 6).";
    profile.caption = "About NPADMFD.EXE";
    profile.findWindow = TopNotepad;
    profile.shortFor = NotepadShort;
    profile.useKeys = false;
    return mfdpack::RunDriver(profile, GetCommandLineW());
}
