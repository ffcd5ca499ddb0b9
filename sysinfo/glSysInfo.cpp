#include "sysinfo/glSysInfo.h"

#include "framework/Layout.h"

namespace zv {

namespace {
TSysInfoSource g_source = nullptr;
} // namespace

void SetSysInfoSource(TSysInfoSource source) { g_source = source; }

TglSysInfo::TglSysInfo(TComponent* owner) : TComponent(owner)
{
    if (ComponentState() & csDesigning)
        CollectInfo();
}

void TglSysInfo::CollectInfo() { facts_ = g_source ? g_source() : CollectSysInfoFacts(); }

void TglSysInfo::Loaded()
{
    TComponent::Loaded();
    CollectInfo();
}

namespace {
const bool kRegistered = [] {
    auto& c = RegisterClass<TglSysInfo>("TglSysInfo", "TComponent");
    for (const char* p : {"MemoryLoad", "TotalPhys", "AvailPhys", "TotalPageFile", "AvailPageFile", "TotalVirtual",
                          "AvailVirtual", "CPUKind", "ColorDepth", "VRefreshRate"})
        c.Prop<TglSysInfo>(p, [](TglSysInfo& s, const TLayoutValue& v) { s.SetIntegerProperty(v.AsInt()); });
    for (const char* p : {"CPUName", "SystemFont", "OSPlatform", "GraphicResolution", "ComputerName", "UserName"})
        c.Prop<TglSysInfo>(p, [](TglSysInfo& s, const TLayoutValue& v) { s.SetStringProperty(v.AsString()); });
    return true;
}();
} // namespace

} // namespace zv
