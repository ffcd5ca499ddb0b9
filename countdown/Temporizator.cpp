#include "countdown/Temporizator.h"

#include "framework/Layout.h"

namespace zv {

Ttemporizator* temporizator = nullptr;

Ttemporizator::Ttemporizator(TComponent* owner) : TForm(owner)
{
    ReadLayout("Ttemporizator");
    FinishCreate();
}

namespace {
const bool kRegistered = (RegisterRootClass("Ttemporizator", "TForm"), true);
}

} // namespace zv
