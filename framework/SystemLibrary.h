#pragma once

#include <windows.h>

namespace zv {

// Windows' loader takes a DLL that is not one of the system's KnownDLLs from the program's own folder
// before System32, and our users run the program from wherever the browser saved it (Downloads, beside
// whatever else was saved there). So every DLL the program does not import by name is loaded here, and
// only here, by the full path of the system directory (learn.microsoft.com, "Dynamic-link library
// search order", "Dynamic-Link Library Security"). Null when the DLL cannot be loaded from there.
HMODULE LoadSystemLibrary(const char* name);

// A function of a module, typed; null when the module is null or lacks it.
template <class Fn>
Fn SystemFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

} // namespace zv
