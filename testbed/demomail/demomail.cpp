// Demo Mail: a small mail client for the testbed. Its main window ("Demo Mail - Inbox") lists
// the open message windows; each message window (compose mail, compose posting, read message)
// has To, Cc, Bcc, Subject and body fields.
//
//   DemoMail.exe [/open compose|post|read|auto <file>]... [/dump <file>] [/dumpbody <file>]
//                [/quit]
//
// A running Demo Mail gets the commands of a later start through WM_COPYDATA; that start ends
// when they are done (exit code 0, or 1 when one failed or no Demo Mail runs for a dump).
#include "demomail_ui.h"
#include "exchange.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace demomail;

struct KindInfo {
    const char* name;
    const char* windowClass;
    const char* caption;
};

const KindInfo kKinds[] = {{"compose", kComposeClass, "Compose Mail"},
                           {"post", kPostClass, "Compose Posting"},
                           {"read", kReadClass, "Read Message"}};
enum Kind { Compose = 0, Post = 1, Read = 2 };

struct Message {
    std::string to, cc, bcc, subject, body;
};

enum MenuId : int {
    MenuNewMail = 201,
    MenuNewPost,
    MenuOpen,
    MenuSaveState,
    MenuExit,
    MenuAbout,
    MenuCloseMessage,
    IdList = 301,
};

struct Field {
    int id;
    const char* label;
};
const Field kHeaderFields[] = {
    {IdTo, "To:"}, {IdCc, "Cc:"}, {IdBcc, "Bcc:"}, {IdSubject, "Subject:"}};

int LabelId(int fieldId) {
    return fieldId + 100;
}

const int kRowHeight = 22, kRowGap = 4, kMargin = 8, kLabelWidth = 64;

HINSTANCE gInst;
HWND gMain;
HWND gList;
HFONT gUiFont;
HFONT gBodyFont;
std::vector<HWND> gWindows; // message windows, oldest first

int KindOf(HWND w) {
    const std::string cls = [&] {
        char buf[64];
        const int n = GetClassNameA(w, buf, sizeof buf);
        return std::string(buf, n > 0 ? n : 0);
    }();
    for (int k = 0; k < 3; ++k)
        if (cls == kKinds[k].windowClass)
            return k;
    return -1;
}

std::string TextOf(HWND w) {
    const int len = GetWindowTextLengthA(w);
    std::string s(static_cast<size_t>(len) + 1, '\0');
    const int got = GetWindowTextA(w, &s[0], len + 1);
    s.resize(static_cast<size_t>(std::max(0, got)));
    return s;
}

std::string FieldText(HWND w, int id) {
    return TextOf(GetDlgItem(w, id));
}

void RefreshList() {
    SendMessageA(gList, LB_RESETCONTENT, 0, 0);
    for (HWND w : gWindows)
        SendMessageA(gList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextOf(w).c_str()));
}

void UpdateTitle(HWND w) {
    const int kind = KindOf(w);
    std::string subject = FieldText(w, IdSubject);
    if (subject.empty())
        subject = "(no subject)";
    SetWindowTextA(w, (std::string(kKinds[kind].caption) + " - " + subject).c_str());
    RefreshList();
}

// ---- message windows ----

void messageCreate(HWND w) {
    const bool readOnly = KindOf(w) == Read;
    const DWORD ro = readOnly ? ES_READONLY : 0;
    for (const Field& f : kHeaderFields) {
        HWND label = CreateWindowA("STATIC", f.label, WS_CHILD | WS_VISIBLE | SS_RIGHT, 0, 0, 0, 0,
                                   w, reinterpret_cast<HMENU>(static_cast<INT_PTR>(LabelId(f.id))),
                                   gInst, nullptr);
        HWND edit = CreateWindowExA(
            WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | ro,
            0, 0, 0, 0, w, reinterpret_cast<HMENU>(static_cast<INT_PTR>(f.id)), gInst, nullptr);
        SendMessageA(label, WM_SETFONT, reinterpret_cast<WPARAM>(gUiFont), FALSE);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(gUiFont), FALSE);
    }
    HWND body = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
            ES_WANTRETURN | ro,
        0, 0, 0, 0, w, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdBody)), gInst, nullptr);
    SendMessageA(body, WM_SETFONT, reinterpret_cast<WPARAM>(gBodyFont), FALSE);
    // Armoured messages can be large; the edit's default limit is about 32 KB.
    SendMessageA(body, EM_SETLIMITTEXT, 0, 0);
}

