#include "sysinfo/SysInfoFacts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

using namespace zv;

namespace {

TSysInfoFacts Collected()
{
    TSysInfoFacts facts;
    facts.collected = true;
    return facts;
}

TEST(SysInfoFacts, NothingIsReadableBeforeCollection)
{
    const TSysInfoFacts facts;
    EXPECT_EQ(CPUName(facts), "");
    EXPECT_EQ(CPUKind(facts), 0);
    EXPECT_EQ(OSPlatform(facts), "");
    EXPECT_EQ(SystemFont(facts), "");
    EXPECT_EQ(GraphicResolution(facts), "");
    EXPECT_EQ(facts.totalPhys, 0u);
    EXPECT_EQ(facts.computerName, "");
}

TEST(SysInfoFacts, CPUNameByProcessorLevel)
{
    const struct {
        std::uint16_t level;
        const char* name;
    } cases[] = {
        {3, "80386"}, {4, "80486"}, {5, "Pentium"}, {6, "Pentium Pro/Celeron"},
        {15, "P15"}, {0, "P0"}, {7, "P7"}, {0xFFFF, "P65535"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        TSysInfoFacts facts = Collected();
        facts.processorLevel = c.level;
        EXPECT_EQ(CPUName(facts), c.name);
        EXPECT_EQ(CPUKind(facts), c.level) << "the level is zero-extended";
    }
}

TEST(SysInfoFacts, OSPlatformByPlatformId)
{
    const struct {
        std::uint32_t id;
        const char* platform;
    } cases[] = {{0, ""}, {1, "95"}, {2, "NT"}, {3, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        TSysInfoFacts facts = Collected();
        facts.platformId = c.id;
        EXPECT_EQ(OSPlatform(facts), c.platform);
    }
}

TEST(SysInfoFacts, SystemFontByLogicalPixels)
{
    const struct {
        int pixels;
        const char* font;
    } cases[] = {{96, "SmallFont"}, {120, "BigFont"}, {144, ""}, {95, ""}, {97, ""}, {0, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pixels);
        TSysInfoFacts facts = Collected();
        facts.logPixelsX = c.pixels;
        EXPECT_EQ(SystemFont(facts), c.font);
    }
}

TEST(SysInfoFacts, GraphicResolutionIsWidthByHeight)
{
    TSysInfoFacts facts = Collected();
    facts.horzRes = 1280;
    facts.vertRes = 1024;
    EXPECT_EQ(GraphicResolution(facts), "1280x1024");
    facts.horzRes = 640;
    facts.vertRes = 480;
    EXPECT_EQ(GraphicResolution(facts), "640x480");
}

TEST(SysInfoFacts, MemoryAboveFourGiBIsKeptAndPrintedExactly)
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    status.dwMemoryLoad = 37;
    status.ullTotalPhys = 6442450945ull; // 6 GiB + 1
    status.ullAvailPhys = 4294967296ull; // exactly 4 GiB
    status.ullTotalPageFile = 0x7FFFFFFFull + 1;
    status.ullAvailPageFile = 0xFFFFFFFFull;
    status.ullTotalVirtual = 140737488224256ull;
    status.ullAvailVirtual = 0xFFFFFFFFFFFFFFFFull;

    TSysInfoFacts facts;
    FillMemoryFacts(facts, status);
    EXPECT_EQ(facts.memoryLoad, 37u);
    EXPECT_EQ(DecimalText(facts.totalPhys), "6442450945");
    EXPECT_EQ(DecimalText(facts.availPhys), "4294967296");
    EXPECT_EQ(DecimalText(facts.totalPageFile), "2147483648");
    EXPECT_EQ(DecimalText(facts.availPageFile), "4294967295");
    EXPECT_EQ(DecimalText(facts.totalVirtual), "140737488224256");
    EXPECT_EQ(DecimalText(facts.availVirtual), "18446744073709551615");
    EXPECT_EQ(DecimalText(0), "0");
}

TEST(SysInfoFacts, VersionAndProcessorRecordsAreCopied)
{
    OSVERSIONINFOA version{};
    version.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    version.dwMajorVersion = 4;
    version.dwMinorVersion = 10;
    version.dwBuildNumber = 2222;
    std::memset(version.szCSDVersion, 'A', sizeof version.szCSDVersion); // no NUL at all

    SYSTEM_INFO info{};
    info.wProcessorLevel = 0x8006;
    info.dwNumberOfProcessors = 8;
    info.dwPageSize = 4096;
    info.dwProcessorType = PROCESSOR_INTEL_PENTIUM;

    TSysInfoFacts facts = Collected();
    FillVersionFacts(facts, version);
    FillProcessorFacts(facts, info);
    EXPECT_EQ(OSPlatform(facts), "95");
    EXPECT_EQ(CPUKind(facts), 0x8006);
    EXPECT_EQ(CPUName(facts), "P32774");
}

// Stands in for GetComputerNameA / GetUserNameA: fails with the given error while the buffer is
// too small, reporting the size it needs only if told to.
struct TNameSource {
    std::string name;
    DWORD tooSmallError = ERROR_BUFFER_OVERFLOW;
    bool reportsSize = true;
    int calls = 0;

    BOOL operator()(LPSTR buffer, LPDWORD size)
    {
        ++calls;
        if (*size < name.size() + 1) {
            if (reportsSize)
                *size = static_cast<DWORD>(name.size() + 1);
            ::SetLastError(tooSmallError);
            return FALSE;
        }
        std::memcpy(buffer, name.c_str(), name.size() + 1);
        *size = static_cast<DWORD>(name.size());
        return TRUE;
    }
};

TEST(SysInfoFacts, NamesAreReadWholeWhateverTheirLength)
{
    const std::string names[] = {"", "ZAVRIN", std::string(32, 'c'), std::string(33, 'd'), std::string(40, 'u'),
                                 std::string(300, 'n')};
    for (const std::string& name : names) {
        for (DWORD error : {DWORD(ERROR_BUFFER_OVERFLOW), DWORD(ERROR_INSUFFICIENT_BUFFER), DWORD(ERROR_MORE_DATA)}) {
            for (bool reportsSize : {true, false}) {
                SCOPED_TRACE(testing::Message() << name.size() << " chars, error " << error << ", reports " << reportsSize);
                TNameSource source{name, error, reportsSize};
                EXPECT_EQ(ReadSystemName(std::ref(source)), name);
            }
        }
    }
}

TEST(SysInfoFacts, NameIsEmptyWhenTheCallFailsOtherwise)
{
    int calls = 0;
    auto failing = [&](LPSTR buffer, LPDWORD) {
        ++calls;
        std::strcpy(buffer, "junk");
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    };
    EXPECT_EQ(ReadSystemName(failing), "");
    EXPECT_EQ(calls, 1);

    auto endless = [](LPSTR, LPDWORD size) {
        *size = 0;
        ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    };
    EXPECT_EQ(ReadSystemName(endless), "");
}

TEST(SysInfoFacts, CollectsPlausibleFactsOnThisMachine)
{
    const TSysInfoFacts facts = CollectSysInfoFacts();
    EXPECT_TRUE(facts.collected);
    EXPECT_FALSE(facts.computerName.empty());
    EXPECT_FALSE(facts.userName.empty());
    EXPECT_GT(facts.totalPhys, 0u);
    EXPECT_LE(facts.availPhys, facts.totalPhys);
    EXPECT_GT(facts.totalVirtual, 0u);
    EXPECT_LE(facts.memoryLoad, 100u);
    EXPECT_EQ(OSPlatform(facts), "NT");
    EXPECT_GT(facts.horzRes, 0);
    EXPECT_GT(facts.vertRes, 0);
    EXPECT_GT(facts.bitsPerPixel, 0);
    EXPECT_EQ(GraphicResolution(facts), std::to_string(facts.horzRes) + "x" + std::to_string(facts.vertRes));

    char user[256];
    DWORD size = sizeof user;
    ASSERT_TRUE(::GetUserNameA(user, &size));
    EXPECT_EQ(facts.userName, user);
}

} // namespace
