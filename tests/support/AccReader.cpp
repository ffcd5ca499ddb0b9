#include "tests/support/AccReader.h"

#include <utility>

#include "tests/support/TestUtil.h"

namespace zv::test {

namespace {

// The import libraries give this as a function stub on some targets; the value itself is fixed.
const GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

VARIANT Id(long child)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

std::string Take(BSTR b)
{
    std::string s;
    if (b) {
        const int n = ::WideCharToMultiByte(CP_ACP, 0, b, static_cast<int>(::SysStringLen(b)), nullptr, 0, nullptr, nullptr);
        s.resize(static_cast<size_t>(n));
        ::WideCharToMultiByte(CP_ACP, 0, b, static_cast<int>(::SysStringLen(b)), s.data(), n, nullptr, nullptr);
        ::SysFreeString(b);
    }
    return s;
}

TAccReader FromDispatch(IDispatch* d)
{
    IAccessible* acc = nullptr;
    if (d) {
        d->QueryInterface(kIID_IAccessible, reinterpret_cast<void**>(&acc));
        d->Release();
    }
    return TAccReader(acc);
}

TWinEventLog* g_log = nullptr;

} // namespace

TAccReader::TAccReader(HWND h)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible, reinterpret_cast<void**>(&acc_));
}

TAccReader::~TAccReader()
{
    if (acc_)
        acc_->Release();
}

TAccReader& TAccReader::operator=(TAccReader&& o) noexcept
{
    std::swap(acc_, o.acc_);
    return *this;
}

long TAccReader::Role(long child) const
{
    VARIANT r;
    ::VariantInit(&r);
    if (!acc_ || FAILED(acc_->get_accRole(Id(child), &r)) || r.vt != VT_I4)
        return -1;
    return r.lVal;
}

unsigned TAccReader::State(long child) const
{
    VARIANT r;
    ::VariantInit(&r);
    if (!acc_ || FAILED(acc_->get_accState(Id(child), &r)) || r.vt != VT_I4)
        return 0xFFFFFFFFu;
    return static_cast<unsigned>(r.lVal);
}

std::string TAccReader::Name(long child) const
{
    BSTR b = nullptr;
    if (acc_)
        acc_->get_accName(Id(child), &b);
    return Take(b);
}

std::string TAccReader::Value(long child) const
{
    BSTR b = nullptr;
    if (acc_)
        acc_->get_accValue(Id(child), &b);
    return Take(b);
}

std::string TAccReader::Description(long child) const
{
    BSTR b = nullptr;
    if (acc_)
        acc_->get_accDescription(Id(child), &b);
    return Take(b);
}

std::string TAccReader::DefaultAction(long child) const
{
    BSTR b = nullptr;
    if (acc_)
        acc_->get_accDefaultAction(Id(child), &b);
    return Take(b);
}

HRESULT TAccReader::DoDefaultAction(long child) const { return acc_ ? acc_->accDoDefaultAction(Id(child)) : E_POINTER; }

RECT TAccReader::Location(long child) const
{
    LONG x = 0, y = 0, w = 0, h = 0;
    if (acc_)
        acc_->accLocation(&x, &y, &w, &h, Id(child));
    return RECT{x, y, x + w, y + h};
}

long TAccReader::ChildCount() const
{
    LONG n = 0;
    if (acc_)
        acc_->get_accChildCount(&n);
    return n;
}

long TAccReader::Find(const std::string& name) const
{
    const long n = ChildCount();
    for (long i = 1; i <= n; ++i)
        if (Name(i) == name)
            return i;
    return -1;
}

TAccReader TAccReader::Child(long child) const
{
    IDispatch* d = nullptr;
    if (acc_ && acc_->get_accChild(Id(child), &d) == S_OK)
        return FromDispatch(d);
    return TAccReader();
}

TAccReader TAccReader::Window(const std::string& name) const
{
    // A label and the field it names share the name: the field is the one with an object.
    const long n = ChildCount();
    for (long i = 1; i <= n; ++i)
        if (Name(i) == name)
            if (TAccReader child = Child(i))
                return child;
    return TAccReader();
}

long TAccReader::HitTest(POINT p) const
{
    VARIANT r;
    ::VariantInit(&r);
    if (!acc_ || acc_->accHitTest(p.x, p.y, &r) != S_OK)
        return -1;
    if (r.vt == VT_DISPATCH) {
        r.pdispVal->Release();
        return -2;
    }
    return r.vt == VT_I4 ? r.lVal : -1;
}

TWinEventLog::TWinEventLog()
{
    g_log = this;
    hook_ = ::SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CONTENTSCROLLED, nullptr, &Proc, ::GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT);
}

TWinEventLog::~TWinEventLog()
{
    if (hook_)
        ::UnhookWinEvent(hook_);
    g_log = nullptr;
}

void CALLBACK TWinEventLog::Proc(HWINEVENTHOOK, DWORD event, HWND h, LONG object, LONG child, DWORD, DWORD)
{
    if (g_log && object == OBJID_CLIENT)
        g_log->entries_.push_back(Entry{event, h, object, child});
}

int TWinEventLog::Count(DWORD event, HWND h, LONG child) const
{
    Pump(30);
    int n = 0;
    for (const Entry& e : entries_)
        n += e.event == event && e.hwnd == h && e.child == child;
    return n;
}

} // namespace zv::test
