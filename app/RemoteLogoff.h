// Logging off the user at the console of a network machine, through its session service. Windows'
// shutdown command cannot log off another machine ("/l" goes with neither "/m" nor "/t"); the session
// service can, for a caller with the right to reset that machine's sessions.
#pragma once

#include "app/SessionPort.h"

#include <memory>
#include <string>

namespace zv {

// The outcome when no one is signed in at the machine's console. Bit 29 marks an error code as the
// application's own: no code of the system has it (System Error Codes, learn.microsoft.com).
constexpr DWORD kNoOneAtTheConsole = 0x20000000u | 0x0C01u;

// Of the sessions a machine lists, the one of the user signed in at its own screen and keyboard;
// -1 when there is none.
int ConsoleSessionIndex(const WTS_SESSION_INFOA* sessions, DWORD count);

// Logs off the console user of `machine` (its name without the backslashes) through `port`, waiting
// for every answer: 0 once the log-off has begun, the system's error, or kNoOneAtTheConsole.
DWORD LogOffConsoleUser(ISessionPort& port, const char* machine);

// The same on a thread of its own, so that a machine that does not answer holds up no window: the
// command ends with the outcome as its exit code. Null when the thread cannot start, with the error.
std::unique_ptr<IStartedCommand> StartRemoteLogoff(ISessionPort& port, const std::string& machine, DWORD& error);

} // namespace zv
