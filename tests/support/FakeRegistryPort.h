// A registry in memory, as a 64-bit program on 64-bit Windows sees it, for what Wine cannot show:
// keys closed to writing (a standard user under HKEY_LOCAL_MACHINE\Software) and the 32-bit view
// (KEY_WOW64_32KEY under HKLM\Software reaches HKLM\Software\WOW6432Node). Constructing one installs
// it; destroying it puts back whatever port was installed before.
#pragma once

#include "framework/RegistryPort.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zv {

class TFakeRegistryPort final : public IRegistryPort {
public:
    TFakeRegistryPort();
    ~TFakeRegistryPort() override;
    TFakeRegistryPort(const TFakeRegistryPort&) = delete;
    TFakeRegistryPort& operator=(const TFakeRegistryPort&) = delete;

    // Keys are named from their hive: "HKLM\Software\Zavrin4", "HKCU\Software\Zavrin4".
    // The key and the keys below it may be read, but nothing may be created, changed or removed there,
    // as Windows answers a standard user under HKLM\Software: ERROR_ACCESS_DENIED.
    void DenyWrites(const std::string& key);
    void AddKey(const std::string& key);
    void SetDword(const std::string& key, const std::string& name, DWORD value);
    void SetText(const std::string& key, const std::string& name, const std::string& text);
    // A value of any type and size, as another program may have written it.
    void SetRaw(const std::string& key, const std::string& name, DWORD type, const std::vector<BYTE>& data);
    bool KeyExists(const std::string& key) const;
    // nullopt when the key or the value is missing, or the value is no REG_DWORD.
    std::optional<DWORD> Dword(const std::string& key, const std::string& name) const;
    int OpenHandles() const { return static_cast<int>(handles_.size()); }

    LONG CreateKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) override;
    LONG OpenKey(HKEY base, const char* subKey, REGSAM access, HKEY* result) override;
    LONG CloseKey(HKEY key) override;
    LONG DeleteTree(HKEY base, const char* subKey) override;
    LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) override;
    LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size) override;
    LONG DeleteValue(HKEY key, const char* name) override;

private:
    struct TValue {
        DWORD type;
        std::vector<BYTE> data;
    };
    using TKey = std::map<std::string, TValue>; // by value name, lower case
    struct THandle {
        std::string path;
        REGSAM access;
    };

    // The key's full path in lower case, or nothing for a base that is no key of this registry.
    std::optional<std::string> Resolve(HKEY base, const char* subKey, REGSAM access) const;
    bool Denied(const std::string& path) const;
    HKEY NewHandle(const std::string& path, REGSAM access);
    const THandle* Handle(HKEY key) const;
    // The values of the key behind `key` opened for writing them, or the error Windows gives instead.
    TKey* WritableValues(HKEY key, LONG& error);

    IRegistryPort* previous_;
    std::map<std::string, TKey> keys_;
    std::vector<std::string> denied_;
    std::map<std::uintptr_t, THandle> handles_;
    std::uintptr_t next_ = 0x7a000;
};

} // namespace zv
