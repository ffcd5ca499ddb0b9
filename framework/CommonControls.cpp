#include "framework/CommonControls.h"

#include "framework/SystemLibrary.h"

namespace zv {

namespace {

// Loaded once, on the first call; the module stays for the life of the process.
HMODULE ComCtl32()
{
    static HMODULE module = LoadSystemLibrary("comctl32.dll");
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
