// Common fixture of the end-to-end tests: each test starts from no settings key and ends
// every process it started, passed or failed.
#pragma once

#include <gtest/gtest.h>

#include "harness.h"

class KaptoTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        kp::DeleteKaptoKey();
    }
    void TearDown() override
    {
        kp::EndAllStarted();
        kp::DeleteKaptoKey();
    }

    // Writes the settings of a fresh installation into the built programs' folder.
    static void Install()
    {
        kp::WriteInstallerDefaults(kp::BinDir());
    }

    // Starts Kapto and waits until its main dialog is up and its start-up timer has had
    // time to register the hotkeys.
    static kp::Process StartRunning(HWND *mainDialog = nullptr)
    {
        kp::Process k = kp::StartKapto();
        HWND main = kp::WaitForMainDialog(k.pid, 10000);
        EXPECT_NE(nullptr, main) << "Kapto's main dialog did not appear";
        // The timer fires 100 ms after the dialog starts; Alt+L is registered last.
        kp::PumpFor(300);
        EXPECT_TRUE(kp::WaitFor([] { return !kp::CanRegisterHotkey(MOD_ALT, 'L'); }, 5000))
            << "Kapto did not register its hotkeys";
        if (mainDialog)
            *mainDialog = main;
        return k;
    }
};
