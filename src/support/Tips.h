// Tip of the day: the tips file, the stepping through it and what the tips window does on
// each of its events. The window itself is in Tips_win.h.
#pragma once

#include "support/runstate.h"

#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// A text that should have been an integer.
class ConvertError : public std::runtime_error {
  public:
    explicit ConvertError(const std::string& text)
        : std::runtime_error("'" + text + "' is not a valid integer value") {}
};

// A line number beyond the list of tips.
class ListIndexError : public std::out_of_range {
  public:
    explicit ListIndexError(int index)
        : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}
};

// Decimal, leading blanks and a sign allowed, nothing after the digits, within 32 bits;
// anything else raises ConvertError.
int StrictStrToInt(const std::string& text);

// Lines of the tips file; CR LF, a lone CR and a lone LF each end a line. A line end at the
// very end of the text does not start another line.
std::vector<std::string> SplitTipLines(const std::string& text);

// A tip line: the help context text before the first comma and the tip after it. A line
// without a comma is all tip, with an empty help context text.
struct TipLine {
    std::string helpContextText;
    std::string text;
};
TipLine SplitTipLine(const std::string& line);

// The tip after / before the given one, wrapping around. A number outside the list (the file
// got shorter, or a stored value below 0) starts again at the first / the last tip.
int NextTipNumber(int tipNumber, int tipCount);
int PreviousTipNumber(int tipNumber, int tipCount);

// What the program around the tips window supplies: the properties window with its settings,
// tray icon, help and error handler.
struct TipsHost {
    int* tipNumber = nullptr;   // the TipNumber setting
    bool* tipEnabled = nullptr; // the TipEnabled setting
    // Writes both settings and sets the properties window's own tips check box.
    std::function<void()> saveTipSettings;
    // The tray icon's Active property.
    std::function<void(bool)> setTrayActive;
    // Opens the help file at a context; empty: the help file in programDir.
    std::function<void(int)> showHelp;
    // The application-wide handler for errors of a button; empty: a ShowError report.
    std::function<void(const std::exception&)> onError;
    std::string programDir; // where "tips.dat" is, with trailing backslash
    std::string appTitle;   // the caption starts with it
    WindowHandle owner = nullptr;
};

// What the tips window shows, as the logic below sets it.
struct TipsView {
    std::function<void(const std::string&)> setTipText;
    std::function<void(bool)> enableHelp;
    std::function<void(bool)> checkShowTips;
    std::function<void()> close;
};

// The tips window's event handlers, apart from the window. Handlers other than FormCreate
// let their failures go to the caller (after the text that could be shown is shown).
class TipsLogic {
  public:
    TipsLogic(const TipsHost& host, TipsView view);

    // Ticks the box, reads ProgramDir "tips.dat" and steps forwards; failures are swallowed.
    void FormCreate();
    void btnNextClick();
    void btnPreviousClick();
    void chkShowTipsClick(bool checked);
    void btnHelpClick();
    void btnOkClick();

    const std::vector<std::string>& tips() const { return tips_; }
    int helpContext() const { return helpContext_; }

  private:
    void StoreTipNumber(int number);
    void ShowCurrentTip();

    TipsHost host_;
    TipsView view_;
    int ownTipNumber_ = 0; // stands in when the host gives no setting
    bool ownTipEnabled_ = true;
    std::vector<std::string> tips_;
    int helpContext_ = 0;
};

// Name of an error's class for a report that has no better one.
std::string ErrorClassName(const std::exception& error);
