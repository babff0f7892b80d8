// The stored text form of a hotkey: four flags "0"/"1" (Win, Ctrl, Shift, Alt), then the
// key's name. Pure logic, no windows.h.
#pragma once

#include <stddef.h>

#include "../settings/settings.h"

// Modifier bits as RegisterHotKey takes them.
enum {
    kModAlt = 1,
    kModControl = 2,
    kModShift = 4,
    kModWin = 8,
};

// Hotkey identifiers registered on the main dialog, and the internal codes it sends itself.
enum {
    kHotkeyEllipse = 1,
    kHotkeyRectangle = 2,
    kHotkeyRoundRect = 3,
    kHotkeyPolygon = 4,
    kHotkeyHandMade = 5,
    kHotkeyFixedArea = 6,
    kHotkeyFullScreen = 7,
    kHotkeyActiveWindow = 8,
    kHotkeyActiveObject = 9,
    kHotkeyZoom = 11,
    EscapeHotkey = 12,
    RegionCaptureCode = 69,
    MagnifierCode = 76,
    MagnifierCancelCode = 17740,
};

struct HotkeyRow {
    const char *valueName;   // registry value and Settings field
    int id;                  // hotkey identifier
    const char *defaultText; // HotkeyString written by the installer and the reset dialog
    HotkeyString SettingsRecord::*field;
};

enum { kHotkeyCount = 10 };
// The ten capture hotkeys in registration order.
extern const HotkeyRow kHotkeyRows[kHotkeyCount];

// Modifier bits of the flags; a flag is on only when it is the character '1'.
unsigned HotkeyModifiers(const char *hotkey);

// The key name, from the fifth character on; empty when the text is shorter.
const char *HotkeyKeyName(const char *hotkey);

// The combination as the warning names it: "Ctrl Alt R" (a blank after each modifier word,
// the key name exactly as stored).
void HotkeyCombinationText(const char *hotkey, char *out, size_t size);

// Virtual-key code of a key name: "Prt..." is Print Screen, "F1" to "F12" the function
// keys, anything else the code of its first character taken as a signed char.
int KeyNameToVirtualKey(const char *name);
