// A page of the properties window: a child dialog with its controls, their places in 96-dpi
// pixels and the rows of the window's command table that lead to its handlers.
#pragma once

#include "support/dpiscale.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TVersionLabel;

// Where the window's handlers hand on to other parts of the program. Each has its default in
// place (the processing run, the driver details, the result return, PGP's version probe, the
// tip window, the help file beside the program, PostQuitMessage); start-up gives Timer1's
// step; tests put their own. A member left empty makes its handler do nothing.
struct PropsActions {
    std::function<void(bool routine)> runMainPgp;                         // MainPGP
    std::function<void(const std::string& driverFile)> showDriverDetails; // Details commands
    std::function<void()> clipboardReceiverChange;                        // the result return
    std::function<void(TVersionLabel& label)> probePgpVersion;
    std::function<void()> timer1Timer; // every 6000 ms
    std::function<void()> showTipOfTheDay;
    // popup: the context's popup topic, as the context-help box and F1 ask for it.
    std::function<void(unsigned context, bool popup)> showHelp;
    std::function<void()> quit; // ends the message loop
};

// What a page asks of the window it lies on.
class TPropsForm {
  public:
    // Opens a shortcut menu and returns the command chosen, 0 for none (TrackPopupMenu);
    // tests put their own in place.
    using TrackMenuHook = std::function<int(HMENU menu, HWND owner, int x, int y)>;
    static TrackMenuHook TrackMenu;

    virtual HWND Handle() const = 0;
    virtual PropsActions& Actions() = 0;
    // After a page changed what other controls show or enable.
    virtual void RefreshControls() = 0;
    virtual void SaveTipSettings() = 0;

  protected:
    ~TPropsForm() = default;
};

// A row answers every notification of its control (IDCANCEL: the button or Esc).
constexpr int AnyNotification = -1;

// A row of the command table: the control, the WM_COMMAND notification it answers
// (BN_CLICKED, EN_CHANGE, LBN_SELCHANGE, ...) and its handler.
struct CommandRoute {
    int id;
    int code;
    std::function<void()> handler;
};
using CommandTable = std::vector<CommandRoute>;

// The row for this control and notification; nullptr when none answers.
const CommandRoute* FindRoute(const CommandTable& table, int id, int code);

// A control and its place in 96-dpi pixels of what it lies on.
struct ControlPlace {
    int id;
    PixelBox box;
};
using PlaceTable = std::vector<ControlPlace>;

// Moves each control of parent to its place, scaled to dpi.
void PlaceControls(HWND parent, const PlaceTable& places, int dpi);

std::string TextOfWindow(HWND window); // "" for none
int ListSelection(HWND box);           // -1 for none

class TPropsPage {
  public:
    explicit TPropsPage(int dialogId) : dialogId_(dialogId) {}
    virtual ~TPropsPage() = default; // the dialog goes with the form
    TPropsPage(const TPropsPage&) = delete;
    TPropsPage& operator=(const TPropsPage&) = delete;

    // The page's dialog on form; its messages go to proc, which finds param in DWLP_USER.
    // False when the system refused it.
    bool Create(HWND form, DLGPROC proc, LPARAM param);
    HWND Handle() const { return page_; }
    HWND Item(int id) const { return page_ ? GetDlgItem(page_, id) : nullptr; }
    std::string ItemText(int id) const { return TextOfWindow(Item(id)); }

    // Once all pages exist: the page readies its controls.
    virtual void Init() {}
    virtual void AddCommands(CommandTable& table) = 0;
    virtual const PlaceTable& Places() const = 0;
    // WM_CTLCOLORSTATIC for one of its controls: the brush, or FALSE to leave the default.
    virtual INT_PTR CtlColorStatic(HDC, HWND) { return FALSE; }

  protected:
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    // The checked one of count radio items with ids in a row from firstId; -1 for none.
    int RadioIndex(int firstId, int count) const;
    void SetRadioIndex(int firstId, int count, int index);

  private:
    int dialogId_;
    HWND page_ = nullptr;
};
