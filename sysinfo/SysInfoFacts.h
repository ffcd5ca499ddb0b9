// Facts about the machine, read once at start-up, and the texts made from them. Collecting is the only
// part that touches the system; every text is a free function of the facts, so it can be checked on
// facts made up by hand.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace zv {

struct TSysInfoFacts {
    // False until collected: every text is then empty and every number 0.
    bool collected = false;

    // Memory status. Byte counts are 64-bit: machines with 2 GiB or more overflow anything narrower.
    std::uint32_t memoryLoad = 0; // percent in use
    std::uint64_t totalPhys = 0;
    std::uint64_t availPhys = 0;
    std::uint64_t totalPageFile = 0;
    std::uint64_t availPageFile = 0;
    std::uint64_t totalVirtual = 0;
    std::uint64_t availVirtual = 0;

    // The platform family, from the version record.
    std::uint32_t platformId = 0;

    // The processor's level.
    std::uint16_t processorLevel = 0;

    // Screen.
    int bitsPerPixel = 0;
    int vRefreshRate = 0;
    int horzRes = 0;
    int vertRes = 0;
    int logPixelsX = 0;

    std::string computerName;
    std::string userName;
};

// Reads everything from the system: memory, version, processor, screen, computer and user name.
TSysInfoFacts CollectSysInfoFacts();

// The copying steps of the collection, one system record each.
void FillMemoryFacts(TSysInfoFacts& facts, const MEMORYSTATUSEX& status);
void FillVersionFacts(TSysInfoFacts& facts, const OSVERSIONINFOA& version);
void FillProcessorFacts(TSysInfoFacts& facts, const SYSTEM_INFO& info);
void FillScreenFacts(TSysInfoFacts& facts, HDC screen);

// Calls a GetComputerNameA-like function with a buffer that grows until the whole name fits.
// Returns the text up to the first NUL, or empty if the call fails for any other reason.
std::string ReadSystemName(const std::function<BOOL(LPSTR buffer, LPDWORD size)>& read);

// The collector's readable properties that are more than a copied field.
int CPUKind(const TSysInfoFacts& facts);                  // processor level, zero-extended
std::string CPUName(const TSysInfoFacts& facts);          // "80386" ... "Pentium Pro/Celeron", else "P<level>"
std::string OSPlatform(const TSysInfoFacts& facts);       // "NT", "95", else empty
std::string SystemFont(const TSysInfoFacts& facts);       // "SmallFont" at 96, "BigFont" at 120, else empty
std::string GraphicResolution(const TSysInfoFacts& facts); // "<width>x<height>"

// Numbers as the user sees them: plain decimal, no padding, no grouping, whatever the locale.
std::string DecimalText(std::uint64_t value);

} // namespace zv
