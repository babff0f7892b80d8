// Program entry: single instance, installation check, settings, then the hidden main dialog
// for the rest of the program's life.
#include <windows.h>
#include <string.h>

#include "app_state.h"
#include "splash.h"
#include "../output/paste_targets.h"
#include "../resources/resource.h"
#include "../settings/settings_store.h"

HINSTANCE AppInstance;

static int InstallError(const char *text)
{
    MessageBoxA(NULL, text, "Kapto", MB_ICONERROR | MB_OK);
    return 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    // The handle stays open until the process ends: it is what tells a second start.
    HANDLE mutex = CreateMutexA(NULL, FALSE, "Kapto");
    if (mutex == NULL || GetLastError() != ERROR_SUCCESS)
        return 0;

    ShowSplash();

    memset(&Settings, 0, sizeof Settings);
    AppInstance = instance;
    if (OpenSettings(&Settings, kSettingsCheck) != 0)
        return InstallError(
            "Kapto is not correctly installed...\nPlease run the install programm.");
    if (OpenSettings(&Settings, kSettingsLoad) != 0)
        return InstallError("Kapto is not correctly installed...\nPlease execute install.");

    BuildPasteTargets();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), NULL, MainDialogProc, 0);
    return 0;
}
