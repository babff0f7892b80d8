#include "system_line.h"

#include <stdio.h>

void FormatSystemLine(unsigned major, unsigned minor, unsigned build, const char *servicePack,
                      char *out, size_t size)
{
    if (major == 4 && minor == 0)
        snprintf(out, size, "Windows %u.%u Build %u %s", 4u, 0u, build, servicePack);
    else
        snprintf(out, size, "Windows %u.%u", major, minor);
}
