#include "framework/SystemLibrary.h"

#include <cstring>

namespace zv {

HMODULE LoadSystemLibrary(const char* name)
{
    char path[MAX_PATH];
    const UINT n = ::GetSystemDirectoryA(path, MAX_PATH);
    const size_t len = std::strlen(name);
    if (n == 0 || n + 1 + len >= MAX_PATH)
        return nullptr;
    path[n] = '\\';
    std::memcpy(path + n + 1, name, len + 1);
    // The altered search path makes the DLL's own dependencies come from its folder too.
    return ::LoadLibraryExA(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace zv
