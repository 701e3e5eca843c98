#include "dialogs_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <set>

#include "bridgehelp_win.h"
#include "common/unicode_win.h"
#include "resource.h"

namespace {

// Keeps `this` with the dialog and hands each message to the named handlers of the subclass.
class Dialog {
  public:
    explicit Dialog(HelpTopic topic) : topic_(topic) {}
    virtual ~Dialog() = default;
    INT_PTR Run(HWND owner, int id) {
        // A Unicode dialog: its controls keep every character of what they are given.
        return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), owner, &Proc,
                               reinterpret_cast<LPARAM>(this));
    }

  protected:
    HWND dialog_ = nullptr;
    virtual void FormCreate() {}
    virtual void Command(int id, int code) = 0;
    virtual void Notify(const NMHDR&) {}
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

  private:
    HelpTopic topic_;

    static INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG)
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (!self)
            return FALSE;
        switch (message) {
        case WM_INITDIALOG:
            self->dialog_ = dialog;
            self->FormCreate();
            SetForegroundWindow(dialog);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDHELP)
                ShowBridgeHelp(dialog, self->topic_);
            else
                self->Command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_HELP: // F1
            ShowBridgeHelp(dialog, self->topic_);
            return TRUE;
        case WM_NOTIFY:
            self->Notify(*reinterpret_cast<const NMHDR*>(lParam));
            return TRUE;
        }
        return FALSE;
    }
};

