#include "app/TaskIcon.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// The shell's first-version record: 88 bytes on 32-bit Windows, 104 on 64-bit.
constexpr unsigned kFirstRecordSize = sizeof(void*) == 8 ? 104u : 88u;

TEST(TaskIconRecord, FieldsAndTipCut) {
    struct Case {
        std::size_t length, kept, sent;
    } cases[] = {{0, 0, 0}, {10, 10, 10}, {63, 63, 63}, {64, 64, 63}, {65, 64, 63}, {70, 64, 63}};
    for (const Case& c : cases) {
        std::string tip;
        for (std::size_t i = 0; i < c.length; ++i)
            tip += static_cast<char>('A' + i % 26);
        const std::string kept = CutToolTip(tip);
        EXPECT_EQ(kept, tip.substr(0, c.kept)) << c.length;
        int window = 0, icon = 0;
        const TrayRecord r = BuildTrayRecord(&window, -7, &icon, kept);
        EXPECT_EQ(r.size, kFirstRecordSize);
        EXPECT_EQ(r.window, &window);
        EXPECT_EQ(r.id, -7);
        EXPECT_EQ(r.flags, 7u);
        EXPECT_EQ(r.callbackMessage, 0x400u);
        EXPECT_EQ(r.icon, &icon);
        EXPECT_EQ(std::string(r.tip.data()), tip.substr(0, c.sent)) << c.length;
        EXPECT_EQ(r.tip.back(), '\0');
    }
}

TEST(TaskIconNotification, Table) {
    struct Case {
        std::int32_t id;
        std::uint32_t iconParam, mouse;
        TrayEvent expected;
    } cases[] = {
        {0, 0, 0x202, TrayEvent::Click},
        {0, 0, 0x203, TrayEvent::DblClick},
        {0, 0, 0x205, TrayEvent::RightClick},
        {0, 1, 0x202, TrayEvent::None}, // another icon's
        {5, 0, 0x205, TrayEvent::None},
        {5, 5, 0x205, TrayEvent::RightClick},
        {-1, 0xFFFFFFFFu, 0x202, TrayEvent::Click}, // the id travels as an unsigned word
        {0, 0, 0x200, TrayEvent::None},             // move
        {0, 0, 0x201, TrayEvent::None},             // left down
        {0, 0, 0x204, TrayEvent::None},             // right down
        {0, 0, 0x206, TrayEvent::None},             // right double click
        {0, 0, 0x207, TrayEvent::None},             // middle down
        {0, 0, 0x208, TrayEvent::None},             // middle up
        {0, 0, 0x209, TrayEvent::None},             // middle double click
        {0, 0, 0x10202, TrayEvent::None},           // not a plain mouse message
    };
    for (const Case& c : cases)
        EXPECT_EQ(TrayNotificationEvent(c.id, c.iconParam, c.mouse), c.expected)
            << c.id << " " << c.iconParam << " " << std::hex << c.mouse;
}

namespace {
struct Sent {
    TrayCommand command;
    TrayRecord record;
};

class FakeShell : public ::testing::Test {
  protected:
    TrayIconState MakeState() {
        return TrayIconState(
            [this](TrayCommand c, const TrayRecord& r) {
                sent.push_back({c, r});
                return refused.count(c) == 0;
            },
            [this] { return window; });
    }
    std::size_t Count(TrayCommand c) const {
        std::size_t n = 0;
        for (const Sent& s : sent)
            n += s.command == c;
        return n;
    }
    int windowObject = 0;
    WindowHandle window = &windowObject;
    std::vector<Sent> sent;
    std::set<TrayCommand> refused;
};
} // namespace

TEST_F(FakeShell, AddAndRemoveOnlyOnChange) {
    TrayIconState s = MakeState();
    s.SetActive(false);
    EXPECT_TRUE(sent.empty()) << "removed an icon that was never added";
    s.SetActive(true);
    s.SetActive(true);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, TrayCommand::Add);
    EXPECT_TRUE(s.active());
    s.SetActive(false);
    s.SetActive(false);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].command, TrayCommand::Delete);
    EXPECT_FALSE(s.active());
}

