#include "framework/RegistryPort.h"

namespace zv {

namespace {

class TWindowsRegistryPort final : public IRegistryPort {
public:
    LONG CreateKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) override
    {
        return ::RegCreateKeyExA(base, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, result, nullptr);
    }
    LONG OpenKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) override
    {
        return ::RegOpenKeyExA(base, subKey, 0, access, result);
    }
    LONG CloseKey(HKEY key) override { return ::RegCloseKey(key); }
    LONG DeleteTree(HKEY base, const char* subKey) override { return ::RegDeleteTreeA(base, subKey); }
    LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override
    {
        return ::RegQueryValueExA(key, name, nullptr, type, data, size);
    }
    LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override
    {
        return ::RegSetValueExA(key, name, 0, type, data, size);
    }
    LONG DeleteValue(HKEY key, const char* name) override { return ::RegDeleteValueA(key, name); }
};

TWindowsRegistryPort gWindowsRegistryPort;
IRegistryPort* gRegistryPort = &gWindowsRegistryPort;

} // namespace

IRegistryPort& RegistryPort()
{
    return *gRegistryPort;
}

void SetRegistryPort(IRegistryPort* port)
{
    gRegistryPort = port ? port : &gWindowsRegistryPort;
}

} // namespace zv
