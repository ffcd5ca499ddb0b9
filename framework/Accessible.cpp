#include "framework/Accessible.h"

#include <oleacc.h>

#include "framework/AppSite.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/SystemLibrary.h"

namespace zv {

namespace {

// Defined here so that the program links no uuid or oleacc import library.
const GUID kIID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kIID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The few calls of oleacc, oleaut32 and ole32 the objects need, bound on the first request.
struct TAccApi {
    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**);
    HRESULT(WINAPI* AccessibleObjectFromWindow)(HWND, DWORD, REFIID, void**);
    BSTR(WINAPI* SysAllocStringLen)(const OLECHAR*, UINT);
    HRESULT(WINAPI* CoDisconnectObject)(LPUNKNOWN, DWORD);
};

template <class F>
bool Bind(HMODULE m, const char* name, F& f)
{
    f = SystemFunction<F>(m, name);
    return f != nullptr;
}

const TAccApi* Api()
{
    static TAccApi api;
    static int state; // 0 not tried, 1 bound, -1 unavailable
    if (state == 0) {
        state = -1;
        HMODULE ole32 = LoadSystemLibrary("ole32.dll");
        HRESULT(WINAPI * coInit)(LPVOID, DWORD) = nullptr;
        // Marshalling an object to another process needs COM on this thread; the one user-interface
        // thread keeps it until the process ends.
        if (Bind(ole32, "CoInitializeEx", coInit))
            coInit(nullptr, COINIT_APARTMENTTHREADED);
        // oleacc is no KnownDLL: by bare name, one beside the program would be taken first.
        HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        HMODULE oleaut = LoadSystemLibrary("oleaut32.dll");
        if (Bind(oleacc, "LresultFromObject", api.LresultFromObject) &&
            Bind(oleacc, "CreateStdAccessibleObject", api.CreateStdAccessibleObject) &&
            Bind(oleacc, "AccessibleObjectFromWindow", api.AccessibleObjectFromWindow) &&
            Bind(oleaut, "SysAllocStringLen", api.SysAllocStringLen) &&
            Bind(ole32, "CoDisconnectObject", api.CoDisconnectObject))
            state = 1;
    }
    return state == 1 ? &api : nullptr;
}

int& LiveCount()
{
    static int n;
    return n;
}

// A window's object shows as children, in the window's order, its windowed children and the
// windowless ones that say what they are; child ids count them from 1.
bool Listed(const TControl* c)
{
    return c->IsWindowed() ? static_cast<const TWinControl*>(c)->HandleAllocated() : c->AccRole() != 0;
}

LONG ChildCount(const TWinControl* w)
{
    LONG n = 0;
    for (int i = 0; i < w->ControlCount(); ++i)
        n += Listed(w->Controls(i));
    return n;
}

// The child of that id, or null.
TControl* ChildAt(const TWinControl* w, LONG id)
{
    for (int i = 0; i < w->ControlCount() && id > 0; ++i)
        if (Listed(w->Controls(i)) && --id == 0)
            return w->Controls(i);
    return nullptr;
}

// The id of a child, or 0.
LONG IdOf(const TWinControl* w, const TControl* c)
{
    LONG id = 0;
    for (int i = 0; i < w->ControlCount(); ++i)
        if (Listed(w->Controls(i))) {
            ++id;
            if (w->Controls(i) == c)
                return id;
        }
    return 0;
}

BSTR MakeBstr(const std::string& s)
{
    const int n = ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    BSTR b = Api()->SysAllocStringLen(nullptr, static_cast<UINT>(n));
    if (b)
        ::MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), b, n);
    return b;
}

// A string answer: S_FALSE with no string when there is nothing to say.
HRESULT StringAnswer(const std::string& s, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (s.empty())
        return S_FALSE;
    *out = MakeBstr(s);
    return *out ? S_OK : E_OUTOFMEMORY;
}

void SetI4(VARIANT* v, LONG value)
{
    v->vt = VT_I4;
    v->lVal = value;
}

IAccessible* ObjectOf(TWinControl* control);

} // namespace

struct TAccessibleAccess {
    static TAccessible*& Slot(TWinControl* w) { return w->accessible_; }
};

