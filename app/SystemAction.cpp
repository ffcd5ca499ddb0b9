#include "app/SystemAction.h"

#include "app/SessionPort.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "framework/Application.h"

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

const char* SwitchFor(TActionKind kind)
{
    switch (kind) {
    case TActionKind::Shutdown: return "-s";
    case TActionKind::Reboot: return "-r";
    case TActionKind::Logoff: return "-l";
    }
    return "-s";
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

// The name goes into the command line unquoted, so a blank, a quote or a control character would let
// it add switches of its own.
bool IsPlainMachineName(const std::string& name)
{
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ' ' || c == '"' || c < 0x20 || c == 0x7F)
            return false;
    }
    return true;
}

// The full path, so that a shutdown.exe planted in the current directory is never the one started.
// A 32-bit program on 64-bit Windows gets system32 here and the system redirects it to its own copy.
std::string SystemShutdownPath()
{
    std::vector<char> dir(MAX_PATH + 1);
    UINT length = ::GetSystemDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    if (length >= dir.size()) {
        dir.resize(length + 1);
        length = ::GetSystemDirectoryA(dir.data(), static_cast<UINT>(dir.size()));
    }
    if (length == 0 || length >= dir.size())
        return {};
    std::string path(dir.data(), length);
    if (path.back() != '\\')
        path += '\\';
    return path + "shutdown.exe";
}

void StartShutdownCommand(const std::string& parameters)
{
    const std::string file = SystemShutdownPath();
    if (file.empty())
        return;
    SessionPort().ShellExecute(MainWindowHandle(), nullptr, file.c_str(), parameters.c_str(), "", SW_SHOWNORMAL);
}

} // namespace

void RunSystemAction(TActionKind kind, const TActionTarget& target, const std::string& platform)
{
    if (target.network) {
        if (!IsPlainMachineName(target.machineName))
            return;
        StartShutdownCommand(std::string(SwitchFor(kind)) + " -m " + target.machineName + " -t 00");
        return;
    }
    if (platform == "NT")
        StartShutdownCommand(std::string(SwitchFor(kind)) + " -t 00");
    else
        SessionPort().ExitWindowsEx(ExitWindowsFlagsFor(kind), 1);
}

} // namespace zv
