#include "support/Tips.h"
#include "support/platform.h"
#include "test_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include <string>
#include <vector>

TEST(Tips, StrictStrToInt) {
    struct Good {
        const char* text;
        int value;
    } good[] = {{"12", 12},
                {"  12", 12},
                {"\t7", 7},
                {"+3", 3},
                {"-4", -4},
                {"0", 0},
                {"0009", 9},
                {"2147483647", 2147483647},
                {"-2147483648", -2147483647 - 1}};
    for (const Good& g : good)
        EXPECT_EQ(StrictStrToInt(g.text), g.value) << g.text;
    const char* bad[] = {
        "",  " ", "12 ", "abc",        "1a",          "$1A", "0x1A",
        "+", "-", "1.5", "2147483648", "-2147483649", "1 2", "99999999999999999999"};
    for (const char* b : bad)
        EXPECT_THROW(StrictStrToInt(b), ConvertError) << "'" << b << "'";
    try {
        StrictStrToInt("abc");
    } catch (const ConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(Tips, SplitLines) {
    using Lines = std::vector<std::string>;
    struct Case {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\n\rb", {"a", "", "b"}},   // LF, then a lone CR
        {"a\r\r\nb", {"a", "", "b"}}, // lone CR, then CR LF
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"a\n", {"a"}},
        {"1,x\r\n\r\n2,y", {"1,x", "", "2,y"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitTipLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(Tips, SplitLine) {
    struct Case {
        const char *line, *context, *text;
    } cases[] = {
        {"12,First part, second part", "12", "First part, second part"},
        {"0,Plain tip", "0", "Plain tip"},
        {"no comma", "", "no comma"},
        {",x", "", "x"},
        {"5,", "5", ""},
        {"  9000,a", "  9000", "a"},
    };
    for (const Case& c : cases) {
        const TipLine t = SplitTipLine(c.line);
        EXPECT_EQ(t.helpContextText, c.context) << c.line;
        EXPECT_EQ(t.text, c.text) << c.line;
    }
}

TEST(Tips, SteppingWrapsAround) {
    struct Case {
        int number, count, next, previous;
    } cases[] = {
        {0, 3, 1, 2},  {1, 3, 2, 0},  {2, 3, 0, 1}, {5, 3, 0, 2}, // the file got shorter
        {3, 3, 0, 2},  {-1, 3, 0, 2},                             // a stored value below 0
        {-5, 3, 0, 2}, {0, 1, 0, 0},  {0, 0, 0, 0}, {4, 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NextTipNumber(c.number, c.count), c.next) << c.number << " of " << c.count;
        EXPECT_EQ(PreviousTipNumber(c.number, c.count), c.previous)
            << c.number << " of " << c.count;
    }
}

namespace {
// A tips window without a window: what it shows and what it stores, in order.
class TipsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        host.tipNumber = &tipNumber;
        host.tipEnabled = &tipEnabled;
        host.programDir = dir.path();
        host.saveTipSettings = [this] {
            events.push_back("save " + std::to_string(tipNumber) + (tipEnabled ? " on" : " off"));
        };
        host.showHelp = [this](int n) { events.push_back("help " + std::to_string(n)); };
        view.setTipText = [this](const std::string& t) { events.push_back("text " + t); };
        view.enableHelp = [this](bool on) { events.push_back(on ? "Help on" : "Help off"); };
        view.checkShowTips = [this](bool on) { events.push_back(on ? "tick" : "untick"); };
        view.close = [this] { events.push_back("close"); };
    }
    void WriteTips(const std::string& text) {
        platform::WriteWholeFile(dir.file("tips.dat"), text);
    }
    using Events = std::vector<std::string>;
    TestDir dir;
    int tipNumber = 0;
    bool tipEnabled = true;
    TipsHost host;
    TipsView view;
    Events events;
};
} // namespace

TEST_F(TipsWindow, OpeningStepsOnceAndPreviousWrapsBack) {
    WriteTips("1,one\r\n0,two\r\n3,three\r\n");
    tipNumber = 2;
    TipsLogic w(host, view);
    w.FormCreate();
    EXPECT_EQ(events, (Events{"tick", "save 0 on", "text one", "Help on"}));
    EXPECT_EQ(w.helpContext(), 1);
    events.clear();
    w.btnPreviousClick();
    EXPECT_EQ(events, (Events{"save 2 on", "text three", "Help on"}));
    EXPECT_EQ(tipNumber, 2);
    events.clear();
    w.btnPreviousClick();
    w.btnNextClick();
    w.btnNextClick();
    EXPECT_EQ(events, (Events{"save 1 on", "text two", "Help off", "save 2 on", "text three",
                              "Help on", "save 0 on", "text one", "Help on"}));
}

TEST_F(TipsWindow, HelpContextFromTheTextBeforeTheFirstComma) {
    struct Case {
        const char* line;
        const char* shown;
        int context;
    } cases[] = {{"12,First part, second part", "First part, second part", 12},
                 {"0,Plain tip", "Plain tip", 0},
                 {"   9003,Blanks before the number", "Blanks before the number", 9003}};
    for (const Case& c : cases) {
        WriteTips(std::string(c.line) + "\r\n");
        events.clear();
        TipsLogic w(host, view);
        w.FormCreate();
        EXPECT_EQ(events, (Events{"tick", "save 0 on", std::string("text ") + c.shown,
                                  c.context ? "Help on" : "Help off"}))
            << c.line;
        EXPECT_EQ(w.helpContext(), c.context);
    }
}

TEST_F(TipsWindow, UnticksOnlyWhenDisabledAndStoresAtOnce) {
    WriteTips("0,a");
    tipEnabled = false;
    TipsLogic w(host, view);
    w.FormCreate();
    EXPECT_EQ(events.front(), "save 0 off") << "the box starts unticked";
    events.clear();
    w.chkShowTipsClick(true);
    w.chkShowTipsClick(false);
    EXPECT_EQ(events, (Events{"save 0 on", "save 0 off"}));
    EXPECT_FALSE(tipEnabled);
}

TEST_F(TipsWindow, HelpOpensTheTopicThenCloses) {
    WriteTips("4002,About the Options page");
    TipsLogic w(host, view);
    w.FormCreate();
    events.clear();
    w.btnHelpClick();
    EXPECT_EQ(events, (Events{"help 4002", "close"}));
    events.clear();
    w.btnOkClick();
    EXPECT_EQ(events, (Events{"close"}));
}

TEST_F(TipsWindow, MissingFileOpensEmpty) {
    tipNumber = 5;
    TipsLogic w(host, view);
    w.FormCreate();
    EXPECT_EQ(events, (Events{"tick", "save 0 on"})) << "no text and Help untouched";
    EXPECT_TRUE(w.tips().empty());
    events.clear();
    EXPECT_THROW(w.btnNextClick(), ListIndexError);
    EXPECT_THROW(w.btnPreviousClick(), ListIndexError);
    EXPECT_EQ(events, (Events{"save 0 on", "save 0 on"})) << "never below 0";
}

TEST_F(TipsWindow, BadHelpContextShowsTheTipThenFails) {
    WriteTips("7,Good\nx7,Bad number\rNo comma here\r\n12 ,Trailing blank");
    TipsLogic w(host, view);
    tipNumber = 3;
    w.FormCreate(); // tip 0
    ASSERT_EQ(w.helpContext(), 7);
    const char* shown[] = {"Bad number", "No comma here", "Trailing blank"};
    for (const char* text : shown) {
        events.clear();
        EXPECT_THROW(w.btnNextClick(), ConvertError) << text;
        EXPECT_EQ(events, (Events{"save " + std::to_string(tipNumber) + " on",
                                  std::string("text ") + text, "Help off"}));
        EXPECT_EQ(w.helpContext(), 0) << "Help must not open the previous tip's topic";
    }
}

TEST_F(TipsWindow, BadLineAtOpeningIsSwallowed) {
    WriteTips("0,first\r\nbad,second\r\n");
    TipsLogic w(host, view);
    EXPECT_NO_THROW(w.FormCreate());
    EXPECT_EQ(events, (Events{"tick", "save 1 on", "text second", "Help off"}));
}

TEST_F(TipsWindow, NoHostSettingsStillSteps) {
    WriteTips("0,a\r\n0,b");
    TipsHost bare;
    bare.programDir = dir.path();
    TipsLogic w(bare, view);
    w.FormCreate();
    w.btnNextClick();
    w.btnNextClick();
    EXPECT_EQ(events,
              (Events{"tick", "text b", "Help off", "text a", "Help off", "text b", "Help off"}));
}

TEST(Tips, ErrorClassNames) {
    EXPECT_EQ(ErrorClassName(ConvertError("x")), "ConvertError");
    EXPECT_EQ(ErrorClassName(ListIndexError(-1)), "ListIndexError");
    EXPECT_EQ(ErrorClassName(FileError("x")), "FileError");
    EXPECT_EQ(ErrorClassName(std::runtime_error("x")), "Exception");
    EXPECT_STREQ(ListIndexError(-1).what(), "List index out of bounds (-1)");
}

// The tips that ship with the program: every line must show and step without an error.
TEST(Tips, ShippedFileIsWellFormed) {
    const std::string text =
        platform::ReadWholeFile(std::string(WEXTOR_TEST_DATA) + "/../../dist/tips.dat");
    const std::vector<std::string> tips = SplitTipLines(text);
    EXPECT_GE(tips.size(), 10u);
    EXPECT_EQ(text.find('\n'), text.find('\r') + 1) << "CR LF line ends";
    const int contexts[] = {0,    3,    19,   1004, 1005, 2000, 2001, 4000, 4002, 4003,
                            4004, 9000, 9003, 9020, 9022, 9050, 9101, 9102, 9200};
    for (const std::string& line : tips) {
        const TipLine tip = SplitTipLine(line);
        int context = -1;
        EXPECT_NO_THROW(context = StrictStrToInt(tip.helpContextText)) << line;
        EXPECT_NE(std::find(std::begin(contexts), std::end(contexts), context), std::end(contexts))
            << line;
        EXPECT_GE(tip.text.size(), 20u) << line;
        EXPECT_LE(tip.text.size(), 240u) << "too long for the box: " << line;
    }
}
