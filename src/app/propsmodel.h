// The properties window's decisions that need no window: its pages and tabs, the same-driver
// marks and moves of the mailer lists, the mailing-list buttons, the About text and the super
// debug question. The window (props_win.h) only carries them out.
#pragma once

#include "drivers/mailerlist.h"

#include <string>
#include <vector>

// Page positions of PageControl1, in tab order when all tabs are shown.
enum PropsPage : int {
    RoutinePage = 0,
    SpecialPage = 1,
    MailerChoicePage = 2,
    OptionsPage = 3,
    AboutPage = 4,
};
constexpr int PropsPageCount = 5;

const char* PageCaption(int page);  // "Routine", "Special", ...
unsigned PageHelpContext(int page); // 4000, none (0), 4002, 4003, 4004

// The pages whose tabs show, in page order: Routine, Special and Options only while the active
// list holds an entry.
std::vector<int> ShownPages(bool anyActive);
// The tab position of a page among the shown pages; -1 while its tab is hidden.
int TabPositionOf(int page, const std::vector<int>& shownPages);
// The page that SelectPage makes active for a position; a position outside 0 to 4 (only a
// hand-edited "RecentPage" gives one) means Mailer Choice, the page every first start opens on.
int PageToSelect(int position);
// The help context of the Help button.
unsigned HelpButtonContext(int recentPage); // 4000 + recent page

// Blanks (and control characters) at both ends removed.
std::string TrimBlanks(const std::string& text);
// "A&dd" is enabled exactly when the typed address is more than blanks.
bool AddAddressEnabled(const std::string& typed);

// What a refresh shows, apart from the marks.
struct RefreshDecision {
    bool addEnabled = false;
    bool removeEnabled = false;
    std::vector<int> shownPages;
    bool noMailersNotice = false;    // lblNoMailers over the empty active list
    bool selectMailerChoice = false; // and the window must show that page
};
RefreshDecision DecideRefresh(const std::string& typedAddress, bool addressSelected,
                              const MailerList& active);

constexpr char SameDriverMark = '=';

// With an entry selected: every other entry with exactly the selected entry's driver file
// gets the mark, all others lose it, each in place. Nothing selected: the marks stay.
// Returns the indexes of the entries changed.
std::vector<int> MarkSameDriver(MailerList& active);

// Moves the selected entry of from, and every entry of from with exactly its driver file, to
// to, walking from the last entry to the first; each lands at its sorted place and becomes the
// selection of to, so the selection ends on the moved entry that stood highest in from.
// stripMarks passes each one through StripSameDriverMark. Nothing selected (a double-click on
// the empty part of a list): nothing moves. Returns the number of entries moved.
int MoveSameDriver(MailerList& from, MailerList& to, bool stripMarks);

// What the About page tells; the version texts as the version label gives them.
struct AboutFacts {
    std::string title;
    std::string versionLabelText; // the program's file version behind an empty prefix
    std::string distribution;
    std::string programDir;
    std::string mfdDirectory;
    std::string windowsVersion;
    std::string pgpProductName;
    std::string pgpFileVersion;
    std::string pgpFolder; // with its trailing backslash
    // Set only where they left the old places (datafolders.h): the folder of the log and the
    // lists, and the settings file.
    std::string filesFolder;
    std::string settingsFile;
};
extern const char* const PgpTrademarkNotice;
// The empty first line, then the seven lines of the About text; "Files in: " and
// "Settings in: " follow "Installed in: " when the files moved.
std::vector<std::string> AboutLines(const AboutFacts& facts);
std::string AboutText(const AboutFacts& facts); // lines joined with CR LF

// Ctrl+Alt (Shift allowed) with a key whose low byte is 65 or 97.
bool IsSuperDebugKey(unsigned virtualKey, bool ctrl, bool alt);
std::string SuperDebugQuestion(bool superDebug);
// Any answer but No toggles the flag.
bool SuperDebugAfterAnswer(bool superDebug, int answer);
