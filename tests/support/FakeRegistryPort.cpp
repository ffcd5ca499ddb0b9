#include "tests/support/FakeRegistryPort.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace zv {

namespace {

// The rights Windows refuses a user on a key they may only read.
// https://learn.microsoft.com/en-us/windows/win32/sysinfo/registry-key-security-and-access-rights
constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

bool Below(const std::string& path, const std::string& key)
{
    return path == key || (path.size() > key.size() && path.compare(0, key.size(), key) == 0 && path[key.size()] == '\\');
}

} // namespace

TFakeRegistryPort::TFakeRegistryPort() : previous_(&RegistryPort())
{
    keys_["hkcu"];
    keys_["hkcu\\software"];
    keys_["hklm"];
    keys_["hklm\\software"];
    SetRegistryPort(this);
}

TFakeRegistryPort::~TFakeRegistryPort()
{
    SetRegistryPort(previous_);
}

void TFakeRegistryPort::DenyWrites(const std::string& key)
{
    denied_.push_back(Lower(key));
}

void TFakeRegistryPort::AddKey(const std::string& key)
{
    std::string path = Lower(key);
    for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
        keys_[path.substr(0, at)];
    keys_[path];
}

void TFakeRegistryPort::SetDword(const std::string& key, const std::string& name, DWORD value)
{
    AddKey(key);
    TValue& v = keys_[Lower(key)][Lower(name)];
    v.type = REG_DWORD;
    v.data.assign(reinterpret_cast<const BYTE*>(&value), reinterpret_cast<const BYTE*>(&value) + sizeof value);
}

void TFakeRegistryPort::SetText(const std::string& key, const std::string& name, const std::string& text)
{
    AddKey(key);
    TValue& v = keys_[Lower(key)][Lower(name)];
    v.type = REG_SZ;
    v.data.assign(text.begin(), text.end());
    v.data.push_back(0);
}

void TFakeRegistryPort::SetRaw(const std::string& key, const std::string& name, DWORD type, const std::vector<BYTE>& data)
{
    AddKey(key);
    TValue& v = keys_[Lower(key)][Lower(name)];
    v.type = type;
    v.data = data;
}

bool TFakeRegistryPort::KeyExists(const std::string& key) const
{
    return keys_.count(Lower(key)) != 0;
}

std::optional<DWORD> TFakeRegistryPort::Dword(const std::string& key, const std::string& name) const
{
    const auto k = keys_.find(Lower(key));
    if (k == keys_.end())
        return std::nullopt;
    const auto v = k->second.find(Lower(name));
    if (v == k->second.end() || v->second.type != REG_DWORD || v->second.data.size() != sizeof(DWORD))
        return std::nullopt;
    DWORD value;
    std::memcpy(&value, v->second.data.data(), sizeof value);
    return value;
}

std::optional<std::string> TFakeRegistryPort::Resolve(HKEY base, const char* subKey, REGSAM access) const
{
    std::string path;
    if (base == HKEY_CURRENT_USER)
        path = "hkcu";
    else if (base == HKEY_LOCAL_MACHINE)
        path = "hklm";
    else if (const THandle* h = Handle(base))
        path = h->path;
    else
        return std::nullopt;
    const std::string sub = Lower(subKey ? subKey : "");
    if (!sub.empty())
        path += "\\" + sub;
    // The registry redirector: a 64-bit program reaches the 32-bit programs' HKLM\Software on asking
    // for the 32-bit view. https://learn.microsoft.com/en-us/windows/win32/winprog64/registry-redirector
    const std::string software = "hklm\\software";
    if ((access & KEY_WOW64_32KEY) && Below(path, software) && !Below(path, software + "\\wow6432node"))
        path.insert(software.size(), "\\wow6432node");
    return path;
}

bool TFakeRegistryPort::Denied(const std::string& path) const
{
    return std::any_of(denied_.begin(), denied_.end(), [&](const std::string& d) { return Below(path, d); });
}

HKEY TFakeRegistryPort::NewHandle(const std::string& path, REGSAM access)
{
    next_ += 4;
    handles_[next_] = {path, access};
    return reinterpret_cast<HKEY>(next_);
}

const TFakeRegistryPort::THandle* TFakeRegistryPort::Handle(HKEY key) const
{
    const auto h = handles_.find(reinterpret_cast<std::uintptr_t>(key));
    return h == handles_.end() ? nullptr : &h->second;
}

LONG TFakeRegistryPort::CreateKey(HKEY base, const char* subKey, REGSAM access, HKEY* result)
{
    const auto path = Resolve(base, subKey, access);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (!keys_.count(*path)) {
        if (Denied(*path))
            return ERROR_ACCESS_DENIED;
        AddKey(*path);
    }
    return OpenKey(base, subKey, access, result);
}

LONG TFakeRegistryPort::OpenKey(HKEY base, const char* subKey, REGSAM access, HKEY* result)
{
    const auto path = Resolve(base, subKey, access);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (!keys_.count(*path))
        return ERROR_FILE_NOT_FOUND;
    if ((access & kWriteRights) && Denied(*path))
        return ERROR_ACCESS_DENIED;
    *result = NewHandle(*path, access);
    return ERROR_SUCCESS;
}

LONG TFakeRegistryPort::CloseKey(HKEY key)
{
    return handles_.erase(reinterpret_cast<std::uintptr_t>(key)) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG TFakeRegistryPort::DeleteTree(HKEY base, const char* subKey)
{
    const auto path = Resolve(base, subKey, 0);
    if (!path)
        return ERROR_INVALID_HANDLE;
    if (!keys_.count(*path))
        return ERROR_FILE_NOT_FOUND;
    if (Denied(*path))
        return ERROR_ACCESS_DENIED;
    for (auto k = keys_.begin(); k != keys_.end();)
        k = Below(k->first, *path) ? keys_.erase(k) : std::next(k);
    return ERROR_SUCCESS;
}

LONG TFakeRegistryPort::QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    const THandle* h = Handle(key);
    if (!h)
        return ERROR_INVALID_HANDLE;
    if (!(h->access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const auto k = keys_.find(h->path);
    if (k == keys_.end())
        return ERROR_KEY_DELETED;
    const auto v = k->second.find(Lower(name ? name : ""));
    if (v == k->second.end())
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = v->second.type;
    const DWORD needed = static_cast<DWORD>(v->second.data.size());
    if (data) {
        if (!size || *size < needed) {
            if (size)
                *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, v->second.data.data(), needed);
    }
    if (size)
        *size = needed;
    return ERROR_SUCCESS;
}

TFakeRegistryPort::TKey* TFakeRegistryPort::WritableValues(HKEY key, LONG& error)
{
    const THandle* h = Handle(key);
    error = !h ? ERROR_INVALID_HANDLE
            : !(h->access & KEY_SET_VALUE) || Denied(h->path) ? ERROR_ACCESS_DENIED
            : ERROR_SUCCESS;
    if (error != ERROR_SUCCESS)
        return nullptr;
    const auto k = keys_.find(h->path);
    if (k == keys_.end()) {
        error = ERROR_KEY_DELETED;
        return nullptr;
    }
    return &k->second;
}

LONG TFakeRegistryPort::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    LONG error;
    TKey* values = WritableValues(key, error);
    if (values)
        (*values)[Lower(name ? name : "")] = {type, std::vector<BYTE>(data, data + size)};
    return error;
}

LONG TFakeRegistryPort::DeleteValue(HKEY key, const char* name)
{
    LONG error;
    TKey* values = WritableValues(key, error);
    if (!values)
        return error;
    return values->erase(Lower(name ? name : "")) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

} // namespace zv
