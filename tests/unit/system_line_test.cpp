#include <gtest/gtest.h>

#include "app/system_line.h"

TEST(SystemLine, LongFormForVersionFourZeroOnly)
{
    struct Case {
        unsigned major, minor, build;
        const char *servicePack, *line;
    } cases[] = {
        {4, 0, 1381, "Service Pack 6", "Windows 4.0 Build 1381 Service Pack 6"}, // NT 4
        // Windows 95 keeps the version in the upper half of the build field.
        {4, 0, 0x040003B6, "", "Windows 4.0 Build 67109814 "},
        {4, 10, 1998, "", "Windows 4.10"},             // 98
        {5, 0, 2195, "Service Pack 4", "Windows 5.0"}, // 2000
        {5, 1, 2600, "Service Pack 3", "Windows 5.1"}, // XP
        {6, 1, 7601, "Service Pack 1", "Windows 6.1"},
    };
    for (const Case &c : cases) {
        char line[256];
        FormatSystemLine(c.major, c.minor, c.build, c.servicePack, line, sizeof line);
        EXPECT_STREQ(c.line, line);
    }
}
