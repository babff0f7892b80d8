// The notification icon, its two menus and their commands, the splash, the About box, the
// close confirmation and the capture dialog.
#include "kapto_test.h"

#include <string>
#include <vector>

using kp::Picture;
using kp::Process;

namespace {

const UINT kTrayId = 1020;
const uint32_t kFillPixel = 0xFF00FF;

uint32_t Rgb(COLORREF c)
{
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

class ShellTest : public KaptoTest {
  protected:
    Process kapto;
    HWND main = nullptr;

    void Start()
    {
        Install();
        kp::SetKaptoDword("couleursExport", 3);
        kp::SetKaptoDword("typeExport", 1);
        kp::SetKaptoDword("save", 0);
        kp::SetKaptoDword("fillColor", RGB(255, 0, 255));
        kapto = StartRunning(&main);
        ASSERT_NE(nullptr, main);
    }

    // Opens a menu of the icon at the lower right of the screen.
    HWND OpenMenu(LPARAM button)
    {
        return kp::OpenTrayMenu(main, kapto.pid, button);
    }

    // Picks entry `index` of the open menu with the keyboard.
    static void Pick(int index)
    {
        for (int i = 0; i <= index; ++i)
            kp::SendKeys("Down");
        kp::PumpFor(100);
        kp::SendKeys("Enter");
    }

    // The dialog that entry `index` of the capture menu opens.
    HWND OpenFromCaptureMenu(int index)
    {
        EXPECT_NE(nullptr, OpenMenu(WM_LBUTTONDOWN));
        Pick(index);
        HWND dialog = kp::WaitForDialog(kapto.pid, "Kapto", 5000);
        EXPECT_NE(nullptr, dialog);
        kp::PumpFor(200);
        return dialog;
    }

    HWND OpenCaptureDialog()
    {
        return OpenFromCaptureMenu(0);
    }
    HWND OpenCloseConfirmation()
    {
        return OpenFromCaptureMenu(1);
    }

    // Draws a rectangle in the overlay and returns the picture that reaches the clipboard.
    bool DrawAndRead(Picture *got)
    {
        DWORD before = kp::ClipboardSequence();
        HWND overlay = kp::WaitForWindowOfClass(kapto.pid, "KAPTO_class", 5000);
        if (!overlay)
            return false;
        kp::PumpFor(100);
        kp::MouseDrag(200, 150, 420, 330);
        return kp::WaitForClipboardPicture(before, got);
    }
};

bool Checked(HWND dialog, int id)
{
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

int CountColour(const Picture &p, uint32_t colour)
{
    int n = 0;
    for (uint32_t c : p.pixels)
        n += c == colour;
    return n;
}

} // namespace

TEST_F(ShellTest, SplashShowsAtStartThenGoes)
{
    Install();
    Process k = kp::StartKapto();
    HWND splash = kp::WaitForWindowOfClass(k.pid, "#32770", 5000);
    ASSERT_NE(nullptr, splash);
    // The splash's thread sleeps while it shows, so its text is read without a message.
    EXPECT_EQ("Kapto", kp::StoredTextOf(GetDlgItem(splash, 1292)));
    EXPECT_TRUE(kp::WaitFor([&] { return !IsWindow(splash) || !IsWindowVisible(splash); }, 5000))
        << "class " << kp::ClassOf(splash) << ", text "
        << kp::StoredTextOf(GetDlgItem(splash, 1292));
    EXPECT_NE(nullptr, kp::WaitForMainDialog(k.pid, 5000));
}

TEST_F(ShellTest, IconIsThereWhileRunningAndGoneAfterTheQuit)
{
    Start();
    EXPECT_TRUE(kp::WaitFor([&] { return kp::TrayIconExists(main, kTrayId); }, 5000));
    HWND confirm = OpenCloseConfirmation();
    ASSERT_NE(nullptr, confirm);
    kp::ClickButton(confirm, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(kp::WaitExit(kapto, 10000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(kp::TrayIconExists(main, kTrayId));
}

TEST_F(ShellTest, ButtonsOpenTheirMenusAndNothingElseDoes)
{
    Start();
    struct Case {
        const char *what;
        WPARAM id;
        LPARAM mouse;
        bool opens;
    } cases[] = {
        {"left button", kTrayId, WM_LBUTTONDOWN, true},
        {"right button", kTrayId, WM_RBUTTONDOWN, true},
        {"right button, other id", 7, WM_RBUTTONDOWN, true},
        {"left button, other id", 7, WM_LBUTTONDOWN, false},
        {"move", kTrayId, WM_MOUSEMOVE, false},
        {"left release", kTrayId, WM_LBUTTONUP, false},
        {"double click", kTrayId, WM_LBUTTONDBLCLK, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HWND menu = kp::OpenTrayMenu(main, kapto.pid, c.mouse, c.id, c.opens ? 5000 : 700);
        EXPECT_EQ(c.opens, menu != nullptr);
        if (menu) {
            kp::SendKeys("Escape");
            EXPECT_TRUE(kp::WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
        }
    }
}

TEST_F(ShellTest, MenuEntriesInOrderDoWhatTheySay)
{
    Start();
    // Capture menu: "&Capture...", "&Close Kapto".
    ASSERT_NE(nullptr, OpenMenu(WM_LBUTTONDOWN));
    Pick(0);
    HWND dialog = kp::WaitForDialog(kapto.pid, "Kapto", 5000);
    ASSERT_NE(nullptr, dialog);
    EXPECT_NE(nullptr, GetDlgItem(dialog, 1308)) << "the capture dialog has \"Dynamic\"";
    kp::ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(dialog); }, 5000));

    HWND confirm = OpenCloseConfirmation();
    ASSERT_NE(nullptr, confirm);
    EXPECT_EQ("You are closing Kapto.\nClick Cancel to return.",
              kp::TextOf(GetDlgItem(confirm, 1053)));
    kp::ClickButton(confirm, IDCANCEL);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(confirm); }, 5000));

    // Main menu: "&Setup...", "&Help", "&About...".
    ASSERT_NE(nullptr, OpenMenu(WM_RBUTTONDOWN));
    Pick(2);
    HWND about = kp::WaitForDialog(kapto.pid, "Kapto", 5000);
    ASSERT_NE(nullptr, about);
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    char line[64];
    snprintf(line, sizeof line, "Windows %lu.%lu", version.dwMajorVersion, version.dwMinorVersion);
    EXPECT_EQ(line, kp::TextOf(GetDlgItem(about, 1291)));
    kp::ClickButton(about, IDOK);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(about); }, 5000));
    EXPECT_TRUE(kp::Running(kapto));
}

