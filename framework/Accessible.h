// Screen readers: one accessible object per windowed control, made on a reader's first WM_GETOBJECT,
// holding the windowless controls of that window as its children. Controls only say what they are
// through TControl's Acc* methods; nothing else here knows COM. oleacc, oleaut32 and ole32 are loaded
// on that first request, from the system directory (LoadSystemLibrary), so a program nobody reads pays
// nothing.
#pragma once

#include <windows.h>

#include <string>

namespace zv {

class TControl;
class TWinControl;

// The answer to WM_GETOBJECT for the client object of `control`; 0 leaves the message to the system.
LRESULT AccessibleGetObject(TWinControl* control, WPARAM wParam, LPARAM lParam);
// A windowed control going away: its object, if a reader ever asked for one, answers no more.
void AccessibleDisconnect(TWinControl* control);
// Tells listening readers that `event` (EVENT_OBJECT_*) happened to `control`.
void AccessibleNotify(const TControl* control, DWORD event);
// The caption of the label that names `control` (a label whose FocusControl it is), or "".
std::string AccessibleLabelOf(const TControl* control);
// For a control that takes no focus and so cannot be a label's FocusControl: the caption of the label a
// sighted user reads it by, the nearest one on its left on the same line, or else the nearest one just
// above it; "" when there is none.
std::string AccessibleLabelBeside(const TControl* control);
// Accessible objects alive in this process, to check that none outlives its control.
int AccessibleLiveCount();

} // namespace zv
