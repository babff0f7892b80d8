// The settings store against the real registry of the Wine session.
#include "kapto_test.h"

#include <string.h>

#include "settings/settings_store.h"

using kp::RegValue;
using kp::RegValues;

namespace {

// Every field different from zero and from every other, so a swapped or lost value shows.
SettingsRecord FullRecord()
{
    SettingsRecord s;
    memset(&s, 0, sizeof s);
    strcpy(s.installPath, "C:\\Program Files\\Kapto");
    const char *hotkeys[10] = {"0101R", "0101C",       "0101E",       "0101P",       "0101M",
                               "0101Z", "0000Prt Scr", "0001Prt Scr", "0010Prt Scr", "1111F12"};
    HotkeyString *fields[10] = {
        &s.Rectangle, &s.Rectangle_Coupe, &s.Ellipse,      &s.Polygone,     &s.Mimine,
        &s.ZoneFixe,  &s.FullScreen,      &s.ActiveWindow, &s.ActiveObject, &s.zoom};
    for (int i = 0; i < 10; ++i)
        strcpy(*fields[i], hotkeys[i]);
    strcpy(s.save_path, "D:\\Captures\\Manual");
    uint32_t *first = &s.indice_save, *last = &s.fillColor;
    for (uint32_t *p = first; p <= last; ++p)
        *p = 1000u + static_cast<uint32_t>(p - first) * 7u;
    s.includeCursor = 0;
    return s;
}

HKEY OpenKey()
{
    HKEY key = NULL;
    RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL);
    return key;
}

} // namespace

TEST_F(KaptoTest, SavedValuesLoadAndSaveBackUnchanged)
{
    SettingsRecord original = FullRecord();
    kp::SetKaptoText("installPath", original.installPath);
    ASSERT_EQ(0, OpenSettings(&original, kSettingsSave));
    RegValues saved = kp::ReadKaptoValues();

    // Texts are the characters alone (Wine's RegSetValueExA adds the terminating zero that
    // Windows would store without); numbers are four bytes.
    EXPECT_EQ(kp::Text("0101R", 6), saved["Rectangle"]);
    EXPECT_EQ(kp::Text("D:\\Captures\\Manual", 19), saved["save_path"]);
    EXPECT_EQ(kp::Dword(original.Fixed_Width), saved["Fixed Width"]);
    EXPECT_EQ(kp::Dword(original.Fixed_Height), saved["Fixed Height"]);
    EXPECT_EQ(0u, saved.count("launchstart")) << "launchstart is the Misc page's to write";
    EXPECT_EQ(0u, saved.count("includeCursor"));
    EXPECT_EQ(kp::Text(original.installPath, strlen(original.installPath) + 1),
              saved["installPath"]);
    EXPECT_EQ(41u, saved.size()) << "every stored field, and installPath";

    SettingsRecord loaded;
    memset(&loaded, 0, sizeof loaded);
    ASSERT_EQ(0, OpenSettings(&loaded, kSettingsLoad));
    original.launchstart = 0; // never written, so nothing to load
    EXPECT_EQ(0, memcmp(&original, &loaded, sizeof loaded)) << "load gave other fields";

    ASSERT_EQ(0, OpenSettings(&loaded, kSettingsSave));
    RegValues again = kp::ReadKaptoValues();
    ASSERT_EQ(saved.size(), again.size());
    for (const auto &v : saved)
        EXPECT_EQ(v.second, again[v.first]) << v.first << " changed in the round trip";
}

TEST_F(KaptoTest, InstallerValuesLoadAsTheSameTexts)
{
    kp::WriteInstallerDefaults("C:\\Program Files\\Kapto");
    SettingsRecord s{};
    ASSERT_EQ(0, OpenSettings(&s, kSettingsCheck));
    ASSERT_EQ(0, OpenSettings(&s, kSettingsLoad));
    EXPECT_STREQ("0101R", s.Rectangle);
    EXPECT_STREQ("0101C", s.Rectangle_Coupe);
    EXPECT_STREQ("0101E", s.Ellipse);
    EXPECT_STREQ("0101P", s.Polygone);
    EXPECT_STREQ("0101M", s.Mimine);
    EXPECT_STREQ("0101Z", s.ZoneFixe);
    EXPECT_STREQ("0001L", s.zoom) << "\"Zoom\" is read into zoom";
    EXPECT_STREQ("0000Prt Scr", s.FullScreen);
    EXPECT_STREQ("0001Prt Scr", s.ActiveWindow);
    EXPECT_STREQ("0010Prt Scr", s.ActiveObject);
    EXPECT_EQ(2u, s.couleursExport);
    EXPECT_EQ(16u, s.bmp_nbbits);
    EXPECT_EQ(20u, s.zoomWidth);
    EXPECT_EQ(0u, s.fillColor) << "a value nobody wrote stays zero";
    EXPECT_STREQ("C:\\Program Files\\Kapto\\Kaptoe.hlp", HelpPath);
}

