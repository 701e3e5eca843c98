#include "formdriver.h"

#include "exchange.h"
#include "winform.h"

#include <windows.h>

namespace mfd {

namespace {

const char kMark[] = "TestbedMfd.Target";

std::vector<HWND> MessageWindows(const FormDriver& d) {
    HWND main = FindWindowA(d.mainClass.c_str(), nullptr);
    if (!main)
        return {};
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    std::vector<std::string> classes;
    for (const FormKind& k : d.kinds)
        classes.push_back(k.windowClass);
    return TopWindowsOf(pid, classes);
}

std::string Field(HWND w, int id) {
    if (id == 0)
        return std::string();
    HWND c = GetDlgItem(w, id);
    return c ? OneLine(WindowText(c)) : std::string();
}

int ReadMessage(const FormDriver& d, const std::string& path) {
    const std::vector<HWND> all = MessageWindows(d);
    HWND w = PickActive(all);
    if (!w) {
        // A stale file must not pass for this client's message.
        DeleteFileA(path.c_str());
        return ExitNoWindow;
    }
    Exchange m;
    m.protocolVersion = kProtocolVersion;
    m.wrapColumn = d.wrapColumn;
    const std::string cls = ClassOf(w);
    for (const FormKind& k : d.kinds)
        if (k.windowClass == cls)
            m.wtype = k.wtype;
    m.information = OneLine(d.information);
    m.title = OneLine(WindowText(w));
    m.to = Field(w, d.idTo);
    m.cc = Field(w, d.idCc);
    m.bcc = Field(w, d.idBcc);
    m.subject = Field(w, d.idSubject);
    m.hasTo = !m.to.empty();
    m.hasCc = !m.cc.empty();
    m.hasBcc = !m.bcc.empty();
    m.hasSubject = !m.subject.empty();
    if (HWND body = GetDlgItem(w, d.idBody))
        m.body = WindowText(body);
    m.hasBody = !m.body.empty();
    MarkTarget(w, all, kMark);
    return WriteWholeFile(path, FormatExchange(m)) ? ExitOk : ExitFileError;
}

int WriteMessage(const FormDriver& d, const std::string& path) {
    std::string text;
    if (!ReadWholeFile(path, text))
        return ExitNoExchange;
    const Exchange m = ParseExchange(text);
    // Without a body there is nothing to put back; clearing the user's text would lose it.
    if (!m.hasBody)
        return ExitNoExchange;
    const std::vector<HWND> all = MessageWindows(d);
    HWND w = MarkedTarget(all, kMark);
    if (!w)
        w = PickActive(all);
    HWND body = w ? GetDlgItem(w, d.idBody) : nullptr;
    if (!body)
        return ExitNoWindow;
    return SetWindowTextOf(body, m.body) ? ExitOk : ExitSetFailed;
}

} // namespace

int WriteProbe(const std::string& path, const std::string& information,
               const std::string& shortText, int wrapColumn) {
    Exchange m;
    m.protocolVersion = kProtocolVersion;
    m.wrapColumn = wrapColumn;
    m.information = OneLine(information);
    m.shortText = OneLine(shortText);
    return WriteWholeFile(path, FormatExchange(m)) ? ExitOk : ExitFileError;
}

int RunFormDriver(const FormDriver& d, const DriverRequest& r) {
    switch (r.kind) {
    case DriverRequest::Data:
        return WriteProbe(r.path, d.information, d.shortText, d.wrapColumn);
    case DriverRequest::Read:
        return ReadMessage(d, r.path);
    case DriverRequest::Write:
        return WriteMessage(d, r.path);
    case DriverRequest::None:
        break;
    }
    ShowInfoBox(d.aboutTitle, d.aboutText);
    return ExitOk;
}

} // namespace mfd
