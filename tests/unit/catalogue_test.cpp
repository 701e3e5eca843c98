#include "app/global.h"
#include "drivers/MFDDirectory.h"
#include "drivers/PathOfF.h"
#include "drivers/mailerlist.h"
#include "support/deblog.h"
#include "support/msgbox.h"
#include "support/readastr.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <set>

namespace {
const std::string kGap(200, ' ');

std::vector<std::string> Lines(const MailerList& list) {
    return list.Items();
}
} // namespace

TEST(Catalogue, LineFields) {
    struct Case {
        const char *line, *name, *flags, *driver;
    } cases[] = {
        {"Example Mail!!EXAMPLE.EXE", "Example Mail", "", "EXAMPLE.EXE"},
        {"A!4!b.exe!unused!more", "A", "4", "b.exe"},
        {" A ! 4 ! b.exe ", " A ", " 4 ", " b.exe "}, // blanks belong to the fields
        {"Only a name", "Only a name", "", ""},
        {"a!b", "a", "b", ""},
        {"", "", "", ""},
        {"!!x", "", "", "x"},
    };
    for (const Case& c : cases) {
        const CatalogueEntry e = ParseCatalogueLine(c.line);
        EXPECT_EQ(e.displayName, c.name) << c.line;
        EXPECT_EQ(e.flags, c.flags) << c.line;
        EXPECT_EQ(e.driverFile, c.driver) << c.line;
    }
}

TEST(Catalogue, FlagsThatKeepALineOut) {
    struct Case {
        const char* flags;
        bool offered;
    } cases[] = {{"", true},   {"4", true},  {"4-", false}, {"45", false},
                 {"5", false}, {"-", false}, {"abc", true}, {"123467890", true}};
    for (const Case& c : cases)
        EXPECT_EQ(FlagsOffer(c.flags), c.offered) << "'" << c.flags << "'";
}

