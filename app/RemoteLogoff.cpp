#include "app/RemoteLogoff.h"

namespace zv {

namespace {

// "Console" in any case: Microsoft's own example spells it "console", and older Windows did too.
bool IsConsoleName(const char* name)
{
    if (!name)
        return false;
    for (const char* console = "console";; ++name, ++console) {
        if (!*console)
            return !*name;
        if ((*name | 0x20) != *console)
            return false;
    }
}

// What the thread and the command share; whichever lets go last frees it, since the program may end
// (and the command with it) while a machine still keeps the thread waiting. Nothing on the thread
// throws but a failed allocation, after which the program cannot go on anyway.
struct TJob {
    ISessionPort& port;
    std::string machine;
    DWORD outcome = ERROR_GEN_FAILURE;
    LONG holders = 1;
};

void LetGo(TJob* job)
{
    if (::InterlockedDecrement(&job->holders) == 0)
        delete job;
}

DWORD WINAPI RunJob(void* parameter)
{
    auto* job = static_cast<TJob*>(parameter);
    job->outcome = LogOffConsoleUser(job->port, job->machine.c_str());
    LetGo(job);
    return 0;
}

class TRemoteLogoff final : public IStartedCommand {
public:
    explicit TRemoteLogoff(TJob* job) : job_(job) {}
    ~TRemoteLogoff() override
    {
        if (thread_)
            ::CloseHandle(thread_);
        LetGo(job_);
    }
    TRemoteLogoff(const TRemoteLogoff&) = delete;
    TRemoteLogoff& operator=(const TRemoteLogoff&) = delete;

    bool Start(DWORD& error)
    {
        job_->holders = 2; // the thread's hold, taken before it can run and let go
        thread_ = ::CreateThread(nullptr, 0, RunJob, job_, 0, nullptr);
        if (thread_)
            return true;
        job_->holders = 1;
        error = ::GetLastError();
        return false;
    }

    // The outcome is read only once the thread has ended, which also makes its writes seen here.
    bool Ended(DWORD& exitCode) override
    {
        if (!thread_ || ::WaitForSingleObject(thread_, 0) != WAIT_OBJECT_0)
            return false;
        exitCode = job_->outcome;
        return true;
    }

private:
    TJob* job_;
    HANDLE thread_ = nullptr;
};

} // namespace

// The console session is the one Windows names "Console" (WTS_SESSION_INFOA: "services", "console",
// "RDP-Tcp#0"), and its user is signed in when it is WTSActive (WTS_CONNECTSTATE_CLASS: a user is
// logged on and connected), locked screen included; both on learn.microsoft.com. At the sign-in screen
// it is WTSConnected. A user switched away (fast user switching) keeps a session that is WTSDisconnected
// and has no name; a Remote Desktop user's is "RDP-Tcp#n", its listener "RDP-Tcp" (WTSListen). The
// console user who has taken the session over Remote Desktop is no longer at that machine: the session
// goes under an "RDP-Tcp#n" name and a fresh "Console" waits at the sign-in screen.
int ConsoleSessionIndex(const WTS_SESSION_INFOA* sessions, DWORD count)
{
    for (DWORD i = 0; sessions && i < count; ++i) {
        if (sessions[i].State == WTSActive && IsConsoleName(sessions[i].pWinStationName))
            return static_cast<int>(i);
    }
    return -1;
}

DWORD LogOffConsoleUser(ISessionPort& port, const char* machine)
{
    DWORD error = ERROR_GEN_FAILURE;
    const std::unique_ptr<IRemoteSessions> server = port.OpenRemoteSessions(machine, error);
    if (!server)
        return error ? error : ERROR_GEN_FAILURE;
    WTS_SESSION_INFOA* sessions = nullptr;
    DWORD count = 0;
    if (const DWORD failed = server->EnumerateSessions(sessions, count))
        return failed;
    const int console = ConsoleSessionIndex(sessions, count);
    const DWORD sessionId = console < 0 ? 0 : sessions[console].SessionId;
    server->FreeMemory(sessions);
    return console < 0 ? kNoOneAtTheConsole : server->LogoffSession(sessionId);
}

std::unique_ptr<IStartedCommand> StartRemoteLogoff(ISessionPort& port, const std::string& machine, DWORD& error)
{
    auto command = std::make_unique<TRemoteLogoff>(new TJob{port, machine});
    if (!command->Start(error))
        return nullptr;
    return command;
}

} // namespace zv
