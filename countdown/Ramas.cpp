#include "countdown/Ramas.h"

#include "framework/Layout.h"

namespace zv {

TRamas* Ramas = nullptr;

TRamas::TRamas(TComponent* owner) : TForm(owner)
{
    ReadLayout("TRamas");
    FinishCreate();
}

namespace {
const bool kRegistered = (RegisterRootClass("TRamas", "TForm"), true);
}

} // namespace zv
