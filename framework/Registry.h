// Registry access: one root key, one current key, values read and written by name. Failures of the
// value calls raise ERegistryException with the framework's messages; key calls answer with a bool.
// Every call goes through the registry port (framework/RegistryPort.h).
#pragma once

#include <windows.h>

#include <string>

#include "framework/Component.h"

namespace zv {

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
public:
    TRegistry();
    explicit TRegistry(REGSAM access);
    ~TRegistry() override;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Closes the current key: its path meant something only under the old root.
    void SetRootKey(HKEY key);
    // The rights asked for by OpenKey; a key already open keeps the rights it was opened with. A registry
    // view given here (KEY_WOW64_32KEY or KEY_WOW64_64KEY) also holds for OpenKeyReadOnly and KeyExists.
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM access) { access_ = access; }
    HKEY CurrentKey() const { return currentKey_; }
    // Path of the current key below the root, without a leading backslash.
    const std::string& CurrentPath() const { return currentPath_; }

    // A path with a leading backslash starts at the root key; any other path starts at the current key
    // (or at the root when none is open). On success the opened key becomes the current key.
    bool OpenKey(const std::string& key, bool canCreate);
    // Opens with read rights only, whatever else Access says.
    bool OpenKeyReadOnly(const std::string& key);
    void CloseKey();
    bool KeyExists(const std::string& key);
    // Removes the key with everything below it, in the process's own registry view.
    bool DeleteKey(const std::string& key);

    // Value calls work on the current key.
    bool ValueExists(const std::string& name);
    // rdUnknown for a missing value and for types the framework does not read.
    TRegDataType GetDataType(const std::string& name);
    bool DeleteValue(const std::string& name);
    // The value must be a 32-bit integer; anything else, a missing value included, is
    // "Invalid data type for '<name>'".
    int ReadInteger(const std::string& name);
    // Raises "Failed to set data for '<name>'" when the write is refused or no key is open.
    void WriteInteger(const std::string& name, int value);

private:
    // The key a path starts from; `relative` is the path below it, `fullPath` the path below the root.
    HKEY BaseKey(const std::string& key, std::string& relative, std::string& fullPath) const;
    bool Open(const std::string& key, bool canCreate, REGSAM access);
    LONG QueryType(const std::string& name, DWORD& type) const;

    HKEY rootKey_ = HKEY_CURRENT_USER;
    REGSAM access_ = KEY_ALL_ACCESS;
    HKEY currentKey_ = nullptr;
    std::string currentPath_;
};

} // namespace zv
