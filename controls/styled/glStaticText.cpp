#include "controls/styled/glStaticText.h"

#include <algorithm>
#include <cmath>
#include <map>

#include <oleacc.h>

#include "framework/ColorRoles.h"
#include "framework/Accessible.h"
#include "framework/Application.h"
#include "framework/Layout.h"

namespace zv {

// ======================================================================== the focus hook

namespace {
// One hook per window, shared by every label that follows it; the previous window procedure is
// the one the window had before the first label hooked it.
struct THookedWindow {
    WNDPROC previous = nullptr;
    std::vector<TglCustomLabel*> labels;
};
std::map<HWND, THookedWindow>& HookedWindows()
{
    static std::map<HWND, THookedWindow> windows;
    return windows;
}
} // namespace

LRESULT CALLBACK TglCustomLabel::HookProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& windows = HookedWindows();
    auto it = windows.find(h);
    if (it == windows.end())
        return ::DefWindowProcA(h, msg, wParam, lParam);
    const WNDPROC previous = it->second.previous;
    try {
        // A copy: a handler may unhook its label.
        const std::vector<TglCustomLabel*> labels = it->second.labels;
        switch (msg) {
        case WM_DESTROY:
            // The window goes; the control may get a new one, which the next paint hooks.
            for (TglCustomLabel* l : labels) {
                l->hookedWindow_ = nullptr;
                l->hookAgain_ = true;
            }
            it->second.labels.clear();
            break;
        case WM_SETFOCUS:
            for (TglCustomLabel* l : labels)
                l->FocusControlGotFocus();
            break;
        case WM_KILLFOCUS:
            for (TglCustomLabel* l : labels)
                l->FocusControlLostFocus();
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        if (Application)
            Application->HandleException(e);
    }
    const LRESULT result = ::CallWindowProcA(previous, h, msg, wParam, lParam);
    if (msg == WM_NCDESTROY)
        windows.erase(h);
    return result;
}

TglCustomLabel::TglCustomLabel(TComponent* owner) : TGraphicControl(owner) {}

TglCustomLabel::~TglCustomLabel()
{
    Unhook();
    if (focusControl_)
        RemoveFreeNotification(focusControl_);
}

void TglCustomLabel::Hook()
{
    if (!focusHook_ || !focusControl_ || hookedWindow_)
        return;
    if (!focusControl_->HandleAllocated()) {
        // Not created yet: the first paint after it is hooks it.
        hookAgain_ = true;
        return;
    }
    HWND h = focusControl_->Handle();
    auto& windows = HookedWindows();
    auto it = windows.find(h);
    if (it == windows.end()) {
        THookedWindow w;
        w.previous = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TglCustomLabel::HookProc)));
        it = windows.emplace(h, std::move(w)).first;
    }
    it->second.labels.push_back(this);
    hookedWindow_ = h;
    hookAgain_ = false;
}

void TglCustomLabel::Unhook()
{
    hookAgain_ = false;
    focusControlFocused_ = false;
    if (!hookedWindow_)
        return;
    HWND h = hookedWindow_;
    hookedWindow_ = nullptr;
    auto& windows = HookedWindows();
    auto it = windows.find(h);
    if (it == windows.end())
        return;
    auto& labels = it->second.labels;
    labels.erase(std::remove(labels.begin(), labels.end(), this), labels.end());
    if (!labels.empty())
        return;
    // Someone else may have hooked the window after us; then the hook stays (with no label to
    // tell) so that their chain keeps working, and goes with the window.
    if (::IsWindow(h) && ::GetWindowLongPtrA(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TglCustomLabel::HookProc)) {
        ::SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.previous));
        windows.erase(it);
    }
}

void TglCustomLabel::HookAgainIfNeeded()
{
    if (hookAgain_ && focusHook_ && focusControl_ && focusControl_->HandleAllocated())
        Hook();
}

void TglCustomLabel::SetFocusHook(bool on)
{
    if (on == focusHook_)
        return;
    focusHook_ = on;
    if (on)
        Hook();
    else
        Unhook();
}

void TglCustomLabel::SetFocusControl(TWinControl* c)
{
    if (c == focusControl_)
        return;
    Unhook();
    if (focusControl_)
        RemoveFreeNotification(focusControl_);
    focusControl_ = c;
    if (c)
        FreeNotification(c);
    Hook();
}

void TglCustomLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_) {
        Unhook();
        focusControl_ = nullptr;
    }
}

void TglCustomLabel::SetTransparent(bool v)
{
    transparent_ = v;
    Invalidate();
}

void TglCustomLabel::GiveFocus()
{
    if (focusControl_ && Enabled() && focusControl_->CanFocus())
        focusControl_->SetFocus();
}

void TglCustomLabel::MouseEnter()
{
    TGraphicControl::MouseEnter();
    if (OnMouseEnter)
        OnMouseEnter(this);
    if (focusControlMethod_ == TFocusControlMethod::fcmOnMouseEnter)
        GiveFocus();
}

