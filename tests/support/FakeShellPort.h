// A shell port that only records. Constructing one installs it; destroying it puts back whatever port
// was installed before, so fakes nest and no launch escapes to the machine running the tests.
#pragma once

#include "framework/Shell.h"

#include <optional>
#include <string>
#include <vector>

namespace zv {

struct TShellLaunch {
    HWND owner = nullptr;
    std::optional<std::string> operation; // nullopt: a null pointer was passed
    std::optional<std::string> file;
    std::optional<std::string> parameters;
    std::optional<std::string> directory;
    int showCommand = 0;
};

class TFakeShellPort final : public IShellPort {
public:
    TFakeShellPort() : fPrevious(&ShellPort()) { SetShellPort(this); }
    ~TFakeShellPort() override { SetShellPort(fPrevious); }
    TFakeShellPort(const TFakeShellPort&) = delete;
    TFakeShellPort& operator=(const TFakeShellPort&) = delete;

    void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                      const char* directory, int showCommand) override
    {
        fLaunches.push_back({owner, Text(operation), Text(file), Text(parameters), Text(directory), showCommand});
    }

    const std::vector<TShellLaunch>& Launches() const { return fLaunches; }
    void Clear() { fLaunches.clear(); }

private:
    static std::optional<std::string> Text(const char* s) { return s ? std::optional<std::string>(s) : std::nullopt; }

    IShellPort* fPrevious;
    std::vector<TShellLaunch> fLaunches;
};

} // namespace zv
