// The fixed-area size as the user types it. Pure logic, no windows.h.
#pragma once

// Reads an unsigned decimal number: leading blanks, then digits only, within 32 bits.
// Anything else (nothing, a sign, a letter after the digits, a larger number) is refused.
bool ParseSizeText(const char *text, unsigned *value);
