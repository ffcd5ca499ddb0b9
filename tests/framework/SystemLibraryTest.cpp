// DLLs and files of the system directory: the loader takes them by full path there and nowhere else,
// and the shell is given full paths and a thread with COM.
#include <gtest/gtest.h>

#include <objbase.h>

#include <cwctype>
#include <string>

#include "framework/CommonControls.h"
#include "framework/Shell.h"
#include "framework/SystemLibrary.h"

using namespace zv;

namespace {

std::wstring SystemDirectory()
{
    wchar_t dir[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir, n);
}

std::wstring Lower(std::wstring s)
{
    for (auto& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

std::wstring ModulePath(HMODULE m)
{
    wchar_t path[MAX_PATH];
    const DWORD n = ::GetModuleFileNameW(m, path, MAX_PATH);
    return std::wstring(path, n);
}

TEST(SystemLibrary, LoadsFromTheSystemDirectoryByFullPath)
{
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(SystemLibraryPath("oleacc.dll", path, MAX_PATH));
    EXPECT_EQ(Lower(SystemDirectory() + L"\\oleacc.dll"), Lower(path));

    const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
    ASSERT_NE(nullptr, oleacc);
    EXPECT_EQ(Lower(SystemDirectory() + L"\\oleacc.dll"), Lower(ModulePath(oleacc)));
    // The same module again, not a second copy.
    EXPECT_EQ(oleacc, LoadSystemLibrary("oleacc.dll"));
    EXPECT_EQ(oleacc, ::GetModuleHandleW(L"oleacc.dll"));
    EXPECT_EQ(nullptr, LoadSystemLibrary("zv-no-such-library.dll"));
}

TEST(SystemLibrary, RefusesNamesThatReachOutsideTheSystemDirectory)
{
    const char* const names[] = {"", "..", ".", "..\\oleacc.dll", "../oleacc.dll", "sub\\oleacc.dll",
                                 "C:oleacc.dll", "C:\\windows\\system32\\oleacc.dll", "\\\\server\\share\\x.dll",
                                 "oleacc.dll:stream", "ole\xe4" "cc.dll"};
    for (const char* name : names) {
        wchar_t path[MAX_PATH] = L"untouched";
        EXPECT_FALSE(SystemLibraryPath(name, path, MAX_PATH)) << name;
        EXPECT_EQ(nullptr, LoadSystemLibrary(name)) << name;
    }
    wchar_t path[MAX_PATH];
    EXPECT_FALSE(SystemLibraryPath(nullptr, path, MAX_PATH));
    EXPECT_EQ(nullptr, LoadSystemLibrary(nullptr));
    // A dot inside a name is a name.
    EXPECT_TRUE(SystemLibraryPath("..oleacc.dll", path, MAX_PATH));
}

TEST(SystemLibrary, APathThatDoesNotFitIsRefusedWithoutWritingPastTheBuffer)
{
    const size_t dir = SystemDirectory().size();
    // Room for the folder, the backslash, "ab.dll" and its terminator, and a guard after it.
    wchar_t buffer[MAX_PATH + 8];
    const UINT exact = static_cast<UINT>(dir + 1 + 6 + 1);
    for (auto& c : buffer)
        c = L'#';
    EXPECT_TRUE(SystemLibraryPath("ab.dll", buffer, exact));
    EXPECT_EQ(L'#', buffer[exact]);
    for (auto& c : buffer)
        c = L'#';
    EXPECT_FALSE(SystemLibraryPath("abc.dll", buffer, exact));
    EXPECT_EQ(L'#', buffer[exact]);
    EXPECT_FALSE(SystemLibraryPath("ab.dll", buffer, 0));
    EXPECT_EQ(nullptr, LoadSystemLibrary(std::string(MAX_PATH, 'a').c_str()));
}

TEST(SystemLibrary, FunctionsAreTypedAndNullWhenMissing)
{
    const HMODULE kernel32 = ::GetModuleHandleW(L"kernel32.dll");
    const auto pid = SystemFunction<DWORD(WINAPI*)()>(kernel32, "GetCurrentProcessId");
    ASSERT_NE(nullptr, pid);
    EXPECT_EQ(::GetCurrentProcessId(), pid());
    EXPECT_EQ(nullptr, SystemFunction<DWORD(WINAPI*)()>(kernel32, "NoSuchFunction"));
    EXPECT_EQ(nullptr, SystemFunction<DWORD(WINAPI*)()>(nullptr, "GetCurrentProcessId"));
}

TEST(SystemLibrary, RestrictingTheSearchKeepsSystemDllsWithinReach)
{
    // Wine and every Windows since 8 have SetDefaultDllDirectories.
    EXPECT_TRUE(RestrictDllSearchToSystem());
    // What the system loads by bare name afterwards is still found, in the system directory.
    const HMODULE version = ::LoadLibraryA("version.dll");
    ASSERT_NE(nullptr, version);
    EXPECT_EQ(Lower(SystemDirectory() + L"\\version.dll"), Lower(ModulePath(version)));
    ::FreeLibrary(version);
}

TEST(CommonControls, ComeWithWhatTheyTakeByBareNameFromTheSystemDirectory)
{
    ASSERT_TRUE(InitCommonControlClasses(ICC_DATE_CLASSES | ICC_STANDARD_CLASSES));
    // comctl32 and what it would otherwise look for on first use, wherever the search starts.
    for (const wchar_t* dll : {L"comctl32.dll", L"uxtheme.dll", L"msimg32.dll"}) {
        const HMODULE m = ::GetModuleHandleW(dll);
        ASSERT_NE(nullptr, m) << dll;
        EXPECT_EQ(Lower(SystemDirectory() + L"\\" + dll), Lower(ModulePath(m)));
    }
    // The image lists work through the looked-up calls, and a null list is refused, not passed on.
    const HIMAGELIST list = ImageListCreate(8, 8, ILC_COLOR24 | ILC_MASK, 1, 1);
    ASSERT_NE(nullptr, list);
    EXPECT_TRUE(ImageListRemoveAll(list));
    EXPECT_TRUE(ImageListDestroy(list));
    EXPECT_FALSE(ImageListDestroy(nullptr));
    EXPECT_EQ(-1, ImageListAddMasked(nullptr, nullptr, 0));
    EXPECT_FALSE(ImageListRemoveAll(nullptr));
}

TEST(SystemDirectoryFile, NamesTheFileByFullPathOrNothing)
{
    const std::wstring dir = SystemDirectory();
    const std::string expected = std::string(dir.begin(), dir.end()) + "\\timedate.cpl";
    EXPECT_EQ(expected, SystemDirectoryFile("timedate.cpl"));
    EXPECT_EQ("", SystemDirectoryFile("..\\timedate.cpl"));
    EXPECT_EQ("", SystemDirectoryFile(""));
}

TEST(PrepareThreadForShell, LeavesTheThreadInASingleThreadedApartment)
{
    EXPECT_TRUE(PrepareThreadForShell());
    EXPECT_TRUE(PrepareThreadForShell()); // once is enough; a second call changes nothing
    APTTYPE type{};
    APTTYPEQUALIFIER qualifier{};
    ASSERT_EQ(S_OK, ::CoGetApartmentType(&type, &qualifier));
    EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
}

} // namespace
