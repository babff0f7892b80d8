// The text handling of hotkeys, sizes and paths takes any text within its buffers.
#include <stdint.h>
#include <string.h>

#include <string>

#include "capture/size_text.h"
#include "hotkeys/hotkey_string.h"
#include "settings/path_clean.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    std::string text(reinterpret_cast<const char *>(data), size);
    text = text.c_str(); // up to the first zero, as a registry text would be

    HotkeyString hotkey = {};
    strncpy(hotkey, text.c_str(), sizeof hotkey - 1);
    char combination[512];
    HotkeyModifiers(hotkey);
    KeyNameToVirtualKey(HotkeyKeyName(hotkey));
    HotkeyCombinationText(hotkey, combination, sizeof combination);
    if (strlen(combination) >= sizeof combination)
        __builtin_trap();

    unsigned value;
    ParseSizeText(text.c_str(), &value);

    char path[260];
    size_t half = text.size() / 2;
    std::string folder = text.substr(0, half), name = text.substr(half);
    if (ComposePath(path, sizeof path, folder.c_str(), name.c_str())) {
        if (strlen(path) > 259 || strstr(path, "\\\\"))
            __builtin_trap();
    } else if (path[0] != '\0') {
        __builtin_trap();
    }
    if (text.size() < 260) {
        char copy[260];
        strcpy(copy, text.c_str());
        CollapseBackslashes(copy);
        if (strstr(copy, "\\\\") || strlen(copy) > text.size())
            __builtin_trap();
    }
    return 0;
}
