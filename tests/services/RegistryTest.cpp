// The registry in the test prefix: values round trip, absent keys and values and refused writes give
// the outcomes and exact texts the settings code relies on.
#include <gtest/gtest.h>

#include <functional>

#include "framework/Registry.h"
#include "framework/SysUtils.h"
#include "support/FakeRegistryPort.h"

using namespace zv;

namespace {

const char* const kKey = "\\Software\\ZavrinTest";

std::string RegistryError(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.what();
    }
    return "(no error)";
}

void WriteRaw(HKEY root, DWORD type, const void* data, DWORD size)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(root, "Software\\ZavrinTest", 0, KEY_SET_VALUE, &key));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "dialog", 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(key);
}

class RegistryTest : public ::testing::TestWithParam<HKEY> {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean()
    {
        TRegistry reg;
        reg.SetRootKey(GetParam());
        reg.DeleteKey(kKey);
        ASSERT_FALSE(reg.KeyExists(kKey));
    }
    void Open(TRegistry& reg)
    {
        reg.SetRootKey(GetParam());
        ASSERT_TRUE(reg.OpenKey(kKey, true));
    }
};

// The local-machine hive is where the program keeps its setting; the prefix user may write there.
INSTANTIATE_TEST_SUITE_P(Hives, RegistryTest, ::testing::Values(HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE),
                         [](const auto& info) { return info.param == HKEY_CURRENT_USER ? "User" : "Machine"; });

