#include "harness.h"

namespace kp {

const char kKaptoKey[] = "Software\\Kapto";

void DeleteKaptoKey()
{
    RegDeleteKeyA(HKEY_CURRENT_USER, kKaptoKey);
}

RegValues ReadKaptoValues()
{
    RegValues values;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKaptoKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[4096];
        DWORD nameLen = sizeof name, type = 0, size = sizeof data;
        if (RegEnumValueA(key, i, name, &nameLen, NULL, &type, data, &size) != ERROR_SUCCESS)
            break;
        values[std::string(name, nameLen)] = RegValue{type, std::vector<BYTE>(data, data + size)};
    }
    RegCloseKey(key);
    return values;
}

void SetKaptoValue(const std::string &name, DWORD type, const void *data, DWORD size)
{
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKaptoKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key,
                        NULL) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

void SetKaptoDword(const std::string &name, DWORD value)
{
    SetKaptoValue(name, REG_DWORD, &value, sizeof value);
}

void SetKaptoText(const std::string &name, const std::string &text)
{
    SetKaptoValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

RegValue Dword(DWORD v)
{
    const BYTE *b = reinterpret_cast<const BYTE *>(&v);
    return RegValue{REG_DWORD, std::vector<BYTE>(b, b + 4)};
}

RegValue Text(const std::string &s, size_t padTo)
{
    std::vector<BYTE> data(s.begin(), s.end());
    if (data.size() < padTo)
        data.resize(padTo, 0);
    return RegValue{REG_SZ, data};
}

void WriteInstallerDefaults(const std::string &installPath)
{
    struct Default {
        const char *name;
        DWORD type;
        DWORD number;
        const char *text;
    };
    // The installer's list, in its order. Hotkey texts are written as 14 bytes, padded
    // with zeros; the install folder without its terminating zero.
    const Default defaults[] = {
        {"AutomaticPaste", REG_DWORD, 0, nullptr},
        {"bip", REG_DWORD, 1, nullptr},
        {"bmp_nbbits", REG_DWORD, 16, nullptr},
        {"couleursExport", REG_DWORD, 2, nullptr},
        {"magnify", REG_DWORD, 0, nullptr},
        {"taux_magnify", REG_DWORD, 0, nullptr},
        {"save", REG_DWORD, 1, nullptr},
        {"save_as_gray", REG_DWORD, 0, nullptr},
        {"typeExport", REG_DWORD, 0, nullptr},
        {"type_save", REG_DWORD, 0, nullptr},
        {"zoomWidth", REG_DWORD, 20, nullptr},
        {"zoomRefreshRate", REG_DWORD, 2, nullptr},
        {"zoomFactor", REG_DWORD, 3, nullptr},
        {"installPath", REG_SZ, 0, nullptr},
        {"Rectangle", REG_SZ, 0, "0101R"},
        {"Rectangle Coupe", REG_SZ, 0, "0101C"},
        {"Ellipse", REG_SZ, 0, "0101E"},
        {"Polygone", REG_SZ, 0, "0101P"},
        {"Mimine", REG_SZ, 0, "0101M"},
        {"ZoneFixe", REG_SZ, 0, "0101Z"},
        {"DisplayMemo", REG_SZ, 0, "1000W"},
        {"Zoom", REG_SZ, 0, "0001L"},
        {"FullScreen", REG_SZ, 0, "0000Prt Scr"},
        {"ActiveWindow", REG_SZ, 0, "0001Prt Scr"},
        {"ActiveObject", REG_SZ, 0, "0010Prt Scr"},
    };
    for (const Default &d : defaults) {
        if (d.type == REG_DWORD) {
            SetKaptoDword(d.name, d.number);
        } else if (!d.text) {
            SetKaptoText(d.name, installPath);
        } else {
            RegValue v = Text(d.text, 14);
            SetKaptoValue(d.name, REG_SZ, v.data.data(), static_cast<DWORD>(v.data.size()));
        }
    }
}

} // namespace kp
