// A session port that only records. Constructing one installs it; destroying it puts back whatever
// port was installed before, so fakes nest and no request escapes to the machine running the tests.
// The commands it starts end when the test says, with the exit code the test chooses; the session
// service of network machines is `Remote`.
#pragma once

#include "app/SessionPort.h"
#include "app/SystemAction.h"
#include "tests/support/FakeRemoteSessions.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct TStartCall {
    std::string path;
    std::string parameters;
};

struct TExitWindowsCall {
    UINT flags = 0;
    DWORD reserved = 0;
};

class TFakeSessionPort final : public ISessionPort {
public:
    TFakeSessionPort() : fPrevious(&SessionPort()) { SetSessionPort(this); }
    ~TFakeSessionPort() override
    {
        // What is still out ends quietly, so no later test sees it; a network log-off held at the gate
        // is let through and awaited, since its thread still calls this port.
        Remote.Release();
        EndCommands(0);
        SettleStartedCommands();
        SetSessionPort(fPrevious);
    }
    TFakeSessionPort(const TFakeSessionPort&) = delete;
    TFakeSessionPort& operator=(const TFakeSessionPort&) = delete;

    std::unique_ptr<IStartedCommand> StartCommand(const std::string& path, const std::string& parameters,
                                                  DWORD& error) override
    {
        fStarts.push_back({path, parameters});
        if (fStartError) {
            error = fStartError;
            return nullptr;
        }
        auto state = std::make_shared<TState>();
        state->exitCode = fExitCode;
        fStates.push_back(state);
        return std::make_unique<TCommand>(state);
    }

    std::unique_ptr<IRemoteSessions> OpenRemoteSessions(const char* machine, DWORD& error) override
    {
        return Remote.Open(machine, error);
    }

    DWORD ExitWindowsEx(UINT flags, DWORD reserved) override
    {
        fExitCalls.push_back({flags, reserved});
        return fExitWindowsError;
    }

    void ShowWarning(const std::string& text) override
    {
        fWarnings.push_back(text);
        if (WhileShown)
            WhileShown();
    }

    // Runs while a warning is on the screen, as the message box's own loop would run timers.
    std::function<void()> WhileShown;
    TFakeRemoteSessions Remote;

    // Commands started from now on end with this code at the first look; nullopt keeps them running
    // until EndCommands. They end with 0 unless told otherwise.
    void SetExitCode(std::optional<DWORD> code) { fExitCode = code; }
    // Ends every command still running with this code.
    void EndCommands(DWORD code)
    {
        for (auto& state : fStates)
            if (!state->exitCode)
                state->exitCode = code;
    }
    // Ends the command started `index`-th (from 0) with this code, if it still runs.
    void EndCommand(std::size_t index, DWORD code)
    {
        if (index < fStates.size() && !fStates[index]->exitCode)
            fStates[index]->exitCode = code;
    }
    // From now on no command starts, with this error; 0 lets them start again.
    void FailStarts(DWORD error) { fStartError = error; }
    void FailExitWindows(DWORD error) { fExitWindowsError = error; }

    const std::vector<TStartCall>& Starts() const { return fStarts; }
    const std::vector<TExitWindowsCall>& ExitCalls() const { return fExitCalls; }
    const std::vector<std::string>& Warnings() const { return fWarnings; }
    std::size_t RequestCount() const
    {
        std::size_t opens = 0;
        for (const std::string& call : Remote.Calls())
            opens += call.rfind("open ", 0) == 0 ? 1 : 0;
        return fStarts.size() + fExitCalls.size() + opens;
    }
    // Commands the program still holds: started and not yet let go.
    std::size_t CommandsHeld() const
    {
        std::size_t n = 0;
        for (const auto& state : fStates)
            n += state->held ? 1 : 0;
        return n;
    }

    void Clear()
    {
        fStarts.clear();
        fExitCalls.clear();
        fWarnings.clear();
    }

private:
    struct TState {
        std::optional<DWORD> exitCode;
        bool held = true;
    };
    class TCommand final : public IStartedCommand {
    public:
        explicit TCommand(std::shared_ptr<TState> state) : fState(std::move(state)) {}
        ~TCommand() override { fState->held = false; }
        bool Ended(DWORD& exitCode) override
        {
            if (!fState->exitCode)
                return false;
            exitCode = *fState->exitCode;
            return true;
        }

    private:
        std::shared_ptr<TState> fState;
    };

    ISessionPort* fPrevious;
    std::vector<TStartCall> fStarts;
    std::vector<TExitWindowsCall> fExitCalls;
    std::vector<std::string> fWarnings;
    std::vector<std::shared_ptr<TState>> fStates;
    std::optional<DWORD> fExitCode = 0;
    DWORD fStartError = 0;
    DWORD fExitWindowsError = 0;
};

} // namespace zv
