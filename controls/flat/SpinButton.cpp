#include "controls/flat/SpinButton.h"

#include <oleacc.h>

#include "framework/Accessible.h"
#include "framework/Dpi.h"
#include "framework/Layout.h"

namespace zv {

TSpinButton::TSpinButton(TComponent* owner) : TWinControl(owner)
{
    SetParentColor(true);
    upButton_ = CreateArrow();
    downButton_ = CreateArrow();
    focusedButton_ = upButton_;
    SetUpGlyph(nullptr);
    SetDownGlyph(nullptr);
    SetBounds(0, 0, 21, 10);
}

TTimerSpeedButton* TSpinButton::CreateArrow()
{
    auto* b = Create<TTimerSpeedButton>(this);
    b->SetParent(this);
    b->SetVisible(true);
    b->SetEnabled(true);
    b->SetAllowTimer(true);
    b->OnClick = [this](TObject* sender) { ArrowClick(sender); };
    b->OnMouseDown = [this](TObject* sender, TMouseButton button, TShiftState, int, int) { ArrowPress(sender, button); };
    return b;
}

void TSpinButton::SetUpGlyph(const TBitmap* bitmap)
{
    builtInUp_ = !bitmap || bitmap->Empty();
    if (builtInUp_)
        BuiltInArrow(upButton_, true);
    else
        upButton_->SetGlyph(*bitmap);
}

void TSpinButton::SetDownGlyph(const TBitmap* bitmap)
{
    builtInDown_ = !bitmap || bitmap->Empty();
    if (builtInDown_)
        BuiltInArrow(downButton_, false);
    else
        downButton_->SetGlyph(*bitmap);
}

void TSpinButton::BuiltInArrow(TTimerSpeedButton* button, bool up)
{
    TBitmap arrow;
    if (Dpi() == kDesignDpi) {
        if (arrow.LoadFromResourceName(ModuleInstance(), up ? "FlatUp" : "FlatDown"))
            button->SetGlyph(arrow);
    } else {
        DrawArrowGlyph(arrow, Dpi(), up);
        button->SetGlyph(arrow);
    }
    button->SetNumGlyphs(1);
    button->SetMargin(Scaled(2));
    button->SetLayout(up ? TButtonLayout::blGlyphTop : TButtonLayout::blGlyphBottom);
}

void TSpinButton::ScaleMetrics()
{
    TWinControl::ScaleMetrics();
    arrowWidth_ = Scaled(kArrowWidth);
    downLeft_ = Scaled(kDownLeft);
    if (builtInUp_)
        BuiltInArrow(upButton_, true);
    if (builtInDown_)
        BuiltInArrow(downButton_, false);
}

void DrawArrowGlyph(TBitmap& bitmap, int dpi, bool up)
{
    const int size = ScaleForDpi(5, dpi);
    const int first = ScaleForDpi(1, dpi);
    const int rows = ScaleForDpi(4, dpi) - first;
    bitmap.SetSize(size, size);
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetColor(clOlive);
    c.FillRect(RECT{0, 0, size, size});
    c.Brush().SetColor(clBlack);
    for (int i = 0; i < rows; ++i) {
        const int w = rows > 1 ? 1 + 2 * (i * ((size - 1) / 2) / (rows - 1)) : size;
        const int y = up ? first + i : first + rows - 1 - i;
        const int x = (size - w) / 2;
        c.FillRect(RECT{x, y, x + w, y + 1});
    }
}

long TSpinButton::AccRole() const { return ROLE_SYSTEM_SPINBUTTON; }

std::string TSpinButton::AccName() const
{
    return focusControl_ && focusControl_ != this ? focusControl_->AccName() : TWinControl::AccName();
}

std::string TSpinButton::AccChildName(const TControl* child) const
{
    return child == upButton_ ? "Sus" : child == downButton_ ? "Jos" : std::string();
}

void TSpinButton::SetFocusControl(TWinControl* c)
{
    if (c == focusControl_)
        return;
    if (focusControl_)
        RemoveFreeNotification(focusControl_);
    focusControl_ = c;
    if (c)
        FreeNotification(c);
}

void TSpinButton::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == focusControl_)
        focusControl_ = nullptr;
}

