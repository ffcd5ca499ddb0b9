// The switches of Windows' shutdown command and the Linux command line that carries each request out.
// Pure functions, so the whole reading can be tested without starting anything.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zv::standin {

enum class HostAction { PowerOff, Reboot, LogOff };

// One request as the command line states it.
struct ShutdownRequest {
    HostAction action = HostAction::PowerOff;
    bool remote = false;
    std::string machine;    // as given after -m, with its leading \\ or //
    unsigned timeout = 30;  // seconds, Windows' default when -t is not given
    bool help = false;      // -? alone: print the usage, act on nothing
};

struct ParsedLine {
    bool ok = false;
    ShutdownRequest request;
    std::string error;  // why the line was refused; empty when ok
};

// Windows' rules for splitting a command line's parameters (the part after the program's name):
// blanks separate, double quotes group, backslashes are literal unless they stand before a quote.
std::vector<std::string> SplitParameters(std::string_view parameters);

// The parameters of a full command line: everything after the program's own name.
std::string_view ParametersOf(std::string_view commandLine);

// Reads the switches as Windows' shutdown command does: "-x" and "/x", any case; exactly one of
// -s, -r, -l; -m with a name; -t with 0 to 315360000 seconds; -f, -d reason and -c "comment"
// accepted; -l alone, with neither -m, -t nor -d.
ParsedLine ParseSwitches(const std::vector<std::string>& args);

constexpr unsigned MaxTimeout = 315360000;  // ten years, as on Windows

// What the stand-in knows of the Linux machine it runs on.
struct HostFacts {
    bool systemd = false;   // the machine was booted with systemd
    bool samba = false;     // Samba's net is installed
    std::string sessionId;  // the login session that started the program, if known
    std::string user;       // the Linux user name
};

struct HostPlan {
    bool possible = false;
    std::vector<std::string> argv;  // the Linux command line, program name first
    std::string why;                // when not possible: what stands in the way
};

HostPlan PlanHostCommand(const ShutdownRequest& request, const HostFacts& facts);

// The machine name without the \\ or // that Windows writes before it.
std::string HostName(std::string_view machine);

// argv joined for people to read and for a command line that Wine splits again: blanks between, and
// quotes around an argument that holds a blank, a quote or nothing.
std::string JoinCommandLine(const std::vector<std::string>& argv);

// Windows' usage text, printed after the reason on a refused line and alone for -?.
std::string_view UsageText();

}  // namespace zv::standin
