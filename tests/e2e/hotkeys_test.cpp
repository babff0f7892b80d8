#include "kapto_test.h"

#include <string>

using kp::Process;

namespace {

struct Combination {
    const char *name;
    UINT modifiers;
    UINT vk;
};

// The installer's ten hotkeys.
const Combination kDefaults[] = {
    {"Ctrl+Alt+R", MOD_CONTROL | MOD_ALT, 'R'},
    {"Ctrl+Alt+C", MOD_CONTROL | MOD_ALT, 'C'},
    {"Ctrl+Alt+E", MOD_CONTROL | MOD_ALT, 'E'},
    {"Ctrl+Alt+P", MOD_CONTROL | MOD_ALT, 'P'},
    {"Ctrl+Alt+M", MOD_CONTROL | MOD_ALT, 'M'},
    {"Ctrl+Alt+Z", MOD_CONTROL | MOD_ALT, 'Z'},
    {"PrtScr", 0, VK_SNAPSHOT},
    {"Alt+PrtScr", MOD_ALT, VK_SNAPSHOT},
    {"Shift+PrtScr", MOD_SHIFT, VK_SNAPSHOT},
    {"Alt+L", MOD_ALT, 'L'},
};

} // namespace

TEST_F(KaptoTest, TenHotkeysHeldWhileRunningAndReleasedAfterClose)
{
    Install();
    HWND main = nullptr;
    Process k = StartRunning(&main);
    for (const Combination &c : kDefaults)
        EXPECT_FALSE(kp::CanRegisterHotkey(c.modifiers, c.vk)) << c.name << " is not held";

    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(kp::WaitExit(k, 10000));
    for (const Combination &c : kDefaults)
        EXPECT_TRUE(kp::CanRegisterHotkey(c.modifiers, c.vk)) << c.name << " was not released";
}

TEST_F(KaptoTest, TakenCombinationIsReportedAndTheOthersRegistered)
{
    struct Case {
        const char *what;
        const char *value;   // a hotkey value changed from the defaults, or nullptr
        const char *setting; // its text
        Combination held;    // what another program holds, or {} for nothing
        const char *message;
        int heldRow;    // row of kDefaults that stays with the other program, or -1
        int changedRow; // row of kDefaults whose combination the case changed, or -1
    } cases[] = {
        {"held by another program",
         nullptr,
         nullptr,
         {"Ctrl+Alt+R", MOD_CONTROL | MOD_ALT, 'R'},
         "Kapto cannot register: Ctrl Alt R\nIt must be already used by another software.",
         0,
         -1},
        {"all four modifiers",
         "Rectangle",
         "1111F12",
         {"Win+Ctrl+Shift+Alt+F12", MOD_WIN | MOD_CONTROL | MOD_SHIFT | MOD_ALT, VK_F12},
         "Kapto cannot register: Win Ctrl Shift Alt F12\nIt must be already used by another "
         "software.",
         -1,
         0},
        {"two rows alike: the later one fails",
         "ZoneFixe",
         "0101R",
         {nullptr, 0, 0},
         "Kapto cannot register: Ctrl Alt R\nIt must be already used by another software.",
         -1,
         5},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kp::DeleteKaptoKey();
        Install();
        if (c.value)
            kp::SetKaptoText(c.value, c.setting);
        const int kHeld = 0x4B50;
        if (c.held.name) {
            ASSERT_TRUE(RegisterHotKey(NULL, kHeld, c.held.modifiers, c.held.vk));
        }

        Process k = kp::StartKapto();
        HWND box = kp::WaitForDialog(k.pid, "Kapto", 10000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(c.message, kp::MessageBoxText(box));
        kp::ClickButton(box, IDOK);
        ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(box); }, 5000));

        // The rows after the failed one are registered too; Alt+L comes last.
        ASSERT_TRUE(kp::WaitFor([] { return !kp::CanRegisterHotkey(MOD_ALT, 'L'); }, 5000));
        for (int i = 0; i < 10; ++i) {
            if (i == c.heldRow || i == c.changedRow)
                continue; // the changed or held row is checked below
            EXPECT_FALSE(kp::CanRegisterHotkey(kDefaults[i].modifiers, kDefaults[i].vk))
                << kDefaults[i].name;
        }
        if (c.held.name) {
            EXPECT_TRUE(UnregisterHotKey(NULL, kHeld)) << "the other program lost its hotkey";
        }
        if (c.changedRow == 5) {
            EXPECT_FALSE(kp::CanRegisterHotkey(MOD_CONTROL | MOD_ALT, 'R'));
            EXPECT_TRUE(kp::CanRegisterHotkey(MOD_CONTROL | MOD_ALT, 'Z'));
        }
        kp::EndAllStarted();
    }
}

TEST_F(KaptoTest, HotkeyTextsOfTheRegistryAreRegistered)
{
    struct Case {
        const char *value, *text;
        Combination expected;
    } cases[] = {
        {"FullScreen", "0000f9", {"F9", 0, VK_F9}},
        {"Ellipse", "1000F10", {"Win+F10", MOD_WIN, VK_F10}},
        {"Polygone", "0110prt scr", {"Ctrl+Shift+PrtScr", MOD_CONTROL | MOD_SHIFT, VK_SNAPSHOT}},
    };
    Install();
    for (const Case &c : cases)
        kp::SetKaptoText(c.value, c.text);
    StartRunning();
    for (const Case &c : cases)
        EXPECT_FALSE(kp::CanRegisterHotkey(c.expected.modifiers, c.expected.vk))
            << c.text << " did not give " << c.expected.name;
}
