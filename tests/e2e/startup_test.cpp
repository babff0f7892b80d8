#include "kapto_test.h"

using kp::Process;

TEST_F(KaptoTest, SecondStartEndsAtOnceAndShowsNothing)
{
    Install();
    HWND main = nullptr;
    Process first = StartRunning(&main);

    Process second = kp::StartKapto();
    bool showedWindow = false;
    ASSERT_TRUE(kp::WaitFor(
        [&] {
            for (HWND w : kp::TopWindowsOf(second.pid))
                showedWindow |= IsWindowVisible(w) != FALSE;
            return !kp::Running(second);
        },
        10000));
    DWORD code = 99;
    ASSERT_TRUE(kp::WaitExit(second, 0, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(showedWindow);

    EXPECT_TRUE(kp::Running(first));
    EXPECT_TRUE(IsWindow(main));
    EXPECT_FALSE(kp::CanRegisterHotkey(MOD_CONTROL | MOD_ALT, 'R'));
}

TEST_F(KaptoTest, NotInstalledShowsItsErrorAndEnds)
{
    struct Case {
        const char *what;
        bool key;
        const char *installPath; // nullptr: no value
        const char *message;
    } cases[] = {
        {"no key", false, nullptr,
         "Kapto is not correctly installed...\nPlease run the install programm."},
        {"empty installPath", true, "",
         "Kapto is not correctly installed...\nPlease execute install."},
        {"no installPath", true, nullptr,
         "Kapto is not correctly installed...\nPlease execute install."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        kp::DeleteKaptoKey();
        if (c.key) {
            kp::SetKaptoDword("bip", 1);
            if (c.installPath)
                kp::SetKaptoText("installPath", c.installPath);
        }
        Process k = kp::StartKapto();
        HWND box = kp::WaitForDialog(k.pid, "Kapto", 10000);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(c.message, kp::MessageBoxText(box));
        EXPECT_EQ(nullptr, kp::WaitForMainDialog(k.pid, 0));
        kp::ClickButton(box, IDOK);
        DWORD code = 99;
        ASSERT_TRUE(kp::WaitExit(k, 10000, &code));
        EXPECT_EQ(0u, code);
    }
}

TEST_F(KaptoTest, CloseToMainDialogEndsProgram)
{
    Install();
    HWND main = nullptr;
    Process k = StartRunning(&main);
    ASSERT_NE(nullptr, main);
    EXPECT_FALSE(IsWindowVisible(main));
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = 99;
    ASSERT_TRUE(kp::WaitExit(k, 10000, &code));
    EXPECT_EQ(0u, code);
}
