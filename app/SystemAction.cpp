#include "app/SystemAction.h"

#include "app/RemoteLogoff.h"
#include "app/SessionPort.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "framework/AppSite.h"
#include "framework/Shell.h"

namespace zv {

TActionTarget TActionTarget::Local()
{
    return TActionTarget{};
}

TActionTarget TActionTarget::Network(std::string machineName)
{
    return TActionTarget{true, std::move(machineName)};
}

namespace {

// Windows' shutdown command logs off at once and only this machine: "/l" cannot be given with "/t",
// "/m" or "/d" (shutdown, Windows Commands reference on learn.microsoft.com), so it goes alone.
std::string LocalSwitches(TActionKind kind)
{
    switch (kind) {
    case TActionKind::Shutdown: return "-s -t 00";
    case TActionKind::Reboot: return "-r -t 00";
    case TActionKind::Logoff: return "-l";
    }
    return "-s -t 00";
}

const char* NetworkSwitch(TActionKind kind)
{
    return kind == TActionKind::Reboot ? "-r" : "-s";
}

UINT ExitWindowsFlagsFor(TActionKind kind)
{
    switch (kind) {
    case TActionKind::Shutdown: return EWX_SHUTDOWN;
    case TActionKind::Reboot: return EWX_REBOOT;
    case TActionKind::Logoff: return EWX_LOGOFF;
    }
    return EWX_SHUTDOWN;
}

// The name without the slashes the field starts with, whichever way they lean.
std::string BareName(const std::string& typed)
{
    const std::string::size_type start = typed.find_first_not_of("/\\");
    return start == std::string::npos ? std::string() : typed.substr(start);
}

bool IsPlainName(const std::string& name)
{
    return std::none_of(name.begin(), name.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c == ' ' || c == '"' || c < 0x20 || c == 0x7F;
    });
}

// The full path, so that a shutdown.exe planted in the current directory is never the one started.
// A 32-bit program on 64-bit Windows gets system32 here and the system redirects it to its own copy.
std::string SystemShutdownPath() { return SystemDirectoryFile("shutdown.exe"); }

// The system's text for an error, in the user's language (language 0: the thread's, then the user's,
// then the system's; FormatMessage on learn.microsoft.com), without the line break it ends with.
std::string SystemText(DWORD error)
{
    char* buffer = nullptr;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : std::string();
    ::LocalFree(buffer);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')
        text.pop_back();
    return text;
}

std::string ActionWords(TActionKind kind, const TActionTarget& target)
{
    const std::string machine = target.network ? " " + MachineArgument(target.machineName) : std::string();
    switch (kind) {
    case TActionKind::Shutdown: return "Zavrina sistemului" + machine;
    case TActionKind::Reboot: return "Rebootarea sistemului" + machine;
    case TActionKind::Logoff: return target.network ? "Delogarea de pe sistemul" + machine : "Delogarea userului";
    }
    return "Zavrina sistemului" + machine;
}

struct TStarted {
    std::unique_ptr<IStartedCommand> command;
    TActionKind kind;
    TActionTarget target;
};

std::vector<TStarted> gStarted;
UINT_PTR gWatchTimer = 0;
constexpr UINT kWatchMs = 250;

std::vector<std::string> gWaiting; // a few at the most: a vector is queue enough
bool gShowing = false;
std::string gShown;

bool SessionEnding()
{
    return AppSite() && AppSite()->SessionEnded();
}

void CALLBACK WatchTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    // Nothing may escape into the message loop.
    try {
        WatchStartedCommands();
    } catch (...) {
    }
}

void StopWatching()
{
    if (gWatchTimer) {
        ::KillTimer(nullptr, gWatchTimer);
        gWatchTimer = 0;
    }
}

void Report(TActionKind kind, const TActionTarget& target, DWORD error)
{
    WarnUser(FailureText(kind, target, error));
}

// Watched until it ends, like a started shutdown command; null when it could not start, with `error`.
void Watch(std::unique_ptr<IStartedCommand> command, DWORD error, TActionKind kind, const TActionTarget& target)
{
    if (!command) {
        Report(kind, target, error);
        return;
    }
    gStarted.push_back({std::move(command), kind, target});
    if (!gWatchTimer)
        gWatchTimer = ::SetTimer(nullptr, 0, kWatchMs, WatchTimerProc);
}

