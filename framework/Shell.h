// The one door to the shell's "open this" call. The program gets the real ShellExecuteA; tests install
// a recording port, so no test starts an applet or a mail program on the machine running it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

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

// The full path of a file of the system directory ("timedate.cpl" -> "C:\Windows\system32\timedate.cpl").
// Given a bare name, the shell looks in the current directory first, which for a program started from
// Explorer is the program's own folder: a control-panel applet is a DLL, and one planted there would
// be loaded. Empty when the name is not a bare file name.
std::string SystemDirectoryFile(const char* name);

// COM on the calling thread, single-threaded and without OLE1 DDE, as Microsoft asks before
// ShellExecute (a launch may go through a shell extension). Meant for the user-interface thread and
// done once; ole32 is loaded from the system directory on the first call, so a program that never
// launches anything pays nothing. True when COM is ready.
bool PrepareThreadForShell();

} // namespace zv
