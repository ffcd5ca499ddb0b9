#include "tests/support/GdiLedger.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace zv::test {

namespace {

struct LedgerState {
    std::map<void*, const char*> live; // handle -> function that made it
    std::map<std::string, int> made;
    std::map<std::string, int> calls;
};

LedgerState* g_state = nullptr;

void Made(const char* maker, void* handle)
{
    if (!g_state)
        return;
    ++g_state->calls[maker];
    if (!handle)
        return;
    ++g_state->made[maker];
    g_state->live[handle] = maker;
}

void Freed(const char* function, void* handle, bool ok)
{
    if (!g_state)
        return;
    ++g_state->calls[function];
    if (ok)
        g_state->live.erase(handle);
}

// The real functions, and a counting wrapper for each that the import table is pointed at.
#define ZV_REAL(name) decltype(&::name) real_##name = nullptr;
#define ZV_MAKER(Ret, name, params, args)                                                                       \
    ZV_REAL(name)                                                                                               \
    Ret WINAPI Counted_##name params                                                                            \
    {                                                                                                           \
        Ret made = real_##name args;                                                                            \
        Made(#name, reinterpret_cast<void*>(made));                                                             \
        return made;                                                                                            \
    }

ZV_MAKER(HPEN, CreatePen, (int style, int width, COLORREF color), (style, width, color))
ZV_MAKER(HPEN, CreatePenIndirect, (const LOGPEN* lp), (lp))
ZV_MAKER(HPEN, ExtCreatePen, (DWORD style, DWORD width, const LOGBRUSH* lb, DWORD n, const DWORD* st),
         (style, width, lb, n, st))
ZV_MAKER(HBRUSH, CreateSolidBrush, (COLORREF color), (color))
ZV_MAKER(HBRUSH, CreateHatchBrush, (int hatch, COLORREF color), (hatch, color))
ZV_MAKER(HBRUSH, CreateBrushIndirect, (const LOGBRUSH* lb), (lb))
ZV_MAKER(HBRUSH, CreatePatternBrush, (HBITMAP bmp), (bmp))
ZV_MAKER(HBRUSH, CreateDIBPatternBrushPt, (const void* p, UINT usage), (p, usage))
ZV_MAKER(HFONT, CreateFontIndirectA, (const LOGFONTA* lf), (lf))
ZV_MAKER(HFONT, CreateFontIndirectW, (const LOGFONTW* lf), (lf))
ZV_MAKER(HFONT, CreateFontA,
         (int h, int w, int e, int o, int wt, DWORD i, DWORD u, DWORD s, DWORD cs, DWORD op, DWORD cp, DWORD q,
          DWORD pf, LPCSTR face),
         (h, w, e, o, wt, i, u, s, cs, op, cp, q, pf, face))
ZV_MAKER(HBITMAP, CreateBitmap, (int w, int h, UINT planes, UINT bpp, const void* bits), (w, h, planes, bpp, bits))
ZV_MAKER(HBITMAP, CreateBitmapIndirect, (const BITMAP* bm), (bm))
ZV_MAKER(HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
ZV_MAKER(HBITMAP, CreateDIBSection, (HDC dc, const BITMAPINFO* bi, UINT usage, void** bits, HANDLE sec, DWORD off),
         (dc, bi, usage, bits, sec, off))
ZV_MAKER(HBITMAP, CreateDIBitmap, (HDC dc, const BITMAPINFOHEADER* bh, DWORD init, const void* bits,
                                   const BITMAPINFO* bi, UINT usage),
         (dc, bh, init, bits, bi, usage))
ZV_MAKER(HRGN, CreateRectRgn, (int l, int t, int r, int b), (l, t, r, b))
ZV_MAKER(HRGN, CreateRectRgnIndirect, (const RECT* r), (r))
ZV_MAKER(HRGN, CreateEllipticRgn, (int l, int t, int r, int b), (l, t, r, b))
ZV_MAKER(HRGN, CreateRoundRectRgn, (int l, int t, int r, int b, int w, int h), (l, t, r, b, w, h))
ZV_MAKER(HRGN, CreatePolygonRgn, (const POINT* p, int n, int mode), (p, n, mode))
ZV_MAKER(HDC, CreateCompatibleDC, (HDC dc), (dc))
ZV_MAKER(HDC, CreateDCA, (LPCSTR d, LPCSTR dev, LPCSTR o, const DEVMODEA* dm), (d, dev, o, dm))
ZV_MAKER(HDC, CreateICA, (LPCSTR d, LPCSTR dev, LPCSTR o, const DEVMODEA* dm), (d, dev, o, dm))
ZV_MAKER(HDC, GetDC, (HWND wnd), (wnd))
ZV_MAKER(HDC, GetWindowDC, (HWND wnd), (wnd))
ZV_MAKER(HDC, GetDCEx, (HWND wnd, HRGN clip, DWORD flags), (wnd, clip, flags))
ZV_MAKER(HBITMAP, LoadBitmapA, (HINSTANCE inst, LPCSTR name), (inst, name))
ZV_MAKER(HANDLE, CopyImage, (HANDLE h, UINT type, int cx, int cy, UINT flags), (h, type, cx, cy, flags))

// Images other than bitmaps (icons, cursors) are freed by their own functions; only bitmaps count here.
ZV_REAL(LoadImageA)
HANDLE WINAPI Counted_LoadImageA(HINSTANCE inst, LPCSTR name, UINT type, int cx, int cy, UINT flags)
{
    HANDLE h = real_LoadImageA(inst, name, type, cx, cy, flags);
    if (type == IMAGE_BITMAP)
        Made("LoadImageA", h);
    return h;
}

ZV_REAL(DeleteObject)
BOOL WINAPI Counted_DeleteObject(HGDIOBJ h)
{
    const BOOL ok = real_DeleteObject(h);
    Freed("DeleteObject", h, ok != FALSE);
    return ok;
}

ZV_REAL(DeleteDC)
BOOL WINAPI Counted_DeleteDC(HDC dc)
{
    const BOOL ok = real_DeleteDC(dc);
    Freed("DeleteDC", dc, ok != FALSE);
    return ok;
}

ZV_REAL(ReleaseDC)
int WINAPI Counted_ReleaseDC(HWND wnd, HDC dc)
{
    const int ok = real_ReleaseDC(wnd, dc);
    Freed("ReleaseDC", dc, ok != 0);
    return ok;
}

#undef ZV_MAKER
#undef ZV_REAL

struct Hook {
    const char* dll;
    const char* name;
    void** real;
    void* counted;
};

#define ZV_HOOK(dll, name) {dll, #name, reinterpret_cast<void**>(&real_##name), reinterpret_cast<void*>(&Counted_##name)}
const Hook kHooks[] = {
    ZV_HOOK("gdi32.dll", CreatePen),          ZV_HOOK("gdi32.dll", CreatePenIndirect),
    ZV_HOOK("gdi32.dll", ExtCreatePen),       ZV_HOOK("gdi32.dll", CreateSolidBrush),
    ZV_HOOK("gdi32.dll", CreateHatchBrush),   ZV_HOOK("gdi32.dll", CreateBrushIndirect),
    ZV_HOOK("gdi32.dll", CreatePatternBrush), ZV_HOOK("gdi32.dll", CreateDIBPatternBrushPt),
    ZV_HOOK("gdi32.dll", CreateFontIndirectA), ZV_HOOK("gdi32.dll", CreateFontIndirectW),
    ZV_HOOK("gdi32.dll", CreateFontA),        ZV_HOOK("gdi32.dll", CreateBitmap),
    ZV_HOOK("gdi32.dll", CreateBitmapIndirect), ZV_HOOK("gdi32.dll", CreateCompatibleBitmap),
    ZV_HOOK("gdi32.dll", CreateDIBSection),   ZV_HOOK("gdi32.dll", CreateDIBitmap),
    ZV_HOOK("gdi32.dll", CreateRectRgn),      ZV_HOOK("gdi32.dll", CreateRectRgnIndirect),
    ZV_HOOK("gdi32.dll", CreateEllipticRgn),  ZV_HOOK("gdi32.dll", CreateRoundRectRgn),
    ZV_HOOK("gdi32.dll", CreatePolygonRgn),   ZV_HOOK("gdi32.dll", CreateCompatibleDC),
    ZV_HOOK("gdi32.dll", CreateDCA),          ZV_HOOK("gdi32.dll", CreateICA),
    ZV_HOOK("gdi32.dll", DeleteObject),       ZV_HOOK("gdi32.dll", DeleteDC),
    ZV_HOOK("user32.dll", GetDC),             ZV_HOOK("user32.dll", GetWindowDC),
    ZV_HOOK("user32.dll", GetDCEx),           ZV_HOOK("user32.dll", ReleaseDC),
    ZV_HOOK("user32.dll", LoadBitmapA),       ZV_HOOK("user32.dll", LoadImageA),
    ZV_HOOK("user32.dll", CopyImage),
};
#undef ZV_HOOK

void WriteEntry(void** slot, void* value)
{
    DWORD old = 0;
    if (::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &old)) {
        *slot = value;
        ::VirtualProtect(slot, sizeof(void*), old, &old);
    }
}

// Points every import-table entry of this binary that names one of the hooked functions at its
// counting wrapper. Done once; with no ledger alive the wrappers only pass the call on.
int PatchImports()
{
    for (const Hook& h : kHooks) {
        HMODULE dll = ::GetModuleHandleA(h.dll);
        if (!dll)
            dll = ::LoadLibraryA(h.dll);
        *h.real = dll ? reinterpret_cast<void*>(::GetProcAddress(dll, h.name)) : nullptr;
    }
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress)
        return 0;
    int patched = 0;
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
        auto* iat = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
        auto* names = imp->OriginalFirstThunk ? reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->OriginalFirstThunk)
                                              : nullptr;
        const char* dllName = reinterpret_cast<const char*>(base + imp->Name);
        for (int i = 0; iat[i].u1.Function; ++i) {
            void** slot = reinterpret_cast<void**>(&iat[i].u1.Function);
            const char* byName = nullptr;
            if (names && !IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal))
                byName = reinterpret_cast<const char*>(
                    reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names[i].u1.AddressOfData)->Name);
            for (const Hook& h : kHooks) {
                const bool sameName = byName && _stricmp(dllName, h.dll) == 0 && std::strcmp(byName, h.name) == 0;
                const bool sameAddress = *h.real && *slot == *h.real;
                if (*h.real && (sameName || sameAddress)) {
                    WriteEntry(slot, h.counted);
                    ++patched;
                    break;
                }
            }
        }
    }
    return patched;
}

