#include "support/msgbox.h"
#include "winctl/winop.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

TEST(WinOp, MatchText) {
    struct Case {
        const char *text, *exact, *partial;
        bool match;
    } cases[] = {
        {"Inbox - Mail Client", "", "Mail", true},
        {"Inbox - Mail Client", "Mail", "", false},
        {"Mail", "Mail", "", true},
        {"mail", "Mail", "", false},
        {"Inbox - mail", "", "Mail", false},
        {"", "", "", true},
        {"anything", "", "", true},
        {"", "x", "", false},
        {"", "", "x", false},
        {"Mail", "Other", "ai", true},  // either criterion may match
        {"Other", "Other", "zz", true}, // exact alone is enough
        {"ab", "", "abc", false},
        {"PGPtray_Hidden_Window", "PGPtray_Hidden_Window", "", true},
        {"pgptray_hidden_window", "PGPtray_Hidden_Window", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchText(c.text, {c.exact, c.partial}), c.match)
            << "'" << c.text << "' exact '" << c.exact << "' partial '" << c.partial << "'";
}

namespace {
// A window as TestWindow reads it; relatives that are missing have empty texts.
struct Facts {
    std::map<WindowText, std::string> texts;
    std::vector<WindowText> asked;
    std::string operator()(WindowText t) {
        asked.push_back(t);
        return texts[t];
    }
};

Facts ChildOf(const std::string& parentTitle, const std::string& parentClass,
              const std::string& gpClass) {
    Facts f;
    f.texts = {{WindowText::OwnTitle, "Message"},         {WindowText::OwnClass, "Edit"},
               {WindowText::ParentTitle, parentTitle},    {WindowText::ParentClass, parentClass},
               {WindowText::GrandparentTitle, "Desktop"}, {WindowText::GrandparentClass, gpClass}};
    return f;
}
} // namespace

// A missing relative reads as the empty text, like any other text.
TEST(WinOp, MeetsCriteriaWithMissingRelatives) {
    struct Case {
        const char* name;
        WINDOW criteria;
        Facts facts;
        bool meets;
    } cases[] = {
        {"empty criteria", WINDOW(), ChildOf("", "", ""), true},
        {"parent class", {{}, {}, {{}, {"Frame", ""}, {}}}, ChildOf("", "", ""), false},
        {"parent title", {{}, {}, {{"", "M"}, {}, {}}}, ChildOf("", "", ""), false},
        {"grandparent class",
         {{}, {}, {{}, {}, {{}, {"Top", ""}}}},
         ChildOf("M", "Frame", ""),
         false},
        {"own criteria only", {{"Message", ""}, {"Edit", ""}, {}}, ChildOf("", "", ""), true},
    };
    for (Case& c : cases)
        EXPECT_EQ(MeetsCriteria(c.criteria, std::ref(c.facts)), c.meets) << c.name;
}

TEST(WinOp, MeetsCriteriaReadsInOrderAndStopsAtFirstFailure) {
    WINDOW all;
    all.Parent.Grandparent.GrandparentClass.Partial = "T";
    all.Parent.Grandparent.GrandparentTitle.Partial = "D";
    all.Parent.ParentClass.Partial = "F";
    all.OwnTitle.Partial = "M";
    all.OwnClass.Partial = "E";
    all.Parent.ParentTitle.Partial = "M";
    Facts ok = ChildOf("Mailer", "Frame", "Top");
    EXPECT_TRUE(MeetsCriteria(all, std::ref(ok)));
    const std::vector<WindowText> order = {
        WindowText::GrandparentClass, WindowText::GrandparentTitle, WindowText::ParentClass,
        WindowText::OwnTitle,         WindowText::OwnClass,         WindowText::ParentTitle};
    EXPECT_EQ(ok.asked, order);

    Facts wrongParent = ChildOf("Mailer", "Dialog", "Top");
    EXPECT_FALSE(MeetsCriteria(all, std::ref(wrongParent)));
    EXPECT_EQ(wrongParent.asked, std::vector<WindowText>(order.begin(), order.begin() + 3));

    // Empty criteria need nothing read.
    Facts untouched = ChildOf("Mailer", "Frame", "Top");
    WINDOW ownClassOnly;
    ownClassOnly.OwnClass.Exact = "Edit";
    EXPECT_TRUE(MeetsCriteria(ownClassOnly, std::ref(untouched)));
    EXPECT_EQ(untouched.asked, std::vector<WindowText>{WindowText::OwnClass});
}

TEST(WinOp, DepthComplaintOnlyBeyondSeven) {
    std::vector<MsgBoxRequest> boxes;
    const MsgBoxHandler previous = SetMsgBoxHandler([&](const MsgBoxRequest& r) {
        boxes.push_back(r);
        return mrAbort;
    });
    for (int depth = 0; depth <= 9; ++depth)
        EXPECT_EQ(CheckWalkDepth(depth), depth > 7) << depth;
    SetMsgBoxHandler(previous);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "Too many/Too complex windows currently open. Try closing some Applications");
    EXPECT_EQ(boxes[0].icon, MsgIcon::Error);
    EXPECT_EQ(boxes[0].buttons, static_cast<unsigned>(mbAbort));
    EXPECT_EQ(boxes[0].helpContext, 0u);
}
