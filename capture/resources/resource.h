// Resource and control identifiers of Kapto. The numbers are fixed: other programs, help
// contexts and stored settings rely on them.
#pragma once

// Icons
#define IDI_KAPTO 1
#define IDI_TRAY 1022     // 16 by 16, 16 colours: the notification icon and the splash
#define IDI_ZOOM 1026     // capture dialog, "Zoom" row
#define IDI_RECTANGLE 232 // capture dialog rows
#define IDI_ELLIPSE 233
#define IDI_HANDMADE 234
#define IDI_ROUNDRECT 235
#define IDI_POLYGON 236

// Bitmaps
#define IDB_FOLDER 2       // the folder-browser button of the Savings page
#define IDB_MENU_STRIP 276 // 19 menu pictures of 16 by 16, magenta transparent

// Strings
#define IDS_TRAY_TIP 1021

// Menus: each one pop-up holding a separator; the items are inserted at run time
#define IDR_CAPTURE_MENU 218
#define IDR_MAIN_MENU 219

// Menu commands
#define IDM_ABOUT 105
#define IDM_CLOSE 107
#define IDM_SETUP 108
#define IDM_HELP 113
#define IDM_CAPTURE 283

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

// Splash
#define IDD_SPLASH 296
#define IDC_SPLASH_TEXT 1228
#define IDC_SPLASH_NAME 1292
#define IDC_SPLASH_LINE 1327

// About box
#define IDD_ABOUT 238
#define IDC_ABOUT_TEXT 1228
#define IDC_ABOUT_SYSTEM 1291

// Close confirmation
#define IDD_CLOSE 257
#define IDC_CLOSE_TEXT 1053

// Capture dialog
#define IDD_CAPTURE 263
#define IDC_CAPTURE_RECTANGLE 1197
#define IDC_CAPTURE_DYNAMIC 1308
#define IDC_CAPTURE_FIXED 1309
#define IDC_CAPTURE_WIDTH 1133
#define IDC_CAPTURE_HEIGHT 1137
#define IDC_CAPTURE_ROUNDRECT 1199
#define IDC_CAPTURE_POLYGON 1248
#define IDC_CAPTURE_ELLIPSE 1198
#define IDC_CAPTURE_HANDMADE 1307
#define IDC_CAPTURE_ZOOM 1200
#define IDC_CAPTURE_KEEP_SIZE 115
#define IDC_CAPTURE_PASTE 1039
#define IDC_CAPTURE_HELP 1283
