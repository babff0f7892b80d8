// Registry persistence of the settings record, under HKEY_CURRENT_USER "Software\Kapto".
#pragma once

#include <windows.h>

#include "settings.h"

extern const char kSettingsKey[]; // "Software\Kapto"

enum SettingsMode {
    kSettingsCheck = 0, // installation check: the key opens for all access, installPath read
    kSettingsLoad = 1,  // every stored value, then HelpPath
    kSettingsSave = 2,  // every value the program owns written back
};

// Returns 0 for success and 1 for failure.
int OpenSettings(SettingsRecord *settings, int mode);
void LoadSettings(HKEY key, SettingsRecord *settings);
void SaveSettings(HKEY key, const SettingsRecord *settings);
