#include "framework/SystemLibrary.h"

namespace zv {

bool SystemLibraryPath(const char* name, wchar_t* path, UINT size)
{
    if (!name || !*name || !path || size == 0)
        return false;
    UINT len = 0;
    for (const char* c = name; *c; ++c, ++len)
        // A folder, a drive or a stream would reach outside the system directory.
        if (*c == '\\' || *c == '/' || *c == ':' || static_cast<unsigned char>(*c) >= 0x80)
            return false;
    if (name[0] == '.' && (len == 1 || (len == 2 && name[1] == '.')))
        return false;
    const UINT n = ::GetSystemDirectoryW(path, size);
    if (n == 0 || n + 1 + len >= size)
        return false;
    path[n] = L'\\';
    for (UINT i = 0; i <= len; ++i)
        path[n + 1 + i] = static_cast<wchar_t>(name[i]);
    return true;
}

HMODULE LoadSystemLibrary(const char* name)
{
    wchar_t path[MAX_PATH];
    if (!SystemLibraryPath(name, path, MAX_PATH))
        return nullptr;
    // With a full path, the altered search order starts the DLL's own dependencies in its folder, the
    // system directory, instead of the program's (LoadLibraryEx, LOAD_WITH_ALTERED_SEARCH_PATH).
    return ::LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

bool RestrictDllSearchToSystem()
{
    // kernel32 is a KnownDLL and already mapped: asking it for the function loads nothing.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto set = SystemFunction<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"),
                                                                 "SetDefaultDllDirectories");
    return set && set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace zv
