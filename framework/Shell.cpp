#include "framework/Shell.h"

namespace zv {

namespace {

class TWindowsShellPort final : public IShellPort {
public:
    void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                      const char* directory, int showCommand) override
    {
        ::ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
    }
};

TWindowsShellPort gWindowsShellPort;
IShellPort* gShellPort = &gWindowsShellPort;

} // namespace

IShellPort& ShellPort()
{
    return *gShellPort;
}

void SetShellPort(IShellPort* port)
{
    gShellPort = port ? port : &gWindowsShellPort;
}

} // namespace zv
