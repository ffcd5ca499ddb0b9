#include "wine/shutdown/ShutdownSwitches.h"

#include <cctype>

namespace zv::standin {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool StartsWithSlashes(std::string_view s)
{
    return s.size() >= 2 && ((s[0] == '/' && s[1] == '/') || (s[0] == '\\' && s[1] == '\\'));
}

// "-s", "/S": the switch letter in lower case; 0 when the argument is not a switch. A name such as
// "//srv" is not a switch although it begins with a slash.
char SwitchLetter(std::string_view arg)
{
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/') || StartsWithSlashes(arg))
        return 0;
    if (arg.size() != 2)
        return '!';  // "-xyz", "-5": a switch Windows does not know
    return static_cast<char>(std::tolower(static_cast<unsigned char>(arg[1])));
}

bool LooksLikeSwitch(std::string_view arg)
{
    return !arg.empty() && (arg[0] == '-' || (arg[0] == '/' && !StartsWithSlashes(arg)));
}

ParsedLine Refuse(std::string why)
{
    ParsedLine line;
    line.error = std::move(why);
    return line;
}

}  // namespace

std::string_view ParametersOf(std::string_view line)
{
    size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        i = line.find('"', 1);
        i = i == std::string_view::npos ? line.size() : i + 1;
    } else {
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
    }
    while (i < line.size() && IsBlank(line[i]))
        ++i;
    return line.substr(i);
}

std::vector<std::string> SplitParameters(std::string_view s)
{
    std::vector<std::string> args;
    size_t i = 0;
    while (true) {
        while (i < s.size() && IsBlank(s[i]))
            ++i;
        if (i >= s.size())
            break;
        std::string arg;
        bool quoted = false;
        while (i < s.size() && (quoted || !IsBlank(s[i]))) {
            if (s[i] == '\\') {
                size_t n = 0;
                while (i < s.size() && s[i] == '\\') {
                    ++n;
                    ++i;
                }
                if (i < s.size() && s[i] == '"') {
                    arg.append(n / 2, '\\');
                    if (n % 2) {
                        arg += '"';
                        ++i;
                    }
                } else {
                    arg.append(n, '\\');
                }
            } else if (s[i] == '"') {
                quoted = !quoted;
                ++i;
            } else {
                arg += s[i++];
            }
        }
        args.push_back(std::move(arg));
    }
    return args;
}

ParsedLine ParseSwitches(const std::vector<std::string>& args)
{
    ParsedLine line;
    ShutdownRequest& r = line.request;
    char action = 0;
    bool haveTimeout = false;
    bool haveComment = false;
    bool haveReason = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        char letter = SwitchLetter(arg);
        switch (letter) {
        case 's':
        case 'r':
        case 'l':
            if (action)
                return Refuse("only one of -s, -r and -l may be given.");
            action = letter;
            break;
        case 'm': {
            if (r.remote)
                return Refuse("-m may be given only once.");
            if (i + 1 >= args.size() || args[i + 1].empty() || LooksLikeSwitch(args[i + 1]))
                return Refuse("-m needs the name of a computer, as \\\\computer.");
            const std::string& name = args[++i];
            if (HostName(name).empty())
                return Refuse("-m needs the name of a computer after \\\\ or //.");
            r.remote = true;
            r.machine = name;
            break;
        }
        case 't': {
            if (haveTimeout)
                return Refuse("-t may be given only once.");
            if (i + 1 >= args.size())
                return Refuse("-t needs a number of seconds.");
            const std::string& value = args[++i];
            if (value.empty() || value.size() > 9)
                return Refuse("-t takes 0 to 315360000 seconds.");
            unsigned seconds = 0;
            for (char c : value) {
                if (c < '0' || c > '9')
                    return Refuse("-t takes 0 to 315360000 seconds.");
                seconds = seconds * 10 + static_cast<unsigned>(c - '0');
            }
            if (seconds > MaxTimeout)
                return Refuse("-t takes 0 to 315360000 seconds.");
            haveTimeout = true;
            r.timeout = seconds;
            break;
        }
        case 'c':
            if (haveComment)
                return Refuse("-c may be given only once.");
            if (i + 1 >= args.size())
                return Refuse("-c needs a comment.");
            if (args[i + 1].size() > 512)
                return Refuse("the comment of -c may have at most 512 characters.");
            haveComment = true;
            ++i;
            break;
        case 'd':
            if (haveReason)
                return Refuse("-d may be given only once.");
            if (i + 1 >= args.size() || args[i + 1].empty() || LooksLikeSwitch(args[i + 1]))
                return Refuse("-d needs a reason, as [p|u:]xx:yy.");
            haveReason = true;  // the reason is for the event log, which Linux does not keep
            ++i;
            break;
        case 'f':
            break;  // closing programs without asking: the Linux commands do not ask anyway
        case '?':
            if (args.size() != 1)
                return Refuse("-? stands alone.");
            r.help = true;
            line.ok = true;
            return line;
        case 0:
            return Refuse("\"" + arg + "\" is not a switch.");
        default:
            return Refuse("\"" + arg + "\" is not a switch this command knows.");
        }
    }
    if (!action)
        return Refuse("one of -s, -r or -l is needed.");
    // Windows logs off at once and only this machine (shutdown, Windows Commands reference).
    if (action == 'l' && (r.remote || haveTimeout || haveReason))
        return Refuse("-l cannot be used with -m, -t or -d.");
    r.action = action == 's' ? HostAction::PowerOff : action == 'r' ? HostAction::Reboot : HostAction::LogOff;
    if (r.action == HostAction::LogOff)
        r.timeout = 0;  // at once: the default time-out is for shutting down and restarting
    line.ok = true;
    return line;
}

