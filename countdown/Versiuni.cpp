#include "countdown/Versiuni.h"

#include "framework/Layout.h"

namespace zv {

TVersiuni* Versiuni = nullptr;

TVersiuni::TVersiuni(TComponent* owner) : TForm(owner)
{
    ReadLayout("TVersiuni");
    FinishCreate();
}

namespace {
const bool kRegistered = (RegisterRootClass("TVersiuni", "TForm"), true);
}

} // namespace zv
