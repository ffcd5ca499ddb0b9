// Controls: TControl (bounds, parent, visibility, text, colour, font, hints, mouse), the windowless
// TGraphicControl painted by its parent, the windowed TWinControl (one HWND, children, tab order,
// focus) and TCustomControl (windowed, painted on its own canvas). The framework's notices are
// virtual methods with a default behaviour.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Component.h"
#include "framework/Graphics.h"

namespace zv {

class TWinControl;
class TForm;
class TAccessible;

enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = unsigned;
enum class TMouseButton { mbLeft, mbRight, mbMiddle };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TCursor { crDefault, crArrow, crHandPoint, crIBeam, crHourGlass };

using TMouseEvent = std::function<void(TObject*, TMouseButton, TShiftState, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject*, TShiftState, int x, int y)>;
using TKeyEvent = std::function<void(TObject*, WORD& key, TShiftState)>;
using TKeyPressEvent = std::function<void(TObject*, char& key)>;

TShiftState KeysToShiftState(WPARAM keys);
TShiftState KeyboardShiftState();

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;
    const char* ClassName() const override { return "TControl"; }

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);
    TForm* ParentForm() const;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
    virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    POINT ClientToScreen(POINT p) const;
    POINT ScreenToClient(POINT p) const;
    // Where this control's client (0,0) lies in the client area of its nearest windowed ancestor.
    POINT OriginInWindow() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool v);
    // Visible and enabled up to the window that holds it.
    bool IsShowingAndEnabled() const;

    virtual std::string GetText() const { return text_; }
    virtual void SetText(const std::string& text);
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& text) { SetText(text); }

    TColor Color() const { return color_; }
    void SetColor(TColor c);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v)
    {
        showHint_ = v;
        parentShowHint_ = false;
    }
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v);
    // Whether the hint of this control is shown: its own setting, or its parent's when it follows it.
    bool EffectiveShowHint() const;
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor c) { cursor_ = c; }

    bool MouseInControl() const { return mouseInControl_; }
    virtual void Invalidate();
    virtual void Repaint();
    virtual void Update();
    void BringToFront();

    // Paints this control into `dc` whose origin is the control's client origin.
    virtual void PaintTo(HDC dc);

    virtual bool IsWindowed() const { return false; }
    // Whether a focus cue (focus rectangle, focused fill) is drawn: as the window's UI state says, which
    // hides it from a user of the mouse until the keyboard is used.
    bool FocusCueShown() const;
    // Button behaviour for the form's Enter and Esc handling.
    virtual bool IsDefaultButton() const { return false; }
    virtual bool IsCancelButton() const { return false; }
    virtual bool IsPushButton() const { return false; }

    // Events
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // Input hooks: the parent window (for windowless controls) or the control's own window calls them.
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void Click();
    virtual void DblClick();

    // Notices
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void EnabledChanged();
    virtual void VisibleChanged();
    virtual void ColorChanged();
    virtual void ParentColorChanged();
    virtual void FontChanged();
    virtual void ParentFontChanged();
    virtual void ParentShowHintChanged() {}
    virtual void TextChanged();
    virtual void SysColorChange();
    virtual void BoundsChanged() {}
    // An accelerator character (Alt+key); true when this control took it.
    virtual bool DialogChar(char ch);

    // What a screen reader is told (framework/Accessible.cpp): the role (ROLE_SYSTEM_*; 0 keeps a
    // windowless control out of the tree), the name (by default the label that names it, else the
    // caption), the value, state bits of the control's own (STATE_SYSTEM_*; visibility, availability
    // and focus are added for it), and the default action's name and doing it. The hint is the
    // description. A parent may name the windowless parts it is made of.
    virtual long AccRole() const;
    virtual std::string AccName() const;
    virtual std::string AccValue() const { return {}; }
    virtual unsigned AccState() const { return 0; }
    virtual const char* AccDefaultAction() const { return nullptr; }
    virtual void AccDoDefaultAction() { Click(); }
    virtual std::string AccChildName(const TControl* child) const { return {}; }

    void Loaded() override;

    // Scaling. A control is laid out at 96 dpi; ScaleToDpi scales this control and everything in it
    // from those values (places, sizes, fonts of their own), never from the last scaled ones, so going
    // back to 96 gives the layout exactly. Dpi() is the dpi its metrics are scaled for, and Scaled()
    // turns a length at 96 dpi into one at that dpi.
    void ScaleToDpi(int dpi);
    int Dpi() const { return dpi_; }
    int Scaled(int v) const;

    // For the application's mouse tracking: set by the application only.
    void SetMouseInControl(bool v) { mouseInControl_ = v; }

protected:
    // The one hook through which a control scales its own metrics (borders, arrows, bitmaps), from
    // their values at 96 dpi with Scaled(); run with Dpi() already new, before places, sizes and
    // fonts are scaled. Paint code reads the metrics it keeps.
    virtual void ScaleMetrics() {}
    // Places and sizes this control from its 96-dpi bounds; a form places its client area instead.
    virtual void ScaleBounds(const RECT& design);
    // This control's windowless and windowed children, for the scaling walk.
    virtual void AppendChildren(std::vector<TControl*>& list) const {}
    // True for controls that turn a press and release inside into Click().
    bool clickOnMouseUp_ = true;
    bool applyingParentFont_ = false;

private:
    friend class TWinControl;
    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    TFont font_;
    bool parentFont_ = true;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TCursor cursor_ = TCursor::crDefault;
    bool mouseInControl_ = false;
    bool clicked_ = false;
    int dpi_ = 96;
    bool designKept_ = false;
    RECT design_{};
    int designFontHeight_ = 0;
};

