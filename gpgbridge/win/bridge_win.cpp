#include "bridge_win.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>

#include "bridgehelp_win.h"
#include "common/clipboard_win.h"
#include "common/flagscope.h"
#include "common/unicode_win.h"
#include "commands.h"
#include "dialogs_win.h"
#include "gpgrun_win.h"
#include "resource.h"
#include "settings_win.h"
#include "status.h"
#include "text.h"

const char kTrayWindowClass[] = "PGPtray_Hidden_Window";
const char kTitle[] = "GnuPG bridge";

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT kTrayId = 1;

void CALLBACK BoxHelp(LPHELPINFO info) {
    ShowBridgeHelp(nullptr, static_cast<HelpTopic>(info->dwContextId));
}

// User ids and GnuPG's words come in UTF-8: the boxes show them with every character. With a
// topic, the box has a Help button that opens it.
int Ask(HWND owner, const std::string& text, UINT style, const HelpTopic* topic = nullptr) {
    const std::wstring wideText = Widen(text), caption = Widen(kTitle);
    MSGBOXPARAMSW box = {};
    box.cbSize = sizeof box;
    box.hwndOwner = owner;
    box.lpszText = wideText.c_str();
    box.lpszCaption = caption.c_str();
    box.dwStyle = style;
    if (topic) {
        box.dwStyle |= MB_HELP;
        box.dwContextHelpId = static_cast<DWORD_PTR>(*topic);
        box.lpfnMsgBoxCallback = &BoxHelp;
    }
    return MessageBoxIndirectW(&box);
}

void ShowProblem(HWND owner, const std::string& text, HelpTopic topic = HelpTopic::Trouble) {
    Ask(owner, text, MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST, &topic);
}

void ShowInformation(HWND owner, const std::string& text) {
    Ask(owner, text, MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND | MB_TOPMOST);
}

// A failure no command caught: told, and the bridge goes on answering.
void ReportUnexpected(const char* what) {
    try {
        ShowProblem(nullptr, std::string("The GnuPG bridge met an error it did not expect: ") +
                                 (what ? what : "unknown error") +
                                 ".\r\n\r\nWhat it was doing was not finished; it goes on "
                                 "working.");
    } catch (...) {
        // The report itself failed (no memory left): nothing more can be said.
    }
}

// One gpg run from the bridge's point of view: found, started, finished; otherwise the user
// has been told why and the result is false.
bool Gpg(HWND owner, const BridgeSettings& settings, const std::string& what, const Args& args,
         const std::string& input, GpgRun& run) {
    const std::string gpg = FindGpg(settings);
    if (gpg.empty()) {
        ShowProblem(
            owner,
            "GnuPG could not " + what +
                ": GnuPG was not found.\r\n\r\nInstall Gpg4win, or name gpg.exe in the bridge's "
                "preferences.",
            HelpTopic::FindingGnupg);
        return false;
    }
    run = RunGpg(gpg, args, input);
    if (!run.ran) {
        ShowProblem(owner, FailureText(what, run.why, ""));
        return false;
    }
    return true;
}

bool ListKeys(HWND owner, const BridgeSettings& settings, bool secret, std::vector<GpgKey>& keys) {
    GpgRun run;
    if (!Gpg(owner, settings, "list the keys", ListKeysArgs(secret), "", run))
        return false;
    keys = ParseKeyList(run.output);
    return true;
}

bool ClipboardText(HWND owner, std::string& text) {
    if (ReadClipboardText(owner, text, ClipboardAttempts) && !text.empty())
        return true;
    ShowInformation(owner, "The clipboard holds no text.");
    return false;
}

// The key to encrypt to for "my own key": the default key, else the first usable secret key.
std::string OwnKey(HWND owner, const BridgeSettings& settings) {
    if (!settings.defaultKey.empty())
        return settings.defaultKey;
    std::vector<GpgKey> secret;
    if (!ListKeys(owner, settings, true, secret))
        return {};
    for (const GpgKey& key : secret)
        if (key.canEncrypt && IsUsable(key))
            return key.keyId;
    return {};
}

} // namespace

bool Bridge::Create(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_BRIDGE));
    windowClass.lpszClassName = kTrayWindowClass;
    if (!RegisterClassA(&windowClass))
        return false;
    settings_ = LoadSettings();
    window_ = CreateWindowExA(0, kTrayWindowClass, kTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                              nullptr, instance, this);
    if (!window_)
        return false;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    AddTrayIcon();
    return true;
}

void Bridge::Destroy() {
    if (window_)
        DestroyWindow(window_);
}

