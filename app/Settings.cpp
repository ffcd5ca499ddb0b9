#include "app/Settings.h"

#include "app/Setari.h"
#include "framework/Registry.h"
#include "framework/SysUtils.h"

// Where the setting is found, and why:
//
// - HKEY_LOCAL_MACHINE\Software\Zavrin4 is where the program keeps it. A standard user may read it but
//   not create or change it (Windows gives Users read rights only under HKLM\Software). An elevated run
//   writes it, and so does every run under Wine.
// - HKEY_CURRENT_USER\Software\Zavrin4 keeps the choice of a user for whom the local-machine key is
//   closed. HKCU\Software is one key for 32- and 64-bit programs alike, so both builds share it.
//   https://learn.microsoft.com/en-us/windows/win32/winprog64/shared-registry-keys
// - Earlier releases were 32-bit programs without a manifest. For those, Windows turned a standard
//   user's write under HKLM\Software into a write to the user's virtual store, and showed them the
//   virtual value over the machine's whenever both existed. This program declares its execution
//   level, so Windows no longer does either for it: it reads that store itself.
//   https://learn.microsoft.com/en-us/windows/win32/sysinfo/registry-virtualization
// - On 64-bit Windows a 32-bit program's HKLM\Software is the 32-bit view (WOW6432Node), both in the
//   machine hive and in the virtual store; the 64-bit build reads that view for the earlier releases'
//   machine value. https://learn.microsoft.com/en-us/windows/win32/winprog64/registry-redirector

namespace zv {

int ShowExitPrompt = 0;

namespace {

constexpr const char* kVirtualStore32 = "\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Zavrin4";
constexpr const char* kVirtualStoreOn64 = "\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Zavrin4";

bool WindowsIs64Bit()
{
#ifdef _WIN64
    return true;
#else
    BOOL wow64 = FALSE;
    return ::IsWow64Process(::GetCurrentProcess(), &wow64) && wow64;
#endif
}

const char* VirtualStoreKey()
{
    return WindowsIs64Bit() ? kVirtualStoreOn64 : kVirtualStore32;
}

// The place's value, when it holds one that is a 32-bit integer; a value of another type counts as
// missing.
bool StoredValue(TRegistry& reg, int& value)
{
    if (reg.GetDataType(kSettingsValue) != rdInteger)
        return false;
    try {
        value = reg.ReadInteger(kSettingsValue);
        return true;
    } catch (const ERegistryException&) {
        return false; // a REG_DWORD of another size
    }
}

// False where the machine's key may not be created or written: for a standard user on Windows.
bool WriteMachineValue(int value)
{
    TRegistry machine(KEY_SET_VALUE);
    machine.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!machine.OpenKey(kSettingsKey, true))
        return false;
    try {
        machine.WriteInteger(kSettingsValue, value);
        return true;
    } catch (const ERegistryException&) {
        return false;
    }
}

// One place the setting may be kept: a key under a root, in a registry view (0: the program's own).
struct TPlace {
    HKEY root;
    const char* key;
    REGSAM view;
};

int Places(TPlace (&places)[4])
{
    int n = 0;
    places[n++] = {HKEY_CURRENT_USER, kSettingsKey, 0};
    places[n++] = {HKEY_CURRENT_USER, VirtualStoreKey(), 0};
    places[n++] = {HKEY_LOCAL_MACHINE, kSettingsKey, 0};
#ifdef _WIN64
    places[n++] = {HKEY_LOCAL_MACHINE, kSettingsKey, KEY_WOW64_32KEY};
#endif
    return n;
}

} // namespace

// The most recent choice a user made must win:
// - a per-user value exists only while the machine key is closed to this user, since a save that
//   reaches the machine key removes it; so it is this user's latest choice;
// - the virtual store holds what an earlier release saved for this user, which Windows showed them
//   over the machine's value;
// - then the machine key, then, for the 64-bit build, the earlier releases' machine key in the 32-bit
//   view.
// When no place holds the value as a 32-bit integer, a key found in any of them means 1 (the box starts
// checked), and no key at all 0.
void LoadSettings()
{
    TPlace places[4];
    const int count = Places(places);
    bool anyKey = false;
    for (int i = 0; i < count; ++i) {
        TRegistry reg(KEY_READ | places[i].view);
        reg.SetRootKey(places[i].root);
        if (!reg.OpenKeyReadOnly(places[i].key)) {
            anyKey = anyKey || reg.KeyExists(places[i].key);
            continue;
        }
        anyKey = true;
        if (StoredValue(reg, ShowExitPrompt))
            return;
    }
    if (anyKey)
        ShowExitPrompt = 1;
}

void SaveSettings()
{
    const int value = setari && setari->CheckBox1->Checked() ? 1 : 0;
    if (WriteMachineValue(value)) {
        // Left in place, the user's own values would be read first and bring back an older choice.
        TRegistry user;
        user.SetRootKey(HKEY_CURRENT_USER);
        user.DeleteKey(kSettingsKey);
        user.DeleteKey(VirtualStoreKey());
        return;
    }
    TRegistry user(KEY_SET_VALUE);
    user.SetRootKey(HKEY_CURRENT_USER);
    user.OpenKey(kSettingsKey, true);
    user.WriteInteger(kSettingsValue, value);
}

} // namespace zv