void TglCustomLabel::MouseLeave()
{
    TGraphicControl::MouseLeave();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TglCustomLabel::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button == TMouseButton::mbLeft && focusControlMethod_ == TFocusControlMethod::fcmOnMouseDown)
        GiveFocus();
}

void TglCustomLabel::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (button == TMouseButton::mbLeft && focusControlMethod_ == TFocusControlMethod::fcmOnMouseUp)
        GiveFocus();
}

void TglCustomLabel::FocusControlGotFocus()
{
    MouseEnter();
    focusControlFocused_ = true;
}

void TglCustomLabel::FocusControlLostFocus()
{
    focusControlFocused_ = false;
    MouseLeave();
}

// ======================================================================== justified text

TJustifiedText JustifyText(const std::string& caption, int width, bool spreadLastLine, const TTextMeasure& measure)
{
    struct TPiece {
        std::string text;
        int width;
    };
    std::vector<std::vector<TPiece>> lines;
    std::vector<TPiece> line;
    int lineWidth = 0;
    int height = 0;
    auto measured = [&](const std::string& text) {
        const SIZE s = measure(text);
        height = std::max(height, static_cast<int>(s.cy));
        return static_cast<int>(s.cx);
    };

    size_t i = 0;
    while (i < caption.size()) {
        const size_t wordStart = caption.find_first_not_of(' ', i);
        if (wordStart == std::string::npos)
            break; // trailing spaces carry no word
        size_t end = caption.find(' ', wordStart);
        if (end == std::string::npos)
            end = caption.size();
        const std::string bare = caption.substr(wordStart, end - wordStart);
        const std::string spaced = caption.substr(i, end - i);
        i = end;
        if (line.empty()) {
            const int w = measured(bare);
            line.push_back({bare, w});
            lineWidth = w;
            continue;
        }
        const int w = measured(spaced);
        if (lineWidth + w <= width) {
            line.push_back({spaced, w});
            lineWidth += w;
            continue;
        }
        lines.push_back(std::move(line));
        line.clear();
        const int bw = measured(bare);
        line.push_back({bare, bw});
        lineWidth = bw;
    }
    if (!line.empty())
        lines.push_back(std::move(line));

    TJustifiedText out;
    out.lineCount = static_cast<int>(lines.size());
    out.lineHeight = height;
    for (size_t n = 0; n < lines.size(); ++n) {
        const auto& words = lines[n];
        const bool spread = n + 1 < lines.size() || spreadLastLine;
        int used = 0;
        for (const TPiece& p : words)
            used += p.width;
        const double gap = spread && words.size() > 1 ? double(width - used) / double(words.size() - 1) : 0.0;
        double x = 0.0;
        for (const TPiece& p : words) {
            out.words.push_back({p.text, static_cast<int>(std::lround(x)), static_cast<int>(n)});
            x += p.width + gap;
        }
    }
    return out;
}

// ======================================================================== TglStaticText

namespace {
constexpr int kMinJustifiedHeight = 12;
}

TglStaticText::TglStaticText(TComponent* owner) : TglCustomLabel(owner)
{
    SetBounds(Left(), Top(), 100, 16);
}

void TglStaticText::SetActiveColor(TColor c)
{
    activeColor_ = c;
    if (active_)
        Invalidate();
}

void TglStaticText::SetAlignment(TglAlignment a)
{
    alignment_ = a;
    Invalidate();
}

void TglStaticText::SetWordWrap(bool v)
{
    wordWrap_ = v;
    Invalidate();
}

void TglStaticText::SetOptions(TglStTextOptions o)
{
    options_ = o;
    SetFocusHook((o & ftoActiveWhileControlFocused) != 0);
    Invalidate();
}

void TglStaticText::SetAutoSize(bool v)
{
    autoSize_ = v;
    AdjustBounds();
}

void TglStaticText::Loaded()
{
    TglCustomLabel::Loaded();
    AdjustBounds();
}

void TglStaticText::TextChanged()
{
    TglCustomLabel::TextChanged();
    AdjustBounds();
    AccessibleNotify(this, EVENT_OBJECT_NAMECHANGE);
}

long TglCustomLabel::AccRole() const { return ROLE_SYSTEM_STATICTEXT; }
unsigned TglCustomLabel::AccState() const { return STATE_SYSTEM_READONLY; }
long TglStaticText::AccRole() const { return ROLE_SYSTEM_LINK; }
unsigned TglStaticText::AccState() const { return STATE_SYSTEM_LINKED | (active_ ? STATE_SYSTEM_HOTTRACKED : 0); }

void TglStaticText::FontChanged()
{
    TglCustomLabel::FontChanged();
    AdjustBounds();
}