LRESULT CALLBACK Bridge::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<Bridge*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<Bridge*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    // Nothing may unwind through the system's frames, nor through the mail tool's SendMessage.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportUnexpected(e.what());
    } catch (...) {
        ReportUnexpected(nullptr);
    }
    return 0;
}

LRESULT Bridge::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam));
        return 0;
    case kTrayMessage:
        trayIconClick(lParam);
        return 0;
    case WM_DESTROY:
        RemoveTrayIcon();
        PostQuitMessage(0);
        return 0;
    }
    if (message == taskbarCreated_ && taskbarCreated_) { // Explorer restarted: the icon is gone
        AddTrayIcon();
        return 0;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void Bridge::AddTrayIcon() {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window_;
    icon.uID = kTrayId;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = kTrayMessage;
    icon.hIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_BRIDGE), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    lstrcpynA(icon.szTip, "GnuPG bridge: PGP commands carried out by GnuPG", sizeof icon.szTip);
    Shell_NotifyIconA(NIM_ADD, &icon);
}

void Bridge::RemoveTrayIcon() {
    NOTIFYICONDATAA icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window_;
    icon.uID = kTrayId;
    Shell_NotifyIconA(NIM_DELETE, &icon);
}

void Bridge::trayIconClick(LPARAM mouseMessage) {
    if (busy_)
        return;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        Command(IDM_PREFERENCES);
        return;
    }
    if (mouseMessage != WM_RBUTTONUP && mouseMessage != WM_LBUTTONUP)
        return;
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_TRAYMENU));
    if (!menu)
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    SetForegroundWindow(window_); // so that the menu closes when the user clicks elsewhere
    const int chosen = TrackPopupMenu(GetSubMenu(menu, 0), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                      cursor.x, cursor.y, 0, window_, nullptr);
    DestroyMenu(menu);
    if (chosen)
        Command(chosen);
}

void Bridge::Command(int id) {
    // A command that comes while another waits for the user or for GnuPG would share the
    // clipboard with it: it is turned away, and the sender sees an unchanged clipboard.
    if (busy_) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    bool quit = false;
    {
        FlagScope busy(busy_); // cleared however the command ends
        settings_ = LoadSettings();
        switch (id) {
        case PgpEncrypt:
            cmdEncrypt(false);
            break;
        case PgpEncryptSign:
            cmdEncrypt(true);
            break;
        case PgpSign:
            cmdSign();
            break;
        case PgpDecryptVerify:
            cmdDecryptVerify();
            break;
        case PgpAddKey:
            cmdAddKey();
            break;
        case PgpPreferences:
        case IDM_PREFERENCES:
            cmdPreferences();
            break;
        case IDM_KEYS:
            cmdKeys();
            break;
        case IDM_HELP:
            ShowBridgeHelp(nullptr, HelpTopic::Overview);
            break;
        case IDM_EXIT:
            quit = true;
            break;
        default:
            cmdNotice(id);
            break;
        }
    }
    if (quit)
        DestroyWindow(window_); // no longer busy while the window goes
}

void Bridge::cmdEncrypt(bool sign) {
    std::string text;
    if (!ClipboardText(window_, text))
        return;
    std::vector<GpgKey> all;
    if (!ListKeys(window_, settings_, false, all))
        return;
    std::vector<GpgKey> keys;
    std::copy_if(all.begin(), all.end(), std::back_inserter(keys),
                 [](const GpgKey& key) { return key.canEncrypt && IsUsable(key); });
    RecipientChoice choice;
    if (!ChooseRecipients(window_, keys, settings_, choice))
        return;
    settings_.lastRecipients = choice.keyIds;
    settings_.encryptToSelf = choice.toSelf;
    SaveSettings(settings_);

    std::vector<std::string> recipients = choice.keyIds;
    if (choice.toSelf) {
        const std::string own = OwnKey(window_, settings_);
        if (own.empty()) {
            ShowProblem(
                window_,
                "You have no secret key of your own to encrypt to. Make one with Kleopatra or "
                "gpg --gen-key, or clear \"Also encrypt to my own key\".");
            return;
        }
        if (std::find(recipients.begin(), recipients.end(), own) == recipients.end())
            recipients.push_back(own);
    }
    // GnuPG refuses keys whose owner it cannot vouch for; the user may accept them knowingly.
    bool trustAll = false;
    std::string doubtful;
    for (const GpgKey& key : keys)
        if (std::find(recipients.begin(), recipients.end(), key.keyId) != recipients.end() &&
            !IsFullyValid(key.validity))
            doubtful +=
                "\r\n" + key.userId + " (" + key.keyId + ", " + ValidityText(key.validity) + ")";
    if (!doubtful.empty()) {
        const std::string question =
            "It is not certain that these keys belong to the people named in them:" + doubtful +
            "\r\n\r\nEncrypt to them anyway?";
        const HelpTopic topic = HelpTopic::Recipients;
        if (Ask(window_, question, MB_YESNO | MB_ICONWARNING | MB_SETFOREGROUND, &topic) != IDYES)
            return;
        trustAll = true;
    }
    GpgRun run;
    const std::string what = sign ? "encrypt and sign the text" : "encrypt the text";
    if (!Gpg(window_, settings_, what,
             EncryptArgs(recipients, sign, settings_.defaultKey, trustAll), text, run))
        return;
    const Outcome outcome = JudgeEncrypt(ParseStatus(run.status));
    if (!outcome.ok) {
        ShowProblem(window_, FailureText(what, outcome.problem, run.log));
        return;
    }
    if (!WriteClipboardText(window_, ToCrlf(run.output), ClipboardAttempts))
        ShowProblem(window_, "The encrypted text could not be put on the clipboard.");
}

