#include <gtest/gtest.h>

#include "capture/size_text.h"

TEST(ParseSizeText, Table)
{
    struct Case {
        const char *text;
        bool ok;
        unsigned value;
    } cases[] = {
        {"640", true, 640},       {"0", true, 0},
        {"  32", true, 32},       {"4294967295", true, 4294967295u},
        {"4294967296", false, 0}, {"64a", false, 0},
        {"", false, 0},           {"-5", false, 0},
        {"+5", false, 0},         {"12 ", false, 0},
        {"a64", false, 0},        {"99999999999999999999", false, 0},
    };
    for (const Case &c : cases) {
        unsigned v = 12345;
        EXPECT_EQ(c.ok, ParseSizeText(c.text, &v)) << '"' << c.text << '"';
        if (c.ok)
            EXPECT_EQ(c.value, v) << c.text;
        else
            EXPECT_EQ(12345u, v) << c.text;
    }
}
