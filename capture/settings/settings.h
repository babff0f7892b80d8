// The capture program's options record. Each field carries the name of its registry value;
// includeCursor is the one field that is not stored. Kept free of windows.h so the pure
// helpers that use it build natively.
#pragma once

#include <stdint.h>

enum {
    kPathSize = 260,  // a folder or file path, terminating zero included
    kHotkeySize = 15, // a HotkeyString, terminating zero included
};

typedef char HotkeyString[kHotkeySize];

struct SettingsRecord {
    char installPath[kPathSize];
    HotkeyString Rectangle;
    HotkeyString Rectangle_Coupe; // "Rectangle Coupe"
    HotkeyString Ellipse;
    HotkeyString Polygone;
    HotkeyString Mimine;
    HotkeyString ZoneFixe;
    HotkeyString FullScreen;
    HotkeyString ActiveWindow;
    HotkeyString ActiveObject;
    HotkeyString zoom;
    char save_path[kPathSize];
    uint32_t indice_save;
    uint32_t type_save;
    uint32_t type_name;
    uint32_t typeExport;
    uint32_t couleursExport;
    uint32_t Fixed_Width;  // "Fixed Width"
    uint32_t Fixed_Height; // "Fixed Height"
    uint32_t zoomWidth;
    uint32_t zoomFactor;
    uint32_t zoomRefreshRate;
    uint32_t largeur;
    uint32_t hauteur;
    uint32_t jpeg_compression;
    uint32_t bmp_nbbits;
    uint32_t save_as_gray;
    uint32_t save;
    uint32_t keep_size;
    uint32_t avecMire;
    uint32_t avecGrille;
    uint32_t snapwithcaption;
    uint32_t includeCursor;
    uint32_t destroyAfterExport;
    uint32_t bip;
    uint32_t snapinvertcolor;
    uint32_t freeclipboard;
    uint32_t launchstart;
    uint32_t AutomaticPaste;
    uint32_t prompt;
    uint32_t magnify;
    uint32_t taux_magnify;
    uint32_t fillColor; // COLORREF, 0x00BBGGRR
};

extern SettingsRecord Settings;

// Path of the help file, built when the settings are loaded; empty when it would not fit.
extern char HelpPath[kPathSize];
