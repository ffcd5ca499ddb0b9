#include "app/SessionPort.h"

namespace zv {

namespace {

class TWindowsSessionPort final : public ISessionPort {
public:
    void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                      const char* directory, int showCommand) override
    {
        ::ShellExecuteA(owner, operation, file, parameters, directory, showCommand);
    }

    void ExitWindowsEx(UINT flags, DWORD reserved) override { ::ExitWindowsEx(flags, reserved); }
};

TWindowsSessionPort gWindowsPort;
ISessionPort* gPort = &gWindowsPort;

} // namespace

ISessionPort& SessionPort()
{
    return *gPort;
}

void SetSessionPort(ISessionPort* port)
{
    gPort = port ? port : &gWindowsPort;
}

} // namespace zv
