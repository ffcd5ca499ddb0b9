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

// Filled once: the collector read the machine when the layout was in, and nothing here runs again
// when the window is shown later.
void TInfo::FormCreate(TObject*)
{
    const std::vector<std::string> lines = SysInfoLines(*sinfo);
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        // Writing line i of a list that has i lines appends it; a line already there is replaced.
        if (i < box->Count()) {
            box->Delete(i);
            box->Insert(i, lines[i]);
        } else {
            box->AddItem(lines[i]);
        }
    }
}

// Closing a secondary window hides it; the lines stay for the next time it is shown.
void TInfo::glBitBtn1Click(TObject*) { Close(); }

namespace {
const bool kRegistered = (RegisterRootClass("TInfo", "TForm"), true);
}

} // namespace zv
