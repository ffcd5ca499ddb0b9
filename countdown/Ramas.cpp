#include "countdown/Ramas.h"

#include "framework/Layout.h"

namespace zv {

TRamas* Ramas = nullptr;

TRamas::TRamas(TComponent* owner) : TForm(owner)
{
    Publish("FormCreate", &TRamas::FormCreate);
    ReadLayout("TRamas");
    FlatGauge1 = Bind<TFlatGauge>("FlatGauge1");
    Label1 = Bind<TLabel>("Label1");
    FinishCreate();
}

void TRamas::FormCreate(TObject*) { FlatGauge1->SetProgress(0); }

namespace {
const bool kRegistered = (RegisterRootClass("TRamas", "TForm"), true);
}

} // namespace zv