TEST_F(ShellTest, HelpOpensTheHelpFileOfTheInstallFolder)
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "kapto-help";
    CreateDirectoryA(folder.c_str(), NULL);
    std::string help = folder + "\\Kaptoe.hlp";
    FILE *f = fopen(help.c_str(), "wb");
    ASSERT_NE(nullptr, f);
    fputs("?_\x03", f);
    fclose(f);
    Start();
    kp::SetKaptoText("installPath", folder); // read at the next start
    kp::EndAllStarted();
    kapto = StartRunning(&main);

    std::vector<DWORD> before = kp::ProcessesNamed("winhlp32.exe");
    ASSERT_NE(nullptr, OpenMenu(WM_RBUTTONDOWN));
    Pick(1);
    EXPECT_TRUE(kp::WaitFor(
        [&] { return kp::ProcessesNamed("winhlp32.exe").size() > before.size(); }, 20000))
        << "no help viewer was started";
    for (DWORD pid : kp::ProcessesNamed("winhlp32.exe")) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        TerminateProcess(h, 0);
        CloseHandle(h);
    }
    DeleteFileA(help.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(ShellTest, OwnerDrawnItemsUseTheMenuColoursAndLineUp)
{
    Start();
    HWND menu = OpenMenu(WM_RBUTTONDOWN);
    ASSERT_NE(nullptr, menu);
    kp::SendKeys("Down"); // selects "&Setup..."
    kp::PumpFor(300);
    Picture p = kp::GrabWindow(menu);
    kp::SendKeys("Escape");

    uint32_t highlight = Rgb(GetSysColor(COLOR_HIGHLIGHT)), menuBack = Rgb(GetSysColor(COLOR_MENU));
    uint32_t text = Rgb(GetSysColor(COLOR_MENUTEXT)),
             selectedText = Rgb(GetSysColor(COLOR_HIGHLIGHTTEXT));
    // Bands of rows holding label text: the selected one first, then "&Help", "&About...".
    int labelsFrom = 16 + 2; // right of the pictures
    struct Band {
        int top = -1, bottom = -1, firstTextX = 1 << 30;
        bool highlighted = false, picture = false;
    };
    std::vector<Band> bands;
    bool inBand = false;
    for (int y = 0; y < p.height; ++y) {
        int first = -1;
        bool hl = false;
        for (int x = labelsFrom; x < p.width - 4; ++x) {
            uint32_t c = p.at(x, y);
            hl |= c == highlight;
            if ((c == text || (c == selectedText && hl)) && first < 0)
                first = x;
        }
        if (first >= 0) {
            // The underline of a mnemonic may stand a row below its letters.
            if (!inBand && (bands.empty() || y - bands.back().bottom > 3))
                bands.push_back(Band{});
            Band &b = bands.back();
            if (b.top < 0)
                b.top = y;
            b.bottom = y;
            b.firstTextX = std::min(b.firstTextX, first);
            b.highlighted |= hl;
            for (int x = 3; x < 3 + 16; ++x) {
                uint32_t c = p.at(x, y);
                b.picture |= c != menuBack && c != highlight;
            }
        }
        inBand = first >= 0;
    }
    ASSERT_EQ(3u, bands.size()) << "three labelled entries";
    EXPECT_TRUE(bands[0].highlighted) << "the selected entry is drawn in the highlight colour";
    EXPECT_FALSE(bands[1].highlighted);
    EXPECT_FALSE(bands[2].highlighted);
    EXPECT_TRUE(bands[0].picture) << "\"&Setup...\" has its picture";
    EXPECT_FALSE(bands[1].picture) << "\"&Help\" has the empty picture";
    EXPECT_GT(CountColour(p, menuBack), 0);
    // Labels start at the same place whether or not their entry shows a picture (the
    // letters' own side bearings differ by a pixel or so).
    EXPECT_NEAR(bands[0].firstTextX, bands[1].firstTextX, 2);
    EXPECT_NEAR(bands[0].firstTextX, bands[2].firstTextX, 2);
}

TEST_F(ShellTest, CloseThenCancelSavesTheSettingsAndRunsOn)
{
    Start();
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS,
              RegOpenKeyExA(HKEY_CURRENT_USER, kp::kKaptoKey, 0, KEY_ALL_ACCESS, &key));
    RegDeleteValueA(key, "Fixed Width");
    RegCloseKey(key);
    kp::SetKaptoDword("zoomFactor", 9);
    HWND confirm = OpenCloseConfirmation();
    ASSERT_NE(nullptr, confirm);
    kp::RegValues values = kp::ReadKaptoValues();
    EXPECT_EQ(kp::Dword(0), values["Fixed Width"]) << "written as the dialog opens";
    EXPECT_EQ(kp::Dword(3), values["zoomFactor"]) << "the program's own value";
    kp::SendKeys("Enter"); // the focus is on "&Cancel"
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(confirm); }, 5000));
    kp::PumpFor(300);
    EXPECT_TRUE(kp::Running(kapto));
    EXPECT_FALSE(kp::CanRegisterHotkey(MOD_CONTROL | MOD_ALT, 'R'));
}

