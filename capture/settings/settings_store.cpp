#include "settings_store.h"

#include <stddef.h>
#include <string.h>

#include "path_clean.h"

SettingsRecord Settings;
char HelpPath[kPathSize];

const char kSettingsKey[] = "Software\\Kapto";

namespace {

struct DwordValue {
    const char *name;
    uint32_t SettingsRecord::*field;
};

struct TextValue {
    const char *name;
    size_t offset;
    size_t width;

    char *in(SettingsRecord *s) const
    {
        return reinterpret_cast<char *>(s) + offset;
    }
    const char *in(const SettingsRecord *s) const
    {
        return reinterpret_cast<const char *>(s) + offset;
    }
};

#define TEXT_FIELD(member) offsetof(SettingsRecord, member), sizeof(SettingsRecord::member)

const DwordValue kLoadDwords[] = {
    {"AutomaticPaste", &SettingsRecord::AutomaticPaste},
    {"avecGrille", &SettingsRecord::avecGrille},
    {"avecMire", &SettingsRecord::avecMire},
    {"bip", &SettingsRecord::bip},
    {"bmp_nbbits", &SettingsRecord::bmp_nbbits},
    {"couleursExport", &SettingsRecord::couleursExport},
    {"destroyAfterExport", &SettingsRecord::destroyAfterExport},
    {"fillColor", &SettingsRecord::fillColor},
    {"Fixed Height", &SettingsRecord::Fixed_Height},
    {"Fixed Width", &SettingsRecord::Fixed_Width},
    {"freeclipboard", &SettingsRecord::freeclipboard},
    {"hauteur", &SettingsRecord::hauteur},
    {"indice_save", &SettingsRecord::indice_save},
    {"jpeg_compression", &SettingsRecord::jpeg_compression},
    {"keep_size", &SettingsRecord::keep_size},
    {"largeur", &SettingsRecord::largeur},
    {"launchstart", &SettingsRecord::launchstart},
    {"magnify", &SettingsRecord::magnify},
    {"prompt", &SettingsRecord::prompt},
    {"snapinvertcolor", &SettingsRecord::snapinvertcolor},
    {"snapwithcaption", &SettingsRecord::snapwithcaption},
    {"taux_magnify", &SettingsRecord::taux_magnify},
    {"typeExport", &SettingsRecord::typeExport},
    {"type_save", &SettingsRecord::type_save},
    {"type_name", &SettingsRecord::type_name},
    {"save", &SettingsRecord::save},
    {"save_as_gray", &SettingsRecord::save_as_gray},
    {"zoomFactor", &SettingsRecord::zoomFactor},
    {"zoomWidth", &SettingsRecord::zoomWidth},
    {"zoomRefreshRate", &SettingsRecord::zoomRefreshRate},
};

const TextValue kLoadTexts[] = {
    {"installPath", TEXT_FIELD(installPath)},
    {"save_path", TEXT_FIELD(save_path)},
    {"ActiveObject", TEXT_FIELD(ActiveObject)},
    {"ActiveWindow", TEXT_FIELD(ActiveWindow)},
    {"Ellipse", TEXT_FIELD(Ellipse)},
    {"FullScreen", TEXT_FIELD(FullScreen)},
    {"zoom", TEXT_FIELD(zoom)},
    {"Mimine", TEXT_FIELD(Mimine)},
    {"Polygone", TEXT_FIELD(Polygone)},
    {"Rectangle", TEXT_FIELD(Rectangle)},
    {"Rectangle Coupe", TEXT_FIELD(Rectangle_Coupe)},
    {"ZoneFixe", TEXT_FIELD(ZoneFixe)},
};

// installPath is the installer's and launchstart the Misc page's: neither is written here.
const TextValue kSaveTexts[] = {
    {"ActiveObject", TEXT_FIELD(ActiveObject)},
    {"ActiveWindow", TEXT_FIELD(ActiveWindow)},
    {"Ellipse", TEXT_FIELD(Ellipse)},
    {"FullScreen", TEXT_FIELD(FullScreen)},
    {"zoom", TEXT_FIELD(zoom)},
    {"Mimine", TEXT_FIELD(Mimine)},
    {"Polygone", TEXT_FIELD(Polygone)},
    {"Rectangle", TEXT_FIELD(Rectangle)},
    {"Rectangle Coupe", TEXT_FIELD(Rectangle_Coupe)},
    {"ZoneFixe", TEXT_FIELD(ZoneFixe)},
    {"save_path", TEXT_FIELD(save_path)},
};

const DwordValue kSaveDwords[] = {
    {"AutomaticPaste", &SettingsRecord::AutomaticPaste},
    {"avecGrille", &SettingsRecord::avecGrille},
    {"avecMire", &SettingsRecord::avecMire},
    {"bip", &SettingsRecord::bip},
    {"bmp_nbbits", &SettingsRecord::bmp_nbbits},
    {"couleursExport", &SettingsRecord::couleursExport},
    {"destroyAfterExport", &SettingsRecord::destroyAfterExport},
    {"fillColor", &SettingsRecord::fillColor},
    {"Fixed Width", &SettingsRecord::Fixed_Width},
    {"Fixed Height", &SettingsRecord::Fixed_Height},
    {"freeclipboard", &SettingsRecord::freeclipboard},
    {"hauteur", &SettingsRecord::hauteur},
    {"indice_save", &SettingsRecord::indice_save},
    {"jpeg_compression", &SettingsRecord::jpeg_compression},
    {"keep_size", &SettingsRecord::keep_size},
    {"largeur", &SettingsRecord::largeur},
    {"magnify", &SettingsRecord::magnify},
    {"prompt", &SettingsRecord::prompt},
    {"save", &SettingsRecord::save},
    {"save_as_gray", &SettingsRecord::save_as_gray},
    {"snapinvertcolor", &SettingsRecord::snapinvertcolor},
    {"snapwithcaption", &SettingsRecord::snapwithcaption},
    {"taux_magnify", &SettingsRecord::taux_magnify},
    {"typeExport", &SettingsRecord::typeExport},
    {"type_name", &SettingsRecord::type_name},
    {"type_save", &SettingsRecord::type_save},
    {"zoomFactor", &SettingsRecord::zoomFactor},
    {"zoomRefreshRate", &SettingsRecord::zoomRefreshRate},
    {"zoomWidth", &SettingsRecord::zoomWidth},
};

// A value of another type, or of another size, is treated as absent: taken as it is, a text
// would fill a number with character codes and a longer number would not fit.
void ReadDword(HKEY key, const char *name, uint32_t *field)
{
    DWORD type = 0, value = 0, size = sizeof value;
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE *>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof value)
        return;
    *field = value;
}