TEST_F(FakeShell, RefusalsKeepTheOldState) {
    TrayIconState s = MakeState();
    refused = {TrayCommand::Add};
    s.SetActive(true);
    EXPECT_FALSE(s.active());
    refused = {TrayCommand::Delete, TrayCommand::Modify};
    s.SetActive(true);
    EXPECT_TRUE(s.active());
    s.SetToolTip("refused update");
    EXPECT_TRUE(s.active());
    EXPECT_EQ(s.toolTip(), "refused update");
    s.SetActive(false);
    EXPECT_TRUE(s.active());
    refused.clear();
    s.SetActive(false);
    EXPECT_FALSE(s.active());
    EXPECT_EQ(Count(TrayCommand::Add), 2u);
    EXPECT_EQ(Count(TrayCommand::Delete), 2u);
}

TEST_F(FakeShell, NoWindowMeansNoIcon) {
    window = nullptr;
    TrayIconState s = MakeState();
    s.SetActive(true);
    EXPECT_FALSE(s.active());
    EXPECT_TRUE(sent.empty());
}

TEST_F(FakeShell, ChangesReachTheShellOnlyWhileActive) {
    TrayIconState s = MakeState();
    int pictureA = 0, pictureB = 0;
    s.SetToolTip("Wextor 5");
    s.SetTaskIconId(3);
    s.SetIcon(&pictureA);
    EXPECT_TRUE(sent.empty());
    s.SetActive(true);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(std::string(sent[0].record.tip.data()), "Wextor 5");
    EXPECT_EQ(sent[0].record.id, 3);
    EXPECT_EQ(sent[0].record.icon, &pictureA);
    EXPECT_EQ(sent[0].record.window, window);

    s.SetToolTip("Wextor 5"); // no change
    s.SetTaskIconId(3);
    EXPECT_EQ(sent.size(), 1u);
    const std::string long1 = std::string(64, 'x') + "tail one";
    s.SetToolTip(long1);
    s.SetToolTip(std::string(64, 'x') + "other tail"); // equal once cut
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].command, TrayCommand::Modify);
    EXPECT_EQ(std::string(sent[1].record.tip.data()), std::string(63, 'x'));
    EXPECT_EQ(s.toolTip(), std::string(64, 'x'));
    s.SetIcon(&pictureB);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[2].command, TrayCommand::Modify);
    EXPECT_EQ(sent[2].record.icon, &pictureB);
}

TEST_F(FakeShell, RemovalUsesTheIdTheIconWasAddedWith) {
    TrayIconState s = MakeState();
    s.SetTaskIconId(1);
    s.SetActive(true);
    s.SetTaskIconId(2);
    s.SetActive(false);
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].command, TrayCommand::Modify);
    EXPECT_EQ(sent[1].record.id, 2);
    EXPECT_EQ(sent[2].command, TrayCommand::Delete);
    EXPECT_EQ(sent[2].record.id, 1);
    EXPECT_EQ(sent[2].record.size, kFirstRecordSize);
}

TEST_F(FakeShell, ShellRestartAddsAnActiveIconAgain) {
    TrayIconState s = MakeState();
    s.ShellRestarted();
    EXPECT_TRUE(sent.empty()) << "an inactive icon came back";

    s.SetTaskIconId(1);
    s.SetActive(true);
    s.SetTaskIconId(2);
    sent.clear();
    refused = {TrayCommand::Delete}; // the restarted shell no longer knows the icon
    s.ShellRestarted();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].command, TrayCommand::Delete);
    EXPECT_EQ(sent[0].record.id, 1);
    EXPECT_EQ(sent[1].command, TrayCommand::Add);
    EXPECT_EQ(sent[1].record.id, 2);
    EXPECT_TRUE(s.active());
    EXPECT_EQ(s.keptRecord().id, 2) << "later removal must name the icon as it was added again";

    refused = {TrayCommand::Add};
    s.ShellRestarted();
    EXPECT_FALSE(s.active()) << "an icon the shell refused is not shown";
    sent.clear();
    s.SetActive(false);
    EXPECT_TRUE(sent.empty());
}
