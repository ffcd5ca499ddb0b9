// The common controls library, reached at run time. comctl32 is not a KnownDLL, and without a
// common-controls-6 dependency in the manifest nothing redirects it, so importing it by name would
// take a comctl32.dll lying beside the program before the system's. The few functions the program
// calls are looked up here, in the system directory's copy (LoadSystemLibrary).
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace zv {

// Registers the common control classes named (ICC_* flags); false when the library or the call is
// missing or the registration fails.
bool InitCommonControlClasses(DWORD classes);

// The image-list calls, each as its comctl32 namesake; each does nothing and returns failure (null,
// FALSE, -1) when the library cannot be loaded.
HIMAGELIST ImageListCreate(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageListDestroy(HIMAGELIST list);
int ImageListAddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
BOOL ImageListRemoveAll(HIMAGELIST list);

} // namespace zv
