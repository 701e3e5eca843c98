#include "app/propsmodel.h"
#include "drivers/MFDDirectory.h"
#include "support/msgbox.h"

#include <gtest/gtest.h>

namespace {
using Texts = std::vector<std::string>;

std::string Entry(const std::string& name, const std::string& driver) {
    return MailerEntry(name, driver);
}

// A list holding the entries in the order given, as a window's list stands after marks were
// put in place.
MailerList ListOf(const Texts& entries, int selected = -1) {
    MailerList list;
    for (const std::string& e : entries)
        list.Add(e);
    for (std::size_t i = 0; i < entries.size(); ++i)
        list.Replace(static_cast<int>(i), entries[i]);
    list.Select(selected);
    return list;
}

// The display names (with their marks) of a list, for short expectations.
Texts Names(const MailerList& list) {
    Texts names;
    for (const std::string& e : list.Items())
        names.push_back(e.substr(0, e.find(' ')));
    return names;
}
} // namespace

TEST(PropsPages, TabsFollowTheActiveList) {
    EXPECT_EQ(ShownPages(true), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(ShownPages(false), (std::vector<int>{MailerChoicePage, AboutPage}));

    struct Case {
        int page;
        bool anyActive;
        int tab;
    } cases[] = {
        {RoutinePage, true, 0},   {AboutPage, true, 4},     {RoutinePage, false, -1},
        {SpecialPage, false, -1}, {OptionsPage, false, -1}, {MailerChoicePage, false, 0},
        {AboutPage, false, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TabPositionOf(c.page, ShownPages(c.anyActive)), c.tab)
            << c.page << (c.anyActive ? " all tabs" : " two tabs");
}

TEST(PropsPages, RecentPageAsPageAndHelpContext) {
    const int positions[] = {-1, 0, 1, 2, 3, 4, 5, 17};
    const int pages[] = {2, 0, 1, 2, 3, 4, 2, 2};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(PageToSelect(positions[i]), pages[i]) << positions[i];
    EXPECT_EQ(HelpButtonContext(4), 4004u);
    EXPECT_EQ(HelpButtonContext(0), 4000u);

    // About chosen while two tabs show is remembered as tab position 1, which opens Special.
    const int recent = TabPositionOf(AboutPage, ShownPages(false));
    EXPECT_EQ(PageToSelect(recent), SpecialPage);
    EXPECT_STREQ(PageCaption(MailerChoicePage), "Mailer Choice");
    EXPECT_EQ(PageHelpContext(SpecialPage), 0u);
}

TEST(PropsRefresh, AddressButtonsNoticeAndTabs) {
    struct Case {
        const char* typed;
        bool enabled;
    } cases[] = {
        {"", false}, {"   ", false}, {"\t ", false}, {" a ", true}, {"list@example.org", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AddAddressEnabled(c.typed), c.enabled) << "'" << c.typed << "'";
    EXPECT_EQ(TrimBlanks("  x y \t"), "x y");

    const MailerList none;
    RefreshDecision d = DecideRefresh("  ", true, none);
    EXPECT_FALSE(d.addEnabled);
    EXPECT_TRUE(d.removeEnabled);
    EXPECT_TRUE(d.noMailersNotice);
    EXPECT_TRUE(d.selectMailerChoice);
    EXPECT_EQ(d.shownPages.size(), 2u);

    d = DecideRefresh("a", false, ListOf({Entry("Demo", "DEMO.EXE")}));
    EXPECT_TRUE(d.addEnabled);
    EXPECT_FALSE(d.removeEnabled);
    EXPECT_FALSE(d.noMailersNotice);
    EXPECT_FALSE(d.selectMailerChoice);
    EXPECT_EQ(d.shownPages.size(), 5u);
}

TEST(PropsMarks, SameDriverMarkedInPlace) {
    const std::string a = Entry("Alpha", "SHARED.EXE"), b = Entry("Beta", "OTHER.EXE"),
                      c = Entry("Gamma", "SHARED.EXE"), d = Entry("Delta", "shared.exe");
    struct Case {
        const char* what;
        Texts entries; // in sorted order
        int selected;
        Texts names;
        std::vector<int> changed;
    } cases[] = {
        {"share marked", {a, b, c}, 0, {"Alpha", "Beta", "=Gamma"}, {2}},
        {"other driver unmarks", {a, b, "=" + c}, 1, {"Alpha", "Beta", "Gamma"}, {2}},
        {"selected loses its mark", {"=" + a, b, c}, 0, {"Alpha", "Beta", "=Gamma"}, {0, 2}},
        {"kept marks unchanged", {a, b, "=" + c}, 0, {"Alpha", "Beta", "=Gamma"}, {}},
        {"nothing selected keeps marks", {a, b, "=" + c}, -1, {"Alpha", "Beta", "=Gamma"}, {}},
        {"case differs: no mark", {a, d}, 0, {"Alpha", "Delta"}, {}},
    };
    for (const Case& k : cases) {
        MailerList list = ListOf(k.entries, k.selected);
        EXPECT_EQ(MarkSameDriver(list), k.changed) << k.what;
        EXPECT_EQ(Names(list), k.names) << k.what;
        EXPECT_EQ(list.Selected(), k.selected) << k.what;
    }
}

TEST(PropsMoves, SharedDriversMoveTogether) {
    const std::string a = Entry("Alpha", "SHARED.EXE"), b = Entry("Beta", "OTHER.EXE"),
                      c = Entry("Gamma", "SHARED.EXE"), d = Entry("Delta", "shared.exe");
    struct Case {
        const char* what;
        Texts from;
        int selected;
        Texts to;
        bool strip;
        Texts fromAfter, toAfter;
        std::string selectedAfter; // in to
    } cases[] = {
        {"both shares", {a, b, c}, 2, {}, false, {"Beta"}, {"Alpha", "Gamma"}, "Alpha"},
        {"into a filled list", {a, c}, 0, {b}, false, {}, {"Alpha", "Beta", "Gamma"}, "Alpha"},
        {"one alone", {a, b, c}, 1, {}, false, {"Alpha", "Gamma"}, {"Beta"}, "Beta"},
        {"marks stripped", {a, b, "=" + c}, 0, {}, true, {"Beta"}, {"Alpha", "Gamma"}, "Alpha"},
        {"case differs: stays", {a, d}, 0, {}, false, {"Delta"}, {"Alpha"}, "Alpha"},
    };
    for (const Case& k : cases) {
        MailerList from = ListOf(k.from, k.selected), to = ListOf(k.to);
        EXPECT_EQ(MoveSameDriver(from, to, k.strip),
                  static_cast<int>(k.toAfter.size() - k.to.size()))
            << k.what;
        EXPECT_EQ(Names(from), k.fromAfter) << k.what;
        EXPECT_EQ(Names(to), k.toAfter) << k.what;
        ASSERT_GE(to.Selected(), 0) << k.what;
        EXPECT_EQ(Names(to)[static_cast<size_t>(to.Selected())], k.selectedAfter) << k.what;
        EXPECT_EQ(from.Selected(), -1) << k.what;
    }

    // A double-click on the empty part of a list leaves no selection: nothing moves.
    MailerList from = ListOf({a, b}), to;
    EXPECT_EQ(MoveSameDriver(from, to, false), 0);
    EXPECT_EQ(from.Count(), 2);
    EXPECT_TRUE(to.Empty());
}

TEST(PropsAbout, SevenLinesAfterAnEmptyOne) {
    AboutFacts f;
    f.title = "Wextor 5";
    f.versionLabelText = " 5.0.0.1";
    f.programDir = "C:\\Wextor\\";
    f.mfdDirectory = "C:\\MFD";
    f.windowsVersion = "6.1.7601 WinNT Service Pack 1";
    f.pgpProductName = " PGP for Personal Privacy";
    f.pgpFileVersion = " 5.0 ";
    f.pgpFolder = "C:\\PGP\\";
    Texts lines = AboutLines(f);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Wextor 5 V5.0.0.1");
    EXPECT_EQ(lines[2], "Installed in: C:\\Wextor\\");
    EXPECT_EQ(lines[3], "Mail Form Drivers in: C:\\MFD");
    EXPECT_EQ(lines[4], "Windows: 6.1.7601 WinNT Service Pack 1");
    EXPECT_EQ(lines[5], "Using  PGP for Personal Privacy V5.0");
    EXPECT_EQ(lines[6], "Installed in: C:\\PGP\\");
    EXPECT_EQ(lines[7], PgpTrademarkNotice);

    f.distribution = " (Demo CD)";
    EXPECT_EQ(AboutLines(f)[1], "Wextor 5 V5.0.0.1 (Demo CD)");
    const std::string text = AboutText(f);
    EXPECT_EQ(text.substr(0, 2), "\r\n");
    EXPECT_EQ(text.substr(text.size() - 5), "them.");
}

TEST(PropsAbout, WhereTheFilesMovedTo) {
    AboutFacts f;
    f.title = "Wextor 5";
    f.programDir = "C:\\Program Files\\Wextor 5\\";
    f.mfdDirectory = "C:\\MFD";
    const std::string files = "C:\\Users\\ann\\AppData\\Local\\Wextor 5\\";
    const std::string ini = "C:\\Users\\ann\\AppData\\Roaming\\Wextor 5\\Wextor5.INI";
    struct Case {
        std::string files, settings;
        Texts extra; // the lines between "Installed in: " and "Mail Form Drivers in: "
    } cases[] = {
        {"", "", {}},
        {files, "", {"Files in: " + files}},
        {"", ini, {"Settings in: " + ini}},
        {files, ini, {"Files in: " + files, "Settings in: " + ini}},
    };
    for (const Case& c : cases) {
        f.filesFolder = c.files;
        f.settingsFile = c.settings;
        const Texts lines = AboutLines(f);
        ASSERT_EQ(lines.size(), 8u + c.extra.size()) << c.files << c.settings;
        EXPECT_EQ(lines[2], "Installed in: " + f.programDir);
        EXPECT_EQ(Texts(lines.begin() + 3, lines.begin() + 3 + c.extra.size()), c.extra);
        EXPECT_EQ(lines[3 + c.extra.size()], "Mail Form Drivers in: C:\\MFD");
        EXPECT_EQ(lines.back(), PgpTrademarkNotice);
    }
}

TEST(PropsSuperDebug, KeyQuestionAndAnswer) {
    struct Case {
        unsigned vk;
        bool ctrl, alt, expected;
    } cases[] = {
        {'A', true, true, true},     {97, true, true, true},    {0x141, true, true, true},
        {'A', true, false, false},   {'A', false, true, false}, {'B', true, true, false},
        {0x61, false, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSuperDebugKey(c.vk, c.ctrl, c.alt), c.expected) << c.vk;
    EXPECT_EQ(SuperDebugQuestion(false), "Super debug status is: OFF. Change?");
    EXPECT_EQ(SuperDebugQuestion(true), "Super debug status is: ON. Change?");
    EXPECT_FALSE(SuperDebugAfterAnswer(false, mrNo));
    EXPECT_TRUE(SuperDebugAfterAnswer(false, mrYes));
    EXPECT_TRUE(SuperDebugAfterAnswer(false, mrCancel)); // any answer but No
    EXPECT_FALSE(SuperDebugAfterAnswer(true, mrYes));
}
