// What the controls, forms, timers and the hint window need of the application object above them: its
// window, its main form, the exception display and the tracking of the control under the mouse. They
// reach it through this small interface, so that the application uses them and never the other way round.
#pragma once

#include <windows.h>

#include <exception>

namespace zv {

class TControl;
class TWinControl;
class TForm;

struct IApplicationSite {
    // The hidden window that owns the forms and the hint window.
    virtual HWND Handle() const = 0;
    virtual TForm* MainForm() const = 0;
    virtual void Terminate() = 0;
    // Shows an exception that a handler let escape, and goes on.
    virtual void HandleException(const std::exception& e) = 0;
    virtual TControl* MouseControl() const = 0;
    virtual void SetMouseControl(TControl* c) = 0;
    virtual void MouseLeftWindow(TWinControl* w) = 0;
    virtual void ControlDestroying(TControl* c) = 0;
    virtual void CancelHint() = 0;

protected:
    ~IApplicationSite() = default;
};

// The application in use, or nullptr before it is made and after it is gone.
IApplicationSite* AppSite();
void SetAppSite(IApplicationSite* site);

} // namespace zv