void messageSize(HWND w, int width, int height) {
    int y = kMargin;
    for (const Field& f : kHeaderFields) {
        MoveWindow(GetDlgItem(w, LabelId(f.id)), kMargin, y + 3, kLabelWidth, kRowHeight - 4, TRUE);
        MoveWindow(GetDlgItem(w, f.id), kMargin * 2 + kLabelWidth, y,
                   width - kLabelWidth - kMargin * 3, kRowHeight, TRUE);
        y += kRowHeight + kRowGap;
    }
    MoveWindow(GetDlgItem(w, IdBody), kMargin, y + kRowGap, width - kMargin * 2,
               std::max(0, height - y - kRowGap - kMargin), TRUE);
}

void messageDestroy(HWND w) {
    gWindows.erase(std::remove(gWindows.begin(), gWindows.end(), w), gWindows.end());
    RefreshList();
}

LRESULT CALLBACK MessageProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        messageCreate(w);
        return 0;
    case WM_SIZE:
        messageSize(w, LOWORD(lp), HIWORD(lp));
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(w, KindOf(w) == Read ? IdBody : IdTo));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == IdSubject && HIWORD(wp) == EN_CHANGE)
            UpdateTitle(w);
        else if (LOWORD(wp) == MenuCloseMessage)
            PostMessageA(w, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        messageDestroy(w);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HWND OpenMessageWindow(int kind, const Message& m) {
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, MenuCloseMessage, "&Close");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&Message");
    const int offset = 30 + 24 * static_cast<int>(gWindows.size() % 10);
    HWND w = CreateWindowExA(0, kKinds[kind].windowClass, kKinds[kind].caption, WS_OVERLAPPEDWINDOW,
                             120 + offset, 60 + offset, 560, 440, nullptr, menu, gInst, nullptr);
    if (!w)
        return nullptr;
    SetWindowTextA(GetDlgItem(w, IdTo), m.to.c_str());
    SetWindowTextA(GetDlgItem(w, IdCc), m.cc.c_str());
    SetWindowTextA(GetDlgItem(w, IdBcc), m.bcc.c_str());
    gWindows.push_back(w);
    SetWindowTextA(GetDlgItem(w, IdSubject), m.subject.c_str()); // also sets the title
    SetWindowTextA(GetDlgItem(w, IdBody), m.body.c_str());
    UpdateTitle(w);
    ShowWindow(w, SW_SHOWNORMAL);
    SetForegroundWindow(w);
    return w;
}

// ---- message files and dumps ----

// Header lines To:, Cc:, Bcc:, Subject:, an empty line, the body; an exchange file is read the
// same way and its Wtype chooses the kind for "auto". A file without any CR is taken as
// LF-ended and given CR LF, which the edit controls need.
bool ReadMessageFile(const std::string& path, Message& m, int& wtype) {
    std::string text;
    if (!mfd::ReadWholeFile(path, text))
        return false;
    if (text.find('\r') == std::string::npos) {
        std::string crlf;
        for (char c : text) {
            if (c == '\n')
                crlf += '\r';
            crlf += c;
        }
        text.swap(crlf);
    }
    if (text.compare(0, 2, "\r\n") == 0) {
        m = Message();
        m.body = text.substr(2);
        wtype = 0;
        return true;
    }
    const mfd::Exchange x = mfd::ParseExchange(text);
    m.to = x.to;
    m.cc = x.cc;
    m.bcc = x.bcc;
    m.subject = x.subject;
    m.body = x.body;
    wtype = x.wtype;
    return true;
}

int KindByName(const std::string& name, int wtype) {
    for (int k = 0; k < 3; ++k)
        if (name == kKinds[k].name)
            return k;
    if (name != "auto")
        return -1;
    if (wtype & mfd::WtypeRead)
        return Read;
    return (wtype & mfd::WtypePost) ? Post : Compose;
}

bool OpenFile(const std::string& kindName, const std::string& path) {
    Message m;
    int wtype = 0;
    if (!ReadMessageFile(path, m, wtype))
        return false;
    const int kind = KindByName(kindName, wtype);
    return kind >= 0 && OpenMessageWindow(kind, m) != nullptr;
}

