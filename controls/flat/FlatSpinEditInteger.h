// A flat edit for a whole number with a pair of repeating arrows inside its right edge. The value lives
// in the text: reading parses it (anything that is not a 32-bit decimal number reads as MinValue),
// writing clamps and formats it. Out-of-range text is corrected when the field is left.
#pragma once

#include "controls/flat/FlatEdit.h"
#include "controls/flat/SpinButton.h"

namespace zv {

class TFlatSpinEditInteger : public TCustomFlatEdit {
public:
    explicit TFlatSpinEditInteger(TComponent* owner);
    const char* ClassName() const override { return "TFlatSpinEditInteger"; }

    int Value() const;
    void SetValue(int v);
    int MinValue() const { return minValue_; }
    void SetMinValue(int v) { minValue_ = v; }
    // Equal bounds mean no bounds.
    int MaxValue() const { return maxValue_; }
    void SetMaxValue(int v) { maxValue_ = v; }
    int Increment() const { return increment_; }
    void SetIncrement(int v) { increment_ = v; }
    // Off: only the arrows change the text; typing, cutting and pasting are refused.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool v) { editorEnabled_ = v; }

    // The value limited to MinValue..MaxValue (unchanged when the bounds are equal).
    int CheckValue(int v) const;
    // Whether the field takes a typed character.
    virtual bool IsValidChar(char key) const;
    // One arrow step; a read-only field only beeps. Steps stop at the 32-bit limits.
    virtual void UpClick(TObject* sender);
    virtual void DownClick(TObject* sender);

    TSpinButton* Button() const { return button_; }
    // The lowest height that shows the text: the font's cell height + 7.
    int MinHeight() const;

    void SetText(const std::string& text) override;
    void SetBounds(int left, int top, int width, int height) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    // Enter and Esc go to the form's default and cancel buttons, as from a one-line field: the
    // window is multi-line only for its formatting rectangle.
    bool WantsKey(WORD key) override;
    void KeyPress(char& key) override;
    void DoEnter() override;
    void DoExit() override;
    void Loaded() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool AcceptClipboardEdit(UINT msg) override;
    void ScaleMetrics() override;

private:
    void Step(long long delta);
    void SetEditRect();
    void PlaceButton();

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    bool editorEnabled_ = true;
    TSpinButton* button_ = nullptr;
    // The arrows' distance from the right edge, what they leave of the height, and the text's distance
    // from them: 5, 6 and 3 at 96 dpi.
    int buttonRight_ = 5;
    int buttonTrim_ = 6;
    int textGap_ = 3;
};

} // namespace zv
