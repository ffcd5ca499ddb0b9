// Forms: top-level windows owned by the application window, read from their layouts, with the
// framework's close rules (the main form ends the program, any other form hides), Tab navigation
// in tab order, Enter for the default button and Esc for the cancel button.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace zv {

class TMainMenu;

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = unsigned;
enum class TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    const char* ClassName() const override { return "TForm"; }

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle s);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons icons);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle s);
    void SetClientWidth(int w);
    void SetClientHeight(int h);
    RECT ClientRect() const override;
    bool KeyPreview = false;

    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* c);

    void SetVisible(bool v) override;
    void Close();
    // Brings the form to the screen and to the front.
    void ShowForm();

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDestroy;
    TCloseEvent OnClose;

    // Tab, Enter and Esc from any control of the form; true when handled.
    virtual bool DialogKey(WORD key, TShiftState shift);
    // Moves the focus to the next (or previous) control in tab order that can take it.
    TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop) const;
    void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
    bool BroadcastDialogChar(char ch);
    void FocusControlChanged(TWinControl* c);

    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Publishes a handler of this form by name, for its layout to bind.
    template <class T>
    void Publish(const char* name, void (T::*method)(TObject*))
    {
        T* self = static_cast<T*>(this);
        PublishHandler(name, TNotifyEvent([self, method](TObject* sender) { (self->*method)(sender); }));
    }
    template <class T>
    void Publish(const char* name, void (T::*method)(TObject*, TCloseAction&))
    {
        T* self = static_cast<T*>(this);
        PublishHandler(name, TCloseEvent([self, method](TObject* sender, TCloseAction& a) { (self->*method)(sender, a); }));
    }
    // Reads the layout resource `name` into this form (the form's class name by convention).
    void ReadLayout(const char* name);
    // Ends construction: creates the windows and runs OnCreate. Subclasses call it last.
    void FinishCreate();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void HandleCreated() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void DoClose(TCloseAction& action);
    void VisibleChanged() override;
    void ScaleBounds(const RECT& design) override;

private:
    void ApplyClientSize();
    void DpiChanged(int dpi, const RECT& suggested);
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
    TPosition position_ = TPosition::poDesigned;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    int clientWidth_ = -1;
    int clientHeight_ = -1;
    // The client size the layout gives, at 96 dpi.
    int designClientWidth_ = -1;
    int designClientHeight_ = -1;
    TMainMenu* menu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    bool closing_ = false;
};

} // namespace zv