// Every message window, oldest first; Body-Length counts the body's bytes exactly.
std::string StateText() {
    std::string out = "Demo Mail windows: " + std::to_string(gWindows.size()) + "\r\n";
    int n = 0;
    for (HWND w : gWindows) {
        const std::string body = FieldText(w, IdBody);
        out += "\r\nWindow: " + std::to_string(++n) + "\r\n";
        out += std::string("Kind: ") + kKinds[KindOf(w)].name + "\r\n";
        out += "Title: " + TextOf(w) + "\r\n";
        out += "To: " + FieldText(w, IdTo) + "\r\n";
        out += "Cc: " + FieldText(w, IdCc) + "\r\n";
        out += "Bcc: " + FieldText(w, IdBcc) + "\r\n";
        out += "Subject: " + FieldText(w, IdSubject) + "\r\n";
        out += "Body-Length: " + std::to_string(body.size()) + "\r\n\r\n";
        out += body + "\r\n";
    }
    return out;
}

bool DumpState(const std::string& path) {
    return mfd::WriteWholeFile(path, StateText());
}

// The body of the newest message window, byte for byte.
bool DumpBody(const std::string& path) {
    return !gWindows.empty() && mfd::WriteWholeFile(path, FieldText(gWindows.back(), IdBody));
}

// ---- main window ----

std::string AskFile(bool save) {
    char name[MAX_PATH] = "";
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = gMain;
    ofn.lpstrFilter = save ? "Text files\0*.txt\0All files\0*.*\0"
                           : "Messages\0*.txt;*.msg;*.tmp\0All files\0*.*\0";
    ofn.lpstrFile = name;
    ofn.nMaxFile = sizeof name;
    ofn.lpstrDefExt = "txt";
    ofn.Flags = save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST;
    const BOOL ok = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    return ok ? std::string(name) : std::string();
}

void menuCommand(int id) {
    switch (id) {
    case MenuNewMail:
        OpenMessageWindow(Compose, Message());
        break;
    case MenuNewPost:
        OpenMessageWindow(Post, Message());
        break;
    case MenuOpen: {
        const std::string path = AskFile(false);
        if (!path.empty() && !OpenFile("auto", path))
            MessageBoxA(gMain, ("Cannot open " + path).c_str(), "Demo Mail", MB_ICONERROR);
        break;
    }
    case MenuSaveState: {
        const std::string path = AskFile(true);
        if (!path.empty() && !DumpState(path))
            MessageBoxA(gMain, ("Cannot write " + path).c_str(), "Demo Mail", MB_ICONERROR);
        break;
    }
    case MenuExit:
        PostMessageA(gMain, WM_CLOSE, 0, 0);
        break;
    case MenuAbout:
        MessageBoxA(gMain, "Demo Mail 1.0 (testbed mail client)", "About Demo Mail",
                    MB_ICONINFORMATION);
        break;
    }
}

void listDblClick() {
    const LRESULT i = SendMessageA(gList, LB_GETCURSEL, 0, 0);
    if (i >= 0 && static_cast<size_t>(i) < gWindows.size()) {
        ShowWindow(gWindows[i], SW_RESTORE);
        SetForegroundWindow(gWindows[i]);
    }
}

// One command, from this start's own command line or from a later start's WM_COPYDATA.
bool Execute(unsigned long code, const std::string& a, const std::string& b) {
    switch (code) {
    case CopyOpen:
        return OpenFile(a, b);
    case CopyDump:
        return DumpState(a);
    case CopyDumpBody:
        return DumpBody(a);
    case CopyQuit:
        PostMessageA(gMain, WM_CLOSE, 0, 0);
        return true;
    }
    return false;
}

LRESULT copyData(const COPYDATASTRUCT* cd) {
    const char* p = static_cast<const char*>(cd->lpData);
    const std::string data = p ? std::string(p, cd->cbData) : std::string();
    const size_t z = data.find('\0');
    const std::string a = data.substr(0, z);
    std::string b;
    if (z != std::string::npos) {
        b = data.substr(z + 1);
        b = b.substr(0, b.find('\0'));
    }
    return Execute(static_cast<unsigned long>(cd->dwData), a, b) ? 1 : 0;
}

LRESULT CALLBACK MainProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        gList =
            CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                            0, 0, 0, 0, w, reinterpret_cast<HMENU>(IdList), gInst, nullptr);
        SendMessageA(gList, WM_SETFONT, reinterpret_cast<WPARAM>(gUiFont), FALSE);
        return 0;
    case WM_SIZE:
        MoveWindow(gList, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wp) == IdList && HIWORD(wp) == LBN_DBLCLK)
            listDblClick();
        else
            menuCommand(LOWORD(wp));
        return 0;
    case WM_COPYDATA:
        return copyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_CLOSE:
        // The process ends with its windows; destroying captioned windows one by one costs
        // seconds under Wine without a window manager.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(w, msg, wp, lp);
}