void TglStaticText::AdjustBounds()
{
    if (!autoSize_ || IsLoading())
        return;
    const std::string text = Caption();
    RECT r = ClientRect();
    HDC dc = ::GetDC(nullptr);
    {
        ScopedSelect font(dc, Font().Handle());
        ::DrawTextA(dc, text.data(), static_cast<int>(text.size()), &r,
                    DT_CALCRECT | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0));
    }
    ::ReleaseDC(nullptr, dc);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int left = alignment_ == TglAlignment::ftaRightJustify ? Left() + Width() - w : Left();
    SetBounds(left, Top(), w, h);
}

void TglStaticText::MouseEnter()
{
    if ((options_ & ftoIgnoreMouse) || FocusControlFocused())
        return;
    active_ = true;
    Repaint();
    TglCustomLabel::MouseEnter();
}

void TglStaticText::MouseLeave()
{
    if ((options_ & ftoIgnoreMouse) || FocusControlFocused())
        return;
    active_ = false;
    if (options_ & ftoUnderlinedActive)
        Invalidate();
    else
        Repaint();
    TglCustomLabel::MouseLeave();
}

void TglStaticText::Paint()
{
    HookAgainIfNeeded();
    const std::string caption = Caption();
    if (caption.empty())
        return;
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    if (Transparent()) {
        canvas.Brush().SetStyle(TBrushStyle::bsClear);
    } else {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(RoleColor(TColorRole::Face, Color()));
        canvas.FillRect(r);
    }
    // A text with the hand pointer is a link: a contrast theme gives it the hyperlink colour.
    const TColorRole role = Cursor() == TCursor::crHandPoint ? TColorRole::Link : TColorRole::Text;
    canvas.Font().SetColor(RoleColorOn(Color(), role, active_ ? activeColor_ : Font().Color()));

    if (alignment_ == TglAlignment::ftaBroadwise && wordWrap_) {
        PaintJustified(caption);
        return;
    }
    UINT format = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    switch (alignment_) {
    case TglAlignment::ftaRightJustify: format |= DT_RIGHT; break;
    case TglAlignment::ftaCenter: format |= DT_CENTER; break;
    default: format |= DT_LEFT; break;
    }
    canvas.DrawText(caption, r, format);
}

void TglStaticText::PaintJustified(const std::string& caption)
{
    TCanvas& canvas = Canvas();
    const TJustifiedText text = JustifyText(caption, Width(), (options_ & ftoBroadwiseLastLine) != 0,
                                            [&canvas](const std::string& s) { return canvas.TextExtent(s); });
    for (const TJustifiedWord& w : text.words)
        canvas.TextOut(w.x, w.line * text.lineHeight, w.text);
    if (autoSize_) {
        const int h = std::max(kMinJustifiedHeight, text.lineCount * text.lineHeight);
        if (h != Height())
            SetBounds(Left(), Top(), Width(), h);
    }
}

// ======================================================================== layout

namespace {
const bool kRegistered = [] {
    RegisterClass<TglCustomLabel>("TglCustomLabel", "TGraphicControl")
        .Prop<TglCustomLabel>("FocusControl", [](TglCustomLabel& l, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TWinControl>(v, [&l](TWinControl* c) { l.SetFocusControl(c); });
        })
        .Prop<TglCustomLabel>("FocusControlMethod", [](TglCustomLabel& l, const TLayoutValue& v) {
            l.SetFocusControlMethod(GlEnumValue<TFocusControlMethod>(v));
        })
        .Prop<TglCustomLabel>("Transparent", [](TglCustomLabel& l, const TLayoutValue& v) { l.SetTransparent(v.AsBool()); })
        .Prop<TglCustomLabel>("OnMouseEnter", [](TglCustomLabel& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnMouseEnter = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<TglCustomLabel>("OnMouseLeave", [](TglCustomLabel& l, const TLayoutValue& v, TLayoutContext& ctx) {
            l.OnMouseLeave = ctx.Handler<TNotifyEvent>(v);
        });
    RegisterClass<TglStaticText>("TglStaticText", "TglCustomLabel")
        .Prop<TglStaticText>("ActiveColor", [](TglStaticText& t, const TLayoutValue& v) { t.SetActiveColor(v.AsColor()); })
        .Prop<TglStaticText>("Alignment", [](TglStaticText& t, const TLayoutValue& v) {
            t.SetAlignment(GlEnumValue<TglAlignment>(v));
        })
        .Prop<TglStaticText>("AutoSize", [](TglStaticText& t, const TLayoutValue& v) { t.SetAutoSize(v.AsBool()); })
        .Prop<TglStaticText>("Options", [](TglStaticText& t, const TLayoutValue& v) {
            t.SetOptions(GlSetValue<TglStTextOption>(v));
        })
        .Prop<TglStaticText>("WordWrap", [](TglStaticText& t, const TLayoutValue& v) { t.SetWordWrap(v.AsBool()); });
    return true;
}();
} // namespace

} // namespace zv