TEST_F(KaptoTest, ValuesOfAnotherTypeOrTooLongAreAbsent)
{
    struct Case {
        const char *name;
        DWORD type;
        std::string data;
    } cases[] = {
        {"zoomWidth", REG_SZ, "55"},
        {"bip", REG_BINARY, std::string("\x05\0\0\0", 4)},
        {"zoomFactor", REG_QWORD, std::string("\x05\0\0\0\0\0\0\0", 8)},
        {"Rectangle", REG_SZ, "0101ABCDEFGHIJK"}, // 15: no room for its end
        {"Ellipse", REG_SZ, std::string("0101E") + std::string(15, '\0')}, // padded past 15
        {"Polygone", REG_DWORD, std::string("\x41\0\0\0", 4)},
        {"save_path", REG_SZ, std::string(260, 'p')},
    };
    kp::SetKaptoText("installPath", "C:\\Kapto");
    for (const Case &c : cases)
        kp::SetKaptoValue(c.name, c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
    kp::SetKaptoText("Mimine", "0000ABCDEFGHIJ"); // 14 characters: the longest that fits

    SettingsRecord s{};
    s.zoomWidth = 77;
    s.bip = 7;
    s.zoomFactor = 9;
    strcpy(s.Rectangle, "kept");
    strcpy(s.Ellipse, "kept");
    strcpy(s.Polygone, "kept");
    strcpy(s.save_path, "kept");
    ASSERT_EQ(0, OpenSettings(&s, kSettingsLoad));
    EXPECT_EQ(77u, s.zoomWidth);
    EXPECT_EQ(7u, s.bip);
    EXPECT_EQ(9u, s.zoomFactor);
    EXPECT_STREQ("kept", s.Rectangle);
    EXPECT_STREQ("kept", s.Ellipse);
    EXPECT_STREQ("kept", s.Polygone);
    EXPECT_STREQ("kept", s.save_path);
    EXPECT_STREQ("0000ABCDEFGHIJ", s.Mimine);
}

TEST_F(KaptoTest, HelpPathIsComposedOrRefused)
{
    struct Case {
        std::string installPath, helpPath;
    } cases[] = {
        {"C:\\Kapto", "C:\\Kapto\\Kaptoe.hlp"},
        {"C:\\Kapto\\", "C:\\Kapto\\Kaptoe.hlp"},
        {"\\\\server\\apps\\Kapto", "\\server\\apps\\Kapto\\Kaptoe.hlp"},
        // "C:\" and "\Kaptoe.hlp" take 14 of the 259 characters.
        {"C:\\" + std::string(245, 'k'), "C:\\" + std::string(245, 'k') + "\\Kaptoe.hlp"},
        {"C:\\" + std::string(246, 'k'), ""},
        {"C:\\" + std::string(256, 'k'), ""},
    };
    for (const Case &c : cases) {
        kp::SetKaptoText("installPath", c.installPath);
        SettingsRecord s{};
        strcpy(HelpPath, "stale");
        ASSERT_EQ(0, OpenSettings(&s, kSettingsLoad)) << c.installPath;
        EXPECT_EQ(c.helpPath, HelpPath) << c.installPath;
    }
}

TEST_F(KaptoTest, ModesFailWithoutKeyOrInstallPath)
{
    SettingsRecord s{};
    EXPECT_EQ(1, OpenSettings(&s, kSettingsCheck));
    EXPECT_EQ(1, OpenSettings(&s, kSettingsLoad));
    EXPECT_EQ(1, OpenSettings(&s, kSettingsSave));
    HKEY key;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key))
        << "saving must not create the key";

    RegCloseKey(OpenKey());
    EXPECT_EQ(0, OpenSettings(&s, kSettingsCheck));
    EXPECT_EQ(1, OpenSettings(&s, kSettingsLoad)) << "no installPath";
    kp::SetKaptoText("installPath", "");
    EXPECT_EQ(1, OpenSettings(&s, kSettingsLoad)) << "empty installPath";
}
