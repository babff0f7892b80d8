// Path clean-up shared by every place that composes a path from installPath or save_path.
#pragma once

#include <stddef.h>

// Turns every run of backslashes into one backslash, in place. Never lengthens the text.
void CollapseBackslashes(char *path);

// Writes folder + "\" + name into out (size bytes) and collapses the backslashes. Returns
// false, leaving out empty, when the result would not fit: a path that is cut short names
// another file, so it is refused rather than shortened.
bool ComposePath(char *out, size_t size, const char *folder, const char *name);
