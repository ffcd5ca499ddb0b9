#include "sysinfo/Info.h"

#include "framework/Layout.h"

namespace zv {

TInfo* Info = nullptr;

TInfo::TInfo(TComponent* owner) : TForm(owner)
{
    ReadLayout("TInfo");
    FinishCreate();
}

namespace {
const bool kRegistered = (RegisterRootClass("TInfo", "TForm"), true);
}

} // namespace zv
