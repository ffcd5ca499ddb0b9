#include "sysinfo/Info.h"

#include "framework/Layout.h"

namespace zv {

TInfo* Info = nullptr;

std::vector<std::string> SysInfoLines(const TglSysInfo& info)
{
    // Plain decimal whatever the locale: no grouping, no padding.
    return {
        "Numele sistemului: " + info.ComputerName(),
        "Tipul procesorului: " + std::to_string(info.CPUKind()) + "x86",
        "Rezolutia folosita este: " + info.GraphicResolution(),
        "Adancimea de culoare folosita este: " + std::to_string(info.ColorDepth()) + " biti",
        "Rata de improspatare a displayului este: " + std::to_string(info.VRefreshRate()) + " Hz",
        "Tipul fonturilor de sistem: " + info.SystemFont(),
        "Userul logat este: " + info.UserName(),
        "Memoria fizica a sistemului este de: " + DecimalText(info.TotalPhys()) + " bytes",
        "Platforma sistemului de operare este: " + info.OSPlatform(),
    };
}

TInfo::TInfo(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &TInfo::FormCreate);
    Publish("glBitBtn1Click", &TInfo::glBitBtn1Click);
    ReadLayout("TInfo");
    box = Bind<TglListBox>("box");
    glBitBtn1 = Bind<TglBitBtn>("glBitBtn1");
    sinfo = Bind<TglSysInfo>("sinfo");
    FinishCreate();
}

// Filled once, into the list the layout leaves empty: the collector read the machine when the layout
// was in, and nothing here runs again when the window is shown later.
void TInfo::FormCreate(TObject*)
{
    for (const std::string& line : SysInfoLines(*sinfo))
        box->AddItem(line);
}

// Closing a secondary window hides it; the lines stay for the next time it is shown.
void TInfo::glBitBtn1Click(TObject*) { Close(); }

namespace {
const bool kRegistered = (RegisterRootClass("TInfo", "TForm"), true);
}

} // namespace zv
