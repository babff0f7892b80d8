// Resource and control identifiers of Kapto. The numbers are fixed: other programs, help
// contexts and stored settings rely on them.
#pragma once

// Icons
#define IDI_KAPTO 1

// Cursors of the region shapes
#define IDCUR_ELLIPSE 1248
#define IDCUR_ROUNDRECT 1249
#define IDCUR_POLYGON 1250
#define IDCUR_HANDMADE 1251

// Main dialog (hidden; receives the hotkeys)
#define IDD_MAIN 156
#define IDC_MAIN_HIDE 3 // default button; its command hides the dialog again

// Screen-capture dialog (never shown; captures while it initialises)
#define IDD_SCREEN_CAPTURE 126
