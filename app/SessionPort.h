// The one door through which the program asks the system to end a session: starting the shutdown
// command, the session-ending call, and telling the user when the system would not do what was asked.
// The program installs nothing and gets the real calls; tests install a recording port so no test can
// end the session of the machine it runs on, and none waits for a message box to be answered.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace zv {

// A command started through the port and not yet seen to end. Letting it go closes what the port
// holds of it; the command itself runs on.
struct IStartedCommand {
    virtual ~IStartedCommand() = default;
    // True once the command has ended, with its exit code; never waits.
    virtual bool Ended(DWORD& exitCode) = 0;
};

struct ISessionPort {
    virtual ~ISessionPort() = default;
    // Starts the program at `path` with `parameters` and no window: a console program gets no
    // console flashing up. Null when it could not be started, with the system's error in `error`.
    virtual std::unique_ptr<IStartedCommand> StartCommand(const std::string& path, const std::string& parameters,
                                                          DWORD& error) = 0;
    // 0, or the system's error when the call failed.
    virtual DWORD ExitWindowsEx(UINT flags, DWORD reserved) = 0;
    // Puts a warning in front of the user; returns once it has been read.
    virtual void ShowWarning(const std::string& text) = 0;
};

// The caption of the program's warnings.
constexpr const char* kWarningCaption = "Atentie";

// The port in use: the real one unless another was installed.
ISessionPort& SessionPort();

// Installs a port for the requests that follow; nullptr puts the real one back. The caller keeps
// the port alive while it is installed.
void SetSessionPort(ISessionPort* port);

} // namespace zv
