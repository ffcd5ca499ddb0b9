#include "framework/Registry.h"

#include "framework/RegistryPort.h"
#include "framework/SysUtils.h"

namespace zv {

namespace {

// The registry view asked for (KEY_WOW64_32KEY, KEY_WOW64_64KEY) is part of the rights: it holds for
// every key the instance opens or probes.
// https://learn.microsoft.com/en-us/windows/win32/winprog64/accessing-an-alternate-registry-view
constexpr REGSAM kViewBits = KEY_WOW64_32KEY | KEY_WOW64_64KEY;

[[noreturn]] void RaiseInvalidType(const std::string& name)
{
    throw ERegistryException(Format("Invalid data type for '%s'", name.c_str()));
}

} // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry()
{
    CloseKey();
}

void TRegistry::SetRootKey(HKEY key)
{
    if (key == rootKey_)
        return;
    CloseKey();
    rootKey_ = key;
}

HKEY TRegistry::BaseKey(const std::string& key, std::string& relative, std::string& fullPath) const
{
    if (!key.empty() && key[0] == '\\') {
        relative = key.substr(1);
        fullPath = relative;
        return rootKey_;
    }
    relative = key;
    if (!currentKey_) {
        fullPath = key;
        return rootKey_;
    }
    fullPath = currentPath_.empty() ? key : key.empty() ? currentPath_ : currentPath_ + "\\" + key;
    return currentKey_;
}

bool TRegistry::Open(const std::string& key, bool canCreate, REGSAM access)
{
    std::string relative, fullPath;
    const HKEY base = BaseKey(key, relative, fullPath);
    HKEY opened = nullptr;
    LONG result;
    if (canCreate && !relative.empty())
        result = RegistryPort().CreateKey(base, relative.c_str(), access, &opened);
    else
        result = RegistryPort().OpenKey(base, relative.c_str(), access, &opened);
    if (result != ERROR_SUCCESS)
        return false;
    // The old current key may be the base just used; it is closed only once the new one is open.
    CloseKey();
    currentKey_ = opened;
    currentPath_ = fullPath;
    return true;
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate)
{
    return Open(key, canCreate, access_);
}

bool TRegistry::OpenKeyReadOnly(const std::string& key)
{
    // Some keys grant reading values but not listing subkeys; fall back to the narrower right.
    const REGSAM view = access_ & kViewBits;
    return Open(key, false, KEY_READ | view) || Open(key, false, KEY_QUERY_VALUE | view);
}

void TRegistry::CloseKey()
{
    if (currentKey_) {
        RegistryPort().CloseKey(currentKey_);
        currentKey_ = nullptr;
    }
    currentPath_.clear();
}

bool TRegistry::KeyExists(const std::string& key)
{
    std::string relative, fullPath;
    const HKEY base = BaseKey(key, relative, fullPath);
    HKEY probe = nullptr;
    const LONG result = RegistryPort().OpenKey(base, relative.c_str(), KEY_QUERY_VALUE | (access_ & kViewBits), &probe);
    if (result == ERROR_SUCCESS)
        RegistryPort().CloseKey(probe);
    // A key we may not read is still there.
    return result == ERROR_SUCCESS || result == ERROR_ACCESS_DENIED;
}

bool TRegistry::DeleteKey(const std::string& key)
{
    std::string relative, fullPath;
    const HKEY base = BaseKey(key, relative, fullPath);
    // An empty path would name the base key itself and empty it.
    if (relative.empty())
        return false;
    return RegistryPort().DeleteTree(base, relative.c_str()) == ERROR_SUCCESS;
}

LONG TRegistry::QueryType(const std::string& name, DWORD& type) const
{
    type = REG_NONE;
    if (!currentKey_)
        return ERROR_INVALID_HANDLE;
    DWORD size = 0;
    return RegistryPort().QueryValue(currentKey_, name.c_str(), &type, nullptr, &size);
}

bool TRegistry::ValueExists(const std::string& name)
{
    DWORD type;
    return QueryType(name, type) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const std::string& name)
{
    DWORD type;
    if (QueryType(name, type) != ERROR_SUCCESS)
        return rdUnknown;
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return currentKey_ && RegistryPort().DeleteValue(currentKey_, name.c_str()) == ERROR_SUCCESS;
}

int TRegistry::ReadInteger(const std::string& name)
{
    DWORD type;
    LONG result = QueryType(name, type);
    if (result == ERROR_FILE_NOT_FOUND || (result == ERROR_SUCCESS && type != REG_DWORD))
        RaiseInvalidType(name);
    DWORD value = 0;
    DWORD size = sizeof value;
    if (result == ERROR_SUCCESS)
        result = RegistryPort().QueryValue(currentKey_, name.c_str(), &type, reinterpret_cast<BYTE*>(&value), &size);
    if (result != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to get data for '%s'", name.c_str()));
    // A REG_DWORD stored with fewer bytes is not a 32-bit integer either.
    if (type != REG_DWORD || size != sizeof value)
        RaiseInvalidType(name);
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const std::string& name, int value)
{
    const DWORD data = static_cast<DWORD>(value);
    const LONG result = currentKey_ ? RegistryPort().SetValue(currentKey_, name.c_str(), REG_DWORD,
                                                              reinterpret_cast<const BYTE*>(&data), sizeof data)
                                    : ERROR_INVALID_HANDLE;
    if (result != ERROR_SUCCESS)
        throw ERegistryException(Format("Failed to set data for '%s'", name.c_str()));
}

} // namespace zv
