#include "harness.h"

#include <ctype.h>
#include <string.h>

namespace kp {

namespace {

struct KeyName {
    const char *name;
    WORD vk;
};

const KeyName kKeyNames[] = {
    {"ctrl", VK_CONTROL}, {"control", VK_CONTROL}, {"alt", VK_MENU},       {"shift", VK_SHIFT},
    {"win", VK_LWIN},     {"prtscr", VK_SNAPSHOT}, {"print", VK_SNAPSHOT}, {"escape", VK_ESCAPE},
    {"esc", VK_ESCAPE},   {"enter", VK_RETURN},    {"return", VK_RETURN},  {"tab", VK_TAB},
    {"space", VK_SPACE},  {"left", VK_LEFT},       {"right", VK_RIGHT},    {"up", VK_UP},
    {"down", VK_DOWN},
};

bool KeyOf(std::string name, WORD *vk)
{
    std::string lower;
    for (char c : name)
        if (c != ' ')
            lower += static_cast<char>(tolower(static_cast<unsigned char>(c)));
    for (const KeyName &k : kKeyNames)
        if (lower == k.name) {
            *vk = k.vk;
            return true;
        }
    if (lower.size() == 1 && isalnum(static_cast<unsigned char>(lower[0]))) {
        *vk = static_cast<WORD>(toupper(static_cast<unsigned char>(lower[0])));
        return true;
    }
    if (lower.size() >= 2 && lower[0] == 'f') {
        int n = atoi(lower.c_str() + 1);
        if (n >= 1 && n <= 24) {
            *vk = static_cast<WORD>(VK_F1 + n - 1);
            return true;
        }
    }
    return false;
}

INPUT KeyInput(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT MouseInput(int x, int y, DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Absolute coordinates run from 0 to 65535 over the primary screen.
    in.mi.dx = MulDiv(x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    return in;
}

} // namespace

bool ParseKeys(const std::string &combo, std::vector<WORD> *keys)
{
    keys->clear();
    size_t start = 0;
    while (start <= combo.size()) {
        size_t plus = combo.find('+', start);
        std::string part =
            combo.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        WORD vk;
        if (!KeyOf(part, &vk))
            return false;
        keys->push_back(vk);
        if (plus == std::string::npos)
            break;
        start = plus + 1;
    }
    return !keys->empty();
}

bool SendKeys(const std::string &combo)
{
    std::vector<WORD> keys;
    if (!ParseKeys(combo, &keys))
        return false;
    std::vector<INPUT> inputs;
    for (WORD vk : keys)
        inputs.push_back(KeyInput(vk, false));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, true));
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) ==
           inputs.size();
}

void MouseMove(int x, int y)
{
    INPUT in = MouseInput(x, y, 0);
    SendInput(1, &in, sizeof in);
}

void MouseClick(int x, int y)
{
    INPUT in[3] = {MouseInput(x, y, 0), MouseInput(x, y, MOUSEEVENTF_LEFTDOWN),
                   MouseInput(x, y, MOUSEEVENTF_LEFTUP)};
    SendInput(3, in, sizeof(INPUT));
}

void MouseDown(int x, int y)
{
    INPUT in[2] = {MouseInput(x, y, 0), MouseInput(x, y, MOUSEEVENTF_LEFTDOWN)};
    SendInput(2, in, sizeof(INPUT));
}

void MouseUp(int x, int y)
{
    INPUT in[2] = {MouseInput(x, y, 0), MouseInput(x, y, MOUSEEVENTF_LEFTUP)};
    SendInput(2, in, sizeof(INPUT));
}

void MouseDrag(int x0, int y0, int x1, int y1, int steps)
{
    MouseDown(x0, y0);
    PumpFor(30);
    for (int i = 1; i <= steps; ++i) {
        MouseMove(x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        // Moves are merged while they wait in the queue: give each time to be seen.
        PumpFor(15);
    }
    MouseUp(x1, y1);
}

void KeyDown(WORD vk)
{
    INPUT in = KeyInput(vk, false);
    SendInput(1, &in, sizeof in);
}

void KeyUp(WORD vk)
{
    INPUT in = KeyInput(vk, true);
    SendInput(1, &in, sizeof in);
}

bool CanRegisterHotkey(UINT modifiers, UINT vk)
{
    const int kProbeId = 0xBEEF;
    if (!RegisterHotKey(NULL, kProbeId, modifiers, vk))
        return false;
    UnregisterHotKey(NULL, kProbeId);
    return true;
}

} // namespace kp
