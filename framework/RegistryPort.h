// The one door to the registry: the calls TRegistry makes, one for one. The program gets the real
// advapi32 functions; tests install a registry of their own to be Windows where Wine is not (a
// standard user, to whom HKEY_LOCAL_MACHINE\Software is read-only; the 32-bit view of a 64-bit
// Windows). Every call answers with the Win32 error code the real function would.
#pragma once

#include <windows.h>

namespace zv {

struct IRegistryPort {
    virtual ~IRegistryPort() = default;
    // Creates the key (and the keys above it) when it is missing; opens it otherwise.
    virtual LONG CreateKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) = 0;
    virtual LONG OpenKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) = 0;
    virtual LONG CloseKey(HKEY key) = 0;
    // The key with everything below it.
    virtual LONG DeleteTree(HKEY base, const char* subKey) = 0;
    // `data` may be null to ask only for the type and the size.
    virtual LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) = 0;
    virtual LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) = 0;
    virtual LONG DeleteValue(HKEY key, const char* name) = 0;
};

// The port in use: the real one unless another was installed.
IRegistryPort& RegistryPort();

// Installs a port for the calls that follow; nullptr puts the real one back. The caller keeps the port
// alive while it is installed, and closes the keys it opened through it before putting it away.
void SetRegistryPort(IRegistryPort* port);

} // namespace zv
