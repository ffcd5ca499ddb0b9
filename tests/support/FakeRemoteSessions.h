// The session service of network machines as a test sets it up: the sessions a machine lists, the
// error each call gives, and a gate that holds the opening until the test lets it through, as a
// machine that does not answer would. The calls come from the log-off's own thread: each is recorded,
// in order, under a lock.
#pragma once

#include "app/SessionPort.h"
#include "app/SystemAction.h"

#include <windows.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace zv {

struct TFakeSession {
    DWORD id = 0;
    std::string name;
    WTS_CONNECTSTATE_CLASS state = WTSActive;
};

class TFakeRemoteSessions {
public:
    TFakeRemoteSessions() : fGate(::CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}
    ~TFakeRemoteSessions()
    {
        Release();
        ::CloseHandle(fGate);
    }
    TFakeRemoteSessions(const TFakeRemoteSessions&) = delete;
    TFakeRemoteSessions& operator=(const TFakeRemoteSessions&) = delete;

    void SetSessions(std::vector<TFakeSession> sessions)
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fSessions = std::move(sessions);
    }
    void FailOpen(DWORD error) { fOpenError = error; }
    void FailEnumerate(DWORD error) { fEnumerateError = error; }
    void FailLogoff(DWORD error) { fLogoffError = error; }

    // Openings wait from now on until Release (ten seconds at the most).
    void Hold() { ::ResetEvent(fGate); }
    void Release() { ::SetEvent(fGate); }

    // "open <name>", "enumerate", "free", "logoff <id>", "close", in the order they came.
    std::vector<std::string> Calls() const
    {
        std::lock_guard<std::mutex> lock(fMutex);
        return fCalls;
    }
    // Waits until at least `n` calls came; false after `ms` without them.
    bool AwaitCalls(std::size_t n, DWORD ms = 5000) const
    {
        for (const DWORD until = ::GetTickCount() + ms; Calls().size() < n; ::Sleep(2)) {
            if (static_cast<LONG>(::GetTickCount() - until) > 0)
                return false;
        }
        return true;
    }

    std::unique_ptr<IRemoteSessions> Open(const char* machine, DWORD& error)
    {
        Record("open " + std::string(machine));
        // Bounded, so that a request made on the caller's thread fails its test instead of hanging it.
        ::WaitForSingleObject(fGate, 10000);
        if (fOpenError) {
            error = fOpenError;
            return nullptr;
        }
        return std::make_unique<TServer>(*this);
    }

private:
    class TServer final : public IRemoteSessions {
    public:
        explicit TServer(TFakeRemoteSessions& owner) : fOwner(owner) {}
        ~TServer() override { fOwner.Record("close"); }
        TServer(const TServer&) = delete;
        TServer& operator=(const TServer&) = delete;

        DWORD EnumerateSessions(WTS_SESSION_INFOA*& sessions, DWORD& count) override
        {
            fOwner.Record("enumerate");
            if (fOwner.fEnumerateError)
                return fOwner.fEnumerateError;
            std::lock_guard<std::mutex> lock(fOwner.fMutex);
            fList.clear();
            for (TFakeSession& s : fOwner.fSessions)
                fList.push_back({s.id, s.name.data(), s.state});
            sessions = fList.data();
            count = static_cast<DWORD>(fList.size());
            return 0;
        }
        void FreeMemory(void* memory) override
        {
            fOwner.Record(memory == fList.data() ? "free" : "free of memory never handed out");
            fList.clear();
            fList.shrink_to_fit();
        }
        DWORD LogoffSession(DWORD sessionId) override
        {
            fOwner.Record("logoff " + std::to_string(sessionId));
            return fOwner.fLogoffError;
        }

    private:
        TFakeRemoteSessions& fOwner;
        std::vector<WTS_SESSION_INFOA> fList;
    };

    void Record(std::string call)
    {
        std::lock_guard<std::mutex> lock(fMutex);
        fCalls.push_back(std::move(call));
    }

    mutable std::mutex fMutex;
    HANDLE fGate;
    std::vector<TFakeSession> fSessions;
    std::vector<std::string> fCalls;
    DWORD fOpenError = 0;
    DWORD fEnumerateError = 0;
    DWORD fLogoffError = 0;
};

// Looks at what was started, as the message loop would, until all of it has ended; false when
// something is still out after `ms`.
inline bool SettleStartedCommands(DWORD ms = 5000)
{
    const DWORD until = ::GetTickCount() + ms;
    for (;;) {
        WatchStartedCommands();
        if (StartedCommandsOut() == 0)
            return true;
        if (static_cast<LONG>(::GetTickCount() - until) > 0)
            return false;
        ::Sleep(2);
    }
}

} // namespace zv
