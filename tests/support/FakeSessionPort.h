// A session port that only records. Constructing one installs it; destroying it puts back whatever
// port was installed before, so fakes nest and no request escapes to the machine running the tests.
#pragma once

#include "app/SessionPort.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct TShellExecuteCall {
    HWND owner = nullptr;
    std::optional<std::string> operation; // nullopt: a null pointer was passed
    std::optional<std::string> file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showCommand = 0;
};

struct TExitWindowsCall {
    UINT flags = 0;
    DWORD reserved = 0;
};

class TFakeSessionPort final : public ISessionPort {
public:
    TFakeSessionPort() : fPrevious(&SessionPort()) { SetSessionPort(this); }
    ~TFakeSessionPort() override { SetSessionPort(fPrevious); }
    TFakeSessionPort(const TFakeSessionPort&) = delete;
    TFakeSessionPort& operator=(const TFakeSessionPort&) = delete;

    void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                      const char* directory, int showCommand) override
    {
        fShellCalls.push_back({owner, Text(operation), Text(file), Text(parameters), Text(directory), showCommand});
    }

    void ExitWindowsEx(UINT flags, DWORD reserved) override { fExitCalls.push_back({flags, reserved}); }

    const std::vector<TShellExecuteCall>& ShellCalls() const { return fShellCalls; }
    const std::vector<TExitWindowsCall>& ExitCalls() const { return fExitCalls; }
    std::size_t RequestCount() const { return fShellCalls.size() + fExitCalls.size(); }

    void Clear()
    {
        fShellCalls.clear();
        fExitCalls.clear();
    }

private:
    static std::optional<std::string> Text(const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; }

    ISessionPort* fPrevious;
    std::vector<TShellExecuteCall> fShellCalls;
    std::vector<TExitWindowsCall> fExitCalls;
};

} // namespace zv
