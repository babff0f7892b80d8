// The About box's line naming the running system. Pure logic, no windows.h.
#pragma once

#include <stddef.h>

// Version 4.0 (Windows 95, NT 4) gets the long form with the build number and the service
// pack text; every other version "Windows major.minor".
void FormatSystemLine(unsigned major, unsigned minor, unsigned build, const char *servicePack,
                      char *out, size_t size);