void TSpinButton::PlaceArrows()
{
    if (!upButton_ || !downButton_)
        return;
    upButton_->SetBounds(0, 0, arrowWidth_, Height());
    downButton_->SetBounds(downLeft_, 0, arrowWidth_, Height());
}

void TSpinButton::BoundsChanged()
{
    TWinControl::BoundsChanged();
    if (!IsLoading())
        PlaceArrows();
}

void TSpinButton::Loaded()
{
    TWinControl::Loaded();
    PlaceArrows();
}

void TSpinButton::ArrowClick(TObject* sender)
{
    if (sender == upButton_ && OnUpClick)
        OnUpClick(this);
    else if (sender == downButton_ && OnDownClick)
        OnDownClick(this);
}

void TSpinButton::ArrowPress(TObject* sender, TMouseButton button)
{
    if (button != TMouseButton::mbLeft)
        return;
    SetFocusBtn(sender == downButton_ ? downButton_ : upButton_);
    if (focusControl_ && focusControl_->TabStop() && focusControl_->CanFocus() && !focusControl_->Focused())
        focusControl_->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

void TSpinButton::SetFocusBtn(TTimerSpeedButton* arrow)
{
    if (!TabStop() || !CanFocus() || arrow == focusedButton_)
        return;
    focusedButton_->SetFocusedArrow(false);
    focusedButton_ = arrow;
    if (Focused()) {
        focusedButton_->SetFocusedArrow(true);
        Invalidate();
    }
}

void TSpinButton::KeyDown(WORD& key, TShiftState shift)
{
    switch (key) {
    case VK_SPACE:
        focusedButton_->Click();
        break;
    case VK_UP:
        SetFocusBtn(upButton_);
        upButton_->Click();
        break;
    case VK_DOWN:
        SetFocusBtn(downButton_);
        downButton_->Click();
        break;
    default:
        break;
    }
    TWinControl::KeyDown(key, shift);
}

bool TSpinButton::WantsKey(WORD key) { return key == VK_UP || key == VK_DOWN || key == VK_LEFT || key == VK_RIGHT; }

void TSpinButton::FocusGained()
{
    TWinControl::FocusGained();
    focusedButton_->SetFocusedArrow(true);
}

void TSpinButton::FocusLost()
{
    TWinControl::FocusLost();
    focusedButton_->SetFocusedArrow(false);
}

LRESULT TSpinButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_GETDLGCODE)
        return DLGC_WANTARROWS;
    return TWinControl::WndProc(msg, wParam, lParam);
}

namespace {

const bool kRegistered = [] {
    using S = TSpinButton;
    RegisterClass<S>("TSpinButton", "TWinControl")
        .Prop<S>("UpGlyph", [](S& s, const TLayoutValue& v) {
            TBitmap bmp;
            if (!bmp.LoadFromResourceName(ModuleInstance(), v.AsString().c_str()))
                throw Exception("bitmap resource '" + v.AsString() + "' not found");
            s.SetUpGlyph(&bmp);
        })
        .Prop<S>("UpNumGlyphs", [](S& s, const TLayoutValue& v) { s.SetUpNumGlyphs(v.AsInt()); })
        .Prop<S>("DownGlyph", [](S& s, const TLayoutValue& v) {
            TBitmap bmp;
            if (!bmp.LoadFromResourceName(ModuleInstance(), v.AsString().c_str()))
                throw Exception("bitmap resource '" + v.AsString() + "' not found");
            s.SetDownGlyph(&bmp);
        })
        .Prop<S>("DownNumGlyphs", [](S& s, const TLayoutValue& v) { s.SetDownNumGlyphs(v.AsInt()); })
        .Prop<S>("FocusControl", [](S& s, const TLayoutValue& v, TLayoutContext& ctx) {
            ctx.Reference<TWinControl>(v, [&s](TWinControl* c) { s.SetFocusControl(c); });
        })
        .Prop<S>("OnUpClick", [](S& s, const TLayoutValue& v, TLayoutContext& ctx) {
            s.OnUpClick = ctx.Handler<TNotifyEvent>(v);
        })
        .Prop<S>("OnDownClick", [](S& s, const TLayoutValue& v, TLayoutContext& ctx) {
            s.OnDownClick = ctx.Handler<TNotifyEvent>(v);
        });
    return true;
}();

} // namespace
} // namespace zv
