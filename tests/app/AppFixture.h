// The whole window set, as the program creates it, on a fake clock, with recording session, shell and
// power ports, fixed regional formats, and the setting's registry key removed before each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/Prompt.h"
#include "app/Setari.h"
#include "app/Settings.h"
#include "app/Splash.h"
#include "app/WindowSet.h"
#include "framework/Application.h"
#include "framework/DateUtils.h"
#include "framework/Registry.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakePowerPort.h"
#include "tests/support/FakeSessionPort.h"
#include "tests/support/FakeShellPort.h"
#include "tests/support/TestUtil.h"

namespace zv::test {

inline void ClickButton(TWinControl* c)
{
    HWND h = c->Handle();
    ::SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    ::SendMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

inline void ClickMenu(TForm* form, TMenuItem* item)
{
    ::SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

// Every place the setting may be kept: the machine's key, the user's, and the virtual store of the
// earlier 32-bit releases.
inline void DeleteSettingsKey()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    reg.DeleteKey("\\Software\\Zavrin4");
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.DeleteKey("\\Software\\Zavrin4");
    reg.DeleteKey("\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Zavrin4");
    reg.DeleteKey("\\Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Zavrin4");
}

inline void StoreSetting(DWORD type, const void* data, DWORD size)
{
    HKEY k;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zavrin4", 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &k, nullptr));
    ::RegSetValueExA(k, "dialog", 0, type, static_cast<const BYTE*>(data), size);
    ::RegCloseKey(k);
}

// The stored "dialog" value, or -1 when the key or the value is missing.
inline int StoredSetting(HKEY root = HKEY_LOCAL_MACHINE)
{
    TRegistry reg;
    reg.SetRootKey(root);
    if (!reg.OpenKeyReadOnly("\\Software\\Zavrin4") || reg.GetDataType("dialog") != rdInteger)
        return -1;
    return reg.ReadInteger("dialog");
}

inline std::vector<std::string> Parameters(const TFakeSessionPort& port)
{
    std::vector<std::string> out;
    for (const auto& c : port.Starts())
        out.push_back(c.parameters);
    return out;
}

class AppFixture : public ::testing::Test {
protected:
    // Override to change what happens before the windows exist (stored setting, machine facts).
    virtual void BeforeCreate() {}

    void SetUp() override
    {
        DeleteSettingsKey();
        BeforeCreate();
        shown_.clear();
        Application->OnException = [this](TObject*, const std::exception& e) { shown_.push_back(e.what()); };
        CreateWindowSet(*Application);
    }

    void TearDown() override
    {
        DestroyWindowSet();
        Application->OnException = nullptr;
        Application->CancelTerminate();
        SetSettingsDefaults();
        DeleteSettingsKey();
    }

    static void SetSettingsDefaults()
    {
        ShowExitPrompt = 0;
    }

    void Tick() { Form2->Timer1->Timer(); }
    void TickAfter(int seconds)
    {
        clock.Advance(seconds);
        Tick();
    }

    TFakeClock clock{2026, 12, 8, 14, 30, 0};
    TFakeSessionPort session;
    TFakePowerPort power;
    TFakeShellPort shell;
    TFormatSettingsOverride formats{TFormatSettings{LOCALE_USER_DEFAULT, "HH:mm:ss", "dd.MM.yyyy"}};
    std::vector<std::string> shown_;
};

} // namespace zv::test
