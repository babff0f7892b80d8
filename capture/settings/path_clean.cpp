#include "path_clean.h"

#include <string.h>

void CollapseBackslashes(char *path)
{
    char *out = path;
    for (const char *in = path; *in; ++in) {
        if (in[0] == '\\' && in[1] == '\\')
            continue;
        *out++ = *in;
    }
    *out = '\0';
}

bool ComposePath(char *out, size_t size, const char *folder, const char *name)
{
    if (size == 0)
        return false;
    out[0] = '\0';
    size_t folderLen = strlen(folder);
    size_t joined = folderLen + 1 + strlen(name);
    auto at = [&](size_t i) {
        return i < folderLen ? folder[i] : (i == folderLen ? '\\' : name[i - folderLen - 1]);
    };

    // Collapse while joining, so the joined text never needs room of its own; first
    // measure, so that nothing is written when the result cannot fit.
    for (int pass = 0; pass < 2; ++pass) {
        size_t n = 0;
        for (size_t i = 0; i < joined; ++i) {
            if (at(i) == '\\' && i + 1 < joined && at(i + 1) == '\\')
                continue;
            if (pass == 1)
                out[n] = at(i);
            ++n;
        }
        if (pass == 0 && n >= size)
            return false;
        if (pass == 1)
            out[n] = '\0';
    }
    return true;
}
