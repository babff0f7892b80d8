#include <gtest/gtest.h>

#include <string>

#include "settings/path_clean.h"

TEST(CollapseBackslashes, Table)
{
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"C:\\Program Files\\Kapto", "C:\\Program Files\\Kapto"},
        {"C:\\a\\\\\\b", "C:\\a\\b"},
        {"\\\\server\\share", "\\server\\share"}, // a network path loses one too
        {"C:\\dir\\\\", "C:\\dir\\"},
        {"\\\\\\", "\\"},
        {"", ""},
        {"no backslash", "no backslash"},
    };
    for (const Case &c : cases) {
        char buffer[260];
        snprintf(buffer, sizeof buffer, "%s", c.in);
        CollapseBackslashes(buffer);
        EXPECT_STREQ(c.out, buffer) << "input: " << c.in;
    }
}

TEST(ComposePath, JoinsAndCollapses)
{
    struct Case {
        std::string folder, name, out;
    } cases[] = {
        {"C:\\Kapto", "Kaptoe.hlp", "C:\\Kapto\\Kaptoe.hlp"},
        {"C:\\Kapto\\", "Kaptoe.hlp", "C:\\Kapto\\Kaptoe.hlp"},
        {"C:\\", "0024.bmp", "C:\\0024.bmp"},
        {"", "Kaptoe.hlp", "\\Kaptoe.hlp"},
    };
    for (const Case &c : cases) {
        char out[260];
        ASSERT_TRUE(ComposePath(out, sizeof out, c.folder.c_str(), c.name.c_str())) << c.folder;
        EXPECT_EQ(c.out, out);
    }
}

TEST(ComposePath, RefusesWhatDoesNotFit)
{
    // 259 characters fit a 260-byte buffer; 260 do not, and are never cut into a path that
    // names another file.
    std::string name = "f.hlp";
    std::string fits(259 - 1 - name.size(), 'a');
    std::string longer = fits + "b";
    char out[260];
    ASSERT_TRUE(ComposePath(out, sizeof out, fits.c_str(), name.c_str()));
    EXPECT_EQ(259u, strlen(out));
    memset(out, 'x', sizeof out);
    EXPECT_FALSE(ComposePath(out, sizeof out, longer.c_str(), name.c_str()));
    EXPECT_STREQ("", out);

    // Backslashes that collapse do not count against the room.
    std::string slashes = fits + "\\\\\\";
    ASSERT_TRUE(ComposePath(out, sizeof out, slashes.c_str(), name.c_str()));
    EXPECT_EQ(fits + "\\" + name, out);
}
