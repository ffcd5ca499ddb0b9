// The one door through which the program asks the system to end a session: starting the shutdown
// command, the session-ending call, the session service of a network machine, and telling the user
// when the system would not do what was asked.
// The program installs nothing and gets the real calls; tests install a recording port so no test can
// end the session of the machine it runs on, and none waits for a message box to be answered.
#pragma once

#include <windows.h>
#include <wtsapi32.h>

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

// The session service (Remote Desktop Services) of another machine, open until let go, which closes
// it (WTSCloseServer). Every call goes over the network and may take seconds on a machine that does not
// answer, so the program makes them off the user-interface thread.
struct IRemoteSessions {
    virtual ~IRemoteSessions() = default;
    // The machine's sessions (WTSEnumerateSessionsA): 0 with the list, which goes back through
    // FreeMemory; or the system's error.
    virtual DWORD EnumerateSessions(WTS_SESSION_INFOA*& sessions, DWORD& count) = 0;
    virtual void FreeMemory(void* memory) = 0;
    // WTSLogoffSession, returning once the log-off has begun: 0, or the system's error.
    virtual DWORD LogoffSession(DWORD sessionId) = 0;
};

struct ISessionPort {
    virtual ~ISessionPort() = default;
    // Starts the program at `path` with `parameters` and no window: a console program gets no
    // console flashing up. Null when it could not be started, with the system's error in `error`.
    virtual std::unique_ptr<IStartedCommand> StartCommand(const std::string& path, const std::string& parameters,
                                                          DWORD& error) = 0;
    // Opens the session service of `machine`, its NetBIOS name without the backslashes (WTSOpenServerA).
    // Null when it cannot, with the system's error in `error`. Safe on any thread.
    virtual std::unique_ptr<IRemoteSessions> OpenRemoteSessions(const char* machine, DWORD& error) = 0;
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