void StartShutdownCommand(TActionKind kind, const TActionTarget& target, const std::string& parameters)
{
    const std::string path = SystemShutdownPath();
    DWORD error = ERROR_FILE_NOT_FOUND;
    std::unique_ptr<IStartedCommand> command = path.empty() ? nullptr : SessionPort().StartCommand(path, parameters, error);
    Watch(std::move(command), error, kind, target);
}

} // namespace

std::string MachineArgument(const std::string& typed)
{
    const std::string name = BareName(typed);
    if (name.empty() || !IsPlainName(name))
        return {};
    return "\\\\" + name;
}

std::string ActionRefusal(TActionKind kind, const TActionTarget& target)
{
    if (!target.network)
        return {};
    if (BareName(target.machineName).empty())
        return "Scrieti numele sistemului din retea (de exemplu //server).";
    if (MachineArgument(target.machineName).empty())
        return "Numele sistemului din retea nu poate contine spatii, ghilimele sau caractere de control.";
    return {};
}

void RunSystemAction(TActionKind kind, const TActionTarget& target, const std::string& platform)
{
    if (const std::string refusal = ActionRefusal(kind, target); !refusal.empty()) {
        WarnUser(refusal);
        return;
    }
    if (target.network && kind == TActionKind::Logoff) {
        DWORD error = ERROR_GEN_FAILURE;
        std::unique_ptr<IStartedCommand> command = StartRemoteLogoff(SessionPort(), BareName(target.machineName), error);
        Watch(std::move(command), error, kind, target);
        return;
    }
    if (target.network) {
        StartShutdownCommand(kind, target,
                             std::string(NetworkSwitch(kind)) + " -m " + MachineArgument(target.machineName) + " -t 00");
        return;
    }
    if (platform == "NT") {
        StartShutdownCommand(kind, target, LocalSwitches(kind));
        return;
    }
    if (const DWORD error = SessionPort().ExitWindowsEx(ExitWindowsFlagsFor(kind), 1))
        Report(kind, target, error);
}

std::string FailureText(TActionKind kind, const TActionTarget& target, DWORD error)
{
    const std::string first = ActionWords(kind, target) + " nu a reusit.";
    if (error == kNoOneAtTheConsole)
        return first + "\n\nNu este niciun user conectat la consola acestui sistem.";
    const std::string code = "(cod " + std::to_string(error) + ")";
    const std::string text = SystemText(error);
    return text.empty() ? first + " " + code : first + "\n\n" + text + "\n" + code;
}

void WarnUser(const std::string& text)
{
    if (SessionEnding())
        return;
    if ((gShowing && text == gShown) || std::find(gWaiting.begin(), gWaiting.end(), text) != gWaiting.end())
        return;
    gWaiting.push_back(text);
    if (gShowing)
        return;
    gShowing = true;
    // Whatever happens in the message box, the queue is free again afterwards.
    struct TDone {
        ~TDone()
        {
            gWaiting.clear();
            gShown.clear();
            gShowing = false;
        }
    } done;
    // The message box runs a loop of its own, in which the timers go on and may warn again.
    while (!gWaiting.empty() && !SessionEnding()) {
        gShown = std::move(gWaiting.front());
        gWaiting.erase(gWaiting.begin());
        SessionPort().ShowWarning(gShown);
    }
}

void WatchStartedCommands()
{
    // Told only once the list is settled: a warning's own message loop may come back here.
    std::vector<std::string> failures;
    for (auto it = gStarted.begin(); it != gStarted.end();) {
        DWORD code = 0;
        if (!it->command->Ended(code)) {
            ++it;
            continue;
        }
        if (code != 0)
            failures.push_back(FailureText(it->kind, it->target, code));
        it = gStarted.erase(it);
    }
    if (gStarted.empty())
        StopWatching();
    for (const std::string& text : failures)
        WarnUser(text);
}

std::size_t StartedCommandsOut()
{
    return gStarted.size();
}

} // namespace zv