void AddColumn(HWND list, int index, const char* title, int width) {
    std::wstring wide = Widen(title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = &wide[0];
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

void AddRow(HWND list, int row, const std::vector<std::string>& cells) {
    for (size_t i = 0; i < cells.size(); ++i) {
        std::wstring wide = Widen(cells[i]);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = static_cast<int>(i);
        item.pszText = &wide[0];
        SendMessageW(list, i == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                     i == 0 ? 0 : static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    }
}

std::string KeyLabel(const GpgKey& key) {
    return key.userId.empty() ? "(no user id)" : key.userId;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SetWindowTextUtf8(GetDlgItem(dialog, id), text);
}

class RecipientsDialog : public Dialog {
  public:
    RecipientsDialog(const std::vector<GpgKey>& keys, const BridgeSettings& settings)
        : Dialog(HelpTopic::Recipients), keys_(keys),
          checked_(settings.lastRecipients.begin(), settings.lastRecipients.end()),
          toSelf_(settings.encryptToSelf) {}
    RecipientChoice choice;

  private:
    const std::vector<GpgKey>& keys_;
    std::set<std::string> checked_;
    std::vector<size_t> shown_; // list row -> index in keys_
    bool toSelf_;
    bool filling_ = false;

    void FormCreate() override {
        HWND list = Item(IDC_KEYS);
        ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
        AddColumn(list, 0, "User ID", 300);
        AddColumn(list, 1, "Key ID", 130);
        AddColumn(list, 2, "Validity", 80);
        CheckDlgButton(dialog_, IDC_SELF, toSelf_ ? BST_CHECKED : BST_UNCHECKED);
        FillList();
    }

    void FillList() {
        HWND list = Item(IDC_KEYS);
        const std::string filter = WindowTextUtf8(Item(IDC_FILTER));
        filling_ = true;
        ListView_DeleteAllItems(list);
        shown_.clear();
        for (size_t i = 0; i < keys_.size(); ++i) {
            const GpgKey& key = keys_[i];
            if (!KeyMatchesFilter(key, filter))
                continue;
            const int row = static_cast<int>(shown_.size());
            AddRow(list, row, {KeyLabel(key), key.keyId, ValidityText(key.validity)});
            ListView_SetCheckState(list, row, checked_.count(key.keyId) ? TRUE : FALSE);
            shown_.push_back(i);
        }
        filling_ = false;
    }

    void Command(int id, int code) override {
        if (id == IDC_FILTER && code == EN_CHANGE)
            edtFilterChange();
        else if (id == IDOK)
            btnOkClick();
        else if (id == IDCANCEL)
            EndDialog(dialog_, IDCANCEL);
    }

    void Notify(const NMHDR& header) override {
        if (header.idFrom == IDC_KEYS && header.code == LVN_ITEMCHANGED && !filling_)
            lstKeysChange(reinterpret_cast<const NMLISTVIEW&>(header));
    }

    void edtFilterChange() { FillList(); }

    void lstKeysChange(const NMLISTVIEW& change) {
        if (!(change.uChanged & LVIF_STATE) || change.iItem < 0 ||
            static_cast<size_t>(change.iItem) >= shown_.size())
            return;
        const std::string& id = keys_[shown_[static_cast<size_t>(change.iItem)]].keyId;
        if (ListView_GetCheckState(Item(IDC_KEYS), change.iItem))
            checked_.insert(id);
        else
            checked_.erase(id);
    }

    void btnOkClick() {
        choice.toSelf = IsDlgButtonChecked(dialog_, IDC_SELF) == BST_CHECKED;
        choice.keyIds.clear();
        for (const GpgKey& key : keys_) // in the list's order, hidden ones included
            if (checked_.count(key.keyId))
                choice.keyIds.push_back(key.keyId);
        if (choice.keyIds.empty() && !choice.toSelf) {
            MessageBoxW(dialog_, L"Check at least one recipient's key.", L"GnuPG bridge",
                        MB_OK | MB_ICONINFORMATION);
            return;
        }
        EndDialog(dialog_, IDOK);
    }
};

class ResultDialog : public Dialog {
  public:
    ResultDialog(const std::string& signature, const std::string& plain)
        : Dialog(HelpTopic::Decrypted), signature_(signature), plain_(plain) {}

  private:
    const std::string& signature_;
    const std::string& plain_;
    void FormCreate() override {
        SetItemText(dialog_, IDC_SIGINFO, signature_);
        SetItemText(dialog_, IDC_TEXT, plain_);
        SetFocus(Item(IDOK));
    }
    void Command(int id, int) override {
        if (id == IDOK || id == IDCANCEL)
            EndDialog(dialog_, id);
    }
};

class KeyListDialog : public Dialog {
  public:
    KeyListDialog(const std::string& caption, const std::string& prompt,
                  const std::vector<GpgKey>& keys, bool asks)
        : Dialog(HelpTopic::Keys), caption_(caption), prompt_(prompt), keys_(keys), asks_(asks) {}

  private:
    const std::string& caption_;
    const std::string& prompt_;
    const std::vector<GpgKey>& keys_;
    bool asks_;
    void FormCreate() override {
        SetWindowTextUtf8(dialog_, caption_);
        SetItemText(dialog_, IDC_PROMPT, prompt_);
        HWND list = Item(IDC_KEYS);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        AddColumn(list, 0, "User ID", 300);
        AddColumn(list, 1, "Key ID", 130);
        AddColumn(list, 2, asks_ ? "Kind" : "Validity", 80);
        for (size_t i = 0; i < keys_.size(); ++i) {
            const GpgKey& key = keys_[i];
            const std::string third =
                asks_ ? (key.secret ? "secret" : "public") : ValidityText(key.validity);
            AddRow(list, static_cast<int>(i), {KeyLabel(key), key.keyId, third});
        }
        if (asks_) {
            SetDlgItemTextW(dialog_, IDOK, L"&Import");
        } else {
            ShowWindow(Item(IDCANCEL), SW_HIDE);
            RECT cancel;
            GetWindowRect(Item(IDCANCEL), &cancel);
            MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&cancel), 2);
            SetWindowPos(Item(IDOK), nullptr, cancel.left, cancel.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER);
        }
    }
    void Command(int id, int) override {
        if (id == IDOK || id == IDCANCEL)
            EndDialog(dialog_, id);
    }
};

class PrefsDialog : public Dialog {
  public:
    PrefsDialog(BridgeSettings& settings, const std::vector<GpgKey>& secretKeys,
                const std::string& found)
        : Dialog(HelpTopic::Preferences), settings_(settings), secretKeys_(secretKeys),
          found_(found) {}

  private:
    BridgeSettings& settings_;
    const std::vector<GpgKey>& secretKeys_;
    const std::string& found_;

    void FormCreate() override {
        SetItemText(dialog_, IDC_GPGPATH, settings_.gpgPath);
        SetItemText(dialog_, IDC_FOUND,
                    found_.empty() ? std::string("GnuPG was not found.") : "In use: " + found_);
        HWND keys = Item(IDC_DEFKEY);
        SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"(GnuPG's default key)"));
        int selected = 0;
        for (size_t i = 0; i < secretKeys_.size(); ++i) {
            const std::wstring label =
                Widen(KeyLabel(secretKeys_[i]) + "  " + secretKeys_[i].keyId);
            SendMessageW(keys, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
            if (secretKeys_[i].keyId == settings_.defaultKey)
                selected = static_cast<int>(i) + 1;
        }
        SendMessageW(keys, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
        CheckDlgButton(dialog_, IDC_ENCSELF, settings_.encryptToSelf ? BST_CHECKED : BST_UNCHECKED);
    }

    void Command(int id, int) override {
        if (id == IDC_BROWSE)
            btnBrowseClick();
        else if (id == IDOK)
            btnOkClick();
        else if (id == IDCANCEL)
            EndDialog(dialog_, IDCANCEL);
    }

    void btnBrowseClick() {
        wchar_t file[MAX_PATH] = {};
        OPENFILENAMEW open = {};
        open.lStructSize = sizeof open;
        open.hwndOwner = dialog_;
        open.lpstrFilter = L"gpg.exe\0gpg.exe\0Programs (*.exe)\0*.exe\0";
        open.lpstrFile = file;
        open.nMaxFile = MAX_PATH;
        open.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (GetOpenFileNameW(&open))
            SetDlgItemTextW(dialog_, IDC_GPGPATH, file);
    }

    void btnOkClick() {
        settings_.gpgPath = WindowTextUtf8(Item(IDC_GPGPATH));
        const LRESULT selected = SendMessageW(Item(IDC_DEFKEY), CB_GETCURSEL, 0, 0);
        settings_.defaultKey = selected >= 1 && static_cast<size_t>(selected) <= secretKeys_.size()
                                   ? secretKeys_[static_cast<size_t>(selected) - 1].keyId
                                   : std::string();
        settings_.encryptToSelf = IsDlgButtonChecked(dialog_, IDC_ENCSELF) == BST_CHECKED;
        EndDialog(dialog_, IDOK);
    }
};

} // namespace

bool ChooseRecipients(HWND owner, const std::vector<GpgKey>& keys, const BridgeSettings& settings,
                      RecipientChoice& choice) {
    RecipientsDialog dialog(keys, settings);
    if (dialog.Run(owner, IDD_RECIPIENTS) != IDOK)
        return false;
    choice = dialog.choice;
    return true;
}

void ShowDecrypted(HWND owner, const std::string& signature, const std::string& plain) {
    ResultDialog dialog(signature, plain);
    dialog.Run(owner, IDD_RESULT);
}

bool ShowKeyList(HWND owner, const std::string& caption, const std::string& prompt,
                 const std::vector<GpgKey>& keys, bool asks) {
    KeyListDialog dialog(caption, prompt, keys, asks);
    return dialog.Run(owner, IDD_KEYLIST) == IDOK;
}

bool EditPreferences(HWND owner, BridgeSettings& settings, const std::vector<GpgKey>& secretKeys,
                     const std::string& foundGpg) {
    PrefsDialog dialog(settings, secretKeys, foundGpg);
    return dialog.Run(owner, IDD_PREFS) == IDOK;
}
