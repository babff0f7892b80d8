#include "size_text.h"

bool ParseSizeText(const char *text, unsigned *value)
{
    while (*text == ' ')
        ++text;
    if (*text < '0' || *text > '9')
        return false;
    unsigned long long n = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        n = n * 10 + unsigned(*text - '0');
        if (n > 0xFFFFFFFFull)
            return false;
    }
    if (*text != '\0')
        return false;
    *value = static_cast<unsigned>(n);
    return true;
}
