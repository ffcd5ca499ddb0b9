// The control of each window handle, kept in the process: every message looks its window up, and a
// window property would cost a call to the window server each time.
#pragma once

#include <windows.h>

namespace zv {

class TWinControl;

void BindHandle(HWND h, TWinControl* c);
void UnbindHandle(HWND h);
// The control bound to the handle, or nullptr.
TWinControl* ControlOfHandle(HWND h);

} // namespace zv