std::string HostName(std::string_view machine)
{
    if (StartsWithSlashes(machine))
        machine.remove_prefix(2);
    return std::string(machine);
}

HostPlan PlanHostCommand(const ShutdownRequest& request, const HostFacts& facts)
{
    HostPlan plan;
    if (request.remote) {
        if (!facts.samba) {
            plan.why = "a network request cannot be carried out from here: Samba's net (net rpc shutdown) is not installed.";
            return plan;
        }
        plan.argv = {"net", "rpc", "shutdown"};
        if (request.action == HostAction::Reboot)
            plan.argv.push_back("-r");
        // The waiting was done here already; the remote machine goes at once.
        plan.argv.insert(plan.argv.end(), {"-S", HostName(request.machine), "-t", "0"});
        plan.possible = true;
        return plan;
    }
    switch (request.action) {
    case HostAction::PowerOff:
        plan.argv = facts.systemd ? std::vector<std::string>{"systemctl", "poweroff"}
                                  : std::vector<std::string>{"shutdown", "-h", "now"};
        break;
    case HostAction::Reboot:
        plan.argv = facts.systemd ? std::vector<std::string>{"systemctl", "reboot"}
                                  : std::vector<std::string>{"shutdown", "-r", "now"};
        break;
    case HostAction::LogOff:
        if (!facts.sessionId.empty()) {
            plan.argv = {"loginctl", "terminate-session", facts.sessionId};
        } else if (!facts.user.empty()) {
            plan.argv = {"loginctl", "terminate-user", facts.user};
        } else {
            plan.why = "neither the login session nor the user that started the program is known.";
            return plan;
        }
        break;
    }
    plan.possible = true;
    return plan;
}

std::string JoinCommandLine(const std::vector<std::string>& argv)
{
    std::string line;
    for (const std::string& arg : argv) {
        if (!line.empty())
            line += ' ';
        if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) {
            line += arg;
            continue;
        }
        // Windows' quoting, the inverse of SplitParameters.
        line += '"';
        size_t backslashes = 0;
        for (char c : arg) {
            if (c == '\\') {
                ++backslashes;
                continue;
            }
            line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
            backslashes = 0;
            line += c;
        }
        line.append(backslashes * 2, '\\');
        line += '"';
    }
    return line;
}

std::string_view UsageText()
{
    return "Usage: shutdown [/l | /s | /r] [/f] [/m \\\\computer] [/t xxx] [/d [p|u:]xx:yy] [/c \"comment\"]\n"
           "\n"
           "    No args    Display help. This is the same as typing /?.\n"
           "    /?         Display help. This is the same as not typing any options.\n"
           "    /l         Log off. This cannot be used with /m, /t or /d.\n"
           "    /s         Shutdown the computer.\n"
           "    /r         Full shutdown and restart the computer.\n"
           "    /m \\\\computer Specify the target computer.\n"
           "    /t xxx     Set the time-out period before shutdown to xxx seconds.\n"
           "               The valid range is 0-315360000 (10 years), with a default of 30.\n"
           "    /d [p|u:]xx:yy Provide the reason for the restart or shutdown.\n"
           "    /c \"comment\" Comment on the reason for the restart or shutdown.\n"
           "               Maximum of 512 characters allowed.\n"
           "    /f         Force running applications to close without forewarning users.\n";
}

}  // namespace zv::standin
