// The keyboard shortcut as Wextor5.INI holds it, and as LoadSettings / SaveSettings carry it.
#include "app/hotkey.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kCtrlAlt = HotKeyCtrl | HotKeyAlt;

struct ParseCase {
    const char* text;
    HotKey keys;         // {0, 0}: none
    const char* written; // what FormatHotKey gives back
};
const ParseCase kParseCases[] = {
    {"Ctrl+Alt+E", {kCtrlAlt, 'E'}, "Ctrl+Alt+E"},
    {"Alt+Ctrl+E", {kCtrlAlt, 'E'}, "Ctrl+Alt+E"},
    {"shift+alt+control+e", {kCtrlAlt | HotKeyShift, 'E'}, "Ctrl+Alt+Shift+E"},
    {" Ctrl + Alt + f9 ", {kCtrlAlt, 0x78}, "Ctrl+Alt+F9"},
    {"Ctrl+Alt+F24", {kCtrlAlt, 0x87}, "Ctrl+Alt+F24"},
    {"Ctrl+7", {HotKeyCtrl, '7'}, "Ctrl+7"},
    {"Ctrl+Num7", {HotKeyCtrl, 0x67}, "Ctrl+Num7"},
    {"Ctrl+Num+", {HotKeyCtrl, 0x6B}, "Ctrl+Num+"},
    {"Ctrl+Alt+pagedown", {kCtrlAlt, 0x22}, "Ctrl+Alt+PageDown"},
    {"F9", {0, 0x78}, "F9"},
    {"Ctrl+Alt+0xba", {kCtrlAlt, 0xBA}, "Ctrl+Alt+0xBA"},
    // None, and everything that is not a shortcut.
    {"", {}, "None"},
    {"None", {}, "None"},
    {"Ctrl+Alt+", {}, "None"},
    {"Ctrl+Alt", {}, "None"},
    {"+E", {}, "None"},
    {"Ctrl+Ctrl+E", {}, "None"},
    {"Win+E", {}, "None"},
    {"Ctrl+Alt+EE", {}, "None"},
    {"Ctrl+Alt+F25", {}, "None"},
    {"Ctrl+Alt+F0", {}, "None"},
    {"Ctrl+Alt+0x1FF", {}, "None"},
    {"Ctrl+Alt+Ä", {}, "None"},
    {"E+Ctrl", {}, "None"},
};
} // namespace

TEST(HotKey, ValuesOfTheSettingsFile) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.text);
        const HotKey keys = ParseHotKey(c.text);
        EXPECT_EQ(keys.key, c.keys.key);
        EXPECT_EQ(keys.modifiers, c.keys.modifiers);
        EXPECT_EQ(FormatHotKey(keys), c.written);
        EXPECT_TRUE(ParseHotKey(FormatHotKey(keys)) == keys); // read back as written
    }
}

TEST(HotKey, EveryKeyCodeRoundTrips) {
    for (unsigned code = 1; code <= 0xFE; ++code)
        for (unsigned modifiers = 0; modifiers < 8; ++modifiers) {
            const HotKey keys = {modifiers, code};
            EXPECT_TRUE(ParseHotKey(FormatHotKey(keys)) == keys) << FormatHotKey(keys);
        }
}

TEST(HotKey, TheTakenBoxNamesTheKeysAndWhereToChooseOthers) {
    const std::string text = HotKeyTakenText(ParseHotKey("Ctrl+Alt+E"));
    EXPECT_NE(text.find("Ctrl+Alt+E"), std::string::npos);
    EXPECT_NE(text.find("Another program"), std::string::npos);
    EXPECT_NE(text.find("Options page"), std::string::npos);
}
