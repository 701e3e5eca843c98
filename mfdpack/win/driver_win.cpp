#include "driver_win.h"

#include "common/clipsave_win.h"
#include "exchange.h"
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
    SavedClipboard saved;
    if (!saved.Save())
        return false;
    const bool copied = CopyAllByKeys(window, text);
    const bool restored = saved.Restore();
    return copied && restored;
}

bool PutText(const DriverProfile& profile, HWND window, const std::string& text) {
    if (HWND field = TextFieldOf(window))
        return ReplaceFieldText(field, text);
    if (!profile.useKeys)
        return false;
    SavedClipboard saved;
    if (!saved.Save())
        return false;
    const bool pasted = PasteAllByKeys(window, text);
    return saved.Restore() && pasted;
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
    DeleteFileA(path.c_str());
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

int Write(const DriverProfile& profile, const std::string& path) {
    std::string file, body;
    if (!ReadFileBytes(path, file) || !ExchangeBody(file, body))
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

int RunDriver(const DriverProfile& profile, const char* commandLine) {
    const DriverRequest r = ParseDriverRequest(commandLine ? commandLine : "");
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
    MessageBoxA(nullptr, text.c_str(), profile.caption,
                MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
    return ExitDone;
}

} // namespace mfdpack