void Bridge::cmdSign() {
    std::string text;
    if (!ClipboardText(window_, text))
        return;
    GpgRun run;
    if (!Gpg(window_, settings_, "sign the text", ClearSignArgs(settings_.defaultKey), text, run))
        return;
    const Outcome outcome = JudgeSign(ParseStatus(run.status));
    if (!outcome.ok) {
        ShowProblem(window_, FailureText("sign the text", outcome.problem, run.log));
        return;
    }
    if (!WriteClipboardText(window_, ToCrlf(run.output), ClipboardAttempts))
        ShowProblem(window_, "The signed text could not be put on the clipboard.");
}

void Bridge::cmdDecryptVerify() {
    std::string text;
    if (!ClipboardText(window_, text))
        return;
    GpgRun run;
    if (!Gpg(window_, settings_, "decrypt or verify the text", DecryptArgs(), text, run))
        return;
    const DecryptReport report = JudgeDecrypt(ParseStatus(run.status));
    if (!report.ok) {
        ShowProblem(window_, FailureText("decrypt or verify the text", report.problem, run.log));
        return;
    }
    // The plain text stays on the clipboard, as PGP leaves it: mail tools read it from there.
    // Text from other systems may break lines with LF alone; Windows text wants CRLF.
    const std::string plain = ToCrlf(run.output);
    if (!WriteClipboardText(window_, plain, ClipboardAttempts))
        ShowProblem(window_, "The plain text could not be put on the clipboard.");
    std::string heading = report.encrypted ? "The text was decrypted. " : "";
    heading += SignatureText(report);
    ShowDecrypted(window_, heading, plain);
}

void Bridge::cmdAddKey() {
    std::string text;
    if (!ClipboardText(window_, text))
        return;
    GpgRun shown;
    if (!Gpg(window_, settings_, "read the keys in the text", ShowKeysArgs(), text, shown))
        return;
    const std::vector<GpgKey> keys = ParseKeyList(shown.output);
    if (keys.empty()) {
        ShowProblem(window_,
                    FailureText("read the keys in the text", "the text holds no keys", shown.log));
        return;
    }
    if (!ShowKeyList(window_, "GnuPG bridge - Add keys", "The text holds these keys. Import them?",
                     keys, true))
        return;
    GpgRun run;
    if (!Gpg(window_, settings_, "import the keys", ImportArgs(), text, run))
        return;
    const ImportReport report = JudgeImport(ParseStatus(run.status));
    if (!report.ok) {
        ShowProblem(window_, FailureText("import the keys", report.problem, run.log));
        return;
    }
    ShowInformation(window_, ImportText(report));
}

void Bridge::cmdPreferences() {
    std::vector<GpgKey> secret;
    const std::string found = FindGpg(settings_);
    if (!found.empty()) {
        GpgRun run = RunGpg(found, ListKeysArgs(true), "");
        if (run.ran)
            secret = ParseKeyList(run.output);
    }
    BridgeSettings edited = settings_;
    if (EditPreferences(window_, edited, secret, found)) {
        settings_ = edited;
        SaveSettings(settings_);
    }
}

void Bridge::cmdKeys() {
    std::vector<GpgKey> keys;
    if (ListKeys(window_, settings_, false, keys))
        ShowKeyList(window_, "GnuPG bridge - Keys", "The public keys GnuPG knows:", keys, false);
}

void Bridge::cmdNotice(int id) {
    ShowInformation(window_, NoticeText(id));
}

void Bridge::ShowKeysAlone() {
    Bridge bridge;
    bridge.settings_ = LoadSettings();
    bridge.cmdKeys();
}
