#include "framework/StdCtrls.h"

#include <oleacc.h>

#include <cctype>

#include "framework/Accessible.h"
#include "framework/ColorRoles.h"
#include "framework/Layout.h"

namespace zv {

char AcceleratorChar(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    if (text.empty())
        return lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n')
            continue;
        size_t end = i;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = i + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

// ======================================================================== TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

void TLabel::SetAlignment(TAlignment a)
{
    if (a == alignment_)
        return;
    alignment_ = a;
    Invalidate();
}

void TLabel::SetAutoSize(bool v)
{
    if (v == autoSize_)
        return;
    autoSize_ = v;
    AdjustBounds();
}

void TLabel::SetTransparent(bool v)
{
    if (v == transparent_)
        return;
    transparent_ = v;
    Invalidate();
}

void TLabel::SetWordWrap(bool v)
{
    if (v == wordWrap_)
        return;
    wordWrap_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool v)
{
    if (v == showAccelChar_)
        return;
    showAccelChar_ = v;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetFocusControl(TWinControl* c)
{
    if (c == focusControl_)
        return;
    if (focusControl_)
        RemoveFreeNotification(focusControl_);
    focusControl_ = c;
    if (c)
        FreeNotification(c);
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

bool TLabel::DialogChar(char ch)
{
    if (!showAccelChar_ || !focusControl_ || !Enabled())
        return false;
    const char accel = AcceleratorChar(Caption());
    if (!accel || std::toupper(static_cast<unsigned char>(accel)) != std::toupper(static_cast<unsigned char>(ch)))
        return false;
    if (!focusControl_->CanFocus())
        return false;
    focusControl_->SetFocus();
    return true;
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    TGraphicControl::TextChanged();
    AccessibleNotify(this, EVENT_OBJECT_NAMECHANGE);
}

long TCheckBox::AccRole() const { return ROLE_SYSTEM_CHECKBUTTON; }
unsigned TCheckBox::AccState() const { return checked_ ? STATE_SYSTEM_CHECKED : 0; }
const char* TCheckBox::AccDefaultAction() const { return checked_ ? "Debifeaza" : "Bifeaza"; }

long TCustomEdit::AccRole() const { return ROLE_SYSTEM_TEXT; }
std::string TCustomEdit::AccName() const { return AccessibleLabelOf(this); }
unsigned TCustomEdit::AccState() const { return readOnly_ ? STATE_SYSTEM_READONLY : 0; }

long TLabel::AccRole() const { return ROLE_SYSTEM_STATICTEXT; }

// The accelerator's marker is not read out.
std::string TLabel::AccName() const
{
    std::string text;
    const std::string caption = Caption();
    for (size_t k = 0; k < caption.size(); ++k) {
        if (caption[k] == '&' && showAccelChar_ && ++k == caption.size())
            break;
        text += caption[k];
    }
    return text;
}
unsigned TLabel::AccState() const { return STATE_SYSTEM_READONLY; }

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

UINT TLabel::DrawTextFlags() const
{
    UINT flags = DT_EXPANDTABS;
    if (wordWrap_)
        flags |= DT_WORDBREAK;
    switch (alignment_) {
    case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
    }
    if (!showAccelChar_)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    // An empty caption still keeps one line's height (and a blank's width).
    std::string text = Caption();
    if (text.empty() || (showAccelChar_ && text == "&"))
        text += ' ';
    RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
    {
        ScopedSelect font(MeasureDC(), Font().Handle());
        ::DrawTextA(MeasureDC(), text.data(), static_cast<int>(text.size()), &r, DrawTextFlags() | DT_CALCRECT);
    }
    SetBounds(Left(), Top(), wordWrap_ ? Width() : r.right, r.bottom);
}

void TLabel::Paint()
{
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(RoleColor(TColorRole::Face, Color()));
        canvas.FillRect(r);
    }
    const std::string text = Caption();
    if (text.empty())
        return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    const UINT flags = DrawTextFlags();
    if (Enabled()) {
        canvas.Font().SetColor(RoleColorOn(Color(), TColorRole::Text, Font().Color()));
        canvas.DrawText(text, r, flags);
        return;
    }
    DrawDisabledText(canvas, text, r, flags);
}

// ======================================================================== TCheckBox

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetParentColor(true);
}

void TCheckBox::SetChecked(bool v)
{
    if (v == checked_)
        return;
    checked_ = v;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
    Click();
}

void TCheckBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.winClassName = "BUTTON";
    p.nativeClass = true;
    p.style |= BS_AUTOCHECKBOX;
}

void TCheckBox::HandleCreated()
{
    TWinControl::HandleCreated();
    ::SendMessageA(HandleIfAllocated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TCheckBox::CNCommand(WORD code)
{
    if (code != BN_CLICKED)
        return false;
    // The native box has already toggled itself.
    checked_ = ::SendMessageA(HandleIfAllocated(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    AccessibleNotify(this, EVENT_OBJECT_STATECHANGE);
    Click();
    return true;
}

// ======================================================================== TCustomEdit

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
}

void TCustomEdit::SetReadOnly(bool v)
{
    if (v == readOnly_)
        return;
    readOnly_ = v;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int n)
{
    if (n < 0)
        n = 0;
    if (n == maxLength_)
        return;
    maxLength_ = n;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(n), 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle s)
{
    if (s == borderStyle_)
        return;
    borderStyle_ = s;
    RecreateWnd();
    AdjustHeight();
}

void TCustomEdit::SetCtl3D(bool v)
{
    if (v == ctl3D_)
        return;
    ctl3D_ = v;
    RecreateWnd();
    AdjustHeight();
}

void TCustomEdit::SetAutoSize(bool v)
{
    if (v == autoSize_)
        return;
    autoSize_ = v;
    AdjustHeight();
}

void TCustomEdit::AdjustHeight()
{
    if (!autoSize_ || IsLoading())
        return;
    HDC dc = ::GetDC(nullptr);
    TEXTMETRICA tm{};
    {
        ScopedSelect font(dc, Font().Handle());
        ::GetTextMetricsA(dc, &tm);
    }
    ::ReleaseDC(nullptr, dc);
    // Room for the frame and the edit's own margins above and below the text.
    int extra = 4;
    if (borderStyle_ == TBorderStyle::bsSingle)
        extra = ctl3D_ ? 8 : 6;
    SetBounds(Left(), Top(), Width(), tm.tmHeight + extra);
}

void TCustomEdit::SelectAll()
{
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_SETSEL, 0, -1);
}

void TCustomEdit::SetSelection(int start, int length)
{
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

int TCustomEdit::SelStart() const
{
    DWORD start = 0, end = 0;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const
{
    DWORD start = 0, end = 0;
    if (HWND h = HandleIfAllocated())
        ::SendMessageA(h, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

bool TCustomEdit::IsMultiLine() const
{
    HWND h = HandleIfAllocated();
    return h && (::GetWindowLongA(h, GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.winClassName = "EDIT";
    p.nativeClass = true;
    p.style |= ES_LEFT | ES_AUTOHSCROLL;
    if (readOnly_)
        p.style |= ES_READONLY;
    if (borderStyle_ == TBorderStyle::bsSingle) {
        if (ctl3D_)
            p.exStyle |= WS_EX_CLIENTEDGE;
        else
            p.style |= WS_BORDER;
    }
}

void TCustomEdit::HandleCreated()
{
    TWinControl::HandleCreated();
    HWND h = HandleIfAllocated();
    if (maxLength_ > 0)
        ::SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
    changeText_ = GetText();
    // The frame was measured during creation, before our window procedure was in place: measure
    // again so that a subclass's AdjustClientRect counts.
    ::SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomEdit::Loaded()
{
    // The height a layout states is kept: it was chosen for the layout's own font, which the
    // parent's font reaching the edit here would otherwise re-measure.
    const int stated = Height();
    TWinControl::Loaded();
    SetHeight(stated);
}

void TCustomEdit::FontChanged()
{
    TWinControl::FontChanged();
    AdjustHeight();
}

bool TCustomEdit::CNCommand(WORD code)
{
    if (code != EN_CHANGE)
        return false;
    // The native edit also reports keys it refused (a full edit); only a new text is a change.
    std::string text = GetText();
    if (text != changeText_) {
        changeText_ = std::move(text);
        Change();
    }
    return true;
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

HBRUSH TCustomEdit::CNCtlColor(HDC dc)
{
    // A disabled edit keeps its background and greys its text.
    const TColor text = Enabled() ? RoleColorOn(Color(), TColorRole::Text, Font().Color())
                                  : RoleColor(TColorRole::Disabled, clGrayText);
    ::SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(text)));
    ::SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(RoleColor(TColorRole::Face, Color()))));
    return ColorBrush();
}

void TCustomEdit::DoEnter()
{
    // A click places the caret where the user clicked; a multi-line text keeps its caret too.
    if (autoSelect_ && !leftButtonDown_ && !IsMultiLine())
        SelectAll();
    TWinControl::DoEnter();
}

bool TCustomEdit::WantsKey(WORD key)
{
    HWND h = HandleIfAllocated();
    if (!h)
        return false;
    // Asked without a message: with one, the native edit switches to dialog mode and would send
    // Esc and Tab to its parent (Esc closes the form).
    const LRESULT code = DefaultHandler(WM_GETDLGCODE, 0, 0);
    switch (key) {
    case VK_TAB: return (code & DLGC_WANTTAB) != 0;
    case VK_RETURN:
    case VK_ESCAPE: return (code & DLGC_WANTALLKEYS) != 0;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) != 0;
    default: return false;
    }
}

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The native edit takes the focus while handling the press.
        leftButtonDown_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{leftButtonDown_};
        return TWinControl::WndProc(msg, wParam, lParam);
    }
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
        if (!AcceptClipboardEdit(msg))
            return 0;
        break;
    case WM_NCCALCSIZE: {
        const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        AdjustClientRect(client);
        return result;
    }
    case WM_NCPAINT: {
        const LRESULT result = TWinControl::WndProc(msg, wParam, lParam);
        PaintNonClient();
        return result;
    }
    case WM_DESTROY:
        // Keep what was typed for a window made again (a changed border, a recreated parent).
        TControl::SetText(GetText());
        break;
    default:
        break;
    }
    return TWinControl::WndProc(msg, wParam, lParam);
}

// ======================================================================== TMemo

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner)
{
    SetAutoSize(false);
    SetBounds(0, 0, 185, 89);
}

std::vector<std::string> TMemo::Lines() const { return SplitLines(GetText()); }

void TMemo::SetLines(const std::vector<std::string>& lines) { SetText(JoinLines(lines)); }

void TMemo::SetScrollBars(TScrollStyle s)
{
    if (s == scrollBars_)
        return;
    scrollBars_ = s;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool v)
{
    if (v == wordWrap_)
        return;
    wordWrap_ = v;
    RecreateWnd();
}

bool TMemo::Deferred() const
{
    const TWinControl* shown = HandleAllocated() ? this : Parent();
    return ReadOnly() && !(shown && shown->HandleAllocated() && ::IsWindowVisible(shown->HandleIfAllocated()));
}

std::string TMemo::GetText() const { return textPending_ ? TControl::GetText() : TCustomEdit::GetText(); }

void TMemo::SetText(const std::string& text)
{
    textPending_ = HandleAllocated() && Deferred();
    if (textPending_)
        TControl::SetText(text);
    else
        TCustomEdit::SetText(text);
}

LRESULT TMemo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_PAINT && textPending_) {
        textPending_ = false;
        ::SetWindowTextA(HandleIfAllocated(), TControl::GetText().c_str());
    }
    return TCustomEdit::WndProc(msg, wParam, lParam);
}

