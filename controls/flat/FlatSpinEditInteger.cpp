#include "controls/flat/FlatSpinEditInteger.h"

#include <charconv>
#include <limits>
#include <string>

#include "framework/Layout.h"
#include "framework/Sound.h"

namespace zv {

namespace {

// The user's decimal separator: typed, it is let through (and then reads as no number).
char DecimalSeparator()
{
    char buf[8] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, sizeof buf) > 0 && buf[0] != '\0')
        return buf[0];
    return '.';
}

// A signed decimal 32-bit number, blanks around it allowed; false for anything else.
bool ParseInt32(const std::string& text, int& out)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    if (b < e && text[b] == '+')
        ++b; // from_chars takes a minus sign only
    if (b == e || text[b] == '+' || text[b] == ' ')
        return false;
    int v = 0;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    auto [ptr, ec] = std::from_chars(first, last, v, 10);
    if (ec != std::errc() || ptr != last)
        return false;
    out = v;
    return true;
}

int Saturate(long long v)
{
    if (v > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (v < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

} // namespace

TFlatSpinEditInteger::TFlatSpinEditInteger(TComponent* owner) : TCustomFlatEdit(owner)
{
    button_ = Create<TSpinButton>(this);
    button_->SetBounds(0, 0, 22, 10);
    button_->SetVisible(true);
    button_->SetParent(this);
    button_->SetFocusControl(this);
    button_->OnUpClick = [this](TObject* sender) { UpClick(sender); };
    button_->OnDownClick = [this](TObject* sender) { DownClick(sender); };
    SetValue(0);
}

int TFlatSpinEditInteger::Value() const
{
    int v = 0;
    return ParseInt32(GetText(), v) ? v : minValue_;
}

void TFlatSpinEditInteger::SetText(const std::string& text)
{
    TCustomFlatEdit::SetText(text);
    // A multi-line edit window reports no change for text set by code; report it as for typing.
    if (HandleAllocated())
        CNCommand(EN_CHANGE);
}

void TFlatSpinEditInteger::SetValue(int v) { SetText(std::to_string(CheckValue(v))); }

int TFlatSpinEditInteger::CheckValue(int v) const
{
    if (minValue_ == maxValue_)
        return v;
    if (v < minValue_)
        return minValue_;
    if (v > maxValue_)
        return maxValue_;
    return v;
}

void TFlatSpinEditInteger::Step(long long delta)
{
    if (ReadOnly()) {
        Beep();
        return;
    }
    SetValue(Saturate(static_cast<long long>(Value()) + delta));
}

void TFlatSpinEditInteger::UpClick(TObject*) { Step(increment_); }

void TFlatSpinEditInteger::DownClick(TObject*) { Step(-static_cast<long long>(increment_)); }

bool TFlatSpinEditInteger::IsValidChar(char key) const
{
    const auto k = static_cast<unsigned char>(key);
    // Line feed (Ctrl+Enter) is refused with carriage return: the multi-line window would take it as a
    // line break inside a one-line number.
    bool ok = key == '+' || key == '-' || (key >= '0' && key <= '9') || key == DecimalSeparator() ||
              (k < 32 && k != '\r' && k != '\n');
    if (!editorEnabled_ && (k >= 32 || k == '\b'))
        ok = false;
    return ok;
}

void TFlatSpinEditInteger::KeyPress(char& key)
{
    if (!IsValidChar(key)) {
        key = 0;
        Beep();
        return;
    }
    TCustomFlatEdit::KeyPress(key);
}

void TFlatSpinEditInteger::KeyDown(WORD& key, TShiftState shift)
{
    if (key == VK_UP)
        UpClick(this);
    else if (key == VK_DOWN)
        DownClick(this);
    // Delete, Shift+Del (cut) and Shift+Ins (paste) edit the text without a character or a clipboard
    // message the filter could see; with the editor off only the arrows may change the text.
    if (!editorEnabled_ && (key == VK_DELETE || (key == VK_INSERT && (shift & ssShift)))) {
        key = 0;
        Beep();
        return;
    }
    TCustomFlatEdit::KeyDown(key, shift);
}

bool TFlatSpinEditInteger::WantsKey(WORD key)
{
    if (key == VK_RETURN || key == VK_ESCAPE)
        return false;
    return TCustomFlatEdit::WantsKey(key);
}

bool TFlatSpinEditInteger::AcceptClipboardEdit(UINT msg)
{
    if (msg == WM_CUT || msg == WM_PASTE)
        return editorEnabled_ && !ReadOnly();
    return TCustomFlatEdit::AcceptClipboardEdit(msg);
}

void TFlatSpinEditInteger::DoEnter()
{
    // Also for the multi-line window this field uses: a click keeps its caret, the keyboard selects all.
    if (AutoSelect() && !LeftButtonDown())
        SelectAll();
    TWinControl::DoEnter();
}

void TFlatSpinEditInteger::DoExit()
{
    TCustomFlatEdit::DoExit();
    const int v = Value();
    if (CheckValue(v) != v)
        SetValue(v);
}

int TFlatSpinEditInteger::MinHeight() const { return FontCellHeight(Font()) + 2 * border_ + borderLine_; }

void TFlatSpinEditInteger::ScaleMetrics()
{
    TCustomFlatEdit::ScaleMetrics();
    buttonRight_ = Scaled(5);
    buttonTrim_ = Scaled(6);
    textGap_ = Scaled(3);
}

void TFlatSpinEditInteger::SetBounds(int left, int top, int width, int height)
{
    const int lowest = MinHeight();
    TCustomFlatEdit::SetBounds(left, top, width, height < lowest ? lowest : height);
    if (!HandleAllocated())
        PlaceButton();
}

void TFlatSpinEditInteger::CreateParams(TCreateParams& p)
{
    TCustomFlatEdit::CreateParams(p);
    // Multi-line, so that the text can be kept clear of the arrows with a formatting rectangle.
    p.style |= ES_MULTILINE | WS_CLIPCHILDREN;
}

void TFlatSpinEditInteger::HandleCreated()
{
    TCustomFlatEdit::HandleCreated();
    SetEditRect();
    PlaceButton();
}

void TFlatSpinEditInteger::Loaded()
{
    TCustomFlatEdit::Loaded();
    SetEditRect();
    PlaceButton();
}

void TFlatSpinEditInteger::SetEditRect()
{
    HWND h = HandleIfAllocated();
    if (!h || !button_)
        return;
    RECT client;
    ::GetClientRect(h, &client);
    RECT r{0, 0, client.right - button_->Width() - textGap_, client.bottom};
    ::SendMessageA(h, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&r));
}

void TFlatSpinEditInteger::PlaceButton()
{
    if (!button_)
        return;
    button_->SetBounds(Width() - button_->Width() - buttonRight_, 0, button_->Width(), Height() - buttonTrim_);
}

LRESULT TFlatSpinEditInteger::WndProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SIZE) {
        const LRESULT result = TCustomFlatEdit::WndProc(msg, wParam, lParam);
        SetEditRect();
        PlaceButton();
        return result;
    }
    return TCustomFlatEdit::WndProc(msg, wParam, lParam);
}

namespace {

const bool kRegistered = [] {
    using S = TFlatSpinEditInteger;
    RegisterClass<S>("TFlatSpinEditInteger", "TCustomFlatEdit")
        .Prop<S>("EditorEnabled", [](S& s, const TLayoutValue& v) { s.SetEditorEnabled(v.AsBool()); })
        .Prop<S>("Increment", [](S& s, const TLayoutValue& v) { s.SetIncrement(v.AsInt()); })
        .Prop<S>("MaxValue", [](S& s, const TLayoutValue& v) { s.SetMaxValue(v.AsInt()); })
        .Prop<S>("MinValue", [](S& s, const TLayoutValue& v) { s.SetMinValue(v.AsInt()); })
        .Prop<S>("Value", [](S& s, const TLayoutValue& v) { s.SetValue(v.AsInt()); });
    return true;
}();

} // namespace
} // namespace zv
