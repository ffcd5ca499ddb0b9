// Reads a window of another program as a screen reader does (MSAA) and prints its tree, one object
// per line, indented by depth:
//
//   acc_probe "<window title>"
//
//   radio button "Zavrin" [checked focusable] hint "Selectati pentru zavrina sistemului"
//
// role, name, = "value", [states], hint "description", default action {action}. Exit code 1 when the
// window or its object is not found.
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

// The import libraries give this as a function stub on some targets; the value itself is fixed.
const GUID kIID_IAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

std::string Narrow(BSTR b)
{
    std::string s;
    if (!b)
        return s;
    const int len = static_cast<int>(SysStringLen(b));
    const int n = WideCharToMultiByte(CP_ACP, 0, b, len, nullptr, 0, nullptr, nullptr);
    s.resize(static_cast<size_t>(n));
    WideCharToMultiByte(CP_ACP, 0, b, len, s.data(), n, nullptr, nullptr);
    SysFreeString(b);
    return s;
}

const char* RoleName(long role)
{
    switch (role) {
    case ROLE_SYSTEM_CLIENT: return "client";
    case ROLE_SYSTEM_WINDOW: return "window";
    case ROLE_SYSTEM_STATICTEXT: return "static text";
    case ROLE_SYSTEM_PUSHBUTTON: return "push button";
    case ROLE_SYSTEM_RADIOBUTTON: return "radio button";
    case ROLE_SYSTEM_CHECKBUTTON: return "check box";
    case ROLE_SYSTEM_GROUPING: return "grouping";
    case ROLE_SYSTEM_TEXT: return "editable text";
    case ROLE_SYSTEM_LINK: return "link";
    case ROLE_SYSTEM_PROGRESSBAR: return "progress bar";
    case ROLE_SYSTEM_SPINBUTTON: return "spin button";
    case ROLE_SYSTEM_LIST: return "list";
    case ROLE_SYSTEM_COMBOBOX: return "combo box";
    case ROLE_SYSTEM_DROPLIST: return "drop down";
    default: return nullptr;
    }
}

std::string States(unsigned s)
{
    static const struct {
        unsigned bit;
        const char* name;
    } kNames[] = {{STATE_SYSTEM_CHECKED, "checked"},         {STATE_SYSTEM_PRESSED, "pressed"},
                  {STATE_SYSTEM_EXPANDED, "expanded"},       {STATE_SYSTEM_COLLAPSED, "collapsed"},
                  {STATE_SYSTEM_UNAVAILABLE, "unavailable"}, {STATE_SYSTEM_FOCUSED, "focused"},
                  {STATE_SYSTEM_FOCUSABLE, "focusable"},     {STATE_SYSTEM_INVISIBLE, "invisible"},
                  {STATE_SYSTEM_DEFAULT, "default"},         {STATE_SYSTEM_LINKED, "linked"},
                  {STATE_SYSTEM_READONLY, "read only"}};
    std::string out;
    for (const auto& n : kNames)
        if (s & n.bit)
            out += (out.empty() ? "" : " ") + std::string(n.name);
    return out;
}

void PrintOne(IAccessible* acc, long child, int depth)
{
    VARIANT id;
    VariantInit(&id);
    id.vt = VT_I4;
    id.lVal = child;
    std::string line(static_cast<size_t>(depth) * 2, ' ');
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accRole(id, &v)) && v.vt == VT_I4) {
        const char* r = RoleName(v.lVal);
        line += r ? r : "role " + std::to_string(v.lVal);
    } else {
        line += "?";
    }
    BSTR b = nullptr;
    acc->get_accName(id, &b);
    line += " \"" + Narrow(b) + "\"";
    b = nullptr;
    if (acc->get_accValue(id, &b) == S_OK && b)
        line += " = \"" + Narrow(b) + "\"";
    VariantInit(&v);
    if (SUCCEEDED(acc->get_accState(id, &v)) && v.vt == VT_I4) {
        const std::string s = States(static_cast<unsigned>(v.lVal));
        if (!s.empty())
            line += " [" + s + "]";
    }
    b = nullptr;
    if (acc->get_accDescription(id, &b) == S_OK && b)
        line += " hint \"" + Narrow(b) + "\"";
    b = nullptr;
    if (acc->get_accDefaultAction(id, &b) == S_OK && b)
        line += " {" + Narrow(b) + "}";
    std::printf("%s\n", line.c_str());
}

void Walk(IAccessible* acc, int depth)
{
    PrintOne(acc, CHILDID_SELF, depth);
    LONG n = 0;
    acc->get_accChildCount(&n);
    for (LONG i = 1; i <= n && i < 200; ++i) {
        VARIANT id;
        VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = i;
        IDispatch* d = nullptr;
        IAccessible* child = nullptr;
        if (acc->get_accChild(id, &d) == S_OK && d) {
            d->QueryInterface(kIID_IAccessible, reinterpret_cast<void**>(&child));
            d->Release();
        }
        if (child) {
            if (depth < 8)
                Walk(child, depth + 1);
            child->Release();
        } else {
            PrintOne(acc, i, depth + 1);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: acc_probe <window title>\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWND h = FindWindowA(nullptr, argv[1]);
    if (!h) {
        std::fprintf(stderr, "acc_probe: no window \"%s\"\n", argv[1]);
        return 1;
    }
    IAccessible* acc = nullptr;
    if (FAILED(AccessibleObjectFromWindow(h, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                          reinterpret_cast<void**>(&acc))) ||
        !acc) {
        std::fprintf(stderr, "acc_probe: no accessible object for \"%s\"\n", argv[1]);
        return 1;
    }
    Walk(acc, 0);
    std::fflush(stdout);
    acc->Release();
    CoUninitialize();
    return 0;
}
