#include "splash.h"

// The splash window arrives with the tray and About-box work; start-up already calls it
// where it belongs.
void ShowSplash() {}
