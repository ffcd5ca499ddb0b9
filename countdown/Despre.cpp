#include "countdown/Despre.h"

#include "framework/Layout.h"

namespace zv {

Tdespre* despre = nullptr;

Tdespre::Tdespre(TComponent* owner) : TForm(owner)
{
    ReadLayout("Tdespre");
    FinishCreate();
}

namespace {
const bool kRegistered = (RegisterRootClass("Tdespre", "TForm"), true);
}

} // namespace zv
