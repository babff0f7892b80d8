#include "register_hotkeys.h"

#include <stdio.h>

#include "hotkey_string.h"

BOOL RegisterAllHotkeys(HWND mainDialog)
{
    for (const HotkeyRow &row : kHotkeyRows) {
        const char *hotkey = Settings.*row.field;
        char combination[512] = "";
        char message[512] = "";
        if (RegisterHotKey(mainDialog, row.id, HotkeyModifiers(hotkey),
                           static_cast<UINT>(KeyNameToVirtualKey(HotkeyKeyName(hotkey)))))
            continue;
        MessageBeep(MB_ICONEXCLAMATION);
        HotkeyCombinationText(hotkey, combination, sizeof combination);
        snprintf(message, sizeof message,
                 "Kapto cannot register: %s\nIt must be already used by another software.",
                 combination);
        MessageBoxA(mainDialog, message, "Kapto", MB_ICONEXCLAMATION | MB_OK);
    }
    return TRUE;
}

void UnregisterAllHotkeys(HWND mainDialog)
{
    for (const HotkeyRow &row : kHotkeyRows)
        UnregisterHotKey(mainDialog, row.id);
}
