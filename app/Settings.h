// The one stored setting: whether to ask before the program ends. It lives in the registry under the
// local-machine hive, is applied to the settings window when that window is created, and is written
// when the main window is closed from its title bar.
#pragma once

#include <windows.h>

namespace zv {

// Loaded at start-up by the main window; read once when the settings window is created.
extern int ShowExitPrompt;

// Where the setting lives; tests point it elsewhere.
extern HKEY SettingsRootKey;
constexpr const char* kSettingsKey = "\\Software\\Zavrin4";
constexpr const char* kSettingsValue = "dialog";

void LoadSettings();
// Raises the framework's registry error when the value cannot be written.
void SaveSettings();

} // namespace zv
