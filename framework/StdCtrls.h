// Standard controls: the windowless label, and the native check box, one-line edit and memo.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Forms.h"

namespace zv {

// The accelerator character of a caption ("&Name" gives 'N'; "&&" is a literal ampersand), or 0.
char AcceleratorChar(const std::string& caption);

// A caption drawn by its parent with DrawText. With AutoSize on (the default) the label takes the
// size of its text, its left edge staying where it is; with WordWrap on as well only the height
// follows the text.
class TLabel : public TGraphicControl {
public:
    explicit TLabel(TComponent* owner);
    const char* ClassName() const override { return "TLabel"; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    // Alt + the caption's accelerator focuses this control.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* c);

    bool DialogChar(char ch) override;
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    long AccRole() const override;
    std::string AccName() const override;
    unsigned AccState() const override;

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    // Resizes to the text when AutoSize is on (not while a layout is read).
    virtual void AdjustBounds();
    UINT DrawTextFlags() const;

private:
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSize_ = true;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};

// The native check box (BS_AUTOCHECKBOX). OnClick fires once for every change of Checked, whether
// the mouse, the space bar or code made it.
class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);
    const char* ClassName() const override { return "TCheckBox"; }

    bool Checked() const { return checked_; }
    void SetChecked(bool v);

    long AccRole() const override;
    unsigned AccState() const override;
    const char* AccDefaultAction() const override;
    void AccDoDefaultAction() override { SetChecked(!checked_); }

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool CNCommand(WORD code) override;

private:
    bool checked_ = false;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

// The native edit window. Single-line here; TMemo makes it multi-line.
//
// Hooks for subclasses (the flat edit paints its own border in the non-client area):
//   CreateParams         the window style; BorderStyle and Ctl3D only add WS_BORDER/WS_EX_CLIENTEDGE here.
//   AdjustClientRect     after the native non-client size calculation, the client rectangle to shrink.
//   PaintNonClient       after the native non-client painting.
//   AcceptClipboardEdit  WM_CUT, WM_PASTE and WM_CLEAR ask it first (Ctrl+X and Ctrl+V come as these
//                        messages too); returning false drops the message. The native Shift+Del and
//                        Shift+Ins do not pass here: filter those keys in KeyDown if they matter.
//   Change               after every change of the text, typed or set by code (EN_CHANGE that
//                        brought a new text).
//   WantsKey             Tab always goes to the form; Enter and Esc stay in a window that wants all
//                        keys (a multi-line one), otherwise they reach the default/cancel button.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);
    const char* ClassName() const override { return "TCustomEdit"; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    // Select the whole text when the focus comes in from the keyboard or from code (single-line
    // windows; a click keeps its caret).
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    // 0: no limit of our own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int n);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    // With a border: sunken 3-D edge when on, a one-pixel line when off.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    // The height follows the font (single-line edits).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);

    void SelectAll();
    void SetSelection(int start, int length);
    int SelStart() const;
    int SelLength() const;

    TNotifyEvent OnChange;

    void Loaded() override;
    bool WantsKey(WORD key) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Read as editable text named by its label; the text is the value.
    long AccRole() const override;
    std::string AccName() const override;
    std::string AccValue() const override { return GetText(); }
    unsigned AccState() const override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleCreated() override;
    bool CNCommand(WORD code) override;
    HBRUSH CNCtlColor(HDC dc) override;
    void FontChanged() override;
    void DoEnter() override;
    virtual void Change();
    virtual bool AcceptClipboardEdit(UINT msg) { return true; }
    virtual void AdjustClientRect(RECT& client) {}
    virtual void PaintNonClient() {}
    virtual void AdjustHeight();
    // True while a left button press on the edit is being handled (the focus came with the mouse).
    bool LeftButtonDown() const { return leftButtonDown_; }
    bool IsMultiLine() const;

private:
    bool readOnly_ = false;
    bool autoSelect_ = true;
    int maxLength_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool ctl3D_ = true;
    bool autoSize_ = true;
    bool leftButtonDown_ = false;
    std::string changeText_;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
    const char* ClassName() const override { return "TEdit"; }
};

// The native multi-line edit. Lines are the text split at line breaks; the last line may be empty
// (a text that ends with a line break).
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);
    const char* ClassName() const override { return "TMemo"; }

    std::vector<std::string> Lines() const;
    void SetLines(const std::vector<std::string>& lines);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle s);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    // Enter makes a new line (on) or goes to the form's default button (off).
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool v) { wantReturns_ = v; }
    // Tab types a tab (on) or moves the focus (off).
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool v) { wantTabs_ = v; }

    bool WantsKey(WORD key) override;
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // Breaking a long text into lines is real work for the edit control (some 10 ms for the version
    // history under Wine), and every window is made at start-up. So a read-only memo whose window
    // is not on screen keeps its text here and hands it over at its first paint.
    bool textPending_ = false;
    bool Deferred() const;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

// Splits at CR LF (or a lone LF); joins with CR LF.
std::vector<std::string> SplitLines(const std::string& text);
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace zv
