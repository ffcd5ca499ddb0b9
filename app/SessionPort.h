// The one door through which the program asks the system to end a session: starting the shutdown
// command and the session-ending call. The program installs nothing and gets the real calls; tests
// install a recording port so no test can end the session of the machine it runs on.
#pragma once

#include <windows.h>
#include <shellapi.h>

// shellapi.h maps ShellExecute to its A/W variant; the port's method keeps the plain name in every
// file, whichever of the two headers that file happens to include first.
#undef ShellExecute

namespace zv {

struct ISessionPort {
    virtual ~ISessionPort() = default;
    virtual void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                              const char* directory, int showCommand) = 0;
    virtual void ExitWindowsEx(UINT flags, DWORD reserved) = 0;
};

// The port in use: the real one unless another was installed.
ISessionPort& SessionPort();

// Installs a port for the requests that follow; nullptr puts the real one back. The caller keeps
// the port alive while it is installed.
void SetSessionPort(ISessionPort* port);

} // namespace zv