void TMemo::CreateParams(TCreateParams& p)
{
    TCustomEdit::CreateParams(p);
    textPending_ = !p.caption.empty() && Deferred();
    if (textPending_)
        p.caption.clear();
    p.style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (wordWrap_)
        p.style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth)
        p.style |= WS_VSCROLL;
    if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth)
        p.style |= WS_HSCROLL;
}

bool TMemo::WantsKey(WORD key)
{
    if (key == VK_TAB)
        return wantTabs_;
    if (key == VK_RETURN && !wantReturns_)
        return false;
    return TCustomEdit::WantsKey(key);
}

// ======================================================================== registration

namespace {

TAlignment AlignmentValue(const TLayoutValue& v)
{
    return v.AsEnum<TAlignment>({{"taLeftJustify", TAlignment::taLeftJustify},
                                 {"taRightJustify", TAlignment::taRightJustify},
                                 {"taCenter", TAlignment::taCenter}});
}

const bool kRegistered = [] {
    RegisterClass<TLabel>("TLabel", "TGraphicControl")
        .Prop<TLabel>("Alignment", [](TLabel& c, const TLayoutValue& v) { c.SetAlignment(AlignmentValue(v)); })
        .Prop<TLabel>("AutoSize", [](TLabel& c, const TLayoutValue& v) { c.SetAutoSize(v.AsBool()); })
        .Prop<TLabel>("Transparent", [](TLabel& c, const TLayoutValue& v) { c.SetTransparent(v.AsBool()); })
        .Prop<TLabel>("WordWrap", [](TLabel& c, const TLayoutValue& v) { c.SetWordWrap(v.AsBool()); })
        .Prop<TLabel>("ShowAccelChar", [](TLabel& c, const TLayoutValue& v) { c.SetShowAccelChar(v.AsBool()); })
        .Prop<TLabel>("FocusControl", [](TLabel& c, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TWinControl>(v, [&c](TWinControl* w) { c.SetFocusControl(w); });
        });

    RegisterClass<TCheckBox>("TCheckBox", "TWinControl")
        .Prop<TCheckBox>("Checked", [](TCheckBox& c, const TLayoutValue& v) { c.SetChecked(v.AsBool()); });

    RegisterRootClass("TCustomEdit", "TWinControl")
        .Prop<TCustomEdit>("ReadOnly", [](TCustomEdit& c, const TLayoutValue& v) { c.SetReadOnly(v.AsBool()); })
        .Prop<TCustomEdit>("AutoSelect", [](TCustomEdit& c, const TLayoutValue& v) { c.SetAutoSelect(v.AsBool()); })
        .Prop<TCustomEdit>("AutoSize", [](TCustomEdit& c, const TLayoutValue& v) { c.SetAutoSize(v.AsBool()); })
        .Prop<TCustomEdit>("MaxLength", [](TCustomEdit& c, const TLayoutValue& v) { c.SetMaxLength(v.AsInt()); })
        .Prop<TCustomEdit>("Ctl3D", [](TCustomEdit& c, const TLayoutValue& v) { c.SetCtl3D(v.AsBool()); })
        .Prop<TCustomEdit>("BorderStyle", [](TCustomEdit& c, const TLayoutValue& v) {
            c.SetBorderStyle(
                v.AsEnum<TBorderStyle>({{"bsNone", TBorderStyle::bsNone}, {"bsSingle", TBorderStyle::bsSingle}}));
        })
        .Prop<TCustomEdit>("OnChange", [](TCustomEdit& c, const TLayoutValue& v, TLayoutContext& ctx) {
            c.OnChange = ctx.Handler<TNotifyEvent>(v);
        });

    RegisterClass<TEdit>("TEdit", "TCustomEdit");

    RegisterClass<TMemo>("TMemo", "TCustomEdit")
        .Prop<TMemo>("Lines.Strings", [](TMemo& c, const TLayoutValue& v) { c.SetLines(v.AsStrings()); })
        .Prop<TMemo>("WordWrap", [](TMemo& c, const TLayoutValue& v) { c.SetWordWrap(v.AsBool()); })
        .Prop<TMemo>("WantReturns", [](TMemo& c, const TLayoutValue& v) { c.SetWantReturns(v.AsBool()); })
        .Prop<TMemo>("WantTabs", [](TMemo& c, const TLayoutValue& v) { c.SetWantTabs(v.AsBool()); })
        .Prop<TMemo>("ScrollBars", [](TMemo& c, const TLayoutValue& v) {
            c.SetScrollBars(v.AsEnum<TScrollStyle>({{"ssNone", TScrollStyle::ssNone},
                                                    {"ssHorizontal", TScrollStyle::ssHorizontal},
                                                    {"ssVertical", TScrollStyle::ssVertical},
                                                    {"ssBoth", TScrollStyle::ssBoth}}));
        });
    return true;
}();

} // namespace
} // namespace zv