TEST(Catalogue, LinesSplitAtEveryLineEnd) {
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        V lines;
    } cases[] = {
        {"a\r\nb", V{"a", "b"}},
        {"a\nb\r\n", V{"a", "b"}},
        {"a\rb", V{"a", "b"}},
        {"a\r\n\r\nb", V{"a", "", "b"}},
        {"", V{}},
        {"\r\n", V{""}},
        {"a\n\rb", V{"a", "", "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CatalogueLines(c.text), c.lines) << c.text;
}

TEST(Catalogue, MailerEntryAndItsDriverFile) {
    const std::string entry = MailerEntry("Example Mail", "EXAMPLE.EXE");
    EXPECT_EQ(entry, "Example Mail" + kGap + "EXAMPLE.EXE");
    struct Case {
        std::string entry, driver;
    } cases[] = {
        {entry, "EXAMPLE.EXE"},
        {"=" + entry, "EXAMPLE.EXE"},                       // a same-driver mark
        {MailerEntry("Name   ", "D.EXE"), "D.EXE"},         // name ends in blanks
        {MailerEntry("Two  blanks", " D.EXE \t"), "D.EXE"}, // trimmed both ends
        {MailerEntry("Mail", "Scripts\\Pine.mfs"), "Scripts\\Pine.mfs"},
        {MailerEntry("Mail", "Long Name.exe"), "Long Name.exe"}, // blanks inside stay
        {"Mail" + std::string(199, ' ') + "D.EXE", ""},          // no run of 200
        {"Mail" + std::string(230, ' ') + "D.EXE", "D.EXE"},
        {MailerEntry("Mail", ""), ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DriverFileOf(c.entry), c.driver) << "[" << c.entry << "]";
}

TEST(Catalogue, StripSameDriverMark) {
    EXPECT_EQ(StripSameDriverMark("==abc"), "=abc"); // one mark only
    EXPECT_EQ(StripSameDriverMark(" =abc"), " =abc");
    EXPECT_EQ(StripSameDriverMark(""), "");
}

TEST(Catalogue, PathOf) {
    struct Case {
        const char *path, *folder;
    } cases[] = {
        {"C:\\A\\B.EXE", "C:\\A\\"},
        {"B.EXE", "B.EXE"},
        {"C:\\A\\", "C:\\A\\"},
        {"", ""},
        {"\\", "\\"},
        {"C:\\A\\B\\", "C:\\A\\B\\"},
        {"\\\\srv\\share\\x.exe", "\\\\srv\\share\\"},
        {"C:B.EXE", "C:B.EXE"},
        {"C:/A/B.EXE", "C:/A/B.EXE"}, // only the backslash counts
    };
    for (const Case& c : cases)
        EXPECT_EQ(PathOf(c.path), c.folder) << c.path;
}

TEST(Catalogue, SplitIntoActiveAndLibrary) {
    const std::set<std::string> files = {"C:\\MFD\\EXAMPLE.EXE", "C:\\MFD\\eud.exe",
                                         "C:\\MFD\\pine.mfs", "C:\\MFD\\OUT.EXE"};
    std::vector<std::string> asked;
    const FileTest exists = [&](const std::string& path) {
        asked.push_back(path);
        return files.count(path) > 0;
    };
    const std::string text = "Example Mail!!EXAMPLE.EXE\r\n"
                             "Eudora!4!eud.exe\r\n"
                             "Eudora Pro!4-!eud.exe\r\n" // flags keep it out
                             "Eudora Light!45!eud.exe\r\n"
                             "\r\n"                  // blank: no driver
                             "Gone!!missing.exe\r\n" // no such file
                             "Pine!x!pine.mfs!more\n"
                             "Pine Again!!pine.mfs\r" // same driver, other name
                             "Outlook!!OUT.EXE";      // no line end at the end
    const std::vector<std::string> saved = {"EXAMPLE MAIL" + kGap + "example.exe", // case differs
                                            "Pine" + kGap + "pine.mfs",
                                            "Nothing" + kGap + "nothing.exe"};
    MailerList active, library;
    SplitCatalogue(text, "C:\\MFD", saved, exists, active, library);

    EXPECT_EQ(Lines(active), (std::vector<std::string>{MailerEntry("Example Mail", "EXAMPLE.EXE"),
                                                       MailerEntry("Pine", "pine.mfs")}));
    EXPECT_EQ(Lines(library), (std::vector<std::string>{MailerEntry("Eudora", "eud.exe"),
                                                        MailerEntry("Outlook", "OUT.EXE"),
                                                        MailerEntry("Pine Again", "pine.mfs")}));
    // The folder and the driver name go together with one backslash; flags are looked at first.
    EXPECT_EQ(asked,
              (std::vector<std::string>{"C:\\MFD\\EXAMPLE.EXE", "C:\\MFD\\eud.exe", "C:\\MFD\\",
                                        "C:\\MFD\\missing.exe", "C:\\MFD\\pine.mfs",
                                        "C:\\MFD\\pine.mfs", "C:\\MFD\\OUT.EXE"}));
}

TEST(Catalogue, ActiveDriverFilesSortedOnceEach) {
    MailerList active;
    for (const char* name : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"})
        active.Add(MailerEntry(name, name[0] == 'B'   ? "b.exe"
                                     : name[0] == 'D' ? "A.EXE"
                                                      : "a.exe"));
    active.Replace(4, "=" + active[4]); // Gamma, marked
    active.Add("No gap at all");        // no driver
    ActiveDriverFiles = {"stale.exe"};
    RebuildActiveDriverFiles(active);
    // Alpha (a.exe) comes before Delta (A.EXE): the first one met stays.
    EXPECT_EQ(ActiveDriverFiles, (std::vector<std::string>{"a.exe", "b.exe"}));
    RebuildActiveDriverFiles(MailerList());
    EXPECT_TRUE(ActiveDriverFiles.empty());
}

TEST(Catalogue, MissingCatalogueWarnsOnceAndLeavesEmptyLists) {
    TestDir dir;
    ProgramDir = dir.path();
    MfdDirectory = dir.path() + "no such folder";
    StepCode = 4407;
    std::vector<MsgBoxRequest> boxes;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest& r) {
        boxes.push_back(r);
        return mrOk;
    });
    ActiveDriverFiles = {"stale.exe"};
    MailerList active, library;
    EXPECT_NO_THROW(LoadCatalogue({"x" + kGap + "y.exe"}, active, library));
    SetMsgBoxHandler(previous);

    EXPECT_TRUE(active.Empty());
    EXPECT_TRUE(library.Empty());
    EXPECT_TRUE(ActiveDriverFiles.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Warning");
    EXPECT_EQ(boxes[0].text.rfind("Error in LoadCatalogue.4407 with ", 0), 0u) << boxes[0].text;
    EXPECT_NE(ReadFileString(DebugLogPath()).find(boxes[0].text), std::string::npos);
}

// Outcomes that Windows' CompareStringA(NORM_IGNORECASE) gives (checked against the real
// list box under Wine by the Win32 test).
TEST(ListSort, CompareAsASortedListBox) {
    struct Case {
        std::string a, b;
        int sign;
    } cases[] = {
        {"a", "A", 0},
        {"abc", "ABD", -1},
        {"a-b", "ab", 1}, // "-" counts last
        {"a-b", "aa", 1},
        {"a-b", "ac", -1},
        {"co-op", "coop", 1},
        {"a'b", "a-b", -1},
        {"-ab", "a-b", 1},
        {"a b", "ab", -1}, // blank is a symbol
        {"_", "a", -1},
        {"9", "a", -1},
        {"!", "0", -1},
        {"~", "0", -1},
        {"+", "!", 1},
        {"\xDF", "ss", 0}, // ligatures
        {"\xE6", "ae", 0},
        {"\xFE", "th", 0},
        {"\xC9", "\xE9", 0},
        {"\xE9", "e", 1},
        {"\xE9", "f", -1},
        {"\xE9z", "ez", 1},
        {"Z", "\xC0", 1},
        {"a\xAD"
         "b",
         "ab", 0},
        {"a\x01"
         "b",
         "ab", 1},
        {"", "a", -1},
        {"", "", 0},
        {"x", "x ", -1},
        {"Netscape" + kGap + "N.EXE", "Netscape Messenger" + kGap + "M.EXE", -1},
        {"Pine" + kGap + "b.exe", "PINE" + kGap + "A.EXE", 1},
        {"=Pine" + kGap + "p", "Agent" + kGap + "a", -1}, // the mark is punctuation
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareListText(c.a, c.b), c.sign) << "'" << c.a << "' vs '" << c.b << "'";
        EXPECT_EQ(CompareListText(c.b, c.a), -c.sign) << "'" << c.b << "' vs '" << c.a << "'";
    }
}

TEST(ListSort, SameTextIgnoresLetterCaseOnly) {
    struct Case {
        const char *a, *b;
        bool same;
    } cases[] = {{"ABC", "abc", true},    {"\xC9t\xE9", "\xE9T\xC9", true},
                 {"\x8A", "\x9A", true},  {"\x9F", "\xFF", true},
                 {"\xD7", "\xF7", false}, {"ss", "\xDF", false},
                 {"a", "ab", false},      {"a-b", "ab", false},
                 {"", "", true}};
    for (const Case& c : cases)
        EXPECT_EQ(SameText(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(MailerListModel, AddsAtTheSortedPlace) {
    MailerList list;
    struct Step {
        const char* text;
        int index;
    } steps[] = {{"b", 0}, {"a1", 0}, {"A", 0}, {"c", 3}, {"a", 0}, {"B", 3}, {"=z", 0}};
    for (const Step& s : steps)
        EXPECT_EQ(list.Add(s.text), s.index) << s.text;
    // An equal entry goes in front of the one the search met.
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"=z", "a", "A", "a1", "B", "b", "c"}));
}

TEST(MailerListModel, ReplacedEntriesKeepTheirPlace) {
    MailerList list;
    for (const char* t : {"a", "c", "e", "g", "i"})
        list.Add(t);
    list.Select(1);
    list.Replace(1, "zz"); // out of order now
    list.Replace(3, "=g"); // a same-driver mark: sorts first, stays in place
    EXPECT_EQ(list[3], "=g");
    EXPECT_EQ(list.Selected(), 1);
    // The box's binary search looks at "e", "=g" and "i": a linear search would have stopped
    // in front of "zz".
    EXPECT_EQ(list.Add("f"), 4);
    EXPECT_EQ(Lines(list), (std::vector<std::string>{"a", "zz", "e", "=g", "f", "i"}));
    EXPECT_EQ(list.Selected(), 1);
}

TEST(MailerListModel, SelectionFollowsInsertsAndDeletes) {
    MailerList list;
    list.Add("m");
    list.Add("p");
    list.Select(1);
    list.Add("a");
    EXPECT_EQ(list.Selected(), 2);
    list.Add("z");
    EXPECT_EQ(list.Selected(), 2);
    list.Delete(0);
    EXPECT_EQ(list.Selected(), 1);
    list.Delete(1);
    EXPECT_EQ(list.Selected(), -1);
    list.Select(5);
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_THROW(list.Delete(7), std::out_of_range);
    list.Select(0);
    list.Clear();
    EXPECT_EQ(list.Selected(), -1);
    EXPECT_TRUE(list.Empty());
}

TEST(Catalogue, DriverFolderWithAndWithoutWinIni) {
    const struct {
        const char* winIni;
        const char* programDir;
        const char* chosen;
    } cases[] = {
        {"C:\\Drivers", "C:\\Program Files\\Wextor 5\\", "C:\\Drivers"},
        {"D:\\My MFD ", "C:\\W5\\", "D:\\My MFD "}, // as written
        {"", "C:\\Program Files\\Wextor 5\\", "C:\\Program Files\\Wextor 5\\MFD"},
        {"   ", "C:\\W5\\", "C:\\W5\\MFD"},
        {"", "C:\\W5", "C:\\W5\\MFD"},
        {"", "", "MFD"}, // never "\MFD", the current drive's root
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseMfdDirectory(c.winIni, c.programDir), c.chosen) << c.winIni;
}
