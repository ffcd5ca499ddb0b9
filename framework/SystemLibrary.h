#pragma once

#include <windows.h>

namespace zv {

// Windows' loader takes a DLL that is not one of the system's KnownDLLs from the program's own folder
// before System32, and our users run the program from wherever the browser saved it (Downloads, beside
// whatever else was saved there). So every DLL the program does not import by name is loaded here, and
// only here, by the full path of the system directory (learn.microsoft.com, "Dynamic-link library
// search order", "Dynamic-Link Library Security"). `name` is a bare file name ("oleacc.dll"); a name
// with a folder or drive in it is refused. Null when the DLL cannot be loaded from there.
HMODULE LoadSystemLibrary(const char* name);

// A function of a module, typed; null when the module is null or lacks it.
template <class Fn>
Fn SystemFunction(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

// The full path of `name` in the system directory, written to `path` (of `size` characters); false when
// the name is not a bare file name or the path does not fit.
bool SystemLibraryPath(const char* name, wchar_t* path, UINT size);

// The first thing the program does: what the system DLLs load on its behalf (themes, accessibility,
// input methods) comes from System32 too, never from the program's folder or the current one. Where
// the call does not exist (Windows 7 without KB2533623) the loader keeps its default order, and every
// DLL of ours still comes through LoadSystemLibrary. True when the restriction is in force.
bool RestrictDllSearchToSystem();

} // namespace zv