TEST_P(RegistryTest, WrittenIntegerReadsBackAsDwordInAFreshInstance)
{
    {
        TRegistry reg;
        Open(reg);
        EXPECT_EQ("Software\\ZavrinTest", reg.CurrentPath());
        reg.WriteInteger("dialog", 1);
        EXPECT_EQ(1, reg.ReadInteger("dialog"));
        reg.WriteInteger("dialog", -2);
    }
    TRegistry reg;
    reg.SetRootKey(GetParam());
    EXPECT_TRUE(reg.KeyExists(kKey));
    ASSERT_TRUE(reg.OpenKeyReadOnly(kKey));
    EXPECT_TRUE(reg.ValueExists("dialog"));
    EXPECT_EQ(rdInteger, reg.GetDataType("dialog"));
    EXPECT_EQ(-2, reg.ReadInteger("dialog"));

    DWORD type = 0, value = 0, size = sizeof value;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExA(reg.CurrentKey(), "dialog", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(0xFFFFFFFEu, value);
}

TEST_P(RegistryTest, MissingKeyIsNotOpenedAndKeepsTheCurrentKey)
{
    TRegistry reg;
    reg.SetRootKey(GetParam());
    EXPECT_FALSE(reg.KeyExists(kKey));
    EXPECT_FALSE(reg.OpenKey(kKey, false));
    EXPECT_FALSE(reg.OpenKeyReadOnly(kKey));
    EXPECT_EQ(nullptr, reg.CurrentKey());
    EXPECT_FALSE(reg.KeyExists(kKey)) << "a failed open must not create the key";

    ASSERT_TRUE(reg.OpenKey("\\Software", false));
    const HKEY software = reg.CurrentKey();
    EXPECT_FALSE(reg.OpenKey("ZavrinTest\\Absent", false));
    EXPECT_EQ(software, reg.CurrentKey());
    EXPECT_EQ("Software", reg.CurrentPath());
}

TEST_P(RegistryTest, MissingAndForeignValuesAreNotIntegers)
{
    TRegistry reg;
    Open(reg);
    EXPECT_FALSE(reg.ValueExists("dialog"));
    EXPECT_EQ(rdUnknown, reg.GetDataType("dialog"));
    EXPECT_EQ("Invalid data type for 'dialog'", RegistryError([&] { reg.ReadInteger("dialog"); }));

    WriteRaw(GetParam(), REG_SZ, "1", 2);
    EXPECT_TRUE(reg.ValueExists("dialog"));
    EXPECT_EQ(rdString, reg.GetDataType("dialog"));
    EXPECT_EQ("Invalid data type for 'dialog'", RegistryError([&] { reg.ReadInteger("dialog"); }));

    const DWORD one = 1;
    WriteRaw(GetParam(), REG_BINARY, &one, sizeof one);
    EXPECT_EQ(rdBinary, reg.GetDataType("dialog"));
    EXPECT_EQ("Invalid data type for 'dialog'", RegistryError([&] { reg.ReadInteger("dialog"); }));
}

// A REG_DWORD is whatever bytes were stored under that type: one of another length holds no 32-bit
// integer (its first bytes are not the value), whatever the integer read before it.
TEST_P(RegistryTest, ADwordOfAnotherLengthIsNotAnInteger)
{
    TRegistry reg;
    Open(reg);
    reg.WriteInteger("dialog", 0x01010101);
    const BYTE bytes[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    for (DWORD size : {0u, 1u, 2u, 3u, 5u, 8u}) {
        SCOPED_TRACE("bytes: " + std::to_string(size));
        WriteRaw(GetParam(), REG_DWORD, bytes, size);
        EXPECT_EQ(rdInteger, reg.GetDataType("dialog"));
        EXPECT_NE("(no error)", RegistryError([&] { reg.ReadInteger("dialog"); }));
    }
    WriteRaw(GetParam(), REG_DWORD, bytes, 2);
    EXPECT_EQ("Invalid data type for 'dialog'", RegistryError([&] { reg.ReadInteger("dialog"); }));
    WriteRaw(GetParam(), REG_DWORD, bytes, 4);
    EXPECT_EQ(1, reg.ReadInteger("dialog"));
}

TEST_P(RegistryTest, RefusedWriteRaisesTheFrameworkTextAndKeepsTheStoredValue)
{
    {
        TRegistry reg;
        Open(reg);
        reg.WriteInteger("dialog", 1);
    }
    // A key opened without write rights refuses the write for real.
    TRegistry reg(KEY_READ);
    reg.SetRootKey(GetParam());
    ASSERT_TRUE(reg.OpenKey(kKey, true));
    EXPECT_EQ("Failed to set data for 'dialog'", RegistryError([&] { reg.WriteInteger("dialog", 0); }));
    EXPECT_EQ(1, reg.ReadInteger("dialog"));

    // With no key open at all, as after a create that failed.
    reg.CloseKey();
    EXPECT_EQ("Failed to set data for 'dialog'", RegistryError([&] { reg.WriteInteger("dialog", 0); }));
    EXPECT_FALSE(reg.ValueExists("dialog"));
}

TEST_P(RegistryTest, PathsStartAtTheRootOnlyWithALeadingBackslash)
{
    TRegistry reg;
    Open(reg);
    ASSERT_TRUE(reg.OpenKey("Sub", true));
    EXPECT_EQ("Software\\ZavrinTest\\Sub", reg.CurrentPath());
    EXPECT_TRUE(reg.KeyExists("\\Software\\ZavrinTest\\Sub"));
    EXPECT_FALSE(reg.KeyExists("Software\\ZavrinTest\\Sub")) << "relative to the current key";
    EXPECT_FALSE(reg.DeleteKey("")) << "an empty path must not empty the current key";

    reg.SetRootKey(GetParam() == HKEY_CURRENT_USER ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER);
    EXPECT_EQ(nullptr, reg.CurrentKey());
    reg.SetRootKey(GetParam());
    EXPECT_TRUE(reg.DeleteKey(kKey)) << "the key and its subkeys";
    EXPECT_FALSE(reg.KeyExists(kKey));
}

// Through the port, as Windows answers where Wine does not: the view asked for reaches every probe and
// read-only open, and a key closed to writing is still read.
TEST(RegistryPort, TheViewAskedForHoldsForEveryCallAndReadingNeedsNoWriteRights)
{
    TFakeRegistryPort registry;
    registry.SetDword("HKLM\\Software\\WOW6432Node\\ZavrinTest", "dialog", 7);
    registry.DenyWrites("HKLM\\Software");

    TRegistry own(KEY_READ);
    own.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(own.KeyExists(kKey));
    TRegistry view32(KEY_READ | KEY_WOW64_32KEY);
    view32.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(view32.KeyExists(kKey));
    ASSERT_TRUE(view32.OpenKeyReadOnly(kKey));
    EXPECT_EQ(7, view32.ReadInteger("dialog"));

    TRegistry writer;
    writer.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_FALSE(writer.OpenKey("\\Software\\Other", true)) << "creating is refused";
    EXPECT_FALSE(registry.KeyExists("HKLM\\Software\\Other"));
    writer.SetAccess(KEY_ALL_ACCESS | KEY_WOW64_32KEY);
    EXPECT_FALSE(writer.OpenKey(kKey, false)) << "opening to write is refused";
    EXPECT_FALSE(writer.DeleteKey("\\Software\\WOW6432Node\\ZavrinTest"));
    EXPECT_TRUE(writer.OpenKeyReadOnly(kKey));

    view32.CloseKey();
    writer.CloseKey();
    EXPECT_EQ(0, registry.OpenHandles());
}

} // namespace
