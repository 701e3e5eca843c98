#include "driver_win.h"

#include "common/clipsave_win.h"
#include "common/unicode_win.h"
#include "exchange.h"
#include "files_win.h"
#include "frontwindow.h"
#include "keys_win.h"
#include "request.h"
#include "windows_win.h"

namespace mfdpack {

namespace {

// The text of the window's field, directly or, where allowed, by select-all and copy with the
// user's clipboard kept.
bool TakeText(const DriverProfile& profile, HWND window, std::string& text) {
    if (HWND field = TextFieldOf(window))
        return ReadFieldText(field, text);
    if (!profile.useKeys)
        return false;
    const UniqueWindow owner = MakeClipboardOwner();
    SavedClipboard saved;
    if (!owner || !saved.Save(owner.get()))
        return false;
    const bool copied = CopyAllByKeys(window, owner.get(), text);
    const bool restored = saved.Restore(owner.get());
    return copied && restored;
}

bool PutText(const DriverProfile& profile, HWND window, const std::string& text) {
    if (HWND field = TextFieldOf(window))
        return ReplaceFieldText(field, text);
    if (!profile.useKeys)
        return false;
    const UniqueWindow owner = MakeClipboardOwner();
    SavedClipboard saved;
    if (!owner || !saved.Save(owner.get()))
        return false;
    const bool pasted = PasteAllByKeys(window, owner.get(), text);
    return saved.Restore(owner.get()) && pasted;
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
    HWND window = profile.findWindow();
    std::string text;
    if (!window || !TakeText(profile, window, text))
        return ExitNoWindow;
    ExchangeOut m;
    m.wtype = ChooseWtype(text);
    m.information = profile.information;
    m.title = TitleOf(window);
    m.shortText = profile.shortFor(window);
    m.body = text;
    m.hasBody = !text.empty();
    if (!WriteFileBytes(path, BuildExchangeText(m)))
        return ExitFileError;
    MarkTarget(window);
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
    std::string file, body;
    if (!ReadFileBytes(path, file) || !BodyOf(file, body))
        return ExitNoExchange;
    HWND window = MarkedTarget();
    if (!window)
        window = profile.findWindow();
    ClearMarks();
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
