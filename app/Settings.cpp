#include "app/Settings.h"

#include "app/Setari.h"
#include "framework/Registry.h"

namespace zv {

int ShowExitPrompt = 0;
HKEY SettingsRootKey = HKEY_LOCAL_MACHINE;

void LoadSettings()
{
    TRegistry reg;
    reg.SetRootKey(SettingsRootKey);
    if (!reg.KeyExists(kSettingsKey))
        return;
    // A standard user may not write here; reading is all the load needs.
    if (!reg.OpenKey(kSettingsKey, false) && !reg.OpenKeyReadOnly(kSettingsKey))
        return;
    // A value of another type than a 32-bit integer counts as missing.
    if (reg.GetDataType(kSettingsValue) == rdInteger)
        ShowExitPrompt = reg.ReadInteger(kSettingsValue);
    else
        ShowExitPrompt = 1;
}

void SaveSettings()
{
    TRegistry reg;
    reg.SetRootKey(SettingsRootKey);
    reg.OpenKey(kSettingsKey, true);
    reg.WriteInteger(kSettingsValue, setari && setari->CheckBox1->Checked() ? 1 : 0);
}

} // namespace zv
