#include "harness.h"

#include <stdio.h>
#include <stdlib.h>

namespace kp {

namespace {

std::vector<Process> &Started()
{
    static std::vector<Process> started;
    return started;
}

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

// A test program that crashes must still end the processes it started.
LONG WINAPI OnCrash(EXCEPTION_POINTERS *)
{
    EndAllStarted();
    return EXCEPTION_CONTINUE_SEARCH;
}

struct CrashGuard {
    CrashGuard()
    {
        SetUnhandledExceptionFilter(OnCrash);
        atexit(EndAllStarted);
    }
} crashGuard;

} // namespace

std::string TestDir()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

std::string BinDir()
{
    const char *env = getenv("KAPTO_BIN_DIR");
    if (env && *env)
        return WindowsPath(env);
    return TestDir() + "\\..\\bin";
}

Process Start(const std::string &exe, const std::string &args)
{
    std::string command = "\"" + exe + "\"";
    if (!args.empty())
        command += " " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    Process p;
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "cannot start %s (error %lu)\n", command.c_str(), GetLastError());
        return p;
    }
    CloseHandle(pi.hThread);
    p.pid = pi.dwProcessId;
    p.handle = pi.hProcess;
    Started().push_back(p);
    return p;
}

Process StartKapto()
{
    return Start(BinDir() + "\\Kapto.exe");
}

Process StartDriver(const std::string &args)
{
    return Start(TestDir() + "\\kpdriver.exe", args);
}

bool WaitExit(const Process &p, DWORD ms, DWORD *exitCode)
{
    if (!p.handle)
        return false;
    if (!WaitFor([&] { return WaitForSingleObject(p.handle, 0) == WAIT_OBJECT_0; }, ms))
        return false;
    if (exitCode)
        GetExitCodeProcess(p.handle, exitCode);
    return true;
}

bool Running(const Process &p)
{
    return p.handle && WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT;
}

void EndAllStarted()
{
    for (const Process &p : Started()) {
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.pid);
        if (h && WaitForSingleObject(p.handle, 0) == WAIT_TIMEOUT) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
        }
        if (h)
            CloseHandle(h);
        CloseHandle(p.handle);
    }
    Started().clear();
}

bool WaitFor(const std::function<bool()> &cond, DWORD ms)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount() - start >= ms)
            return false;
        PumpFor(10);
    }
}

void PumpFor(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

} // namespace kp
