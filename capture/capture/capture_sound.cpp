#include "capture_sound.h"

#include <windows.h>
#include <mmsystem.h>

#include "../app/app_state.h"
#include "../settings/path_clean.h"
#include "../settings/settings.h"

void PlayCaptureSound()
{
    if (!Settings.bip)
        return;
    // The wave file is looked for beside the program, not in whatever folder is current.
    char path[kPathSize];
    if (!ComposePath(path, sizeof path, Settings.installPath, "photo.wav") ||
        !PlaySoundA(path, AppInstance, SND_FILENAME | SND_ASYNC | SND_NODEFAULT))
        MessageBeep(0);
}
