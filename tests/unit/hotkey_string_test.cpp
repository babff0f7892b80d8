#include <gtest/gtest.h>

#include <string>

#include "hotkeys/hotkey_string.h"

TEST(KeyNameToVirtualKey, Table)
{
    struct Case {
        const char *name;
        int vk;
    } cases[] = {
        {"Prt Scr", 0x2C}, {"prt scr", 0x2C}, {"PRT", 0x2C}, {"F5", 0x74},  {"f5", 0x74},
        {"F1", 0x70},      {"F9", 0x78},      {"F10", 0x79}, {"F11", 0x7A}, {"f12", 0x7B},
        {"F13", 0x70},     {"F", 'F'},        {"R", 'R'},    {"r", 'r'},    {"7", '7'},
        {"", 0},           {" ", ' '},        {"\xE9", -23}, // taken as a signed char
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.vk, KeyNameToVirtualKey(c.name)) << "name: \"" << c.name << "\"";
}

TEST(HotkeyString, FlagsKeyNameAndCombinationText)
{
    struct Case {
        const char *hotkey;
        unsigned modifiers;
        const char *key;
        const char *combination;
    } cases[] = {
        {"0101R", kModControl | kModAlt, "R", "Ctrl Alt R"},
        {"0000Prt Scr", 0, "Prt Scr", "Prt Scr"},
        {"0010Prt Scr", kModShift, "Prt Scr", "Shift Prt Scr"},
        {"0001L", kModAlt, "L", "Alt L"},
        {"1111F12", kModWin | kModControl | kModShift | kModAlt, "F12", "Win Ctrl Shift Alt F12"},
        {"2101R", kModControl | kModAlt, "R", "Ctrl Alt R"}, // only '1' is on
        {"0000   ", 0, "   ", "   "},                        // no key chosen on the page
        {"", 0, "", ""},
        {"01", kModControl, "", "Ctrl "}, // a short text has no further flags
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.modifiers, HotkeyModifiers(c.hotkey)) << c.hotkey;
        EXPECT_STREQ(c.key, HotkeyKeyName(c.hotkey)) << c.hotkey;
        char text[512];
        HotkeyCombinationText(c.hotkey, text, sizeof text);
        EXPECT_STREQ(c.combination, text) << c.hotkey;
    }
}

TEST(HotkeyString, CombinationTextStaysInItsBuffer)
{
    char text[8];
    memset(text, 'x', sizeof text);
    HotkeyCombinationText("1111F12", text, 6);
    EXPECT_STREQ("Win C", text);
    EXPECT_EQ('x', text[6]);
}
