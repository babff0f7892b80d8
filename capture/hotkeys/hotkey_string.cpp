#include "hotkey_string.h"

#include <stdio.h>
#include <string.h>
#include <strings.h>

const HotkeyRow kHotkeyRows[kHotkeyCount] = {
    {"Rectangle", kHotkeyRectangle, "0101R", &SettingsRecord::Rectangle},
    {"Rectangle Coupe", kHotkeyRoundRect, "0101C", &SettingsRecord::Rectangle_Coupe},
    {"Ellipse", kHotkeyEllipse, "0101E", &SettingsRecord::Ellipse},
    {"Polygone", kHotkeyPolygon, "0101P", &SettingsRecord::Polygone},
    {"Mimine", kHotkeyHandMade, "0101M", &SettingsRecord::Mimine},
    {"ZoneFixe", kHotkeyFixedArea, "0101Z", &SettingsRecord::ZoneFixe},
    {"FullScreen", kHotkeyFullScreen, "0000Prt Scr", &SettingsRecord::FullScreen},
    {"ActiveWindow", kHotkeyActiveWindow, "0001Prt Scr", &SettingsRecord::ActiveWindow},
    {"ActiveObject", kHotkeyActiveObject, "0010Prt Scr", &SettingsRecord::ActiveObject},
    {"zoom", kHotkeyZoom, "0001L", &SettingsRecord::zoom},
};

namespace {

struct Flag {
    const char *word;
    unsigned bit;
};

const Flag kFlags[4] = {
    {"Win ", kModWin}, {"Ctrl ", kModControl}, {"Shift ", kModShift}, {"Alt ", kModAlt}};

// Flags stop at the end of the text: a short text has its missing flags off.
bool FlagOn(const char *hotkey, int position)
{
    for (int i = 0; i < position; ++i)
        if (hotkey[i] == '\0')
            return false;
    return hotkey[position] == '1';
}

} // namespace

unsigned HotkeyModifiers(const char *hotkey)
{
    unsigned bits = 0;
    for (int i = 0; i < 4; ++i)
        if (FlagOn(hotkey, i))
            bits |= kFlags[i].bit;
    return bits;
}

const char *HotkeyKeyName(const char *hotkey)
{
    size_t length = strnlen(hotkey, 4);
    return hotkey + length;
}

void HotkeyCombinationText(const char *hotkey, char *out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    size_t used = 0;
    for (int i = 0; i < 4; ++i) {
        if (!FlagOn(hotkey, i))
            continue;
        int n = snprintf(out + used, size - used, "%s", kFlags[i].word);
        used += n > 0 ? static_cast<size_t>(n) : 0;
        if (used >= size)
            return;
    }
    snprintf(out + used, size - used, "%s", HotkeyKeyName(hotkey));
}

int KeyNameToVirtualKey(const char *name)
{
    const int kSnapshot = 0x2C, kF1 = 0x70, kF10 = 0x79;
    if (strncasecmp(name, "Prt", 3) == 0)
        return kSnapshot;
    if ((name[0] == 'F' || name[0] == 'f') && name[1] == '1' && name[2] >= '0' && name[2] <= '2')
        return kF10 + (name[2] - '0');
    if ((name[0] == 'F' || name[0] == 'f') && name[1] >= '1' && name[1] <= '9')
        return kF1 + (name[1] - '1');
    return static_cast<signed char>(name[0]);
}
