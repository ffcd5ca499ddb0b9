#include "app/SessionPort.h"

#include <vector>

#include "framework/Application.h"
#include "framework/SystemLibrary.h"

namespace zv {

namespace {

class TProcessCommand final : public IStartedCommand {
public:
    explicit TProcessCommand(HANDLE process) : process_(process) {}
    ~TProcessCommand() override { ::CloseHandle(process_); }
    TProcessCommand(const TProcessCommand&) = delete;
    TProcessCommand& operator=(const TProcessCommand&) = delete;

    // Signalled once the process has ended; its exit code is read only then, so an exit code of 259
    // (STILL_ACTIVE) is never mistaken for a command still running.
    bool Ended(DWORD& exitCode) override
    {
        if (::WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
            return false;
        if (!::GetExitCodeProcess(process_, &exitCode))
            exitCode = ::GetLastError();
        return true;
    }

private:
    HANDLE process_;
};

// wtsapi32.dll is not a KnownDLL: it is loaded from the system directory, and each open server holds
// its own reference to it, so that a server let go on any thread never outlives the code it calls.
class TWtsServer final : public IRemoteSessions {
public:
    TWtsServer(HMODULE module, HANDLE server) : module_(module), server_(server) {}
    ~TWtsServer() override
    {
        if (auto close = SystemFunction<decltype(&::WTSCloseServer)>(module_, "WTSCloseServer"))
            close(server_);
        ::FreeLibrary(module_);
    }
    TWtsServer(const TWtsServer&) = delete;
    TWtsServer& operator=(const TWtsServer&) = delete;

    DWORD EnumerateSessions(WTS_SESSION_INFOA*& sessions, DWORD& count) override
    {
        auto enumerate = SystemFunction<decltype(&::WTSEnumerateSessionsA)>(module_, "WTSEnumerateSessionsA");
        return enumerate ? Result(enumerate(server_, 0, 1, &sessions, &count)) : ERROR_PROC_NOT_FOUND;
    }

    void FreeMemory(void* memory) override
    {
        if (auto free = SystemFunction<decltype(&::WTSFreeMemory)>(module_, "WTSFreeMemory"))
            free(memory);
    }

    // Not waiting for the session to end (bWait FALSE): the user's programs may take their time closing.
    DWORD LogoffSession(DWORD sessionId) override
    {
        auto logoff = SystemFunction<decltype(&::WTSLogoffSession)>(module_, "WTSLogoffSession");
        return logoff ? Result(logoff(server_, sessionId, FALSE)) : ERROR_PROC_NOT_FOUND;
    }

    static std::unique_ptr<IRemoteSessions> Open(const char* machine, DWORD& error)
    {
        const HMODULE module = LoadSystemLibrary("wtsapi32.dll");
        if (!module) {
            error = LastError();
            return nullptr;
        }
        auto open = SystemFunction<decltype(&::WTSOpenServerA)>(module, "WTSOpenServerA");
        ::SetLastError(0);
        const HANDLE server = open ? open(const_cast<LPSTR>(machine)) : nullptr;
        if (!server) {
            error = open ? LastError() : ERROR_PROC_NOT_FOUND;
            ::FreeLibrary(module);
            return nullptr;
        }
        return std::make_unique<TWtsServer>(module, server);
    }

private:
    static DWORD LastError()
    {
        const DWORD error = ::GetLastError();
        return error ? error : ERROR_GEN_FAILURE;
    }
    static DWORD Result(BOOL ok) { return ok ? 0 : LastError(); }

    HMODULE module_;
    HANDLE server_;
};

class TWindowsSessionPort final : public ISessionPort {
public:
    // CreateProcess rather than the shell: the shell cannot give the exit code back without keeping the
    // process (SEE_MASK_NOCLOSEPROCESS of ShellExecuteEx), and shows a console program's console unless
    // told to hide it. CREATE_NO_WINDOW starts a console program with no console at all (CreateProcessA
    // and Process Creation Flags on learn.microsoft.com). The command runs in its own folder, so the
    // program's current folder is never held by it.
    std::unique_ptr<IStartedCommand> StartCommand(const std::string& path, const std::string& parameters,
                                                  DWORD& error) override
    {
        const std::string line = "\"" + path + "\" " + parameters;
        std::vector<char> commandLine(line.begin(), line.end());
        commandLine.push_back('\0');
        const std::string::size_type slash = path.find_last_of('\\');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                              folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
            error = ::GetLastError();
            return nullptr;
        }
        ::CloseHandle(process.hThread);
        return std::make_unique<TProcessCommand>(process.hProcess);
    }

    // A machine that cannot be reached is mostly told only by the first call on its handle: WTSOpenServerA
    // gives "a handle that is not valid" when it fails, to be tested by using it (WTSOpenServerA on
    // learn.microsoft.com). A null one is failure at once.
    std::unique_ptr<IRemoteSessions> OpenRemoteSessions(const char* machine, DWORD& error) override
    {
        return TWtsServer::Open(machine, error);
    }

    DWORD ExitWindowsEx(UINT flags, DWORD reserved) override
    {
        if (::ExitWindowsEx(flags, reserved))
            return 0;
        const DWORD error = ::GetLastError();
        return error ? error : ERROR_GEN_FAILURE;
    }

    // Owned by the application's main window, like the framework's own messages; brought to the front,
    // since the user may come back to the machine long after the request.
    void ShowWarning(const std::string& text) override
    {
        ::MessageBoxA(MainWindowHandle(), text.c_str(), kWarningCaption, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
    }
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
