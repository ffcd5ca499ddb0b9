// The one door to the shell's "open this" call. The program gets the real ShellExecuteA; tests install
// a recording port, so no test starts an applet or a mail program on the machine running it.
#pragma once

#include <windows.h>
#include <shellapi.h>

// shellapi.h maps ShellExecute to its A/W variant; the port's method keeps the plain name in every
// file, whichever header that file happens to include first.
#undef ShellExecute

namespace zv {

struct IShellPort {
    virtual ~IShellPort() = default;
    // Arguments go through unchanged, null pointers included; the result is not examined.
    virtual void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                              const char* directory, int showCommand) = 0;
};

// The port in use: the real one unless another was installed.
IShellPort& ShellPort();

// Installs a port for the launches that follow; nullptr puts the real one back. The caller keeps the
// port alive while it is installed.
void SetShellPort(IShellPort* port);

} // namespace zv
