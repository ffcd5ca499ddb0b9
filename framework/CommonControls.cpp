#include "framework/CommonControls.h"

#include "framework/SystemLibrary.h"

namespace zv {

namespace {

HMODULE LoadComCtl32()
{
    // comctl32 takes the themes DLL on its first themed call, and that one its blending DLL, each by
    // bare name when first needed (a delay-loaded import). Where the default search cannot be
    // restricted (Windows 7 without KB2533623) that search starts in the program's folder; so both
    // come first from the system directory, and are found already loaded.
    LoadSystemLibrary("msimg32.dll");
    LoadSystemLibrary("uxtheme.dll");
    return LoadSystemLibrary("comctl32.dll");
}

// Loaded once, on the first call; the module stays for the life of the process.
HMODULE ComCtl32()
{
    static HMODULE module = LoadComCtl32();
    return module;
}

template <class Fn>
Fn ComCtl(const char* name)
{
    return SystemFunction<Fn>(ComCtl32(), name);
}

} // namespace

bool InitCommonControlClasses(DWORD classes)
{
    static const auto init = ComCtl<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
    const INITCOMMONCONTROLSEX icc{sizeof icc, classes};
    return init && init(&icc);
}

HIMAGELIST ImageListCreate(int cx, int cy, UINT flags, int initial, int grow)
{
    static const auto create = ComCtl<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>("ImageList_Create");
    return create ? create(cx, cy, flags, initial, grow) : nullptr;
}

BOOL ImageListDestroy(HIMAGELIST list)
{
    static const auto destroy = ComCtl<BOOL(WINAPI*)(HIMAGELIST)>("ImageList_Destroy");
    return destroy && list ? destroy(list) : FALSE;
}

int ImageListAddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask)
{
    static const auto add = ComCtl<int(WINAPI*)(HIMAGELIST, HBITMAP, COLORREF)>("ImageList_AddMasked");
    return add && list ? add(list, image, mask) : -1;
}

BOOL ImageListRemoveAll(HIMAGELIST list)
{
    // ImageList_RemoveAll is ImageList_Remove of index -1.
    static const auto remove = ComCtl<BOOL(WINAPI*)(HIMAGELIST, int)>("ImageList_Remove");
    return remove && list ? remove(list, -1) : FALSE;
}

} // namespace zv
