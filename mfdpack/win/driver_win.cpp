#include "driver_win.h"

#include "common/clipsave_win.h"
#include "common/unicode_win.h"
#include "exchange.h"
#include "files_win.h"
#include "frontwindow.h"
#include "guards.h"
#include "history_win.h"
#include "keys_win.h"
#include "request.h"
#include "target_win.h"
#include "windows_win.h"

namespace mfdpack {

namespace {

// The keys road, where the profile allows it, with the user's clipboard given back after it.
template <class Step> bool ByKeys(const DriverProfile& profile, Step step) {
    if (!profile.useKeys || !KeysRoadAllowed((std::string(profile.name) + ".EXE").c_str()))
        return false;
    const UniqueWindow owner = MakeClipboardOwner();
    SavedClipboard saved;
    if (!owner || !saved.Save(owner.get()))
        return false;
    const bool done = step(owner.get());
    const bool restored = saved.Restore(owner.get());
    return done && restored;
}

// The text of the window's field, directly or, where allowed, by select-all and copy with the
// user's clipboard kept. Only the keys road touches the clipboard.
bool TakeText(const DriverProfile& profile, HWND window, std::string& text) {
    if (HWND field = TextFieldOf(window))
        return ReadFieldText(field, text);
    return ByKeys(profile, [&](HWND owner) { return CopyAllByKeys(window, owner, text); });
}

bool PutText(const DriverProfile& profile, HWND window, const std::string& text) {
    if (HWND field = TextFieldOf(window))
        return ReplaceFieldText(field, text);
    return ByKeys(profile, [&](HWND owner) { return PasteAllByKeys(window, owner, text); });
}

int Probe(const DriverProfile& profile, const std::string& path) {
    HWND window = profile.findWindow();
    const std::string shortText = window ? profile.shortFor(window) : std::string();
    const std::string text =
        ProbeText(profile.information, shortText.empty() ? NothingInFrontShort : shortText);
    if (!WriteFileBytes(path, text))
        return ExitFileError;
    return window ? ExitDone : ExitNoWindow;
}

int Read(const DriverProfile& profile, const std::string& path) {
    // A file left from before must not pass for this window's text.
    DeleteFileIfThere(path);
    ForgetTarget(profile.name);
    HWND window = profile.findWindow();
    if (!window)
        return ExitNoWindow;
    // Windows would let the text be read but not put back: refuse before the user chooses
    // recipients for nothing.
    if (!RightsAllowServing(OwnIntegrity(), IntegrityOfWindow(window)))
        return ExitHigherRights;
    std::string text;
    if (!TakeText(profile, window, text))
        return ExitNoWindow;
    ExchangeOut m;
    m.wtype = ChooseWtype(text);
    m.information = profile.information;
    m.title = TitleOf(window);
    m.shortText = profile.shortFor(window);
    m.body = text;
    m.hasBody = !text.empty();
    // Without the record the write could not find its way back: better to fail now.
    if (!RememberTarget(profile.name, window))
        return ExitFileError;
    if (!WriteFileBytes(path, BuildExchangeText(m))) {
        ForgetTarget(profile.name);
        return ExitFileError;
    }
    return ExitDone;
}

// The message text of a "Write File=" file as UTF-8: as it stands where the file declares
// UTF-8, else read from the ANSI code page (Wextor 5's bytes for a driver that declared nothing).
bool BodyOf(const std::string& file, std::string& body) {
    if (!ExchangeBody(file, body))
        return false;
    if (!DeclaresUtf8(file))
        body = Utf8FromCodePage(body);
    return true;
}

int Write(const DriverProfile& profile, const std::string& path) {
    // Only the window that was read, never whatever is in front now: the user may have closed
    // it while choosing recipients. Wextor 5 then leaves the result on the clipboard.
    HWND window = TakeRememberedTarget(profile.name);
    std::string file, body;
    if (!ReadFileBytes(path, file) || !BodyOf(file, body))
        return ExitNoExchange;
    if (!window)
        return ExitNoWindow;
    return PutText(profile, window, body) ? ExitDone : ExitNotTaken;
}

} // namespace

int RunDriver(const DriverProfile& profile, const wchar_t* commandLine) {
    // UTF-8 from here on: the exchange file's path may name a folder outside the ANSI code page.
    const DriverRequest r = ParseDriverRequest(Utf8Of(commandLine));
    switch (r.kind) {
    case RequestKind::Data:
        return Probe(profile, r.path);
    case RequestKind::Read:
        return Read(profile, r.path);
    case RequestKind::Write:
        return Write(profile, r.path);
    case RequestKind::Details:
        break;
    }
    const std::string text = std::string(profile.information) + "\r\n\r\n" + profile.details;
    MessageBoxW(nullptr, Widen(text).c_str(), Widen(profile.caption).c_str(),
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return ExitDone;
}

} // namespace mfdpack