// A text that does not fit its field with its terminating zero is treated as absent, so
// the field never holds a text without its end. Stored texts carry no terminating zero,
// and the installer pads its texts with zeros: both read as the same text.
void ReadText(HKEY key, const char *name, char *field, size_t width)
{
    char buffer[kPathSize + 1];
    DWORD type = 0, size = static_cast<DWORD>(width);
    if (RegQueryValueExA(key, name, NULL, &type, reinterpret_cast<BYTE *>(buffer), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size > width)
        return;
    buffer[size] = '\0';
    size_t length = strlen(buffer);
    if (length >= width)
        return;
    memcpy(field, buffer, length + 1);
}

} // namespace

void LoadSettings(HKEY key, SettingsRecord *settings)
{
    for (const DwordValue &v : kLoadDwords)
        ReadDword(key, v.name, &(settings->*v.field));
    for (const TextValue &v : kLoadTexts)
        ReadText(key, v.name, v.in(settings), v.width);
}

void SaveSettings(HKEY key, const SettingsRecord *settings)
{
    for (const TextValue &v : kSaveTexts) {
        const char *text = v.in(settings);
        RegSetValueExA(key, v.name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                       static_cast<DWORD>(strnlen(text, v.width - 1)));
    }
    for (const DwordValue &v : kSaveDwords) {
        DWORD value = settings->*v.field;
        RegSetValueExA(key, v.name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                       sizeof value);
    }
}

int OpenSettings(SettingsRecord *settings, int mode)
{
    HKEY key;
    REGSAM access = mode == kSettingsLoad ? KEY_READ : KEY_ALL_ACCESS;
    if (mode < kSettingsCheck || mode > kSettingsSave ||
        RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key) != ERROR_SUCCESS)
        return 1;

    int result = 0;
    switch (mode) {
    case kSettingsCheck:
        ReadText(key, "installPath", settings->installPath, sizeof settings->installPath);
        break;
    case kSettingsLoad:
        LoadSettings(key, settings);
        if (settings->installPath[0] == '\0')
            result = 1;
        else if (!ComposePath(HelpPath, sizeof HelpPath, settings->installPath, "Kaptoe.hlp"))
            HelpPath[0] = '\0';
        break;
    case kSettingsSave:
        SaveSettings(key, settings);
        break;
    }
    RegCloseKey(key);
    return result;
}
