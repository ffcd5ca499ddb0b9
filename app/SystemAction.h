// Turns an action (shut down, reboot, log off; here or on a named network machine) into one request
// to the system, through the session port. Nothing is awaited or examined afterwards.
#pragma once

#include <string>

namespace zv {

enum class TActionKind { Shutdown, Reboot, Logoff };

struct TActionTarget {
    bool network = false;
    std::string machineName; // as the user typed it; read for a network target only

    static TActionTarget Local();
    static TActionTarget Network(std::string machineName);
};

// platform is the collector's OSPlatform text; only exactly "NT" counts as the NT family.
// Local target: "NT" starts shutdown.exe, anything else calls ExitWindowsEx. Network target: always
// shutdown.exe with -m and the name as typed; a name holding blanks, double quotes or control
// characters makes no request, since it could carry extra switches into the command line.
void RunSystemAction(TActionKind kind, const TActionTarget& target, const std::string& platform);

} // namespace zv