TEST_F(ShellTest, CloseThenOkReleasesEverything)
{
    for (DWORD free : {0u, 1u}) {
        SCOPED_TRACE(free ? "freeclipboard" : "clipboard kept");
        kp::DeleteKaptoKey();
        kp::SetKaptoDword("freeclipboard", free);
        Start();
        kp::SetKaptoDword("freeclipboard", free);
        kp::SetClipboardText("last capture");
        HWND confirm = OpenCloseConfirmation();
        ASSERT_NE(nullptr, confirm);
        kp::ClickButton(confirm, IDOK);
        DWORD code = 99;
        ASSERT_TRUE(kp::WaitExit(kapto, 10000, &code));
        EXPECT_EQ(0u, code);
        EXPECT_TRUE(kp::CanRegisterHotkey(MOD_CONTROL | MOD_ALT, 'R'));
        EXPECT_TRUE(kp::CanRegisterHotkey(0, VK_SNAPSHOT));
        EXPECT_EQ(free ? "" : "last capture", kp::ClipboardText());
        EXPECT_FALSE(kp::TrayIconExists(main, kTrayId));
        kp::EndAllStarted();
    }
}

TEST_F(ShellTest, CaptureDialogChoosesTheShape)
{
    kp::ShowPattern(0);
    Start();
    struct Case {
        const char *what;
        std::vector<int> clicks;
        bool masked;
    } cases[] = {
        {"OK at once: the dynamic rectangle", {}, false},
        {"Ellipse with Rectangle still checked", {1198}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        HWND dialog = OpenCaptureDialog();
        ASSERT_NE(nullptr, dialog);
        for (int id : c.clicks)
            kp::ClickButton(dialog, id);
        kp::PumpFor(200);
        EXPECT_TRUE(Checked(dialog, 1197)) << "Rectangle stays checked";
        kp::ClickButton(dialog, IDOK);
        Picture got;
        ASSERT_TRUE(DrawAndRead(&got));
        EXPECT_EQ(220, got.width);
        EXPECT_EQ(180, got.height);
        EXPECT_EQ(c.masked, CountColour(got, kFillPixel) > 0);
        kp::ShowPattern(0);
    }
}

TEST_F(ShellTest, ZoomOnceClickedWins)
{
    Start();
    HWND dialog = OpenCaptureDialog();
    ASSERT_NE(nullptr, dialog);
    kp::ClickButton(dialog, 1200); // Zoom
    kp::PumpFor(100);
    kp::ClickButton(dialog, 1198); // then Ellipse
    kp::PumpFor(200);
    EXPECT_TRUE(Checked(dialog, 1200)) << "Zoom is in a group of its own";
    kp::ClickButton(dialog, IDOK);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(dialog); }, 5000));
    // The magnifier starts, not the region overlay.
    EXPECT_EQ(nullptr, kp::WaitForWindowOfClass(kapto.pid, "KAPTO_class", 1500));
    EXPECT_TRUE(kp::Running(kapto));
}