// A windowless control, painted by its parent window through Paint() on the parent's device context.
class TGraphicControl : public TControl {
public:
    explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
    const char* ClassName() const override { return "TGraphicControl"; }
    TCanvas& Canvas() { return canvas_; }
    void PaintTo(HDC dc) override;

protected:
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

struct TCreateParams {
    const char* winClassName = nullptr; // registered class to create (native or the framework's own)
    bool nativeClass = false;           // a system class: subclass it after creation
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parent = nullptr;
    std::string caption;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;
    const char* ClassName() const override { return "TWinControl"; }

    bool IsWindowed() const override { return true; }
    HWND Handle();
    HWND HandleIfAllocated() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Creates the window of this control and of every windowed child, if the parent chain allows.
    virtual void CreateHandle();
    void DestroyHandle();
    void RecreateWnd();
    static TWinControl* FromHandle(HWND h);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int i) const { return controls_[static_cast<size_t>(i)]; }
    void InsertControl(TControl* c);
    void RemoveControl(TControl* c);
    TControl* ControlAtPos(POINT p, bool allowDisabled) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    virtual void SetTabStop(bool v);
    // This control and every windowed descendant, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    const std::vector<TWinControl*>& TabList() const { return tabList_; }
    void SortTabList();

    bool Focused() const;
    virtual bool CanFocus() const;
    // The UI state (UISF_HIDEFOCUS, UISF_HIDEACCEL) of the window tree, kept on its top window as
    // WM_CHANGEUISTATE and WM_UPDATEUISTATE change it; WM_QUERYUISTATE answers it.
    WORD UIState() const;
    virtual void SetFocus();

    void SetBounds(int left, int top, int width, int height) override;
    RECT ClientRect() const override;
    void SetText(const std::string& text) override;
    std::string GetText() const override;
    void Invalidate() override;
    void Update() override;
    void PaintTo(HDC dc) override;
    // Paints this window's own content (no children) into dc at the client origin.
    virtual void PaintWindow(HDC dc);
    // Paints the windowless children into dc (client coordinates of this window).
    void PaintControls(HDC dc, TControl* first = nullptr);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // The one place where messages are decoded; ends in DefaultHandler.
    virtual LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandler(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);

    void AddLayoutChild(TComponent* child) override;
    void Loaded() override;
    void AppendChildren(std::vector<TControl*>& list) const override;

    // Focus notices: enter/exit when the form's active control changes, and the window's own focus.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void FocusGained() {}
    virtual void FocusLost() {}
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    // Whether this control handles the key itself (Tab, Enter, Esc, arrows) instead of the form.
    virtual bool WantsKey(WORD key);

    void EnabledChanged() override;
    void VisibleChanged() override;
    void ColorChanged() override;
    void FontChanged() override;
    void SysColorChange() override;
    void NotifyChildrenParentColor();
    void NotifyChildrenParentFont();
    void NotifyChildrenParentShowHint();
    // A system class whose own accessible object says more than ours would (a picker): it is kept,
    // and only named and described from here.
    virtual bool AccSystemObject() const { return false; }

protected:
    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // Called once the window exists, before the children are created.
    virtual void HandleCreated() {}
    virtual void HandleDestroying() {}
    // Notifications reflected from the parent for the control that raised them.
    virtual bool CNCommand(WORD code) { return false; }
    virtual bool CNDrawItem(DRAWITEMSTRUCT& dis) { return false; }
    virtual bool CNMeasureItem(MEASUREITEMSTRUCT& mis) { return false; }
    // WM_NOTIFY: true when handled, with the value to return in `result`.
    virtual bool CNNotify(NMHDR& hdr, LRESULT& result) { return false; }
    // WM_CTLCOLOR*: return the background brush, or nullptr for the default.
    virtual HBRUSH CNCtlColor(HDC dc);
    // Background erase: fills with Color. Return true when handled.
    virtual bool EraseBackground(HDC dc);
    void SetWindowStyleBit(DWORD bit, bool on, bool ex = false);
    HBRUSH ColorBrush();

private:
    friend LRESULT CALLBACK FrameworkWndProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMouse(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
    bool HandleDialogKey(WORD key);
    LRESULT UIStateMessage(UINT msg, WPARAM wParam);

    HWND handle_ = nullptr;
    WNDPROC oldProc_ = nullptr;
    std::vector<TControl*> controls_;
    std::vector<TWinControl*> tabList_;
    int tabOrderKey_ = -1;
    bool tabStop_ = false;
    bool eatChar_ = false;
    bool trackingLeave_ = false;
    WORD uiState_ = 0;
    TControl* captureControl_ = nullptr;
    GdiHandle<HBRUSH> colorBrush_;
    TColor colorBrushColor_ = clNone;
    friend struct TAccessibleAccess;
    TAccessible* accessible_ = nullptr; // made on a reader's first request
};

// A windowed control painted by the framework on its own canvas.
class TCustomControl : public TWinControl {
public:
    explicit TCustomControl(TComponent* owner) : TWinControl(owner) {}
    const char* ClassName() const override { return "TCustomControl"; }
    TCanvas& Canvas() { return canvas_; }
    void PaintWindow(HDC dc) override;

protected:
    virtual void Paint() {}

private:
    TCanvas canvas_;
};

// The window class the framework registers for its own windows.
const char* FrameworkWindowClass();
// The window procedure of that class; a native control that the framework drives is subclassed with it.
LRESULT CALLBACK FrameworkWndProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
HINSTANCE ModuleInstance();

} // namespace zv
