#include "framework/Shell.h"

#include <objbase.h>

#include "framework/SystemLibrary.h"

namespace zv {

namespace {

class TWindowsShellPort final : public IShellPort {
public:
    void ShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                      const char* directory, int showCommand) override
    {
        PrepareThreadForShell();
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

std::string SystemDirectoryFile(const char* name)
{
    wchar_t wide[MAX_PATH];
    if (!SystemLibraryPath(name, wide, MAX_PATH))
        return {};
    char path[MAX_PATH * 2];
    const int n = ::WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, nullptr);
    return n > 0 ? std::string(path) : std::string();
}

bool PrepareThreadForShell()
{
    // The program launches from its one user-interface thread, which keeps COM until the process ends
    // (the shell may still use it after the call returns).
    static int state; // 0 not tried, 1 ready, -1 unavailable
    if (state == 0) {
        using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
        const auto init = SystemFunction<CoInitializeExFn>(LoadSystemLibrary("ole32.dll"), "CoInitializeEx");
        // S_FALSE: already initialised the same way on this thread (a screen reader came first).
        state = init && SUCCEEDED(init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) ? 1 : -1;
    }
    return state == 1;
}

} // namespace zv
