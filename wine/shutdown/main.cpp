// shutdown.exe for Wine: reads Windows' shutdown switches and hands the request to the Linux machine,
// but only with the user's consent (ZV_HOST_ACTIONS=1). Without it every request is only logged and
// announced. ZV_HOST_COMMAND, when set, names the program run instead of the Linux command itself,
// with that command line as its arguments, so a test can record what would have been done.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "wine/shutdown/ShutdownSwitches.h"

using namespace zv::standin;

namespace {

constexpr int ExitUsage = ERROR_INVALID_PARAMETER;
constexpr int ExitNotPossible = ERROR_NOT_SUPPORTED;
constexpr int ExitFailed = 1;

std::string Env(const char* name)
{
    char buffer[2048];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n == 0 || n >= sizeof buffer ? std::string() : std::string(buffer, n);
}

std::wstring Widen(const std::string& s)
{
    if (s.empty())
        return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

// Wine's own translation of a Unix path to the path Windows programs see; empty off Wine.
std::wstring DosPath(const std::string& unixPath)
{
    using Translate = WCHAR*(CDECL*)(const char*);
    static auto translate = reinterpret_cast<Translate>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!translate)
        return {};
    WCHAR* dos = translate(unixPath.c_str());
    if (!dos)
        return {};
    std::wstring result(dos);
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

// A path the user gave: Unix ("/home/...") or Windows ("Z:\...").
std::wstring AnyPath(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? DosPath(path) : Widen(path);
}

bool IsFile(const std::wstring& path)
{
    DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsDirectory(const std::wstring& path)
{
    DWORD a = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// The Linux program of that name in the usual places; Wine does not see the Linux PATH.
std::wstring FindLinuxProgram(const std::string& name)
{
    for (const char* dir : {"/usr/local/sbin/", "/usr/local/bin/", "/usr/sbin/", "/usr/bin/", "/sbin/", "/bin/"}) {
        std::wstring path = DosPath(dir + name);
        if (IsFile(path))
            return path;
    }
    return {};
}

HostFacts ReadHostFacts()
{
    HostFacts facts;
    facts.systemd = IsDirectory(DosPath("/run/systemd/system"));  // systemd's own test of having booted it
    facts.samba = !FindLinuxProgram("net").empty();
    facts.sessionId = Env("XDG_SESSION_ID");
    facts.user = Env("USER");
    if (facts.user.empty())
        facts.user = Env("LOGNAME");
    if (facts.user.empty()) {
        char name[256];
        DWORD size = sizeof name;
        if (GetUserNameA(name, &size) && size > 1)
            facts.user.assign(name, size - 1);  // Wine answers with the Linux user's name
    }
    return facts;
}

std::string Now()
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute, t.wSecond);
    return text;
}

void Log(const std::string& parameters, const std::string& outcome)
{
    std::string path = Env("ZV_HOST_LOG");
    std::wstring file = path.empty() ? std::wstring() : AnyPath(path);
    if (file.empty()) {
        wchar_t temp[MAX_PATH + 1];
        DWORD n = GetTempPathW(MAX_PATH, temp);
        if (n == 0 || n > MAX_PATH)
            return;
        file = std::wstring(temp) + L"zavrin4-host-actions.log";
    }
    HANDLE h = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    std::string line = Now() + "  shutdown " + parameters + "  ->  " + outcome + "\n";
    DWORD written = 0;
    WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(h);
}

void Say(const std::string& text)
{
    std::fputs(text.c_str(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

// Starts a Linux program. Wine starts it with fork and exec and hands back no process handle for it,
// so its outcome cannot be awaited; where a handle does come back, it is waited for up to `waitMs`.
bool Start(const std::wstring& program, const std::vector<std::string>& argv, DWORD waitMs)
{
    std::wstring line = Widen(JoinCommandLine(argv));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread)
        CloseHandle(pi.hThread);
    if (pi.hProcess) {
        WaitForSingleObject(pi.hProcess, waitMs);
        CloseHandle(pi.hProcess);
    }
    return true;
}

void Notify(const std::string& text)
{
    std::string replacement = Env("ZV_NOTIFY_COMMAND");
    std::vector<std::string> argv = {"notify-send", "Zavrin 4", text};
    std::wstring program;
    if (!replacement.empty()) {
        program = AnyPath(replacement);
        argv.insert(argv.begin(), replacement);
    } else {
        program = FindLinuxProgram("notify-send");
    }
    // A desktop without a notification service must not hold the request up.
    if (IsFile(program))
        Start(program, argv, 3000);
}

std::string WhatItDoes(const ShutdownRequest& r)
{
    std::string what = r.action == HostAction::PowerOff ? "power off" : r.action == HostAction::Reboot ? "restart" : "log off";
    what += r.remote ? " the computer " + r.machine : r.action == HostAction::LogOff ? " this Linux session" : " this Linux machine";
    if (r.timeout)
        what += " in " + std::to_string(r.timeout) + " s";
    return what;
}

int Act(const ShutdownRequest& request, const HostPlan& plan, const std::string& parameters)
{
    std::string shown = JoinCommandLine(plan.argv);
    std::string replacement = Env("ZV_HOST_COMMAND");
    std::wstring program;
    std::vector<std::string> argv = plan.argv;
    if (!replacement.empty()) {
        // Never fall back to the real command when the replacement cannot be found.
        program = AnyPath(replacement);
        if (!IsFile(program)) {
            Log(parameters, "not run: ZV_HOST_COMMAND " + replacement + " was not found");
            Say("shutdown: ZV_HOST_COMMAND names " + replacement + ", which was not found; nothing was done.");
            return ExitFailed;
        }
        argv.insert(argv.begin(), replacement);
    } else {
        program = FindLinuxProgram(plan.argv[0]);
        if (program.empty()) {
            Log(parameters, "not run: " + plan.argv[0] + " was not found");
            Say("shutdown: " + plan.argv[0] + " was not found on this machine; nothing was done.");
            return ExitFailed;
        }
    }
    if (request.timeout) {
        Log(parameters, "running in " + std::to_string(request.timeout) + " s: " + shown);
        Sleep(request.timeout * 1000);
    }
    if (!Start(program, argv, 120000)) {
        Log(parameters, "could not start: " + shown);
        Say("shutdown: could not start " + shown + "; nothing was done.");
        return ExitFailed;
    }
    Log(parameters, "started: " + shown);
    return 0;
}

}  // namespace

int main()
{
    std::string parameters(ParametersOf(GetCommandLineA()));
    ParsedLine line = ParseSwitches(SplitParameters(parameters));
    if (!line.ok) {
        std::fprintf(stderr, "shutdown: %s\n\n%s", line.error.c_str(), UsageText().data());
        Log(parameters, "refused: " + line.error);
        return ExitUsage;
    }
    if (line.request.help) {
        std::fputs(UsageText().data(), stdout);
        return 0;
    }
    if (DosPath("/").empty()) {
        Say("shutdown: this stand-in runs only under Wine; nothing was done.");
        return ExitNotPossible;
    }
    const ShutdownRequest& request = line.request;
    HostPlan plan = PlanHostCommand(request, ReadHostFacts());
    if (!plan.possible) {
        Log(parameters, "not possible: " + plan.why);
        Say("shutdown: " + plan.why);
        return ExitNotPossible;
    }
    if (Env("ZV_HOST_ACTIONS") == "1")
        return Act(request, plan, parameters);

    std::string shown = JoinCommandLine(plan.argv);
    Log(parameters, "not run (would run: " + shown + "); ZV_HOST_ACTIONS=1 lets it act");
    std::string text = "Zavrin 4 asked to " + WhatItDoes(request) + ". Nothing was done; it would run \"" + shown +
                       "\". To let it act, start scripts/run with ZV_HOST_ACTIONS=1.";
    Say(text);
    Notify(text);
    return 0;
}
