// Turns an action (shut down, reboot, log off; here or on a named network machine) into one request
// to the system, through the session port, and tells the user when the system would not carry it out.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace zv {

enum class TActionKind { Shutdown, Reboot, Logoff };

struct TActionTarget {
    bool network = false;
    std::string machineName; // as the user typed it; read for a network target only

    static TActionTarget Local();
    static TActionTarget Network(std::string machineName);
};

// The machine name as the shutdown command takes it, \\name, whether it was typed as //name, \\name
// or name. Empty when it cannot be sent: nothing after the slashes, or a blank, a double quote or a
// control character in it, which unquoted in the command line could add switches of its own.
std::string MachineArgument(const std::string& typed);

// Why the system would refuse this action, in the words shown to the user; empty when it can be asked.
// Checked when a moment is armed, so that nothing is armed that cannot happen, and again when it comes.
std::string ActionRefusal(TActionKind kind, const TActionTarget& target);

// platform is the collector's OSPlatform text; only exactly "NT" counts as the NT family.
// Local target: "NT" starts shutdown.exe, anything else calls ExitWindowsEx. Network target: a shut-down
// or restart is shutdown.exe with -m \\name; a log-off goes to the machine's session service on a
// thread of its own (RemoteLogoff.h). A request the system would refuse is not made, and the user is
// told. Both run on their own; when one ends with an error, the user is shown the system's text for
// it, or what went wrong in the program's words (see WatchStartedCommands). Success is silent.
void RunSystemAction(TActionKind kind, const TActionTarget& target, const std::string& platform);

// What the user is told when the request failed with `error`: the action and its target, the
// system's own text for the error in the user's language, and its number.
std::string FailureText(TActionKind kind, const TActionTarget& target, DWORD error);

// Shows a warning through the session port, one at a time: a warning that comes while another is on
// the screen waits for it, and one already waiting is not queued twice.
void WarnUser(const std::string& text);

// One look at the shutdown commands and network log-offs started and not yet ended, without waiting: those that ended are
// let go, and each that ended with an error is shown. The message loop runs this four times a second
// while a command is out, so the windows and their timers go on meanwhile.
void WatchStartedCommands();

// The commands and network log-offs started and not yet seen to end.
std::size_t StartedCommandsOut();

} // namespace zv