TEST_F(ShellTest, FixedSizeIsKeptForTheNextOpening)
{
    Start();
    HWND dialog = OpenCaptureDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("32", kp::TextOf(GetDlgItem(dialog, 1133)));
    kp::ClickButton(dialog, 1309); // Fixed, with size
    kp::PumpFor(200);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1133)));
    SendMessageA(GetDlgItem(dialog, 1133), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("640"));
    SendMessageA(GetDlgItem(dialog, 1137), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("480"));
    kp::ClickButton(dialog, 115); // Keep size
    kp::PumpFor(200);
    kp::ClickButton(dialog, IDOK);
    ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(dialog); }, 5000));
    kp::PumpFor(500);

    dialog = OpenCaptureDialog();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("640", kp::TextOf(GetDlgItem(dialog, 1133)));
    EXPECT_EQ("480", kp::TextOf(GetDlgItem(dialog, 1137)));
    EXPECT_TRUE(Checked(dialog, 115));
    EXPECT_TRUE(Checked(dialog, 1308)) << "it always opens on the dynamic rectangle";
    kp::ClickButton(dialog, IDCANCEL);
}

TEST_F(ShellTest, SizeThatIsNotANumberIsRefused)
{
    struct Case {
        const char *width, *height, *message;
        int focus;
    } cases[] = {
        {"64a", "48",
         "The width of the region is not correct.\nCette valeur doit être numérique et positive.",
         1133},
        {"64", "",
         "The length of the region is not correct.\nCette valeur doit être numérique et positive.",
         1137},
    };
    Start();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.width);
        HWND dialog = OpenCaptureDialog();
        ASSERT_NE(nullptr, dialog);
        kp::ClickButton(dialog, 1309);
        kp::PumpFor(200);
        SendMessageA(GetDlgItem(dialog, 1133), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.width));
        SendMessageA(GetDlgItem(dialog, 1137), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.height));
        kp::ClickButton(dialog, IDOK);
        HWND box = nullptr;
        ASSERT_TRUE(kp::WaitFor(
            [&] {
                for (HWND w : kp::TopWindowsOf(kapto.pid))
                    if (w != dialog && kp::ClassOf(w) == "#32770" && IsWindowVisible(w) &&
                        kp::TextOf(w) == "Kapto")
                        box = w;
                return box != nullptr;
            },
            5000));
        EXPECT_EQ(c.message, kp::MessageBoxText(box));
        kp::ClickButton(box, IDOK);
        ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(box); }, 5000));
        kp::PumpFor(200);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";
        kp::ClickButton(dialog, IDCANCEL);
        ASSERT_TRUE(kp::WaitFor([&] { return !IsWindow(dialog); }, 5000));
    }
}
