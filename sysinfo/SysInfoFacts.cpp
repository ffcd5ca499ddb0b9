#include "sysinfo/SysInfoFacts.h"

#include <charconv>
#include <cstdio>
#include <vector>

namespace zv {

namespace {

// Releases the screen's device context on every path.
class TScreenDC {
public:
    TScreenDC() : fDC(::GetDC(nullptr)) {}
    ~TScreenDC()
    {
        if (fDC)
            ::ReleaseDC(nullptr, fDC);
    }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    HDC Handle() const { return fDC; }

private:
    HDC fDC;
};

// Far beyond any real name; only stops a misbehaving call from growing the buffer forever.
constexpr DWORD kLongestName = 64 * 1024;

} // namespace

void FillMemoryFacts(TSysInfoFacts& facts, const MEMORYSTATUSEX& status)
{
    facts.memoryLoad = status.dwMemoryLoad;
    facts.totalPhys = status.ullTotalPhys;
    facts.availPhys = status.ullAvailPhys;
    facts.totalPageFile = status.ullTotalPageFile;
    facts.availPageFile = status.ullAvailPageFile;
    facts.totalVirtual = status.ullTotalVirtual;
    facts.availVirtual = status.ullAvailVirtual;
}

void FillVersionFacts(TSysInfoFacts& facts, const OSVERSIONINFOA& version)
{
    facts.platformId = version.dwPlatformId;
}

void FillProcessorFacts(TSysInfoFacts& facts, const SYSTEM_INFO& info)
{
    facts.processorLevel = info.wProcessorLevel;
}

void FillScreenFacts(TSysInfoFacts& facts, HDC screen)
{
    facts.vRefreshRate = ::GetDeviceCaps(screen, VREFRESH);
    facts.bitsPerPixel = ::GetDeviceCaps(screen, BITSPIXEL);
    facts.horzRes = ::GetDeviceCaps(screen, HORZRES);
    facts.vertRes = ::GetDeviceCaps(screen, VERTRES);
    facts.logPixelsX = ::GetDeviceCaps(screen, LOGPIXELSX);
}

std::string ReadSystemName(const std::function<BOOL(LPSTR buffer, LPDWORD size)>& read)
{
    std::vector<char> buffer(33);
    for (;;) {
        // One character is kept back, so the text ends in a NUL even if the call forgets to write one.
        buffer.assign(buffer.size(), '\0');
        DWORD size = static_cast<DWORD>(buffer.size() - 1);
        if (read(buffer.data(), &size))
            return std::string(buffer.data());
        const DWORD error = ::GetLastError();
        if (error != ERROR_BUFFER_OVERFLOW && error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_MORE_DATA)
            return {};
        // The call reports the size it needs; if it does not, doubling still gets there.
        const std::size_t wanted = static_cast<std::size_t>(size) + 1;
        const std::size_t next = wanted > buffer.size() ? wanted : buffer.size() * 2;
        if (next > kLongestName + 1)
            return {};
        buffer.resize(next);
    }
}

TSysInfoFacts CollectSysInfoFacts()
{
    TSysInfoFacts facts;

    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (::GlobalMemoryStatusEx(&memory))
        FillMemoryFacts(facts, memory);

    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (::GetVersionExA(&version))
        FillVersionFacts(facts, version);

    SYSTEM_INFO processor{};
    ::GetSystemInfo(&processor);
    FillProcessorFacts(facts, processor);

    const TScreenDC screen;
    if (screen.Handle())
        FillScreenFacts(facts, screen.Handle());

    facts.computerName = ReadSystemName([](LPSTR buffer, LPDWORD size) { return ::GetComputerNameA(buffer, size); });
    facts.userName = ReadSystemName([](LPSTR buffer, LPDWORD size) { return ::GetUserNameA(buffer, size); });

    facts.collected = true;
    return facts;
}

int CPUKind(const TSysInfoFacts& facts)
{
    return facts.processorLevel;
}

std::string CPUName(const TSysInfoFacts& facts)
{
    if (!facts.collected)
        return {};
    switch (facts.processorLevel) {
    case 3: return "80386";
    case 4: return "80486";
    case 5: return "Pentium";
    case 6: return "Pentium Pro/Celeron";
    default: return "P" + DecimalText(facts.processorLevel);
    }
}

std::string OSPlatform(const TSysInfoFacts& facts)
{
    switch (facts.platformId) {
    case VER_PLATFORM_WIN32_NT: return "NT";
    case VER_PLATFORM_WIN32_WINDOWS: return "95";
    default: return {};
    }
}

std::string SystemFont(const TSysInfoFacts& facts)
{
    switch (facts.logPixelsX) {
    case 96: return "SmallFont";
    case 120: return "BigFont";
    default: return {};
    }
}

std::string GraphicResolution(const TSysInfoFacts& facts)
{
    if (!facts.collected)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%dx%d", facts.horzRes, facts.vertRes);
    return text;
}

std::string DecimalText(std::uint64_t value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

} // namespace zv