int Patched()
{
    static const int n = PatchImports();
    return n;
}

} // namespace

std::ostream& operator<<(std::ostream& os, const GdiTally& t)
{
    os << t.total;
    if (!t.byMaker.empty()) {
        os << " (";
        bool first = true;
        for (const auto& [maker, n] : t.byMaker) {
            os << (first ? "" : ", ") << maker << ' ' << n;
            first = false;
        }
        os << ')';
    }
    return os;
}

GdiLedger::GdiLedger()
{
    if (g_state)
        throw std::logic_error("GdiLedger: ledgers do not nest");
    Patched();
    g_state = new LedgerState;
}

GdiLedger::~GdiLedger()
{
    delete g_state;
    g_state = nullptr;
}

GdiTally GdiLedger::Outstanding() const
{
    GdiTally t;
    for (const auto& [handle, maker] : g_state->live) {
        ++t.total;
        ++t.byMaker[maker];
    }
    return t;
}

GdiTally GdiLedger::Made() const
{
    GdiTally t;
    for (const auto& [maker, n] : g_state->made) {
        t.total += n;
        t.byMaker[maker] = n;
    }
    return t;
}

int GdiLedger::Calls(const std::string& function) const
{
    auto it = g_state->calls.find(function);
    return it == g_state->calls.end() ? 0 : it->second;
}

void GdiLedger::Reset() { *g_state = LedgerState{}; }

int GdiLedger::PatchedEntries() { return Patched(); }

} // namespace zv::test