// The accessible object of one windowed control. Child 0 is the control, 1..n its listed children.
// A picker keeps the system's object inside and only gets a name and a description from here.
class TAccessible final : public IAccessible {
public:
    TAccessible(TWinControl* control, IAccessible* system) : control_(control), system_(system) { ++LiveCount(); }
    ~TAccessible() { --LiveCount(); }
    TAccessible(const TAccessible&) = delete;
    TAccessible& operator=(const TAccessible&) = delete;

    void Disconnect()
    {
        control_ = nullptr;
        if (system_) {
            system_->Release();
            system_ = nullptr;
        }
        // Readers in other processes hold the object through COM's stubs: let those go too.
        Api()->CoDisconnectObject(this, 0);
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == kIID_IUnknown || riid == kIID_IDispatch || riid == kIID_IAccessible) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG n = --refs_;
        if (n == 0)
            delete this;
        return n;
    }

    // IDispatch: readers use the interface's own methods.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override
    {
        if (n)
            *n = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        if (TWinControl* p = control_->Parent(); p && p->HandleAllocated()) {
            *out = ObjectOf(p);
            return *out ? S_OK : E_FAIL;
        }
        HWND h = control_->HandleIfAllocated();
        return h ? Api()->AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_WINDOW), kIID_IDispatch,
                                                     reinterpret_cast<void**>(out))
                 : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* out) override
    {
        if (!out)
            return E_POINTER;
        *out = 0;
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        if (system_ && control_->ControlCount() == 0)
            return system_->get_accChildCount(out);
        *out = ChildCount(control_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT id, IDispatch** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        if (system_ && c == control_)
            return system_->get_accChild(id, out);
        if (c == control_ || !c->IsWindowed())
            return c == control_ ? E_INVALIDARG : S_FALSE;
        *out = ObjectOf(static_cast<TWinControl*>(c));
        return *out ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT id, BSTR* out) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return NoString(hr, out);
        std::string name = c == control_ || !c->Parent() ? std::string() : c->Parent()->AccChildName(c);
        if (name.empty())
            name = c->AccName();
        if (name.empty() && system_ && c == control_)
            return system_->get_accName(id, out);
        return StringAnswer(name, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT id, BSTR* out) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return NoString(hr, out);
        if (system_ && c == control_)
            return system_->get_accValue(id, out);
        return StringAnswer(c->AccValue(), out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT id, BSTR* out) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return NoString(hr, out);
        return StringAnswer(c->Hint(), out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT id, VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        if (system_ && c == control_)
            return system_->get_accRole(id, out);
        SetI4(out, c->AccRole());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT id, VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        if (system_ && c == control_)
            return system_->get_accState(id, out);
        SetI4(out, static_cast<LONG>(StateOf(c)));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* out) override { return NoString(S_FALSE, out); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override
    {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = -1;
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT id, BSTR* out) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return NoString(hr, out);
        if (system_ && c == control_)
            return system_->get_accKeyboardShortcut(id, out);
        return NoString(S_FALSE, out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        HWND focus = ::GetFocus();
        if (focus && focus == control_->HandleIfAllocated()) {
            SetI4(out, CHILDID_SELF);
            return S_OK;
        }
        for (int i = 0; i < control_->ControlCount(); ++i) {
            TControl* c = control_->Controls(i);
            auto* w = c->IsWindowed() ? static_cast<TWinControl*>(c) : nullptr;
            HWND h = w ? w->HandleIfAllocated() : nullptr;
            if (h && focus && (focus == h || ::IsChild(h, focus))) {
                out->vt = VT_DISPATCH;
                out->pdispVal = ObjectOf(w);
                return out->pdispVal ? S_OK : E_FAIL;
            }
        }
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        return system_ ? system_->get_accSelection(out) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT id, BSTR* out) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return NoString(hr, out);
        if (system_ && c == control_)
            return system_->get_accDefaultAction(id, out);
        const char* action = c->AccDefaultAction();
        return StringAnswer(action ? action : "", out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT id) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        if (system_ && c == control_)
            return system_->accSelect(flags, id);
        if (c != control_ || flags != SELFLAG_TAKEFOCUS)
            return DISP_E_MEMBERNOTFOUND;
        if (!control_->CanFocus())
            return S_FALSE;
        control_->SetFocus();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* x, LONG* y, LONG* w, LONG* h, VARIANT id) override
    {
        if (!x || !y || !w || !h)
            return E_POINTER;
        *x = *y = *w = *h = 0;
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        const RECT r = ScreenRect(c);
        *x = r.left;
        *y = r.top;
        *w = r.right - r.left;
        *h = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG dir, VARIANT start, VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(start, c); hr != S_OK)
            return hr;
        const LONG n = ChildCount(control_);
        LONG target = 0;
        if (c == control_) {
            if (dir == NAVDIR_FIRSTCHILD)
                target = 1;
            else if (dir == NAVDIR_LASTCHILD)
                target = n;
            else
                return system_ ? system_->accNavigate(dir, start, out) : S_FALSE;
        } else if (dir == NAVDIR_NEXT || dir == NAVDIR_DOWN || dir == NAVDIR_RIGHT) {
            target = start.lVal + 1;
        } else if (dir == NAVDIR_PREVIOUS || dir == NAVDIR_UP || dir == NAVDIR_LEFT) {
            target = start.lVal - 1;
        } else {
            return S_FALSE;
        }
        if (target < 1 || target > n)
            return S_FALSE;
        return ChildAnswer(ChildAt(control_, target), target, out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* out) override
    {
        if (!out)
            return E_POINTER;
        out->vt = VT_EMPTY;
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        const POINT p{x, y};
        RECT own = ScreenRect(control_);
        if (!::PtInRect(&own, p))
            return S_FALSE;
        // Later children lie on top.
        for (LONG id = ChildCount(control_); id > 0; --id) {
            TControl* c = ChildAt(control_, id);
            RECT r = ScreenRect(c);
            if (c->Visible() && ::PtInRect(&r, p))
                return ChildAnswer(c, id, out);
        }
        if (system_)
            return system_->accHitTest(x, y, out);
        SetI4(out, CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT id) override
    {
        TControl* c = nullptr;
        if (HRESULT hr = Resolve(id, c); hr != S_OK)
            return hr;
        if (system_ && c == control_)
            return system_->accDoDefaultAction(id);
        if (!c->AccDefaultAction())
            return DISP_E_MEMBERNOTFOUND;
        if (!c->IsShowingAndEnabled())
            return E_FAIL;
        // The action runs the control's handlers: what they throw is shown as a click's would be, and
        // never crosses into the reader's call.
        try {
            c->AccDoDefaultAction();
        } catch (const std::exception& e) {
            if (auto* app = AppSite())
                app->HandleException(e);
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    // The control a child id means: the window's own control for CHILDID_SELF, else a listed child.
    HRESULT Resolve(const VARIANT& id, TControl*& c) const
    {
        if (!control_)
            return CO_E_OBJNOTCONNECTED;
        if (id.vt != VT_I4)
            return E_INVALIDARG;
        if (id.lVal == CHILDID_SELF) {
            c = control_;
            return S_OK;
        }
        c = ChildAt(control_, id.lVal);
        return c ? S_OK : E_INVALIDARG;
    }
    static HRESULT NoString(HRESULT hr, BSTR* out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        return hr;
    }
    // A child as navigation and hit testing give it: a window's own object, a windowless child's id.
    static HRESULT ChildAnswer(TControl* c, LONG id, VARIANT* out)
    {
        if (c->IsWindowed()) {
            out->vt = VT_DISPATCH;
            out->pdispVal = ObjectOf(static_cast<TWinControl*>(c));
            return out->pdispVal ? S_OK : E_FAIL;
        }
        SetI4(out, id);
        return S_OK;
    }
    static RECT ScreenRect(TControl* c)
    {
        RECT r{};
        if (c->IsWindowed()) {
            if (HWND h = static_cast<TWinControl*>(c)->HandleIfAllocated())
                ::GetWindowRect(h, &r);
            return r;
        }
        const POINT o = c->ClientToScreen(POINT{0, 0});
        return RECT{o.x, o.y, o.x + c->Width(), o.y + c->Height()};
    }
    static unsigned StateOf(TControl* c)
    {
        unsigned s = c->AccState();
        for (TControl* p = c; p; p = p->Parent()) {
            if (!p->Visible())
                s |= STATE_SYSTEM_INVISIBLE;
            if (!p->Enabled())
                s |= STATE_SYSTEM_UNAVAILABLE;
        }
        if (c->IsWindowed()) {
            auto* w = static_cast<TWinControl*>(c);
            HWND h = w->HandleIfAllocated();
            if (h && !::IsWindowVisible(h))
                s |= STATE_SYSTEM_INVISIBLE;
            if (w->TabStop())
                s |= STATE_SYSTEM_FOCUSABLE;
            if (h && ::GetFocus() == h)
                s |= STATE_SYSTEM_FOCUSED;
        }
        return s;
    }

    ULONG refs_ = 1; // the control's own reference
    TWinControl* control_;
    IAccessible* system_;
};

namespace {

// The object of a windowed control, made on first use; the caller gets a reference of its own.
IAccessible* ObjectOf(TWinControl* control)
{
    const TAccApi* api = Api();
    if (!api || !control->HandleAllocated())
        return nullptr;
    TAccessible*& slot = TAccessibleAccess::Slot(control);
    if (!slot) {
        IAccessible* system = nullptr;
        if (control->AccSystemObject())
            api->CreateStdAccessibleObject(control->HandleIfAllocated(), OBJID_CLIENT, kIID_IAccessible,
                                           reinterpret_cast<void**>(&system));
        slot = new TAccessible(control, system);
    }
    slot->AddRef();
    return slot;
}

} // namespace

LRESULT AccessibleGetObject(TWinControl* control, WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return 0;
    IAccessible* object = ObjectOf(control);
    if (!object)
        return 0;
    const LRESULT r = Api()->LresultFromObject(kIID_IAccessible, wParam, object);
    object->Release();
    return r > 0 ? r : 0;
}

void AccessibleDisconnect(TWinControl* control)
{
    TAccessible*& slot = TAccessibleAccess::Slot(control);
    if (TAccessible* object = slot) {
        slot = nullptr;
        object->Disconnect();
        object->Release();
    }
}

void AccessibleNotify(const TControl* control, DWORD event)
{
    if (control->IsWindowed()) {
        if (HWND h = static_cast<const TWinControl*>(control)->HandleIfAllocated())
            ::NotifyWinEvent(event, h, OBJID_CLIENT, CHILDID_SELF);
        return;
    }
    const TWinControl* parent = control->Parent();
    HWND h = parent ? parent->HandleIfAllocated() : nullptr;
    if (!h)
        return;
    if (const LONG id = IdOf(parent, control))
        ::NotifyWinEvent(event, h, OBJID_CLIENT, id);
}

std::string AccessibleLabelOf(const TControl* control)
{
    const TWinControl* parent = control->Parent();
    for (int i = 0; parent && i < parent->ControlCount(); ++i) {
        auto* label = dynamic_cast<const TLabel*>(parent->Controls(i));
        if (label && label->FocusControl() == control)
            return label->AccName();
    }
    return {};
}

std::string AccessibleLabelBeside(const TControl* control)
{
    const TWinControl* parent = control->Parent();
    if (!parent)
        return {};
    const RECT c = control->BoundsRect();
    const int middle = (c.top + c.bottom) / 2;
    const TLabel* left = nullptr;
    const TLabel* above = nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* label = dynamic_cast<const TLabel*>(parent->Controls(i));
        if (!label || label == control || !label->Visible())
            continue;
        const RECT l = label->BoundsRect();
        // Left of it: ends before the control begins and is level with its middle.
        if (l.right <= c.left && l.top <= middle && middle < l.bottom &&
            (!left || l.right > left->BoundsRect().right))
            left = label;
        // Above it: ends before the control's top, no further than its own height away, and shares columns.
        if (l.bottom <= c.top && c.top - l.bottom <= l.bottom - l.top && l.left < c.right && c.left < l.right &&
            (!above || l.bottom > above->BoundsRect().bottom))
            above = label;
    }
    const TLabel* label = left ? left : above;
    return label ? label->AccName() : std::string();
}

int AccessibleLiveCount() { return LiveCount(); }

// ======================================================================== TControl's defaults

long TControl::AccRole() const { return IsWindowed() ? ROLE_SYSTEM_CLIENT : 0; }

std::string TControl::AccName() const
{
    std::string label = AccessibleLabelOf(this);
    return label.empty() ? Caption() : label;
}

} // namespace zv
