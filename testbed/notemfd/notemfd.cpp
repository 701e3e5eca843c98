// NOTEMFD.EXE: a Mail Form Driver for Notepad, whose one edit control holds the whole message:
// a leading block of "To:", "Cc:", "Bcc:" and "Subject:" lines ended by an empty line gives
// the header fields, the rest is the body. Requests as for every driver:
//   NOTEMFD.EXE Data File=<path> | read File=<path> | Write File=<path> | (nothing: about box)
#include "exchange.h"
#include "formdriver.h"
#include "request.h"
#include "winform.h"

#include <windows.h>

namespace {

const char kNotepadClass[] = "Notepad";
const char kMark[] = "NoteMfd.Target";
const char kInformation[] = "Notepad driver NOTEMFD.EXE 1.0 (testbed)";

struct Parsed {
    std::string block; // the header lines and the empty line, as they stand
    std::string to, cc, bcc, subject;
    std::string body;
};

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

bool TakeHeader(const std::string& line, Parsed& p) {
    static const struct {
        const char* key;
        std::string Parsed::*field;
    } keys[] = {{"to:", &Parsed::to},
                {"cc:", &Parsed::cc},
                {"bcc:", &Parsed::bcc},
                {"subject:", &Parsed::subject}};
    for (const auto& k : keys) {
        const std::string key = k.key;
        if (line.size() < key.size())
            continue;
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.c_str(),
                           static_cast<int>(key.size()), key.c_str(),
                           static_cast<int>(key.size())) != CSTR_EQUAL)
            continue;
        std::string& field = p.*(k.field);
        if (field.empty())
            field = Trim(line.substr(key.size()));
        return true;
    }
    return false;
}

// Without a complete block (header lines, then an empty line) the whole text is the body.
Parsed Split(const std::string& text) {
    Parsed p;
    size_t at = 0;
    bool any = false;
    while (at < text.size()) {
        const size_t lf = text.find('\n', at);
        if (lf == std::string::npos)
            break;
        std::string line = text.substr(at, lf - at);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty()) {
            if (!any)
                break;
            p.block = text.substr(0, lf + 1);
            p.body = text.substr(lf + 1);
            return p;
        }
        if (!TakeHeader(line, p))
            break;
        any = true;
        at = lf + 1;
    }
    Parsed whole;
    whole.body = text;
    return whole;
}

std::vector<HWND> NotepadWindows() {
    std::vector<HWND> all;
    for (HWND w = FindWindowExA(nullptr, nullptr, kNotepadClass, nullptr); w;
         w = FindWindowExA(nullptr, w, kNotepadClass, nullptr))
        if (IsWindowVisible(w))
            all.push_back(w);
    return all;
}

HWND EditOf(HWND notepad) {
    return notepad ? FindWindowExA(notepad, nullptr, "Edit", nullptr) : nullptr;
}

int Read(const std::string& path) {
    const std::vector<HWND> all = NotepadWindows();
    HWND w = mfd::PickActive(all);
    HWND edit = EditOf(w);
    if (!edit) {
        DeleteFileA(path.c_str());
        return mfd::ExitNoWindow;
    }
    const Parsed p = Split(mfd::WindowText(edit));
    mfd::Exchange m;
    m.protocolVersion = mfd::kProtocolVersion;
    m.wtype = p.body.find("-----BEGIN PGP") != std::string::npos ? mfd::WtypeRead : mfd::WtypeMail;
    m.information = kInformation;
    m.title = mfd::OneLine(mfd::WindowText(w));
    m.to = p.to;
    m.cc = p.cc;
    m.bcc = p.bcc;
    m.subject = p.subject;
    m.hasTo = !m.to.empty();
    m.hasCc = !m.cc.empty();
    m.hasBcc = !m.bcc.empty();
    m.hasSubject = !m.subject.empty();
    m.body = p.body;
    m.hasBody = !m.body.empty();
    mfd::MarkTarget(w, all, kMark);
    return mfd::WriteWholeFile(path, mfd::FormatExchange(m)) ? mfd::ExitOk : mfd::ExitFileError;
}

int Write(const std::string& path) {
    std::string text;
    if (!mfd::ReadWholeFile(path, text))
        return mfd::ExitNoExchange;
    const mfd::Exchange m = mfd::ParseExchange(text);
    if (!m.hasBody)
        return mfd::ExitNoExchange;
    const std::vector<HWND> all = NotepadWindows();
    HWND w = mfd::MarkedTarget(all, kMark);
    if (!w)
        w = mfd::PickActive(all);
    HWND edit = EditOf(w);
    if (!edit)
        return mfd::ExitNoWindow;
    // The header block stays as the user wrote it; only the body is replaced.
    const Parsed now = Split(mfd::WindowText(edit));
    if (!mfd::SetWindowTextOf(edit, now.block + m.body))
        return mfd::ExitSetFailed;
    SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    return mfd::ExitOk;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const mfd::DriverRequest r = mfd::ParseRequest(mfd::CommandTail(GetCommandLineA()));
    switch (r.kind) {
    case mfd::DriverRequest::Data:
        return mfd::WriteProbe(r.path, kInformation, "Notepad", 0);
    case mfd::DriverRequest::Read:
        return Read(r.path);
    case mfd::DriverRequest::Write:
        return Write(r.path);
    case mfd::DriverRequest::None:
        break;
    }
    mfd::ShowInfoBox("About NOTEMFD.EXE",
                     std::string(kInformation) +
                         "\n\nMail Form Driver for Notepad. Put To:, Cc: and Subject: lines "
                         "and an empty line above the message text.");
    return mfd::ExitOk;
}
