// The program's nine windows, created once in their fixed order: the splash first, so that it becomes
// the application's main window; the settings window last, so that it finds the loaded setting.
#pragma once

namespace zv {

class TApplication;

void CreateWindowSet(TApplication& app);
// Frees the windows, newest first, and forgets their global references.
void DestroyWindowSet();

} // namespace zv
