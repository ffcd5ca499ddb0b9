// The system information component: a non-visual part of a window's layout that reads the machine's
// facts once, when its window has finished loading, and afterwards only answers its properties.
// Assigning a property changes nothing that can be read.
#pragma once

#include <cstdint>
#include <string>

#include "framework/Component.h"
#include "sysinfo/SysInfoFacts.h"

namespace zv {

// Where every collector gets its facts: the machine, unless a test gives facts of its own.
using TSysInfoSource = TSysInfoFacts (*)();
void SetSysInfoSource(TSysInfoSource source);

class TglSysInfo : public TComponent {
public:
    explicit TglSysInfo(TComponent* owner);
    const char* ClassName() const override { return "TglSysInfo"; }

    void CollectInfo();
    // Tests give the raw facts here instead of the machine's.
    void SetFacts(const TSysInfoFacts& facts) { facts_ = facts; }
    const TSysInfoFacts& Facts() const { return facts_; }
    void Loaded() override;

    int MemoryLoad() const { return static_cast<int>(facts_.memoryLoad); }
    std::uint64_t TotalPhys() const { return facts_.totalPhys; }
    std::uint64_t AvailPhys() const { return facts_.availPhys; }
    std::uint64_t TotalPageFile() const { return facts_.totalPageFile; }
    std::uint64_t AvailPageFile() const { return facts_.availPageFile; }
    std::uint64_t TotalVirtual() const { return facts_.totalVirtual; }
    std::uint64_t AvailVirtual() const { return facts_.availVirtual; }
    int CPUKind() const { return zv::CPUKind(facts_); }
    std::string CPUName() const { return zv::CPUName(facts_); }
    int ColorDepth() const { return facts_.bitsPerPixel; }
    std::string SystemFont() const { return zv::SystemFont(facts_); }
    std::string OSPlatform() const { return zv::OSPlatform(facts_); }
    int VRefreshRate() const { return facts_.vRefreshRate; }
    std::string GraphicResolution() const { return zv::GraphicResolution(facts_); }
    std::string ComputerName() const { return facts_.computerName; }
    std::string UserName() const { return facts_.userName; }

    // Every property can be assigned; the value goes to a field that nothing reads.
    void SetIntegerProperty(std::int64_t v) { dummyInteger_ = v; }
    void SetStringProperty(const std::string& v) { dummyString_ = v; }

private:
    TSysInfoFacts facts_;
    std::int64_t dummyInteger_ = 0;
    std::string dummyString_;
};

} // namespace zv
