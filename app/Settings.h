// The one stored setting: whether to ask before the program ends. It lives in the registry under the
// local-machine hive, or for the user where that hive is closed to them; it is applied to the settings
// window when that window is created, and written when the main window is closed from its title bar.
#pragma once

#include <windows.h>

namespace zv {

// Loaded at start-up by the main window; read once when the settings window is created.
extern int ShowExitPrompt;

constexpr const char* kSettingsKey = "\\Software\\Zavrin4";
constexpr const char* kSettingsValue = "dialog";

// Reads the first of the places the setting may be in that holds it (see Settings.cpp for the order).
void LoadSettings();
// Writes the local-machine key; where that is refused, keeps the choice for the user. Raises the
// framework's registry error only when neither can be written.
void SaveSettings();

} // namespace zv