HMENU MainMenu() {
    HMENU menu = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, MenuNewMail, "&New Mail");
    AppendMenuA(file, MF_STRING, MenuNewPost, "New &Posting");
    AppendMenuA(file, MF_STRING, MenuOpen, "&Open Message...");
    AppendMenuA(file, MF_STRING, MenuSaveState, "&Save State As...");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, MenuExit, "E&xit");
    HMENU help = CreatePopupMenu();
    AppendMenuA(help, MF_STRING, MenuAbout, "&About Demo Mail");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "&Help");
    return menu;
}

void RegisterClasses() {
    WNDCLASSA wc = {};
    wc.hInstance = gInst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpfnWndProc = MainProc;
    wc.lpszClassName = kMainClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = MessageProc;
    for (const KindInfo& k : kKinds) {
        wc.lpszClassName = k.windowClass;
        RegisterClassA(&wc);
    }
}

// ---- command line ----

struct Command {
    unsigned long code;
    std::string a, b;
};

std::vector<std::string> Tokens(const char* line) {
    std::vector<std::string> out;
    const std::string s = line ? line : "";
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        if (i >= s.size())
            break;
        std::string t;
        bool quoted = false;
        while (i < s.size() && (quoted || (s[i] != ' ' && s[i] != '\t'))) {
            if (s[i] == '"')
                quoted = !quoted;
            else
                t += s[i];
            ++i;
        }
        out.push_back(t);
    }
    return out;
}

std::string FullPath(const std::string& path) {
    char buf[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
    return n > 0 && n < sizeof buf ? std::string(buf, n) : path;
}

bool IsKindName(const std::string& s) {
    return s == "compose" || s == "post" || s == "read" || s == "auto";
}

bool ParseCommands(const std::vector<std::string>& t, std::vector<Command>& out) {
    for (size_t i = 1; i < t.size(); ++i) {
        const std::string& op = t[i];
        if (op == "/open" && i + 1 < t.size()) {
            std::string kind = "auto";
            if (IsKindName(t[i + 1]))
                kind = t[++i];
            if (i + 1 >= t.size())
                return false;
            out.push_back({CopyOpen, kind, FullPath(t[++i])});
        } else if ((op == "/dump" || op == "/dumpbody") && i + 1 < t.size()) {
            out.push_back({op == "/dump" ? CopyDump : CopyDumpBody, FullPath(t[++i]), ""});
        } else if (op == "/quit") {
            out.push_back({CopyQuit, "", ""});
        } else {
            return false;
        }
    }
    return true;
}

int Forward(HWND running, const std::vector<Command>& commands) {
    int rc = 0;
    for (const Command& c : commands) {
        std::string data = c.a;
        data += '\0';
        data += c.b;
        data += '\0';
        COPYDATASTRUCT cd;
        cd.dwData = c.code;
        cd.cbData = static_cast<DWORD>(data.size());
        cd.lpData = &data[0];
        DWORD_PTR ok = 0;
        if (!SendMessageTimeoutA(running, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cd),
                                 SMTO_ABORTIFHUNG, 30000, &ok) ||
            !ok)
            rc = 1;
    }
    return rc;
}

} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int show) {
    gInst = inst;
    std::vector<Command> commands;
    if (!ParseCommands(Tokens(GetCommandLineA()), commands))
        return 2;
    if (HWND running = FindWindowA(kMainClass, nullptr))
        return Forward(running, commands);
    const bool opens = std::any_of(commands.begin(), commands.end(),
                                   [](const Command& c) { return c.code == CopyOpen; });
    if (!commands.empty() && !opens)
        return 1; // nothing to dump from, nothing to quit

    gUiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    gBodyFont =
        CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    RegisterClasses();
    gMain = CreateWindowExA(0, kMainClass, "Demo Mail - Inbox", WS_OVERLAPPEDWINDOW, 40, 40, 420,
                            300, nullptr, MainMenu(), inst, nullptr);
    if (!gMain)
        return 1;
    ShowWindow(gMain, show);
    UpdateWindow(gMain);
    for (const Command& c : commands)
        if (!Execute(c.code, c.a, c.b))
            MessageBeep(MB_ICONWARNING);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
