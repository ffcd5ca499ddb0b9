// The styled label and link text. TglCustomLabel links a label to an input control: the label can
// hand it the focus, and follows the control's focus through a hook on its window procedure.
// TglStaticText changes its text colour while the pointer is over it (or while that control has
// the focus), can justify its text to both edges and can size itself to its text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/styled/glTypes.h"
#include "framework/Controls.h"

namespace zv {

class TglCustomLabel : public TGraphicControl {
public:
    explicit TglCustomLabel(TComponent* owner);
    ~TglCustomLabel() override;
    const char* ClassName() const override { return "TglCustomLabel"; }

    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);
    TFocusControlMethod FocusControlMethod() const { return focusControlMethod_; }
    void SetFocusControlMethod(TFocusControlMethod m) { focusControlMethod_ = m; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The focus control has the focus (seen through the hook).
    bool FocusControlFocused() const { return focusControlFocused_; }
    // The focus control's window carries this label's hook.
    bool Hooked() const { return hookedWindow_ != nullptr; }

    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Notification(TComponent* component, TOperation operation) override;
    long AccRole() const override;
    std::string AccName() const override { return Caption(); }
    unsigned AccState() const override;

protected:
    // Whether the label follows its focus control's focus; turning it off takes the hook away.
    void SetFocusHook(bool on);
    // Hooks the focus control's window again once it has been re-created; each paint calls it.
    void HookAgainIfNeeded();

private:
    static LRESULT CALLBACK HookProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    void Hook();
    void Unhook();
    void GiveFocus();
    void FocusControlGotFocus();
    void FocusControlLostFocus();

    TWinControl* focusControl_ = nullptr;
    TFocusControlMethod focusControlMethod_ = TFocusControlMethod::fcmOnMouseDown;
    bool transparent_ = true;
    bool focusHook_ = true;
    HWND hookedWindow_ = nullptr;
    bool hookAgain_ = false;
    bool focusControlFocused_ = false;
};

// Justified text: which word goes where.
struct TJustifiedWord {
    std::string text; // with the spaces before it, except at the start of a line
    int x = 0;
    int line = 0;
};
struct TJustifiedText {
    std::vector<TJustifiedWord> words;
    int lineCount = 0;
    int lineHeight = 0; // the tallest word
};
using TTextMeasure = std::function<SIZE(const std::string&)>;
// Cuts `caption` into words at spaces and fills lines of `width`; every full line is spread so
// that its last word ends at the right edge, the last line only when `spreadLastLine`.
TJustifiedText JustifyText(const std::string& caption, int width, bool spreadLastLine, const TTextMeasure& measure);

class TglStaticText : public TglCustomLabel {
public:
    explicit TglStaticText(TComponent* owner);
    const char* ClassName() const override { return "TglStaticText"; }

    TColor ActiveColor() const { return activeColor_; }
    void SetActiveColor(TColor c);
    TglAlignment Alignment() const { return alignment_; }
    void SetAlignment(TglAlignment a);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TglStTextOptions Options() const { return options_; }
    void SetOptions(TglStTextOptions o);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);

    // The pointer is over it, or the focus control has the focus.
    bool Active() const { return active_; }

    void MouseEnter() override;
    void MouseLeave() override;
    void Loaded() override;
    // A link: its default action does what a click does (opens it).
    long AccRole() const override;
    unsigned AccState() const override;
    const char* AccDefaultAction() const override { return "Deschide"; }

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void AdjustBounds();

private:
    void PaintJustified(const std::string& caption);

    TColor activeColor_ = clWhite;
    TglAlignment alignment_ = TglAlignment::ftaBroadwise;
    bool autoSize_ = true;
    TglStTextOptions options_ = ftoActiveWhileControlFocused;
    bool wordWrap_ = true;
    bool active_ = false;
};

} // namespace zv
