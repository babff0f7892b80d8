// Takes a screenshot of each window of the application shell, for a person to look at:
//   screens.exe FOLDER
// writes splash.bmp, capture-menu.bmp, main-menu.bmp, about.bmp, close.bmp, capture.bmp.
#include "harness.h"

#include <stdio.h>

namespace {

std::string folder;

void Save(const char *name, HWND window)
{
    std::string path = folder + "\\" + name;
    if (!window || !kp::SavePicture(path, kp::GrabWindow(window)))
        fprintf(stderr, "no picture of %s\n", name);
    else
        printf("%s\n", path.c_str());
}

// Opens a menu of the icon and picks its entry `index` (0 = the first) with the keyboard,
// or only shows it with the first entry selected when `pick` is false.
HWND OpenMenu(HWND main, DWORD pid, LPARAM button, int index, bool pick)
{
    HWND menu = kp::OpenTrayMenu(main, pid, button);
    for (int i = 0; i <= index; ++i)
        kp::SendKeys("Down");
    kp::PumpFor(300);
    if (pick)
        kp::SendKeys("Enter");
    return menu;
}

} // namespace

int main(int argc, char **argv)
{
    folder = argc > 1 ? argv[1] : ".";
    kp::DeleteKaptoKey();
    kp::WriteInstallerDefaults(kp::BinDir());
    kp::Process k = kp::StartKapto();
    HWND splash = kp::WaitForWindowOfClass(k.pid, "#32770", 5000);
    kp::PumpFor(400);
    Save("splash.bmp", splash);
    HWND main = kp::WaitForMainDialog(k.pid, 10000);
    kp::PumpFor(1500);

    Save("capture-menu.bmp", OpenMenu(main, k.pid, WM_LBUTTONDOWN, 0, false));
    kp::SendKeys("Escape");
    kp::PumpFor(300);
    Save("main-menu.bmp", OpenMenu(main, k.pid, WM_RBUTTONDOWN, 2, false));
    kp::SendKeys("Escape");
    kp::PumpFor(300);

    struct Dialog {
        const char *file;
        LPARAM button;
        int entry, closeWith;
    } dialogs[] = {{"about.bmp", WM_RBUTTONDOWN, 2, IDOK},
                   {"close.bmp", WM_LBUTTONDOWN, 1, IDCANCEL},
                   {"capture.bmp", WM_LBUTTONDOWN, 0, IDCANCEL}};
    for (const Dialog &d : dialogs) {
        OpenMenu(main, k.pid, d.button, d.entry, true);
        HWND dialog = kp::WaitForDialog(k.pid, "Kapto", 5000);
        kp::PumpFor(300);
        Save(d.file, dialog);
        kp::ClickButton(dialog, d.closeWith);
        kp::PumpFor(300);
    }

    kp::EndAllStarted();
    kp::DeleteKaptoKey();
    return 0;
}
